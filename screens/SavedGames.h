// Saved games seen from the screens: the auto-save written at the start of a level.
#pragma once

#include "foundation/XString.h"

class CGameLevel;

class CSavedGames
{
public:
    // The file in "savedgames" that the game writes by itself at the start of a level.
    static const char* const kAutoSaveName;

    // Whether entering the loaded level writes the auto-save: in play (not in the builder), from
    // the second level of a series on (a resumed game counts by its stored level number).
    static bool AutoSaveDue(const CGameLevel& level);
    // Writes "AutoSave" when it is due, before play has started, so that the stored time is the
    // level's limit scaled once by the difficulty. False only when a due write failed; the
    // reason is then in the level's error text and the previous auto-save is left as it was.
    static bool AutoSaveAtLevelStart(CGameLevel& level);
};
