// Whole-game runs of a level's end and of a saved game: time running out leads to game over and
// "y" to the same level again; a game saved mid-level, the program ended and started again, and
// the game loaded from the title comes back with its score and time.
#include "game/CGameLevel.h"
#include "tests/e2e/run/RunChecks.h"
#include "tests/e2e/run/RunScript.h"
#include "tests/e2e/run/ScreenPoints.h"
#include "tests/e2e/run/TitleRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using namespace ScreenPoints;

// The time limit of the first tutorial level as shipped, in whole seconds (the tutorial plays
// at medium difficulty, which leaves the time as it stands).
int TutorialSeconds(const TitleRun& run)
{
    CGameLevel level(nullptr);
    level.SetDataFolder(run.DataFolder());
    if (!level.Load(XString("__Lrn1"), false, false))
        return 0;
    return static_cast<int>(level.GetTimeLeft() / 1000.0f);
}

} // namespace

TEST(EndScreensRun, TimeOutShowsGameOverAndYesRetriesTheLevel)
{
    TitleRun run;
    const int tutorialSeconds = TutorialSeconds(run);
    ASSERT_GT(tutorialSeconds, 0) << "the first tutorial level loads";
    const int timeUp = kTitleFrame + tutorialSeconds * 1000 / TitleRun::kFrameMs;
    RunScript script;
    script.Click(kTitleFrame, kTutorialX, kTutorialY);
    script.Key(kTitleFrame + 80, "Space");
    script.Shot(kTitleFrame + 120);
    // Game over has faded in well after the time is up.
    script.Shot(timeUp + 200);
    script.Type(timeUp + 210, "y");
    script.Shot(timeUp + 300);
    script.Key(timeUp + 310, "Space");
    script.Shot(timeUp + 340);
    ASSERT_EQ(0, run.Run(script.Text(), timeUp + 350));

    ASSERT_EQ(4u, run.Shots().size());
    EXPECT_TRUE(IsBlueColumn(run.ShotPixel(0, 4, 300))) << "the status column beside the level";
    EXPECT_TRUE(IsBlack(run.ShotPixel(1, 4, 300))) << "game over replaces the play view";
    EXPECT_TRUE(IsBlack(run.ShotPixel(1, 400, 560)));
    const Rgb banner = run.ShotPixel(1, 400, 70);
    EXPECT_GT(banner.r, banner.b + 40) << "the red banner at the top";
    EXPECT_TRUE(IsBlueColumn(run.ShotPixel(3, 4, 300))) << "the level again, with its status bar";
    ExpectCleanLog(run);
}

TEST(EndScreensRun, SavedGameResumesWithScoreAndTime)
{
    TitleRun run;
    // First session: the tutorial, one spare dropped (it costs points), saved as "evening".
    RunScript first;
    first.Click(kTitleFrame, kTutorialX, kTutorialY);
    first.Key(kTitleFrame + 80, "Space");
    first.Click(kTitleFrame + 120, SpareX(0), SpareY(0));
    const int title = first.SaveAndExit(kTitleFrame + 200, "evening");
    first.Key(title, "Escape");
    ASSERT_EQ(0, run.Run(first.Text(), title + 100));

    CGameLevel saved(nullptr);
    ASSERT_TRUE(run.ReadSavedGame("evening", saved)) << saved.GetErrorMsg().GetBuffer();
    EXPECT_EQ(1, saved.GetExBlocksAdded());
    EXPECT_EQ(-200, saved.GameTotal(false));
    EXPECT_LT(saved.GetTimeLeft(), TutorialSeconds(run) * 1000.0f);

    // Second session: load it from the title and save it again at once.
    RunScript second;
    const int card = second.LoadFromTitle(kTitleFrame, 0);
    second.Key(card, "Space");
    second.Shot(card + 20);
    const int again = second.SaveAndExit(card + 30, "again");
    second.Key(again, "Escape");
    ASSERT_EQ(0, run.Run(second.Text(), again + 100));

    CGameLevel resumed(nullptr);
    ASSERT_TRUE(run.ReadSavedGame("again", resumed)) << resumed.GetErrorMsg().GetBuffer();
    EXPECT_EQ(saved.GetDifficulty(), resumed.GetDifficulty());
    EXPECT_EQ(saved.GetCurLevel(), resumed.GetCurLevel());
    EXPECT_EQ(saved.GetExBlocksAdded(), resumed.GetExBlocksAdded());
    EXPECT_EQ(saved.GameTotal(false), resumed.GameTotal(false));
    EXPECT_EQ(std::string(saved.GetLevelFileName().GetBuffer()), resumed.GetLevelFileName().GetBuffer());
    // Only the few seconds played between loading and saving again are gone.
    EXPECT_LE(resumed.GetTimeLeft(), saved.GetTimeLeft());
    EXPECT_GT(resumed.GetTimeLeft(), saved.GetTimeLeft() - 5000.0f);
    EXPECT_TRUE(IsBlueColumn(run.ShotPixel(0, 4, 300))) << "the resumed level with its status bar";
    ExpectCleanLog(run);
}
