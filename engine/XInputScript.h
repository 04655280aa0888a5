// Scripted input: a text file of "FRAME VERB ARGS" lines replayed into the window's event queue.
#pragma once

#include "foundation/XString.h"

#include <string>
#include <vector>

class XInputScript
{
public:
    enum class Action
    {
        kKeyDown,
        kKeyUp,
        kMove,
        kButtonDown,
        kButtonUp,
        kShot,
        kQuit,
        kBlur,  // the window loses the keyboard, as when the player turns to another window
        kFocus, // and gets it back
        kPace,  // from this frame on each frame lasts at least value ms of wall time; 0 = no wait
    };

    struct Step
    {
        unsigned frame = 0;
        Action action = Action::kQuit;
        int key = 0;    // DirectInput code for key actions
        int button = 0; // for button actions
        int x = 0, y = 0;
        unsigned value = 0; // ms for kPace
    };

    // Reads and checks the whole file; on any bad line nothing is kept and the error names the line.
    bool Load(const XString& fileName);
    // The same from text already in memory.
    bool Parse(const std::string& text);
    // Queues the steps of frame in file order; returns true when a "shot" step was among them.
    bool Apply(unsigned frame);
    // The wall time a frame must last, set by the last "pace" step applied; 0 = as fast as it goes.
    // Something outside the game (a real mouse) can then act in step with the script's frames.
    unsigned GetPaceMs() const { return m_uiPaceMs; }

    const std::vector<Step>& GetSteps() const { return m_steps; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    bool ParseLine(const std::string& line, unsigned lineNumber, std::vector<Step>& steps);
    bool Fail(unsigned lineNumber, const std::string& what);

    std::vector<Step> m_steps; // ordered by frame, file order within a frame
    size_t m_next = 0;
    unsigned m_uiPaceMs = 0;
    XString m_strErrorMsg;
};
