// Tool bar buttons: pictures for things you add, words for the commands, all on the status column's blue.
#include "tools/uigen/BuilderArt.h"

#include "tools/artkit/Noise.h"
#include "tools/uigen/Icons.h"
#include "tools/uigen/Lettering.h"
#include "tools/uigen/StatusArt.h"
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
using plk::ui::Rect;

namespace
{

const uint32_t kSeed = 0xB11D;
// Cube buttons in bar order add these cube types; a type below 10 is its colour.
const int kCubeButtonTypes[] = {1, 0, 3, 2, 4, 9, 5, 8, 6, 7};
const int kFirstCubeButton = 23;
const int kFirstBoardButton = 0;
const int kFirstTerrainButton = 5;
const int kFirstWallButton = 15;
const int kFirstSkyButton = 64;

enum class Kind
{
    kIcon,     // a picture on a light plate
    kText,     // words (and an optional icon) on a light plate
    kSpecial,  // handled by its own painter
};

struct ButtonFace
{
    Kind kind;
    IconKind icon;
    const char* text;
};

ButtonFace FaceOf(int i)
{
    switch (i)
    {
    case 10: return {Kind::kText, IconKind::kSun, "Clear"};
    case 11: return {Kind::kIcon, IconKind::kFog, ""};
    case 12: return {Kind::kIcon, IconKind::kPlus, ""};
    case 13: return {Kind::kIcon, IconKind::kMinus, ""};
    case 14: return {Kind::kText, IconKind::kRain, "Rain"};
    case 22: return {Kind::kText, IconKind::kGlass, "Glass on/off"};
    case 33: return {Kind::kIcon, IconKind::kRainbow, ""};
    case 34: return {Kind::kText, IconKind::kPlus, "x1"};
    case 35: return {Kind::kText, IconKind::kPlus, "x2"};
    case 36: return {Kind::kText, IconKind::kPlus, "x3"};
    case 37: return {Kind::kIcon, IconKind::kBolt, ""};
    case 38: return {Kind::kIcon, IconKind::kClock, ""};
    case 39: return {Kind::kIcon, IconKind::kLift, ""};
    case 40: return {Kind::kIcon, IconKind::kStone, ""};
    case 41: return {Kind::kIcon, IconKind::kSmasher, ""};
    case 42: return {Kind::kIcon, IconKind::kBomb, ""};
    case 43: return {Kind::kIcon, IconKind::kTeleporter, ""};
    case 46: return {Kind::kIcon, IconKind::kRock, ""};
    case 47: return {Kind::kIcon, IconKind::kTree, ""};
    case 48: return {Kind::kIcon, IconKind::kGrass, ""};
    case 49: return {Kind::kIcon, IconKind::kShrub, ""};
    case 50: return {Kind::kIcon, IconKind::kSpikes, ""};
    case 51: return {Kind::kIcon, IconKind::kPlant, ""};
    case 52: return {Kind::kIcon, IconKind::kCactus, ""};
    case 53: return {Kind::kIcon, IconKind::kPine, ""};
    case 54: return {Kind::kIcon, IconKind::kPalm, ""};
    case 55: return {Kind::kText, IconKind::kClock, "Level time"};
    case 56: return {Kind::kText, IconKind::kPencil, "Objective"};
    case 57: return {Kind::kText, IconKind::kTag, "Level name"};
    case 58: return {Kind::kText, IconKind::kNote, "Music"};
    case 59: return {Kind::kText, IconKind::kFolder, "Load level"};
    case 60: return {Kind::kText, IconKind::kDisk, "Save level"};
    case 61: return {Kind::kText, IconKind::kNewPage, "New level"};
    case 62: return {Kind::kText, IconKind::kPlay, "Test play"};
    case 63: return {Kind::kText, IconKind::kDoor, "Exit"};
    default: return {Kind::kSpecial, IconKind::kPlus, ""};
    }
}

Area Inner(Rect r, float pad)
{
    return {r.x + pad, r.y + pad, r.w - 2 * pad, r.h - 2 * pad};
}

void LightPlate(Canvas& c, Rect r)
{
    Plate(c, {r.x + 0.5f, r.y + 0.5f, r.w - 1.0f, r.h - 1.5f}, std::min(6.0f, r.h * 0.35f), kPlateTop, kPlateBottom);
}

// Clips painting to a button's face so pictures never spill over the plate.
void DrawClipped(Canvas& c, Rect r, const Canvas& picture, float radius)
{
    const Shape face = art::RoundedRect(r.x + 1.5f, r.y + 1.5f, r.w - 3.0f, r.h - 3.5f, radius);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
        {
            const float cover = art::Clamp01(0.5f - face(r.x + x + 0.5f, r.y + y + 0.5f));
            c.Blend(r.x + x, r.y + y, picture.At(x, y), cover);
        }
}

void Number(Canvas& c, Rect r, int n)
{
    art::TextStyle style = LabelStyle(Look::kNormal, 13);
    style.outlineWidth = 1.6f;
    Text(c, style, std::to_string(n), r.x + r.w - 7.0f, r.y + r.h - 4.0f, art::Align::kCentre);
}

} // namespace

