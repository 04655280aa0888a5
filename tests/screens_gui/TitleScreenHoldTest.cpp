// The title while the start-up loader still runs: a level chosen there waits until the shared
// cubes, walls and scenery are loaded, and the title goes on meanwhile.
#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "platform/window/Events.h"
#include "screens/CTitleScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>

namespace
{

namespace fs = std::filesystem;

plk::Event Move(int x, int y)
{
    plk::Event e;
    e.type = plk::EventType::kMouseMove;
    e.x = x;
    e.y = y;
    return e;
}

plk::Event Button(bool down)
{
    plk::Event e;
    e.type = down ? plk::EventType::kMouseButtonDown : plk::EventType::kMouseButtonUp;
    e.button = 0;
    return e;
}

class TitleScreenHold : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // An empty data folder: no level sets, so New Game goes straight to the first standard level.
        folder = fs::temp_directory_path() / "plk-title-hold";
        fs::remove_all(folder);
        fs::create_directories(folder);
        const std::string data = folder.string() + "/";
        ASSERT_TRUE(engine.Setup(true, true, 1024, 768, 32, -1, nullptr, nullptr))
            << engine.GetErrorMsg().GetBuffer();
        engine.SetPath(data.c_str());
        level = std::make_unique<CGameLevel>(&engine);
        level->SetDataFolder(data.c_str());
        engine.AddScreen(false, false, true, new CTitleScreen(level.get()), nullptr);
        Step({});
    }

    void TearDown() override
    {
        // The screens hold the level: they go first, as at the end of the game.
        engine.Free();
        level.reset();
        fs::remove_all(folder);
    }

    // One frame's input, then the screen stack's update.
    void Step(std::initializer_list<plk::Event> events)
    {
        for (const plk::Event& event : events)
            engine.m_input.HandleEvent(event);
        engine.m_input.Read();
        bool quit = false;
        engine.Update(quit);
    }

    void Click(int x, int y)
    {
        Step({Move(x, y), Button(true)});
        Step({Button(false)});
    }

    // A point of the button's hit area in design units, which this window's pixels are.
    static bool PointOf(int button, int& x, int& y)
    {
        for (y = 0; y < 768; y += 4)
            for (x = 0; x < 1024; x += 4)
                if (CTitleScreen::ButtonAt(static_cast<float>(x), static_cast<float>(y)) == button)
                    return true;
        return false;
    }

    fs::path folder;
    XGameEngine engine;
    std::unique_ptr<CGameLevel> level;
};

} // namespace

TEST_F(TitleScreenHold, NewGameBeforeTheLoaderIsDoneStartsTheLevelOnlyOnceItIs)
{
    level->SetSharedLoaded(false);
    int x = 0, y = 0;
    ASSERT_TRUE(PointOf(CTitleScreen::kNewGame, x, y));
    Click(x, y);
    EXPECT_EQ(0u, engine.GetPendingCount()) << "no level is queued while the loader runs";
    EXPECT_EQ(nullptr, engine.GetTransition());
    Step({});
    Step({Move(0, 0)});
    EXPECT_EQ(0u, engine.GetPendingCount()) << "the click is held, not lost or repeated";
    EXPECT_EQ(1u, engine.GetActiveCount()) << "the title stays";

    level->SetSharedLoaded(true);
    Step({});
    EXPECT_EQ(3u, engine.GetPendingCount()) << "the play screen, its status bar and the level card";
    EXPECT_NE(nullptr, engine.GetTransition());
}

TEST_F(TitleScreenHold, OnceLoadedTheChosenLevelStartsAtTheClick)
{
    level->SetSharedLoaded(true);
    int x = 0, y = 0;
    ASSERT_TRUE(PointOf(CTitleScreen::kTutorial, x, y));
    Click(x, y);
    EXPECT_EQ(3u, engine.GetPendingCount());
}
