// Terrain, board top and scenery from the built world art, loaded without a window: the board
// top's texture renames, scenery seated on the terrain below it, and meshes kept across reads.
#include "engine/XBasicMesh.h"
#include "engine/XGameEngine.h"
#include "foundation/XString.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

// The staged data folder of this build, backslash-ended; empty when the art was not built.
std::string StagedData()
{
    const char* binary = std::getenv("PLK_BINARY_DIR");
    if (!binary)
        return std::string();
    const std::string folder = std::string(binary) + "/stage/data";
    return std::filesystem::exists(folder + "/Terrain01.x") ? folder + "\\" : std::string();
}

bool MeshNamesTexture(const XBasicMesh& mesh, const char* name)
{
    for (int i = 0; i < mesh.GetTextureCount(); ++i)
        if (mesh.GetTextureFileName(i).EndsWithNoCase(name))
            return true;
    return false;
}

} // namespace

TEST(LevelScenery, NoTerrainAndNoBoardTopForIdZero)
{
    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument("Custom", "<GameLevel></GameLevel>", false, false));
    EXPECT_EQ(nullptr, level.GetTerrain().GetMesh());
    EXPECT_EQ(nullptr, level.GetBoardTop().GetMesh());
    float height = 0.0f;
    EXPECT_FALSE(level.TerrainHeightAt(0.0f, 0.0f, height));
}

TEST(LevelScenery, BoardTopsTwoToFiveRenameTheirTiles)
{
    const std::string data = StagedData();
    if (data.empty())
        GTEST_SKIP() << "world art not built in this build folder";
    // Mesh textures are looked up in the engine's media folder, as in the game.
    XGameEngine engine;
    engine.SetPath(data.c_str());
    CGameLevel level(&engine);
    level.SetDataFolder(data.c_str());
    level.SetBoardTop(1);
    ASSERT_NE(nullptr, level.GetBoardTop().GetMesh()) << level.GetErrorMsg().GetBuffer();
    EXPECT_TRUE(MeshNamesTexture(*level.GetBoardTop().GetMesh(), "BoardTop0_B4.bmp"));
    level.SetBoardTop(3);
    ASSERT_NE(nullptr, level.GetBoardTop().GetMesh());
    EXPECT_TRUE(MeshNamesTexture(*level.GetBoardTop().GetMesh(), "BoardTop2_B4.bmp"));
    EXPECT_FALSE(MeshNamesTexture(*level.GetBoardTop().GetMesh(), "BoardTop0_B4.bmp"));
    EXPECT_EQ(3, level.GetGameboardId());
}

TEST(LevelScenery, SceneryIsSeatedOnTheTerrainBelowIt)
{
    const std::string data = StagedData();
    if (data.empty())
        GTEST_SKIP() << "world art not built in this build folder";
    XGameEngine engine;
    engine.SetPath(data.c_str());
    XString error;
    ASSERT_TRUE(CFieldObject::LoadShared(data.c_str(), error)) << error.GetBuffer();
    const char* doc = "<GameLevel><TerrainId>1</TerrainId><NumFieldObjects>2</NumFieldObjects>"
                      "<FieldObject_0><ObjType>0</ObjType><XPos>-80</XPos><YPos>500</YPos><ZPos>20</ZPos>"
                      "<XScale>1</XScale><YScale>1</YScale><ZScale>1</ZScale></FieldObject_0>"
                      "<FieldObject_1><ObjType>12</ObjType><XPos>90</XPos><ZPos>-60</ZPos>"
                      "<XScale>1</XScale><YScale>1</YScale><ZScale>1</ZScale></FieldObject_1></GameLevel>";
    CGameLevel level(&engine);
    level.SetDataFolder(data.c_str());
    ASSERT_TRUE(level.LoadFromDocument("Custom", doc, false, false));
    ASSERT_NE(nullptr, level.GetTerrain().GetMesh()) << level.GetErrorMsg().GetBuffer();
    for (int i = 0; i < 2; ++i)
    {
        CFieldObject& object = level.GetFieldObject(i);
        ASSERT_NE(nullptr, object.GetMesh());
        float ground = 0.0f;
        ASSERT_TRUE(level.TerrainHeightAt(object.GetPosition().x, object.GetPosition().z, ground));
        float minY = 0.0f, maxY = 0.0f;
        object.GetMesh()->GetBoundingBox(0, nullptr, &minY, nullptr, nullptr, &maxY, nullptr);
        const float expected = ground + (maxY - minY) * CFieldObject::SeatFraction(object.GetObjType());
        EXPECT_NEAR(expected, object.GetPosition().y, 1e-3f) << "object " << i;
    }
    CFieldObject::FreeShared();
}

// A level read again with the same board top and terrain keeps their meshes (the builder's undo
// reads no mesh file); another board top or terrain, or none, is what the new document says.
TEST(LevelScenery, ReadingAgainKeepsOnlyTheSameBoardTopAndTerrain)
{
    const std::string data = StagedData();
    if (data.empty())
        GTEST_SKIP() << "world art not built in this build folder";
    XGameEngine engine;
    engine.SetPath(data.c_str());
    CGameLevel level(&engine);
    level.SetDataFolder(data.c_str());
    const char* first = "<GameLevel><GameboardId>1</GameboardId><TerrainId>1</TerrainId></GameLevel>";
    ASSERT_TRUE(level.LoadFromDocument("Custom", first, true, false));
    const XBasicMesh* boardTop = level.GetBoardTop().GetMesh();
    const XBasicMesh* terrain = level.GetTerrain().GetMesh();
    ASSERT_NE(nullptr, boardTop) << level.GetErrorMsg().GetBuffer();
    ASSERT_NE(nullptr, terrain);
    ASSERT_TRUE(level.LoadFromDocument("Custom", first, true, false));
    EXPECT_EQ(boardTop, level.GetBoardTop().GetMesh());
    EXPECT_EQ(terrain, level.GetTerrain().GetMesh());

    ASSERT_TRUE(level.LoadFromDocument(
        "Custom", "<GameLevel><GameboardId>3</GameboardId><TerrainId>1</TerrainId></GameLevel>", true, false));
    ASSERT_NE(nullptr, level.GetBoardTop().GetMesh());
    EXPECT_TRUE(MeshNamesTexture(*level.GetBoardTop().GetMesh(), "BoardTop2_B4.bmp"));
    EXPECT_EQ(3, level.GetGameboardId());
    EXPECT_EQ(terrain, level.GetTerrain().GetMesh());

    ASSERT_TRUE(level.LoadFromDocument("Custom", "<GameLevel><TerrainId>2</TerrainId></GameLevel>", true, false));
    EXPECT_EQ(nullptr, level.GetBoardTop().GetMesh());
    ASSERT_NE(nullptr, level.GetTerrain().GetMesh());
    EXPECT_EQ(2, level.GetTerrainId());
    float height = 0.0f;
    EXPECT_TRUE(level.TerrainHeightAt(0.0f, 0.0f, height));
}
