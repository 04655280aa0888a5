// Folders, listings, links, the current directory and machine facts through platform/fs.
#include "platform/fs/Directory.h"
#include "platform/fs/SystemInfo.h"
#include "tests/platform/FsTempFolder.h"

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

using namespace plk;

namespace
{

std::vector<std::string> Names(const std::vector<fs::DirEntry>& entries)
{
    std::vector<std::string> names;
    for (const fs::DirEntry& entry : entries)
    {
        names.push_back(entry.name + (entry.isDirectory ? "/" : ""));
    }
    return names;
}

TEST(FsDirectory, ListingSkipsDotsMarksFoldersAndSortsIgnoringCase)
{
    FsTempFolder temp;
    temp.Put("beta.txt", "");
    temp.Put("Alpha/inner.txt", "");
    temp.Put("_last.x", "");
    temp.Put("gamma/", "");
    std::vector<fs::DirEntry> entries;
    ASSERT_EQ(fs::ListDirectory(temp.ProgramPath(), entries), 0);
    EXPECT_EQ(Names(entries), (std::vector<std::string>{"Alpha/", "beta.txt", "gamma/", "_last.x"}));
    EXPECT_EQ(fs::ListDirectory(temp.ProgramPath("missing"), entries), ENOENT);
    EXPECT_TRUE(entries.empty());
}

TEST(FsDirectory, LinksAreFlaggedAndRemovingOneSparesItsTarget)
{
    FsTempFolder temp;
    temp.Put("real/precious.txt", "keep");
    std::filesystem::create_directory_symlink(temp.Path() + "/real", temp.Path() + "/link");
    std::vector<fs::DirEntry> entries;
    ASSERT_EQ(fs::ListDirectory(temp.ProgramPath(), entries), 0);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "link");
    EXPECT_TRUE(entries[0].isDirectory);
    EXPECT_TRUE(entries[0].isLink);
    EXPECT_FALSE(entries[1].isLink);

    EXPECT_EQ(fs::RemoveDirectory(temp.ProgramPath("link\\")), 0);
    EXPECT_FALSE(temp.Exists("link"));
    EXPECT_EQ(temp.Get("real/precious.txt"), "keep");
}

TEST(FsDirectory, CreateRemoveAndExistenceFollowCaseRules)
{
    FsTempFolder temp;
    EXPECT_EQ(fs::CreateDirectory(temp.ProgramPath("Logs")), 0);
    EXPECT_TRUE(fs::DirectoryExists(temp.ProgramPath("logs")));
    EXPECT_TRUE(fs::DirectoryExists(temp.ProgramPath("LOGS\\")));
    EXPECT_EQ(fs::CreateDirectory(temp.ProgramPath("logs")), EEXIST);
    EXPECT_EQ(fs::CreateDirectory(temp.ProgramPath("a\\b")), ENOENT);

    temp.Put("Logs/file.txt", "x");
    EXPECT_FALSE(fs::DirectoryExists(temp.ProgramPath("logs\\file.txt")));
    EXPECT_EQ(fs::RemoveDirectory(temp.ProgramPath("logs")), ENOTEMPTY);
    EXPECT_EQ(fs::DeleteFile(temp.ProgramPath("LOGS\\FILE.TXT")), 0);
    EXPECT_EQ(fs::DeleteFile(temp.ProgramPath("logs")), EISDIR);
    EXPECT_EQ(fs::RemoveDirectory(temp.ProgramPath("logs")), 0);
    EXPECT_FALSE(fs::DirectoryExists(temp.ProgramPath("Logs")));
    EXPECT_FALSE(fs::DirectoryExists(""));
}

TEST(FsDirectory, CurrentDirectoryRoundTrips)
{
    FsTempFolder temp;
    temp.Put("Work/", "");
    std::string before;
    ASSERT_EQ(fs::GetCurrentDirectory(before), 0);
    ASSERT_EQ(fs::SetCurrentDirectory(temp.ProgramPath("work")), 0);
    std::string now;
    EXPECT_EQ(fs::GetCurrentDirectory(now), 0);
    EXPECT_EQ(std::filesystem::canonical(now), std::filesystem::canonical(temp.Path() + "/Work"));
    EXPECT_EQ(fs::SetCurrentDirectory(temp.ProgramPath("missing")), ENOENT);
    ASSERT_EQ(fs::SetCurrentDirectory(before), 0);
}

TEST(FsSystem, HostNameSystemFolderAndGuids)
{
    std::string host;
    ASSERT_EQ(fs::GetHostName(host), 0);
    EXPECT_FALSE(host.empty());
    EXPECT_TRUE(std::filesystem::is_directory(fs::SystemDirectory()));

    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i)
    {
        const std::string guid = fs::NewGuid();
        ASSERT_EQ(guid.size(), 36u) << guid;
        for (std::size_t k = 0; k < guid.size(); ++k)
        {
            const bool dash = (k == 8 || k == 13 || k == 18 || k == 23);
            EXPECT_TRUE(dash ? guid[k] == '-'
                             : std::isxdigit(static_cast<unsigned char>(guid[k])) && !std::isupper(guid[k]))
                << guid;
        }
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 50u);
}

} // namespace
