// Particle simulation, emission shapes and batched point-sprite drawing.
#include "engine/XParticleSystem.h"

#include "engine/XGameEngine.h"
#include "engine/XRandom.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/DeviceLighting.h"
#include "platform/gfx/VertexBuffer.h"

#include <cmath>
#include <cstring>
#include <new>

using plk::gfx::Vector3;
using namespace plk::gfx;

namespace
{

// The effects were tuned on draws of 0..32767 in steps of one; keep that grain.
const int kRandomRange = 32768;
const float kRandomMax = 32767.0f;
// A particle this far behind a plane counts as having crossed it.
const float kPlaneTolerance = 0.001f;
const uint32_t kParticleFvf = kFvfXyz | kFvfPSize | kFvfDiffuse;
const int kParticleStride = 20;
// Render states of the sprites: sizes in world units shrinking with distance (A = B = 0, C = 1).
const float kSpriteSize = 2.0f;
const float kSpriteSizeMin = 1.0f;
const float kSpriteScaleC = 1.0f;
const uint32_t kAlphaTestReference = 8;

struct ParticleVertex
{
    float x, y, z;
    float size;
    uint32_t color;
};
static_assert(sizeof(ParticleVertex) == kParticleStride, "a particle vertex is 20 bytes");

float Random()
{
    return static_cast<float>(XRandom::Effects().Below(kRandomRange)) / kRandomMax;
}

float Symmetric()
{
    return 2.0f * Random() - 1.0f;
}

float Around(float base, float range)
{
    return base + range * Symmetric();
}

float Between(float low, float high)
{
    return low + Random() * (high - low);
}

Vector3 RandomUnitVector()
{
    const float z = 2.0f * Random() - 1.0f;
    const float a = 2.0f * kPi * Random() - kPi;
    const float r = std::sqrt(1.0f - z * z);
    return {std::cos(a) * r, std::sin(a) * r, z};
}

float Clamp01(float v)
{
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

uint32_t Channel(float v)
{
    return v >= 1.0f ? 255u : (v <= 0.0f ? 0u : static_cast<uint32_t>(v * 255.0f));
}

// A unit component turned to the forced side, if any.
float Side(float unit, float sign)
{
    return (sign < 0.0f && unit > 0.0f) || (sign > 0.0f && unit < 0.0f) ? -unit : unit;
}

} // namespace

XParticleSystem::XParticleSystem()
{
    m_strTextureName = "particle.bmp";
}

XParticleSystem::~XParticleSystem()
{
    for (XParticle* list : {m_pLive, m_pFree})
    {
        while (list)
        {
            XParticle* next = list->next;
            delete list;
            list = next;
        }
    }
    FreePlanes();
}

void XParticleSystem::FreePlanes()
{
    while (m_pPlanes)
    {
        XParticlePlane* next = m_pPlanes->next;
        delete m_pPlanes;
        m_pPlanes = next;
    }
}

int XParticleSystem::Restore()
{
    m_strErrorMsg = "";
    XGameEngine* engine = XGameEngine::GetEngine();
    Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device)
    {
        m_strErrorMsg = "Error: in XParticleSystem::Restore, the engine or device is NULL.";
        return kErrFail;
    }
    m_pBuffer = std::make_unique<VertexBuffer>(static_cast<size_t>(kBufferSize) * kParticleStride, kParticleFvf);
    m_iBatchOffset = 0;
    m_fMaxPointSize = MaxPointSize(*device);
    m_bPerVertexSize = device->SupportsPointSizePerVertex();
    if (!m_texture.Load(m_strTextureName, 0, 0))
    {
        m_strErrorMsg = "Error: in XParticleSystem::Restore, texture.Load failed. Msg=";
        m_strErrorMsg += m_texture.GetErrorMsg();
        return kErrFail;
    }
    return kOk;
}

void XParticleSystem::AddPlane(float nx, float ny, float nz, float px, float py, float pz, float restitution,
                               int kind)
{
    auto* plane = new XParticlePlane;
    plane->normal = {nx, ny, nz};
    plane->point = {px, py, pz};
    plane->restitution = restitution;
    plane->kind = kind;
    plane->next = m_pPlanes;
    m_pPlanes = plane;
}

