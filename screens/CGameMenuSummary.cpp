// The level-complete card of the menu overlay: the six scoring lines, and continuing to what
// follows the level.
#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "platform/gfx/TextLayout.h"
#include "screens/CBuilderActions.h"
#include "screens/CGameMenu.h"
#include "screens/CScreenFlow.h"
#include "screens/LevelCompletion.h"
#include "ui/UiLayout.h"

namespace
{

const uint32_t kUntinted = 0xFFFFFFFF;
const uint32_t kWhite = 0xFFFFFFFF;
const int kSummaryColumns = 9;
const int kSummaryRows = 6;
// Header images start this far below the frame's top; the lines start 110 below it, 30 apart,
// in boxes 12 units inside the frame; the footer's line starts 38 above the frame's bottom.
const float kHeaderTop = 15.0f;
const float kLinesTop = 110.0f;
const float kLineStep = 30.0f;
const float kLineInset = 12.0f;
const float kFooterFromBottom = 38.0f;

} // namespace

void CGameMenu::DrawSummary()
{
    const float tile = static_cast<float>(plk::ui::kFrameTile);
    const float centre = static_cast<float>(plk::ui::kPlayAreaCentreX);
    const float left = CentredLeft(kSummaryColumns, centre);
    const float top = CentredTop(kSummaryRows);
    const float width = static_cast<float>(kSummaryColumns) * tile;
    const float height = static_cast<float>(kSummaryRows) * tile;
    DrawFrame(left, top, kSummaryColumns, kSummaryRows);

    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    if (m_texHeader0.GetTexture())
        m_texHeader0.Draw(static_cast<int>((centre - static_cast<float>(m_texHeader0.GetImageWidth())) * sx),
                          static_cast<int>((top + kHeaderTop) * sy), 0, 0, 0, 0, sx, sy, kUntinted, true);
    if (m_texHeader1.GetTexture())
        m_texHeader1.Draw(static_cast<int>(centre * sx), static_cast<int>((top + kHeaderTop) * sy), 0, 0, 0, 0, sx,
                          sy, kUntinted, true);

    const auto lines = CLevelCompletion::Lines(*m_pLevel);
    for (int i = 0; i < CLevelCompletion::kLineCount; ++i)
    {
        const float lineTop = top + kLinesTop + kLineStep * static_cast<float>(i);
        const float boxWidth = width - 2.0f * kLineInset;
        const auto& line = lines[static_cast<size_t>(i)];
        PrintText(m_font, line.label, left + kLineInset, lineTop, boxWidth, kLineStep, line.colour,
                  plk::gfx::kDtLeft | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);
        PrintText(m_font, line.value, left + kLineInset, lineTop, boxWidth, kLineStep, line.colour,
                  plk::gfx::kDtRight | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);
    }
    const XString footer(m_mode == MenuMode::BuilderTestComplete ? "Press any key to return to the level builder..."
                                                                  : "Press any key to play the next level...");
    PrintText(m_font, footer, left, top + height - kFooterFromBottom, width, kLineStep, kWhite,
              plk::gfx::kDtCenter | plk::gfx::kDtSingleLine);
}

void CGameMenu::UpdateSummary()
{
    const XDXInput& input = m_pEngine->m_input;
    if (!input.AnyKeyReleased() && !input.MouseButtonDown(0) && !input.MouseButtonDown(1) &&
        !input.MouseButtonDown(2))
        return;
    m_bDone = true;
    Close();
    if (m_mode == MenuMode::LevelComplete)
    {
        CLevelCompletion::Continue(m_pEngine, m_pLevel);
        return;
    }
    // A test play belongs to no game: nothing of it is banked, and the builder reads the level
    // back as it was written before the test.
    BuilderFlow::OpenBuilder(m_pEngine, m_pLevel, XString(CGameLevel::kLastEditedName));
}
