// RC4 on nettle's arcfour.
#include "platform/crypto/Rc4.h"

#include <cassert>
#include <nettle/arcfour.h>

namespace plk::crypto
{

struct Rc4::State
{
    arcfour_ctx ctx;
};

Rc4::Rc4(std::span<const std::uint8_t> key) : m_state(std::make_unique<State>())
{
    assert(key.size() >= ARCFOUR_MIN_KEY_SIZE && key.size() <= ARCFOUR_MAX_KEY_SIZE &&
           "RC4 key must be 1 to 256 bytes");
    arcfour_set_key(&m_state->ctx, key.size(), key.data());
}

Rc4::~Rc4() = default;

void Rc4::Process(std::span<std::uint8_t> data)
{
    // nettle allows source and destination to be the same buffer.
    arcfour_crypt(&m_state->ctx, data.size(), data.data(), data.data());
}

void Rc4::Process(std::span<char> data)
{
    Process(std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(data.data()), data.size()));
}

} // namespace plk::crypto
