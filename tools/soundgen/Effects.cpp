// The effect table and the shared pieces of the recipes.
#include "tools/soundgen/Effects.h"

#include "tools/soundgen/Mastering.h"
#include "tools/soundgen/Reverb.h"

#include <algorithm>
#include <cmath>

namespace plk::soundgen
{

namespace
{

// Short enough to judge a click by its attack, long enough to hold a low thud's first cycles.
const double kLoudnessWindow = 0.05;
// A whole loop of rain is steady: judge it over a longer stretch.
const double kLoopLoudnessWindow = 1.0;
const double kEdgeFadeIn = 0.001;
const double kEdgeFadeOut = 0.01;
// A resonance that starts at full strength clicks across the whole spectrum; a millisecond of
// rise keeps a strike crisp without that.
const double kModeAttack = 0.001;

} // namespace

const std::vector<EffectRecipe>& EffectRecipes()
{
    static const std::vector<EffectRecipe> kRecipes = {
        {"mouse_over", false, MouseOver},     {"select_block", false, SelectBlock},
        {"select_arrow", false, SelectArrow}, {"low_time", false, LowTime},
        {"level_up", false, LevelUp},         {"warp", false, Warp},
        {"hit_wall", false, HitWall},         {"thump", false, Thump},
        {"crash", false, Crash},              {"slide", false, Slide},
        {"drop", false, Drop},                {"explode_block", false, ExplodeBlock},
        {"explode_bomb", false, ExplodeBomb}, {"lifter_morph", false, LifterMorph},
        {"rain", true, Rain},                 {"thunder", false, Thunder},
    };
    return kRecipes;
}

const EffectRecipe* FindEffectRecipe(const std::string& name)
{
    for (const EffectRecipe& r : EffectRecipes())
    {
        if (r.name == name)
            return &r;
    }
    return nullptr;
}

Buffer RenderEffect(const EffectRecipe& recipe, uint64_t seed, float level)
{
    Random random(seed);
    Buffer out = recipe.render(random);
    if (recipe.loops)
    {
        MatchLoudness(out, level, kLoopLoudnessWindow);
        return out;
    }
    DcBlocker dc;
    for (float& s : out)
        s = dc.Process(s);
    MatchLoudness(out, level, kLoudnessWindow);
    FadeEdges(out, kEdgeFadeIn, kEdgeFadeOut);
    return out;
}

void AddModes(Buffer& out, double start, const std::vector<Mode>& modes, double gain)
{
    const int first = Samples(start);
    for (int i = first; i < static_cast<int>(out.size()); ++i)
    {
        const double t = static_cast<double>(i - first) / kSampleRate;
        double v = 0.0;
        for (const Mode& m : modes)
            v += m.amplitude * std::sin(2.0 * kPi * m.hz * t) * std::exp(-t / m.decay);
        out[i] += static_cast<float>(gain * v * std::min(1.0, t / kModeAttack));
    }
}

void AddSweep(Buffer& out, double start, double f0, double f1, double glide, double decay, double gain)
{
    const int first = Samples(start);
    double phase = 0.0;
    for (int i = first; i < static_cast<int>(out.size()); ++i)
    {
        const double t = static_cast<double>(i - first) / kSampleRate;
        const double f = f1 + (f0 - f1) * std::exp(-t / glide);
        phase += f / kSampleRate;
        out[i] += static_cast<float>(gain * std::sin(2.0 * kPi * phase) * std::exp(-t / decay));
    }
}

void AddRoom(Buffer& out, double room, double damping, float wet)
{
    Reverb reverb(room, damping);
    const Buffer dry = out;
    reverb.Apply(dry, out, wet);
}

} // namespace plk::soundgen
