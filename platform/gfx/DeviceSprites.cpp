// The device's sprite queue: screen-space quads gathered across sprite batches and drawn in runs.
#include "platform/gfx/Device.h"

#include "platform/gfx/Texture.h"

namespace plk::gfx
{

void Device::QueueSprites(Texture* texture, bool alphaBlend, const ScreenVertex* vertices, size_t count)
{
    if (!m_context || !texture || !vertices || count == 0)
        return;
    if (!m_spriteRuns.empty() && m_spriteRuns.back().texture == texture && m_spriteRuns.back().alphaBlend == alphaBlend)
        m_spriteRuns.back().count += count;
    else
        m_spriteRuns.push_back(SpriteRun{texture, alphaBlend, m_spriteVertices.size(), count});
    m_spriteVertices.insert(m_spriteVertices.end(), vertices, vertices + count);
}

void Device::FlushSprites()
{
    if (m_spriteRuns.empty())
        return;
    // Drawing below comes back here; the queue is empty by then.
    m_flushRuns.swap(m_spriteRuns);
    m_flushVertices.swap(m_spriteVertices);
    m_spriteRuns.clear();
    m_spriteVertices.clear();

    const StateBlock saved = m_state;
    StateBlock sprite = saved;
    sprite.renderStates[kZEnable] = 0;
    sprite.renderStates[kLighting] = 0;
    sprite.renderStates[kCullMode] = kCullNone;
    sprite.renderStates[kFogEnable] = 0;
    sprite.renderStates[kSrcBlend] = kBlendSrcAlpha;
    sprite.renderStates[kDestBlend] = kBlendInvSrcAlpha;
    sprite.renderStates[kAlphaRef] = 0;
    sprite.renderStates[kAlphaFunc] = kCmpGreater;
    auto& stage = sprite.stageStates[0];
    stage[kColorOp] = kTopModulate;
    stage[kColorArg1] = kTaTexture;
    stage[kColorArg2] = kTaDiffuse;
    stage[kAlphaOp] = kTopModulate;
    stage[kAlphaArg1] = kTaTexture;
    stage[kAlphaArg2] = kTaDiffuse;
    stage[kMinFilter] = kFilterLinear;
    stage[kMagFilter] = kFilterLinear;
    // Sprites are drawn near their own size: the top level alone, sampled bilinearly, looks the
    // same as blending mip levels and costs a software rasteriser far less.
    stage[kMipFilter] = kFilterNone;
    // A sprite's edge must not wrap round to the far side of its texture.
    stage[kAddressU] = kAddressClamp;
    stage[kAddressV] = kAddressClamp;
    sprite.stageStates[1][kColorOp] = kTopDisable;
    sprite.fvf = kFvfXyzRhw | kFvfDiffuse | kFvfTex1;

    for (const SpriteRun& run : m_flushRuns)
    {
        // Without blending, transparent texels still draw, as black.
        sprite.renderStates[kAlphaBlendEnable] = run.alphaBlend ? 1 : 0;
        sprite.renderStates[kAlphaTestEnable] = run.alphaBlend ? 1 : 0;
        sprite.textures[0] = run.texture;
        ApplyState(sprite);
        DrawPrimitiveUP(kTriangleList, static_cast<int>(run.count / 3), &m_flushVertices[run.first],
                        sizeof(ScreenVertex));
    }
    ApplyState(saved);
    m_flushRuns.clear();
    m_flushVertices.clear();
}

void Device::ForgetTexture(const Texture* texture)
{
    for (const SpriteRun& run : m_spriteRuns)
    {
        if (run.texture == texture)
        {
            FlushSprites();
            return;
        }
    }
}

} // namespace plk::gfx
