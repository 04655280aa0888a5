// Wall materials, drawn so that every edge meets the opposite one: shapes wrap and noise is periodic.
#include "tools/worldgen/WallTextures.h"

#include "tools/artkit/Noise.h"

#include <cmath>
#include <cstdio>

namespace worldgen
{

using namespace art;

namespace
{

const int kSize = 256;
const float kF = static_cast<float>(kSize);

// Draws a shape and its copies one tile away, so what leaves one edge comes back at the other.
void FillWrapped(Canvas& c, const Shape& s, const Paint& paint)
{
    for (float dy : {-kF, 0.0f, kF})
        for (float dx : {-kF, 0.0f, kF})
        {
            const Shape moved = Translate(s, dx, dy);
            if (moved.right < 0 || moved.bottom < 0 || moved.left > kF || moved.top > kF)
                continue;
            c.FillShape(moved, [&](float x, float y) { return paint(x - dx, y - dy); });
        }
}

void BevelWrapped(Canvas& c, const Shape& s, float width, float strength)
{
    for (float dy : {-kF, 0.0f, kF})
        for (float dx : {-kF, 0.0f, kF})
        {
            const Shape moved = Translate(s, dx, dy);
            if (moved.right < 0 || moved.bottom < 0 || moved.left > kF || moved.top > kF)
                continue;
            c.Bevel(moved, width, strength);
        }
}

// Periodic fractal noise over the whole tile at a feature size that divides the tile.
float TileNoise(const Noise& n, float x, float y, float feature, int octaves = 4)
{
    const int period = static_cast<int>(kF / feature);
    return n.Fractal(x / feature, y / feature, octaves, period, period);
}

Canvas Brick()
{
    const Noise n(11);
    Canvas c(kSize, kSize);
    c.FillPaint([&](float x, float y)
                { return Shade(Hex(0xC9BFAE), (TileNoise(n, x, y, 16) - 0.5f) * 0.3f); });
    const float bw = 64, bh = 32, mortar = 3.5f;
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 4; ++col)
        {
            const float x = col * bw + (row % 2 ? bw * 0.5f : 0) + mortar * 0.5f,
                        y = row * bh + mortar * 0.5f;
            const float tint = n.Cell(col, row, 1);
            const Colour base = Mix(Hex(0xB5533C), Hex(0xD9784F), tint);
            const Shape brick = RoundedRect(x, y, bw - mortar, bh - mortar, 3);
            FillWrapped(c, brick,
                        [&](float px, float py)
                        { return Shade(base, (TileNoise(n, px, py, 8, 3) - 0.5f) * 0.35f); });
            BevelWrapped(c, brick, 4, 0.45f);
        }
    return c;
}

Canvas CutStone()
{
    const Noise n(23);
    Canvas c(kSize, kSize);
    c.FillPaint([&](float x, float y)
                { return Shade(Hex(0x6E6C68), (TileNoise(n, x, y, 16) - 0.5f) * 0.3f); });
    const float rowH = 64, gap = 4;
    for (int row = 0; row < 4; ++row)
    {
        // Blocks of varying width in each course, always summing to the tile width.
        const float widths[3][4] = {{96, 64, 96, 0}, {64, 128, 64, 0}, {80, 96, 80, 0}};
        const float* w = widths[row % 3];
        float x = row * 37.0f;
        for (int b = 0; w[b] > 0; ++b)
        {
            const Colour base = Mix(Hex(0x8F897D), Hex(0xB2AA98), n.Cell(b, row, 2));
            const Shape block =
                RoundedRect(x + gap * 0.5f, row * rowH + gap * 0.5f, w[b] - gap, rowH - gap, 5);
            FillWrapped(c, block,
                        [&](float px, float py)
                        { return Shade(base, (TileNoise(n, px, py, 32, 5) - 0.5f) * 0.45f); });
            BevelWrapped(c, block, 6, 0.5f);
            x += w[b];
        }
    }
    return c;
}

Canvas Wood()
{
    const Noise n(37);
    Canvas c(kSize, kSize);
    const float plank = 64;
    c.FillPaint(
        [&](float x, float y)
        {
            const int p = static_cast<int>(x / plank);
            const float local = x - p * plank;
            // Grain: stretched noise rings along the plank.
            const float grain = n.Fractal(x / 6.0f + p * 13, y / 64.0f, 3, 0, static_cast<int>(kF / 64.0f));
            const float rings = 0.5f + 0.5f * std::sin(grain * 22.0f + local * 0.15f);
            const Colour base = Mix(Hex(0xA86A36), Hex(0xC98F52), n.Cell(p, 0, 3));
            Colour col = Shade(base, (rings - 0.5f) * 0.22f);
            if (local < 2.5f || local > plank - 2.5f)
                col = Shade(col, -0.45f);
            return col;
        });
    // Nails where the planks cross the hidden beams.
    for (int p = 0; p < 4; ++p)
        for (float y : {20.0f, 148.0f})
        {
            const Shape nail = Circle(p * plank + 10, y, 3.2f);
            c.FillShape(nail, Hex(0x4A4540));
            c.Bevel(nail, 3, 0.7f);
            const Shape nail2 = Circle(p * plank + plank - 10, y, 3.2f);
            c.FillShape(nail2, Hex(0x4A4540));
            c.Bevel(nail2, 3, 0.7f);
        }
    return c;
}

Canvas Metal()
{
    const Noise n(41);
    Canvas c(kSize, kSize);
    c.FillPaint(
        [&](float x, float y)
        {
            const float brushed = TileNoise(n, x * 0.25f, y * 4.0f, 16, 3);
            return Shade(Hex(0x8E9BAA), (brushed - 0.5f) * 0.25f);
        });
    for (int py = 0; py < 2; ++py)
        for (int px = 0; px < 2; ++px)
        {
            const Shape plate = RoundedRect(px * 128 + 3, py * 128 + 3, 122, 122, 6);
            c.Bevel(plate, 7, 0.55f);
            for (float rx : {14.0f, 114.0f})
                for (float ry : {14.0f, 114.0f})
                {
                    const Shape rivet = Circle(px * 128 + rx, py * 128 + ry, 5);
                    c.DropShadow(rivet, 1.5f, 2, 2, WithAlpha(Hex(0x1A1F26), 0.5f));
                    c.FillShape(rivet, Hex(0xB4C0CC));
                    c.Bevel(rivet, 5, 0.8f);
                }
        }
    return c;
}

// For blended walls: pale blue glass, its frame along the tile edges, a few diagonal reflections.
Canvas Glass()
{
    Canvas c(kSize, kSize, WithAlpha(Hex(0xBFE6FF), 0.38f));
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
        {
            const float d = std::fmod(x + y + 0.0f, kF) / kF;
            const float streak = SmoothStep(0.02f, 0.0f, std::fabs(d - 0.3f)) +
                                 0.6f * SmoothStep(0.012f, 0.0f, std::fabs(d - 0.36f));
            Colour& p = c.At(x, y);
            p = Over(WithAlpha(Hex(0xFFFFFF), 0.45f * streak), p);
            const int edge = std::min({x, y, kSize - 1 - x, kSize - 1 - y});
            if (edge < 6)
                p = Mix(Hex(0x6F8FA8, 0.95f), Hex(0xD7E9F5, 0.95f), edge / 6.0f);
        }
    return c;
}

Canvas Marble()
{
    const Noise n(53);
    Canvas c(kSize, kSize);
    c.FillPaint(
        [&](float x, float y)
        {
            const float warp = TileNoise(n, x, y, 64, 5);
            const float vein = std::fabs(std::sin((x + y) / kF * 2 * 3.14159265f * 2 + warp * 9.0f));
            const float line = std::pow(1.0f - vein, 10.0f);
            return Mix(Shade(Hex(0xEFEDE8), (TileNoise(n, x, y, 16) - 0.5f) * 0.08f), Hex(0x8D8A96),
                       line * 0.7f);
        });
    for (int py = 0; py < 2; ++py)
        for (int px = 0; px < 2; ++px)
            c.Bevel(RoundedRect(px * 128 + 1.5f, py * 128 + 1.5f, 125, 125, 2), 4, 0.35f);
    return c;
}

// Rounded cobbles with moss in the joints: cells of a jittered grid, each its nearest-point region.
Canvas Cobble()
{
    const Noise n(67);
    const int cells = 5;
    const float cell = kF / cells;
    Canvas c(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
        {
            float best = 1e9f, second = 1e9f;
            int bestId = 0;
            const int cx = static_cast<int>(x / cell), cy = static_cast<int>(y / cell);
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i)
                {
                    const int gx = cx + i, gy = cy + j;
                    const int wx = (gx % cells + cells) % cells, wy = (gy % cells + cells) % cells;
                    const float fx = (gx + 0.2f + 0.6f * n.Cell(wx, wy, 1)) * cell;
                    const float fy = (gy + 0.2f + 0.6f * n.Cell(wx, wy, 2)) * cell;
                    const float d = std::hypot(x + 0.5f - fx, y + 0.5f - fy);
                    if (d < best)
                        second = best, best = d, bestId = wy * cells + wx;
                    else if (d < second)
                        second = d;
                }
            const float edge = (second - best) * 0.5f; // distance to the joint
            const float dome = SmoothStep(0.0f, 14.0f, edge);
            const Colour stone = Mix(Hex(0x7D7A72), Hex(0xA39E92), n.Cell(bestId, 0, 4));
            const Colour moss = Mix(Hex(0x3F6B2A), Hex(0x6E9A3A), TileNoise(n, x, y, 8, 3));
            Colour col = Shade(stone, (TileNoise(n, x, y, 16, 4) - 0.5f) * 0.3f + (dome - 0.6f) * 0.35f);
            if (edge < 3.0f)
                col = Mix(moss, col, edge / 3.0f);
            c.At(x, y) = WithAlpha(col, 1.0f);
        }
    return c;
}

} // namespace

Canvas MakeWallTexture(int type)
{
    switch (type)
    {
    case 0:
        return Brick();
    case 1:
        return CutStone();
    case 2:
        return Wood();
    case 3:
        return Metal();
    case 4:
        return Glass();
    case 5:
        return Marble();
    default:
        return Cobble();
    }
}

void WriteWallTextures(DataWriter& out)
{
    for (int type = 0; type < kWallTypes; ++type)
    {
        char name[16];
        std::snprintf(name, sizeof name, "Wall%02d.png", type + 1);
        out.SaveTexture(name, MakeWallTexture(type));
    }
}

} // namespace worldgen
