// Small plants of the scenery: grass tuft, shrubs, spiky agave and crystals, flowers, cacti.
#include "tools/artkit/Noise.h"
#include "tools/worldgen/Primitives.h"
#include "tools/worldgen/Scenery.h"

#include <cmath>
#include <numbers>

namespace worldgen
{

using namespace art;

namespace
{

const float kPi = std::numbers::pi_v<float>;

Vec3 Around(float degrees, float radius, float y)
{
    return {std::cos(degrees * kPi / 180) * radius, y, std::sin(degrees * kPi / 180) * radius};
}

} // namespace

MeshBuilder MakeGrass()
{
    MeshBuilder mesh;
    const int light = mesh.AddMaterial(FlatMaterial("GrassLight", Hex(0x8ED24E)));
    const int dark = mesh.AddMaterial(FlatMaterial("GrassDark", Hex(0x5A9E34)));
    const Noise n(31);
    for (int b = 0; b < 18; ++b)
    {
        const float a = b * 137.5f; // golden angle spreads the blades evenly
        const float r = 0.4f + 1.4f * n.Cell(b, 0, 1);
        const Vec3 base = Around(a, r, 0);
        const Vec3 tip = base + Around(a, 1.2f + 1.5f * n.Cell(b, 1, 2), 4.0f + 3.0f * n.Cell(b, 2, 3));
        AddBlade(mesh, base, tip, Around(a + 90, 1, 0), 0.9f, b % 3 == 0 ? dark : light);
    }
    CentreBounds(mesh);
    return mesh;
}

MeshBuilder MakeShrub(int variant)
{
    MeshBuilder mesh;
    const int leaf = mesh.AddMaterial(LeafMaterial(variant == 0 ? Hex(0x4E9B3A) : Hex(0x3F8A52)));
    const int bark = mesh.AddMaterial(BarkMaterial());
    AddLathe(mesh, {{0.9f, 0}, {0.5f, 3}}, 6, bark);
    const Noise n(41 + variant);
    const int clumps = variant == 0 ? 5 : 7;
    for (int c = 0; c < clumps; ++c)
    {
        const float r = 2.8f + 1.4f * n.Cell(c, 0, 1);
        const Vec3 at = c == 0 ? Vec3{0, 4.5f, 0}
                               : Around(c * 360.0f / (clumps - 1), 3.2f, 2.8f + n.Cell(c, 1, 2) * 1.5f);
        const int first = AddEllipsoid(mesh, {r, r * 0.8f, r}, 5, 8, leaf);
        Translate(mesh, first, at);
    }
    if (variant == 1)
    {
        // Red berries dotted over the bush.
        const int berry = mesh.AddMaterial(FlatMaterial("Berry", Hex(0xE3222B), 0.5f));
        for (int b = 0; b < 14; ++b)
        {
            const int first = AddEllipsoid(mesh, {0.45f, 0.45f, 0.45f}, 3, 5, berry);
            Translate(mesh, first,
                      Around(b * 137.5f, 3.6f + n.Cell(b, 5, 3) * 1.2f, 3.0f + n.Cell(b, 6, 4) * 3.0f));
        }
    }
    CentreBounds(mesh);
    return mesh;
}

MeshBuilder MakeSpikes(int variant)
{
    MeshBuilder mesh;
    if (variant == 0)
    {
        // An agave: thick pointed leaves fanning out from the ground.
        const int leaf = mesh.AddMaterial(FlatMaterial("AgaveLeaf", Hex(0x6FA88A), 0.2f));
        const Noise n(51);
        for (int k = 0; k < 14; ++k)
        {
            const float a = k * 137.5f;
            const float lift = 35.0f + 45.0f * n.Cell(k, 0, 1);
            const float len = 6.0f + 2.5f * n.Cell(k, 1, 2);
            const Vec3 axis = Around(a, len * std::cos(lift * kPi / 180), len * std::sin(lift * kPi / 180));
            AddPyramid(mesh, {0, 0.3f, 0}, axis, Around(a + 90, 1, 0), 0.75f, leaf);
        }
    }
    else
    {
        // A crystal cluster: six-sided pointed prisms of pale blue.
        Material glow = FlatMaterial("Crystal", Hex(0x9FD8FF), 0.8f);
        glow.emissive = Hex(0x1C3A5A);
        const int crystal = mesh.AddMaterial(glow);
        const float crystals[][4] = {{0, 0, 11, 1.6f},
                                 {25, 2.2f, 7, 1.1f},
                                 {150, 2.4f, 8, 1.2f},
                                 {260, 2.0f, 6, 1.0f},
                                 {320, 2.6f, 5, 0.8f}};
        for (const auto& s : crystals)
        {
            const int first = AddLathe(mesh, {{s[3], 0}, {s[3], s[2] * 0.75f}, {0, s[2]}}, 6, crystal);
            Rotate(mesh, first, 0, s[0], s[1] > 0 ? 22.0f : 0.0f);
            Translate(mesh, first, Around(s[0], s[1], 0));
        }
    }
    CentreBounds(mesh);
    return mesh;
}

MeshBuilder MakePlant(int variant)
{
    MeshBuilder mesh;
    const int stem = mesh.AddMaterial(FlatMaterial("Stem", Hex(0x4C8A2E)));
    const int leaf = mesh.AddMaterial(FlatMaterial("PlantLeaf", Hex(0x62B03E)));
    if (variant == 0)
    {
        // A sunflower: tall stem, two leaves, a yellow ring of petals round a brown heart, facing the camera
        // side.
        AddLathe(mesh, {{0.35f, 0}, {0.3f, 9}}, 6, stem);
        AddBlade(mesh, {0, 3, 0}, {2.8f, 5.0f, 0}, {0, 0, 1}, 1.6f, leaf);
        AddBlade(mesh, {0, 5, 0}, {-2.6f, 6.8f, 0.4f}, {0, 0, 1}, 1.5f, leaf);
        const int petal = mesh.AddMaterial(FlatMaterial("Petal", Hex(0xFFD21F), 0.2f));
        const int heart = mesh.AddMaterial(FlatMaterial("FlowerHeart", Hex(0x6B3F1D)));
        const Vec3 centre{0, 9.5f, 0};
        for (int p = 0; p < 12; ++p)
        {
            const float a = p * 30.0f * kPi / 180;
            const Vec3 out{std::cos(a), std::sin(a), 0};
            AddBlade(mesh, centre + out * 0.8f, centre + out * 3.0f + Vec3{0, 0, -0.4f}, {-out.y, out.x, 0},
                     1.3f, petal);
        }
        const int first = AddEllipsoid(mesh, {1.1f, 1.1f, 0.5f}, 4, 8, heart);
        Translate(mesh, first, centre + Vec3{0, 0, -0.2f});
    }
    else
    {
        // Lavender: a clump of thin stems, each ending in a purple spike of buds.
        const int bud = mesh.AddMaterial(FlatMaterial("Lavender", Hex(0x9A6BD8), 0.2f));
        const Noise n(61);
        for (int s = 0; s < 9; ++s)
        {
            const Vec3 top = Around(s * 40.0f, 1.2f + 1.2f * n.Cell(s, 0, 1), 6.0f + 2.0f * n.Cell(s, 1, 2));
            AddBlade(mesh, {0, 0, 0}, top, Around(s * 40.0f + 90, 1, 0), 0.3f, stem);
            const int first = AddEllipsoid(mesh, {0.55f, 1.6f, 0.55f}, 4, 6, bud);
            Translate(mesh, first, top + Vec3{0, 1.2f, 0});
        }
        for (int l = 0; l < 6; ++l)
            AddBlade(mesh, {0, 0, 0}, Around(l * 60.0f + 15, 2.5f, 2.2f), Around(l * 60.0f + 105, 1, 0), 0.6f,
                     leaf);
    }
    CentreBounds(mesh);
    return mesh;
}

MeshBuilder MakeCactus(int variant)
{
    MeshBuilder mesh;
    const int skin = mesh.AddMaterial(CactusMaterial());
    if (variant == 0)
    {
        // A saguaro: tall rounded column with two upturned arms.
        AddLathe(mesh, {{2.2f, 0}, {2.3f, 14}, {2.0f, 19}, {1.2f, 20.6f}, {0.0f, 21}}, 10, skin, 3.0f);
        for (float side : {-1.0f, 1.0f})
        {
            const float h = side > 0 ? 8.0f : 11.0f;
            const int elbow = AddLathe(mesh, {{1.3f, 0}, {1.3f, 3.5f}}, 8, skin);
            Rotate(mesh, elbow, 0, 0, -90.0f * side);
            Translate(mesh, elbow, {side * 1.8f, h, 0});
            const int arm = AddLathe(mesh, {{1.3f, 0}, {1.3f, 6}, {0.8f, 7.2f}, {0.0f, 7.5f}}, 8, skin);
            Translate(mesh, arm, {side * 4.6f, h - 1.0f, 0});
        }
    }
    else
    {
        // A barrel cactus with a pink flower on top.
        AddLathe(mesh, {{0.0f, 0}, {2.8f, 0.3f}, {3.4f, 2.5f}, {3.2f, 4.5f}, {2.2f, 6.0f}, {0.0f, 6.4f}}, 12,
                 skin);
        const int petal = mesh.AddMaterial(FlatMaterial("CactusFlower", Hex(0xFF6FA8), 0.2f));
        for (int p = 0; p < 6; ++p)
            AddBlade(mesh, {0, 6.2f, 0}, Around(p * 60.0f, 1.6f, 7.4f), Around(p * 60.0f + 90, 1, 0), 1.1f,
                     petal);
    }
    CentreBounds(mesh);
    return mesh;
}

} // namespace worldgen
