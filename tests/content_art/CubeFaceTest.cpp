// The cube faces as players read them: ten colours far apart, and every face carries its colour's emblem.
#include "ArtData.h"
#include "tools/artkit/CubePalette.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace artcheck;

namespace
{

struct Rgb
{
    double r = 0, g = 0, b = 0;
};

Rgb Average(const plk::Image& image, int x0, int y0, int x1, int y1)
{
    Rgb sum;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            sum.r += image.At(x, y)[0], sum.g += image.At(x, y)[1], sum.b += image.At(x, y)[2];
    const double n = static_cast<double>((x1 - x0) * (y1 - y0));
    return {sum.r / n, sum.g / n, sum.b / n};
}

// Share of the pixels in a box within reach of the emblem's ink colour.
double InkShare(const plk::Image& image, const art::Colour& ink, int x0, int y0, int x1, int y1)
{
    int near = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
        {
            const uint8_t* p = image.At(x, y);
            const double d =
                std::fabs(p[0] - ink.r * 255) + std::fabs(p[1] - ink.g * 255) + std::fabs(p[2] - ink.b * 255);
            near += d < 90;
        }
    return static_cast<double>(near) / ((x1 - x0) * (y1 - y0));
}

} // namespace

TEST(CubeFaces, TheTenColoursAreFarApart)
{
    std::vector<Rgb> colours;
    for (const char* word : kCubeColours)
    {
        const plk::Image face = LoadImage(std::string("Solid") + word + "Cube.bmp");
        ASSERT_FALSE(face.Empty());
        // The band between the rim and the emblem is the plain face colour.
        colours.push_back(
            Average(face, face.width / 5, face.height / 5, face.width * 4 / 5, face.height / 4));
    }
    for (size_t i = 0; i < colours.size(); ++i)
        for (size_t j = i + 1; j < colours.size(); ++j)
        {
            const double d = std::sqrt(std::pow(colours[i].r - colours[j].r, 2) +
                                       std::pow(colours[i].g - colours[j].g, 2) +
                                       std::pow(colours[i].b - colours[j].b, 2));
            EXPECT_GT(d, 70.0) << kCubeColours[i] << " and " << kCubeColours[j] << " are too alike";
        }
}

TEST(CubeFaces, EveryFaceShowsItsColoursEmblem)
{
    for (int c = 0; c < 10; ++c)
    {
        const art::Colour ink = art::EmblemInk(art::CubeColours()[c].base);
        for (int v = 0; v < 5; ++v)
        {
            const std::string name = std::string("Solid") + kCubeColours[c] + kCubeVariants[v];
            const plk::Image face = LoadImage(name);
            const int w = face.width, h = face.height;
            if (v == 0)
            {
                EXPECT_GT(InkShare(face, ink, w * 3 / 8, h * 3 / 8, w * 5 / 8, h * 5 / 8), 0.3) << name;
                continue;
            }
            // Variants carry a small emblem in each panel corner, clear of the sign in the middle.
            const int lo = w * 17 / 100, hi = w * 28 / 100;
            for (const auto& [x, y] : {std::pair{lo, lo}, {w - hi, lo}, {lo, h - hi}, {w - hi, h - hi}})
                EXPECT_GT(InkShare(face, ink, x, y, x + hi - lo, y + hi - lo), 0.12)
                    << name << " corner " << x << "," << y;
        }
    }
}
