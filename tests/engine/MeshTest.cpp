// XBasicMesh without a window: hand-written .x files, their materials and shared textures, texture
// renames, numbered animation frames with their own bounds, ray hits and extruded 3D text.
#include "engine/XBasicMesh.h"
#include "engine/XGameEngine.h"
#include "tests/engine/EngineTempFolder.h"
#include "tests/engine/XFileWriter.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace
{

class MeshTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_engine.SetPath(m_folder.GamePath().c_str());
        m_folder.Write("Brick.bmp", "BM");
        m_folder.Write("Grass2.bmp", "BM");
    }

    XString Path(const std::string& name) const { return (m_folder.GamePath() + name).c_str(); }

    XGameEngine m_engine; // only the media folder; no window
    EngineTempFolder m_folder;
};

} // namespace

TEST_F(MeshTest, MaterialsTakeAmbientFromDiffuseAndSharedTextureFilesLoadOnce)
{
    m_folder.Write("Wall.x", SquareMesh(5.0f, 4,
                                        {{1.0f, 0.5f, 0.25f, 1.0f, "art\\\\Brick.bmp"},
                                         {0.0f, 1.0f, 0.0f, 1.0f, "Brick.bmp"},
                                         {0.2f, 0.2f, 0.2f, 1.0f, ""}}));
    XBasicMesh mesh;
    ASSERT_TRUE(mesh.Load(Path("Wall.x"), nullptr, true, false)) << mesh.GetErrorMsg().GetBuffer();
    EXPECT_TRUE(mesh.GetFlag1());
    EXPECT_FALSE(mesh.GetFlag2());
    EXPECT_FALSE(mesh.IsAnimated());
    ASSERT_EQ(3u, mesh.GetMaterialCount());
    EXPECT_FLOAT_EQ(0.5f, mesh.GetMaterial(0).ambient.g);
    EXPECT_FLOAT_EQ(0.25f, mesh.GetMaterial(0).ambient.b);
    EXPECT_FLOAT_EQ(1.0f, mesh.GetMaterial(1).ambient.g);
    // Two materials naming one file, once with a folder: one texture, shared.
    EXPECT_EQ(1, mesh.GetTextureCount());
    EXPECT_STREQ((m_folder.GamePath() + "Brick.bmp").c_str(), mesh.GetTextureFileName(0).GetBuffer());
    EXPECT_NE(nullptr, mesh.GetMaterialTexture(0));
    EXPECT_EQ(mesh.GetMaterialTexture(0), mesh.GetMaterialTexture(1));
    EXPECT_EQ(nullptr, mesh.GetMaterialTexture(2));
}

TEST_F(MeshTest, ARenamePairMakesTheMaterialUseTheReplacementInTheMediaFolder)
{
    m_folder.Write("Top.x", SquareMesh(5.0f, 2, {{1, 1, 1, 1, "Grass1.bmp"}, {1, 1, 1, 1, "Brick.bmp"}}));
    XArray<XTextureRename> renames;
    renames.Add({"grass1.bmp", "Grass2.bmp"});
    XBasicMesh mesh;
    ASSERT_TRUE(mesh.Load(Path("Top.x"), &renames, false, false)) << mesh.GetErrorMsg().GetBuffer();
    ASSERT_EQ(2, mesh.GetTextureCount());
    EXPECT_STREQ((m_folder.GamePath() + "Grass2.bmp").c_str(), mesh.GetTextureFileName(0).GetBuffer());
    EXPECT_STREQ((m_folder.GamePath() + "Brick.bmp").c_str(), mesh.GetTextureFileName(1).GetBuffer());
}

TEST_F(MeshTest, LoadFailuresSayWhatFailed)
{
    XBasicMesh mesh;
    EXPECT_FALSE(mesh.Load(Path("Missing.x"), nullptr, false, false));
    EXPECT_EQ(0, mesh.GetErrorMsg().Find("Error: in XBasicMesh::Load, D3DXLoadMeshFromX failed. hr="));

    m_folder.Write("NoTexture.x", SquareMesh(1.0f, 2, {{1, 1, 1, 1, "Nowhere.bmp"}}));
    EXPECT_FALSE(mesh.Load(Path("NoTexture.x"), nullptr, false, false));
    EXPECT_EQ(0, mesh.GetErrorMsg().Find("Error: in XBasicMesh::Load, texture.Load failed. Msg="));
    EXPECT_GT(mesh.GetErrorMsg().Find("Nowhere.bmp"), 0);
}

