// The first screen: the maker's logo on white with a short jingle, left after four seconds or at
// a key or mouse button.
#pragma once

#include "engine/XDXSound.h"
#include "engine/XDXTexture.h"
#include "engine/XGameScreen.h"

#include <cstdint>

class CGameLevel;

class CSplashIntro : public XGameScreen
{
public:
    // The splash leaves by itself once this many ms have passed.
    static const unsigned kShowMs = 4001;

    explicit CSplashIntro(CGameLevel* level);

    void MyInit() override;
    void MyDraw() override;
    void MyUpdate() override;
    void MyFree() override;

private:
    CGameLevel* m_pLevel;
    XDXTexture m_texLogo;
    XDXSound m_sndMusic;
    uint64_t m_ui64StartTime = 0;
    bool m_bLeaving = false;
};
