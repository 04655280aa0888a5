// Reads a 16-bit PCM wave file strictly, for checking the generated sounds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PcmWave
{
    int rate = 0;
    int channels = 0;
    int bits = 0;
    // Interleaved when there is more than one channel.
    std::vector<int16_t> samples;

    double Seconds() const { return rate > 0 && channels > 0 ? static_cast<double>(samples.size()) / channels / rate : 0.0; }
};

// False with the reason when the file is missing, truncated, not RIFF/WAVE, not PCM or not 16 bits,
// or when its chunk sizes disagree with the file's length.
bool ReadPcmWave(const std::string& path, PcmWave& out, std::string& error);
