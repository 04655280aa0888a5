// Tests of XTextCipher: known answers for fixed time values, round trips, trailer layout and failures.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/XDateTime.h"
#include "foundation/XString.h"
#include "foundation/XTextCipher.h"

namespace
{

const uint64_t kTime = 0x0FB6D8CC2A45A02Aull;
const char* const kNoData = "Error: in Encrypt, no data to encrypt.";

// Expected bytes from an independent big-integer model of the cipher.
const uint8_t kAbc[] = {0x93, 0x6B, 0xFF, 0x41, 0x33, 0xBA, 0x41, 0x5F, 0x27, 0xDD, 0x9C};
const uint8_t kGreeting[] = {
    0xAB, 0x32, 0x3F, 0x15, 0x59, 0x4C, 0x29, 0xED, 0xC7, 0xEF, 0xA4, 0xA2,
    0x93, 0xAE, 0xC8, 0x88, 0xC7, 0x89, 0x09, 0x73, 0xD9, 0xE7, 0x84, 0xA4,
};
const uint8_t kCounting[] = {
    0xF0, 0xA4, 0x53, 0xB3, 0xFA, 0x4E, 0x23, 0x81, 0x0B, 0x42, 0x61, 0x20, 0x37, 0x4D, 0x49, 0xD9,
    0x28, 0xE1, 0x7F, 0x7D, 0x77, 0x91, 0xB7, 0x28, 0x88, 0x0F, 0xCE, 0x78, 0xA5, 0xAA, 0x00, 0x6A,
    0xBB, 0x33, 0x3A, 0x5E, 0x57, 0x00, 0xBC, 0xB0, 0xAF, 0x7F, 0x6D, 0x9D, 0x9F, 0xDC, 0x5F, 0x11,
    0xEC, 0xFD, 0x15, 0xC6, 0x5A, 0x6E, 0xEC, 0xAC, 0x7D, 0xD7, 0xBE, 0xE3, 0x8F, 0x3F, 0x00, 0x01,
    0x0B, 0x26, 0xED, 0xF5, 0xB6, 0x72, 0x3C, 0x81, 0xFA, 0x80, 0xE8, 0xA2, 0x98, 0x2F, 0xF6, 0x75,
    0x30, 0x58, 0xA0, 0x28, 0x71, 0xF8, 0x4C, 0x59, 0x7A, 0x81, 0x4A, 0x4A, 0x53, 0xE3, 0x12, 0xF0,
    0xAE, 0x31, 0xAF, 0x43, 0x06, 0x40, 0x5C, 0xD7, 0xF1, 0xD2, 0x45, 0x05, 0x9D, 0x99, 0xCA, 0xB9,
    0x83, 0x39, 0x12, 0xC8, 0xC7, 0x2A, 0xE7, 0x23, 0x45, 0x4D, 0x76, 0xAA, 0x8A, 0xDF, 0xCE, 0xBC,
    0xEE, 0x9A, 0x15, 0xB7, 0x16, 0x86, 0xEB, 0x00, 0xE0, 0x6F, 0x38, 0x43, 0x1F, 0xCF, 0xEE, 0x3B,
    0x9E, 0x2C, 0xFE, 0x2D, 0x1B, 0xE8, 0x6D, 0x48, 0xDF, 0xC1, 0xDE, 0xA8, 0xCC, 0x1F, 0x4C, 0x8C,
    0x01, 0x7E, 0x64, 0xA9, 0x12, 0x72, 0x7F, 0x2B, 0x22, 0xE3, 0x8A, 0x01, 0x81, 0x63, 0xAD, 0x13,
    0xD2, 0x15, 0xA7, 0xA6, 0x34, 0xC4, 0xBE, 0x32, 0x7B, 0x9B, 0x47, 0xC0, 0xAC, 0x35, 0x2C, 0x21,
    0x06, 0x7D, 0xC6, 0x14, 0x2D, 0x81, 0xAC, 0x8F, 0xFE, 0x23, 0x4E, 0xF2, 0xB2, 0x53, 0xA4, 0xF0,
};
const uint8_t kSingle[] = {0x2D, 0x2D, 0x2D, 0x2D, 0x2D, 0x2D, 0x2D, 0x2D, 0x2D};

XString FromBytes(const std::vector<uint8_t>& bytes)
{
    XString text;
    text.AppendData(reinterpret_cast<const char*>(bytes.data()), static_cast<unsigned>(bytes.size()));
    return text;
}

std::vector<uint8_t> Bytes(const XString& text)
{
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text.GetBuffer());
    return std::vector<uint8_t>(p, p + text.GetLength());
}

