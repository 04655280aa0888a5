// Strict RIFF/WAVE reader for the sound content tests.
#include "PcmWave.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace
{

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<uint32_t>(b[at + i]) << (8 * i);
    return v;
}

} // namespace

bool ReadPcmWave(const std::string& path, PcmWave& out, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        error = "missing";
        return false;
    }
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
    {
        error = "not a RIFF/WAVE file";
        return false;
    }
    if (Le(b, 4, 4) + 8 != b.size())
    {
        error = "RIFF size " + std::to_string(Le(b, 4, 4)) + " does not match the file length " + std::to_string(b.size());
        return false;
    }
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= b.size())
    {
        const uint32_t size = Le(b, at + 4, 4);
        if (at + 8 + size > b.size())
        {
            error = "chunk runs past the end of the file";
            return false;
        }
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0 && size >= 16)
        {
            if (Le(b, at + 8, 2) != 1)
            {
                error = "not PCM";
                return false;
            }
            out.channels = static_cast<int>(Le(b, at + 10, 2));
            out.rate = static_cast<int>(Le(b, at + 12, 4));
            out.bits = static_cast<int>(Le(b, at + 22, 2));
            haveFormat = true;
        }
        else if (std::memcmp(b.data() + at, "data", 4) == 0)
        {
            if (!haveFormat || out.bits != 16 || out.channels < 1)
            {
                error = "data before a 16-bit PCM format chunk";
                return false;
            }
            out.samples.resize(size / 2);
            for (size_t i = 0; i < out.samples.size(); ++i)
                out.samples[i] = static_cast<int16_t>(Le(b, at + 8 + 2 * i, 2));
            return true;
        }
        at += 8 + size + (size & 1);
    }
    error = "no data chunk";
    return false;
}
