// The builder's undo history on a level of 600 cubes: an edit with the snapshot that records it,
// and an undo that reads the step before back into the level.
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CLevelHistory.h"
#include "game/CPlayBlock.h"

#include <benchmark/benchmark.h>

namespace
{

const int kCubes = 600;

// A builder level of kCubes cubes of every colour and kind on their own cells, its history reset.
void FillLevel(CGameLevel& level)
{
    level.LoadFromDocument(CGameLevel::kNewBuilderLevel, XString(), true, false);
    for (int i = 0; i < kCubes; ++i)
    {
        level.SetNumPlayBlocks(i + 1);
        CPlayBlock& cube = level.GetPlayBlock(i);
        cube.Init(nullptr, i % 63, false);
        cube.SetPosition(CBoard::CellCentre(i % 10, (i / 100) % 7, (i / 10) % 10));
    }
    level.GetHistory().Reset(level);
}

void BM_EditAndSnapshot600Cubes(benchmark::State& state)
{
    CGameLevel level(nullptr);
    FillLevel(level);
    int step = 1;
    for (auto _ : state)
    {
        level.AdjustBgRed(step);
        step = -step;
        if (!level.GetHistory().Record(level))
            state.SkipWithError("the edit was not recorded");
    }
}
BENCHMARK(BM_EditAndSnapshot600Cubes)->Unit(benchmark::kMillisecond);

void BM_Undo600Cubes(benchmark::State& state)
{
    CGameLevel level(nullptr);
    FillLevel(level);
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
    state.counters["cubes"] = level.GetNumPlayBlocks();
}
BENCHMARK(BM_Undo600Cubes)->Unit(benchmark::kMillisecond);

} // namespace
