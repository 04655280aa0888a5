// The game as a desktop program, on an X server of its own with one 16:9 mode: a window resized
// with xdotool keeps the design's proportions and its clicks, F11 fills the screen and is
// remembered, the level clock stops while the window is in the background or Esc paused it, and
// a copy installed with cmake --install runs from its prefix with the per-user folder.
#include "tests/e2e/run/OwnDisplay.h"
#include "tests/e2e/run/RunChecks.h"
#include "tests/e2e/run/RunScript.h"
#include "tests/e2e/run/ScreenPoints.h"
#include "tests/e2e/run/TitleRun.h"

#include "foundation/VideoModeSettings.h"
#include "game/CGameLevel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

using namespace ScreenPoints;

const int kScreenWidth = 1280;
const int kScreenHeight = 720;
const int kWaitSeconds = 120;
// Frames from a click on New Game to the difficulty card, and from there to the start card.
const int kDifficultyUp = 80;
const int kStartCardUp = 50;

fs::path Stage()
{
    const char* binary = std::getenv("PLK_BINARY_DIR");
    return fs::path(binary ? binary : ".") / "stage";
}

std::string FileText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Rgb Pixel(const TitleBitmap& shot, int x, int y)
{
    Rgb c;
    shot.Pixel(x, y, c.r, c.g, c.b);
    return c;
}

// The first x of row y, from the left, where the status bar's blue column gives way to the scene.
int ColumnEdge(const TitleBitmap& shot, int y)
{
    for (int x = 2; x < shot.width; ++x)
        if (!IsBlueColumn(Pixel(shot, x, y)))
            return x;
    return shot.width;
}

// A design point in a window of width x height: one scale for both axes, the design centred.
int DesignX(float x, int width, int height)
{
    const float scale = std::min(width / 1024.0f, height / 768.0f);
    return static_cast<int>(std::floor((width - 1024.0f * scale) / 2.0f) + x * scale);
}
int DesignY(float y, int width, int height)
{
    const float scale = std::min(width / 1024.0f, height / 768.0f);
    return static_cast<int>(std::floor((height - 768.0f * scale) / 2.0f) + y * scale);
}

// The script from the title into the first level at medium difficulty, clicking at window
// pixels of a window of that size; returns the frame on which the level is in play.
int IntoFirstLevel(std::ostringstream& script, int width, int height, int scale = 1)
{
    const int newGame = kTitleFrame * scale;
    const int difficulty = newGame + kDifficultyUp * scale;
    const int start = difficulty + kStartCardUp * scale;
    script << newGame << " click " << DesignX(kNewGameX, width, height) << ' ' << DesignY(kNewGameY, width, height)
           << '\n'
           << difficulty << " click " << DesignX(kDifficultyX[1], width, height) << ' '
           << DesignY(kDifficultyY, width, height) << '\n'
           << start << " keydown Space\n"
           << start + 1 << " keyup Space\n";
    return start + 2;
}

class DesktopRun : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(OwnDisplay::Start(kScreenWidth, kScreenHeight)) << "Xvfb did not start";
        ASSERT_TRUE(OwnDisplay::StartWindowManager()) << "the window manager did not start";
    }
    static void TearDownTestSuite() { OwnDisplay::Stop(); }

    void SetUp() override
    {
        // Without level sets New Game starts the standard series at once.
        run.HideData("Upg.xml");
        fs::create_directories(run.Install() / "shots");
    }

    TitleBitmap OnlyShot(const fs::path& folder)
    {
        std::vector<fs::path> shots;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".bmp")
                shots.push_back(entry.path());
        TitleBitmap shot;
        EXPECT_EQ(1u, shots.size());
        if (!shots.empty())
        {
            EXPECT_TRUE(TitleRun::ReadBitmap(shots.front(), shot));
        }
        return shot;
    }

    TitleRun run;
};

