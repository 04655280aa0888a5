// A play scene put together the way the level draws it: board top, terrain, scenery, walls, cubes, arrows.
#include "tools/worldgen/Scenes.h"

#include "platform/mesh/MeshData.h"
#include "tools/worldgen/CubeTextures.h"
#include "tools/worldgen/Scenery.h"
#include "tools/worldgen/Terrains.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace worldgen
{

using namespace art;

namespace
{

// Sky colours a level might choose for each landscape.
const uint32_t kSky[5] = {0x9CCBEA, 0xF1D6A8, 0x9DB8D8, 0x5B4A52, 0x8FD3F0};

RenderMesh Load(const std::string& dataDir, const std::string& name, const TextureLookup& lookup)
{
    gfx::MeshData data;
    std::string error;
    if (gfx::LoadMeshX(dataDir + "/" + name, data, &error) != 0)
        std::fprintf(stderr, "scene: %s\n", error.c_str());
    return FromMeshData(data, lookup);
}

Vec3 CellCentre(int gx, int gy, int gz)
{
    return {gx * 10.0f - 45.0f, gy * 10.0f + 25.0f, gz * 10.0f - 45.0f};
}

RenderMesh Retextured(RenderMesh mesh, const std::shared_ptr<const Canvas>& texture)
{
    for (RenderMaterial& m : mesh.materials)
        m.texture = texture;
    return mesh;
}

RenderMesh TurnedY(RenderMesh mesh, float degrees)
{
    const float a = degrees * std::numbers::pi_v<float> / 180.0f, c = std::cos(a), s = std::sin(a);
    for (Vertex& v : mesh.vertices)
    {
        v.position = {v.position.x * c + v.position.z * s, v.position.y,
                      -v.position.x * s + v.position.z * c};
        v.normal = {v.normal.x * c + v.normal.z * s, v.normal.y, -v.normal.x * s + v.normal.z * c};
    }
    return mesh;
}

// A wall box as the engine builds one: the texture repeats every 20 units.
RenderMesh WallBox(Vec3 centre, Vec3 size, const std::shared_ptr<const Canvas>& texture)
{
    MeshBuilder box;
    Material m;
    m.name = "Wall";
    m.texture = "Wall"; // any name: the lookup below hands back the wall's own texture
    const int material = box.AddMaterial(m);
    const Vec3 h = size * 0.5f;
    const float repeat = 20.0f;
    box.AddFlatQuad({-h.x, h.y, h.z}, {h.x, h.y, h.z}, {h.x, h.y, -h.z}, {-h.x, h.y, -h.z}, {0, 1, 0},
                    material, size.x / repeat, size.z / repeat);
    box.AddFlatQuad({-h.x, h.y, -h.z}, {h.x, h.y, -h.z}, {h.x, -h.y, -h.z}, {-h.x, -h.y, -h.z}, {0, 0, -1},
                    material, size.x / repeat, size.y / repeat);
    box.AddFlatQuad({h.x, h.y, h.z}, {-h.x, h.y, h.z}, {-h.x, -h.y, h.z}, {h.x, -h.y, h.z}, {0, 0, 1},
                    material, size.x / repeat, size.y / repeat);
    box.AddFlatQuad({-h.x, h.y, h.z}, {-h.x, h.y, -h.z}, {-h.x, -h.y, -h.z}, {-h.x, -h.y, h.z}, {-1, 0, 0},
                    material, size.z / repeat, size.y / repeat);
    box.AddFlatQuad({h.x, h.y, -h.z}, {h.x, h.y, h.z}, {h.x, -h.y, h.z}, {h.x, -h.y, -h.z}, {1, 0, 0},
                    material, size.z / repeat, size.y / repeat);
    RenderMesh mesh = FromBuilder(box, [&texture](const std::string&) { return texture; });
    for (Vertex& v : mesh.vertices)
        v.position = v.position + centre;
    return mesh;
}

} // namespace

Canvas RenderScene(int terrain, const std::string& dataDir, const TextureLookup& lookup, int width,
                   int height)
{
    RenderMesh scene;
    AppendPlaced(scene, Load(dataDir, "Terrain0" + std::to_string(terrain + 1) + ".x", lookup), {});
    // The board top of design g uses the tiles "BoardTop<g>_..." in place of "BoardTop0_...".
    const TextureLookup boardLookup = [&](const std::string& name)
    {
        std::string renamed = name;
        if (renamed.rfind("BoardTop0_", 0) == 0)
            renamed[8] = static_cast<char>('0' + terrain);
        return lookup(renamed);
    };
    AppendPlaced(scene, Load(dataDir, "BoardTop.x", boardLookup), {});

    const RenderMesh block = Load(dataDir, "Block0.x", lookup);
    const int layout[][5] = {
        // gx, gy, gz, colour, variant
        {2, 0, 3, 8, 0}, {3, 0, 3, 8, 0}, {3, 1, 3, 0, 1}, {5, 0, 5, 9, 0}, {5, 0, 6, 9, 3},
        {6, 0, 2, 3, 0}, {6, 1, 2, 5, 0}, {7, 0, 7, 7, 2}, {4, 0, 7, 6, 4}, {1, 0, 6, 1, 0},
        {2, 0, 6, 2, 0}, {8, 0, 4, 4, 0}, {4, 0, 1, 5, 0}, {7, 0, 1, 0, 0},
    };
    for (const auto& c : layout)
        AppendPlaced(scene, Retextured(block, lookup(CubeTextureName(c[3], static_cast<CubeVariant>(c[4])))),
                     CellCentre(c[0], c[1], c[2]));
    AppendPlaced(scene, Load(dataDir, "Block9.x", lookup), CellCentre(1, 0, 2));
    AppendPlaced(scene, Load(dataDir, "SmasherCube0.x", lookup), CellCentre(8, 0, 8));
    AppendPlaced(scene, Load(dataDir, "BombStd0.x", lookup), CellCentre(3, 0, 8));
    AppendPlaced(scene, Load(dataDir, "StoneBlock0.x", lookup), CellCentre(5, 0, 3));
    char wall[32];
    std::snprintf(wall, sizeof wall, "Wall%02d.png", terrain + 1);
    AppendPlaced(scene, WallBox(CellCentre(0, 0, 4) + Vec3{5, 0, 0}, {20, 10, 10}, lookup(wall)), {});

    // The arrows offered round the selected cube at (6, 0, 2), one cell out, pointing away.
    const RenderMesh arrow = Load(dataDir, "Arrow.x", lookup);
    const float turns[4][3] = {{0, 1, 0}, {180, -1, 0}, {-90, 0, 1}, {90, 0, -1}};
    for (const auto& t : turns)
        if (!(t[1] == 0 && t[2] == -1))
            AppendPlaced(scene, TurnedY(arrow, t[0]), CellCentre(6, 1, 2) + Vec3{t[1] * 10, -10, t[2] * 10});

    // Scenery seated on the ground the way the level seats it.
    const int objects[] = {12, 13, 14, 0, 2, 4, 5, 8, 9, 10, 11, 3, 6, 7, 1, 3, 4, 12};
    for (int i = 0; i < static_cast<int>(std::size(objects)); ++i)
    {
        const RenderMesh mesh = Load(dataDir, SceneryFile(objects[i]), lookup);
        float lo = 1e9f, hi = -1e9f;
        for (const Vertex& v : mesh.vertices)
            lo = std::min(lo, v.position.y), hi = std::max(hi, v.position.y);
        const float angle = i * 47.0f * std::numbers::pi_v<float> / 180.0f;
        const float radius = 72.0f + 23.0f * (i % 4);
        const float x = std::cos(angle) * radius, z = std::sin(angle) * radius;
        const int type = objects[i];
        const float fraction = type <= 2 ? 0.125f : (type == 6 || type == 7 ? 0.5f : 0.487805f);
        AppendPlaced(scene, mesh, {x, TerrainHeight(terrain, x, z) + fraction * (hi - lo), z});
    }

    View view;
    view.frameMesh = false;
    view.target = {0, 22, 8};
    view.distance = 215;
    view.pitchDegrees = 36;
    view.yawDegrees = 20;
    view.fovDegrees = 50;
    view.background = Hex(kSky[terrain]);
    view.fog = Hex(kSky[terrain]);
    view.fogStart = 300;
    view.fogEnd = 650;
    return RenderMeshImage(scene, width, height, view);
}

} // namespace worldgen
