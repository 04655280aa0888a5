// Teleporters: the idle column of particles, the warp burst and sound, the 10-unit cell they fill,
// and the teleporter's element of the level document.
#include "game/CTeleporter.h"

#include "game/CGameLevelXml.h"
#include "game/GameEffects.h"

using namespace LevelXml;
using namespace plk::gfx;

namespace
{

// The teleporter turns slowly about its vertical axis: radians per second of frame time.
const float kTurnPerSecond = 0.5f;
const float kMsPerSecond = 1000.0f;

// Idle column: blue sparks rising through the cell.
const GameEffects::Look kIdleLook = {90, 2, 25.0f, 900.0f, 3.0f, 1.0f, 1.0f,
                                     {0.4f, 0.7f, 1.0f, 1.0f}, {0.8f, 0.9f, 1.0f, 0.0f}};
const float kIdleRise = 0.011f; // units per ms

// Warp: a short burst of white sparks.
const int kWarpParticles = 80;
const GameEffects::Look kWarpLook = {kWarpParticles, kWarpParticles, 0.0f, 500.0f, 4.0f, 1.0f, 1.0f,
                                     {1.0f, 1.0f, 1.0f, 1.0f}, {0.5f, 0.6f, 1.0f, 0.0f}};
const float kWarpSpeed = 0.04f;

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

    auto idle = GameEffects::Make(kIdleLook);
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
    auto warp = GameEffects::Make(kWarpLook);
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
    GameEffects::DrawUnlit(m_pGameEngine, {m_pIdleEffect.get(), m_bWarpRunning ? m_pWarpEffect.get() : nullptr});
}

void CTeleporter::WriteXml(XString& out, int index) const
{
    OpenObject(out, "Teleporter", index);
    AppendPlacement(out, *this);
    CloseObject(out, "Teleporter", index);
}

void CTeleporter::ReadXml(XGameEngine* engine, const XString& document, int index)
{
    const Fields fields(document, "Teleporter", index);
    Init(engine);
    ReadPlacement(fields, *this);
}
