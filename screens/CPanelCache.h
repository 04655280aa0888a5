// A 2D panel that seldom changes, kept as a picture of its own pixels: while what it shows stays the
// same, one unblended quad of those pixels replaces its dozens of blended sprites and glyphs.
#pragma once

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/Texture.h"

#include <cstdint>
#include <vector>

namespace plk::gfx
{
class Device;
}

class CPanelCache
{
public:
    // Everything the panel's pixels depend on, the back buffer's size included.
    using Face = std::vector<int64_t>;

    // Draws the kept picture when it shows face; false when the panel must be drawn anew (then
    // Keep after drawing it). Always false while the device's shortcuts are off.
    bool Draw(plk::gfx::Device& device, const Face& face);
    // Keeps the panel's pixels as showing face: those of the back buffer whose centres lie inside
    // right x bottom, a size in the screen's own pixels from its top-left corner, where the device's
    // placement puts it. That area must hold nothing but the panel's own pixels (an opaque
    // background under everything it draws).
    void Keep(plk::gfx::Device& device, float right, float bottom, const Face& face);
    void Forget();

private:
    plk::gfx::Texture m_picture;
    plk::gfx::Rect m_area;
    Face m_face;
    bool m_kept = false;
};
