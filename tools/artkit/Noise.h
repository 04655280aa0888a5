// Deterministic, seeded value noise and fractal noise, optionally periodic for tileable textures.
#pragma once

#include <cstdint>

namespace art
{

class Noise
{
  public:
    explicit Noise(uint32_t seed) : m_seed(seed) {}

    // Smooth noise in 0..1 on a unit lattice; a period > 0 makes it repeat every period lattice cells.
    float Value(float x, float y, int periodX = 0, int periodY = 0) const;
    // Sum of octaves, each twice the frequency and half the amplitude, normalised to 0..1.
    // With a period, every octave repeats over the same distance, so a texture of that size tiles.
    float Fractal(float x, float y, int octaves, int periodX = 0, int periodY = 0) const;
    // Random value in 0..1 for an integer cell (scatter of stones, planks, bricks).
    float Cell(int x, int y, int salt = 0) const;

  private:
    uint32_t m_seed;
};

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c);

} // namespace art
