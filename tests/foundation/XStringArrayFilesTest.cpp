// XStringArray folder walks: which entries come, in what form and order, and how failures read.
#include "foundation/XStringArray.h"
#include "tests/platform/FsTempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

// The entries with the temporary folder's prefix taken off, so expectations stay short.
std::vector<std::string> Relative(XStringArray& list, const std::string& prefix)
{
    std::vector<std::string> names;
    for (unsigned i = 0; i < list.GetCount(); ++i)
    {
        std::string entry(list.Get(i).GetBuffer(), list.Get(i).GetLength());
        EXPECT_EQ(entry.compare(0, prefix.size(), prefix), 0) << entry;
        names.push_back(entry.substr(prefix.size()));
    }
    return names;
}

class XStringArrayFiles : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_temp.Put("levels/StdLevel2.dat", "");
        m_temp.Put("levels/stdlevel1.dat", "");
        m_temp.Put("levels/_LAST3D1T_L3V3L.dat", "");
        m_temp.Put("levels/Tutorial/__Lrn1.dat", "");
        m_temp.Put("levels/Tutorial/Deep/x.dat", "");
        m_temp.Put("levels/Empty/", "");
    }
    std::string Root() const { return m_temp.ProgramPath("levels\\"); }

    FsTempFolder m_temp;
};

TEST_F(XStringArrayFiles, FileListIsSortedIgnoringCaseAndRecursesOnRequest)
{
    XStringArray list;
    ASSERT_TRUE(list.GetFileList(m_temp.ProgramPath("levels").c_str(), false)) << list.GetErrorMsg();
    EXPECT_EQ(Relative(list, Root()),
              (std::vector<std::string>{"stdlevel1.dat", "StdLevel2.dat", "_LAST3D1T_L3V3L.dat"}));
    EXPECT_STREQ(list.GetErrorMsg(), "");

    // A path already ending in a backslash gets no second one; the array is emptied first.
    ASSERT_TRUE(list.GetFileList(Root().c_str(), true));
    EXPECT_EQ(Relative(list, Root()),
              (std::vector<std::string>{"stdlevel1.dat", "StdLevel2.dat", "Tutorial\\Deep\\x.dat",
                                        "Tutorial\\__Lrn1.dat", "_LAST3D1T_L3V3L.dat"}));
}

TEST_F(XStringArrayFiles, DirectoryListMarksFoldersWithATrailingBackslash)
{
    XStringArray list;
    ASSERT_TRUE(list.GetFileDirectoryList(Root().c_str(), true));
    EXPECT_EQ(Relative(list, Root()),
              (std::vector<std::string>{"Empty\\", "stdlevel1.dat", "StdLevel2.dat", "Tutorial\\",
                                        "Tutorial\\Deep\\", "Tutorial\\Deep\\x.dat", "Tutorial\\__Lrn1.dat",
                                        "_LAST3D1T_L3V3L.dat"}));

    // RecurseFolder appends to what is there, folders only when asked.
    XStringArray folders;
    folders.Add("first");
    ASSERT_TRUE(folders.RecurseFolder(Root().c_str(), false, true, false));
    ASSERT_EQ(folders.GetCount(), 3u);
    EXPECT_STREQ(folders.Get(0).GetBuffer(), "first");
    EXPECT_EQ(std::string(folders.Get(2).GetBuffer()), Root() + "Tutorial\\");
}

TEST_F(XStringArrayFiles, MissingFolderEmptiesTheArrayAndExplains)
{
    XStringArray list;
    list.Add("stale");
    const std::string missing = m_temp.ProgramPath("nowhere");
    EXPECT_FALSE(list.GetFileList(missing.c_str(), true));
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(std::string(list.GetErrorMsg()), "Error: in XStringArray::GetFileList read tree failed. "
                                               "Msg=Error: in XStringArray::RecurseFolder could "
                                               "not find first file for directory path=" +
                                                   missing + "\\*. The path might not exist.");
    EXPECT_FALSE(list.GetFileList(nullptr, true));
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_FALSE(list.GetFileDirectoryList(missing.c_str(), false));
    EXPECT_EQ(std::string(list.GetErrorMsg())
                  .rfind("Error: in XStringArray::GetFileDirectoryList read tree failed. "
                         "Msg=Error: in XStringArray::RecurseFolder",
                         0),
              0u);
}

TEST_F(XStringArrayFiles, LinkedFoldersAreListedButNotEntered)
{
    // A link back to its own parent would make an endless walk.
    std::filesystem::create_directory_symlink(m_temp.Path() + "/levels",
                                              m_temp.Path() + "/levels/Tutorial/Loop");
    XStringArray list;
    ASSERT_TRUE(list.GetFileDirectoryList(Root().c_str(), true));
    const std::vector<std::string> names = Relative(list, Root());
    EXPECT_EQ(std::count(names.begin(), names.end(), "Tutorial\\Loop\\"), 1);
    EXPECT_EQ(names.size(), 9u);
}

} // namespace