void XParticleSystem::KillAll()
{
    while (m_pLive)
    {
        XParticle* next = m_pLive->next;
        m_pLive->next = m_pFree;
        m_pFree = m_pLive;
        m_pLive = next;
    }
    m_iLiveCount = 0;
}

void XParticleSystem::Update(float dt)
{
    if (UpdateParticles(dt) == kErrOutOfMemory)
        m_strErrorMsg = "Error: in XParticleSystem::Update, out of memory for new particles.";
}

int XParticleSystem::UpdateParticles(float dt)
{
    m_fClock += dt;
    // Drag toward the wind closes the gap by dt per ms; beyond 1 ms it would overshoot and grow
    // without bound, so a long frame reaches the wind velocity and stops there.
    const float drag = dt < 1.0f ? dt : 1.0f;
    const bool attract =
        m_vAttractorStrength.x != 0.0f || m_vAttractorStrength.y != 0.0f || m_vAttractorStrength.z != 0.0f;
    XParticle** link = &m_pLive;
    while (XParticle* p = *link)
    {
        if (m_fClock - p->birth >= m_fLifetime)
        {
            *link = p->next;
            p->next = m_pFree;
            m_pFree = p;
            --m_iLiveCount;
            continue;
        }
        p->velocity = p->velocity + m_vGravity * dt;
        if (m_bWind)
            p->velocity = p->velocity + (m_vWind - p->velocity) * drag;
        if (attract)
        {
            const Vector3 d = Normalize(m_vAttractor - p->position);
            p->velocity.x += (p->attraction.x + m_vAttractorStrength.x) * d.x * dt;
            p->velocity.y += (p->attraction.y + m_vAttractorStrength.y) * d.y * dt;
            p->velocity.z += (p->attraction.z + m_vAttractorStrength.z) * d.z * dt;
        }
        const Vector3 old = p->position;
        p->position = p->position + p->velocity * dt;
        for (int c = 0; c < 4; ++c)
            p->color[c] += p->colorDelta[c] * dt;
        p->size += p->sizeDelta * dt;
        for (XParticlePlane* plane = m_pPlanes; plane; plane = plane->next)
        {
            if (Dot(plane->point - p->position, plane->normal) <= kPlaneTolerance)
                continue;
            if (plane->kind == kPlaneBounce)
            {
                p->position = old;
                const float vn = Dot(plane->normal, p->velocity);
                p->velocity = p->velocity - plane->normal * vn - plane->normal * (vn * plane->restitution);
            }
            else if (plane->kind == kPlaneKill)
            {
                p->birth -= m_fLifetime;
            }
            else if (plane->kind == kPlaneStop)
            {
                p->position = old;
                p->velocity = {0.0f, 0.0f, 0.0f};
            }
        }
        link = &p->next;
    }

    if (m_fClock - m_fLastEmission <= m_fEmissionInterval)
        return kOk;
    m_fLastEmission = m_fClock;
    for (int i = 0; i < m_iParticlesPerEmission; ++i)
    {
        // A record is only taken when it will be used, so none is lost from the free list.
        if (m_iLiveCount >= m_iMaxParticles)
            break;
        XParticle* p = NewParticle();
        if (!p)
            return kErrOutOfMemory;
        p->next = m_pLive;
        m_pLive = p;
        Emit(*p);
        ++m_iLiveCount;
    }
    return kOk;
}

XParticle* XParticleSystem::NewParticle()
{
    if (m_pFree)
    {
        XParticle* p = m_pFree;
        m_pFree = p->next;
        *p = XParticle();
        return p;
    }
    XParticle* p = new (std::nothrow) XParticle;
    if (p)
        ++m_iAllocated;
    return p;
}

