// The screen after a time-out: the game-over banner and a yes / no question whether to try the
// level again.
#pragma once

#include "engine/XDXFont.h"
#include "engine/XDXSound.h"
#include "engine/XDXTexture.h"
#include "engine/XGameScreen.h"
#include "foundation/XString.h"

class CGameLevel;
class XDXInput;

class CGameOver : public XGameScreen
{
public:
    enum Answer
    {
        kNone = 0,
        kYes = 1,
        kNo = 2,
    };

    // builderTest: the level was a test play of the level builder; trying again tests it again,
    // and No leads back to the builder instead of the title.
    CGameOver(CGameLevel* level, const XString& retryName, bool builderTest);

    void MyInit() override;
    void MyDraw() override;
    void MyUpdate() override;
    void MyFree() override;

    // The answer sprite under the design point.
    static Answer AnswerAt(float x, float y);
    // The answer this frame's typed keys give ("y", "n" or Esc), kNone for any other key.
    static Answer TypedAnswer(const XDXInput& input);

    // The two banner halves side by side at the top, meeting at the screen's middle.
    static void DrawBanner(XGameEngine* engine, XDXTexture& left, XDXTexture& right);
    // White, word-wrapped and centred both ways between two design lines.
    static void DrawText(XGameEngine* engine, XDXFont& font, const XString& text, int top, int bottom);
    // The font of the end screens: Arial, 16 points at 1024 pixels wide.
    static bool CreateFont(XGameEngine* engine, XDXFont& font);

    const XString& GetRetryName() const { return m_strRetryName; }
    bool IsBuilderTest() const { return m_bBuilderTest; }
    Answer GetHovered() const { return m_hovered; }

private:
    void Act(Answer answer);

    CGameLevel* m_pLevel;
    XString m_strRetryName;
    bool m_bBuilderTest;
    XDXTexture m_texBanner0;
    XDXTexture m_texBanner1;
    XDXTexture m_texSprites;
    XDXFont m_font;
    XDXSound m_sndMusic;
    XDXSound m_sndMouseOver;
    XDXSound m_sndSelect;
    Answer m_hovered = kNone;
    bool m_bLeaving = false;
};
