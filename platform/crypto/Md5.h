// MD5 message digest, streaming; stands in for the system provider's MD5 hash object.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace plk::crypto
{

// Size of an MD5 digest in bytes.
const std::size_t kMd5DigestSize = 16;

using Md5Digest = std::array<std::uint8_t, kMd5DigestSize>;

class Md5
{
  public:
    Md5();
    ~Md5();
    Md5(const Md5&) = delete;
    Md5& operator=(const Md5&) = delete;

    // Feeds more bytes; any number of calls, any sizes.
    void Update(std::span<const std::uint8_t> data);
    void Update(std::span<const char> data);

    // Returns the digest of everything fed so far and starts a new, empty hash.
    Md5Digest Finish();

    // The digest of one buffer.
    static Md5Digest Of(std::span<const char> data);

  private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace plk::crypto
