// The engine on a real window: modes, screenshots of the rendered frame, sprites, text formats,
// viewport clears and the states that drawing must leave as it found them.
#include "Bitmap.h"

#include "engine/XDXFont.h"
#include "engine/XDXTexture.h"
#include "engine/XGameEngine.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/TextLayout.h"
#include "platform/image/Image.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace plk::gfx;

namespace
{

const uint32_t kBackground = 0xFF000000;
const uint32_t kWhite = 0xFFFFFFFF;

class EngineWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("plk-engine-window-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Starts a windowed engine of that size with the media folder set.
    void Start(unsigned width, unsigned height)
    {
        engine = std::make_unique<XGameEngine>();
        engine->SetPath((folder.string() + "/").c_str());
        ASSERT_TRUE(engine->Setup(true, true, width, height, 32, -1, nullptr, nullptr))
            << engine->GetErrorMsg().GetBuffer();
    }

    // Clears, runs draw inside a scene and reads the back buffer back.
    template <typename DrawFunction>
    void Frame(DrawFunction draw)
    {
        Device* device = engine->GetDevice();
        ASSERT_NE(nullptr, device);
        engine->SetClearColor(kBackground);
        ASSERT_TRUE(engine->Clear(kBackground, 1.0f));
        ASSERT_EQ(kOk, device->BeginScene());
        draw();
        ASSERT_EQ(kOk, device->EndScene());
        ASSERT_EQ(kOk, device->ReadBackBuffer(pixels, width, height));
    }

    Rgb At(int x, int y) const { return PixelAt(pixels, width, height, x, y); }

    // Bounding box of the pixels that are not the background.
    Rect Ink(const Rect& area) const
    {
        Rect box{area.right, area.bottom, area.left - 1, area.top - 1};
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y).r > 64)
                {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1);
                    box.bottom = std::max(box.bottom, y + 1);
                }
        return box;
    }

    fs::path folder;
    std::unique_ptr<XGameEngine> engine;
    std::vector<uint8_t> pixels;
    int width = 0;
    int height = 0;
};

} // namespace

TEST_F(EngineWindow, WindowedModeUsesTheDesktopDepthAndTheRequestedSize)
{
    Start(640, 480);
    EXPECT_EQ(640u, engine->GetWidth());
    EXPECT_EQ(480u, engine->GetHeight());
    plk::DisplayMode desktop;
    ASSERT_EQ(0, plk::GetDesktopDisplayMode(desktop));
    EXPECT_EQ(XGameEngine::GetFormatBPP(desktop.format), engine->GetBitsPerPixel());
    EXPECT_EQ(640, engine->GetDevice()->BackBufferWidth());
}

TEST_F(EngineWindow, FullScreenModeTheScreenLacksStartsInTheDesktopsOwnMode)
{
    plk::DisplayMode desktop;
    ASSERT_EQ(0, plk::GetDesktopDisplayMode(desktop));
    engine = std::make_unique<XGameEngine>();
    // 8 bits per pixel is offered by no display this game meets.
    ASSERT_TRUE(engine->Setup(false, true, 1280, 1024, 8, 75, nullptr, nullptr)) << engine->GetErrorMsg().GetBuffer();
    EXPECT_FALSE(engine->IsWindowed());
    EXPECT_EQ(static_cast<unsigned>(desktop.width), engine->GetWidth());
    EXPECT_EQ(static_cast<unsigned>(desktop.height), engine->GetHeight());
    EXPECT_EQ(XGameEngine::GetFormatBPP(desktop.format), engine->GetBitsPerPixel());
    EXPECT_EQ(-1, engine->GetRefreshRate()) << "the desktop's own refresh rate";
    EXPECT_STREQ("Error: in XGameEngine::SetMode, CheckFormat (2) failed.", engine->GetModeFailure().GetBuffer());
    EXPECT_EQ(desktop.width, engine->GetDevice()->BackBufferWidth());
    EXPECT_EQ(desktop.height, engine->GetDevice()->BackBufferHeight());
}

TEST_F(EngineWindow, WindowLargerThanTheScreenIsFittedKeepingItsShape)
{
    int areaWidth = 0, areaHeight = 0;
    ASSERT_EQ(0, plk::GetUsableDesktopArea(areaWidth, areaHeight));
    // Twice as wide as the screen and as high: width decides, the height halves with it.
    Start(static_cast<unsigned>(areaWidth * 2), static_cast<unsigned>(areaHeight));
    EXPECT_TRUE(engine->IsWindowed());
    EXPECT_EQ(static_cast<unsigned>(areaWidth), engine->GetWidth());
    EXPECT_EQ(static_cast<unsigned>(areaHeight / 2), engine->GetHeight());
    EXPECT_EQ(areaWidth, engine->GetDevice()->BackBufferWidth());
    EXPECT_EQ(areaHeight / 2, engine->GetDevice()->BackBufferHeight());
    EXPECT_STREQ("", engine->GetModeFailure().GetBuffer()) << "fitting is not a failure";

    // One that fits keeps its size.
    Start(320, 200);
    EXPECT_EQ(320u, engine->GetWidth());
    EXPECT_EQ(200u, engine->GetHeight());
}

