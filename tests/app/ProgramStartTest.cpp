// The program's first start-up steps, which need no window: bad command lines and a missing
// install path end the run at once with their message, before anything is written.
#include "app/CGameProgram.h"
#include "app/config/CGameFolders.h"
#include "tests/app/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{

struct Shown
{
    std::vector<std::string> captions;
    std::vector<std::string> texts;
};

int RunWith(std::vector<const char*> args, Shown& shown)
{
    CGameProgram program;
    program.SetMessageBox([&shown](const XString& caption, const XString& text) {
        shown.captions.push_back(caption.GetBuffer());
        shown.texts.push_back(text.GetBuffer());
    });
    args.insert(args.begin(), "Plinkett3");
    return program.Run(static_cast<int>(args.size()), args.data());
}

TEST(ProgramStartTest, MissingInstallPathShowsTheFatalMessageAndWritesNothing)
{
    TempFolder registry;
    setenv("VREGISTRY_DIR", registry.Path().c_str(), 1);
    Shown shown;
    EXPECT_EQ(0, RunWith({}, shown));
    unsetenv("VREGISTRY_DIR");
    ASSERT_EQ(1u, shown.captions.size());
    EXPECT_EQ("Fatal Error", shown.captions[0]);
    EXPECT_EQ("Fatal error: failed to load configuration information.", shown.texts[0]);
    EXPECT_TRUE(std::filesystem::is_empty(registry.Path()));
}

TEST(ProgramStartTest, BadCommandLineIsShownBeforeTheLogIsStarted)
{
    TempFolder install;
    Shown shown;
    EXPECT_EQ(0, RunWith({"--install-dir", install.Path().c_str(), "--fixed-step", "fast"}, shown));
    ASSERT_EQ(1u, shown.texts.size());
    EXPECT_NE(std::string::npos, shown.texts[0].find("--fixed-step"));
    EXPECT_FALSE(std::filesystem::exists(install.Path() + "data/Logs/PlinkettLog.txt"));
}

TEST(ProgramStartTest, StartEntryIsTheBannerAndTheDateOnTwoLines)
{
    TempFolder install;
    CGameProgram program;
    CCommandLine line;
    line.installDir = install.Path().c_str();
    ASSERT_TRUE(program.ReadConfiguration(line));
    program.WriteStartEntry();
    std::ifstream in(install.Path() + "data/Logs/PlinkettLog.txt", std::ios::binary);
    std::string first, second, third;
    std::getline(in, first);
    std::getline(in, second);
    EXPECT_EQ("----------- WinMain Game Startup... Plinkett v1.0 -------------\r", first);
    EXPECT_EQ(0u, second.rfind("Date and time: ", 0));
    EXPECT_EQ(std::string("Date and time: MM/DD/YYYY hh:mm:ss\r").size(), second.size());
    EXPECT_FALSE(std::getline(in, third));
}

TEST(ProgramStartTest, HelpAndVersionPrintAndEndWithoutTouchingTheInstall)
{
    TempFolder install;
    Shown shown;
    testing::internal::CaptureStdout();
    EXPECT_EQ(0, RunWith({"--install-dir", install.Path().c_str(), "--help"}, shown));
    const std::string help = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, help.find("Usage: Plinkett3")) << help;
    EXPECT_NE(std::string::npos, help.find("--per-user-data")) << help;
    testing::internal::CaptureStdout();
    EXPECT_EQ(0, RunWith({"--version"}, shown));
    EXPECT_EQ("Plinkett3 1.0\n", testing::internal::GetCapturedStdout());
    EXPECT_TRUE(shown.texts.empty()) << "no message box for either";
    EXPECT_TRUE(std::filesystem::is_empty(install.Path())) << "nothing written, not even the log";
}

TEST(ProgramStartTest, PerUserModeStartsTheLogInTheUsersFolderAndLeavesTheInstallAlone)
{
    TempFolder install, user;
    std::filesystem::create_directories(install.Path() + "data");
    setenv("XDG_DATA_HOME", user.Path().c_str(), 1);
    CGameProgram program;
    CCommandLine line;
    line.installDir = install.Path().c_str();
    line.perUserData = true;
    ASSERT_TRUE(program.ReadConfiguration(line));
    program.WriteStartEntry();
    unsetenv("XDG_DATA_HOME");
    EXPECT_STREQ((user.Path() + "plinkett3/").c_str(), CGameFolders::User().GetBuffer());
    CGameFolders::UsePerUserFolder(XString());
    EXPECT_TRUE(std::filesystem::exists(user.Path() + "plinkett3/data/Logs/PlinkettLog.txt"));
    EXPECT_TRUE(std::filesystem::is_empty(install.Path() + "data")) << "the install is never written";
}

} // namespace
