// XString file and folder members: reading, writing, deleting, creating and removing folders.
#include "foundation/XString.h"
#include "tests/platform/FsTempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace
{

std::string Text(const XString& s)
{
    return std::string(s.GetBuffer(), s.GetLength());
}

TEST(XStringReadFile, BadNamesAndMissingFilesGiveTheirTexts)
{
    FsTempFolder temp;
    temp.Put("Folder/inside.txt", "");
    XString s("kept");
    EXPECT_FALSE(s.ReadFile(nullptr));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::ReadFile filename is NULL.");
    EXPECT_FALSE(s.ReadFile(""));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::ReadFile filename is zero length.");
    const std::string missing = temp.ProgramPath("missing.txt");
    EXPECT_FALSE(s.ReadFile(missing.c_str()));
    EXPECT_EQ(std::string(s.GetErrorMsg()), "Error: in XString::ReadFile failed to open filename=" + missing);
    const std::string folder = temp.ProgramPath("folder");
    EXPECT_FALSE(s.ReadFile(folder.c_str()));
    EXPECT_EQ(std::string(s.GetErrorMsg()), "Error: in XString::ReadFile failed to open filename=" + folder);
    EXPECT_EQ(Text(s), "kept");
}

TEST(XStringReadFile, WholeFileWithNulBytesEmptyFileAndAnyCase)
{
    FsTempFolder temp;
    std::string big(5000, 'x');
    big[10] = '\0';
    temp.Put("data/Particle.bmp", big);
    temp.Put("data/empty.txt", "");
    XString s;
    ASSERT_TRUE(s.ReadFile(temp.ProgramPath("data\\particle.bmp").c_str())) << s.GetErrorMsg();
    EXPECT_EQ(s.GetLength(), 5000u);
    EXPECT_EQ(Text(s), big);
    EXPECT_STREQ(s.GetErrorMsg(), "");
    ASSERT_TRUE(s.ReadFile(temp.ProgramPath("DATA\\Empty.TXT").c_str()));
    EXPECT_EQ(s.GetLength(), 0u);
}

TEST(XStringWriteFile, MissingFolderIsCreatedOnlyWhenAsked)
{
    FsTempFolder temp;
    XString s("level body");
    const std::string deep = temp.ProgramPath("data\\savedgames\\Slot1.dat");
    EXPECT_FALSE(s.WriteFile(deep.c_str(), false));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::WriteFile filename path does not exist.");
    EXPECT_FALSE(temp.Exists("data"));
    ASSERT_TRUE(s.WriteFile(deep.c_str(), true)) << s.GetErrorMsg();
    EXPECT_EQ(temp.Get("data/savedgames/Slot1.dat"), "level body");
    EXPECT_STREQ(s.GetErrorMsg(), "");

    // An OS-style absolute path, as the install folder arrives, works the same way.
    ASSERT_TRUE(s.WriteFile((temp.Path() + "/logs/run.txt").c_str(), true)) << s.GetErrorMsg();
    EXPECT_EQ(temp.Get("logs/run.txt"), "level body");
}

TEST(XStringWriteFile, ReplaceAppendAndTruncateModes)
{
    FsTempFolder temp;
    const std::string path = temp.ProgramPath("Log.txt");
    XString s("a");
    s.AppendData("\0c", 2);
    ASSERT_TRUE(s.WriteFile(path.c_str(), false, 0x04));
    EXPECT_EQ(temp.Get("Log.txt"), std::string("a\0c", 3));
    XString line("+line");
    ASSERT_TRUE(line.WriteFile(temp.ProgramPath("log.txt").c_str(), false, 0x24));
    EXPECT_EQ(temp.Get("Log.txt"), std::string("a\0c+line", 8));
    ASSERT_TRUE(line.WriteFile(path.c_str(), false, 0x34));
    EXPECT_EQ(temp.Get("Log.txt"), "+line");
    ASSERT_TRUE(XString("new").WriteFile(path.c_str(), false, 0x44));
    EXPECT_EQ(temp.Get("Log.txt"), "new");
    // The first write created "Log.txt" as given; later names in other case reached that file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Path()), {}), 1);
}

TEST(XStringWriteFile, FailuresNameTheirStep)
{
    FsTempFolder temp;
    temp.Put("blocker", "a file where a folder should be");
    XString s("x");
    EXPECT_FALSE(s.WriteFile(nullptr, true));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::WriteFile filename is NULL.");
    EXPECT_FALSE(s.WriteFile("", true));
    EXPECT_STREQ(s.GetErrorMsg(), "Error: in XString::WriteFile filename is zero length.");
    const std::string through = temp.ProgramPath("blocker\\sub\\f.txt");
    EXPECT_FALSE(s.WriteFile(through.c_str(), true));
    EXPECT_EQ(
        std::string(s.GetErrorMsg()),
        "Error: in XString::WriteFile CreateDirectory failed. Msg=Error: in XString::CreateDirectory failed "
        "for path=" +
            temp.ProgramPath("blocker\\sub"));
    temp.Put("folder/", "");
    const std::string folder = temp.ProgramPath("folder");
    EXPECT_FALSE(s.WriteFile(folder.c_str(), false));
    EXPECT_EQ(std::string(s.GetErrorMsg()), "Error: in XString::WriteFile failed to open filename=" + folder);
}

TEST(XStringDeleteFile, DeletesByAnyCaseAndNeverTheNameBeforeANul)
{
    FsTempFolder temp;
    temp.Put("Autosave.dat", "x");
    temp.Put("a", "must survive");
    XString name(temp.ProgramPath("autosave.DAT").c_str());
    ASSERT_TRUE(name.DeleteFile()) << name.GetErrorMsg();
    EXPECT_FALSE(temp.Exists("Autosave.dat"));
    EXPECT_FALSE(name.DeleteFile());
    EXPECT_EQ(std::string(name.GetErrorMsg()),
              "Error: in XString::DeleteFile failed to delete filename=" + Text(name));

    XString withNul(temp.ProgramPath("a").c_str());
    withNul.AppendData("\0b", 2);
    EXPECT_FALSE(withNul.DeleteFile());
    EXPECT_EQ(temp.Get("a"), "must survive");
}

TEST(XStringDirectories, ExistsForEveryPathFormButNotFiles)
{
    FsTempFolder temp;
    temp.Put("Data/file.txt", "");
    EXPECT_TRUE(XString(temp.ProgramPath("data").c_str()).DirectoryExists());
    EXPECT_TRUE(XString(temp.ProgramPath("data\\").c_str()).DirectoryExists());
    EXPECT_TRUE(XString((temp.Path() + "/Data/").c_str()).DirectoryExists());
    EXPECT_FALSE(XString(temp.ProgramPath("data\\file.txt").c_str()).DirectoryExists());
    EXPECT_FALSE(XString(temp.ProgramPath("nothing").c_str()).DirectoryExists());
    EXPECT_FALSE(XString("").DirectoryExists());
    // Longer than the old 286-character limit, which the OS does not have.
    std::string longPath = temp.Path();
    while (longPath.size() < 300)
        longPath += "/abcdefghijklmnopqrstuvwxyz";
    std::filesystem::create_directories(longPath);
    EXPECT_TRUE(XString(longPath.c_str()).DirectoryExists());

    // A relative name is looked up from the current directory, which stays where it was.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(temp.Path());
    EXPECT_TRUE(XString("data").DirectoryExists());
    EXPECT_FALSE(XString("data\\file.txt").DirectoryExists());
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(temp.Path()));
    std::filesystem::current_path(before);
}

