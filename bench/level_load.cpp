// Loading a level of 600 cubes, 100 walls, 10 teleporters and 150 scenery objects: the document
// read by tag search, and the whole file path with deciphering.
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"

#include <benchmark/benchmark.h>

namespace
{

XString FullLevelDocument()
{
    CGameLevel level(nullptr);
    level.SetNumPlayBlocks(CGameLevel::kMaxPlayBlocks);
    for (int i = 0; i < CGameLevel::kMaxPlayBlocks; ++i)
    {
        CPlayBlock& block = level.GetPlayBlock(i);
        block.Init(nullptr, i % 63, false);
        block.SetPosition(static_cast<float>(i / 60 % 10) * 10.0f - 45.0f, static_cast<float>(i / 100) * 10.0f + 25.0f,
                          static_cast<float>(i % 10) * 10.0f - 45.0f);
    }
    level.SetNumWalls(100);
    for (int i = 0; i < 100; ++i)
        level.GetWall(i).Init(nullptr, i % CWallBlock::kWallTypeCount);
    level.SetNumTeleporters(CGameLevel::kMaxTeleporters);
    for (int i = 0; i < CGameLevel::kMaxTeleporters; ++i)
        level.GetTeleporter(i).Init(nullptr);
    level.SetNumFieldObjects(CGameLevel::kMaxFieldObjects);
    for (int i = 0; i < CGameLevel::kMaxFieldObjects; ++i)
        level.GetFieldObject(i).Init(nullptr, i % CFieldObject::kObjTypeCount);
    XString document;
    level.WriteDocument(document, false, false);
    return document;
}

void BM_LevelReadDocument(benchmark::State& state)
{
    const XString document = FullLevelDocument();
    CGameLevel level(nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(level.LoadFromDocument("Custom", document, false, false));
    state.counters["doc_bytes"] = static_cast<double>(document.GetLength());
}
BENCHMARK(BM_LevelReadDocument)->Unit(benchmark::kMillisecond);

void BM_LevelDecipherAndRead(benchmark::State& state)
{
    XString enciphered = FullLevelDocument();
    CGameLevel::EncipherDocumentWithTime(enciphered, 1);
    CGameLevel level(nullptr);
    for (auto _ : state)
    {
        XString document(enciphered);
        CGameLevel::DecipherDocument(document);
        benchmark::DoNotOptimize(level.LoadFromDocument("Custom", document, false, false));
    }
}
BENCHMARK(BM_LevelDecipherAndRead)->Unit(benchmark::kMillisecond);

} // namespace
