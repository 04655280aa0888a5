// Password-based key derivation (PBKDF2 with HMAC-SHA256) for storing passwords.
#pragma once

#include <cstdint>
#include <span>

namespace plk::crypto
{

// Fills `key` (any length) from the password and salt; the cost grows linearly with
// `iterations`, which must be at least 1.
void Pbkdf2HmacSha256(std::span<const std::uint8_t> password, std::span<const std::uint8_t> salt,
                      unsigned iterations, std::span<std::uint8_t> key);

} // namespace plk::crypto
