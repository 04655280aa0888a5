// The screen stack without a window: queuing, the transition gate, exclusive screens, replacement,
// freeing closed screens and the end of the game.
#include "engine/XGameEngine.h"
#include "engine/XGameScreen.h"
#include "engine/XScreenTransition.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

// Every call of every test screen, in order, as "name:Slot".
std::vector<std::string> g_calls;

class CountingScreen : public XGameScreen
{
public:
    explicit CountingScreen(std::string name) : m_name(std::move(name)) {}
    ~CountingScreen() override { g_calls.push_back(m_name + ":Delete"); }
    void MyInit() override
    {
        g_calls.push_back(m_name + ":Init");
        engineAtInit = m_pEngine;
    }
    void MyDraw() override { g_calls.push_back(m_name + ":Draw"); }
    void MyUpdate() override
    {
        g_calls.push_back(m_name + ":Update");
        if (onUpdate)
            onUpdate(*this, *m_pEngine);
    }
    void MyFree() override { g_calls.push_back(m_name + ":Free"); }

    std::function<void(CountingScreen&, XGameEngine&)> onUpdate;
    XGameEngine* engineAtInit = nullptr;

private:
    std::string m_name;
};

class ScreenStack : public ::testing::Test
{
protected:
    void SetUp() override { g_calls.clear(); }

    // Runs one update and returns the calls it made.
    std::vector<std::string> Step(bool* quitOut = nullptr)
    {
        g_calls.clear();
        bool quit = false;
        engine.Update(quit);
        if (quitOut)
            *quitOut = quit;
        return g_calls;
    }

    CountingScreen* Queue(const char* name, bool keepOthers, bool exclusive, XScreenTransition* transition = nullptr)
    {
        auto* screen = new CountingScreen(name);
        engine.AddScreen(keepOthers, false, exclusive, screen, transition);
        return screen;
    }

    XGameEngine engine;
};

using Calls = std::vector<std::string>;

} // namespace

TEST_F(ScreenStack, QueuedScreensWaitForTheTransitionMidpoint)
{
    CountingScreen* title = Queue("title", false, true, new XScreenTransition(700.0f));
    XScreenTransition* transition = engine.GetTransition();
    EXPECT_EQ(Calls{}, Step()); // first half: nothing activated, nothing updated
    transition->Advance(200);
    EXPECT_EQ(Calls{}, Step());
    EXPECT_EQ(1u, engine.GetPendingCount());

    transition->Advance(150);
    EXPECT_EQ(Calls{"title:Init"}, Step());
    EXPECT_EQ(&engine, title->engineAtInit);
    EXPECT_EQ(1u, engine.GetActiveCount());
    // The swap started the second half: the first frame after it is black again.
    ASSERT_TRUE(transition->Advance(500));
    EXPECT_FLOAT_EQ(255.0f, transition->GetAlpha());

    EXPECT_EQ(Calls{}, Step()); // still fading in: screens stay frozen
    transition->Advance(350);
    EXPECT_EQ(Calls{}, Step()); // finished: removed, and this frame skips the update pass
    EXPECT_EQ(nullptr, engine.GetTransition());
    EXPECT_EQ(Calls{"title:Update"}, Step());
}

TEST_F(ScreenStack, ScreensWithoutTransitionActivateInQueuingOrder)
{
    Queue("play", false, true);
    Queue("status", true, false);
    EXPECT_EQ((Calls{"play:Init", "status:Init"}), Step());
    // The side screen lies above the play view and is not exclusive: both update, top first.
    EXPECT_EQ((Calls{"status:Update", "play:Update"}), Step());
}

TEST_F(ScreenStack, ExclusiveScreenStopsTheUpdatePassEvenWhenClosed)
{
    Queue("play", false, true);
    Queue("status", true, false);
    Step();
    CountingScreen* menu = Queue("menu", true, true);
    EXPECT_EQ((Calls{"status:Update", "play:Update", "menu:Init"}), Step());
    menu->onUpdate = [](CountingScreen& self, XGameEngine&) { self.Close(); };
    // The menu closes itself: it is freed in the same update, and nothing below was updated.
    EXPECT_EQ((Calls{"menu:Update", "menu:Free", "menu:Delete"}), Step());
    EXPECT_EQ((Calls{"status:Update", "play:Update"}), Step());

    CountingScreen* card = Queue("card", true, true);
    Step();
    card->Close(); // closed from outside: still the top of the stack for this pass
    EXPECT_EQ((Calls{"card:Free", "card:Delete"}), Step());
}

