// The wave reader that music streams through (any bytes in a file named like music): a layout
// that is accepted lies inside the file in whole frames, a play that ends gives no more samples
// than its data can make, and a looped play never runs dry.
#include "platform/audio/WaveStream.h"
#include "tests/fuzz/FuzzSupport.h"

#include <array>

namespace
{

const int kMixRate = 22050;
// Enough pieces to pass the end of a small file, few enough to keep each input fast.
const int kMostPieces = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = fuzz::ScratchFolder() + "music.wav";
    fuzz::WriteBytes(path, data, size);
    plk::audio::WaveLayout layout;
    if (!plk::audio::ReadWaveLayout(path, layout))
        return 0;
    const uint32_t frameBytes = static_cast<uint32_t>(layout.channels * layout.bitsPerSample / 8);
    fuzz::Check(layout.dataBytes > 0 && layout.dataBytes % frameBytes == 0, "the data is not whole frames");
    fuzz::Check(static_cast<uint64_t>(layout.dataOffset) + layout.dataBytes <= size, "the data lies past the end");

    std::array<uint8_t, 4096> piece;
    for (const bool loop : {false, true})
    {
        plk::audio::WaveReader reader;
        fuzz::Check(reader.Open(path, layout, kMixRate, 1, loop), "an accepted layout does not open");
        uint64_t given = 0;
        bool ended = false;
        for (int i = 0; i < kMostPieces && !ended; ++i)
        {
            const int got = reader.Read(piece.data(), static_cast<int>(piece.size()));
            fuzz::Check(got >= 0 && got <= static_cast<int>(piece.size()), "a read gives a wrong count");
            given += static_cast<uint64_t>(got);
            ended = got < static_cast<int>(piece.size());
        }
        if (loop)
            fuzz::Check(!ended, "a looped play ran dry");
        const uint64_t frames = layout.dataBytes / frameBytes;
        // 16-bit mono at the mixer's rate, with a little slack for the resampler's filter.
        const uint64_t most = 2 * (frames * kMixRate / static_cast<uint64_t>(layout.rate) + 64);
        if (!loop && ended)
            fuzz::Check(given <= most, "a play gave more samples than its data makes");
    }
    return 0;
}
