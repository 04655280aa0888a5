// Sprite batching on the device's pre-transformed vertices.
#include "platform/gfx/SpriteBatch.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/Texture.h"

#include <algorithm>

namespace plk::gfx
{
namespace
{

const uint32_t kSpriteFvf = kFvfXyzRhw | kFvfDiffuse | kFvfTex1;
// Triangle list corners of a quad given as top-left, top-right, bottom-left, bottom-right.
const int kQuadOrder[6] = {0, 1, 2, 1, 3, 2};

} // namespace

SpriteBatch::SpriteBatch(Device& device) : m_device(device)
{
}

int SpriteBatch::Begin(uint32_t flags)
{
    if (m_begun || !m_device.IsCreated())
        return kErrInvalidCall;
    m_saved = m_device.CaptureState();
    m_begun = true;
    m_flags = flags;
    m_transform = MatrixIdentity();
    m_sprites.clear();

    const bool blend = (flags & kSpriteAlphaBlend) != 0;
    m_device.SetRenderState(kZEnable, 0);
    m_device.SetRenderState(kLighting, 0);
    m_device.SetRenderState(kCullMode, kCullNone);
    m_device.SetRenderState(kFogEnable, 0);
    m_device.SetRenderState(kAlphaBlendEnable, blend ? 1 : 0);
    m_device.SetRenderState(kSrcBlend, kBlendSrcAlpha);
    m_device.SetRenderState(kDestBlend, kBlendInvSrcAlpha);
    m_device.SetRenderState(kAlphaTestEnable, blend ? 1 : 0);
    m_device.SetRenderState(kAlphaRef, 0);
    m_device.SetRenderState(kAlphaFunc, kCmpGreater);
    m_device.SetTextureStageState(0, kColorOp, kTopModulate);
    m_device.SetTextureStageState(0, kColorArg1, kTaTexture);
    m_device.SetTextureStageState(0, kColorArg2, kTaDiffuse);
    m_device.SetTextureStageState(0, kAlphaOp, kTopModulate);
    m_device.SetTextureStageState(0, kAlphaArg1, kTaTexture);
    m_device.SetTextureStageState(0, kAlphaArg2, kTaDiffuse);
    m_device.SetTextureStageState(0, kMinFilter, kFilterLinear);
    m_device.SetTextureStageState(0, kMagFilter, kFilterLinear);
    m_device.SetTextureStageState(0, kMipFilter, kFilterLinear);
    // A sprite's edge must not wrap round to the far side of its texture.
    m_device.SetTextureStageState(0, kAddressU, kAddressClamp);
    m_device.SetTextureStageState(0, kAddressV, kAddressClamp);
    m_device.SetTextureStageState(1, kColorOp, kTopDisable);
    m_device.SetFVF(kSpriteFvf);
    return kOk;
}

int SpriteBatch::SetTransform(const Matrix& transform)
{
    if (!m_begun)
        return kErrInvalidCall;
    m_transform = transform;
    return kOk;
}

int SpriteBatch::Draw(Texture* texture, const Rect* source, const Vector3* center, const Vector3* position,
                      uint32_t color)
{
    if (!m_begun || !texture || texture->Empty())
        return kErrInvalidCall;
    const Rect whole{0, 0, texture->Width(), texture->Height()};
    const Rect& r = source ? *source : whole;
    const float left = (position ? position->x : 0.0f) - (center ? center->x : 0.0f);
    const float top = (position ? position->y : 0.0f) - (center ? center->y : 0.0f);
    const float z = position ? position->z : 0.0f;
    const float width = static_cast<float>(r.right - r.left);
    const float height = static_cast<float>(r.bottom - r.top);
    const float invW = 1.0f / texture->Width();
    const float invH = 1.0f / texture->Height();
    Sprite sprite{texture, {}};
    for (int i = 0; i < 4; ++i)
    {
        const float cx = (i & 1) ? width : 0.0f;
        const float cy = (i & 2) ? height : 0.0f;
        const Vector3 p = TransformCoord({left + cx, top + cy, z}, m_transform);
        sprite.corners[i] = Vertex{p.x, p.y, p.z, 1.0f, color, (r.left + cx) * invW, (r.top + cy) * invH};
    }
    m_sprites.push_back(sprite);
    return kOk;
}

int SpriteBatch::End()
{
    if (!m_begun)
        return kErrInvalidCall;
    if (m_flags & kSpriteSortTexture)
    {
        std::stable_sort(m_sprites.begin(), m_sprites.end(),
                         [](const Sprite& a, const Sprite& b) { return a.texture < b.texture; });
    }
    int result = kOk;
    for (size_t first = 0; first < m_sprites.size();)
    {
        size_t last = first;
        while (last < m_sprites.size() && m_sprites[last].texture == m_sprites[first].texture)
            ++last;
        m_vertices.clear();
        for (size_t i = first; i < last; ++i)
            for (int corner : kQuadOrder)
                m_vertices.push_back(m_sprites[i].corners[corner]);
        m_device.SetTexture(0, m_sprites[first].texture);
        const int drawn = m_device.DrawPrimitiveUP(kTriangleList, static_cast<int>((last - first) * 2),
                                                   m_vertices.data(), sizeof(Vertex));
        if (drawn != kOk)
            result = drawn;
        first = last;
    }
    m_sprites.clear();
    m_device.ApplyState(m_saved);
    m_begun = false;
    return result;
}

} // namespace plk::gfx
