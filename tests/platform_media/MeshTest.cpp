// platform/mesh: a hand-written .x comes back with the file's own coordinates, winding, materials and names.
#include "platform/mesh/MeshData.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace
{

// Three triangles over five vertices, two materials used out of order, a frame that moves everything by
// (10, 20, 30), a texture name with a backslash.
const char* const kMeshText = R"(xof 0303txt 0032
Frame Root {
 FrameTransformMatrix {
  1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,10.0,20.0,30.0,1.0;;
 }
 Mesh Sample {
  5;
  0.0;0.0;0.0;,
  1.0;0.0;0.0;,
  1.0;1.0;0.0;,
  0.0;1.0;0.0;,
  2.0;2.0;-3.0;;
  3;
  3;0,3,2;,
  3;0,2,1;,
  3;0,4,3;;
  MeshMaterialList {
   2;
   3;
   0,
   1,
   0;
   Material Red {
    1.0;0.0;0.0;0.5;;
    12.5;
    0.2;0.3;0.4;;
    0.1;0.0;0.05;;
    TextureFilename {
     "tex\Brick.bmp";
    }
   }
   Material Plain {
    0.0;1.0;0.0;1.0;;
    2.0;
    0.0;0.0;0.0;;
    0.0;0.0;0.0;;
   }
  }
  MeshNormals {
   5;
   0.0;0.0;-1.0;,
   0.0;0.0;-1.0;,
   0.0;0.0;-1.0;,
   0.0;0.6;-0.8;,
   1.0;0.0;0.0;;
   3;
   3;0,3,2;,
   3;0,2,1;,
   3;0,4,3;;
  }
  MeshTextureCoords {
   5;
   0.0;0.0;,
   1.0;0.0;,
   1.0;1.0;,
   0.0;1.0;,
   0.5;0.25;;
  }
 }
}
)";

std::string WriteSample(const std::string& name, const std::string& text)
{
    const auto dir = std::filesystem::temp_directory_path() / "plk_platform_media";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

struct Corner
{
    gfx::Float3 position, normal;
    gfx::Float2 uv;
};

// The file's vertices, as the frame places them.
const Corner kFile[5] = {
    {{10, 20, 30}, {0, 0, -1}, {0, 0}},       {{11, 20, 30}, {0, 0, -1}, {1, 0}},
    {{11, 21, 30}, {0, 0, -1}, {1, 1}},       {{10, 21, 30}, {0, 0.6f, -0.8f}, {0, 1}},
    {{12, 22, 27}, {1, 0, 0}, {0.5f, 0.25f}},
};

void ExpectCorner(const gfx::MeshData& mesh, uint32_t index, int fileVertex)
{
    const Corner& want = kFile[fileVertex];
    for (int a = 0; a < 3; ++a)
    {
        EXPECT_NEAR(mesh.positions[index][a], want.position[a], 1e-5f)
            << "vertex " << fileVertex << " axis " << a;
        EXPECT_NEAR(mesh.normals[index][a], want.normal[a], 1e-5f)
            << "vertex " << fileVertex << " axis " << a;
    }
    EXPECT_NEAR(mesh.texCoords[index][0], want.uv[0], 1e-5f) << "vertex " << fileVertex;
    EXPECT_NEAR(mesh.texCoords[index][1], want.uv[1], 1e-5f) << "vertex " << fileVertex;
}

} // namespace

TEST(Mesh, TextXLoadsWithFilePositionsNormalsUvsAndCornerOrder)
{
    gfx::MeshData mesh;
    std::string error;
    ASSERT_EQ(gfx::LoadMeshX(WriteSample("sample.x", kMeshText), mesh, &error), 0) << error;
    ASSERT_EQ(mesh.indices.size(), 9u);
    ASSERT_EQ(mesh.subsets.size(), 2u);

    // Subsets follow material order: material 0 holds file faces 0 and 2, material 1 face 1.
    EXPECT_EQ(mesh.subsets[0].material, 0u);
    EXPECT_EQ(mesh.subsets[0].indexStart, 0u);
    EXPECT_EQ(mesh.subsets[0].indexCount, 6u);
    EXPECT_EQ(mesh.subsets[1].material, 1u);
    EXPECT_EQ(mesh.subsets[1].indexStart, 6u);
    EXPECT_EQ(mesh.subsets[1].indexCount, 3u);

    const int faces[3][3] = {{0, 3, 2}, {0, 4, 3}, {0, 2, 1}};
    for (int f = 0; f < 3; ++f)
        for (int k = 0; k < 3; ++k)
            ExpectCorner(mesh, mesh.indices[f * 3 + k], faces[f][k]);
}