template <size_t N>
std::vector<uint8_t> Bytes(const uint8_t (&array)[N])
{
    return std::vector<uint8_t>(array, array + N);
}

// Bytes with every value, NUL included, in no simple order.
std::vector<uint8_t> Sample(size_t length)
{
    std::vector<uint8_t> bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<uint8_t>((i * 7 + i / 256) % 256);
    return bytes;
}

uint64_t Fnv1a(const std::vector<uint8_t>& bytes)
{
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 0x100000001b3ull;
    }
    return h;
}

uint64_t Trailer(const std::vector<uint8_t>& bytes)
{
    uint64_t value = 0;
    for (size_t i = 0; i < 8; ++i)
        value |= static_cast<uint64_t>(bytes[bytes.size() - 8 + i]) << (8 * i);
    return value;
}

uint64_t MaskOf(const std::vector<uint8_t>& bytes)
{
    size_t length = bytes.size() - 8;
    uint64_t mask = 0;
    for (size_t i = 0; i < 8; ++i)
        mask = (mask << 8) | bytes[i % length];
    return mask;
}

std::vector<uint8_t> Enciphered(const std::vector<uint8_t>& plain, const char* password, uint64_t timeValue)
{
    XTextCipher cipher;
    XString text = FromBytes(plain);
    EXPECT_TRUE(cipher.EncryptWithTime(text, password, timeValue)) << cipher.GetErrorMsg();
    return Bytes(text);
}

} // namespace