TEST_F(DesktopRun, AResizedWindowKeepsTheDesignsProportionsAndItsClicks)
{
    // In real time, so that the resize lands long before the first click: the splash alone
    // stands four seconds.
    const int width = 1024, height = 576;
    std::ostringstream script;
    // Real frames are shorter than the runs' usual 20 ms: the waits get half as much again.
    const int play = IntoFirstLevel(script, width, height, 2);
    script << play + 60 << " shot\n" << play + 70 << " quit\n";
    const fs::path scriptFile = run.Install() / "resize.txt";
    std::ofstream(scriptFile) << script.str();
    const fs::path shots = run.Install() / "shots";
    const pid_t game = OwnDisplay::Spawn({(Stage() / "Plinkett3").string(), "--install-dir", run.Install().string() + "/",
                                          "--skip-dialog", "--script", scriptFile.string(), "--capture-dir",
                                          shots.string() + "/", "--max-frames", "4000"},
                                         {"VREGISTRY_DIR=" + (run.Install() / "registry").string()});
    const std::string window =
        OwnDisplay::Output("timeout " + std::to_string(kWaitSeconds) + " xdotool search --sync --name '^Plinkett3'");
    ASSERT_FALSE(window.empty()) << "the game's window did not come up";
    ASSERT_EQ(0, std::system(("xdotool windowsize " + window + " " + std::to_string(width) + " " +
                              std::to_string(height)).c_str()));
    ASSERT_EQ(0, OwnDisplay::WaitFor(game, kWaitSeconds));

    const TitleBitmap shot = OnlyShot(shots);
    ASSERT_EQ(width, shot.width) << "the back buffer follows the window";
    ASSERT_EQ(height, shot.height);
    // The status bar is 256 design units wide at any shape: 192 pixels at 576 high, where a
    // stretched design would make it 256. The clicks on New Game and the difficulty found their
    // buttons, or no level would be in play.
    const int edge = ColumnEdge(shot, height / 2);
    EXPECT_NEAR(192, edge, 3) << "the status column keeps its proportions";
    // The scene fills the rest of the window up to its right edge.
    EXPECT_FALSE(IsBlack(Pixel(shot, width - 4, height / 2))) << "the 3D view reaches the right edge";
    EXPECT_FALSE(IsBlueColumn(Pixel(shot, width - 4, height - 4)));
    ExpectCleanLog(run);
}

TEST_F(DesktopRun, F11FillsTheScreenKeepsTheTitleInProportionAndIsRemembered)
{
    ASSERT_EQ(0, run.Run("300 keydown F11\n301 keyup F11\n320 shot\n330 keydown Escape\n331 keyup Escape\n", 400));
    ASSERT_EQ(1u, run.Shots().size());
    TitleBitmap shot;
    ASSERT_TRUE(TitleRun::ReadBitmap(run.Shots()[0], shot));
    EXPECT_EQ(kScreenWidth, shot.width) << "full screen is the screen's size";
    EXPECT_EQ(kScreenHeight, shot.height);
    // The 4:3 title stands in the middle, 960 pixels wide: black beside it, the sky inside.
    EXPECT_TRUE(IsBlack(Pixel(shot, 60, 200))) << "the design is not stretched to the wider screen";
    EXPECT_TRUE(IsBlack(Pixel(shot, kScreenWidth - 60, 200)));
    const Rgb sky = Pixel(shot, DesignX(60, kScreenWidth, kScreenHeight), DesignY(150, kScreenWidth, kScreenHeight));
    EXPECT_GT(sky.b, sky.r) << "the title's sky at its own top left";
    // And at its top right, beyond the 800 pixels of the window the game had: the window itself
    // grew to the screen, not only the picture drawn for it.
    const Rgb right = Pixel(shot, DesignX(1000, kScreenWidth, kScreenHeight), DesignY(150, kScreenWidth, kScreenHeight));
    EXPECT_GT(right.b, right.r) << "the title's sky at its own top right";

    VideoModeSettings mode;
    ASSERT_TRUE(mode.Read((run.Install() / "data/").string().c_str()));
    EXPECT_TRUE(mode.FullScreen);
    EXPECT_TRUE(mode.IsCurrentScreenMode()) << "the desktop's own mode, as F11 gave";

    // The next start keeps it, and F11 there goes back to a window and says so in the file.
    // The window manager carries out the switch between frames: the shot waits for it.
    ASSERT_EQ(0, run.Run("60 shot\n70 keydown F11\n71 keyup F11\n150 shot\n", 160));
    std::string modeLine;
    for (const std::string& line : run.LogLines())
        if (line.rfind("Video mode: ", 0) == 0)
            modeLine = line;
    EXPECT_NE(std::string::npos, modeLine.find("full screen")) << modeLine;
    ASSERT_EQ(2u, run.Shots().size());
    TitleBitmap windowed;
    ASSERT_TRUE(TitleRun::ReadBitmap(run.Shots()[1], windowed));
    // The 1024 x 768 window of the tool's first entry, fitted to the 720 pixels of this screen:
    // 4:3 to within a pixel's rounding.
    EXPECT_LT(windowed.width, kScreenWidth) << "back to a window";
    EXPECT_NEAR(windowed.width * 3, windowed.height * 4, 4) << windowed.width << " x " << windowed.height;
    ASSERT_TRUE(mode.Read((run.Install() / "data/").string().c_str()));
    EXPECT_FALSE(mode.FullScreen);
}

