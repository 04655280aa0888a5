// Status column: a lit blue column with raised plates under the buttons; labels and panels as sprites.
#include "tools/uigen/StatusArt.h"

#include "tools/artkit/Noise.h"
#include "tools/uigen/Icons.h"
#include "tools/uigen/Lettering.h"
#include "tools/uigen/UiPaint.h"
#include "tools/uigen/UiStyle.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace uigen
{

using art::Canvas;
using art::Colour;
using art::Hex;
using art::Shape;
using namespace plk::ui;

namespace
{

const uint32_t kSeed = 0x5747;
// The toggles' visible face is the lower part of their hit rectangles: the upper part of the music sprite is
// shared with the hovered restart label.
const int kToggleFaceTop = 14;
const int kToggleFaceH = 18;
const Colour kPlateTopBlue = Hex(0x66b4ff);
const Colour kPlateBottomBlue = Hex(0x2460c4);

struct ButtonLabelLook
{
    const char* sprite;
    IconKind icon;
    const char* text;
    int top, bottom; // rows kept clear at the top and bottom, shared with a neighbouring sprite
    int right;       // columns kept clear at the right end, shared with the music toggle
};

Canvas ButtonLabel(const ButtonLabelLook& label, bool hover)
{
    const Rect r = ArtSet::Src(std::string(label.sprite) + (hover ? "Hover" : ""));
    Canvas c(r.w, r.h);
    const float top = static_cast<float>(label.top), h = static_cast<float>(r.h - label.top - label.bottom);
    const int textHeight = 18;
    art::TextStyle style = LabelStyle(hover ? Look::kHover : Look::kNormal, textHeight);
    const float icon = 18.0f, gap = 4.0f;
    const float textW = TextWidth(style, label.text);
    const float total = icon + gap + textW;
    // Centred like the normal look unless that would reach into the columns kept clear.
    const float left = std::max(1.0f, std::min((r.w - total) * 0.5f, r.w - label.right - total - 1.0f));
    DrawIcon(c, label.icon, {left, top + (h - icon) * 0.5f, icon, icon}, kText);
    Label(c, label.text, {left + icon + gap - 2, top, textW + 4, h}, hover ? Look::kHover : Look::kNormal, textHeight);
    return c;
}

Canvas Toggle(IconKind icon, bool hover)
{
    Canvas c(32, 32);
    const Area face{5, static_cast<float>(kToggleFaceTop) + 1, 22, static_cast<float>(kToggleFaceH) - 2};
    if (hover)
        Glow(c, art::RoundedRect(face.x, face.y, face.w, face.h, 6), 2.0f, kHoverGlow);
    // Navy reads on the light plate; the hovered look lights the icon gold inside its glow.
    DrawIcon(c, icon, {face.x + 2, face.y - 0.5f, face.h + 1, face.h + 1}, hover ? kHoverText : kInk);
    return c;
}

} // namespace

Canvas StatusArt::ColumnBackground()
{
    const int h = kColumnPieceH * kColumnPieces;
    Canvas c(kColumnW, h);
    c.FillPaint(art::LinearGradient({0, 0}, {0, static_cast<float>(h)}, kColumnTop, kColumnBottom));
    const art::Noise noise(kSeed);
    // Soft diagonal light bands and a faint grain, so the column is not a flat slab.
    c.Modulate([&](float x, float y) {
        const float band = 0.5f + 0.5f * std::sin((x + y * 0.6f) / 38.0f);
        return 0.95f + 0.06f * band + 0.04f * noise.Fractal(x / 6.0f, y / 6.0f, 2);
    });
    // The right edge: a bright bevel then a dark seam against the play view.
    const Shape edge = art::RoundedRect(kColumnW - 7.0f, -10, 20, h + 20.0f, 0);
    c.FillShape(edge, art::LinearGradient({kColumnW - 7.0f, 0}, {static_cast<float>(kColumnW), 0},
                                          art::Shade(kColumnTop, 0.35f), kColumnEdge));
    c.FillShape(art::RoundedRect(kColumnW - 1.5f, -10, 4, h + 20.0f, 0), Hex(0x06183a));
    return c;
}

void StatusArt::Panels(ArtSet& set)
{
    Canvas sheet = ArtSet::Blank("Status0.png");

    Canvas header(240, 70);
    HeaderPlate(header, {2, 2, 236, 64}, 14);
    LetteringStyle gold = GoldLettering(38);
    gold.outlineWidth = 3;
    gold.bevelWidth = 2.5f;
    gold.shadowDy = 2;
    gold.shadowSoftness = 2;
    DrawLettering(header, "Plinkett3", 120, 48, gold);
    IsoCube(header, 22, 30, 11, CubeColour(0), 0);
    IsoCube(header, 218, 30, 11, CubeColour(8), 8);
    ArtSet::PlaceSprite(sheet, "header", header);

    Canvas panel(240, 40);
    const Shape body = art::RoundedRect(1, 1, 238, 37, 10);
    panel.DropShadow(body, 0, 1, 1.5f, Hex(0x000000, 0.3f));
    panel.FillShape(body, art::LinearGradient({0, 1}, {0, 38}, Hex(0x0d2a5c, 0.72f), Hex(0x081a3e, 0.8f)));
    panel.InnerShade(body, 5, Hex(0x000000, 0.35f));
    panel.FillShape(Intersect(Offset(body, -2), art::RoundedRect(0, 0, 240, 16, 0)),
                    art::LinearGradient({0, 2}, {0, 16}, Hex(0xffffff, 0.18f), Hex(0xffffff, 0.02f)));
    panel.FillShape(Subtract(body, Offset(body, -1.2f)), Hex(0xbfe0ff, 0.6f));
    ArtSet::PlaceSprite(sheet, "panel", panel);

    const struct
    {
        const char* sprite;
        IconKind icon;
        const char* text;
    } labels[] = {{"labelScore", IconKind::kStar, "Score"},
                  {"labelLevel", IconKind::kTag, "Level"},
                  {"labelTime", IconKind::kClock, "Time"},
                  {"labelBlocks", IconKind::kStone, "Blocks"}};
    for (const auto& l : labels)
    {
        const Rect r = ArtSet::Src(l.sprite);
        Canvas label(r.w, r.h);
        if (l.icon == IconKind::kStone)
            IsoCube(label, 13, 8, 9, CubeColour(5), 5);
        else
            DrawIcon(label, l.icon, {2, 4, 22, 22}, kInk);
        art::TextStyle style = LabelStyle(Look::kNormal, 19);
        style.fill = art::Solid(kCaption);
        Text(label, style, l.text, 28, 22, art::Align::kLeft);
        ArtSet::PlaceSprite(sheet, l.sprite, label);
    }
    set.Put("Status0.png", std::move(sheet));
}

void StatusArt::Buttons(ArtSet& set)
{
    Canvas sheet = ArtSet::Blank("Status1.png");
    const ButtonLabelLook labels[] = {
        {"restart", IconKind::kRestart, "Restart", 3, 0, 0},
        {"save", IconKind::kDisk, "Save Game", 0, 0, 0},
        {"load", IconKind::kFolder, "Load Game", 2, 0, 0},
        {"help", IconKind::kQuestion, "Help", 3, 3, 0},
        {"exit", IconKind::kDoor, "Exit", 0, 3, 0},
    };
    for (const ButtonLabelLook& label : labels)
        ArtSet::PlaceSprite(sheet, label.sprite, ButtonLabel(label, false));
    for (ButtonLabelLook label : labels)
    {
        // Hovered looks share rows with other sprites above or below them in the sheet.
        if (std::string(label.sprite) == "restart")
            label.top = 3, label.right = 181 - 150;
        if (std::string(label.sprite) == "help")
            label.top = 3, label.bottom = 3;
        ArtSet::PlaceSprite(sheet, std::string(label.sprite) + "Hover", ButtonLabel(label, true));
    }
    ArtSet::PlaceSprite(sheet, "music", Toggle(IconKind::kNote, false));
    ArtSet::PlaceSprite(sheet, "musicHover", Toggle(IconKind::kNote, true));
    ArtSet::PlaceSprite(sheet, "sound", Toggle(IconKind::kSpeaker, false));
    ArtSet::PlaceSprite(sheet, "soundHover", Toggle(IconKind::kSpeaker, true));

    Canvas off(26, 26);
    const Shape ring = Outline(art::Circle(13, 13, 10.5f), 3.2f);
    const Shape slash = art::Capsule({6, 6}, {20, 20}, 3.2f);
    off.DropShadow(Union(ring, slash), 0, 1, 1, Hex(0x000000, 0.5f));
    off.FillShape(Union(ring, slash), Hex(0xff3b30));
    off.FillShape(Outline(Union(ring, slash), 0.8f), Hex(0x5a0000, 0.7f));
    ArtSet::PlaceSprite(sheet, "offMark", off);
    ArtSet::ClearDesignedOverlaps(sheet, "Status1.png");
    set.Put("Status1.png", std::move(sheet));
}

void StatusArt::Paint(ArtSet& set)
{
    Canvas column = ColumnBackground();
    for (int i = 0; i < static_cast<int>(kStatusButtons.size()); ++i)
    {
        const Rect r = ArtSet::Src(kStatusButtons[i]);
        const Rect hit = StatusButtonHit(i, r.w, r.h);
        Plate(column, {hit.x - 6.0f, hit.y - 3.0f, hit.w + 12.0f, hit.h + 6.0f}, (hit.h + 6.0f) * 0.5f, kPlateTopBlue,
              kPlateBottomBlue);
    }
    art::TextStyle caption = LabelStyle(Look::kNormal, 12);
    caption.fill = art::Solid(kCaption);
    caption.outlineWidth = 1.2f;
    for (const auto& [hit, text] : {std::pair{kMusicHit, "Music"}, std::pair{kSoundHit, "Sound"}})
    {
        Plate(column, {hit.x + 2.0f, hit.y + kToggleFaceTop + 0.0f, hit.w - 4.0f, static_cast<float>(kToggleFaceH)}, 7,
              kPlateTopBlue, kPlateBottomBlue);
        Text(column, caption, text, hit.x + hit.w * 0.5f, hit.y + hit.h + 13.0f, art::Align::kCentre);
    }
    for (int k = 0; k < 3; ++k)
        IsoCube(column, 88.0f + 40 * k, 728, 16, CubeColour((k * 4 + 1) % 10), (k * 4 + 1) % 10);
    const char* pieces[] = {"TexStatus0_A.bmp", "TexStatus0_B.bmp", "TexStatus0_C.bmp"};
    for (int i = 0; i < kColumnPieces; ++i)
        set.Put(pieces[i], column.Crop(0, i * kColumnPieceH, kColumnW, kColumnPieceH));
    Panels(set);
    Buttons(set);
}

} // namespace uigen
