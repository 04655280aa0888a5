// The chunk walk of a RIFF/WAVE file and a play of it through SDL's converter.
#include "platform/audio/WaveStream.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace plk::audio
{

namespace
{

const uint16_t kFormatPcm = 1;
// Enough for a few mixer callbacks at a time, small enough to read on the mixer's thread.
const size_t kFeedBytes = 4096;

uint32_t Le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Le16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

bool Fail(std::string* error, const std::string& path, const std::string& why)
{
    if (error)
        *error = path + ": " + why;
    return false;
}

// Reads exactly size bytes or nothing counts.
bool ReadExactly(SDL_RWops* file, uint8_t* out, size_t size)
{
    return SDL_RWread(file, out, 1, size) == size;
}

} // namespace

bool ReadWaveLayout(const std::string& path, WaveLayout& out, std::string* error)
{
    out = WaveLayout();
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file)
        return Fail(error, path, std::string("cannot be opened: ") + SDL_GetError());
    const Sint64 fileSize = SDL_RWsize(file);
    uint8_t riff[12];
    bool ok = fileSize > 0 && ReadExactly(file, riff, sizeof riff) && std::memcmp(riff, "RIFF", 4) == 0 &&
              std::memcmp(riff + 8, "WAVE", 4) == 0;
    if (!ok)
    {
        SDL_RWclose(file);
        return Fail(error, path, "not a RIFF/WAVE file");
    }
    bool haveFormat = false;
    int blockAlign = 0;
    std::string why = "no sample data";
    for (;;)
    {
        uint8_t header[8];
        if (!ReadExactly(file, header, sizeof header))
            break;
        const uint32_t size = Le32(header + 4);
        const Sint64 start = SDL_RWtell(file);
        if (std::memcmp(header, "fmt ", 4) == 0)
        {
            uint8_t format[16];
            if (size < sizeof format || !ReadExactly(file, format, sizeof format))
            {
                why = "a damaged format chunk";
                break;
            }
            out.channels = Le16(format + 2);
            out.rate = static_cast<int>(Le32(format + 4));
            blockAlign = Le16(format + 12);
            out.bitsPerSample = Le16(format + 14);
            if (Le16(format) != kFormatPcm || (out.bitsPerSample != 8 && out.bitsPerSample != 16))
            {
                why = "not plain 8- or 16-bit PCM";
                break;
            }
            if (out.channels < 1 || out.channels > 8 || out.rate < 1000 || out.rate > 384000 ||
                blockAlign != out.channels * out.bitsPerSample / 8)
            {
                why = "a format out of range";
                break;
            }
            haveFormat = true;
        }
        else if (std::memcmp(header, "data", 4) == 0)
        {
            if (!haveFormat)
            {
                why = "sample data before its format";
                break;
            }
            // A file cut short plays what it holds, in whole sample frames.
            const Sint64 held = std::max<Sint64>(0, std::min<Sint64>(size, fileSize - start));
            out.dataOffset = static_cast<uint32_t>(start);
            out.dataBytes = static_cast<uint32_t>(held - held % blockAlign);
            SDL_RWclose(file);
            if (out.dataBytes == 0)
                return Fail(error, path, "no sample data");
            return true;
        }
        // Chunks are padded to an even size.
        if (SDL_RWseek(file, start + size + (size & 1), RW_SEEK_SET) < 0)
            break;
    }
    SDL_RWclose(file);
    return Fail(error, path, why);
}

WaveReader::~WaveReader()
{
    if (m_converter)
        SDL_FreeAudioStream(m_converter);
    if (m_file)
        SDL_RWclose(m_file);
}

bool WaveReader::Open(const std::string& path, const WaveLayout& layout, int mixRate, int mixChannels, bool loop,
                      std::string* error)
{
    m_layout = layout;
    m_loop = loop;
    m_file = SDL_RWFromFile(path.c_str(), "rb");
    if (!m_file || SDL_RWseek(m_file, layout.dataOffset, RW_SEEK_SET) < 0)
        return Fail(error, path, std::string("cannot be opened again: ") + SDL_GetError());
    const SDL_AudioFormat source = layout.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    m_converter = SDL_NewAudioStream(source, static_cast<Uint8>(layout.channels), layout.rate, AUDIO_S16SYS,
                                     static_cast<Uint8>(mixChannels), mixRate);
    if (!m_converter)
        return Fail(error, path, std::string("cannot be converted: ") + SDL_GetError());
    return true;
}

bool WaveReader::Feed()
{
    if (m_readBytes >= m_layout.dataBytes)
    {
        if (!m_loop)
            return false;
        if (SDL_RWseek(m_file, m_layout.dataOffset, RW_SEEK_SET) < 0)
            return false;
        m_readBytes = 0;
    }
    std::array<uint8_t, kFeedBytes> piece;
    const size_t wanted = std::min<size_t>(piece.size(), m_layout.dataBytes - m_readBytes);
    const size_t got = SDL_RWread(m_file, piece.data(), 1, wanted);
    if (got == 0)
    {
        // The file shrank under us: what was read is all there is, looped or not.
        m_layout.dataBytes = m_readBytes;
        return false;
    }
    m_readBytes += static_cast<uint32_t>(got);
    return SDL_AudioStreamPut(m_converter, piece.data(), static_cast<int>(got)) == 0;
}

int WaveReader::Read(uint8_t* out, int bytes)
{
    int filled = 0;
    while (filled < bytes)
    {
        const int got = SDL_AudioStreamGet(m_converter, out + filled, bytes - filled);
        if (got < 0)
            break;
        filled += got;
        if (filled == bytes || got > 0)
            continue;
        if (Feed())
            continue;
        // The converter holds back a few samples for its filter until told the input has ended.
        if (m_flushed || SDL_AudioStreamFlush(m_converter) != 0)
            break;
        m_flushed = true;
    }
    return filled;
}

} // namespace plk::audio
