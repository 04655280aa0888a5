// The staged Plinkett3ScoreServer program: it announces its address, serves, and on SIGTERM or
// SIGINT finishes and exits 0 with what it was told kept in its database.
#include "ServerTestSupport.h"

#include <httplib.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace plk::server;
using namespace plk::server::test;

namespace
{

// One run of the program with its stderr read through a pipe.
class ServerProcess
{
public:
    explicit ServerProcess(const std::string& database)
    {
        const char* binary = std::getenv("PLK_BINARY_DIR");
        const std::string program = std::string(binary ? binary : ".") + "/stage/Plinkett3ScoreServer";
        int pipe[2];
        if (::pipe(pipe) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipe[1], 2);
        posix_spawn_file_actions_addclose(&actions, pipe[0]);
        const char* argv[] = {program.c_str(), "--port", "0", "--db", database.c_str(), "--series", "StdLevel",
                              nullptr};
        if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, const_cast<char**>(argv), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipe[1]);
        m_stderr = pipe[0];
    }
    ~ServerProcess()
    {
        if (m_pid > 0)
        {
            ::kill(m_pid, SIGKILL);
            Wait();
        }
        if (m_stderr >= 0)
            ::close(m_stderr);
    }

    // Reads stderr until text appears or 10 s pass; everything read so far stays in Output().
    bool WaitFor(const std::string& text)
    {
        for (int waited = 0; m_output.find(text) == std::string::npos; waited += 100)
        {
            pollfd ready{m_stderr, POLLIN, 0};
            if (waited > 10000 || ::poll(&ready, 1, 100) < 0)
                return false;
            char buffer[512];
            const ssize_t got = ready.revents ? ::read(m_stderr, buffer, sizeof buffer) : 0;
            if (ready.revents && got <= 0)
                return false;
            m_output.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        }
        return true;
    }

    int Port() const
    {
        const std::size_t at = m_output.find("http://127.0.0.1:");
        return at == std::string::npos ? 0 : std::atoi(m_output.c_str() + at + 17);
    }
    void Signal(int signal) const { ::kill(m_pid, signal); }
    // The exit status, or -1 when it did not exit normally.
    int Wait()
    {
        int status = 0;
        const pid_t pid = m_pid;
        m_pid = -1;
        if (pid <= 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }
    bool Started() const { return m_pid > 0; }
    const std::string& Output() const { return m_output; }

private:
    pid_t m_pid = -1;
    int m_stderr = -1;
    std::string m_output;
};

TEST(ServerProgram, StopsCleanlyOnEitherSignalKeepingWhatItTook)
{
    ScratchFolder folder;
    const std::string database = folder.File("scores.sqlite");
    int round = 0;
    for (int signal : {SIGTERM, SIGINT})
    {
        ServerProcess server(database);
        ASSERT_TRUE(server.Started());
        ASSERT_TRUE(server.WaitFor("serving ")) << server.Output();
        ASSERT_GT(server.Port(), 0) << server.Output();
        httplib::Client client("127.0.0.1", server.Port());
        const std::string name = "player" + std::to_string(round++);
        auto res = client.Post("/signup", httplib::Params{{"name", name}, {"password", "secret1"}, {"password2", "secret1"}});
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 200);

        server.Signal(signal);
        EXPECT_TRUE(server.WaitFor("stopped")) << server.Output();
        EXPECT_EQ(server.Wait(), 0) << server.Output();
        EXPECT_NE(server.Output().find("\"POST /signup\" 200"), std::string::npos) << server.Output();
    }
    auto store = OpenStore(database);
    std::optional<CPlayer> player;
    std::string error;
    for (const char* name : {"player0", "player1"})
    {
        ASSERT_TRUE(store->FindPlayer(name, player, error)) << error;
        EXPECT_TRUE(player) << name << " survived the stop";
    }
}

TEST(ServerProgram, RefusesBadOptionsAndAnUnusableDatabase)
{
    ScratchFolder folder;
    {
        std::ofstream(folder.File("not-a-db")) << "plain text";
    }
    ServerProcess server(folder.File("not-a-db"));
    ASSERT_TRUE(server.Started());
    server.WaitFor("score database");
    EXPECT_EQ(server.Wait(), 1) << server.Output();
    EXPECT_NE(server.Output().find("not-a-db"), std::string::npos) << server.Output();
}

} // namespace
