// The synthesised instruments of the music and of the tonal effects: one voice per note.
#pragma once

#include "tools/soundgen/Dsp.h"

#include <string>

namespace plk::soundgen
{

enum class Wave
{
    kSine,
    kTriangle,
    kSaw,
    kSquare,
    kFm,    // two-operator FM with a decaying index: bells, electric piano, marimba
    kPluck, // decaying harmonics, the higher ones dying first: harp, guitar
    kOrgan, // steady harmonics
    kKick,
    kSnare,
    kHat,
    kOpenHat,
    kClap,
    kTom,
    kShaker,
};

// Returns false for an unknown name.
bool ParseWave(const std::string& name, Wave& out);

struct Instrument
{
    std::string name;
    Wave wave = Wave::kSine;
    Adsr env;
    float volume = 0.5f;
    // Share of the voice that goes into the reverb.
    float send = 0.2f;
    // Low-pass cutoff in Hz; envmod opens it by that many octaves at the attack, closing with the decay.
    float cutoff = 8000.0f;
    float resonance = 0.7f;
    float envmod = 0.0f;
    // A second oscillator this many cents above the first (0 = a single oscillator).
    float detune = 0.0f;
    // Pulse width of the square wave, 0..1.
    float duty = 0.5f;
    // Vibrato depth in semitones and rate in Hz; it fades in over the first few tenths of a second.
    float vibrato = 0.0f;
    float vibratoRate = 5.5f;
    float fmRatio = 2.0f;
    float fmIndex = 2.0f;
    float fmDecay = 0.4f;
    // Drums: base pitch in Hz (0 = the drum's own) and a scale on their decay.
    float pitch = 0.0f;
    float length = 1.0f;
    // Octave of chord-relative notes (chord roots fall into this octave).
    int octave = 4;

    bool IsDrum() const;
};

struct Note
{
    int start = 0;
    // Samples the key is held; the release follows.
    int held = 0;
    double hz = 440.0;
    float velocity = 1.0f;
    uint64_t seed = 1;
};

// Adds one note into `dry` and its reverb share into `send`; samples past the buffers are dropped.
void RenderNote(const Instrument& instrument, const Note& note, Buffer& dry, Buffer& send);

} // namespace plk::soundgen
