// Whole-game runs of the standard series: a new game at each difficulty starts the first level
// with that difficulty's time, and the first level won by clicking its recorded solution leads
// through the level-complete card to the second level with the first one's score banked.
#include "game/CGameLevel.h"
#include "tests/e2e/run/RunChecks.h"
#include "tests/e2e/run/RunScript.h"
#include "tests/e2e/run/ScreenPoints.h"
#include "tests/e2e/run/SolutionScript.h"
#include "tests/e2e/run/TitleRun.h"

#include <gtest/gtest.h>

#include <string>

using namespace ScreenPoints;

namespace
{

// The difficulty card is up this long after New Game, and the start card after the choice.
const int kDifficultyUp = 80;
const int kStartCardUp = 50;

// The first level's time as shipped, in ms.
float FirstLevelTime(const TitleRun& run)
{
    CGameLevel level(nullptr);
    level.SetDataFolder(run.DataFolder());
    return level.Load(XString("StdLevel1"), false, false) ? level.GetTimeLeft() : 0.0f;
}

} // namespace

TEST(PlayRun, NewGameAtEachDifficultyStartsTheFirstLevelWithThatDifficultysTime)
{
    TitleRun run;
    // Without level sets a new game starts the standard series at once.
    run.HideData("Upg.xml");
    // Saved-game names are at most eight characters.
    const char* const names[3] = {"easy", "medium", "hard"};
    RunScript script;
    int frame = kTitleFrame;
    for (int option = 0; option < 3; ++option)
    {
        script.Click(frame, kNewGameX, kNewGameY);
        frame += kDifficultyUp;
        script.Click(frame, kDifficultyX[option], kDifficultyY);
        frame += kStartCardUp;
        script.Key(frame, "Space");
        script.Shot(frame + 30);
        frame = script.SaveAndExit(frame + 40, names[option]);
    }
    script.Key(frame, "Escape");
    ASSERT_EQ(0, run.Run(script.Text(), frame + 100));

    const float shipped = FirstLevelTime(run);
    ASSERT_GT(shipped, 0.0f);
    // Easy gives 40 % more time, hard 30 % less.
    const float factors[3] = {1.4f, 1.0f, 0.7f};
    for (int option = 0; option < 3; ++option)
    {
        SCOPED_TRACE(option);
        CGameLevel saved(nullptr);
        ASSERT_TRUE(run.ReadSavedGame(names[option], saved))
            << saved.GetErrorMsg().GetBuffer();
        EXPECT_EQ(option + 1, saved.GetDifficulty());
        EXPECT_STREQ("StdLevel1", saved.GetLevelFileName().GetBuffer());
        // Only the second or two between the card and the save has run off the clock.
        EXPECT_LE(saved.GetTimeLeft(), shipped * factors[option]);
        EXPECT_GT(saved.GetTimeLeft(), shipped * factors[option] - 5000.0f);
        EXPECT_TRUE(IsBlueColumn(run.ShotPixel(static_cast<size_t>(option), 4, 300))) << "the level in play";
    }
    ExpectCleanLog(run);
}

TEST(PlayRun, FirstLevelWonByItsSolutionLeadsThroughTheCardToTheSecondLevel)
{
    TitleRun run;
    run.HideData("Upg.xml");
    CLevelSolution solution;
    ASSERT_TRUE(ReadShippedSolution("StdLevel1", solution)) << solution.GetErrorMsg().GetBuffer();
    RunScript script;
    script.Click(kTitleFrame, kNewGameX, kNewGameY);
    // The hardest difficulty, the one every solution is proven at.
    script.Click(kTitleFrame + kDifficultyUp, kDifficultyX[2], kDifficultyY);
    script.Shot(kTitleFrame + kDifficultyUp + kStartCardUp - 5);
    std::string error;
    const int next =
        AppendLevel(run.DataFolder(), XString("StdLevel1"), solution, kTitleFrame + kDifficultyUp + kStartCardUp,
                    script, error);
    ASSERT_GE(next, 0) << error;
    script.Shot(next);
    script.Key(next + 10, "Space");
    script.Shot(next + 60);
    script.Click(next + 70, kBarX, kExitY);
    script.Key(next + 70 + kTitleAgain, "Escape");
    ASSERT_EQ(0, run.Run(script.Text(), next + 300));

    ASSERT_EQ(4u, run.Shots().size()) << "first start card, level complete, second start card, second level";
    // The second level was saved as it began, with the first one's score banked in the total.
    CGameLevel autoSave(nullptr);
    ASSERT_TRUE(run.ReadSavedGame(CGameLevel::kAutoSaveName, autoSave)) << autoSave.GetErrorMsg().GetBuffer();
    EXPECT_STREQ("StdLevel2", autoSave.GetLevelFileName().GetBuffer());
    EXPECT_EQ(2u, autoSave.GetCurLevel());
    EXPECT_EQ(3, autoSave.GetDifficulty());
    EXPECT_GT(autoSave.GetTotalScore(), 0);
    EXPECT_TRUE(IsBlueColumn(run.ShotPixel(3, 4, 300))) << "the second level in play";
    ExpectCleanLog(run);
}

TEST(PlayRun, LastStandardLevelWonFromASavedGameEndsOnTheGameCompleteScreen)
{
    TitleRun run;
    const std::string last = "StdLevel25";
    // A game saved as the last level of the standard series began, at the hardest difficulty.
    {
        CGameLevel level(nullptr);
        level.SetDataFolder(run.DataFolder());
        ASSERT_TRUE(level.Load(XString(last.c_str()), false, false)) << level.GetErrorMsg().GetBuffer();
        level.SetDifficulty(3);
        ASSERT_TRUE(level.Save(XString("final"), true)) << level.GetErrorMsg().GetBuffer();
    }
    CLevelSolution solution;
    ASSERT_TRUE(ReadShippedSolution(last, solution)) << solution.GetErrorMsg().GetBuffer();
    RunScript script;
    const int card = script.LoadFromTitle(kTitleFrame, 0);
    std::string error;
    const int end = AppendLevel(run.DataFolder(), XString(last.c_str()), solution, card, script, error);
    ASSERT_GE(end, 0) << error;
    script.Shot(end + 50);
    script.Key(end + 60, "Space");
    script.Key(end + 60 + kTitleAgain, "Escape");
    ASSERT_EQ(0, run.Run(script.Text(), end + 400));

    ASSERT_EQ(2u, run.Shots().size()) << "the level-complete card, then the series' end";
    EXPECT_FALSE(IsBlueColumn(run.ShotPixel(1, 4, 300))) << "the game-complete screen replaces the play view";
    ExpectCleanLog(run);
}
