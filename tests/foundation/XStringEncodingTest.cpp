// XString Base64, hexadecimal and URL encodings.
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

TEST(XStringBase64, Rfc4648VectorsBothWays)
{
    const std::pair<const char*, const char*> kVectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"abc", "YWJj"},
        {"ab", "YWI="},
    };
    for (const auto& [plain, encoded] : kVectors)
    {
        XString s(plain);
        s.EncodeBase64();
        EXPECT_EQ(Text(s), encoded) << "encoding \"" << plain << "\"";
        s.DecodeBase64();
        EXPECT_EQ(Text(s), plain) << "decoding \"" << encoded << "\"";
    }
}

TEST(XStringBase64, EveryByteValueRoundTripsInALongText)
{
    std::string bytes;
    for (int round = 0; round < 5; ++round)
        for (int b = 0; b < 256; ++b)
            bytes += char(b);
    XString s = FromBytes(bytes);
    s.EncodeBase64();
    EXPECT_EQ(s.GetLength(), (bytes.size() + 2) / 3 * 4);
    EXPECT_EQ(Text(s).find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
              std::string::npos);
    s.DecodeBase64();
    EXPECT_EQ(Text(s), bytes);
}

TEST(XStringBase64, DecodingStopsAtPaddingOrAForeignCharacter)
{
    const std::pair<const char*, const char*> kCases[] = {
        {"Zm9v!Zm9v", "foo"},  {"Zm9vYg", "foob"}, {"Zm9vYmE", "fooba"}, {"Zm9vY", "foo"}, {"Zg==Zm9v", "f"},
        {"Zm9v\nYmFy", "foo"}, {"", ""},
    };
    for (const auto& [encoded, plain] : kCases)
    {
        XString s(encoded);
        s.DecodeBase64();
        EXPECT_EQ(Text(s), plain) << "decoding \"" << encoded << "\"";
    }
    XString nul("AAA=");
    nul.DecodeBase64();
    EXPECT_EQ(Text(nul), std::string(2, '\0'));
}

TEST(XStringHex, EveryByteBecomesTwoUpperCaseDigits)
{
    XString s = FromBytes(std::string("\x0A\x00\xFF\x7f", 4));
    s.EncodeTwoByteHex();
    EXPECT_EQ(Text(s), "0A00FF7F");
    XString empty;
    empty.EncodeTwoByteHex();
    EXPECT_EQ(Text(empty), "");
}

TEST(XStringUrl, LenientAndStrictForms)
{
    XString lenient("a b;/?:@=&._-~%+\xE9");
    XString strict(lenient);
    lenient.UrlEncode(false);
    EXPECT_EQ(Text(lenient), "a+b;/?:@=&._-%7E%25%2B%E9");
    strict.UrlEncode(true);
    EXPECT_EQ(Text(strict), "a+b%3B%2F%3F%3A%40%3D%26%2E%5F%2D%7E%25%2B%E9");

    XString name("Player One.2");
    name.UrlEncode(true);
    EXPECT_EQ(Text(name), "Player+One%2E2");
    XString withNul = FromBytes(std::string("a\0b", 3));
    withNul.UrlEncode(false);
    EXPECT_EQ(Text(withNul), "a%00b");
    XString empty;
    empty.UrlEncode(true);
    EXPECT_EQ(Text(empty), "");
}

} // namespace
