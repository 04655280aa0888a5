// The automation options the engine obeys: fixed frame steps, a frame limit, a capture folder, an input script.
#pragma once

#include "foundation/XString.h"

struct XEngineOptions
{
    unsigned fixedStepMs = 0; // 0 = real time with the frame cap
    unsigned maxFrames = 0;   // 0 = no limit
    XString captureDir;       // empty = "capture\" beside the program
    XString scriptFile;       // empty = no script

    // Takes "--fixed-step MS", "--max-frames N", "--capture-dir DIR" and "--script FILE" from the
    // arguments and leaves every other one to the caller. False, with the reason in error, when
    // one of them lacks its value or the number is not a whole number above 0.
    bool Parse(int argc, const char* const* argv, XString& error);
};
