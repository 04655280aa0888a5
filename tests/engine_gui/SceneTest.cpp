// A lit, fogged, textured scene of box and mesh objects and a particle system on a real window,
// taken through the screenshot taker and checked pixel by pixel: lit faces brighter than shaded
// ones, back faces culled, far objects in the fog colour, particles visible.
#include "Bitmap.h"

#include "engine/XBasicMesh.h"
#include "engine/XDXBoxObject.h"
#include "engine/XDXMeshObject.h"
#include "engine/XDXTexture.h"
#include "engine/XGameEngine.h"
#include "engine/XParticleSystem.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/DeviceLighting.h"
#include "platform/image/Image.h"
#include "tests/engine/XFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace plk::gfx;

namespace
{

const int kWidth = 480;
const int kHeight = 360;
const uint32_t kSky = 0xFF000000;
const uint32_t kFogArgb = 0xFF3070C0;

plk::Image Filled(int size, uint8_t r, uint8_t g, uint8_t b)
{
    plk::Image image(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            uint8_t* p = image.At(x, y);
            p[0] = r;
            p[1] = g;
            p[2] = b;
            p[3] = 255;
        }
    return image;
}

int Brightness(const Rgb& c)
{
    return c.r + c.g + c.b;
}

class SceneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / "plk-engine-scene";
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        // A light checker for the boxes, a plain red for the mesh, a white disc for particles.
        plk::Image checker = Filled(64, 0, 0, 0);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
            {
                const uint8_t v = ((x / 16 + y / 16) % 2) ? 230 : 190;
                uint8_t* p = checker.At(x, y);
                p[0] = p[1] = p[2] = v;
            }
        ASSERT_EQ(0, plk::SaveImageFile((m_folder / "Checker.bmp").string(), checker));
        ASSERT_EQ(0, plk::SaveImageFile((m_folder / "Red.bmp").string(), Filled(8, 230, 40, 40)));
        plk::Image disc = Filled(32, 0, 0, 0);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
            {
                const float dx = x - 15.5f, dy = y - 15.5f;
                const uint8_t v = dx * dx + dy * dy < 225.0f ? 255 : 0;
                uint8_t* p = disc.At(x, y);
                p[0] = p[1] = p[2] = v;
            }
        ASSERT_EQ(0, plk::SaveImageFile((m_folder / "particle.bmp").string(), disc));
        std::ofstream(m_folder / "Square.x") << SquareMesh(10.0f, 4, {{1, 1, 1, 1, "Red.bmp"}});

        m_engine = std::make_unique<XGameEngine>();
        m_engine->SetPath((m_folder.string() + "/").c_str());
        ASSERT_TRUE(m_engine->Setup(true, true, kWidth, kHeight, 32, -1, nullptr, nullptr))
            << m_engine->GetErrorMsg().GetBuffer();
    }

    void TearDown() override
    {
        m_engine.reset();
        if (!HasFailure())
            fs::remove_all(m_folder);
    }

    // Pixel of a world point under the scene's view and projection.
    std::pair<int, int> Project(const Vector3& world) const
    {
        const Vector3 clip = TransformCoord(world, m_view * m_projection);
        return {static_cast<int>((clip.x + 1.0f) * 0.5f * kWidth), static_cast<int>((1.0f - clip.y) * 0.5f * kHeight)};
    }

    Rgb AtWorld(const Bitmap& shot, const Vector3& world) const
    {
        const auto [x, y] = Project(world);
        return shot.At(x, y);
    }

    fs::path m_folder;
    std::unique_ptr<XGameEngine> m_engine;
    Matrix m_view;
    Matrix m_projection;
};

} // namespace

