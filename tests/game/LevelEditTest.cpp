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
#include <vector>

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

TEST(LevelEditPlacement, CubesMoveByCellsInsideTheBoardAndIntoFreeCellsOnly)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    PutCube(level, 1, 0, 0, 0);
    PutCube(level, 2, 1, 0, 0);
    CPlayBlock& cube = level.GetPlayBlock(0);
    level.SetSelected(&cube);
    // Off the board on x, z and below the floor; into the other cube.
    EXPECT_FALSE(level.MoveSelected(-1, 0, 0));
    EXPECT_FALSE(level.MoveSelected(0, 0, -1));
    EXPECT_FALSE(level.MoveSelected(0, -1, 0));
    EXPECT_FALSE(level.MoveSelected(1, 0, 0));
    ExpectCell(cube, 0, 0, 0);
    EXPECT_TRUE(level.MoveSelected(0, 1, 0));
    EXPECT_TRUE(level.MoveSelected(1, 0, 0));
    ExpectCell(cube, 1, 1, 0);
    // Up to the top level and no further.
    for (int y = 2; y < CBoard::kLevels; ++y)
        EXPECT_TRUE(level.MoveSelected(0, 1, 0));
    EXPECT_FALSE(level.MoveSelected(0, 1, 0));
    ExpectCell(cube, 1, CBoard::kTopLevel, 0);
    EXPECT_FALSE(level.MoveSelected(0, 0, 0));
}

TEST(LevelEditPlacement, WallsStayInTheBuildingSpaceAndOutOfOtherObjects)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    PutCube(level, 1, 0, 0, 0);
    level.SetSelected(&level.GetPlayBlock(0));
    ASSERT_TRUE(level.AddWall(0));
    CWallBlock& wall = level.GetWall(0);
    int gx = 0, gy = 0, gz = 0;
    CBoard::CellOf(wall.GetPosition(), gx, gy, gz);
    // The wall stands next to the cube: a move onto the cube's cell is refused.
    const int towardX = gx > 0 ? -1 : 0, towardY = gy > 0 ? -1 : 0, towardZ = gz > 0 ? -1 : 0;
    ASSERT_TRUE(towardX != 0 || towardY != 0 || towardZ != 0);
    const plk::gfx::Vector3 before = wall.GetPosition();
    EXPECT_FALSE(level.MoveSelected(towardX, towardY, towardZ));
    EXPECT_FLOAT_EQ(before.x, wall.GetPosition().x);
    // Walls may leave the board's cells but not the space around it, nor sink under the floor.
    level.SetSelected(&wall);
    EXPECT_FALSE(level.MoveSelected(0, -gy - 1, 0));
    // Over the cube's level, then off the board's edge.
    ASSERT_TRUE(level.MoveSelected(0, 1, 0));
    int steps = 0;
    while (level.MoveSelected(0, 0, -1))
        ++steps;
    EXPECT_GT(steps, 0);
    EXPECT_LT(wall.GetPosition().z, -CBoard::kHalfWidth);
    EXPECT_GE(wall.GetPosition().z - wall.GetDepth() * 0.5f, -CBoard::kHalfWidth - 100.0f - 0.01f);
}

TEST(LevelEditPlacement, WallSizesGrowOnlyIntoFreeSpaceAndNeverBelowACell)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    ASSERT_TRUE(level.AddWall(0)); // parked off the board
    CWallBlock& wall = level.GetWall(0);
    level.SetSelected(&wall);
    EXPECT_TRUE(level.ResizeSelectedWall(0, 2, 0));
    EXPECT_FLOAT_EQ(30.0f, wall.GetHeight());
    EXPECT_FALSE(level.ResizeSelectedWall(0, 0, -1));
    EXPECT_FLOAT_EQ(CWallBlock::kMinSize, wall.GetDepth());
    // A second wall right beside it cannot grow into it; the refused size leaves it as it was.
    ASSERT_TRUE(level.AddWall(1));
    CWallBlock& second = level.GetWall(1);
    second.SetPosition(wall.GetPosition().x + 10.0f, 25.0f, wall.GetPosition().z);
    level.SetSelected(&wall);
    const plk::gfx::Vector3 at = wall.GetPosition();
    EXPECT_FALSE(level.ResizeSelectedWall(2, 0, 0));
    EXPECT_FLOAT_EQ(CWallBlock::kMinSize, wall.GetWidth());
    EXPECT_FLOAT_EQ(at.x, wall.GetPosition().x);
    EXPECT_FLOAT_EQ(at.y, wall.GetPosition().y);
    // Growing past the top of the board's levels is refused as well.
    EXPECT_FALSE(level.ResizeSelectedWall(0, CBoard::kLevels, 0));
}

