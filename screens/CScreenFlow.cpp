// Queuing of screens in the game's three ways, and the helpers every screen shares.
#include "screens/CScreenFlow.h"

#include "engine/XDXSound.h"
#include "engine/XGameEngine.h"
#include "engine/XScreenTransition.h"
#include "foundation/CLogFile.h"
#include "screens/CLevelIntro.h"
#include "screens/CPlayScreen.h"
#include "screens/CStatusBar.h"
#include "screens/CTitleScreen.h"
#include "ui/UiLayout.h"

#include <new>

namespace ScreenFlow
{

void FullChange(XGameEngine* engine, XGameScreen* screen)
{
    engine->AddScreen(false, false, true, screen,
                      new (std::nothrow) XScreenTransition(static_cast<float>(kTransitionMs)));
}

void Overlay(XGameEngine* engine, XGameScreen* screen)
{
    engine->AddScreen(true, false, true, screen, nullptr);
}

void SideScreen(XGameEngine* engine, XGameScreen* screen)
{
    engine->AddScreen(true, false, false, screen, nullptr);
}

void StartPlay(XGameEngine* engine, CGameLevel* level, const XString& levelName, bool isSavedGame, bool builderTest)
{
    CPlayScreen* play = new (std::nothrow) CPlayScreen(level, false, levelName, isSavedGame);
    CStatusBar* bar = new (std::nothrow) CStatusBar(level, builderTest);
    // The bar stands still while the play screen is paused.
    if (bar)
        bar->FollowPlay(play);
    FullChange(engine, play);
    SideScreen(engine, bar);
    Overlay(engine, new (std::nothrow) CLevelIntro(level));
}

void ToTitle(XGameEngine* engine, CGameLevel* level)
{
    FullChange(engine, new (std::nothrow) CTitleScreen(level));
}

void SelectPause(XDXSound& selectSound)
{
    selectSound.Play(false);
    if (XGameEngine* engine = XGameEngine::GetEngine())
        engine->Hold(kSelectPauseMs);
}

void LogFailure(const char* where, const char* member, const XString& error)
{
    XString line("Error: in ");
    line += where;
    line += ", ";
    line += member;
    line += " failed. Msg=";
    line += error;
    CLogFile::WriteLine(line);
}

float ScaleX(const XGameEngine* engine)
{
    return engine->GetLayoutScale();
}

float ScaleY(const XGameEngine* engine)
{
    return engine->GetLayoutScale();
}

int FontPoints(const XGameEngine* engine, int designPoints)
{
    return static_cast<int>(static_cast<float>(designPoints) * engine->GetLayoutScale());
}

float ColumnRight(const XGameEngine* engine)
{
    return static_cast<float>(plk::ui::kColumnW) * DesignFitScale(engine->GetWidth(), engine->GetHeight());
}

} // namespace ScreenFlow
