// Cube faces: one bright colour per cube, a colour-blind emblem on every face, and a large sign per variant.
#include "tools/worldgen/CubeTextures.h"

#include "tools/artkit/CubePalette.h"
#include "tools/artkit/Noise.h"
#include "tools/artkit/TextPainter.h"

#include <cmath>
#include <numbers>

namespace worldgen
{

using namespace art;

namespace
{

const int kFace = 128;     // texture size in the data folder
const int kOversample = 2; // drawn larger, then shrunk for clean edges
const float kS = kFace * kOversample;
// The outer band of the texture lies on the mesh's rounded edge (12% of a side).
const float kRim = kS * 0.12f;
const Colour kInkDark = Hex(0x1B1F2A);
const Colour kWhite = Hex(0xFFFFFF);

const char* const kVariantSuffix[] = {"Cube.bmp", "CubeX2.bmp", "CubeX3.bmp", "CubeExTime.bmp",
                                      "CubeZap.bmp"};

void PaintFaceBase(Canvas& c, const Colour& base)
{
    c.FillPaint(LinearGradient({0, 0}, {kS, kS}, Shade(base, 0.16f), Shade(base, -0.12f)));
    const Shape panel = RoundedRect(kRim, kRim, kS - 2 * kRim, kS - 2 * kRim, kS * 0.09f);
    // A gently raised panel: darker seam round it, soft light across it.
    c.FillShape(Outline(panel, kS * 0.018f), Shade(base, -0.28f), 0.8f);
    c.FillShape(panel,
                RadialGradient({kS * 0.36f, kS * 0.3f}, kS * 0.8f, Shade(base, 0.22f), Shade(base, -0.04f)));
    c.Bevel(panel, kS * 0.05f, 0.35f);
    const Noise grain(17);
    c.Modulate([&](float x, float y) { return 0.97f + 0.06f * grain.Fractal(x / 23.0f, y / 23.0f, 3); });
}

void DrawEmblem(Canvas& c, const CubeColour& colour, float cx, float cy, float r, float opacity)
{
    const Shape e = MakeEmblem(colour.emblem, cx, cy, r);
    const Colour ink = EmblemInk(colour.base);
    c.DropShadow(e, r * 0.04f, r * 0.07f, r * 0.08f, WithAlpha(kInkDark, 0.35f * opacity));
    c.FillShape(e, ink, opacity);
    c.Bevel(e, r * 0.16f, 0.45f);
}

// text is Latin-1: the multiplication sign is 0xD7. The x3 sign is gold so the two bonuses differ at a
// glance.
void DrawMultiplier(Canvas& c, const char* text, bool gold)
{
    TextStyle style;
    style.family = "Arial";
    style.bold = true;
    style.pixelHeight = static_cast<int>(kS * 0.5f);
    style.fill = gold ? LinearGradient({0, kS * 0.3f}, {0, kS * 0.72f}, Hex(0xFFE680), Hex(0xF59A12))
                      : LinearGradient({0, kS * 0.3f}, {0, kS * 0.72f}, kWhite, Hex(0xE4ECF5));
    style.outlineWidth = kS * 0.035f;
    style.outline = kInkDark;
    style.shadow = WithAlpha(kInkDark, 0.45f);
    style.shadowDx = kS * 0.012f;
    style.shadowDy = kS * 0.02f;
    style.shadowSoftness = kS * 0.01f;
    TextExtent extent;
    MeasureText(style, text, extent);
    DrawText(c, style, text, kS * 0.5f, kS * 0.5f + extent.ascender * 0.36f, Align::kCentre);
}

void DrawClock(Canvas& c)
{
    const float cx = kS * 0.5f, cy = kS * 0.53f, r = kS * 0.22f;
    const Shape face = Circle(cx, cy, r);
    c.DropShadow(face, r * 0.06f, r * 0.1f, r * 0.1f, WithAlpha(kInkDark, 0.45f));
    c.FillShape(Offset(face, r * 0.12f), kInkDark);
    c.FillShape(face, RadialGradient({cx - r * 0.3f, cy - r * 0.3f}, r * 1.4f, kWhite, Hex(0xD8E2EE)));
    // The two bells on top make it read as a timer, not a plain circle.
    for (float side : {-1.0f, 1.0f})
    {
        const Shape bell = Circle(cx + side * r * 0.72f, cy - r * 0.86f, r * 0.28f);
        c.FillShape(Offset(bell, r * 0.1f), kInkDark);
        c.FillShape(bell, kWhite);
    }
    for (int h = 0; h < 12; ++h)
    {
        const float a = h * std::numbers::pi_v<float> / 6;
        const float inner = h % 3 == 0 ? 0.7f : 0.8f;
        c.FillShape(Capsule({cx + std::sin(a) * r * inner, cy - std::cos(a) * r * inner},
                            {cx + std::sin(a) * r * 0.9f, cy - std::cos(a) * r * 0.9f}, r * 0.08f),
                    kInkDark);
    }
    c.FillShape(Capsule({cx, cy}, {cx, cy - r * 0.62f}, r * 0.11f), kInkDark);
    c.FillShape(Capsule({cx, cy}, {cx + r * 0.45f, cy + r * 0.1f}, r * 0.11f), kInkDark);
    c.FillShape(Circle(cx, cy, r * 0.1f), Hex(0xE8343B));
    c.FillShape(Circle(cx + r * 0.72f, cy + r * 0.72f, r * 0.34f), Hex(0x2DBE5A));
    c.FillShape(Capsule({cx + r * 0.56f, cy + r * 0.72f}, {cx + r * 0.88f, cy + r * 0.72f}, r * 0.1f),
                kWhite);
    c.FillShape(Capsule({cx + r * 0.72f, cy + r * 0.56f}, {cx + r * 0.72f, cy + r * 0.88f}, r * 0.1f),
                kWhite);
}

void DrawBolt(Canvas& c)
{
    const float s = kS / 256.0f;
    const Shape bolt = Polygon({{146 * s, 52 * s},
                                {84 * s, 138 * s},
                                {124 * s, 138 * s},
                                {104 * s, 206 * s},
                                {174 * s, 112 * s},
                                {134 * s, 112 * s},
                                {160 * s, 52 * s}});
    c.DropShadow(bolt, 4 * s, 7 * s, 6 * s, WithAlpha(kInkDark, 0.5f));
    c.FillShape(Offset(bolt, 7 * s), kInkDark);
    c.FillShape(bolt, LinearGradient({0, 52 * s}, {0, 206 * s}, Hex(0xFFFFFF), Hex(0xFFF27A)));
    c.Bevel(bolt, 8 * s, 0.35f);
}

Canvas Finish(const Canvas& big)
{
    return big.Downsample(kOversample);
}

// Industrial panel with hazard stripes: the smasher breaks what it meets.
Canvas MakeSmasherFace()
{
    Canvas c(static_cast<int>(kS), static_cast<int>(kS));
    const Noise n(71);
    c.FillPaint(
        [&](float x, float y)
        {
            const float v = 0.52f + 0.18f * n.Fractal(x / 40.0f, y / 9.0f, 4);
            return Colour{v * 0.92f, v * 0.95f, v, 1};
        });
    const Shape band =
        Subtract(RoundedRect(kRim, kRim, kS - 2 * kRim, kS - 2 * kRim, kS * 0.06f),
                 RoundedRect(kRim * 1.9f, kRim * 1.9f, kS - 3.8f * kRim, kS - 3.8f * kRim, kS * 0.04f));
    c.FillShape(band,
                [&](float x, float y)
                {
                    const bool stripe = static_cast<int>(std::floor((x + y) / (kS * 0.09f))) % 2 == 0;
                    return stripe ? Hex(0xFFC21A) : Hex(0x22252C);
                });
    c.Bevel(band, kS * 0.025f, 0.5f);
    const float r = kS * 0.045f;
    for (float px : {kRim * 1.45f, kS - kRim * 1.45f})
        for (float py : {kRim * 1.45f, kS - kRim * 1.45f})
        {
            c.FillShape(Circle(px, py, r), Hex(0xB9C2CC));
            c.Bevel(Circle(px, py, r), r, 0.7f);
        }
    const Shape fist = Star(kS * 0.5f, kS * 0.5f, kS * 0.2f, kS * 0.09f, 8, 22.5f);
    c.FillShape(Offset(fist, kS * 0.015f), kInkDark);
    c.FillShape(fist, Hex(0xE8343B));
    c.Bevel(fist, kS * 0.03f, 0.5f);
    return Finish(c);
}

// Glossy charcoal shell with a warning band; drawn on a sphere, so the band runs across the middle.
Canvas MakeBombSkin()
{
    Canvas c(static_cast<int>(kS), static_cast<int>(kS));
    c.FillPaint(LinearGradient({0, 0}, {0, kS}, Hex(0x4A5160), Hex(0x1C2029)));
    const Noise n(5);
    c.Modulate([&](float x, float y) { return 0.9f + 0.2f * n.Fractal(x / 30.0f, y / 30.0f, 3, 9, 9); });
    const float top = kS * 0.44f, bottom = kS * 0.56f;
    for (int x = 0; x < static_cast<int>(kS); ++x)
        for (int y = static_cast<int>(top); y < static_cast<int>(bottom); ++y)
        {
            const bool stripe = static_cast<int>(std::floor((x + y) / (kS * 0.0625f))) % 2 == 0;
            c.At(x, y) = stripe ? Hex(0xFFC21A) : Hex(0x15171C);
        }
    for (int x = 0; x < static_cast<int>(kS); ++x)
    {
        c.At(x, static_cast<int>(top)) = Hex(0x0C0D10);
        c.At(x, static_cast<int>(bottom) - 1) = Hex(0x0C0D10);
    }
    return Finish(c);
}

Canvas MakeStoneFace()
{
    Canvas c(static_cast<int>(kS), static_cast<int>(kS));
    const Noise n(303);
    c.FillPaint(
        [&](float x, float y)
        {
            const float v = n.Fractal(x / 48.0f, y / 48.0f, 5);
            const float speck =
                n.Cell(static_cast<int>(x / 3), static_cast<int>(y / 3), 9) > 0.93f ? 0.08f : 0.0f;
            const float g = 0.42f + 0.3f * v + speck;
            return Colour{g * 1.02f, g * 0.98f, g * 0.92f, 1};
        });
    // Chiselled cracks: it cannot be matched or moved by colour.
    const Colour crack = Hex(0x2A2724);
    c.FillShape(Capsule({kS * 0.2f, kS * 0.3f}, {kS * 0.45f, kS * 0.42f}, kS * 0.012f), crack, 0.8f);
    c.FillShape(Capsule({kS * 0.45f, kS * 0.42f}, {kS * 0.52f, kS * 0.7f}, kS * 0.012f), crack, 0.8f);
    c.FillShape(Capsule({kS * 0.45f, kS * 0.42f}, {kS * 0.78f, kS * 0.36f}, kS * 0.01f), crack, 0.7f);
    c.InnerShade(RoundedRect(0, 0, kS, kS, 0), kRim * 1.4f, WithAlpha(Hex(0x1A1816), 0.5f));
    return Finish(c);
}

Canvas MakeParticle()
{
    const int size = 64;
    Canvas c(size, size, Hex(0x000000));
    const float centre = size * 0.5f;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            // Additive blending adds this over the scene: a bright core fading smoothly to black at the rim.
            const float d = std::hypot(x + 0.5f - centre, y + 0.5f - centre) / centre;
            const float v = std::pow(Clamp01(1.0f - d), 1.8f);
            c.At(x, y) = {v, v, v, 1};
        }
    return c;
}

// The wall-size handle: a bright knob with a double-headed arrow.
Canvas MakeWallHandle()
{
    const float s = 64 * kOversample;
    // Full bleed: the handle is drawn as a textured quad, so no corner may show black.
    Canvas c(static_cast<int>(s), static_cast<int>(s), Hex(0x9C4208));
    const Shape knob = RoundedRect(s * 0.06f, s * 0.06f, s * 0.88f, s * 0.88f, s * 0.2f);
    c.FillShape(knob, LinearGradient({0, 0}, {0, s}, Hex(0xFFB347), Hex(0xE0620D)));
    c.Bevel(knob, s * 0.12f, 0.6f);
    const Shape shaft = Capsule({s * 0.28f, s * 0.5f}, {s * 0.72f, s * 0.5f}, s * 0.1f);
    const Shape left = Polygon({{s * 0.16f, s * 0.5f}, {s * 0.36f, s * 0.3f}, {s * 0.36f, s * 0.7f}});
    const Shape right = Polygon({{s * 0.84f, s * 0.5f}, {s * 0.64f, s * 0.3f}, {s * 0.64f, s * 0.7f}});
    const Shape arrow = Union(shaft, Union(left, right));
    c.FillShape(Offset(arrow, s * 0.03f), Hex(0x5A2100));
    c.FillShape(arrow, kWhite);
    return c.Downsample(kOversample);
}

} // namespace

