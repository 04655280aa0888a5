// An enciphered level file in the levels folder, read as the game reads it; what loads is saved
// through the game's own Save, read again and written once more.
#include "game/CGameLevel.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/LevelFuzz.h"

#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string folder = fuzz::ScratchFolder();
    std::filesystem::create_directories(folder + "levels");
    fuzz::WriteBytes(folder + "levels/" + fuzz::kLevelName + ".dat", data, size);

    CGameLevel level(nullptr);
    fuzz::StartRead();
    level.SetDataFolder(folder.c_str());
    if (!level.Load(fuzz::kLevelName, false, false))
        return 0;
    const char* const copy = "FuzzLevelCopy";
    fuzz::Check(level.Save(copy, false), "a loaded level cannot be saved", level.GetErrorMsg().GetBuffer());
    const XString written = fuzz::WrittenDocument(level, false);

    CGameLevel again(nullptr);
    // A level file's session is not read: the running game's goes on, as it does in play.
    again.SetGameSession(level.GetGameSession());
    fuzz::StartRead();
    again.SetDataFolder(folder.c_str());
    fuzz::Check(again.Load(copy, false, false), "a saved level does not load", again.GetErrorMsg().GetBuffer());
    fuzz::CheckSameDocument(written, fuzz::WrittenDocument(again, false));
    fuzz::CheckFrames(again);
    return 0;
}
