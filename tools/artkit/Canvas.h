// A float RGBA drawing surface: fills, gradients, anti-aliased shapes, bevels, shadows and compositing.
#pragma once

#include "platform/image/Image.h"
#include "tools/artkit/Colour.h"
#include "tools/artkit/Shape.h"

#include <functional>
#include <vector>

namespace art
{

// What a shape is filled with, evaluated at each pixel centre.
using Paint = std::function<Colour(float x, float y)>;

Paint Solid(const Colour& c);
Paint LinearGradient(Point from, Point to, const Colour& c0, const Colour& c1);
// Colour stops at positions 0..1 along the gradient, in increasing order.
Paint LinearGradientStops(Point from, Point to, std::vector<std::pair<float, Colour>> stops);
Paint RadialGradient(Point centre, float radius, const Colour& inner, const Colour& outer);

// Light for bevels: a direction in the image plane (x right, y down) and how high it stands.
struct Light
{
    float x = -0.55f, y = -0.65f, elevation = 0.55f;
};

class Canvas
{
  public:
    Canvas() = default;
    Canvas(int width, int height, const Colour& fill = {0, 0, 0, 0});
    static Canvas FromImage(const plk::Image& image);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Colour& At(int x, int y) { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    const Colour& At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    // Coordinates wrap around the edges, which keeps tileable textures seamless.
    const Colour& Wrapped(int x, int y) const;
    // Bilinear sample at texture coordinates (0..1 across the image, wrapping).
    Colour Sample(float u, float v) const;

    void Fill(const Colour& c);
    void FillPaint(const Paint& paint);
    // Source-over of c onto one pixel with the given coverage; ignores pixels outside.
    void Blend(int x, int y, const Colour& c, float coverage = 1.0f);
    void FillShape(const Shape& shape, const Paint& paint, float opacity = 1.0f);
    void FillShape(const Shape& shape, const Colour& c, float opacity = 1.0f)
    {
        FillShape(shape, Solid(c), opacity);
    }
    // Soft shadow of a shape: offset, blurred over softness pixels.
    void DropShadow(const Shape& shape, float dx, float dy, float softness, const Colour& c);
    // Lights the pixels inside the shape as a rounded bevel of the given width.
    void Bevel(const Shape& shape, float width, float strength, const Light& light = {});
    // Inner glow or darkening along the shape's edge, fading over width pixels.
    void InnerShade(const Shape& shape, float width, const Colour& c);
    // Multiplies every pixel's RGB by a function of its position (noise, vignettes).
    void Modulate(const std::function<float(float x, float y)>& factor);
    void Draw(const Canvas& source, int x, int y, float opacity = 1.0f);
    // Every pixel the average of a factor x factor block: draw at a multiple, then shrink for anti-aliasing.
    Canvas Downsample(int factor) const;
    Canvas Resized(int width, int height) const;
    Canvas Crop(int x, int y, int width, int height) const;

    plk::Image ToImage() const;

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<Colour> m_pixels;
};

} // namespace art
