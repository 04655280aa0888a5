// Frames per second of the engine at 1024 x 768 without the frame cap: an empty screen stack, and a
// screen drawing 200 sprites and 20 lines of text. Needs a display (xvfb-run or SDL_VIDEODRIVER=offscreen).
#include "bench/BenchEngine.h"
#include "engine/XDXFont.h"
#include "engine/XDXTexture.h"
#include "engine/XGameEngine.h"
#include "engine/XGameScreen.h"
#include "platform/image/Image.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace
{

const int kSpriteSide = 32;

class BusyScreen : public XGameScreen
{
public:
    BusyScreen(int sprites, int textLines) : m_sprites(sprites), m_textLines(textLines) {}

    void MyInit() override
    {
        m_loaded = m_texture.Load("bench_sprite.bmp", 0xFFFF00FF, 0);
        m_fontReady = m_font.Create("Arial", 12, false, false);
        if (!m_loaded || !m_fontReady)
            std::fprintf(stderr, "%s%s\n", m_texture.GetErrorMsg().GetBuffer(), m_font.GetErrorMsg().GetBuffer());
    }

    void MyDraw() override
    {
        for (int i = 0; m_loaded && i < m_sprites; ++i)
            m_texture.Draw((i * 37) % (kWidth - kSpriteSide), (i * 53) % (kHeight - kSpriteSide), 0, 0, 0, 0, 1.0f,
                           1.0f, 0xFFFFFFFF, true);
        for (int line = 0; m_fontReady && line < m_textLines; ++line)
            m_font.Print("The quick brown fox jumps over the lazy dog 0123456789", 20, 20 + line * 18, 0, 0,
                         0xFFFFFF00, 0);
    }

private:
    XDXTexture m_texture;
    XDXFont m_font;
    bool m_loaded = false;
    bool m_fontReady = false;
    int m_sprites;
    int m_textLines;
};

// One engine for the whole run, as in the game.
struct Bench
{
    std::filesystem::path media = std::filesystem::temp_directory_path() / "plk-bench-engine";
    std::unique_ptr<XGameEngine> engine;

    bool Start()
    {
        std::filesystem::create_directories(media);
        plk::Image image(kSpriteSide, kSpriteSide, 0x3080E0FFu);
        for (int y = 8; y < 24; ++y)
            for (int x = 8; x < 24; ++x)
                image.At(x, y)[0] = 255, image.At(x, y)[1] = 0, image.At(x, y)[2] = 255;
        if (plk::SaveBmp((media / "bench_sprite.bmp").string(), image, plk::BmpDepth::kRgb24) != 0)
            return false;
        engine = StartBenchEngine(media);
        return engine != nullptr;
    }
};

Bench& GetBench()
{
    return StartedOnce<Bench>();
}

// One frame as Run makes it: draw and present, read input, update the screen stack.
void Frame(XGameEngine& engine, benchmark::State& state)
{
    bool quit = false;
    if (!engine.Draw())
        state.SkipWithError(engine.GetErrorMsg().GetBuffer());
    engine.m_input.Read();
    engine.Update(quit);
}

void BM_EmptyStack(benchmark::State& state)
{
    XGameEngine& engine = *GetBench().engine;
    for (auto _ : state)
    {
        bool quit = false;
        if (!engine.Draw())
            state.SkipWithError(engine.GetErrorMsg().GetBuffer());
        engine.m_input.Read();
        (void)quit;
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_SpritesAndText(benchmark::State& state)
{
    XGameEngine& engine = *GetBench().engine;
    engine.AddScreen(false, false, true, new BusyScreen(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))),
                     nullptr);
    bool quit = false;
    engine.Update(quit); // activates the screen
    for (auto _ : state)
        Frame(engine, state);
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_EmptyStack)->Unit(benchmark::kMillisecond)->UseRealTime();
// Sprites and lines of text: the screen of the target, then each half alone.
BENCHMARK(BM_SpritesAndText)->Args({200, 20})->Args({200, 0})->Args({0, 20})->Unit(benchmark::kMillisecond)->UseRealTime();
