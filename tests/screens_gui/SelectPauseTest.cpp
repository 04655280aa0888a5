// The select pause in the real main loop: the half second that lets a click's sound be heard is
// no play time, so neither the next frame delta nor the engine clock counts it.
#include "engine/XDXSound.h"
#include "engine/XEngineOptions.h"
#include "engine/XGameEngine.h"
#include "engine/XGameScreen.h"
#include "screens/CScreenFlow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace
{

struct Tick
{
    unsigned delta;
    unsigned time;
};

// Takes the select pause at its second update and notes the clock at every update.
class ClickingScreen : public XGameScreen
{
public:
    explicit ClickingScreen(std::vector<Tick>& ticks) : m_ticks(ticks) {}
    void MyInit() override {}
    void MyDraw() override {}
    void MyUpdate() override
    {
        m_ticks.push_back({m_pEngine->GetFrameDelta(), m_pEngine->GetTime()});
        if (m_ticks.size() == 2)
            ScreenFlow::SelectPause(m_sndSelect);
    }
    void MyFree() override {}

private:
    std::vector<Tick>& m_ticks;
    XDXSound m_sndSelect;
};

const unsigned kFrames = 6;

// Runs the main loop for kFrames frames with the clicking screen; returns the real time taken.
std::chrono::milliseconds RunClicks(unsigned fixedStepMs, std::vector<Tick>& ticks)
{
    XGameEngine engine;
    EXPECT_TRUE(engine.Setup(true, true, 160, 120, 32, -1, nullptr, nullptr)) << engine.GetErrorMsg().GetBuffer();
    XEngineOptions options;
    options.fixedStepMs = fixedStepMs;
    options.maxFrames = kFrames;
    EXPECT_TRUE(engine.SetOptions(options)) << engine.GetErrorMsg().GetBuffer();
    engine.SetFrameRate(1000.0f, false);
    engine.AddScreen(false, false, true, new ClickingScreen(ticks), nullptr);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(engine.Run()) << engine.GetErrorMsg().GetBuffer();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

} // namespace

TEST(SelectPause, ThePauseIsNeitherInTheNextFrameDeltaNorInTheEngineClock)
{
    std::vector<Tick> ticks;
    const std::chrono::milliseconds real = RunClicks(0, ticks);
    ASSERT_EQ(kFrames - 1, ticks.size()) << "the first frame only starts the screen";
    EXPECT_GE(real.count(), static_cast<long>(ScreenFlow::kSelectPauseMs)) << "the pause really was taken";
    // Frames of an empty 160 x 120 window take a few ms; a loaded machine may stretch one, never
    // to half a second.
    const unsigned kLongestFrameMs = 250;
    for (size_t i = 1; i < ticks.size(); ++i)
        EXPECT_LT(ticks[i].delta, kLongestFrameMs) << "frame delta seen by update " << i;
    const unsigned clockAdvance = ticks.back().time - ticks.front().time;
    EXPECT_LT(clockAdvance + ScreenFlow::kSelectPauseMs / 2, static_cast<unsigned>(real.count()))
        << "engine clock advanced " << clockAdvance << " ms in " << real.count() << " ms of real time";
}

TEST(SelectPause, FixedStepsStayExactAcrossThePause)
{
    const unsigned kStepMs = 25;
    std::vector<Tick> ticks;
    RunClicks(kStepMs, ticks);
    ASSERT_EQ(kFrames - 1, ticks.size());
    for (size_t i = 0; i < ticks.size(); ++i)
    {
        EXPECT_EQ(kStepMs, ticks[i].delta) << "update " << i;
        EXPECT_EQ(kStepMs * (i + 1), ticks[i].time) << "update " << i;
    }
}
