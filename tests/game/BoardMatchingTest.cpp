// Matching, scoring, extra time, spare blocks and the end of a level, played on real boards.
#include "BoardWorld.h"

#include "game/CGameLevel.h"
#include "game/GameRandom.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace
{
const int kBlue = 0, kGreen = 3, kRed = 8, kYellow = 9;
const int kFrameMs = 25;

// A level whose cubes stand in the given cells, entered in its board as a load would.
struct LevelWorld
{
    CGameLevel level{nullptr};

    CPlayBlock& Cube(int type, int gx, int gy, int gz)
    {
        int index = level.GetNumPlayBlocks();
        level.SetNumPlayBlocks(index + 1);
        CPlayBlock& block = level.GetPlayBlock(index);
        block.Init(nullptr, type, false);
        block.SetPosition(CBoard::CellCentre(gx, gy, gz));
        level.GetBoard().AddBody(&block);
        return block;
    }
    void Run(int frames)
    {
        for (int i = 0; i < frames; ++i)
            CBoard::PlayLevelFrame(level, kFrameMs);
    }
};
} // namespace

TEST(BoardMatch, AnLOfThreeIsRemovedAndCubesTouchingAtEdgesAreNot)
{
    BoardWorld world;
    CPlayBlock& a = world.Cube(kRed, 2, 0, 2);
    CPlayBlock& b = world.Cube(kRed, 3, 0, 2);
    CPlayBlock& c = world.Cube(kRed, 3, 1, 2); // on top of b: an L standing up
    world.Cube(kBlue, 6, 0, 6);
    CPlayBlock& d = world.Cube(kGreen, 7, 0, 7);
    world.Cube(kBlue, 6, 0, 8);
    CPlayBlock& e = world.Cube(kGreen, 5, 0, 7);
    world.Cube(kGreen, 6, 1, 6); // green cubes meet each other only at edges
    world.Run(1);
    EXPECT_EQ(a.GetState(), kStateRemoving);
    EXPECT_EQ(b.GetState(), kStateRemoving);
    EXPECT_EQ(c.GetState(), kStateRemoving);
    EXPECT_EQ(d.GetState(), kStateOnBoard);
    EXPECT_EQ(e.GetState(), kStateOnBoard);
    EXPECT_EQ(world.total.score, 165);
    EXPECT_EQ(world.total.removed, 3);
}

TEST(BoardMatch, GroupValuesFromThreeToSevenCubes)
{
    const int expected[] = {165, 380, 725, 1260, 2135};
    for (int size = 3; size <= 7; ++size)
    {
        BoardWorld world;
        for (int i = 0; i < size; ++i)
            world.Cube(kBlue, i, 0, 4);
        world.Run(1);
        EXPECT_EQ(world.total.score, expected[size - 3]) << size << " cubes";
        EXPECT_EQ(world.total.removed, size);
    }
}

TEST(BoardMatch, MultipliersMultiplyAndDifficultyScalesTheLevelScore)
{
    for (int difficulty : {2, 3})
    {
        LevelWorld world;
        world.level.SetDifficulty(difficulty);
        world.Cube(kRed, 0, 0, 0);
        world.Cube(10 + kRed, 1, 0, 0);
        world.Cube(20 + kRed, 2, 0, 0);
        world.Cube(kRed, 3, 0, 0);
        world.Run(1);
        EXPECT_EQ(world.level.GetBlockScore(), difficulty == 3 ? 3420 : 2280);
        EXPECT_EQ(world.level.GetNumBlocksRemoved(), 4);
        int shown = -1;
        for (int slot = 0; slot < CScorePopups::kSlots; ++slot)
            if (world.level.GetScorePopups().Get(slot).active)
                shown = world.level.GetScorePopups().Get(slot).value;
        EXPECT_EQ(shown, difficulty == 3 ? 3420 : 2280);
    }
}

TEST(BoardMatch, HugeMultipliedGroupsStopAtTheLargestScoreInsteadOfWrapping)
{
    // 12 x3 cubes: 12 x 305 x 3^12 still fits; 13 pass the int range, and from 20 on so does the
    // multiplier alone.
    const struct
    {
        int size;
        int score;
    } cases[] = {{12, 1945074060}, {13, INT_MAX}, {20, INT_MAX}, {70, INT_MAX}};
    for (const auto& c : cases)
    {
        BoardWorld world;
        for (int i = 0; i < c.size; ++i)
            world.Cube(20 + kRed, i % 10, 0, i / 10);
        world.Run(1);
        EXPECT_EQ(world.total.score, c.score) << c.size << " cubes";
        EXPECT_EQ(world.total.removed, c.size);
        ASSERT_EQ(world.popups.ActiveCount(), 1);
        EXPECT_EQ(world.popups.Get(0).value, c.score) << "the floating text shows what is paid";
    }
}

