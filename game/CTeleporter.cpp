// Teleporters: the idle column of particles, the warp burst and sound, the 10-unit cell they fill,
// and the teleporter's element of the level document.
#include "game/CTeleporter.h"

#include "engine/XGameEngine.h"
#include "engine/XParticleSystem.h"
#include "game/CGameLevelXml.h"
#include "platform/gfx/Device.h"

using namespace LevelXml;
using namespace plk::gfx;

namespace
{

const char* const kParticleTexture = "Particle.bmp";
// The teleporter turns slowly about its vertical axis: radians per second of frame time.
const float kTurnPerSecond = 0.5f;
const float kMsPerSecond = 1000.0f;

// Idle column: blue sparks rising through the cell.
const int kIdleMax = 90;
const float kIdleIntervalMs = 25.0f;
const float kIdleLifetimeMs = 900.0f;
const float kIdleRise = 0.011f; // units per ms

// Warp: a short burst of white sparks.
const int kWarpParticles = 80;
const float kWarpLifetimeMs = 500.0f;
const float kWarpSpeed = 0.04f;

void SetRgba(float (&colour)[4], float r, float g, float b, float a)
{
    colour[0] = r;
    colour[1] = g;
    colour[2] = b;
    colour[3] = a;
}

std::unique_ptr<XParticleSystem> MakeEffect()
{
    auto effect = std::make_unique<XParticleSystem>();
    effect->Init(false, 0);
    effect->SetTextureName(kParticleTexture);
    if (XGameEngine::GetEngine() && XGameEngine::GetEngine()->GetDevice())
        effect->Restore();
    effect->m_bWind = false;
    return effect;
}

} // namespace

CTeleporter::CTeleporter() = default;

CTeleporter::~CTeleporter() = default;

void CTeleporter::Init(XGameEngine* engine)
{
    XDXMeshObject::Init(false, kKind);
    m_pGameEngine = engine;
    SetMesh(nullptr);
    m_bWarpRunning = false;
    m_pWarpEffect.reset();

    auto idle = MakeEffect();
    idle->m_iMaxParticles = kIdleMax;
    idle->m_iParticlesPerEmission = 2;
    idle->m_fEmissionInterval = kIdleIntervalMs;
    idle->m_fLifetime = kIdleLifetimeMs;
    idle->m_fStartSize = 3.0f;
    idle->m_fEndSize = 1.0f;
    idle->m_fStartSizeRange = 1.0f;
    SetRgba(idle->m_startColor, 0.4f, 0.7f, 1.0f, 1.0f);
    SetRgba(idle->m_endColor, 0.8f, 0.9f, 1.0f, 0.0f);
    idle->m_vPositionRange = {kHalfSize * 0.8f, 0.0f, kHalfSize * 0.8f};
    idle->m_vVelocityBase = {0.0f, kIdleRise, 0.0f};
    idle->m_vVelocityRange = {0.001f, 0.003f, 0.001f};
    m_pIdleEffect = std::move(idle);
    m_sndWarp.Load("SndWarp.wav", XDXSound::kSoundEffect);
}

float CTeleporter::GetRadius()
{
    return kHalfSize;
}

void CTeleporter::GetBounds(Vector3& min, Vector3& max)
{
    const Vector3& position = GetPosition();
    min = {position.x - kHalfSize, position.y - kHalfSize, position.z - kHalfSize};
    max = {position.x + kHalfSize, position.y + kHalfSize, position.z + kHalfSize};
}

void CTeleporter::PlayWarpSound()
{
    m_sndWarp.Play(false);
}

void CTeleporter::StartWarpEffect()
{
    auto warp = MakeEffect();
    warp->m_iMaxParticles = kWarpParticles;
    warp->m_iParticlesPerEmission = kWarpParticles;
    warp->m_fEmissionInterval = 0.0f;
    warp->m_fLifetime = kWarpLifetimeMs;
    warp->m_fStartSize = 4.0f;
    warp->m_fEndSize = 1.0f;
    warp->m_fStartSizeRange = 1.0f;
    SetRgba(warp->m_startColor, 1.0f, 1.0f, 1.0f, 1.0f);
    SetRgba(warp->m_endColor, 0.5f, 0.6f, 1.0f, 0.0f);
    warp->m_vPositionBase = GetPosition();
    warp->m_vVelocityRange = {kWarpSpeed, kWarpSpeed, kWarpSpeed};
    m_pWarpEffect = std::move(warp);
    m_bWarpRunning = true;
}

void CTeleporter::Update(float dt)
{
    XDXMeshObject::Update(dt);
    const Vector3& position = GetPosition();
    AddRotation(0.0f, kTurnPerSecond * dt / kMsPerSecond, 0.0f);
    if (m_pIdleEffect)
    {
        m_pIdleEffect->m_vPositionBase = {position.x, position.y - kHalfSize, position.z};
        m_pIdleEffect->Update(dt);
    }
    if (m_bWarpRunning && m_pWarpEffect)
    {
        m_pWarpEffect->m_vPositionBase = position;
        m_pWarpEffect->Update(dt);
        // One burst per warp: nothing more is emitted after its first update.
        m_pWarpEffect->m_iParticlesPerEmission = 0;
        if (m_pWarpEffect->GetLiveCount() == 0)
        {
            m_bWarpRunning = false;
            m_pWarpEffect.reset();
        }
    }
}

void CTeleporter::Draw()
{
    Device* device = m_pGameEngine ? m_pGameEngine->GetDevice() : nullptr;
    if (!device)
        return;
    device->SetRenderState(kLighting, 0);
    if (m_pIdleEffect)
        m_pIdleEffect->Render(XParticleSystem::kBlendAdditive);
    if (m_bWarpRunning && m_pWarpEffect)
        m_pWarpEffect->Render(XParticleSystem::kBlendAdditive);
    device->SetRenderState(kLighting, 1);
}

void CTeleporter::WriteXml(XString& out, int index) const
{
    OpenObject(out, "Teleporter", index);
    AppendPlacement(out, *this);
    CloseObject(out, "Teleporter", index);
}

void CTeleporter::ReadXml(XGameEngine* engine, const XString& document, int index)
{
    const XString text = ObjectText(document, "Teleporter", index);
    Init(engine);
    ReadPlacement(text, *this);
}
