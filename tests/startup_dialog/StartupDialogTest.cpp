// The startup dialog driven through its controls: what each button does, the files its check
// boxes write, the stored login, and the login against the reference score server.
#include "app/CStartupDialog.h"
#include "foundation/CLogFile.h"
#include "server/CScoreServer.h"
#include "tests/app/TempFolder.h"
#include "tests/server/ServerTestSupport.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace
{

using Dialog = CStartupDialog;
using Step = std::function<void(CStartupDialog&)>;

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A 24-bit BMP of width x height pixels, all one colour.
void WriteBitmap(const std::string& path, int width, int height)
{
    const int row = (width * 3 + 3) / 4 * 4;
    const int size = 54 + row * height;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    const auto put = [&bytes](int at, int value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[static_cast<std::size_t>(at + i)] = static_cast<char>((value >> (8 * i)) & 0xff);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int i = 54; i < size; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(0x80);
    std::ofstream(path, std::ios::binary) << bytes;
}

Step Click(int id)
{
    return [id](Dialog& d) {
        plk::XControl control;
        ASSERT_TRUE(control.Attach(d, id)) << id;
        control.Click();
    };
}

Step Type(int id, const std::string& text)
{
    return [id, text](Dialog& d) {
        plk::XEditBox box;
        ASSERT_TRUE(box.Attach(d, id)) << id;
        box.SetText(text);
    };
}

bool IsChecked(Dialog& d, int id)
{
    plk::XCheckBox box;
    box.Attach(d, id);
    return box.IsChecked();
}

std::string Text(Dialog& d, int id)
{
    plk::XEditBox box;
    box.Attach(d, id);
    return box.GetText();
}

class StartupDialogTest : public ::testing::Test
{
protected:
    StartupDialogTest()
    {
        m_service.baseUrl = "http://127.0.0.1:9/";
        m_service.timeoutMs = 5000;
        std::filesystem::create_directories(m_folder.Path() + "data");
    }

    XString Install() const { return XString(m_folder.Path().c_str()); }
    XString Data() const { return XString((m_folder.Path() + "data\\").c_str()); }
    std::string DataFile(const char* name) const { return m_folder.Path() + "data/" + name; }

    // Runs a dialog through the steps; a step that finds the login still running waits for it.
    void Run(Dialog& dialog, std::vector<Step> steps)
    {
        dialog.SetLauncher({[this](const std::string& program) {
                                m_launched.push_back("start " + program);
                                return 0;
                            },
                            [this](const std::string& target) {
                                m_launched.push_back("open " + target);
                                return 0;
                            }});
        dialog.SetMessageBox([this](const XString& caption, const XString& text) {
            m_boxes.push_back(std::string(caption.GetBuffer()) + ": " + text.GetBuffer());
        });
        for (Step& step : steps)
            dialog.RunWhenShown([&dialog, step] { step(dialog); });
        ASSERT_EQ(0, dialog.DoModal()) << dialog.Error();
    }

    // Waits inside the dialog's loop until the login has its answer, then runs then if the dialog
    // is still open.
    static Step AfterLogin(Step then)
    {
        return [then](Dialog& d) { WaitForLogin(d, then, std::chrono::steady_clock::now() + std::chrono::seconds(20)); };
    }

    static void WaitForLogin(Dialog& d, const Step& then, std::chrono::steady_clock::time_point deadline)
    {
        if (d.IsLoggingIn() && std::chrono::steady_clock::now() < deadline)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            d.RunWhenShown([&d, then, deadline] { WaitForLogin(d, then, deadline); });
            return;
        }
        if (d.IsOpen())
            then(d);
    }

    TempFolder m_folder;
    CServiceConfig m_service;
    std::vector<std::string> m_launched;
    std::vector<std::string> m_boxes;
};

TEST_F(StartupDialogTest, OpensWithPicturesBothBoxesCheckedAndRegistersWhileOpen)
{
    WriteBitmap(DataFile("StartupBanner.bmp"), 16, 4);
    for (int i = 0; i < 3; ++i)
        WriteBitmap(DataFile(("StartupPicture" + std::to_string(i) + ".bmp").c_str()), 8, 8);
    Dialog dialog(Install(), Data(), m_service);
    bool checked = false, pictures = false, registered = false, alwaysShowFixed = false;
    Run(dialog, {[&](Dialog& d) {
                     checked = IsChecked(d, Dialog::kIdUploadScores) && IsChecked(d, Dialog::kIdStoreLogin) &&
                               IsChecked(d, Dialog::kIdAlwaysShow);
                     plk::XPicture banner, picture;
                     banner.Attach(d, Dialog::kIdBanner);
                     picture.Attach(d, Dialog::kIdPicture);
                     pictures = banner.HasBitmap() && picture.HasBitmap();
                     registered = plk::XDialog::OpenDialogs().size() == 1 && plk::XDialog::OpenDialogs()[0] == &d;
                 },
                 Click(Dialog::kIdAlwaysShow),
                 [&](Dialog& d) { alwaysShowFixed = IsChecked(d, Dialog::kIdAlwaysShow); }, Click(Dialog::kIdPlay)});
    EXPECT_TRUE(checked);
    EXPECT_TRUE(pictures);
    EXPECT_TRUE(registered);
    EXPECT_TRUE(alwaysShowFixed) << "the box is disabled: a click changes nothing";
    EXPECT_TRUE(plk::XDialog::OpenDialogs().empty());
}

TEST_F(StartupDialogTest, ClosingTheWindowPlaysWithoutLoginSavesTheBoxesAndRemovesTheMarker)
{
    std::ofstream(DataFile("DispDlg.dat")) << "x";
    Dialog dialog(Install(), Data(), m_service);
    Run(dialog, {Click(Dialog::kIdUploadScores), [](Dialog& d) { d.NotifyClose(); }});
    EXPECT_FALSE(dialog.ExitChosen());
    EXPECT_TRUE(dialog.GetLoginInfo().m_strUserName.IsEmpty());
    EXPECT_FALSE(dialog.GetLoginInfo().m_bUploadScores);
    EXPECT_TRUE(dialog.GetLoginInfo().m_strLoginTicket.IsEmpty());
    EXPECT_EQ("<Checks>\r\n\t<PostScores>false</PostScores>\r\n\t<StoreLogin>true</StoreLogin>\r\n</Checks>",
              ReadBytes(DataFile("Chks.xml")));
    EXPECT_TRUE(std::filesystem::exists(DataFile("_lg.dat")));
    EXPECT_FALSE(std::filesystem::exists(DataFile("DispDlg.dat")));
    EXPECT_TRUE(m_launched.empty());
}

TEST_F(StartupDialogTest, EachCheckBoxTogglesAndItsStateReachesTheFile)
{
    Dialog dialog(Install(), Data(), m_service);
    bool afterOne = true, afterTwo = true, backAgain = false;
    Run(dialog, {Click(Dialog::kIdStoreLogin),
                 [&](Dialog& d) { afterOne = IsChecked(d, Dialog::kIdStoreLogin); }, Click(Dialog::kIdUploadScores),
                 [&](Dialog& d) { afterTwo = IsChecked(d, Dialog::kIdUploadScores); }, Click(Dialog::kIdUploadScores),
                 [&](Dialog& d) { backAgain = IsChecked(d, Dialog::kIdUploadScores); }, Click(Dialog::kIdPlay)});
    EXPECT_FALSE(afterOne);
    EXPECT_FALSE(afterTwo);
    EXPECT_TRUE(backAgain);
    EXPECT_EQ("<Checks>\r\n\t<PostScores>true</PostScores>\r\n\t<StoreLogin>false</StoreLogin>\r\n</Checks>",
              ReadBytes(DataFile("Chks.xml")));
    EXPECT_FALSE(std::filesystem::exists(DataFile("_lg.dat")));
}

TEST_F(StartupDialogTest, ButtonsOpenThePagesAndTheToolAndTheDialogStaysOpen)
{
    Dialog dialog(Install(), Data(), m_service);
    Run(dialog, {Click(Dialog::kIdVisit), Click(Dialog::kIdHelp), Click(Dialog::kIdVideoMode),
                 Click(Dialog::kIdGetUsername), Click(Dialog::kIdTopScores), Click(Dialog::kIdExit)});
    const std::vector<std::string> expected = {
        "open http://127.0.0.1:9/",
        "open " + m_folder.Path() + "Help.htm",
        "start " + m_folder.Path() + "Rastersel",
        "open http://127.0.0.1:9/signup",
        "open http://127.0.0.1:9/scores",
    };
    EXPECT_EQ(expected, m_launched);
    EXPECT_TRUE(dialog.ExitChosen());
}

TEST_F(StartupDialogTest, ExitWithStoreLoginKeepsTheLoginForTheNextStart)
{
    {
        Dialog dialog(Install(), Data(), m_service);
        Run(dialog, {Type(Dialog::kIdUserName, "Rita"), Type(Dialog::kIdPassword, "pa ss"), Click(Dialog::kIdExit)});
        EXPECT_TRUE(dialog.ExitChosen());
    }
    Dialog again(Install(), Data(), m_service);
    std::string user, password;
    Run(again, {[&](Dialog& d) {
                    user = Text(d, Dialog::kIdUserName);
                    password = Text(d, Dialog::kIdPassword);
                },
                Click(Dialog::kIdPlay)});
    EXPECT_EQ("Rita", user);
    EXPECT_EQ("pa ss", password);
    EXPECT_TRUE(again.GetLoginInfo().m_strUserName.IsEmpty()) << "no login was tried";
}

class StartupLoginTest : public StartupDialogTest
{
protected:
    StartupLoginTest()
        : m_store(plk::server::test::OpenStore(m_serverFolder.File("scores.sqlite"))),
          m_scoreService(*m_store, {"StdLevel"}),
          m_server(m_scoreService)
    {
        m_server.SetLogSink([](const std::string&) {});
        std::string error;
        EXPECT_TRUE(m_server.Start("127.0.0.1", 0, error)) << error;
        m_service.baseUrl = ("http://127.0.0.1:" + std::to_string(m_server.GetPort()) + "/").c_str();
        httplib::Client client("127.0.0.1", m_server.GetPort());
        auto res = client.Post("/signup", httplib::Params{{"name", "Quinn"}, {"password", "secret1"},
                                                          {"password2", "secret1"}});
        EXPECT_TRUE(res && res->status == 200);
    }

    plk::server::test::ScratchFolder m_serverFolder;
    std::unique_ptr<plk::server::CSqliteScoreStore> m_store;
    plk::server::CScoreService m_scoreService;
    plk::server::CScoreServer m_server;
};

TEST_F(StartupLoginTest, LoginAgainstTheServerHandsOverTheTicketAndStoresTheLogin)
{
    Dialog dialog(Install(), Data(), m_service);
    std::string waitingText;
    bool waitingEnabled = true;
    Run(dialog, {Type(Dialog::kIdUserName, "Quinn"), Type(Dialog::kIdPassword, "secret1"), Click(Dialog::kIdLogin),
                 [&](Dialog& d) {
                     plk::XButton login;
                     login.Attach(d, Dialog::kIdLogin);
                     waitingText = login.GetText();
                     waitingEnabled = login.IsEnabled();
                 },
                 AfterLogin([](Dialog&) { ADD_FAILURE() << "the dialog stayed open after a login"; })});
    EXPECT_EQ(Dialog::kLoggingInText, waitingText);
    EXPECT_FALSE(waitingEnabled);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_FALSE(dialog.ExitChosen());
    const CLoginInfo& login = dialog.GetLoginInfo();
    EXPECT_STREQ("Quinn", login.m_strUserName.GetBuffer());
    EXPECT_STREQ("secret1", login.m_strPassword.GetBuffer());
    EXPECT_TRUE(login.m_bUploadScores);
    EXPECT_FALSE(login.m_strLoginTicket.IsEmpty());
    EXPECT_TRUE(std::filesystem::exists(DataFile("_lg.dat")));

    CStartupFiles::Checks stored;
    CStartupFiles(Data()).Load(stored);
    EXPECT_STREQ("Quinn", stored.userName.GetBuffer());
}

TEST_F(StartupLoginTest, FailedLoginShowsTheMessageStaysOpenAndPlayHandsOverTheTypedLogin)
{
    CLogFile::SetDataFolder(Data());
    Dialog dialog(Install(), Data(), m_service);
    std::string buttonText;
    bool buttonEnabled = false;
    Run(dialog, {Type(Dialog::kIdUserName, "Quinn"), Type(Dialog::kIdPassword, "Zq7pw!"), Click(Dialog::kIdUploadScores),
                 Click(Dialog::kIdLogin), AfterLogin([&](Dialog& d) {
                     plk::XButton login;
                     login.Attach(d, Dialog::kIdLogin);
                     buttonText = login.GetText();
                     buttonEnabled = login.IsEnabled();
                     EXPECT_FALSE(std::filesystem::exists(DataFile("_lg.dat"))) << "a failed login stores nothing";
                     Click(Dialog::kIdPlay)(d);
                 })});
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("Login Failed: Error: the system failed to log you in. Please make sure you have registered for a "
              "Vantorel Software username and make sure you are entering your username and password correctly. If "
              "you need login assistance please contact Vantorel Software at " +
                  std::string(m_service.baseUrl.GetBuffer()) + "support.",
              m_boxes[0]);
    EXPECT_EQ(Dialog::kLoginText, buttonText);
    EXPECT_TRUE(buttonEnabled);
    const CLoginInfo& login = dialog.GetLoginInfo();
    EXPECT_STREQ("Quinn", login.m_strUserName.GetBuffer());
    EXPECT_STREQ("Zq7pw!", login.m_strPassword.GetBuffer());
    EXPECT_FALSE(login.m_bUploadScores);
    EXPECT_TRUE(login.m_strLoginTicket.IsEmpty());
    EXPECT_TRUE(std::filesystem::exists(DataFile("_lg.dat"))) << "Play saves the boxes with the login";

    const std::string log = ReadBytes(DataFile("Logs/PlinkettLog.txt"));
    EXPECT_NE(std::string::npos, log.find("\"Quinn\" failed")) << log;
    EXPECT_EQ(std::string::npos, log.find("Zq7pw")) << "the password never reaches the log";
    CLogFile::SetDataFolder(XString());
}

} // namespace