TEST_F(EngineWindow, ScreenshotOfA1018WideFrameHas3056ByteRows)
{
    // Narrower than the test screen, or the window would be fitted to it.
    Start(1018, 768);
    ASSERT_TRUE(engine->m_screenShot.SetDirectory((folder.string() + "/shots/").c_str()));
    engine->SetClearColor(0xFF102030);
    ASSERT_TRUE(engine->Clear(0xFF102030, 1.0f));
    ASSERT_TRUE(engine->m_screenShot.TakeScreenShot()) << engine->m_screenShot.GetErrorMsg().GetBuffer();
    ASSERT_TRUE(engine->m_screenShot.TakeScreenShot());
    EXPECT_EQ(2u, engine->m_screenShot.GetShotsTaken());
    Bitmap shot;
    ASSERT_TRUE(shot.Load((folder / "shots" / "1.bmp").string()));
    EXPECT_EQ(1018, shot.width);
    EXPECT_EQ(3056u, shot.rowBytes);
    EXPECT_EQ(54u + 3056u * 768u, shot.file.size());
    EXPECT_TRUE(Near(Rgb{0x10, 0x20, 0x30}, shot.At(1017, 0), 0));
    EXPECT_TRUE(Near(Rgb{0x10, 0x20, 0x30}, shot.At(0, 767), 0));
    // The two padding bytes of each row are zero.
    EXPECT_EQ(0, shot.file[54 + 3054]);
    EXPECT_EQ(0, shot.file[54 + 3055]);
}

TEST_F(EngineWindow, SpriteDrawsItsSourceRectangleScaledAndLeavesStatesAlone)
{
    plk::Image image(8, 4, 0x00FF00FF); // green
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            image.At(x, y)[0] = 255, image.At(x, y)[1] = 0; // right half red
    ASSERT_EQ(0, plk::SaveBmp((folder / "Cells.bmp").string(), image, plk::BmpDepth::kRgb24));
    Start(320, 240);
    XDXTexture texture;
    ASSERT_TRUE(texture.Load("art\\Cells.bmp", 0, 0)) << texture.GetErrorMsg().GetBuffer();
    EXPECT_EQ(8u, texture.GetImageWidth());
    Device* device = engine->GetDevice();
    device->SetRenderState(kZEnable, 1);
    device->SetRenderState(kLighting, 1);
    Frame([&] {
        // Only the red half, doubled, at (20, 30): 8 x 8 pixels.
        ASSERT_TRUE(texture.Draw(20, 30, 4, 0, 4, 4, 2.0f, 2.0f, kWhite, false));
    });
    EXPECT_TRUE(Near(Rgb{255, 0, 0}, At(22, 32), 2));
    // Clamped at the texture's edge: the right column stays red instead of wrapping to green.
    EXPECT_TRUE(Near(Rgb{255, 0, 0}, At(27, 37), 2));
    // Sprites are drawn with linear filtering, which blends in the green neighbour left of the source.
    EXPECT_TRUE(Near(Rgb{191, 64, 0}, At(20, 31), 2));
    EXPECT_TRUE(Near(Rgb{0, 0, 0}, At(28, 30), 2));
    EXPECT_TRUE(Near(Rgb{0, 0, 0}, At(20, 38), 2));
    EXPECT_EQ(1u, device->GetRenderState(kZEnable));
    EXPECT_EQ(1u, device->GetRenderState(kLighting));

    // A failing draw leaves them alone too.
    XDXTexture empty;
    EXPECT_FALSE(empty.Draw(0, 0, 0, 0, 0, 0, 1.0f, 1.0f, kWhite, true));
    EXPECT_EQ(1u, device->GetRenderState(kZEnable));
}

