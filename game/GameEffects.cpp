// Set-up and unlit drawing shared by every particle effect of the world objects.
#include "game/GameEffects.h"

#include "engine/XGameEngine.h"
#include "platform/gfx/Device.h"

namespace GameEffects
{

namespace
{

const char* const kParticleTexture = "Particle.bmp";

void SetRgba(float (&colour)[4], const Rgba& from)
{
    colour[0] = from.r;
    colour[1] = from.g;
    colour[2] = from.b;
    colour[3] = from.a;
}

} // namespace

std::unique_ptr<XParticleSystem> Make(const Look& look)
{
    auto effect = std::make_unique<XParticleSystem>();
    effect->Init(false, 0);
    effect->SetTextureName(kParticleTexture);
    if (XGameEngine::GetEngine() && XGameEngine::GetEngine()->GetDevice())
        effect->Restore();
    effect->m_bWind = false;
    effect->m_iMaxParticles = look.maxParticles;
    effect->m_iParticlesPerEmission = look.perEmission;
    effect->m_fEmissionInterval = look.intervalMs;
    effect->m_fLifetime = look.lifetimeMs;
    effect->m_fStartSize = look.startSize;
    effect->m_fEndSize = look.endSize;
    effect->m_fStartSizeRange = look.startSizeRange;
    SetRgba(effect->m_startColor, look.startColor);
    SetRgba(effect->m_endColor, look.endColor);
    return effect;
}

void DrawUnlit(XGameEngine* engine, std::initializer_list<XParticleSystem*> effects)
{
    plk::gfx::Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device)
        return;
    device->SetRenderState(plk::gfx::kLighting, 0);
    for (XParticleSystem* effect : effects)
    {
        if (effect)
            effect->Render(XParticleSystem::kBlendAdditive);
    }
    device->SetRenderState(plk::gfx::kLighting, 1);
}

} // namespace GameEffects
