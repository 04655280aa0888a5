// Glyph atlases built from platform/font faces and drawn through the sprite batch.
#include "platform/gfx/Font.h"

#include "platform/font/FontFace.h"
#include "platform/gfx/Device.h"

#include <algorithm>
#include <cmath>

namespace plk::gfx
{
namespace
{

// Glyph images of every 8-bit character from the space on fit in rows of this width.
const int kAtlasWidth = 512;
// Empty texels around each glyph so that linear filtering never picks up a neighbour.
const int kGlyphPadding = 1;
const int kWeightBold = 600;
const int kFirstPrintable = 32;

// Windows ANSI (code page 1252) differs from Latin-1 only in 0x80..0x9F.
const uint32_t kCp1252High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                  0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

uint32_t CodePoint(int byte)
{
    return (byte >= 0x80 && byte < 0xA0) ? kCp1252High[byte - 0x80] : static_cast<uint32_t>(byte);
}

bool Drawable(int byte)
{
    return byte >= kFirstPrintable && byte != 0x7F && !(byte >= 0x80 && byte < 0xA0 && CodePoint(byte) < 0xA0);
}

} // namespace

Font::Font(Device& device) : m_device(device), m_sprite(device)
{
}

int Font::Create(const std::string& face, int height, int weight, bool italic)
{
    Release();
    m_error.clear();
    if (height == 0)
    {
        m_error = "the font height is 0";
        return kErrInvalidCall;
    }
    const bool bold = weight >= kWeightBold;
    FontFace font;
    int pixelHeight = std::abs(height);
    if (font.Open(face, pixelHeight, bold, italic) != 0)
    {
        m_error = font.Error();
        return kErrNotAvailable;
    }
    if (height > 0)
    {
        // A positive height is the whole cell: scale the em so that ascent + descent fits it.
        const int cell = font.Ascender() + font.Descender();
        if (cell > 0 && cell != height)
        {
            pixelHeight = std::max(1, static_cast<int>(std::lround(static_cast<double>(height) * height / cell)));
            if (font.Open(face, pixelHeight, bold, italic) != 0)
            {
                m_error = font.Error();
                return kErrNotAvailable;
            }
        }
    }
    m_ascent = font.Ascender();
    m_lineHeight = font.Ascender() + font.Descender();

    std::array<GlyphBitmap, 256> bitmaps;
    int x = kGlyphPadding, y = kGlyphPadding, rowHeight = 0;
    for (int c = kFirstPrintable; c < 256; ++c)
    {
        if (!Drawable(c))
            continue;
        GlyphBitmap& bitmap = bitmaps[c];
        if (font.RenderGlyph(CodePoint(c), bitmap) != 0)
        {
            m_error = font.Error();
            return kErrNotAvailable;
        }
        if (x + bitmap.width + kGlyphPadding > kAtlasWidth)
        {
            x = kGlyphPadding;
            y += rowHeight + kGlyphPadding;
            rowHeight = 0;
        }
        Glyph& glyph = m_glyphs[c];
        glyph.atlas = Rect{x, y, x + bitmap.width, y + bitmap.height};
        glyph.left = bitmap.left;
        glyph.top = m_ascent - bitmap.top;
        glyph.advance = static_cast<int>(std::lround(bitmap.advance));
        x += bitmap.width + kGlyphPadding;
        rowHeight = std::max(rowHeight, bitmap.height);
    }
    // White texels whose alpha is the coverage, so the colour of the text comes from the vertices.
    Image atlas(kAtlasWidth, y + rowHeight + kGlyphPadding, 0xFFFFFF00u);
    for (int c = kFirstPrintable; c < 256; ++c)
    {
        const GlyphBitmap& bitmap = bitmaps[c];
        const Glyph& glyph = m_glyphs[c];
        for (int row = 0; row < bitmap.height; ++row)
            for (int col = 0; col < bitmap.width; ++col)
                atlas.At(glyph.atlas.left + col, glyph.atlas.top + row)[3] =
                    bitmap.coverage[static_cast<size_t>(row) * bitmap.width + col];
    }
    // A font serves one device, so once uploaded its atlas never needs these pixels again.
    const int created = m_atlas.CreateUntilLost(std::move(atlas));
    if (created != kOk)
        m_error = "the glyph atlas could not be created";
    return created;
}

void Font::Release()
{
    m_atlas.Release();
    m_glyphs.fill(Glyph{});
    m_lineHeight = m_ascent = 0;
}

int Font::MeasureLine(std::string_view text) const
{
    int width = 0;
    for (unsigned char c : text)
        width += m_glyphs[c].advance;
    return width;
}

int Font::DrawText(SpriteBatch* sprite, std::string_view text, Rect& rect, uint32_t format, uint32_t color)
{
    if (!IsCreated())
    {
        m_error = "the font has not been created";
        return 0;
    }
    const int rectWidth = rect.right - rect.left;
    const int rectHeight = rect.bottom - rect.top;
    const auto lines =
        LayoutText(text, format, rectWidth, [this](std::string_view run) { return MeasureLine(run); });
    const int textHeight = static_cast<int>(lines.size()) * m_lineHeight;
    if (format & kDtCalcRect)
    {
        int widest = 0;
        for (const TextLine& line : lines)
            widest = std::max(widest, line.width);
        rect.right = rect.left + widest;
        rect.bottom = rect.top + textHeight;
        return textHeight;
    }
    int top = rect.top;
    if (format & kDtBottom)
        top = rect.bottom - textHeight;
    else if (format & kDtVCenter)
        top = rect.top + (rectHeight - textHeight) / 2;

    SpriteBatch* batch = sprite ? sprite : &m_sprite;
    const bool ownBatch = !batch->IsBegun();
    if (ownBatch && batch->Begin(kSpriteAlphaBlend) != kOk)
    {
        m_error = "the sprite batch could not begin";
        return 0;
    }
    batch->SetTransform(MatrixIdentity());
    const bool clip = (format & kDtNoClip) == 0;
    int lineTop = top;
    for (const TextLine& line : lines)
    {
        int pen = rect.left;
        if (format & kDtRight)
            pen = rect.right - line.width;
        else if (format & kDtCenter)
            pen = rect.left + (rectWidth - line.width) / 2;
        for (unsigned char c : text.substr(line.start, line.length))
        {
            const Glyph& glyph = m_glyphs[c];
            Rect source = glyph.atlas;
            int gx = pen + glyph.left;
            int gy = lineTop + glyph.top;
            pen += glyph.advance;
            if (clip)
            {
                // Glyphs sit on whole pixels at scale 1, so cutting the source cuts the quad exactly.
                const int cutLeft = std::max(0, rect.left - gx);
                const int cutTop = std::max(0, rect.top - gy);
                source.left += cutLeft;
                source.top += cutTop;
                gx += cutLeft;
                gy += cutTop;
                source.right -= std::max(0, gx + (source.right - source.left) - rect.right);
                source.bottom -= std::max(0, gy + (source.bottom - source.top) - rect.bottom);
            }
            if (source.right <= source.left || source.bottom <= source.top)
                continue;
            const Vector3 position{static_cast<float>(gx), static_cast<float>(gy), 0.0f};
            batch->Draw(&m_atlas, &source, nullptr, &position, color);
        }
        lineTop += m_lineHeight;
    }
    if (ownBatch && batch->End() != kOk)
    {
        m_error = "the text could not be drawn: " + m_device.Error();
        return 0;
    }
    return textHeight;
}

} // namespace plk::gfx
