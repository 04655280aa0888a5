// Rocks and trees, the scenery textures, and the table of scenery meshes.
#include "tools/worldgen/Scenery.h"

#include "tools/artkit/Noise.h"
#include "tools/worldgen/Primitives.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace worldgen
{

using namespace art;

namespace
{

const int kTexture = 128;
const float kPi = std::numbers::pi_v<float>;

const char* const kFiles[kSceneryTypes] = {"Rock0.x",   "Rock1.x",   "BigRock0.x", "Grass0.x", "Shrub0.x",
                                           "Shrub1.x",  "Spikes0.x", "Spikes1.x",  "Plant0.x", "Plant1.x",
                                           "Cactus0.x", "Cactus1.x", "Tree0.x",    "Tree2.x",  "Tree1.x"};

Canvas Bark()
{
    const Noise n(801);
    Canvas c(kTexture, kTexture);
    c.FillPaint(
        [&](float x, float y)
        {
            const float ridges = n.Fractal(x / 8.0f, y / 40.0f, 4, kTexture / 8, kTexture / 40 + 1);
            return Shade(Mix(Hex(0x5A3B22), Hex(0x8A5D36), ridges), (std::sin(ridges * 30) * 0.5f) * 0.12f);
        });
    return c;
}

Canvas Leaves()
{
    const Noise n(802);
    Canvas c(kTexture, kTexture);
    const int period = 8;
    c.FillPaint(
        [&](float x, float y)
        {
            const float u = x / kTexture * period, v = y / kTexture * period;
            const float clumps = n.Fractal(u, v, 4, period, period);
            // Light tops of leaf clusters and darker gaps between them.
            return Mix(Hex(0x8C8C8C), Hex(0xFFFFFF), SmoothStep(0.3f, 0.7f, clumps));
        });
    return c;
}

Canvas RockSkin()
{
    const Noise n(803);
    Canvas c(kTexture, kTexture);
    const int period = 4;
    c.FillPaint(
        [&](float x, float y)
        {
            const float u = x / kTexture * period, v = y / kTexture * period;
            const float f = n.Fractal(u, v, 5, period, period);
            const float lichen =
                SmoothStep(0.62f, 0.7f, n.Fractal(u * 2 + 5, v * 2, 3, period * 2, period * 2));
            return Mix(Shade(Hex(0x9A948A), (f - 0.5f) * 0.6f), Hex(0x8FA04A), lichen * 0.45f);
        });
    return c;
}

Canvas CactusSkin()
{
    Canvas c(kTexture, kTexture);
    const int ribs = 8;
    c.FillPaint(
        [&](float x, float)
        {
            const float rib = 0.5f + 0.5f * std::cos(x / kTexture * ribs * 2 * kPi);
            return Mix(Hex(0x2F7A3C), Hex(0x5BB25A), rib);
        });
    // Pale spine dots along the ribs.
    for (int r = 0; r < ribs; ++r)
        for (int k = 0; k < 8; ++k)
            c.FillShape(Circle((r + 0.0f) * kTexture / ribs, k * 16.0f + 8 + (r % 2) * 8, 1.6f),
                        Hex(0xF2EFD0));
    return c;
}

MeshBuilder MakeRock(uint32_t seed, Vec3 size, int detail)
{
    MeshBuilder mesh;
    const int rock = mesh.AddMaterial(RockMaterial(Hex(0xFFFFFF)));
    AddEllipsoid(mesh, {1, 1, 1}, detail, detail * 2, rock);
    const Noise n(seed);
    // Lumpy, faceted: displace radially by noise on the unit sphere, flatten the base.
    for (Vertex& v : mesh.Vertices())
    {
        const Vec3 p = v.position;
        const float k = 0.7f + 0.55f * n.Fractal(p.x * 1.3f + 4, p.y * 1.3f + p.z * 0.7f + 4, 3);
        Vec3 q = p * k;
        q.y = std::max(q.y, -0.35f);
        v.position = {q.x * size.x, q.y * size.y, q.z * size.z};
    }
    mesh.ComputeSmoothNormals();
    CentreBounds(mesh);
    return mesh;
}

// A broad-leaved tree: trunk with two branches, crowned with overlapping leaf clumps.
MeshBuilder MakeRoundTree()
{
    MeshBuilder mesh;
    const int bark = mesh.AddMaterial(BarkMaterial());
    const int leaf = mesh.AddMaterial(LeafMaterial(Hex(0x5DAA3A)));
    AddLathe(mesh, {{2.6f, 0}, {1.9f, 3}, {1.5f, 14}, {1.2f, 22}, {0.6f, 26}}, 9, bark, 3.0f);
    for (float side : {-1.0f, 1.0f})
    {
        const int b = AddLathe(mesh, {{0.7f, 0}, {0.3f, 9}}, 6, bark);
        Rotate(mesh, b, 0, side > 0 ? 30.0f : 200.0f, 40.0f * side);
        Translate(mesh, b, {0, 15, 0});
    }
    const Noise n(901);
    const Vec3 clumps[] = {{0, 30, 0}, {-7, 26, 3}, {7, 27, -2}, {2, 25, 8}, {-2, 26, -8}, {0, 36, 1}};
    for (const Vec3& c : clumps)
    {
        const float r = 7.0f + 3.0f * n.Cell(static_cast<int>(c.x), static_cast<int>(c.z), 1);
        const int first = AddEllipsoid(mesh, {r, r * 0.85f, r}, 6, 9, leaf);
        Translate(mesh, first, c);
    }
    CentreBounds(mesh);
    return mesh;
}

// A fir: stacked drooping cones on a short trunk.
MeshBuilder MakeFir()
{
    MeshBuilder mesh;
    const int bark = mesh.AddMaterial(BarkMaterial());
    const int needles = mesh.AddMaterial(LeafMaterial(Hex(0x2E7A4A)));
    AddLathe(mesh, {{1.8f, 0}, {1.4f, 8}, {0.5f, 40}}, 8, bark, 2.0f);
    const float tiers[][3] = {
        {13.0f, 6, 16}, {10.5f, 14, 14}, {8.0f, 21, 12}, {5.5f, 28, 10}, {3.2f, 34, 10}};
    for (const auto& t : tiers)
        AddLathe(mesh, {{0.0f, t[1] - 1.5f}, {t[0], t[1]}, {t[0] * 0.85f, t[1] + 0.8f}, {0.0f, t[1] + t[2]}},
                 11, needles);
    CentreBounds(mesh);
    return mesh;
}

// A palm: a leaning, ringed trunk and a crown of arching fronds.
MeshBuilder MakePalm()
{
    MeshBuilder mesh;
    const int bark = mesh.AddMaterial(BarkMaterial());
    const int frond = mesh.AddMaterial(LeafMaterial(Hex(0x4FA83E)));
    const int nut = mesh.AddMaterial(FlatMaterial("Coconut", Hex(0x6B4A2A)));
    const int segments = 8;
    Vec3 top{};
    for (int s = 0; s < segments; ++s)
    {
        const float y0 = s * 4.5f;
        const float lean0 = 0.012f * y0 * y0, lean1 = 0.012f * (y0 + 4.5f) * (y0 + 4.5f);
        const float r = 1.6f - s * 0.08f;
        const int first = AddLathe(mesh, {{r, 0}, {r * 1.15f, 3.8f}, {r * 0.9f, 4.6f}}, 8, bark);
        // Tilt each ring along the lean so the trunk curves.
        Rotate(mesh, first, 0, 0, -std::atan((lean1 - lean0) / 4.5f) * 180 / kPi);
        Translate(mesh, first, {lean0, y0, 0});
        top = {lean1, y0 + 4.5f, 0};
    }
    for (int f = 0; f < 8; ++f)
    {
        const float a = f * 45.0f + 10.0f;
        // Each frond: a chain of blades arching out and down.
        Vec3 p = top;
        Vec3 dir = {std::cos(a * kPi / 180), 0.55f, std::sin(a * kPi / 180)};
        const Vec3 side = Normalise(Cross(dir, {0, 1, 0}));
        for (int k = 0; k < 5; ++k)
        {
            const Vec3 next = p + Normalise(dir) * 4.0f;
            AddBlade(mesh, p - side * 0.0f, next, side, 4.2f - k * 0.5f, frond);
            p = next;
            dir.y -= 0.35f;
        }
    }
    for (int k = 0; k < 3; ++k)
    {
        const int first = AddEllipsoid(mesh, {1.1f, 1.1f, 1.1f}, 4, 6, nut);
        Translate(mesh, first, top + Vec3{std::cos(k * 2.1f) * 1.4f, -1.2f, std::sin(k * 2.1f) * 1.4f});
    }
    CentreBounds(mesh);
    return mesh;
}

} // namespace

Material BarkMaterial()
{
    Material m;
    m.name = "SceneBark";
    m.texture = "SceneBark.bmp";
    m.power = 4;
    m.specular = {0.03f, 0.03f, 0.03f, 1};
    return m;
}

Material LeafMaterial(const Colour& tint)
{
    Material m;
    char name[32];
    std::snprintf(name, sizeof name, "SceneLeaves%02X%02X%02X", static_cast<int>(tint.r * 255),
                  static_cast<int>(tint.g * 255), static_cast<int>(tint.b * 255));
    m.name = name;
    m.texture = "SceneLeaves.bmp";
    m.diffuse = tint;
    m.power = 8;
    m.specular = {0.08f, 0.08f, 0.08f, 1};
    return m;
}

Material RockMaterial(const Colour& tint)
{
    Material m;
    m.name = "SceneRock";
    m.texture = "SceneRock.bmp";
    m.diffuse = tint;
    m.power = 6;
    m.specular = {0.05f, 0.05f, 0.05f, 1};
    return m;
}

Material CactusMaterial()
{
    Material m;
    m.name = "SceneCactus";
    m.texture = "SceneCactus.bmp";
    m.power = 10;
    m.specular = {0.1f, 0.1f, 0.1f, 1};
    return m;
}

Material FlatMaterial(const std::string& name, const Colour& colour, float gloss)
{
    Material m;
    m.name = name;
    m.diffuse = colour;
    m.power = 16;
    m.specular = {gloss, gloss, gloss, 1};
    return m;
}

const char* SceneryFile(int objType)
{
    return kFiles[objType];
}

void WriteScenery(DataWriter& out)
{
    out.SaveTexture("SceneBark.bmp", Bark());
    out.SaveTexture("SceneLeaves.bmp", Leaves());
    out.SaveTexture("SceneRock.bmp", RockSkin());
    out.SaveTexture("SceneCactus.bmp", CactusSkin());
    const MeshBuilder meshes[kSceneryTypes] = {
        MakeRock(11, {4.5f, 3.2f, 3.8f}, 6),
        MakeRock(12, {6.0f, 2.6f, 4.6f}, 6),
        MakeRock(13, {14.0f, 10.0f, 12.0f}, 9),
        MakeGrass(),
        MakeShrub(0),
        MakeShrub(1),
        MakeSpikes(0),
        MakeSpikes(1),
        MakePlant(0),
        MakePlant(1),
        MakeCactus(0),
        MakeCactus(1),
        MakeRoundTree(),
        MakeFir(),
        MakePalm(),
    };
    for (int t = 0; t < kSceneryTypes; ++t)
    {
        std::string frame = kFiles[t];
        out.SaveMesh(kFiles[t], meshes[t], frame.substr(0, frame.size() - 2));
    }
}

} // namespace worldgen
