// The level builder's editing: where new walls, teleporters and scenery go, and deleting objects
// with the later ones moving down.
#include "engine/XRandom.h"
#include "game/CBoard.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "game/GameRandom.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

void PutCube(CGameLevel& level, int type, int gx, int gy, int gz)
{
    const int i = level.GetNumPlayBlocks();
    level.SetNumPlayBlocks(i + 1);
    CPlayBlock& block = level.GetPlayBlock(i);
    block.Init(nullptr, type, false);
    block.SetPosition(CBoard::CellCentre(gx, gy, gz));
    level.GetBoard().AddBody(&block);
}

void ExpectCell(const XDXMeshObject& object, int gx, int gy, int gz)
{
    int x = 0, y = 0, z = 0;
    CBoard::CellOf(object.GetPosition(), x, y, z);
    EXPECT_EQ(gx, x);
    EXPECT_EQ(gy, y);
    EXPECT_EQ(gz, z);
}

} // namespace

TEST(LevelEdit, WallWithNothingSelectedWaitsOffTheBoard)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    ASSERT_TRUE(level.AddWall(3));
    ASSERT_EQ(1, level.GetNumWalls());
    const CWallBlock& wall = level.GetWall(0);
    EXPECT_FLOAT_EQ(-65.0f, wall.GetPosition().x);
    EXPECT_FLOAT_EQ(25.0f, wall.GetPosition().y);
    EXPECT_FLOAT_EQ(-5.0f, wall.GetPosition().z);
    EXPECT_EQ(3, wall.GetWallType());
    EXPECT_EQ(&level.GetWall(0), level.GetSelected());
}

TEST(LevelEdit, WallNextToACubeTakesTheBestScoredCell)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    PutCube(level, 8, 4, 0, 4);
    level.GetBoard().SyncForBuilder();
    level.SetSelected(&level.GetPlayBlock(0));
    ASSERT_TRUE(level.AddWall(0));
    // Beside the cube on its own level beats the diagonals and the cell on top of it; of the four
    // equal cells the first in x, y, z order wins.
    ExpectCell(level.GetWall(0), 3, 0, 4);
}

TEST(LevelEdit, CellNextToACornerStackIsOnTopOfIt)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    PutCube(level, 1, 0, 0, 0);
    PutCube(level, 2, 0, 1, 0);
    level.GetBoard().SyncForBuilder();
    int gx = 0, gy = 0, gz = 0;
    ASSERT_TRUE(level.FindFreeCellNear(level.GetPlayBlock(1), gx, gy, gz));
    // On top: two board edges, a cube below, one level up = 4. Beside the lower cube on the floor:
    // cube and edge, the floor = 3. Beside the upper cube: over nothing, -3 + 2 + 2 = 1.
    EXPECT_EQ(0, gx);
    EXPECT_EQ(2, gy);
    EXPECT_EQ(0, gz);
}

TEST(LevelEdit, TeleportersGoOnAFreeCellWithSomethingBelowUpToTen)
{
    CGameRandom::Seed(4);
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    for (int i = 0; i < CGameLevel::kMaxTeleporters; ++i)
    {
        level.ClearSelection();
        ASSERT_TRUE(level.AddTeleporter()) << i;
        level.GetBoard().SyncForBuilder();
        int gx = 0, gy = 0, gz = 0;
        CBoard::CellOf(level.GetTeleporter(i).GetPosition(), gx, gy, gz);
        EXPECT_EQ(0, gy) << "on an empty board only the floor carries";
    }
    EXPECT_FALSE(level.AddTeleporter());
    EXPECT_EQ(CGameLevel::kMaxTeleporters, level.GetNumTeleporters());
}

TEST(LevelEdit, SceneryLandsAroundTheBoard)
{
    XRandom::Effects().Seed(9);
    CGameLevel level(nullptr);
    for (int i = 0; i < 20; ++i)
    {
        ASSERT_TRUE(level.AddFieldObject(i % CFieldObject::kObjTypeCount));
        const plk::gfx::Vector3& p = level.GetFieldObject(i).GetPosition();
        const float radius = std::sqrt(p.x * p.x + p.z * p.z);
        EXPECT_GE(radius, 74.9f);
        EXPECT_LE(radius, 160.1f);
    }
    EXPECT_EQ(&level.GetFieldObject(19), level.GetSelected());
}

TEST(LevelEdit, DeletingMovesLaterObjectsDown)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    PutCube(level, 1, 0, 0, 0);
    PutCube(level, 22, 1, 0, 0);
    PutCube(level, 3, 2, 0, 0);
    level.SetSelected(&level.GetPlayBlock(1));
    ASSERT_TRUE(level.DeleteObject(&level.GetPlayBlock(1)));
    ASSERT_EQ(2, level.GetNumPlayBlocks());
    EXPECT_EQ(1, level.GetPlayBlock(0).GetType());
    EXPECT_EQ(3, level.GetPlayBlock(1).GetType());
    ExpectCell(level.GetPlayBlock(1), 2, 0, 0);
    EXPECT_EQ(nullptr, level.GetSelected());
    level.GetBoard().SyncForBuilder();
    EXPECT_TRUE(level.GetBoard().IsCellFree(1, 0, 0));
    EXPECT_FALSE(level.GetBoard().IsCellFree(2, 0, 0));
    EXPECT_EQ(2, level.GetBoard().GetBlockCount()) << "the board forgets the slot that left";

    ASSERT_TRUE(level.AddWall(1));
    ASSERT_TRUE(level.AddWall(2));
    ASSERT_TRUE(level.DeleteObject(&level.GetWall(0)));
    ASSERT_EQ(1, level.GetNumWalls());
    EXPECT_EQ(2, level.GetWall(0).GetWallType());

    CPlayBlock stranger;
    EXPECT_FALSE(level.DeleteObject(&stranger));
    EXPECT_FALSE(level.DeleteObject(nullptr));
}

TEST(LevelEdit, WallsStopOneShortOfTheArray)
{
    CGameLevel level(nullptr);
    level.SetNumWalls(CGameLevel::kMaxWalls - 2);
    EXPECT_TRUE(level.AddWall(0));
    EXPECT_FALSE(level.AddWall(0));
    EXPECT_EQ(CGameLevel::kMaxWalls - 1, level.GetNumWalls());
}
