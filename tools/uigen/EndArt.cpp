// End-screen headers, painted on black because the end screens clear to black around them.
#include "tools/uigen/EndArt.h"

#include "tools/uigen/Lettering.h"
#include "tools/uigen/UiPaint.h"
#include "tools/uigen/UiStyle.h"

#include <cmath>

namespace uigen
{

using art::Canvas;
using art::Hex;

namespace
{

const float kMaxTitleWidth = 640.0f;

void Sparkle(Canvas& c, float x, float y, float r)
{
    c.DropShadow(art::Circle(x, y, r * 0.3f), 0, 0, r * 0.6f, Hex(0xfff2b0, 0.8f));
    c.FillShape(art::Star(x, y, r, r * 0.22f, 4, 0), Hex(0xfffbe0));
}

} // namespace

Canvas EndArt::Banner(const char* title, const art::Colour& glow, bool celebrate)
{
    const plk::ui::Sheet& half = ArtSet::SheetOf("MnuGameOver0.bmp");
    const float w = static_cast<float>(half.width * 2), h = static_cast<float>(half.height);
    Canvas c(static_cast<int>(w), static_cast<int>(h), Hex(0x000000));
    // A soft coloured haze behind the title that fades to the screen's black at every edge.
    c.DropShadow(art::RoundedRect(w * 0.5f - 330, h * 0.55f - 38, 660, 76, 38), 0, 0, 48, art::WithAlpha(glow, 0.55f));

    // Two cubes at each end, clear of the widest title.
    const int cubes[][3] = {{70, 70, 0}, {148, 100, 8}, {876, 100, 5}, {954, 70, 7}};
    for (const auto& cube : cubes)
    {
        const art::Colour colour = celebrate ? CubeColour(cube[2]) : art::Mix(CubeColour(cube[2]), Hex(0x50545c), 0.7f);
        IsoCube(c, static_cast<float>(cube[0]), static_cast<float>(cube[1]) - 18, 36, colour, cube[2]);
    }
    LetteringStyle style;
    style.pixelHeight = 96;
    style.outlineWidth = 6;
    style.bevelWidth = 5;
    if (celebrate)
    {
        style.top = Hex(0xfff6b0);
        style.bottom = Hex(0xffa51c);
        style.outline = Hex(0x7a3a06);
    }
    else
    {
        style.top = Hex(0xffc2a0);
        style.bottom = Hex(0xe0301c);
        style.outline = Hex(0x4a0806);
    }
    while (LetteringWidth(title, style) > kMaxTitleWidth)
        --style.pixelHeight;
    DrawLettering(c, title, w * 0.5f, h * 0.66f, style);
    if (celebrate)
    {
        Sparkle(c, 230, 118, 12);
        Sparkle(c, 800, 124, 10);
        Sparkle(c, 320, 30, 9);
        Sparkle(c, 700, 26, 13);
        Sparkle(c, 512, 14, 8);
    }
    return c;
}

void EndArt::Paint(ArtSet& set)
{
    const plk::ui::Sheet& half = ArtSet::SheetOf("MnuGameOver0.bmp");
    const Canvas over = Banner("Game Over", Hex(0xff3a1a), false);
    set.Put("MnuGameOver0.bmp", over.Crop(0, 0, half.width, half.height));
    set.Put("MnuGameOver1.bmp", over.Crop(half.width, 0, half.width, half.height));
    const Canvas done = Banner("Congratulations!", Hex(0xffb020), true);
    set.Put("MnuGameComplete0.bmp", done.Crop(0, 0, half.width, half.height));
    set.Put("MnuGameComplete1.bmp", done.Crop(half.width, 0, half.width, half.height));
}

} // namespace uigen
