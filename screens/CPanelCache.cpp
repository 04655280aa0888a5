// The kept picture of a panel: read back once when it changes, drawn as one quad otherwise.
#include "screens/CPanelCache.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/SpriteBatch.h"

#include <algorithm>
#include <cmath>

namespace
{
const uint32_t kUntinted = 0xFFFFFFFF;

// The first back-buffer pixel whose centre lies at or beyond edge.
int FirstPixelFrom(float edge)
{
    return static_cast<int>(std::ceil(edge - 0.5f));
}
} // namespace

bool CPanelCache::Draw(plk::gfx::Device& device, const Face& face)
{
    if (!m_kept || !device.Shortcuts() || face != m_face)
        return false;
    // The picture holds back-buffer pixels: drawn one texel on each pixel, whatever the screen's
    // placement, the sprite path samples it nearest and the pixels come back exactly.
    const float scale = device.PlacementScale();
    const float offsetX = device.PlacementX();
    const float offsetY = device.PlacementY();
    device.SetScreenPlacement(1.0f, 0.0f, 0.0f);
    bool drawn = false;
    {
        plk::gfx::SpriteBatch batch(device);
        // Blended, with every texel opaque, the picture is still sampled nearest: the device samples
        // opaque sprites bilinearly, which costs a software rasteriser more over a whole column.
        if (batch.Begin(plk::gfx::kSpriteAlphaBlend) == plk::gfx::kOk)
        {
            const plk::gfx::Vector3 at{static_cast<float>(m_area.left), static_cast<float>(m_area.top), 0.0f};
            drawn = batch.Draw(&m_picture, nullptr, nullptr, &at, kUntinted) == plk::gfx::kOk;
            drawn = batch.End() == plk::gfx::kOk && drawn;
        }
    }
    device.SetScreenPlacement(scale, offsetX, offsetY);
    return drawn;
}

void CPanelCache::Keep(plk::gfx::Device& device, float right, float bottom, const Face& face)
{
    Forget();
    if (!device.Shortcuts())
        return;
    const float scale = device.PlacementScale();
    const float offsetX = device.PlacementX();
    const float offsetY = device.PlacementY();
    const plk::gfx::Rect area{std::max(0, FirstPixelFrom(offsetX)), std::max(0, FirstPixelFrom(offsetY)),
                              std::min(FirstPixelFrom(offsetX + right * scale), device.BackBufferWidth()),
                              std::min(FirstPixelFrom(offsetY + bottom * scale), device.BackBufferHeight())};
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    plk::Image pixels;
    if (device.ReadRect(area, pixels) != plk::gfx::kOk)
        return;
    // The back buffer's alpha says nothing of the panel: drawn blended, the picture must be opaque.
    for (size_t alpha = 3; alpha < pixels.pixels.size(); alpha += 4)
        pixels.pixels[alpha] = 255;
    if (m_picture.CreateUntilLost(std::move(pixels)) != plk::gfx::kOk)
        return;
    m_area = area;
    m_face = face;
    m_kept = true;
}

void CPanelCache::Forget()
{
    m_picture.Release();
    m_kept = false;
}