TEST_F(DesktopRun, TheLevelClockStandsWhileTheWindowIsInTheBackgroundOrEscPausedIt)
{
    std::ostringstream script;
    const int play = IntoFirstLevel(script, RunScript::kWidth, RunScript::kHeight);
    // 300 frames of 20 ms in the background, then 300 paused with Esc: 12 s that must not count.
    script << play + 10 << " blur\n"
           << play + 310 << " focus\n"
           << play + 320 << " keydown Escape\n"
           << play + 321 << " keyup Escape\n"
           << play + 621 << " keydown Escape\n"
           << play + 622 << " keyup Escape\n";
    RunScript save;
    const int title = save.SaveAndExit(play + 630, "clock");
    script << save.Text() << title << " keydown Escape\n" << title + 1 << " keyup Escape\n";
    ASSERT_EQ(0, run.Run(script.str(), title + 60));

    CGameLevel shipped(nullptr);
    shipped.SetDataFolder(run.DataFolder());
    ASSERT_TRUE(shipped.Load(XString("StdLevel1"), false, false));
    CGameLevel saved(nullptr);
    ASSERT_TRUE(run.ReadSavedGame("clock", saved)) << saved.GetErrorMsg().GetBuffer();
    // Only the frames around the pauses ran off the clock: about 30 of 20 ms.
    EXPECT_GT(saved.GetTimeLeft(), shipped.GetTimeLeft() - 2000.0f)
        << "the clock ran on in the background or while paused";
    EXPECT_LT(saved.GetTimeLeft(), shipped.GetTimeLeft()) << "the clock ran while the level had the window";
    ExpectCleanLog(run);
}

