// The engine demo's test screen.
#include "DemoScreen.h"

#include "DemoLayout.h"
#include "engine/XGameEngine.h"
#include "engine/XScreenTransition.h"
#include "platform/gfx/TextLayout.h"
#include "platform/window/KeyCodes.h"

#include <cstdio>

namespace
{

const uint32_t kOpaqueWhite = 0xFFFFFFFF;

void Report(const char* what, const XString& error)
{
    std::fprintf(stderr, "Error: in DemoScreen::%s failed. Msg=%s\n", what, error.GetBuffer());
}

} // namespace

void DemoScreen::MyInit()
{
    m_bSpriteLoaded = m_texSprite.Load("sprite.bmp", demo::kSpriteKey, 0);
    if (!m_bSpriteLoaded)
        Report("MyInit, m_texSprite.Load", m_texSprite.GetErrorMsg());
    m_bFontCreated = m_fntText.Create(demo::kFace, demo::kTextPoints, true, false);
    if (!m_bFontCreated)
        Report("MyInit, m_fntText.Create", m_fntText.GetErrorMsg());
}

void DemoScreen::MyDraw()
{
    if (m_bSpriteLoaded &&
        !m_texSprite.Draw(demo::kSpriteX, demo::kSpriteY, 0, 0, 0, 0, demo::kSpriteScale, demo::kSpriteScale,
                          kOpaqueWhite, true))
        Report("MyDraw, m_texSprite.Draw", m_texSprite.GetErrorMsg());
    if (m_bFontCreated &&
        !m_fntText.Print(demo::kText, demo::kTextLeft, demo::kTextTop, demo::kTextWidth, demo::kTextHeight,
                         demo::kTextColor, plk::gfx::kDtLeft | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine))
        Report("MyDraw, m_fntText.Print", m_fntText.GetErrorMsg());
}

void DemoScreen::MyUpdate()
{
    if (m_pEngine->m_input.KeyReleased(plk::kKeyEscape))
        m_pEngine->RequestQuit();
    else if (m_pEngine->m_input.KeyReleased(plk::kKeySpace))
        m_pEngine->AddScreen(false, false, true, new DemoScreen, new XScreenTransition(demo::kTransitionMs));
}

void DemoScreen::MyFree()
{
    m_texSprite.Release();
    m_fntText.Release();
}