void BuilderArt::BoardTop(Canvas& c, Rect r, int board)
{
    // The five board designs: classic cream, garden green, parquet, slate, ice.
    const Colour tiles[][2] = {{Hex(0xf7eeda), Hex(0xe9d9b4)}, {Hex(0x8acb57), Hex(0x74b84a)},
                               {Hex(0xd6a46a), Hex(0xb8844c)}, {Hex(0x4b5769), Hex(0x3c4656)},
                               {Hex(0xe9f6fd), Hex(0xb9d8ee)}};
    LightPlate(c, r);
    Canvas face(r.w, r.h);
    const float cell = (r.w - 4) / 4.0f;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
        {
            const Shape tile = art::RoundedRect(2 + i * cell + 0.5f, 2 + j * cell + 0.5f, cell - 1, cell - 1, 1.5f);
            face.FillShape(tile, tiles[board][(i + j) % 2]);
            face.Bevel(tile, 1.5f, 0.5f);
        }
    DrawClipped(c, r, face, 5);
    Number(c, r, board + 1);
}

void BuilderArt::Terrain(Canvas& c, Rect r, int terrain)
{
    // Meadow, desert, snow, volcanic, beach: sky, a hill line and a ground colour each.
    const Colour sky[] = {Hex(0x7cc8ff), Hex(0xffd9a0), Hex(0xcfe4f6), Hex(0x7a3c38), Hex(0x7cd4ff)};
    const Colour ground[] = {Hex(0x5fbf3c), Hex(0xe3b866), Hex(0xf6f9fc), Hex(0x3a3432), Hex(0xf0dc9a)};
    const Colour far[] = {Hex(0x8fcfa0), Hex(0xd39a58), Hex(0xa9bfd6), Hex(0x5a2c28), Hex(0x2f9fe0)};
    LightPlate(c, r);
    Canvas face(r.w, r.h);
    face.FillPaint(art::LinearGradient({0, 0}, {0, static_cast<float>(r.h)}, art::Shade(sky[terrain], 0.2f), sky[terrain]));
    std::vector<art::Point> hill = {{0, 16}, {8, 10}, {15, 14}, {24, 7}, {32, 13}, {32, 32}, {0, 32}};
    face.FillShape(art::Polygon(hill), far[terrain]);
    const Shape land = art::Polygon({{0, 21}, {10, 18}, {20, 20}, {32, 17}, {32, 32}, {0, 32}});
    face.FillShape(land, art::LinearGradient({0, 17}, {0, 32}, ground[terrain], art::Shade(ground[terrain], -0.2f)));
    if (terrain == 3)
    {
        face.FillShape(art::Polygon({{14, 18}, {20, 6}, {26, 18}}), Hex(0x4a3430));
        face.DropShadow(art::Circle(20, 6, 2.5f), 0, 0, 3, Hex(0xff6a20, 0.9f));
        face.FillShape(art::Capsule({20, 8}, {18, 17}, 1.6f), Hex(0xff7a20));
    }
    else if (terrain == 4)
        face.FillShape(art::RoundedRect(0, 24, 32, 8, 0), art::LinearGradient({0, 24}, {0, 32}, Hex(0x39b5f0), Hex(0x1a7fc8)));
    else if (terrain == 2)
        face.FillShape(art::Polygon({{22, 9}, {24, 7}, {27, 10}}), Hex(0xffffff));
    else if (terrain == 1)
        face.FillShape(art::Capsule({9, 20}, {9, 12}, 2.4f), Hex(0x3a9e4c));
    else
        face.FillShape(art::Circle(24, 14, 4), Hex(0x3dad3a));
    DrawClipped(c, r, face, 5);
    Number(c, r, terrain + 1);
}

