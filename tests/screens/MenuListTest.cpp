// Menu lists: which files are offered, how rows are named, scrolling and removal.
#include "screens/CMenuList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{

CMenuList ListOf(unsigned count)
{
    CMenuList list;
    for (unsigned i = 0; i < count; ++i)
    {
        XString entry("C:\\game\\data\\savedgames\\Game");
        entry += i;
        entry += ".dat";
        list.Add(entry);
    }
    return list;
}

TEST(MenuListTest, FileFiltersIgnoreCase)
{
    EXPECT_TRUE(CMenuList::IsLoadableLevel(XString("MyCastle.DAT")));
    EXPECT_FALSE(CMenuList::IsLoadableLevel(XString("stdlevel3.dat")));
    EXPECT_FALSE(CMenuList::IsLoadableLevel(XString("__LRN2.dat")));
    EXPECT_FALSE(CMenuList::IsLoadableLevel(XString("_last3d1t_l3v3l.dat")));
    EXPECT_FALSE(CMenuList::IsLoadableLevel(XString("notes.txt")));
    EXPECT_TRUE(CMenuList::IsSavedGame(XString("StdLevel3.dat")));
    EXPECT_FALSE(CMenuList::IsSavedGame(XString("_LAST3D1T_L3V3L.dat")));
    EXPECT_TRUE(CMenuList::IsMusic(XString("MUSIC3.wav")));
    EXPECT_TRUE(CMenuList::IsMusic(XString("music12b.WAV")));
    EXPECT_FALSE(CMenuList::IsMusic(XString("music.wav")));
    EXPECT_FALSE(CMenuList::IsMusic(XString("MusicIntro.wav")));
    EXPECT_STREQ("Game 2", CMenuList::DisplayName(XString("C:\\x\\savedgames\\Game 2.Dat")).GetBuffer());
}

TEST(MenuListTest, SavedGamesFolderIsListedWithFullPaths)
{
    const std::filesystem::path data = std::filesystem::temp_directory_path() / "plk_menulist_test";
    std::filesystem::remove_all(data);
    std::filesystem::create_directories(data / "savedgames");
    for (const char* name : {"b.dat", "A.dat", "_LAST3D1T_L3V3L.dat", "c.txt"})
        std::ofstream(data / "savedgames" / name) << "x";
    std::filesystem::create_directories(data / "savedgames" / "folder.dat");

    CMenuList list;
    XString folder((data.string() + "/").c_str());
    list.ListSavedGames(folder);
    ASSERT_EQ(2u, list.GetCount());
    EXPECT_STREQ((data.string() + "/savedgames\\A.dat").c_str(), list.Get(0).GetBuffer());
    EXPECT_STREQ("b", CMenuList::DisplayName(list.Get(1)).GetBuffer());

    list.ListMusic(folder);
    ASSERT_EQ(1u, list.GetCount());
    EXPECT_STREQ("No Music", list.Get(0).GetBuffer());
    std::filesystem::remove_all(data);
}

TEST(MenuListTest, NineteenEntriesDoNotScrollTwentyScrollByOne)
{
    CMenuList nineteen = ListOf(19);
    EXPECT_EQ(19u, nineteen.GetShownCount());
    EXPECT_FALSE(nineteen.CanScrollDown());
    EXPECT_FALSE(nineteen.ScrollDown());

    CMenuList twenty = ListOf(20);
    EXPECT_FALSE(twenty.CanScrollUp());
    EXPECT_TRUE(twenty.ScrollDown());
    EXPECT_EQ(1u, twenty.GetScroll());
    EXPECT_FALSE(twenty.ScrollDown());
    EXPECT_EQ(19u, twenty.GetShownCount());
    EXPECT_TRUE(twenty.ScrollUp());
    EXPECT_FALSE(twenty.ScrollUp());
}

TEST(MenuListTest, RemovingTheHoveredEntryMovesHoverAndScrollUp)
{
    CMenuList list = ListOf(25);
    for (int i = 0; i < 6; ++i)
        list.ScrollDown();
    ASSERT_EQ(6u, list.GetScroll());
    list.SetHovered(6);
    list.RemoveHovered();
    EXPECT_EQ(24u, list.GetCount());
    EXPECT_EQ(5, list.GetHovered());
    EXPECT_EQ(5u, list.GetScroll()) << "the hovered entry stays in view";
    EXPECT_STREQ("Game5", CMenuList::DisplayName(list.Get(5)).GetBuffer());
    EXPECT_STREQ("Game7", CMenuList::DisplayName(list.Get(6)).GetBuffer());

    CMenuList one = ListOf(1);
    one.SetHovered(0);
    one.RemoveHovered();
    EXPECT_EQ(0u, one.GetCount());
    EXPECT_EQ(-1, one.GetHovered());
    EXPECT_EQ(0u, one.GetShownCount());
    one.SetHovered(0);
    EXPECT_EQ(-1, one.GetHovered()) << "an empty list has nothing to hover";
}

} // namespace
