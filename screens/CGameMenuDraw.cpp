// Drawing of the menu overlay: the tiled frame and each mode's content.
#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "screens/CGameMenu.h"
#include "screens/CGameMenuLayout.h"
#include "platform/gfx/TextLayout.h"
#include "screens/CScreenFlow.h"
#include "ui/UiLayout.h"

#include <string>

using namespace MenuListLayout;

namespace
{

const uint32_t kUntinted = 0xFFFFFFFF;
const uint32_t kWhite = 0xFFFFFFFF;
const uint32_t kHoveredRow = 0xFFFFE27A;
// The bar behind the level set under the mouse: the hover colour, a quarter opaque.
const uint32_t kRowHighlight = 0x40FFE27A;
// The fill starts this far inside the frame's outer edge, so the frame's rounded corners show.
const float kFillInset = 4.0f;
// Cards and the difficulty choice start this far down the screen.
const float kCardTop = 150.0f;
// Text keeps this far from the frame's edges.
const float kTextMargin = 24.0f;
const float kPromptMarginY = 8.0f;
// Whole-width lists centre on the screen instead of on the play area.
const float kScreenCentreX = static_cast<float>(plk::ui::kDesignW) / 2.0f;

const unsigned kReadyPeriodMs = 2000;
const unsigned kReadyShownMs = 1750;

const float kRowTextIndent = 12.0f;

// Frame sizes in tiles by mode.
const int kCardColumns = 9;
const int kStartDetailRows = 5;
const int kDifficultyColumns = 7;
const int kDifficultyRows = 2;
const int kHelpColumns = 11;
const int kHelpRows = 12;
const int kObjectiveRows = 6;
const int kLoadFailedRows = 3;
const int kListColumns = 8;
const int kListRows = 9;

} // namespace

float CGameMenu::CentredLeft(int columns, float centreX) const
{
    return centreX - static_cast<float>(columns * plk::ui::kFrameTile) / 2.0f;
}

float CGameMenu::CentredTop(int rows) const
{
    return static_cast<float>(plk::ui::kDesignH - rows * plk::ui::kFrameTile) / 2.0f;
}

void CGameMenu::DrawFrame(float x, float y, int columns, int rows)
{
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    const float tile = static_cast<float>(plk::ui::kFrameTile);
    m_fFrameX = x;
    m_fFrameY = y;
    if (m_texFill.GetTexture())
    {
        const float fillW = static_cast<float>(columns) * tile - 2.0f * kFillInset;
        const float fillH = static_cast<float>(rows) * tile - 2.0f * kFillInset;
        m_texFill.Draw(static_cast<int>((x + kFillInset) * sx), static_cast<int>((y + kFillInset) * sy), 0, 0, 0, 0,
                       fillW / static_cast<float>(m_texFill.GetImageWidth()) * sx,
                       fillH / static_cast<float>(m_texFill.GetImageHeight()) * sy, kUntinted, true);
    }
    for (int i = 0; i < rows; ++i)
    {
        for (int j = 0; j < columns; ++j)
        {
            const bool first = j == 0, last = j == columns - 1;
            int piece = -1;
            if (rows == 1)
                piece = first ? kSL : (last ? kSR : kSM);
            else if (i == 0)
                piece = first ? kTL : (last ? kTR : kT);
            else if (i == rows - 1)
                piece = first ? kBL : (last ? kBR : kB);
            else if (first || last)
                piece = first ? kL : kR;
            if (piece < 0 || !m_texFrame[piece].GetTexture())
                continue;
            m_texFrame[piece].Draw(static_cast<int>((x + static_cast<float>(j) * tile) * sx),
                                   static_cast<int>((y + static_cast<float>(i) * tile) * sy), 0, 0, 0, 0, sx, sy,
                                   kUntinted, true);
        }
    }
}

void CGameMenu::PrintText(XDXFont& font, const XString& text, float x, float y, float width, float height,
                          uint32_t colour, uint32_t format)
{
    if (!font.GetFont() || text.IsEmpty())
        return;
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    font.Print(text, static_cast<int>(x * sx), static_cast<int>(y * sy), static_cast<int>(width * sx),
               static_cast<int>(height * sy), colour, format);
}

