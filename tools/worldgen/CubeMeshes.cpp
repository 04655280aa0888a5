// The cube meshes: a rounded 10-unit cube that morphs into the lifter, the spiked smasher, the bomb and its
// blast, the stone block, and the arrow offered around a selected cube.
#include "tools/worldgen/CubeMeshes.h"

#include "tools/artkit/Noise.h"
#include "tools/worldgen/CubeTextures.h"
#include "tools/worldgen/Primitives.h"

#include <cmath>
#include <numbers>

namespace worldgen
{

using namespace art;

namespace
{

const float kHalf = 5.0f;       // a cube is 10 units
const float kEdgeRadius = 1.1f; // the rounded bevel; the cube textures keep 12% of a side for it
const int kEdgeSegments = 3;
const float kPi = std::numbers::pi_v<float>;

std::string FrameFile(const std::string& base, int frame)
{
    return base + std::to_string(frame) + ".x";
}

Material Glossy(const std::string& name, const Colour& diffuse, const std::string& texture,
                float specular = 0.35f)
{
    Material m;
    m.name = name;
    m.diffuse = diffuse;
    m.power = 24.0f;
    m.specular = {specular, specular, specular, 1};
    m.texture = texture;
    return m;
}

// The lifter's raised form: the upper part lifts on a narrow neck, so the waist pinches in as t grows.
MeshBuilder MakeBlockFrame(float t)
{
    MeshBuilder mesh;
    const int skin =
        mesh.AddMaterial(Glossy("BlockSkin", {1, 1, 1, 1}, CubeTextureName(0, CubeVariant::kPlain)));
    AddRoundedBox(mesh, {kHalf, kHalf, kHalf}, kEdgeRadius, kEdgeSegments, skin,
                  {-0.6f, -0.3f, 0.0f, 0.2f, 0.36f, 0.52f, 0.68f});
    const float eased = t * t * (3 - 2 * t);
    const float neckY = 1.8f, neckWidth = 1.4f, depth = 0.5f * eased;
    for (Vertex& v : mesh.Vertices())
    {
        const Vec3 p = v.position;
        const float g = std::exp(-std::pow((p.y - neckY) / neckWidth, 2.0f));
        const float s = 1.0f - depth * g;
        const float ds = depth * g * 2.0f * (p.y - neckY) / (neckWidth * neckWidth);
        v.position = {p.x * s, p.y, p.z * s};
        // Normals follow the inverse transpose of the deformation.
        v.normal =
            Normalise({v.normal.x / s, -p.x * ds / s * v.normal.x + v.normal.y - p.z * ds / s * v.normal.z,
                       v.normal.z / s});
    }
    return mesh;
}

MeshBuilder MakeSmasherFrame(int frame)
{
    MeshBuilder mesh;
    const int body = mesh.AddMaterial(Glossy("SmasherBody", {1, 1, 1, 1}, "SmasherCube.bmp", 0.5f));
    const int spike = mesh.AddMaterial(Glossy("SmasherSpike", Hex(0xE8343B), "", 0.7f));
    const float bodyHalf = 3.8f;
    AddRoundedBox(mesh, {bodyHalf, kHalf, bodyHalf}, 0.9f, kEdgeSegments, body);
    // Frame 0 has the spikes fully out, so its bounds are the full cube.
    const float pulse = 0.5f + 0.5f * std::cos(2 * kPi * frame / kSmasherFrames);
    const float reach = (kHalf - bodyHalf) * (0.35f + 0.65f * pulse);
    const Vec3 sides[4] = {{1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const Vec3& n : sides)
        for (float dy : {-2.0f, 2.0f})
            for (float dt : {-2.0f, 2.0f})
            {
                const Vec3 across = {n.z, 0, n.x};
                const Vec3 base = n * bodyHalf + Vec3{0, dy, 0} + across * dt;
                AddPyramid(mesh, base, n * reach, {0, 1, 0}, 1.25f, spike);
            }
    return mesh;
}

// The bomb: a round shell with a warning band, a brass cap and a short fuse; bottom at -5, fuse tip at +5.
MeshBuilder MakeBomb()
{
    MeshBuilder mesh;
    const int shell = mesh.AddMaterial(Glossy("BombShell", {1, 1, 1, 1}, "BombStd.bmp", 0.6f));
    const int brass = mesh.AddMaterial(Glossy("BombCap", Hex(0xD9A441), "", 0.6f));
    const int fuse = mesh.AddMaterial(Glossy("BombFuse", Hex(0x8A6A43), "", 0.1f));
    const int body = AddEllipsoid(mesh, {kHalf, 4.3f, kHalf}, 12, 20, shell);
    Translate(mesh, body, {0, -0.7f, 0});
    AddLathe(mesh, {{1.5f, 3.1f}, {1.5f, 4.0f}, {1.1f, 4.3f}, {0.0f, 4.3f}}, 12, brass);
    AddLathe(mesh, {{0.32f, 4.2f}, {0.3f, 4.7f}, {0.24f, 5.0f}, {0.0f, 5.0f}}, 8, fuse);
    return mesh;
}

// The exploding bomb: the shell splits into eight shards that fly out and shrink around a flash.
MeshBuilder MakeBombBlastFrame(int frame)
{
    const float t = static_cast<float>(frame) / (kBombBlastFrames - 1);
    MeshBuilder mesh;
    const int shell = mesh.AddMaterial(Glossy("BombShell", {1, 1, 1, 1}, "BombStd.bmp", 0.6f));
    Material flashMaterial = Glossy("BombFlash", Hex(0xFFD27A), "", 0.0f);
    flashMaterial.emissive = Hex(0xFF8A1C);
    const int flash = mesh.AddMaterial(flashMaterial);
    const int rings = 12, sides = 20;
    for (int piece = 0; piece < 8; ++piece)
    {
        const int lat = piece / 4, lon = piece % 4;
        const int first = mesh.VertexCount();
        const int r0 = lat * rings / 2, r1 = r0 + rings / 2, s0 = lon * sides / 4, s1 = s0 + sides / 4;
        for (int r = r0; r <= r1; ++r)
            for (int s = s0; s <= s1; ++s)
            {
                const float a = -0.5f * kPi + kPi * r / rings, b = 2 * kPi * s / sides;
                const Vec3 n{std::cos(a) * std::cos(b), std::sin(a), std::cos(a) * std::sin(b)};
                mesh.AddVertex({{n.x * kHalf, n.y * 4.3f - 0.7f, n.z * kHalf},
                                n,
                                static_cast<float>(s) / sides,
                                static_cast<float>(r) / rings});
            }
        const int w = s1 - s0 + 1;
        for (int r = 0; r < r1 - r0; ++r)
            for (int s = 0; s < s1 - s0; ++s)
                mesh.AddQuad(first + r * w + s, first + r * w + s + 1, first + (r + 1) * w + s + 1,
                             first + (r + 1) * w + s, shell);
        Vec3 centre{};
        for (int i = first; i < mesh.VertexCount(); ++i)
            centre = centre + mesh.Vertices()[i].position * (1.0f / (mesh.VertexCount() - first));
        const Vec3 out = Normalise(centre);
        const float shrink = 1.0f - 0.9f * t;
        const float travel = 4.0f * t;
        mesh.Transform(
            first, [=](Vec3 p) { return centre + (p - centre) * shrink + out * travel; },
            [](Vec3 n) { return n; });
    }
    const float flashRadius = 4.4f * std::sin(kPi * std::min(1.0f, t * 1.4f));
    if (flashRadius > 0.05f)
        AddEllipsoid(mesh, {flashRadius, flashRadius, flashRadius}, 8, 12, flash);
    // Keep every frame inside its own cell.
    Vec3 lo, hi;
    mesh.Bounds(lo, hi);
    const float extent = std::max({-lo.x, -lo.y, -lo.z, hi.x, hi.y, hi.z});
    if (extent > kHalf)
        Scale(mesh, 0, {kHalf / extent, kHalf / extent, kHalf / extent});
    return mesh;
}

MeshBuilder MakeStone()
{
    MeshBuilder mesh;
    const int stone = mesh.AddMaterial(Glossy("StoneSkin", {1, 1, 1, 1}, "StoneBlock.bmp", 0.08f));
    AddRoundedBox(mesh, {kHalf, kHalf, kHalf}, 0.9f, 2, stone, {-0.5f, 0.0f, 0.5f});
    const Noise n(91);
    for (Vertex& v : mesh.Vertices())
    {
        // Chipped faces: push vertices inward by a little noise; equal positions move equally, so seams stay
        // shut.
        const float k = n.Fractal(v.position.x * 0.31f + v.position.z * 0.17f + 7,
                                  v.position.y * 0.29f + v.position.z * 0.11f, 3);
        v.position = v.position - Normalise(v.position) * (0.45f * k);
    }
    FitToBox(mesh, {kHalf, kHalf, kHalf});
    return mesh;
}

// The push arrow points along +x, lies flat and fits in a cell; the play screen turns it per direction.
MeshBuilder MakeArrow()
{
    MeshBuilder mesh;
    Material m = Glossy("ArrowSkin", Hex(0x46E07A), "", 0.6f);
    m.emissive = Hex(0x1C5A30);
    const int skin = mesh.AddMaterial(m);
    AddConvexPrism(mesh, {{-4.0f, -1.2f}, {0.6f, -1.2f}, {0.6f, 1.2f}, {-4.0f, 1.2f}}, -0.8f, 0.8f, skin);
    AddConvexPrism(mesh, {{0.2f, -3.2f}, {4.0f, 0.0f}, {0.2f, 3.2f}}, -0.8f, 0.8f, skin);
    return mesh;
}

} // namespace

void WriteCubeMeshes(DataWriter& out)
{
    for (int f = 0; f < kBlockFrames; ++f)
        out.SaveMesh(FrameFile("Block", f), MakeBlockFrame(static_cast<float>(f) / (kBlockFrames - 1)),
                     "Block");
    for (int f = 0; f < kSmasherFrames; ++f)
        out.SaveMesh(FrameFile("SmasherCube", f), MakeSmasherFrame(f), "SmasherCube");
    out.SaveMesh(FrameFile("BombStd", 0), MakeBomb(), "BombStd");
    for (int f = 0; f < kBombBlastFrames; ++f)
        out.SaveMesh(FrameFile("BombCube", f), f == 0 ? MakeBomb() : MakeBombBlastFrame(f), "BombCube");
    out.SaveMesh(FrameFile("StoneBlock", 0), MakeStone(), "StoneBlock");
    out.SaveMesh("Arrow.x", MakeArrow(), "Arrow");
}

} // namespace worldgen
