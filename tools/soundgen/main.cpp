// plk_soundgen: renders every sound effect and music track of the game into the data folder.
#include "tools/soundgen/SoundSet.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

using namespace plk::soundgen;

namespace
{

// The build machine is shared: two workers are as many as it should give one generator.
const unsigned kMaxWorkers = 2;

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s CONTENT_SOUND_DIR OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    std::vector<SoundJob> jobs;
    try
    {
        jobs = ListSoundJobs(argv[1]);
        std::filesystem::create_directories(argv[2]);
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "plk_soundgen: %s\n", e.what());
        return 1;
    }

    // Longest jobs first (the music), so the two workers finish together.
    std::stable_sort(jobs.begin(), jobs.end(), [](const SoundJob& a, const SoundJob& b) { return a.music > b.music; });
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex printLock;
    auto worker = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++)
        {
            std::string error;
            if (!RunSoundJob(jobs[i], argv[2], error))
            {
                std::lock_guard<std::mutex> lock(printLock);
                std::fprintf(stderr, "plk_soundgen: %s: %s\n", jobs[i].output.c_str(), error.c_str());
                failed = true;
            }
        }
    };
    const unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers);
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < count; ++i)
        workers.emplace_back(worker);
    for (std::thread& t : workers)
        t.join();
    if (failed)
        return 1;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("plk_soundgen: %zu sounds in %.1f s\n", jobs.size(), seconds);
    return 0;
}
