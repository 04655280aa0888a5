// RIFF/WAVE writer.
#include "tools/soundgen/WaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>

namespace plk::soundgen
{

namespace
{

const int kBitsPerSample = 16;
const int kChannels = 1;
const uint16_t kFormatPcm = 1;
const int kFmtChunkSize = 16;
// "WAVE" + the fmt chunk with its header + the data chunk header.
const int kHeaderBytesAfterRiffSize = 4 + 8 + kFmtChunkSize + 8;

void PutLe(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

bool WriteWave(const std::string& path, const Buffer& samples, std::string& error)
{
    const uint32_t blockAlign = kChannels * kBitsPerSample / 8;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * blockAlign;
    std::string bytes;
    bytes.reserve(dataBytes + 44);
    bytes += "RIFF";
    PutLe(bytes, kHeaderBytesAfterRiffSize + dataBytes, 4);
    bytes += "WAVEfmt ";
    PutLe(bytes, kFmtChunkSize, 4);
    PutLe(bytes, kFormatPcm, 2);
    PutLe(bytes, kChannels, 2);
    PutLe(bytes, kSampleRate, 4);
    PutLe(bytes, kSampleRate * blockAlign, 4);
    PutLe(bytes, blockAlign, 2);
    PutLe(bytes, kBitsPerSample, 2);
    bytes += "data";
    PutLe(bytes, dataBytes, 4);
    for (float s : samples)
    {
        const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        PutLe(bytes, static_cast<uint16_t>(static_cast<int16_t>(v)), 2);
    }

    const std::string temp = path + ".part";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        if (!file)
        {
            error = "cannot create " + temp;
            return false;
        }
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file.flush())
        {
            error = "cannot write " + temp;
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0)
    {
        std::remove(temp.c_str());
        error = "cannot rename " + temp + " to " + path;
        return false;
    }
    return true;
}

} // namespace plk::soundgen
