// Point arithmetic that stops at the ends of the int range instead of wrapping around.
#pragma once

#include <climits>
#include <cmath>
#include <cstdint>

// Scores are ints in the level file and on every card, but a large multiplied group or a saved
// game whose totals sit near the top of the range would wrap when points are added or scaled.
// Every sum and every scaled value of points goes through these so that it saturates instead.
// The range is kept symmetric, -INT_MAX..INT_MAX, so that a saturated cost shown negated on a card
// is the same number that was charged.
namespace Points
{

const int kMost = INT_MAX;
const int kLeast = -INT_MAX;

// value held within kLeast..kMost.
inline int Clamp(int64_t value)
{
    if (value > kMost)
        return kMost;
    return value < kLeast ? kLeast : static_cast<int>(value);
}

// total + more, saturating; more may be a 64-bit sum of several point values.
inline int Add(int total, int64_t more)
{
    return Clamp(static_cast<int64_t>(total) + more);
}

// value truncated toward zero and saturated; a NaN counts as 0 points.
inline int Truncate(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(kMost))
        return kMost;
    if (value <= static_cast<double>(kLeast))
        return kLeast;
    return static_cast<int>(value);
}

} // namespace Points
