// The startup dialog: its template, its controls' actions and the login off the dialog's thread.
#include "app/CStartupDialog.h"

#include "foundation/CLogFile.h"
#include "platform/fs/Process.h"

#include <atomic>
#include <random>
#include <system_error>
#include <thread>

using plk::ControlKind;
using plk::DialogItem;
using plk::DialogTemplate;

const char* const CStartupDialog::kLoginText = "Login and play now";
const char* const CStartupDialog::kLoggingInText = "Logging in...";
const char* const CStartupDialog::kLoginFailedCaption = "Login Failed";

namespace
{

const char* const kCaption = "Plinkett3 - Play now, or log in to post your scores online";
const char* const kIconFile = "GameIcon.png";
const char* const kBannerFile = "StartupBanner.bmp";
const int kPictureCount = 3;
const char* const kHelpFile = "Help.htm";
const char* const kVideoModeTool = "Rastersel";

// The address as a button shows it: no scheme, no final "/".
XString ShortAddress(const XString& address)
{
    XString text(address);
    const int scheme = text.Find("://");
    if (scheme >= 0)
        text.Delete(0, static_cast<unsigned>(scheme) + 3);
    text.TrimRight('/');
    return text;
}

} // namespace

// The call runs on a thread of its own with its own copy of the login: a dialog that ends first
// leaves it to finish alone, and its answer is then dropped.
struct CStartupDialog::PendingLogin
{
    explicit PendingLogin(const CLoginInfo& info) : login(info) {}

    CLoginInfo login;
    bool succeeded = false;
    std::atomic<bool> done{false};
};

CStartupDialog::CStartupDialog(const XString& installFolder, const XString& dataFolder, const CServiceConfig& service)
    : XDialog(MakeTemplate(ShortAddress(service.baseUrl))),
      m_installFolder(installFolder),
      m_dataFolder(dataFolder),
      m_files(dataFolder),
      m_loginInfo(service)
{
    m_launcher.startProgram = [](const std::string& program) { return plk::fs::StartProgram(program, {}); };
    m_launcher.open = [](const std::string& target) { return plk::fs::OpenWithDesktop(target); };
    m_messageBox = [this](const XString& caption, const XString& text) {
        ShowErrorBox(caption.GetBuffer(), text.GetBuffer());
    };
}

CStartupDialog::~CStartupDialog() = default;

DialogTemplate CStartupDialog::MakeTemplate(const XString& siteAddress)
{
    DialogTemplate dialog;
    dialog.caption = kCaption;
    dialog.width = 266;
    dialog.height = 255;
    dialog.fontPoints = 8;
    const auto add = [&dialog](int id, ControlKind kind, std::string text, int x, int y, int w, int h) {
        DialogItem item;
        item.id = id;
        item.kind = kind;
        item.text = std::move(text);
        item.x = x;
        item.y = y;
        item.width = w;
        item.height = h;
        dialog.items.push_back(item);
    };
    const int none = plk::kNoControlId;
    add(kIdBanner, ControlKind::kPicture, "", 1, 0, 264, 40);
    add(kIdPlay, ControlKind::kPushButton, "Play the game now   --   Do not log me in", 22, 42, 223, 17);
    add(none, ControlKind::kGroupBox, "Login (Optional)", 2, 61, 263, 68);
    // The labels start a little left of the classic layout: this font's "Username:" is wider.
    add(none, ControlKind::kStaticText, "Username:", 4, 75, 39, 8);
    add(kIdUserName, ControlKind::kEditBox, "", 43, 72, 80, 14);
    add(none, ControlKind::kStaticText, "Password:", 4, 90, 39, 8);
    add(kIdPassword, ControlKind::kPasswordBox, "", 43, 87, 80, 14);
    add(none, ControlKind::kStaticText,
        "Note: you are NOT required to have a Vantorel username to play the game. You ONLY need a username if "
        "you want your high scores posted to our website.",
        126, 69, 136, 41);
    add(kIdUploadScores, ControlKind::kCheckBox, "Upload scores", 6, 102, 58, 8);
    add(kIdStoreLogin, ControlKind::kCheckBox, "Store login", 75, 102, 48, 8);
    add(kIdLogin, ControlKind::kPushButton, kLoginText, 28, 112, 77, 14);
    add(kIdTopScores, ControlKind::kPushButton, "View top scores", 138, 112, 60, 14);
    add(kIdGetUsername, ControlKind::kPushButton, "Get a username", 201, 112, 60, 14);
    add(kIdPicture, ControlKind::kPicture, "", 2, 133, 158, 110);
    add(none, ControlKind::kGroupBox, "", 163, 128, 102, 115);
    add(kIdHelp, ControlKind::kPushButton, "View game help page", 168, 137, 92, 14);
    add(kIdVideoMode, ControlKind::kPushButton, "Configure video mode", 168, 155, 92, 14);
    add(kIdVisit, ControlKind::kPushButton, std::string("Visit: ") + siteAddress.GetBuffer(), 168, 207, 92, 14);
    add(kIdExit, ControlKind::kPushButton, "Exit the game", 168, 225, 92, 14);
    add(kIdAlwaysShow, ControlKind::kCheckBox, "Always show this page when the game is started.", 2, 245, 175, 10);
    dialog.items.back().disabled = true;
    return dialog;
}