TEST_F(SceneTest, LitFoggedTexturedObjectsAndParticles)
{
    Device* device = m_engine->GetDevice();
    ASSERT_NE(nullptr, device);
    m_view = MatrixLookAtLH({0.0f, 0.0f, -200.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    m_projection = device->GetTransform(kProjection);

    XDXTexture checker;
    ASSERT_TRUE(checker.Load("Checker.bmp", 0, 0)) << checker.GetErrorMsg().GetBuffer();
    XDXBoxObject box;
    box.Init(false, 0);
    box.Build(30.0f, 30.0f, 30.0f, &checker, 20.0f);
    box.SetPosition(-45.0f, 0.0f, 0.0f);
    XDXBoxObject farBox;
    farBox.Init(false, 0);
    farBox.Build(200.0f, 60.0f, 20.0f, &checker, 20.0f);
    farBox.SetPosition(0.0f, -60.0f, 500.0f);

    XBasicMesh square;
    ASSERT_TRUE(square.Load((m_folder / "Square.x").string().c_str(), nullptr, false, false))
        << square.GetErrorMsg().GetBuffer();
    XDXMeshObject facing, turned;
    facing.Init(false, 3);
    facing.SetMesh(&square);
    facing.SetPosition(40.0f, -20.0f, 0.0f);
    turned.Init(false, 3);
    turned.SetMesh(&square);
    turned.SetPosition(40.0f, 25.0f, 0.0f);
    turned.SetRotationDegrees(0.0f, 180.0f, 0.0f);

    XParticleSystem sparks;
    sparks.Init(false, 0);
    sparks.m_iMaxParticles = 60;
    sparks.m_iParticlesPerEmission = 60;
    sparks.m_fLifetime = 100000.0f;
    sparks.m_fStartSize = 6.0f;
    sparks.m_fStartSizeRange = 0.0f;
    sparks.m_fEndSize = 6.0f;
    sparks.m_vVelocityRange = {0.0f, 0.0f, 0.0f};
    sparks.m_vPositionRange = {8.0f, 4.0f, 0.0f};
    sparks.m_startColor[1] = sparks.m_startColor[2] = 0.2f;
    sparks.m_endColor[1] = sparks.m_endColor[2] = 0.2f;
    sparks.m_endColor[3] = 1.0f;
    sparks.SetPosition(0.0f, 45.0f, 0.0f);
    ASSERT_EQ(XParticleSystem::kOk, sparks.Restore()) << sparks.GetErrorMsg().GetBuffer();
    EXPECT_TRUE(sparks.HasPointSizePerVertex());
    sparks.UpdateParticles(2.0f);
    ASSERT_EQ(60, sparks.GetLiveCount());

    ASSERT_TRUE(m_engine->m_screenShot.SetDirectory((m_folder.string() + "/").c_str()));
    ASSERT_TRUE(m_engine->Clear(kSky, 1.0f));
    ASSERT_EQ(kOk, device->BeginScene());
    device->SetTransform(kView, m_view);
    device->SetRenderState(kLighting, 1);
    device->SetRenderState(kAmbient, 0xFF282828);
    Light sun;
    sun.direction = Normalize({0.6f, -0.3f, 1.0f});
    ASSERT_EQ(kOk, SetLight(*device, 0, sun));
    ASSERT_EQ(kOk, LightEnable(*device, 0, true));
    m_engine->SetFog(true, kFogArgb, kFogLinear, 300.0f, 600.0f, 0.0f, false);

    box.Draw();
    farBox.Draw();
    facing.Draw();
    turned.Draw();
    device->SetRenderState(kLighting, 0);
    ASSERT_EQ(kOk, sparks.Render(XParticleSystem::kBlendAdditive));
    ASSERT_EQ(kOk, device->EndScene());
    ASSERT_TRUE(m_engine->m_screenShot.TakeScreenShot()) << m_engine->m_screenShot.GetErrorMsg().GetBuffer();

    Bitmap shot;
    ASSERT_TRUE(shot.Load((m_folder / "0.bmp").string()));
    // Left in the test's folder for a person to look at.
    fs::copy_file(m_folder / "0.bmp", "engine_scene.bmp", fs::copy_options::overwrite_existing);
    // The box's front faces the light; its right side turns away and keeps the ambient only.
    const Rgb front = AtWorld(shot, {-45.0f, 0.0f, -15.0f});
    const Rgb side = AtWorld(shot, {-30.0f, 0.0f, -5.0f});
    EXPECT_GT(Brightness(front), Brightness(side) + 150) << "front " << front.r << " side " << side.r;
    EXPECT_GT(Brightness(side), 30) << "the shaded side still shows its ambient light";
    // The checker texture shows as two tones across the lit face.
    int low = 765, high = 0;
    for (float x = -58.0f; x <= -32.0f; x += 1.0f)
    {
        const int b = Brightness(AtWorld(shot, {x, 5.0f, -15.0f}));
        low = std::min(low, b);
        high = std::max(high, b);
    }
    EXPECT_GT(high - low, 40) << "the box shows its texture";
    // The red square facing the camera is drawn red; the one turned away is culled.
    const Rgb red = AtWorld(shot, {40.0f, -20.0f, 0.0f});
    EXPECT_GT(red.r, 120);
    EXPECT_LT(red.g, 60);
    EXPECT_TRUE(Near({0, 0, 0}, AtWorld(shot, {40.0f, 25.0f, 0.0f}), 8)) << "a back face was drawn";
    // The far box lies beyond the fog's end: all fog colour.
    EXPECT_TRUE(Near(FromArgb(kFogArgb), AtWorld(shot, {0.0f, -60.0f, 490.0f}), 6));
    // Red sparks above the centre; where they overlap, the additive blend saturates to white.
    int sparkPixels = 0, redPixels = 0;
    const auto [cx, cy] = Project({0.0f, 45.0f, 0.0f});
    for (int y = cy - 25; y <= cy + 25; ++y)
        for (int x = cx - 45; x <= cx + 45; ++x)
        {
            const Rgb c = shot.At(x, y);
            sparkPixels += c.r > 150;
            redPixels += c.r > 150 && c.g < 100;
        }
    EXPECT_GT(sparkPixels, 300) << "particles drawn as point sprites";
    EXPECT_GT(redPixels, 30) << "the sparks keep their colour";
}
