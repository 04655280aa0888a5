// The level solver: the replay brings the level to its first resting board, the push solver
// searches from there.
#include "tools/levelsolve/LevelSolver.h"

#include "game/CGameLevel.h"

#include <chrono>

static_assert(CPushBoard::kFrameMs == CLevelReplay::kFrameMs, "the solver settles pushes at the replays' step");

CLevelSolver::CLevelSolver(const XString& dataFolder) : m_replay(dataFolder)
{
}

bool CLevelSolver::Start(const XString& levelName, const XString& document, const Limits& limits,
                         const CLevelSolution& prelude)
{
    m_solution = prelude;
    m_strErrorMsg = "";
    if (!m_replay.LoadDocument(levelName, document, prelude.GetSeed()))
    {
        m_strErrorMsg = m_replay.GetErrorMsg();
        return false;
    }
    if (!prelude.GetMoves().empty() && !m_replay.PlayMoves(prelude, limits.settleFrames))
    {
        m_strErrorMsg = m_replay.GetErrorMsg();
        return false;
    }
    // At least one frame, so that the board's grids know every cube, as they do when a player acts.
    for (int frame = 0; frame == 0 || !m_replay.IsAtRest(); ++frame)
        if (frame == limits.settleFrames || !m_replay.Frame())
        {
            m_strErrorMsg = "Error: in CLevelSolver::Solve, the level does not come to rest by itself.";
            return false;
        }
    CPushBoard::Setup setup;
    if (!CPushBoard::Describe(m_replay.GetLevel(), setup, m_strErrorMsg))
        return false;
    m_board.Prepare(setup);
    m_start = setup.cubes;
    return true;
}

CLevelSolver::Outcome CLevelSolver::Solve(const XString& levelName, const XString& document, const Limits& limits,
                                          const CLevelSolution& prelude)
{
    if (!Start(levelName, document, limits, prelude))
        return kError;
    switch (m_search.Solve(m_board, m_start, limits))
    {
    case CPushSolver::kSolved:
        for (const CPushBoard::Push& push : m_search.GetPushes())
        {
            SolutionMove move;
            move.gx = push.gx;
            move.gy = push.gy;
            move.gz = push.gz;
            move.dx = push.dx;
            move.dz = push.dz;
            m_solution.AddMove(move);
        }
        return kSolved;
    case CPushSolver::kUnsolvable:
        return kUnsolvable;
    case CPushSolver::kGaveUp:
    case CPushSolver::kCancelled:
        break;
    }
    return kGaveUp;
}

CLevelSolver::Outcome CLevelSolver::Rate(const XString& levelName, const XString& document, const Limits& limits,
                                         const CLevelSolution& prelude, Rating& rating)
{
    const auto began = std::chrono::steady_clock::now();
    const Outcome outcome = Solve(levelName, document, limits, prelude);
    rating.searchSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    if (outcome != kSolved)
        return outcome;
    rating.shortest = static_cast<int>(m_search.GetPushes().size());
    rating.positions = m_search.GetPositionsSeen();
    rating.randomWins =
        CPushSolver::RandomWinShare(m_board, m_start, 2 * rating.shortest, kRandomSamples, kRandomSeed);
    return kSolved;
}
