// The sound platform layer on the dummy driver: plays end, loops last, failures are reported.
#include "platform/audio/Audio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
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

// A mono 16-bit tone of the given length, written as the smallest valid RIFF/WAVE file.
std::string WriteTone(const std::string& name, int milliseconds, double hz)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / ("plk_audio_" + name + ".wav");
    const int frames = kRate * milliseconds / 1000;
    std::ofstream f(path, std::ios::binary);
    f.write("RIFF", 4);
    PutLe(f, 36 + frames * 2, 4);
    f.write("WAVEfmt ", 8);
    PutLe(f, 16, 4);
    PutLe(f, 1, 2);
    PutLe(f, 1, 2);
    PutLe(f, kRate, 4);
    PutLe(f, kRate * 2, 4);
    PutLe(f, 2, 2);
    PutLe(f, 16, 2);
    f.write("data", 4);
    PutLe(f, frames * 2, 4);
    for (int i = 0; i < frames; ++i)
    {
        const double s = 0.3 * std::sin(2.0 * std::numbers::pi * hz * i / kRate);
        PutLe(f, static_cast<uint16_t>(static_cast<int16_t>(s * 32767)), 2);
    }
    return path.string();
}

class AudioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_EQ(audio::OpenAudio(&error), audio::kOk) << error;
    }
    void TearDown() override { audio::CloseAudio(); }

    audio::SoundHandle Load(const std::string& path)
    {
        audio::SoundHandle sound = audio::kNoSound;
        std::string error;
        EXPECT_EQ(audio::LoadSound(path, sound, &error), audio::kOk) << error;
        return sound;
    }
};

TEST_F(AudioTest, PlayedOnceFallsSilentWhenDone)
{
    const audio::SoundHandle beep = Load(WriteTone("beep", 120, 440));
    int channel = -1;
    ASSERT_EQ(audio::PlaySound(beep, false, &channel), audio::kOk);
    EXPECT_GE(channel, 0);
    EXPECT_TRUE(audio::SoundIsPlaying(beep));
    EXPECT_TRUE(audio::WaitForSound(beep, kGenerousWaitMs));
    EXPECT_FALSE(audio::SoundIsPlaying(beep));
}

TEST_F(AudioTest, LoopedKeepsPlayingUntilStopped)
{
    const audio::SoundHandle hum = Load(WriteTone("hum", 40, 220));
    ASSERT_EQ(audio::PlaySound(hum, true), audio::kOk);
    // Ten times its own length: a sound played once would have ended long before.
    EXPECT_FALSE(audio::WaitForSound(hum, 400));
    EXPECT_TRUE(audio::SoundIsPlaying(hum));
    audio::StopSound(hum);
    EXPECT_FALSE(audio::SoundIsPlaying(hum));
}

TEST_F(AudioTest, PlaysOfOneSoundOverlapAndStopTogether)
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

TEST_F(AudioTest, StoppingOneSoundLeavesOthersAlone)
{
    const audio::SoundHandle rain = Load(WriteTone("rain", 60, 200));
    const audio::SoundHandle music = Load(WriteTone("music", 60, 300));
    ASSERT_EQ(audio::PlaySound(rain, true), audio::kOk);
    ASSERT_EQ(audio::PlaySound(music, true), audio::kOk);
    audio::StopSound(rain);
    EXPECT_FALSE(audio::SoundIsPlaying(rain));
    EXPECT_TRUE(audio::SoundIsPlaying(music));
}

TEST_F(AudioTest, FinishedSoundIsNotConfusedWithTheNextSoundOnItsChannel)
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

TEST_F(AudioTest, FreedSoundStopsAndItsHandleIsDead)
{
    const audio::SoundHandle hum = Load(WriteTone("freed", 50, 250));
    ASSERT_EQ(audio::PlaySound(hum, true), audio::kOk);
    audio::FreeSound(hum);
    EXPECT_FALSE(audio::SoundIsPlaying(hum));
    EXPECT_EQ(audio::PlaySound(hum, false), audio::kErrBadHandle);
    const audio::SoundHandle again = Load(WriteTone("freed", 50, 250));
    EXPECT_NE(again, hum) << "a new sound must not take over a freed handle";
}

TEST_F(AudioTest, HandlesOfOneFileShareSamplesButKeepTheirOwnPlays)
{
    const std::string path = WriteTone("shared", 60, 500);
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

TEST_F(AudioTest, BadFilesReportWhyAndLoadNothing)
{
    audio::SoundHandle sound = 77;
    std::string error;
    EXPECT_EQ(audio::LoadSound("/nonexistent/SndNothing.wav", sound, &error), audio::kErrLoad);
    EXPECT_EQ(sound, audio::kNoSound);
    EXPECT_NE(error.find("SndNothing.wav"), std::string::npos) << error;

    const std::filesystem::path junk = std::filesystem::temp_directory_path() / "plk_audio_junk.wav";
    std::ofstream(junk, std::ios::binary) << "RIFF this is not a wave file at all";
    error.clear();
    EXPECT_EQ(audio::LoadSound(junk.string(), sound, &error), audio::kErrLoad);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(audio::PlaySound(sound, false), audio::kErrBadHandle);
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
