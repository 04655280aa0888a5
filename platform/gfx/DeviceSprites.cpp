// The device's sprite queue: screen-space quads gathered across sprite batches and drawn in runs.
#include "platform/gfx/Device.h"

#include "platform/gfx/Texture.h"

#include <algorithm>
#include <cmath>

namespace plk::gfx
{
namespace
{

// How far from whole a pixel or texel coordinate may be and still count as whole.
const float kWholeSlack = 1.0f / 1024.0f;

bool Whole(float value)
{
    return std::fabs(value - std::round(value)) <= kWholeSlack;
}

// Whether a quad (corners as SpriteBatch lays them: top-left, top-right, bottom-left, top-right,
// bottom-right, bottom-left) puts one texel on each pixel, texel centres on pixel centres. There
// nearest sampling gives what bilinear gives, and a software rasteriser fetches a quarter as much.
bool TexelPerPixel(const Device::ScreenVertex* quad, const Texture& texture)
{
    const Device::ScreenVertex& tl = quad[0];
    const Device::ScreenVertex& tr = quad[1];
    const Device::ScreenVertex& bl = quad[2];
    const Device::ScreenVertex& br = quad[4];
    const bool upright = tl.y == tr.y && bl.y == br.y && tl.x == bl.x && tr.x == br.x && tl.u == bl.u &&
                         tr.u == br.u && tl.v == tr.v && bl.v == br.v;
    if (!upright || !Whole(tl.x) || !Whole(tl.y) || !Whole(br.x) || !Whole(br.y))
        return false;
    const float w = static_cast<float>(texture.Width());
    const float h = static_cast<float>(texture.Height());
    return Whole(tl.u * w) && Whole(tl.v * h) &&
           std::fabs((tr.u - tl.u) * w - (tr.x - tl.x)) <= kWholeSlack &&
           std::fabs((bl.v - tl.v) * h - (bl.y - tl.y)) <= kWholeSlack;
}

} // namespace

void Device::QueueSprites(Texture* texture, bool alphaBlend, const ScreenVertex* vertices, size_t count)
{
    if (!m_context || !texture || !vertices || count == 0)
        return;
    for (size_t first = 0; first < count; first += kQuadVertices)
    {
        const size_t n = std::min(kQuadVertices, count - first);
        const bool exact = m_shortcuts && n == kQuadVertices && TexelPerPixel(vertices + first, *texture);
        const SpriteRun* last = m_spriteRuns.empty() ? nullptr : &m_spriteRuns.back();
        if (last && last->texture == texture && last->alphaBlend == alphaBlend && last->exact == exact)
            m_spriteRuns.back().count += n;
        else
            m_spriteRuns.push_back(SpriteRun{texture, alphaBlend, exact, m_spriteVertices.size(), n});
        m_spriteVertices.insert(m_spriteVertices.end(), vertices + first, vertices + first + n);
    }
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
        // A texture found lost at its upload draws nothing, rather than untextured quads.
        if (run.texture->Bind() == 0)
            continue;
        // Without blending, transparent texels still draw, as black.
        sprite.renderStates[kAlphaBlendEnable] = run.alphaBlend ? 1 : 0;
        sprite.renderStates[kAlphaTestEnable] = run.alphaBlend ? 1 : 0;
        // Only blended runs are sampled nearest. Mesa's software rasteriser, given an opaque
        // nearest-sampled quad that puts one texel on each pixel, has drawn it plain white on a
        // one-processor machine at some sizes; bilinear at the texel centres gives the same pixels.
        const uint32_t filter = run.exact && run.alphaBlend ? kFilterPoint : kFilterLinear;
        stage[kMinFilter] = filter;
        stage[kMagFilter] = filter;
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
