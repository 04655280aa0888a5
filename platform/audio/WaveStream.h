// PCM wave files read a piece at a time as they play, for music too long to hold decoded.
#pragma once

#include <cstdint>
#include <string>

struct _SDL_AudioStream;
struct SDL_RWops;

namespace plk::audio
{

// Where the samples of a PCM wave file lie and what they are.
struct WaveLayout
{
    int rate = 0;
    int channels = 0;
    int bitsPerSample = 0; // 8 (unsigned) or 16 (signed, little-endian)
    uint32_t dataOffset = 0;
    uint32_t dataBytes = 0; // whole sample frames only, and only as many as the file holds
};

// Reads the layout of a plain PCM wave file of 8 or 16 bits. False, with the reason, for anything
// else: a damaged file, or a compressed or floating-point one (which is decoded whole instead).
bool ReadWaveLayout(const std::string& path, WaveLayout& out, std::string* error = nullptr);

// One play of a wave file: its samples converted to the mixer's 16-bit format as they are asked
// for, from the start again at the end when looping. Used on the mixer's thread.
class WaveReader
{
public:
    WaveReader() = default;
    ~WaveReader();
    WaveReader(const WaveReader&) = delete;
    WaveReader& operator=(const WaveReader&) = delete;

    bool Open(const std::string& path, const WaveLayout& layout, int mixRate, int mixChannels, bool loop,
              std::string* error = nullptr);
    // Fills out with up to bytes of converted samples; fewer only once a play that does not loop
    // has given all of its samples (or the file could not be read further).
    int Read(uint8_t* out, int bytes);
    bool Loops() const { return m_loop; }

private:
    // Feeds the converter the next piece of the file; false when there is nothing more to give.
    bool Feed();

    SDL_RWops* m_file = nullptr;
    _SDL_AudioStream* m_converter = nullptr;
    WaveLayout m_layout;
    uint32_t m_readBytes = 0;
    bool m_loop = false;
    bool m_flushed = false;
};

} // namespace plk::audio
