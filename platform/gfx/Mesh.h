// A mesh's GPU copy: interleaved vertices and a triangle index list in buffer objects, created on
// the drawing thread at the first draw and recreated when the context changes.
#pragma once

#include "platform/gfx/DeviceTypes.h"

#include <cstdint>
#include <vector>

namespace gfx
{
struct MeshData;
}

namespace plk::gfx
{

class Device;

class Mesh
{
public:
    // Position, normal and texture coordinates of every vertex.
    static const uint32_t kFvf = kFvfXyz | kFvfNormal | kFvfTex1;
    static const int kStride = 32;

    Mesh() = default;
    ~Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    // Copies the arrays; no GPU work, so any thread may call it.
    void SetData(const ::gfx::MeshData& data);
    void Release();
    bool Empty() const { return m_indices.empty(); }

    // Draws indexCount indices from indexStart as a triangle list with the device's states.
    // Drawing thread only: the buffers are uploaded here when this context has not seen them.
    int Draw(Device& device, uint32_t indexStart, uint32_t indexCount);

private:
    bool Upload();
    void DeleteBuffers();

    std::vector<float> m_vertices; // kStride bytes per vertex
    std::vector<uint32_t> m_indices;
    unsigned m_vertexBuffer = 0;
    unsigned m_indexBuffer = 0;
    uint64_t m_generation = 0;
    uint64_t m_serial = 0;
};

} // namespace plk::gfx