TEST(BoardMatch, TheLevelsBlockScoreAndRemovedCountStopAtTheLargestInt)
{
    LevelWorld world;
    world.level.SetDifficulty(3);
    for (int i = 0; i < 13; ++i)
        world.Cube(20 + kRed, i % 10, 0, i / 10);
    world.Run(1);
    EXPECT_EQ(world.level.GetBlockScore(), INT_MAX);

    LevelWorld nearTop;
    nearTop.level.SetDifficulty(3);
    nearTop.level.SetBlockScore(INT_MAX - 100);
    nearTop.level.SetNumBlocksRemoved(INT_MAX - 1);
    nearTop.Cube(kBlue, 0, 0, 0);
    nearTop.Cube(kBlue, 1, 0, 0);
    nearTop.Cube(kBlue, 2, 0, 0);
    nearTop.Run(1);
    EXPECT_EQ(nearTop.level.GetBlockScore(), INT_MAX) << "165 x 1.5 more than INT_MAX - 100";
    EXPECT_EQ(nearTop.level.GetNumBlocksRemoved(), INT_MAX);
}

TEST(BoardMatch, ASmashersFloatingScoreIsWhatItPays)
{
    for (int difficulty = 1; difficulty <= 3; ++difficulty)
    {
        LevelWorld world;
        world.level.SetDifficulty(difficulty);
        CPlayBlock& smasher = world.Cube(CPlayBlock::kTypeSmasher, 0, 0, 5);
        world.Cube(10 + kRed, 2, 0, 5);
        world.Run(1);
        smasher.m_vVelocity.x = 80.0f;
        int shown = 0;
        for (int frame = 0; frame < 20 && world.level.GetBlockScore() == 0; ++frame)
        {
            world.Run(1);
            for (int slot = 0; slot < CScorePopups::kSlots; ++slot)
                if (world.level.GetScorePopups().Get(slot).active)
                    shown = world.level.GetScorePopups().Get(slot).value;
        }
        // 75 x 2 raw points, times 0.5, 1 or 1.5.
        const int paid[] = {75, 150, 225};
        EXPECT_EQ(world.level.GetBlockScore(), paid[difficulty - 1]) << "difficulty " << difficulty;
        EXPECT_EQ(shown, paid[difficulty - 1]) << "difficulty " << difficulty;
    }
}

TEST(BoardMatch, ExtraTimeCubesEarnTwentySecondsScaledByTheReverseFactor)
{
    const int expectedSeconds[] = {60, 40, 20}; // difficulty 1, 2, 3
    for (int difficulty = 1; difficulty <= 3; ++difficulty)
    {
        LevelWorld world;
        world.level.SetDifficulty(difficulty);
        world.level.SetTimeAdjusted(true);
        world.level.SetTimeLeft(30000.0f);
        world.Cube(30 + kGreen, 0, 0, 0);
        world.Cube(kGreen, 1, 0, 0);
        world.Cube(30 + kGreen, 2, 0, 0);
        world.Cube(kGreen, 3, 0, 0);
        world.Cube(kGreen, 4, 0, 0);
        world.Run(1);
        EXPECT_FLOAT_EQ(world.level.GetTimeLeft(), 30000.0f - kFrameMs + expectedSeconds[difficulty - 1] * 1000.0f)
            << "difficulty " << difficulty;
    }
}

TEST(BoardMatch, AGroupWaitsForItsLastSlidingCube)
{
    BoardWorld world;
    world.Cube(kYellow, 0, 0, 0);
    world.Cube(kYellow, 1, 0, 0);
    CPlayBlock& late = world.Cube(kYellow, 6, 0, 0);
    world.Settle();
    world.Push(late, -10.0f, 0.0f);
    int removedAtFrame = -1;
    for (int frame = 0; frame < 40 && removedAtFrame < 0; ++frame)
    {
        world.Run(1);
        if (world.total.removed > 0)
            removedAtFrame = frame;
        else
            EXPECT_NE(late.m_vVelocity.x, 0.0f) << "nothing is removed while the last cube slides";
    }
    EXPECT_EQ(world.total.removed, 3);
    EXPECT_EQ(late.m_vVelocity.x, 0.0f);
    // 40 units at 80 per second: the cube arrives in the 20th frame of 25 ms.
    EXPECT_EQ(removedAtFrame, 19);
}

