// Board physics played at a fixed frame time: pushes that slide, stop flush and snap, falls and
// bounces, the neighbour probes, and teleporters.
#include "BoardWorld.h"

#include "game/GameRandom.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
const int kRed = 8, kBlue = 0, kGreen = 3;

void ExpectInCell(const CPlayBlock& block, int gx, int gy, int gz)
{
    plk::gfx::Vector3 centre = CBoard::CellCentre(gx, gy, gz);
    EXPECT_FLOAT_EQ(block.GetPosition().x, centre.x);
    EXPECT_FLOAT_EQ(block.GetPosition().y, centre.y);
    EXPECT_FLOAT_EQ(block.GetPosition().z, centre.z);
}

bool AtRest(const CPlayBlock& block)
{
    return block.m_vVelocity.x == 0.0f && block.m_vVelocity.y == 0.0f && block.m_vVelocity.z == 0.0f;
}
} // namespace

TEST(BoardPush, SlidesAtEightyUnitsAndStopsFlushAgainstACubeWithoutOverlap)
{
    BoardWorld world;
    CPlayBlock& mover = world.Cube(kRed, 0, 0, 0);
    CPlayBlock& stop = world.Cube(kBlue, 5, 0, 0);
    world.Settle();
    world.Push(mover, 10.0f, 0.0f);
    world.Run(5); // an eighth of a second
    EXPECT_NEAR(mover.GetPosition().x, -45.0f + 10.0f, 0.01f);
    for (int frame = 0; frame < 40; ++frame)
    {
        world.Run(1);
        EXPECT_GE(stop.GetPosition().x - mover.GetPosition().x, 10.0f - 0.001f) << "frame " << frame;
    }
    ExpectInCell(mover, 4, 0, 0);
    ExpectInCell(stop, 5, 0, 0);
    EXPECT_TRUE(AtRest(mover));
}

TEST(BoardPush, StopsAtTheBoardEdgeAndAgainstAWall)
{
    BoardWorld world;
    CPlayBlock& toEdge = world.Cube(kRed, 6, 0, 3);
    CPlayBlock& toWall = world.Cube(kBlue, 2, 0, 7);
    world.Wall(2, 0, 2);
    world.Settle();
    world.Push(toEdge, 10.0f, 0.0f);
    world.Push(toWall, 0.0f, -10.0f);
    world.Run(60);
    ExpectInCell(toEdge, 9, 0, 3);
    ExpectInCell(toWall, 2, 0, 3);
    EXPECT_TRUE(AtRest(toEdge));
    EXPECT_TRUE(AtRest(toWall));
}

TEST(BoardPush, CubeOffALedgeFallsAndLandsOnTheFloor)
{
    BoardWorld world;
    world.Wall(3, 0, 3);
    CPlayBlock& cube = world.Cube(kRed, 3, 1, 3);
    world.Settle();
    ExpectInCell(cube, 3, 1, 3);
    world.Push(cube, 10.0f, 0.0f);
    world.Run(80);
    ExpectInCell(cube, 9, 0, 3);
}

TEST(BoardFall, LandsWithAtMostFourBouncesAndRestsOnTheCubeBelow)
{
    for (float frameMs : {25.0f, 60.0f, 100.0f})
    {
        BoardWorld world;
        world.Cube(kBlue, 2, 0, 2);
        CPlayBlock& cube = world.Cube(kRed, 2, 6, 2);
        int bounces = 0;
        bool rising = false;
        for (int frame = 0; frame < 400; ++frame)
        {
            CBoard::StepResult step;
            world.board.Step(frameMs, 2, nullptr, step);
            bool up = cube.m_vVelocity.y > 0.0f;
            if (up && !rising)
                ++bounces;
            rising = up;
            EXPECT_GE(cube.GetPosition().y, 35.0f - 0.001f) << "fell into the cube below at " << frameMs << " ms";
        }
        EXPECT_LE(bounces, 4) << frameMs << " ms frames";
        ExpectInCell(cube, 2, 1, 2);
        EXPECT_TRUE(AtRest(cube));
    }
}

TEST(BoardFall, SlowFramesBounceAndFastFramesDoNot)
{
    auto bouncesAt = [](float frameMs) {
        BoardWorld world;
        CPlayBlock& cube = world.Cube(kRed, 5, 6, 5);
        int bounces = 0;
        bool rising = false;
        for (int frame = 0; frame < 200; ++frame)
        {
            CBoard::StepResult step;
            world.board.Step(frameMs, 2, nullptr, step);
            bool up = cube.m_vVelocity.y > 0.0f;
            bounces += up && !rising ? 1 : 0;
            rising = up;
        }
        return bounces;
    };
    EXPECT_GE(bouncesAt(100.0f), 1);
    EXPECT_LE(bouncesAt(100.0f), 4);
    EXPECT_EQ(bouncesAt(1.0f), 0);
}

