// A picture of back-buffer pixels drawn back one texel on each pixel, as the status column's kept
// picture is: it must come out as it went in, drawn opaque or blended. CTest also runs this on one processor, where the
// software rasteriser once drew such a quad plain white at some sizes.
#include "platform/gfx/SpriteBatch.h"
#include "platform/gfx/Texture.h"
#include "tests/frames_gui/DeviceTest.h"

namespace
{
using namespace plk::gfx;

const unsigned kWidth = 1280;
const unsigned kHeight = 1024;

// A column of the status bar's size at 1280 x 1024: opaque, every row its own shade.
plk::Image Column()
{
    plk::Image image(320, 960);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
        {
            uint8_t* p = image.At(x, y);
            p[0] = static_cast<uint8_t>(40 + y % 50);
            p[1] = static_cast<uint8_t>(90 + x % 60);
            p[2] = 170;
            p[3] = 255;
        }
    return image;
}

class OpaqueSprite : public DeviceTest
{
protected:
    void SetUp() override { OpenDevice(kWidth, kHeight); }
};

TEST_F(OpaqueSprite, APictureDrawnTexelForPixelComesOutAsItWentIn)
{
    Texture picture;
    ASSERT_EQ(kOk, picture.Create(Column(), 0, false));
    // Opaque, and blended as the status column's kept picture is drawn (sampled nearest).
    for (const uint32_t flags : {0u, static_cast<uint32_t>(kSpriteAlphaBlend)})
    {
        for (int frame = 0; frame < 3; ++frame)
        {
            m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f);
            SpriteBatch batch(*m_device);
            const Vector3 at{0, 32, 0};
            ASSERT_EQ(kOk, batch.Begin(flags));
            ASSERT_EQ(kOk, batch.Draw(&picture, nullptr, nullptr, &at, 0xFFFFFFFF));
            ASSERT_EQ(kOk, batch.End());
            m_device->Present();
        }
        plk::Image shown;
        ASSERT_EQ(kOk, m_device->ReadRect({0, 32, 320, 992}, shown));
        EXPECT_EQ(0, LargestDifference(Column(), shown))
            << "blended " << flags << ", first pixel " << int(shown.pixels[0]) << "," << int(shown.pixels[1]) << ","
            << int(shown.pixels[2]);
    }
}

} // namespace
