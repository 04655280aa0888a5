// Whole-game runs of a level's end and of a saved game: time running out leads to game over and
// "y" to the same level again; a game saved mid-level, the program ended and started again, and
// the game loaded from the title comes back with its score and time.
#include "game/CGameLevel.h"
#include "tests/e2e/TitleRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// The window of the default video mode; scripts give window pixels.
const int kWidth = 800;
const int kHeight = 600;
// Every frame lasts this many ms of game time in the runs.
const int kFrameMs = 20;
// The splash leaves by itself after four seconds; the title has faded in by this frame.
const int kTitleFrame = 300;
// The title's tutorial and load-game buttons, in design units.
const int kTutorialX = 511, kTutorialY = 603;
const int kLoadGameX = 254, kLoadGameY = 504;
// The status bar's save and exit buttons (centred on x 128 and y 400 + 55 i) and the first spare.
const int kBarX = 128, kSaveY = 455, kExitY = 620;
const int kSpareX = 853, kSpareY = 56;
// First row of the saved-games list, whose frame is centred on the whole screen.
const int kFirstRowX = 464, kFirstRowY = 116;

// Window pixels of a point of the 1024 x 768 design.
int X(int designX)
{
    return designX * kWidth / 1024;
}

int Y(int designY)
{
    return designY * kHeight / 768;
}

std::string Click(int frame, int designX, int designY)
{
    return std::to_string(frame) + " click " + std::to_string(X(designX)) + " " + std::to_string(Y(designY)) + "\n";
}

std::string Key(int frame, const char* name)
{
    return std::to_string(frame) + " keydown " + name + "\n" + std::to_string(frame + 1) + " keyup " + name + "\n";
}

std::string Line(int frame, const std::string& what)
{
    return std::to_string(frame) + " " + what + "\n";
}

struct Rgb
{
    int r = 0, g = 0, b = 0;
};

// Pixel x, y of screenshot n of the run; black when there is no such shot.
Rgb ShotPixel(const TitleRun& run, size_t n, int x, int y)
{
    Rgb c;
    TitleBitmap shot;
    const auto shots = run.Shots();
    if (n < shots.size() && TitleRun::ReadBitmap(shots[n], shot) && x < shot.width && y < shot.height)
        shot.Pixel(x, y, c.r, c.g, c.b);
    return c;
}

bool IsBlack(const Rgb& c)
{
    return c.r < 16 && c.g < 16 && c.b < 16;
}

bool IsBlueColumn(const Rgb& c)
{
    return c.b > 120 && c.b > c.r + 40;
}

// The time limit of the first tutorial level as shipped, in whole seconds (the tutorial plays
// at medium difficulty, which leaves the time as it stands).
int TutorialSeconds(const TitleRun& run)
{
    CGameLevel level(nullptr);
    level.SetDataFolder(XString((run.Install() / "data").string().append("/").c_str()));
    if (!level.Load(XString("__Lrn1"), false, false))
        return 0;
    return static_cast<int>(level.GetTimeLeft() / 1000.0f);
}

// Reads a saved game of the run back as the game does.
bool ReadSavedGame(const TitleRun& run, const char* name, CGameLevel& level)
{
    level.SetDataFolder(XString((run.Install() / "data").string().append("/").c_str()));
    return level.Load(XString(name), false, true);
}

// The log of a whole run: the exit line last, and no failure of these screens.
void ExpectCleanLog(const TitleRun& run)
{
    const std::vector<std::string> log = run.LogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("----------- Game exiting normally -------------", log.back());
    for (const std::string& line : log)
    {
        EXPECT_EQ(std::string::npos, line.find("CStatusBar")) << line;
        EXPECT_EQ(std::string::npos, line.find("CGameOver")) << line;
    }
}

} // namespace