void BuilderArt::Wall(Canvas& c, Rect r, int wallType)
{
    LightPlate(c, r);
    Canvas face(r.w, r.h);
    const art::Noise noise(kSeed + wallType);
    const float w = static_cast<float>(r.w), h = static_cast<float>(r.h);
    switch (wallType)
    {
    case 0: // brick
        face.Fill(Hex(0xd8d0c0));
        for (int row = 0; row < 5; ++row)
            for (int k = -1; k < 3; ++k)
            {
                const float x = k * 14.0f + (row % 2) * 7.0f + 2, y = row * 6.5f + 1;
                const Shape brick = art::RoundedRect(x, y, 13, 5.5f, 1);
                face.FillShape(brick, art::Mix(Hex(0xc0502e), Hex(0x9a3a22), noise.Cell(k, row)));
                face.Bevel(brick, 1.2f, 0.5f);
            }
        break;
    case 1: // stone blocks
        face.Fill(Hex(0x6f7078));
        for (int row = 0; row < 3; ++row)
            for (int k = -1; k < 3; ++k)
            {
                const Shape stone = art::RoundedRect(k * 15.0f + (row % 2) * 7.5f + 1, row * 11.0f + 1, 14, 10, 3);
                face.FillShape(stone, art::Mix(Hex(0xb4b2aa), Hex(0x8c8a84), noise.Cell(k, row, 1)));
                face.Bevel(stone, 2, 0.6f);
            }
        break;
    case 2: // wood planks
        for (int k = 0; k < 4; ++k)
        {
            const Shape plank = art::RoundedRect(k * 8.0f + 0.5f, 0, 7.5f, h, 1);
            face.FillShape(plank, [&, k](float x, float y) {
                const float grain = 0.5f + 0.5f * std::sin(y * 0.9f + 3 * noise.Value(x * 0.3f, y * 0.1f + k));
                return art::Mix(Hex(0xc88a4c), Hex(0xa0642e), grain * 0.7f);
            });
            face.Bevel(plank, 1.2f, 0.5f);
        }
        break;
    case 3: // riveted metal
        face.FillPaint(art::LinearGradient({0, 0}, {w, h}, Hex(0xdfe5ec), Hex(0x8a96a6)));
        for (int k = 0; k < 4; ++k)
        {
            const Shape rivet = art::Circle(k % 2 ? w - 6 : 6.0f, k / 2 ? h - 6 : 6.0f, 2.2f);
            face.FillShape(rivet, Hex(0xb4bfcc));
            face.Bevel(rivet, 1.5f, 0.9f);
        }
        face.FillShape(art::Capsule({4, h * 0.5f}, {w - 4, h * 0.5f}, 1.2f), Hex(0x6a7686, 0.8f));
        break;
    case 4: // glass
        face.FillPaint(art::LinearGradient({0, 0}, {w, h}, Hex(0xbfefff), Hex(0x5fb6e6)));
        face.FillShape(art::Polygon({{4, h}, {14, 0}, {20, 0}, {10, h}}), Hex(0xffffff, 0.55f));
        face.FillShape(art::Polygon({{16, h}, {24, 0}, {27, 0}, {19, h}}), Hex(0xffffff, 0.4f));
        break;
    case 5: // marble
        face.FillPaint([&](float x, float y) {
            const float v = std::sin(x * 0.25f + y * 0.12f + 5 * noise.Fractal(x / 10, y / 10, 3));
            return art::Mix(Hex(0xf4f1ea), Hex(0x9c9aa8), std::pow(std::fabs(v), 6.0f));
        });
        break;
    default: // cobbles with moss in the joints
        face.Fill(Hex(0x4f7a30));
        for (int row = 0; row < 4; ++row)
            for (int k = -1; k < 4; ++k)
            {
                const Shape cobble = art::Circle(k * 9.0f + (row % 2) * 4.5f + 4 + noise.Cell(k, row) * 2,
                                                 row * 8.5f + 4 + noise.Cell(k, row, 1) * 2, 4.2f);
                face.FillShape(cobble, art::Mix(Hex(0x7d7a72), Hex(0xa39e92), noise.Cell(k, row, 4)));
                face.Bevel(cobble, 1.8f, 0.7f);
            }
        break;
    }
    DrawClipped(c, r, face, 5);
    Number(c, r, wallType + 1);
}

