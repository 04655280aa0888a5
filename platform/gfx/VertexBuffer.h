// A vertex buffer in CPU memory with Direct3D's lock and unlock; the device sends it at draw time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plk::gfx
{

class VertexBuffer
{
public:
    // length in bytes; fvf = the vertex layout flags the buffer holds.
    VertexBuffer(size_t length, uint32_t fvf);

    // Points data at offset bytes in; size 0 locks to the end. Fails when already locked or
    // when the range lies outside the buffer.
    int Lock(size_t offset, size_t size, void** data);
    int Unlock();
    bool IsLocked() const { return m_locked; }

    size_t Length() const { return m_bytes.size(); }
    uint32_t Format() const { return m_fvf; }
    // The vertices for drawing; null while locked, since the contents are being written.
    const uint8_t* Data() const { return m_locked ? nullptr : m_bytes.data(); }
    // Changes at every unlock.
    uint64_t Serial() const { return m_serial; }

private:
    std::vector<uint8_t> m_bytes;
    uint32_t m_fvf = 0;
    bool m_locked = false;
    uint64_t m_serial = 0;
};

} // namespace plk::gfx
