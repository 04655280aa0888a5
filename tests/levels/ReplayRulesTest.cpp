// The solution file and the replayer's player rules: what a recorded solution may say, and that a
// replay picks and pushes exactly what the play screen lets a player pick and push.
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "screens/CPlayScreen.h"
#include "tools/levelplay/LevelReplay.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

// A level of three red cubes: two side by side at the far edge, one with a stone on top.
const char* const kDocument = "<GameLevel><RemoveToWinBlockColor8>true</RemoveToWinBlockColor8>"
                              "<TimeLeft>60000.000000</TimeLeft><NumPlayBlocks>4</NumPlayBlocks>"
                              "<PlayBlock_0><BlockType>8</BlockType><XPos>-45</XPos><YPos>25</YPos><ZPos>45</ZPos>"
                              "</PlayBlock_0>"
                              "<PlayBlock_1><BlockType>8</BlockType><XPos>-35</XPos><YPos>25</YPos><ZPos>45</ZPos>"
                              "</PlayBlock_1>"
                              "<PlayBlock_2><BlockType>8</BlockType><XPos>5</XPos><YPos>25</YPos><ZPos>45</ZPos>"
                              "</PlayBlock_2>"
                              "<PlayBlock_3><BlockType>62</BlockType><XPos>5</XPos><YPos>35</YPos><ZPos>45</ZPos>"
                              "</PlayBlock_3></GameLevel>";

std::string DataFolder()
{
    const char* binary = std::getenv("PLK_BINARY_DIR");
    return std::string(binary ? binary : ".") + "/stage/data/";
}

} // namespace

TEST(SolutionFile, ReadsBackWhatItWritesAndNamesTheBadLine)
{
    CLevelSolution solution;
    ASSERT_TRUE(solution.Parse("# comment\r\nseed 42\n\npush 1 0 2 -z\ndrop 2 at 17\npush 9 6 9 +x at 3\n"));
    EXPECT_EQ(42u, solution.GetSeed());
    ASSERT_EQ(3u, solution.GetMoves().size());
    EXPECT_EQ(-1, solution.GetMoves()[0].dz);
    EXPECT_EQ(SolutionMove::kWhenAtRest, solution.GetMoves()[0].frame);
    EXPECT_EQ(SolutionMove::kDrop, solution.GetMoves()[1].kind);
    EXPECT_EQ(17, solution.GetMoves()[1].frame);

    CLevelSolution again;
    ASSERT_TRUE(again.Parse(solution.Format("again")));
    EXPECT_EQ(solution.Format(""), again.Format(""));

    for (const char* bad : {"seed -1\n", "push 1 0 2 +y\n", "push 1 0\n", "drop 3\n", "push 1 0 2 +x at\n",
                            "push 1 0 2 +x later\n", "jump 1 0 2\n"})
    {
        CLevelSolution broken;
        EXPECT_FALSE(broken.Parse(std::string("seed 1\n") + bad)) << bad;
        EXPECT_NE(nullptr, std::strstr(broken.GetErrorMsg().GetBuffer(), "line 2")) << bad;
        EXPECT_TRUE(broken.GetMoves().empty());
    }
}

TEST(Replay, OffersOnlyThePushesThePlayScreenOffersAndEndsWon)
{
    CLevelReplay replay(DataFolder().c_str());
    ASSERT_TRUE(replay.LoadDocument("RulesLevel", kDocument, 1)) << replay.GetErrorMsg().GetBuffer();
    EXPECT_EQ(42, replay.GetResult().secondsLeft) << "difficulty 3 leaves 70 % of a minute";
    replay.Frame();
    EXPECT_FALSE(replay.CanPush(5, 0, 9, -1, 0)) << "a cube with a stone on top offers no arrow";
    EXPECT_FALSE(replay.CanPush(0, 0, 9, -1, 0)) << "no arrow toward the board's edge";
    EXPECT_FALSE(replay.CanPush(0, 0, 9, 1, 0)) << "no arrow toward a neighbouring cube";
    EXPECT_FALSE(replay.CanPush(3, 0, 3, 1, 0)) << "an empty cell holds nothing to push";
    EXPECT_TRUE(replay.CanPush(5, 1, 9, -1, 0)) << "the stone itself can be pushed off";

    CLevelSolution refused;
    refused.AddMove(SolutionMove{SolutionMove::kPush, 5, 0, 9, -1, 0, 0, SolutionMove::kWhenAtRest});
    EXPECT_FALSE(replay.PlayMoves(refused, 100));
    EXPECT_NE(nullptr, std::strstr(replay.GetErrorMsg().GetBuffer(), "no arrow -x"));

    // The stone pushed off to the right, then the red slides into the pair: won.
    CLevelSolution solution;
    solution.AddMove(SolutionMove{SolutionMove::kPush, 5, 1, 9, 1, 0, 0, SolutionMove::kWhenAtRest});
    solution.AddMove(SolutionMove{SolutionMove::kPush, 5, 0, 9, -1, 0, 0, SolutionMove::kWhenAtRest});
    ASSERT_TRUE(replay.Play(solution, 2000)) << replay.GetErrorMsg().GetBuffer();
    EXPECT_TRUE(replay.GetResult().won);
    EXPECT_EQ(0, replay.GetResult().blocksLeft);
    EXPECT_GT(replay.GetResult().blockScore, 0);
}

TEST(Replay, PicksAndOffersArrowsAsThePlayScreenDoesWhileCubesMove)
{
    CLevelReplay replay(DataFolder().c_str());
    ASSERT_TRUE(replay.LoadDocument("RulesLevel", kDocument, 1)) << replay.GetErrorMsg().GetBuffer();
    CGameLevel& level = replay.GetLevel();
    CPlayScreen screen(&level, false, "RulesLevel", false);
    replay.Frame();
    ASSERT_TRUE(replay.Push(5, 1, 9, -1, 0));

    const int dx[] = {1, -1, 0, 0};
    const int dz[] = {0, 0, 1, -1};
    const int arrows[] = {2, 3, 4, 5}; // the screen's +x, -x, +z, -z
    bool pickedWhileSliding = false;
    for (int frame = 0; frame < 80; ++frame)
    {
        replay.Frame();
        for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        {
            CPlayBlock& cube = level.GetPlayBlock(i);
            if (cube.GetState() != CPlayBlock::kStateOnBoard)
                continue;
            int gx, gy, gz;
            CBoard::CellOf(cube.GetPosition(), gx, gy, gz);
            const plk::gfx::Vector3& v = cube.m_vVelocity;
            // The play screen's pick test is signed: a cube sliding toward -x can be picked.
            const bool pickable = v.x <= 0.01f && v.y <= 0.01f && v.z <= 0.01f;
            EXPECT_EQ(pickable ? &cube : nullptr, replay.CubeAt(gx, gy, gz))
                << "frame " << frame << ", cube " << i << " moving " << v.x << " " << v.y << " " << v.z;
            pickedWhileSliding = pickedWhileSliding || (pickable && v.x < 0.0f);
            if (!pickable)
                continue;
            level.SetSelected(&cube);
            const std::array<bool, 6> offered = screen.OfferedArrows();
            for (int d = 0; d < 4; ++d)
                EXPECT_EQ(offered[static_cast<size_t>(arrows[d])], replay.CanPush(gx, gy, gz, dx[d], dz[d]))
                    << "frame " << frame << ", cube " << i << ", arrow " << arrows[d];
        }
        level.ClearSelection();
    }
    EXPECT_TRUE(pickedWhileSliding) << "the pushed stone slid toward -x";
}
