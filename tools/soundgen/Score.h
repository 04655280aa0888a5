// A music track as read from its note file: instruments, chord-driven sections and their order.
#pragma once

#include "tools/soundgen/Instrument.h"

#include <string>
#include <vector>

namespace plk::soundgen
{

struct Chord
{
    int root = 0; // pitch class, C = 0
    std::vector<int> intervals; // semitones above the root, ascending, starting with 0
};

// One instrument's tokens in a section; `perBar` tokens fill one bar.
struct PartLine
{
    std::string part;
    int perBar = 8;
    std::vector<std::string> tokens;
    int line = 0; // source line, for messages
};

struct Section
{
    std::string name;
    int bars = 4;
    // Spread evenly over the section; "-" repeats the chord before.
    std::vector<std::string> chords;
    std::vector<PartLine> parts;
};

struct Score
{
    std::string file;
    double tempo = 120.0;
    int beatsPerBar = 4;
    int grid = 8;
    // Reverb: wet level, room size and damping, all 0..1.
    float reverbWet = 0.2f;
    float reverbRoom = 0.6f;
    float reverbDamping = 0.4f;
    // Loudness of the finished track as an RMS level.
    float loudness = 0.16f;
    // A loop wraps seamlessly; a one-shot (the logo jingle) ends in its reverb tail.
    bool loop = true;
    double tail = 1.5;
    std::vector<Instrument> instruments;
    std::vector<Section> sections;
    std::vector<std::string> order;

    const Instrument* FindInstrument(const std::string& name) const;
    const Section* FindSection(const std::string& name) const;
    double SecondsPerBeat() const { return 60.0 / tempo; }
};

} // namespace plk::soundgen
