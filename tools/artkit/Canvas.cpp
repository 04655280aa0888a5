// Pixel loops of the art kit's canvas.
#include "tools/artkit/Canvas.h"

#include <algorithm>
#include <cmath>

namespace art
{

namespace
{

// Distance samples for the bevel's slope: a finite difference over one pixel.
const float kGradientStep = 0.5f;

int Wrap(int v, int n)
{
    const int m = v % n;
    return m < 0 ? m + n : m;
}

uint8_t ToByte(float v)
{
    return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f));
}

} // namespace

Paint Solid(const Colour& c)
{
    return [c](float, float) { return c; };
}

Paint LinearGradient(Point from, Point to, const Colour& c0, const Colour& c1)
{
    return LinearGradientStops(from, to, {{0.0f, c0}, {1.0f, c1}});
}

Paint LinearGradientStops(Point from, Point to, std::vector<std::pair<float, Colour>> stops)
{
    const float dx = to.x - from.x, dy = to.y - from.y;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    return [=](float x, float y)
    {
        const float t = Clamp01(((x - from.x) * dx + (y - from.y) * dy) / len2);
        if (t <= stops.front().first)
            return stops.front().second;
        for (size_t i = 1; i < stops.size(); ++i)
            if (t <= stops[i].first)
            {
                const float span = stops[i].first - stops[i - 1].first;
                return Mix(stops[i - 1].second, stops[i].second,
                           span > 0 ? (t - stops[i - 1].first) / span : 1.0f);
            }
        return stops.back().second;
    };
}

Paint RadialGradient(Point centre, float radius, const Colour& inner, const Colour& outer)
{
    return [=](float x, float y)
    { return Mix(inner, outer, Clamp01(std::hypot(x - centre.x, y - centre.y) / radius)); };
}

Canvas::Canvas(int width, int height, const Colour& fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height, fill)
{
}

Canvas Canvas::FromImage(const plk::Image& image)
{
    Canvas c(image.width, image.height);
    const float k = 1.0f / 255.0f;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
        {
            const uint8_t* p = image.At(x, y);
            c.At(x, y) = {p[0] * k, p[1] * k, p[2] * k, p[3] * k};
        }
    return c;
}

const Colour& Canvas::Wrapped(int x, int y) const
{
    return At(Wrap(x, m_width), Wrap(y, m_height));
}

Colour Canvas::Sample(float u, float v) const
{
    const float fx = u * m_width - 0.5f, fy = v * m_height - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - x0, ty = fy - y0;
    const Colour top = Mix(Wrapped(x0, y0), Wrapped(x0 + 1, y0), tx);
    const Colour bottom = Mix(Wrapped(x0, y0 + 1), Wrapped(x0 + 1, y0 + 1), tx);
    return Mix(top, bottom, ty);
}

void Canvas::Fill(const Colour& c)
{
    std::fill(m_pixels.begin(), m_pixels.end(), c);
}

void Canvas::FillPaint(const Paint& paint)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            At(x, y) = paint(x + 0.5f, y + 0.5f);
}

void Canvas::Blend(int x, int y, const Colour& c, float coverage)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || coverage <= 0.0f)
        return;
    At(x, y) = Over(WithAlpha(c, c.a * std::min(coverage, 1.0f)), At(x, y));
}

void Canvas::FillShape(const Shape& shape, const Paint& paint, float opacity)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(shape.left)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(shape.top)) - 1);
    const int x1 = std::min(m_width - 1, static_cast<int>(std::ceil(shape.right)) + 1);
    const int y1 = std::min(m_height - 1, static_cast<int>(std::ceil(shape.bottom)) + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            const float px = x + 0.5f, py = y + 0.5f;
            const float coverage = Clamp01(0.5f - shape(px, py));
            if (coverage > 0.0f)
                Blend(x, y, paint(px, py), coverage * opacity);
        }
}

void Canvas::DropShadow(const Shape& shape, float dx, float dy, float softness, const Colour& c)
{
    const Shape moved = Translate(shape, dx, dy);
    const float s = std::max(softness, 0.5f);
    const int x0 = std::max(0, static_cast<int>(moved.left - s) - 1);
    const int y0 = std::max(0, static_cast<int>(moved.top - s) - 1);
    const int x1 = std::min(m_width - 1, static_cast<int>(moved.right + s) + 1);
    const int y1 = std::min(m_height - 1, static_cast<int>(moved.bottom + s) + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            const float d = moved(x + 0.5f, y + 0.5f);
            Blend(x, y, c, 1.0f - SmoothStep(-s, s, d));
        }
}

