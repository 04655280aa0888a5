// The one sprite batch: textured, tinted 2D quads placed by a 2D transform, drawn between Begin and End.
#pragma once

#include "platform/gfx/Device.h"
#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/Math.h"

#include <cstdint>
#include <vector>

namespace plk::gfx
{

class Texture;

enum SpriteFlags : uint32_t
{
    kSpriteAlphaBlend = 0x10,  // blend by alpha (and skip fully transparent texels)
    kSpriteSortTexture = 0x20, // group sprites by texture when drawing
};

class SpriteBatch
{
public:
    explicit SpriteBatch(Device& device);

    // Starts a batch; fails when already begun. The device's states are never touched: sprites
    // draw with states of their own (see Device::QueueSprites).
    int Begin(uint32_t flags);
    // Placement of the sprites drawn after it, in back-buffer pixels.
    int SetTransform(const Matrix& transform);
    // Queues one quad of source (null = whole texture) with its corner center (null = top-left)
    // moved to position (null = origin), then transformed; colour ARGB modulates the texels.
    int Draw(Texture* texture, const Rect* source, const Vector3* center, const Vector3* position, uint32_t color);
    // Hands the batch to the device, which draws it before anything drawn after it.
    int End();
    bool IsBegun() const { return m_begun; }

private:
    using Vertex = Device::ScreenVertex;
    struct Sprite
    {
        Texture* texture;
        Vertex corners[4];
    };

    Device& m_device;
    bool m_begun = false;
    uint32_t m_flags = 0;
    Matrix m_transform = MatrixIdentity();
    std::vector<Sprite> m_sprites;
};

} // namespace plk::gfx
