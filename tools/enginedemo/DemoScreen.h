// The engine demo's test screen: clear colour, a colour-keyed sprite, a line of text; Space changes
// to a fresh copy of itself through the transition, Escape quits.
#pragma once

#include "engine/XDXFont.h"
#include "engine/XDXTexture.h"
#include "engine/XGameScreen.h"

class DemoScreen : public XGameScreen
{
public:
    void MyInit() override;
    void MyDraw() override;
    void MyUpdate() override;
    void MyFree() override;

private:
    XDXTexture m_texSprite;
    XDXFont m_fntText;
    bool m_bSpriteLoaded = false;
    bool m_bFontCreated = false;
};
