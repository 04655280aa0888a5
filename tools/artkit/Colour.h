// Colours as straight-alpha floats, with HSV and mixing helpers for the art generators.
#pragma once

#include <cstdint>

namespace art
{

struct Colour
{
    float r = 0, g = 0, b = 0, a = 0;
};

// 0xRRGGBB with an alpha in 0..1.
Colour Hex(uint32_t rgb, float alpha = 1.0f);
// h in degrees (any value, wrapped), s and v in 0..1.
Colour FromHsv(float h, float s, float v, float alpha = 1.0f);
void ToHsv(const Colour& c, float& h, float& s, float& v);
Colour Mix(const Colour& a, const Colour& b, float t);
// Moves toward white (amount > 0) or black (amount < 0) keeping alpha.
Colour Shade(const Colour& c, float amount);
Colour WithAlpha(const Colour& c, float alpha);
Colour Clamp(const Colour& c);
// Source-over of a straight-alpha colour onto another.
Colour Over(const Colour& top, const Colour& bottom);
float Luminance(const Colour& c);

inline float Clamp01(float v)
{
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}
inline float Lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}
float SmoothStep(float edge0, float edge1, float x);

} // namespace art
