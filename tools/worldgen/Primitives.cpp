// Geometry of the world meshes' building blocks.
#include "tools/worldgen/Primitives.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace worldgen
{

namespace
{

const float kPi = std::numbers::pi_v<float>;

Vec3 RotateVec(Vec3 v, float xDeg, float yDeg, float zDeg)
{
    const float ax = xDeg * kPi / 180, ay = yDeg * kPi / 180, az = zDeg * kPi / 180;
    Vec3 r{v.x * std::cos(ay) + v.z * std::sin(ay), v.y, -v.x * std::sin(ay) + v.z * std::cos(ay)};
    r = {r.x, r.y * std::cos(ax) - r.z * std::sin(ax), r.y * std::sin(ax) + r.z * std::cos(ax)};
    return {r.x * std::cos(az) - r.y * std::sin(az), r.x * std::sin(az) + r.y * std::cos(az), r.z};
}

// Axis stations in -1..1: rounded bands near both ends, the extra cuts between.
std::vector<float> Stations(float half, float radius, int segments, const std::vector<float>& extra)
{
    std::vector<float> s;
    const float r = radius / half;
    for (int k = 0; k <= segments; ++k)
        s.push_back(-1.0f + r * (1.0f - std::cos(0.5f * kPi * k / segments)));
    for (float e : extra)
        if (e > -1.0f + r && e < 1.0f - r)
            s.push_back(e);
    for (int k = segments; k >= 0; --k)
        s.push_back(1.0f - r * (1.0f - std::cos(0.5f * kPi * k / segments)));
    std::sort(s.begin(), s.end());
    s.erase(std::unique(s.begin(), s.end(), [](float a, float b) { return std::fabs(a - b) < 1e-5f; }),
            s.end());
    return s;
}

} // namespace

int AddRoundedBox(MeshBuilder& mesh, Vec3 half, float radius, int roundSegments, int material,
                  const std::vector<float>& extraCuts)
{
    const int first = mesh.VertexCount();
    const float hs[3] = {half.x, half.y, half.z};
    std::vector<float> st[3];
    for (int a = 0; a < 3; ++a)
        st[a] = Stations(hs[a], radius, roundSegments, extraCuts);
    // Face: normal axis n with sign, u axis and v axis chosen so u runs right and v down seen from outside.
    struct Face
    {
        int n, sign, ua, usign, va, vsign;
    };
    const Face faces[6] = {
        {0, +1, 2, +1, 1, -1}, {0, -1, 2, -1, 1, -1}, {1, +1, 0, +1, 2, -1},
        {1, -1, 0, +1, 2, +1}, {2, +1, 0, -1, 1, -1}, {2, -1, 0, +1, 1, -1},
    };
    for (const Face& f : faces)
    {
        const std::vector<float>& us = st[f.ua];
        const std::vector<float>& vs = st[f.va];
        const int base = mesh.VertexCount();
        for (size_t j = 0; j < vs.size(); ++j)
            for (size_t i = 0; i < us.size(); ++i)
            {
                float p[3];
                p[f.n] = static_cast<float>(f.sign) * hs[f.n];
                p[f.ua] = us[i] * f.usign * hs[f.ua];
                p[f.va] = vs[j] * f.vsign * hs[f.va];
                float q[3], d[3];
                for (int a = 0; a < 3; ++a)
                {
                    q[a] = std::clamp(p[a], -(hs[a] - radius), hs[a] - radius);
                    d[a] = p[a] - q[a];
                }
                const Vec3 dir = art::Normalise({d[0], d[1], d[2]});
                art::Vertex v;
                v.position = Vec3{q[0], q[1], q[2]} + dir * radius;
                v.normal = dir;
                v.u = (us[i] + 1.0f) * 0.5f;
                v.v = (vs[j] + 1.0f) * 0.5f;
                mesh.AddVertex(v);
            }
        const int w = static_cast<int>(us.size());
        for (int j = 0; j + 1 < static_cast<int>(vs.size()); ++j)
            for (int i = 0; i + 1 < w; ++i)
                mesh.AddQuad(base + j * w + i, base + j * w + i + 1, base + (j + 1) * w + i + 1,
                             base + (j + 1) * w + i, material);
    }
    return first;
}

int AddLathe(MeshBuilder& mesh, const std::vector<std::pair<float, float>>& profile, int sides, int material,
             float vScale)
{
    const int first = mesh.VertexCount();
    const int rows = static_cast<int>(profile.size());
    float length = 0;
    std::vector<float> along(rows, 0.0f);
    for (int r = 1; r < rows; ++r)
    {
        length +=
            std::hypot(profile[r].first - profile[r - 1].first, profile[r].second - profile[r - 1].second);
        along[r] = length;
    }
    for (int r = 0; r < rows; ++r)
    {
        // Profile slope gives the normal's tilt.
        const int a = std::max(0, r - 1), b = std::min(rows - 1, r + 1);
        const float dr = profile[b].first - profile[a].first, dy = profile[b].second - profile[a].second;
        for (int s = 0; s <= sides; ++s)
        {
            const float ang = 2 * kPi * s / sides;
            const float c = std::cos(ang), sn = std::sin(ang);
            art::Vertex v;
            v.position = {profile[r].first * c, profile[r].second, profile[r].first * sn};
            v.normal = art::Normalise({dy * c, -dr, dy * sn});
            v.u = static_cast<float>(s) / sides;
            v.v = along[r] / std::max(length, 1e-4f) * vScale;
            mesh.AddVertex(v);
        }
    }
    for (int r = 0; r + 1 < rows; ++r)
        for (int s = 0; s < sides; ++s)
        {
            const int a = first + r * (sides + 1) + s;
            mesh.AddQuad(a, a + 1, a + sides + 2, a + sides + 1, material);
        }
    for (int end : {0, rows - 1})
    {
        if (profile[end].first <= 1e-4f)
            continue;
        const float ny = end == 0 ? -1.0f : 1.0f;
        const int centre = mesh.AddVertex({{0, profile[end].second, 0}, {0, ny, 0}, 0.5f, 0.5f});
        const int ring = mesh.VertexCount();
        for (int s = 0; s < sides; ++s)
        {
            const float ang = 2 * kPi * s / sides;
            mesh.AddVertex({{profile[end].first * std::cos(ang), profile[end].second,
                             profile[end].first * std::sin(ang)},
                            {0, ny, 0},
                            0.5f + 0.5f * std::cos(ang),
                            0.5f + 0.5f * std::sin(ang)});
        }
        for (int s = 0; s < sides; ++s)
            mesh.AddTriangle(centre, ring + s, ring + (s + 1) % sides, material);
    }
    return first;
}

int AddEllipsoid(MeshBuilder& mesh, Vec3 radii, int rings, int sides, int material)
{
    std::vector<std::pair<float, float>> profile;
    for (int r = 0; r <= rings; ++r)
    {
        const float a = -0.5f * kPi + kPi * r / rings;
        profile.push_back({std::cos(a), std::sin(a)});
    }
    const int first = AddLathe(mesh, profile, sides, material);
    Scale(mesh, first, radii);
    return first;
}

void AddBlade(MeshBuilder& mesh, Vec3 base, Vec3 tip, Vec3 side, float width, int material)
{
    const Vec3 s = art::Normalise(side) * (width * 0.5f);
    const Vec3 up = art::Normalise(tip - base);
    for (float facing : {1.0f, -1.0f})
    {
        const Vec3 n = art::Normalise(art::Cross(up, s)) * facing;
        const int a = mesh.AddVertex({base - s, n, 0, 1});
        const int b = mesh.AddVertex({base + s, n, 1, 1});
        const int c = mesh.AddVertex({tip, n, 0.5f, 0});
        mesh.AddTriangle(a, b, c, material);
    }
}

void Translate(MeshBuilder& mesh, int first, Vec3 by)
{
    mesh.Transform(
        first, [by](Vec3 p) { return p + by; }, [](Vec3 n) { return n; });
}

void Scale(MeshBuilder& mesh, int first, Vec3 by)
{
    mesh.Transform(
        first,
        [by](Vec3 p) {
            return Vec3{p.x * by.x, p.y * by.y, p.z * by.z};
        },
        [by](Vec3 n) {
            return Vec3{n.x / by.x, n.y / by.y, n.z / by.z};
        });
}

void Rotate(MeshBuilder& mesh, int first, float xDeg, float yDeg, float zDeg)
{
    mesh.Transform(
        first, [=](Vec3 p) { return RotateVec(p, xDeg, yDeg, zDeg); },
        [=](Vec3 n) { return RotateVec(n, xDeg, yDeg, zDeg); });
}

void Displace(MeshBuilder& mesh, int first, const std::function<Vec3(Vec3)>& f)
{
    mesh.Transform(
        first, [&f](Vec3 p) { return p + f(p); }, [](Vec3 n) { return n; });
}

void CentreBounds(MeshBuilder& mesh)
{
    Vec3 lo, hi;
    mesh.Bounds(lo, hi);
    Translate(mesh, 0, (lo + hi) * -0.5f);
}

} // namespace worldgen

