// Rastersel's start: its command line, the data folder found as the game finds it, and the dialog.
#pragma once

#include "foundation/XString.h"

#include <cstdio>

class CRasterselProgram
{
public:
    // The registry keys that may hold "InstallPath", the machine-wide one first: the game's own.
    static const char* const kMachineKey;
    static const char* const kUserKey;
    static const char* const kValueName;
    static constexpr int kExitUsage = 2;

    // Shows the dialog and returns the exit code: 0, also when no display could show the dialog
    // (the reason goes to errors); kExitUsage for a command line it does not understand.
    int Run(int argc, const char* const* argv, std::FILE* errors);

    // The install folder, ending in a separator: installDir when given, else the registry's
    // "InstallPath", else the folder of the program, which the install folder holds.
    static XString FindInstallFolder(const XString& installDir);
    static XString DataFolder(const XString& installFolder);
};
