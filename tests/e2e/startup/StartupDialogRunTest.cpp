// The real game started without --skip-dialog on an X server of its own: the startup dialog comes
// up first and is answered with the mouse through xdotool.
#include "server/CScoreServer.h"
#include "tests/e2e/run/TitleRun.h"
#include "tests/server/ServerTestSupport.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{

const int kWaitSeconds = 40;
const char* const kDialogTitle = "Plinkett3 - Play now";
// The dialog's size and the centres of its buttons, in dialog units.
const int kDialogWidth = 266;
const int kDialogHeight = 255;
const int kPlayX = 133, kPlayY = 50;
const int kExitX = 214, kExitY = 232;
const int kUserNameX = 83, kUserNameY = 79;
const int kPasswordX = 83, kPasswordY = 94;
const int kLoginX = 66, kLoginY = 119;

pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment, int keepFd = -1)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    for (const std::string& variable : environment)
        putenv(const_cast<char*>(variable.c_str()));
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    for (int fd = 0; fd <= 2; ++fd)
        if (fd != keepFd)
            freopen("/dev/null", fd == 0 ? "r" : "w", fd == 0 ? stdin : fd == 1 ? stdout : stderr);
    execvp(argv[0], argv.data());
    _exit(127);
}

// The exit status, or -1 when the process had to be killed after kWaitSeconds.
int WaitFor(pid_t pid)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kWaitSeconds);
    while (std::chrono::steady_clock::now() < deadline)
    {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

std::string Output(const std::string& command)
{
    std::string text;
    if (std::FILE* pipe = popen(command.c_str(), "r"))
    {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

class StartupDialogRun : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        int fds[2];
        ASSERT_EQ(0, pipe(fds));
        s_server = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp", "-screen", "0", "1280x1024x24"},
                         {}, fds[1]);
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        setenv("DISPLAY", (":" + number).c_str(), 1);
    }

    static void TearDownTestSuite()
    {
        if (s_server > 0)
        {
            kill(s_server, SIGTERM);
            waitpid(s_server, nullptr, 0);
        }
    }

    // Starts the game without --skip-dialog and waits for its dialog; the dialog's window id.
    std::string StartGame(pid_t& game, const std::string& serviceUrl = "http://127.0.0.1:9/")
    {
        const char* binary = std::getenv("PLK_BINARY_DIR");
        game = Spawn({(fs::path(binary ? binary : ".") / "stage" / "Plinkett3").string(), "--install-dir",
                      run.Install().string() + "/", "--service-url", serviceUrl},
                     {"VREGISTRY_DIR=" + (run.Install() / "registry").string(), "SDL_AUDIODRIVER=dummy"});
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

    static pid_t s_server;
    TitleRun run;
};

pid_t StartupDialogRun::s_server = -1;

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
    plk::server::test::ScratchFolder folder;
    auto store = plk::server::test::OpenStore(folder.File("scores.sqlite"));
    plk::server::CScoreService service(*store, {"StdLevel"});
    plk::server::CScoreServer server(service);
    server.SetLogSink([](const std::string&) {});
    std::string error;
    ASSERT_TRUE(server.Start("127.0.0.1", 0, error)) << error;
    httplib::Client client("127.0.0.1", server.GetPort());
    auto res = client.Post("/signup", httplib::Params{{"name", "Quinn"}, {"password", "secret1"}, {"password2", "secret1"}});
    ASSERT_TRUE(res && res->status == 200);

    pid_t game = -1;
    const std::string window = StartGame(game, "http://127.0.0.1:" + std::to_string(server.GetPort()) + "/");
    ASSERT_FALSE(window.empty()) << "the dialog did not come up";
    ClickAt(window, kUserNameX, kUserNameY);
    ASSERT_EQ(0, std::system("xdotool type --delay 30 Quinn"));
    ClickAt(window, kPasswordX, kPasswordY);
    ASSERT_EQ(0, std::system("xdotool type --delay 30 secret1"));
    ClickAt(window, kLoginX, kLoginY);
    EXPECT_TRUE(WaitForLog("Logged in to the score service as \"Quinn\".")) << "no login";
    EXPECT_TRUE(WaitForLog("Video mode: ")) << "the game window did not come up";
    EXPECT_TRUE(fs::exists(run.Install() / "data" / "_lg.dat")) << "Store login is checked at first";
    kill(game, SIGTERM);
    EXPECT_EQ(0, WaitFor(game));
    server.Stop();
}
