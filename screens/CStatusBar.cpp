// The status bar's media, its per-frame end-of-level check and its buttons.
#include "screens/CStatusBar.h"

#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "game/CScorePopups.h"
#include "screens/CBuilderActions.h"
#include "screens/CGameMenu.h"
#include "screens/CGameOver.h"
#include "screens/CPlayScreen.h"
#include "screens/CScreenFlow.h"
#include "screens/CSoundSettings.h"
#include "ui/UiLayout.h"

#include <new>

namespace
{

const int kMainFontPoints = 16;
const int kSmallFontPoints = 12;
const int kLeftButton = 0;
const char* const kColumnFiles[] = {"TexStatus0_A.bmp", "TexStatus0_B.bmp", "TexStatus0_C.bmp"};

} // namespace

CStatusBar::CStatusBar(CGameLevel* level, bool builderTest) : m_pLevel(level), m_bBuilderTest(builderTest)
{
    // The bar frames the 3D view, which fills a wider window: it stays against the left edge.
    m_anchor2D = XAnchor2D::kLeft;
}

void CStatusBar::MyInit()
{
    for (int i = 0; i < kColumnPieces; ++i)
    {
        if (!m_texColumn[i].Load(kColumnFiles[i], 0, 0))
            ScreenFlow::LogFailure("CStatusBar::MyInit", "m_texColumn.Load", m_texColumn[i].GetErrorMsg());
    }
    if (!m_texPanels.Load("Status0.png", 0, 0))
        ScreenFlow::LogFailure("CStatusBar::MyInit", "m_texPanels.Load", m_texPanels.GetErrorMsg());
    if (!m_texButtons.Load("Status1.png", 0, 0))
        ScreenFlow::LogFailure("CStatusBar::MyInit", "m_texButtons.Load", m_texButtons.GetErrorMsg());
    if (!m_texSprites.Load("MiscTex0.png", 0, 0))
        ScreenFlow::LogFailure("CStatusBar::MyInit", "m_texSprites.Load", m_texSprites.GetErrorMsg());
    if (!m_font.Create("Arial", ScreenFlow::FontPoints(m_pEngine, kMainFontPoints), false, false))
        ScreenFlow::LogFailure("CStatusBar::MyInit", "m_font.Create", m_font.GetErrorMsg());
    if (!m_fontSmall.Create("Arial", ScreenFlow::FontPoints(m_pEngine, kSmallFontPoints), false, false))
        ScreenFlow::LogFailure("CStatusBar::MyInit", "m_fontSmall.Create", m_fontSmall.GetErrorMsg());
    if (!m_sndMouseOver.Load("SndMouseOver.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CStatusBar::MyInit", "m_sndMouseOver.Load", m_sndMouseOver.GetErrorMsg());
    if (!m_sndSelect.Load("SndSelectArrow.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CStatusBar::MyInit", "m_sndSelect.Load", m_sndSelect.GetErrorMsg());
    if (!m_sndLowTime.Load("SndLowTime.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CStatusBar::MyInit", "m_sndLowTime.Load", m_sndLowTime.GetErrorMsg());
    if (!m_sndLevelUp.Load("SndLevelUp.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CStatusBar::MyInit", "m_sndLevelUp.Load", m_sndLevelUp.GetErrorMsg());
}

bool CStatusBar::IsPlayPaused() const
{
    return m_pPlay && m_pPlay->IsPaused();
}

void CStatusBar::MyUpdate()
{
    if (m_bEnded || IsPlayPaused())
        return;
    const LevelEnd end = CheckEnd(*m_pLevel);
    if (end != LevelEnd::kPlaying)
    {
        EndLevel(end);
        return;
    }

    const XDXInput& input = m_pEngine->m_input;
    const Button hovered = ButtonAt(input.GetMouseX2D() / ScreenFlow::ScaleX(m_pEngine),
                                    input.GetMouseY2D() / ScreenFlow::ScaleY(m_pEngine));
    if (hovered != kNoButton && hovered != m_hovered)
        m_sndMouseOver.Play(false);
    m_hovered = hovered;
    if (hovered != kNoButton && input.MouseButtonReleased(kLeftButton))
    {
        ScreenFlow::SelectPause(m_sndSelect);
        Act(hovered);
    }
}

void CStatusBar::EndLevel(LevelEnd end)
{
    m_bEnded = true;
    m_sndLowTime.Stop();
    if (end == LevelEnd::kLost)
    {
        ScreenFlow::FullChange(m_pEngine, new (std::nothrow) CGameOver(m_pLevel, m_pLevel->GetLevelFileName(), m_bBuilderTest));
        return;
    }
    m_sndLevelUp.Play(false);
    m_pLevel->GetScorePopups().Clear();
    const MenuMode mode = m_bBuilderTest ? MenuMode::BuilderTestComplete : MenuMode::LevelComplete;
    ScreenFlow::Overlay(m_pEngine, new (std::nothrow) CGameMenu(m_pLevel, 0, mode, XString(), nullptr));
}

void CStatusBar::Act(Button button)
{
    switch (button)
    {
    case kRestart:
        m_bEnded = true;
        ScreenFlow::StartPlay(m_pEngine, m_pLevel, m_pLevel->GetLevelFileName(), false, m_bBuilderTest);
        break;
    case kSaveGame:
        ScreenFlow::Overlay(m_pEngine, new (std::nothrow) CGameMenu(m_pLevel, 0, MenuMode::SaveGame, XString(), nullptr));
        break;
    case kLoadGame:
        ScreenFlow::Overlay(m_pEngine, new (std::nothrow) CGameMenu(m_pLevel, 0, MenuMode::LoadGame, XString(), nullptr));
        break;
    case kHelp:
        ScreenFlow::Overlay(m_pEngine, new (std::nothrow) CGameMenu(m_pLevel, 0, MenuMode::Help, XString(), nullptr));
        break;
    case kExit:
        m_bEnded = true;
        if (m_bBuilderTest)
            BuilderFlow::OpenBuilder(m_pEngine, m_pLevel, XString(CGameLevel::kLastEditedName));
        else
            ScreenFlow::ToTitle(m_pEngine, m_pLevel);
        break;
    case kMusic:
        XDXSound::EnableMusic(!XDXSound::MusicEnabled(), true);
        CSoundSettings::SaveCurrent();
        break;
    case kSound:
        XDXSound::EnableSounds(!XDXSound::SoundsEnabled());
        CSoundSettings::SaveCurrent();
        break;
    case kNoButton: break;
    }
}

void CStatusBar::MyFree()
{
    for (XDXTexture& piece : m_texColumn)
        piece.Release();
    m_texPanels.Release();
    m_texButtons.Release();
    m_texSprites.Release();
    m_font.Release();
    m_fontSmall.Release();
    m_sndMouseOver.Unload();
    m_sndSelect.Unload();
    m_sndLowTime.Unload();
    m_sndLevelUp.Unload();
    m_cache.Forget();
}
