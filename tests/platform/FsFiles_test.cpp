// Paths, case-insensitive names, reading and writing files through platform/fs.
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

TEST(FsPath, BackslashesBecomeSlashesAndLeadingSlashStaysAbsolute)
{
    EXPECT_EQ(fs::ToNativePath("data\\levels\\StdLevel1.dat"), "data/levels/StdLevel1.dat");
    EXPECT_EQ(fs::ToNativePath("/opt/plk\\data\\"), "/opt/plk/data/");
    // A drive path is no more than a relative folder named "C:", but must not trip anything.
    EXPECT_EQ(fs::ResolvePath("C:\\nowhere\\file.txt"), "C:/nowhere/file.txt");
}

TEST(FsPath, NamesCompareIgnoringAsciiCaseAndSortLikeNtfs)
{
    EXPECT_TRUE(fs::NamesEqualNoCase("Particle.BMP", "particle.bmp"));
    EXPECT_FALSE(fs::NamesEqualNoCase("particle.bmp", "particle.bm"));
    // Folded to upper case, "_" (0x5F) sorts after the letters.
    EXPECT_TRUE(fs::NameLessNoCase("zeta", "_last"));
    EXPECT_TRUE(fs::NameLessNoCase("apple", "Banana"));
    EXPECT_TRUE(fs::NameLessNoCase("A", "a"));
    EXPECT_FALSE(fs::NameLessNoCase("a", "A"));
}

TEST(FsPath, FileOnDiskInOtherCaseOpensByAnyCase)
{
    FsTempFolder temp;
    temp.Put("Data/Textures/Particle.bmp", "BM-bytes");
    int result = -1;
    EXPECT_EQ(ReadAll(temp.ProgramPath("data\\textures\\particle.bmp"), result), "BM-bytes");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fs::ResolvePath(temp.ProgramPath("DATA\\textures\\PARTICLE.BMP")),
              temp.Path() + "/Data/Textures/Particle.bmp");
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
}

TEST(FsFiles, ReadKeepsNulBytesAndEmptyFilesReadEmpty)
{
    FsTempFolder temp;
    temp.Put("nul.bin", std::string("a\0b\0", 4));
    temp.Put("empty.bin", "");
    int result = -1;
    EXPECT_EQ(ReadAll(temp.ProgramPath("nul.bin"), result), std::string("a\0b\0", 4));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadAll(temp.ProgramPath("empty.bin"), result), "");
    EXPECT_EQ(result, 0);
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

TEST(FsFiles, ReplaceAppendAndCreateWithNameAsGiven)
{
    FsTempFolder temp;
    const std::string path = temp.ProgramPath("Log.txt");
    ASSERT_EQ(fs::WriteWholeFile(path, std::string_view("first line\n"), fs::WriteMode::kAppend), 0);
    ASSERT_EQ(
        fs::WriteWholeFile(temp.ProgramPath("LOG.TXT"), std::string_view("second\n"), fs::WriteMode::kAppend),
        0);
    EXPECT_EQ(temp.Get("Log.txt"), "first line\nsecond\n");
    EXPECT_FALSE(temp.Exists("LOG.TXT"));

    ASSERT_EQ(
        fs::WriteWholeFile(temp.ProgramPath("log.txt"), std::string_view("new"), fs::WriteMode::kReplace), 0);
    EXPECT_EQ(temp.Get("Log.txt"), "new");
    EXPECT_FALSE(temp.Exists("log.txt"));
    // Nothing of the replacement machinery stays behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Path()), {}), 1);
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

TEST(FsFiles, ReplacementKeepsPermissionsAndRefusesReadOnlyFiles)
{
    FsTempFolder temp;
    temp.Put("shared.cfg", "a");
    const std::string native = temp.Path() + "/shared.cfg";
    chmod(native.c_str(), 0640);
    ASSERT_EQ(
        fs::WriteWholeFile(temp.ProgramPath("shared.cfg"), std::string_view("b"), fs::WriteMode::kReplace),
        0);
    struct stat info;
    ASSERT_EQ(stat(native.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    if (geteuid() != 0)
    { // root may write anything
        chmod(native.c_str(), 0440);
        EXPECT_EQ(fs::WriteWholeFile(temp.ProgramPath("shared.cfg"), std::string_view("c"),
                                     fs::WriteMode::kReplace),
                  EACCES);
        EXPECT_EQ(temp.Get("shared.cfg"), "b");
    }
}

TEST(FsFiles, WritableFileInAFolderThatTakesNoNewNamesIsStillRewritten)
{
    if (geteuid() == 0)
    {
        GTEST_SKIP() << "root may add names to any folder";
    }
    FsTempFolder temp;
    temp.Put("locked/config.xml", "old");
    const std::string folder = temp.Path() + "/locked";
    chmod(folder.c_str(), 0555);
    const int result = fs::WriteWholeFile(temp.ProgramPath("locked\\config.xml"), std::string_view("new"),
                                          fs::WriteMode::kReplace);
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(temp.Get("locked/config.xml"), "new");
}

TEST(FsFiles, WritingIntoAMissingFolderFails)
{
    FsTempFolder temp;
    EXPECT_EQ(fs::WriteWholeFile(temp.ProgramPath("no\\such\\file.txt"), std::string_view("x"),
                                 fs::WriteMode::kReplace),
              ENOENT);
    EXPECT_EQ(
        fs::WriteWholeFile(temp.ProgramPath("no\\file.txt"), std::string_view("x"), fs::WriteMode::kAppend),
        ENOENT);
}

} // namespace
