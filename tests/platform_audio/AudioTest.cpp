// The sound platform layer on the dummy driver: plays end, loops last, failures are reported, for
// sounds decoded whole and streamed alike; on the disk driver, streamed samples are those decoded.
#include "platform/audio/Audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace audio = plk::audio;

namespace
{

const int kRate = 22050;
// The dummy driver plays in real time; this bounds a wait that should take a fraction of it.
const int kGenerousWaitMs = 3000;

void PutLe(std::ofstream& f, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        f.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}

struct Tone
{
    int milliseconds;
    double hz;
    int bits = 16;
    // Frames the data chunk claims beyond those written: a file cut short.
    int missingFrames = 0;
};

// A mono tone written as the smallest valid RIFF/WAVE file, with a chunk of its own before the
// samples that a reader must step over.
std::string WriteWave(const std::string& name, const Tone& tone)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / ("plk_audio_" + name + ".wav");
    const int frames = kRate * tone.milliseconds / 1000;
    const int bytesPerFrame = tone.bits / 8;
    const int dataBytes = (frames + tone.missingFrames) * bytesPerFrame;
    std::ofstream f(path, std::ios::binary);
    f.write("RIFF", 4);
    PutLe(f, 36 + 14 + dataBytes, 4);
    f.write("WAVEfmt ", 8);
    PutLe(f, 16, 4);
    PutLe(f, 1, 2);
    PutLe(f, 1, 2);
    PutLe(f, kRate, 4);
    PutLe(f, kRate * bytesPerFrame, 4);
    PutLe(f, bytesPerFrame, 2);
    PutLe(f, tone.bits, 2);
    f.write("LIST", 4);
    PutLe(f, 5, 4);
    f.write("abcde\0", 6); // odd-sized, so padded
    f.write("data", 4);
    PutLe(f, dataBytes, 4);
    for (int i = 0; i < frames; ++i)
    {
        const double s = 0.3 * std::sin(2.0 * std::numbers::pi * tone.hz * i / kRate);
        if (tone.bits == 8)
            f.put(static_cast<char>(static_cast<uint8_t>(128 + std::lround(s * 127))));
        else
            PutLe(f, static_cast<uint16_t>(static_cast<int16_t>(s * 32767)), 2);
    }
    return path.string();
}

std::string WriteTone(const std::string& name, int milliseconds, double hz)
{
    return WriteWave(name, {milliseconds, hz});
}

using Loader = int (*)(const std::string&, audio::SoundHandle&, std::string*);

class AudioOpen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_EQ(audio::OpenAudio(&error), audio::kOk) << error;
    }
    void TearDown() override { audio::CloseAudio(); }

    static audio::SoundHandle Load(const std::string& path, Loader loader)
    {
        audio::SoundHandle sound = audio::kNoSound;
        std::string error;
        EXPECT_EQ(loader(path, sound, &error), audio::kOk) << error;
        return sound;
    }
};

