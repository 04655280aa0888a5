// Small signal-processing parts shared by the instruments and the effects: noise, envelopes, filters.
#pragma once

#include <cstdint>
#include <vector>

namespace plk::soundgen
{

// Every file is mono at this rate: half the size of 44.1 kHz, and nothing we make needs more
// than 11 kHz of bandwidth.
const int kSampleRate = 22050;
const double kPi = 3.14159265358979323846;

using Buffer = std::vector<float>;

inline int Samples(double seconds)
{
    return static_cast<int>(seconds * kSampleRate + 0.5);
}

double MidiToHz(double midi);

// Deterministic generator (splitmix64): the same seed gives the same file on every machine.
class Random
{
public:
    explicit Random(uint64_t seed) : m_state(seed) {}
    uint64_t Next();
    // Uniform in [0, 1).
    double Uniform();
    // Uniform in [-1, 1).
    float Bipolar() { return static_cast<float>(Uniform() * 2.0 - 1.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

private:
    uint64_t m_state;
};

uint64_t MixSeed(uint64_t a, uint64_t b);

// Attack, decay and release in seconds, sustain as a level. The release starts from wherever the
// envelope stands when the note is let go and ends at exactly zero.
struct Adsr
{
    float attack = 0.005f;
    float decay = 0.1f;
    float sustain = 0.8f;
    float release = 0.1f;

    // Level t seconds after the start of a note held for `held` seconds.
    float At(double t, double held) const;
    double Length(double held) const { return held + release; }

private:
    float HeldLevel(double t) const;
};

// Topology-preserving state-variable filter: stable under fast cutoff sweeps.
class Svf
{
public:
    // q about 0.5 (soft) to 10 (ringing).
    void Set(double cutoffHz, double q);
    void Process(float x);
    float Low() const { return m_low; }
    float Band() const { return m_band; }
    float High() const { return m_high; }

private:
    double m_g = 0.0;
    double m_k = 1.0;
    double m_a1 = 0.0;
    double m_ic1 = 0.0;
    double m_ic2 = 0.0;
    float m_low = 0.0f;
    float m_band = 0.0f;
    float m_high = 0.0f;
};

class OnePoleLowpass
{
public:
    void Set(double cutoffHz);
    float Process(float x);

private:
    float m_a = 1.0f;
    float m_y = 0.0f;
};

// Removes any constant offset so a looped file does not thump at its seam.
class DcBlocker
{
public:
    float Process(float x);

private:
    float m_x1 = 0.0f;
    float m_y1 = 0.0f;
};

// Ramps the first and last `seconds` of the buffer so it starts and ends at silence.
void FadeEdges(Buffer& buffer, double fadeIn, double fadeOut);

} // namespace plk::soundgen
