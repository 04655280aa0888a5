// Difficulty arithmetic of a level, the camera adjuster and the colour setters.
#include "game/CGameLevel.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{

struct DifficultyCase
{
    int difficulty;
    int secondsOfOneMinute; // SecondsLeft of a 60 000 ms level
    int timeBonus;          // for those seconds
    int scaled1000;         // ScaleByDifficulty(1000)
    int reverse20;          // ScaleByReverseDifficulty(20): extra time of one clock cube
};

} // namespace

class LevelDifficulty : public testing::TestWithParam<DifficultyCase>
{
};

TEST_P(LevelDifficulty, TimeIsScaledOnceAndPointsByTheFactor)
{
    const DifficultyCase& c = GetParam();
    CGameLevel level(nullptr);
    level.SetDifficulty(c.difficulty);
    level.SetTimeLeft(60000.0f);
    EXPECT_EQ(c.secondsOfOneMinute, level.SecondsLeft());
    EXPECT_EQ(c.secondsOfOneMinute, level.SecondsLeft()) << "a second call scales nothing again";
    EXPECT_EQ(c.timeBonus, level.TimeBonus());
    EXPECT_EQ(c.scaled1000, level.ScaleByDifficulty(1000));
    EXPECT_EQ(c.reverse20, level.ScaleByReverseDifficulty(20));
}

INSTANTIATE_TEST_SUITE_P(AllDifficulties, LevelDifficulty,
                         testing::Values(DifficultyCase{0, 60, 600, 1000, 20}, DifficultyCase{1, 84, 420, 500, 30},
                                         DifficultyCase{2, 60, 600, 1000, 20}, DifficultyCase{3, 42, 630, 1500, 10}));

TEST(LevelScore, LevelAndGameTotalsChargeDroppedSpares)
{
    CGameLevel level(nullptr);
    level.SetDifficulty(3);
    level.SetTimeAdjusted(true);
    level.SetTimeLeft(30999.0f);
    level.SetBlockScore(3420);
    level.SetTotalScore(10000);
    level.SetExBlocksAdded(3);
    // 3 spares x 200 x 1.5 = 900; 30 s x 10 x 1.5 = 450.
    EXPECT_EQ(2520, level.LevelScore(false));
    EXPECT_EQ(2970, level.LevelScore(true));
    EXPECT_EQ(12520, level.GameTotal(false));
    EXPECT_EQ(12970, level.GameTotal(true));
}

TEST(LevelScore, TotalsOfASavedGameNearTheTopStayThereAsLevelsAreAdded)
{
    const char* saved = "<GameLevel><TotalScore>2147483000</TotalScore><BlockScore>2147483000</BlockScore>"
                        "<Difficulty>3</Difficulty><ExBlocksAdded>1</ExBlocksAdded><CurLevel>3</CurLevel>"
                        "<TimeLeft>60000.000000</TimeLeft></GameLevel>";
    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument("MySave", saved, false, true));
    // 60 s x 10 x 1.5 of time bonus, 300 for the spare.
    EXPECT_EQ(2147483000 - 300 + 900, level.LevelScore(true));
    EXPECT_EQ(INT_MAX, level.GameTotal(true));
    EXPECT_EQ(INT_MAX, level.GameTotal(false));

    // The finished level is banked as the next one loads, and that one's points add to the top.
    level.SetAddLevelToTotal(true);
    const char* next = "<GameLevel><CurLevel>4</CurLevel></GameLevel>";
    ASSERT_TRUE(level.LoadFromDocument("MyLevel4", next, false, false));
    EXPECT_EQ(INT_MAX, level.GetTotalScore());
    level.SetBlockScore(5000);
    EXPECT_EQ(INT_MAX, level.GameTotal(true));
    EXPECT_EQ(5000, level.LevelScore(false));
}

