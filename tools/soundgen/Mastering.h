// Level setting for finished sounds: loudness matching and a limiter that never lets a sample clip.
#pragma once

#include "tools/soundgen/Dsp.h"

namespace plk::soundgen
{

// Root mean square of the loudest stretch of `window` seconds (the whole buffer when shorter).
float LoudestWindowRms(const Buffer& buffer, double window);

// Peak of the absolute sample values.
float Peak(const Buffer& buffer);

// Scales the buffer so that its loudest window has the given RMS, then soft-limits it. Loudness,
// not peak, is matched, so that a click and a rumble at the same level sound equally loud.
// Memoryless after the gain, so a seamless loop stays seamless.
void MatchLoudness(Buffer& buffer, float targetRms, double window);

// Leaves samples below `knee` untouched and bends louder ones smoothly towards `ceiling`.
void SoftLimit(Buffer& buffer, float knee, float ceiling);

} // namespace plk::soundgen
