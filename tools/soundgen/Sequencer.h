// Turns a parsed score into notes and renders them through the instruments, the reverb and the
// level stage into a finished track.
#pragma once

#include "tools/soundgen/Score.h"

#include <vector>

namespace plk::soundgen
{

struct ScheduledNote
{
    int instrument = 0; // index into Score::instruments
    double startBeat = 0.0;
    double beats = 0.0;
    int midi = 60;
    float velocity = 0.8f;
    uint64_t seed = 1;
};

// Every note of one pass through the play order, in time order per instrument.
std::vector<ScheduledNote> Schedule(const Score& score);

// Length of one pass in beats.
double PassBeats(const Score& score);

// A loop is rendered twice and only the second pass kept, so that the notes and reverb ringing
// over from the end arrive at its start exactly as they do when the file repeats: the seam is
// then inaudible. A one-shot is rendered once with its tail and faded to silence.
Buffer RenderScore(const Score& score);

} // namespace plk::soundgen
