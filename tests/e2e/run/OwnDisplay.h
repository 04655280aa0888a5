// Runs that drive windows with xdotool: an X server of the suite's own, so that no other test's
// window takes the keyboard and the screen has a known size, and the child processes they start.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace OwnDisplay
{

// Starts Xvfb with one width x height mode and points DISPLAY at it; false when it did not start.
bool Start(int width, int height);
// Starts a window manager on that server, as every desktop has one: full screen and leaving it
// are the window manager's to carry out, so that without one a window keeps its size. False when
// none came up.
bool StartWindowManager();
// Ends the server Start began, and its window manager, and points DISPLAY where it was before.
void Stop();

// Starts args[0] with args, the environment plus the given "NAME=value" entries, and its standard
// streams on /dev/null except keepFd.
pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment = {},
            int keepFd = -1);
// The exit status, or -1 when the process had to be killed after seconds.
int WaitFor(pid_t pid, int seconds);
// What a shell command printed, without its final line ends.
std::string Output(const std::string& command);

} // namespace OwnDisplay
