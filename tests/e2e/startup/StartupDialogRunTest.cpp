// The real game started without --skip-dialog on an X server of its own: the startup dialog comes
// up first and is answered with the mouse through xdotool.
#include "server/CScoreServer.h"
#include "tests/e2e/run/RunChecks.h"
#include "tests/e2e/run/RunScript.h"
#include "tests/e2e/run/ScreenPoints.h"
#include "tests/e2e/run/SolutionScript.h"
#include "tests/e2e/run/OwnDisplay.h"
#include "tests/e2e/run/TitleRun.h"
#include "tests/server/ServerTestSupport.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace
{

using OwnDisplay::Output;
using OwnDisplay::Spawn;

const int kWaitSeconds = 40;
const int kScreenWidth = 1280;
const int kScreenHeight = 1024;
const char* const kDialogTitle = "Plinkett3 - Play now";
// The dialog's size and the centres of its buttons, in dialog units.
const int kDialogWidth = 266;
const int kDialogHeight = 255;
const int kPlayX = 133, kPlayY = 50;
const int kExitX = 214, kExitY = 232;
const int kUserNameX = 83, kUserNameY = 79;
const int kPasswordX = 83, kPasswordY = 94;
const int kLoginX = 66, kLoginY = 119;

// The exit status, or -1 when the process had to be killed after seconds.
int WaitFor(pid_t pid, int seconds = kWaitSeconds)
{
    return OwnDisplay::WaitFor(pid, seconds);
}

class StartupDialogRun : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(OwnDisplay::Start(kScreenWidth, kScreenHeight)) << "Xvfb did not start"; }
    static void TearDownTestSuite() { OwnDisplay::Stop(); }

    // Starts the game without --skip-dialog, with options added, and waits for its dialog; the
    // dialog's window id.
    std::string StartGame(pid_t& game, const std::string& serviceUrl = "http://127.0.0.1:9/",
                          const std::vector<std::string>& options = {})
    {
        const char* binary = std::getenv("PLK_BINARY_DIR");
        std::vector<std::string> args = {(fs::path(binary ? binary : ".") / "stage" / "Plinkett3").string(),
                                         "--install-dir", run.Install().string() + "/", "--service-url", serviceUrl};
        args.insert(args.end(), options.begin(), options.end());
        game = Spawn(args, {"VREGISTRY_DIR=" + (run.Install() / "registry").string(), "SDL_AUDIODRIVER=dummy"});
        return Output("timeout " + std::to_string(kWaitSeconds) + " xdotool search --sync --name '" + kDialogTitle + "'");
    }

    // Clicks the point x, y given in dialog units of the dialog window.
    static void ClickAt(const std::string& window, int x, int y)
    {
        const std::string geometry = Output("xdotool getwindowgeometry --shell " + window);
        int width = 0, height = 0;
        const size_t w = geometry.find("WIDTH="), h = geometry.find("HEIGHT=");
        ASSERT_NE(std::string::npos, w);
        ASSERT_NE(std::string::npos, h);
        width = std::atoi(geometry.c_str() + w + 6);
        height = std::atoi(geometry.c_str() + h + 7);
        const std::string command = "xdotool mousemove --window " + window + " " +
                                    std::to_string(x * width / kDialogWidth) + " " +
                                    std::to_string(y * height / kDialogHeight) + " sleep 0.3 click 1";
        ASSERT_EQ(0, std::system(command.c_str()));
    }

    // Types the player's name and password into the dialog and clicks "Login and play now".
    static void LogIn(const std::string& window)
    {
        ClickAt(window, kUserNameX, kUserNameY);
        ASSERT_EQ(0, std::system("xdotool type --delay 30 Quinn"));
        ClickAt(window, kPasswordX, kPasswordY);
        ASSERT_EQ(0, std::system("xdotool type --delay 30 secret1"));
        ClickAt(window, kLoginX, kLoginY);
    }

    bool WaitForLog(const std::string& start) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kWaitSeconds);
        while (!LogHas(start) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return LogHas(start);
    }

    bool LogHas(const std::string& start) const
    {
        for (const std::string& line : run.LogLines())
            if (line.rfind(start, 0) == 0)
                return true;
        return false;
    }

    TitleRun run;
};

