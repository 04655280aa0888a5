// The dialog the player sees before the game window: play without login, log in to the score
// service and play, open the help page, start the video-mode tool, open the score server's pages
// in the browser, or exit. It restores and stores its check boxes and, optionally, the login.
#pragma once

#include "app/CStartupFiles.h"
#include "foundation/XString.h"
#include "online/CLoginInfo.h"
#include "online/CServiceConfig.h"
#include "platform/dialog/XControl.h"
#include "platform/dialog/XDialog.h"

#include <functional>
#include <memory>
#include <string>

class CStartupDialog : public plk::XDialog
{
public:
    static constexpr int kIdAlwaysShow = 1005;
    static constexpr int kIdUserName = 1006;
    static constexpr int kIdPassword = 1007;
    static constexpr int kIdGetUsername = 1008;
    static constexpr int kIdUploadScores = 1009;
    static constexpr int kIdTopScores = 1010;
    static constexpr int kIdLogin = 1011;
    static constexpr int kIdStoreLogin = 1012;
    static constexpr int kIdVisit = 1301;
    static constexpr int kIdPlay = 1302;
    static constexpr int kIdPicture = 1303;
    static constexpr int kIdBanner = 1304;
    static constexpr int kIdHelp = 1305;
    static constexpr int kIdVideoMode = 1306;
    static constexpr int kIdExit = 1307;
    // How often the dialog looks for the login's answer while it waits.
    static constexpr unsigned kLoginPollMs = 50;

    static const char* const kLoginText;     // the login button
    static const char* const kLoggingInText; // the login button while the call runs
    static const char* const kLoginFailedCaption;

    // What the dialog hands to the desktop; each returns 0 or an errno value. Tests record them.
    struct Launcher
    {
        std::function<int(const std::string& program)> startProgram;
        std::function<int(const std::string& target)> open;
    };
    using MessageBoxFn = std::function<void(const XString& caption, const XString& text)>;

    // Folders end with a backslash; the web pages and the login go to service.
    CStartupDialog(const XString& installFolder, const XString& dataFolder, const CServiceConfig& service);
    ~CStartupDialog() override;

    static plk::DialogTemplate MakeTemplate(const XString& siteAddress);

    void SetLauncher(Launcher launcher) { m_launcher = std::move(launcher); }
    void SetMessageBox(MessageBoxFn messageBox) { m_messageBox = std::move(messageBox); }

    // After DoModal: the player chose "Exit the game".
    bool ExitChosen() const { return m_bExit; }
    // After DoModal: filled by a login; after "Play" the typed name, password and upload choice
    // with an empty ticket when a login was tried, all empty when none was.
    const CLoginInfo& GetLoginInfo() const { return m_loginInfo; }
    bool IsLoggingIn() const { return m_pending != nullptr; }

    // The score server's pages: base URL + "", "signup", "scores", "support".
    XString SiteAddress() const;
    XString SignUpAddress() const;
    XString TopScoresAddress() const;
    XString SupportAddress() const;
    XString LoginFailedText() const;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int notification) override;
    void OnClose() override;
    void OnTimer() override;

private:
    struct PendingLogin;

    void Open(const XString& target, const char* what);
    void StartLogin();
    void FinishLogin();
    CStartupFiles::Checks CurrentChecks() const;
    void SaveChecks();
    void UpdateMarker();

    XString m_installFolder;
    XString m_dataFolder;
    CStartupFiles m_files;
    CLoginInfo m_loginInfo;
    bool m_bExit = false;
    Launcher m_launcher;
    MessageBoxFn m_messageBox;
    std::shared_ptr<PendingLogin> m_pending;

    plk::XButton m_visit, m_play, m_help, m_videoMode, m_exit, m_getUsername, m_topScores, m_login;
    plk::XCheckBox m_alwaysShow, m_uploadScores, m_storeLogin;
    plk::XPicture m_picture, m_banner;
    plk::XEditBox m_userName, m_password;
};
