// Scene objects: placement matrices, drawing, animation and bounds.
#include "engine/XDXMeshObject.h"

#include "engine/XBasicMesh.h"
#include "engine/XGameEngine.h"
#include "engine/XRandom.h"
#include "platform/gfx/Device.h"

using plk::gfx::Matrix;
using plk::gfx::Vector3;

namespace
{

// Objects made together start their animations up to this many ms apart.
const int kAnimationStartSpread = 600;
const float kRadiansPerDegree = 0.017453292f;
// The mean of the three scale factors.
const float kOneThird = 0.33333334f;

} // namespace

XDXMeshObject::XDXMeshObject()
{
    m_matScaling = m_matRotation = m_matTranslation = m_matWorld = plk::gfx::MatrixIdentity();
}

XDXMeshObject::~XDXMeshObject() = default;

void XDXMeshObject::Init(bool effectFlag, int kind)
{
    m_pMesh = nullptr;
    m_pTexture = nullptr;
    m_pEffectDrawable = nullptr;
    m_iOption = 0;
    m_bEffectFlag = effectFlag;
    m_iKind = kind;
    m_fAnimationClock = static_cast<float>(XRandom::Effects().Below(kAnimationStartSpread));
    m_animation = XMeshAnimation();
    m_vPosition = {0.0f, 0.0f, 0.0f};
    m_vRotation = {0.0f, 0.0f, 0.0f};
    m_vScale = {1.0f, 1.0f, 1.0f};
    m_matScaling = m_matRotation = m_matTranslation = plk::gfx::MatrixIdentity();
    RebuildWorld();
}

void XDXMeshObject::RebuildWorld()
{
    m_matWorld = m_matScaling * m_matRotation * m_matTranslation;
}

int XDXMeshObject::CurrentFrame() const
{
    if (m_pMesh && m_pMesh->IsAnimated() && m_pMesh->GetFrameCount() > 0)
        return m_animation.GetFrame(m_pMesh->GetFrameCount());
    return 0;
}

void XDXMeshObject::Draw()
{
    XGameEngine* engine = XGameEngine::GetEngine();
    if (!engine || !m_pMesh)
        return;
    if (m_bEffectFlag)
    {
        if (m_pEffectDrawable)
            m_pEffectDrawable->Draw();
        return;
    }
    if (m_pMesh->IsAnimated() && m_pMesh->GetFrameCount() == 0)
        return;
    plk::gfx::Device* device = engine->GetDevice();
    if (!device)
        return;
    RebuildWorld();
    device->SetTransform(plk::gfx::kWorld, m_matWorld);
    m_pMesh->DrawFrame(CurrentFrame(), m_pTexture);
}

void XDXMeshObject::Update(float dt)
{
    m_fAnimationClock += dt;
    if (!m_bEffectFlag && m_pMesh && m_pMesh->IsAnimated() && m_pMesh->GetFrameCount() > 0)
        m_animation.Step(dt, m_pMesh->GetFrameCount());
}

void XDXMeshObject::Refresh() {}

float XDXMeshObject::GetRadius()
{
    float radius = 0.0f;
    if (!m_pMesh || !m_pMesh->GetBoundingSphere(CurrentFrame(), nullptr, &radius))
        return 0.0f;
    return radius * (m_vScale.x + m_vScale.y + m_vScale.z) * kOneThird;
}

void XDXMeshObject::GetBounds(Vector3& min, Vector3& max)
{
    GetBoundsXYZ(&min.x, &max.x, &min.y, &max.y, &min.z, &max.z);
}

void XDXMeshObject::GetBoundsXYZ(float* minX, float* maxX, float* minY, float* maxY, float* minZ, float* maxZ)
{
    Vector3 low = m_vPosition, high = m_vPosition;
    Vector3 boxMin, boxMax;
    if (m_pMesh &&
        m_pMesh->GetBoundingBox(CurrentFrame(), &boxMin.x, &boxMin.y, &boxMin.z, &boxMax.x, &boxMax.y, &boxMax.z))
    {
        // The position is added before the scale is applied. The game reads either the extents,
        // which are the same in both orders, or the bounds of unscaled cubes, which are the drawn box.
        low = {(boxMin.x + m_vPosition.x) * m_vScale.x, (boxMin.y + m_vPosition.y) * m_vScale.y,
               (boxMin.z + m_vPosition.z) * m_vScale.z};
        high = {(boxMax.x + m_vPosition.x) * m_vScale.x, (boxMax.y + m_vPosition.y) * m_vScale.y,
                (boxMax.z + m_vPosition.z) * m_vScale.z};
    }
    if (minX) *minX = low.x;
    if (maxX) *maxX = high.x;
    if (minY) *minY = low.y;
    if (maxY) *maxY = high.y;
    if (minZ) *minZ = low.z;
    if (maxZ) *maxZ = high.z;
}

XDXMeshObject::PickShape XDXMeshObject::GetPickShape() const
{
    return m_pMesh && m_pMesh->HasFrame(CurrentFrame()) ? kPickMesh : kPickNone;
}

bool XDXMeshObject::HitTest(const Vector3& origin, const Vector3& direction, float& distance)
{
    if (!m_pMesh)
        return false;
    RebuildWorld();
    Matrix inverse;
    if (!plk::gfx::MatrixInverse(m_matWorld, inverse))
        return false;
    // In object space the direction keeps the world's length scaled, so the hit is turned back into
    // a world point to measure its distance from the ray's origin.
    const Vector3 localOrigin = plk::gfx::TransformCoord(origin, inverse);
    const Vector3 localDirection = plk::gfx::TransformNormal(direction, inverse);
    float t = 0.0f;
    if (!m_pMesh->Intersect(CurrentFrame(), localOrigin, localDirection, t))
        return false;
    const Vector3 hit = plk::gfx::TransformCoord(localOrigin + localDirection * t, m_matWorld);
    distance = plk::gfx::Length(hit - origin);
    return true;
}

void XDXMeshObject::SetPosition(const Vector3& position)
{
    SetPosition(position.x, position.y, position.z);
}

void XDXMeshObject::SetPosition(float x, float y, float z)
{
    m_vPosition = {x, y, z};
    m_matTranslation = plk::gfx::MatrixTranslation(x, y, z);
    RebuildWorld();
}

void XDXMeshObject::MovePosition(float dx, float dy, float dz)
{
    SetPosition(m_vPosition.x + dx, m_vPosition.y + dy, m_vPosition.z + dz);
}

void XDXMeshObject::SetRotation(float x, float y, float z)
{
    m_vRotation = {x, y, z};
    m_matRotation = plk::gfx::MatrixRotationYawPitchRoll(y, x, z);
    RebuildWorld();
}

void XDXMeshObject::AddRotation(float dx, float dy, float dz)
{
    SetRotation(m_vRotation.x + dx, m_vRotation.y + dy, m_vRotation.z + dz);
}

void XDXMeshObject::SetRotationDegrees(float x, float y, float z)
{
    SetRotation(x * kRadiansPerDegree, y * kRadiansPerDegree, z * kRadiansPerDegree);
}

void XDXMeshObject::SetScale(float x, float y, float z)
{
    m_vScale = {x, y, z};
    m_matScaling = plk::gfx::MatrixScaling(x, y, z);
    RebuildWorld();
}
