// XTextCipher: any bytes deciphered, and any text enciphered then deciphered back to itself.
#include "foundation/XTextCipher.h"
#include "game/CGameLevelCipher.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XString input;
    input.AppendData(reinterpret_cast<const char*>(data), static_cast<unsigned>(size));
    const char* const password = LevelCipher::PassPhrase();

    XTextCipher cipher;
    XString deciphered(input);
    if (!cipher.Decrypt(deciphered, password))
        fuzz::Check(deciphered == input, "a failed Decrypt changed the text");

    XString text(input);
    uint64_t time = 0;
    std::memcpy(&time, data, size < sizeof(time) ? size : sizeof(time));
    if (cipher.EncryptWithTime(text, password, time))
    {
        fuzz::Check(text.GetLength() == input.GetLength() + XTextCipher::kTrailerBytes, "a cipher text of odd length");
        fuzz::Check(cipher.Decrypt(text, password), "an enciphered text does not decipher", cipher.GetErrorMsg());
        fuzz::Check(text == input, "an enciphered text deciphers to another text");
    }
    return 0;
}
