// Scene drawing at 1024 x 768: 600 textured cubes (12 triangles each, one shared mesh) lit and
// fogged, in frames per second; and one particle system of 2000 live particles, its update and
// render time per frame. Needs a display (xvfb-run or SDL_VIDEODRIVER=offscreen).
#include "bench/BenchEngine.h"
#include "engine/XBasicMesh.h"
#include "engine/XDXBoxObject.h"
#include "engine/XDXMeshObject.h"
#include "engine/XGameEngine.h"
#include "engine/XGameScreen.h"
#include "engine/XParticleSystem.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/DeviceLighting.h"
#include "platform/image/Image.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

namespace
{

const int kCubes = 600;

const int kCubesPerRow = 30;
const float kCubeSpacing = 12.0f;
const int kParticles = 2000;
const float kFrameMs = 16.0f;

// The generated 10-unit box written out as a text .x mesh with one textured material.
std::string CubeFile()
{
    XDXBoxObject box;
    box.Build(10.0f, 10.0f, 10.0f, nullptr, 10.0f);
    const gfx::MeshData& d = box.GetBoxData();
    std::ostringstream x;
    x << "xof 0303txt 0032\nMesh Cube {\n " << d.positions.size() << ";\n";
    for (size_t i = 0; i < d.positions.size(); ++i)
        x << " " << d.positions[i][0] << ";" << d.positions[i][1] << ";" << d.positions[i][2] << ";"
          << (i + 1 == d.positions.size() ? ";" : ",") << "\n";
    const size_t faces = d.indices.size() / 3;
    x << " " << faces << ";\n";
    for (size_t f = 0; f < faces; ++f)
        x << " 3;" << d.indices[f * 3] << "," << d.indices[f * 3 + 1] << "," << d.indices[f * 3 + 2] << ";"
          << (f + 1 == faces ? ";" : ",") << "\n";
    x << " MeshMaterialList {\n  1;\n  " << faces << ";\n";
    for (size_t f = 0; f < faces; ++f)
        x << "  0" << (f + 1 == faces ? ";" : ",") << "\n";
    x << "  Material Skin {\n   1.0;1.0;1.0;1.0;;\n   5.0;\n   0.0;0.0;0.0;;\n   0.0;0.0;0.0;;\n"
         "   TextureFilename {\n    \"bench_cube.bmp\";\n   }\n  }\n }\n";
    x << " MeshNormals {\n  " << d.normals.size() << ";\n";
    for (size_t i = 0; i < d.normals.size(); ++i)
        x << "  " << d.normals[i][0] << ";" << d.normals[i][1] << ";" << d.normals[i][2] << ";"
          << (i + 1 == d.normals.size() ? ";" : ",") << "\n";
    x << "  " << faces << ";\n";
    for (size_t f = 0; f < faces; ++f)
        x << "  3;" << d.indices[f * 3] << "," << d.indices[f * 3 + 1] << "," << d.indices[f * 3 + 2] << ";"
          << (f + 1 == faces ? ";" : ",") << "\n";
    x << " }\n MeshTextureCoords {\n  " << d.texCoords.size() << ";\n";
    for (size_t i = 0; i < d.texCoords.size(); ++i)
        x << "  " << d.texCoords[i][0] << ";" << d.texCoords[i][1] << ";" << (i + 1 == d.texCoords.size() ? ";" : ",")
          << "\n";
    x << " }\n}\n";
    return x.str();
}

class CubeScreen : public XGameScreen
{
public:
    CubeScreen(XBasicMesh& mesh, int cubes) : m_objects(cubes)
    {
        for (int i = 0; i < cubes; ++i)
        {
            m_objects[i].Init(false, 2);
            m_objects[i].SetMesh(&mesh);
            m_objects[i].SetPosition((i % kCubesPerRow - kCubesPerRow / 2) * kCubeSpacing, (i % 3) * 4.0f,
                                     (i / kCubesPerRow) * kCubeSpacing);
            m_objects[i].SetRotationDegrees(0.0f, static_cast<float>(i * 7 % 90), 0.0f);
        }
    }

    void MyInit() override {}