void CGameMenu::DrawSprite(const char* name, float x, float y)
{
    const plk::ui::Sprite* sprite = plk::ui::FindSprite(name);
    if (!sprite || !m_texSprites.GetTexture())
        return;
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    m_texSprites.Draw(static_cast<int>(x * sx), static_cast<int>(y * sy), sprite->src.x, sprite->src.y, sprite->src.w,
                      sprite->src.h, sx, sy, kUntinted, true);
}

void CGameMenu::DrawLevelStart()
{
    const float tile = static_cast<float>(plk::ui::kFrameTile);
    const float left = CentredLeft(kCardColumns, static_cast<float>(plk::ui::kPlayAreaCentreX));
    const float width = static_cast<float>(kCardColumns) * tile;
    DrawFrame(left, kCardTop, kCardColumns, 1);
    PrintText(m_fontLarge, m_pLevel->GetLevelName(), left, kCardTop, width, tile, kWhite,
              plk::gfx::kDtCenter | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);

    const float top = kCardTop + tile * 1.5f;
    const float height = static_cast<float>(kStartDetailRows) * tile;
    DrawFrame(left, top, kCardColumns, kStartDetailRows);
    PrintText(m_font, m_pLevel->GetObjective(), left + kTextMargin, top + kTextMargin, width - 2.0f * kTextMargin,
              height - 3.0f * tile, kWhite, plk::gfx::kDtCenter | plk::gfx::kDtWordBreak);
    const float readyTop = top + height - 2.0f * tile;
    if (m_texReady.GetTexture() && m_pEngine->GetTime() % kReadyPeriodMs < kReadyShownMs)
    {
        const float sx = ScreenFlow::ScaleX(m_pEngine);
        const float sy = ScreenFlow::ScaleY(m_pEngine);
        const float readyLeft = left + (width - static_cast<float>(m_texReady.GetImageWidth())) / 2.0f;
        m_texReady.Draw(static_cast<int>(readyLeft * sx), static_cast<int>(readyTop * sy), 0, 0, 0, 0, sx, sy,
                        kUntinted, true);
    }
    PrintText(m_font, XString("Press any key when ready..."), left, top + height - tile * 0.85f, width,
              tile * 0.5f, kWhite, plk::gfx::kDtCenter | plk::gfx::kDtSingleLine);
}

bool CGameMenu::DifficultyOptionRect(int option, float& x, float& y, float& w, float& h) const
{
    static const char* const kOptions[] = {"easy", "medium", "hard"};
    if (option < 0 || option > 2)
        return false;
    const plk::ui::Sprite* sprite = plk::ui::FindSprite(kOptions[option]);
    if (!sprite)
        return false;
    const float tile = static_cast<float>(plk::ui::kFrameTile);
    const float left = CentredLeft(kDifficultyColumns, static_cast<float>(plk::ui::kPlayAreaCentreX));
    const float width = static_cast<float>(kDifficultyColumns) * tile;
    const float top = kCardTop + tile * 1.5f;
    // Three options side by side, each centred in its third of the frame.
    const float centreX = left + width * (2.0f * static_cast<float>(option) + 1.0f) / 6.0f;
    const float centreY = top + static_cast<float>(kDifficultyRows) * tile / 2.0f;
    w = static_cast<float>(sprite->src.w);
    h = static_cast<float>(sprite->src.h);
    x = centreX - w / 2.0f;
    y = centreY - h / 2.0f;
    return true;
}

void CGameMenu::DrawDifficulty()
{
    static const char* const kOptions[] = {"easy", "medium", "hard"};
    static const char* const kHovered[] = {"easyHover", "mediumHover", "hardHover"};
    const float tile = static_cast<float>(plk::ui::kFrameTile);
    const float left = CentredLeft(kDifficultyColumns, static_cast<float>(plk::ui::kPlayAreaCentreX));
    DrawFrame(left, kCardTop, kDifficultyColumns, 1);
    PrintText(m_fontLarge, XString("Select The Game Difficulty"), left, kCardTop,
              static_cast<float>(kDifficultyColumns) * tile, tile, kWhite,
              plk::gfx::kDtCenter | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);
    DrawFrame(left, kCardTop + tile * 1.5f, kDifficultyColumns, kDifficultyRows);
    for (int option = 0; option < 3; ++option)
    {
        float x, y, w, h;
        if (DifficultyOptionRect(option, x, y, w, h))
            DrawSprite(option == m_iHoveredButton ? kHovered[option] : kOptions[option], x, y);
    }
}

