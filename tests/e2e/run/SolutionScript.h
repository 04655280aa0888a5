// A level's recorded moves turned into the clicks of a scripted run. The level is played headless
// through the real rules at the run's frame step beside the script, so each click is timed by
// the board it acts on: a move is clicked when every cube has rested a while, and the script
// learns the frame on which the level ends.
#pragma once

#include "foundation/XString.h"
#include "tests/e2e/run/BoardView.h"
#include "tools/levelplay/LevelReplay.h"
#include "tools/levelplay/LevelSolution.h"

#include <string>
#include <vector>

class RunScript;

class SolutionScript
{
public:
    explicit SolutionScript(const XString& dataFolder);

    // The shipped level of that name, or a plain level document (a level the run wrote itself);
    // play begins on frame playStart of the run.
    bool LoadLevel(const XString& levelName, int playStart);
    bool LoadDocument(const XString& document, int playStart);

    // Appends the clicks of the solution's moves to script. False with the reason in GetError()
    // when a move cannot be made.
    bool AppendMoves(const CLevelSolution& solution, RunScript& script);
    // Lets the level run on until it ends; false unless it was won.
    bool PlayToEnd();
    // The run's frame the headless play has reached.
    int GetRunFrame() const { return m_iPlayStart + m_iFrame; }
    const std::string& GetError() const { return m_strError; }

private:
    bool Fail(const std::string& why);
    // Plays frames until every cube has rested for a while; false when the level ends first.
    bool WaitForRest();
    std::vector<BoardView::Cell> CubesOnBoard();

    CLevelReplay m_replay;
    int m_iPlayStart = 0;
    int m_iFrame = 0;
    std::string m_strError;
};

// The recorded solution of a shipped level, from the level sources.
bool ReadShippedSolution(const std::string& levelName, CLevelSolution& solution);

// One level of a series in a run: its start card is dismissed on frame cardFrame, the solution is
// played, and the level-complete card is shot and dismissed once it has come up. Returns the
// frame on which the next screen (the next level's start card, or the series' end) is up, or -1
// with the reason in error.
int AppendLevel(const XString& dataFolder, const XString& levelName, const CLevelSolution& solution, int cardFrame,
                RunScript& script, std::string& error);
