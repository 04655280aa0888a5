// The particle effects of a cube: the smasher's debris, the bomb's explosion and its fuse.
#include "game/CPlayBlock.h"

#include "engine/XGameEngine.h"
#include "engine/XParticleSystem.h"
#include "platform/gfx/Device.h"

using namespace plk::gfx;

namespace
{

const char* const kParticleTexture = "Particle.bmp";
// Half of the 5 x 5 x 5 box the firing effects emit from.
const float kEmitterHalfBox = 2.5f;
// The fuse burns just above the bomb's top face.
const float kFuseHeight = 7.0f;

// Smasher debris: grey chips thrown back against the direction of travel.
const int kDebrisMax = 120;
// Emitted on every update, so that the first frame after firing already throws chips.
const int kDebrisPerEmission = 2;
const float kDebrisIntervalMs = 0.0f;
const float kDebrisLifetimeMs = 500.0f;
// Chips fly back at this share of the smasher's speed, per ms (velocities are per second).
const float kDebrisDrift = -0.0004f;
const float kDebrisSpread = 0.02f;
const float kDebrisGravity = -0.00015f;

// Bomb explosion: one burst of orange sparks in every direction.
const int kBlastParticles = 160;
const float kBlastLifetimeMs = 900.0f;
const float kBlastSpeed = 0.06f;

// Fuse: a thin stream of yellow sparks.
const int kFuseMax = 40;
const float kFuseIntervalMs = 30.0f;
const float kFuseLifetimeMs = 400.0f;
const float kFuseRise = 0.01f;

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
    // Without a device the effect still runs, so that a bomb's removal waits for its blast
    // headless as it does on screen; only its drawing is missing.
    if (XGameEngine::GetEngine() && XGameEngine::GetEngine()->GetDevice())
        effect->Restore();
    effect->m_bWind = false;
    return effect;
}

void DrawUnlit(XGameEngine* engine, XParticleSystem& effect)
{
    Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device)
        return;
    device->SetRenderState(kLighting, 0);
    effect.Render(XParticleSystem::kBlendAdditive);
    device->SetRenderState(kLighting, 1);
}

} // namespace

void CPlayBlock::StartFireEffect()
{
    auto effect = MakeEffect();
    const Vector3& position = GetPosition();
    effect->m_vPositionBase = position;
    effect->m_vPositionRange = {kEmitterHalfBox, kEmitterHalfBox, kEmitterHalfBox};
    if (m_iType == kTypeBomb)
    {
        effect->m_iMaxParticles = kBlastParticles;
        effect->m_iParticlesPerEmission = kBlastParticles;
        effect->m_fEmissionInterval = 0.0f;
        effect->m_fLifetime = kBlastLifetimeMs;
        effect->m_fStartSize = 6.0f;
        effect->m_fEndSize = 2.0f;
        effect->m_fStartSizeRange = 2.0f;
        SetRgba(effect->m_startColor, 1.0f, 0.75f, 0.2f, 1.0f);
        SetRgba(effect->m_endColor, 0.8f, 0.1f, 0.0f, 0.0f);
        effect->m_vVelocityBase = {0.0f, kBlastSpeed * 0.5f, 0.0f};
        effect->m_vVelocityRange = {kBlastSpeed, kBlastSpeed, kBlastSpeed};
        effect->m_vGravity = {0.0f, kDebrisGravity, 0.0f};
    }
    else
    {
        effect->m_iMaxParticles = kDebrisMax;
        effect->m_iParticlesPerEmission = kDebrisPerEmission;
        effect->m_fEmissionInterval = kDebrisIntervalMs;
        effect->m_fLifetime = kDebrisLifetimeMs;
        effect->m_fStartSize = 3.0f;
        effect->m_fEndSize = 1.0f;
        effect->m_fStartSizeRange = 1.0f;
        SetRgba(effect->m_startColor, 0.7f, 0.7f, 0.7f, 1.0f);
        SetRgba(effect->m_endColor, 0.4f, 0.35f, 0.3f, 0.0f);
        effect->m_vVelocityBase = {m_vVelocity.x * kDebrisDrift, kDebrisSpread, m_vVelocity.z * kDebrisDrift};
        effect->m_vVelocityRange = {kDebrisSpread, kDebrisSpread, kDebrisSpread};
        effect->m_vGravity = {0.0f, kDebrisGravity, 0.0f};
    }
    m_pFireEffect = std::move(effect);
}

void CPlayBlock::StartFuseEffect()
{
    auto effect = MakeEffect();
    effect->m_iMaxParticles = kFuseMax;
    effect->m_iParticlesPerEmission = 1;
    effect->m_fEmissionInterval = kFuseIntervalMs;
    effect->m_fLifetime = kFuseLifetimeMs;
    effect->m_fStartSize = 2.5f;
    effect->m_fEndSize = 0.5f;
    effect->m_fStartSizeRange = 0.5f;
    SetRgba(effect->m_startColor, 1.0f, 0.95f, 0.4f, 1.0f);
    SetRgba(effect->m_endColor, 1.0f, 0.3f, 0.0f, 0.0f);
    effect->m_vVelocityBase = {0.0f, kFuseRise, 0.0f};
    effect->m_vVelocityRange = {0.004f, 0.004f, 0.004f};
    m_pFuseEffect = std::move(effect);
}

void CPlayBlock::StopFireEmission()
{
    if (m_pFireEffect)
        m_pFireEffect->m_iParticlesPerEmission = 0;
}

void CPlayBlock::UpdateEffects(float dt)
{
    const Vector3& position = GetPosition();
    if (m_bRunEffect)
    {
        if (m_pFireEffect)
        {
            m_pFireEffect->m_vPositionBase = position;
            m_pFireEffect->m_vPositionRange = {kEmitterHalfBox, kEmitterHalfBox, kEmitterHalfBox};
            m_pFireEffect->Update(dt);
            // The blast is one burst: after its first update nothing more is emitted.
            if (m_iType == kTypeBomb)
                StopFireEmission();
        }
        // An emitter still running may simply not have emitted yet; it ends when it has stopped.
        if (!m_pFireEffect ||
            (m_pFireEffect->GetLiveCount() == 0 && m_pFireEffect->m_iParticlesPerEmission == 0))
        {
            m_bRunEffect = false;
            m_pFireEffect.reset();
        }
    }
    if (m_iType == kTypeBomb && m_iCurState == kStateOnBoard && m_pFuseEffect)
    {
        m_pFuseEffect->m_vPositionBase = {position.x, position.y + kFuseHeight, position.z};
        m_pFuseEffect->Update(dt);
    }
}

void CPlayBlock::DrawEffects()
{
    if (m_iType == kTypeBomb && m_iCurState == kStateOnBoard && m_pFuseEffect)
        DrawUnlit(m_pGameEngine, *m_pFuseEffect);
    if (m_bRunEffect && m_pFireEffect)
        DrawUnlit(m_pGameEngine, *m_pFireEffect);
}