namespace worldgen
{

void AddConvexPrism(MeshBuilder& mesh, const std::vector<std::pair<float, float>>& outline, float y0,
                    float y1, int material, float uvScale)
{
    const int n = static_cast<int>(outline.size());
    for (float y : {y0, y1})
    {
        const float ny = y == y1 ? 1.0f : -1.0f;
        const int first = mesh.VertexCount();
        for (const auto& [x, z] : outline)
            mesh.AddVertex({{x, y, z}, {0, ny, 0}, x / uvScale, -z / uvScale});
        for (int i = 1; i + 1 < n; ++i)
            mesh.AddTriangle(first, first + i, first + i + 1, material);
    }
    for (int i = 0; i < n; ++i)
    {
        const auto [ax, az] = outline[i];
        const auto [bx, bz] = outline[(i + 1) % n];
        // Outward is away from the polygon's centroid.
        float cx = 0, cz = 0;
        for (const auto& [x, z] : outline)
            cx += x / n, cz += z / n;
        Vec3 normal = art::Normalise({bz - az, 0, -(bx - ax)});
        if (art::Dot(normal, Vec3{(ax + bx) * 0.5f - cx, 0, (az + bz) * 0.5f - cz}) < 0)
            normal = normal * -1.0f;
        mesh.AddFlatQuad({ax, y0, az}, {bx, y0, bz}, {bx, y1, bz}, {ax, y1, az}, normal, material);
    }
}

void AddPyramid(MeshBuilder& mesh, Vec3 baseCentre, Vec3 axis, Vec3 side, float halfWidth, int material)
{
    const Vec3 s = art::Normalise(side) * halfWidth;
    const Vec3 t = art::Normalise(art::Cross(axis, side)) * halfWidth;
    const Vec3 tip = baseCentre + axis;
    const Vec3 corners[4] = {baseCentre + s + t, baseCentre - s + t, baseCentre - s - t, baseCentre + s - t};
    for (int i = 0; i < 4; ++i)
    {
        const Vec3 a = corners[i], b = corners[(i + 1) % 4];
        Vec3 n = art::Normalise(art::Cross(b - a, tip - a));
        if (art::Dot(n, (a + b) * 0.5f - baseCentre) < 0)
            n = n * -1.0f;
        const int ia = mesh.AddVertex({a, n, 0, 1});
        const int ib = mesh.AddVertex({b, n, 1, 1});
        const int ic = mesh.AddVertex({tip, n, 0.5f, 0});
        mesh.AddTriangle(ia, ib, ic, material);
    }
}

void FitToBox(MeshBuilder& mesh, Vec3 half)
{
    Vec3 lo, hi;
    mesh.Bounds(lo, hi);
    const Vec3 centre = (lo + hi) * 0.5f;
    const Vec3 scale{2 * half.x / (hi.x - lo.x), 2 * half.y / (hi.y - lo.y), 2 * half.z / (hi.z - lo.z)};
    mesh.Transform(
        0,
        [=](Vec3 p) {
            return Vec3{(p.x - centre.x) * scale.x, (p.y - centre.y) * scale.y, (p.z - centre.z) * scale.z};
        },
        [=](Vec3 n) {
            return Vec3{n.x / scale.x, n.y / scale.y, n.z / scale.z};
        });
}

} // namespace worldgen
