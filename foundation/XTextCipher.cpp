// XTextCipher: a 1024-bit key built from length, time and password drives a rotating word pass
// and a byte pass; the time value travels, masked, in the trailer.
#include "foundation/XTextCipher.h"

#include <array>
#include <cstring>
#include <new>
#include <vector>

#include "foundation/XDateTime.h"
#include "foundation/XException.h"

namespace
{

const char* const kEncryptShortPassword = "Error: in Encrypt, password must be at least 4 characters long.";
const char* const kDecryptShortPassword = "Error: in Decrypt, password must be at least 4 characters long.";
// Decrypt reports a too-short text with Encrypt's words; callers compare against this text.
const char* const kNoData = "Error: in Encrypt, no data to encrypt.";
const char* const kEncryptNoMemory = "Error: in Encrypt, memory allocation failed.";
const char* const kDecryptNoMemory = "Error: in Decrypt, memory allocation failed.";
const char* const kEncryptGeneral = "Error: in Encrypt, general failure.";
const char* const kDecryptGeneral = "Error: in Decrypt, general failure.";

const int kKeyWords = 32;
const int kKeyBytes = kKeyWords * 4;
// Word 30 of the key must be reached by the password passes; word 31 then holds the password's head.
const int kFillWord = 30;
const int kTopWord = 31;
const uint32_t kPasswordMultiplier = 131;
// Rotation of the word pass: 3..30 bits, so that no word ever stays in place.
const uint32_t kWordRotations = 28;
const uint32_t kMinWordRotation = 3;
// Stand-in for a zero key byte at index 0 of the word pass.
const uint32_t kZeroKeyByte = 0x95;
// Rotation of the byte pass: 1..6 bits.
const uint32_t kByteRotations = 6;
// The longest text whose enciphered form a string can still hold.
const uint32_t kMaxTextLength = 0x7FFFFFFF - XTextCipher::kTrailerBytes;

// A 1024-bit unsigned number, least significant word first; all arithmetic is modulo 2^1024.
using Key = std::array<uint32_t, kKeyWords>;

Key MultiplyMod(const Key& a, const Key& b)
{
    Key product{};
    for (int i = 0; i < kKeyWords; ++i) {
        if (a[i] == 0)
            continue;
        uint64_t carry = 0;
        for (int j = 0; i + j < kKeyWords; ++j) {
            uint64_t t = static_cast<uint64_t>(a[i]) * b[j] + product[i + j] + carry;
            product[i + j] = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
    }
    return product;
}

void MultiplyAddSmall(Key& a, uint32_t multiplier, uint32_t addend)
{
    uint64_t carry = addend;
    for (uint32_t& word : a) {
        uint64_t t = static_cast<uint64_t>(word) * multiplier + carry;
        word = static_cast<uint32_t>(t);
        carry = t >> 32;
    }
}

Key FromUInt64(uint64_t value)
{
    Key key{};
    key[0] = static_cast<uint32_t>(value);
    key[1] = static_cast<uint32_t>(value >> 32);
    return key;
}

Key BuildKey(uint32_t length, uint64_t timeValue, const char* password, size_t passwordLength)
{
    Key a = FromUInt64(length);
    a = MultiplyMod(a, a);
    a = MultiplyMod(a, FromUInt64(timeValue));
    // The word is tested only between whole passes, never inside one.
    while (a[kFillWord] == 0) {
        for (size_t i = 0; i < passwordLength; ++i) {
            // The byte is sign-extended to 32 bits, as a signed char widens.
            uint32_t addend = static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(password[i])));
            MultiplyAddSmall(a, kPasswordMultiplier, addend);
            a[kTopWord] = 0;
        }
    }
    a[kTopWord] = static_cast<uint32_t>(static_cast<unsigned char>(password[0])) |
                  static_cast<uint32_t>(static_cast<unsigned char>(password[1])) << 8 |
                  static_cast<uint32_t>(static_cast<unsigned char>(password[2])) << 16 |
                  static_cast<uint32_t>(static_cast<unsigned char>(password[3])) << 24;
    return a;
}

