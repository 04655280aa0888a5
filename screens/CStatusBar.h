// The column left of every played level: score, level, time, cubes left and the colours to
// remove, the game's buttons and the music and sound switches; it also ends the level when the
// time is up or every target cube is gone.
#pragma once

#include "engine/XDXFont.h"
#include "engine/XDXSound.h"
#include "engine/XDXTexture.h"
#include "engine/XGameScreen.h"
#include "screens/CPanelCache.h"

#include <array>

class CGameLevel;
class CPlayScreen;

class CStatusBar : public XGameScreen
{
public:
    enum Button
    {
        kNoButton = -1,
        kRestart = 0,
        kSaveGame = 1,
        kLoadGame = 2,
        kHelp = 3,
        kExit = 4,
        kMusic = 5,
        kSound = 6,
    };

    enum class LevelEnd
    {
        kPlaying,
        kLost, // under one second left, whatever else happened in the frame
        kWon   // no cube of a colour to remove is left
    };

    // Seconds left at or below which the time blinks red and the warning sounds.
    static const int kLowSeconds = 10;

    // builderTest: the level is a test play started from the level builder.
    CStatusBar(CGameLevel* level, bool builderTest);

    void MyInit() override;
    void MyDraw() override;
    void MyUpdate() override;
    void MyFree() override;

    // The play view beside the bar, queued with it: while it is paused the bar does nothing in
    // its update, so neither the end of the level nor a button fires. Both leave the stack
    // together. Null: never paused.
    void FollowPlay(const CPlayScreen* play) { m_pPlay = play; }

    // Time first: a level whose last cube goes in the frame its time runs out is lost. A level
    // that did not load never ends, neither won nor lost: nothing of it is played.
    static LevelEnd CheckEnd(CGameLevel& level);
    // The button under a point of the 1024 x 768 design, kNoButton for none.
    static Button ButtonAt(float x, float y);
    // Whether the seconds are drawn red at engine time now: the blink quickens as time runs out.
    static bool TimeIsRed(int seconds, unsigned now);

    Button GetHovered() const { return m_hovered; }
    bool HasEnded() const { return m_bEnded; }

private:
    static const int kColumnPieces = 3;

    bool IsPlayPaused() const;
    void EndLevel(LevelEnd end);
    void Act(Button button);

    // Drawing (CStatusBarDraw.cpp).
    // What the column shows now: its picture is drawn anew when this changes.
    CPanelCache::Face Face(int seconds) const;
    void DrawPanels(int seconds, float sx, float sy);
    void DrawTargetColours(int panelY, float sx, float sy);
    void DrawButtons(float sx, float sy);
    void DrawSprite(XDXTexture& sheet, const char* name, int x, int y, float sx, float sy);
    void PrintValue(int value, int panelY, uint32_t colour, float sx, float sy);

    CGameLevel* m_pLevel;
    bool m_bBuilderTest;
    const CPlayScreen* m_pPlay = nullptr;

    std::array<XDXTexture, kColumnPieces> m_texColumn;
    XDXTexture m_texPanels;
    XDXTexture m_texButtons;
    XDXTexture m_texSprites;
    XDXFont m_font;
    XDXFont m_fontSmall;
    XDXSound m_sndMouseOver;
    XDXSound m_sndSelect;
    XDXSound m_sndLowTime;
    XDXSound m_sndLevelUp;
    CPanelCache m_cache;

    Button m_hovered = kNoButton;
    // Set once the bar has queued the screens that end this level (or leave it): an update in
    // the frame a fade reaches its middle must not queue them a second time.
    bool m_bEnded = false;
};
