// XString text encodings: Base64, two-digit hexadecimal and URL encoding, each replacing the text.
#include "foundation/XException.h"
#include "foundation/XString.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{

const char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const char kHexDigits[] = "0123456789ABCDEF";
// Marks a byte outside the Base64 alphabet in the decoding table.
const int8_t kNotBase64 = -1;
// Characters URL encoding keeps in its lenient form, besides letters and digits.
const char kUrlSafeLenient[] = ";/?:@=&._-";

int8_t Base64Value(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return int8_t(c - 'A');
    if (c >= 'a' && c <= 'z')
        return int8_t(c - 'a' + 26);
    if (c >= '0' && c <= '9')
        return int8_t(c - '0' + 52);
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return kNotBase64;
}

bool IsAsciiAlphanumeric(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A size past what a string can hold makes MakeSize report memory exhaustion instead of
// silently wrapping around.
unsigned ClampSize(uint64_t size)
{
    return unsigned(std::min<uint64_t>(size, UINT32_MAX));
}

} // namespace

void XString::EncodeBase64()
{
    try
    {
        const unsigned char* in = reinterpret_cast<const unsigned char*>(Data());
        const unsigned length = m_uiLength;
        const uint64_t outLength = (uint64_t(length) + 2) / 3 * 4;
        XString result(false, false);
        result.MakeSize(ClampSize(outLength));
        char* out = result.Data();
        unsigned i = 0;
        for (; i + 3 <= length; i += 3)
        {
            const uint32_t group = (uint32_t(in[i]) << 16) | (uint32_t(in[i + 1]) << 8) | in[i + 2];
            *out++ = kBase64Alphabet[(group >> 18) & 0x3F];
            *out++ = kBase64Alphabet[(group >> 12) & 0x3F];
            *out++ = kBase64Alphabet[(group >> 6) & 0x3F];
            *out++ = kBase64Alphabet[group & 0x3F];
        }
        if (i < length)
        {
            const bool two = i + 1 < length;
            const uint32_t group = (uint32_t(in[i]) << 16) | (two ? uint32_t(in[i + 1]) << 8 : 0);
            *out++ = kBase64Alphabet[(group >> 18) & 0x3F];
            *out++ = kBase64Alphabet[(group >> 12) & 0x3F];
            *out++ = two ? kBase64Alphabet[(group >> 6) & 0x3F] : '=';
            *out++ = '=';
        }
        result.SetLengthRaw(unsigned(outLength));
        SetData(result);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in EncodeBase64 failed. Msg=");
    }
}

void XString::DecodeBase64()
{
    try
    {
        const unsigned char* in = reinterpret_cast<const unsigned char*>(Data());
        XString result(false, false);
        result.MakeSize(m_uiLength / 4 * 3 + 2);
        char* out = result.Data();
        unsigned produced = 0;
        uint32_t group = 0;
        unsigned have = 0;
        // Decoding ends at "=" or at the first character outside the alphabet.
        for (unsigned i = 0; i < m_uiLength; ++i)
        {
            const int8_t value = Base64Value(in[i]);
            if (value == kNotBase64)
                break;
            group = (group << 6) | uint32_t(value);
            if (++have == 4)
            {
                out[produced++] = char(group >> 16);
                out[produced++] = char(group >> 8);
                out[produced++] = char(group);
                group = 0;
                have = 0;
            }
        }
        // A final partial group of k characters carries k - 1 bytes; a lone character none.
        if (have == 2)
        {
            out[produced++] = char(group >> 4);
        }
        else if (have == 3)
        {
            out[produced++] = char(group >> 10);
            out[produced++] = char(group >> 2);
        }
        result.SetLengthRaw(produced);
        SetData(result);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in DecodeBase64 failed. Msg=");
    }
}

void XString::EncodeTwoByteHex()
{
    try
    {
        const unsigned char* in = reinterpret_cast<const unsigned char*>(Data());
        const uint64_t outLength = uint64_t(m_uiLength) * 2;
        XString result(false, false);
        result.MakeSize(ClampSize(outLength));
        char* out = result.Data();
        for (unsigned i = 0; i < m_uiLength; ++i)
        {
            *out++ = kHexDigits[in[i] >> 4];
            *out++ = kHexDigits[in[i] & 0xF];
        }
        result.SetLengthRaw(unsigned(outLength));
        SetData(result);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in EncodeTwoByteHex failed. Msg=");
    }
}

void XString::UrlEncode(bool strict)
{
    if (m_uiLength == 0)
        return;
    try
    {
        const unsigned char* in = reinterpret_cast<const unsigned char*>(Data());
        XString result(false, false);
        result.MakeSize(ClampSize(uint64_t(m_uiLength) * 3));
        char* out = result.Data();
        unsigned produced = 0;
        for (unsigned i = 0; i < m_uiLength; ++i)
        {
            const unsigned char c = in[i];
            if (c == ' ')
            {
                out[produced++] = '+';
            }
            else if (IsAsciiAlphanumeric(c) || (!strict && c != '\0' && std::strchr(kUrlSafeLenient, c)))
            {
                out[produced++] = char(c);
            }
            else
            {
                out[produced++] = '%';
                out[produced++] = kHexDigits[c >> 4];
                out[produced++] = kHexDigits[c & 0xF];
            }
        }
        result.SetLengthRaw(produced);
        SetData(result);
    }
    catch (const XException& e)
    {
        Rethrow(e, "in UrlEncode failed. Msg=");
    }
}