    void MyDraw() override
    {
        XGameEngine& engine = *XGameEngine::GetEngine();
        plk::gfx::Device& device = *engine.GetDevice();
        device.SetRenderState(plk::gfx::kLighting, 1);
        device.SetRenderState(plk::gfx::kAmbient, 0xFF303030);
        device.SetRenderState(plk::gfx::kZEnable, 1);
        plk::gfx::Light sun;
        sun.direction = plk::gfx::Normalize({0.4f, -0.8f, 0.5f});
        plk::gfx::SetLight(device, 0, sun);
        plk::gfx::LightEnable(device, 0, true);
        engine.SetFog(true, 0xFF8090A0, plk::gfx::kFogLinear, 150.0f, 450.0f, 0.0f, false);
        for (XDXMeshObject& object : m_objects)
            object.Draw();
        engine.SetFog(false, 0, 0, 0.0f, 0.0f, 0.0f, false);
        device.SetRenderState(plk::gfx::kLighting, 0);
    }

private:
    std::vector<XDXMeshObject> m_objects;
};

struct Bench
{
    std::filesystem::path media = std::filesystem::temp_directory_path() / "plk-bench-scene";
    std::unique_ptr<XGameEngine> engine;
    std::unique_ptr<XBasicMesh> cube;

    bool Start()
    {
        std::filesystem::create_directories(media);
        plk::Image image(64, 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
            {
                uint8_t* p = image.At(x, y);
                const bool dark = (x / 16 + y / 16) % 2 != 0;
                p[0] = dark ? 40 : 220, p[1] = dark ? 90 : 200, p[2] = dark ? 160 : 80, p[3] = 255;
            }
        if (plk::SaveBmp((media / "bench_cube.bmp").string(), image, plk::BmpDepth::kRgb24) != 0 ||
            plk::SaveBmp((media / "particle.bmp").string(), image, plk::BmpDepth::kRgb24) != 0)
            return false;
        std::ofstream(media / "BenchCube.x") << CubeFile();
        engine = StartBenchEngine(media);
        if (!engine)
            return false;
        cube = std::make_unique<XBasicMesh>();
        if (!cube->Load((media / "BenchCube.x").string().c_str(), nullptr, false, false))
        {
            std::fprintf(stderr, "%s\n", cube->GetErrorMsg().GetBuffer());
            return false;
        }
        engine->m_camera.LookAt({0.0f, 120.0f, -160.0f}, {0.0f, 0.0f, 120.0f});
        return true;
    }
};

Bench& GetBench()
{
    return StartedOnce<Bench>();
}

void BM_SixHundredCubes(benchmark::State& state)
{
    Bench& bench = GetBench();
    XGameEngine& engine = *bench.engine;
    engine.AddScreen(false, false, true, new CubeScreen(*bench.cube, static_cast<int>(state.range(0))), nullptr);
    bool quit = false;
    engine.Update(quit);
    for (auto _ : state)
    {
        if (!engine.Draw())
            state.SkipWithError(engine.GetErrorMsg().GetBuffer());
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// A fountain that keeps 2000 particles alive: the simulation step of one 16 ms frame.
void Fill(XParticleSystem& system)
{
    system.m_iMaxParticles = kParticles;
    system.m_iParticlesPerEmission = kParticles;
    system.m_fLifetime = 1e9f;
    system.m_vVelocityRange = {0.02f, 0.02f, 0.02f};
    system.m_vGravity = {0.0f, -0.00001f, 0.0f};
    system.m_bWind = false;
    system.m_fStartSize = 3.0f;
    system.UpdateParticles(2.0f);
}

void BM_ParticleUpdate(benchmark::State& state)
{
    XParticleSystem system;
    Fill(system);
    for (auto _ : state)
        system.UpdateParticles(kFrameMs);
    state.counters["live"] = system.GetLiveCount();
}

// Render of the same system: draws in batches of 512, then presents so the work is finished.
void BM_ParticleRender(benchmark::State& state)
{
    Bench& bench = GetBench();
    XGameEngine& engine = *bench.engine;
    plk::gfx::Device& device = *engine.GetDevice();
    XParticleSystem system;
    Fill(system);
    system.SetPosition(0.0f, 40.0f, 60.0f);
    if (system.Restore() != XParticleSystem::kOk)
        state.SkipWithError(system.GetErrorMsg().GetBuffer());
    device.SetTransform(plk::gfx::kView, engine.m_camera.GetViewMatrix());
    for (auto _ : state)
    {
        engine.Clear(0xFF000000, 1.0f);
        device.BeginScene();
        device.SetRenderState(plk::gfx::kLighting, 0);
        system.Render(XParticleSystem::kBlendAdditive);
        device.EndScene();
        device.Present();
    }
    state.counters["live"] = system.GetLiveCount();
}

} // namespace

BENCHMARK(BM_SixHundredCubes)->Arg(kCubes)->Arg(kCubes / 10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParticleUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParticleRender)->Unit(benchmark::kMillisecond)->UseRealTime();