TEST(BoardProbe, ReportsCubesWallsTeleportersEdgesAndFreeCells)
{
    BoardWorld world;
    CPlayBlock& cube = world.Cube(kRed, 0, 0, 4);
    world.Cube(kBlue, 0, 1, 4);
    world.Wall(1, 0, 4);
    world.Teleporter(0, 0, 5);
    world.Teleporter(8, 0, 8);
    world.Settle();
    const plk::gfx::Vector3& p = cube.GetPosition();
    std::array<int, CBoard::kSideCount> probe = world.board.ProbeNeighbours(p.x, p.y, p.z);
    EXPECT_EQ(probe[CBoard::kAbove], CBoard::kProbeBlock);
    EXPECT_EQ(probe[CBoard::kBelow], CBoard::kProbeEdge);
    EXPECT_EQ(probe[CBoard::kPlusZ], CBoard::kProbeTeleporter);
    EXPECT_EQ(probe[CBoard::kMinusZ], CBoard::kProbeFree);
    EXPECT_EQ(probe[CBoard::kPlusX], CBoard::kProbeWall);
    EXPECT_EQ(probe[CBoard::kMinusX], CBoard::kProbeEdge);
    EXPECT_FALSE(world.board.IsCellFree(0, 1, 4));
    EXPECT_FALSE(world.board.IsCellFree(1, 0, 4));
    EXPECT_FALSE(world.board.IsCellFree(-1, 0, 4));
    EXPECT_FALSE(world.board.IsCellFree(0, 7, 4));
    EXPECT_TRUE(world.board.IsCellFree(0, 2, 4));
}

TEST(BoardCells, CellArithmeticAndSnapping)
{
    int gx, gy, gz;
    CBoard::CellOf(plk::gfx::Vector3{-45.0f, 25.0f, 45.0f}, gx, gy, gz);
    EXPECT_EQ(gx, 0);
    EXPECT_EQ(gy, 0);
    EXPECT_EQ(gz, 9);
    EXPECT_FLOAT_EQ(CBoard::SnapToCell(4.2f), 5.0f);
    EXPECT_FLOAT_EQ(CBoard::SnapToCell(-0.3f), -5.0f);
    EXPECT_FLOAT_EQ(CBoard::SnapToCell(-14.9f), -15.0f);
    EXPECT_FLOAT_EQ(CBoard::SnapToCell(44.99f), 45.0f);
}

TEST(BoardTeleport, TwoTeleportersSendTheCubeOnFromTheOtherOne)
{
    CGameRandom::Seed(3);
    BoardWorld world;
    world.Teleporter(3, 0, 0);
    world.Teleporter(3, 0, 8);
    CPlayBlock& cube = world.Cube(kRed, 0, 0, 0);
    world.Settle();
    world.Push(cube, 10.0f, 0.0f);
    world.Run(100);
    ExpectInCell(cube, 9, 0, 8);
}

TEST(BoardTeleport, ALoneTeleporterMovesNothing)
{
    BoardWorld world;
    world.Teleporter(3, 0, 0);
    CPlayBlock& cube = world.Cube(kRed, 0, 0, 0);
    world.Settle();
    world.Push(cube, 10.0f, 0.0f);
    world.Run(100);
    ExpectInCell(cube, 9, 0, 0);
}

TEST(BoardTeleport, OccupiedExitLeavesTheCubeOnTheTeleporterCell)
{
    CGameRandom::Seed(5);
    BoardWorld world;
    world.Teleporter(3, 0, 0);
    world.Teleporter(3, 0, 8);
    world.Cube(kGreen, 4, 0, 8);
    CPlayBlock& cube = world.Cube(kRed, 0, 0, 0);
    world.Settle();
    world.Push(cube, 10.0f, 0.0f);
    world.Run(100);
    ExpectInCell(cube, 3, 0, 8);
    EXPECT_TRUE(AtRest(cube));
}

TEST(BoardTeleport, ACubeDroppedOntoATeleporterLeavesFromAnother)
{
    CGameRandom::Seed(9);
    BoardWorld world;
    world.Teleporter(2, 0, 2);
    world.Teleporter(7, 0, 7);
    CPlayBlock& cube = world.Cube(kRed, 2, 3, 2);
    world.Run(100);
    ExpectInCell(cube, 7, 0, 7);
}
