// Colour arithmetic for the art kit.
#include "tools/artkit/Colour.h"

#include <algorithm>
#include <cmath>

namespace art
{

Colour Hex(uint32_t rgb, float alpha)
{
    const float k = 1.0f / 255.0f;
    return {static_cast<float>((rgb >> 16) & 0xFF) * k, static_cast<float>((rgb >> 8) & 0xFF) * k,
            static_cast<float>(rgb & 0xFF) * k, alpha};
}

Colour FromHsv(float h, float s, float v, float alpha)
{
    h = std::fmod(h, 360.0f);
    if (h < 0)
        h += 360.0f;
    const float c = v * s;
    const float hp = h / 60.0f;
    const float x = c * (1.0f - std::fabs(std::fmod(hp, 2.0f) - 1.0f));
    float r = 0, g = 0, b = 0;
    switch (static_cast<int>(hp) % 6)
    {
    case 0:
        r = c, g = x;
        break;
    case 1:
        r = x, g = c;
        break;
    case 2:
        g = c, b = x;
        break;
    case 3:
        g = x, b = c;
        break;
    case 4:
        r = x, b = c;
        break;
    default:
        r = c, b = x;
        break;
    }
    const float m = v - c;
    return {r + m, g + m, b + m, alpha};
}

void ToHsv(const Colour& c, float& h, float& s, float& v)
{
    const float mx = std::max({c.r, c.g, c.b});
    const float mn = std::min({c.r, c.g, c.b});
    const float d = mx - mn;
    v = mx;
    s = mx > 0 ? d / mx : 0;
    if (d <= 0)
        h = 0;
    else if (mx == c.r)
        h = 60.0f * std::fmod((c.g - c.b) / d + 6.0f, 6.0f);
    else if (mx == c.g)
        h = 60.0f * ((c.b - c.r) / d + 2.0f);
    else
        h = 60.0f * ((c.r - c.g) / d + 4.0f);
}

Colour Mix(const Colour& a, const Colour& b, float t)
{
    return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t), Lerp(a.a, b.a, t)};
}

Colour Shade(const Colour& c, float amount)
{
    const Colour target = amount >= 0 ? Colour{1, 1, 1, c.a} : Colour{0, 0, 0, c.a};
    return Mix(c, target, std::fabs(amount));
}

Colour WithAlpha(const Colour& c, float alpha)
{
    return {c.r, c.g, c.b, alpha};
}

Colour Clamp(const Colour& c)
{
    return {Clamp01(c.r), Clamp01(c.g), Clamp01(c.b), Clamp01(c.a)};
}

Colour Over(const Colour& top, const Colour& bottom)
{
    const float a = top.a + bottom.a * (1.0f - top.a);
    if (a <= 0.0f)
        return {0, 0, 0, 0};
    const float wb = bottom.a * (1.0f - top.a);
    return {(top.r * top.a + bottom.r * wb) / a, (top.g * top.a + bottom.g * wb) / a,
            (top.b * top.a + bottom.b * wb) / a, a};
}

float Luminance(const Colour& c)
{
    return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b;
}

float SmoothStep(float edge0, float edge1, float x)
{
    const float t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

} // namespace art
