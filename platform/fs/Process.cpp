// Process start on posix_spawn and the owner-only file mode.
#include "platform/fs/Process.h"

#include "platform/fs/Path.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace plk::fs
{

int StartProgram(std::string_view program, const std::vector<std::string>& arguments)
{
    if (program.empty() || HasEmbeddedNul(program))
        return EINVAL;
    const bool isPath = program.find_first_of("/\\") != std::string_view::npos;
    const std::string file = isPath ? ResolvePath(program) : std::string(program);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(file.c_str()));
    for (const std::string& argument : arguments)
    {
        if (HasEmbeddedNul(argument))
            return EINVAL;
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int result = isPath ? posix_spawn(&pid, file.c_str(), nullptr, nullptr, argv.data(), environ)
                              : posix_spawnp(&pid, file.c_str(), nullptr, nullptr, argv.data(), environ);
    if (result != 0)
        return result;
    // A child nobody waits for stays behind as a zombie for as long as this process runs.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR)
        {
        }
    }).detach();
    return 0;
}

int OpenWithDesktop(std::string_view target)
{
    if (target.empty())
        return EINVAL;
    const bool isAddress = target.find("://") != std::string_view::npos;
    return StartProgram("xdg-open", {isAddress ? std::string(target) : ResolvePath(target)});
}

int MakeOwnerOnly(std::string_view path)
{
    if (HasEmbeddedNul(path))
        return EINVAL;
    const std::string file = ResolvePath(path);
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    if (fd < 0)
        return errno;
    const int result = fchmod(fd, S_IRUSR | S_IWUSR) == 0 ? 0 : errno;
    close(fd);
    return result;
}

} // namespace plk::fs
