// A texture read from a file holds no pixels of its own: each context that needs it decodes the
// file again, keyed as before, and a file that went away leaves the texture empty, not half drawn.
// A picture made until lost lets go of its pixels once uploaded and draws nothing in a new context.
#include "platform/gfx/SpriteBatch.h"
#include "platform/gfx/Texture.h"
#include "tests/frames_gui/DeviceTest.h"

#include <filesystem>
#include <unistd.h>

namespace
{
using namespace plk::gfx;

const unsigned kSide = 64;
const int kTexels = 8;
const uint32_t kKey = 0xFFFF00FF;
const uint32_t kWhite = 0xFFFFFFFF;

// A pattern with a keyed column on the left, which must come out transparent.
plk::Image KeyedPattern()
{
    plk::Image image(kTexels, kTexels);
    for (int y = 0; y < kTexels; ++y)
        for (int x = 0; x < kTexels; ++x)
        {
            uint8_t* p = image.At(x, y);
            const bool keyed = x == 0;
            p[0] = keyed ? 255 : static_cast<uint8_t>(x * 30);
            p[1] = keyed ? 0 : static_cast<uint8_t>(y * 30);
            p[2] = keyed ? 255 : 90;
            p[3] = 255;
        }
    return image;
}

class TextureFile : public DeviceTest
{
protected:
    void SetUp() override
    {
        m_path = (std::filesystem::temp_directory_path() / ("plk_texture_" + std::to_string(getpid()) + ".png"))
                     .string();
        ASSERT_EQ(0, plk::SavePng(m_path, KeyedPattern()));
        OpenDevice(kSide, kSide);
    }
    void TearDown() override { std::filesystem::remove(m_path); }

    // A new window and context, as after a change of display mode.
    void ReopenDevice()
    {
        m_engine.reset();
        OpenDevice(kSide, kSide);
    }

    // The back buffer after the texture is drawn blended, texel for pixel, over grey.
    plk::Image Draw(Texture& texture)
    {
        m_device->Clear(kClearTarget | kClearZBuffer, 0xFF808080, 1.0f);
        SpriteBatch batch(*m_device);
        const Vector3 at{4, 4, 0};
        EXPECT_EQ(kOk, batch.Begin(kSpriteAlphaBlend));
        EXPECT_EQ(kOk, batch.Draw(&texture, nullptr, nullptr, &at, kWhite));
        EXPECT_EQ(kOk, batch.End());
        plk::Image pixels;
        EXPECT_EQ(kOk, m_device->ReadRect({0, 0, static_cast<int>(kSide), static_cast<int>(kSide)}, pixels));
        return pixels;
    }

    std::string m_path;
};

TEST_F(TextureFile, DrawsTheFileKeyedInEveryContextWithoutHoldingItsPixels)
{
    Texture texture;
    ASSERT_EQ(kOk, texture.Load(m_path, kKey, false));
    EXPECT_TRUE(texture.Pixels().Empty());
    EXPECT_EQ(kTexels, texture.Width());
    EXPECT_EQ(kTexels, texture.Height());

    const plk::Image first = Draw(texture);
    EXPECT_TRUE(texture.Pixels().Empty());
    const plk::Image pattern = KeyedPattern();
    for (int y = 0; y < kTexels; ++y)
        for (int x = 0; x < kTexels; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(x == 0 ? 0x80 : pattern.At(x, y)[c], first.At(4 + x, 4 + y)[c]) << x << "," << y;

    ReopenDevice();
    EXPECT_EQ(0, LargestDifference(first, Draw(texture)));
}

TEST_F(TextureFile, AFileGoneBeforeANewContextLeavesTheTextureEmpty)
{
    Texture texture;
    ASSERT_EQ(kOk, texture.Load(m_path, kKey, false));
    Draw(texture);
    const uint64_t serial = texture.Serial();
    ASSERT_NE(0u, serial);

    // Replaced by a file of another size: the sprites laid out for the old one would be wrong.
    ASSERT_EQ(0, plk::SavePng(m_path, plk::Image(3, 3, 0xFF0000FF)));
    ReopenDevice();
    EXPECT_EQ(0u, texture.Bind());
    EXPECT_TRUE(texture.Empty());
    EXPECT_EQ(0u, texture.Serial());

    Texture gone;
    ASSERT_EQ(kOk, gone.Load(m_path, 0, false));
    std::filesystem::remove(m_path);
    EXPECT_EQ(0u, gone.Bind());
    EXPECT_TRUE(gone.Empty());
    SpriteBatch batch(*m_device);
    ASSERT_EQ(kOk, batch.Begin(0));
    EXPECT_EQ(kErrInvalidCall, batch.Draw(&gone, nullptr, nullptr, nullptr, kWhite));
    EXPECT_EQ(kOk, batch.End());
}

TEST_F(TextureFile, APictureMadeUntilLostIsLetGoOnceUploadedAndDrawsNothingInANewContext)
{
    Texture picture;
    ASSERT_EQ(kOk, picture.CreateUntilLost(KeyedPattern()));
    EXPECT_FALSE(picture.Pixels().Empty());
    const plk::Image first = Draw(picture);
    EXPECT_TRUE(picture.Pixels().Empty());
    EXPECT_EQ(90, first.At(4 + 3, 4 + 3)[2]);

    ReopenDevice();
    const plk::Image lost = Draw(picture);
    EXPECT_TRUE(picture.Empty());
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(0x80, lost.At(4 + 3, 4 + 3)[c]) << "a lost picture must leave the background as it was";
}

} // namespace
