// The sound list and its switches, on the dummy audio driver: loading rules, music and effect
// switches, and silence when the device is not open.
#include "engine/XDXSound.h"
#include "tests/engine/EngineTempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>

namespace
{

// 16-bit mono PCM: long enough that a play is still sounding when the test looks.
std::string WaveBytes(int samples)
{
    auto word32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto word16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    const uint32_t rate = 22050;
    const uint32_t dataBytes = static_cast<uint32_t>(samples) * 2;
    std::string out = "RIFF" + word32(36 + dataBytes) + "WAVE";
    out += "fmt " + word32(16) + word16(1) + word16(1) + word32(rate) + word32(rate * 2) + word16(2) + word16(16);
    out += "data" + word32(dataBytes);
    for (int i = 0; i < samples; ++i)
        out += word16(static_cast<uint16_t>((i % 50) < 25 ? 3000 : -3000));
    return out;
}

const int kTwoSeconds = 44100;

class SoundTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Run by hand outside CTest, the test still needs no sound card.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        m_folder.Write("Beep.WAV", WaveBytes(kTwoSeconds));
        m_folder.Write("Tune.wav", WaveBytes(kTwoSeconds));
        m_folder.Write("Tune.mp3", WaveBytes(kTwoSeconds));
        XDXSound::SetPath(m_folder.Path().c_str());
        XString error;
        ASSERT_TRUE(XDXSound::Init(error)) << error.GetBuffer();
    }
    void TearDown() override { XDXSound::Shutdown(); }

    EngineTempFolder m_folder;
};

} // namespace

TEST_F(SoundTest, LoadsWaveFilesByEndingWithoutCaseAndRefusesOtherKinds)
{
    XDXSound effect;
    EXPECT_TRUE(effect.Load("Beep.WAV", XDXSound::kSoundEffect)) << effect.GetErrorMsg().GetBuffer();
    EXPECT_EQ(XDXSound::kFileWave, effect.GetFileType());
    // The same name again keeps what is loaded.
    EXPECT_TRUE(effect.Load("Beep.WAV", XDXSound::kSoundEffect));
    EXPECT_TRUE(effect.IsLoaded());

    XDXSound mp3;
    EXPECT_FALSE(mp3.Load("Tune.mp3", XDXSound::kMusic));
    EXPECT_FALSE(mp3.IsLoaded());
    XDXSound midi;
    EXPECT_FALSE(midi.Load("Tune.mid", XDXSound::kMusic));
}

TEST_F(SoundTest, AFailedLoadIsNotRememberedAsLoaded)
{
    XDXSound sound;
    EXPECT_FALSE(sound.Load("Missing.wav", XDXSound::kSoundEffect));
    EXPECT_FALSE(sound.GetErrorMsg().IsEmpty());
    // Asking again must try again and fail again, not answer true for a sound that never loaded.
    EXPECT_FALSE(sound.Load("Missing.wav", XDXSound::kSoundEffect));
    EXPECT_FALSE(sound.Play(false));
}

TEST_F(SoundTest, ANameWithABackslashIsTheWholePath)
{
    XDXSound::SetPath("/nowhere");
    EXPECT_STREQ("/nowhere\\", XDXSound::GetPath().GetBuffer());
    XDXSound sound;
    const XString full = (m_folder.GamePath() + "Tune.wav").c_str();
    EXPECT_TRUE(sound.Load(full, XDXSound::kSoundEffect)) << sound.GetErrorMsg().GetBuffer();
    XDXSound relative;
    EXPECT_FALSE(relative.Load("Tune.wav", XDXSound::kSoundEffect));
}

TEST_F(SoundTest, MusicSwitchedOffPlaysSilentlyAndRestartsWhenSwitchedOn)
{
    XDXSound music;
    ASSERT_TRUE(music.Load("Tune.wav", XDXSound::kMusic));
    XDXSound::EnableMusic(false, false);
    EXPECT_TRUE(music.Play(true));
    EXPECT_FALSE(music.IsPlaying());
    XDXSound::EnableMusic(true, true);
    EXPECT_TRUE(music.IsPlaying());
    XDXSound::EnableMusic(false, false);
    EXPECT_FALSE(music.IsPlaying());
}

TEST_F(SoundTest, RestartedMusicLoopsOnlyWhenItWasStartedLooped)
{
    // A short tune: a restart that played once instead of looped would end within the wait.
    const int kTenthOfASecond = 2205;
    const int kWellPastTheTuneMs = 600;
    m_folder.Write("Short.wav", WaveBytes(kTenthOfASecond));
    m_folder.Write("Jingle.wav", WaveBytes(kTenthOfASecond));
    XDXSound track;
    XDXSound jingle;
    ASSERT_TRUE(track.Load("Short.wav", XDXSound::kMusic));
    ASSERT_TRUE(jingle.Load("Jingle.wav", XDXSound::kMusic));
    ASSERT_TRUE(track.Play(true));
    ASSERT_TRUE(jingle.Play(false));
    XDXSound::EnableMusic(false, false);
    XDXSound::EnableMusic(true, true);
    ASSERT_TRUE(track.IsPlaying());
    ASSERT_TRUE(jingle.IsPlaying());
    std::this_thread::sleep_for(std::chrono::milliseconds(kWellPastTheTuneMs));
    EXPECT_TRUE(track.IsPlaying()) << "the looped track stopped after one pass";
    EXPECT_FALSE(jingle.IsPlaying()) << "music started once must be restarted once";
}

TEST_F(SoundTest, SwitchingEffectsOffStopsOnlyEffects)
{
    XDXSound effect;
    XDXSound music;
    ASSERT_TRUE(effect.Load("Beep.WAV", XDXSound::kSoundEffect));
    ASSERT_TRUE(music.Load("Tune.wav", XDXSound::kMusic));
    ASSERT_TRUE(effect.Play(true));
    ASSERT_TRUE(music.Play(true));
    XDXSound::EnableSounds(false);
    EXPECT_FALSE(effect.IsPlaying());
    EXPECT_TRUE(music.IsPlaying());
    EXPECT_TRUE(effect.Play(false));
    EXPECT_FALSE(effect.IsPlaying());
    EXPECT_TRUE(music.Stop());
    EXPECT_FALSE(music.IsPlaying());
}

TEST(SoundSilent, WithoutADeviceEverythingAnswersFalseAndNothingBreaks)
{
    XDXSound::Shutdown();
    EXPECT_FALSE(XDXSound::IsInitialized());
    XDXSound sound;
    EXPECT_FALSE(sound.Load("Beep.wav", XDXSound::kSoundEffect));
    EXPECT_FALSE(sound.Play(false));
    EXPECT_FALSE(sound.Stop());
    EXPECT_FALSE(sound.IsPlaying());
    XDXSound::EnableSounds(false);
    XDXSound::EnableMusic(false, true);
    EXPECT_FALSE(XDXSound::SoundsEnabled());
}
