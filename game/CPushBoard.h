// Pushes on a resting board, fast: a plain slide is worked out on the cell grid, everything else
// (falls, matches, chains, specials, teleporters) is played through the real board physics on a
// board of its own. What one push does to a resting position is exactly what the rules do.
#pragma once

#include "foundation/XString.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CBoard;
class CGameLevel;
class CPlayBlock;
class CTeleporter;
class CWallBlock;

class CPushBoard
{
public:
    // The game time of one frame that the rules are settled at: the replays' fixed step.
    static constexpr float kFrameMs = 25.0f;

    // One cube slot of the board, in the board's order.
    struct Cube
    {
        int8_t type = -1;    // CPlayBlock type; -1 an empty slot
        int16_t cell = -1;   // CBoard::CellIndex; -1 once gone
        int8_t bounces = 0;  // landings with bounce in a row: they shorten the next fall's bounce
        bool operator==(const Cube& other) const
        {
            return type == other.type && cell == other.cell && bounces == other.bounces;
        }
    };
    // A resting board: every cube still in the centre of its cell, none being removed, no lifter
    // changing back. Time is not part of it: a level's clock is the replay's business.
    using Position = std::vector<Cube>;

    struct Push
    {
        int gx = 0, gy = 0, gz = 0; // the cube's cell
        int dx = 0, dz = 0;         // one of them +1 or -1
        bool operator==(const Push& other) const
        {
            return gx == other.gx && gy == other.gy && gz == other.gz && dx == other.dx && dz == other.dz;
        }
    };

    // What the solver needs of a level: its walls and teleporters as document text, its cubes,
    // the colours to clear and the difficulty that scales the points. Taken on any thread
    // without drawing a random number, so the game's own sequence stays as it was.
    struct Setup
    {
        XString fixedBodies;
        int numWalls = 0;
        int numTeleporters = 0;
        Position cubes;
        std::array<bool, 10> removeToWin{};
        int difficulty = 0;
    };
    // The level as it stands; false (with the reason in errorMsg) when a cube does not rest in
    // the centre of its cell, which no position can hold.
    static bool Describe(CGameLevel& level, Setup& setup, XString& errorMsg);
    // The cubes of a board as a position; false when one does not rest in the centre of its cell.
    static bool PositionOf(const CBoard& board, Position& position);
    // Nothing on the board moves or is being removed and no lifter is changing back: the board
    // a position describes and the next push is searched from.
    static bool IsSettled(const CBoard& board);

    CPushBoard();
    ~CPushBoard();
    CPushBoard(const CPushBoard&) = delete;
    CPushBoard& operator=(const CPushBoard&) = delete;

    // Builds the board's own walls, teleporters and cubes. Their random draws come from the
    // calling thread's rules generator, so a worker thread leaves the game's untouched.
    void Prepare(const Setup& setup);
    const Setup& GetSetup() const { return m_setup; }

    // Every push a player could make on the position: a pickable cube with nothing on top and a
    // free cell or teleporter beside it.
    void PushesOf(const Position& position, std::vector<Push>& pushes);
    // No cube of a colour to clear is left.
    bool IsWon(const Position& position) const;

    enum Result
    {
        kRests,      // `to` holds the resting board
        kWon,        // the last cube to clear went; `to` holds the board at that frame
        kNoRest,     // still moving after maxFrames, or a cube came to rest between cells
    };
    // Makes the push (it must be one of PushesOf) from a resting position. score is the level's
    // points it earned, scaled by the difficulty.
    Result Apply(const Position& from, const Push& push, Position& to, int& score, int maxFrames = 2000);
    // Lets a board that may not rest yet (a builder's floating cubes, groups already touching)
    // play out through the rules without a push.
    Result Settle(const Position& from, Position& to, int& score, int maxFrames = 2000);

    // How the pushes so far were worked out.
    long long GetGridPushes() const { return m_llGridPushes; }
    long long GetRulePushes() const { return m_llRulePushes; }

private:
    enum FixedKind : uint8_t
    {
        kOpen,       // nothing fixed
        kSolid,      // a wall that fills the cell exactly
        kTeleporter, // the probe's answer is a teleporter
        kOdd,        // a wall that fills part of the cell, or more than one body
    };
    // The cube slot per cell of the position.
    void BuildGrid(const Position& position);
    // A plain slide that ends without a match, on the grid of `from`; false when the rules must
    // play the push.
    bool Slide(const Position& from, const Push& push, Position& to);
    int GroupSize(const Position& position, int cell, int colour);
    // Plays the push (none when null) through the real physics until the board rests.
    Result PlayRules(const Position& from, const Push* push, Position& to, int& score, int maxFrames);
    void Restore(const Position& position);

    Setup m_setup;
    std::unique_ptr<CBoard> m_pBoard;
    std::vector<std::unique_ptr<CWallBlock>> m_walls;
    std::vector<std::unique_ptr<CTeleporter>> m_teleporters;
    std::vector<std::unique_ptr<CPlayBlock>> m_cubes;
    std::vector<uint8_t> m_fixed;       // FixedKind per cell
    std::vector<uint8_t> m_probeFixed;  // what the probe sees: 0 nothing, 1 wall, 3 teleporter
    std::vector<int16_t> m_grid;        // cube slot per cell
    std::vector<int> m_stack;
    std::vector<uint8_t> m_seen;
    long long m_llGridPushes = 0;
    long long m_llRulePushes = 0;
};
