// The startup dialog's files.
#include "app/CStartupFiles.h"

#include "foundation/CLogFile.h"
#include "platform/fs/Process.h"

namespace
{

// The stored login's cipher key: it keeps the password from being read at a glance, no more.
const char* const kPassPhrase = "Pl3-LgK3y#7";
const int kCipherMethod = 2;

bool ReadsTrue(const XString& text, const char* begin, const char* end)
{
    // SubBetweenFwd's result is the text's one scratch string: read it at once.
    return text.SubBetweenFwd(begin, end).StartsWithNoCase("true");
}

} // namespace

const char* const CStartupFiles::kMarkerFile = "DispDlg.dat";
const char* const CStartupFiles::kChecksFile = "Chks.xml";
const char* const CStartupFiles::kLoginFile = "_lg.dat";
const char* const CStartupFiles::kMarkerText = "Show startup dialog...";

CStartupFiles::CStartupFiles(const XString& dataFolder) : m_dataFolder(dataFolder)
{
}

XString CStartupFiles::Path(const char* name) const
{
    XString path(m_dataFolder);
    path += name;
    return path;
}

bool CStartupFiles::MarkerExists() const
{
    XString marker(Path(kMarkerFile));
    return marker.ReadFile(marker.GetBuffer());
}

void CStartupFiles::UpdateMarker(bool alwaysShow) const
{
    XString marker(Path(kMarkerFile));
    if (alwaysShow)
    {
        if (MarkerExists())
            marker.DeleteFile();
        return;
    }
    if (MarkerExists())
        return;
    XString text(kMarkerText);
    text.WriteFile(marker.GetBuffer(), true);
}

XString CStartupFiles::ChecksText(bool postScores, bool storeLogin)
{
    XString text("<Checks>\r\n\t<PostScores>");
    text += postScores ? "true" : "false";
    text += "</PostScores>\r\n\t<StoreLogin>";
    text += storeLogin ? "true" : "false";
    text += "</StoreLogin>\r\n</Checks>";
    return text;
}

XString CStartupFiles::LoginText(const XString& userName, const XString& password)
{
    XString text("<Login>\r\n\t<User>");
    text += userName;
    text += "</User>\r\n\t<Pass>";
    text += password;
    text += "</Pass>\r\n</Login>";
    return text;
}

void CStartupFiles::Load(Checks& checks) const
{
    XString text;
    if (!text.ReadFile(Path(kChecksFile).GetBuffer()))
        return;
    checks.postScores = ReadsTrue(text, "<PostScores>", "</PostScores>");
    checks.storeLogin = ReadsTrue(text, "<StoreLogin>", "</StoreLogin>");
    if (!checks.storeLogin)
        return;
    XString login;
    if (!login.ReadFile(Path(kLoginFile).GetBuffer()) || !login.Decrypt(kPassPhrase, kCipherMethod))
        return;
    // Anything else is a damaged file or another key: the boxes keep what they had.
    if (!login.StartsWith("<Login>"))
        return;
    checks.userName.SetData(login.SubBetweenFwd("<User>", "</User>"));
    checks.password.SetData(login.SubBetweenFwd("<Pass>", "</Pass>"));
}

void CStartupFiles::Save(const Checks& checks) const
{
    XString text(ChecksText(checks.postScores, checks.storeLogin));
    text.WriteFile(Path(kChecksFile).GetBuffer(), true);
    if (!checks.storeLogin)
        return;
    XString login(LoginText(checks.userName, checks.password));
    if (!login.Encrypt(kPassPhrase, kCipherMethod))
    {
        CLogFile::WriteLine(XString("Error: the stored login could not be enciphered; it was not written."));
        return;
    }
    const XString path(Path(kLoginFile));
    XString folder(m_dataFolder);
    if (!folder.DirectoryExists())
        folder.CreateDirectory();
    // Created or narrowed before the password goes in, so it is never readable by others.
    if (const int error = plk::fs::MakeOwnerOnly(path.GetBuffer()); error != 0)
    {
        XString line;
        line.Format("Error: the stored login was not written: \"%s\" cannot be made private (errno %d).",
                    path.GetBuffer(), error);
        CLogFile::WriteLine(line);
        return;
    }
    login.WriteFile(path.GetBuffer(), true);
}
