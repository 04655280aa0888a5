// Noise, envelopes and filters for the sound generator.
#include "tools/soundgen/Dsp.h"

#include <algorithm>
#include <cmath>

namespace plk::soundgen
{

namespace
{

// A filter at Nyquist divides by zero in tan(); stay just below it.
const double kMaxCutoffFraction = 0.45;
const double kMinCutoffHz = 20.0;
// 1 - 2*pi*fc/sr for fc near 10 Hz: below anything we play.
const float kDcPole = 0.997f;

} // namespace

double MidiToHz(double midi)
{
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

uint64_t Random::Next()
{
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::Uniform()
{
    return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

uint64_t MixSeed(uint64_t a, uint64_t b)
{
    Random r(a * 0x2545F4914F6CDD1Dull + b);
    return r.Next();
}

float Adsr::HeldLevel(double t) const
{
    if (t < attack)
        return static_cast<float>(t / attack);
    t -= attack;
    if (t < decay)
        return static_cast<float>(1.0 - (1.0 - sustain) * (t / decay));
    return sustain;
}

float Adsr::At(double t, double held) const
{
    if (t < 0.0)
        return 0.0f;
    if (t < held)
        return HeldLevel(t);
    const double sinceRelease = t - held;
    if (sinceRelease >= release)
        return 0.0f;
    return HeldLevel(held) * static_cast<float>(1.0 - sinceRelease / release);
}

void Svf::Set(double cutoffHz, double q)
{
    const double fc = std::clamp(cutoffHz, kMinCutoffHz, kMaxCutoffFraction * kSampleRate);
    m_g = std::tan(kPi * fc / kSampleRate);
    m_k = 1.0 / std::max(q, 0.1);
    m_a1 = 1.0 / (1.0 + m_g * (m_g + m_k));
}

void Svf::Process(float x)
{
    const double v3 = x - m_ic2;
    const double v1 = m_a1 * (m_ic1 + m_g * v3);
    const double v2 = m_ic2 + m_g * v1;
    m_ic1 = 2.0 * v1 - m_ic1;
    m_ic2 = 2.0 * v2 - m_ic2;
    m_low = static_cast<float>(v2);
    m_band = static_cast<float>(v1);
    m_high = static_cast<float>(x - m_k * v1 - v2);
}

void OnePoleLowpass::Set(double cutoffHz)
{
    const double fc = std::clamp(cutoffHz, kMinCutoffHz, kMaxCutoffFraction * kSampleRate);
    m_a = static_cast<float>(1.0 - std::exp(-2.0 * kPi * fc / kSampleRate));
}

float OnePoleLowpass::Process(float x)
{
    m_y += m_a * (x - m_y);
    return m_y;
}

float DcBlocker::Process(float x)
{
    const float y = x - m_x1 + kDcPole * m_y1;
    m_x1 = x;
    m_y1 = y;
    return y;
}

void FadeEdges(Buffer& buffer, double fadeIn, double fadeOut)
{
    const int n = static_cast<int>(buffer.size());
    const int in = std::min(n, Samples(fadeIn));
    const int out = std::min(n, Samples(fadeOut));
    for (int i = 0; i < in; ++i)
        buffer[i] *= static_cast<float>(i) / in;
    for (int i = 0; i < out; ++i)
        buffer[n - 1 - i] *= static_cast<float>(i) / out;
}

} // namespace plk::soundgen
