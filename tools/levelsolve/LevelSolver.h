// The level solver of the design tools: loads a plain level document headless, makes the
// prelude's moves through the real rules, and searches the pushes from where they leave the board
// with the game's push solver; also rates a level (shortest solution, positions examined, share
// of random push sequences that win).
#pragma once

#include "foundation/XString.h"
#include "game/CPushBoard.h"
#include "game/CPushSolver.h"
#include "tools/levelplay/LevelReplay.h"
#include "tools/levelplay/LevelSolution.h"

#include <string>

class CLevelSolver
{
public:
    using Limits = CPushSolver::Limits;
    enum Outcome { kSolved, kUnsolvable, kGaveUp, kError };

    // One row of the difficulty table.
    struct Rating
    {
        int shortest = 0;           // pushes of a shortest solution
        long long positions = 0;    // distinct resting positions the search examined
        double randomWins = 0.0;    // share of random sequences of twice the shortest length that win
        double searchSeconds = 0.0; // time the search took
    };
    // Random push sequences tried for a rating, and the seed of their generator.
    static constexpr int kRandomSamples = 2000;
    static constexpr unsigned kRandomSeed = 1;

    explicit CLevelSolver(const XString& dataFolder);

    // document is the plain level document of the level of that name. The prelude's moves (spare
    // drops, say) are made first with its seed; the search goes on from where they leave the
    // board. On kSolved the solution (the prelude's seed and moves, then pushes made at rest) is
    // in GetSolution().
    Outcome Solve(const XString& levelName, const XString& document, const Limits& limits,
                  const CLevelSolution& prelude);
    // Solves, then plays random pushes from the same start.
    Outcome Rate(const XString& levelName, const XString& document, const Limits& limits,
                 const CLevelSolution& prelude, Rating& rating);

    const CLevelSolution& GetSolution() const { return m_solution; }
    long long GetPositionsSeen() const { return m_search.GetPositionsSeen(); }
    const CPushBoard& GetBoard() const { return m_board; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    // Loads, plays the prelude and lets the board come to rest; the push board is then prepared.
    bool Start(const XString& levelName, const XString& document, const Limits& limits,
               const CLevelSolution& prelude);

    CLevelReplay m_replay;
    CPushBoard m_board;
    CPushSolver m_search;
    CPushBoard::Position m_start;
    CLevelSolution m_solution;
    XString m_strErrorMsg;
};
