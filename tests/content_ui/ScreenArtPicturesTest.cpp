// Checks how the screen pictures fit where the screens put them: seams, backgrounds, hover looks, colours, cards.
#include "tests/content_ui/ScreenArtData.h"
#include "tools/artkit/CubePalette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace
{

using namespace plk::ui;
using screenart::ColourDistance;
using screenart::Load;
using screenart::Luminance;

// Mean colour distance (sum of three channels) between a line of one image and a line of another.
double SeamDifference(const plk::Image& a, const plk::Image& b, bool vertical)
{
    double sum = 0;
    const int n = vertical ? std::min(a.width, b.width) : std::min(a.height, b.height);
    for (int i = 0; i < n; ++i)
        sum += vertical ? ColourDistance(a.At(i, a.height - 1), b.At(i, 0))
                        : ColourDistance(a.At(a.width - 1, i), b.At(0, i));
    return sum / n;
}

// The same measure one pixel inside the first image: what a seamless continuation looks like.
double InnerDifference(const plk::Image& a, bool vertical)
{
    double sum = 0;
    const int n = vertical ? a.width : a.height;
    for (int i = 0; i < n; ++i)
        sum += vertical ? ColourDistance(a.At(i, a.height - 2), a.At(i, a.height - 1))
                        : ColourDistance(a.At(a.width - 2, i), a.At(a.width - 1, i));
    return sum / n;
}

void ExpectSeamless(std::string_view first, std::string_view second, bool vertical)
{
    const plk::Image *a = Load(first), *b = Load(second);
    ASSERT_TRUE(a && b) << first << " / " << second;
    // A seam may differ a little more than neighbouring lines do, never like a jump to another picture.
    EXPECT_LE(SeamDifference(*a, *b, vertical), InnerDifference(*a, vertical) * 2.0 + 12.0)
        << first << " does not continue into " << second;
}

// Per-channel median of the drawn pixels: the face colour, not swayed by the emblem, rim or shading.
std::array<double, 3> FaceColour(const plk::Image& image, Rect r)
{
    std::array<std::vector<int>, 3> channels;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
        {
            const uint8_t* p = image.At(x, y);
            if (p[3] < 255)
                continue;
            for (int c = 0; c < 3; ++c)
                channels[c].push_back(p[c]);
        }
    std::array<double, 3> out{};
    for (int c = 0; c < 3; ++c)
    {
        if (channels[c].empty())
            continue;
        std::nth_element(channels[c].begin(), channels[c].begin() + channels[c].size() / 2, channels[c].end());
        out[c] = channels[c][channels[c].size() / 2];
    }
    return out;
}

int NearestCubeColour(const std::array<double, 3>& mean)
{
    int best = -1;
    double bestDistance = 1e30;
    for (int i = 0; i < art::kCubeColours; ++i)
    {
        const art::Colour& c = art::CubeColours()[i].base;
        const double d = std::pow(mean[0] - c.r * 255, 2) + std::pow(mean[1] - c.g * 255, 2) + std::pow(mean[2] - c.b * 255, 2);
        if (d < bestDistance)
            bestDistance = d, best = i;
    }
    return best;
}

double MeanSaturation(const plk::Image& image, Rect r)
{
    double sum = 0;
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
        {
            const uint8_t* p = image.At(x, y);
            if (p[3] < 128)
                continue;
            const int hi = std::max({p[0], p[1], p[2]}), lo = std::min({p[0], p[1], p[2]});
            sum += hi > 0 ? (hi - lo) / static_cast<double>(hi) : 0.0;
            ++n;
        }
    return n ? sum / n : 0.0;
}

TEST(ScreenArtPictures, TitleTilesFormOnePictureAcrossTheirSeams)
{
    const char* rows[] = {"A", "B"};
    for (const char* row : rows)
        for (int col = 1; col < 3; ++col)
            ExpectSeamless(std::string("TitleScreen") + row + std::to_string(col) + ".bmp",
                           std::string("TitleScreen") + row + std::to_string(col + 1) + ".bmp", false);
    for (int col = 1; col <= 3; ++col)
        ExpectSeamless("TitleScreenA" + std::to_string(col) + ".bmp", "TitleScreenB" + std::to_string(col) + ".bmp", true);
    ExpectSeamless("TitleScreenB2.bmp", "TitleScreenC2.bmp", true);
}

TEST(ScreenArtPictures, TitlePictureEndsCleanlyAboveTheTwoUndrawnCorners)
{
    // The title leaves the lower corner cells black: the picture must not run into them and be cut off.
    for (const char* file : {"TitleScreenB1.bmp", "TitleScreenB3.bmp"})
    {
        const plk::Image* tile = Load(file);
        ASSERT_NE(tile, nullptr) << file;
        for (int y = tile->height - 4; y < tile->height; ++y)
            for (int x = 0; x < tile->width; ++x)
                ASSERT_LT(Luminance(tile->At(x, y)), 8) << file << " is cut at (" << x << ", " << y << ")";
    }
    const plk::Image* tab = Load("TitleScreenC2.bmp");
    ASSERT_NE(tab, nullptr);
    for (int y = 0; y < tab->height; ++y)
        for (const int x : {0, 1, 2, 3, tab->width - 4, tab->width - 3, tab->width - 2, tab->width - 1})
            ASSERT_LT(Luminance(tab->At(x, y)), 8) << "TitleScreenC2.bmp touches its side at (" << x << ", " << y << ")";
}

TEST(ScreenArtPictures, SideColumnsStackWithoutSeams)
{
    ExpectSeamless("TexStatus0_A.bmp", "TexStatus0_B.bmp", true);
    ExpectSeamless("TexStatus0_B.bmp", "TexStatus0_C.bmp", true);
    ExpectSeamless("TexBuildBar0_A.bmp", "TexBuildBar0_B.bmp", true);
    ExpectSeamless("TexBuildBar0_B.bmp", "TexBuildBar0_C.bmp", true);
}

TEST(ScreenArtPictures, SplitTitlesJoinAtTheMiddleAndEndBannersFadeToBlack)
{
    ExpectSeamless("MnuGameOver0.bmp", "MnuGameOver1.bmp", false);
    ExpectSeamless("MnuGameComplete0.bmp", "MnuGameComplete1.bmp", false);
    ExpectSeamless("MnuLevelComplete0.png", "MnuLevelComplete1.png", false);
    // The end screens clear to black around their headers.
    for (const char* prefix : {"MnuGameOver", "MnuGameComplete"})
    {
        const plk::Image* left = Load(std::string(prefix) + "0.bmp");
        const plk::Image* right = Load(std::string(prefix) + "1.bmp");
        ASSERT_TRUE(left && right) << prefix;
        for (int y = 0; y < left->height; ++y)
        {
            EXPECT_LT(Luminance(left->At(0, y)), 10) << prefix << " left edge, row " << y;
            EXPECT_LT(Luminance(right->At(right->width - 1, y)), 10) << prefix << " right edge, row " << y;
        }
        for (int x = 0; x < left->width; ++x)
            EXPECT_LT(Luminance(left->At(x, left->height - 1)), 10) << prefix << " bottom edge, column " << x;
    }
}

TEST(ScreenArtPictures, SplashLogoSitsOnTheWhiteTheSplashClearsTo)
{
    const plk::Image* logo = Load("TexVantorelIntro.bmp");
    ASSERT_NE(logo, nullptr);
    for (int x = 0; x < logo->width; ++x)
        for (const int y : {0, logo->height - 1})
            ASSERT_GE(Luminance(logo->At(x, y)), 250) << "(" << x << ", " << y << ")";
    for (int y = 0; y < logo->height; ++y)
        for (const int x : {0, logo->width - 1})
            ASSERT_GE(Luminance(logo->At(x, y)), 250) << "(" << x << ", " << y << ")";
}

TEST(ScreenArtPictures, EveryHoveredLookDiffersFromItsNormalLook)
{
    int pairs = 0;
    for (const Sprite& normal : kSprites)
    {
        const Sprite* hover = FindSprite(std::string(normal.name) + "Hover");
        if (!hover)
            continue;
        ++pairs;
        const plk::Image* image = Load(normal.sheet);
        ASSERT_NE(image, nullptr) << normal.sheet;
        int differing = 0;
        for (int y = 0; y < std::min(normal.src.h, hover->src.h); ++y)
            for (int x = 0; x < normal.src.w; ++x)
            {
                const uint8_t *p = image->At(normal.src.x + x, normal.src.y + y);
                const uint8_t *q = image->At(hover->src.x + x, hover->src.y + y);
                differing += ColourDistance(p, q) + std::abs(p[3] - q[3]) > 60;
            }
        EXPECT_GE(differing * 20, normal.src.w * normal.src.h) << normal.name << " barely changes when hovered";
    }
    // yes, no, three options, up, down, close, four title labels, five status buttons, music, sound.
    EXPECT_EQ(pairs, 19);
}

TEST(ScreenArtPictures, UnusableArrowsAreGreyedOutAndUsableOnesAreNot)
{
    const plk::Image* sheet = Load("MiscTex0.png");
    ASSERT_NE(sheet, nullptr);
    for (const char* name : {"up", "down", "upHover", "downHover", "close"})
        EXPECT_GT(MeanSaturation(*sheet, FindSprite(name)->src), 0.35) << name;
    for (const char* name : {"upOff", "downOff"})
        EXPECT_LT(MeanSaturation(*sheet, FindSprite(name)->src), 0.2) << name;
}

TEST(ScreenArtPictures, SwatchesAndCubeButtonsShowTheirOwnCubeColour)
{
    const plk::Image* sheet = Load("MiscTex0.png");
    ASSERT_NE(sheet, nullptr);
    for (int c = 0; c < art::kCubeColours; ++c)
    {
        EXPECT_EQ(NearestCubeColour(FaceColour(*sheet, FindSprite("swatch" + std::to_string(c))->src)), c)
            << kColourWords[c];
        EXPECT_EQ(NearestCubeColour(FaceColour(*sheet, FindSprite("smallSwatch" + std::to_string(c))->src)), c)
            << kColourWords[c];
    }
    // Builder buttons 23 to 32 add the cube types 1, 0, 3, 2, 4, 9, 5, 8, 6, 7: each must show that colour.
    const int types[] = {1, 0, 3, 2, 4, 9, 5, 8, 6, 7};
    const plk::Image* bar = Load("TexBuildBar0_B.bmp");
    ASSERT_NE(bar, nullptr);
    for (int k = 0; k < 10; ++k)
    {
        Rect r = kBuilderButtons[23 + k].ToRect();
        r.y -= kColumnPieceH;
        const auto face = FaceColour(*bar, r);
        EXPECT_EQ(NearestCubeColour(face), types[k]) << "builder button " << 23 + k << " shows " << face[0] << ", " << face[1] << ", " << face[2];
    }
}

TEST(ScreenArtPictures, MenuCardsHoldTheirContent)
{
    const Sheet* header = screenart::SheetNamed("MnuLevelComplete0.png");
    ASSERT_NE(header, nullptr);
    // The summary card is 9 x 6 tiles; its header starts 15 units down and its first line 110 units down.
    EXPECT_LE(header->width * 2, 9 * kFrameTile - 24);
    EXPECT_LE(15 + header->height, 110);
    EXPECT_LE(screenart::SheetNamed("MnuReady.png")->width, 9 * kFrameTile - 24);
    // A list card is 8 x 9 tiles: row 18 ends 33 + 30 x 18 units down, rows are 400 wide, arrows beside them.
    EXPECT_LE(33 + 30 * 18, 9 * kFrameTile);
    EXPECT_LE(408 + 2 * FindSprite("up")->src.w + 8, 8 * kFrameTile);
    // The help card (11 x 12) and the list centred on the play area stay on a 1024 x 768 screen beside the column.
    EXPECT_LE(12 * kFrameTile, kDesignH);
    EXPECT_GE(kPlayAreaCentreX - 11 * kFrameTile / 2, kColumnW);
    EXPECT_LE(kPlayAreaCentreX + 11 * kFrameTile / 2, kDesignW);
}

TEST(ScreenArtPictures, GameIconHasTransparentCornersAroundAnOpaqueTile)
{
    const plk::Image* icon = Load("GameIcon.png");
    ASSERT_NE(icon, nullptr);
    for (const auto& [x, y] : {std::pair{0, 0}, {icon->width - 1, 0}, {0, icon->height - 1}, {icon->width - 1, icon->height - 1}})
        EXPECT_EQ(icon->At(x, y)[3], 0) << "(" << x << ", " << y << ")";
    EXPECT_EQ(icon->At(icon->width / 2, icon->height / 2)[3], 255);
}

} // namespace