XString CStartupDialog::SiteAddress() const
{
    return m_loginInfo.GetService().baseUrl;
}

XString CStartupDialog::SignUpAddress() const
{
    XString address(SiteAddress());
    address += "signup";
    return address;
}

XString CStartupDialog::TopScoresAddress() const
{
    XString address(SiteAddress());
    address += "scores";
    return address;
}

XString CStartupDialog::SupportAddress() const
{
    XString address(SiteAddress());
    address += "support";
    return address;
}

XString CStartupDialog::LoginFailedText() const
{
    XString text("Error: the system failed to log you in. Please make sure you have registered for a Vantorel "
                 "Software username and make sure you are entering your username and password correctly. If you "
                 "need login assistance please contact Vantorel Software at ");
    text += SupportAddress();
    text += ".";
    return text;
}

bool CStartupDialog::OnInitDialog()
{
    XString icon(m_dataFolder);
    icon += kIconFile;
    SetIcon(icon.GetBuffer());

    m_visit.Attach(*this, kIdVisit);
    m_play.Attach(*this, kIdPlay);
    m_help.Attach(*this, kIdHelp);
    m_videoMode.Attach(*this, kIdVideoMode);
    m_exit.Attach(*this, kIdExit);
    m_alwaysShow.Attach(*this, kIdAlwaysShow);
    m_alwaysShow.Check();

    XString picture(m_dataFolder);
    picture.FormatAppend("StartupPicture%d.bmp", static_cast<int>(std::random_device{}() % kPictureCount));
    XString banner(m_dataFolder);
    banner += kBannerFile;
    m_picture.Attach(*this, kIdPicture);
    m_banner.Attach(*this, kIdBanner);
    // A missing picture leaves its place empty; the dialog works without it.
    m_picture.LoadBitmap(picture.GetBuffer());
    m_banner.LoadBitmap(banner.GetBuffer());

    m_userName.Attach(*this, kIdUserName);
    m_password.Attach(*this, kIdPassword);
    m_userName.SetText("");
    m_password.SetText("");
    m_getUsername.Attach(*this, kIdGetUsername);
    m_uploadScores.Attach(*this, kIdUploadScores);
    m_storeLogin.Attach(*this, kIdStoreLogin);

    CStartupFiles::Checks checks;
    m_files.Load(checks);
    m_uploadScores.Set(checks.postScores);
    m_storeLogin.Set(checks.storeLogin);
    m_userName.SetText(checks.userName.GetBuffer());
    m_password.SetText(checks.password.GetBuffer());

    m_topScores.Attach(*this, kIdTopScores);
    m_login.Attach(*this, kIdLogin);
    return true;
}

void CStartupDialog::OnClose()
{
    OnCommand(kIdPlay, plk::kNotifyClicked);
}