TEST(XTextCipherKnownAnswers, FixedTimeValuesGiveTheModelsBytes)
{
    EXPECT_EQ(Bytes(kAbc), Enciphered({'a', 'b', 'c'}, "secret", kTime));
    std::string greeting = "Hello, Plinkett!";
    // A password byte above 0x7F is sign-extended when it is added into the key.
    EXPECT_EQ(Bytes(kGreeting),
              Enciphered(std::vector<uint8_t>(greeting.begin(), greeting.end()), "pass\xe9word", kTime));
    std::vector<uint8_t> counting(200);
    for (size_t i = 0; i < counting.size(); ++i)
        counting[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(Bytes(kCounting), Enciphered(counting, "level pass phrase", 0x000000010800007Full));
    EXPECT_EQ(0x4930233281878f98ull, Fnv1a(Enciphered(Sample(5000), "correct horse", kTime)));
    EXPECT_EQ(0x591af31b68bfb90full, Fnv1a(Enciphered(Sample(1001), "correct horse", kTime)));
}

TEST(XTextCipherKnownAnswers, OneByteTextRepeatsItsCipherByteInTheMask)
{
    // With time value 0 the trailer is the mask itself: the one cipher byte, eight times.
    std::vector<uint8_t> bytes = Enciphered({'x'}, "abcd", 0);
    EXPECT_EQ(Bytes(kSingle), bytes);
    XTextCipher cipher;
    XString text = FromBytes(bytes);
    ASSERT_TRUE(cipher.Decrypt(text, "abcd"));
    EXPECT_STREQ("x", text.GetBuffer());
}

TEST(XTextCipherRoundTrip, EveryLengthAndPasswordComesBack)
{
    const char* passwords[] = {"abcd", "level pass phrase", "pass\xe9word\xff", ("a much longer password, "
                                                                                 "with spaces and punctuation!")};
    const uint64_t times[] = {0, kTime, ~0ull, 0x00000001FFFFFFFFull};
    const size_t lengths[] = {1, 3, 4, 7, 8, 127, 128, 129, 999, 1000, 1001, 5000};
    XTextCipher cipher;
    for (const char* password : passwords) {
        for (size_t length : lengths) {
            for (uint64_t time : times) {
                std::vector<uint8_t> plain = Sample(length);
                XString text = FromBytes(plain);
                ASSERT_TRUE(cipher.EncryptWithTime(text, password, time));
                std::vector<uint8_t> enciphered = Bytes(text);
                ASSERT_EQ(length + 8, enciphered.size());
                EXPECT_NE(plain, std::vector<uint8_t>(enciphered.begin(), enciphered.end() - 8));
                // The trailer carries the time value, masked by the first cipher bytes.
                EXPECT_EQ(time, Trailer(enciphered) ^ MaskOf(enciphered));
                ASSERT_TRUE(cipher.Decrypt(text, password)) << cipher.GetErrorMsg();
                ASSERT_EQ(plain, Bytes(text)) << "length " << length << ", password " << password;
                EXPECT_STREQ("", cipher.GetErrorMsg());
            }
        }
    }
}

TEST(XTextCipherRoundTrip, ClockTimedEncryptionCarriesTodaysUtcDate)
{
    XTextCipher cipher;
    XString text("abc");
    XDateTime before(true);
    ASSERT_TRUE(before.SetNow());
    ASSERT_TRUE(cipher.Encrypt(text, "password"));
    XDateTime after(true);
    ASSERT_TRUE(after.SetNow());
    ASSERT_EQ(11u, text.GetLength());

    std::vector<uint8_t> bytes = Bytes(text);
    uint64_t time = Trailer(bytes) ^ MaskOf(bytes);
    uint32_t dateWord = static_cast<uint32_t>(time >> 32);
    uint32_t timeWord = static_cast<uint32_t>(time);
    EXPECT_TRUE(dateWord == before.GetDateWord() || dateWord == after.GetDateWord());
    if (before.GetDateWord() == after.GetDateWord()) {
        EXPECT_GE(timeWord, before.GetTimeWord());
        EXPECT_LE(timeWord, after.GetTimeWord());
    }
    EXPECT_NE(0u, timeWord >> 27) << "the time word must carry the UTC flag";

    ASSERT_TRUE(cipher.Decrypt(text, "password"));
    EXPECT_STREQ("abc", text.GetBuffer());
}

TEST(XTextCipherRoundTrip, DifferentTimesGiveDifferentBytes)
{
    std::vector<uint8_t> plain = Sample(64);
    std::vector<uint8_t> first = Enciphered(plain, "password", kTime);
    std::vector<uint8_t> second = Enciphered(plain, "password", kTime + 1);
    EXPECT_NE(first, second);
    EXPECT_EQ(first, Enciphered(plain, "password", kTime));
}

TEST(XTextCipherFailures, ShortPasswordLeavesTheTextAlone)
{
    XTextCipher cipher;
    XString text("abc");
    EXPECT_FALSE(cipher.Encrypt(text, "abc"));
    EXPECT_STREQ("Error: in Encrypt, password must be at least 4 characters long.", cipher.GetErrorMsg());
    EXPECT_STREQ("abc", text.GetBuffer());
    EXPECT_FALSE(cipher.EncryptWithTime(text, nullptr, kTime));
    EXPECT_STREQ("abc", text.GetBuffer());

    XString enciphered = FromBytes(Bytes(kAbc));
    EXPECT_FALSE(cipher.Decrypt(enciphered, "sec"));
    EXPECT_STREQ("Error: in Decrypt, password must be at least 4 characters long.", cipher.GetErrorMsg());
    EXPECT_EQ(Bytes(kAbc), Bytes(enciphered));
    EXPECT_FALSE(cipher.Decrypt(enciphered, nullptr));
    EXPECT_EQ(Bytes(kAbc), Bytes(enciphered));
}

TEST(XTextCipherFailures, NothingToEncipherOrDecipher)
{
    XTextCipher cipher;
    XString empty;
    EXPECT_FALSE(cipher.Encrypt(empty, "password"));
    EXPECT_STREQ(kNoData, cipher.GetErrorMsg());
    EXPECT_EQ(0u, empty.GetLength());

    // Decrypt names Encrypt in this text; callers compare against it.
    XString seven = FromBytes({1, 2, 3, 4, 5, 6, 7});
    EXPECT_FALSE(cipher.Decrypt(seven, "password"));
    EXPECT_STREQ(kNoData, cipher.GetErrorMsg());
    EXPECT_EQ(std::vector<uint8_t>({1, 2, 3, 4, 5, 6, 7}), Bytes(seven));

    // A bare trailer has no cipher byte to unmask the time value with.
    XString eight = FromBytes({1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_FALSE(cipher.Decrypt(eight, "password"));
    EXPECT_STREQ(kNoData, cipher.GetErrorMsg());
    EXPECT_EQ(8u, eight.GetLength());

    // A later success clears the error text.
    XString text("abc");
    EXPECT_TRUE(cipher.Encrypt(text, "password"));
    EXPECT_STREQ("", cipher.GetErrorMsg());
}

TEST(XTextCipherFailures, WrongPasswordIsNotDetected)
{
    std::vector<uint8_t> plain = Sample(300);
    XTextCipher cipher;
    XString text = FromBytes(plain);
    ASSERT_TRUE(cipher.EncryptWithTime(text, "right password", kTime));
    EXPECT_TRUE(cipher.Decrypt(text, "wrong password"));
    EXPECT_STREQ("", cipher.GetErrorMsg());
    ASSERT_EQ(plain.size(), text.GetLength());
    EXPECT_NE(plain, Bytes(text));
}