void Canvas::Bevel(const Shape& shape, float width, float strength, const Light& light)
{
    const float ll = std::hypot(light.x, light.y);
    const float lx = ll > 0 ? light.x / ll : 0, ly = ll > 0 ? light.y / ll : 0;
    const int x0 = std::max(0, static_cast<int>(shape.left) - 1),
              y0 = std::max(0, static_cast<int>(shape.top) - 1);
    const int x1 = std::min(m_width - 1, static_cast<int>(shape.right) + 1);
    const int y1 = std::min(m_height - 1, static_cast<int>(shape.bottom) + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            const float px = x + 0.5f, py = y + 0.5f;
            const float d = shape(px, py);
            if (d > 0.5f || d < -width)
                continue;
            // A quarter-round profile: steep at the rim, flat where the bevel meets the face.
            const float t = Clamp01(-d / width);
            const float slope = std::sqrt(std::max(0.0f, 1.0f - t * t)) * (1.0f - t * 0.15f);
            const float gx = shape(px + kGradientStep, py) - shape(px - kGradientStep, py);
            const float gy = shape(px, py + kGradientStep) - shape(px, py - kGradientStep);
            const float gl = std::hypot(gx, gy);
            if (gl <= 0)
                continue;
            // The outward gradient faces the light where the surface tilts toward it.
            const float facing = -(gx / gl * lx + gy / gl * ly);
            const float amount = facing * slope * strength * (1.0f - light.elevation * 0.5f);
            Colour& p = At(x, y);
            const float coverage = Clamp01(0.5f - d);
            const Colour lit = Shade(p, std::clamp(amount, -1.0f, 1.0f));
            p = Mix(p, WithAlpha(lit, p.a), coverage);
        }
}

void Canvas::InnerShade(const Shape& shape, float width, const Colour& c)
{
    const int x0 = std::max(0, static_cast<int>(shape.left)), y0 = std::max(0, static_cast<int>(shape.top));
    const int x1 = std::min(m_width - 1, static_cast<int>(shape.right) + 1);
    const int y1 = std::min(m_height - 1, static_cast<int>(shape.bottom) + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            const float d = shape(x + 0.5f, y + 0.5f);
            if (d > 0.5f || d < -width)
                continue;
            const float t = 1.0f - Clamp01(-d / width);
            const float a = t * t * Clamp01(0.5f - d);
            Colour& p = At(x, y);
            p = Mix(p, WithAlpha(c, p.a), a * c.a);
        }
}

void Canvas::Modulate(const std::function<float(float, float)>& factor)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
        {
            Colour& p = At(x, y);
            const float f = factor(x + 0.5f, y + 0.5f);
            p = {Clamp01(p.r * f), Clamp01(p.g * f), Clamp01(p.b * f), p.a};
        }
}

void Canvas::Draw(const Canvas& source, int x, int y, float opacity)
{
    for (int sy = 0; sy < source.m_height; ++sy)
        for (int sx = 0; sx < source.m_width; ++sx)
            Blend(x + sx, y + sy, source.At(sx, sy), opacity);
}

Canvas Canvas::Downsample(int factor) const
{
    Canvas out(m_width / factor, m_height / factor);
    const float n = static_cast<float>(factor * factor);
    for (int y = 0; y < out.m_height; ++y)
        for (int x = 0; x < out.m_width; ++x)
        {
            // Weight colour by alpha so transparent neighbours do not darken edges.
            float r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i)
                {
                    const Colour& p = At(x * factor + i, y * factor + j);
                    r += p.r * p.a, g += p.g * p.a, b += p.b * p.a, a += p.a;
                }
            out.At(x, y) = a > 0 ? Colour{r / a, g / a, b / a, a / n} : Colour{0, 0, 0, 0};
        }
    return out;
}

Canvas Canvas::Resized(int width, int height) const
{
    Canvas out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            // Box-average the source footprint so shrinking does not alias.
            const int sx0 = x * m_width / width, sx1 = std::max(sx0 + 1, (x + 1) * m_width / width);
            const int sy0 = y * m_height / height, sy1 = std::max(sy0 + 1, (y + 1) * m_height / height);
            float r = 0, g = 0, b = 0, a = 0;
            int n = 0;
            for (int sy = sy0; sy < sy1 && sy < m_height; ++sy)
                for (int sx = sx0; sx < sx1 && sx < m_width; ++sx, ++n)
                {
                    const Colour& p = At(sx, sy);
                    r += p.r * p.a, g += p.g * p.a, b += p.b * p.a, a += p.a;
                }
            out.At(x, y) = a > 0 ? Colour{r / a, g / a, b / a, a / std::max(n, 1)} : Colour{0, 0, 0, 0};
        }
    return out;
}

Canvas Canvas::Crop(int x, int y, int width, int height) const
{
    Canvas out(width, height);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            if (x + i >= 0 && y + j >= 0 && x + i < m_width && y + j < m_height)
                out.At(i, j) = At(x + i, y + j);
    return out;
}

plk::Image Canvas::ToImage() const
{
    plk::Image image(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
        {
            const Colour& c = At(x, y);
            uint8_t* p = image.At(x, y);
            p[0] = ToByte(c.r), p[1] = ToByte(c.g), p[2] = ToByte(c.b), p[3] = ToByte(c.a);
        }
    return image;
}

} // namespace art
