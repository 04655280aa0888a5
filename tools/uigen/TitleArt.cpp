// The title picture: a framed sunny landscape with the game's lettering, cubes and four button plaques.
#include "tools/uigen/TitleArt.h"

#include "tools/artkit/Noise.h"
#include "tools/uigen/Icons.h"
#include "tools/uigen/Lettering.h"
#include "tools/uigen/UiPaint.h"
#include "tools/uigen/UiStyle.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace uigen
{

using art::Canvas;
using art::Colour;
using art::Hex;
using art::Shape;
using plk::ui::kTitleTileH;
using plk::ui::kTitleTileW;

namespace
{

const int kPictureW = kTitleTileW * 3;
const int kPictureH = kTitleTileH * 3;
// The lower corner cells are never drawn: the picture's main panel ends above them and a tab hangs below.
const float kMainBottom = 500.0f;
const float kBorder = 8.0f;
const float kTabLeft = 356.0f;
const float kTabRight = 670.0f;
const float kTabBottom = 760.0f;
const float kCorner = 30.0f;
// Fillet radius where the tab meets the panel; small enough to stay out of the undrawn cells.
const float kFillet = 12.0f;
const float kRim = 6.0f;
const uint32_t kSeed = 0x71713;

// Union with a rounded fillet where the two shapes meet.
Shape SmoothUnion(const Shape& a, const Shape& b, float k)
{
    Shape s;
    s.distance = [=](float x, float y) {
        const float da = a(x, y), db = b(x, y);
        const float h = std::max(k - std::fabs(da - db), 0.0f) / k;
        return std::min(da, db) - h * h * k * 0.25f;
    };
    s.left = std::min(a.left, b.left), s.top = std::min(a.top, b.top);
    s.right = std::max(a.right, b.right), s.bottom = std::max(a.bottom, b.bottom);
    return s;
}

Shape Region()
{
    const Shape main = art::RoundedRect(kBorder, kBorder, kPictureW - 2 - 2 * kBorder, kMainBottom - kBorder, kCorner);
    const Shape tab = art::RoundedRect(kTabLeft, 300.0f, kTabRight - kTabLeft, kTabBottom - 300.0f, kCorner);
    return SmoothUnion(main, tab, kFillet);
}

// A hill line: a sum of sines, closed down to the bottom of the picture.
Shape Hills(float base, float a1, float f1, float p1, float a2, float f2, float p2)
{
    std::vector<art::Point> pts;
    for (int x = -20; x <= kPictureW + 20; x += 6)
        pts.push_back({static_cast<float>(x), base + a1 * std::sin(x * f1 + p1) + a2 * std::sin(x * f2 + p2)});
    pts.push_back({kPictureW + 20.0f, kPictureH + 20.0f});
    pts.push_back({-20.0f, kPictureH + 20.0f});
    return art::Polygon(std::move(pts));
}

void Cloud(Canvas& c, float x, float y, float scale)
{
    Shape s = art::Circle(x, y, 26 * scale);
    s = Union(s, art::Circle(x + 30 * scale, y - 14 * scale, 32 * scale));
    s = Union(s, art::Circle(x + 64 * scale, y - 2 * scale, 24 * scale));
    s = Union(s, art::RoundedRect(x - 20 * scale, y - 4 * scale, 100 * scale, 26 * scale, 13 * scale));
    c.DropShadow(s, 0, 0, 10 * scale, Hex(0xffffff, 0.55f));
    c.FillShape(s, art::LinearGradient({0, y - 40 * scale}, {0, y + 22 * scale}, Hex(0xffffff, 0.97f),
                                       Hex(0xdcecfa, 0.95f)));
}

struct CubeSpot
{
    float x, y, size;
    int colour;
};

} // namespace

void TitleArt::Scenery(Canvas& c)
{
    c.FillPaint(art::LinearGradientStops({0, 0}, {0, 420}, {{0.0f, Hex(0x3a92ea)}, {0.55f, Hex(0x86cbff)},
                                                            {1.0f, Hex(0xd9f1ff)}}));
    const Shape sun = art::Circle(880, 96, 44);
    c.DropShadow(sun, 0, 0, 70, Hex(0xfff4c0, 0.75f));
    c.FillShape(sun, art::RadialGradient({870, 86}, 50, Hex(0xfffdf0), Hex(0xffe58a)));
    Cloud(c, 70, 90, 1.0f);
    Cloud(c, 250, 250, 0.7f);
    Cloud(c, 700, 70, 0.8f);
    Cloud(c, 770, 250, 0.6f);
    Cloud(c, 930, 200, 0.9f);

    const Shape far = Hills(332, 22, 1.0f / 95, 0.4f, 12, 1.0f / 37, 1.3f);
    c.FillShape(far, art::LinearGradient({0, 300}, {0, 420}, Hex(0xa6dcc0), Hex(0x7fc4a0)));
    const Shape near = Hills(392, 26, 1.0f / 150, 2.0f, 10, 1.0f / 55, 0.2f);
    c.FillShape(near, art::LinearGradientStops({0, 360}, {0, 768}, {{0.0f, Hex(0x8be05a)}, {0.35f, Hex(0x56b83c)},
                                                                    {1.0f, Hex(0x2c7a2c)}}));
    // Light grass speckle so the meadow does not look like plastic.
    const art::Noise noise(kSeed);
    c.Modulate([&](float x, float y) {
        if (near(x, y) > 0)
            return 1.0f;
        return 0.92f + 0.16f * noise.Fractal(x / 9.0f, y / 5.0f, 3);
    });
    // A shaded lip where the meadow crests.
    c.FillShape(Intersect(Outline(near, 4), Offset(near, 2)), Hex(0xc6f59a, 0.6f));

    // Meadow flowers, thickest in the tab below the panel where nothing else stands.
    const art::Colour petals[] = {Hex(0xffffff), Hex(0xfff27a), Hex(0xff9fcf)};
    for (int k = 0; k < 46; ++k)
    {
        const float x = 372 + noise.Cell(k, 0) * 282, y = 506 + noise.Cell(k, 1) * 236;
        const bool plaque = x > 392 && x < 630 && y > 540 && y < 666;
        const bool text = y > 724 && x > 440 && x < 584;
        if (plaque || text)
            continue;
        const float r = 2.6f + noise.Cell(k, 2) * 1.6f;
        c.FillShape(art::Star(x, y, r, r * 0.75f, 5, noise.Cell(k, 3) * 72), petals[k % 3]);
        c.FillShape(art::Circle(x, y, r * 0.35f), Hex(0xffb020));
    }
    const CubeSpot cubes[] = {
        {110, 300, 44, 0}, {186, 330, 44, 8}, {110, 388, 44, 9}, {60, 262, 30, 3},  {262, 372, 34, 6},
        {920, 306, 44, 5}, {844, 340, 44, 3}, {920, 394, 44, 7}, {984, 270, 28, 4}, {760, 380, 32, 1},
        {330, 420, 26, 2}, {700, 428, 24, 9},
    };
    for (const CubeSpot& s : cubes)
        IsoCube(c, s.x, s.y, s.size, CubeColour(s.colour), s.colour);
}

void TitleArt::Plaques(Canvas& c)
{
    auto plaque = [&](Area a, float radius) {
        Plate(c, a, radius, Hex(0x56b0ff), Hex(0x1e5ec8));
        c.FillShape(Outline(art::RoundedRect(a.x, a.y, a.w, a.h, radius), 2.5f), kGold);
    };
    plaque({419, 273, 186, 116}, 18);
    DrawIcon(c, IconKind::kPlay, {486, 282, 52, 52}, kInk);
    plaque({158, 440, 192, 48}, 14);
    plaque({653, 440, 232, 48}, 14);
    plaque({401, 550, 220, 106}, 18);
}

Canvas TitleArt::Picture()
{
    Canvas scene(kPictureW, kPictureH, Hex(0x000000));
    Scenery(scene);

    LetteringStyle gold = GoldLettering(132);
    gold.outlineWidth = 7;
    gold.bevelWidth = 6;
    LetteringStyle blue = gold;
    blue.top = Hex(0x9fe0ff);
    blue.bottom = Hex(0x1f6fe0);
    blue.outline = Hex(0x0c2a66);
    const float w1 = LetteringWidth("Plinkett", gold), w2 = LetteringWidth("3", blue);
    const float left = 512 - (w1 + w2) * 0.5f;
    DrawLettering(scene, "Plinkett", left + w1 * 0.5f, 178, gold);
    DrawLettering(scene, "3", left + w1 + w2 * 0.5f, 178, blue);
    art::TextStyle tag = LabelStyle(Look::kNormal, 26);
    tag.outlineWidth = 2.5f;
    Text(scene, tag, "Push.  Match.  Clear.", 512, 240, art::Align::kCentre);
    Plaques(scene);

    // Cut to the framed region: a gold rim inside, black outside.
    const Shape region = Region();
    Canvas out(kPictureW, kPictureH, Hex(0x000000));
    for (int y = 0; y < kPictureH; ++y)
        for (int x = 0; x < kPictureW; ++x)
        {
            const float cover = art::Clamp01(0.5f - region(x + 0.5f, y + 0.5f));
            if (cover > 0)
                out.At(x, y) = art::Mix(out.At(x, y), scene.At(x, y), cover);
        }
    const Shape rim = Subtract(region, Offset(region, -kRim));
    out.FillShape(rim, art::LinearGradient({0, 0}, {0, kPictureH}, kGoldLight, kGoldDark));
    out.Bevel(rim, kRim * 0.5f, 0.8f);
    out.InnerShade(Offset(region, -kRim), 10, Hex(0x000000, 0.25f));
    return out;
}

void TitleArt::Labels(ArtSet& set)
{
    Canvas sheet1 = ArtSet::Blank("MiscTex1.png");
    Canvas sheet2 = ArtSet::Blank("MiscTex2.png");
    for (const bool hover : {false, true})
    {
        const Look look = hover ? Look::kHover : Look::kNormal;
        const std::string suffix = hover ? "Hover" : "";

        plk::ui::Rect r = ArtSet::Src("newGame");
        Canvas label(r.w, r.h);
        Label(label, "New Game", {0, 0, static_cast<float>(r.w), static_cast<float>(r.h)}, look, 28);
        ArtSet::PlaceSprite(sheet1, "newGame" + suffix, label);

        r = ArtSet::Src("loadGame");
        label = Canvas(r.w, r.h);
        DrawIcon(label, IconKind::kFolder, {6, 3, 26, 25}, kInk);
        Label(label, "Load Game", {34, 0, r.w - 36.0f, static_cast<float>(r.h)}, look, 26);
        ArtSet::PlaceSprite(sheet1, "loadGame" + suffix, label);

        r = ArtSet::Src("builder");
        label = Canvas(r.w, r.h);
        DrawIcon(label, IconKind::kHammer, {6, 2, 26, 26}, kInk);
        Label(label, "Level Builder", {34, 0, r.w - 36.0f, static_cast<float>(r.h)}, look, 26);
        ArtSet::PlaceSprite(sheet1, "builder" + suffix, label);

        r = ArtSet::Src("tutorial");
        label = Canvas(r.w, r.h);
        DrawIcon(label, IconKind::kBook, {8, 14, 60, 60}, kInk);
        Label(label, "Tutorial", {70, 10, r.w - 74.0f, 42}, look, 36);
        Label(label, "learn how to play", {70, 50, r.w - 74.0f, 26}, look, 18, false);
        ArtSet::PlaceSprite(sheet2, "tutorial" + suffix, label);
    }
    set.Put("MiscTex1.png", std::move(sheet1));
    set.Put("MiscTex2.png", std::move(sheet2));
}

void TitleArt::Paint(ArtSet& set)
{
    const Canvas picture = Picture();
    const char* rows = "ABC";
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
        {
            if (row == 2 && col != 1)
                continue;
            const std::string name = std::string("TitleScreen") + rows[row] + std::to_string(col + 1) + ".bmp";
            set.Put(name, picture.Crop(col * kTitleTileW, row * kTitleTileH, kTitleTileW, kTitleTileH));
        }
    Labels(set);
}

} // namespace uigen
