// Recipes of the weather: a seamless loop of rain and a roll of thunder.
#include "tools/soundgen/Effects.h"

#include <cmath>

namespace plk::soundgen
{

namespace
{

const double kRainSeconds = 8.0;
const int kRainDrops = 900;
// Enough periods that the filters forget their start before the kept one.
const int kWarmUpPeriods = 2;

} // namespace

Buffer Rain(Random& random)
{
    // Everything is built periodic: the noise and the drops are laid on a circle of one loop's
    // length, then the filters run over three turns of it and only the last is kept, so the last
    // sample leads into the first as naturally as any two neighbours.
    const int n = Samples(kRainSeconds);
    Buffer circle(n, 0.0f);
    for (float& s : circle)
        s = random.Bipolar();
    Buffer drops(n, 0.0f);
    for (int d = 0; d < kRainDrops; ++d)
    {
        const int at = static_cast<int>(random.Uniform() * n);
        const double hz = random.Range(1400.0, 4200.0);
        const double decay = random.Range(0.003, 0.009);
        const double amp = std::pow(random.Uniform(), 2.0);
        for (int i = 0; i < Samples(decay * 6.0); ++i)
        {
            const double t = static_cast<double>(i) / kSampleRate;
            drops[(at + i) % n] += static_cast<float>(amp * std::sin(2.0 * kPi * hz * t) * std::exp(-t / decay));
        }
    }
    Svf hiss;
    hiss.Set(3200.0, 0.5);
    Svf patter;
    patter.Set(700.0, 0.6);
    OnePoleLowpass soften;
    soften.Set(6000.0);
    DcBlocker dc;
    Buffer out(n, 0.0f);
    for (int turn = 0; turn <= kWarmUpPeriods; ++turn)
    {
        for (int i = 0; i < n; ++i)
        {
            // A gentle swell twice per loop, so the rain breathes instead of hissing flat.
            const double swell = 0.85 + 0.15 * std::sin(4.0 * kPi * i / n);
            hiss.Process(circle[i]);
            patter.Process(circle[(i * 7 + 13) % n]);
            const float v = soften.Process(static_cast<float>(swell * (0.5 * hiss.Band() + 0.35 * patter.Band()) + 0.6 * drops[i]));
            const float clean = dc.Process(v);
            if (turn == kWarmUpPeriods)
                out[i] = clean;
        }
    }
    return out;
}

Buffer Thunder(Random& random)
{
    // A near strike: a sharp crack, then a rumble that rolls in a few uneven waves and dies away.
    Buffer out(Samples(4.5), 0.0f);
    Svf crack;
    crack.Set(1500.0, 0.6);
    OnePoleLowpass rumble;
    rumble.Set(160.0);
    OnePoleLowpass rumble2;
    rumble2.Set(160.0);
    struct Swell
    {
        double at;
        double width;
        double amp;
    };
    Swell waves[5];
    for (int k = 0; k < 5; ++k)
        waves[k] = {0.15 + 0.55 * k + random.Range(0.0, 0.3), random.Range(0.25, 0.5), random.Range(0.5, 1.0) * (1.0 - 0.15 * k)};
    const double length = out.size() / static_cast<double>(kSampleRate);
    for (size_t i = 0; i < out.size(); ++i)
    {
        const double t = static_cast<double>(i) / kSampleRate;
        const float white = random.Bipolar();
        crack.Process(white);
        double v = 0.9 * crack.High() * std::exp(-t / 0.07) * std::min(1.0, t / 0.004);
        double roll = 0.3 * std::exp(-t / 1.3);
        for (const Swell& w : waves)
        {
            const double d = (t - w.at) / w.width;
            roll += w.amp * std::exp(-d * d);
        }
        const double fade = std::min(1.0, (length - t) / 0.8);
        v += 5.0 * rumble2.Process(rumble.Process(white)) * roll * fade;
        out[i] = static_cast<float>(v);
    }
    AddRoom(out, 0.85, 0.6, 0.3f);
    return out;
}

} // namespace plk::soundgen
