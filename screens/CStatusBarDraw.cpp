// Drawing of the status column: background, header, the five panels, the buttons and switches.
#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "platform/gfx/TextLayout.h"
#include "screens/CScreenFlow.h"
#include "screens/CStatusBar.h"
#include "ui/UiLayout.h"

#include <algorithm>
#include <string>

namespace
{

const uint32_t kUntinted = 0xFFFFFFFF;
const uint32_t kValueColour = 0xFFFFFFFF;
const uint32_t kLowTimeColour = 0xFFFF0000;
const uint32_t kCaptionColour = 0xFFFFFFFF;
const int kPanelW = 240;
const int kPanelH = 40;
// Values are printed right-aligned between the label image and this margin from the panel's edge.
const int kValueLeft = 110;
const int kValueMargin = 14;
// Panel 4 holds a caption line over a row of swatches.
const int kCaptionTop = 3;
const int kCaptionH = 16;
const int kSwatchTop = 20;
// Swatch k of N lies at kSwatchRowCentre - kSwatchHalfStep * N + kSwatchStep * k: the row is
// centred in the column.
const int kSwatchRowCentre = 125;
const int kSwatchHalfStep = 10;
const int kSwatchStep = 20;
const int kTargetPanel = 4;
enum ValuePanel
{
    kScorePanel,
    kLevelPanel,
    kTimePanel,
    kBlocksPanel
};

int Scaled(int design, float scale)
{
    return static_cast<int>(static_cast<float>(design) * scale);
}

int PanelTop(int i)
{
    return plk::ui::kStatusPanelY + plk::ui::kStatusStep * i;
}

} // namespace

void CStatusBar::DrawSprite(XDXTexture& sheet, const char* name, int x, int y, float sx, float sy)
{
    const plk::ui::Sprite* sprite = plk::ui::FindSprite(name);
    if (!sprite || !sheet.GetTexture())
        return;
    sheet.Draw(Scaled(x, sx), Scaled(y, sy), sprite->src.x, sprite->src.y, sprite->src.w, sprite->src.h, sx, sy,
               kUntinted, true);
}

void CStatusBar::PrintValue(int value, int panelY, uint32_t colour, float sx, float sy)
{
    if (!m_font.GetFont())
        return;
    XString text;
    text += value;
    const int left = plk::ui::kStatusPanelX + kValueLeft;
    m_font.Print(text, Scaled(left, sx), Scaled(panelY, sy), Scaled(kPanelW - kValueLeft - kValueMargin, sx),
                 Scaled(kPanelH, sy), colour, plk::gfx::kDtRight | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);
}

void CStatusBar::MyDraw()
{
    const int seconds = m_pLevel->SecondsLeft();
    // The warning stops once the level has ended: it must not sound over the summary card.
    if (seconds <= kLowSeconds && !m_bEnded && !IsPlayPaused() && !m_sndLowTime.IsPlaying())
        m_sndLowTime.Play(false);
    plk::gfx::Device* device = m_pEngine->GetDevice();
    const CPanelCache::Face face = Face(seconds);
    if (device && m_cache.Draw(*device, face))
        return;

    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    int y = 0;
    int width = 0;
    bool whole = true;
    for (XDXTexture& piece : m_texColumn)
    {
        if (!piece.GetTexture())
        {
            whole = false;
            continue;
        }
        piece.Draw(0, Scaled(y, sy), 0, 0, 0, 0, sx, sy, kUntinted, false);
        y += static_cast<int>(piece.GetImageHeight());
        width = std::max(width, static_cast<int>(piece.GetImageWidth()));
    }
    DrawSprite(m_texPanels, "header", plk::ui::kStatusHeaderX, plk::ui::kStatusHeaderY, sx, sy);
    DrawPanels(seconds, sx, sy);
    DrawButtons(sx, sy);
    // Kept only where the column's opaque pieces lie under every pixel: the pixels whose centres
    // they cover.
    if (!device || !whole)
        return;
    m_cache.Keep(*device, static_cast<float>(width) * sx, static_cast<float>(y) * sy, face);
}

CPanelCache::Face CStatusBar::Face(int seconds) const
{
    int targets = 0;
    for (int c = 0; c < CGameLevel::kColourCount; ++c)
        targets |= m_pLevel->GetRemoveToWin(c) ? 1 << c : 0;
    const bool red = seconds <= kLowSeconds && TimeIsRed(seconds, m_pEngine->GetTime());
    return {m_pEngine->GetWidth(), m_pEngine->GetHeight(), m_pLevel->GameTotal(false), m_pLevel->GetCurLevel(),
            seconds, red, m_pLevel->GetBlocksLeft(), targets, m_hovered, XDXSound::MusicEnabled(),
            XDXSound::SoundsEnabled()};
}

