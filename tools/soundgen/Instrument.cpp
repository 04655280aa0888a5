// Oscillators, filters and drum models behind RenderNote.
#include "tools/soundgen/Instrument.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace plk::soundgen
{

namespace
{

// Cutoff changes are smooth enough when the filter is retuned this often.
const int kFilterUpdateInterval = 16;
const double kVibratoFadeIn = 0.3;
// Drums start over a millisecond: an instant step would click at every hit.
const double kDrumAttack = 0.001;
const int kPluckHarmonics = 12;
const int kOrganHarmonics = 4;

double PolyBlep(double t, double dt)
{
    if (t < dt)
    {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt)
    {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Wrap(double phase)
{
    return phase - std::floor(phase);
}

// One band-limited oscillator of the simple waves.
double Oscillator(Wave wave, double phase, double dt, double duty)
{
    switch (wave)
    {
    case Wave::kTriangle:
        // Shifted to start at zero like the sine, so a note's first sample is not a jump.
        return 4.0 * std::fabs(Wrap(phase + 0.75) - 0.5) - 1.0;
    case Wave::kSaw:
        return 2.0 * phase - 1.0 - PolyBlep(phase, dt);
    case Wave::kSquare:
    {
        double v = phase < duty ? 1.0 : -1.0;
        v += PolyBlep(phase, dt);
        v -= PolyBlep(Wrap(phase + 1.0 - duty), dt);
        return v;
    }
    default:
        return std::sin(2.0 * kPi * phase);
    }
}

struct DrumShape
{
    double seconds;
    double defaultPitch;
};

DrumShape ShapeOf(Wave wave)
{
    switch (wave)
    {
    case Wave::kKick:
        return {0.5, 52.0};
    case Wave::kSnare:
        return {0.35, 185.0};
    case Wave::kHat:
        return {0.12, 7000.0};
    case Wave::kOpenHat:
        return {0.6, 7000.0};
    case Wave::kClap:
        return {0.4, 1200.0};
    case Wave::kTom:
        return {0.6, 110.0};
    default:
        return {0.18, 5500.0};
    }
}

void RenderDrum(const Instrument& in, const Note& note, Buffer& dry, Buffer& send)
{
    const DrumShape shape = ShapeOf(in.wave);
    const double pitch = in.pitch > 0.0f ? in.pitch : shape.defaultPitch;
    const double len = std::max(0.05f, in.length);
    const int n = Samples(shape.seconds * len);
    Random noise(note.seed);
    Svf filter;
    double phase = 0.0;
    switch (in.wave)
    {
    case Wave::kSnare:
        filter.Set(1800.0, 0.7);
        break;
    case Wave::kHat:
    case Wave::kOpenHat:
        filter.Set(pitch, 0.8);
        break;
    case Wave::kClap:
        filter.Set(pitch, 1.5);
        break;
    default:
        filter.Set(pitch, 1.2);
        break;
    }
    const float gain = in.volume * note.velocity;
    for (int i = 0; i < n; ++i)
    {
        const int at = note.start + i;
        if (at < 0)
            continue;
        if (at >= static_cast<int>(dry.size()))
            break;
        const double t = static_cast<double>(i) / kSampleRate;
        const float white = noise.Bipolar();
        double v = 0.0;
        switch (in.wave)
        {
        case Wave::kKick:
        {
            const double f = pitch + pitch * 2.5 * std::exp(-t / 0.03);
            phase += f / kSampleRate;
            v = std::sin(2.0 * kPi * phase) * std::exp(-t / (0.3 * len));
            v += 0.3 * white * std::exp(-t / 0.004);
            v = std::tanh(1.4 * v);
            break;
        }
        case Wave::kSnare:
        {
            phase += pitch / kSampleRate;
            filter.Process(white);
            v = 0.5 * std::sin(2.0 * kPi * phase) * std::exp(-t / 0.05);
            v += 0.8 * filter.High() * std::exp(-t / (0.11 * len));
            break;
        }
        case Wave::kHat:
        case Wave::kOpenHat:
        {
            filter.Process(white);
            const double decay = in.wave == Wave::kHat ? 0.03 : 0.22;
            v = filter.High() * std::exp(-t / (decay * len));
            break;
        }
        case Wave::kClap:
        {
            filter.Process(white);
            // Three quick slaps and a short room tail, the way hands clap in a group.
            double e = 0.0;
            for (int k = 0; k < 3; ++k)
            {
                const double tk = t - 0.011 * k;
                if (tk >= 0.0)
                    e += std::exp(-tk / 0.005);
            }
            if (t > 0.022)
                e += 0.6 * std::exp(-(t - 0.022) / (0.12 * len));
            v = 2.0 * filter.Band() * e;
            break;
        }
        case Wave::kTom:
        {
            const double f = pitch * (1.0 + 0.5 * std::exp(-t / 0.05));
            phase += f / kSampleRate;
            v = std::sin(2.0 * kPi * phase) * std::exp(-t / (0.22 * len));
            break;
        }
        default:
        {
            filter.Process(white);
            const double rise = std::min(1.0, t / 0.01);
            v = 1.5 * filter.Band() * rise * std::exp(-t / (0.05 * len));
            break;
        }
        }
        const double attack = std::min(1.0, t / kDrumAttack);
        const float s = static_cast<float>(v * attack) * gain;
        dry[at] += s;
        send[at] += s * in.send;
    }
}

// Additive voices: each harmonic has its own level and its own per-sample decay factor, and the
// sines of all harmonics come from one sin/cos pair through the Chebyshev recurrence, which keeps
// a dozen partials cheap.
class Additive
{
public:
    Additive(const Instrument& in, double hz)
    {
        static const double kDrawbars[kOrganHarmonics] = {1.0, 0.55, 0.3, 0.15};
        const bool organ = in.wave == Wave::kOrgan;
        const int count = organ ? kOrganHarmonics : kPluckHarmonics;
        for (int k = 1; k <= count && hz * k < 0.45 * kSampleRate; ++k)
        {
            if (organ)
            {
                m_level[k - 1] = 0.55 * kDrawbars[k - 1];
                m_decay[k - 1] = 1.0;
            }
            else
            {
                // Higher partials die sooner, as on a plucked string.
                const double seconds = 1.2 * in.length / std::pow(k, 0.9);
                m_level[k - 1] = 0.7 / std::pow(k, 1.1);
                m_decay[k - 1] = std::exp(-1.0 / (seconds * kSampleRate));
            }
            m_count = k;
        }
    }

    double Next(double phase)
    {
        const double s1 = std::sin(2.0 * kPi * phase);
        const double twoCos = 2.0 * std::cos(2.0 * kPi * phase);
        double previous = 0.0;
        double current = s1;
        double v = 0.0;
        for (int k = 0; k < m_count; ++k)
        {
            v += m_level[k] * current;
            m_level[k] *= m_decay[k];
            const double next = twoCos * current - previous;
            previous = current;
            current = next;
        }
        return v;
    }

private:
    double m_level[kPluckHarmonics] = {};
    double m_decay[kPluckHarmonics] = {};
    int m_count = 0;
};

} // namespace

bool ParseWave(const std::string& name, Wave& out)
{
    static const std::map<std::string, Wave> kNames = {
        {"sine", Wave::kSine},   {"triangle", Wave::kTriangle}, {"saw", Wave::kSaw},     {"square", Wave::kSquare},
        {"fm", Wave::kFm},       {"pluck", Wave::kPluck},       {"organ", Wave::kOrgan}, {"kick", Wave::kKick},
        {"snare", Wave::kSnare}, {"hat", Wave::kHat},           {"openhat", Wave::kOpenHat},
        {"clap", Wave::kClap},   {"tom", Wave::kTom},           {"shaker", Wave::kShaker},
    };
    auto it = kNames.find(name);
    if (it == kNames.end())
        return false;
    out = it->second;
    return true;
}

bool Instrument::IsDrum() const
{
    return wave >= Wave::kKick;
}

void RenderNote(const Instrument& in, const Note& note, Buffer& dry, Buffer& send)
{
    if (in.IsDrum())
    {
        RenderDrum(in, note, dry, send);
        return;
    }
    const double heldSeconds = static_cast<double>(note.held) / kSampleRate;
    const int n = Samples(in.env.Length(heldSeconds));
    const double detuneRatio = std::pow(2.0, in.detune / 1200.0);
    Svf filter;
    double phaseA = 0.0;
    double phaseB = 0.25;
    double modPhase = 0.0;
    double vibratoPhase = 0.0;
    const float gain = in.volume * note.velocity;
    Additive additive(in, note.hz);
    for (int i = 0; i < n; ++i)
    {
        const int at = note.start + i;
        if (at < 0)
            continue;
        if (at >= static_cast<int>(dry.size()))
            break;
        const double t = static_cast<double>(i) / kSampleRate;
        if (i % kFilterUpdateInterval == 0)
        {
            const double open = in.envmod * std::exp(-t / std::max(0.01f, in.env.decay));
            filter.Set(in.cutoff * std::pow(2.0, open), in.resonance);
        }
        double hz = note.hz;
        if (in.vibrato > 0.0f)
        {
            vibratoPhase += in.vibratoRate / kSampleRate;
            const double depth = in.vibrato * std::min(1.0, t / kVibratoFadeIn);
            hz *= std::pow(2.0, depth * std::sin(2.0 * kPi * vibratoPhase) / 12.0);
        }
        const double dt = hz / kSampleRate;
        double v = 0.0;
        switch (in.wave)
        {
        case Wave::kFm:
        {
            modPhase = Wrap(modPhase + dt * in.fmRatio);
            const double index = in.fmIndex * std::exp(-t / std::max(0.01f, in.fmDecay));
            v = std::sin(2.0 * kPi * phaseA + index * std::sin(2.0 * kPi * modPhase));
            break;
        }
        case Wave::kPluck:
        case Wave::kOrgan:
            v = additive.Next(phaseA);
            break;
        default:
            v = Oscillator(in.wave, phaseA, dt, in.duty);
            if (in.detune != 0.0f)
                v = 0.6 * (v + Oscillator(in.wave, phaseB, dt * detuneRatio, in.duty));
            break;
        }
        phaseA = Wrap(phaseA + dt);
        phaseB = Wrap(phaseB + dt * detuneRatio);
        filter.Process(static_cast<float>(v));
        const float s = filter.Low() * in.env.At(t, heldSeconds) * gain;
        dry[at] += s;
        send[at] += s * in.send;
    }
}

} // namespace plk::soundgen
