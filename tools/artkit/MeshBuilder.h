// Builds low-poly meshes (vertices, triangles, materials) for the generators and writes them as text .x
// files.
#pragma once

#include "tools/artkit/Colour.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace art
{

struct Vec3
{
    float x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, float s);
float Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
float Length(Vec3 a);
Vec3 Normalise(Vec3 a);

struct Vertex
{
    Vec3 position;
    Vec3 normal;
    float u = 0, v = 0;
};

struct Material
{
    std::string name;
    Colour diffuse{1, 1, 1, 1};
    float power = 8.0f;
    Colour specular{0.15f, 0.15f, 0.15f, 1};
    Colour emissive{0, 0, 0, 1};
    std::string texture; // file name relative to the data folder, empty = untextured
};

struct Triangle
{
    std::array<int, 3> v{};
    int material = 0;
};

// Coordinates are left-handed (x right, y up, z away), as the game draws them; front faces wind
// clockwise seen from outside, which AddTriangle enforces from the vertex normals.
class MeshBuilder
{
  public:
    int AddMaterial(const Material& material);
    int AddVertex(const Vertex& v);
    // Reorders the corners when needed so the face's winding agrees with its vertex normals.
    void AddTriangle(int a, int b, int c, int material);
    // Corners in order around the quad; split along a-c.
    void AddQuad(int a, int b, int c, int d, int material);
    // A flat quad with its own four vertices, normal from the corner order, uvs (0,0) (1,0) (1,1) (0,1)
    // scaled by uvScale.
    void AddFlatQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 normal, int material, float uScale = 1,
                     float vScale = 1);
    // Appends another mesh with its materials remapped onto this one's by name.
    void Append(const MeshBuilder& other);
    // Moves every vertex added from index first on.
    void Transform(int first, const std::function<Vec3(Vec3)>& position,
                   const std::function<Vec3(Vec3)>& normal);
    // Smooth normals: each vertex gets the area-weighted mean of its triangles' faces.
    void ComputeSmoothNormals(int firstVertex = 0);

    const std::vector<Vertex>& Vertices() const { return m_vertices; }
    std::vector<Vertex>& Vertices() { return m_vertices; }
    const std::vector<Triangle>& Triangles() const { return m_triangles; }
    const std::vector<Material>& Materials() const { return m_materials; }
    int VertexCount() const { return static_cast<int>(m_vertices.size()); }
    void Bounds(Vec3& min, Vec3& max) const;

    // Writes a text .x file: one frame named frameName holding the mesh with normals, texture coordinates
    // and its material list. 0 on success, else negative and the reason in error.
    int WriteX(const std::string& path, const std::string& frameName, std::string* error = nullptr) const;

  private:
    std::vector<Vertex> m_vertices;
    std::vector<Triangle> m_triangles;
    std::vector<Material> m_materials;
};

} // namespace art
