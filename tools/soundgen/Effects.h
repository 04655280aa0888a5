// The game's sound effects, each a recipe of synthesis code named in content/sound/effects.txt.
#pragma once

#include "tools/soundgen/Dsp.h"

#include <string>
#include <vector>

namespace plk::soundgen
{

struct EffectRecipe
{
    std::string name;
    // Seamless loops keep their seam; others fade in and out and end in silence.
    bool loops = false;
    Buffer (*render)(Random& random);
};

// Every known recipe; names are those of effects.txt.
const std::vector<EffectRecipe>& EffectRecipes();
const EffectRecipe* FindEffectRecipe(const std::string& name);

// Renders the recipe and matches its loudness: `level` is the RMS of its loudest 50 ms.
Buffer RenderEffect(const EffectRecipe& recipe, uint64_t seed, float level);

// Recipes of the interface sounds (EffectsUi.cpp) and of the world sounds (EffectsWorld.cpp,
// EffectsWeather.cpp).
Buffer MouseOver(Random& random);
Buffer SelectBlock(Random& random);
Buffer SelectArrow(Random& random);
Buffer LowTime(Random& random);
Buffer LevelUp(Random& random);
Buffer Warp(Random& random);
Buffer HitWall(Random& random);
Buffer Thump(Random& random);
Buffer Crash(Random& random);
Buffer Slide(Random& random);
Buffer Drop(Random& random);
Buffer ExplodeBlock(Random& random);
Buffer ExplodeBomb(Random& random);
Buffer LifterMorph(Random& random);
Buffer Rain(Random& random);
Buffer Thunder(Random& random);

// Building blocks shared by the recipes.
// Adds decaying sine modes (a struck object's resonances) starting at `start` seconds.
struct Mode
{
    double hz;
    double amplitude;
    double decay;
};
void AddModes(Buffer& out, double start, const std::vector<Mode>& modes, double gain);
// Adds a sine whose pitch glides exponentially from f0 to f1 with time constant `glide`, its
// amplitude falling with time constant `decay`.
void AddSweep(Buffer& out, double start, double f0, double f1, double glide, double decay, double gain);
// Runs the buffer through a reverb and mixes it back at `wet`.
void AddRoom(Buffer& out, double room, double damping, float wet);

} // namespace plk::soundgen