void CGameMenu::DrawHelp()
{
    if (m_entry.GetText().IsEmpty())
        return;
    const float tile = static_cast<float>(plk::ui::kFrameTile);
    const float left = CentredLeft(kHelpColumns, static_cast<float>(plk::ui::kPlayAreaCentreX));
    const float top = CentredTop(kHelpRows);
    DrawFrame(left, top, kHelpColumns, kHelpRows);
    PrintText(m_font, m_entry.GetText(), left + kTextMargin, top + kTextMargin,
              static_cast<float>(kHelpColumns) * tile - 2.0f * kTextMargin,
              static_cast<float>(kHelpRows) * tile - 2.0f * kTextMargin, kWhite, plk::gfx::kDtWordBreak);
}

void CGameMenu::DrawLoadFailed()
{
    const float tile = static_cast<float>(plk::ui::kFrameTile);
    const float left = CentredLeft(kCardColumns, static_cast<float>(plk::ui::kPlayAreaCentreX));
    const float top = CentredTop(kLoadFailedRows);
    const float width = static_cast<float>(kCardColumns) * tile;
    const float height = static_cast<float>(kLoadFailedRows) * tile;
    DrawFrame(left, top, kCardColumns, kLoadFailedRows);
    PrintText(m_font, LoadFailedText(m_strFile), left + kTextMargin, top + kTextMargin, width - 2.0f * kTextMargin,
              height - tile - kTextMargin, kWhite, plk::gfx::kDtCenter | plk::gfx::kDtWordBreak);
    PrintText(m_font, XString("Press any key to return to the title..."), left, top + height - tile * 0.85f, width,
              tile * 0.5f, kWhite, plk::gfx::kDtCenter | plk::gfx::kDtSingleLine);
}

void CGameMenu::DrawTextFrame()
{
    const XString text = ComposedText();
    if (text.IsEmpty())
        return;
    const float tile = static_cast<float>(plk::ui::kFrameTile);
    const int rows = m_mode == MenuMode::EditObjective ? kObjectiveRows : 1;
    const float left = CentredLeft(kCardColumns, static_cast<float>(plk::ui::kPlayAreaCentreX));
    const float top = CentredTop(rows);
    DrawFrame(left, top, kCardColumns, rows);
    PrintText(m_font, text, left + kTextMargin, top + kPromptMarginY, static_cast<float>(kCardColumns) * tile -
              2.0f * kTextMargin, static_cast<float>(rows) * tile - 2.0f * kPromptMarginY, kWhite,
              plk::gfx::kDtCenter | plk::gfx::kDtWordBreak);
}

void CGameMenu::ArrowRects(float& upX, float& upY, float& downX, float& downY, float& closeX, float& closeY) const
{
    const float tile = static_cast<float>(plk::ui::kFrameTile);
    const bool wholeWidth = m_mode == MenuMode::TitleLoadGame || m_mode == MenuMode::ChooseLevelSet;
    const float left = CentredLeft(kListColumns, wholeWidth ? kScreenCentreX : static_cast<float>(plk::ui::kPlayAreaCentreX));
    const float top = CentredTop(kListRows);
    const float width = static_cast<float>(kListColumns) * tile;
    const float height = static_cast<float>(kListRows) * tile;
    // The controls share the column right of the rows: close at the top, the arrows below it and
    // at the bottom.
    const float columnX = left + kRowRight + (width - kRowRight - kArrowSize) / 2.0f;
    closeX = upX = downX = columnX;
    closeY = top + tile * 0.5f;
    upY = top + tile * 1.5f;
    downY = top + height - tile * 1.5f;
}

