// The level builder's tool bar beside the play screen in builder mode: its 70 buttons edit the
// one level in place, the hovered one lights up and is named on the bar's bottom line, and the
// level's name carries a "*" while it has unsaved changes.
#pragma once

#include "engine/XDXFont.h"
#include "engine/XDXSound.h"
#include "engine/XDXTexture.h"
#include "engine/XGameScreen.h"
#include "foundation/XString.h"
#include "game/CPushSearchWorker.h"
#include "screens/CGameMenu.h"

#include <array>

class CGameLevel;

class CLevelBuilder : public XGameScreen
{
public:
    // What a button leaves to the builder's flow once its edit, if any, is done.
    enum class Command
    {
        kNone,
        kMenu,
        kNewLevel,
        kTestPlay,
        kExit,
    };
    struct Outcome
    {
        Command command = Command::kNone;
        MenuMode menu = MenuMode::LevelStart; // with kMenu
    };

    explicit CLevelBuilder(CGameLevel* level);

    void MyInit() override;
    void MyDraw() override;
    void MyUpdate() override;
    void MyFree() override;

    // The first table entry holding the design point, -1 for none.
    static int ButtonAt(float x, float y);
    // Carries out entry's edit on the level and records it as one undo step; an add that finds
    // its kind full or no free place says so on the status line. Commands are returned, not run.
    static Outcome ApplyButton(CGameLevel& level, int entry);
    // What the entry does, in a few words for the bar's bottom line.
    static XString Describe(int entry);
    // The level's name with "*" after it while the history has unsaved changes.
    static XString Title(CGameLevel& level);

    int GetHovered() const { return m_iHovered; }

    // The status line's answer of a finished solvability check: "Solvable in N pushes" or
    // "No solution within N pushes" (N: the depth every sequence was tried to).
    static XString CheckText(const CPushSearchWorker::Answer& answer);

private:
    // CLevelBuilderCheck.cpp: F5 starts the check, an edit cancels it, its answer is shown.
    void UpdateCheck();
    void DrawHighlight(int entry, float sx, float sy);
    void DrawLine(const XString& text, int top, int height, uint32_t colour, float sx, float sy);

    CGameLevel* m_pLevel;
    std::array<XDXTexture, 3> m_texBar;
    XDXFont m_font;
    XDXFont m_fontSmall;
    XDXSound m_sndMouseOver;
    XDXSound m_sndSelect;
    int m_iHovered = -1;
    CPushSearchWorker m_check;
    XString m_strCheckedLevel; // the level the running check was started on
};
