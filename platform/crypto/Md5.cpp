// MD5 on nettle.
#include "platform/crypto/Md5.h"

#include <nettle/md5.h>

namespace plk::crypto
{

struct Md5::State
{
    md5_ctx ctx;
};

Md5::Md5() : m_state(std::make_unique<State>())
{
    md5_init(&m_state->ctx);
}

Md5::~Md5() = default;

void Md5::Update(std::span<const std::uint8_t> data)
{
    md5_update(&m_state->ctx, data.size(), data.data());
}

void Md5::Update(std::span<const char> data)
{
    Update(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
}

Md5Digest Md5::Finish()
{
    Md5Digest digest{};
    // nettle resets the context after producing the digest.
    md5_digest(&m_state->ctx, digest.size(), digest.data());
    return digest;
}

Md5Digest Md5::Of(std::span<const char> data)
{
    Md5 hash;
    hash.Update(data);
    return hash.Finish();
}

} // namespace plk::crypto
