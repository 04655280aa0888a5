// Screen text from a glyph atlas: a face rasterised once into a texture, drawn as sprites with
// the text-drawing formats (alignment, word break, single line, clipping to the rectangle).
#pragma once

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/SpriteBatch.h"
#include "platform/gfx/TextLayout.h"
#include "platform/gfx/Texture.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace plk::gfx
{

class Device;

class Font
{
public:
    explicit Font(Device& device);

    // height < 0: character (em) height in pixels; height > 0: cell height (ascent + descent);
    // weight 600 or more is bold. 0 on success, else see Error().
    int Create(const std::string& face, int height, int weight, bool italic);
    void Release();
    bool IsCreated() const { return !m_atlas.Empty(); }

    // Draws 8-bit (Windows ANSI) text into rect with format and colour; with kDtCalcRect only
    // measures, widening and lengthening rect to fit. Returns the height of the text in pixels,
    // 0 on failure. sprite = a batch to draw with (null = the font's own).
    int DrawText(SpriteBatch* sprite, std::string_view text, Rect& rect, uint32_t format, uint32_t color);

    // Pixel width of one line of text.
    int MeasureLine(std::string_view text) const;
    int LineHeight() const { return m_lineHeight; }
    int Ascent() const { return m_ascent; }
    const std::string& Error() const { return m_error; }

private:
    struct Glyph
    {
        Rect atlas;   // where it lies in the atlas texture
        int left = 0; // from the pen to the bitmap's left edge
        int top = 0;  // from the line's top to the bitmap's top edge
        int advance = 0;
    };

    Device& m_device;
    SpriteBatch m_sprite;
    Texture m_atlas;
    std::array<Glyph, 256> m_glyphs{};
    int m_lineHeight = 0;
    int m_ascent = 0;
    std::string m_error;
};

} // namespace plk::gfx
