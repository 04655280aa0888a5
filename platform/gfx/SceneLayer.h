// A picture kept with its depth: an off-screen framebuffer the size of the back buffer that a
// still part of the scene is drawn into once and copied from, colour and depth, in later frames.
// Its rows lie top first: whoever draws into it turns the picture upside down (Device does).
#pragma once

#include "platform/gfx/DeviceTypes.h"

#include <cstdint>

namespace plk::gfx
{

class SceneLayer
{
public:
    SceneLayer() = default;
    ~SceneLayer();
    SceneLayer(const SceneLayer&) = delete;
    SceneLayer& operator=(const SceneLayer&) = delete;

    // Makes the framebuffer (again when the size or the context changed), fills area (back-buffer
    // pixels, y from the top) with the clear colour (ARGB) and depth, and sends drawing there.
    // False when the driver cannot keep a layer; drawing then still goes to the window.
    bool BeginDrawing(int width, int height, const Rect& area, uint32_t color, float z);
    // Sends drawing to the window again and copies area there from the layer; false when the
    // copy failed (the driver then cannot keep layers, and the window misses what was drawn).
    bool EndDrawing(const Rect& area);
    // Copies area of the layer to the window; false when there is no layer of this size.
    bool CopyToWindow(int width, int height, const Rect& area);
    void Release();
    // A copy failed once: no more layers on this driver.
    bool Failed() const { return m_failed; }

private:
    bool Make(int width, int height);
    bool Copy(const Rect& area);

    unsigned m_framebuffer = 0;
    unsigned m_color = 0; // textures
    unsigned m_depth = 0;
    unsigned m_copyMask = 0;
    int m_width = 0;
    int m_height = 0;
    uint64_t m_generation = 0; // context the names belong to
    bool m_failed = false;
};

} // namespace plk::gfx
