// Sound output over SDL2_mixer: one open device, wave files loaded whole or streamed, many
// overlapping plays.
#pragma once

#include <string>

namespace plk::audio
{

// A loaded wave file. Handles are never reused, so a stale handle cannot reach a later sound.
using SoundHandle = int;
const SoundHandle kNoSound = 0;

// Result codes: 0 success, negative failure (the error text says why).
const int kOk = 0;
const int kErrNotOpen = -1;
const int kErrDevice = -2;
const int kErrLoad = -3;
const int kErrBadHandle = -4;
const int kErrNoChannel = -5;

// Opens the default output with 64 mixing channels. On failure nothing is open and every later
// call fails quietly, so the caller can go on without sound. Opening twice closes first.
// Every function here belongs to the main thread.
int OpenAudio(std::string* error = nullptr);
// Stops everything, frees every loaded sound and closes the device; safe when not open.
void CloseAudio();
bool AudioIsOpen();

// Decodes a whole wave file into memory, converted to the device's format. Handles loaded from
// the same file share one decoded copy, freed with the last of them; each still plays, stops and
// reports its own plays. A file changed on disk while a handle holds it is not read again.
int LoadSound(const std::string& path, SoundHandle& out, std::string* error = nullptr);
// For long music: reads the file's samples a piece at a time as each play goes, rather than
// holding them decoded, and otherwise behaves as LoadSound. The file must stay where it is while
// the handle lives; a wave file that is not plain 8- or 16-bit PCM is decoded whole instead.
int LoadStreamedSound(const std::string& path, SoundHandle& out, std::string* error = nullptr);
// Stops the sound wherever it plays, then lets go of it; unknown handles are ignored.
void FreeSound(SoundHandle sound);

// Starts the sound on a free channel, once or looping until stopped; earlier plays of the same
// sound go on (plays overlap). channel, when given, receives the mixer channel used.
int PlaySound(SoundHandle sound, bool loop, int* channel = nullptr, std::string* error = nullptr);
// Stops every play of this sound; other sounds that later took over its channels are untouched.
void StopSound(SoundHandle sound);
// Loudness of every play of the sound, now and later, from 0 (silent) to 1 (as recorded).
void SetSoundVolume(SoundHandle sound, float volume);
// True while any play of this sound is still sounding.
bool SoundIsPlaying(SoundHandle sound);
// Blocks until no play of the sound is left or timeoutMs passes; true when it fell silent.
// Woken by the mixer's channel-finished notice, so it does not poll.
bool WaitForSound(SoundHandle sound, int timeoutMs);

} // namespace plk::audio
