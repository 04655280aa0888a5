// The step sequencer: token timelines to notes, notes to samples.
#include "tools/soundgen/Sequencer.h"

#include "tools/soundgen/Mastering.h"
#include "tools/soundgen/Reverb.h"
#include "tools/soundgen/ScoreParser.h"

#include <algorithm>
#include <cmath>

namespace plk::soundgen
{

namespace
{

const float kDefaultVelocity = 0.8f;
const float kAccentVelocity = 1.0f;
const float kSoftVelocity = 0.5f;
const float kGhostVelocity = 0.45f;
// Chord tones of a "c" token are voiced within an octave around this many semitones above C of
// the instrument's octave, so that changing chords move by small steps.
const int kVoicingCentre = 6;
// Loudness is judged over a few bars rather than the whole track, so a quiet intro does not
// make the full part too loud.
const double kLoudnessWindow = 3.0;
const double kOneShotFadeOut = 0.05;
// Drum hits vary this much in strength, as a player's do; identical hits sound like a machine.
const double kDrumVelocitySpread = 0.12;

struct OpenNote
{
    int midi;
    double start;
    float velocity;
};

Chord ChordAt(const Section& s, double beatInSection, int beatsPerBar)
{
    const double sectionBeats = static_cast<double>(s.bars) * beatsPerBar;
    const double each = sectionBeats / static_cast<double>(s.chords.size());
    int index = static_cast<int>(beatInSection / each + 1e-9);
    index = std::min(index, static_cast<int>(s.chords.size()) - 1);
    while (index > 0 && s.chords[index] == "-")
        --index;
    Chord chord;
    ParseChord(s.chords[index], chord);
    return chord;
}

// MIDI notes a tonal token stands for; empty for "-" and ".".
std::vector<int> TokenNotes(const std::string& token, const Instrument& in, const Chord* chord, float& velocity)
{
    std::string body = token;
    int shift = 0;
    velocity = kDefaultVelocity;
    while (!body.empty())
    {
        const char c = body.back();
        if (c == '!')
            velocity = kAccentVelocity;
        else if (c == '?')
            velocity = kSoftVelocity;
        else if (c == '\'')
            shift += 12;
        else if (c == ',')
            shift -= 12;
        else
            break;
        body.pop_back();
    }
    int midi = 0;
    if (ParseNoteName(body, midi))
        return {midi + shift};
    if (!chord)
        return {};
    const int rootMidi = 12 * (in.octave + 1) + chord->root;
    if (body == "c")
    {
        const int centre = 12 * (in.octave + 1) + kVoicingCentre;
        std::vector<int> notes;
        for (int interval : chord->intervals)
        {
            int m = rootMidi + interval;
            while (m >= centre + 6)
                m -= 12;
            while (m < centre - 6)
                m += 12;
            notes.push_back(m + shift);
        }
        return notes;
    }
    if (body.size() == 1 && body[0] >= '1' && body[0] <= '9')
    {
        const int n = static_cast<int>(chord->intervals.size());
        const int idx = body[0] - '1';
        return {rootMidi + chord->intervals[idx % n] + 12 * (idx / n) + shift};
    }
    return {};
}

} // namespace

double PassBeats(const Score& score)
{
    double beats = 0.0;
    for (const std::string& name : score.order)
        beats += static_cast<double>(score.FindSection(name)->bars) * score.beatsPerBar;
    return beats;
}

std::vector<ScheduledNote> Schedule(const Score& score)
{
    std::vector<ScheduledNote> notes;
    for (size_t ii = 0; ii < score.instruments.size(); ++ii)
    {
        const Instrument& in = score.instruments[ii];
        std::vector<OpenNote> open;
        auto closeAll = [&](double at) {
            for (const OpenNote& o : open)
            {
                ScheduledNote n;
                n.instrument = static_cast<int>(ii);
                n.startBeat = o.start;
                n.beats = at - o.start;
                n.midi = o.midi;
                n.velocity = o.velocity;
                n.seed = MixSeed(ii + 1, notes.size());
                if (in.IsDrum())
                    n.velocity *= static_cast<float>(1.0 - kDrumVelocitySpread * Random(n.seed).Uniform());
                notes.push_back(n);
            }
            open.clear();
        };
        double sectionStart = 0.0;
        for (const std::string& name : score.order)
        {
            const Section& s = *score.FindSection(name);
            const PartLine* line = nullptr;
            for (const PartLine& p : s.parts)
            {
                if (p.part == in.name)
                    line = &p;
            }
            if (!line)
                closeAll(sectionStart);
            else
            {
                const double tokenBeats = static_cast<double>(score.beatsPerBar) / line->perBar;
                const int count = s.bars * line->perBar;
                for (int k = 0; k < count; ++k)
                {
                    const std::string& token = line->tokens[k % line->tokens.size()];
                    const double at = sectionStart + k * tokenBeats;
                    if (token == "-")
                        continue;
                    closeAll(at);
                    if (token == ".")
                        continue;
                    if (in.IsDrum())
                    {
                        const float v = token == "X" ? kAccentVelocity : token == "o" ? kGhostVelocity : kDefaultVelocity;
                        open.push_back({0, at, v});
                        continue;
                    }
                    Chord chord;
                    if (!s.chords.empty())
                        chord = ChordAt(s, at - sectionStart, score.beatsPerBar);
                    float velocity = kDefaultVelocity;
                    for (int midi : TokenNotes(token, in, s.chords.empty() ? nullptr : &chord, velocity))
                        open.push_back({midi, at, velocity});
                }
            }
            sectionStart += static_cast<double>(s.bars) * score.beatsPerBar;
        }
        closeAll(sectionStart);
    }
    return notes;
}

Buffer RenderScore(const Score& score)
{
    const double samplesPerBeat = score.SecondsPerBeat() * kSampleRate;
    const int pass = static_cast<int>(std::lround(PassBeats(score) * samplesPerBeat));
    const int passes = score.loop ? 2 : 1;
    const int total = pass * passes + (score.loop ? 0 : Samples(score.tail));
    Buffer dry(total, 0.0f);
    Buffer send(total, 0.0f);
    const std::vector<ScheduledNote> notes = Schedule(score);
    for (int p = 0; p < passes; ++p)
    {
        for (const ScheduledNote& s : notes)
        {
            Note n;
            n.start = p * pass + static_cast<int>(std::lround(s.startBeat * samplesPerBeat));
            n.held = static_cast<int>(std::lround(s.beats * samplesPerBeat));
            n.hz = MidiToHz(s.midi);
            n.velocity = s.velocity;
            n.seed = s.seed;
            RenderNote(score.instruments[s.instrument], n, dry, send);
        }
    }
    Reverb reverb(score.reverbRoom, score.reverbDamping);
    reverb.Apply(send, dry, score.reverbWet);
    DcBlocker dc;
    for (float& s : dry)
        s = dc.Process(s);
    Buffer out(dry.begin() + (passes - 1) * pass, dry.end());
    MatchLoudness(out, score.loudness, kLoudnessWindow);
    if (!score.loop)
        FadeEdges(out, 0.0, kOneShotFadeOut);
    return out;
}

} // namespace plk::soundgen
