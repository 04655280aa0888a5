// Writes RIFF/WAVE files: 16-bit PCM, mono, at the generator's sample rate.
#pragma once

#include "tools/soundgen/Dsp.h"

#include <string>

namespace plk::soundgen
{

// Rounds and clamps every sample to 16 bits. Written under a temporary name and renamed, so an
// interrupted build never leaves a truncated file that looks finished. Returns false and the
// reason in `error` on failure.
bool WriteWave(const std::string& path, const Buffer& samples, std::string& error);

} // namespace plk::soundgen
