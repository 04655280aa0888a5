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

    // Saves the device's states and sets those of 2D drawing; fails when already begun.
    int Begin(uint32_t flags);
    // Placement of the sprites drawn after it, in back-buffer pixels.
    int SetTransform(const Matrix& transform);
    // Queues one quad of source (null = whole texture) with its corner center (null = top-left)
    // moved to position (null = origin), then transformed; colour ARGB modulates the texels.
    int Draw(Texture* texture, const Rect* source, const Vector3* center, const Vector3* position, uint32_t color);
    // Draws what was queued and restores the states saved by Begin.
    int End();
    bool IsBegun() const { return m_begun; }

private:
    struct Vertex
    {
        float x, y, z, rhw;
        uint32_t color;
        float u, v;
    };
    struct Sprite
    {
        Texture* texture;
        Vertex corners[4];
    };

    Device& m_device;
    Device::StateBlock m_saved; // the device's states before Begin
    bool m_begun = false;
    uint32_t m_flags = 0;
    Matrix m_transform = MatrixIdentity();
    std::vector<Sprite> m_sprites;
    std::vector<Vertex> m_vertices;
};

} // namespace plk::gfx
