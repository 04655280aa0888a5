// The real Rastersel driven with the keyboard through xdotool, then the real game started in the
// mode it wrote, on an X server of its own with one 1280 x 1024 mode.
#include "tests/e2e/run/OwnDisplay.h"
#include "tests/e2e/run/TitleRun.h"

#include "foundation/VideoModeSettings.h"
#include "platform/window/Display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

using OwnDisplay::Output;
using OwnDisplay::Spawn;

const int kScreenWidth = 1280;
const int kScreenHeight = 1024;
const int kWaitSeconds = 30;

std::string FileText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The exit status, or -1 when the process had to be killed after seconds.
int WaitFor(pid_t pid, int seconds = kWaitSeconds)
{
    return OwnDisplay::WaitFor(pid, seconds);
}

class RasterselRun : public ::testing::Test
{
protected:
    // One X server for the suite, so that no other test's window takes the keyboard and the screen
    // has a known size.
    static void SetUpTestSuite() { ASSERT_TRUE(OwnDisplay::Start(kScreenWidth, kScreenHeight)) << "Xvfb did not start"; }
    static void TearDownTestSuite() { OwnDisplay::Stop(); }

    fs::path VideoModeFile() const { return run.Install() / "data" / "VideoMode.xml"; }

    // Starts Rastersel on the run's install folder, presses keys in its dialog and waits for it to end.
    void ChooseWithKeys(const std::string& keys)
    {
        const char* binary = std::getenv("PLK_BINARY_DIR");
        const pid_t tool = Spawn({(fs::path(binary ? binary : ".") / "stage" / "Rastersel").string(), "--install-dir",
                                  run.Install().string() + "/"});
        const std::string window =
            Output("timeout " + std::to_string(kWaitSeconds) + " xdotool search --sync --name 'Video Mode Selection'");
        ASSERT_FALSE(window.empty()) << "the dialog did not come up";
        ASSERT_EQ(0, std::system(("xdotool windowfocus --sync " + window + " key --delay 60 " + keys).c_str()));
        EXPECT_EQ(0, WaitFor(tool)) << "Rastersel must end with OK";
    }

    // Starts the game for a few frames with a screenshot; the log's video-mode line and its size.
    void StartGame(std::string& modeLine, int& width, int& height)
    {
        ASSERT_EQ(0, run.Run("60 shot\n", 62));
        for (const std::string& line : run.LogLines())
            if (line.rfind("Video mode: ", 0) == 0)
                modeLine = line;
        const std::vector<fs::path> shots = run.Shots();
        ASSERT_EQ(1u, shots.size());
        TitleBitmap shot;
        ASSERT_TRUE(TitleRun::ReadBitmap(shots[0], shot));
        width = shot.width;
        height = shot.height;
    }

    TitleRun run;
};

} // namespace

TEST_F(RasterselRun, ModeChosenWithTheKeyboardIsTheGamesNextMode)
{
    std::vector<plk::DisplayMode> modes;
    ASSERT_EQ(0, plk::ListDisplayModes(modes));
    ASSERT_FALSE(modes.empty());
    const plk::DisplayMode& first = modes[0];
    ASSERT_EQ(kScreenWidth, first.width);

    // Three Tabs reach the list, Down takes its first mode, Tab and Space check "full screen",
    // Enter presses OK.
    ChooseWithKeys("Tab Tab Tab Down Tab space Return");
    VideoModeSettings expected;
    expected.Id = 1;
    expected.Width = first.width;
    expected.Height = first.height;
    expected.BitsPerPixel = first.bitsPerPixel;
    expected.Hz = first.refreshRate;
    expected.FullScreen = true;
    XString bytes;
    expected.ToText(bytes);
    EXPECT_EQ(bytes.GetBuffer(), FileText(VideoModeFile()));

    std::string line;
    int width = 0, height = 0;
    StartGame(line, width, height);
    EXPECT_EQ("Video mode: 1280 x 1024, 32 bits, full screen", line);
    EXPECT_EQ(kScreenWidth, width);
    EXPECT_EQ(kScreenHeight, height);
}

TEST_F(RasterselRun, DefaultMeansTheCurrentModeWhichIsA1024By768Window)
{
    std::ofstream(VideoModeFile(), std::ios::binary) << "<VideoMode><Id>1</Id><Width>1280</Width>"
                                                        "<Height>1024</Height><FullScreen>true</FullScreen></VideoMode>";
    // Two Tabs reach Default, Space presses it, Enter presses OK.
    ChooseWithKeys("Tab Tab space Return");
    EXPECT_EQ("<VideoMode>\r\n\t<Id>0</Id>\r\n\t<Width>0</Width>\r\n\t<Height>0</Height>\r\n\t<BitsPerPixel>0"
              "</BitsPerPixel>\r\n\t<Hz>0</Hz>\r\n\t<FullScreen>false</FullScreen>\r\n</VideoMode>",
              FileText(VideoModeFile()));

    std::string line;
    int width = 0, height = 0;
    StartGame(line, width, height);
    EXPECT_EQ("Video mode: 1024 x 768, 32 bits, windowed", line);
    EXPECT_EQ(1024, width);
    EXPECT_EQ(768, height);
}

TEST_F(RasterselRun, FullScreenModeTheScreenLacksStartsInTheDesktopsMode)
{
    std::ofstream(VideoModeFile(), std::ios::binary)
        << "<VideoMode><Id>7</Id><Width>1600</Width><Height>1200</Height><BitsPerPixel>32</BitsPerPixel>"
           "<Hz>85</Hz><FullScreen>true</FullScreen></VideoMode>";
    std::string line;
    int width = 0, height = 0;
    StartGame(line, width, height);
    EXPECT_EQ("Video mode: 1280 x 1024, 32 bits, full screen instead of 1600 x 1200, 32 bits, because Error: in "
              "XGameEngine::SetMode, CheckFormat (2) failed.",
              line);
    EXPECT_EQ(kScreenWidth, width);
    EXPECT_EQ(kScreenHeight, height);
}

TEST_F(RasterselRun, WindowLargerThanTheScreenIsFittedToIt)
{
    std::ofstream(VideoModeFile(), std::ios::binary)
        << "<VideoMode><Id>7</Id><Width>1600</Width><Height>1200</Height><BitsPerPixel>32</BitsPerPixel>"
           "<Hz>85</Hz><FullScreen>false</FullScreen></VideoMode>";
    std::string line;
    int width = 0, height = 0;
    StartGame(line, width, height);
    EXPECT_EQ("Video mode: 1280 x 960, 32 bits, windowed, 1600 x 1200 fitted to the screen", line);
    EXPECT_EQ(1280, width);
    EXPECT_EQ(960, height);
}
