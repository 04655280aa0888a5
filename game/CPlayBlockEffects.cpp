// The particle effects of a cube: the smasher's debris, the bomb's explosion and its fuse.
#include "game/CPlayBlock.h"

#include "game/GameEffects.h"

using namespace plk::gfx;

namespace
{

// Half of the 5 x 5 x 5 box the firing effects emit from.
const float kEmitterHalfBox = 2.5f;
// The fuse burns just above the bomb's top face.
const float kFuseHeight = 7.0f;

// Smasher debris: grey chips thrown back against the direction of travel, emitted on every
// update so that the first frame after firing already throws chips.
const GameEffects::Look kDebrisLook = {120, 2, 0.0f, 500.0f, 3.0f, 1.0f, 1.0f,
                                       {0.7f, 0.7f, 0.7f, 1.0f}, {0.4f, 0.35f, 0.3f, 0.0f}};
// Chips fly back at this share of the smasher's speed, per ms (velocities are per second).
const float kDebrisDrift = -0.0004f;
const float kDebrisSpread = 0.02f;
const float kDebrisGravity = -0.00015f;

// Bomb explosion: one burst of orange sparks in every direction.
const int kBlastParticles = 160;
const GameEffects::Look kBlastLook = {kBlastParticles, kBlastParticles, 0.0f, 900.0f, 6.0f, 2.0f, 2.0f,
                                      {1.0f, 0.75f, 0.2f, 1.0f}, {0.8f, 0.1f, 0.0f, 0.0f}};
const float kBlastSpeed = 0.06f;

// Fuse: a thin stream of yellow sparks.
const GameEffects::Look kFuseLook = {40, 1, 30.0f, 400.0f, 2.5f, 0.5f, 0.5f,
                                     {1.0f, 0.95f, 0.4f, 1.0f}, {1.0f, 0.3f, 0.0f, 0.0f}};
const float kFuseRise = 0.01f;

} // namespace

void CPlayBlock::StartFireEffect()
{
    auto effect = GameEffects::Make(m_iType == kTypeBomb ? kBlastLook : kDebrisLook);
    const Vector3& position = GetPosition();
    effect->m_vPositionBase = position;
    effect->m_vPositionRange = {kEmitterHalfBox, kEmitterHalfBox, kEmitterHalfBox};
    if (m_iType == kTypeBomb)
    {
        effect->m_vVelocityBase = {0.0f, kBlastSpeed * 0.5f, 0.0f};
        effect->m_vVelocityRange = {kBlastSpeed, kBlastSpeed, kBlastSpeed};
    }
    else
    {
        effect->m_vVelocityBase = {m_vVelocity.x * kDebrisDrift, kDebrisSpread, m_vVelocity.z * kDebrisDrift};
        effect->m_vVelocityRange = {kDebrisSpread, kDebrisSpread, kDebrisSpread};
    }
    effect->m_vGravity = {0.0f, kDebrisGravity, 0.0f};
    m_pFireEffect = std::move(effect);
}

void CPlayBlock::StartFuseEffect()
{
    auto effect = GameEffects::Make(kFuseLook);
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
    if (FuseBurns() && m_pFuseEffect)
    {
        m_pFuseEffect->m_vPositionBase = {position.x, position.y + kFuseHeight, position.z};
        m_pFuseEffect->Update(dt);
    }
}

void CPlayBlock::DrawEffects()
{
    GameEffects::DrawUnlit(m_pGameEngine, {FuseBurns() ? m_pFuseEffect.get() : nullptr,
                                           m_bRunEffect ? m_pFireEffect.get() : nullptr});
}
