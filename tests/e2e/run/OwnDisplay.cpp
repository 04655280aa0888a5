// Starting Xvfb and the programs a run drives, waiting for them and reading a command's output.
#include "tests/e2e/run/OwnDisplay.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace OwnDisplay
{

namespace
{
pid_t g_server = -1;
pid_t g_windowManager = -1;
// The display the process had before Start, given back by Stop.
std::string g_formerDisplay;
bool g_hadDisplay = false;
// How long a window manager may take to come up, in steps of 100 ms.
const int kWindowManagerSteps = 100;
} // namespace

bool Start(int width, int height)
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    g_server = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp", "-screen", "0",
                      std::to_string(width) + "x" + std::to_string(height) + "x24"},
                     {}, fds[1]);
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty())
        return false;
    const char* former = std::getenv("DISPLAY");
    g_hadDisplay = former != nullptr;
    g_formerDisplay = former ? former : "";
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

bool StartWindowManager()
{
    g_windowManager = Spawn({"openbox", "--sm-disable"});
    // The desktop number is the window manager's to publish: once it is there, windows are managed.
    for (int step = 0; step < kWindowManagerSteps; ++step)
    {
        if (Output("xdotool get_desktop 2>/dev/null") == "0")
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

void Stop()
{
    if (g_windowManager > 0)
    {
        kill(g_windowManager, SIGTERM);
        waitpid(g_windowManager, nullptr, 0);
        g_windowManager = -1;
    }
    if (g_server > 0)
    {
        kill(g_server, SIGTERM);
        waitpid(g_server, nullptr, 0);
        g_server = -1;
        if (g_hadDisplay)
            setenv("DISPLAY", g_formerDisplay.c_str(), 1);
        else
            unsetenv("DISPLAY");
    }
}

pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment, int keepFd)
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
    // The child's output would only clutter the test's.
    for (int fd = 0; fd <= 2; ++fd)
        if (fd != keepFd)
            freopen("/dev/null", fd == 0 ? "r" : "w", fd == 0 ? stdin : fd == 1 ? stdout : stderr);
    execvp(argv[0], argv.data());
    _exit(127);
}

int WaitFor(pid_t pid, int seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
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

} // namespace OwnDisplay
