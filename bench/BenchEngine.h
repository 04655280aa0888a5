// The one engine of an engine benchmark, as in the game: 1024 x 768, windowed, no frame cap, its
// media in a temporary folder. Needs a display (xvfb-run or SDL_VIDEODRIVER=offscreen).
#pragma once

#include "engine/XGameEngine.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

const unsigned kWidth = 1024;
const unsigned kHeight = 768;

// Null when the engine cannot start; the reason is printed.
inline std::unique_ptr<XGameEngine> StartBenchEngine(const std::filesystem::path& media)
{
    auto engine = std::make_unique<XGameEngine>();
    engine->SetPath((media.string() + "/").c_str());
    engine->SetFrameRate(0.0f, false);
    if (!engine->Setup(true, true, kWidth, kHeight, 32, -1, nullptr, nullptr))
    {
        std::fprintf(stderr, "%s\n", engine->GetErrorMsg().GetBuffer());
        return nullptr;
    }
    return engine;
}

// The benchmark's fixture, started on first use and kept for the whole run; a fixture that cannot
// start ends the run, since every timing after it would be of nothing.
template <class Fixture>
Fixture& StartedOnce()
{
    static Fixture fixture;
    static const bool started = fixture.Start();
    if (!started)
        std::exit(1);
    return fixture;
}
