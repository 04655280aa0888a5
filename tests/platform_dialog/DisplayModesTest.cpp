// The display-mode list: the system's, its depths as Windows counts them, and the stand-in list.
#include "platform/window/Display.h"

#include <gtest/gtest.h>

TEST(DisplayModes, GivenListStandsInForTheSystemsWhileItLives)
{
    std::vector<plk::DisplayMode> system;
    ASSERT_EQ(0, plk::ListDisplayModes(system));
    ASSERT_FALSE(system.empty()) << "an X server offers at least its own mode";
    for (const plk::DisplayMode& mode : system)
    {
        // SDL counts 24 colour bits in a 32-bit pixel, Windows the 32.
        if (mode.format == plk::PixelFormat::kX8R8G8B8 || mode.format == plk::PixelFormat::kA8R8G8B8)
        {
            EXPECT_EQ(32, mode.bitsPerPixel);
        }
        if (mode.format == plk::PixelFormat::kR5G6B5 || mode.format == plk::PixelFormat::kX1R5G5B5)
        {
            EXPECT_EQ(16, mode.bitsPerPixel);
        }
        EXPECT_GT(mode.bitsPerPixel, 0);
    }
    {
        plk::DisplayModeOverride screen({{3840, 2160, 30, plk::PixelFormat::kX8R8G8B8, 32}});
        std::vector<plk::DisplayMode> given;
        ASSERT_EQ(0, plk::ListDisplayModes(given));
        ASSERT_EQ(1u, given.size());
        EXPECT_EQ(3840, given[0].width);
        EXPECT_EQ(30, given[0].refreshRate);
    }
    std::vector<plk::DisplayMode> again;
    ASSERT_EQ(0, plk::ListDisplayModes(again));
    EXPECT_EQ(system.size(), again.size());
}
