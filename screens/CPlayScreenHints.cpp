// The play view's hints: H asks the push solver, off the main thread, for the next push of a
// shortest solution from the board as it is; the cube is selected and its arrow glows, and each
// hint costs points. The first press of a level only says what a hint costs.
#include "screens/CPlayScreen.h"

#include "engine/XBasicMesh.h"
#include "engine/XGameEngine.h"
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/Points.h"
#include "platform/window/KeyCodes.h"

#include <cmath>

namespace
{
// Points of the level's score a hint costs.
const int kHintCost = 250;
// A hint is only worth waiting for this long.
const int kHintSearchMs = 1000;
// The first lesson teaches picking and pushing: a hint would do it for the player.
const char* const kFirstLesson = "__Lrn1";
// The hinted arrow pulses between these shares of its full glow, once per period.
const float kGlowPeriodMs = 600.0f;
const float kGlowLow = 0.35f;
const float kTwoPi = 6.2831853f;
} // namespace

bool CPlayScreen::HintsAllowed() const
{
    return !m_bBuilderMode && m_strLevelName.CompareNoCase(kFirstLesson) != 0;
}

void CPlayScreen::UpdateHints()
{
    if (m_pEngine->m_input.KeyReleased(plk::kKeyH))
        RequestHint();
    CPushSearchWorker::Answer answer;
    if (m_hintSearch.TakeAnswer(answer))
        ShowHint(answer);
    // The glow belongs to the push it shows: once the cube is no longer selected it ends.
    if (m_iHintArrow >= 0 && CPlayRules::SelectedBlock(*m_pLevel) != m_pHintCube)
        m_iHintArrow = -1;
}

void CPlayScreen::RequestHint()
{
    CGameLevel& level = *m_pLevel;
    if (!HintsAllowed())
    {
        level.SetStatusMessage("There are no hints in this lesson: try each arrow!");
        return;
    }
    if (!m_bHintCostSaid)
    {
        m_bHintCostSaid = true;
        XString text("Each hint costs ");
        text += kHintCost;
        text += " points. Press H again for the next push.";
        level.SetStatusMessage(text);
        return;
    }
    if (m_hintSearch.IsBusy())
        return;
    CPushBoard::Setup setup;
    XString ignored;
    if (!CPushBoard::IsSettled(level.GetBoard()) || !CPushBoard::Describe(level, setup, ignored))
    {
        level.SetStatusMessage("Wait until every cube rests, then press H.");
        return;
    }
    m_hintFrom = setup.cubes;
    m_hintSearch.Start(setup, CPushSolver::Limits(), kHintSearchMs);
    level.SetStatusMessage("Looking for the next push...");
}

void CPlayScreen::ShowHint(const CPushSearchWorker::Answer& answer)
{
    CGameLevel& level = *m_pLevel;
    if (answer.outcome == CPushSolver::kUnsolvable)
    {
        level.SetStatusMessage("No way to clear this board: Restart?");
        return;
    }
    CPushBoard::Position now;
    if (answer.outcome != CPushSolver::kSolved || answer.pushes.empty())
    {
        level.SetStatusMessage("No hint found within a second: try a few pushes and ask again.");
        return;
    }
    // The player may have pushed while the search ran: its answer is for a board that is gone.
    if (!CPushBoard::IsSettled(level.GetBoard()) || !CPushBoard::PositionOf(level.GetBoard(), now) ||
        now != m_hintFrom)
    {
        level.SetStatusMessage("The board changed while the hint was found: press H again.");
        return;
    }
    const CPushBoard::Push& push = answer.pushes.front();
    CBoard& board = level.GetBoard();
    CPlayBlock* cube = nullptr;
    for (int i = 0; i < board.GetBlockCount() && !cube; ++i)
    {
        CPlayBlock* candidate = board.GetBlock(i);
        int gx, gy, gz;
        CBoard::CellOf(candidate->GetPosition(), gx, gy, gz);
        if (candidate->GetState() == CPlayBlock::kStateOnBoard && gx == push.gx && gy == push.gy && gz == push.gz)
            cube = candidate;
    }
    if (!cube)
        return;
    level.SetSelected(cube);
    m_pHintCube = cube;
    m_iHintArrow = CPlayRules::ArrowOf(push.dx, push.dz);
    level.SetBlockScore(Points::Add(level.GetBlockScore(), -kHintCost));
    XString text("Hint (");
    text += -kHintCost;
    text += " points): push the selected cube along the glowing arrow. ";
    text += static_cast<int>(answer.pushes.size());
    text += answer.pushes.size() == 1 ? " push clears the board." : " pushes clear the board.";
    level.SetStatusMessage(text);
}

void CPlayScreen::DrawArrow(int arrow)
{
    if (arrow != m_iHintArrow || !m_pArrowMesh)
    {
        m_arrows[arrow].Draw();
        return;
    }
    const float phase = std::fmod(static_cast<float>(m_pEngine->GetTime()), kGlowPeriodMs) / kGlowPeriodMs;
    const float glow = kGlowLow + (1.0f - kGlowLow) * 0.5f * (1.0f + std::sin(phase * kTwoPi));
    plk::gfx::Material material;
    material.diffuse = {1.0f, 0.9f, 0.3f, 1.0f};
    material.ambient = material.diffuse;
    material.emissive = {glow, glow * 0.85f, glow * 0.2f, 1.0f};
    m_pArrowMesh->SetMaterialOverride(&material, 0);
    m_arrows[arrow].Draw();
    m_pArrowMesh->SetMaterialOverride(nullptr, 0);
}
