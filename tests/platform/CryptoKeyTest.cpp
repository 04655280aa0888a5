// Password key derivation against published vectors, and the system's random bytes.
#include "platform/crypto/Pbkdf2.h"
#include "platform/crypto/Random.h"
#include "tests/platform/HexText.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using namespace plk;

namespace
{

std::string DeriveHex(const std::string& password, const std::string& salt, unsigned iterations,
                      std::size_t length)
{
    std::vector<std::uint8_t> key(length);
    crypto::Pbkdf2HmacSha256(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(password.data()), password.size()),
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(salt.data()), salt.size()),
        iterations, key);
    return HexText(key);
}

TEST(CryptoPbkdf2, PublishedVectors)
{
    EXPECT_EQ(DeriveHex("passwd", "salt", 1, 64),
              "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
              "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
    EXPECT_EQ(DeriveHex("password", "salt", 4096, 32),
              "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a");
}

TEST(CryptoPbkdf2, SaltAndIterationsChangeTheKey)
{
    const std::string base = DeriveHex("secret", "salt-one", 10, 32);
    EXPECT_NE(DeriveHex("secret", "salt-two", 10, 32), base);
    EXPECT_NE(DeriveHex("secret", "salt-one", 11, 32), base);
    EXPECT_NE(DeriveHex("Secret", "salt-one", 10, 32), base);
}

TEST(CryptoRandom, FillsLargeBuffersWithDistinctValues)
{
    // Larger than the 256 bytes one getrandom call is sure to deliver at once.
    std::vector<std::uint8_t> big(4096, 0);
    ASSERT_TRUE(crypto::RandomBytes(big));
    std::set<std::uint8_t> seen(big.begin(), big.end());
    EXPECT_GT(seen.size(), 200u) << "4096 random bytes should take most of the 256 values";

    std::set<std::string> ids;
    for (int i = 0; i < 100; ++i)
    {
        std::array<std::uint8_t, 16> id{};
        ASSERT_TRUE(crypto::RandomBytes(id));
        ids.insert(HexText(id));
    }
    EXPECT_EQ(ids.size(), 100u) << "128-bit values never repeat";
}

} // namespace
