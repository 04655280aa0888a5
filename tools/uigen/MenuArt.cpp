// Frame, fill, card headers and the menu sprites.
#include "tools/uigen/MenuArt.h"

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
using plk::ui::kFrameTile;

namespace
{

// The band starts this far inside the tile so every piece's outer corner stays transparent.
const float kInset = 1.0f;
// A slim band: list rows begin 8 units inside the frame, and the menu's fill begins 4 units inside, so the band
// must cover the fill's square corner (its rounded corner reaches past (4, 4)) yet stay clear of the rows.
const float kBand = 7.5f;
const float kBandRadius = 7.0f;
const float kGemRadius = 3.6f;
const float kStudRadius = 2.0f;

Colour Tube(float t)
{
    // Across the band: dark rim, bright crest a third of the way in, warm gold, dark inner lip.
    if (t < 0.33f)
        return art::Mix(kGoldDark, kGoldLight, t / 0.33f);
    if (t < 0.8f)
        return art::Mix(kGoldLight, kGold, (t - 0.33f) / 0.47f);
    return art::Mix(kGold, kGoldDark, (t - 0.8f) / 0.2f);
}

void Gem(Canvas& c, float x, float y)
{
    const Shape gem = art::Circle(x, y, kGemRadius);
    c.FillShape(gem, art::RadialGradient({x - 1, y - 1}, kGemRadius * 1.4f, Hex(0x9fe4ff), Hex(0x1456c8)));
    c.Bevel(gem, 1.5f, 0.9f);
    c.FillShape(art::Circle(x - 1, y - 1, 0.9f), Hex(0xffffff, 0.9f));
}

Canvas Pill(int w, int h, const Colour& top, const Colour& bottom, const std::string& text, bool hover)
{
    Canvas c(w, h);
    const Area a{1.5f, 1.0f, w - 3.0f, h - 3.5f};
    if (hover)
        Glow(c, art::RoundedRect(a.x, a.y, a.w, a.h, a.h * 0.5f), 1.5f, kHoverGlow);
    Plate(c, a, a.h * 0.5f, hover ? art::Shade(top, 0.3f) : top, hover ? art::Shade(bottom, 0.2f) : bottom);
    if (hover)
        c.FillShape(Outline(art::RoundedRect(a.x, a.y, a.w, a.h, a.h * 0.5f), 1.6f), Hex(0xfff0a0));
    // Gold text would vanish on the lit plate: the hovered look is the glow, the rim and the lighter colour.
    Label(c, text, {a.x + 3, a.y, a.w - 6, a.h}, Look::kNormal, static_cast<int>(h * 0.62f));
    return c;
}

Canvas RoundButton(IconKind icon, const Colour& top, const Colour& bottom, const Colour& ink, bool hover)
{
    Canvas c(32, 32);
    const Shape disc = art::Circle(16, 15.5f, 13.5f);
    if (hover)
        Glow(c, disc, 1.5f, kHoverGlow);
    Plate(c, {2.5f, 2.0f, 27, 27}, 13.5f, top, bottom);
    if (hover)
        c.FillShape(Outline(disc, 1.5f), Hex(0xfff0a0));
    DrawIcon(c, icon, {8, 7.5f, 16, 16}, ink);
    return c;
}

} // namespace

Canvas MenuArt::Frame(int cols, int rows)
{
    const float w = static_cast<float>(cols * kFrameTile), h = static_cast<float>(rows * kFrameTile);
    Canvas c(static_cast<int>(w), static_cast<int>(h));
    const Shape outer = art::RoundedRect(kInset, kInset, w - 2 * kInset, h - 2 * kInset, kBandRadius);
    const Shape band = Subtract(outer, Offset(outer, -kBand));
    c.FillShape(band, [&](float x, float y) { return Tube(art::Clamp01(-outer(x, y) / kBand)); });
    c.Bevel(band, 2.0f, 0.5f);
    c.FillShape(Subtract(Offset(outer, -kBand), Offset(outer, -kBand - 1.0f)), Hex(0x000000, 0.35f));
    const float g = kInset + kBand * 0.5f;
    Gem(c, g, g);
    Gem(c, w - g, g);
    Gem(c, g, h - g);
    Gem(c, w - g, h - g);
    // A stud in the middle of every edge tile gives the band a rhythm that repeats with the pieces.
    auto stud = [&](float x, float y) {
        const Shape s = art::Circle(x, y, kStudRadius);
        c.FillShape(s, kGoldLight);
        c.Bevel(s, 1.2f, 0.9f);
    };
    const float half = kFrameTile * 0.5f;
    for (int j = 1; j + 1 < cols; ++j)
    {
        stud(j * kFrameTile + half, g);
        stud(j * kFrameTile + half, h - g);
    }
    for (int i = 1; i + 1 < rows; ++i)
    {
        stud(g, i * kFrameTile + half);
        stud(w - g, i * kFrameTile + half);
    }
    return c;
}

void MenuArt::Headers(ArtSet& set)
{
    LetteringStyle green;
    green.pixelHeight = 44;
    green.top = Hex(0xd8ffb0);
    green.bottom = Hex(0x3cc23a);
    green.outline = Hex(0x0f4a16);
    green.outlineWidth = 4;
    green.bevelWidth = 3;
    green.shadowDy = 3;
    green.shadowSoftness = 3;
    Canvas ready = ArtSet::Blank("MnuReady.png");
    DrawLettering(ready, "Get Ready!", ready.Width() * 0.5f, 48, green);
    set.Put("MnuReady.png", std::move(ready));

    LetteringStyle gold = GoldLettering(58);
    gold.outlineWidth = 5;
    gold.bevelWidth = 4;
    const plk::ui::Sheet& half = ArtSet::SheetOf("MnuLevelComplete0.png");
    while (LetteringWidth("Level Complete!", gold) > half.width * 2 - 24)
        --gold.pixelHeight;
    Canvas whole(half.width * 2, half.height);
    DrawLettering(whole, "Level Complete!", static_cast<float>(half.width), half.height * 0.74f, gold);
    set.Put("MnuLevelComplete0.png", whole.Crop(0, 0, half.width, half.height));
    set.Put("MnuLevelComplete1.png", whole.Crop(half.width, 0, half.width, half.height));
}

