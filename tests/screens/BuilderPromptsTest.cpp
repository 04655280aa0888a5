// The level builder's prompts as they open on a level: the time prompt shows the level's own
// limit whatever difficulty a test play left, the save prompt offers the level's own name but
// never the last edited level's, and a failed save says what happened to the level and the file.
#include "game/CGameLevel.h"
#include "screens/CGameMenu.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string PromptText(CGameLevel& level, MenuMode mode)
{
    CGameMenu menu(&level, 0, mode, XString(), nullptr);
    return menu.GetEntry().GetText().GetBuffer();
}

} // namespace

TEST(BuilderPrompts, TimePromptShowsTheLimitUnscaledAndLeavesTheLevelAlone)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    level.SetTimeLeft(150000.0f);
    level.SetDifficulty(3);
    EXPECT_EQ("150", PromptText(level, MenuMode::EditTime));
    EXPECT_FLOAT_EQ(150000.0f, level.GetTimeLeft()) << "opening the prompt scales nothing";
    EXPECT_FALSE(level.IsTimeAdjusted());

    // Values a damaged file may carry stay within the four digits the prompt holds.
    level.SetTimeLeft(5.0e12f);
    EXPECT_EQ("9999", PromptText(level, MenuMode::EditTime));
    level.SetTimeLeft(-30000.0f);
    EXPECT_EQ("0", PromptText(level, MenuMode::EditTime));
    level.SetTimeLeft(59999.0f);
    EXPECT_EQ("59", PromptText(level, MenuMode::EditTime));
}

TEST(BuilderPrompts, SavePromptOffersTheLevelsOwnNameOnly)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    level.SetLevelFileName("Canyon7.dat");
    EXPECT_EQ("Canyon7", PromptText(level, MenuMode::SaveLevel));
    level.SetLevelFileName("Canyon7");
    EXPECT_EQ("Canyon7", PromptText(level, MenuMode::SaveLevel));
    // Back from a test play the level carries the last edited level's name: the player names it.
    level.SetLevelFileName(CGameLevel::kLastEditedName);
    EXPECT_EQ("", PromptText(level, MenuMode::SaveLevel));
    level.SetLevelFileName("_last3d1t_l3v3l.DAT");
    EXPECT_EQ("", PromptText(level, MenuMode::SaveLevel));
}

TEST(BuilderPrompts, EditPromptsStartWithTheLevelsTexts)
{
    CGameLevel level(nullptr);
    level.SetBuilderMode(true);
    level.SetLevelName("Ice Cave");
    level.SetObjective("Clear the blues\r\nthen the reds");
    EXPECT_EQ("Ice Cave", PromptText(level, MenuMode::EditLevelName));
    EXPECT_EQ("Clear the blues\r\nthen the reds", PromptText(level, MenuMode::EditObjective));
    CGameMenu menu(&level, 0, MenuMode::EditObjective, XString(), nullptr);
    EXPECT_EQ(menu.GetEntry().GetText().GetLength(), menu.GetEntry().GetCursor()) << "the cursor starts at the end";
}

TEST(BuilderPrompts, FailedSaveSaysTheLevelIsKeptAndGivesTheReason)
{
    const std::string level =
        CGameMenu::SaveFailedText(XString("Mine.dat"), false, XString("disk full")).GetBuffer();
    EXPECT_NE(std::string::npos, level.find("level could not be saved as Mine.dat"));
    EXPECT_NE(std::string::npos, level.find("still here"));
    EXPECT_NE(std::string::npos, level.find("disk full"));
    const std::string game = CGameMenu::SaveFailedText(XString("Eve.dat"), true, XString("read-only")).GetBuffer();
    EXPECT_NE(std::string::npos, game.find("game could not be saved as Eve.dat"));
    EXPECT_NE(std::string::npos, game.find("read-only"));
}
