// Mesh assembly and the text .x writer.
#include "tools/artkit/MeshBuilder.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace art
{

Vec3 operator+(Vec3 a, Vec3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(Vec3 a, float s)
{
    return {a.x * s, a.y * s, a.z * s};
}
float Dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Length(Vec3 a)
{
    return std::sqrt(Dot(a, a));
}

Vec3 Normalise(Vec3 a)
{
    const float l = Length(a);
    return l > 0 ? a * (1.0f / l) : Vec3{0, 1, 0};
}

namespace
{

// Six decimals keep 10-unit cubes exact while the files stay readable.
std::string Num(float v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6f", std::fabs(v) < 5e-7f ? 0.0f : v);
    return buf;
}

// One vector a line, comma-separated, the last closed by a semicolon.
void WriteVectors(std::ostringstream& x, const char* indent, const std::vector<Vertex>& vertices, Vec3 Vertex::*field)
{
    for (size_t i = 0; i < vertices.size(); ++i)
    {
        const Vec3& p = vertices[i].*field;
        x << indent << Num(p.x) << ";" << Num(p.y) << ";" << Num(p.z) << ";"
          << (i + 1 < vertices.size() ? "," : ";") << "\n";
    }
}

void WriteFaces(std::ostringstream& x, const char* indent, const std::vector<Triangle>& triangles)
{
    x << indent << triangles.size() << ";\n";
    for (size_t i = 0; i < triangles.size(); ++i)
    {
        const Triangle& t = triangles[i];
        x << indent << "3;" << t.v[0] << "," << t.v[1] << "," << t.v[2] << ";"
          << (i + 1 < triangles.size() ? "," : ";") << "\n";
    }
}

} // namespace

int MeshBuilder::AddMaterial(const Material& material)
{
    m_materials.push_back(material);
    return static_cast<int>(m_materials.size()) - 1;
}

int MeshBuilder::AddVertex(const Vertex& v)
{
    m_vertices.push_back(v);
    return static_cast<int>(m_vertices.size()) - 1;
}

void MeshBuilder::AddTriangle(int a, int b, int c, int material)
{
    const Vec3 pa = m_vertices[a].position, pb = m_vertices[b].position, pc = m_vertices[c].position;
    const Vec3 face = Cross(pb - pa, pc - pa);
    const Vec3 wanted = m_vertices[a].normal + m_vertices[b].normal + m_vertices[c].normal;
    // In left-handed space cross(b - a, c - a) points out of a clockwise face.
    if (Dot(face, wanted) < 0)
        std::swap(b, c);
    m_triangles.push_back({{a, b, c}, material});
}

void MeshBuilder::AddQuad(int a, int b, int c, int d, int material)
{
    AddTriangle(a, b, c, material);
    AddTriangle(a, c, d, material);
}

void MeshBuilder::AddFlatQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 normal, int material, float uScale,
                              float vScale)
{
    const Vec3 n = Normalise(normal);
    const int ia = AddVertex({a, n, 0, 0});
    const int ib = AddVertex({b, n, uScale, 0});
    const int ic = AddVertex({c, n, uScale, vScale});
    const int id = AddVertex({d, n, 0, vScale});
    AddQuad(ia, ib, ic, id, material);
}

void MeshBuilder::Append(const MeshBuilder& other)
{
    std::vector<int> remap;
    for (const Material& m : other.m_materials)
    {
        int found = -1;
        for (size_t i = 0; i < m_materials.size(); ++i)
            if (m_materials[i].name == m.name)
                found = static_cast<int>(i);
        remap.push_back(found >= 0 ? found : AddMaterial(m));
    }
    const int base = VertexCount();
    m_vertices.insert(m_vertices.end(), other.m_vertices.begin(), other.m_vertices.end());
    for (const Triangle& t : other.m_triangles)
        m_triangles.push_back({{t.v[0] + base, t.v[1] + base, t.v[2] + base}, remap[t.material]});
}

void MeshBuilder::Transform(int first, const std::function<Vec3(Vec3)>& position,
                            const std::function<Vec3(Vec3)>& normal)
{
    for (size_t i = static_cast<size_t>(first); i < m_vertices.size(); ++i)
    {
        m_vertices[i].position = position(m_vertices[i].position);
        m_vertices[i].normal = Normalise(normal(m_vertices[i].normal));
    }
}

void MeshBuilder::ComputeSmoothNormals(int firstVertex)
{
    std::vector<Vec3> sums(m_vertices.size());
    for (const Triangle& t : m_triangles)
    {
        if (t.v[0] < firstVertex)
            continue;
        const Vec3 face = Cross(m_vertices[t.v[1]].position - m_vertices[t.v[0]].position,
                                m_vertices[t.v[2]].position - m_vertices[t.v[0]].position);
        for (int k : t.v)
            sums[k] = sums[k] + face;
    }
    for (size_t i = static_cast<size_t>(firstVertex); i < m_vertices.size(); ++i)
        if (Length(sums[i]) > 0)
            m_vertices[i].normal = Normalise(sums[i]);
}

void MeshBuilder::Bounds(Vec3& min, Vec3& max) const
{
    min = max = m_vertices.empty() ? Vec3{} : m_vertices[0].position;
    for (const Vertex& v : m_vertices)
    {
        min = {std::min(min.x, v.position.x), std::min(min.y, v.position.y), std::min(min.z, v.position.z)};
        max = {std::max(max.x, v.position.x), std::max(max.y, v.position.y), std::max(max.z, v.position.z)};
    }
}

int MeshBuilder::WriteX(const std::string& path, const std::string& frameName, std::string* error) const
{
    if (m_vertices.empty() || m_triangles.empty() || m_materials.empty())
    {
        if (error)
            *error = "refusing to write an empty mesh to " + path;
        return -1;
    }
    std::ostringstream x;
    x << "xof 0303txt 0032\n\n";
    x << "Frame " << frameName << " {\n";
    x << " FrameTransformMatrix {\n  1.000000,0.000000,0.000000,0.000000,\n  "
         "0.000000,1.000000,0.000000,0.000000,\n"
         "  0.000000,0.000000,1.000000,0.000000,\n  0.000000,0.000000,0.000000,1.000000;;\n }\n";
    x << " Mesh " << frameName << "Mesh {\n  " << m_vertices.size() << ";\n";
    WriteVectors(x, "  ", m_vertices, &Vertex::position);
    WriteFaces(x, "  ", m_triangles);
    x << "  MeshMaterialList {\n   " << m_materials.size() << ";\n   " << m_triangles.size() << ";\n";
    for (size_t i = 0; i < m_triangles.size(); ++i)
        x << "   " << m_triangles[i].material << (i + 1 < m_triangles.size() ? ",\n" : ";\n");
    for (const Material& m : m_materials)
    {
        x << "   Material " << m.name << " {\n";
        x << "    " << Num(m.diffuse.r) << ";" << Num(m.diffuse.g) << ";" << Num(m.diffuse.b) << ";"
          << Num(m.diffuse.a) << ";;\n";
        x << "    " << Num(m.power) << ";\n";
        x << "    " << Num(m.specular.r) << ";" << Num(m.specular.g) << ";" << Num(m.specular.b) << ";;\n";
        x << "    " << Num(m.emissive.r) << ";" << Num(m.emissive.g) << ";" << Num(m.emissive.b) << ";;\n";
        if (!m.texture.empty())
            x << "    TextureFilename {\n     \"" << m.texture << "\";\n    }\n";
        x << "   }\n";
    }
    x << "  }\n";
    x << "  MeshNormals {\n   " << m_vertices.size() << ";\n";
    WriteVectors(x, "   ", m_vertices, &Vertex::normal);
    // Normals are per vertex, so the normal faces repeat the position faces.
    WriteFaces(x, "   ", m_triangles);
    x << "  }\n";
    x << "  MeshTextureCoords {\n   " << m_vertices.size() << ";\n";
    for (size_t i = 0; i < m_vertices.size(); ++i)
        x << "   " << Num(m_vertices[i].u) << ";" << Num(m_vertices[i].v) << ";"
          << (i + 1 < m_vertices.size() ? "," : ";") << "\n";
    x << "  }\n }\n}\n";

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
    {
        if (error)
            *error = "cannot create " + path;
        return -2;
    }
    const std::string text = x.str();
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file)
    {
        if (error)
            *error = "writing " + path + " failed";
        return -3;
    }
    return 0;
}

} // namespace art
