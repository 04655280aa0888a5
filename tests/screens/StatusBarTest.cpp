// The status bar's end-of-level check on a level played in the test, its hit tests and the
// quickening blink of the last seconds.
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "screens/CStatusBar.h"
#include "tests/screens/ScreensTestFolder.h"

#include <gtest/gtest.h>

namespace
{

const int kRed = 8;
const int kBlue = 0;
// A frame of 25 ms, 40 frames a second: a slow machine's frame.
const float kFrameMs = 25.0f;

// A level of no file of its own, as the rules and the builder start one.
void LoadEmpty(CGameLevel& level)
{
    ASSERT_TRUE(level.LoadFromDocument("Custom", "<GameLevel></GameLevel>", false, false));
}

// Red is the only colour to remove: two red cubes in a row, a third two cells away, and a blue
// cube that does not count.
struct RedRowLevel
{
    CGameLevel level{nullptr};

    RedRowLevel()
    {
        LoadEmpty(level);
        level.SetDifficulty(2);
        level.SetTimeLeft(60000.0f);
        for (int c = 0; c < CGameLevel::kColourCount; ++c)
            level.SetRemoveToWin(c, c == kRed);
        level.AddBlock(kRed, 0, 0, 0);
        level.AddBlock(kRed, 1, 0, 0);
        level.AddBlock(kBlue, 9, 0, 9);
        level.AddBlock(kRed, 4, 0, 0);
        level.SetExBlocksAdded(0);
    }
    void Run(int frames)
    {
        for (int i = 0; i < frames; ++i)
            CBoard::PlayLevelFrame(level, kFrameMs);
    }
    // Slides the far red cube toward the other two.
    void PushLastRed() { level.GetPlayBlock(3).m_vVelocity.x = -80.0f; }
};

} // namespace

TEST(StatusBarEnd, LevelIsWonWhenTheLastTargetCubeIsGone)
{
    RedRowLevel play;
    play.Run(1);
    EXPECT_EQ(3u, play.level.GetBlocksLeft());
    EXPECT_EQ(CStatusBar::LevelEnd::kPlaying, CStatusBar::CheckEnd(play.level));

    play.PushLastRed();
    // The slide takes 20 units at 80 a second; removing cubes still count until they are gone.
    play.Run(12);
    EXPECT_EQ(CStatusBar::LevelEnd::kPlaying, CStatusBar::CheckEnd(play.level));
    EXPECT_GT(play.level.GetBlockScore(), 0);
    play.Run(40);
    EXPECT_EQ(0u, play.level.GetBlocksLeft()) << "the blue cube is no target";
    EXPECT_EQ(CStatusBar::LevelEnd::kWon, CStatusBar::CheckEnd(play.level));
}

TEST(StatusBarEnd, TimeRunningOutComesFirst)
{
    RedRowLevel play;
    play.level.SetTimeLeft(2000.0f);
    play.Run(1);
    EXPECT_EQ(CStatusBar::LevelEnd::kPlaying, CStatusBar::CheckEnd(play.level));
    play.Run(40);
    EXPECT_EQ(CStatusBar::LevelEnd::kLost, CStatusBar::CheckEnd(play.level)) << "under one second left";

    // The last cube going in the frame the time runs out still loses.
    play.level.SetBlocksLeft(0);
    EXPECT_EQ(CStatusBar::LevelEnd::kLost, CStatusBar::CheckEnd(play.level));
}

TEST(StatusBarEnd, DifficultyScalesTheTimeBeforeItIsTested)
{
    // 1.4 s of limit is 0.98 s at the hardest difficulty: already lost.
    CGameLevel level(nullptr);
    LoadEmpty(level);
    level.SetDifficulty(3);
    level.SetTimeLeft(1400.0f);
    level.SetBlocksLeft(5);
    EXPECT_EQ(CStatusBar::LevelEnd::kLost, CStatusBar::CheckEnd(level));
}

TEST(StatusBarEnd, LevelThatDidNotLoadNeverEnds)
{
    // The last level won, then the next one fails to load: its zeros are neither a win nor a loss.
    RedRowLevel play;
    play.PushLastRed();
    play.Run(52);
    ASSERT_EQ(CStatusBar::LevelEnd::kWon, CStatusBar::CheckEnd(play.level));
    ScreensTestFolder folder;
    play.level.SetDataFolder(folder.DataFolder());
    play.level.SetAddLevelToTotal(true);
    ASSERT_FALSE(play.level.Load(XString("MyLevel2"), false, false));
    EXPECT_EQ(CStatusBar::LevelEnd::kPlaying, CStatusBar::CheckEnd(play.level));
    play.level.SetTimeLeft(0.0f);
    EXPECT_EQ(CStatusBar::LevelEnd::kPlaying, CStatusBar::CheckEnd(play.level));

    CGameLevel never(nullptr);
    never.SetBlocksLeft(0);
    EXPECT_EQ(CStatusBar::LevelEnd::kPlaying, CStatusBar::CheckEnd(never)) << "nothing ever loaded";
}

TEST(StatusBarButtons, EachButtonAnswersOverItsSpriteOnly)
{
    // Centres of the five buttons (x 128, y 400 + 55 i), then the two switches.
    EXPECT_EQ(CStatusBar::kRestart, CStatusBar::ButtonAt(128, 400));
    EXPECT_EQ(CStatusBar::kSaveGame, CStatusBar::ButtonAt(128, 455));
    EXPECT_EQ(CStatusBar::kLoadGame, CStatusBar::ButtonAt(128, 510));
    EXPECT_EQ(CStatusBar::kHelp, CStatusBar::ButtonAt(128, 565));
    EXPECT_EQ(CStatusBar::kExit, CStatusBar::ButtonAt(128, 620));
    EXPECT_EQ(CStatusBar::kMusic, CStatusBar::ButtonAt(108, 667));
    EXPECT_EQ(CStatusBar::kSound, CStatusBar::ButtonAt(148, 667));

    // Restart is 181 wide, help only 61: the same x is on one and beside the other.
    EXPECT_EQ(CStatusBar::kRestart, CStatusBar::ButtonAt(40, 400));
    EXPECT_EQ(CStatusBar::kNoButton, CStatusBar::ButtonAt(40, 565));
    // Between two buttons, on the panels and between the switches.
    EXPECT_EQ(CStatusBar::kNoButton, CStatusBar::ButtonAt(128, 430));
    EXPECT_EQ(CStatusBar::kNoButton, CStatusBar::ButtonAt(128, 200));
    EXPECT_EQ(CStatusBar::kNoButton, CStatusBar::ButtonAt(128, 667));
}

TEST(StatusBarTime, BlinkQuickensAsTheTimeRunsOut)
{
    // At 10 s a 500 ms period, red for its first half.
    EXPECT_TRUE(CStatusBar::TimeIsRed(10, 0));
    EXPECT_TRUE(CStatusBar::TimeIsRed(10, 249));
    EXPECT_FALSE(CStatusBar::TimeIsRed(10, 250));
    EXPECT_TRUE(CStatusBar::TimeIsRed(10, 1000));
    // At 1 s a 50 ms period.
    EXPECT_TRUE(CStatusBar::TimeIsRed(1, 1020));
    EXPECT_FALSE(CStatusBar::TimeIsRed(1, 1030));
    // Above ten seconds never red; at zero always.
    EXPECT_FALSE(CStatusBar::TimeIsRed(11, 0));
    EXPECT_TRUE(CStatusBar::TimeIsRed(0, 30));
    EXPECT_TRUE(CStatusBar::TimeIsRed(0, 0));
}
