// The properties every level input that loads must have, whichever reader took it: the document
// written from it reads back to the same document, and the rules then play it without a NaN
// position and without a score or time leaving its range.
#pragma once

#include "foundation/XString.h"

class CGameLevel;

namespace fuzz
{

// A level reader with no origin mark and no digit in its name, so that neither the standard-level
// checks nor a new game session's clock make two reads of one document differ.
extern const char* const kLevelName;

// Seeds the rules' generator as every read does before it starts: loading draws the spares and
// the colour offsets of new cubes from it, which the document does not hold.
void StartRead();

// The level's document as Save writes it, less the cipher.
XString WrittenDocument(const CGameLevel& level, bool isSavedGame);

// Stops the run, showing the first line that differs, unless both are the same bytes.
void CheckSameDocument(const XString& written, const XString& rewritten);

// Reads written (a document the writer made) into a fresh level through LoadFromDocument and
// requires it to load and to write back byte for byte; then plays frames on it.
void CheckDocumentRoundTrip(const XString& written, bool isSavedGame);

// 200 frames of play at 25 ms, as the play screen runs them, checking every cube's position and
// velocity, the scores and the clock after each.
void CheckFrames(CGameLevel& level);

} // namespace fuzz