uint32_t KeyByte(const Key& a, uint32_t j)
{
    return (a[j / 4] >> (8 * (j % 4))) & 0xFF;
}

uint32_t ReadWord(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void WriteWord(uint8_t* p, uint32_t word)
{
    p[0] = static_cast<uint8_t>(word);
    p[1] = static_cast<uint8_t>(word >> 8);
    p[2] = static_cast<uint8_t>(word >> 16);
    p[3] = static_cast<uint8_t>(word >> 24);
}

uint32_t RotateLeft32(uint32_t v, uint32_t r)
{
    return (v << r) | (v >> (32 - r));
}

uint32_t RotateRight32(uint32_t v, uint32_t r)
{
    return (v >> r) | (v << (32 - r));
}

uint8_t RotateLeft8(uint32_t v, uint32_t r)
{
    return static_cast<uint8_t>((v << r) | (v >> (8 - r)));
}

uint8_t RotateRight8(uint32_t v, uint32_t r)
{
    return static_cast<uint8_t>((v >> r) | (v << (8 - r)));
}

// The rotation of the four-byte window at pos in the word pass.
uint32_t WordRotation(const Key& a, uint32_t pos)
{
    uint32_t j = pos % kKeyBytes;
    uint32_t k = a[j / 4];
    if (pos != 0)
        k *= pos;
    uint32_t kb = (k >> (8 * (j % 4))) & 0xFF;
    if (kb == 0)
        kb = j;
    if (kb == 0)
        kb = kZeroKeyByte;
    return kb % kWordRotations + kMinWordRotation;
}

// The key byte of the byte pass at idx; never 0.
uint32_t ByteKey(const Key& a, uint32_t idx)
{
    uint32_t kb = KeyByte(a, idx);
    return kb != 0 ? kb : idx + 1;
}

// The first eight cipher bytes as a big-endian number, cycling over a shorter text.
uint64_t Mask(const uint8_t* b, uint32_t length)
{
    uint64_t m = 0;
    for (uint32_t i = 0; i < XTextCipher::kTrailerBytes; ++i)
        m = (m << 8) | b[i % length];
    return m;
}

size_t PasswordLength(const char* password)
{
    return password ? std::strlen(password) : 0;
}

void Encipher(uint8_t* b, uint32_t length, uint64_t timeValue, const char* password, size_t passwordLength)
{
    Key a = BuildKey(length, timeValue, password, passwordLength);
    if (length >= 4) {
        for (uint32_t pos = length - 4;; --pos) {
            WriteWord(b + pos, RotateLeft32(ReadWord(b + pos), WordRotation(a, pos)));
            if (pos == 0)
                break;
        }
    }
    uint32_t idx = static_cast<uint32_t>(timeValue) % kKeyBytes;
    for (uint32_t i = 0; i < length; ++i) {
        uint32_t kb = ByteKey(a, idx);
        b[i] = static_cast<uint8_t>(RotateRight8((b[i] + kb) & 0xFF, kb % kByteRotations + 1) ^ kb);
        idx = (idx + 1) % kKeyBytes;
    }
    uint64_t trailer = timeValue ^ Mask(b, length);
    for (uint32_t i = 0; i < XTextCipher::kTrailerBytes; ++i)
        b[length + i] = static_cast<uint8_t>(trailer >> (8 * i));
}

void Decipher(uint8_t* b, uint32_t length, const char* password, size_t passwordLength)
{
    uint64_t trailer = 0;
    for (uint32_t i = 0; i < XTextCipher::kTrailerBytes; ++i)
        trailer |= static_cast<uint64_t>(b[length + i]) << (8 * i);
    uint64_t timeValue = trailer ^ Mask(b, length);
    Key a = BuildKey(length, timeValue, password, passwordLength);
    uint32_t idx = static_cast<uint32_t>(timeValue) % kKeyBytes;
    for (uint32_t i = 0; i < length; ++i) {
        uint32_t kb = ByteKey(a, idx);
        uint8_t t = RotateLeft8(b[i] ^ kb, kb % kByteRotations + 1);
        b[i] = static_cast<uint8_t>(t - kb);
        idx = (idx + 1) % kKeyBytes;
    }
    if (length >= 4) {
        for (uint32_t pos = 0; pos <= length - 4; ++pos)
            WriteWord(b + pos, RotateRight32(ReadWord(b + pos), WordRotation(a, pos)));
    }
}

} // namespace

