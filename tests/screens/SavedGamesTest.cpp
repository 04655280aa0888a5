// Saving and resuming as the screens do it, with real files in a temporary install folder: the
// auto-save resumed at the hardest difficulty, and a game saved mid-level coming back with its
// score and time.
#include "game/CGameLevel.h"
#include "tests/screens/ScreensTestFolder.h"

#include <gtest/gtest.h>

namespace
{

const int kRed = 8;

// Writes a level file "name" with a 100 s limit and two red cubes, then loads it for play.
void EnterLevel(CGameLevel& level, const ScreensTestFolder& folder, const char* name, int difficulty)
{
    CGameLevel author(nullptr);
    author.SetDataFolder(folder.DataFolder());
    author.SetTimeLeft(100000.0f);
    author.AddBlock(kRed, 2, 0, 3);
    author.AddBlock(kRed, 5, 0, 3);
    ASSERT_TRUE(author.Save(XString(name), false)) << author.GetErrorMsg().GetBuffer();

    level.SetDataFolder(folder.DataFolder());
    level.SetDifficulty(difficulty);
    ASSERT_TRUE(level.Load(XString(name), false, false)) << level.GetErrorMsg().GetBuffer();
}

} // namespace

TEST(AutoSave, ResumedAtHardKeepsSeventyPercentOfTheLimit)
{
    ScreensTestFolder folder;
    CGameLevel level(nullptr);
    EnterLevel(level, folder, "MyLevel2", 3);
    // As the play view writes it on entering the level, before play starts.
    ASSERT_TRUE(level.Save(XString("AutoSave"), true));

    CGameLevel resumed(nullptr);
    resumed.SetDataFolder(folder.DataFolder());
    ASSERT_TRUE(resumed.Load(XString("AutoSave"), false, true));
    EXPECT_EQ(3, resumed.GetDifficulty());
    EXPECT_EQ(70, resumed.SecondsLeft()) << "scaled once, not 49";
}

TEST(SavedGame, ResumesWithScoreAndTimeIntact)
{
    ScreensTestFolder folder;
    CGameLevel level(nullptr);
    EnterLevel(level, folder, "MyLevel4", 3);
    // Mid-level: time adjusted and partly used, points earned, one spare dropped.
    ASSERT_EQ(70, level.SecondsLeft());
    level.SetTimeLeft(41750.0f);
    level.SetTotalScore(8200);
    level.SetBlockScore(1530);
    level.SetNumBlocksRemoved(9);
    level.SetExBlocksAdded(1);
    const int total = level.GameTotal(false);
    ASSERT_TRUE(level.Save(XString("Evening game"), true)) << level.GetErrorMsg().GetBuffer();

    // Resumed from the title in a later session: no difficulty chosen yet.
    CGameLevel resumed(nullptr);
    resumed.SetDataFolder(folder.DataFolder());
    ASSERT_TRUE(resumed.Load(XString("Evening game"), false, true));
    EXPECT_EQ(3, resumed.GetDifficulty());
    EXPECT_EQ(41, resumed.SecondsLeft()) << "the time is not scaled again";
    EXPECT_EQ(8200, resumed.GetTotalScore());
    EXPECT_EQ(1530, resumed.GetBlockScore());
    EXPECT_EQ(9, resumed.GetNumBlocksRemoved());
    EXPECT_EQ(1, resumed.GetExBlocksAdded());
    EXPECT_EQ(total, resumed.GameTotal(false));
    EXPECT_EQ(4u, resumed.GetCurLevel());
    EXPECT_EQ("MyLevel4", std::string(resumed.GetLevelFileName().GetBuffer()));
}
