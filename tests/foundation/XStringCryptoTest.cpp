// XString Encrypt and Decrypt: known answers from an independent RC4 and round trips.
#include "foundation/XString.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace
{

std::string Text(const XString& s)
{
    return std::string(s.GetBuffer(), s.GetLength());
}

XString FromBytes(const std::string& bytes)
{
    XString s;
    s.AppendData(bytes.data(), unsigned(bytes.size()));
    return s;
}

std::string Pattern(size_t length, unsigned seed)
{
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i)
        bytes[i] = char((i * 7 + seed) & 0xFF);
    return bytes;
}

// The expected bytes come from OpenSSL's RC4 keyed with the MD5 digest of the password
// (openssl enc -rc4 -nosalt -K <md5sum of password>), not from the code under test.
TEST(XStringCrypto, EncryptMatchesRc4KeyedWithTheMd5OfThePassword)
{
    XString s("<GameLevel><Name>Tutorial</Name></GameLevel>");
    ASSERT_TRUE(s.Encrypt("Plinkett", 2)) << s.GetErrorMsg();
    s.EncodeTwoByteHex();
    EXPECT_EQ(Text(s),
              "C9F0790BF8457FC4F632135411B541F15F4746F5BC087F548A5148AD645BA64494787D8BFDE133CF0877858E");

    // 2500 bytes cross two block boundaries; the key stream must run on across them, so bytes
    // from the start, the second block and the end of the third are checked.
    XString longText = FromBytes(Pattern(2500, 3));
    ASSERT_TRUE(longText.Encrypt("level-key", 2));
    ASSERT_EQ(longText.GetLength(), 2500u);
    const std::pair<unsigned, const char*> kSamples[] = {
        {0, "79E84B81B786DA77"}, {1000, "A1ABE8D9C5C09EFD"}, {2492, "2E2268B7FF7351C5"}};
    for (const auto& [offset, expected] : kSamples)
    {
        XString sample(longText.Sub(offset, 8));
        sample.EncodeTwoByteHex();
        EXPECT_EQ(Text(sample), expected) << "at offset " << offset;
    }
    XString tail = FromBytes(Pattern(2500, 3));
    ASSERT_TRUE(tail.Encrypt("level-key", 2));
    ASSERT_TRUE(tail.Decrypt("level-key", 2));
    EXPECT_EQ(Text(tail), Pattern(2500, 3));
}

TEST(XStringCrypto, RoundTripsAcrossBlockSizesAndPasswords)
{
    const size_t kLengths[] = {0, 1, 3, 4, 7, 8, 999, 1000, 1001, 2000, 4321};
    const char* const kPasswords[] = {"", "a", "Plinkett3 level password", "\xE9t\xE9"};
    for (const char* password : kPasswords)
    {
        for (size_t length : kLengths)
        {
            const std::string plain = Pattern(length, unsigned(length));
            XString s = FromBytes(plain);
            ASSERT_TRUE(s.Encrypt(password, 2));
            ASSERT_EQ(s.GetLength(), length);
            if (length >= 8)
            {
                EXPECT_NE(Text(s), plain) << "length " << length;
            }
            ASSERT_TRUE(s.Decrypt(password, 2));
            EXPECT_EQ(Text(s), plain) << "password \"" << password << "\", length " << length;
        }
    }
}

TEST(XStringCrypto, StoredFormSurvivesBase64AndAWrongPasswordDoesNotRestore)
{
    const std::string login = "user\nsecret\n1";
    XString s(login.c_str());
    ASSERT_TRUE(s.Encrypt("pw", 2));
    s.EncodeBase64();
    s.DecodeBase64();
    XString wrong(s);
    ASSERT_TRUE(s.Decrypt("pw", 2));
    EXPECT_EQ(Text(s), login);
    ASSERT_TRUE(wrong.Decrypt("pW", 2));
    EXPECT_NE(Text(wrong), login);
}

TEST(XStringCrypto, NullPasswordFailsAndOtherMethodsChangeNothing)
{
    XString s("text");
    EXPECT_FALSE(s.Encrypt(nullptr, 2));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::Encrypt password is NULL.");
    EXPECT_FALSE(s.Decrypt(nullptr, 2));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::Decrypt password is NULL.");
    EXPECT_EQ(Text(s), "text");
    EXPECT_TRUE(s.Encrypt("pw", 1));
    EXPECT_TRUE(s.Decrypt("pw", 3));
    EXPECT_EQ(Text(s), "text");
    EXPECT_STREQ(s.GetErrorMsg(), "");
}

} // namespace
