// The auto-save rule.
#include "screens/SavedGames.h"

#include "game/CGameLevel.h"

const char* const CSavedGames::kAutoSaveName = "AutoSave";

bool CSavedGames::AutoSaveDue(const CGameLevel& level)
{
    return !level.IsBuilderMode() && level.GetCurLevel() != 1;
}

bool CSavedGames::AutoSaveAtLevelStart(CGameLevel& level)
{
    if (!AutoSaveDue(level))
        return true;
    return level.Save(XString(kAutoSaveName), true);
}