TEST_F(DesktopRun, AnInstalledCopyValidatesAndKeepsTheGamesItSavesInThePlayersFolder)
{
    const fs::path prefix = run.Install() / "prefix";
    const char* binary = std::getenv("PLK_BINARY_DIR");
    ASSERT_EQ(0, std::system(("'" PLK_CMAKE "' --install '" + std::string(binary ? binary : ".") + "' --prefix '" +
                              prefix.string() + "' > '" + (run.Install() / "install.txt").string() + "' 2>&1")
                                 .c_str()))
        << FileText(run.Install() / "install.txt");
    const fs::path share = prefix / "share";
    const fs::path desktop = share / "applications" / "com.vantorel.Plinkett3.desktop";
    const fs::path metainfo = share / "metainfo" / "com.vantorel.Plinkett3.metainfo.xml";
    EXPECT_EQ(0, std::system(("desktop-file-validate '" + desktop.string() + "'").c_str()));
    EXPECT_EQ(0, std::system(("appstreamcli validate --no-net '" + metainfo.string() + "' > /dev/null").c_str()));
    for (int size : {48, 128, 256})
    {
        const std::string side = std::to_string(size);
        const fs::path icon = share / "icons" / "hicolor" / (side + "x" + side) / "apps" / "com.vantorel.Plinkett3.png";
        const std::string png = FileText(icon);
        ASSERT_GE(png.size(), 24u) << icon;
        // The PNG header's width and height, big-endian at bytes 16 and 20.
        const auto word = [&png](size_t at) {
            return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
                   (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
        };
        EXPECT_EQ(size, word(16)) << icon;
        EXPECT_EQ(size, word(20)) << icon;
    }
    EXPECT_TRUE(fs::exists(prefix / "bin" / "Plinkett3"));
    EXPECT_TRUE(fs::exists(share / "plinkett3" / "Help.htm"));
    EXPECT_TRUE(fs::exists(share / "plinkett3" / "data" / "levels"));
    EXPECT_FALSE(fs::exists(share / "plinkett3" / "data" / "Logs")) << "the build tree's runs stay behind";
    // As in the other runs, New Game goes straight to the standard series.
    fs::remove(share / "plinkett3" / "data" / "Upg.xml");

    // Started from the prefix with no registry value and the per-user folder forced (the tests
    // run as root, who could write the prefix): a game saved, then loaded from the title.
    std::ostringstream script;
    const int play = IntoFirstLevel(script, RunScript::kWidth, RunScript::kHeight);
    RunScript steps;
    const int title = steps.SaveAndExit(play + 20, "inst");
    const int loaded = steps.LoadFromTitle(title, 0);
    steps.Key(loaded, "Space");
    steps.Shot(loaded + 40);
    steps.Key(loaded + 50, "Escape");
    script << steps.Text() << loaded + 60 << " quit\n";
    const fs::path scriptFile = run.Install() / "install-run.txt";
    std::ofstream(scriptFile) << script.str();
    const fs::path user = run.Install() / "xdg-data";
    const fs::path shots = run.Install() / "shots";
    const pid_t game = OwnDisplay::Spawn(
        {(prefix / "bin" / "Plinkett3").string(), "--per-user-data", "--skip-dialog", "--fixed-step",
         std::to_string(TitleRun::kFrameMs), "--script", scriptFile.string(), "--capture-dir", shots.string() + "/",
         "--max-frames", std::to_string(loaded + 100)},
        {"VREGISTRY_DIR=" + (run.Install() / "empty-registry").string(), "XDG_DATA_HOME=" + user.string(),
         "XDG_CONFIG_HOME=" + (run.Install() / "xdg-config").string()});
    ASSERT_EQ(0, OwnDisplay::WaitFor(game, kWaitSeconds));

    const fs::path userData = user / "plinkett3" / "data";
    EXPECT_TRUE(fs::exists(userData / "savedgames" / "inst.dat")) << "the saved game is the player's";
    EXPECT_FALSE(fs::exists(share / "plinkett3" / "data" / "savedgames")) << "the install is never written";
    const std::string log = FileText(userData / "Logs" / "PlinkettLog.txt");
    EXPECT_NE(std::string::npos, log.find("Per-user folder: " + (user / "plinkett3").string() + "/")) << log;
    EXPECT_EQ(std::string::npos, log.find("Error")) << log;
    EXPECT_NE(std::string::npos, log.find("Game exiting normally")) << log;
    const TitleBitmap shot = OnlyShot(shots);
    EXPECT_TRUE(IsBlueColumn(Pixel(shot, 4, 300))) << "the loaded game is in play";
}

} // namespace
