// The builder's solvability check: F5 searches the pushes of the level being built on a worker
// thread, the status line tells how it went, and any edit of the level cancels it.
#include "screens/CLevelBuilder.h"

#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "platform/window/KeyCodes.h"

namespace
{
// Deeper than any level is meant to need, and within the status line's time on screen.
const int kCheckPushes = 30;
const int kCheckMs = 30000;

// What the level is, for telling an edit: its fixed bodies and cubes as the solver sees them.
XString Fingerprint(CGameLevel& level)
{
    CPushBoard::Setup setup;
    XString ignored;
    CPushBoard::Describe(level, setup, ignored);
    XString print = setup.fixedBodies;
    for (const CPushBoard::Cube& cube : setup.cubes)
    {
        print += static_cast<int>(cube.type);
        print += ':';
        print += static_cast<int>(cube.cell);
        print += ' ';
    }
    for (bool clear : setup.removeToWin)
        print += clear ? '1' : '0';
    return print;
}
} // namespace

XString CLevelBuilder::CheckText(const CPushSearchWorker::Answer& answer)
{
    XString text;
    if (answer.restless)
        return "No solution: the cubes never come to rest.";
    if (answer.outcome == CPushSolver::kSolved)
    {
        const int pushes = static_cast<int>(answer.pushes.size());
        text = "Solvable in ";
        text += pushes;
        text += pushes == 1 ? " push" : " pushes";
        return text;
    }
    text = "No solution within ";
    text += answer.depthSearched;
    text += answer.depthSearched == 1 ? " push" : " pushes";
    return text;
}

void CLevelBuilder::UpdateCheck()
{
    CGameLevel& level = *m_pLevel;
    if (m_pEngine->m_input.KeyReleased(plk::kKeyF5))
    {
        CPushBoard::Setup setup;
        XString ignored;
        if (!CPushBoard::Describe(level, setup, ignored))
        {
            level.SetStatusMessage("Every cube must stand in a cell for the check.");
            return;
        }
        m_strCheckedLevel = Fingerprint(level);
        CPushSolver::Limits limits;
        limits.maxPushes = kCheckPushes;
        m_check.Start(setup, limits, kCheckMs, true);
        level.SetStatusMessage("Still searching...");
        return;
    }
    if (!m_check.IsBusy())
        return;
    if (Fingerprint(level) != m_strCheckedLevel)
    {
        m_check.Cancel();
        level.SetStatusMessage("Check cancelled: the level changed.");
        return;
    }
    CPushSearchWorker::Answer answer;
    if (m_check.TakeAnswer(answer))
        level.SetStatusMessage(CheckText(answer));
}