// The reference score server on a loopback port, with the player Quinn signed up.
class ScoreServer
{
public:
    ScoreServer()
        : m_store(plk::server::test::OpenStore(m_folder.File("scores.sqlite"))), m_service(*m_store, {"StdLevel"}),
          m_server(m_service)
    {
        m_server.SetLogSink([this](const std::string& line) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lines += line + "\n";
        });
        std::string error;
        if (!m_server.Start("127.0.0.1", 0, error))
        {
            ADD_FAILURE() << error;
            return;
        }
        httplib::Client client("127.0.0.1", m_server.GetPort());
        auto res = client.Post("/signup",
                               httplib::Params{{"name", "Quinn"}, {"password", "secret1"}, {"password2", "secret1"}});
        m_started = res && res->status == 200;
    }
    ~ScoreServer() { m_server.Stop(); }
    ScoreServer(const ScoreServer&) = delete;
    ScoreServer& operator=(const ScoreServer&) = delete;

    bool Started() const { return m_started; }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(m_server.GetPort()) + "/"; }
    // The body of a page of the server, empty unless it answered 200.
    std::string Page(const std::string& path)
    {
        httplib::Client client("127.0.0.1", m_server.GetPort());
        auto res = client.Get(path);
        return res && res->status == 200 ? res->body : std::string();
    }
    std::string LogLines()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lines;
    }

private:
    plk::server::test::ScratchFolder m_folder;
    std::unique_ptr<plk::server::CSqliteScoreStore> m_store;
    plk::server::CScoreService m_service;
    plk::server::CScoreServer m_server;
    bool m_started = false;
    std::mutex m_mutex;
    std::string m_lines;
};

// Pixels of the status message's pale yellow (255, 240, 160) in the band at the foot of the play
// view where it is drawn; the tolerance is tight enough that the desert sand never counts.
int StatusTextPixels(const fs::path& shot)
{
    TitleBitmap bitmap;
    if (!TitleRun::ReadBitmap(shot, bitmap))
        return -1;
    const int left = RunScript::X(20), right = std::min(RunScript::X(800), bitmap.width);
    const int top = RunScript::Y(700), bottom = std::min(RunScript::Y(748), bitmap.height);
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
        {
            int r = 0, g = 0, b = 0;
            bitmap.Pixel(x, y, r, g, b);
            if (r >= 245 && g >= 228 && g <= 252 && b >= 130 && b <= 185)
                ++count;
        }
    return count;
}

} // namespace

TEST_F(StartupDialogRun, ExitEndsTheProgramWithOnlyTheStartLines)
{
    pid_t game = -1;
    const std::string window = StartGame(game);
    ASSERT_FALSE(window.empty()) << "the dialog did not come up";
    ClickAt(window, kExitX, kExitY);
    EXPECT_EQ(0, WaitFor(game));
    const std::vector<std::string> lines = run.LogLines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("----------- WinMain Game Startup... Plinkett v1.0 -------------", lines[0]);
    EXPECT_EQ(0u, lines[1].rfind("Date and time: ", 0));
    EXPECT_TRUE(fs::exists(run.Install() / "data" / "Chks.xml"));
}

TEST_F(StartupDialogRun, PlayGoesOnToTheGame)
{
    pid_t game = -1;
    const std::string window = StartGame(game);
    ASSERT_FALSE(window.empty()) << "the dialog did not come up";
    ClickAt(window, kPlayX, kPlayY);
    EXPECT_TRUE(WaitForLog("Video mode: ")) << "the game window did not come up";
    // The dialog is gone, the game's own window is there.
    EXPECT_TRUE(Output("xdotool search --name '" + std::string(kDialogTitle) + "'").empty());
    EXPECT_FALSE(Output("timeout 10 xdotool search --sync --name 'Plinkett3 v1.0'").empty());
    kill(game, SIGTERM);
    EXPECT_EQ(0, WaitFor(game));
    EXPECT_TRUE(LogHas("----------- Game exiting normally -------------"));
}

