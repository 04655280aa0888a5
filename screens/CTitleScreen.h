// The title: a full-screen picture with picture buttons for loading a game, a new game and the
// tutorial; Esc ends the program.
#pragma once

#include "engine/XDXFont.h"
#include "engine/XDXSound.h"
#include "engine/XDXTexture.h"
#include "engine/XGameScreen.h"

#include <array>

class CGameLevel;

class CTitleScreen : public XGameScreen
{
public:
    enum Button
    {
        kLoadGame = 0,
        kNewGame = 1,
        kLevelBuilder = 2,
        kTutorial = 3,
        kButtonCount = 4,
    };

    explicit CTitleScreen(CGameLevel* level);

    void MyInit() override;
    void MyDraw() override;
    void MyUpdate() override;
    void MyFree() override;

    // The button whose hit rectangle holds the design point, -1 for none.
    static int ButtonAt(float x, float y);
    int GetHovered() const { return m_iHovered; }

private:
    static const int kTiles = 7;

    void DrawTitle();
    void Act(int button);
    // Acts on button once the shared resources are loaded; until then holds it.
    void ActWhenLoaded(int button);
    void NewGame();

    CGameLevel* m_pLevel;
    std::array<XDXTexture, kTiles> m_texTiles;
    XDXTexture m_texButtons1;
    XDXTexture m_texButtons2;
    XDXFont m_font;
    XDXSound m_sndMusic;
    XDXSound m_sndMouseOver;
    XDXSound m_sndSelect;
    std::array<bool, kButtonCount> m_abHovered{};
    int m_iHovered = -1;
    int m_iHeldButton = -1; // chosen before the shared resources were loaded, -1 for none
    bool m_bEscapeHeld = false; // Esc was down at the title's last update
    bool m_bLeaving = false;
};
