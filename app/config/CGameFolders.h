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

    // The per-user folder's name under $XDG_DATA_HOME, and the install folder's beside the program.
    static const char* const kUserFolderName;
    static const char* const kShareFolder;

    // Sets the folders from installDir when it is not empty, else from the registry, else from
    // programFolder's ../share/plinkett3/ when that holds a data folder (an installed game).
    // False, with nothing set, when none gives a path.
    static bool ReadConfiguration(const XString& installDir, const XString& programFolder = XString());
    // The install folder of a program installed in PREFIX/bin/: PREFIX/share/plinkett3/, found
    // from the program's folder; empty when it has no data folder.
    static XString InstallBesideProgram(const XString& programFolder);

    // The per-user folder, from the values of XDG_DATA_HOME and HOME (either may be null): an
    // absolute XDG_DATA_HOME, else HOME/.local/share, with kUserFolderName below; empty when
    // neither gives an absolute folder.
    static XString PerUserFolder(const char* xdgDataHome, const char* home);
    // Whether everything the game writes must go to the per-user folder: forced, or the install's
    // data folder (the install folder itself while it has none) cannot be written.
    static bool NeedsPerUserFolder(bool forced, const XString& installFolder);
    // Lays userFolder over the install folder: from now on what the game writes there goes to
    // userFolder, and what is there is read first.
    static void UsePerUserFolder(const XString& userFolder);
    // The per-user folder in use, ending with a separator; empty when the install folder is written.
    static const XString& User();
    // Sets the folders from an install folder; a single backslash is kept or added at its end.
    // The log follows: CLogFile writes under the new data folder from then on.
    static void SetInstallFolder(const XString& installFolder);

    // Each ends with a backslash; empty until set.
    static const XString& Install();
    static const XString& Data();
    static const XString& Levels();
};
