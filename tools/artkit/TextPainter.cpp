// Rasterised text composited with outline and shadow.
#include "tools/artkit/TextPainter.h"

#include "platform/font/FontFace.h"

#include <algorithm>
#include <cmath>

namespace art
{

namespace
{

// Lines never shrink below this when fitted into a box: smaller text is unreadable anyway.
const int kMinFittedHeight = 7;

bool OpenFace(plk::FontFace& face, const TextStyle& style, std::string* error)
{
    if (face.Open(style.family, style.pixelHeight, style.bold, style.italic) != 0)
    {
        if (error)
            *error = face.Error();
        return false;
    }
    return true;
}

// Coverage of the text grown by radius pixels, for outlines.
std::vector<float> Dilate(const plk::TextBitmap& text, int pad, float radius)
{
    const int w = text.width + pad * 2, h = text.height + pad * 2;
    std::vector<float> out(static_cast<size_t>(w) * h, 0.0f);
    const int r = static_cast<int>(std::ceil(radius));
    for (int y = 0; y < text.height; ++y)
        for (int x = 0; x < text.width; ++x)
        {
            const float c = text.coverage[static_cast<size_t>(y) * text.width + x] / 255.0f;
            if (c <= 0)
                continue;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx)
                {
                    const float falloff =
                        Clamp01(radius + 0.5f - std::hypot(static_cast<float>(dx), static_cast<float>(dy)));
                    float& dst = out[static_cast<size_t>(y + pad + dy) * w + x + pad + dx];
                    dst = std::max(dst, c * falloff);
                }
        }
    return out;
}

} // namespace

bool MeasureText(const TextStyle& style, const std::string& text, TextExtent& out, std::string* error)
{
    plk::FontFace face;
    if (!OpenFace(face, style, error))
        return false;
    out.width = face.MeasureText(text);
    out.ascender = face.Ascender();
    out.descender = face.Descender();
    return true;
}

bool DrawText(Canvas& canvas, const TextStyle& style, const std::string& text, float x, float y, Align align,
              std::string* error)
{
    plk::FontFace face;
    if (!OpenFace(face, style, error))
        return false;
    plk::TextBitmap bitmap;
    if (face.RenderText(text, bitmap) != 0)
    {
        if (error)
            *error = face.Error();
        return false;
    }
    const float width = face.MeasureText(text);
    float left = x;
    if (align == Align::kCentre)
        left = x - width * 0.5f;
    else if (align == Align::kRight)
        left = x - width;
    const int ox = static_cast<int>(std::lround(left));
    const int oy = static_cast<int>(std::lround(y)) - bitmap.baseline;
    const int pad = static_cast<int>(std::ceil(style.outlineWidth)) + 1;
    const std::vector<float> grown =
        style.outlineWidth > 0 ? Dilate(bitmap, pad, style.outlineWidth) : std::vector<float>();
    const int gw = bitmap.width + pad * 2;
    auto coverageAt = [&](int bx, int by)
    {
        if (bx < 0 || by < 0 || bx >= bitmap.width || by >= bitmap.height)
            return 0.0f;
        return bitmap.coverage[static_cast<size_t>(by) * bitmap.width + bx] / 255.0f;
    };
    auto outlineAt = [&](int bx, int by)
    {
        if (grown.empty() || bx < -pad || by < -pad || bx >= bitmap.width + pad || by >= bitmap.height + pad)
            return coverageAt(bx, by);
        return grown[static_cast<size_t>(by + pad) * gw + bx + pad];
    };
    if (style.shadow.a > 0)
    {
        const int r = static_cast<int>(std::ceil(style.shadowSoftness));
        const int sdx = static_cast<int>(std::lround(style.shadowDx)),
                  sdy = static_cast<int>(std::lround(style.shadowDy));
        for (int by = -pad - r; by < bitmap.height + pad + r; ++by)
            for (int bx = -pad - r; bx < bitmap.width + pad + r; ++bx)
            {
                float sum = 0;
                int n = 0;
                for (int j = -r; j <= r; ++j)
                    for (int i = -r; i <= r; ++i, ++n)
                        sum += outlineAt(bx + i, by + j);
                canvas.Blend(ox + bx + sdx, oy + by + sdy, style.shadow, sum / n);
            }
    }
    if (style.outlineWidth > 0)
        for (int by = -pad; by < bitmap.height + pad; ++by)
            for (int bx = -pad; bx < bitmap.width + pad; ++bx)
                canvas.Blend(ox + bx, oy + by, style.outline, outlineAt(bx, by));
    for (int by = 0; by < bitmap.height; ++by)
        for (int bx = 0; bx < bitmap.width; ++bx)
        {
            const float c = coverageAt(bx, by);
            if (c > 0)
                canvas.Blend(ox + bx, oy + by,
                             style.fill ? style.fill(ox + bx + 0.5f, oy + by + 0.5f) : style.colour, c);
        }
    return true;
}

bool DrawTextInBox(Canvas& canvas, TextStyle style, const std::string& text, float left, float top,
                   float width, float height, std::string* error)
{
    TextExtent extent;
    for (;;)
    {
        if (!MeasureText(style, text, extent, error))
            return false;
        const float room = width - style.outlineWidth * 2;
        if ((extent.width <= room && extent.ascender + extent.descender <= height) ||
            style.pixelHeight <= kMinFittedHeight)
            break;
        --style.pixelHeight;
    }
    const float baseline = top + (height + extent.ascender - extent.descender) * 0.5f;
    return DrawText(canvas, style, text, left + width * 0.5f, baseline, Align::kCentre, error);
}

} // namespace art
