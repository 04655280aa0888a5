// Sampling that the device chooses by itself: nearest for sprites that put one texel on each pixel
// (the pixels must be those of the plain bilinear path, and only there), and mip levels made the
// first time a draw asks for them.
#include "platform/gfx/SpriteBatch.h"
#include "platform/gfx/Texture.h"
#include "tests/frames_gui/DeviceTest.h"

namespace
{
using namespace plk::gfx;

const unsigned kSide = 128;
const int kTexels = 16;
const uint32_t kWhite = 0xFFFFFFFF;

// Every texel its own colour, neighbours far apart, so a blend of two shows.
plk::Image Pattern(int side)
{
    plk::Image image(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
        {
            uint8_t* p = image.At(x, y);
            p[0] = static_cast<uint8_t>((x * 97 + y * 31) % 256);
            p[1] = static_cast<uint8_t>(((x + y) % 2) * 255);
            p[2] = static_cast<uint8_t>((y * 53) % 256);
            p[3] = 255;
        }
    return image;
}

class TextureSampling : public DeviceTest
{
protected:
    void SetUp() override { OpenDevice(kSide, kSide); }

    struct Placement
    {
        const char* what;
        Vector3 position;
        float scale;
        Rect source;
        bool blend;
    };

    // The whole back buffer after drawing one sprite over black.
    plk::Image Draw(Texture& texture, const Placement& at, bool shortcuts)
    {
        m_device->SetShortcuts(shortcuts);
        m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f);
        SpriteBatch batch(*m_device);
        EXPECT_EQ(kOk, batch.Begin(at.blend ? static_cast<uint32_t>(kSpriteAlphaBlend) : 0u));
        EXPECT_EQ(kOk, batch.SetTransform(MatrixScaling(at.scale, at.scale, 1.0f)));
        EXPECT_EQ(kOk, batch.Draw(&texture, &at.source, nullptr, &at.position, kWhite));
        EXPECT_EQ(kOk, batch.End());
        plk::Image pixels;
        EXPECT_EQ(kOk, m_device->ReadRect({0, 0, static_cast<int>(kSide), static_cast<int>(kSide)}, pixels));
        m_device->SetShortcuts(true);
        return pixels;
    }
};

TEST_F(TextureSampling, SpritesLookAsTheyDidBilinearWhereverTheyLie)
{
    Texture texture;
    ASSERT_EQ(kOk, texture.Create(Pattern(kTexels), 0, false));
    const Rect whole{0, 0, kTexels, kTexels};
    const Placement placements[] = {
        {"one texel a pixel", {10, 20, 0}, 1.0f, whole, false},
        {"blended", {10, 20, 0}, 1.0f, whole, true},
        {"part of the texture", {33, 7, 0}, 1.0f, {3, 5, 11, 14}, false},
        {"half a pixel right", {10.5f, 20, 0}, 1.0f, whole, false},
        {"a quarter pixel down", {10, 20.25f, 0}, 1.0f, whole, false},
        {"twice the size", {10, 20, 0}, 2.0f, whole, false},
        {"a bit smaller", {10, 20, 0}, 0.8f, whole, false},
    };
    for (const Placement& at : placements)
        EXPECT_LE(LargestDifference(Draw(texture, at, false), Draw(texture, at, true)), 1) << at.what;

    // Where texels land on pixels, both paths show the texels themselves.
    const plk::Image shown = Draw(texture, placements[0], true);
    const plk::Image pattern = Pattern(kTexels);
    for (int y = 0; y < kTexels; ++y)
        for (int x = 0; x < kTexels; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(pattern.At(x, y)[c], shown.At(10 + x, 20 + y)[c]) << x << "," << y;
}

TEST_F(TextureSampling, MipLevelsAreMadeWhenADrawFirstSamplesThem)
{
    // One-texel black and white squares: every smaller level is the grey between them.
    const int side = 64;
    plk::Image checker(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
        {
            const uint8_t v = (x + y) % 2 ? 255 : 0;
            uint8_t* p = checker.At(x, y);
            p[0] = p[1] = p[2] = v;
            p[3] = 255;
        }
    Texture texture;
    ASSERT_EQ(kOk, texture.Create(checker, 0, true));
    ASSERT_EQ(7, texture.MipLevels());

    const float size = 8.0f; // the texture shrunk eight times
    const Device::ScreenVertex quad[6] = {
        {0, 0, 0, 1, kWhite, 0, 0},       {size, 0, 0, 1, kWhite, 1, 0},    {0, size, 0, 1, kWhite, 0, 1},
        {size, 0, 0, 1, kWhite, 1, 0},    {size, size, 0, 1, kWhite, 1, 1}, {0, size, 0, 1, kWhite, 0, 1},
    };
    const auto drawShrunk = [&](uint32_t minFilter, uint32_t mipFilter) {
        m_device->Clear(kClearTarget | kClearZBuffer, 0xFFFF0000, 1.0f);
        m_device->SetTexture(0, &texture);
        m_device->SetTextureStageState(0, kMinFilter, minFilter);
        m_device->SetTextureStageState(0, kMipFilter, mipFilter);
        m_device->SetFVF(kFvfXyzRhw | kFvfDiffuse | kFvfTex1);
        EXPECT_EQ(kOk, m_device->DrawPrimitiveUP(kTriangleList, 2, quad, sizeof(Device::ScreenVertex)));
        m_device->SetTexture(0, nullptr);
        plk::Image pixels;
        EXPECT_EQ(kOk, m_device->ReadRect({0, 0, static_cast<int>(size), static_cast<int>(size)}, pixels));
        return pixels;
    };

    // The top level alone first: texels of one colour or the other, never the grey of a level
    // below; then with mip levels asked for, grey everywhere (not black or white, nor the untextured
    // white of a texture left incomplete).
    const plk::Image top = drawShrunk(kFilterPoint, kFilterNone);
    for (size_t i = 0; i < top.pixels.size(); i += 4)
        EXPECT_TRUE(top.pixels[i] < 64 || top.pixels[i] > 192) << "pixel " << i / 4 << ": " << int(top.pixels[i]);
    const plk::Image mipped = drawShrunk(kFilterLinear, kFilterLinear);
    for (size_t i = 0; i < mipped.pixels.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(128, mipped.pixels[i + c], 16) << "pixel " << i / 4;
}

} // namespace