XTextCipher::XTextCipher() = default;

bool XTextCipher::Encrypt(XString& text, const char* password)
{
    // The value is only a salt that travels with the text: should the clock be out of the
    // calendar's range, the default date still enciphers and deciphers correctly.
    XDateTime now(true);
    now.SetNow();
    uint64_t timeValue = static_cast<uint64_t>(now.GetDateWord()) << 32 | now.GetTimeWord();
    return EncryptWithTime(text, password, timeValue);
}

bool XTextCipher::EncryptWithTime(XString& text, const char* password, uint64_t timeValue)
{
    try {
        m_strErrorMsg = "";
        size_t passwordLength = PasswordLength(password);
        if (passwordLength < kMinPasswordLength) {
            m_strErrorMsg = kEncryptShortPassword;
            return false;
        }
        uint32_t length = text.GetLength();
        if (length == 0) {
            m_strErrorMsg = kNoData;
            return false;
        }
        // The enciphered text must still fit a string's length.
        if (length > kMaxTextLength) {
            m_strErrorMsg = kEncryptNoMemory;
            return false;
        }
        try {
            std::vector<uint8_t> buffer(static_cast<size_t>(length) + kTrailerBytes);
            std::memcpy(buffer.data(), text.GetBuffer(), length);
            Encipher(buffer.data(), length, timeValue, password, passwordLength);
            text.SetData(reinterpret_cast<const char*>(buffer.data()), static_cast<int>(buffer.size()));
        } catch (const std::bad_alloc&) {
            m_strErrorMsg = kEncryptNoMemory;
            return false;
        } catch (const XException& e) {
            m_strErrorMsg = e.GetCode() == XEXC_OUT_OF_MEMORY ? kEncryptNoMemory : kEncryptGeneral;
            return false;
        } catch (...) {
            m_strErrorMsg = kEncryptGeneral;
            return false;
        }
        return true;
    } catch (...) {
        // Even recording the reason failed; the text is unchanged all the same.
        return false;
    }
}

bool XTextCipher::Decrypt(XString& text, const char* password)
{
    try {
        m_strErrorMsg = "";
        size_t passwordLength = PasswordLength(password);
        if (passwordLength < kMinPasswordLength) {
            m_strErrorMsg = kDecryptShortPassword;
            return false;
        }
        // A bare trailer holds no cipher byte to unmask it with: nothing to decipher.
        if (text.GetLength() <= kTrailerBytes) {
            m_strErrorMsg = kNoData;
            return false;
        }
        uint32_t length = text.GetLength() - kTrailerBytes;
        try {
            std::vector<uint8_t> buffer(text.GetLength());
            std::memcpy(buffer.data(), text.GetBuffer(), buffer.size());
            Decipher(buffer.data(), length, password, passwordLength);
            text.SetData(reinterpret_cast<const char*>(buffer.data()), static_cast<int>(length));
        } catch (const std::bad_alloc&) {
            m_strErrorMsg = kDecryptNoMemory;
            return false;
        } catch (const XException& e) {
            m_strErrorMsg = e.GetCode() == XEXC_OUT_OF_MEMORY ? kDecryptNoMemory : kDecryptGeneral;
            return false;
        } catch (...) {
            m_strErrorMsg = kDecryptGeneral;
            return false;
        }
        return true;
    } catch (...) {
        return false;
    }
}
