// The level pass phrase and the whole-document cipher members of CGameLevel.
#include "game/CGameLevelCipher.h"

#include "foundation/XTextCipher.h"
#include "game/CGameLevel.h"

namespace
{

const char kPassPhrase[] = "Pk3~Lv:7Qx!mR2@vT9#wZ4$nB6%hJ8^cF1&dK3*gL5(sP0)yU_e+W=a{r}o|iNq?Vt.8Mb,Gs;X";
const unsigned kPassPhraseLength = 75;
static_assert(sizeof(kPassPhrase) - 1 == kPassPhraseLength, "the level pass phrase has 75 characters");

} // namespace

namespace LevelCipher
{

const char* PassPhrase()
{
    return kPassPhrase;
}

} // namespace LevelCipher

bool CGameLevel::EncipherDocument(XString& text)
{
    XTextCipher cipher;
    return cipher.Encrypt(text, kPassPhrase);
}

bool CGameLevel::EncipherDocumentWithTime(XString& text, uint64_t timeValue)
{
    XTextCipher cipher;
    return cipher.EncryptWithTime(text, kPassPhrase, timeValue);
}

bool CGameLevel::DecipherDocument(XString& text)
{
    XTextCipher cipher;
    return cipher.Decrypt(text, kPassPhrase);
}
