// A recorded solution of a level: the random seed and the player's pushes and spare drops, each
// on a given frame or as soon as every cube is at rest; read from and written to a small text file.
#pragma once

#include "foundation/XString.h"

#include <string>
#include <vector>

struct SolutionMove
{
    enum Kind { kPush, kDrop };
    // The move waits until every cube rests and no cube is being removed.
    static constexpr int kWhenAtRest = -1;

    Kind kind = kPush;
    int gx = 0, gy = 0, gz = 0; // cell of the pushed cube at the moment of the push
    int dx = 0, dz = 0;         // push direction: one of them is +1 or -1
    int slot = 0;               // spare button 0..2 of a drop
    int frame = kWhenAtRest;    // frame number (0 = the first frame of play) or kWhenAtRest
};

class CLevelSolution
{
public:
    // Lines: "seed N", "push GX GY GZ DIR [at FRAME]" with DIR one of +x -x +z -z, "drop SLOT
    // [at FRAME]"; blank lines and lines starting with '#' are ignored. False with the line's
    // number and text in GetErrorMsg() on anything else; the solution is then empty.
    bool Parse(const std::string& text);
    bool ReadFile(const XString& path);
    // The text Parse reads back to the same solution, with an optional comment line first.
    std::string Format(const std::string& comment) const;

    unsigned GetSeed() const { return m_uiSeed; }
    void SetSeed(unsigned seed) { m_uiSeed = seed; }
    const std::vector<SolutionMove>& GetMoves() const { return m_moves; }
    void AddMove(const SolutionMove& move) { m_moves.push_back(move); }
    void Clear();

    const XString& GetErrorMsg() const { return m_strErrorMsg; }

    // "+x", "-x", "+z" or "-z" of a push direction; "" when it is none of them.
    static const char* DirectionName(int dx, int dz);

private:
    bool ParseLine(const std::string& line);

    unsigned m_uiSeed = 1;
    std::vector<SolutionMove> m_moves;
    XString m_strErrorMsg;
};