TEST(BoardMatch, RemovedCubesFadeAndLeaveThePhysics)
{
    BoardWorld world;
    CPlayBlock& a = world.Cube(kBlue, 0, 0, 0);
    world.Cube(kBlue, 1, 0, 0);
    world.Cube(kBlue, 2, 0, 0);
    CPlayBlock& above = world.Cube(kRed, 0, 1, 0);
    world.Run(1);
    EXPECT_EQ(a.GetState(), kStateRemoving);
    world.Run(12); // 300 ms of fade
    EXPECT_EQ(a.GetState(), kStateGone);
    world.Run(40);
    int gx, gy, gz;
    CellOfBlock(above, gx, gy, gz);
    EXPECT_EQ(gy, 0) << "the cube above falls once the group is gone";
    EXPECT_EQ(world.total.removed, 3) << "a removing group is paid once";
}

TEST(BoardSpares, DrawsFollowTheSeedAndTheColoursOnTheBoard)
{
    auto draw = [](unsigned seed, std::vector<int>& types) {
        CGameRandom::Seed(seed);
        BoardWorld world;
        world.Cube(kGreen, 0, 0, 0);
        world.Cube(30 + kGreen, 5, 0, 5);
        world.Cube(CPlayBlock::kTypeStone, 9, 0, 9);
        world.Settle();
        CPlayBlock spares[3];
        CPlayBlock* pointers[3] = {&spares[0], &spares[1], &spares[2]};
        for (int round = 0; round < 200; ++round)
        {
            for (CPlayBlock& spare : spares)
                spare.Init(nullptr, CPlayBlock::kTypeNone, false);
            world.board.RefillSpares(nullptr, pointers);
            for (CPlayBlock& spare : spares)
                types.push_back(spare.GetType());
        }
    };
    std::vector<int> first, again, other;
    draw(11, first);
    draw(11, again);
    draw(12, other);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
    std::set<int> kinds(first.begin(), first.end());
    for (int type : first)
        EXPECT_TRUE(type == CPlayBlock::kTypeBomb || type == CPlayBlock::kTypeSmasher || type % 10 == kGreen)
            << "type " << type << " with only green on the board";
    EXPECT_TRUE(kinds.count(kGreen)) << "plain cubes are the common draw";
    EXPECT_GE(kinds.size(), 3u) << "600 draws bring some special cubes";
}

TEST(BoardSpares, AFullSpareIsKeptAndAnEmptyBoardStillGetsAColour)
{
    CGameRandom::Seed(4);
    BoardWorld world;
    CPlayBlock spares[3];
    spares[0].Init(nullptr, 20 + kRed, false);
    spares[1].Init(nullptr, CPlayBlock::kTypeNone, false);
    spares[2].Init(nullptr, CPlayBlock::kTypeNone, false);
    CPlayBlock* pointers[3] = {&spares[0], &spares[1], &spares[2]};
    world.board.RefillSpares(nullptr, pointers);
    EXPECT_EQ(spares[0].GetType(), 20 + kRed);
    EXPECT_NE(spares[1].GetType(), kNoType);
    EXPECT_NE(spares[2].GetType(), kNoType);
}

TEST(BoardSpares, DroppingASpareCostsAndLandsInAFreeCell)
{
    CGameRandom::Seed(2);
    LevelWorld world;
    world.level.SetDifficulty(3);
    for (int gx = 0; gx < 10; ++gx)
        for (int gz = 0; gz < 10; ++gz)
            if (gx != 4 || gz != 6)
                world.Cube(gx % 2 ? CPlayBlock::kTypeStone : kBlue + (gz % 2) * 5, gx, 0, gz);
    world.Run(1);
    int gx, gy, gz;
    ASSERT_TRUE(world.level.GetBoard().FindDropCell(gx, gy, gz));
    EXPECT_TRUE(world.level.GetBoard().IsCellFree(gx, gy, gz));
    const int before = world.level.GetNumPlayBlocks();
    ASSERT_TRUE(world.level.AddBlock(kRed, gx, gy, gz));
    EXPECT_EQ(world.level.GetNumPlayBlocks(), before + 1);
    EXPECT_EQ(world.level.GetExBlocksAdded(), 1);
    EXPECT_EQ(world.level.GetSelected(), &world.level.GetPlayBlock(before));
    EXPECT_EQ(world.level.LevelScore(false), -300);
    world.Run(120);
    int x, y, z;
    CellOfBlock(world.level.GetPlayBlock(before), x, y, z);
    EXPECT_EQ(y, x == 4 && z == 6 ? 0 : 1) << "the dropped cube rests on what is below it";
}