void XParticleSystem::Emit(XParticle& p)
{
    p.birth = m_fClock;
    p.velocity = {Around(m_vVelocityBase.x, m_vVelocityRange.x), Around(m_vVelocityBase.y, m_vVelocityRange.y),
                  Around(m_vVelocityBase.z, m_vVelocityRange.z)};
    p.attraction = {m_vAttractorRandomStrength.x * Symmetric(), m_vAttractorRandomStrength.y * Symmetric(),
                    m_vAttractorRandomStrength.z * Symmetric()};
    EmitPosition(p);
    float start[4], end[4];
    for (int c = 0; c < 4; ++c)
        start[c] = Clamp01(Around(m_startColor[c], m_startColorRange[c]));
    for (int c = 0; c < 4; ++c)
        end[c] = Clamp01(Around(m_endColor[c], m_endColorRange[c]));
    for (int c = 0; c < 4; ++c)
    {
        p.color[c] = start[c];
        p.colorDelta[c] = (end[c] - start[c]) / m_fLifetime;
    }
    p.size = Around(m_fStartSize, m_fStartSizeRange);
    p.sizeDelta = (m_fEndSize - p.size) / m_fLifetime;
}

void XParticleSystem::EmitPosition(XParticle& p)
{
    const bool useX = m_vShapeMin.x >= 0.0f && m_vShapeMax.x >= 0.0f;
    const bool useY = m_vShapeMin.y >= 0.0f && m_vShapeMax.y >= 0.0f;
    const bool useZ = m_vShapeMin.z >= 0.0f && m_vShapeMax.z >= 0.0f;
    const bool anyRadius = m_vShapeMin.x >= 0.0f || m_vShapeMin.y >= 0.0f || m_vShapeMin.z >= 0.0f ||
                           m_vShapeMax.x >= 0.0f || m_vShapeMax.y >= 0.0f || m_vShapeMax.z >= 0.0f;
    Vector3 unit, radius;
    if (useX && useY && useZ)
    {
        radius = {Between(m_vShapeMin.x, m_vShapeMax.x), Between(m_vShapeMin.y, m_vShapeMax.y),
                  Between(m_vShapeMin.z, m_vShapeMax.z)};
        unit = RandomUnitVector();
    }
    else if (!anyRadius || (!useX && !useY && !useZ))
    {
        p.position = {Around(m_vPositionBase.x, m_vPositionRange.x), Around(m_vPositionBase.y, m_vPositionRange.y),
                      Around(m_vPositionBase.z, m_vPositionRange.z)};
        return;
    }
    else
    {
        if (useX)
            radius.x = Between(m_vShapeMin.x, m_vShapeMax.x);
        if (useY)
            radius.y = Between(m_vShapeMin.y, m_vShapeMax.y);
        if (useZ)
            radius.z = Between(m_vShapeMin.z, m_vShapeMax.z);
        const int axes = (useX ? 1 : 0) + (useY ? 1 : 0) + (useZ ? 1 : 0);
        if (axes == 2)
        {
            const float angle = Between(-kPi, kPi);
            const float first = std::cos(angle), second = std::sin(angle);
            unit = useX ? Vector3{first, useY ? second : 0.0f, useZ ? second : 0.0f} : Vector3{0.0f, first, second};
        }
        else
        {
            const float side = Random() < 0.5f ? -1.0f : 1.0f;
            unit = {useX ? side : 0.0f, useY ? side : 0.0f, useZ ? side : 0.0f};
        }
    }
    unit = {Side(unit.x, m_vShapeSign.x), Side(unit.y, m_vShapeSign.y), Side(unit.z, m_vShapeSign.z)};
    p.position = {m_vPositionBase.x + unit.x * radius.x, m_vPositionBase.y + unit.y * radius.y,
                  m_vPositionBase.z + unit.z * radius.z};
}

void XParticleSystem::Draw()
{
    Render(kBlendAdditive);
}

