// RC4 stream cipher whose key stream runs on across calls, as the system provider's RC4 key does
// when a long text is enciphered block by block.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace plk::crypto
{

class Rc4
{
  public:
    // RC4 accepts keys of 1 to 256 bytes; an empty or longer key is a programming error.
    explicit Rc4(std::span<const std::uint8_t> key);
    ~Rc4();
    Rc4(const Rc4&) = delete;
    Rc4& operator=(const Rc4&) = delete;

    // Enciphers or deciphers (the same operation) the bytes in place, continuing the key stream
    // where the previous call stopped.
    void Process(std::span<std::uint8_t> data);
    void Process(std::span<char> data);

  private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace plk::crypto
