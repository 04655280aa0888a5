// A texture loaded from the media folder and drawn as a scaled, tinted 2D sprite through the shared batch.
#pragma once

#include "foundation/XString.h"
#include "platform/gfx/Texture.h"

#include <cstdint>

namespace plk::gfx
{
class SpriteBatch;
}

// What was learnt of the source image: numbers as the video-format vocabulary counts them.
struct XImageInfo
{
    unsigned width = 0;
    unsigned height = 0;
    unsigned depth = 0;
    unsigned mipLevels = 0;
    unsigned format = 0;
    unsigned resourceType = 0;
    unsigned fileFormat = 0;
};

class XDXTexture
{
public:
    XDXTexture();
    virtual ~XDXTexture();
    XDXTexture(const XDXTexture&) = delete;
    XDXTexture& operator=(const XDXTexture&) = delete;

    // Process-wide: (re)creates the shared sprite batch on the engine's device.
    static bool Init(XString& errorMsg);
    static void ReleaseSprite();
    static plk::gfx::SpriteBatch* GetSprite();
    static unsigned GetLiveCount();

    // Loads media folder + the part of name after its last backslash; colorKey ARGB (0 = none)
    // becomes transparent black; format 0 keeps the file's.
    bool Load(const XString& name, uint32_t colorKey, uint32_t format);
    // Draws source (width or height 0 = the whole image) with its top-left corner at x, y,
    // scaled, tinted by colour (0xFFFFFFFF = unchanged), blended by alpha when alphaBlend.
    bool Draw(int x, int y, int sourceX, int sourceY, int sourceWidth, int sourceHeight, float scaleX, float scaleY,
              uint32_t color, bool alphaBlend);
    void Release();

    unsigned GetImageWidth() const { return m_info.width; }
    unsigned GetImageHeight() const { return m_info.height; }
    const XImageInfo& GetImageInfo() const { return m_info; }
    // Null while nothing is loaded.
    plk::gfx::Texture* GetTexture() { return m_texture.Empty() ? nullptr : &m_texture; }
    const XString& GetFileName() const { return m_strFileName; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    XString m_strErrorMsg;
    XString m_strFileName;
    uint32_t m_uiColorKey = 0;
    uint32_t m_uiFormat = 0;
    plk::gfx::Texture m_texture;
    XImageInfo m_info;
};
