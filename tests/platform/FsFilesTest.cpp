// platform/fs: case-insensitive names, refused paths, safe replacement of files, links to folders.
#include "platform/fs/Directory.h"
#include "platform/fs/FileReader.h"
#include "platform/fs/FileWriter.h"
#include "platform/fs/Path.h"
#include "tests/platform/FsTempFolder.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace plk;

namespace
{

std::string ReadAll(const std::string& path, int& result)
{
    std::vector<char> bytes;
    result = fs::ReadWholeFile(path, bytes);
    return std::string(bytes.begin(), bytes.end());
}

TEST(FsPath, ExactNameWinsAndAmbiguityPicksSmallestName)
{
    FsTempFolder temp;
    temp.Put("help.txt", "lower");
    temp.Put("Help.txt", "upper");
    int result = -1;
    EXPECT_EQ(ReadAll(temp.ProgramPath("help.txt"), result), "lower");
    EXPECT_EQ(ReadAll(temp.ProgramPath("Help.txt"), result), "upper");
    // "HELP.TXT" matches both; "Help.txt" < "help.txt" in byte order.
    EXPECT_EQ(ReadAll(temp.ProgramPath("HELP.TXT"), result), "upper");
}

TEST(FsPath, MissingNamesKeepTheCaseGivenBelowAResolvedFolder)
{
    FsTempFolder temp;
    temp.Put("Saved/keep.txt", "");
    EXPECT_EQ(fs::ResolvePath(temp.ProgramPath("saved\\NewGame\\Slot.dat")),
              temp.Path() + "/Saved/NewGame/Slot.dat");
    // A drive path is no more than a relative folder named "C:", but must not trip anything.
    EXPECT_EQ(fs::ResolvePath("C:\\nowhere\\file.txt"), "C:/nowhere/file.txt");
}

TEST(FsFiles, ReadFailuresNameTheirCause)
{
    FsTempFolder temp;
    temp.Put("folder/inside.txt", "x");
    int result = 0;
    ReadAll(temp.ProgramPath("missing.txt"), result);
    EXPECT_EQ(result, ENOENT);
    ReadAll(temp.ProgramPath("folder"), result);
    EXPECT_EQ(result, EISDIR);

    fs::FileReader reader;
    ASSERT_EQ(reader.Open(temp.ProgramPath("folder\\inside.txt")), 0);
    std::vector<char> tooMuch(2);
    EXPECT_EQ(reader.Read(tooMuch), EIO);

    // The OS would end the name at the NUL and reach "inside.txt" itself.
    const std::string withNul = temp.ProgramPath("folder\\inside.txt") + std::string("\0.bak", 5);
    std::vector<char> bytes;
    EXPECT_EQ(fs::ReadWholeFile(withNul, bytes), EINVAL);
    EXPECT_EQ(fs::WriteWholeFile(withNul, std::string_view("x"), fs::WriteMode::kReplace), EINVAL);
    EXPECT_EQ(temp.Get("folder/inside.txt"), "x");
}

TEST(FsFiles, UncommittedReplacementLeavesTheOldFileIntact)
{
    FsTempFolder temp;
    temp.Put("save.dat", "old saved game");
    {
        fs::FileWriter writer;
        ASSERT_EQ(writer.Open(temp.ProgramPath("save.dat"), fs::WriteMode::kReplace), 0);
        ASSERT_EQ(writer.Write(std::string_view("half of a new")), 0);
        // Destroyed without Commit, as after a failed write.
    }
    EXPECT_EQ(temp.Get("save.dat"), "old saved game");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Path()), {}), 1);
}

TEST(FsFiles, ReplacementKeepsPermissionsAndHonoursReadOnlyFilesAndFolders)
{
    FsTempFolder temp;
    temp.Put("locked/shared.cfg", "a");
    const std::string file = temp.Path() + "/locked/shared.cfg";
    const std::string path = temp.ProgramPath("locked\\shared.cfg");
    chmod(file.c_str(), 0640);
    ASSERT_EQ(fs::WriteWholeFile(path, std::string_view("b"), fs::WriteMode::kReplace), 0);
    struct stat info;
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files and folders alike";

    // A folder that takes no new names: the writable file is rewritten in place.
    const std::string folder = temp.Path() + "/locked";
    chmod(folder.c_str(), 0555);
    const int inLockedFolder = fs::WriteWholeFile(path, std::string_view("c"), fs::WriteMode::kReplace);
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(inLockedFolder, 0);
    EXPECT_EQ(temp.Get("locked/shared.cfg"), "c");
    chmod(file.c_str(), 0440);
    EXPECT_EQ(fs::WriteWholeFile(path, std::string_view("d"), fs::WriteMode::kReplace), EACCES);
    EXPECT_EQ(temp.Get("locked/shared.cfg"), "c");
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

} // namespace