float CGameMenu::FirstRowTop() const
{
    return m_mode == MenuMode::ChooseLevelSet ? kHeadedRowTop : kRowTop;
}

void CGameMenu::DrawRowHighlight(float x, float y, float w, float h)
{
    plk::gfx::Device* device = m_pEngine->GetDevice();
    if (!device)
        return;
    struct Vertex
    {
        float x, y, z, rhw;
        uint32_t color;
    };
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    const float l = x * sx, t = y * sy, r = (x + w) * sx, b = (y + h) * sy;
    const Vertex quad[6] = {{l, t, 0, 1, kRowHighlight}, {r, t, 0, 1, kRowHighlight}, {r, b, 0, 1, kRowHighlight},
                            {l, t, 0, 1, kRowHighlight}, {r, b, 0, 1, kRowHighlight}, {l, b, 0, 1, kRowHighlight}};
    const plk::gfx::Device::StateBlock saved = device->CaptureState();
    device->SetRenderState(plk::gfx::kZEnable, 0);
    device->SetRenderState(plk::gfx::kCullMode, plk::gfx::kCullNone);
    device->SetRenderState(plk::gfx::kAlphaBlendEnable, 1);
    device->SetRenderState(plk::gfx::kSrcBlend, plk::gfx::kBlendSrcAlpha);
    device->SetRenderState(plk::gfx::kDestBlend, plk::gfx::kBlendInvSrcAlpha);
    device->SetTexture(0, nullptr);
    device->SetFVF(plk::gfx::kFvfXyzRhw | plk::gfx::kFvfDiffuse);
    device->DrawPrimitiveUP(plk::gfx::kTriangleList, 2, quad, sizeof(Vertex));
    device->ApplyState(saved);
}

void CGameMenu::DrawList()
{
    const bool wholeWidth = m_mode == MenuMode::TitleLoadGame || m_mode == MenuMode::ChooseLevelSet;
    const float left = CentredLeft(kListColumns, wholeWidth ? kScreenCentreX : static_cast<float>(plk::ui::kPlayAreaCentreX));
    const float top = CentredTop(kListRows);
    DrawFrame(left, top, kListColumns, kListRows);
    if (m_mode == MenuMode::ChooseLevelSet)
    {
        PrintText(m_fontLarge, XString("Choose a level set"), left + kRowLeft, top + kHeadingTop, kRowRight - kRowLeft,
                  kHeadingHeight, kWhite, plk::gfx::kDtCenter | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);
        if (m_list.GetHovered() >= 0 && static_cast<unsigned>(m_list.GetHovered()) >= m_list.GetScroll())
        {
            const unsigned row = static_cast<unsigned>(m_list.GetHovered()) - m_list.GetScroll();
            if (row < m_list.GetShownCount())
                DrawRowHighlight(left + kRowLeft, top + kHeadedRowTop + kRowStep * static_cast<float>(row),
                                 kRowRight - kRowLeft, kRowHeight);
        }
    }
    for (unsigned k = 0; k < m_list.GetShownCount(); ++k)
    {
        const unsigned entry = m_list.GetScroll() + k;
        const float rowTop = top + FirstRowTop() + kRowStep * static_cast<float>(k);
        const XString name = m_mode == MenuMode::ChooseLevelSet ? m_list.Get(entry) : CMenuList::DisplayName(m_list.Get(entry));
        PrintText(m_font, name, left + kRowLeft + kRowTextIndent, rowTop, kRowRight - kRowLeft - kRowTextIndent,
                  kRowHeight, static_cast<int>(entry) == m_list.GetHovered() ? kHoveredRow : kWhite,
                  plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);
    }
    float upX, upY, downX, downY, closeX, closeY;
    ArrowRects(upX, upY, downX, downY, closeX, closeY);
    DrawSprite(!m_list.CanScrollUp() ? "upOff" : (m_iHoveredButton == 0 ? "upHover" : "up"), upX, upY);
    DrawSprite(!m_list.CanScrollDown() ? "downOff" : (m_iHoveredButton == 1 ? "downHover" : "down"), downX, downY);
    DrawSprite(m_iHoveredButton == 2 ? "closeHover" : "close", closeX, closeY);
}
