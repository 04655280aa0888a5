// Load run of the score server: client threads post AddScore through the game's own SOAP client,
// a fresh connection per posting as the game makes it, for a while; then the rate, the latency
// percentiles and whether every acknowledged score is in the database.
// Usage: bench_score_server_load [SECONDS=30] [THREADS=4] [DATABASE=a scratch file]
#include "online/CScorePoster.h"
#include "online/CSoapClient.h"
#include "server/CScoreServer.h"
#include "server/CSqliteScoreStore.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>
#include <unistd.h>

using namespace plk::server;
using Clock = std::chrono::steady_clock;

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const int threads = argc > 2 ? std::atoi(argv[2]) : 4;
    const std::string database =
        argc > 3 ? argv[3]
                 : (std::filesystem::temp_directory_path() / ("plk_load_" + std::to_string(getpid()) + ".sqlite"))
                       .string();
    std::error_code ignored;
    std::filesystem::remove(database, ignored);

    std::string error;
    auto store = CSqliteScoreStore::Open(database, error);
    if (!store)
    {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    CScoreService service(*store, {"StdLevel"});
    CScoreServer server(service);
    server.SetLogSink([](const std::string&) {});
    if (!server.Start("127.0.0.1", 0, error))
    {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (service.SignUp("LoadPlayer", "secret1").outcome != EOutcome::kAccepted)
        return 1;
    const CAnswer login = service.Login("LoadPlayer", "secret1");
    CServiceConfig config;
    config.baseUrl = ("http://127.0.0.1:" + std::to_string(server.GetPort()) + "/").c_str();
    const CSoapOperation addScore = CScorePoster::AddScoreOperation(config);

    std::atomic<long> acknowledged{0};
    std::atomic<long> failed{0};
    std::mutex latencyMutex;
    std::vector<double> latencies;
    const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
    std::vector<std::thread> clients;
    for (int t = 0; t < threads; ++t)
    {
        clients.emplace_back([&, t] {
            std::vector<double> mine;
            for (long i = 0; Clock::now() < end; ++i)
            {
                // A game of its own per posting, so that each acknowledgement is one stored row.
                CScoreEntry entry;
                entry.userName = "LoadPlayer";
                entry.loginTicket = login.sessionId.c_str();
                entry.signatureKey = "VS-0112-HOM";
                entry.gameSession = ("load-" + std::to_string(t) + "-" + std::to_string(i)).c_str();
                entry.levelFileName = "StdLevel3";
                entry.curLevel = 3;
                entry.total = static_cast<int>((i * 7919 + t * 104729) % 200000);
                entry.difficulty = 1 + static_cast<int>(i % 3);
                XString data, why;
                CScorePoster::BuildData(entry, data, why);
                const Clock::time_point start = Clock::now();
                CSoapClient client(config.ScoreEndpoint());
                std::vector<CSoapValue> outputs(3);
                const int result = client.Call(addScore,
                                               {CSoapValue::Text(entry.userName), CSoapValue::Text(entry.signatureKey),
                                                CSoapValue::Text(entry.loginTicket),
                                                CSoapValue::Text(entry.gameSession), CSoapValue::Text(data)},
                                               outputs);
                mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
                if (result == CSoapClient::kSuccess && outputs[0].boolean)
                    ++acknowledged;
                else
                    ++failed;
            }
            std::lock_guard<std::mutex> lock(latencyMutex);
            latencies.insert(latencies.end(), mine.begin(), mine.end());
        });
    }
    for (std::thread& client : clients)
        client.join();
    server.Stop();

    std::int64_t stored = 0;
    store->CountScores(stored, error);
    std::sort(latencies.begin(), latencies.end());
    auto percentile = [&latencies](double p) {
        return latencies.empty() ? 0.0 : latencies[std::min(latencies.size() - 1, std::size_t(p * latencies.size()))];
    };
    std::printf("AddScore load: %d client threads, %d s, database %s\n", threads, seconds, database.c_str());
    std::printf("  acknowledged %ld, failed %ld, %.0f requests/s\n", acknowledged.load(), failed.load(),
                double(acknowledged.load() + failed.load()) / seconds);
    std::printf("  latency ms: p50 %.2f, p90 %.2f, p99 %.2f, max %.2f\n", percentile(0.50), percentile(0.90),
                percentile(0.99), latencies.empty() ? 0.0 : latencies.back());
    std::printf("  scores in the database: %lld (%s the acknowledgements)\n", static_cast<long long>(stored),
                stored == acknowledged.load() ? "equal to" : "DIFFERENT FROM");
    store.reset();
    if (argc <= 3)
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(database + suffix, ignored);
    return stored == acknowledged.load() && failed.load() == 0 ? 0 : 1;
}