TEST(BoardSpares, ADroppedSpareCountAtTheTopOfTheRangeStaysThere)
{
    LevelWorld world;
    world.Cube(kGreen, 5, 0, 5);
    world.level.SetExBlocksAdded(INT_MAX);
    world.Run(1);
    ASSERT_TRUE(world.level.AddBlock(kRed, 3, 0, 3));
    EXPECT_EQ(world.level.GetExBlocksAdded(), INT_MAX);
    EXPECT_EQ(world.level.LevelScore(false), -INT_MAX) << "every point is charged, and no more";
}

TEST(BoardSpares, AddBlockReusesAGoneSlot)
{
    LevelWorld world;
    CPlayBlock& gone = world.Cube(kBlue, 0, 0, 0);
    world.Cube(kGreen, 5, 0, 5);
    gone.SetState(kStateGone);
    world.Run(1);
    ASSERT_TRUE(world.level.AddBlock(kRed, 3, 0, 3));
    EXPECT_EQ(world.level.GetNumPlayBlocks(), 2);
    EXPECT_EQ(gone.GetType(), kRed);
    EXPECT_EQ(gone.GetState(), kStateOnBoard);
}

TEST(LevelEnd, WonWhenTheLastCubeToRemoveIsGoneAndLostBelowOneSecond)
{
    LevelWorld world;
    world.level.SetDifficulty(2);
    world.level.SetTimeLeft(5000.0f);
    for (int colour = 0; colour < CGameLevel::kColourCount; ++colour)
        world.level.SetRemoveToWin(colour, colour == kRed);
    world.Cube(kRed, 0, 0, 0);
    world.Cube(kRed, 1, 0, 0);
    world.Cube(kRed, 2, 0, 0);
    world.Cube(kBlue, 5, 0, 5); // not to remove
    world.Cube(CPlayBlock::kTypeStone, 7, 0, 7);
    world.Run(1);
    EXPECT_EQ(world.level.GetBlocksLeft(), 3u) << "removing cubes still count";
    world.Run(13);
    EXPECT_EQ(world.level.GetBlocksLeft(), 0u);
    EXPECT_GT(world.level.SecondsLeft(), 0);

    world.level.SetTimeLeft(999.0f);
    EXPECT_EQ(world.level.SecondsLeft(), 0) << "lost: less than a second left";
}

TEST(ScorePopups, RiseFadeAndExpireAfterOneSecond)
{
    CScorePopups popups;
    for (int i = 0; i < CScorePopups::kSlots + 3; ++i)
        popups.Add(plk::gfx::Vector3{0.0f, 30.0f, 0.0f}, i, CScorePopups::kFlagPoints);
    EXPECT_EQ(popups.ActiveCount(), CScorePopups::kSlots) << "beyond 20 texts are dropped";
    popups.Update(500.0f);
    EXPECT_FLOAT_EQ(popups.Get(0).position.y, 35.0f);
    EXPECT_FLOAT_EQ(CScorePopups::Opacity(popups.Get(0).age), 0.5f);
    EXPECT_FLOAT_EQ(CScorePopups::Opacity(0.5f), 1.0f);
    popups.Update(499.0f);
    EXPECT_EQ(popups.ActiveCount(), CScorePopups::kSlots);
    popups.Update(1.0f);
    EXPECT_EQ(popups.ActiveCount(), 0);

    CScorePopups::Popup negative;
    negative.value = -300;
    CScorePopups::Popup seconds;
    seconds.value = 20;
    seconds.flag = CScorePopups::kFlagSeconds;
    EXPECT_NE(CScorePopups::Colour(negative), CScorePopups::Colour(seconds));
    EXPECT_NE(CScorePopups::Colour(seconds), CScorePopups::Colour(CScorePopups::Popup()));
}