std::string CubeTextureName(int colour, CubeVariant variant)
{
    return std::string("Solid") + CubeColours()[colour].word + kVariantSuffix[static_cast<int>(variant)];
}

Canvas MakeCubeFace(int colour, CubeVariant variant)
{
    const CubeColour& cc = CubeColours()[colour];
    Canvas c(static_cast<int>(kS), static_cast<int>(kS));
    PaintFaceBase(c, cc.base);
    if (variant == CubeVariant::kPlain)
    {
        DrawEmblem(c, cc, kS * 0.5f, kS * 0.5f, kS * 0.25f, 1.0f);
        return Finish(c);
    }
    // Variants keep the colour's emblem in the panel corners so colour-blind players still read the colour.
    const float inset = kRim + kS * 0.1f;
    for (float px : {inset, kS - inset})
        for (float py : {inset, kS - inset})
            DrawEmblem(c, cc, px, py, kS * 0.065f, 0.95f);
    switch (variant)
    {
    case CubeVariant::kX2:
        DrawMultiplier(c,
                       "\xD7"
                       "2",
                       false);
        break;
    case CubeVariant::kX3:
        DrawMultiplier(c,
                       "\xD7"
                       "3",
                       true);
        break;
    case CubeVariant::kExtraTime:
        DrawClock(c);
        break;
    case CubeVariant::kZap:
        DrawBolt(c);
        break;
    case CubeVariant::kPlain:
        break;
    }
    return Finish(c);
}

void WriteCubeTextures(DataWriter& out)
{
    for (int v = 0; v < 5; ++v)
        for (int colour = 0; colour < kCubeColours; ++colour)
            out.SaveTexture(CubeTextureName(colour, static_cast<CubeVariant>(v)),
                            MakeCubeFace(colour, static_cast<CubeVariant>(v)));
    out.SaveTexture("SmasherCube.bmp", MakeSmasherFace());
    out.SaveTexture("BombStd.bmp", MakeBombSkin());
    out.SaveTexture("StoneBlock.bmp", MakeStoneFace());
    out.SaveTexture("Particle.bmp", MakeParticle());
    out.SaveTexture("WallWhdAdj.bmp", MakeWallHandle());
}

} // namespace worldgen