int XParticleSystem::Render(int blendMode)
{
    XGameEngine* engine = XGameEngine::GetEngine();
    Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device || !m_pBuffer)
    {
        m_strErrorMsg = "Error: in XParticleSystem::Render, Restore has not made the vertex buffer.";
        return kErrFail;
    }
    RebuildWorld();
    device->SetTransform(kWorld, GetWorldMatrix());
    device->SetRenderState(kPointSpriteEnable, 1);
    device->SetRenderState(kPointScaleEnable, 1);
    device->SetRenderState(kPointSize, FloatBits(kSpriteSize));
    device->SetRenderState(kPointSizeMin, FloatBits(kSpriteSizeMin));
    device->SetRenderState(kPointScaleA, FloatBits(0.0f));
    device->SetRenderState(kPointScaleB, FloatBits(0.0f));
    device->SetRenderState(kPointScaleC, FloatBits(kSpriteScaleC));
    device->SetRenderState(kAlphaBlendEnable, 1);
    device->SetTexture(0, m_texture.GetTexture());
    if (blendMode == kBlendAdditive)
    {
        device->SetRenderState(kZWriteEnable, 0);
        device->SetRenderState(kSrcBlend, kBlendSrcAlpha);
        device->SetRenderState(kDestBlend, kBlendOne);
        device->SetTextureStageState(0, kAlphaArg1, kTaDiffuse);
        device->SetTextureStageState(0, kAlphaOp, kTopModulate);
        device->SetTextureStageState(0, kColorOp, kTopModulate);
        device->SetTextureStageState(0, kColorArg1, kTaTexture);
        device->SetTextureStageState(0, kColorArg2, kTaCurrent);
    }
    else if (blendMode == kBlendAlphaTested)
    {
        device->SetRenderState(kAlphaTestEnable, 1);
        device->SetRenderState(kAlphaRef, kAlphaTestReference);
        device->SetRenderState(kAlphaFunc, kCmpGreaterEqual);
        device->SetRenderState(kSrcBlend, kBlendSrcAlpha);
        device->SetRenderState(kDestBlend, kBlendInvSrcAlpha);
        device->SetTextureStageState(0, kColorOp, kTopModulate);
        device->SetTextureStageState(0, kColorArg1, kTaTexture);
        device->SetTextureStageState(0, kColorArg2, kTaCurrent);
        device->SetTextureStageState(0, kAlphaOp, kTopModulate);
        device->SetTextureStageState(0, kAlphaArg1, kTaTexture);
        device->SetTextureStageState(0, kAlphaArg2, kTaCurrent);
    }
    const int result = RenderBatches();
    if (blendMode == kBlendAlphaTested)
        device->SetRenderState(kAlphaTestEnable, 0);
    device->SetTextureStageState(0, kAlphaArg1, kTaTexture);
    device->SetTextureStageState(0, kAlphaArg2, kTaCurrent);
    device->SetRenderState(kPointSpriteEnable, 0);
    device->SetRenderState(kPointScaleEnable, 0);
    device->SetRenderState(kZWriteEnable, 1);
    device->SetRenderState(kAlphaBlendEnable, 0);
    device->SetTexture(0, nullptr);
    return result;
}

int XParticleSystem::RenderBatches()
{
    Device& device = *XGameEngine::GetEngine()->GetDevice();
    device.SetFVF(kParticleFvf);
    device.SetStreamSource(m_pBuffer.get(), kParticleStride);
    auto advance = [this]() {
        m_iBatchOffset += kBatchSize;
        if (m_iBatchOffset >= kBufferSize)
            m_iBatchOffset = 0;
    };
    auto lock = [this](ParticleVertex*& out) {
        void* data = nullptr;
        const int hr = m_pBuffer->Lock(static_cast<size_t>(m_iBatchOffset) * kParticleStride,
                                       static_cast<size_t>(kBatchSize) * kParticleStride, &data);
        out = static_cast<ParticleVertex*>(data);
        return hr;
    };
    advance();
    ParticleVertex* vertices = nullptr;
    int hr = lock(vertices);
    if (hr != kOk)
        return hr;
    int inBatch = 0;
    for (const XParticle* p = m_pLive; p; p = p->next)
    {
        vertices[inBatch++] = {p->position.x, p->position.y, p->position.z, p->size,
                               Channel(p->color[3]) << 24 | Channel(p->color[0]) << 16 | Channel(p->color[1]) << 8 |
                                   Channel(p->color[2])};
        if (inBatch < kBatchSize)
            continue;
        m_pBuffer->Unlock();
        hr = device.DrawPrimitive(kPointList, m_iBatchOffset, inBatch);
        if (hr != kOk)
            return hr;
        inBatch = 0;
        advance();
        hr = lock(vertices);
        if (hr != kOk)
            return hr;
    }
    m_pBuffer->Unlock();
    if (inBatch > 0)
        hr = device.DrawPrimitive(kPointList, m_iBatchOffset, inBatch);
    return hr;
}
