// The sound generator's own rules: note files read as written, loops rendered seamlessly,
// files written exactly, levels limited, output repeatable.
#include "LoopSeam.h"
#include "PcmWave.h"

#include "tools/soundgen/Effects.h"
#include "tools/soundgen/Mastering.h"
#include "tools/soundgen/ScoreParser.h"
#include "tools/soundgen/Sequencer.h"
#include "tools/soundgen/WaveFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace sg = plk::soundgen;

namespace
{

// Notes of one instrument as (midi, start beat, beats), in time order.
struct Played
{
    int midi;
    double start;
    double beats;
    bool operator==(const Played&) const = default;
};

std::vector<Played> NotesOf(const sg::Score& score, const std::string& instrument)
{
    std::vector<Played> out;
    for (const sg::ScheduledNote& n : sg::Schedule(score))
    {
        if (score.instruments[n.instrument].name == instrument)
            out.push_back({n.midi, n.startBeat, n.beats});
    }
    std::sort(out.begin(), out.end(), [](const Played& a, const Played& b) { return a.start < b.start; });
    return out;
}

std::string ErrorOf(const std::string& text)
{
    try
    {
        sg::ParseScore(text, "test.trk");
    }
    catch (const std::runtime_error& e)
    {
        return e.what();
    }
    return "";
}

const char* const kHeader = "tempo 120\ngrid 4\ninstrument bass saw octave=2\ninstrument lead square\n"
                            "instrument pad saw octave=4\ninstrument kick kick\n";

TEST(NoteFile, NoteNamesAndChordSymbols)
{
    int midi = 0;
    EXPECT_TRUE(sg::ParseNoteName("A4", midi) && midi == 69);
    EXPECT_TRUE(sg::ParseNoteName("C4", midi) && midi == 60);
    EXPECT_TRUE(sg::ParseNoteName("F#5", midi) && midi == 78);
    EXPECT_TRUE(sg::ParseNoteName("Bb3", midi) && midi == 58);
    EXPECT_TRUE(sg::ParseNoteName("Cb4", midi) && midi == 59);
    for (const char* bad : {"H4", "C", "C#", "c4", "A10", "E#"})
        EXPECT_FALSE(sg::ParseNoteName(bad, midi)) << bad;

    sg::Chord chord;
    ASSERT_TRUE(sg::ParseChord("Am", chord));
    EXPECT_EQ(chord.root, 9);
    EXPECT_EQ(chord.intervals, (std::vector<int>{0, 3, 7}));
    ASSERT_TRUE(sg::ParseChord("F#m7", chord));
    EXPECT_EQ(chord.root, 6);
    EXPECT_EQ(chord.intervals, (std::vector<int>{0, 3, 7, 10}));
    ASSERT_TRUE(sg::ParseChord("Bb", chord));
    EXPECT_EQ(chord.root, 10);
    EXPECT_FALSE(sg::ParseChord("Cx", chord));
    EXPECT_FALSE(sg::ParseChord("am", chord));
}

TEST(NoteFile, ChordTonesFollowTheChordsAndPatternsRepeat)
{
    const sg::Score score = sg::ParseScore(std::string(kHeader) +
                                               "section A 2\n"
                                               "chords Am C\n"
                                               "bass 1 2 3 .\n"
                                               "kick:1 x\n"
                                               "end\n"
                                               "play A\n",
                                           "test.trk");
    EXPECT_EQ(NotesOf(score, "bass"), (std::vector<Played>{{45, 0, 1}, {48, 1, 1}, {52, 2, 1},
                                                          {36, 4, 1}, {40, 5, 1}, {43, 6, 1}}));
    const std::vector<Played> kicks = NotesOf(score, "kick");
    ASSERT_EQ(kicks.size(), 2u);
    EXPECT_EQ(kicks[1].start, 4.0);
}

TEST(NoteFile, HoldsCarryAcrossSectionsAndChordsAreVoicedClose)
{
    const sg::Score score = sg::ParseScore(std::string(kHeader) +
                                               "section A 1\n"
                                               "chords G\n"
                                               "lead C4 - - -   # held into the next section\n"
                                               "pad:1 c\n"
                                               "end\n"
                                               "section B 1\n"
                                               "lead - - . F#4'\n"
                                               "end\n"
                                               "play A B\n",
                                           "test.trk");
    EXPECT_EQ(NotesOf(score, "lead"), (std::vector<Played>{{60, 0, 6}, {78, 7, 1}}));
    // G major around the middle of octave 4: D4, G4, B4 rather than G4, B4, D5.
    std::vector<int> pad;
    for (const Played& p : NotesOf(score, "pad"))
        pad.push_back(p.midi);
    std::sort(pad.begin(), pad.end());
    EXPECT_EQ(pad, (std::vector<int>{62, 67, 71}));
}

TEST(NoteFile, MistakesAreReportedWithTheirLine)
{
    const std::string uneven = ErrorOf(std::string(kHeader) + "section A 1\nlead C4 D4 E4\nend\nplay A\n");
    EXPECT_NE(uneven.find("test.trk:9:"), std::string::npos) << uneven;
    EXPECT_NE(uneven.find("do not repeat evenly"), std::string::npos) << uneven;

    EXPECT_NE(ErrorOf(std::string(kHeader) + "section A 1\nflute C4\nend\nplay A\n").find("test.trk:8: unknown instrument"),
              std::string::npos);
    EXPECT_NE(ErrorOf(std::string(kHeader) + "section A 1\nchords Cx\nend\nplay A\n").find("not a chord"), std::string::npos);
    EXPECT_NE(ErrorOf(std::string(kHeader) + "section A 1\nbass 1\nend\nplay A\n").find("no chords"), std::string::npos);
    EXPECT_NE(ErrorOf(std::string(kHeader) + "section A 1\nkick C4\nend\nplay A\n").find("drum"), std::string::npos);
    EXPECT_NE(ErrorOf(std::string(kHeader) + "section A 1 like Z\nend\nplay A\n").find("unknown section"), std::string::npos);
    EXPECT_NE(ErrorOf(std::string(kHeader) + "section A 1\nlead C4\nend\nplay B\n").find("unknown section B"), std::string::npos);
    EXPECT_NE(ErrorOf(std::string(kHeader) + "section A 1\nlead C4\n").find("no end"), std::string::npos);
    EXPECT_NE(ErrorOf("tempo fast\n").find("not a number"), std::string::npos);
    EXPECT_NE(ErrorOf("tempo nan\n").find("outside"), std::string::npos);
    std::string endless = std::string(kHeader) + "section A 64\nlead C4\nend\nplay";
    for (int i = 0; i < 10; ++i)
        endless += " A";
    EXPECT_NE(ErrorOf(endless + "\n").find("would last"), std::string::npos);
    EXPECT_NE(ErrorOf("instrument x saw cutoff=5\n").find("outside"), std::string::npos);
}

// A pad held to the very end of the loop with a long release: its tail must be heard at the
// start of the file, because that is where it sounds when the file repeats.
const char* const kRingingLoop = "tempo 120\nreverb 0.3 0.7 0.4\n"
                                 "instrument pad saw attack=0.2 release=1.5 volume=0.4 send=0.5\n"
                                 "section A 2\npad:1 C4 E4\nend\nplay A\n";

TEST(Rendering, LoopsCarryTheirTailIntoTheirStart)
{
    const sg::Buffer loop = sg::RenderScore(sg::ParseScore(kRingingLoop, "loop.trk"));
    ASSERT_EQ(loop.size(), static_cast<size_t>(sg::Samples(4.0)));
    const float start = sg::LoudestWindowRms(sg::Buffer(loop.begin(), loop.begin() + 200), 0.01);
    const float end = sg::LoudestWindowRms(sg::Buffer(loop.end() - 200, loop.end()), 0.01);
    EXPECT_GT(start, 0.5f * end) << "the loop starts quieter than it ends, so the ringing end cuts off when it repeats";

    std::vector<int16_t> pcm;
    for (float s : loop)
        pcm.push_back(static_cast<int16_t>(std::lround(s * 32767.0f)));
    EXPECT_LT(SeamSurprise(pcm), 0.75);

    const sg::Buffer once = sg::RenderScore(sg::ParseScore(std::string(kRingingLoop) + "oneshot 1.0\n", "once.trk"));
    EXPECT_EQ(once.size(), static_cast<size_t>(sg::Samples(5.0)));
    EXPECT_EQ(once.front(), 0.0f);
    EXPECT_EQ(once.back(), 0.0f);
}

TEST(Rendering, WaveFilesHoldExactlyTheSamples)
{
    const std::string path = (std::filesystem::temp_directory_path() / "plk_soundgen_roundtrip.wav").string();
    std::string error;
    ASSERT_TRUE(sg::WriteWave(path, {0.0f, 0.5f, -0.5f, 1.5f, -1.0f, 0.25f}, error)) << error;
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
    PcmWave wave;
    ASSERT_TRUE(ReadPcmWave(path, wave, error)) << error;
    EXPECT_EQ(wave.rate, sg::kSampleRate);
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.samples, (std::vector<int16_t>{0, 16384, -16384, 32767, -32767, 8192}));

