// The special cubes played on a board: smasher, lifter, zap and bomb.
#include "BoardWorld.h"

#include <gtest/gtest.h>

namespace
{
const int kBlue = 0, kGreen = 3, kOrange = 5, kRed = 8, kYellow = 9;
const int kStone = CPlayBlock::kTypeStone;

void ExpectInCell(const CPlayBlock& block, int gx, int gy, int gz)
{
    int x, y, z;
    CellOfBlock(block, x, y, z);
    EXPECT_EQ(x, gx);
    EXPECT_EQ(y, gy);
    EXPECT_EQ(z, gz);
}
} // namespace

TEST(BoardSmasher, RemovesEveryCubeAlongTheRowAndThenItselfAtTheEdge)
{
    BoardWorld world;
    CPlayBlock& smasher = world.Cube(CPlayBlock::kTypeSmasher, 0, 0, 5);
    CPlayBlock& first = world.Cube(kBlue, 2, 0, 5);
    CPlayBlock& second = world.Cube(kGreen, 4, 0, 5);
    CPlayBlock& third = world.Cube(10 + kRed, 7, 0, 5); // x2: worth double
    world.Settle();
    world.Push(smasher, 10.0f, 0.0f);
    world.Run(60);
    EXPECT_NE(first.GetState(), kStateOnBoard);
    EXPECT_NE(second.GetState(), kStateOnBoard);
    EXPECT_NE(third.GetState(), kStateOnBoard);
    EXPECT_NE(smasher.GetState(), kStateOnBoard);
    EXPECT_EQ(world.total.score, 75 + 75 + 150);
    EXPECT_EQ(world.total.removed, 4);
}

TEST(BoardSmasher, MeetingAWallFirstOnlyStops)
{
    BoardWorld world;
    CPlayBlock& smasher = world.Cube(CPlayBlock::kTypeSmasher, 0, 0, 5);
    world.Wall(3, 0, 5);
    world.Settle();
    world.Push(smasher, 10.0f, 0.0f);
    world.Run(40);
    EXPECT_EQ(smasher.GetState(), kStateOnBoard);
    ExpectInCell(smasher, 2, 0, 5);
    EXPECT_EQ(world.total.removed, 0);
}

TEST(BoardLifter, LiftsAStackOfTwoAndSlidesUnderIt)
{
    BoardWorld world;
    CPlayBlock& lifter = world.Cube(50 + kOrange, 0, 0, 0);
    CPlayBlock& lower = world.Cube(kBlue, 1, 0, 0);
    CPlayBlock& upper = world.Cube(kGreen, 1, 1, 0);
    world.Wall(2, 0, 0);
    world.Wall(2, 1, 0);
    world.Settle();
    world.Push(lifter, 10.0f, 0.0f);
    world.Run(2);
    EXPECT_TRUE(lifter.IsUsed());
    EXPECT_GT(lower.m_vVelocity.y, 0.0f);
    EXPECT_GT(upper.m_vVelocity.y, 0.0f);
    world.Run(80);
    ExpectInCell(lifter, 1, 0, 0);
    ExpectInCell(lower, 1, 1, 0);
    ExpectInCell(upper, 1, 2, 0);
    EXPECT_EQ(lifter.GetType(), kOrange) << "a fired lifter becomes the plain cube of its colour";
}

TEST(BoardLifter, AStackReachingTheTopLevelOrAWallAboveStopsTheLifter)
{
    {
        BoardWorld world;
        CPlayBlock& lifter = world.Cube(50 + kOrange, 0, 0, 0);
        for (int level = 0; level < CBoard::kLevels; ++level)
            world.Cube(level, 1, level, 0); // colours 0..6 upward: no group
        world.Settle();
        world.Push(lifter, 10.0f, 0.0f);
        world.Run(40);
        ExpectInCell(lifter, 0, 0, 0);
        EXPECT_EQ(lifter.m_vVelocity.x, 0.0f);
        ExpectInCell(*world.blocks[1], 1, 0, 0);
    }
    {
        BoardWorld world;
        CPlayBlock& lifter = world.Cube(50 + kOrange, 0, 0, 0);
        CPlayBlock& lower = world.Cube(kBlue, 1, 0, 0);
        world.Cube(kGreen, 1, 1, 0);
        world.Wall(1, 2, 0);
        world.Settle();
        world.Push(lifter, 10.0f, 0.0f);
        world.Run(40);
        ExpectInCell(lifter, 0, 0, 0);
        ExpectInCell(lower, 1, 0, 0);
    }
}

TEST(BoardZap, RecoloursAnX2CubeAndBecomesPlain)
{
    BoardWorld world;
    CPlayBlock& zap = world.Cube(40 + kYellow, 0, 0, 0);
    CPlayBlock& target = world.Cube(10 + kRed, 3, 0, 0);
    world.Settle();
    world.Push(zap, 10.0f, 0.0f);
    world.Run(30);
    EXPECT_EQ(target.GetType(), 10 + kYellow);
    EXPECT_EQ(target.GetMultiplier(), 2);
    EXPECT_EQ(zap.GetType(), kYellow);
    ExpectInCell(zap, 2, 0, 0);
    EXPECT_EQ(target.GetState(), kStateOnBoard) << "two yellow cubes are no group";
}

TEST(BoardBomb, BlastReachesExactlyEightyCells)
{
    BoardWorld world;
    const int cx = 4, cy = 2, cz = 4;
    CPlayBlock* bomb = nullptr;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dz = -2; dz <= 2; ++dz)
            for (int dy = -2; dy <= 2; ++dy)
            {
                if (dx == 0 && dy == 0 && dz == 0)
                    bomb = &world.Cube(CPlayBlock::kTypeBomb, cx, cy, cz);
                else
                    world.Cube(kStone, cx + dx, cy + dy, cz + dz);
            }
    // One cube just outside the 5 x 5 x 5 block is never reached.
    CPlayBlock& outside = world.Cube(kStone, cx + 3, 0, cz);
    world.Settle();
    ASSERT_EQ(world.total.removed, 0);
    world.Push(*bomb, 10.0f, 0.0f);
    world.Run(1);
    EXPECT_EQ(world.total.removed, 81); // 80 cubes and the bomb
    EXPECT_EQ(world.total.score, 100 + 80 * 75);
    EXPECT_EQ(bomb->GetState(), kStateRemoving);
    EXPECT_EQ(outside.GetState(), kStateOnBoard);
    int spared = 0;
    for (const auto& block : world.blocks)
    {
        int x, y, z;
        CellOfBlock(*block, x, y, z);
        int twos = (std::abs(x - cx) == 2) + (std::abs(y - cy) == 2) + (std::abs(z - cz) == 2);
        if (block.get() != &outside && block.get() != bomb)
        {
            EXPECT_EQ(block->GetState() == kStateOnBoard, twos >= 2) << x << "," << y << "," << z;
            spared += block->GetState() == kStateOnBoard ? 1 : 0;
        }
    }
    EXPECT_EQ(spared, 124 - 80);
    // A second blast in the next frame would find nothing left to pay for.
    world.Run(1);
    EXPECT_EQ(world.total.removed, 81);
}
