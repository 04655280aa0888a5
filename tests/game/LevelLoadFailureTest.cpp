// Loads that fail: a missing, cut, damaged or never enciphered file, a level or a saved game.
// Nothing of the level before may stay behind to be played, scored or saved again.
#include "foundation/XString.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "tests/game/LevelTestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace
{

const int kRed = 8;
const int kTotalBefore = 3000;
const int kDifficultyBefore = 2;

std::string Str(const XString& text)
{
    return std::string(text.GetBuffer(), text.GetLength());
}

class LevelLoadFailure : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_folder.Path() + "/levels");
        std::filesystem::create_directories(m_folder.Path() + "/savedgames");
        m_level.SetDataFolder(m_folder.GamePath().c_str());
    }

    std::string LevelFile(const std::string& name) const { return m_folder.Path() + "/levels/" + name + ".dat"; }

    // Writes a level with scenery settings, colours to clear and two red cubes.
    void WriteLevel(const char* name)
    {
        CGameLevel author(nullptr);
        author.SetDataFolder(m_folder.GamePath().c_str());
        author.AddBlock(kRed, 2, 0, 3);
        author.AddBlock(kRed, 5, 0, 3);
        author.SetLevelName("Before");
        author.SetObjective("Clear the reds");
        author.SetLevelMusic("Music3.wav");
        for (int colour = 0; colour < CGameLevel::kColourCount; ++colour)
            author.SetRemoveToWin(colour, colour == kRed);
        author.SetBackground(10, 20, 30);
        author.SetFogEnabled(true);
        author.SetFogAmount(120);
        author.SetRainEnabled(true);
        ASSERT_TRUE(author.Save(XString(name), false)) << author.GetErrorMsg().GetBuffer();
    }

    // The level as a player leaves it halfway through level 4 of a running game.
    void PlayHalfway()
    {
        WriteLevel("MyLevel4");
        m_level.SetDifficulty(kDifficultyBefore);
        m_level.SetTotalScore(kTotalBefore);
        ASSERT_TRUE(m_level.Load(XString("MyLevel4"), false, false)) << m_level.GetErrorMsg().GetBuffer();
        m_level.SetBlockScore(450);
        m_level.SetNumBlocksRemoved(3);
        m_level.SetExBlocksAdded(1);
        m_level.SetTimeLeft(12000.0f);
        m_level.SetBlocksLeft(2);
        m_level.SetSelected(&m_level.GetPlayBlock(1));
        m_level.RefillSpares();
        ASSERT_NE(CPlayBlock::kTypeNone, m_level.GetSpare(0).GetType());
    }

    // Every value of the level is back at its default; the running game's total and difficulty
    // are all that remains.
    void ExpectNothingOfTheLevelLeft()
    {
        EXPECT_FALSE(m_level.IsLoaded());
        EXPECT_EQ(0, m_level.GetNumPlayBlocks());
        EXPECT_EQ(0, m_level.GetNumWalls());
        EXPECT_EQ(0, m_level.GetBlockScore());
        EXPECT_EQ(0, m_level.GetNumBlocksRemoved());
        EXPECT_EQ(0, m_level.GetExBlocksAdded());
        EXPECT_EQ(0u, m_level.GetBlocksLeft());
        EXPECT_EQ(0u, m_level.GetCurLevel());
        EXPECT_FLOAT_EQ(CGameLevel::kDefaultTimeLeftMs, m_level.GetTimeLeft());
        for (int colour = 0; colour < CGameLevel::kColourCount; ++colour)
            EXPECT_TRUE(m_level.GetRemoveToWin(colour)) << "colour " << colour;
        EXPECT_EQ("", Str(m_level.GetLevelName()));
        EXPECT_EQ("", Str(m_level.GetLevelFileName()));
        EXPECT_EQ("", Str(m_level.GetObjective()));
        EXPECT_EQ(CGameLevel::kDefaultMusic, Str(m_level.GetLevelMusic()));
        EXPECT_EQ(0xFF3778FFu, m_level.GetBackgroundColour());
        EXPECT_FALSE(m_level.IsFogEnabled());
        EXPECT_EQ(0, m_level.GetFogAmount());
        EXPECT_FALSE(m_level.IsRainEnabled());
        EXPECT_EQ(nullptr, m_level.GetSelected());
        EXPECT_EQ(nullptr, m_level.GetPreviousSelected());
        for (int i = 0; i < CGameLevel::kSpareCount; ++i)
            EXPECT_EQ(CPlayBlock::kTypeNone, m_level.GetSpare(i).GetType()) << "spare " << i;
        EXPECT_EQ(kTotalBefore, m_level.GetTotalScore());
        EXPECT_EQ(kDifficultyBefore, m_level.GetDifficulty());
    }

    LevelTestFolder m_folder;
    CGameLevel m_level{nullptr};
};

