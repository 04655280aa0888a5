// Box objects: the generated textured box, its bounds, drawing and picking.
#include "engine/XDXBoxObject.h"

#include "engine/XBasicMesh.h"
#include "engine/XDXTexture.h"
#include "engine/XGameEngine.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/DeviceLighting.h"
#include "platform/gfx/Lighting.h"
#include "platform/gfx/Mesh.h"

#include <algorithm>
#include <cmath>

using plk::gfx::Vector3;

namespace
{

// One face: its outward normal and the two in-plane axes that carry u and v (axis indices x 0, y 1, z 2).
struct BoxFace
{
    int normalAxis;
    float sign;
    int uAxis;
    int vAxis;
};

// Every face is wound clockwise seen from outside, the front side under the default culling.
const BoxFace kFaces[] = {
    {2, -1.0f, 0, 1}, {2, 1.0f, 0, 1}, {0, -1.0f, 2, 1}, {0, 1.0f, 2, 1}, {1, -1.0f, 0, 2}, {1, 1.0f, 0, 2},
};

float& Axis(gfx::Float3& v, int axis)
{
    return v[axis];
}

} // namespace

XDXBoxObject::XDXBoxObject() = default;

XDXBoxObject::~XDXBoxObject() = default;

bool XDXBoxObject::Build(float width, float height, float depth, XDXTexture* texture, float textureUnits)
{
    m_fWidth = width;
    m_fHeight = height;
    m_fDepth = depth;
    m_pBoxTexture = texture;
    m_pGpu.reset();
    m_boxData.Clear();
    const float half[3] = {width * 0.5f, height * 0.5f, depth * 0.5f};
    const float size[3] = {width, height, depth};
    const float repeat = textureUnits > 0.0f ? textureUnits : 1.0f;
    for (const BoxFace& face : kFaces)
    {
        const uint32_t base = static_cast<uint32_t>(m_boxData.positions.size());
        // Corners in the order (u-, v+), (u+, v+), (u+, v-), (u-, v-): texture top-left first.
        const float us[4] = {-1.0f, 1.0f, 1.0f, -1.0f};
        const float vs[4] = {1.0f, 1.0f, -1.0f, -1.0f};
        for (int c = 0; c < 4; ++c)
        {
            gfx::Float3 p{0, 0, 0};
            Axis(p, face.normalAxis) = face.sign * half[face.normalAxis];
            Axis(p, face.uAxis) = us[c] * half[face.uAxis];
            Axis(p, face.vAxis) = vs[c] * half[face.vAxis];
            gfx::Float3 n{0, 0, 0};
            Axis(n, face.normalAxis) = face.sign;
            m_boxData.positions.push_back(p);
            m_boxData.normals.push_back(n);
            m_boxData.texCoords.push_back({(us[c] + 1.0f) * 0.5f * size[face.uAxis] / repeat,
                                           (1.0f - vs[c]) * 0.5f * size[face.vAxis] / repeat});
        }
        // Seen from outside the corners run clockwise on one side of the box and counter-clockwise on
        // the other; the triangle order follows so that both end up clockwise.
        const Vector3 a{m_boxData.positions[base][0], m_boxData.positions[base][1], m_boxData.positions[base][2]};
        const Vector3 b{m_boxData.positions[base + 1][0], m_boxData.positions[base + 1][1],
                        m_boxData.positions[base + 1][2]};
        const Vector3 c{m_boxData.positions[base + 2][0], m_boxData.positions[base + 2][1],
                        m_boxData.positions[base + 2][2]};
        const Vector3 normal{m_boxData.normals[base][0], m_boxData.normals[base][1], m_boxData.normals[base][2]};
        const bool clockwise = plk::gfx::Dot(plk::gfx::Cross(b - a, c - a), normal) > 0.0f;
        const uint32_t order[6] = {0, 1, 2, 0, 2, 3};
        const uint32_t mirrored[6] = {0, 2, 1, 0, 3, 2};
        for (int k = 0; k < 6; ++k)
            m_boxData.indices.push_back(base + (clockwise ? order[k] : mirrored[k]));
    }
    gfx::MeshMaterial white;
    m_boxData.materials.push_back(white);
    m_boxData.subsets.push_back({0, 0, static_cast<uint32_t>(m_boxData.indices.size()), 0,
                                 static_cast<uint32_t>(m_boxData.positions.size())});
    m_boxData.ComputeBounds();
    return true;
}

void XDXBoxObject::Draw()
{
    XGameEngine* engine = XGameEngine::GetEngine();
    plk::gfx::Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device || m_boxData.indices.empty())
        return;
    if (!m_pGpu)
    {
        m_pGpu = std::make_unique<plk::gfx::Mesh>();
        m_pGpu->SetData(m_boxData);
    }
    RebuildWorld();
    device->SetTransform(plk::gfx::kWorld, GetWorldMatrix());
    plk::gfx::Material white;
    white.ambient = white.diffuse;
    plk::gfx::SetMaterial(*device, white);
    device->SetTexture(0, m_pBoxTexture ? m_pBoxTexture->GetTexture() : nullptr);
    m_pGpu->Draw(*device, 0, static_cast<uint32_t>(m_boxData.indices.size()));
    device->SetTexture(0, nullptr);
}

void XDXBoxObject::GetBounds(Vector3& min, Vector3& max)
{
    const Vector3& p = GetPosition();
    min = {p.x - m_fWidth * 0.5f, p.y - m_fHeight * 0.5f, p.z - m_fDepth * 0.5f};
    max = {p.x + m_fWidth * 0.5f, p.y + m_fHeight * 0.5f, p.z + m_fDepth * 0.5f};
}

bool XDXBoxObject::HitTest(const Vector3& origin, const Vector3& direction, float& distance)
{
    Vector3 low, high;
    GetBounds(low, high);
    if (!plk::gfx::RayHitsBox(origin, direction, low, high))
        return false;
    RebuildWorld();
    plk::gfx::Matrix inverse;
    if (!plk::gfx::MatrixInverse(GetWorldMatrix(), inverse))
        return false;
    const Vector3 localOrigin = plk::gfx::TransformCoord(origin, inverse);
    const Vector3 localDirection = plk::gfx::TransformNormal(direction, inverse);
    float nearest = 0.0f;
    const bool hit = XBasicMesh::IntersectData(m_boxData, localOrigin, localDirection, nearest);
    if (!hit)
        return false;
    const Vector3 world = plk::gfx::TransformCoord(localOrigin + localDirection * nearest, GetWorldMatrix());
    distance = plk::gfx::Length(world - origin);
    return true;
}
