// Recipes of the cubes' sounds: knocks, thuds, slides, drops, removals, bombs and the lifter.
#include "tools/soundgen/Effects.h"

#include <algorithm>
#include <cmath>

namespace plk::soundgen
{

namespace
{

// A burst of filtered noise: `decay` seconds time constant, band-passed around `hz`.
void AddNoiseBurst(Buffer& out, Random& random, double start, double hz, double q, double decay, double gain)
{
    Svf filter;
    filter.Set(hz, q);
    const int first = Samples(start);
    for (int i = first; i < static_cast<int>(out.size()); ++i)
    {
        const double t = static_cast<double>(i - first) / kSampleRate;
        filter.Process(random.Bipolar());
        out[i] += static_cast<float>(gain * filter.Band() * std::exp(-t / decay));
    }
}

} // namespace

Buffer HitWall(Random& random)
{
    // A stone cube against a wall: a hard click and a few short, bright resonances.
    Buffer out(Samples(0.26), 0.0f);
    AddNoiseBurst(out, random, 0.0, 3000.0, 0.8, 0.003, 1.2);
    AddModes(out, 0.0, {{190.0, 1.0, 0.06}, {415.0, 0.6, 0.04}, {780.0, 0.4, 0.025}, {1330.0, 0.25, 0.015}}, 0.8);
    return out;
}

Buffer Thump(Random& random)
{
    // Cube meets cube: duller and lower than the wall, the body does the talking.
    Buffer out(Samples(0.3), 0.0f);
    AddNoiseBurst(out, random, 0.0, 700.0, 0.7, 0.006, 0.8);
    AddModes(out, 0.0, {{96.0, 1.0, 0.09}, {212.0, 0.5, 0.05}, {365.0, 0.3, 0.03}}, 0.9);
    return out;
}

Buffer Crash(Random& random)
{
    // A falling cube lands: a dropping low thud, a crunch of grit and two small rattles.
    Buffer out(Samples(0.4), 0.0f);
    AddSweep(out, 0.0, 140.0, 52.0, 0.07, 0.12, 1.0);
    AddNoiseBurst(out, random, 0.0, 1200.0, 0.6, 0.035, 1.1);
    AddNoiseBurst(out, random, 0.045, 2200.0, 1.5, 0.012, 0.4);
    AddNoiseBurst(out, random, 0.08, 1800.0, 1.5, 0.01, 0.25);
    return out;
}

Buffer Slide(Random& random)
{
    // Stone scraping over stone: band-passed noise whose grain comes from a slow random wobble.
    Buffer out(Samples(0.6), 0.0f);
    Svf body;
    body.Set(900.0, 1.2);
    Svf grit;
    grit.Set(2600.0, 3.0);
    OnePoleLowpass wobble;
    wobble.Set(25.0);
    const double length = out.size() / static_cast<double>(kSampleRate);
    for (size_t i = 0; i < out.size(); ++i)
    {
        const double t = static_cast<double>(i) / kSampleRate;
        const float white = random.Bipolar();
        body.Process(white);
        grit.Process(white);
        const double rough = 0.6 + 3.0 * std::fabs(wobble.Process(random.Bipolar()));
        const double swell = std::min(1.0, t / 0.03) * std::min(1.0, (length - t) / 0.25);
        out[i] = static_cast<float>((body.Band() + 0.35 * grit.Band()) * rough * swell);
    }
    return out;
}

Buffer Drop(Random& random)
{
    // A spare cube falls in: a falling whoosh and the thud when it lands.
    Buffer out(Samples(0.6), 0.0f);
    Svf filter;
    const double fall = 0.28;
    for (int i = 0; i < Samples(fall); ++i)
    {
        const double x = static_cast<double>(i) / Samples(fall);
        if (i % 16 == 0)
            filter.Set(2500.0 * std::pow(0.16, x), 1.5);
        filter.Process(random.Bipolar());
        out[i] += static_cast<float>(0.5 * filter.Band() * x * x);
    }
    AddSweep(out, fall, 130.0, 60.0, 0.05, 0.1, 1.0);
    AddNoiseBurst(out, random, fall, 800.0, 0.7, 0.012, 0.8);
    return out;
}

Buffer ExplodeBlock(Random& random)
{
    // A matched cube vanishes: a soft pop and a spray of little chimes rising off it.
    Buffer out(Samples(0.75), 0.0f);
    AddNoiseBurst(out, random, 0.0, 1800.0, 0.7, 0.02, 1.2);
    AddSweep(out, 0.0, 420.0, 120.0, 0.03, 0.05, 0.8);
    const int sparkles = 7;
    for (int k = 0; k < sparkles; ++k)
    {
        const double at = 0.02 + 0.04 * k + random.Range(0.0, 0.02);
        const double hz = 1600.0 * std::pow(2.0, (k + random.Range(0.0, 1.0)) / 7.0);
        AddModes(out, at, {{hz, 1.0, random.Range(0.06, 0.12)}, {hz * 2.76, 0.3, 0.03}}, 0.35 * (1.0 - 0.08 * k));
    }
    AddRoom(out, 0.35, 0.5, 0.25f);
    return out;
}

Buffer ExplodeBomb(Random& random)
{
    // A boom: a deep falling thump, a blast of noise that darkens as it fades, and crackle.
    Buffer out(Samples(1.8), 0.0f);
    AddSweep(out, 0.0, 95.0, 32.0, 0.15, 0.45, 1.0);
    Svf blast;
    Svf crackle;
    crackle.Set(2500.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i)
    {
        const double t = static_cast<double>(i) / kSampleRate;
        if (i % 16 == 0)
            blast.Set(150.0 + 3800.0 * std::exp(-t / 0.22), 0.7);
        blast.Process(random.Bipolar());
        double v = 1.4 * blast.Low() * std::exp(-t / 0.45);
        const float impulse = random.Uniform() < 0.004 * std::exp(-t / 0.3) ? random.Bipolar() * 6.0f : 0.0f;
        crackle.Process(impulse);
        v += 0.5 * crackle.Band();
        out[i] += static_cast<float>(std::tanh(1.5 * v) / 1.5);
    }
    AddRoom(out, 0.75, 0.5, 0.3f);
    return out;
}

Buffer LifterMorph(Random& random)
{
    // Machinery waking: a whirring, resonant rising buzz that settles with a clunk.
    Buffer out(Samples(0.85), 0.0f);
    Svf filter;
    double a = 0.0;
    double b = 0.0;
    const double rise = 0.62;
    for (int i = 0; i < Samples(rise); ++i)
    {
        const double t = static_cast<double>(i) / kSampleRate;
        const double x = t / rise;
        const double f = 90.0 * std::pow(2.9, x);
        a += f / kSampleRate;
        b += f * 1.007 / kSampleRate;
        if (i % 16 == 0)
            filter.Set(400.0 * std::pow(7.0, x), 4.0);
        const double saw = (2.0 * (a - std::floor(a)) - 1.0) + (2.0 * (b - std::floor(b)) - 1.0);
        filter.Process(static_cast<float>(0.5 * saw));
        const double whirr = 0.6 + 0.4 * std::sin(2.0 * kPi * 14.0 * t);
        const double shape = std::min(1.0, t / 0.02) * std::min(1.0, (rise - t) / 0.1);
        out[i] = static_cast<float>(filter.Low() * whirr * shape);
    }
    AddModes(out, rise - 0.02, {{150.0, 1.0, 0.06}, {330.0, 0.5, 0.04}}, 0.8);
    AddNoiseBurst(out, random, rise - 0.02, 1500.0, 0.8, 0.008, 0.7);
    return out;
}

} // namespace plk::soundgen
