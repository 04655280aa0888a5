// Breadth-first search over the pushes of a resting board: a shortest list of pushes that
// clears the level, or the answer that none exists within the bounds. Runs on any thread; a
// worker stops it through the cancel flag.
#pragma once

#include "game/CPushBoard.h"

#include <atomic>
#include <chrono>
#include <vector>

class CPushSolver
{
public:
    struct Limits
    {
        int maxPushes = 30;          // depth of the search
        int maxPositions = 3000000;  // distinct resting positions examined
        int settleFrames = 2000;     // frames a push may take to come to rest
        // Gives up at this time (the hint's second); the default never comes.
        std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    };
    enum Outcome
    {
        kSolved,     // GetPushes() clears the level
        kUnsolvable, // no sequence of pushes of any length clears it
        kGaveUp,     // not within maxPushes, maxPositions or the deadline
        kCancelled,
    };

    // Searches from a resting position of the prepared board; *cancel (may be null) stops it.
    Outcome Solve(CPushBoard& board, const CPushBoard::Position& start, const Limits& limits,
                  const std::atomic<bool>* cancel = nullptr);

    const std::vector<CPushBoard::Push>& GetPushes() const { return m_pushes; }
    // Distinct resting positions the last search examined, the start included.
    long long GetPositionsSeen() const { return m_llPositionsSeen; }
    // Every sequence of up to this many pushes was tried by the last search.
    int GetDepthSearched() const { return m_iDepthSearched; }

    // Share of `samples` sequences of `length` random pushes (drawn by a generator of its own
    // from seed) that clear the level from the position.
    static double RandomWinShare(CPushBoard& board, const CPushBoard::Position& start, int length, int samples,
                                 unsigned seed);

private:
    std::vector<CPushBoard::Push> m_pushes;
    long long m_llPositionsSeen = 0;
    int m_iDepthSearched = 0;
};
