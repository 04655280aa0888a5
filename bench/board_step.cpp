// Benchmark: one physics and matching step of a full board of 600 cubes, at rest and with 100 of
// them sliding or falling.
#include "game/CBoard.h"
#include "game/CPlayBlock.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace
{
const float kFrameMs = 25.0f;
const int kColours = 10;

struct FullBoard
{
    CBoard board;
    std::vector<std::unique_ptr<CPlayBlock>> blocks;
    std::vector<plk::gfx::Vector3> start;
    std::vector<plk::gfx::Vector3> startVelocity;

    // Neighbouring cells differ by 1, 2 or 4 in this colour, so no two touching cubes match.
    static int ColourOf(int gx, int gy, int gz) { return (gx + 2 * gz + 4 * gy) % kColours; }

    void Add(int gx, int gy, int gz, const plk::gfx::Vector3& velocity)
    {
        blocks.push_back(std::make_unique<CPlayBlock>());
        CPlayBlock& block = *blocks.back();
        block.Init(nullptr, ColourOf(gx, gy, gz), false);
        block.SetPosition(CBoard::CellCentre(gx, gy, gz));
        board.AddBody(&block);
        start.push_back(block.GetPosition());
        startVelocity.push_back(velocity);
    }
    void Reset()
    {
        for (size_t i = 0; i < blocks.size(); ++i)
        {
            blocks[i]->SetPosition(start[i]);
            blocks[i]->m_vVelocity = startVelocity[i];
        }
    }
    void Step()
    {
        CBoard::StepResult result;
        board.Step(kFrameMs, 2, nullptr, result);
    }
};
} // namespace

static void BM_BoardStepAtRest(benchmark::State& state)
{
    FullBoard full;
    for (int gy = 0; gy < 6; ++gy)
        for (int gx = 0; gx < CBoard::kColumns; ++gx)
            for (int gz = 0; gz < CBoard::kRows; ++gz)
                full.Add(gx, gy, gz, plk::gfx::Vector3{});
    full.Step();
    for (auto _ : state)
        full.Step();
    state.counters["cubes"] = static_cast<double>(full.blocks.size());
}
BENCHMARK(BM_BoardStepAtRest)->Unit(benchmark::kMicrosecond);

static void BM_BoardStepHundredMoving(benchmark::State& state)
{
    FullBoard full;
    // 500 at rest on levels 0 to 4; on level 5, 50 sliding toward a free cell each; 50 falling
    // from the top level onto the free cells of level 5.
    for (int gy = 0; gy < 5; ++gy)
        for (int gx = 0; gx < CBoard::kColumns; ++gx)
            for (int gz = 0; gz < CBoard::kRows; ++gz)
                full.Add(gx, gy, gz, plk::gfx::Vector3{});
    for (int gx = 0; gx < CBoard::kColumns; gx += 2)
        for (int gz = 0; gz < CBoard::kRows; ++gz)
        {
            full.Add(gx, 5, gz, plk::gfx::Vector3{80.0f, 0.0f, 0.0f});
            full.Add(gx + 1, 6, gz, plk::gfx::Vector3{0.0f, -60.0f, 0.0f});
        }
    full.Step();
    for (auto _ : state)
    {
        state.PauseTiming();
        full.Reset();
        state.ResumeTiming();
        full.Step();
    }
    state.counters["cubes"] = static_cast<double>(full.blocks.size());
}
BENCHMARK(BM_BoardStepHundredMoving)->Unit(benchmark::kMicrosecond);
