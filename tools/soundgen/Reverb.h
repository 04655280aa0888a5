// A small room reverb (parallel damped combs into serial allpasses) for the music and effects.
#pragma once

#include "tools/soundgen/Dsp.h"

#include <array>

namespace plk::soundgen
{

class Reverb
{
public:
    // room 0..1 sets the decay time (about 0.5 s to 3 s), damping 0..1 how fast the highs die.
    Reverb(double room, double damping);

    float Process(float x);
    // Adds the reverberated `send` into `out` at `wet`; both buffers have the same length.
    void Apply(const Buffer& send, Buffer& out, float wet);

private:
    static const int kCombs = 8;
    static const int kAllpasses = 4;

    struct Comb
    {
        std::vector<float> line;
        int pos = 0;
        float store = 0.0f;
    };
    struct Allpass
    {
        std::vector<float> line;
        int pos = 0;
    };

    std::array<Comb, kCombs> m_combs;
    std::array<Allpass, kAllpasses> m_allpasses;
    float m_feedback;
    float m_damp;
};

} // namespace plk::soundgen
