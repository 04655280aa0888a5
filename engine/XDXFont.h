// 2D text on the back buffer in a face and point size, with the text-drawing formats.
#pragma once

#include "foundation/XString.h"

#include <cstdint>
#include <memory>

namespace plk::gfx
{
class Font;
}

class XDXFont
{
public:
    XDXFont();
    ~XDXFont();
    XDXFont(const XDXFont&) = delete;
    XDXFont& operator=(const XDXFont&) = delete;

    // size in points at the logical 96 pixels per inch; the last two arguments are not used.
    bool Create(const XString& face, int size, bool bold, bool italic, int unused1 = 0, int unused2 = 0);
    // Width or height 0 means no limit; format = plk::gfx::kDt... flags (0 = left, top).
    bool Print(const XString& text, int x, int y, int width, int height, uint32_t color, uint32_t format);
    void Release();

    // The character height the font was created with, negative as the system counts it.
    int GetHeight() const { return m_iHeight; }
    plk::gfx::Font* GetFont() { return m_pFont.get(); }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

    // Pixel height asked of the face for a point size: -(size * 96 / 72), truncated towards zero.
    static int HeightForPoints(int size);

private:
    std::unique_ptr<plk::gfx::Font> m_pFont;
    int m_iHeight = 0;
    XString m_strErrorMsg;
};
