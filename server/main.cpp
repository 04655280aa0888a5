// Plinkett3ScoreServer: the reference score server the game's online scores talk to.
#include "server/CScoreServer.h"
#include "server/CServerOptions.h"
#include "server/CSqliteScoreStore.h"
#include "server/TextCodec.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <pthread.h>

using namespace plk::server;

namespace
{

std::string ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

} // namespace

int main(int argc, char** argv)
{
    CServerOptions options;
    std::string error;
    if (!options.Parse(argc, argv, error))
    {
        std::fprintf(stderr, "Plinkett3ScoreServer: %s\n%s", error.c_str(), CServerOptions::Usage());
        return 2;
    }
    if (options.help)
    {
        std::fputs(CServerOptions::Usage(), stdout);
        return 0;
    }
    std::vector<std::string> series = options.series;
    if (series.empty())
        series = KnownSeries(options.installDir.empty() ? ProgramFolder() : options.installDir);

    // Every thread started from here on inherits the blocked signals, so only sigwait below sees
    // them and the stop runs as ordinary code, not in a signal handler.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<CSqliteScoreStore> store = CSqliteScoreStore::Open(options.database, error);
    if (!store)
    {
        std::fprintf(stderr, "Plinkett3ScoreServer: %s\n", error.c_str());
        return 1;
    }
    CScoreService service(*store, series);
    {
        CScoreServer server(service);
        if (!server.Start(options.bind, options.port, error))
        {
            std::fprintf(stderr, "Plinkett3ScoreServer: %s\n", error.c_str());
            return 1;
        }
        std::string names;
        for (const std::string& name : series)
            names += (names.empty() ? "" : ", ") + AnsiToUtf8(name);
        std::fprintf(stderr, "Plinkett3ScoreServer: serving http://%s:%d/ from %s; series %s\n",
                     options.bind.c_str(), server.GetPort(), options.database.c_str(), names.c_str());

        int signal = 0;
        sigwait(&stopSignals, &signal);
        std::fprintf(stderr, "Plinkett3ScoreServer: %s received, finishing the requests in progress\n",
                     signal == SIGINT ? "SIGINT" : "SIGTERM");
        server.Stop();
    }
    store.reset();
    std::fprintf(stderr, "Plinkett3ScoreServer: stopped\n");
    return 0;
}
