// The kept picture of a panel: read back once when it changes, drawn as one quad otherwise.
#include "screens/CPanelCache.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/SpriteBatch.h"

namespace
{
const uint32_t kUntinted = 0xFFFFFFFF;
} // namespace

bool CPanelCache::Draw(plk::gfx::Device& device, const Face& face)
{
    if (!m_kept || !device.Shortcuts() || face != m_face)
        return false;
    // One texel on each pixel: the sprite path samples it nearest, so the pixels come back exactly.
    plk::gfx::SpriteBatch batch(device);
    if (batch.Begin(0) != plk::gfx::kOk)
        return false;
    const plk::gfx::Vector3 at{static_cast<float>(m_area.left), static_cast<float>(m_area.top), 0.0f};
    const bool drawn = batch.Draw(&m_picture, nullptr, nullptr, &at, kUntinted) == plk::gfx::kOk;
    return batch.End() == plk::gfx::kOk && drawn;
}

void CPanelCache::Keep(plk::gfx::Device& device, const plk::gfx::Rect& area, const Face& face)
{
    Forget();
    if (!device.Shortcuts())
        return;
    plk::Image pixels;
    if (device.ReadRect(area, pixels) != plk::gfx::kOk ||
        m_picture.Create(std::move(pixels), 0, false) != plk::gfx::kOk)
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
