// Whole-game run of a damaged first level: a new game shows the card that says so instead of a
// level, a key leads back to the title, the log names the file and nothing is saved.
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

// The fade into play has ended and the card is up this long after New Game.
const int kCardUp = 60;
// Pixels of the 800 x 600 window: inside the card's fill, and in the play area above it.
const int kCardX = 500, kCardY = 300;
const int kPlayAreaX = 500, kPlayAreaY = 60;

TEST(DamagedLevelRun, NewGameShowsTheCardAndAKeyLeadsBackToTheTitle)
{
    TitleRun run;
    // Without level sets a new game starts the standard series at once.
    run.HideData("Upg.xml");
    run.CutLevel("StdLevel1.dat", 300);
    RunScript script;
    script.Click(kTitleFrame, kNewGameX, kNewGameY);
    script.Shot(kTitleFrame + kCardUp);
    // The card waits for the player however long it takes.
    script.Shot(kTitleFrame + kCardUp + 100);
    script.Key(kTitleFrame + kCardUp + 110, "Space");
    const int title = kTitleFrame + kCardUp + 110 + kTitleAgain;
    script.Shot(title);
    script.Key(title + 10, "Escape");
    ASSERT_EQ(0, run.Run(script.Text(), title + 100));

    ASSERT_EQ(3u, run.Shots().size()) << "Esc on the title again ends the program";
    EXPECT_TRUE(IsBlueColumn(run.ShotPixel(0, 4, 300))) << "the status column beside the card";
    EXPECT_TRUE(IsBlack(run.ShotPixel(0, kPlayAreaX, kPlayAreaY))) << "no level drawn behind the card";
    const Rgb fill = run.ShotPixel(0, kCardX, kCardY);
    EXPECT_GT(fill.b, fill.r + 20) << "the card's translucent blue in the middle of the play area";
    EXPECT_TRUE(IsBlueColumn(run.ShotPixel(1, 4, 300)));
    EXPECT_GT(run.ShotPixel(1, kCardX, kCardY).b, run.ShotPixel(1, kCardX, kCardY).r + 20) << "still up";
    const Rgb sky = run.ShotPixel(2, 60, 150);
    EXPECT_GT(sky.b, sky.r) << "the title's sky at the top left";
    EXPECT_TRUE(IsBlack(run.ShotPixel(2, 60, 550))) << "the title's black bottom corner";

    int loadLines = 0;
    for (const std::string& line : run.LogLines())
        if (line.find("Error: in CPlayScreen::MyInit, m_pLevel->Load failed.") == 0 &&
            line.find("StdLevel1.dat") != std::string::npos)
            ++loadLines;
    EXPECT_EQ(1, loadLines) << "the log names the level once";
    ExpectCleanLog(run);
    EXPECT_EQ(std::vector<std::string>{}, run.SavedGames()) << "no auto-save, no saved game";
}

} // namespace
