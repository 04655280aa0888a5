// What the level builder's tool bar hands over to the builder's menus and flow. The tool bar
// (CLevelBuilder) only edits the level in place; every change of screen starts here.
#pragma once

#include "foundation/XString.h"

class CGameLevel;
class XGameEngine;
enum class MenuMode;

namespace BuilderFlow
{

// Full change to the play screen in builder mode on levelName, with the tool bar beside it.
// The play screen reads the level in builder mode; a level that fails to read opens an empty
// "StdLevelBuilder" instead, with the reason on the status line, and leaves the file as it was.
// The edit history starts again unless the document read equals its present state.
void OpenBuilder(XGameEngine* engine, CGameLevel* level, const XString& levelName);

// Lays the builder's prompt or list of that mode over the builder: EditTime, EditObjective,
// EditLevelName, ChooseMusic, LoadLevel or SaveLevel. An accepted edit of time, objective, name
// or music is one history step (level->GetHistory().Record(*level) after the change); a level
// loaded from the list starts the history again (Reset); a successful save marks the history
// saved (MarkSaved). Cancelling changes nothing.
void OpenMenu(XGameEngine* engine, CGameLevel* level, MenuMode mode);

// Empties the level in place by reading "StdLevelBuilder" in builder mode, without asking;
// the history starts again.
void NewLevel(XGameEngine* engine, CGameLevel* level);

// Writes the level as "_LAST3D1T_L3V3L", applies the game-start reset and makes a full change to
// the play screen (not builder mode) with the status bar in builder-test mode. A write that
// fails says so on the status line and stays in the builder with the level unchanged in memory.
void StartTestPlay(XGameEngine* engine, CGameLevel* level);

// Writes the level as "_LAST3D1T_L3V3L" and makes a full change to the title. A write that fails
// says so on the status line and stays in the builder.
void ExitToTitle(XGameEngine* engine, CGameLevel* level);

} // namespace BuilderFlow
