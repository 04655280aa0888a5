// Reads the note files of the music (one track per file; the format is described in
// content/sound/music/README.txt).
#pragma once

#include "tools/soundgen/Score.h"

#include <string>

namespace plk::soundgen
{

// Throws std::runtime_error with "file:line: reason" on any malformed or inconsistent input.
Score ParseScore(const std::string& text, const std::string& fileName);
Score LoadScore(const std::string& path);

// Note names ("C4", "F#3", "Bb5") to MIDI numbers; false when the text is not a note.
bool ParseNoteName(const std::string& text, int& midi);
// Chord symbols ("C", "Am", "G7", "Fmaj7", "Bdim", "Dsus4", "Em7", "Cadd9", "Eaug", "A6", "Dm6").
bool ParseChord(const std::string& text, Chord& out);

} // namespace plk::soundgen
