// The install, data and levels folders and how the install folder is found.
#include "app/config/CGameFolders.h"

#include "foundation/CLogFile.h"
#include "platform/fs/Directory.h"
#include "platform/fs/Path.h"

namespace
{

XString g_strInstall;
XString g_strData;
XString g_strLevels;
XString g_strUser;

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
const char* const CGameFolders::kUserFolderName = "plinkett3";
const char* const CGameFolders::kShareFolder = "../share/plinkett3/";

bool CGameFolders::ReadConfiguration(const XString& installDir, const XString& programFolder)
{
    if (!installDir.IsEmpty())
    {
        SetInstallFolder(installDir);
        return true;
    }
    XString install;
    if (!ReadInstallPath(kMachineKey, install) && !ReadInstallPath(kUserKey, install))
    {
        install = InstallBesideProgram(programFolder);
        if (install.IsEmpty())
            return false;
    }
    SetInstallFolder(install);
    return true;
}

XString CGameFolders::InstallBesideProgram(const XString& programFolder)
{
    if (programFolder.IsEmpty())
        return XString();
    XString install(programFolder);
    if (!install.EndsWith('\\') && !install.EndsWith('/'))
        install += '/';
    install += kShareFolder;
    XString data(install);
    data += "data";
    return plk::fs::DirectoryExists(data.GetBuffer()) ? install : XString();
}

XString CGameFolders::PerUserFolder(const char* xdgDataHome, const char* home)
{
    // A relative XDG_DATA_HOME means nothing to the desktop: it counts as unset.
    XString folder;
    if (xdgDataHome && xdgDataHome[0] == '/')
    {
        folder = xdgDataHome;
    }
    else if (home && home[0] == '/')
    {
        folder = home;
        if (!folder.EndsWith('/'))
            folder += '/';
        folder += ".local/share";
    }
    else
    {
        return XString();
    }
    if (!folder.EndsWith('/'))
        folder += '/';
    folder += kUserFolderName;
    folder += '/';
    return folder;
}

bool CGameFolders::NeedsPerUserFolder(bool forced, const XString& installFolder)
{
    if (forced)
        return true;
    XString data(installFolder);
    data += "data";
    if (plk::fs::DirectoryExists(data.GetBuffer()))
        return !plk::fs::IsWritableFolder(data.GetBuffer());
    return !plk::fs::IsWritableFolder(installFolder.GetBuffer());
}

void CGameFolders::UsePerUserFolder(const XString& userFolder)
{
    g_strUser = userFolder;
    plk::fs::SetUserOverlay(g_strInstall.GetBuffer(), g_strUser.GetBuffer());
}

const XString& CGameFolders::User()
{
    return g_strUser;
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
