// The game's command line: the install folder, the startup-dialog skip, the random seed and the
// engine's automation options.
#pragma once

#include "engine/XEngineOptions.h"
#include "foundation/XString.h"

struct CCommandLine
{
    static const char* const kVersion;
    static const char* const kUsage;

    XString installDir;     // empty = the registry's install path
    XString serviceUrl;     // empty = the registry's "ServiceURL", else the default; checked, ends in "/"
    bool skipDialog = false;
    bool showHelp = false;    // --help: print kUsage and end
    bool showVersion = false; // --version: print the version and end
    bool perUserData = false; // --per-user-data: write under $XDG_DATA_HOME even when the install is writable
    bool seedGiven = false; // --seed, or --fixed-step (which seeds with 1)
    unsigned seed = 0;
    XEngineOptions engine;

    // False, with a message for the player in error, on an unknown option or a missing or bad
    // value; nothing is half applied then.
    bool Parse(int argc, const char* const* argv, XString& error);
    // A run nobody watches: a message box would wait for ever.
    bool IsUnattended() const { return !engine.scriptFile.IsEmpty() || engine.maxFrames != 0; }
};
