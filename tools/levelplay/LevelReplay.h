// Plays a level headless through the real rules at a fixed frame step: loads the compiled level,
// sets the hardest difficulty, applies a recorded solution's pushes and spare drops through the
// same rule functions the play screen calls (only pickable cubes, only offered arrows) and reports
// whether it was won in time.
#pragma once

#include "foundation/XString.h"
#include "tools/levelplay/LevelSolution.h"

#include <memory>

class CGameLevel;
class CPlayBlock;

struct ReplayResult
{
    bool won = false;
    int frames = 0;       // frames played until the level ended
    float msLeft = 0.0f;  // TimeLeft when it ended
    int secondsLeft = 0;  // what the status bar shows
    int blockScore = 0;
    int blocksLeft = 0;
};

class CLevelReplay
{
public:
    // The game time of one frame that recorded solutions are made and checked at (40 frames a
    // second). The game itself steps by whatever time the engine measured for the frame; a replay
    // needs one fixed step to come out the same every time.
    static constexpr float kFrameMs = 25.0f;
    // The hardest difficulty, the one with the least time.
    static constexpr int kHardest = 3;

    // dataFolder ends in a separator (the game's "…\\data\\"); the cube meshes are loaded from it
    // once per process, so that the lifter's morph runs as long as in the game. frameMs is the
    // game time of one frame: kFrameMs, or a scripted run's fixed step.
    explicit CLevelReplay(const XString& dataFolder, float frameMs = kFrameMs);
    ~CLevelReplay();
    CLevelReplay(const CLevelReplay&) = delete;
    CLevelReplay& operator=(const CLevelReplay&) = delete;

    // Seeds the rules' random generator, loads the level from the levels folder with CGameLevel::Load
    // at the hardest difficulty and applies the difficulty's time factor, as the status bar's
    // first look at the clock does.
    bool Load(const XString& levelName, unsigned seed);
    // The same from a plain document (the solver); terrain and scenery are of no interest there.
    bool LoadDocument(const XString& levelName, const XString& document, unsigned seed);

    // One frame of play: the level's update and the selection's follow-up as the play screen runs
    // them, then the end test. False once the level is over.
    bool Frame();
    bool IsOver() const { return m_bOver; }
    // Plays on from a board the caller has set up again (the solver's restored positions).
    void ClearEnd()
    {
        m_bOver = false;
        m_result.won = false;
    }
    const ReplayResult& GetResult() const { return m_result; }

    // Every cube on the board rests (no velocity component beyond 0.01 either way) and none is
    // being removed: when a solution's "at rest" moves are made.
    bool IsAtRest();
    // The cube on the board in that cell that a player could pick; null when there is none.
    CPlayBlock* CubeAt(int gx, int gy, int gz);
    // The cube in that cell can be picked and offers the arrow of the step (dx, dz).
    bool CanPush(int gx, int gy, int gz, int dx, int dz);
    // Picks the cube and clicks the arrow as a player does; false (and nothing moves) when the
    // cube cannot be picked or the arrow is not offered.
    bool Push(int gx, int gy, int gz, int dx, int dz);
    // Clicks the spare's button; false when it is empty or no cell is free.
    bool DropSpare(int slot);

    // Plays the whole solution, then lets the level run until it ends (or maxFrames pass).
    // False with the reason in GetErrorMsg() when a move cannot be made; the result tells
    // whether the level was won and with how much time.
    bool Play(const CLevelSolution& solution, int maxFrames);
    // Makes the solution's moves and stops right after the last one (or when the level ends).
    bool PlayMoves(const CLevelSolution& solution, int maxFrames);

    CGameLevel& GetLevel() { return *m_pLevel; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    void Start();
    bool ApplyMove(const SolutionMove& move);

    XString m_strDataFolder;
    float m_fFrameMs;
    std::unique_ptr<CGameLevel> m_pLevel;
    ReplayResult m_result;
    bool m_bOver = false;
    XString m_strErrorMsg;
};