void BuilderArt::Button(Canvas& c, int index)
{
    const Rect r = plk::ui::kBuilderButtons[index].ToRect();
    if (index >= kFirstBoardButton && index < kFirstBoardButton + 5)
        return BoardTop(c, r, index - kFirstBoardButton);
    if (index >= kFirstTerrainButton && index < kFirstTerrainButton + 5)
        return Terrain(c, r, index - kFirstTerrainButton);
    if (index >= kFirstWallButton && index < kFirstWallButton + 7)
        return Wall(c, r, index - kFirstWallButton);
    if (index >= kFirstCubeButton && index < kFirstCubeButton + 10)
    {
        CubeFace(c, {r.x + 0.0f, r.y + 0.0f, r.w + 0.0f, r.h + 0.0f}, kCubeButtonTypes[index - kFirstCubeButton]);
        return;
    }
    if (index >= kFirstSkyButton)
    {
        // Red, green and blue pairs: + then -.
        const int channel = (index - kFirstSkyButton) / 2;
        const bool plus = (index - kFirstSkyButton) % 2 == 0;
        const Colour tint[] = {Hex(0xe8463c), Hex(0x3cb84a), Hex(0x3a7ae8)};
        Plate(c, {r.x + 0.5f, r.y + 0.5f, r.w - 1.0f, r.h - 1.0f}, 4, art::Shade(tint[channel], 0.3f), tint[channel]);
        DrawIcon(c, plus ? IconKind::kPlus : IconKind::kMinus, Inner(r, 1.5f), kText);
        return;
    }
    const ButtonFace face = FaceOf(index);
    if (face.kind == Kind::kIcon)
    {
        LightPlate(c, r);
        DrawIcon(c, face.icon, Inner(r, r.h > 24 ? 3.0f : 1.5f), kInk);
        return;
    }
    LightPlate(c, r);
    const float icon = r.h - 4.0f;
    const bool withIcon = face.icon != IconKind::kPlus;
    const float left = withIcon ? r.x + 3 + icon : r.x + 2.0f;
    if (withIcon)
        DrawIcon(c, face.icon, {r.x + 3.0f, r.y + 2.0f, icon, icon}, kInk);
    Label(c, face.text, {left, r.y + 0.5f, r.x + r.w - 2 - left, r.h - 1.5f}, Look::kInk,
          static_cast<int>(std::min(15.0f, r.h * 0.75f)));
}

void BuilderArt::Captions(Canvas& c)
{
    HeaderPlate(c, {5, 5, 246, 58}, 14);
    LetteringStyle gold = GoldLettering(30);
    gold.outlineWidth = 3;
    gold.bevelWidth = 2.5f;
    gold.shadowDy = 2;
    gold.shadowSoftness = 2;
    DrawLettering(c, "Level Builder", 128, 45, gold);

    art::TextStyle caption = LabelStyle(Look::kNormal, 14);
    caption.fill = art::Solid(kCaption);
    caption.outlineWidth = 1.5f;
    const struct
    {
        const char* text;
        float x, y;
        art::Align align;
    } captions[] = {
        {"Board top", 8, 99, art::Align::kLeft},      {"Terrain", 8, 167, art::Align::kLeft},
        {"Sky", 134, 165, art::Align::kRight},        {"Weather", 8, 235, art::Align::kLeft},
        {"Fog", 122, 274, art::Align::kCentre},       {"Walls", 8, 291, art::Align::kLeft},
        {"Cubes", 8, 362, art::Align::kLeft},         {"Special cubes", 8, 446, art::Align::kLeft},
        {"Level settings", 8, 594, art::Align::kLeft}, {"Level file", 8, 693, art::Align::kLeft},
    };
    for (const auto& k : captions)
        Text(c, caption, k.text, k.x, k.y, k.align);
    // Names of the three special cubes beside their buttons.
    art::TextStyle small = caption;
    small.pixelHeight = 12;
    small.fill = art::Solid(kText);
    Text(c, small, "Stone, smasher, bomb", 116, 473, art::Align::kLeft);
    // Beside the raised plant button, so smaller than the other captions.
    small.fill = art::Solid(kCaption);
    Text(c, small, "Teleporter, scenery", 8, 519, art::Align::kLeft);
}

void BuilderArt::Paint(ArtSet& set)
{
    Canvas bar = StatusArt::ColumnBackground();
    Captions(bar);
    for (int i = 0; i < plk::ui::kBuilderButtonCount; ++i)
        if (!plk::ui::kBuilderButtons[i].Empty())
            Button(bar, i);
    const char* pieces[] = {"TexBuildBar0_A.bmp", "TexBuildBar0_B.bmp", "TexBuildBar0_C.bmp"};
    for (int i = 0; i < plk::ui::kColumnPieces; ++i)
        set.Put(pieces[i], bar.Crop(0, i * plk::ui::kColumnPieceH, plk::ui::kColumnW, plk::ui::kColumnPieceH));
}

} // namespace uigen