TEST(Mesh, MaterialsKeepColoursPowerAndTheTextureNameAsWritten)
{
    gfx::MeshData mesh;
    std::string error;
    ASSERT_EQ(gfx::LoadMeshX(WriteSample("materials.x", kMeshText), mesh, &error), 0) << error;
    ASSERT_EQ(mesh.materials.size(), 2u);
    const gfx::MeshMaterial& red = mesh.materials[0];
    EXPECT_FLOAT_EQ(red.diffuse[0], 1.0f);
    EXPECT_FLOAT_EQ(red.diffuse[1], 0.0f);
    EXPECT_FLOAT_EQ(red.diffuse[3], 0.5f);
    EXPECT_FLOAT_EQ(red.power, 12.5f);
    EXPECT_FLOAT_EQ(red.specular[1], 0.3f);
    EXPECT_FLOAT_EQ(red.specular[2], 0.4f);
    EXPECT_FLOAT_EQ(red.emissive[0], 0.1f);
    EXPECT_FLOAT_EQ(red.emissive[2], 0.05f);
    EXPECT_EQ(red.textureFile, "tex\\Brick.bmp");
    EXPECT_FLOAT_EQ(mesh.materials[1].diffuse[1], 1.0f);
    EXPECT_TRUE(mesh.materials[1].textureFile.empty());
}

TEST(Mesh, BoundsCoverTheVerticesWithTheSphereAroundTheirMean)
{
    gfx::MeshData mesh;
    ASSERT_EQ(gfx::LoadMeshX(WriteSample("bounds.x", kMeshText), mesh), 0);
    const gfx::Float3 lo{10, 20, 27}, hi{12, 22, 30};
    for (int a = 0; a < 3; ++a)
    {
        EXPECT_NEAR(mesh.boxMin[a], lo[a], 1e-5f);
        EXPECT_NEAR(mesh.boxMax[a], hi[a], 1e-5f);
    }
    for (const gfx::Float3& p : mesh.positions)
    {
        const float dx = p[0] - mesh.sphereCentre[0], dy = p[1] - mesh.sphereCentre[1],
                    dz = p[2] - mesh.sphereCentre[2];
        EXPECT_LE(std::sqrt(dx * dx + dy * dy + dz * dz), mesh.sphereRadius + 1e-4f);
    }
}

TEST(Mesh, MissingOrBrokenFilesFailWithAReason)
{
    gfx::MeshData mesh;
    std::string error;
    EXPECT_NE(gfx::LoadMeshX("/nonexistent/none.x", mesh, &error), 0);
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_NE(gfx::LoadMeshX(WriteSample("broken.x", "xof 0303txt 0032\nMesh Broken {\n 3;\n 0.0;0.0;"), mesh,
                             &error),
              0);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(mesh.positions.empty()) << "a failed load leaves no half-filled mesh";
}

// The importer would follow a null material for the first two and reserve gigabytes for the last; the
// game only ships text meshes.
TEST(Mesh, MaterialListsWithoutMaterialsBinaryFilesAndHugeCountsAreRefused)
{
    std::string text = kMeshText;
    const size_t first = text.find("   Material Red");
    const size_t listEnd = text.find("  MeshNormals");
    text.replace(first, listEnd - first, "  }\n");
    gfx::MeshData mesh;
    std::string error;
    EXPECT_NE(gfx::LoadMeshX(WriteSample("no-materials.x", text), mesh, &error), 0);
    EXPECT_NE(error.find("without materials"), std::string::npos) << error;

    // The importer skips an entry it does not know together with the material it names.
    std::string skipped = kMeshText;
    skipped.replace(skipped.find("   Material Red"), 3, "   & ");
    EXPECT_NE(gfx::LoadMeshX(WriteSample("unknown-entry.x", skipped), mesh, &error), 0);
    EXPECT_NE(error.find("without materials"), std::string::npos) << error;

    std::string binary = kMeshText;
    binary.replace(8, 3, "bin");
    EXPECT_NE(gfx::LoadMeshX(WriteSample("binary.x", binary), mesh, &error), 0);
    EXPECT_NE(error.find("not a text"), std::string::npos) << error;
    EXPECT_TRUE(mesh.positions.empty());

    std::string counted = kMeshText;
    counted.replace(counted.find("  5;"), 4, "  4000000000;");
    EXPECT_NE(gfx::LoadMeshX(WriteSample("counted.x", counted), mesh, &error), 0);
    EXPECT_NE(error.find("count larger than the file"), std::string::npos) << error;
}

TEST(Mesh, APolygonBecomesAFanOfTriangles)
{
    const char* const quad = "xof 0303txt 0032\nMesh Quad {\n 4;\n 0.0;0.0;0.0;,\n 1.0;0.0;0.0;,\n 1.0;1.0;0.0;,\n"
                             " 0.0;1.0;0.0;;\n 2;\n 4;0,1,2,3;,\n 2;0,1;;\n}\n";
    gfx::MeshData mesh;
    std::string error;
    ASSERT_EQ(gfx::LoadMeshX(WriteSample("quad.x", quad), mesh, &error), 0) << error;
    ASSERT_EQ(mesh.indices.size(), 6u) << "two triangles; the line is left out";
    for (uint32_t index : mesh.indices)
        EXPECT_LT(index, mesh.positions.size());
}
