// Frames of a level of 600 cubes at 1024 x 768: the play screen with its status bar as the game
// shows it, and the same level in the builder with its tool bar; and the builder's undo with the
// level's meshes and media loaded. Needs a display (xvfb-run or SDL_VIDEODRIVER=offscreen) and the
// staged data (PLK_DATA_DIR, or the build's stage/data beside this program's folder).
#include "bench/GameBench.h"
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CLevelHistory.h"
#include "game/CPlayBlock.h"
#include "game/GameRandom.h"
#include "screens/CLevelBuilder.h"
#include "screens/CPlayScreen.h"
#include "screens/CStatusBar.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace
{

const unsigned kFrameMs = 25;
const int kWarmUpFrames = 80;
const char* const kLevelName = "Bench600";
// Cubes on 600 of the board's 700 cells, bottom layer first so that none falls, no two of a colour
// side by side so that play clears none.
const int kCubes = 600;
const int kBoardTop = 1;
const int kTerrain = 1;

struct BuilderBench
{
    fs::path folder = fs::temp_directory_path() / ("plk-bench-builder-" + std::to_string(getpid()));
    std::unique_ptr<XGameEngine> engine;
    std::unique_ptr<CGameLevel> level;

    void Stop() { StopGameBench(engine, level, folder, true); }

    bool WriteLevel(const XString& dataFolder)
    {
        CGameLevel author(nullptr);
        author.SetDataFolder(dataFolder);
        author.LoadFromDocument(XString(CGameLevel::kNewBuilderLevel), XString(), true, false);
        author.SetLevelName("Six hundred cubes");
        author.SetBoardTop(kBoardTop);
        author.SetTerrain(kTerrain);
        // One more than the tool bar adds: the level model holds 600.
        author.SetNumPlayBlocks(kCubes);
        for (int i = 0; i < kCubes; ++i)
        {
            const int gx = i % 10, gy = i / 100, gz = (i / 10) % 10;
            CPlayBlock& cube = author.GetPlayBlock(i);
            cube.Init(nullptr, (gx + 3 * gz + 7 * gy) % 10, false);
            cube.SetPosition(CBoard::CellCentre(gx, gy, gz));
        }
        return author.GetNumPlayBlocks() == kCubes && author.Save(XString(kLevelName), false);
    }

    bool Start()
    {
        engine = StartGameBench(folder, BenchLevels::kOwn, kFrameMs);
        if (!engine)
            return false;
        const XString dataFolder = BenchDataFolder(folder);
        if (!WriteLevel(dataFolder))
        {
            std::fprintf(stderr, "the level of %d cubes could not be written\n", kCubes);
            return false;
        }
        CGameRandom::Seed(1);
        level = std::make_unique<CGameLevel>(engine.get());
        level->SetDataFolder(dataFolder);
        level->SetDifficulty(2);
        std::atexit([] { StartedOnce<BuilderBench>().Stop(); });
        return true;
    }

    // Replaces whatever is shown by the level in play or in the builder, and lets it settle.
    bool Show(bool builder)
    {
        auto* play = new CPlayScreen(level.get(), builder, XString(kLevelName), false);
        engine->AddScreen(false, false, true, play, nullptr);
        if (builder)
            engine->AddScreen(true, false, false, new CLevelBuilder(level.get()), nullptr);
        else
            engine->AddScreen(true, false, false, new CStatusBar(level.get(), false), nullptr);
        bool quit = false;
        for (int i = 0; i < kWarmUpFrames && !quit; ++i)
            if (!engine->Frame(quit))
                return false;
        if (level->GetNumPlayBlocks() != kCubes || level->GetGameboardId() != kBoardTop)
        {
            std::fprintf(stderr, "the level did not load: %s\n", level->GetErrorMsg().GetBuffer());
            return false;
        }
        return true;
    }
};

void Frames(benchmark::State& state, bool builder)
{
    BuilderBench& bench = StartedOnce<BuilderBench>();
    if (!bench.Show(builder))
    {
        state.SkipWithError("the level could not be shown");
        return;
    }
    bool quit = false;
    for (auto _ : state)
        if (!bench.engine->Frame(quit) || quit)
            state.SkipWithError("the frame failed or the game ended");
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["cubes"] = bench.level->GetNumPlayBlocks();
}

void BM_PlayFrame600Cubes(benchmark::State& state)
{
    Frames(state, false);
}
BENCHMARK(BM_PlayFrame600Cubes)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_BuilderFrame600Cubes(benchmark::State& state)
{
    Frames(state, true);
}
BENCHMARK(BM_BuilderFrame600Cubes)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

// With the engine, an undo also makes every cube's meshes and sounds and the level's board top and
// terrain ready again.
void BM_BuilderUndo600CubesWithMedia(benchmark::State& state)
{
    BuilderBench& bench = StartedOnce<BuilderBench>();
    if (!bench.Show(true))
    {
        state.SkipWithError("the level could not be shown");
        return;
    }
    CGameLevel& level = *bench.level;
    level.AdjustBgRed(1);
    level.GetHistory().Record(level);
    for (auto _ : state)
    {
        if (!level.GetHistory().Undo(level))
            state.SkipWithError("nothing to undo");
        state.PauseTiming();
        level.GetHistory().Redo(level);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuilderUndo600CubesWithMedia)->Unit(benchmark::kMillisecond);

} // namespace
