// Dialog-unit arithmetic.
#include "platform/dialog/DialogTemplate.h"

namespace plk
{
namespace
{

const int kUnitsPerCharacterX = 4;
const int kUnitsPerCharacterY = 8;
const int kLettersInAlphabet = 26;
const int kPixelsPerInch = 96;
const int kPointsPerInch = 72;

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

int DialogUnitsToPixelsX(int units, const DialogBaseUnits& base)
{
    return MulDiv(units, base.x, kUnitsPerCharacterX);
}

int DialogUnitsToPixelsY(int units, const DialogBaseUnits& base)
{
    return MulDiv(units, base.y, kUnitsPerCharacterY);
}

int AverageCharacterWidth(int alphabetWidth)
{
    // Both letter cases make 52 characters: halving the width of 26, rounded up, averages them.
    return (alphabetWidth / kLettersInAlphabet + 1) / 2;
}

int PointsToPixels(int points)
{
    return MulDiv(points, kPixelsPerInch, kPointsPerInch);
}

} // namespace plk