TEST_F(StartupDialogRun, LoginAtTheScoreServerThenPlay)
{
    ScoreServer server;
    ASSERT_TRUE(server.Started());
    pid_t game = -1;
    const std::string window = StartGame(game, server.Url());
    ASSERT_FALSE(window.empty()) << "the dialog did not come up";
    LogIn(window);
    EXPECT_TRUE(WaitForLog("Logged in to the score service as \"Quinn\".")) << "no login";
    EXPECT_TRUE(WaitForLog("Video mode: ")) << "the game window did not come up";
    EXPECT_TRUE(fs::exists(run.Install() / "data" / "_lg.dat")) << "Store login is checked at first";
    kill(game, SIGTERM);
    EXPECT_EQ(0, WaitFor(game));
}

// The whole way of a logged-in player: the dialog, a scripted game whose first standard level is
// won by clicks, the server's rank in the status line, and the player on the top-scores page.
TEST_F(StartupDialogRun, LoggedInWinOfTheFirstLevelShowsTheRankAndReachesTheScoresPage)
{
    namespace sp = ScreenPoints;
    const int kDifficultyUp = 80, kStartCardUp = 50;
    // The run takes some 20 s under a software renderer; a busy machine gets room to spare.
    const int kRunSeconds = 180;

    ScoreServer server;
    ASSERT_TRUE(server.Started());
    // Without level sets a new game starts the standard series at once.
    run.HideData("Upg.xml");
    CLevelSolution solution;
    ASSERT_TRUE(ReadShippedSolution("StdLevel1", solution)) << solution.GetErrorMsg().GetBuffer();
    // Frames count from the game's main loop, which begins once the dialog has closed.
    RunScript script;
    script.Click(sp::kTitleFrame, sp::kNewGameX, sp::kNewGameY);
    script.Click(sp::kTitleFrame + kDifficultyUp, sp::kDifficultyX[2], sp::kDifficultyY);
    const int card = sp::kTitleFrame + kDifficultyUp + kStartCardUp;
    // The first level in play before any score was posted: the status line is empty.
    script.Shot(card + 30);
    std::string error;
    const int next = AppendLevel(run.DataFolder(), XString("StdLevel1"), solution, card, script, error);
    ASSERT_GE(next, 0) << error;
    script.Key(next + 10, "Space");
    script.Shot(next + 60);
    script.Click(next + 70, sp::kBarX, sp::kExitY);
    script.Key(next + 70 + sp::kTitleAgain, "Escape");

    const fs::path root = run.Install().parent_path();
    const fs::path scriptFile = root / "login-script.txt";
    std::ofstream(scriptFile) << script.Text();
    fs::create_directories(root / "shots");
    pid_t game = -1;
    const std::string window =
        StartGame(game, server.Url(),
                  {"--fixed-step", std::to_string(TitleRun::kFrameMs), "--script", scriptFile.string(),
                   "--capture-dir", (root / "shots").string() + "/", "--max-frames", std::to_string(next + 300)});
    ASSERT_FALSE(window.empty()) << "the dialog did not come up";
    LogIn(window);
    ASSERT_EQ(0, WaitFor(game, kRunSeconds));

    EXPECT_TRUE(LogHas("Logged in to the score service as \"Quinn\".")) << "no login";
    ExpectCleanLog(run);
    const std::vector<fs::path> shots = run.Shots();
    ASSERT_EQ(3u, shots.size()) << "first level, level complete, second level";
    EXPECT_TRUE(IsBlueColumn(run.ShotPixel(2, 4, 300))) << "the second level in play";
    EXPECT_EQ(0, StatusTextPixels(shots[0])) << "nothing in the status line before the first posting";
    EXPECT_GT(StatusTextPixels(shots[2]), 100) << "no server message in the status line: " << server.LogLines();
    const std::string scores = server.Page("/scores");
    EXPECT_NE(std::string::npos, scores.find("Quinn")) << scores << server.LogLines();
}
