// A small software rasteriser: draws a lit, textured mesh from an angle into a canvas, for contact sheets and
// baking.
#pragma once

#include "platform/mesh/MeshData.h"
#include "tools/artkit/Canvas.h"
#include "tools/artkit/MeshBuilder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace art
{

struct RenderMaterial
{
    Colour diffuse{1, 1, 1, 1};
    Colour emissive{0, 0, 0, 1};
    std::shared_ptr<const Canvas> texture; // null = untextured
};

struct RenderMesh
{
    std::vector<Vertex> vertices;
    std::vector<std::array<int, 3>> triangles;
    std::vector<int> triangleMaterial;
    std::vector<RenderMaterial> materials;
};

// Finds a texture by the name a material gives; null when there is none.
using TextureLookup = std::function<std::shared_ptr<const Canvas>(const std::string& name)>;

RenderMesh FromBuilder(const MeshBuilder& mesh, const TextureLookup& textures);
RenderMesh FromMeshData(const gfx::MeshData& mesh, const TextureLookup& textures);

struct View
{
    float yawDegrees = 35.0f;   // turn about y, from looking along +z
    float pitchDegrees = 30.0f; // looking down
    float fovDegrees = 30.0f;
    float margin = 1.08f;  // how much room around the bounding sphere
    bool frameMesh = true; // false: look at target from distance instead of framing the whole mesh
    Vec3 target;
    float distance = 100.0f;
    Colour background{0, 0, 0, 0};
    Vec3 lightDirection{0.45f, -0.8f, 0.4f}; // the direction light travels
    float ambient = 0.42f;
    int supersample = 2;
    float fogStart = 0.0f, fogEnd = 0.0f; // linear fog on eye depth like the game's; none when end <= start
    Colour fog{0, 0, 0, 1};
};

// Frames the whole mesh (or looks at the view's target); back faces (counter-clockwise on screen) are culled
// as the game culls them, and triangles reaching behind the eye are dropped rather than clipped.
// Appends part to scene, scaled about its origin and then moved by offset.
void AppendPlaced(RenderMesh& scene, const RenderMesh& part, Vec3 offset, float scale = 1.0f);

Canvas RenderMeshImage(const RenderMesh& mesh, int width, int height, const View& view = {});

} // namespace art
