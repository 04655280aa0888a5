// CPU copy of a .x mesh: vertex arrays, subsets per material, materials and bounds; no GPU, usable headless.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gfx
{

using Float3 = std::array<float, 3>;
using Float2 = std::array<float, 2>;
using Colour4 = std::array<float, 4>; // r, g, b, a in 0..1

struct MeshMaterial
{
    std::string name;
    Colour4 diffuse{1, 1, 1, 1};
    Colour4 ambient{0, 0, 0, 1}; // .x files carry none; the engine copies diffuse into it
    Colour4 specular{0, 0, 0, 1};
    Colour4 emissive{0, 0, 0, 1};
    float power = 0.0f;
    std::string textureFile; // exactly as written in the file, backslashes included; empty = untextured
};

// A run of triangles drawn with one material; index ranges are in indices, not triangles.
struct MeshSubset
{
    uint32_t material = 0;
    uint32_t indexStart = 0;
    uint32_t indexCount = 0;
    uint32_t vertexStart = 0;
    uint32_t vertexCount = 0;
};

struct MeshData
{
    std::vector<Float3> positions;
    std::vector<Float3> normals;   // same length as positions; zero vectors when the file has none
    std::vector<Float2> texCoords; // same length as positions; zeros when the file has none
    std::vector<uint32_t> indices; // triangle list, winding as in the file (clockwise front faces)
    std::vector<MeshSubset> subsets;
    std::vector<MeshMaterial> materials;
    Float3 boxMin{0, 0, 0};
    Float3 boxMax{0, 0, 0};
    Float3 sphereCentre{0, 0, 0};
    float sphereRadius = 0.0f;

    // Recomputes box and sphere from the positions: box from the extremes, sphere around the vertex mean.
    void ComputeBounds();
    void Clear() { *this = MeshData(); }
};

// Loads a .x file (text or binary) with frame transforms applied; 0 on success, else a negative code
// and the reason in error.
int LoadMeshX(const std::string& path, MeshData& out, std::string* error = nullptr);

} // namespace gfx
