// Install path from the registry or the command line, and the folders built from it.
#include "app/config/CGameFolders.h"
#include "foundation/CLogFile.h"
#include "tests/app/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{

class ConfigurationTest : public ::testing::Test
{
protected:
    void SetUp() override { setenv("VREGISTRY_DIR", m_registry.Path().c_str(), 1); }
    void TearDown() override { unsetenv("VREGISTRY_DIR"); }

    void WriteValue(const char* root, const std::string& value)
    {
        const std::filesystem::path key =
            std::filesystem::path(m_registry.Path()) / root / "Software" / "Vantorel Software" / "Games" / "Plinkett3";
        std::filesystem::create_directories(key);
        std::ofstream(key / "InstallPath", std::ios::binary) << value;
    }

    TempFolder m_registry;
};

TEST_F(ConfigurationTest, MachineValueComesFirstAndGetsItsBackslash)
{
    WriteValue("HKEY_LOCAL_MACHINE", "/opt/plinkett3");
    WriteValue("HKEY_CURRENT_USER", "/home/player/plinkett3");
    ASSERT_TRUE(CGameFolders::ReadConfiguration(XString()));
    EXPECT_STREQ("/opt/plinkett3\\", CGameFolders::Install().GetBuffer());
    EXPECT_STREQ("/opt/plinkett3\\data\\", CGameFolders::Data().GetBuffer());
    EXPECT_STREQ("/opt/plinkett3\\data\\levels\\", CGameFolders::Levels().GetBuffer());
    EXPECT_STREQ("/opt/plinkett3\\data\\", CLogFile::GetDataFolder().GetBuffer()) << "the log lies in the data folder";
}

TEST_F(ConfigurationTest, EmptyMachineValueFallsThroughToTheUser)
{
    WriteValue("HKEY_LOCAL_MACHINE", "");
    WriteValue("HKEY_CURRENT_USER", "/home/player/plinkett3\\");
    ASSERT_TRUE(CGameFolders::ReadConfiguration(XString()));
    EXPECT_STREQ("/home/player/plinkett3\\", CGameFolders::Install().GetBuffer());
}

TEST_F(ConfigurationTest, ValueWithLineEndOrTerminatorIsTheFolderAlone)
{
    WriteValue("HKEY_CURRENT_USER", "/home/player/game\n");
    ASSERT_TRUE(CGameFolders::ReadConfiguration(XString()));
    EXPECT_STREQ("/home/player/game\\", CGameFolders::Install().GetBuffer());
    WriteValue("HKEY_CURRENT_USER", std::string("/home/player/game2\\", 19) + '\0');
    ASSERT_TRUE(CGameFolders::ReadConfiguration(XString()));
    EXPECT_STREQ("/home/player/game2\\", CGameFolders::Install().GetBuffer());
}

TEST_F(ConfigurationTest, NoValueAnywhereFailsAndTheCommandLineStandsIn)
{
    CGameFolders::SetInstallFolder(XString("/previous"));
    EXPECT_FALSE(CGameFolders::ReadConfiguration(XString()));
    EXPECT_STREQ("/previous\\", CGameFolders::Install().GetBuffer());

    WriteValue("HKEY_CURRENT_USER", "/from/registry");
    ASSERT_TRUE(CGameFolders::ReadConfiguration(XString("/from/command/line/")));
    EXPECT_STREQ("/from/command/line/", CGameFolders::Install().GetBuffer());
    EXPECT_STREQ("/from/command/line/data\\", CGameFolders::Data().GetBuffer());
}

} // namespace
