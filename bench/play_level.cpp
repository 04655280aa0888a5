// A frame of the real play view over a shipped level at 1024 x 768: the scene, rain and
// particles, scenery, the status message and the spares, as the game draws them. The level is
// the busiest of the shipped ones (rain over a full scenery ring) unless PLK_BENCH_LEVEL names
// another; the peak resident memory of the process is reported beside the time. Needs a display
// (xvfb-run or SDL_VIDEODRIVER=offscreen) and the staged data (PLK_DATA_DIR, or the build's
// stage/data beside this program's folder).
#include "bench/GameBench.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/GameRandom.h"
#include "screens/CPlayScreen.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace
{

// The engine's frame cap: the step every frame of the game advances by.
const unsigned kFrameMs = 25;
// Frames played before timing: the level loads and its GPU objects are made on the first ones.
const int kWarmUpFrames = 80;
const char* const kBusiestLevel = "StdLevel25";

struct PlayBench
{
    fs::path folder = fs::temp_directory_path() / ("plk-bench-play-" + std::to_string(getpid()));
    std::unique_ptr<XGameEngine> engine;
    std::unique_ptr<CGameLevel> level;

    // Registered with atexit once the shared media are loaded, so that it runs before their own
    // static holders are destroyed.
    void Stop() { StopGameBench(engine, level, folder, true); }

    bool Start()
    {
        engine = StartGameBench(folder, BenchLevels::kShipped, kFrameMs);
        if (!engine)
            return false;
        const XString dataFolder = BenchDataFolder(folder);
        CGameRandom::Seed(1);
        level = std::make_unique<CGameLevel>(engine.get());
        level->SetDataFolder(dataFolder);
        level->SetDifficulty(2);
        const std::string name = BenchEnv("PLK_BENCH_LEVEL", kBusiestLevel);
        engine->AddScreen(false, false, true, new CPlayScreen(level.get(), false, name.c_str(), false), nullptr);
        std::atexit([] { StartedOnce<PlayBench>().Stop(); });
        bool quit = false;
        for (int i = 0; i < kWarmUpFrames && !quit; ++i)
            if (!engine->Frame(quit))
                return false;
        if (level->GetLevelFileName() != name.c_str())
        {
            std::fprintf(stderr, "the level %s did not load: %s\n", name.c_str(), level->GetErrorMsg().GetBuffer());
            return false;
        }
        return true;
    }
};

void BM_PlayFrameOfTheBusiestLevel(benchmark::State& state)
{
    PlayBench& bench = StartedOnce<PlayBench>();
    bool quit = false;
    for (auto _ : state)
        if (!bench.engine->Frame(quit) || quit)
            state.SkipWithError("the frame failed or the game ended");
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = PeakResidentMegabytes();
    state.counters["cubes"] = bench.level->GetNumPlayBlocks();
    state.counters["scenery"] = bench.level->GetNumFieldObjects();
}
BENCHMARK(BM_PlayFrameOfTheBusiestLevel)->Unit(benchmark::kMillisecond)->MinTime(5.0)->UseRealTime();

} // namespace
