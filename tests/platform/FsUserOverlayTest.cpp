// A per-user folder laid over a shared install folder: reads prefer the user's copy, writes never
// touch the shared side, listings show both, and paths outside the shared folder are left alone.
#include "platform/fs/Directory.h"
#include "platform/fs/FileReader.h"
#include "platform/fs/FileWriter.h"
#include "platform/fs/Path.h"
#include "tests/platform/FsTempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plk;

namespace
{

class FsUserOverlayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_shared.Put("data/levels/StdLevel1.dat", "shipped level");
        m_shared.Put("data/VideoMode.xml", "shipped mode");
        fs::SetUserOverlay(m_shared.ProgramPath(), m_user.Path() + "/plinkett3/");
    }
    void TearDown() override { fs::SetUserOverlay("", ""); }

    std::string Read(const std::string& programPath)
    {
        std::vector<char> bytes;
        if (fs::ReadWholeFile(programPath, bytes) != 0)
            return "<unreadable>";
        return std::string(bytes.begin(), bytes.end());
    }
    int Write(const std::string& programPath, const std::string& text)
    {
        return fs::WriteWholeFile(programPath, std::span<const char>(text.data(), text.size()), fs::WriteMode::kReplace);
    }

    FsTempFolder m_shared;
    FsTempFolder m_user;
};

TEST_F(FsUserOverlayTest, WritesGoToTheUserFolderAndAreReadBackFirst)
{
    ASSERT_EQ(0, Write(m_shared.ProgramPath("data\\VideoMode.xml"), "user mode"));
    EXPECT_EQ("shipped mode", m_shared.Get("data/VideoMode.xml")) << "the shared copy is never written";
    EXPECT_EQ("user mode", m_user.Get("plinkett3/data/VideoMode.xml"));
    EXPECT_EQ("user mode", Read(m_shared.ProgramPath("data\\VideoMode.xml"))) << "the user's copy is read first";
    EXPECT_EQ("shipped level", Read(m_shared.ProgramPath("data\\levels\\stdlevel1.dat")))
        << "what the user has no copy of comes from the shared folder, names matched without case";
}

TEST_F(FsUserOverlayTest, NewFoldersAndFilesAppearOnlyOnTheUserSide)
{
    ASSERT_EQ(0, Write(m_shared.ProgramPath("data\\SavedGames\\Mine.dat"), "saved"));
    EXPECT_FALSE(m_shared.Exists("data/SavedGames")) << "parent folders are made on the user side";
    EXPECT_EQ("saved", m_user.Get("plinkett3/data/SavedGames/Mine.dat"));
    EXPECT_EQ(0, fs::CreateDirectory(m_shared.ProgramPath("data\\Logs")));
    EXPECT_TRUE(m_user.Exists("plinkett3/data/Logs"));
    EXPECT_FALSE(m_shared.Exists("data/Logs"));
    EXPECT_TRUE(fs::DirectoryExists(m_shared.ProgramPath("data\\Logs")));
    EXPECT_EQ(0, fs::DeleteFile(m_shared.ProgramPath("data\\SavedGames\\Mine.dat")));
    EXPECT_FALSE(m_user.Exists("plinkett3/data/SavedGames/Mine.dat"));
    EXPECT_NE(0, fs::DeleteFile(m_shared.ProgramPath("data\\levels\\StdLevel1.dat")))
        << "a shipped file cannot be deleted from the user side";
    EXPECT_TRUE(m_shared.Exists("data/levels/StdLevel1.dat"));
}

TEST_F(FsUserOverlayTest, AFolderListsWhatEitherSideHoldsOnce)
{
    ASSERT_EQ(0, Write(m_shared.ProgramPath("data\\levels\\MyLevel.dat"), "built"));
    ASSERT_EQ(0, Write(m_shared.ProgramPath("data\\levels\\STDLEVEL1.dat"), "edited copy"));
    std::vector<fs::DirEntry> entries;
    ASSERT_EQ(0, fs::ListDirectory(m_shared.ProgramPath("data\\levels\\"), entries));
    std::vector<std::string> names;
    for (const fs::DirEntry& entry : entries)
        names.push_back(entry.name);
    EXPECT_EQ((std::vector<std::string>{"MyLevel.dat", "STDLEVEL1.dat"}), names)
        << "the user's entry stands for the shared one of the same name";
}

TEST_F(FsUserOverlayTest, PathsOutsideTheSharedFolderAreUntouched)
{
    FsTempFolder elsewhere;
    ASSERT_EQ(0, Write(elsewhere.ProgramPath("note.txt"), "plain"));
    EXPECT_EQ("plain", elsewhere.Get("note.txt"));
    EXPECT_TRUE(fs::ResolveUserSide(elsewhere.ProgramPath("note.txt")).empty());
    fs::SetUserOverlay("", "");
    ASSERT_EQ(0, Write(m_shared.ProgramPath("data\\VideoMode.xml"), "direct"));
    EXPECT_EQ("direct", m_shared.Get("data/VideoMode.xml")) << "without an overlay the shared folder is written";
}

TEST(FsWritableFolderTest, AMissingFolderOrAFileIsNotAWritableFolder)
{
    FsTempFolder temp;
    temp.Put("file", "x");
    EXPECT_TRUE(fs::IsWritableFolder(temp.Path()));
    EXPECT_FALSE(fs::IsWritableFolder(temp.Path() + "/missing"));
    EXPECT_FALSE(fs::IsWritableFolder(""));
}

} // namespace
