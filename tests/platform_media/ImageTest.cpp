// platform/image: files written are read back exactly, BMPs are classic bottom-up 24-bit, bad input is
// refused.
#include "platform/image/Image.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace
{

std::string TempPath(const std::string& name)
{
    const auto dir = std::filesystem::temp_directory_path() / "plk_platform_media";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// 5 x 3 pixels, every one different, with alpha varying: catches swapped channels, rows and columns.
plk::Image Pattern()
{
    plk::Image image(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
        {
            uint8_t* p = image.At(x, y);
            p[0] = static_cast<uint8_t>(10 + x * 40);
            p[1] = static_cast<uint8_t>(20 + y * 90);
            p[2] = static_cast<uint8_t>(200 - x * 30 - y * 10);
            p[3] = static_cast<uint8_t>(255 - x * 50);
        }
    return image;
}

} // namespace

TEST(Image, PngRoundTripKeepsEveryChannelIncludingAlpha)
{
    const plk::Image original = Pattern();
    const std::string path = TempPath("pattern.png");
    std::string error;
    ASSERT_EQ(plk::SavePng(path, original, &error), 0) << error;
    plk::Image loaded;
    ASSERT_EQ(plk::LoadImageFile(path, loaded, &error), 0) << error;
    EXPECT_EQ(loaded.width, 5);
    EXPECT_EQ(loaded.height, 3);
    EXPECT_EQ(loaded.pixels, original.pixels);
}

TEST(Image, Bmp24IsBottomUpBgrWithPaddedRowsAndReadsBackOpaque)
{
    const plk::Image original = Pattern();
    const std::string path = TempPath("pattern24.bmp");
    std::string error;
    ASSERT_EQ(plk::SaveBmp(path, original, plk::BmpDepth::kRgb24, &error), 0) << error;

    const std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[28] | bytes[29] << 8, 24) << "bits per pixel";
    EXPECT_EQ(static_cast<int32_t>(Le32(bytes, 22)), 3) << "a positive height means bottom-up rows";
    const uint32_t offset = Le32(bytes, 10);
    const size_t stride = (5 * 3 + 3) & ~3u; // rows pad to four bytes
    ASSERT_GE(bytes.size(), offset + stride * 3);
    // The first stored row is the image's bottom row, each pixel B, G, R.
    for (int x = 0; x < 5; ++x)
    {
        const uint8_t* expected = original.At(x, 2);
        EXPECT_EQ(bytes[offset + x * 3 + 0], expected[2]) << "x=" << x;
        EXPECT_EQ(bytes[offset + x * 3 + 1], expected[1]) << "x=" << x;
        EXPECT_EQ(bytes[offset + x * 3 + 2], expected[0]) << "x=" << x;
    }

    plk::Image loaded;
    ASSERT_EQ(plk::LoadImageFile(path, loaded, &error), 0) << error;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
        {
            EXPECT_EQ(0, std::memcmp(loaded.At(x, y), original.At(x, y), 3)) << x << "," << y;
            EXPECT_EQ(loaded.At(x, y)[3], 255) << "24-bit files carry no alpha";
        }
}

TEST(Image, Bmp32KeepsAlpha)
{
    const plk::Image original = Pattern();
    const std::string path = TempPath("pattern32.bmp");
    std::string error;
    ASSERT_EQ(plk::SaveBmp(path, original, plk::BmpDepth::kRgba32, &error), 0) << error;
    const std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_GE(bytes.size(), 30u);
    EXPECT_EQ(bytes[28], 32);
    plk::Image loaded;
    ASSERT_EQ(plk::LoadImageFile(path, loaded, &error), 0) << error;
    EXPECT_EQ(loaded.pixels, original.pixels);
}

TEST(Image, ExtensionChoosesTheEncoderWithoutRegardToCase)
{
    const plk::Image original = Pattern();
    std::string error;
    ASSERT_EQ(plk::SaveImageFile(TempPath("UPPER.BMP"), original, &error), 0) << error;
    EXPECT_EQ(ReadBytes(TempPath("UPPER.BMP"))[28], 24) << ".bmp textures are 24-bit";
    ASSERT_EQ(plk::SaveImageFile(TempPath("upper.PnG"), original, &error), 0) << error;
    EXPECT_EQ(ReadBytes(TempPath("upper.PnG"))[1], 'P');
    EXPECT_NE(plk::SaveImageFile(TempPath("picture.tga"), original, &error), 0);
    EXPECT_NE(error.find("extension"), std::string::npos) << error;
}

TEST(Image, BadInputFailsWithAReasonAndLeavesNoFile)
{
    std::string error;
    plk::Image loaded;
    EXPECT_NE(plk::LoadImageFile(TempPath("does-not-exist.png"), loaded, &error), 0);
    EXPECT_FALSE(error.empty());

    const std::vector<uint8_t> garbage = {'B', 'M', 1, 2, 3, 4, 5};
    error.clear();
    EXPECT_NE(plk::LoadImageMemory(garbage, loaded, &error), 0);
    EXPECT_FALSE(error.empty());
    EXPECT_NE(plk::LoadImageMemory({}, loaded, &error), 0);

    plk::Image inconsistent(4, 4);
    inconsistent.pixels.resize(10); // a buffer shorter than its size says
    const std::string path = TempPath("inconsistent.png");
    std::filesystem::remove(path);
    EXPECT_NE(plk::SavePng(path, inconsistent, &error), 0);
    EXPECT_NE(plk::SaveBmp(path, plk::Image(), plk::BmpDepth::kRgb24, &error), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Image, PicturesInOtherFormatsAreRefusedWhateverTheirName)
{
    // SDL_image reads SVG, XPM, PNM and more by their first bytes; the game's art is BMP and PNG,
    // and a damaged or planted file must not reach the other decoders.
    const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\"></svg>";
    const std::string pnm = "P3\n1 1\n255\n255 0 0\n";
    for (const std::string& text : {svg, pnm})
    {
        const std::string path = TempPath("planted.bmp");
        std::ofstream(path, std::ios::binary) << text;
        plk::Image loaded;
        std::string error;
        EXPECT_NE(plk::LoadImageFile(path, loaded, &error), 0) << text;
        EXPECT_NE(error.find("not a BMP or PNG"), std::string::npos) << error;
        const std::vector<uint8_t> bytes(text.begin(), text.end());
        EXPECT_NE(plk::LoadImageMemory(bytes, loaded, &error), 0) << text;
        EXPECT_TRUE(loaded.Empty());
    }
}

TEST(Image, AHeaderClaimingAHugePictureIsRefusedBeforeDecoding)
{
    const std::string bmpPath = TempPath("huge.bmp");
    const std::string pngPath = TempPath("huge.png");
    ASSERT_EQ(plk::SaveBmp(bmpPath, Pattern(), plk::BmpDepth::kRgba32), 0);
    ASSERT_EQ(plk::SavePng(pngPath, Pattern()), 0);
    std::vector<uint8_t> bmp = ReadBytes(bmpPath);
    std::vector<uint8_t> png = ReadBytes(pngPath);
    bmp[25] = 0x40; // height 2^30, little-endian at 22
    png[20] = 0x00;
    png[21] = 0x10; // height 2^20, big-endian at 20
    // The short header of old BMPs holds 16-bit sizes the decoder reads unsigned: 0xFF00 rows is
    // 65,280, not a picture 256 rows high stored top-down.
    const std::vector<uint8_t> core = {'B', 'M', 0x5a, 0x76, 0x76, 0x76, 0x76, 0x76, 0x76, 0x76, 0x76, 0x76, 0, 0,
                                       0x0c, 0, 0, 0, 0x00, 0x35, 0x00, 0xff, 0, 0, 0x20, 0, 0, 0};
    for (const std::vector<uint8_t>& bytes : {bmp, png, core})
    {
        plk::Image loaded;
        std::string error;
        EXPECT_NE(plk::LoadImageMemory(bytes, loaded, &error), 0);
        EXPECT_NE(error.find("pixels"), std::string::npos) << error;
        EXPECT_TRUE(loaded.Empty());
    }
}

TEST(Image, LoadsFromMemoryTheSameAsFromFile)
{
    const std::string path = TempPath("memory.png");
    ASSERT_EQ(plk::SavePng(path, Pattern()), 0);
    const std::vector<uint8_t> bytes = ReadBytes(path);
    plk::Image fromMemory;
    std::string error;
    ASSERT_EQ(plk::LoadImageMemory(bytes, fromMemory, &error), 0) << error;
    EXPECT_EQ(fromMemory.pixels, Pattern().pixels);
}