class AudioTest : public AudioOpen, public ::testing::WithParamInterface<Loader>
{
protected:
    audio::SoundHandle Load(const std::string& path) { return AudioOpen::Load(path, GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(DecodedAndStreamed, AudioTest,
                         ::testing::Values(&audio::LoadSound, &audio::LoadStreamedSound),
                         [](const auto& info) { return info.index == 0 ? "Decoded" : "Streamed"; });

TEST_P(AudioTest, PlayedOnceFallsSilentWhenDone)
{
    const audio::SoundHandle beep = Load(WriteTone("beep", 120, 440));
    int channel = -1;
    ASSERT_EQ(audio::PlaySound(beep, false, &channel), audio::kOk);
    EXPECT_GE(channel, 0);
    EXPECT_TRUE(audio::SoundIsPlaying(beep));
    EXPECT_TRUE(audio::WaitForSound(beep, kGenerousWaitMs));
    EXPECT_FALSE(audio::SoundIsPlaying(beep));
}

TEST_P(AudioTest, LoopedKeepsPlayingUntilStopped)
{
    const audio::SoundHandle hum = Load(WriteTone("hum", 40, 220));
    ASSERT_EQ(audio::PlaySound(hum, true), audio::kOk);
    // Ten times its own length: a sound played once would have ended long before.
    EXPECT_FALSE(audio::WaitForSound(hum, 400));
    EXPECT_TRUE(audio::SoundIsPlaying(hum));
    audio::StopSound(hum);
    EXPECT_FALSE(audio::SoundIsPlaying(hum));
}

TEST_P(AudioTest, PlaysOfOneSoundOverlapAndStopTogether)
{
    const audio::SoundHandle hum = Load(WriteTone("overlap", 60, 330));
    int first = -1;
    int second = -1;
    ASSERT_EQ(audio::PlaySound(hum, true, &first), audio::kOk);
    ASSERT_EQ(audio::PlaySound(hum, true, &second), audio::kOk);
    EXPECT_NE(first, second);
    audio::StopSound(hum);
    EXPECT_FALSE(audio::SoundIsPlaying(hum));
}

TEST_P(AudioTest, StoppingOneSoundLeavesOthersAlone)
{
    const audio::SoundHandle rain = Load(WriteTone("rain", 60, 200));
    const audio::SoundHandle music = Load(WriteTone("music", 60, 300));
    ASSERT_EQ(audio::PlaySound(rain, true), audio::kOk);
    ASSERT_EQ(audio::PlaySound(music, true), audio::kOk);
    audio::StopSound(rain);
    EXPECT_FALSE(audio::SoundIsPlaying(rain));
    EXPECT_TRUE(audio::SoundIsPlaying(music));
}

TEST_P(AudioTest, FinishedSoundIsNotConfusedWithTheNextSoundOnItsChannel)
{
    const audio::SoundHandle click = Load(WriteTone("click", 30, 880));
    const audio::SoundHandle loop = Load(WriteTone("next", 50, 110));
    int clickChannel = -1;
    ASSERT_EQ(audio::PlaySound(click, false, &clickChannel), audio::kOk);
    ASSERT_TRUE(audio::WaitForSound(click, kGenerousWaitMs));
    int loopChannel = -1;
    ASSERT_EQ(audio::PlaySound(loop, true, &loopChannel), audio::kOk);
    ASSERT_EQ(loopChannel, clickChannel) << "the mixer should reuse the first free channel";
    EXPECT_FALSE(audio::SoundIsPlaying(click));
    audio::StopSound(click);
    EXPECT_TRUE(audio::SoundIsPlaying(loop)) << "stopping a finished sound must not cut the next one";
}

TEST_P(AudioTest, FreedSoundStopsAndItsHandleIsDead)
{
    const audio::SoundHandle hum = Load(WriteTone("freed", 50, 250));
    ASSERT_EQ(audio::PlaySound(hum, true), audio::kOk);
    audio::FreeSound(hum);
    EXPECT_FALSE(audio::SoundIsPlaying(hum));
    EXPECT_EQ(audio::PlaySound(hum, false), audio::kErrBadHandle);
    const audio::SoundHandle again = Load(WriteTone("freed", 50, 250));
    EXPECT_NE(again, hum) << "a new sound must not take over a freed handle";
}

TEST_F(AudioOpen, HandlesOfOneFileShareSamplesButKeepTheirOwnPlays)
{
    const std::string path = WriteTone("shared", 60, 500);
    const auto Load = [](const std::string& file) { return AudioOpen::Load(file, &audio::LoadSound); };
    const audio::SoundHandle first = Load(path);
    // Another spelling of the same file must find the same decoded samples.
    const std::filesystem::path spelled = std::filesystem::path(path).parent_path() / "." /
                                          std::filesystem::path(path).filename();
    const audio::SoundHandle second = Load(spelled.string());
    ASSERT_NE(first, second);

    // Once decoded, the file is not read again while a handle holds it.
    std::filesystem::remove(path);
    const audio::SoundHandle third = Load(path);
    ASSERT_NE(third, audio::kNoSound);

    ASSERT_EQ(audio::PlaySound(first, true), audio::kOk);
    ASSERT_EQ(audio::PlaySound(second, true), audio::kOk);
    audio::StopSound(first);
    EXPECT_FALSE(audio::SoundIsPlaying(first));
    EXPECT_TRUE(audio::SoundIsPlaying(second)) << "stopping one handle must not stop another of the same file";
    EXPECT_FALSE(audio::SoundIsPlaying(third));

    // Freeing one user keeps the samples alive for the others.
    audio::FreeSound(second);
    EXPECT_FALSE(audio::SoundIsPlaying(second));
    ASSERT_EQ(audio::PlaySound(third, false), audio::kOk);
    EXPECT_TRUE(audio::SoundIsPlaying(third));
    audio::FreeSound(first);
    audio::FreeSound(third);
    EXPECT_EQ(audio::PlaySound(third, false), audio::kErrBadHandle);

    // With the last user gone the copy is dropped, so the deleted file cannot load any more.
    audio::SoundHandle gone = audio::kNoSound;
    EXPECT_EQ(audio::LoadSound(path, gone), audio::kErrLoad);
}

TEST_P(AudioTest, BadFilesReportWhyAndLoadNothing)
{
    audio::SoundHandle sound = 77;
    std::string error;
    EXPECT_EQ(GetParam()("/nonexistent/SndNothing.wav", sound, &error), audio::kErrLoad);
    EXPECT_EQ(sound, audio::kNoSound);
    EXPECT_NE(error.find("SndNothing.wav"), std::string::npos) << error;

    const std::filesystem::path junk = std::filesystem::temp_directory_path() / "plk_audio_junk.wav";
    std::ofstream(junk, std::ios::binary) << "RIFF this is not a wave file at all";
    error.clear();
    EXPECT_EQ(GetParam()(junk.string(), sound, &error), audio::kErrLoad);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(audio::PlaySound(sound, false), audio::kErrBadHandle);
}

TEST_F(AudioOpen, AStreamedFileCutShortPlaysWhatItHoldsAndEnds)
{
    const audio::SoundHandle cut = Load(WriteWave("cut", {80, 440, 16, kRate}), &audio::LoadStreamedSound);
    ASSERT_EQ(audio::PlaySound(cut, false), audio::kOk);
    EXPECT_TRUE(audio::SoundIsPlaying(cut));
    EXPECT_TRUE(audio::WaitForSound(cut, kGenerousWaitMs)) << "a play must end with the samples the file holds";
}

TEST_F(AudioOpen, AStreamedFileThatWentAwayFailsToPlayAndSaysWhich)
{
    const std::string path = WriteTone("vanishing", 60, 440);
    const audio::SoundHandle music = Load(path, &audio::LoadStreamedSound);
    std::filesystem::remove(path);
    std::string error;
    EXPECT_EQ(audio::PlaySound(music, true, nullptr, &error), audio::kErrLoad);
    EXPECT_NE(error.find("plk_audio_vanishing.wav"), std::string::npos) << error;
    EXPECT_FALSE(audio::SoundIsPlaying(music));
}

TEST_F(AudioOpen, AWaveThatIsNotPlainPcmIsDecodedWholeInstead)
{
    // 32-bit floating point: the mixer's own loader reads it, the stream does not.
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "plk_audio_float.wav";
    const int frames = kRate / 20;
    {
        std::ofstream f(path, std::ios::binary);
        f.write("RIFF", 4);
        PutLe(f, 36 + frames * 4, 4);
        f.write("WAVEfmt ", 8);
        PutLe(f, 16, 4);
        PutLe(f, 3, 2);
        PutLe(f, 1, 2);
        PutLe(f, kRate, 4);
        PutLe(f, kRate * 4, 4);
        PutLe(f, 4, 2);
        PutLe(f, 32, 2);
        f.write("data", 4);
        PutLe(f, frames * 4, 4);
        for (int i = 0; i < frames; ++i)
        {
            const float v = 0.25f * static_cast<float>(std::sin(i * 0.1));
            uint32_t bits = 0;
            std::memcpy(&bits, &v, sizeof bits);
            PutLe(f, bits, 4);
        }
    }
    const audio::SoundHandle sound = Load(path.string(), &audio::LoadStreamedSound);
    std::filesystem::remove(path);
    ASSERT_EQ(audio::PlaySound(sound, false), audio::kOk) << "a decoded copy needs no file to play";
    EXPECT_TRUE(audio::WaitForSound(sound, kGenerousWaitMs));
}

// Everything the mixer sent to the device while sound played, read back from the disk driver's file.
class AudioRecorded : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* saved = std::getenv("SDL_AUDIODRIVER");
        m_savedDriver = saved ? std::optional<std::string>(saved) : std::nullopt;
        setenv("SDL_AUDIODRIVER", "disk", 1);
    }
    void TearDown() override
    {
        if (m_savedDriver)
            setenv("SDL_AUDIODRIVER", m_savedDriver->c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
    }

    // The 16-bit samples the device received while sound played for waitMs, silence trimmed from
    // the start.
    std::vector<int16_t> Record(const std::string& wave, Loader loader, bool loop, int waitMs)
    {
        const std::filesystem::path out = std::filesystem::temp_directory_path() / "plk_audio_recorded.raw";
        setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
        std::string error;
        EXPECT_EQ(audio::OpenAudio(&error), audio::kOk) << error;
        audio::SoundHandle sound = audio::kNoSound;
        EXPECT_EQ(loader(wave, sound, &error), audio::kOk) << error;
        EXPECT_EQ(audio::PlaySound(sound, loop), audio::kOk);
        if (loop)
            std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
        else
            EXPECT_TRUE(audio::WaitForSound(sound, waitMs));
        audio::CloseAudio();

        std::ifstream f(out, std::ios::binary);
        std::vector<int16_t> samples;
        for (uint8_t lo = 0, hi = 0; f.read(reinterpret_cast<char*>(&lo), 1) && f.read(reinterpret_cast<char*>(&hi), 1);)
            samples.push_back(static_cast<int16_t>(lo | hi << 8));
        std::filesystem::remove(out);
        const auto first = std::find_if(samples.begin(), samples.end(), [](int16_t v) { return v != 0; });
        samples.erase(samples.begin(), first);
        return samples;
    }

    std::optional<std::string> m_savedDriver;
};

TEST_F(AudioRecorded, StreamedSamplesAreThoseDecodedAndALoopJoinsWithoutAGap)
{
    const int tenthOfASecond = kRate / 10;
    for (const int bits : {16, 8})
    {
        SCOPED_TRACE(bits);
        const std::string wave = WriteWave("recorded" + std::to_string(bits), {100, 441, bits});
        const std::vector<int16_t> decoded = Record(wave, &audio::LoadSound, false, kGenerousWaitMs);
        const std::vector<int16_t> streamed = Record(wave, &audio::LoadStreamedSound, false, kGenerousWaitMs);
        ASSERT_GE(decoded.size(), static_cast<size_t>(tenthOfASecond) - 1);
        ASSERT_GE(streamed.size(), decoded.size() - 1);
        // The tone starts at a zero crossing, so its first sample can be trimmed as silence.
        for (int i = 0; i < tenthOfASecond - 1; ++i)
            ASSERT_EQ(decoded[i], streamed[i]) << "sample " << i;

        const std::vector<int16_t> looped = Record(wave, &audio::LoadStreamedSound, true, 350);
        ASSERT_GE(looped.size(), static_cast<size_t>(2 * tenthOfASecond));
        for (int i = 0; i < tenthOfASecond; ++i)
            ASSERT_EQ(looped[i], looped[i + tenthOfASecond]) << "the second pass differs at sample " << i;
    }
}

TEST(AudioClosedTest, WithoutADeviceEverythingFailsQuietly)
{
    const char* saved = std::getenv("SDL_AUDIODRIVER");
    const std::string driver = saved ? saved : "";
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    std::string error;
    EXPECT_LT(audio::OpenAudio(&error), 0);
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(audio::AudioIsOpen());

    audio::SoundHandle sound = audio::kNoSound;
    EXPECT_EQ(audio::LoadSound(WriteTone("silent", 50, 440), sound), audio::kErrNotOpen);
    EXPECT_EQ(audio::PlaySound(sound, true), audio::kErrNotOpen);
    EXPECT_FALSE(audio::SoundIsPlaying(sound));
    EXPECT_TRUE(audio::WaitForSound(sound, 10));
    audio::StopSound(sound);
    audio::CloseAudio();

    if (saved)
        setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
    EXPECT_EQ(audio::OpenAudio(&error), audio::kOk) << "a later open must still work: " << error;
    audio::CloseAudio();
}

} // namespace
