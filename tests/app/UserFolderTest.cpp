// Where an installed game finds its install folder, and when and where it writes to the player's
// own folder instead.
#include "app/config/CGameFolders.h"
#include "tests/app/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

TEST(UserFolderTest, ThePerUserFolderFollowsTheBaseDirectoryRules)
{
    EXPECT_STREQ("/data/home/plinkett3/", CGameFolders::PerUserFolder("/data/home", "/home/ann").GetBuffer());
    EXPECT_STREQ("/data/home/plinkett3/", CGameFolders::PerUserFolder("/data/home/", "/home/ann").GetBuffer());
    EXPECT_STREQ("/home/ann/.local/share/plinkett3/", CGameFolders::PerUserFolder(nullptr, "/home/ann").GetBuffer());
    EXPECT_STREQ("/home/ann/.local/share/plinkett3/", CGameFolders::PerUserFolder("", "/home/ann/").GetBuffer());
    EXPECT_STREQ("/home/ann/.local/share/plinkett3/", CGameFolders::PerUserFolder("share", "/home/ann").GetBuffer())
        << "a relative XDG_DATA_HOME is ignored";
    EXPECT_TRUE(CGameFolders::PerUserFolder(nullptr, nullptr).IsEmpty());
}

TEST(UserFolderTest, AnUnwritableInstallOrTheOptionMeanThePerUserFolder)
{
    TempFolder install;
    const XString folder(install.Path().c_str());
    EXPECT_FALSE(CGameFolders::NeedsPerUserFolder(false, folder)) << "a writable install without data/ gets one";
    std::filesystem::create_directories(install.Path() + "data");
    EXPECT_FALSE(CGameFolders::NeedsPerUserFolder(false, folder)) << "a writable install is written in place";
    EXPECT_TRUE(CGameFolders::NeedsPerUserFolder(true, folder)) << "--per-user-data forces it, even for root";
    EXPECT_TRUE(CGameFolders::NeedsPerUserFolder(false, XString((install.Path() + "missing/").c_str())))
        << "an install folder that is not there cannot be written";
}

TEST(UserFolderTest, AnInstalledProgramFindsItsDataInShareBesideBin)
{
    TempFolder prefix;
    std::filesystem::create_directories(prefix.Path() + "bin");
    const XString bin((prefix.Path() + "bin/").c_str());
    EXPECT_TRUE(CGameFolders::InstallBesideProgram(bin).IsEmpty()) << "no share/plinkett3/data: not installed";
    std::filesystem::create_directories(prefix.Path() + "share/plinkett3/data");
    const XString install = CGameFolders::InstallBesideProgram(bin);
    EXPECT_STREQ((prefix.Path() + "bin/../share/plinkett3/").c_str(), install.GetBuffer());
    EXPECT_TRUE(CGameFolders::InstallBesideProgram(XString()).IsEmpty());
}

} // namespace