TEST(XStringDirectories, CreateBuildsEveryMissingParent)
{
    FsTempFolder temp;
    temp.Put("a/", "");
    XString path(temp.ProgramPath("a\\b\\\\c\\").c_str());
    ASSERT_TRUE(path.CreateDirectory()) << path.GetErrorMsg();
    EXPECT_TRUE(std::filesystem::is_directory(temp.Path() + "/a/b/c"));
    // Existing folders in another case are used, not duplicated.
    XString again(temp.ProgramPath("A\\B\\C\\D").c_str());
    ASSERT_TRUE(again.CreateDirectory()) << again.GetErrorMsg();
    EXPECT_TRUE(std::filesystem::is_directory(temp.Path() + "/a/b/c/D"));
    EXPECT_FALSE(temp.Exists("A"));

    XString empty;
    EXPECT_FALSE(empty.CreateDirectory());
    EXPECT_STREQ(empty.GetErrorMsg(), "Error: in XString::CreateDirectory directory path is zero length.");
}

TEST(XStringDirectories, RemoveDeletesTheWholeTree)
{
    FsTempFolder temp;
    temp.Put("tree/top.txt", "1");
    temp.Put("tree/Sub/mid.txt", "2");
    temp.Put("tree/Sub/deeper/low.txt", "3");
    temp.Put("tree/Sub/empty/", "");
    temp.Put("tree/zeta/", "");
    XString path(temp.ProgramPath("tree").c_str());
    ASSERT_TRUE(path.RemoveDirectory()) << path.GetErrorMsg();
    EXPECT_FALSE(temp.Exists("tree"));
    EXPECT_STREQ(path.GetErrorMsg(), "");

    EXPECT_FALSE(path.RemoveDirectory());
    EXPECT_EQ(
        std::string(path.GetErrorMsg()),
        "Error: in XString::RemoveDirectory could not obtain directory list. Msg=Error: in "
        "XStringArray::GetFileDirectoryList read tree failed. Msg=Error: in XStringArray::RecurseFolder "
        "could not find first file for directory path=" +
            temp.ProgramPath("tree\\*") + ". The path might not exist.");
}

TEST(XStringDirectories, RemoveRefusesTheRootAndNeverFollowsLinks)
{
    FsTempFolder temp;
    temp.Put("precious/keep.txt", "keep");
    temp.Put("tree/file.txt", "");
    std::filesystem::create_directory_symlink(temp.Path() + "/precious", temp.Path() + "/tree/link");
    std::filesystem::create_directory_symlink(temp.Path() + "/precious", temp.Path() + "/alias");

    XString tree(temp.ProgramPath("tree").c_str());
    ASSERT_TRUE(tree.RemoveDirectory()) << tree.GetErrorMsg();
    XString alias(temp.ProgramPath("alias\\").c_str());
    ASSERT_TRUE(alias.RemoveDirectory()) << alias.GetErrorMsg();
    EXPECT_FALSE(temp.Exists("tree"));
    EXPECT_FALSE(temp.Exists("alias"));
    EXPECT_EQ(temp.Get("precious/keep.txt"), "keep");

    for (const char* root : {"\\", "/", "\\\\", "//"})
    {
        XString s(root);
        EXPECT_FALSE(s.RemoveDirectory());
        EXPECT_EQ(std::string(s.GetErrorMsg()),
                  std::string("Error: in XString::RemoveDirectory invalid directory path=") + root);
    }
    XString empty;
    EXPECT_FALSE(empty.RemoveDirectory());
    EXPECT_STREQ(empty.GetErrorMsg(), "Error: in XString::RemoveDirectory directory path is zero length.");
}

} // namespace
