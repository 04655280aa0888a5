// A level or saved game that does not load, played through the real screens without a window:
// the card that says so, the way back to the title, the log line, and the saved games untouched.
#include "engine/XGameEngine.h"
#include "engine/XScreenTransition.h"
#include "foundation/CLogFile.h"
#include "game/CGameLevel.h"
#include "platform/window/KeyCodes.h"
#include "screens/CGameMenu.h"
#include "screens/CScreenFlow.h"
#include "tests/screens/ScreensTestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace
{

const unsigned kFrameMs = 20;
// Long enough for the fade into play, or back to the title, and the screens queued behind it.
const int kFadeFrames = 60;
// The size the damaged files are cut to, as a file cut short by a full disk or a copy.
const std::uintmax_t kCutSize = 300;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class LoadFailure : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previousLogFolder = CLogFile::GetDataFolder();
        CLogFile::SetDataFolder(m_folder.DataFolder());
        m_level.SetDataFolder(m_folder.DataFolder());
    }
    void TearDown() override { CLogFile::SetDataFolder(m_previousLogFolder); }

    // Writes a playable level of that name with a few cubes and a minute to play.
    void WriteLevel(const char* name)
    {
        CGameLevel author(nullptr);
        author.SetDataFolder(m_folder.DataFolder());
        for (int x = 0; x < 8; ++x)
            author.AddBlock(x, x, 0, 3);
        ASSERT_TRUE(author.Save(XString(name), false)) << author.GetErrorMsg().GetBuffer();
    }

    // Frames as the engine's loop runs them: the fade moves on, input is read, the stack steps.
    void Run(int frames)
    {
        for (int i = 0; i < frames; ++i)
        {
            if (XScreenTransition* fade = m_engine.GetTransition())
                fade->Advance(kFrameMs);
            m_engine.m_input.Read();
            bool quit = false;
            m_engine.Update(quit);
        }
    }

    void PressKey(int key)
    {
        plk::Event event;
        event.type = plk::EventType::kKeyDown;
        event.key = key;
        m_engine.m_input.HandleEvent(event);
        Run(1);
        event.type = plk::EventType::kKeyUp;
        m_engine.m_input.HandleEvent(event);
        Run(1);
    }

    // Only the title ends the game on Esc: the way to tell it from every other screen.
    bool TitleIsUp()
    {
        PressKey(plk::kKeyEscape);
        return m_engine.IsStopping();
    }

    std::string Log() const { return ReadAll(m_folder.DataFile("Logs/PlinkettLog.txt")); }
    bool SavedGamesEmpty() const { return std::filesystem::is_empty(m_folder.DataFile("savedgames")); }

    ScreensTestFolder m_folder;
    XGameEngine m_engine;
    CGameLevel m_level{&m_engine};
    XString m_previousLogFolder;
};

TEST_F(LoadFailure, DamagedLevelShowsTheCardAndAKeyLeadsToTheTitle)
{
    WriteLevel("MyLevel2");
    std::filesystem::resize_file(m_folder.LevelFile("MyLevel2"), kCutSize);
    m_level.SetDifficulty(2);

    ScreenFlow::StartPlay(&m_engine, &m_level, XString("MyLevel2"), false);
    Run(kFadeFrames);
    EXPECT_FALSE(m_level.IsLoaded());
    // The play view, its status bar, the level's cards and the failure card over them; the card
    // waits for the player as long as it takes.
    EXPECT_EQ(4u, m_engine.GetActiveCount());
    Run(kFadeFrames);
    EXPECT_EQ(4u, m_engine.GetActiveCount()) << "no end of the level behind the card";

    const std::string log = Log();
    EXPECT_NE(std::string::npos, log.find("Error: in CPlayScreen::MyInit, m_pLevel->Load failed. Msg=Error: in "
                                          "CGameLevel::Load, the file holds no whole level; it may be damaged."))
        << log;
    EXPECT_NE(std::string::npos, log.find("MyLevel2.dat")) << log;
    EXPECT_TRUE(SavedGamesEmpty()) << "a level 2 that did not load must not be auto-saved";

    PressKey(plk::kKeySpace);
    Run(kFadeFrames);
    EXPECT_EQ(1u, m_engine.GetActiveCount());
    EXPECT_TRUE(TitleIsUp());
    EXPECT_TRUE(SavedGamesEmpty());
}

TEST_F(LoadFailure, MissingLevelIsTreatedAsDamaged)
{
    ScreenFlow::StartPlay(&m_engine, &m_level, XString("MyLevel7"), false);
    Run(kFadeFrames);
    EXPECT_FALSE(m_level.IsLoaded());
    EXPECT_NE(std::string::npos, Log().find("CPlayScreen::MyInit, m_pLevel->Load failed")) << Log();
    PressKey(plk::kKeyReturn);
    Run(kFadeFrames);
    EXPECT_TRUE(TitleIsUp());
}

TEST_F(LoadFailure, DamagedSavedGameIsNoInstantGameOverAndStaysAsItWas)
{
    WriteLevel("MyLevel3");
    ASSERT_TRUE(m_level.Load(XString("MyLevel3"), false, false));
    m_level.SetDifficulty(3);
    ASSERT_TRUE(m_level.Save(XString("Evening"), true));
    const std::string savedGame = m_folder.SavedGameFile("Evening");
    std::filesystem::resize_file(savedGame, kCutSize);
    const std::string damaged = ReadAll(savedGame);

    // Loaded from the title's list as the menu does it.
    ScreenFlow::StartPlay(&m_engine, &m_level, XString("Evening"), true);
    Run(kFadeFrames);
    EXPECT_FALSE(m_level.IsLoaded());
    EXPECT_NE(std::string::npos, Log().find("Evening.dat")) << Log();
    Run(kFadeFrames);
    EXPECT_EQ(4u, m_engine.GetActiveCount()) << "the card stays up: no game over behind it";

    PressKey(plk::kKeySpace);
    Run(kFadeFrames);
    EXPECT_TRUE(TitleIsUp());
    EXPECT_EQ(damaged, ReadAll(savedGame)) << "the damaged file is left for the player as it was";
    EXPECT_FALSE(std::filesystem::exists(m_folder.SavedGameFile("AutoSave")));
}

TEST(LoadFailureCard, NamesTheFileAsTheGameLookedForIt)
{
    EXPECT_EQ(std::string("This level could not be loaded: StdLevel1.dat. It may be damaged."),
              CGameMenu::LoadFailedText(CGameLevel::FileName(XString("StdLevel1"))).GetBuffer());
    EXPECT_EQ(std::string("This level could not be loaded: Evening.DAT. It may be damaged."),
              CGameMenu::LoadFailedText(CGameLevel::FileName(XString("Evening.DAT"))).GetBuffer());
}

} // namespace
