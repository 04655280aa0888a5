// Hash-based value noise for the art kit.
#include "tools/artkit/Noise.h"

#include <cmath>

namespace art
{

namespace
{

int Wrap(int v, int period)
{
    if (period <= 0)
        return v;
    const int m = v % period;
    return m < 0 ? m + period : m;
}

float Fade(float t)
{
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

} // namespace

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c)
{
    // A few rounds of multiply-xorshift: cheap, and well mixed for lattice noise.
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float Noise::Cell(int x, int y, int salt) const
{
    return static_cast<float>(
               Hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), m_seed + salt * 7919u) & 0xFFFFFF) /
           static_cast<float>(0xFFFFFF);
}

float Noise::Value(float x, float y, int periodX, int periodY) const
{
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const float tx = Fade(x - x0), ty = Fade(y - y0);
    const int ax = Wrap(x0, periodX), bx = Wrap(x0 + 1, periodX);
    const int ay = Wrap(y0, periodY), by = Wrap(y0 + 1, periodY);
    const float v00 = Cell(ax, ay), v10 = Cell(bx, ay), v01 = Cell(ax, by), v11 = Cell(bx, by);
    const float top = v00 + (v10 - v00) * tx;
    const float bottom = v01 + (v11 - v01) * tx;
    return top + (bottom - top) * ty;
}

float Noise::Fractal(float x, float y, int octaves, int periodX, int periodY) const
{
    float sum = 0, amplitude = 1, total = 0, frequency = 1;
    for (int i = 0; i < octaves; ++i)
    {
        const Noise octave(m_seed + static_cast<uint32_t>(i) * 1013u);
        sum += octave.Value(x * frequency, y * frequency, periodX * static_cast<int>(frequency),
                            periodY * static_cast<int>(frequency)) *
               amplitude;
        total += amplitude;
        amplitude *= 0.5f;
        frequency *= 2.0f;
    }
    return sum / total;
}

} // namespace art
