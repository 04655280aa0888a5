// The three process-wide folders (install, data, levels), found once at start-up from the registry
// or from --install-dir, and read everywhere afterwards.
#pragma once

#include "foundation/XString.h"

class CGameFolders
{
public:
    // The registry keys that may hold "InstallPath": the machine-wide one is asked first.
    static const char* const kMachineKey;
    static const char* const kUserKey;
    static const char* const kValueName;

    // Sets the folders from installDir when it is not empty, else from the registry. False, with
    // nothing set, when neither gives a path.
    static bool ReadConfiguration(const XString& installDir);
    // Sets the folders from an install folder; a single backslash is kept or added at its end.
    // The log follows: CLogFile writes under the new data folder from then on.
    static void SetInstallFolder(const XString& installFolder);

    // Each ends with a backslash; empty until set.
    static const XString& Install();
    static const XString& Data();
    static const XString& Levels();
};
