// The engine before it has a window: its defaults, its failure texts, and the input state it keeps.
#include "engine/XDXTexture.h"
#include "engine/XGameEngine.h"
#include "platform/gfx/Math.h"

#include <gtest/gtest.h>

TEST(Engine, WithoutAWindowEveryDeviceOperationFailsWithItsText)
{
    XGameEngine engine;
    EXPECT_EQ(&engine, XGameEngine::GetEngine());
    EXPECT_FALSE(engine.SetMode(true, true, 1024, 768, 32));
    EXPECT_STREQ("Error: in XGameEngine::SetMode, the device was not initialized.", engine.GetErrorMsg().GetBuffer());
    EXPECT_FALSE(engine.Clear(0, 1.0f));
    EXPECT_STREQ("Error: in XGameEngine::Clear, Device is NULL.", engine.GetErrorMsg().GetBuffer());
    EXPECT_FALSE(engine.SetPerspective(1.0f, 1.0f, 1.0f, 10.0f));
    EXPECT_STREQ("Error: in XGameEngine::SetPerspective, Device is NULL.", engine.GetErrorMsg().GetBuffer());
    EXPECT_FALSE(engine.Draw());
    EXPECT_STREQ("Error: in XGameEngine::Draw, the device is not initialized.", engine.GetErrorMsg().GetBuffer());
    EXPECT_FALSE(engine.SetZEnable(true));
    EXPECT_EQ(nullptr, engine.GetDevice());
}

TEST(Engine, PathGetsItsBackslashAndTexturesUseOnlyTheLastNamePart)
{
    XGameEngine engine;
    engine.SetPath("media");
    EXPECT_STREQ("media\\", engine.GetPath().GetBuffer());
    engine.SetPath("other\\");
    EXPECT_STREQ("other\\", engine.GetPath().GetBuffer());

    XDXTexture texture;
    EXPECT_FALSE(texture.Load("art\\cubes\\Blue.bmp", 0, 0));
    EXPECT_STREQ("other\\Blue.bmp", texture.GetFileName().GetBuffer());
    EXPECT_STREQ("Error: in XDXTexture::Load, the current device is NULL.", texture.GetErrorMsg().GetBuffer());
    EXPECT_FALSE(texture.Draw(0, 0, 0, 0, 0, 0, 1.0f, 1.0f, 0xFFFFFFFF, true));
    EXPECT_STREQ("Error: in XDXTexture::Draw, m_pd3dTexture is NULL.", texture.GetErrorMsg().GetBuffer());
}

TEST(Engine, DefaultProjectionShowsASquareAsASquareOnEveryWindowShape)
{
    const unsigned sizes[][2] = {{1024, 768}, {1280, 720}, {640, 480}, {768, 1024}};
    for (const auto& size : sizes)
    {
        const plk::gfx::Matrix projection = XGameEngine::DefaultProjection(size[0], size[1]);
        const plk::gfx::Vector3 right = plk::gfx::TransformCoord({10.0f, 0.0f, 100.0f}, projection);
        const plk::gfx::Vector3 up = plk::gfx::TransformCoord({0.0f, 10.0f, 100.0f}, projection);
        const float widthPixels = right.x * static_cast<float>(size[0]) / 2.0f;
        const float heightPixels = up.y * static_cast<float>(size[1]) / 2.0f;
        EXPECT_NEAR(widthPixels, heightPixels, 0.01f) << size[0] << " x " << size[1];
        EXPECT_GT(heightPixels, 0.0f);
    }
}

TEST(Engine, ThePointerGoesWithTheEngine)
{
    {
        XGameEngine engine;
        EXPECT_EQ(&engine, XGameEngine::GetEngine());
    }
    EXPECT_EQ(nullptr, XGameEngine::GetEngine());
}

TEST(Input, ReleasedMeansDownLastFrameAndUpNow)
{
    XDXInput input;
    input.Init();
    const auto key = [&input](bool down) {
        plk::Event event;
        event.type = down ? plk::EventType::kKeyDown : plk::EventType::kKeyUp;
        event.key = plk::kKeyPrintScreen;
        input.HandleEvent(event);
    };
    key(true);
    input.Read();
    EXPECT_TRUE(input.KeyDown(plk::kKeyPrintScreen));
    EXPECT_FALSE(input.KeyReleased(plk::kKeyPrintScreen));
    input.Read(); // held
    EXPECT_TRUE(input.KeyDown(plk::kKeyPrintScreen));
    key(false);
    input.Read();
    EXPECT_TRUE(input.KeyReleased(plk::kKeyPrintScreen));
    EXPECT_TRUE(input.AnyKeyReleased());
    input.Read();
    EXPECT_FALSE(input.KeyReleased(plk::kKeyPrintScreen));

    // Down and up between two reads never showed as down: no release either.
    key(true);
    key(false);
    input.Read();
    EXPECT_FALSE(input.KeyReleased(plk::kKeyPrintScreen));
    EXPECT_FALSE(input.KeyDown(-1));
    EXPECT_FALSE(input.KeyReleased(256));
}

TEST(Input, MouseButtonsMovementAndReset)
{
    XDXInput input;
    plk::Event move;
    move.type = plk::EventType::kMouseMove;
    move.x = 40;
    move.y = 50;
    move.dx = 3;
    move.dy = -2;
    input.HandleEvent(move);
    plk::Event press;
    press.type = plk::EventType::kMouseButtonDown;
    press.button = plk::kMouseLeft;
    input.HandleEvent(press);
    input.Read();
    EXPECT_EQ(40, input.GetMouseX());
    EXPECT_EQ(-2, input.GetMovementY());
    EXPECT_TRUE(input.MouseButtonDown(0));
    EXPECT_FALSE(input.MouseButtonDown(3)); // the game knows three buttons
    press.type = plk::EventType::kMouseButtonUp;
    input.HandleEvent(press);
    input.Read();
    EXPECT_EQ(0, input.GetMovementX()); // movement is per frame
    EXPECT_TRUE(input.MouseButtonReleased(0));

    input.HandleEvent(move);
    input.Reset(); // queued events go too
    input.Read();
    EXPECT_EQ(0, input.GetMouseX());
    EXPECT_FALSE(input.MouseButtonReleased(0));
}
