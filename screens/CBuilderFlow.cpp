// The level builder's ways in and out: the builder itself, its prompts and lists, a new level,
// the test play and the way back to the title.
#include "screens/CBuilderActions.h"

#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "screens/CGameMenu.h"
#include "screens/CLevelBuilder.h"
#include "screens/CPlayScreen.h"
#include "screens/CScreenFlow.h"

#include <new>

namespace
{

// Set when leaving for the title could not write the level: a second Exit leaves without it, so
// that a read-only folder cannot hold the player in the builder.
bool g_bExitRefused = false;

// Writes the level as the last edited level. A failure is said on the status line, with what the
// player can do, and logged; the level stays in memory and the file before is intact.
bool WriteLastEdited(CGameLevel* level, const char* advice)
{
    if (level->SaveLastEdited())
        return true;
    XString message("The level could not be written. ");
    message += advice;
    message += " ";
    message += level->GetErrorMsg();
    level->SetStatusMessage(message);
    ScreenFlow::LogFailure("BuilderFlow", "level->SaveLastEdited", level->GetErrorMsg());
    return false;
}

} // namespace

namespace BuilderFlow
{

void OpenBuilder(XGameEngine* engine, CGameLevel* level, const XString& levelName)
{
    g_bExitRefused = false;
    ScreenFlow::FullChange(engine, new (std::nothrow) CPlayScreen(level, true, levelName, false));
    ScreenFlow::SideScreen(engine, new (std::nothrow) CLevelBuilder(level));
}

void OpenMenu(XGameEngine* engine, CGameLevel* level, MenuMode mode)
{
    ScreenFlow::Overlay(engine, new (std::nothrow) CGameMenu(level, 0, mode, XString(), nullptr));
}

void NewLevel(XGameEngine*, CGameLevel* level)
{
    level->OpenInBuilder(XString(CGameLevel::kNewBuilderLevel));
    level->GetHistory().Reset(*level);
}

void StartTestPlay(XGameEngine* engine, CGameLevel* level)
{
    if (!WriteLastEdited(level, "No test play without it; your level is still here."))
        return;
    // The write set the level's file name and number, which is no edit: the way back from the
    // test reads exactly this, and finding it as the present step keeps the undo steps.
    level->GetHistory().Rebase(*level);
    level->ResetScores();
    // The builder's last hint ("No room there...") means nothing in play and would sit under the board.
    level->SetStatusMessage(XString());
    ScreenFlow::StartPlay(engine, level, XString(CGameLevel::kLastEditedName), false, true);
}

void ExitToTitle(XGameEngine* engine, CGameLevel* level)
{
    if (!g_bExitRefused && !WriteLastEdited(level, "Your level is still here; Exit again leaves without it."))
    {
        g_bExitRefused = true;
        return;
    }
    g_bExitRefused = false;
    ScreenFlow::ToTitle(engine, level);
}

} // namespace BuilderFlow