void MenuArt::Sprites(ArtSet& set)
{
    Canvas sheet = ArtSet::Blank("MiscTex0.png");
    const Colour greenTop = Hex(0x6fe05a), greenBottom = Hex(0x1f9a32);
    const Colour redTop = Hex(0xff7a6a), redBottom = Hex(0xc41e1e);
    const Colour amberTop = Hex(0xffd45a), amberBottom = Hex(0xe07a10);
    for (const bool hover : {false, true})
    {
        const std::string suffix = hover ? "Hover" : "";
        auto pill = [&](const std::string& name, const Colour& top, const Colour& bottom, const std::string& text) {
            const plk::ui::Rect r = ArtSet::Src(name + suffix);
            ArtSet::PlaceSprite(sheet, name + suffix, Pill(r.w, r.h, top, bottom, text, hover));
        };
        pill("yes", greenTop, greenBottom, "Yes");
        pill("no", redTop, redBottom, "No");
        pill("easy", greenTop, greenBottom, "Easy");
        pill("medium", amberTop, amberBottom, "Medium");
        pill("hard", redTop, redBottom, "Hard");
    }
    for (int colour = 0; colour < 10; ++colour)
    {
        Canvas swatch(plk::ui::kSwatchSize, plk::ui::kSwatchSize);
        CubeFace(swatch, {0.5f, 0.5f, plk::ui::kSwatchSize - 1.0f, plk::ui::kSwatchSize - 1.0f}, colour);
        ArtSet::PlaceSprite(sheet, "swatch" + std::to_string(colour), swatch);
        Canvas small(plk::ui::kSmallSwatchSize, plk::ui::kSmallSwatchSize);
        CubeFace(small, {0.5f, 0.5f, plk::ui::kSmallSwatchSize - 1.0f, plk::ui::kSmallSwatchSize - 1.0f}, colour);
        ArtSet::PlaceSprite(sheet, "smallSwatch" + std::to_string(colour), small);
    }
    Canvas check(25, 25);
    DrawIcon(check, IconKind::kCheck, {1, 1, 23, 23}, kInk);
    ArtSet::PlaceSprite(sheet, "check", check);

    const Colour blueTop = Hex(0x62b8ff), blueBottom = Hex(0x1d5cc6);
    const Colour greyTop = Hex(0xb8c0cc), greyBottom = Hex(0x6c7686);
    ArtSet::PlaceSprite(sheet, "up", RoundButton(IconKind::kArrowUp, blueTop, blueBottom, kText, false));
    ArtSet::PlaceSprite(sheet, "upHover", RoundButton(IconKind::kArrowUp, art::Shade(blueTop, 0.25f), blueTop, kText, true));
    ArtSet::PlaceSprite(sheet, "upOff", RoundButton(IconKind::kArrowUp, greyTop, greyBottom, Hex(0xd8dde4), false));
    ArtSet::PlaceSprite(sheet, "down", RoundButton(IconKind::kArrowDown, blueTop, blueBottom, kText, false));
    ArtSet::PlaceSprite(sheet, "downHover",
                        RoundButton(IconKind::kArrowDown, art::Shade(blueTop, 0.25f), blueTop, kText, true));
    ArtSet::PlaceSprite(sheet, "downOff", RoundButton(IconKind::kArrowDown, greyTop, greyBottom, Hex(0xd8dde4), false));
    ArtSet::PlaceSprite(sheet, "close", RoundButton(IconKind::kCross, redTop, redBottom, kText, false));
    ArtSet::PlaceSprite(sheet, "closeHover", RoundButton(IconKind::kCross, art::Shade(redTop, 0.25f), redTop, kText, true));
    set.Put("MiscTex0.png", std::move(sheet));
}

void MenuArt::Paint(ArtSet& set)
{
    const Canvas box = Frame(3, 3);
    const int t = kFrameTile;
    const struct
    {
        const char* part;
        int col, row;
    } boxParts[] = {{"TL", 0, 0}, {"T", 1, 0}, {"TR", 2, 0}, {"L", 0, 1}, {"R", 2, 1},
                    {"BL", 0, 2}, {"B", 1, 2}, {"BR", 2, 2}};
    for (const auto& p : boxParts)
        set.Put(std::string("Frame0_") + p.part + ".bmp", box.Crop(p.col * t, p.row * t, t, t));
    const Canvas strip = Frame(3, 1);
    set.Put("Frame0_SL.bmp", strip.Crop(0, 0, t, t));
    set.Put("Frame0_SM.bmp", strip.Crop(t, 0, t, t));
    set.Put("Frame0_SR.bmp", strip.Crop(2 * t, 0, t, t));

    Canvas fill = ArtSet::Blank("transfill.png");
    fill.FillPaint(art::LinearGradient({0, 0}, {0, static_cast<float>(fill.Height())}, Hex(0x1c3f82, 0.86f),
                                       Hex(0x0b1d46, 0.88f)));
    set.Put("transfill.png", std::move(fill));
    Headers(set);
    Sprites(set);
}

} // namespace uigen
