// CRasterselProgram: from the command line to the closed dialog.
#include "rastersel/CRasterselProgram.h"

#include "platform/window/ProgramPath.h"
#include "platform/window/VideoSubsystem.h"
#include "rastersel/CRasterselDialog.h"

#include <cstring>

namespace
{

const char* const kUsage = "Usage: Rastersel [--install-dir DIR]\n"
                           "Chooses the video mode of Plinkett3 and writes it to DIR/data/VideoMode.xml;\n"
                           "without --install-dir, DIR is the registry's InstallPath.\n";

// One "InstallPath" value; false when the key, the value or its text is missing.
bool ReadInstallPath(const char* key, XString& out)
{
    XString path(key);
    path += CRasterselProgram::kValueName;
    XString value;
    if (!value.ReadRegistryValue(path.GetBuffer()) || value.IsEmpty())
        return false;
    out = value;
    return true;
}

} // namespace

const char* const CRasterselProgram::kMachineKey =
    "HKEY_LOCAL_MACHINE\\Software\\Vantorel Software\\Games\\Plinkett3\\";
const char* const CRasterselProgram::kUserKey = "HKEY_CURRENT_USER\\Software\\Vantorel Software\\Games\\Plinkett3\\";
const char* const CRasterselProgram::kValueName = "InstallPath";

int CRasterselProgram::Run(int argc, const char* const* argv, std::FILE* errors)
{
    XString installDir;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--install-dir") == 0 && i + 1 < argc && argv[i + 1][0] != '\0')
        {
            installDir = argv[++i];
        }
        else if (std::strcmp(argv[i], "--help") == 0)
        {
            std::fputs(kUsage, errors);
            return 0;
        }
        else
        {
            std::fprintf(errors, "Rastersel: cannot use the argument \"%s\".\n%s", argv[i], kUsage);
            return kExitUsage;
        }
    }
    // Held for the whole run, so that "Default" asks the same running video system for the modes
    // again: a second start of it in one process may describe the screen wrongly.
    plk::VideoSubsystem video;
    CRasterselDialog dialog(DataFolder(FindInstallFolder(installDir)));
    if (dialog.DoModal() < 0)
        std::fprintf(errors, "Rastersel: the dialog cannot be shown: %s.\n", dialog.Error().c_str());
    return 0;
}

XString CRasterselProgram::FindInstallFolder(const XString& installDir)
{
    XString folder;
    if (!installDir.IsEmpty())
        folder = installDir;
    else if (!ReadInstallPath(kMachineKey, folder) && !ReadInstallPath(kUserKey, folder))
        // Rather than a "data" folder at the root of the file system, the one beside the program.
        folder = plk::ProgramFolder().c_str();
    // Shell tools often write the value with a line end; it is never part of a folder name.
    while (folder.EndsWith('\n') || folder.EndsWith('\r'))
        folder.Truncate(folder.GetLength() - 1);
    if (folder.IsEmpty())
        folder = ".";
    if (!folder.EndsWith('\\') && !folder.EndsWith('/'))
        folder += '\\';
    return folder;
}

XString CRasterselProgram::DataFolder(const XString& installFolder)
{
    XString folder(installFolder);
    folder += "data\\";
    return folder;
}
