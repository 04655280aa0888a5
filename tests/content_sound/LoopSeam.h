// Measures how audible the seam of a looped sound is.
#pragma once

#include <cstdint>
#include <vector>

// How much more surprising the samples right after the loop's seam are than the file's usual
// samples: a linear predictor learnt from the whole file forecasts each sample from the ones
// before it, and the seam's worst forecast error is divided by the 99.9th percentile of the
// errors elsewhere. A seamless loop scores about 1 or less; a jump scores several times that.
double SeamSurprise(const std::vector<int16_t>& samples);
