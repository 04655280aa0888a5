// Password hashes and session identifiers of the score server.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plk::server
{

// PBKDF2-HMAC-SHA256 rounds for new passwords: about 50 ms per login on a small machine, which
// also slows down guessing. Each stored hash keeps its own count, so raising this later leaves
// older accounts working.
const unsigned kPasswordIterations = 100000;
const std::size_t kSaltBytes = 16;
const std::size_t kHashBytes = 32;
// 128 random bits, written as 32 lower-case hexadecimal digits.
const std::size_t kSessionIdBytes = 16;

struct CPasswordHash
{
    std::vector<std::uint8_t> salt;
    std::vector<std::uint8_t> hash;
    unsigned iterations = 0;
};

// A fresh random salt and the password's hash under it; false only when the system has no
// random bytes to give.
bool MakePasswordHash(std::string_view password, unsigned iterations, CPasswordHash& out);
// Compares in time independent of where the hashes differ.
bool CheckPassword(std::string_view password, const CPasswordHash& stored);

// False only when the system has no random bytes to give.
bool MakeSessionId(std::string& id);

} // namespace plk::server
