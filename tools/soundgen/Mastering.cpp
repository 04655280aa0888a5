// Loudness matching and soft limiting.
#include "tools/soundgen/Mastering.h"

#include <algorithm>
#include <cmath>

namespace plk::soundgen
{

namespace
{

// Below full scale with room for the resampling the mixer does on playback.
const float kCeiling = 0.94f;
const float kKnee = 0.7f;
// A quiet tail must not be blown up into noise by a huge gain.
const float kMaxGain = 40.0f;

} // namespace

float LoudestWindowRms(const Buffer& buffer, double window)
{
    const size_t n = buffer.size();
    if (n == 0)
        return 0.0f;
    const size_t w = std::clamp<size_t>(static_cast<size_t>(Samples(window)), 1, n);
    double sum = 0.0;
    for (size_t i = 0; i < w; ++i)
        sum += static_cast<double>(buffer[i]) * buffer[i];
    double best = sum;
    for (size_t i = w; i < n; ++i)
    {
        sum += static_cast<double>(buffer[i]) * buffer[i] - static_cast<double>(buffer[i - w]) * buffer[i - w];
        best = std::max(best, sum);
    }
    return static_cast<float>(std::sqrt(std::max(best, 0.0) / w));
}

float Peak(const Buffer& buffer)
{
    float peak = 0.0f;
    for (float s : buffer)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

void SoftLimit(Buffer& buffer, float knee, float ceiling)
{
    const float room = ceiling - knee;
    for (float& s : buffer)
    {
        const float a = std::fabs(s);
        if (a <= knee)
            continue;
        const float bent = knee + room * std::tanh((a - knee) / room);
        s = std::copysign(bent, s);
    }
}

void MatchLoudness(Buffer& buffer, float targetRms, double window)
{
    const float rms = LoudestWindowRms(buffer, window);
    if (rms <= 0.0f)
        return;
    const float gain = std::min(targetRms / rms, kMaxGain);
    for (float& s : buffer)
        s *= gain;
    SoftLimit(buffer, kKnee, kCeiling);
}

} // namespace plk::soundgen