void CStatusBar::DrawPanels(int seconds, float sx, float sy)
{
    for (int i = 0; i < plk::ui::kStatusPanels; ++i)
    {
        DrawSprite(m_texPanels, "panel", plk::ui::kStatusPanelX, PanelTop(i), sx, sy);
        if (i < static_cast<int>(plk::ui::kStatusLabels.size()))
            DrawSprite(m_texPanels, std::string(plk::ui::kStatusLabels[i]).c_str(),
                       plk::ui::kStatusPanelX + plk::ui::kStatusLabelDx, PanelTop(i) + plk::ui::kStatusLabelDy, sx,
                       sy);
    }
    PrintValue(m_pLevel->GameTotal(false), PanelTop(kScorePanel), kValueColour, sx, sy);
    PrintValue(static_cast<int>(m_pLevel->GetCurLevel()), PanelTop(kLevelPanel), kValueColour, sx, sy);

    const bool low = seconds <= kLowSeconds;
    const uint32_t timeColour = low && TimeIsRed(seconds, m_pEngine->GetTime()) ? kLowTimeColour : kValueColour;
    PrintValue(seconds, PanelTop(kTimePanel), timeColour, sx, sy);
    PrintValue(static_cast<int>(m_pLevel->GetBlocksLeft()), PanelTop(kBlocksPanel), kValueColour, sx, sy);
    DrawTargetColours(PanelTop(kTargetPanel), sx, sy);
}

void CStatusBar::DrawTargetColours(int panelY, float sx, float sy)
{
    if (m_fontSmall.GetFont())
        m_fontSmall.Print("Block colors to remove:", Scaled(plk::ui::kStatusPanelX, sx), Scaled(panelY + kCaptionTop, sy),
                          Scaled(kPanelW, sx), Scaled(kCaptionH, sy), kCaptionColour,
                          plk::gfx::kDtCenter | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);
    int targets = 0;
    for (int c = 0; c < CGameLevel::kColourCount; ++c)
        targets += m_pLevel->GetRemoveToWin(c) ? 1 : 0;
    int k = 0;
    for (int c = 0; c < CGameLevel::kColourCount; ++c)
    {
        if (!m_pLevel->GetRemoveToWin(c))
            continue;
        const std::string name = "smallSwatch" + std::to_string(c);
        DrawSprite(m_texSprites, name.c_str(), kSwatchRowCentre - kSwatchHalfStep * targets + kSwatchStep * k,
                   panelY + kSwatchTop, sx, sy);
        ++k;
    }
}

void CStatusBar::DrawButtons(float sx, float sy)
{
    for (int i = 0; i < static_cast<int>(plk::ui::kStatusButtons.size()); ++i)
    {
        std::string name(plk::ui::kStatusButtons[i]);
        if (m_hovered == i)
            name += "Hover";
        const plk::ui::Sprite* sprite = plk::ui::FindSprite(name);
        if (!sprite)
            continue;
        const plk::ui::Rect at = plk::ui::StatusButtonHit(i, sprite->src.w, sprite->src.h);
        DrawSprite(m_texButtons, name.c_str(), at.x, at.y, sx, sy);
    }
    DrawSprite(m_texButtons, m_hovered == kMusic ? "musicHover" : "music", plk::ui::kMusicHit.x, plk::ui::kMusicHit.y,
               sx, sy);
    if (!XDXSound::MusicEnabled())
        DrawSprite(m_texButtons, "offMark", plk::ui::kMusicHit.x + plk::ui::kOffMarkDx,
                   plk::ui::kMusicHit.y + plk::ui::kOffMarkDy, sx, sy);
    DrawSprite(m_texButtons, m_hovered == kSound ? "soundHover" : "sound", plk::ui::kSoundHit.x, plk::ui::kSoundHit.y,
               sx, sy);
    if (!XDXSound::SoundsEnabled())
        DrawSprite(m_texButtons, "offMark", plk::ui::kSoundHit.x + plk::ui::kOffMarkDx,
                   plk::ui::kSoundHit.y + plk::ui::kOffMarkDy, sx, sy);
}
