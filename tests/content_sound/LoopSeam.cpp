// Linear prediction of the samples across a loop's seam.
#include "LoopSeam.h"

#include <algorithm>
#include <cmath>

namespace
{

// Enough coefficients to follow a few resonances and the general tilt of the spectrum.
const int kOrder = 16;
// Samples after the seam whose forecast errors are examined: a click lasts about this long.
const int kSeamSpan = 8;

// Levinson-Durbin recursion on the autocorrelation; returns a[1..order] with s[n] ~ sum a[k] s[n-k].
std::vector<double> Predictor(const std::vector<int16_t>& s)
{
    std::vector<double> r(kOrder + 1, 0.0);
    for (int lag = 0; lag <= kOrder; ++lag)
    {
        for (size_t i = lag; i < s.size(); ++i)
            r[lag] += static_cast<double>(s[i]) * s[i - lag];
    }
    r[0] *= 1.0 + 1e-9;
    std::vector<double> a(kOrder + 1, 0.0);
    double error = r[0];
    for (int i = 1; i <= kOrder && error > 0.0; ++i)
    {
        double acc = r[i];
        for (int k = 1; k < i; ++k)
            acc -= a[k] * r[i - k];
        const double reflection = acc / error;
        std::vector<double> next = a;
        next[i] = reflection;
        for (int k = 1; k < i; ++k)
            next[k] = a[k] - reflection * a[i - k];
        a = next;
        error *= 1.0 - reflection * reflection;
    }
    return a;
}

double Residual(const std::vector<double>& a, const std::vector<int16_t>& s, size_t n)
{
    double forecast = 0.0;
    for (int k = 1; k <= kOrder; ++k)
        forecast += a[k] * s[(n + s.size() - k) % s.size()];
    return std::fabs(s[n] - forecast);
}

} // namespace

double SeamSurprise(const std::vector<int16_t>& s)
{
    if (s.size() < static_cast<size_t>(10 * kOrder))
        return 0.0;
    const std::vector<double> a = Predictor(s);
    std::vector<double> errors;
    errors.reserve(s.size());
    for (size_t n = kOrder; n < s.size(); ++n)
        errors.push_back(Residual(a, s, n));
    const size_t at = errors.size() * 999 / 1000;
    std::nth_element(errors.begin(), errors.begin() + at, errors.end());
    const double typical = std::max(errors[at], 1.0);
    double seam = 0.0;
    // Indices wrap, so the first samples are forecast from the last ones, as the mixer plays them.
    for (int n = 0; n < kSeamSpan; ++n)
        seam = std::max(seam, Residual(a, s, n));
    return seam / typical;
}