TEST(LevelEditPlacement, SceneryMovesOnTheGroundAndTurns)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    ASSERT_TRUE(level.AddFieldObject(3));
    CFieldObject& shrub = level.GetFieldObject(0);
    shrub.SetPosition(100.0f, 0.0f, 0.0f);
    EXPECT_FALSE(level.MoveSelected(0, 1, 0));
    EXPECT_TRUE(level.MoveSelected(1, 0, 0));
    EXPECT_FLOAT_EQ(110.0f, shrub.GetPosition().x);
    shrub.SetPosition(200.0f, 0.0f, 0.0f);
    EXPECT_FALSE(level.MoveSelected(1, 0, 0));
    const float turn = shrub.GetRotation().y;
    EXPECT_TRUE(level.TurnSelectedScenery(90.0f));
    EXPECT_NEAR(turn + 1.5707963f, shrub.GetRotation().y, 1e-4f);
    // Only scenery turns.
    ASSERT_TRUE(level.AddWall(0));
    EXPECT_FALSE(level.TurnSelectedScenery(90.0f));
}

TEST(LevelEditPlacement, NewCubesNeverShareACellAndStopAtTheirCapacity)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(level.AddCube(i % 10));
    for (int i = 0; i < 40; ++i)
        for (int j = i + 1; j < 40; ++j)
        {
            const plk::gfx::Vector3& a = level.GetPlayBlock(i).GetPosition();
            const plk::gfx::Vector3& b = level.GetPlayBlock(j).GetPosition();
            EXPECT_FALSE(a.x == b.x && a.y == b.y && a.z == b.z) << i << " " << j;
        }
    EXPECT_FALSE(level.AddCube(CPlayBlock::kTypeCount));
    level.SetNumPlayBlocks(CGameLevel::kMaxPlayBlocks - 1);
    EXPECT_FALSE(level.AddCube(0));
    EXPECT_EQ(CGameLevel::kMaxPlayBlocks - 1, level.GetNumPlayBlocks());
}

TEST(LevelEditPlacement, ObjectsAddedInOneFrameNeverShareACell)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    PutCube(level, 1, 5, 0, 5);
    level.GetBoard().SyncForBuilder();
    level.SetSelected(&level.GetPlayBlock(0));
    // Each new object is selected and the next one goes beside it, with no frame between.
    for (int i = 0; i < 6; ++i)
    {
        ASSERT_TRUE(i % 3 == 0 ? level.AddWall(0) : (i % 3 == 1 ? level.AddTeleporter() : level.AddCube(2)));
    }
    std::vector<plk::gfx::Vector3> places;
    for (int i = 0; i < level.GetNumWalls(); ++i)
        places.push_back(level.GetWall(i).GetPosition());
    for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        places.push_back(level.GetPlayBlock(i).GetPosition());
    for (int i = 0; i < level.GetNumTeleporters(); ++i)
        places.push_back(level.GetTeleporter(i).GetPosition());
    ASSERT_EQ(7u, places.size());
    for (size_t i = 0; i < places.size(); ++i)
        for (size_t j = i + 1; j < places.size(); ++j)
            EXPECT_FALSE(places[i].x == places[j].x && places[i].y == places[j].y && places[i].z == places[j].z)
                << i << " " << j;
}
