// A seeded random generator of a fixed algorithm, and the one that the effects draw from.
#pragma once

#include <cstdint>
#include <random>

class XRandom
{
public:
    explicit XRandom(uint32_t seed = 1) : m_engine(seed) {}

    // Starts the seed's sequence again; the same seed gives the same draws with every compiler and
    // library, because the algorithm (mt19937) is fixed by the language, unlike the C library's rand.
    void Seed(uint32_t seed) { m_engine.seed(seed); }
    // The next raw draw, 0 .. 2^32 - 1.
    uint32_t Next() { return static_cast<uint32_t>(m_engine()); }
    // The next draw reduced modulo n (n > 0).
    int Below(int n);
    // The next draw scaled to 0 .. 1, both ends included.
    float Unit();

    // The generator of everything only seen or heard: rain, thunder, particles, animation starts,
    // scenery placement. The rules never draw from it, so no number of raindrops moves a cube.
    static XRandom& Effects();

private:
    std::mt19937 m_engine;
};
