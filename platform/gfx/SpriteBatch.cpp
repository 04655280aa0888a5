// Sprite batching on the device's pre-transformed vertices.
#include "platform/gfx/SpriteBatch.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/Texture.h"

#include <algorithm>

namespace plk::gfx
{
namespace
{

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
    m_begun = true;
    m_flags = flags;
    m_transform = MatrixIdentity();
    m_sprites.clear();
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
    const bool blend = (m_flags & kSpriteAlphaBlend) != 0;
    for (const Sprite& sprite : m_sprites)
    {
        Vertex triangles[6];
        for (int i = 0; i < 6; ++i)
            triangles[i] = sprite.corners[kQuadOrder[i]];
        m_device.QueueSprites(sprite.texture, blend, triangles, 6);
    }
    m_sprites.clear();
    m_begun = false;
    return kOk;
}

} // namespace plk::gfx
