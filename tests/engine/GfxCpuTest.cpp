// The parts of the drawing layer that work without a window: line breaking, vertex buffers,
// colour keys, screenshot files and their numbering, and the display-format rules.
#include "engine/XDXFont.h"
#include "engine/XDXScreenShot.h"
#include "engine/XGameEngine.h"
#include "platform/gfx/TextLayout.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/VertexBuffer.h"
#include "tests/engine/EngineTempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace plk::gfx;

namespace
{

// Ten pixels a character, so widths are easy to follow.
const MeasureFunction kMonospace = [](std::string_view run) { return static_cast<int>(run.size()) * 10; };

std::vector<std::string> Lines(std::string_view text, uint32_t format, int width)
{
    std::vector<std::string> out;
    for (const TextLine& line : LayoutText(text, format, width, kMonospace))
        out.emplace_back(text.substr(line.start, line.length));
    return out;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(TextLayout, WordBreakFillsLinesAndDropsTheBreakingSpaces)
{
    EXPECT_EQ((Strings{"the quick", "brown fox", "jumps"}), Lines("the quick brown fox jumps", kDtWordBreak, 95));
    // Exactly the width still fits.
    EXPECT_EQ((Strings{"the quick", "brown"}), Lines("the quick brown", kDtWordBreak, 90));
    // A word wider than the box stands alone rather than vanishing.
    EXPECT_EQ((Strings{"a", "extraordinary", "b"}), Lines("a extraordinary b", kDtWordBreak, 50));
    const auto widths = LayoutText("ab cd", kDtWordBreak, 30, kMonospace);
    ASSERT_EQ(2u, widths.size());
    EXPECT_EQ(20, widths[1].width);
}

TEST(TextLayout, LineFeedsBreakUnlessSingleLine)
{
    EXPECT_EQ((Strings{"one", "", "two"}), Lines("one\r\n\ntwo", 0, 1000));
    EXPECT_EQ((Strings{"one two three"}), Lines("one two three", 0, 20)); // no word break: one long line
    EXPECT_EQ((Strings{"one\ntwo"}), Lines("one\ntwo", kDtSingleLine | kDtWordBreak, 10));
    EXPECT_EQ((Strings{""}), Lines("", kDtWordBreak, 100));
}

TEST(VertexBuffer, LockHandsOutTheRangeOnceUntilUnlocked)
{
    VertexBuffer buffer(120, kFvfXyzRhw | kFvfDiffuse);
    EXPECT_EQ(20, VertexSize(buffer.Format()));
    void* data = nullptr;
    ASSERT_EQ(kOk, buffer.Lock(0, 0, &data));
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(nullptr, buffer.Data()); // not drawable while being written
    void* again = nullptr;
    EXPECT_EQ(kErrInvalidCall, buffer.Lock(0, 0, &again));
    EXPECT_EQ(kOk, buffer.Unlock());
    EXPECT_EQ(kErrInvalidCall, buffer.Unlock());
    EXPECT_EQ(kErrInvalidCall, buffer.Lock(100, 40, &data));
    EXPECT_EQ(nullptr, data);
    EXPECT_EQ(kOk, buffer.Lock(100, 20, &data));
    EXPECT_EQ(36, VertexSize(kFvfXyz | kFvfNormal | kFvfDiffuse | kFvfTex1));
}

TEST(Texture, ColourKeyBecomesTransparentBlackAndAlphaCounts)
{
    plk::Image image(3, 1);
    const uint8_t texels[12] = {255, 0, 255, 255, /**/ 10, 20, 30, 255, /**/ 255, 0, 255, 128};
    std::copy(texels, texels + 12, image.pixels.begin());
    Texture texture;
    ASSERT_EQ(kOk, texture.Create(image, 0xFFFF00FF, true));
    const auto& p = texture.Pixels().pixels;
    EXPECT_EQ((std::vector<uint8_t>{0, 0, 0, 0, 10, 20, 30, 255, 255, 0, 255, 128}), p);
    EXPECT_EQ(2, texture.MipLevels()); // 3 x 1, then 1 x 1

    Texture unkeyed;
    ASSERT_EQ(kOk, unkeyed.Create(image, 0, false));
    EXPECT_EQ(255, unkeyed.Pixels().pixels[3]);
    EXPECT_EQ(1, unkeyed.MipLevels());
    EXPECT_EQ(kErrInvalidCall, unkeyed.Create(plk::Image(), 0, false));
}

TEST(ScreenShot, BitmapFileHasTheHeadersOfA24BitBottomUpImage)
{
    const int width = 1366, height = 2;
    const size_t row = 4100; // 1366 * 3 = 4098, padded to a multiple of 4
    const std::vector<uint8_t> pixels(row * height, 7);
    const std::vector<char> file = XDXScreenShot::MakeBitmapFile(pixels, width, height);
    ASSERT_EQ(54 + row * height, file.size());
    const auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<uint8_t>(file[at])) |
               static_cast<uint32_t>(static_cast<uint8_t>(file[at + 1])) << 8 |
               static_cast<uint32_t>(static_cast<uint8_t>(file[at + 2])) << 16 |
               static_cast<uint32_t>(static_cast<uint8_t>(file[at + 3])) << 24;
    };
    EXPECT_EQ('B', file[0]);
    EXPECT_EQ('M', file[1]);
    EXPECT_EQ(file.size(), u32(2));
    EXPECT_EQ(0u, u32(6));
    EXPECT_EQ(54u, u32(10));
    EXPECT_EQ(40u, u32(14));
    EXPECT_EQ(1366u, u32(18));
    EXPECT_EQ(2u, u32(22)); // positive height: rows bottom-up
    EXPECT_EQ(1u | (24u << 16), u32(26));
    EXPECT_EQ(0u, u32(30));
    EXPECT_EQ(7, file[54]);
}

