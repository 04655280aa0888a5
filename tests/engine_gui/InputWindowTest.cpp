// XDXInput driven by real SDL events on a window: pushed key and mouse events arrive through the
// window's queue as DirectInput keys, typed characters, cursor positions and button releases.
#include "engine/XDXInput.h"
#include "engine/XGameEngine.h"
#include "platform/window/Events.h"

#include <gtest/gtest.h>

namespace
{

const int kKeyH = 0x23;
const int kKeyI = 0x17;

// What the engine's loop does with the window's queue before it reads the input.
void Pump(XDXInput& input)
{
    plk::Event event;
    while (plk::PollEvent(event))
        input.HandleEvent(event);
    input.Read();
}

} // namespace

TEST(InputWindow, PushedEventsBecomeOneFramesKeysCharactersAndClicks)
{
    XGameEngine engine;
    ASSERT_TRUE(engine.Setup(true, true, 320, 240, 32, -1, nullptr, nullptr)) << engine.GetErrorMsg().GetBuffer();
    XDXInput& input = engine.m_input;
    Pump(input);

    ASSERT_EQ(0, plk::PushKeyEvent(plk::kKeyLeftShift, true));
    ASSERT_EQ(0, plk::PushKeyEvent(kKeyH, true));
    ASSERT_EQ(0, plk::PushKeyEvent(kKeyH, false));
    ASSERT_EQ(0, plk::PushKeyEvent(plk::kKeyLeftShift, false));
    ASSERT_EQ(0, plk::PushKeyEvent(kKeyI, true));
    ASSERT_EQ(0, plk::PushMouseMove(200, 120));
    ASSERT_EQ(0, plk::PushMouseButton(plk::kMouseLeft, true));
    Pump(input);
    ASSERT_EQ(5, input.GetTypedCount());
    bool down = false;
    EXPECT_EQ('H', input.GetTyped(1, down));
    EXPECT_TRUE(down);
    EXPECT_EQ('H', input.GetTyped(2, down));
    EXPECT_FALSE(down);
    EXPECT_EQ('i', input.GetTyped(4, down));
    EXPECT_TRUE(input.KeyDown(kKeyI));
    EXPECT_FALSE(input.KeyDown(kKeyH));
    EXPECT_EQ(200, input.GetMouseX());
    EXPECT_EQ(120, input.GetMouseY());
    EXPECT_TRUE(input.MouseButtonDown(0));

    ASSERT_EQ(0, plk::PushKeyEvent(kKeyI, false));
    ASSERT_EQ(0, plk::PushMouseButton(plk::kMouseLeft, false));
    Pump(input);
    EXPECT_TRUE(input.KeyReleased(kKeyI));
    EXPECT_EQ('i', input.GetReleasedChar());
    // A 320 x 240 window shows the 1024 x 768 design at 0.3125 x 0.3125.
    EXPECT_TRUE(input.MouseClickedInRect(0, 600.0f, 350.0f, 660.0f, 400.0f, 0.3125f, 0.3125f));
    EXPECT_FALSE(input.MouseClickedInRect(0, 0.0f, 0.0f, 600.0f, 350.0f, 0.3125f, 0.3125f));
}