TEST_F(MeshTest, NumberedFramesLoadUntilOneIsMissingEachWithItsOwnBounds)
{
    for (int i : {0, 1, 2, 4})
        m_folder.Write("Block" + std::to_string(i) + ".x",
                       SquareMesh(1.0f + static_cast<float>(i), 4, {{1, 1, 1, 1, "Brick.bmp"}}));
    XBasicMesh mesh;
    ASSERT_TRUE(mesh.LoadWithMultipleMeshAnimation(Path("Block"), -1, false, true)) << mesh.GetErrorMsg().GetBuffer();
    EXPECT_TRUE(mesh.IsAnimated());
    EXPECT_EQ(3, mesh.GetFrameCount());
    EXPECT_EQ(1, mesh.GetTextureCount());
    for (int frame = 0; frame < 3; ++frame)
    {
        float minX = 0, maxX = 0, maxY = 0;
        ASSERT_TRUE(mesh.GetBoundingBox(frame, &minX, nullptr, nullptr, &maxX, &maxY, nullptr));
        EXPECT_FLOAT_EQ(-1.0f - frame, minX);
        EXPECT_FLOAT_EQ(1.0f + frame, maxX);
        EXPECT_FLOAT_EQ(1.0f + frame, maxY);
        float radius = 0;
        ASSERT_TRUE(mesh.GetBoundingSphere(frame, nullptr, &radius));
        EXPECT_GT(radius, 1.0f + frame - 0.01f);
    }
    EXPECT_FALSE(mesh.GetBoundingBox(3, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));

    ASSERT_TRUE(mesh.LoadWithMultipleMeshAnimation(Path("Block"), 2, false, false));
    EXPECT_EQ(2, mesh.GetFrameCount());
    // More than the table holds is held to it rather than written past its end.
    ASSERT_TRUE(mesh.LoadWithMultipleMeshAnimation(Path("Block"), 1000, false, false));
    EXPECT_EQ(3, mesh.GetFrameCount());

    ASSERT_TRUE(mesh.LoadWithMultipleMeshAnimation(Path("Nothing"), -1, false, false));
    EXPECT_TRUE(mesh.IsAnimated());
    EXPECT_EQ(0, mesh.GetFrameCount());
}

TEST_F(MeshTest, RaysHitTheNearestTriangleFromEitherSide)
{
    m_folder.Write("Quad.x", SquareMesh(5.0f, 4, {{1, 1, 1, 1, ""}}));
    XBasicMesh mesh;
    ASSERT_TRUE(mesh.Load(Path("Quad.x"), nullptr, false, false));
    float distance = 0.0f;
    EXPECT_TRUE(mesh.Intersect(0, {1.0f, 2.0f, -10.0f}, {0.0f, 0.0f, 1.0f}, distance));
    EXPECT_FLOAT_EQ(10.0f, distance);
    EXPECT_TRUE(mesh.Intersect(0, {4.9f, -4.9f, 3.0f}, {0.0f, 0.0f, -2.0f}, distance));
    EXPECT_FLOAT_EQ(1.5f, distance);
    EXPECT_FALSE(mesh.Intersect(0, {5.5f, 0.0f, -10.0f}, {0.0f, 0.0f, 1.0f}, distance));
    EXPECT_FALSE(mesh.Intersect(0, {0.0f, 0.0f, -10.0f}, {0.0f, 0.0f, -1.0f}, distance));
    EXPECT_FALSE(mesh.Intersect(1, {0.0f, 0.0f, -10.0f}, {0.0f, 0.0f, 1.0f}, distance));
}

TEST(TextMesh, DigitsExtrudeIntoAClosedSolidWoundForTheDefaultCulling)
{
    XBasicMesh mesh;
    ASSERT_TRUE(mesh.LoadFontMesh("0123456789-+", "Arial", 12, 0.2f, false, false, false, false))
        << mesh.GetErrorMsg().GetBuffer();
    const gfx::MeshData* data = mesh.GetFrameData(0);
    ASSERT_NE(nullptr, data);
    ASSERT_GT(data->indices.size(), 3000u);
    float minX, minY, minZ, maxX, maxY, maxZ;
    ASSERT_TRUE(mesh.GetBoundingBox(0, &minX, &minY, &minZ, &maxX, &maxY, &maxZ));
    EXPECT_NEAR(0.0f, minZ, 1e-6f);
    EXPECT_NEAR(0.2f, maxZ, 1e-6f);
    // Twelve glyphs about half an em wide, about 0.7 em tall.
    EXPECT_GT(maxX - minX, 5.0f);
    EXPECT_LT(maxY - minY, 1.0f);

    // Every triangle is clockwise seen from the side its normal faces, and every edge is shared by
    // exactly two triangles running it in opposite directions: a closed, consistently wound solid.
    std::map<std::pair<std::array<float, 3>, std::array<float, 3>>, int> edges;
    for (size_t i = 0; i < data->indices.size(); i += 3)
    {
        const auto& a = data->positions[data->indices[i]];
        const auto& b = data->positions[data->indices[i + 1]];
        const auto& c = data->positions[data->indices[i + 2]];
        const auto& n = data->normals[data->indices[i]];
        const float e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const float e2[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const float cross[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                e1[0] * e2[1] - e1[1] * e2[0]};
        EXPECT_GE(cross[0] * n[0] + cross[1] * n[1] + cross[2] * n[2], 0.0f) << "triangle " << i / 3;
        edges[{a, b}]++;
        edges[{b, c}]++;
        edges[{c, a}]++;
    }
    int unmatched = 0;
    for (const auto& [edge, count] : edges)
    {
        const auto reverse = edges.find({edge.second, edge.first});
        if (reverse == edges.end() || reverse->second != count)
            ++unmatched;
    }
    // Tessellator seams on the caps may split an edge on one side only; they are rare.
    EXPECT_LT(unmatched, static_cast<int>(edges.size() / 50));
}
