// XString Encrypt and Decrypt: RC4 keyed with the MD5 digest of the password, the bytes the
// system's enhanced cryptographic provider produced for the stored login.
#include "foundation/XException.h"
#include "foundation/XString.h"
#include "platform/crypto/Md5.h"
#include "platform/crypto/Rc4.h"

#include <array>
#include <cstring>

namespace
{

// The only cipher method; any other leaves the text alone.
const int kMethodRc4Md5 = 2;
// The provider was fed the text in blocks of this size, through one continuous key stream.
const unsigned kBlockSize = 1000;
// The work buffer had room for one block and a cipher's block padding, which RC4 never uses.
const unsigned kWorkBufferSize = 1008;

// Runs source through RC4 keyed with MD5(password), appending each processed block to result.
void CipherInto(const char* password, const XString& source, XString& result, const char* appendFailure)
{
    const plk::crypto::Md5Digest key =
        plk::crypto::Md5::Of(std::span<const char>(password, std::strlen(password)));
    plk::crypto::Rc4 cipher(key);
    std::array<char, kWorkBufferSize> block;
    const unsigned length = source.GetLength();
    for (unsigned done = 0; done < length;)
    {
        const unsigned size = std::min(kBlockSize, length - done);
        std::memcpy(block.data(), source.GetBuffer(done), size);
        cipher.Process(std::span<char>(block.data(), size));
        try
        {
            result.AppendData(block.data(), size);
        }
        catch (const XException& e)
        {
            throw XException(e.GetCode(), "XString", appendFailure, e.GetMessage());
        }
        done += size;
    }
}

} // namespace

bool XString::Encrypt(const char* password, int method)
{
    ClearErrorMsg();
    if (!password)
    {
        SetErrorMsg("Error: in XString::Encrypt password is NULL.");
        return false;
    }
    if (m_uiLength == 0 || method != kMethodRc4Md5)
        return true;
    XString result(false, false);
    CipherInto(password, *this, result, "in Encrypt AppendData failed. Msg=");
    try
    {
        SetData(result);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in Encrypt failed on final copy. Msg=");
    }
    return true;
}

bool XString::Decrypt(const char* password, int method)
{
    ClearErrorMsg();
    if (!password)
    {
        SetErrorMsg("Error: in XString::Decrypt password is NULL.");
        return false;
    }
    if (method != kMethodRc4Md5)
        return true;
    XString result(false, false);
    try
    {
        result.MakeSize(m_uiLength);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in Decrypt MakeSize failed. Msg=");
    }
    CipherInto(password, *this, result, "in Decrypt AppendData failed. Msg=");
    try
    {
        SetData(result);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in Decrypt failed at final copy. Msg=");
    }
    return true;
}
