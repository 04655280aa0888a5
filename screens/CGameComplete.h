// The screen after the last level of a series: the game-complete banner and the credits, with
// looping music, left for the title by any key or a left or right click.
#pragma once

#include "engine/XDXFont.h"
#include "engine/XDXSound.h"
#include "engine/XDXTexture.h"
#include "engine/XGameScreen.h"
#include "foundation/XString.h"

class CGameLevel;
class XDXInput;

class CGameComplete : public XGameScreen
{
public:
    explicit CGameComplete(CGameLevel* level);

    void MyInit() override;
    void MyDraw() override;
    void MyUpdate() override;
    void MyFree() override;

    // Any key released, or the left or right button released; the middle button does not count.
    static bool WantsTitle(const XDXInput& input);

    const XString& GetText() const { return m_strText; }

protected:
    // The tutorial's end shows its own text and posts no score.
    CGameComplete(CGameLevel* level, const XString& text, bool postScore);

private:
    CGameLevel* m_pLevel;
    XString m_strText;
    bool m_bPostScore;
    XDXTexture m_texBanner0;
    XDXTexture m_texBanner1;
    XDXFont m_font;
    XDXSound m_sndMusic;
    bool m_bLeaving = false;
};
