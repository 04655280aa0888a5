// Breadth-first search over the pushes of a level with the real rules, headless: finds a
// shortest list of pushes that clears the level, or tells that none exists within the bounds.
#pragma once

#include "foundation/XString.h"
#include "tools/levelplay/LevelReplay.h"
#include "tools/levelplay/LevelSolution.h"

#include <string>
#include <vector>

class CLevelSolver
{
public:
    struct Limits
    {
        int maxPushes = 12;       // depth of the search
        int maxStates = 200000;   // distinct resting positions examined
        int settleFrames = 2000;  // frames a push may take to come to rest
    };
    enum Outcome { kSolved, kUnsolvable, kGaveUp, kError };

    explicit CLevelSolver(const XString& dataFolder);

    // document is the plain level document of the level of that name. The prelude's moves (spare
    // drops, say) are made first with its seed; the search goes on from where they leave the
    // board. On kSolved the solution (the prelude's seed and moves, then pushes made at rest) is
    // in GetSolution().
    Outcome Solve(const XString& levelName, const XString& document, const Limits& limits,
                  const CLevelSolution& prelude);

    const CLevelSolution& GetSolution() const { return m_solution; }
    int GetStatesSeen() const { return m_iStatesSeen; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    // What a resting board is: per cube slot its type and cell, or gone; plus the time left.
    struct Snapshot
    {
        std::vector<int> types;
        std::vector<int> cells; // -1 for a gone cube
        float msLeft = 0.0f;
        int blockScore = 0;
    };
    Snapshot Take();
    void Restore(const Snapshot& snapshot);
    // Lets the pushed cube and everything it set off come to rest; false when time ran out.
    bool Settle(int maxFrames);
    static std::string KeyOf(const Snapshot& snapshot);

    CLevelReplay m_replay;
    CLevelSolution m_solution;
    int m_iStatesSeen = 0;
    XString m_strErrorMsg;
};
