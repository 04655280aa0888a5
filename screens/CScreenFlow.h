// The ways one screen leads to the next (full change with the standard fade, side screen,
// overlay), the select pause, and the log line of a medium a screen could not load.
#pragma once

#include "foundation/XString.h"

class CGameLevel;
class XDXSound;
class XGameEngine;
class XGameScreen;

namespace ScreenFlow
{

// Every full change fades through black in this many ms.
const unsigned kTransitionMs = 700;
// A chosen button or entry waits this long so that its sound is heard before the view changes.
const unsigned kSelectPauseMs = 500;

// Replaces every active screen by screen, behind the standard fade.
void FullChange(XGameEngine* engine, XGameScreen* screen);
// Lays screen over the others; the ones below stay drawn and frozen.
void Overlay(XGameEngine* engine, XGameScreen* screen);
// Beside the screen queued just before it, updated before it, without a fade.
void SideScreen(XGameEngine* engine, XGameScreen* screen);

// Full change to the play screen of a level (or saved game), not in builder mode, with its status
// bar and, above them, the difficulty and level-start cards. builderTest: a test play of the level
// builder, whose end and exit lead back to the builder.
void StartPlay(XGameEngine* engine, CGameLevel* level, const XString& levelName, bool isSavedGame,
               bool builderTest = false);
// Full change to the title screen.
void ToTitle(XGameEngine* engine, CGameLevel* level);

// The select sound, then the pause.
void SelectPause(XDXSound& selectSound);

// Logs "Error: in <where>, <member> failed. Msg=<error>".
void LogFailure(const char* where, const char* member, const XString& error);

// Design units (1024 x 768) to the layout pixels 2D screens draw in: one scale for both axes, so
// that a window of another shape never stretches the design (the engine places it).
float ScaleX(const XGameEngine* engine);
float ScaleY(const XGameEngine* engine);
// The pixel height of a font of that many points in the design.
int FontPoints(const XGameEngine* engine, int designPoints);
// The right edge of the bar column beside the 3D view, in back-buffer pixels: where clicks stop
// belonging to the bar and the scene starts.
float ColumnRight(const XGameEngine* engine);

} // namespace ScreenFlow