TEST(LevelScore, ScalingAndChargingAtTheEdgesOfTheRangeSaturates)
{
    CGameLevel level(nullptr);
    level.SetDifficulty(3);
    EXPECT_EQ(INT_MAX, level.ScaleByDifficulty(INT_MAX));
    EXPECT_EQ(-INT_MAX, level.ScaleByDifficulty(INT_MIN)) << "the range is kept symmetric";
    level.SetDifficulty(1);
    EXPECT_EQ(INT_MAX, level.ScaleByReverseDifficulty(INT_MAX));
    // A damaged save's spare count costs everything, but no more than the range holds.
    level.SetExBlocksAdded(INT_MAX);
    level.SetBlockScore(0);
    level.SetTotalScore(INT_MIN);
    EXPECT_EQ(-INT_MAX, level.LevelScore(false));
    EXPECT_EQ(-INT_MAX, level.GameTotal(false));
}

TEST(LevelScore, UnderOneSecondCountsAsNoTimeLeft)
{
    CGameLevel level(nullptr);
    level.SetTimeLeft(999.0f);
    EXPECT_EQ(0, level.SecondsLeft());
    level.SetTimeLeft(1000.0f);
    EXPECT_EQ(1, level.SecondsLeft());
    level.SetTimeLeft(-5000.0f);
    EXPECT_EQ(0, level.SecondsLeft());
    EXPECT_EQ(0, level.TimeBonus());
}

TEST(LevelScore, DifficultyZeroLeavesTheTimeUnadjusted)
{
    CGameLevel level(nullptr);
    level.SetTimeLeft(60000.0f);
    level.SecondsLeft();
    EXPECT_FALSE(level.IsTimeAdjusted());
    // Choosing a difficulty afterwards still scales once.
    level.SetDifficulty(1);
    EXPECT_EQ(84, level.SecondsLeft());
    EXPECT_TRUE(level.IsTimeAdjusted());
}

TEST(LevelScore, ResetClearsScoresAndDifficultyOnly)
{
    CGameLevel level(nullptr);
    level.SetTotalScore(1);
    level.SetBlockScore(2);
    level.SetNumBlocksRemoved(3);
    level.SetDifficulty(3);
    level.SetExBlocksAdded(4);
    level.ResetScores();
    EXPECT_EQ(0, level.GetTotalScore());
    EXPECT_EQ(0, level.GetBlockScore());
    EXPECT_EQ(0, level.GetNumBlocksRemoved());
    EXPECT_EQ(0, level.GetDifficulty());
    EXPECT_EQ(4, level.GetExBlocksAdded());
}

TEST(LevelCamera, TiltAndZoomClampAngleWraps)
{
    CGameLevel level(nullptr);
    level.AdjustCamera(100.0f, -10.0f, -500.0f);
    EXPECT_FLOAT_EQ(89.5f, level.GetCameraTilt());
    EXPECT_FLOAT_EQ(350.0f, level.GetCameraAngle());
    EXPECT_FLOAT_EQ(130.0f, level.GetCameraZoom());
    level.AdjustCamera(-100.0f, 10.0f, 500.0f);
    EXPECT_FLOAT_EQ(10.0f, level.GetCameraTilt());
    EXPECT_FLOAT_EQ(0.0f, level.GetCameraAngle()) << "360 wraps to 0";
    EXPECT_FLOAT_EQ(300.0f, level.GetCameraZoom());
}

TEST(LevelBackground, StepsOfFiveClampedToAByte)
{
    CGameLevel level(nullptr);
    EXPECT_EQ(0xFF3778FFu, level.GetBackgroundColour()) << "55, 120, 255 after construction";
    level.AdjustBgRed(-12);
    level.AdjustBgGreen(2);
    level.AdjustBgBlue(1);
    EXPECT_EQ(0, level.GetBgRed());
    EXPECT_EQ(130, level.GetBgGreen());
    EXPECT_EQ(255, level.GetBgBlue());
    level.ToggleRemoveToWin(9);
    EXPECT_FALSE(level.GetRemoveToWin(9));
    EXPECT_TRUE(level.GetRemoveToWin(8));
    EXPECT_FALSE(level.GetRemoveToWin(10)) << "no eleventh colour";
}
