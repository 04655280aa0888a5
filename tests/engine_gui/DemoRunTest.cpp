// Scripted runs of the engine demo, checked in the screenshots they leave: the fade, its black
// midpoint, the colour-keyed sprite, the text in its box, and input reaching the screens.
#include "Bitmap.h"

#include "tools/enginedemo/DemoLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace
{

// The overlay's four lines lie in the top-right corner; the checks of whole frames leave it out.
const int kOverlayLeft = demo::kWidth - 100;
const int kOverlayBottom = 64;
// Fixed step of the runs: the 700 ms fade reaches black after 7 frames and clears after 7 more.
const int kStepMs = 50;

bool InOverlay(int x, int y)
{
    return x >= kOverlayLeft && y < kOverlayBottom;
}

bool IsTextColour(const Rgb& c)
{
    return c.r > 200 && c.g > 200 && c.b < 100;
}

class DemoRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("plk-demo-run-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    int Run(const std::string& script, int maxFrames)
    {
        const fs::path scriptFile = folder / "script.txt";
        std::ofstream(scriptFile) << script;
        const std::string command = std::string(PLK_ENGINEDEMO) + " --fixed-step " + std::to_string(kStepMs) +
                                    " --max-frames " + std::to_string(maxFrames) + " --script " +
                                    scriptFile.string() + " --capture-dir " + (folder / "shots").string() + "/";
        return std::system(command.c_str());
    }

    Bitmap Shot(int number)
    {
        Bitmap bitmap;
        EXPECT_TRUE(bitmap.Load((folder / "shots" / (std::to_string(number) + ".bmp")).string())) << number;
        return bitmap;
    }

    fs::path folder;
};

} // namespace

TEST_F(DemoRun, FadeReachesBlackAtTheMidpointAndRevealsTheTestScreen)
{
    ASSERT_EQ(0, Run("# frames of 50 ms\n4 shot\n7 shot\n20 shot\n", 25));

    // Frame 4: 200 of the first 350 ms, alpha 145: the clear colour darkened evenly.
    const Bitmap fading = Shot(0);
    ASSERT_EQ(demo::kWidth, fading.width);
    ASSERT_EQ(demo::kHeight, fading.height);
    const Rgb clear = FromArgb(demo::kClearColor);
    const int alpha = 255 * 200 / 350;
    const Rgb darkened{clear.r * (255 - alpha) / 255, clear.g * (255 - alpha) / 255, clear.b * (255 - alpha) / 255};
    EXPECT_TRUE(Near(darkened, fading.At(10, 700), 3));
    EXPECT_TRUE(Near(darkened, fading.At(600, 300), 3));

    // Frame 7: the midpoint, every pixel black but the statistics overlay.
    const Bitmap midpoint = Shot(1);
    int lit = 0;
    for (int y = 0; y < midpoint.height; ++y)
        for (int x = 0; x < midpoint.width; ++x)
            if (!InOverlay(x, y) && !Near(Rgb{}, midpoint.At(x, y), 0))
                ++lit;
    EXPECT_EQ(0, lit);

    // Frame 20: the fade is over and the test screen shows.
    const Bitmap screen = Shot(2);
    const int spriteSide = static_cast<int>(demo::kSpriteSide * demo::kSpriteScale);
    const int keyStart = demo::kSpriteX + static_cast<int>(demo::kKeyFirst * demo::kSpriteScale);
    const int keyEnd = demo::kSpriteX + static_cast<int>((demo::kKeyLast + 1) * demo::kSpriteScale);
    EXPECT_TRUE(Near(FromArgb(demo::kSpriteBody), screen.At(demo::kSpriteX + 4, demo::kSpriteY + 4), 2));
    EXPECT_TRUE(Near(FromArgb(demo::kSpriteBody),
                     screen.At(demo::kSpriteX + spriteSide - 5, demo::kSpriteY + spriteSide - 5), 2));
    // The key's texels are transparent: the clear colour shows through them.
    EXPECT_TRUE(Near(clear, screen.At((keyStart + keyEnd) / 2, (keyStart + keyEnd) / 2), 2));
    EXPECT_TRUE(Near(clear, screen.At(keyStart + 4, keyEnd - 5), 2));
    EXPECT_TRUE(Near(clear, screen.At(demo::kSpriteX + spriteSide + 3, demo::kSpriteY + 10), 2));
    EXPECT_TRUE(Near(clear, screen.At(demo::kSpriteX - 3, demo::kSpriteY + 10), 2));

    // Text pixels lie inside the text's box, and there are enough of them to be the words.
    int inside = 0, outside = 0;
    for (int y = demo::kTextTop - 40; y < demo::kTextTop + demo::kTextHeight + 40; ++y)
    {
        for (int x = 0; x < demo::kWidth; ++x)
        {
            if (!IsTextColour(screen.At(x, y)))
                continue;
            const bool inBox = x >= demo::kTextLeft && x < demo::kTextLeft + demo::kTextWidth &&
                               y >= demo::kTextTop && y < demo::kTextTop + demo::kTextHeight;
            (inBox ? inside : outside)++;
        }
    }
    EXPECT_GT(inside, 500);
    EXPECT_EQ(0, outside);
}

TEST_F(DemoRun, EscapeReleasedThroughTheScriptEndsTheRun)
{
    // Screens are frozen while the fade runs (to frame 14); Escape released on frame 21 quits after it.
    ASSERT_EQ(0, Run("20 keydown Escape\n21 keyup Escape\n23 shot\n", 100));
    EXPECT_FALSE(fs::exists(folder / "shots" / "0.bmp"));
}

TEST_F(DemoRun, MaxFramesAloneEndsTheRun)
{
    ASSERT_EQ(0, Run("2 shot\n", 3));
    EXPECT_TRUE(fs::exists(folder / "shots" / "0.bmp"));
}

TEST_F(DemoRun, BadScriptIsReportedAndNothingRuns)
{
    EXPECT_NE(0, Run("1 fly away\n", 3));
    EXPECT_FALSE(fs::exists(folder / "shots" / "0.bmp"));
}