TEST(ScreenShot, ANewRunNumbersOnAfterTheHighestShotInTheFolder)
{
    EngineTempFolder folder;
    XDXScreenShot shots;
    ASSERT_TRUE(shots.SetDirectory(folder.GamePath().c_str()));
    EXPECT_EQ(0u, shots.GetShotsTaken()) << "an empty folder starts at 0";

    folder.Write("3.bmp", "earlier run");
    folder.Write("12.BMP", "earlier run");
    folder.Write("40.bmp.txt", "not a shot");
    folder.Write("x90.bmp", "not a shot");
    folder.Write("4294967295.bmp", "no next number after this one");
    std::filesystem::create_directory(folder.Path() + "/77.bmp");
    ASSERT_TRUE(shots.SetDirectory(folder.GamePath().c_str()));
    EXPECT_EQ(13u, shots.GetShotsTaken());

    XDXScreenShot missing;
    ASSERT_TRUE(missing.SetDirectory((folder.Path() + "/new\\shots\\").c_str()));
    EXPECT_EQ(0u, missing.GetShotsTaken()) << "a folder made now starts at 0";
}

TEST(Fonts, PointSizesBecomeNegativeCharacterHeights)
{
    EXPECT_EQ(-13, XDXFont::HeightForPoints(10));
    EXPECT_EQ(-16, XDXFont::HeightForPoints(12));
    EXPECT_EQ(-32, XDXFont::HeightForPoints(24));
    XDXFont font;
    EXPECT_FALSE(font.Print("text", 0, 0, 0, 0, 0xFFFFFFFF, 0));
    EXPECT_STREQ("Error: in XDXFont::Print, a font has not been created.", font.GetErrorMsg().GetBuffer());
}

TEST(VideoModes, FormatBitsAndModeLookup)
{
    EXPECT_EQ(32, XGameEngine::GetFormatBPP(plk::PixelFormat::kX8R8G8B8));
    EXPECT_EQ(32, XGameEngine::GetFormatBPP(plk::PixelFormat::kA8R8G8B8));
    EXPECT_EQ(24, XGameEngine::GetFormatBPP(plk::PixelFormat::kR8G8B8));
    EXPECT_EQ(16, XGameEngine::GetFormatBPP(plk::PixelFormat::kX1R5G5B5));
    EXPECT_EQ(8, XGameEngine::GetFormatBPP(plk::PixelFormat::kP8));
    EXPECT_EQ(0, XGameEngine::GetFormatBPP(plk::PixelFormat::kUnknown));
    const std::vector<plk::DisplayMode> modes = {{1280, 1024, 60, plk::PixelFormat::kX8R8G8B8},
                                                 {1024, 768, 75, plk::PixelFormat::kR5G6B5}};
    EXPECT_TRUE(plk::HasDisplayMode(modes, 1024, 768, plk::PixelFormat::kR5G6B5));
    EXPECT_FALSE(plk::HasDisplayMode(modes, 1024, 768, plk::PixelFormat::kX8R8G8B8));
    EXPECT_FALSE(plk::HasDisplayMode(modes, 800, 600, plk::PixelFormat::kR5G6B5));
}
