// MD5 and RC4 known answers, and the RC4 key stream running on across blocks.
#include "platform/crypto/Md5.h"
#include "platform/crypto/Rc4.h"
#include "tests/platform/HexText.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace plk;

namespace
{

std::string Rc4Hex(const std::string& key, std::string text)
{
    crypto::Rc4 cipher(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(key.data()), key.size()));
    cipher.Process(std::span<char>(text));
    return HexText(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TEST(CryptoMd5, Rfc1321Vectors)
{
    const std::pair<const char*, const char*> kVectors[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [text, digest] : kVectors)
    {
        EXPECT_EQ(HexText(crypto::Md5::Of(std::string_view(text))), digest) << "MD5(\"" << text << "\")";
    }
}

TEST(CryptoRc4, KnownAnswers)
{
    EXPECT_EQ(Rc4Hex("Key", "Plaintext"), "bbf316e8d940af0ad3");
    EXPECT_EQ(Rc4Hex("Wiki", "pedia"), "1021bf0420");
    EXPECT_EQ(Rc4Hex("Secret", "Attack at dawn"), "45a01f645fc35b383552544b9bf5");
}

// A plain RC4, written from the algorithm, to check the library's key stream over long runs.
std::vector<std::uint8_t> ReferenceRc4(std::span<const std::uint8_t> key, std::vector<std::uint8_t> data)
{
    std::array<std::uint8_t, 256> s;
    for (int i = 0; i < 256; ++i)
    {
        s[i] = static_cast<std::uint8_t>(i);
    }
    for (int i = 0, j = 0; i < 256; ++i)
    {
        j = (j + s[i] + key[i % key.size()]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    int i = 0;
    int j = 0;
    for (std::uint8_t& byte : data)
    {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        byte ^= s[(s[i] + s[j]) & 0xFF];
    }
    return data;
}

TEST(CryptoRc4, KeyStreamRunsOnAcrossThousandByteBlocks)
{
    const crypto::Md5Digest key = crypto::Md5::Of(std::string_view("password"));
    std::vector<std::uint8_t> plain(3500);
    for (std::size_t k = 0; k < plain.size(); ++k)
    {
        plain[k] = static_cast<std::uint8_t>(k * 31 + 7);
    }
    std::vector<std::uint8_t> blocks = plain;
    crypto::Rc4 cipher(key);
    for (std::size_t start = 0; start < blocks.size(); start += 1000)
    {
        const std::size_t size = std::min<std::size_t>(1000, blocks.size() - start);
        cipher.Process(std::span<std::uint8_t>(blocks.data() + start, size));
    }
    EXPECT_EQ(blocks, ReferenceRc4(key, plain));

    crypto::Rc4 decipher(key);
    decipher.Process(std::span<std::uint8_t>(blocks));
    EXPECT_EQ(blocks, plain);
}

} // namespace
