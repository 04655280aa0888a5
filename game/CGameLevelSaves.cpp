// Saved games, the auto-save at the start of a level and the level builder's last edited level.
#include "game/CGameLevel.h"

#include "platform/fs/Path.h"

#include <filesystem>

const char* const CGameLevel::kAutoSaveName = "AutoSave";
const char* const CGameLevel::kLastEditedName = "_LAST3D1T_L3V3L";
const char* const CGameLevel::kNewBuilderLevel = "StdLevelBuilder";

bool CGameLevel::AutoSaveAtLevelStart()
{
    if (m_bBuilderMode || m_uiCurLevel == 1)
        return true;
    return Save(kAutoSaveName, true);
}

bool CGameLevel::OpenLastEdited()
{
    const XString path = BuildPath(kLastEditedName, false);
    std::error_code ignored;
    if (std::filesystem::is_regular_file(plk::fs::ResolvePath(path.GetBuffer()), ignored))
        return Load(kLastEditedName, true, false);
    return Load(kNewBuilderLevel, true, false);
}

bool CGameLevel::SaveLastEdited()
{
    ResetScores();
    return Save(kLastEditedName, false);
}
