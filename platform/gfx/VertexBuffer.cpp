// CPU-memory vertex buffers and the vertex-layout helpers.
#include "platform/gfx/VertexBuffer.h"

#include "platform/gfx/DeviceTypes.h"

#include <atomic>
#include <cstring>

namespace plk::gfx
{

uint32_t FloatBits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float BitsFloat(uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void ColorToFloats(uint32_t argb, float out[4])
{
    const float scale = 1.0f / 255.0f;
    out[0] = static_cast<float>((argb >> 16) & 0xFF) * scale;
    out[1] = static_cast<float>((argb >> 8) & 0xFF) * scale;
    out[2] = static_cast<float>(argb & 0xFF) * scale;
    out[3] = static_cast<float>((argb >> 24) & 0xFF) * scale;
}

uint64_t NextContentSerial()
{
    static std::atomic<uint64_t> serial{0};
    return ++serial;
}

int VertexSize(uint32_t fvf)
{
    int size = 0;
    if (fvf & kFvfXyz)
        size += 12;
    if (fvf & kFvfXyzRhw)
        size += 16;
    if (fvf & kFvfNormal)
        size += 12;
    if (fvf & kFvfPSize)
        size += 4;
    if (fvf & kFvfDiffuse)
        size += 4;
    if (fvf & kFvfSpecular)
        size += 4;
    if (fvf & kFvfTex1)
        size += 8;
    return size;
}

VertexBuffer::VertexBuffer(size_t length, uint32_t fvf) : m_bytes(length), m_fvf(fvf), m_serial(NextContentSerial())
{
}

int VertexBuffer::Lock(size_t offset, size_t size, void** data)
{
    if (!data)
        return kErrInvalidCall;
    *data = nullptr;
    if (m_locked || offset > m_bytes.size() || size > m_bytes.size() - offset)
        return kErrInvalidCall;
    m_locked = true;
    *data = m_bytes.data() + offset;
    return kOk;
}

int VertexBuffer::Unlock()
{
    if (!m_locked)
        return kErrInvalidCall;
    m_locked = false;
    m_serial = NextContentSerial();
    return kOk;
}

} // namespace plk::gfx
