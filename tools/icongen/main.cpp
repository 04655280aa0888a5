// Makes the desktop icon at one size from a piece of the game's own art: the square picture is
// resampled by area averaging and given rounded, transparent corners, as desktop icons are.
//   icongen SOURCE SIZE OUTPUT.png
#include "platform/image/Image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

// The corner radius as a share of the side, and the edge width that is blended rather than cut.
const double kCornerShare = 0.18;
const double kEdgeSoftness = 1.0;
const int kMinSize = 16;
const int kMaxSize = 1024;

// The average of the source pixels that the target pixel (x, y) covers, weighted by the covered
// area, so that large reductions keep the emblem's lines instead of skipping them.
void AverageArea(const plk::Image& source, int size, int x, int y, double rgba[4])
{
    const double scaleX = static_cast<double>(source.width) / size;
    const double scaleY = static_cast<double>(source.height) / size;
    const double x0 = x * scaleX, x1 = (x + 1) * scaleX, y0 = y * scaleY, y1 = (y + 1) * scaleY;
    double total = 0.0;
    std::fill(rgba, rgba + 4, 0.0);
    for (int sy = static_cast<int>(y0); sy < static_cast<int>(std::ceil(y1)) && sy < source.height; ++sy)
    {
        const double h = std::min(y1, sy + 1.0) - std::max(y0, static_cast<double>(sy));
        for (int sx = static_cast<int>(x0); sx < static_cast<int>(std::ceil(x1)) && sx < source.width; ++sx)
        {
            const double weight = h * (std::min(x1, sx + 1.0) - std::max(x0, static_cast<double>(sx)));
            const uint8_t* p = source.At(sx, sy);
            for (int c = 0; c < 4; ++c)
                rgba[c] += weight * p[c];
            total += weight;
        }
    }
    for (int c = 0; c < 4 && total > 0.0; ++c)
        rgba[c] /= total;
}

// How much of the pixel centre (x, y) lies inside the rounded square: 1 inside, 0 outside.
double Coverage(int size, int x, int y)
{
    const double radius = kCornerShare * size;
    const double px = x + 0.5, py = y + 0.5;
    const double cx = std::clamp(px, radius, size - radius);
    const double cy = std::clamp(py, radius, size - radius);
    const double distance = std::hypot(px - cx, py - cy);
    return std::clamp(radius - distance + 0.5 * kEdgeSoftness, 0.0, 1.0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: icongen SOURCE SIZE OUTPUT.png\n");
        return 2;
    }
    const int size = std::atoi(argv[2]);
    if (size < kMinSize || size > kMaxSize)
    {
        std::fprintf(stderr, "icongen: the size must be %d to %d pixels, not \"%s\"\n", kMinSize, kMaxSize, argv[2]);
        return 2;
    }
    plk::Image source;
    std::string error;
    if (plk::LoadImageFile(argv[1], source, &error) != 0 || source.Empty())
    {
        std::fprintf(stderr, "icongen: cannot read %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    plk::Image icon(size, size);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            double rgba[4];
            AverageArea(source, size, x, y, rgba);
            uint8_t* out = icon.At(x, y);
            for (int c = 0; c < 3; ++c)
                out[c] = static_cast<uint8_t>(std::lround(rgba[c]));
            out[3] = static_cast<uint8_t>(std::lround(rgba[3] * Coverage(size, x, y)));
        }
    }
    if (plk::SavePng(argv[3], icon, &error) != 0)
    {
        std::fprintf(stderr, "icongen: cannot write %s: %s\n", argv[3], error.c_str());
        return 1;
    }
    return 0;
}
