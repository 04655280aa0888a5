// The device's kept layer: a still scene copied from an earlier frame must give the pixels and the
// depth that drawing it gives, and any change to what it draws must draw it anew.
#include "platform/gfx/DeviceLighting.h"
#include "platform/gfx/SpriteBatch.h"
#include "platform/gfx/Texture.h"
#include "tests/frames_gui/DeviceTest.h"

#include <algorithm>
#include <functional>

namespace
{
using namespace plk::gfx;

const int kWidth = 160, kHeight = 120;
const uint32_t kSky = 0xFF204080;

struct LitVertex
{
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
const uint32_t kLitFvf = kFvfXyz | kFvfNormal | kFvfTex1;

struct ColourVertex
{
    float x, y, z;
    uint32_t colour;
};
const uint32_t kColourFvf = kFvfXyz | kFvfDiffuse;

plk::Image Checker(uint8_t dark)
{
    plk::Image image(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
        {
            uint8_t* p = image.At(x, y);
            p[0] = (x + y) % 2 ? 230 : dark;
            p[1] = static_cast<uint8_t>(x * 30);
            p[2] = static_cast<uint8_t>(y * 30);
            p[3] = 255;
        }
    return image;
}

class KeptLayer : public DeviceTest
{
protected:
    void SetUp() override
    {
        OpenDevice(kWidth, kHeight);
        if (HasFatalFailure())
            return;
        ASSERT_EQ(kOk, m_texture.Create(Checker(20), 0, true));
        m_device->SetTransform(kProjection, MatrixPerspectiveFovLH(0.9f, 4.0f / 3.0f, 1.0f, 100.0f));
        m_device->SetTransform(kView, MatrixLookAtLH({0, 6, -10}, {0, 0, 0}, {0, 1, 0}));
        m_light.type = kLightDirectional;
        m_light.direction = Normalize(Vector3{0.3f, -1.0f, 0.5f});
        m_light.diffuse = {0.9f, 0.8f, 0.7f, 1.0f};
    }

    // A lit, textured, mipmapped floor and a wall standing on it, culled as the game culls: the
    // still part.
    void DrawStill()
    {
        ++m_stillDraws;
        SetLight(*m_device, 0, m_light);
        LightEnable(*m_device, 0, true);
        m_device->SetRenderState(kLighting, 1);
        m_device->SetRenderState(kAmbient, 0xFF303030);
        m_device->SetRenderState(kCullMode, kCullCCW);
        m_device->SetTransform(kWorld, m_stillWorld);
        m_device->SetTexture(0, &m_texture);
        m_device->SetTextureStageState(0, kMinFilter, kFilterLinear);
        m_device->SetTextureStageState(0, kMagFilter, kFilterLinear);
        m_device->SetTextureStageState(0, kMipFilter, kFilterLinear);
        m_device->SetFVF(kLitFvf);
        const LitVertex floor[6] = {
            {-8, 0, -4, 0, 1, 0, 0, 0}, {-8, 0, 12, 0, 1, 0, 0, 6}, {8, 0, -4, 0, 1, 0, 6, 0},
            {8, 0, -4, 0, 1, 0, 6, 0},  {-8, 0, 12, 0, 1, 0, 0, 6}, {8, 0, 12, 0, 1, 0, 6, 6},
        };
        m_device->DrawPrimitiveUP(kTriangleList, 2, floor, sizeof(LitVertex));
        const LitVertex wall[6] = {
            {-3, 0, 1, 0, 0, -1, 0, 1}, {-3, 3, 1, 0, 0, -1, 0, 0}, {3, 0, 1, 0, 0, -1, 1, 1},
            {3, 0, 1, 0, 0, -1, 1, 1},  {-3, 3, 1, 0, 0, -1, 0, 0}, {3, 3, 1, 0, 0, -1, 1, 0},
        };
        m_device->DrawPrimitiveUP(kTriangleList, 2, wall, sizeof(LitVertex));
        m_device->SetTexture(0, nullptr);
        m_device->SetRenderState(kLighting, 0);
    }

    // A cube face that slides through the wall: half of it hidden behind, which only the kept depth
    // can decide.
    void DrawMoving(float x)
    {
        m_device->SetTransform(kWorld, MatrixTranslation(x, 0, 0));
        m_device->SetFVF(kColourFvf);
        const uint32_t red = 0xFFE02020;
        const ColourVertex face[6] = {
            {-1, 0.5f, 0, red}, {-1, 2.5f, 2, red}, {1, 0.5f, 0, red},
            {1, 0.5f, 0, red},  {-1, 2.5f, 2, red}, {1, 2.5f, 2, red},
        };
        m_device->DrawPrimitiveUP(kTriangleList, 2, face, sizeof(ColourVertex));
    }

    plk::Image Frame(bool shortcuts, float movingX, const std::function<void()>& before = {})
    {
        m_device->SetShortcuts(shortcuts);
        m_device->BeginScene();
        m_device->Clear(kClearTarget | kClearZBuffer, kSky, 1.0f);
        if (before)
            before();
        m_device->DrawKeptLayer([this] { DrawStill(); });
        DrawMoving(movingX);
        plk::Image pixels;
        EXPECT_EQ(kOk, m_device->ReadRect({0, 0, kWidth, kHeight}, pixels));
        m_device->EndScene();
        m_device->Present();
        m_device->SetShortcuts(true);
        return pixels;
    }

    // Draws of the still part one shortcut frame takes, and whether its picture is the plain one.
    int KeptFrame(float movingX, const std::function<void()>& before = {})
    {
        m_stillDraws = 0;
        const plk::Image kept = Frame(true, movingX, before);
        const int draws = m_stillDraws;
        EXPECT_LE(LargestDifference(Frame(false, movingX, before), kept), 1) << "moving at " << movingX;
        return draws;
    }

    Texture m_texture;
    Light m_light;
    Matrix m_stillWorld = MatrixIdentity();
    int m_stillDraws = 0;
};

TEST_F(KeptLayer, AStillSceneIsCopiedWithItsDepthAfterTwoFramesAlike)
{
    // Noted and drawn, noted and kept (drawn once into the layer), then only noted.
    EXPECT_EQ(2, KeptFrame(-4.0f));
    EXPECT_EQ(2, KeptFrame(-2.0f));
    for (float x = 0.0f; x <= 4.0f; x += 1.0f)
        EXPECT_EQ(1, KeptFrame(x));
}

TEST_F(KeptLayer, AnyChangeToWhatItDrawsDrawsItAnew)
{
    const auto keep = [&] {
        KeptFrame(0.0f);
        KeptFrame(0.0f);
        ASSERT_EQ(1, KeptFrame(0.0f));
    };
    keep();
    m_stillWorld = MatrixTranslation(0.5f, 0, 0);
    EXPECT_EQ(2, KeptFrame(0.0f)) << "a moved object";
    keep();
    m_light.diffuse = {0.2f, 0.9f, 0.2f, 1.0f};
    EXPECT_EQ(2, KeptFrame(0.0f)) << "a light";
    keep();
    ASSERT_EQ(kOk, m_texture.Create(Checker(120), 0, true));
    EXPECT_EQ(2, KeptFrame(0.0f)) << "new texels in the same texture";
    keep();
    m_device->SetTransform(kView, MatrixLookAtLH({1, 6, -10}, {0, 0, 0}, {0, 1, 0}));
    EXPECT_EQ(2, KeptFrame(0.0f)) << "a camera turn";
    keep();
    m_device->SetRenderState(kFogEnable, 1);
    m_device->SetRenderState(kFogTableMode, kFogLinear);
    m_device->SetRenderState(kFogColor, kSky);
    m_device->SetRenderState(kFogStart, FloatBits(5.0f));
    m_device->SetRenderState(kFogEnd, FloatBits(20.0f));
    EXPECT_EQ(2, KeptFrame(0.0f)) << "fog";
    keep();
    m_device->SetScissorRect({40, 0, kWidth, kHeight});
    m_device->SetRenderState(kScissorTestEnable, 1);
    EXPECT_EQ(2, KeptFrame(0.0f)) << "a scissor";
    keep();
}

TEST_F(KeptLayer, DrawingBeforeItKeepsTheStillPartPlain)
{
    Texture white;
    plk::Image texel(1, 1);
    std::fill(texel.pixels.begin(), texel.pixels.end(), uint8_t{255});
    ASSERT_EQ(kOk, white.Create(texel, 0, false));
    const auto sprite = [&] {
        SpriteBatch batch(*m_device);
        ASSERT_EQ(kOk, batch.Begin(0));
        const Vector3 at{5, 5, 0};
        ASSERT_EQ(kOk, batch.SetTransform(MatrixScaling(30, 30, 1)));
        ASSERT_EQ(kOk, batch.Draw(&white, nullptr, nullptr, &at, 0xFFFFFFFF));
        ASSERT_EQ(kOk, batch.End());
    };
    // Drawn once a frame, never noted: a copied layer would also cover the sprite, which the
    // comparison with the plain picture would show.
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_EQ(1, KeptFrame(0.0f, sprite)) << "frame " << frame;
}

} // namespace