void CStartupDialog::OnCommand(int id, int)
{
    switch (id)
    {
    case kIdVisit: Open(SiteAddress(), "the web site"); break;
    case kIdHelp:
    {
        XString help(m_installFolder);
        help += kHelpFile;
        Open(help, "the help page");
        break;
    }
    case kIdVideoMode:
    {
        XString tool(m_installFolder);
        tool += kVideoModeTool;
        if (const int error = m_launcher.startProgram(tool.GetBuffer()); error != 0)
        {
            XString line;
            line.Format("Error: the video-mode tool \"%s\" could not be started (errno %d).", tool.GetBuffer(), error);
            CLogFile::WriteLine(line);
        }
        break;
    }
    case kIdAlwaysShow: m_alwaysShow.Toggle(); break;
    case kIdUploadScores: m_uploadScores.Toggle(); break;
    case kIdStoreLogin: m_storeLogin.Toggle(); break;
    case kIdExit:
        m_bExit = true;
        SaveChecks();
        UpdateMarker();
        EndDialog(0);
        break;
    case kIdPlay:
        SaveChecks();
        UpdateMarker();
        EndDialog(0);
        break;
    case kIdGetUsername: Open(SignUpAddress(), "the sign-up page"); break;
    case kIdTopScores: Open(TopScoresAddress(), "the top-scores page"); break;
    case kIdLogin: StartLogin(); break;
    default: break;
    }
}

void CStartupDialog::Open(const XString& target, const char* what)
{
    if (const int error = m_launcher.open(target.GetBuffer()); error != 0)
    {
        XString line;
        line.Format("Error: %s \"%s\" could not be opened (errno %d).", what, target.GetBuffer(), error);
        CLogFile::WriteLine(line);
    }
}

void CStartupDialog::StartLogin()
{
    if (m_pending)
        return;
    m_login.Enable(false);
    UpdateMarker();
    // Kept here at once, so that a dialog ended before the answer hands them on without a ticket.
    m_loginInfo.m_strUserName = m_userName.GetText().c_str();
    m_loginInfo.m_strPassword = m_password.GetText().c_str();
    m_loginInfo.m_bUploadScores = m_uploadScores.IsChecked();

    auto pending = std::make_shared<PendingLogin>(m_loginInfo);
    try
    {
        std::thread([pending] {
            CLoginInfo& login = pending->login;
            pending->succeeded = login.Login(login.m_strUserName, login.m_strPassword, login.m_bUploadScores);
            pending->done = true;
        }).detach();
    }
    catch (const std::system_error&)
    {
        CLogFile::WriteLine(XString("Error: the login could not be started: no thread for it."));
        m_login.Enable(true);
        m_messageBox(XString(kLoginFailedCaption), LoginFailedText());
        return;
    }
    m_pending = std::move(pending);
    m_login.SetText(kLoggingInText);
    StartTimer(kLoginPollMs);
}

void CStartupDialog::OnTimer()
{
    if (m_pending && m_pending->done)
        FinishLogin();
}

void CStartupDialog::FinishLogin()
{
    StopTimer();
    std::shared_ptr<PendingLogin> pending = std::move(m_pending);
    m_login.SetText(kLoginText);
    m_login.Enable(true);
    XString line;
    if (pending->succeeded)
    {
        m_loginInfo.m_strLoginTicket = pending->login.m_strLoginTicket;
        line.Format("Logged in to the score service as \"%s\".", m_loginInfo.m_strUserName.GetBuffer());
        CLogFile::WriteLine(line);
        SaveChecks();
        EndDialog(0);
        return;
    }
    line.Format("Error: the login of \"%s\" failed", m_loginInfo.m_strUserName.GetBuffer());
    if (!pending->login.GetCallError().IsEmpty())
    {
        line += ": ";
        line += pending->login.GetCallError();
    }
    else
    {
        line += ": the service refused it.";
    }
    CLogFile::WriteLine(line);
    m_messageBox(XString(kLoginFailedCaption), LoginFailedText());
}

CStartupFiles::Checks CStartupDialog::CurrentChecks() const
{
    CStartupFiles::Checks checks;
    checks.postScores = m_uploadScores.IsChecked();
    checks.storeLogin = m_storeLogin.IsChecked();
    checks.userName = m_userName.GetText().c_str();
    checks.password = m_password.GetText().c_str();
    return checks;
}

void CStartupDialog::SaveChecks()
{
    m_files.Save(CurrentChecks());
}

void CStartupDialog::UpdateMarker()
{
    m_files.UpdateMarker(m_alwaysShow.IsChecked());
}
