// The install, data and levels folders and how the install folder is found.
#include "app/config/CGameFolders.h"

#include "foundation/CLogFile.h"

namespace
{

XString g_strInstall;
XString g_strData;
XString g_strLevels;

// Reads one "InstallPath" value; false when the key, the value or its text is missing.
bool ReadInstallPath(const char* key, XString& out)
{
    XString path(key);
    path += CGameFolders::kValueName;
    XString value;
    if (!value.ReadRegistryValue(path.GetBuffer()))
        return false;
    if (value.IsEmpty())
        return false;
    out = value;
    return true;
}

} // namespace

const char* const CGameFolders::kMachineKey = "HKEY_LOCAL_MACHINE\\Software\\Vantorel Software\\Games\\Plinkett3\\";
const char* const CGameFolders::kUserKey = "HKEY_CURRENT_USER\\Software\\Vantorel Software\\Games\\Plinkett3\\";
const char* const CGameFolders::kValueName = "InstallPath";

bool CGameFolders::ReadConfiguration(const XString& installDir)
{
    if (!installDir.IsEmpty())
    {
        SetInstallFolder(installDir);
        return true;
    }
    XString install;
    if (!ReadInstallPath(kMachineKey, install) && !ReadInstallPath(kUserKey, install))
        return false;
    SetInstallFolder(install);
    return true;
}

void CGameFolders::SetInstallFolder(const XString& installFolder)
{
    g_strInstall = installFolder;
    // Shell tools often write the value with a line end; it is never part of a folder name.
    while (g_strInstall.EndsWith('\n') || g_strInstall.EndsWith('\r'))
        g_strInstall.Truncate(g_strInstall.GetLength() - 1);
    if (!g_strInstall.EndsWith('\\') && !g_strInstall.EndsWith('/'))
        g_strInstall += '\\';
    g_strData = g_strInstall;
    g_strData += "data\\";
    g_strLevels = g_strData;
    g_strLevels += "levels\\";
    CLogFile::SetDataFolder(g_strData);
}

const XString& CGameFolders::Install()
{
    return g_strInstall;
}

const XString& CGameFolders::Data()
{
    return g_strData;
}

const XString& CGameFolders::Levels()
{
    return g_strLevels;
}
