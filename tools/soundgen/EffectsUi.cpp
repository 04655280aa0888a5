// Recipes of the interface sounds: hover, select, confirm, warnings and the level fanfare.
#include "tools/soundgen/Effects.h"

#include "tools/soundgen/Instrument.h"

#include <cmath>

namespace plk::soundgen
{

namespace
{

// A bright, soft bell for chimes: a sine modulated at a non-integer ratio decays into a pure tone.
Instrument Bell()
{
    Instrument bell;
    bell.wave = Wave::kFm;
    bell.fmRatio = 3.5f;
    bell.fmIndex = 2.5f;
    bell.fmDecay = 0.12f;
    bell.env = {0.002f, 0.5f, 0.0f, 0.2f};
    bell.volume = 0.5f;
    bell.send = 0.0f;
    return bell;
}

void PlayNote(Buffer& out, const Instrument& in, double start, double held, int midi, float velocity)
{
    Buffer unused(out.size(), 0.0f);
    Note n;
    n.start = Samples(start);
    n.held = Samples(held);
    n.hz = MidiToHz(midi);
    n.velocity = velocity;
    RenderNote(in, n, out, unused);
}

} // namespace

Buffer MouseOver(Random&)
{
    // A tiny upward glint: short and high so that sweeping over many buttons never turns to mush.
    Buffer out(Samples(0.07), 0.0f);
    AddSweep(out, 0.0, 1500.0, 1760.0, 0.02, 0.014, 1.0);
    AddSweep(out, 0.0, 3000.0, 3520.0, 0.02, 0.008, 0.2);
    return out;
}

Buffer SelectBlock(Random&)
{
    // A wooden tock: an FM knock whose brightness dies in a few milliseconds.
    Buffer out(Samples(0.13), 0.0f);
    double carrier = 0.0;
    double modulator = 0.0;
    for (size_t i = 0; i < out.size(); ++i)
    {
        const double t = static_cast<double>(i) / kSampleRate;
        carrier += 640.0 / kSampleRate;
        modulator += 960.0 / kSampleRate;
        const double index = 3.0 * std::exp(-t / 0.008);
        const double v = std::sin(2.0 * kPi * carrier + index * std::sin(2.0 * kPi * modulator));
        out[i] = static_cast<float>(v * std::exp(-t / 0.028));
    }
    AddModes(out, 0.0, {{1280.0, 0.25, 0.02}}, 1.0);
    return out;
}

Buffer SelectArrow(Random&)
{
    // Two rising notes, a fourth apart: "go".
    Buffer out(Samples(0.18), 0.0f);
    Instrument blip;
    blip.wave = Wave::kTriangle;
    blip.env = {0.002f, 0.05f, 0.3f, 0.03f};
    blip.volume = 0.6f;
    PlayNote(out, blip, 0.0, 0.05, 83, 0.9f);   // B5
    PlayNote(out, blip, 0.055, 0.07, 88, 1.0f); // E6
    return out;
}

Buffer LowTime(Random&)
{
    // One urgent beep and then silence: the game restarts it whenever it ends, so the file's
    // length sets the pace of the warning, two beeps a second.
    Buffer out(Samples(0.5), 0.0f);
    Instrument beep;
    beep.wave = Wave::kSquare;
    beep.duty = 0.35f;
    beep.cutoff = 3200.0f;
    beep.env = {0.003f, 0.04f, 0.7f, 0.03f};
    beep.volume = 0.5f;
    PlayNote(out, beep, 0.0, 0.09, 84, 1.0f); // C6
    PlayNote(out, Bell(), 0.0, 0.09, 96, 0.35f);
    return out;
}

Buffer LevelUp(Random&)
{
    // A quick major arpeggio that lands on a ringing chord.
    Buffer out(Samples(1.7), 0.0f);
    Instrument lead;
    lead.wave = Wave::kSquare;
    lead.duty = 0.25f;
    lead.cutoff = 2600.0f;
    lead.envmod = 1.0f;
    lead.env = {0.004f, 0.15f, 0.6f, 0.25f};
    lead.volume = 0.28f;
    const int arpeggio[] = {72, 76, 79, 84}; // C5 E5 G5 C6
    const double step = 0.085;
    for (int k = 0; k < 4; ++k)
    {
        PlayNote(out, lead, k * step, k == 3 ? 0.7 : step * 0.9, arpeggio[k], 0.9f);
        PlayNote(out, Bell(), k * step, 0.1, arpeggio[k] + 12, 0.5f);
    }
    const double chordAt = 4 * step;
    Instrument pad;
    pad.wave = Wave::kSaw;
    pad.detune = 9.0f;
    pad.cutoff = 1800.0f;
    pad.env = {0.02f, 0.3f, 0.6f, 0.45f};
    pad.volume = 0.12f;
    for (int midi : {60, 64, 67, 72})
        PlayNote(out, pad, chordAt, 0.6, midi, 0.9f);
    AddRoom(out, 0.55, 0.4, 0.35f);
    return out;
}

Buffer Warp(Random&)
{
    // Two FM voices gliding apart, one up and one down, with a fast shimmer: matter in transit.
    Buffer out(Samples(1.0), 0.0f);
    double up = 0.0;
    double down = 0.0;
    double modUp = 0.0;
    double modDown = 0.0;
    const double length = out.size() / static_cast<double>(kSampleRate);
    for (size_t i = 0; i < out.size(); ++i)
    {
        const double t = static_cast<double>(i) / kSampleRate;
        const double x = t / length;
        const double fUp = 250.0 * std::pow(6.0, x);
        const double fDown = 1200.0 * std::pow(0.25, x);
        up += fUp / kSampleRate;
        down += fDown / kSampleRate;
        modUp += fUp * 1.41 / kSampleRate;
        modDown += fDown * 0.5 / kSampleRate;
        // Kept modest: a deep index on the rising voice would fold back above 11 kHz.
        const double index = 1.2 + 2.0 * std::sin(kPi * x);
        const double a = std::sin(2.0 * kPi * up + index * std::sin(2.0 * kPi * modUp));
        const double b = std::sin(2.0 * kPi * down + 0.7 * index * std::sin(2.0 * kPi * modDown));
        const double shimmer = 0.7 + 0.3 * std::sin(2.0 * kPi * 17.0 * t);
        const double hump = std::pow(std::sin(kPi * x), 1.5);
        out[i] = static_cast<float>((0.5 * a + 0.4 * b) * shimmer * hump);
    }
    AddRoom(out, 0.5, 0.3, 0.3f);
    return out;
}

} // namespace plk::soundgen