TEST_F(LevelLoadFailure, MissingCutDamagedAndPlainFilesLeaveNoLevelBehind)
{
    struct Damage
    {
        const char* what;
        std::function<void(const std::string&)> apply;
    };
    const Damage damages[] = {
        {"missing", [](const std::string& path) { std::filesystem::remove(path); }},
        {"cut to 300 bytes", [](const std::string& path) { std::filesystem::resize_file(path, 300); }},
        {"cut by its last byte",
         [](const std::string& path) { std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1); }},
        // The first bytes are the key of all the others.
        {"first byte changed",
         [](const std::string& path) {
             std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
             const char byte = static_cast<char>(file.get());
             file.seekp(0);
             file.put(static_cast<char>(~byte));
         }},
        {"empty", [](const std::string& path) { std::ofstream(path, std::ios::binary | std::ios::trunc); }},
        {"never enciphered",
         [](const std::string& path) {
             std::ofstream(path, std::ios::binary | std::ios::trunc) << "<GameLevel><CurLevel>5</CurLevel></GameLevel>";
         }},
    };
    for (const Damage& damage : damages)
    {
        SCOPED_TRACE(damage.what);
        PlayHalfway();
        WriteLevel("MyLevel5");
        damage.apply(LevelFile("MyLevel5"));
        EXPECT_FALSE(m_level.Load(XString("MyLevel5"), false, false));
        EXPECT_NE(std::string::npos, Str(m_level.GetErrorMsg()).find("MyLevel5.dat")) << Str(m_level.GetErrorMsg());
        ExpectNothingOfTheLevelLeft();
    }
}

TEST_F(LevelLoadFailure, DamagedSavedGameFailsLikeADamagedLevel)
{
    PlayHalfway();
    ASSERT_TRUE(m_level.Save(XString("Evening"), true));
    const std::string path = m_folder.Path() + "/savedgames/Evening.dat";
    std::filesystem::resize_file(path, 300);

    EXPECT_FALSE(m_level.Load(XString("Evening"), false, true));
    EXPECT_NE(std::string::npos, Str(m_level.GetErrorMsg()).find("Evening.dat")) << Str(m_level.GetErrorMsg());
    ExpectNothingOfTheLevelLeft();
    EXPECT_EQ(300u, std::filesystem::file_size(path)) << "reading never writes";
}

TEST_F(LevelLoadFailure, FinishedLevelIsBankedOnceWhenTheNextOneFails)
{
    PlayHalfway();
    m_level.SetBlocksLeft(0);
    m_level.SetTimeAdjusted(true);
    m_level.SetAddLevelToTotal(true);
    // 3000 banked + 450 - 200 for the spare + 12 s x 10 at medium difficulty.
    const int banked = m_level.GameTotal(true);
    ASSERT_EQ(3370, banked);

    std::ofstream(LevelFile("MyLevel5"), std::ios::binary) << "not a level";
    EXPECT_FALSE(m_level.Load(XString("MyLevel5"), false, false));
    EXPECT_EQ(banked, m_level.GetTotalScore());
    EXPECT_FALSE(m_level.GetAddLevelToTotal());
    // Trying the same level again, as a series whose next level is damaged would, banks nothing.
    EXPECT_FALSE(m_level.Load(XString("MyLevel5"), false, false));
    EXPECT_EQ(banked, m_level.GetTotalScore());
}

TEST_F(LevelLoadFailure, OnlyASuccessfulLoadCountsAsLoaded)
{
    EXPECT_FALSE(m_level.IsLoaded()) << "nothing loaded yet";
    WriteLevel("MyLevel6");
    EXPECT_TRUE(m_level.Load(XString("MyLevel6"), false, false));
    EXPECT_TRUE(m_level.IsLoaded());
    EXPECT_FALSE(m_level.Load(XString("Missing"), false, false));
    EXPECT_FALSE(m_level.IsLoaded());
    EXPECT_TRUE(m_level.Load(XString(CGameLevel::kNewBuilderLevel), true, false));
    EXPECT_TRUE(m_level.IsLoaded()) << "the builder's new empty level needs no file";
}

} // namespace
