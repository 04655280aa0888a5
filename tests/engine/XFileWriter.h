// Writes small text .x meshes for the engine tests: a square of triangles in the z = 0 plane.
#pragma once

#include <sstream>
#include <string>
#include <vector>

struct XTestMaterial
{
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
    std::string texture; // "" = untextured
};

// A square from (-half, -half) to (half, half) split into `triangles` fan triangles around its
// centre, facing -z, clockwise seen from -z; triangle i uses material i % materials.size().
inline std::string SquareMesh(float half, int triangles, const std::vector<XTestMaterial>& materials)
{
    std::ostringstream x;
    x << "xof 0303txt 0032\nMesh Square {\n " << (triangles + 1) + 1 << ";\n";
    x << "  0.0;0.0;0.0;,\n";
    // Corners walk the square's edge counter-clockwise in x-y, which seen from -z is clockwise.
    const float corners[4][2] = {{-half, -half}, {half, -half}, {half, half}, {-half, half}};
    std::vector<std::pair<float, float>> rim;
    for (int i = 0; i <= triangles; ++i)
    {
        const float t = 4.0f * static_cast<float>(i) / static_cast<float>(triangles);
        const int edge = static_cast<int>(t) % 4;
        const float f = t - static_cast<float>(static_cast<int>(t));
        const float* a = corners[edge];
        const float* b = corners[(edge + 1) % 4];
        rim.emplace_back(a[0] + (b[0] - a[0]) * f, a[1] + (b[1] - a[1]) * f);
    }
    for (size_t i = 0; i < rim.size(); ++i)
        x << "  " << rim[i].first << ";" << rim[i].second << ";0.0;" << (i + 1 == rim.size() ? ";" : ",") << "\n";
    x << " " << triangles << ";\n";
    for (int i = 0; i < triangles; ++i)
        x << "  3;0," << (i + 2) << "," << (i + 1) << ";" << (i + 1 == triangles ? ";" : ",") << "\n";
    x << " MeshMaterialList {\n  " << materials.size() << ";\n  " << triangles << ";\n";
    for (int i = 0; i < triangles; ++i)
        x << "  " << (i % materials.size()) << (i + 1 == triangles ? ";" : ",") << "\n";
    for (size_t m = 0; m < materials.size(); ++m)
    {
        const XTestMaterial& mat = materials[m];
        x << "  Material M" << m << " {\n   " << mat.r << ";" << mat.g << ";" << mat.b << ";" << mat.a
          << ";;\n   5.0;\n   0.0;0.0;0.0;;\n   0.0;0.0;0.0;;\n";
        if (!mat.texture.empty())
            x << "   TextureFilename {\n    \"" << mat.texture << "\";\n   }\n";
        x << "  }\n";
    }
    x << " }\n MeshNormals {\n  1;\n  0.0;0.0;-1.0;;\n  " << triangles << ";\n";
    for (int i = 0; i < triangles; ++i)
        x << "  3;0,0,0;" << (i + 1 == triangles ? ";" : ",") << "\n";
    x << " }\n}\n";
    return x.str();
}
