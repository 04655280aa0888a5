// Benchmark: resting positions a second the push solver examines, on three shipped levels of
// different size (cubes, walls, specials), searching breadth-first until it finds a shortest solution
// or reaches a bound of positions.
#include "game/CPushBoard.h"
#include "game/CPushSolver.h"
#include "tools/levelplay/LevelReplay.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace
{
// Enough positions for a steady rate, few enough for a short run.
const int kPositions = 20000;

void SolveLevel(benchmark::State& state, const char* name)
{
    const std::filesystem::path source =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "content" / "levels" / (std::string(name) + ".txt");
    XString document;
    CLevelReplay replay("no-media/");
    if (!document.ReadFile(source.string().c_str()) ||
        !replay.LoadDocument((std::string("Solve_") + name).c_str(), document, 1))
    {
        state.SkipWithError("the level does not load");
        return;
    }
    for (int frame = 0; frame < 2000 && !replay.IsAtRest(); ++frame)
        replay.Frame();
    CPushBoard::Setup setup;
    XString error;
    if (!CPushBoard::Describe(replay.GetLevel(), setup, error))
    {
        state.SkipWithError(error.GetBuffer());
        return;
    }
    CPushBoard board;
    board.Prepare(setup);
    CPushSolver solver;
    CPushSolver::Limits limits;
    limits.maxPushes = 1000;
    limits.maxPositions = kPositions;
    long long positions = 0;
    for (auto _ : state)
    {
        solver.Solve(board, setup.cubes, limits);
        positions += solver.GetPositionsSeen();
    }
    state.counters["positions/s"] = benchmark::Counter(static_cast<double>(positions), benchmark::Counter::kIsRate);
    state.counters["rules share"] = static_cast<double>(board.GetRulePushes()) /
                                    static_cast<double>(board.GetRulePushes() + board.GetGridPushes());
}
} // namespace

BENCHMARK_CAPTURE(SolveLevel, small_StdLevel11, "StdLevel11")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolveLevel, medium_StdLevel17, "StdLevel17")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolveLevel, large_StdLevel13, "StdLevel13")->Unit(benchmark::kMillisecond);
