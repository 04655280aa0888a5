// Splash logo, dialog pictures and icon.
#include "tools/uigen/BrandArt.h"

#include "tools/uigen/Icons.h"
#include "tools/uigen/Lettering.h"
#include "tools/uigen/UiPaint.h"
#include "tools/uigen/UiStyle.h"

#include <cmath>
#include <string>

namespace uigen
{

using art::Canvas;
using art::Colour;
using art::Hex;
using art::Shape;

namespace
{

const Colour kMakerNavy = Hex(0x14285a);
const Colour kMakerTeal = Hex(0x18b4c8);
const Colour kMakerBlue = Hex(0x2a5ee0);
const float kWordMarkWidth = 280.0f;

// Rolling grass below the horizon; the sky above is painted first unless the scene brings its own.
void Meadow(Canvas& c, float horizon, bool daySky = true)
{
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    if (daySky)
        c.FillPaint(art::LinearGradient({0, 0}, {0, horizon}, Hex(0x4aa2f0), Hex(0xcfeeff)));
    std::vector<art::Point> hill;
    for (float x = -4; x <= w + 4; x += 4)
        hill.push_back({x, horizon + 8 * std::sin(x / 40.0f) + 4 * std::sin(x / 13.0f + 1)});
    hill.push_back({w + 4, h + 4});
    hill.push_back({-4, h + 4});
    c.FillShape(art::Polygon(std::move(hill)),
                art::LinearGradient({0, horizon}, {0, h}, Hex(0x8be05a), Hex(0x3f9e3a)));
}

// Gold lettering whose outline and bevel grow with its height, for the small dialog pictures.
LetteringStyle ScaledGoldLettering(int height)
{
    LetteringStyle gold = GoldLettering(height);
    gold.outlineWidth = std::max(2.0f, height * 0.06f);
    gold.bevelWidth = std::max(2.0f, height * 0.05f);
    gold.shadowDy = 2;
    gold.shadowSoftness = 3;
    return gold;
}

void Sparkle(Canvas& c, float x, float y, float r)
{
    c.DropShadow(art::Circle(x, y, r * 0.3f), 0, 0, r * 0.6f, Hex(0xffffff, 0.8f));
    c.FillShape(art::Star(x, y, r, r * 0.22f, 4, 0), Hex(0xffffff));
}

} // namespace

Canvas BrandArt::MakerLogo()
{
    Canvas c = ArtSet::Blank("TexVantorelIntro.bmp");
    c.Fill(Hex(0xffffff));
    // The mark: a V of two bevelled bars meeting under a small cube, the maker's "building blocks".
    const float mx = 118, top = 70, bottom = 200, half = 70, bar = 30;
    const Shape left = art::Polygon({{mx - half, top}, {mx - half + bar, top}, {mx + bar * 0.5f, bottom}, {mx - bar * 0.5f, bottom}});
    const Shape right = art::Polygon({{mx + half - bar, top}, {mx + half, top}, {mx + bar * 0.5f, bottom}, {mx - bar * 0.2f, bottom - 34}});
    c.DropShadow(Union(left, right), 0, 5, 7, Hex(0x000000, 0.25f));
    c.FillShape(left, art::LinearGradient({mx - half, top}, {mx, bottom}, Hex(0x5fd8ec), kMakerTeal));
    c.Bevel(left, 5, 0.8f);
    c.FillShape(right, art::LinearGradient({mx + half, top}, {mx, bottom}, Hex(0x6a9cff), kMakerBlue));
    c.Bevel(right, 5, 0.8f);
    IsoCube(c, mx, 52, 26, Hex(0xffb62a));

    art::TextStyle word = LabelStyle(Look::kInk, 62);
    // The word mark fills the space right of the V and no more.
    while (TextWidth(word, "VANTOREL") > kWordMarkWidth)
        --word.pixelHeight;
    word.fill = art::LinearGradient({0, 100}, {0, 150}, Hex(0x23407e), kMakerNavy);
    word.shadow = Hex(0x000000, 0.15f);
    word.shadowDy = 3;
    word.shadowSoftness = 2;
    Text(c, word, "VANTOREL", 208, 150, art::Align::kLeft);
    art::TextStyle sub = LabelStyle(Look::kInk, 26, false);
    sub.fill = art::Solid(Hex(0x5a6a86));
    sub.shadow = Hex(0x000000, 0.0f);
    Text(c, sub, "S  O  F  T  W  A  R  E", 212, 188, art::Align::kLeft);
    c.FillShape(art::Capsule({212, 164}, {488, 164}, 3), art::LinearGradient({212, 0}, {488, 0}, kMakerTeal, kMakerBlue));
    return c;
}

Canvas BrandArt::Banner()
{
    Canvas c = ArtSet::Blank("StartupBanner.bmp");
    Meadow(c, 44);
    DrawLettering(c, "Plinkett3", 118, 48, ScaledGoldLettering(40));
    const int colours[] = {8, 0, 9, 3, 7};
    for (int k = 0; k < 5; ++k)
        IsoCube(c, 250.0f + 30 * k, 26.0f + (k % 2) * 8, 17, CubeColour(colours[k]), colours[k]);
    c.FillShape(art::RoundedRect(0, 63, 396, 2, 0), kGold);
    return c;
}

Canvas BrandArt::Picture(int which)
{
    Canvas c = ArtSet::Blank("StartupPicture0.bmp");
    const float w = static_cast<float>(c.Width());
    if (which == 0)
    {
        // A little board of cubes on the meadow.
        Meadow(c, 90);
        const int grid[3][4] = {{0, 8, 8, 3}, {9, 8, 5, 3}, {6, 7, 7, 7}};
        // Back to front: cubes further up the screen are drawn first.
        for (int depth = 0; depth <= 5; ++depth)
            for (int row = 0; row < 3; ++row)
            {
                const int col = depth - row;
                if (col >= 0 && col < 4)
                    IsoCube(c, 118 + (col - row) * 26.0f, 62 + (col + row) * 15.0f, 30, CubeColour(grid[row][col]),
                            grid[row][col]);
            }
    }
    else if (which == 1)
    {
        // Three of a kind vanish in a burst of light.
        c.FillPaint(art::RadialGradient({w * 0.5f, 90}, 170, Hex(0xfff3c4), Hex(0xffa53a)));
        for (int k = 0; k < 3; ++k)
            IsoCube(c, 62 + 56.0f * k, 78, 34, CubeColour(8), 8);
        Sparkle(c, 40, 40, 14);
        Sparkle(c, 200, 32, 18);
        Sparkle(c, 118, 150, 12);
        LetteringStyle gold = ScaledGoldLettering(30);
        DrawLettering(c, "+305", 190, 168, gold);
    }
    else
    {
        // Dusk on the board: a teleporter glows beside a waiting bomb.
        c.FillPaint(art::LinearGradient({0, 0}, {0, 179}, Hex(0x1d2a66), Hex(0x6a4a9a)));
        for (int k = 0; k < 14; ++k)
            c.FillShape(art::Circle(std::fmod(k * 67.0f, w), std::fmod(k * 29.0f, 80.0f) + 6, 1.2f), Hex(0xffffff, 0.8f));
        Meadow(c, 130, false);
        c.Modulate([](float, float y) { return y > 118 ? 0.62f : 1.0f; });
        DrawIcon(c, IconKind::kTeleporter, {28, 70, 90, 90}, kInk);
        DrawIcon(c, IconKind::kBomb, {126, 100, 58, 58}, kInk);
        IsoCube(c, 206, 100, 22, CubeColour(0), 0);
    }
    // A thin frame in the game's gold, as the dialog paints the picture without a border.
    c.FillShape(Subtract(art::RoundedRect(0, 0, w, 179, 0), art::RoundedRect(2, 2, w - 4, 175, 0)), kGoldDark);
    return c;
}

Canvas BrandArt::GameIcon()
{
    Canvas c = ArtSet::Blank("GameIcon.png");
    const Shape tile = art::RoundedRect(3, 3, 58, 58, 13);
    c.DropShadow(tile, 0, 1.5f, 1.5f, Hex(0x000000, 0.45f));
    c.FillShape(tile, art::LinearGradient({0, 3}, {0, 61}, Hex(0x62b8ff), Hex(0x1c4fb0)));
    c.Bevel(tile, 4, 0.7f);
    IsoCube(c, 23, 29, 16, CubeColour(8), -1);
    IsoCube(c, 41, 29, 16, CubeColour(9), -1);
    IsoCube(c, 32, 18, 16, CubeColour(3), -1);
    c.FillShape(Subtract(tile, Offset(tile, -1.2f)), Hex(0x0c2657, 0.8f));
    return c;
}

void BrandArt::Paint(ArtSet& set)
{
    set.Put("TexVantorelIntro.bmp", MakerLogo());
    set.Put("StartupBanner.bmp", Banner());
    for (int k = 0; k < 3; ++k)
        set.Put("StartupPicture" + std::to_string(k) + ".bmp", Picture(k));
    set.Put("GameIcon.png", GameIcon());
}

} // namespace uigen