TEST_F(ScreenStack, FullChangeReplacesAllActiveScreensAndResetsInput)
{
    CountingScreen* play = Queue("play", false, true);
    Queue("status", true, false);
    Step();
    plk::Event press;
    press.type = plk::EventType::kKeyDown;
    press.key = plk::kKeyReturn;
    engine.m_input.HandleEvent(press);
    engine.m_input.Read();
    ASSERT_TRUE(engine.m_input.KeyDown(plk::kKeyReturn));

    play->onUpdate = [](CountingScreen&, XGameEngine& e) {
        e.AddScreen(false, false, true, new CountingScreen("over"), nullptr);
    };
    // The queuing screen runs on; old screens are freed bottom first, then the new one starts.
    EXPECT_EQ((Calls{"status:Update", "play:Update", "play:Free", "play:Delete", "status:Free", "status:Delete",
                     "over:Init"}),
              Step());
    EXPECT_FALSE(engine.m_input.KeyDown(plk::kKeyReturn));
    EXPECT_EQ(1u, engine.GetActiveCount());
}

TEST_F(ScreenStack, ReplacementDuringTheFirstHalfWaitsForTheSecondTransition)
{
    Queue("play", false, true);
    Step();
    Queue("over", false, true, new XScreenTransition(700.0f));
    Step();
    engine.GetTransition()->Advance(100);
    Queue("title", false, true, new XScreenTransition(700.0f)); // destroys the first transition
    XScreenTransition* second = engine.GetTransition();
    second->Advance(300);
    EXPECT_EQ(Calls{}, Step());
    second->Advance(50);
    EXPECT_EQ((Calls{"play:Update", "play:Free", "play:Delete", "over:Init", "title:Init"}), Step());
}

TEST_F(ScreenStack, TransitionQueuedAtTheMidpointHoldsItsScreensBack)
{
    CountingScreen* play = Queue("play", false, true, new XScreenTransition(700.0f));
    engine.GetTransition()->Advance(350);
    Step();
    play->onUpdate = [](CountingScreen& self, XGameEngine& e) {
        self.onUpdate = nullptr;
        e.AddScreen(false, false, true, new CountingScreen("next"), new XScreenTransition(700.0f));
    };
    XScreenTransition* first = engine.GetTransition();
    first->Advance(0);
    first->Advance(350);
    Step(); // first transition finished: removed, no update pass
    EXPECT_EQ(Calls{"play:Update"}, Step());
    // The new transition has only begun: "next" is not activated and play is not freed yet.
    EXPECT_EQ(1u, engine.GetPendingCount());
    EXPECT_EQ(1u, engine.GetActiveCount());
    XScreenTransition* second = engine.GetTransition();
    ASSERT_NE(nullptr, second);
    EXPECT_FALSE(second->IsHalfway());
}

TEST_F(ScreenStack, RequestQuitFreesEveryScreenAndEndsTheGame)
{
    CountingScreen* title = Queue("title", false, true);
    Step();
    title->onUpdate = [](CountingScreen&, XGameEngine& e) { e.RequestQuit(); };
    bool quit = false;
    EXPECT_EQ((Calls{"title:Update", "title:Free", "title:Delete"}), Step(&quit));
    EXPECT_TRUE(quit);
    EXPECT_EQ(0u, engine.GetActiveCount());
}

TEST_F(ScreenStack, NothingQueuedEndsTheGame)
{
    bool quit = false;
    Step(&quit);
    EXPECT_TRUE(quit);
    EXPECT_TRUE(engine.IsStopping());
}

TEST_F(ScreenStack, ClosingTheLastScreenEndsTheGame)
{
    CountingScreen* only = Queue("only", false, true);
    Step();
    only->onUpdate = [](CountingScreen& self, XGameEngine&) { self.Close(); };
    bool quit = false;
    EXPECT_EQ((Calls{"only:Update", "only:Free", "only:Delete"}), Step(&quit));
    EXPECT_TRUE(quit);
}

TEST_F(ScreenStack, FreeReleasesActiveScreensAndDeletesPendingOnesUninitialised)
{
    Queue("play", false, true);
    Step();
    Queue("late", true, true);
    g_calls.clear();
    engine.Free();
    EXPECT_EQ((Calls{"play:Free", "play:Delete", "late:Delete"}), g_calls);
    EXPECT_EQ(0u, engine.GetActiveCount());
    EXPECT_EQ(0u, engine.GetPendingCount());
}

TEST(ScreenStackOwnership, DestroyingTheEngineDeletesWhatIsStillQueued)
{
    g_calls.clear();
    {
        XGameEngine local;
        local.AddScreen(false, false, true, new CountingScreen("orphan"), new XScreenTransition(700.0f));
        g_calls.clear();
    }
    EXPECT_EQ(Calls{"orphan:Delete"}, g_calls);
}
