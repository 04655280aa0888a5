// Landscapes: a flat basin under the board, rising through rolling ground to hills that close the horizon.
#include "tools/worldgen/Terrains.h"

#include "tools/artkit/Noise.h"
#include "tools/worldgen/Primitives.h"

#include <cmath>
#include <cstdio>

namespace worldgen
{

using namespace art;

namespace
{

const float kExtent = 480.0f;     // half size; fog hides the edge long before it
const int kGrid = 60;             // cells per side (16 units each)
const float kUvRepeat = 40.0f;    // world units per texture repeat
const float kBasinFlatTo = 75.0f; // the basin stays flat to this distance (the board's corner is at 60)
const float kHillsFrom = 230.0f;
const float kWaterLevel = 10.0f;
const float kBeachTop = 24.0f;
const int kTexture = 128;

enum Ground
{
    kGrass,
    kRock,
    kSand,
    kSnow,
    kAsh,
    kLava,
    kWater,
    kGroundCount
};

const char* const kGroundFile[kGroundCount] = {"TerrainGrass.bmp", "TerrainRock.bmp", "TerrainSand.bmp",
                                               "TerrainSnow.bmp",  "TerrainAsh.bmp",  "TerrainLava.bmp",
                                               "TerrainWater.bmp"};

struct Style
{
    uint32_t seed;
    float basin; // ground height under the board
    float hillHeight;
    Colour rockTint;
};

const Style kStyles[kTerrains] = {
    {1001, 14.0f, 70.0f, Hex(0xFFFFFF)},  {2002, 14.5f, 45.0f, Hex(0xF2A679)},
    {3003, 14.0f, 105.0f, Hex(0xD6DCE6)}, {4004, 13.5f, 80.0f, Hex(0x6A5F5A)},
    {5005, 14.0f, 55.0f, Hex(0xF0E2C8)},
};

// Rounded-square distance: the basin follows the square board but without sharp corners.
float BoardDistance(float x, float z)
{
    return std::pow(std::pow(std::fabs(x), 4.0f) + std::pow(std::fabs(z), 4.0f), 0.25f);
}

Canvas GroundTexture(Ground g)
{
    const Noise n(700 + g);
    Canvas c(kTexture, kTexture);
    const int period = 4;
    c.FillPaint(
        [&](float x, float y)
        {
            const float u = x / kTexture * period, v = y / kTexture * period;
            const float f = n.Fractal(u, v, 5, period, period);
            const float fine = n.Fractal(u * 4, v * 4, 2, period * 4, period * 4);
            switch (g)
            {
            case kGrass:
                return Shade(Mix(Hex(0x5E9E36), Hex(0x86C24A), f), (fine - 0.5f) * 0.3f);
            case kRock:
                return Shade(Mix(Hex(0x7B776F), Hex(0xA8A297), f), (fine - 0.5f) * 0.35f);
            case kSand:
                return Shade(Mix(Hex(0xE2C48C), Hex(0xF2DDAE), f), (fine - 0.5f) * 0.15f);
            case kSnow:
                return Shade(Mix(Hex(0xEAF1F8), Hex(0xFFFFFF), f), (fine - 0.5f) * 0.05f);
            case kAsh:
                return Shade(Mix(Hex(0x2E2A2B), Hex(0x4E4644), f), (fine - 0.5f) * 0.3f);
            case kLava:
            {
                const float veins = std::pow(1.0f - std::fabs(f * 2 - 1), 6.0f);
                return Mix(Hex(0x3A1A12), Hex(0xFFB23A), veins);
            }
            default:
                return Mix(Hex(0x1F7FB8), Hex(0x4FB7E0), f);
            }
        });
    return c;
}

Material GroundMaterial(int terrain, Ground g)
{
    Material m;
    const std::string file = kGroundFile[g];
    m.name = file.substr(0, file.size() - 4) + std::to_string(terrain + 1);
    m.texture = kGroundFile[g];
    m.diffuse = g == kRock ? kStyles[terrain].rockTint : Hex(0xFFFFFF);
    m.power = g == kWater || g == kSnow ? 30.0f : 6.0f;
    m.specular = g == kWater ? Colour{0.5f, 0.5f, 0.5f, 1} : Colour{0.05f, 0.05f, 0.05f, 1};
    // Lava glows through fog and shade.
    m.emissive = g == kLava ? Hex(0x7A2A08) : Hex(0x000000);
    return m;
}

Ground PickGround(int terrain, float height, float slope, float x, float z)
{
    switch (terrain)
    {
    case 0:
        return slope > 0.33f || height > 95.0f ? kRock : kGrass;
    case 1:
        return slope > 0.42f ? kRock : kSand;
    case 2:
        return slope > 0.5f ? kRock : kSnow;
    case 3:
    {
        const float crater = std::hypot(x + 240.0f, z - 290.0f);
        if (crater < 42.0f && height > 120.0f)
            return kLava;
        return slope > 0.38f ? kRock : kAsh;
    }
    default:
        // Sand up to a contour line, so the beach's edge follows the ground instead of a ring.
        if (height < kBeachTop)
            return kSand;
        return slope > 0.4f ? kRock : kGrass;
    }
}

} // namespace

float TerrainHeight(int terrain, float x, float z)
{
    const Style& s = kStyles[terrain];
    const Noise n(s.seed);
    const float r = BoardDistance(x, z);
    const float ripple = (n.Fractal(x / 30.0f, z / 30.0f, 3) - 0.5f) * 2.0f;
    const float rise = SmoothStep(kBasinFlatTo, kHillsFrom, r);
    const float hills = (n.Fractal(x / 150.0f + 10, z / 150.0f + 10, 5) * 0.9f + 0.25f) * rise;
    const float ring = SmoothStep(kHillsFrom, kExtent, r) * 0.6f;
    float h = s.basin + ripple + s.hillHeight * (hills + ring);
    switch (terrain)
    {
    case 1:
        // Dunes: long ridges across the wind.
        h += rise * 14.0f *
             std::pow(0.5f + 0.5f * std::sin(x / 38.0f + n.Fractal(x / 90, z / 90, 2) * 6.0f), 2.0f);
        break;
    case 3:
    {
        // One volcano with a crater on the far side.
        const float d = std::hypot(x + 240.0f, z - 290.0f);
        const float cone = 190.0f * std::exp(-std::pow(d / 140.0f, 2.0f));
        const float crater = 60.0f * std::exp(-std::pow(d / 34.0f, 2.0f));
        h += rise * (cone - crater);
        break;
    }
    case 4:
        // The sea on the +z side: the ground falls under the water beyond the beach.
        h -= SmoothStep(110.0f, 260.0f, z) * (s.hillHeight * (hills + ring) + 14.0f);
        break;
    default:
        break;
    }
    return h;
}

void WriteTerrains(DataWriter& out)
{
    for (int g = 0; g < kGroundCount; ++g)
        out.SaveTexture(kGroundFile[g], GroundTexture(static_cast<Ground>(g)));
    const float cell = 2 * kExtent / kGrid;
    for (int terrain = 0; terrain < kTerrains; ++terrain)
    {
        MeshBuilder mesh;
        int materials[kGroundCount];
        for (int g = 0; g < kGroundCount; ++g)
            materials[g] = mesh.AddMaterial(GroundMaterial(terrain, static_cast<Ground>(g)));
        auto vertexAt = [&](int i, int j) { return j * (kGrid + 1) + i; };
        for (int j = 0; j <= kGrid; ++j)
            for (int i = 0; i <= kGrid; ++i)
            {
                const float x = -kExtent + i * cell, z = -kExtent + j * cell;
                const float h = TerrainHeight(terrain, x, z);
                const float dx = TerrainHeight(terrain, x + 1, z) - TerrainHeight(terrain, x - 1, z);
                const float dz = TerrainHeight(terrain, x, z + 1) - TerrainHeight(terrain, x, z - 1);
                mesh.AddVertex(
                    {{x, h, z}, Normalise({-dx * 0.5f, 1.0f, -dz * 0.5f}), x / kUvRepeat, -z / kUvRepeat});
            }
        for (int j = 0; j < kGrid; ++j)
            for (int i = 0; i < kGrid; ++i)
            {
                const int a = vertexAt(i, j), b = vertexAt(i + 1, j), c = vertexAt(i + 1, j + 1),
                          d = vertexAt(i, j + 1);
                // Alternating diagonals keep material borders from running as one long saw edge.
                const bool flip = (i + j) % 2 == 1;
                const int tris[2][3] = {{a, b, flip ? d : c}, {flip ? b : a, c, d}};
                for (const auto& t : tris)
                {
                    const Vec3 p0 = mesh.Vertices()[t[0]].position, p1 = mesh.Vertices()[t[1]].position,
                               p2 = mesh.Vertices()[t[2]].position;
                    const Vec3 face = Normalise(Cross(p1 - p0, p2 - p0));
                    const float slope = 1.0f - std::fabs(face.y);
                    const Vec3 mid = (p0 + p1 + p2) * (1.0f / 3.0f);
                    mesh.AddTriangle(t[0], t[1], t[2],
                                     materials[PickGround(terrain, mid.y, slope, mid.x, mid.z)]);
                }
            }
        if (terrain == 4)
            mesh.AddFlatQuad({-kExtent, kWaterLevel, kExtent}, {kExtent, kWaterLevel, kExtent},
                             {kExtent, kWaterLevel, -kExtent}, {-kExtent, kWaterLevel, -kExtent}, {0, 1, 0},
                             materials[kWater], 2 * kExtent / kUvRepeat, 2 * kExtent / kUvRepeat);
        char name[16];
        std::snprintf(name, sizeof name, "Terrain%02d.x", terrain + 1);
        out.SaveMesh(name, mesh, "Terrain");
    }
}

} // namespace worldgen
