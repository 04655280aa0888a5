// Password hashing and session identifiers on the platform's PBKDF2 and random source.
#include "server/Credentials.h"

#include "platform/crypto/Pbkdf2.h"
#include "platform/crypto/Random.h"

#include <array>

namespace plk::server
{
namespace
{

std::vector<std::uint8_t> Derive(std::string_view password, const std::vector<std::uint8_t>& salt,
                                 unsigned iterations)
{
    std::vector<std::uint8_t> hash(kHashBytes);
    crypto::Pbkdf2HmacSha256(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(password.data()), password.size()),
        salt, iterations, hash);
    return hash;
}

} // namespace

bool MakePasswordHash(std::string_view password, unsigned iterations, CPasswordHash& out)
{
    std::vector<std::uint8_t> salt(kSaltBytes);
    if (!crypto::RandomBytes(salt))
        return false;
    out.hash = Derive(password, salt, iterations);
    out.salt = std::move(salt);
    out.iterations = iterations;
    return true;
}

bool CheckPassword(std::string_view password, const CPasswordHash& stored)
{
    if (stored.iterations == 0 || stored.hash.size() != kHashBytes)
        return false;
    const std::vector<std::uint8_t> hash = Derive(password, stored.salt, stored.iterations);
    std::uint8_t difference = 0;
    for (std::size_t i = 0; i < kHashBytes; ++i)
        difference |= hash[i] ^ stored.hash[i];
    return difference == 0;
}

bool MakeSessionId(std::string& id)
{
    std::array<std::uint8_t, kSessionIdBytes> bytes{};
    if (!crypto::RandomBytes(bytes))
        return false;
    static const char kDigits[] = "0123456789abcdef";
    id.clear();
    for (std::uint8_t b : bytes)
    {
        id.push_back(kDigits[b >> 4]);
        id.push_back(kDigits[b & 0xF]);
    }
    return true;
}

} // namespace plk::server