    EXPECT_FALSE(sg::WriteWave("/nonexistent-folder/x.wav", {0.0f}, error));
    EXPECT_NE(error.find("/nonexistent-folder/x.wav"), std::string::npos) << error;
}

TEST(Rendering, LoudnessMatchingNeverClips)
{
    sg::Buffer buffer(sg::Samples(0.5), 0.0f);
    for (size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = static_cast<float>(0.2 * std::sin(i * 0.05) + (i % 1000 == 0 ? 3.0 : 0.0));
    sg::MatchLoudness(buffer, 0.4f, 0.05);
    EXPECT_LT(sg::Peak(buffer), 0.95f);
    EXPECT_NEAR(sg::LoudestWindowRms(buffer, 0.05), 0.4f, 0.1f);

    sg::Buffer quiet = {0.1f, -0.3f, 0.69f};
    sg::SoftLimit(quiet, 0.7f, 0.94f);
    EXPECT_EQ(quiet, (sg::Buffer{0.1f, -0.3f, 0.69f})) << "samples below the knee must pass untouched";
}

TEST(Rendering, EveryEffectIsRepeatableFromItsSeed)
{
    for (const sg::EffectRecipe& recipe : sg::EffectRecipes())
    {
        const sg::Buffer a = sg::RenderEffect(recipe, 7, 0.2f);
        const sg::Buffer b = sg::RenderEffect(recipe, 7, 0.2f);
        EXPECT_EQ(a, b) << recipe.name << " differs between two builds";
        EXPECT_FALSE(a.empty()) << recipe.name;
    }
}

} // namespace