TEST_F(EngineWindow, TextFormatsPlaceAndClipTheText)
{
    Start(640, 480);
    XDXFont font;
    ASSERT_TRUE(font.Create("Arial", 20, false, false)) << font.GetErrorMsg().GetBuffer();
    const Rect box{100, 100, 400, 200};
    const auto inkOf = [&](const char* text, uint32_t format) {
        Frame([&] { ASSERT_TRUE(font.Print(text, 100, 100, 300, 100, kWhite, format)); });
        return Ink(Rect{0, 0, 640, 480});
    };
    const Rect topLeft = inkOf("Wide", kDtLeft | kDtTop);
    EXPECT_GE(topLeft.left, box.left);
    EXPECT_LT(topLeft.left, box.left + 10);
    EXPECT_GE(topLeft.top, box.top);
    EXPECT_LT(topLeft.bottom, box.top + 40);

    const Rect bottomRight = inkOf("Wide", kDtRight | kDtBottom | kDtSingleLine);
    EXPECT_LE(bottomRight.right, box.right);
    EXPECT_GT(bottomRight.right, box.right - 10);
    EXPECT_LE(bottomRight.bottom, box.bottom);
    EXPECT_GT(bottomRight.bottom, box.bottom - 20);

    const Rect centred = inkOf("Wide", kDtCenter | kDtVCenter | kDtSingleLine);
    EXPECT_NEAR((box.left + box.right) / 2, (centred.left + centred.right) / 2, 3);
    EXPECT_NEAR((box.top + box.bottom) / 2, (centred.top + centred.bottom) / 2, 6);

    // Word break puts the second word on a line of its own, below the first.
    const Rect twoLines = inkOf("Wide Wide Wide Wide Wide Wide Wide Wide Wide Wide", kDtWordBreak);
    EXPECT_GT(twoLines.bottom - twoLines.top, 40);
    EXPECT_LE(twoLines.right, box.right);

    // Without word break a long line is cut at the box, unless clipping is off.
    const char* longLine = "Wide Wide Wide Wide Wide Wide Wide Wide Wide Wide";
    EXPECT_LE(inkOf(longLine, kDtSingleLine).right, box.right);
    EXPECT_GT(inkOf(longLine, kDtSingleLine | kDtNoClip).right, box.right + 50);
}

TEST_F(EngineWindow, ClearFillsOnlyTheViewport)
{
    Start(200, 100);
    Frame([&] {
        ASSERT_TRUE(engine->SetViewport(50, 149, 20, 59));
        ASSERT_EQ(kOk, engine->GetDevice()->Clear(kClearTarget, 0xFFFF0000, 1.0f));
    });
    EXPECT_TRUE(Near(Rgb{255, 0, 0}, At(50, 20), 0));
    EXPECT_TRUE(Near(Rgb{255, 0, 0}, At(149, 59), 0));
    EXPECT_TRUE(Near(Rgb{0, 0, 0}, At(49, 20), 0));
    EXPECT_TRUE(Near(Rgb{0, 0, 0}, At(150, 59), 0));
    EXPECT_TRUE(Near(Rgb{0, 0, 0}, At(100, 60), 0));
}

TEST_F(EngineWindow, TheScissorRectangleKeepsDrawingInsideItWhileTheTestIsOn)
{
    Start(200, 100);
    Frame([&] {
        Device& device = *engine->GetDevice();
        ASSERT_EQ(kOk, device.SetScissorRect({60, 10, 120, 30}));
        ASSERT_EQ(kOk, device.SetRenderState(kScissorTestEnable, 1));
        ASSERT_EQ(kOk, device.Clear(kClearTarget, 0xFF00FF00, 1.0f));
        ASSERT_EQ(kOk, device.SetRenderState(kScissorTestEnable, 0));
        // Off again, the rectangle no longer limits anything.
        ASSERT_TRUE(engine->SetViewport(0, 9, 90, 99));
        ASSERT_EQ(kOk, device.Clear(kClearTarget, 0xFF0000FF, 1.0f));
        EXPECT_NE(kOk, device.SetScissorRect({10, 10, 5, 20})) << "an inside-out rectangle is refused";
        EXPECT_EQ(60, device.GetScissorRect().left);
    });
    EXPECT_TRUE(Near(Rgb{0, 255, 0}, At(60, 10), 0));
    EXPECT_TRUE(Near(Rgb{0, 255, 0}, At(119, 29), 0));
    EXPECT_TRUE(Near(Rgb{0, 0, 0}, At(59, 10), 0)) << "left of it";
    EXPECT_TRUE(Near(Rgb{0, 0, 0}, At(120, 29), 0)) << "right and bottom are exclusive";
    EXPECT_TRUE(Near(Rgb{0, 0, 0}, At(60, 30), 0));
    EXPECT_TRUE(Near(Rgb{0, 0, 255}, At(0, 99), 0)) << "the corner outside the rectangle, drawn with the test off";
}

TEST_F(EngineWindow, Begin2DSavesAndEnd2DRestoresTheTransforms)
{
    Start(320, 240);
    Device* device = engine->GetDevice();
    const Matrix projection = device->GetTransform(kProjection);
    device->SetTransform(kWorld, MatrixTranslation(1, 2, 3));
    engine->Begin2D(-1, -1, 0.0f, 1.0f);
    EXPECT_EQ(MatrixOrthoLH(320, 240, 0.0f, 1.0f), device->GetTransform(kProjection));
    EXPECT_EQ(MatrixIdentity(), device->GetTransform(kWorld));
    engine->Begin2D(10, 10, 0.0f, 1.0f); // once per pair: ignored
    engine->End2D();
    EXPECT_EQ(projection, device->GetTransform(kProjection));
    EXPECT_EQ(MatrixTranslation(1, 2, 3), device->GetTransform(kWorld));
}
