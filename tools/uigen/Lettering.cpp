// Display lettering: rasterised text, a signed distance field of it, then fill, bevel, gloss and rim.
#include "tools/uigen/Lettering.h"

#include "tools/uigen/UiPaint.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace uigen
{

namespace
{

// Chamfer weights for straight and diagonal steps approximate Euclidean distance within a few percent.
const float kStraight = 1.0f;
const float kDiagonal = 1.4142f;
const float kFar = 1e6f;
const int kSmoothPasses = 3;

// Two-pass chamfer distance to the nearest pixel where inside differs from the pixel's own state.
std::vector<float> Chamfer(const std::vector<uint8_t>& inside, int w, int h, bool toInside)
{
    std::vector<float> d(inside.size(), kFar);
    for (size_t i = 0; i < inside.size(); ++i)
        if (static_cast<bool>(inside[i]) == toInside)
            d[i] = 0.0f;
    auto at = [&](int x, int y) -> float& { return d[static_cast<size_t>(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            float& v = at(x, y);
            if (x > 0)
                v = std::min(v, at(x - 1, y) + kStraight);
            if (y > 0)
            {
                v = std::min(v, at(x, y - 1) + kStraight);
                if (x > 0)
                    v = std::min(v, at(x - 1, y - 1) + kDiagonal);
                if (x + 1 < w)
                    v = std::min(v, at(x + 1, y - 1) + kDiagonal);
            }
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x)
        {
            float& v = at(x, y);
            if (x + 1 < w)
                v = std::min(v, at(x + 1, y) + kStraight);
            if (y + 1 < h)
            {
                v = std::min(v, at(x, y + 1) + kStraight);
                if (x + 1 < w)
                    v = std::min(v, at(x + 1, y + 1) + kDiagonal);
                if (x > 0)
                    v = std::min(v, at(x - 1, y + 1) + kDiagonal);
            }
        }
    return d;
}

} // namespace

art::Shape ShapeFromAlpha(const art::Canvas& mask, int x0, int y0)
{
    const int w = mask.Width(), h = mask.Height();
    std::vector<uint8_t> inside(static_cast<size_t>(w) * h);
    std::vector<float> alpha(inside.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const float a = mask.At(x, y).a;
            alpha[static_cast<size_t>(y) * w + x] = a;
            inside[static_cast<size_t>(y) * w + x] = a >= 0.5f;
        }
    const std::vector<float> out = Chamfer(inside, w, h, true);
    const std::vector<float> in = Chamfer(inside, w, h, false);
    std::vector<float> raw(inside.size());
    for (size_t i = 0; i < inside.size(); ++i)
    {
        // Coverage gives the sub-pixel edge position; the chamfer distance carries it away from the edge.
        const float edge = 0.5f - alpha[i];
        raw[i] = inside[i] ? std::min(-in[i] + 0.5f, edge) : std::max(out[i] - 0.5f, edge);
    }
    // Chamfer steps leave ridges that a bevel would light as stripes; smooth them away from the edge itself.
    auto field = std::make_shared<std::vector<float>>(raw);
    for (int pass = 0; pass < kSmoothPasses; ++pass)
    {
        std::vector<float> next = *field;
        for (int y = 1; y + 1 < h; ++y)
            for (int x = 1; x + 1 < w; ++x)
            {
                const size_t i = static_cast<size_t>(y) * w + x;
                if (std::fabs(raw[i]) < 1.0f)
                    continue;
                float sum = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        sum += (*field)[i + dy * w + dx];
                next[i] = sum / 9.0f;
            }
        *field = std::move(next);
    }
    art::Shape s;
    s.distance = [field, w, h, x0, y0](float px, float py) {
        const float fx = px - x0 - 0.5f, fy = py - y0 - 0.5f;
        const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
        auto at = [&](int x, int y) {
            x = std::clamp(x, 0, w - 1), y = std::clamp(y, 0, h - 1);
            return (*field)[static_cast<size_t>(y) * w + x];
        };
        const float tx = fx - ix, ty = fy - iy;
        const float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
        const float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
        return top + (bottom - top) * ty;
    };
    s.left = static_cast<float>(x0), s.top = static_cast<float>(y0);
    s.right = static_cast<float>(x0 + w), s.bottom = static_cast<float>(y0 + h);
    return s;
}

float LetteringWidth(const std::string& text, const LetteringStyle& style)
{
    art::TextStyle t;
    t.pixelHeight = style.pixelHeight;
    return TextWidth(t, text) + style.outlineWidth * 2.0f;
}

float DrawLettering(art::Canvas& c, const std::string& text, float x, float y, const LetteringStyle& style)
{
    art::TextStyle t;
    t.pixelHeight = style.pixelHeight;
    t.fill = art::Solid({1, 1, 1, 1});
    const float width = TextWidth(t, text);
    const int pad = static_cast<int>(style.outlineWidth + style.shadowSoftness + style.shadowDy) + 4;
    const int mw = static_cast<int>(width) + pad * 2;
    const int mh = static_cast<int>(style.pixelHeight * 1.4f) + pad * 2;
    const int mx = static_cast<int>(std::lround(x - width * 0.5f)) - pad;
    const int my = static_cast<int>(std::lround(y - style.pixelHeight * 1.05f)) - pad;
    art::Canvas mask(mw, mh);
    Text(mask, t, text, x - mx, y - my, art::Align::kCentre);
    const art::Shape letters = ShapeFromAlpha(mask, mx, my);
    const art::Shape rim = Offset(letters, style.outlineWidth);
    c.DropShadow(rim, 0.0f, style.shadowDy, style.shadowSoftness, art::Hex(0x000000, style.shadowAlpha));
    c.FillShape(rim, style.outline);
    c.Bevel(rim, style.outlineWidth * 0.8f, 0.5f);
    const float top = y - style.pixelHeight * 0.75f;
    c.FillShape(letters, art::LinearGradient({0, top}, {0, y}, style.top, style.bottom));
    c.Bevel(letters, style.bevelWidth, 0.9f);
    const art::Shape upper = art::RoundedRect(mx, my, mw, top + (y - top) * 0.45f - my, 0);
    c.FillShape(Intersect(Offset(letters, -style.bevelWidth * 0.5f), upper),
                art::LinearGradient({0, top}, {0, top + (y - top) * 0.45f}, art::Hex(0xffffff, 0.55f),
                                    art::Hex(0xffffff, 0.1f)));
    return width + style.outlineWidth * 2.0f;
}

LetteringStyle GoldLettering(int pixelHeight)
{
    LetteringStyle gold;
    gold.pixelHeight = pixelHeight;
    gold.top = art::Hex(0xfff6b0);
    gold.bottom = art::Hex(0xffa51c);
    gold.outline = art::Hex(0x7a3a06);
    return gold;
}

} // namespace uigen
