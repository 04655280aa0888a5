// Z-buffered triangle rasteriser with Lambert lighting and perspective-correct bilinear textures.
#include "tools/artkit/MeshRenderer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace art
{

namespace
{

// Texels with less alpha than this are cut out, as the game's alpha test would.
const float kAlphaCut = 0.5f;
// Nearest depth drawn, in world units.
const float kNear = 0.5f;

struct Projected
{
    float sx = 0, sy = 0, invZ = 0;
};

float Radians(float d)
{
    return d * std::numbers::pi_v<float> / 180.0f;
}

} // namespace

RenderMesh FromBuilder(const MeshBuilder& mesh, const TextureLookup& textures)
{
    RenderMesh out;
    out.vertices = mesh.Vertices();
    for (const Triangle& t : mesh.Triangles())
    {
        out.triangles.push_back(t.v);
        out.triangleMaterial.push_back(t.material);
    }
    for (const Material& m : mesh.Materials())
        out.materials.push_back({m.diffuse, m.emissive, m.texture.empty() ? nullptr : textures(m.texture)});
    return out;
}

RenderMesh FromMeshData(const gfx::MeshData& mesh, const TextureLookup& textures)
{
    RenderMesh out;
    for (size_t i = 0; i < mesh.positions.size(); ++i)
    {
        Vertex v;
        v.position = {mesh.positions[i][0], mesh.positions[i][1], mesh.positions[i][2]};
        v.normal = {mesh.normals[i][0], mesh.normals[i][1], mesh.normals[i][2]};
        v.u = mesh.texCoords[i][0];
        v.v = mesh.texCoords[i][1];
        out.vertices.push_back(v);
    }
    for (const gfx::MeshSubset& s : mesh.subsets)
        for (uint32_t i = s.indexStart; i + 3 <= s.indexStart + s.indexCount; i += 3)
        {
            out.triangles.push_back({static_cast<int>(mesh.indices[i]), static_cast<int>(mesh.indices[i + 1]),
                                     static_cast<int>(mesh.indices[i + 2])});
            out.triangleMaterial.push_back(static_cast<int>(s.material));
        }
    for (const gfx::MeshMaterial& m : mesh.materials)
    {
        std::string name = m.textureFile;
        if (const size_t slash = name.find_last_of("\\/"); slash != std::string::npos)
            name = name.substr(slash + 1);
        out.materials.push_back({{m.diffuse[0], m.diffuse[1], m.diffuse[2], m.diffuse[3]},
                                 {m.emissive[0], m.emissive[1], m.emissive[2], 1},
                                 name.empty() ? nullptr : textures(name)});
    }
    return out;
}

void AppendPlaced(RenderMesh& scene, const RenderMesh& part, Vec3 offset, float scale)
{
    const int base = static_cast<int>(scene.vertices.size());
    const int materialBase = static_cast<int>(scene.materials.size());
    for (Vertex v : part.vertices)
    {
        v.position = v.position * scale + offset;
        scene.vertices.push_back(v);
    }
    for (size_t t = 0; t < part.triangles.size(); ++t)
    {
        scene.triangles.push_back(
            {part.triangles[t][0] + base, part.triangles[t][1] + base, part.triangles[t][2] + base});
        scene.triangleMaterial.push_back(part.triangleMaterial[t] + materialBase);
    }
    scene.materials.insert(scene.materials.end(), part.materials.begin(), part.materials.end());
}

Canvas RenderMeshImage(const RenderMesh& mesh, int width, int height, const View& view)
{
    const int ss = std::max(1, view.supersample);
    const int w = width * ss, h = height * ss;
    Canvas canvas(w, h, view.background);
    if (mesh.vertices.empty())
        return canvas.Downsample(ss);

    Vec3 lo = mesh.vertices[0].position, hi = lo;
    for (const Vertex& v : mesh.vertices)
    {
        lo = {std::min(lo.x, v.position.x), std::min(lo.y, v.position.y), std::min(lo.z, v.position.z)};
        hi = {std::max(hi.x, v.position.x), std::max(hi.y, v.position.y), std::max(hi.z, v.position.z)};
    }
    const Vec3 centre = (lo + hi) * 0.5f;
    const float radius = std::max(Length(hi - lo) * 0.5f, 1e-3f);

    const float yaw = Radians(view.yawDegrees), pitch = Radians(view.pitchDegrees);
    const Vec3 forward =
        Normalise({std::sin(yaw) * std::cos(pitch), -std::sin(pitch), std::cos(yaw) * std::cos(pitch)});
    const Vec3 right = Normalise(Cross({0, 1, 0}, forward));
    const Vec3 up = Cross(forward, right);
    const float halfFov = Radians(view.fovDegrees) * 0.5f;
    const float distance = view.frameMesh ? radius * view.margin / std::sin(halfFov) : view.distance;
    const Vec3 eye = (view.frameMesh ? centre : view.target) - forward * distance;
    const float focal = 0.5f * std::min(w, h) / std::tan(halfFov);
    const Vec3 toLight = Normalise(view.lightDirection * -1.0f);

    std::vector<Projected> projected(mesh.vertices.size());
    for (size_t i = 0; i < mesh.vertices.size(); ++i)
    {
        const Vec3 d = mesh.vertices[i].position - eye;
        const float z = Dot(d, forward);
        projected[i] = z < kNear ? Projected{0, 0, -1}
                                 : Projected{w * 0.5f + Dot(d, right) / z * focal,
                                             h * 0.5f - Dot(d, up) / z * focal, 1.0f / z};
    }
    std::vector<float> depth(static_cast<size_t>(w) * h, 0.0f); // stores 1/z: larger is nearer

    for (size_t t = 0; t < mesh.triangles.size(); ++t)
    {
        const auto& tri = mesh.triangles[t];
        const Projected& a = projected[tri[0]];
        const Projected& b = projected[tri[1]];
        const Projected& c = projected[tri[2]];
        if (a.invZ < 0 || b.invZ < 0 || c.invZ < 0)
            continue;
        const float area = (b.sx - a.sx) * (c.sy - a.sy) - (b.sy - a.sy) * (c.sx - a.sx);
        // Clockwise on a y-down screen is a positive area: the front faces the game keeps.
        if (area <= 0)
            continue;
        const RenderMaterial& mat = mesh.materials[mesh.triangleMaterial[t]];
        const Vertex& va = mesh.vertices[tri[0]];
        const Vertex& vb = mesh.vertices[tri[1]];
        const Vertex& vc = mesh.vertices[tri[2]];
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.sx, b.sx, c.sx}))));
        const int x1 = std::min(w - 1, static_cast<int>(std::ceil(std::max({a.sx, b.sx, c.sx}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.sy, b.sy, c.sy}))));
        const int y1 = std::min(h - 1, static_cast<int>(std::ceil(std::max({a.sy, b.sy, c.sy}))));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
            {
                const float px = x + 0.5f, py = y + 0.5f;
                const float w0 = ((b.sx - px) * (c.sy - py) - (b.sy - py) * (c.sx - px)) / area;
                const float w1 = ((c.sx - px) * (a.sy - py) - (c.sy - py) * (a.sx - px)) / area;
                const float w2 = 1.0f - w0 - w1;
                if (w0 < 0 || w1 < 0 || w2 < 0)
                    continue;
                const float invZ = w0 * a.invZ + w1 * b.invZ + w2 * c.invZ;
                float& stored = depth[static_cast<size_t>(y) * w + x];
                if (invZ <= stored)
                    continue;
                // Perspective-correct weights for the attributes.
                const float p0 = w0 * a.invZ / invZ, p1 = w1 * b.invZ / invZ, p2 = w2 * c.invZ / invZ;
                Colour base = mat.diffuse;
                if (mat.texture)
                {
                    const Colour tex = mat.texture->Sample(va.u * p0 + vb.u * p1 + vc.u * p2,
                                                           va.v * p0 + vb.v * p1 + vc.v * p2);
                    if (tex.a < kAlphaCut)
                        continue;
                    base = {tex.r * mat.diffuse.r, tex.g * mat.diffuse.g, tex.b * mat.diffuse.b, 1};
                }
                const Vec3 n = Normalise(va.normal * p0 + vb.normal * p1 + vc.normal * p2);
                const float lambert = std::max(0.0f, Dot(n, toLight));
                const Vec3 half = Normalise(toLight - forward);
                const float specular = std::pow(std::max(0.0f, Dot(n, half)), 24.0f) * 0.18f;
                const float light = view.ambient + (1.0f - view.ambient) * lambert;
                stored = invZ;
                Colour lit = Clamp({base.r * light + specular + mat.emissive.r,
                                    base.g * light + specular + mat.emissive.g,
                                    base.b * light + specular + mat.emissive.b, 1.0f});
                if (view.fogEnd > view.fogStart)
                    lit = Mix(lit, WithAlpha(view.fog, 1.0f),
                              Clamp01((1.0f / invZ - view.fogStart) / (view.fogEnd - view.fogStart)));
                canvas.At(x, y) = lit;
            }
    }
    return canvas.Downsample(ss);
}

} // namespace art
