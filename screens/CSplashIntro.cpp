// The intro logo screen.
#include "screens/CSplashIntro.h"

#include "engine/XGameEngine.h"
#include "screens/CScreenFlow.h"
#include "screens/CTitleScreen.h"
#include "ui/UiLayout.h"

#include <new>

namespace
{

const uint32_t kWhite = 0xFFFFFFFF;
// The logo keeps its size relative to the 800 x 600 screen it was drawn for.
const float kLogoDesignWidth = 800.0f;
const float kLogoDesignHeight = 600.0f;

} // namespace

CSplashIntro::CSplashIntro(CGameLevel* level) : m_pLevel(level)
{
}

void CSplashIntro::MyInit()
{
    m_pEngine->SetClearColor(kWhite);
    if (!m_texLogo.Load("TexVantorelIntro.bmp", 0, 0))
        ScreenFlow::LogFailure("CSplashIntro::MyInit", "m_texLogo.Load", m_texLogo.GetErrorMsg());
    m_ui64StartTime = m_pEngine->GetTime();
    if (!m_sndMusic.Load("MusicLogo.wav", XDXSound::kMusic))
        ScreenFlow::LogFailure("CSplashIntro::MyInit", "m_sndMusic.Load", m_sndMusic.GetErrorMsg());
    else if (!m_sndMusic.Play(false))
        ScreenFlow::LogFailure("CSplashIntro::MyInit", "m_sndMusic.Play", m_sndMusic.GetErrorMsg());
}

void CSplashIntro::MyDraw()
{
    if (!m_texLogo.GetTexture())
        return;
    const float layoutWidth = static_cast<float>(plk::ui::kDesignW) * ScreenFlow::ScaleX(m_pEngine);
    const float layoutHeight = static_cast<float>(plk::ui::kDesignH) * ScreenFlow::ScaleY(m_pEngine);
    const float sx = layoutWidth / kLogoDesignWidth;
    const float sy = layoutHeight / kLogoDesignHeight;
    const float width = static_cast<float>(m_texLogo.GetImageWidth()) * sx;
    const float height = static_cast<float>(m_texLogo.GetImageHeight()) * sy;
    const int x = static_cast<int>((layoutWidth - width) / 2.0f);
    const int y = static_cast<int>((layoutHeight - height) / 2.0f);
    if (!m_texLogo.Draw(x, y, 0, 0, 0, 0, sx, sy, kWhite, false))
        ScreenFlow::LogFailure("CSplashIntro::MyDraw", "m_texLogo.Draw", m_texLogo.GetErrorMsg());
}

void CSplashIntro::MyUpdate()
{
    if (m_bLeaving)
        return;
    const XDXInput& input = m_pEngine->m_input;
    const bool button = input.MouseButtonDown(0) || input.MouseButtonDown(1) || input.MouseButtonDown(2);
    if (input.AnyKeyReleased() || button || m_pEngine->GetTime() - m_ui64StartTime >= kShowMs)
    {
        m_bLeaving = true;
        ScreenFlow::FullChange(m_pEngine, new (std::nothrow) CTitleScreen(m_pLevel));
    }
}

void CSplashIntro::MyFree()
{
    m_texLogo.Release();
    m_sndMusic.Unload();
}
