// What the benchmarks of the game's own views share: the staged data linked into a run folder of
// their own, the process's peak memory, and the order of taking it all down.
#pragma once

#include "bench/BenchEngine.h"
#include "engine/XDXSound.h"
#include "engine/XEngineOptions.h"
#include "engine/XGameEngine.h"
#include "foundation/CLogFile.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CWallBlock.h"

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

inline std::string BenchEnv(const char* name, const std::string& otherwise)
{
    const char* value = std::getenv(name);
    return value && *value ? value : otherwise;
}

// The build's staged data folder beside this program's folder, unless PLK_DATA_DIR names another.
inline std::filesystem::path StagedData()
{
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
    return BenchEnv("PLK_DATA_DIR", (exe.parent_path().parent_path() / "stage" / "data").string());
}

enum class BenchLevels
{
    kShipped, // the staged levels are seen in the run folder
    kOwn,     // the run writes its own levels into an empty levels folder
};

// A folder that shows the staged media and takes this run's saved games and log (and its levels,
// with kOwn). False when the data is not there.
inline bool LinkStagedData(const std::filesystem::path& data, const std::filesystem::path& folder, BenchLevels levels)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(folder / "savedgames", error);
    if (levels == BenchLevels::kOwn)
        fs::create_directories(folder / "levels", error);
    for (const fs::directory_entry& entry : fs::directory_iterator(data, error))
    {
        const fs::path name = entry.path().filename();
        if (name != "savedgames" && name != "Logs" && (levels == BenchLevels::kShipped || name != "levels"))
            fs::create_symlink(entry.path(), folder / name, error);
    }
    return fs::exists(folder / "Block0.x") && fs::exists(folder / "levels");
}

// The run folder as the game names its data folder, with a backslash at the end: media keep the
// name after it.
inline XString BenchDataFolder(const std::filesystem::path& folder)
{
    return XString((folder.string() + "\\").c_str());
}

// Steps the engine frameMs at a time, points the sounds and the log at the run folder (never the
// working folder) and loads the cubes', walls' and scenery's shared media. False, with the reason
// printed, when any of it fails.
inline bool LoadGameBenchMedia(XGameEngine& engine, const std::filesystem::path& folder, unsigned frameMs)
{
    XEngineOptions options;
    options.fixedStepMs = frameMs;
    const XString dataFolder = BenchDataFolder(folder);
    XDXSound::SetPath(dataFolder);
    CLogFile::SetDataFolder(dataFolder);
    XString error;
    if (!engine.SetOptions(options) || !CPlayBlock::LoadShared(dataFolder, error) ||
        !CWallBlock::LoadShared(dataFolder, error) || !CFieldObject::LoadShared(dataFolder, error))
    {
        std::fprintf(stderr, "%s%s\n", engine.GetErrorMsg().GetBuffer(), error.GetBuffer());
        return false;
    }
    return true;
}

// The staged data linked into folder, the engine at the benchmarks' size and the shared media
// loaded: null, with the reason printed, when any of it fails.
inline std::unique_ptr<XGameEngine> StartGameBench(const std::filesystem::path& folder, BenchLevels levels,
                                                   unsigned frameMs)
{
    const std::filesystem::path data = StagedData();
    if (!LinkStagedData(data, folder, levels))
    {
        std::fprintf(stderr, "no staged data in %s\n", data.string().c_str());
        return nullptr;
    }
    std::unique_ptr<XGameEngine> engine = StartBenchEngine(folder);
    if (!engine || !LoadGameBenchMedia(*engine, folder, frameMs))
        return nullptr;
    return engine;
}

inline double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Ends a run: the screens go first (the play view frees its level's board on its way out), then
// the shared media when they were loaded, the level, the engine and the run folder.
inline void StopGameBench(std::unique_ptr<XGameEngine>& engine, std::unique_ptr<CGameLevel>& level,
                          const std::filesystem::path& folder, bool sharedLoaded)
{
    if (engine)
        engine->Free();
    if (sharedLoaded)
    {
        CFieldObject::FreeShared();
        CWallBlock::FreeShared();
        CPlayBlock::FreeShared();
    }
    level.reset();
    engine.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
