// Mesh arrays interleaved once and kept in OpenGL buffer objects.
#include "platform/gfx/Mesh.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/GlContext.h"
#include "platform/mesh/MeshData.h"

namespace plk::gfx
{

namespace
{

const int kFloatsPerVertex = Mesh::kStride / static_cast<int>(sizeof(float));

} // namespace

Mesh::~Mesh()
{
    DeleteBuffers();
}

void Mesh::SetData(const ::gfx::MeshData& data)
{
    DeleteBuffers();
    m_vertices.clear();
    m_vertices.reserve(data.positions.size() * kFloatsPerVertex);
    for (size_t i = 0; i < data.positions.size(); ++i)
    {
        const auto& p = data.positions[i];
        const auto n = i < data.normals.size() ? data.normals[i] : ::gfx::Float3{0, 0, 0};
        const auto t = i < data.texCoords.size() ? data.texCoords[i] : ::gfx::Float2{0, 0};
        m_vertices.insert(m_vertices.end(), {p[0], p[1], p[2], n[0], n[1], n[2], t[0], t[1]});
    }
    m_indices = data.indices;
    m_serial = NextContentSerial();
}

void Mesh::Release()
{
    DeleteBuffers();
    m_vertices.clear();
    m_indices.clear();
}

void Mesh::DeleteBuffers()
{
    // Names of a context that is gone died with it; never delete them in another one.
    if (m_generation != 0 && m_generation == CurrentContextGeneration())
    {
        glDeleteBuffers(1, &m_vertexBuffer);
        glDeleteBuffers(1, &m_indexBuffer);
    }
    m_vertexBuffer = m_indexBuffer = 0;
    m_generation = 0;
}

bool Mesh::Upload()
{
    const uint64_t generation = CurrentContextGeneration();
    if (generation == 0)
        return false;
    if (m_generation == generation)
        return true;
    m_vertexBuffer = m_indexBuffer = 0;
    glGenBuffers(1, &m_vertexBuffer);
    glGenBuffers(1, &m_indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_vertices.size() * sizeof(float)), m_vertices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_indices.size() * sizeof(uint32_t)),
                 m_indices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    m_generation = generation;
    return true;
}

int Mesh::Draw(Device& device, uint32_t indexStart, uint32_t indexCount)
{
    if (m_indices.empty() || indexCount == 0)
        return kOk;
    if (static_cast<uint64_t>(indexStart) + indexCount > m_indices.size() || indexCount % 3 != 0)
        return kErrInvalidCall;
    if (!Upload())
        return kErrNoContext;
    return device.DrawIndexedBuffers(kTriangleList, kFvf, kStride, m_vertexBuffer, m_indexBuffer, m_serial,
                                     indexStart, static_cast<int>(indexCount / 3));
}

} // namespace plk::gfx
