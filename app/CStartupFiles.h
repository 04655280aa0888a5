// The startup dialog's files in the data folder: the marker "DispDlg.dat" whose presence skips the
// dialog, the check boxes "Chks.xml" and the stored login "_lg.dat" (enciphered: it holds the
// password).
#pragma once

#include "foundation/XString.h"

class CStartupFiles
{
public:
    static const char* const kMarkerFile;
    static const char* const kChecksFile;
    static const char* const kLoginFile;
    static const char* const kMarkerText;

    // The boxes' state as the dialog opens it: both checked, no login.
    struct Checks
    {
        bool postScores = true;
        bool storeLogin = true;
        XString userName;
        XString password;
    };

    // dataFolder ends with a backslash.
    explicit CStartupFiles(const XString& dataFolder);

    bool MarkerExists() const;
    // Checked "Always show this page": no marker; unchecked: a marker (an existing one is kept).
    void UpdateMarker(bool alwaysShow) const;
    // Missing or damaged files leave checks as they are; a "Chks.xml" that reads sets both boxes,
    // an element it lacks unchecking its box, and fills the login from "_lg.dat" when "Store
    // login" ends up checked.
    void Load(Checks& checks) const;
    // Writes "Chks.xml" and, when "Store login" is checked, "_lg.dat" readable by its owner only.
    // Write failures leave the earlier files as they were.
    void Save(const Checks& checks) const;

    static XString ChecksText(bool postScores, bool storeLogin);
    // The deciphered "_lg.dat": the texts as typed, no escaping.
    static XString LoginText(const XString& userName, const XString& password);

private:
    XString Path(const char* name) const;

    XString m_dataFolder;
};
