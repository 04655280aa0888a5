// Saved games: the auto-save at the start of every level after the first, resuming it, and the
// builder's last edited level surviving between sessions.
#include "foundation/XString.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "tests/game/LevelTestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace
{

// A level of the series numbered n, as read from its file.
void LoadSeriesLevel(CGameLevel& level, unsigned n)
{
    XString doc("<GameLevel><CurLevel>");
    doc += n;
    doc += "</CurLevel><TimeLeft>60000</TimeLeft><NumPlayBlocks>1</NumPlayBlocks>"
           "<PlayBlock_0><BlockType>5</BlockType><YPos>25</YPos></PlayBlock_0></GameLevel>";
    XString name("MyLevel");
    name += n;
    ASSERT_TRUE(level.LoadFromDocument(name, doc, false, false));
}

} // namespace

TEST(LevelSaves, AutoSaveOnlyFromTheSecondLevelOn)
{
    LevelTestFolder folder;
    CGameLevel level(nullptr);
    level.SetDataFolder(folder.GamePath().c_str());
    level.SetDifficulty(3);
    const std::string autoSave = folder.Path() + "/savedgames/AutoSave.dat";

    LoadSeriesLevel(level, 1);
    ASSERT_TRUE(level.AutoSaveAtLevelStart());
    EXPECT_FALSE(std::filesystem::exists(autoSave)) << "entering level 1 writes nothing";

    LoadSeriesLevel(level, 2);
    level.SetBlockScore(0);
    level.SetTotalScore(2500);
    ASSERT_TRUE(level.AutoSaveAtLevelStart());
    ASSERT_TRUE(std::filesystem::exists(autoSave));

    CGameLevel resumed(nullptr);
    resumed.SetDataFolder(folder.GamePath().c_str());
    ASSERT_TRUE(resumed.Load(CGameLevel::kAutoSaveName, false, true));
    EXPECT_EQ(2u, resumed.GetCurLevel());
    EXPECT_EQ(3, resumed.GetDifficulty());
    EXPECT_EQ(2500, resumed.GetTotalScore());
    EXPECT_EQ(42, resumed.SecondsLeft()) << "70 % of the minute, scaled once";
    EXPECT_EQ(5, resumed.GetPlayBlock(0).GetType());
}

TEST(LevelSaves, SavedGameLoadedAfterAnotherGamePlaysAsItWasSaved)
{
    LevelTestFolder folder;
    const XString data(folder.GamePath().c_str());
    // Saved on Hard: one on the first level with nothing banked yet, one later on.
    CGameLevel hard(nullptr);
    hard.SetDataFolder(data);
    hard.SetDifficulty(3);
    LoadSeriesLevel(hard, 1);
    // Play has begun: the time limit is scaled for Hard.
    ASSERT_EQ(42, hard.SecondsLeft());
    ASSERT_TRUE(hard.Save("Hard start", true));
    LoadSeriesLevel(hard, 3);
    hard.SetTotalScore(2500);
    ASSERT_TRUE(hard.Save("Hard later", true));

    // A game played on Easy, left for the title with points banked and a finished level's
    // score still to be banked.
    CGameLevel level(nullptr);
    level.SetDataFolder(data);
    level.SetDifficulty(1);
    LoadSeriesLevel(level, 2);
    level.SetTotalScore(900);
    level.SetBlockScore(400);
    level.SetAddLevelToTotal(true);

    ASSERT_TRUE(level.Load("Hard start", false, true));
    EXPECT_EQ(3, level.GetDifficulty()) << "the saved game's difficulty, not the last game's";
    EXPECT_EQ(0, level.GetTotalScore()) << "nothing of the last game's total";
    EXPECT_FALSE(level.GetAddLevelToTotal());
    EXPECT_EQ(42, level.SecondsLeft()) << "70 % of the minute at Hard, scaled once";

    level.SetDifficulty(1);
    ASSERT_TRUE(level.Load("Hard later", false, true));
    EXPECT_EQ(3, level.GetDifficulty());
    EXPECT_EQ(2500, level.GetTotalScore());
}

TEST(LevelSaves, BuilderNeverAutoSaves)
{
    LevelTestFolder folder;
    CGameLevel level(nullptr);
    level.SetDataFolder(folder.GamePath().c_str());
    ASSERT_TRUE(level.LoadFromDocument("MyLevel2", "<GameLevel><CurLevel>2</CurLevel></GameLevel>", true, false));
    ASSERT_TRUE(level.AutoSaveAtLevelStart());
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/savedgames/AutoSave.dat"));
}

TEST(LevelSaves, BuilderReopensTheLevelItWasEditing)
{
    LevelTestFolder folder;
    CGameLevel level(nullptr);
    level.SetDataFolder(folder.GamePath().c_str());
    ASSERT_TRUE(level.OpenLastEdited());
    EXPECT_EQ(0, level.GetNumPlayBlocks()) << "no file yet: a new empty level";
    EXPECT_TRUE(level.IsBuilderMode());

    level.SetLevelName("Half Done");
    level.SetNumPlayBlocks(1);
    level.GetPlayBlock(0).Init(nullptr, 44, false);
    level.SetTotalScore(700);
    level.SetDifficulty(2);
    ASSERT_TRUE(level.SaveLastEdited());
    EXPECT_EQ(0, level.GetTotalScore());
    EXPECT_EQ(0, level.GetDifficulty());
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "/levels/_LAST3D1T_L3V3L.dat"));

    CGameLevel next(nullptr);
    next.SetDataFolder(folder.GamePath().c_str());
    ASSERT_TRUE(next.OpenLastEdited());
    EXPECT_EQ("Half Done", std::string(next.GetLevelName().GetBuffer()));
    ASSERT_EQ(1, next.GetNumPlayBlocks());
    EXPECT_EQ(44, next.GetPlayBlock(0).GetType());
    EXPECT_EQ(3u, next.GetCurLevel()) << "the first digits of _LAST3D1T_L3V3L";
}
