// Checks every generated sound of the data folder: format, levels, lengths, loop seams, variety.
#include "LoopSeam.h"
#include "PcmWave.h"

#include "platform/audio/Audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace
{

enum class Kind
{
    kUi,     // interface sounds: must feel instant
    kEffect, // sounds of the world
    kLoop,   // weather and music: repeat without a seam
    kJingle, // the logo music, played once
};

struct Expected
{
    const char* name;
    Kind kind;
    double maxSeconds;
};

// Longest acceptable lengths: short enough to stay out of each other's way in play.
const Expected kSounds[] = {
    {"SndMouseOver.wav", Kind::kUi, 0.2},       {"SndSelectBlock.wav", Kind::kUi, 0.2},
    {"SndSelectArrow.wav", Kind::kUi, 0.2},     {"SndExplodeBlock.wav", Kind::kEffect, 1.0},
    {"SndExplodeBomb.wav", Kind::kEffect, 2.5}, {"SndLifterMorph.wav", Kind::kEffect, 1.2},
    {"SndBlockHitWall.wav", Kind::kEffect, 0.5}, {"SndBlockThump.wav", Kind::kEffect, 0.5},
    {"SndBlockSlide.wav", Kind::kEffect, 1.0},  {"SndBlockCrash.wav", Kind::kEffect, 0.6},
    {"SndBlockDrop.wav", Kind::kEffect, 1.0},   {"SndThunder.wav", Kind::kEffect, 6.0},
    {"SndWarp.wav", Kind::kEffect, 1.5},        {"SndLevelUp.wav", Kind::kEffect, 2.5},
    {"SndLowTime.wav", Kind::kEffect, 1.0},     {"SndRain.wav", Kind::kLoop, 15.0},
    {"MusicLogo.wav", Kind::kJingle, 4.0},      {"MusicIntro.wav", Kind::kLoop, 90.0},
    {"MusicGameOver.wav", Kind::kLoop, 90.0},   {"MusicGameComplete.wav", Kind::kLoop, 90.0},
    {"Music0.wav", Kind::kLoop, 90.0},          {"Music1.wav", Kind::kLoop, 90.0},
    {"Music2.wav", Kind::kLoop, 90.0},          {"Music3.wav", Kind::kLoop, 90.0},
    {"Music4.wav", Kind::kLoop, 90.0},          {"Music5.wav", Kind::kLoop, 90.0},
    {"Music6.wav", Kind::kLoop, 90.0},          {"Music7.wav", Kind::kLoop, 90.0},
};

const double kFullScale = 32768.0;
// A sample this close to full scale has been clipped or is about to be by the mixer.
const int kClipLevel = 32000;
const double kMusicMinSeconds = 30.0;
const double kJingleMinSeconds = 2.0;
const double kRainMinSeconds = 4.0;
const size_t kMaxTotalBytes = 40u * 1024 * 1024;
const double kMaxSeamSurprise = 0.75;

std::string DataDir()
{
    const char* binary = std::getenv("PLK_BINARY_DIR");
    return std::string(binary ? binary : ".") + "/stage/data/";
}

bool IsMusic(const std::string& name)
{
    return name.rfind("Music", 0) == 0;
}

// Every file read once for all tests.
const std::map<std::string, PcmWave>& Sounds()
{
    static const std::map<std::string, PcmWave> sounds = [] {
        std::map<std::string, PcmWave> all;
        for (const Expected& e : kSounds)
        {
            PcmWave wave;
            std::string error;
            if (ReadPcmWave(DataDir() + e.name, wave, error))
                all[e.name] = wave;
        }
        return all;
    }();
    return sounds;
}

double Rms(const std::vector<int16_t>& s, size_t from, size_t count)
{
    double sum = 0.0;
    const size_t end = std::min(s.size(), from + count);
    for (size_t i = from; i < end; ++i)
        sum += static_cast<double>(s[i]) * s[i];
    return end > from ? std::sqrt(sum / static_cast<double>(end - from)) / kFullScale : 0.0;
}

double LoudestWindowRms(const std::vector<int16_t>& s, size_t window)
{
    double best = 0.0;
    for (size_t at = 0; at + window <= s.size(); at += window / 4)
        best = std::max(best, Rms(s, at, window));
    return best;
}

double Decibels(double level)
{
    return 20.0 * std::log10(std::max(level, 1e-9));
}

TEST(SoundSet, EveryFileIsAMonoPcmWaveThatTheMixerLoads)
{
    std::string error;
    ASSERT_EQ(plk::audio::OpenAudio(&error), plk::audio::kOk) << error;
    for (const Expected& e : kSounds)
    {
        PcmWave wave;
        ASSERT_TRUE(ReadPcmWave(DataDir() + e.name, wave, error)) << e.name << ": " << error;
        // The mixer runs at this rate: a file at another would be resampled, and held larger, on every load.
        EXPECT_EQ(wave.rate, 22050) << e.name;
        EXPECT_EQ(wave.channels, 1) << e.name;
        EXPECT_GT(wave.samples.size(), 0u) << e.name;
        plk::audio::SoundHandle sound = plk::audio::kNoSound;
        EXPECT_EQ(plk::audio::LoadSound(DataDir() + e.name, sound, &error), plk::audio::kOk) << e.name << ": " << error;
    }
    plk::audio::CloseAudio();
}

TEST(SoundSet, TheLevelBuilderFindsAtLeastEightTracks)
{
    int tracks = 0;
    for (const auto& entry : std::filesystem::directory_iterator(DataDir()))
    {
        const std::string name = entry.path().filename().string();
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        if (lower.size() > 9 && lower.rfind("music", 0) == 0 && std::isdigit(static_cast<unsigned char>(lower[5])) &&
            lower.substr(lower.size() - 4) == ".wav")
            ++tracks;
    }
    EXPECT_GE(tracks, 8);
}

TEST(SoundSet, NothingClipsAndNothingIsSilent)
{
    for (const auto& [name, wave] : Sounds())
    {
        int peak = 0;
        for (int16_t s : wave.samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_LT(peak, kClipLevel) << name << " reaches " << peak;
        // Quieter than -30 dBFS at its loudest would be a broken recipe, not a quiet sound.
        EXPECT_GT(peak, 1000) << name << " is nearly silent";
    }
}

TEST(SoundSet, LengthsSuitWhereTheSoundsAreUsed)
{
    ASSERT_EQ(Sounds().size(), std::size(kSounds)) << "some files are missing or unreadable";
    for (const Expected& e : kSounds)
    {
        const double seconds = Sounds().at(e.name).Seconds();
        EXPECT_LE(seconds, e.maxSeconds) << e.name;
        double minimum = 0.02;
        if (e.kind == Kind::kJingle)
            minimum = kJingleMinSeconds;
        else if (e.kind == Kind::kLoop)
            minimum = IsMusic(e.name) ? kMusicMinSeconds : kRainMinSeconds;
        EXPECT_GE(seconds, minimum) << e.name;
    }
}

TEST(SoundSet, OneShotsStartAndEndInSilence)
{
    for (const Expected& e : kSounds)
    {
        if (e.kind == Kind::kLoop)
            continue;
        const std::vector<int16_t>& s = Sounds().at(e.name).samples;
        // A sound cut off mid-wave clicks when it starts or stops.
        EXPECT_LT(std::abs(s.front()), 100) << e.name << " starts with a jump";
        EXPECT_LT(std::abs(s.back()), 100) << e.name << " ends with a jump";
    }
}

TEST(SoundSet, LoopsWrapWithoutAJump)
{
    for (const Expected& e : kSounds)
    {
        if (e.kind != Kind::kLoop)
            continue;
        const PcmWave& wave = Sounds().at(e.name);
        const std::vector<int16_t>& s = wave.samples;
        // Well-rendered loops score under 0.45; cutting one a few thousand samples short mostly
        // scores above 1.
        EXPECT_LT(SeamSurprise(s), kMaxSeamSurprise) << e.name << ": last " << s.back() << ", first " << s.front();

        // And the level must carry on: a loop whose tail fades away lurches when it restarts.
        const size_t window = static_cast<size_t>(wave.rate) / 2;
        const double before = Rms(s, s.size() - window, window);
        const double after = Rms(s, 0, window);
        EXPECT_LT(std::fabs(Decibels(before) - Decibels(after)), 12.0)
            << e.name << ": " << Decibels(before) << " dB before the seam, " << Decibels(after) << " dB after";

        double mean = 0.0;
        for (int16_t v : s)
            mean += v;
        mean /= static_cast<double>(s.size());
        EXPECT_LT(std::fabs(mean), 0.002 * kFullScale) << e.name << " has a DC offset of " << mean;
    }
}

TEST(SoundSet, LevelsAreBalanced)
{
    std::vector<double> music;
    for (const Expected& e : kSounds)
    {
        const PcmWave& wave = Sounds().at(e.name);
        const double loudness = Decibels(LoudestWindowRms(wave.samples, static_cast<size_t>(wave.rate) / 20));
        if (e.kind == Kind::kLoop && IsMusic(e.name))
            music.push_back(Decibels(LoudestWindowRms(wave.samples, static_cast<size_t>(wave.rate) * 3)));
        // Effects between a whisper and a shout: outside this one would drown or vanish.
        EXPECT_GT(loudness, -32.0) << e.name;
        EXPECT_LT(loudness, -6.0) << e.name;
    }
    ASSERT_FALSE(music.empty());
    const auto [quietest, loudest] = std::minmax_element(music.begin(), music.end());
    EXPECT_LT(*loudest - *quietest, 4.0) << "one track is much louder than another";
}

TEST(SoundSet, MusicTracksAreDifferentPieces)
{
    std::vector<std::string> names;
    for (const Expected& e : kSounds)
    {
        if (IsMusic(e.name))
            names.push_back(e.name);
    }
    for (size_t a = 0; a < names.size(); ++a)
    {
        for (size_t b = a + 1; b < names.size(); ++b)
        {
            const std::vector<int16_t>& x = Sounds().at(names[a]).samples;
            const std::vector<int16_t>& y = Sounds().at(names[b]).samples;
            const size_t n = std::min(x.size(), y.size());
            double xy = 0.0;
            double xx = 0.0;
            double yy = 0.0;
            for (size_t i = 0; i < n; ++i)
            {
                xy += static_cast<double>(x[i]) * y[i];
                xx += static_cast<double>(x[i]) * x[i];
                yy += static_cast<double>(y[i]) * y[i];
            }
            const double correlation = xy / std::sqrt(std::max(xx * yy, 1.0));
            // A copied note file renders the same samples; unrelated pieces hardly correlate.
            EXPECT_LT(correlation, 0.5) << names[a] << " and " << names[b] << " are the same music";
        }
    }
}

TEST(SoundSet, TheWholeSetStaysSmall)
{
    size_t total = 0;
    for (const Expected& e : kSounds)
        total += std::filesystem::file_size(DataDir() + e.name);
    EXPECT_LT(total, kMaxTotalBytes) << total << " bytes";
}

} // namespace
