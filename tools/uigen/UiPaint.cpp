// Widgets of the screen art.
#include "tools/uigen/UiPaint.h"

#include "tools/uigen/UiStyle.h"

#include <algorithm>
#include <cmath>

namespace uigen
{

using art::Canvas;
using art::Colour;
using art::Hex;
using art::Shape;

namespace
{

// A shape defined on a cube face's own square (0..edge on both axes), mapped onto a parallelogram on screen.
Shape OnFace(const Shape& unit, art::Point origin, art::Point axisU, art::Point axisV, float edge)
{
    const float det = axisU.x * axisV.y - axisU.y * axisV.x;
    Shape s;
    s.distance = [=](float x, float y) {
        const float dx = x - origin.x, dy = y - origin.y;
        const float u = (dx * axisV.y - dy * axisV.x) / det * edge;
        const float v = (axisU.x * dy - axisU.y * dx) / det * edge;
        // Foreshortening shrinks face distances on screen; 0.75 keeps the edge about one pixel wide.
        return unit(u, v) * 0.75f;
    };
    const float xs[] = {origin.x, origin.x + axisU.x, origin.x + axisV.x, origin.x + axisU.x + axisV.x};
    const float ys[] = {origin.y, origin.y + axisU.y, origin.y + axisV.y, origin.y + axisU.y + axisV.y};
    s.left = *std::min_element(xs, xs + 4), s.right = *std::max_element(xs, xs + 4);
    s.top = *std::min_element(ys, ys + 4), s.bottom = *std::max_element(ys, ys + 4);
    return s;
}

Shape Rim(const Shape& s, float width)
{
    return Subtract(s, Offset(s, -width));
}

} // namespace

void Plate(Canvas& c, Area a, float radius, const Colour& top, const Colour& bottom)
{
    const Shape s = art::RoundedRect(a.x, a.y, a.w, a.h, radius);
    c.DropShadow(s, 0.0f, 1.2f, 1.6f, Hex(0x000000, 0.35f));
    c.FillShape(s, art::LinearGradient({0, a.y}, {0, a.y + a.h}, top, bottom));
    c.Bevel(s, std::min(3.0f, std::min(a.w, a.h) * 0.22f), 0.55f);
    const Shape gloss = Intersect(Offset(s, -1.5f), art::RoundedRect(a.x, a.y, a.w, a.h * 0.48f, radius));
    c.FillShape(gloss, art::LinearGradient({0, a.y}, {0, a.y + a.h * 0.48f}, Hex(0xffffff, 0.5f),
                                           Hex(0xffffff, 0.06f)));
    c.FillShape(Rim(s, 1.0f), art::WithAlpha(art::Shade(bottom, -0.6f), 0.75f));
}

void Glow(Canvas& c, const Shape& s, float softness, const Colour& colour)
{
    c.DropShadow(s, 0.0f, 0.0f, softness, colour);
}

art::TextStyle LabelStyle(Look look, int pixelHeight, bool bold)
{
    art::TextStyle style;
    style.pixelHeight = pixelHeight;
    style.bold = bold;
    const float outline = std::max(1.0f, pixelHeight * 0.075f);
    switch (look)
    {
    case Look::kNormal:
        style.fill = art::Solid(kText);
        style.outlineWidth = outline;
        style.outline = kTextOutline;
        style.shadow = Hex(0x000000, 0.35f);
        style.shadowDy = 1.5f;
        style.shadowSoftness = 1.0f;
        break;
    case Look::kHover:
        style.fill = art::Solid(kHoverText);
        style.outlineWidth = outline;
        style.outline = Hex(0x6a3200, 0.9f);
        style.shadow = kHoverGlow;
        style.shadowSoftness = 2.0f;
        break;
    case Look::kInk:
        style.fill = art::Solid(kInk);
        style.shadow = Hex(0xffffff, 0.7f);
        style.shadowDy = 1.0f;
        break;
    }
    return style;
}

void Label(Canvas& c, const std::string& text, Area a, Look look, int pixelHeight, bool bold)
{
    art::TextStyle style = LabelStyle(look, pixelHeight, bold);
    if (look == Look::kNormal)
        style.fill = art::LinearGradient({0, a.y}, {0, a.y + a.h}, kText, Hex(0xd6e6ff));
    else if (look == Look::kHover)
        style.fill = art::LinearGradient({0, a.y}, {0, a.y + a.h}, Hex(0xfffbe0), Hex(0xffc934));
    std::string error;
    if (!art::DrawTextInBox(c, style, text, a.x, a.y, a.w, a.h, &error))
        throw ArtError("text \"" + text + "\": " + error);
}

void Text(Canvas& c, const art::TextStyle& style, const std::string& text, float x, float y, art::Align align)
{
    std::string error;
    if (!art::DrawText(c, style, text, x, y, align, &error))
        throw ArtError("text \"" + text + "\": " + error);
}

float TextWidth(const art::TextStyle& style, const std::string& text)
{
    art::TextExtent extent;
    std::string error;
    if (!art::MeasureText(style, text, extent, &error))
        throw ArtError("text \"" + text + "\": " + error);
    return extent.width;
}

void CubeFace(Canvas& c, Area a, int colour)
{
    const Colour base = CubeColour(colour);
    const Shape s = art::RoundedRect(a.x + 0.5f, a.y + 0.5f, a.w - 1.0f, a.h - 1.0f, a.w * 0.2f);
    // Mild shading only: a swatch must read as its cube's colour at a glance.
    c.FillShape(s, art::LinearGradient({a.x, a.y}, {a.x + a.w, a.y + a.h}, art::Shade(base, 0.18f), base));
    c.Bevel(s, a.w * 0.12f, 0.45f);
    const Shape emblem = art::MakeEmblem(CubeEmblem(colour), a.x + a.w * 0.5f, a.y + a.h * 0.5f, a.w * 0.27f);
    c.FillShape(emblem, art::EmblemInk(base));
    c.FillShape(Rim(s, 1.0f), art::WithAlpha(art::Shade(base, -0.6f), 0.85f));
}

void IsoCube(Canvas& c, float cx, float cy, float size, const Colour& colour, int emblemColour)
{
    // size is the cube's edge; its top face is centred on (cx, cy).
    const float hx = size * 0.866f, hy = size * 0.5f;
    const art::Point top{cx, cy - hy}, right{cx + hx, cy}, bottom{cx, cy + hy}, left{cx - hx, cy};
    const art::Point down{0, size};
    const Shape topFace = art::Polygon({top, right, bottom, left});
    const Shape leftFace = art::Polygon({left, bottom, {bottom.x, bottom.y + down.y}, {left.x, left.y + down.y}});
    const Shape rightFace =
        art::Polygon({bottom, right, {right.x, right.y + down.y}, {bottom.x, bottom.y + down.y}});
    const Shape whole = Union(Union(topFace, leftFace), rightFace);
    c.DropShadow(whole, size * 0.08f, size * 0.12f, size * 0.12f, Hex(0x000000, 0.3f));
    c.FillShape(topFace, art::LinearGradient(top, bottom, art::Shade(colour, 0.45f), art::Shade(colour, 0.2f)));
    c.FillShape(leftFace, art::LinearGradient(left, bottom, art::Shade(colour, 0.05f), art::Shade(colour, -0.1f)));
    c.FillShape(rightFace, art::LinearGradient(bottom, right, art::Shade(colour, -0.3f), art::Shade(colour, -0.45f)));
    // Rounded edges: light along the top ridges, dark along the bottom ones.
    const float edge = std::max(1.0f, size * 0.06f);
    c.FillShape(art::Capsule(left, top, edge), art::Shade(colour, 0.7f), 0.7f);
    c.FillShape(art::Capsule(top, right, edge), art::Shade(colour, 0.6f), 0.6f);
    c.FillShape(art::Capsule(left, bottom, edge), art::Shade(colour, 0.5f), 0.55f);
    c.FillShape(art::Capsule(bottom, right, edge), art::Shade(colour, 0.35f), 0.5f);
    c.FillShape(art::Capsule(bottom, {bottom.x, bottom.y + down.y}, edge), art::Shade(colour, 0.3f), 0.5f);
    c.FillShape(Rim(whole, std::max(0.8f, size * 0.03f)), art::WithAlpha(art::Shade(colour, -0.7f), 0.8f));
    if (emblemColour >= 0)
    {
        const Shape unit = art::MakeEmblem(CubeEmblem(emblemColour), size * 0.5f, size * 0.5f, size * 0.3f);
        const Shape mark = OnFace(unit, left, {top.x - left.x, top.y - left.y}, {bottom.x - left.x, bottom.y - left.y},
                                  size);
        c.FillShape(mark, art::EmblemInk(colour), 0.9f);
    }
}

void Icon(Canvas& c, const Shape& s, const Colour& fill, float bevel)
{
    c.DropShadow(s, 0.0f, 1.0f, 1.0f, Hex(0x000000, 0.3f));
    c.FillShape(s, art::LinearGradient({0, s.top}, {0, s.bottom}, art::Shade(fill, 0.25f), art::Shade(fill, -0.15f)));
    c.Bevel(s, bevel, 0.6f);
    c.FillShape(Rim(s, 0.8f), art::WithAlpha(art::Shade(fill, -0.65f), 0.75f));
}

void HeaderPlate(Canvas& c, Area a, float radius)
{
    Plate(c, a, radius, Hex(0x1d4f9e), Hex(0x0c2657));
    c.FillShape(Outline(art::RoundedRect(a.x, a.y, a.w, a.h, radius), 2.5f), kGold);
}

} // namespace uigen
