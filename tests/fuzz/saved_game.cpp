// A saved game in the saved games folder, read as the game's load screen reads it, then saved,
// read again and played.
#include "game/CGameLevel.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/LevelFuzz.h"

#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string folder = fuzz::ScratchFolder();
    std::filesystem::create_directories(folder + "savedgames");
    fuzz::WriteBytes(folder + "savedgames/FuzzSave.dat", data, size);

    CGameLevel level(nullptr);
    fuzz::StartRead();
    level.SetDataFolder(folder.c_str());
    if (!level.Load("FuzzSave", false, true))
        return 0;
    fuzz::Check(level.Save("FuzzSaveCopy", true), "a loaded game cannot be saved", level.GetErrorMsg().GetBuffer());
    const XString written = fuzz::WrittenDocument(level, true);

    CGameLevel again(nullptr);
    fuzz::StartRead();
    again.SetDataFolder(folder.c_str());
    fuzz::Check(again.Load("FuzzSaveCopy", false, true), "a saved game does not load", again.GetErrorMsg().GetBuffer());
    fuzz::CheckSameDocument(written, fuzz::WrittenDocument(again, true));
    fuzz::CheckFrames(again);
    return 0;
}