TEST(EndScreensRun, TimeOutShowsGameOverAndYesRetriesTheLevel)
{
    TitleRun run;
    const int tutorialSeconds = TutorialSeconds(run);
    ASSERT_GT(tutorialSeconds, 0) << "the first tutorial level loads";
    const int timeUp = kTitleFrame + tutorialSeconds * 1000 / kFrameMs;
    std::string script = Click(kTitleFrame, kTutorialX, kTutorialY);
    script += Key(kTitleFrame + 80, "Space");
    script += Line(kTitleFrame + 120, "shot");
    // Game over has faded in well after the time is up.
    script += Line(timeUp + 200, "shot");
    script += Line(timeUp + 210, "type y");
    script += Line(timeUp + 300, "shot");
    script += Key(timeUp + 310, "Space");
    script += Line(timeUp + 340, "shot");
    ASSERT_EQ(0, run.Run(script, timeUp + 350));

    ASSERT_EQ(4u, run.Shots().size());
    EXPECT_TRUE(IsBlueColumn(ShotPixel(run, 0, 4, 300))) << "the status column beside the level";
    EXPECT_TRUE(IsBlack(ShotPixel(run, 1, 4, 300))) << "game over replaces the play view";
    EXPECT_TRUE(IsBlack(ShotPixel(run, 1, 400, 560)));
    const Rgb banner = ShotPixel(run, 1, 400, 70);
    EXPECT_GT(banner.r, banner.b + 40) << "the red banner at the top";
    EXPECT_TRUE(IsBlueColumn(ShotPixel(run, 3, 4, 300))) << "the level again, with its status bar";
    ExpectCleanLog(run);
}

TEST(EndScreensRun, SavedGameResumesWithScoreAndTime)
{
    TitleRun run;
    // First session: the tutorial, one spare dropped (it costs points), saved as "evening".
    std::string first = Click(kTitleFrame, kTutorialX, kTutorialY);
    first += Key(kTitleFrame + 80, "Space");
    first += Click(kTitleFrame + 120, kSpareX, kSpareY);
    first += Click(kTitleFrame + 200, kBarX, kSaveY);
    first += Line(kTitleFrame + 230, "type evening");
    first += Key(kTitleFrame + 240, "Return");
    first += Click(kTitleFrame + 280, kBarX, kExitY);
    first += Key(kTitleFrame + 360, "Escape");
    ASSERT_EQ(0, run.Run(first, kTitleFrame + 500));

    CGameLevel saved(nullptr);
    ASSERT_TRUE(ReadSavedGame(run, "evening", saved)) << saved.GetErrorMsg().GetBuffer();
    EXPECT_EQ(1, saved.GetExBlocksAdded());
    EXPECT_EQ(-200, saved.GameTotal(false));
    EXPECT_LT(saved.GetTimeLeft(), TutorialSeconds(run) * 1000.0f);

    // Second session: load it from the title and save it again at once.
    std::string second = Click(kTitleFrame, kLoadGameX, kLoadGameY);
    second += Line(kTitleFrame + 40, "move " + std::to_string(X(kFirstRowX)) + " " + std::to_string(Y(kFirstRowY)));
    second += Click(kTitleFrame + 42, kFirstRowX, kFirstRowY);
    second += Key(kTitleFrame + 120, "Space");
    second += Line(kTitleFrame + 140, "shot");
    second += Click(kTitleFrame + 150, kBarX, kSaveY);
    second += Line(kTitleFrame + 180, "type again");
    second += Key(kTitleFrame + 190, "Return");
    second += Click(kTitleFrame + 230, kBarX, kExitY);
    second += Key(kTitleFrame + 310, "Escape");
    ASSERT_EQ(0, run.Run(second, kTitleFrame + 450));

    CGameLevel resumed(nullptr);
    ASSERT_TRUE(ReadSavedGame(run, "again", resumed)) << resumed.GetErrorMsg().GetBuffer();
    EXPECT_EQ(saved.GetDifficulty(), resumed.GetDifficulty());
    EXPECT_EQ(saved.GetCurLevel(), resumed.GetCurLevel());
    EXPECT_EQ(saved.GetExBlocksAdded(), resumed.GetExBlocksAdded());
    EXPECT_EQ(saved.GameTotal(false), resumed.GameTotal(false));
    EXPECT_EQ(std::string(saved.GetLevelFileName().GetBuffer()), resumed.GetLevelFileName().GetBuffer());
    // Only the few seconds played between loading and saving again are gone.
    EXPECT_LE(resumed.GetTimeLeft(), saved.GetTimeLeft());
    EXPECT_GT(resumed.GetTimeLeft(), saved.GetTimeLeft() - 5000.0f);
    EXPECT_TRUE(IsBlueColumn(ShotPixel(run, 0, 4, 300))) << "the resumed level with its status bar";
    ExpectCleanLog(run);
}
