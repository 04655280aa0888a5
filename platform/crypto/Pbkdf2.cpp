// PBKDF2-HMAC-SHA256 on nettle.
#include "platform/crypto/Pbkdf2.h"

#include <cassert>
#include <nettle/pbkdf2.h>

namespace plk::crypto
{

void Pbkdf2HmacSha256(std::span<const std::uint8_t> password, std::span<const std::uint8_t> salt,
                      unsigned iterations, std::span<std::uint8_t> key)
{
    assert(iterations >= 1 && "PBKDF2 needs at least one iteration");
    pbkdf2_hmac_sha256(password.size(), password.data(), iterations, salt.size(), salt.data(),
                       key.size(), key.data());
}

} // namespace plk::crypto
