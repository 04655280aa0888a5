// Every 2D screen file, its size and the sprite rectangles the screens draw from: read by the generator and the tests.
#pragma once

#include <array>
#include <string_view>

namespace plk::ui
{

// How a file stores transparency, which decides what "opaque" means for it.
enum class SheetKind
{
    kPngAlpha, // alpha channel
    kBmpKeyed, // 24-bit, magenta 0xFF00FF is transparent when loaded with the colour key
    kBmpOpaque // 24-bit, drawn without a colour key
};

struct Sheet
{
    std::string_view file;
    int width;
    int height;
    SheetKind kind;
};

struct Rect
{
    int x, y, w, h;

    bool Intersects(const Rect& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

struct Sprite
{
    std::string_view sheet;
    std::string_view name;
    Rect src;
};

// Title tiles cover 1024 x 768 in a 3 x 3 grid; 3 x 342 = 1026 leaves no gap at the right edge.
inline constexpr int kTitleTileW = 342;
inline constexpr int kTitleTileH = 256;
// Frame pieces are 64 units square: an 8 x 9 list frame then holds 19 rows of 30 units and the arrows.
inline constexpr int kFrameTile = 64;
// Side columns are three 256 x 256 textures stacked to the full 768-unit height.
inline constexpr int kColumnW = 256;
inline constexpr int kColumnPieceH = 256;
inline constexpr int kColumnPieces = 3;
inline constexpr int kDesignW = 1024;
inline constexpr int kDesignH = 768;

// The three spare-cube buttons at the top right of the play area: a click in one drops its cube,
// and the turning spare cube is drawn on its centre.
inline constexpr std::array<Rect, 3> kSpareButtons = {Rect{829, 32, 48, 48}, Rect{899, 32, 48, 48},
                                                      Rect{968, 32, 48, 48}};
inline constexpr float CentreX(const Rect& r)
{
    return static_cast<float>(r.x) + static_cast<float>(r.w) / 2.0f;
}
inline constexpr float CentreY(const Rect& r)
{
    return static_cast<float>(r.y) + static_cast<float>(r.h) / 2.0f;
}

inline constexpr std::array kFrameParts = {"TL", "T", "TR", "L", "R", "BL", "B", "BR", "SL", "SM", "SR"};

inline constexpr std::array kSheets = {
    Sheet{"TitleScreenA1.bmp", kTitleTileW, kTitleTileH, SheetKind::kBmpOpaque},
    Sheet{"TitleScreenA2.bmp", kTitleTileW, kTitleTileH, SheetKind::kBmpOpaque},
    Sheet{"TitleScreenA3.bmp", kTitleTileW, kTitleTileH, SheetKind::kBmpOpaque},
    Sheet{"TitleScreenB1.bmp", kTitleTileW, kTitleTileH, SheetKind::kBmpOpaque},
    Sheet{"TitleScreenB2.bmp", kTitleTileW, kTitleTileH, SheetKind::kBmpOpaque},
    Sheet{"TitleScreenB3.bmp", kTitleTileW, kTitleTileH, SheetKind::kBmpOpaque},
    Sheet{"TitleScreenC2.bmp", kTitleTileW, kTitleTileH, SheetKind::kBmpOpaque},
    Sheet{"MiscTex0.png", 256, 256, SheetKind::kPngAlpha},
    Sheet{"MiscTex1.png", 256, 256, SheetKind::kPngAlpha},
    Sheet{"MiscTex2.png", 256, 256, SheetKind::kPngAlpha},
    Sheet{"Frame0_TL.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"Frame0_T.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"Frame0_TR.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"Frame0_L.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"Frame0_R.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"Frame0_BL.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"Frame0_B.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"Frame0_BR.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"Frame0_SL.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"Frame0_SM.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"Frame0_SR.bmp", kFrameTile, kFrameTile, SheetKind::kBmpKeyed},
    Sheet{"transfill.png", 64, 64, SheetKind::kPngAlpha},
    Sheet{"MnuReady.png", 256, 64, SheetKind::kPngAlpha},
    Sheet{"MnuLevelComplete0.png", 256, 80, SheetKind::kPngAlpha},
    Sheet{"MnuLevelComplete1.png", 256, 80, SheetKind::kPngAlpha},
    Sheet{"MnuGameOver0.bmp", 512, 160, SheetKind::kBmpOpaque},
    Sheet{"MnuGameOver1.bmp", 512, 160, SheetKind::kBmpOpaque},
    Sheet{"MnuGameComplete0.bmp", 512, 160, SheetKind::kBmpOpaque},
    Sheet{"MnuGameComplete1.bmp", 512, 160, SheetKind::kBmpOpaque},
    Sheet{"TexStatus0_A.bmp", kColumnW, kColumnPieceH, SheetKind::kBmpOpaque},
    Sheet{"TexStatus0_B.bmp", kColumnW, kColumnPieceH, SheetKind::kBmpOpaque},
    Sheet{"TexStatus0_C.bmp", kColumnW, kColumnPieceH, SheetKind::kBmpOpaque},
    Sheet{"Status0.png", 256, 256, SheetKind::kPngAlpha},
    Sheet{"Status1.png", 512, 256, SheetKind::kPngAlpha},
    Sheet{"TexBuildBar0_A.bmp", kColumnW, kColumnPieceH, SheetKind::kBmpOpaque},
    Sheet{"TexBuildBar0_B.bmp", kColumnW, kColumnPieceH, SheetKind::kBmpOpaque},
    Sheet{"TexBuildBar0_C.bmp", kColumnW, kColumnPieceH, SheetKind::kBmpOpaque},
    // Shown centred on white and scaled as if the screen were 800 x 600.
    Sheet{"TexVantorelIntro.bmp", 512, 256, SheetKind::kBmpOpaque},
    // Startup dialog: banner 264 x 40 and pictures 158 x 110 dialog units at 1.5 x 1.625 pixels per unit.
    Sheet{"StartupBanner.bmp", 396, 65, SheetKind::kBmpOpaque},
    Sheet{"StartupPicture0.bmp", 237, 179, SheetKind::kBmpOpaque},
    Sheet{"StartupPicture1.bmp", 237, 179, SheetKind::kBmpOpaque},
    Sheet{"StartupPicture2.bmp", 237, 179, SheetKind::kBmpOpaque},
    Sheet{"GameIcon.png", 64, 64, SheetKind::kPngAlpha},
};

// The ten cube colours in index order, as the swatch sprites name them.
inline constexpr std::array<std::string_view, 10> kColourWords = {
    "Blue", "DarkBlue", "DarkGreen", "Green", "LightVanilla", "Orange", "Pink", "Purple", "Red", "Yellow"};

inline constexpr int kSwatchSize = 25;
inline constexpr int kSwatchY = 93;
inline constexpr int kSmallSwatchSize = 17;
inline constexpr int kSmallSwatchY = 144;

// Sprites drawn from part of a sheet; whole-image files are not listed here.
inline constexpr std::array kSprites = {
    // Game-over answers, difficulty options, list arrows and close button.
    Sprite{"MiscTex0.png", "yes", {0, 0, 49, 25}},
    Sprite{"MiscTex0.png", "yesHover", {108, 0, 49, 25}},
    Sprite{"MiscTex0.png", "no", {62, 0, 38, 26}},
    Sprite{"MiscTex0.png", "noHover", {172, 0, 38, 26}},
    Sprite{"MiscTex0.png", "easy", {0, 27, 64, 32}},
    Sprite{"MiscTex0.png", "medium", {64, 27, 98, 26}},
    Sprite{"MiscTex0.png", "hard", {164, 27, 67, 25}},
    Sprite{"MiscTex0.png", "easyHover", {0, 59, 64, 32}},
    Sprite{"MiscTex0.png", "mediumHover", {64, 59, 98, 26}},
    Sprite{"MiscTex0.png", "hardHover", {164, 59, 67, 25}},
    Sprite{"MiscTex0.png", "swatch0", {0 * kSwatchSize, kSwatchY, kSwatchSize, kSwatchSize}},
    Sprite{"MiscTex0.png", "swatch1", {1 * kSwatchSize, kSwatchY, kSwatchSize, kSwatchSize}},
    Sprite{"MiscTex0.png", "swatch2", {2 * kSwatchSize, kSwatchY, kSwatchSize, kSwatchSize}},
    Sprite{"MiscTex0.png", "swatch3", {3 * kSwatchSize, kSwatchY, kSwatchSize, kSwatchSize}},
    Sprite{"MiscTex0.png", "swatch4", {4 * kSwatchSize, kSwatchY, kSwatchSize, kSwatchSize}},
    Sprite{"MiscTex0.png", "swatch5", {5 * kSwatchSize, kSwatchY, kSwatchSize, kSwatchSize}},
    Sprite{"MiscTex0.png", "swatch6", {6 * kSwatchSize, kSwatchY, kSwatchSize, kSwatchSize}},
    Sprite{"MiscTex0.png", "swatch7", {7 * kSwatchSize, kSwatchY, kSwatchSize, kSwatchSize}},
    Sprite{"MiscTex0.png", "swatch8", {8 * kSwatchSize, kSwatchY, kSwatchSize, kSwatchSize}},
    Sprite{"MiscTex0.png", "swatch9", {9 * kSwatchSize, kSwatchY, kSwatchSize, kSwatchSize}},
    Sprite{"MiscTex0.png", "check", {0, 118, 25, 25}},
    Sprite{"MiscTex0.png", "smallSwatch0", {0 * kSmallSwatchSize, kSmallSwatchY, kSmallSwatchSize, kSmallSwatchSize}},
    Sprite{"MiscTex0.png", "smallSwatch1", {1 * kSmallSwatchSize, kSmallSwatchY, kSmallSwatchSize, kSmallSwatchSize}},
    Sprite{"MiscTex0.png", "smallSwatch2", {2 * kSmallSwatchSize, kSmallSwatchY, kSmallSwatchSize, kSmallSwatchSize}},
    Sprite{"MiscTex0.png", "smallSwatch3", {3 * kSmallSwatchSize, kSmallSwatchY, kSmallSwatchSize, kSmallSwatchSize}},
    Sprite{"MiscTex0.png", "smallSwatch4", {4 * kSmallSwatchSize, kSmallSwatchY, kSmallSwatchSize, kSmallSwatchSize}},
    Sprite{"MiscTex0.png", "smallSwatch5", {5 * kSmallSwatchSize, kSmallSwatchY, kSmallSwatchSize, kSmallSwatchSize}},
    Sprite{"MiscTex0.png", "smallSwatch6", {6 * kSmallSwatchSize, kSmallSwatchY, kSmallSwatchSize, kSmallSwatchSize}},
    Sprite{"MiscTex0.png", "smallSwatch7", {7 * kSmallSwatchSize, kSmallSwatchY, kSmallSwatchSize, kSmallSwatchSize}},
    Sprite{"MiscTex0.png", "smallSwatch8", {8 * kSmallSwatchSize, kSmallSwatchY, kSmallSwatchSize, kSmallSwatchSize}},
    Sprite{"MiscTex0.png", "smallSwatch9", {9 * kSmallSwatchSize, kSmallSwatchY, kSmallSwatchSize, kSmallSwatchSize}},
    Sprite{"MiscTex0.png", "up", {0, 161, 32, 32}},
    Sprite{"MiscTex0.png", "upHover", {0, 194, 32, 32}},
    Sprite{"MiscTex0.png", "upOff", {91, 161, 32, 32}},
    Sprite{"MiscTex0.png", "down", {33, 161, 32, 32}},
    Sprite{"MiscTex0.png", "downHover", {33, 194, 32, 32}},
    Sprite{"MiscTex0.png", "downOff", {124, 161, 32, 32}},
    Sprite{"MiscTex0.png", "close", {91, 194, 32, 32}},
    Sprite{"MiscTex0.png", "closeHover", {124, 194, 32, 32}},
    // Title labels.
    Sprite{"MiscTex1.png", "newGame", {1, 0, 176, 31}},
    Sprite{"MiscTex1.png", "newGameHover", {1, 32, 176, 31}},
    Sprite{"MiscTex1.png", "loadGame", {1, 65, 181, 31}},
    Sprite{"MiscTex1.png", "loadGameHover", {1, 97, 181, 31}},
    Sprite{"MiscTex1.png", "builder", {2, 130, 218, 30}},
    Sprite{"MiscTex1.png", "builderHover", {2, 162, 218, 30}},
    Sprite{"MiscTex2.png", "tutorial", {1, 1, 208, 88}},
    Sprite{"MiscTex2.png", "tutorialHover", {1, 97, 208, 88}},
    // Status column panels and their labels.
    Sprite{"Status0.png", "header", {0, 0, 240, 70}},
    Sprite{"Status0.png", "panel", {0, 71, 240, 40}},
    Sprite{"Status0.png", "labelScore", {0, 113, 100, 30}},
    Sprite{"Status0.png", "labelLevel", {0, 145, 100, 30}},
    Sprite{"Status0.png", "labelTime", {0, 177, 100, 30}},
    Sprite{"Status0.png", "labelBlocks", {0, 209, 100, 30}},
    // Status buttons.
    Sprite{"Status1.png", "restart", {0, 82, 181, 26}},
    Sprite{"Status1.png", "restartHover", {0, 174, 181, 26}},
    Sprite{"Status1.png", "save", {0, 114, 149, 32}},
    Sprite{"Status1.png", "saveHover", {0, 205, 149, 31}},
    Sprite{"Status1.png", "load", {193, 117, 146, 33}},
    Sprite{"Status1.png", "loadHover", {193, 152, 146, 32}},
    Sprite{"Status1.png", "help", {191, 56, 61, 33}},
    Sprite{"Status1.png", "helpHover", {191, 86, 61, 33}},
    Sprite{"Status1.png", "exit", {0, 147, 63, 30}},
    Sprite{"Status1.png", "exitHover", {0, 0, 63, 30}},
    Sprite{"Status1.png", "music", {152, 186, 32, 32}},
    Sprite{"Status1.png", "musicHover", {152, 219, 32, 32}},
    Sprite{"Status1.png", "sound", {185, 186, 32, 32}},
    Sprite{"Status1.png", "soundHover", {185, 219, 32, 32}},
    Sprite{"Status1.png", "offMark", {219, 189, 26, 26}},
};

// Rectangle pairs the screens themselves overlap; their shared pixels are kept transparent.
struct Overlap
{
    std::string_view sheet, a, b;
};
inline constexpr std::array kDesignedOverlaps = {
    Overlap{"Status1.png", "restartHover", "exit"},
    Overlap{"Status1.png", "restartHover", "music"},
    Overlap{"Status1.png", "help", "helpHover"},
    Overlap{"Status1.png", "load", "helpHover"},
};

constexpr const Sprite* FindSprite(std::string_view name)
{
    for (const Sprite& s : kSprites)
        if (s.name == name)
            return &s;
    return nullptr;
}

// Title: hit rectangles (x1, y1, x2, y2) fixed by the screen; the labels sit on the plaques painted into the picture.
struct TitleButton
{
    std::string_view label;
    Rect hit; // x, y, w, h from (x1, y1, x2, y2)
    int labelX, labelY;
};
inline constexpr std::array kTitleButtons = {
    TitleButton{"loadGame", {164, 441, 181, 126}, 164, 449},
    TitleButton{"newGame", {424, 269, 175, 122}, 424, 340},
    TitleButton{"builder", {659, 438, 219, 126}, 660, 450},
    TitleButton{"tutorial", {406, 540, 210, 126}, 407, 559},
};

// Status column: header at (5, 5); panel i at (5, 105 + 55 i); buttons centred on x 128 and y 400 + 55 i.
inline constexpr int kStatusHeaderX = 5;
inline constexpr int kStatusHeaderY = 5;
inline constexpr int kStatusPanelX = 5;
inline constexpr int kStatusPanelY = 105;
inline constexpr int kStatusStep = 55;
inline constexpr int kStatusPanels = 5;
inline constexpr int kStatusButtonCentreX = 128;
inline constexpr int kStatusButtonCentreY = 400;
// Label images sit inside the panel, this far from its top-left corner.
inline constexpr int kStatusLabelDx = 8;
inline constexpr int kStatusLabelDy = 5;
inline constexpr std::array<std::string_view, 4> kStatusLabels = {"labelScore", "labelLevel", "labelTime",
                                                                  "labelBlocks"};
inline constexpr std::array<std::string_view, 5> kStatusButtons = {"restart", "save", "load", "help", "exit"};
inline constexpr Rect kMusicHit{92, 651, 32, 32};
inline constexpr Rect kSoundHit{132, 651, 32, 32};
// The off mark lies centred on the toggle's face, which fills the lower part of its hit rectangle.
inline constexpr int kOffMarkDx = 3;
inline constexpr int kOffMarkDy = 10;

constexpr Rect StatusButtonHit(int i, int w, int h)
{
    return {kStatusButtonCentreX - w / 2, kStatusButtonCentreY + kStatusStep * i - h / 2, w, h};
}

// Level builder: the screen's 70 hit rectangles (x1, y1, x2, y2); entries 44 and 45 are empty and never hit.
struct Box
{
    int x1, y1, x2, y2;

    constexpr bool Empty() const { return x1 == 0 && y1 == 0 && x2 == 0 && y2 == 0; }
    constexpr Rect ToRect() const { return {x1, y1, x2 - x1, y2 - y1}; }
};
inline constexpr int kBuilderButtonCount = 70;
inline constexpr std::array<Box, kBuilderButtonCount> kBuilderButtons = {{
    {8, 105, 40, 137}, {42, 105, 74, 137}, {76, 105, 108, 137}, {110, 105, 142, 137}, {144, 105, 176, 137},
    {8, 173, 40, 205}, {42, 173, 74, 205}, {76, 173, 108, 205}, {110, 173, 142, 205}, {144, 173, 176, 205},
    {5, 241, 51, 258}, {67, 241, 99, 263}, {105, 242, 121, 258}, {123, 242, 139, 258}, {174, 241, 213, 259},
    {8, 298, 40, 330}, {42, 298, 74, 330}, {76, 298, 108, 330}, {110, 298, 142, 330}, {144, 298, 176, 330},
    {178, 298, 210, 330}, {212, 298, 244, 330},
    {145, 276, 252, 293},
    {7, 369, 27, 389}, {29, 369, 49, 389}, {51, 369, 71, 389}, {73, 369, 93, 389}, {95, 369, 115, 389},
    {117, 369, 137, 389}, {139, 369, 159, 389}, {161, 369, 181, 389}, {183, 369, 203, 389}, {205, 369, 225, 389},
    {231, 369, 251, 389},
    {8, 397, 54, 414}, {65, 397, 91, 414}, {101, 398, 126, 414}, {166, 398, 189, 414}, {193, 397, 216, 414},
    {221, 397, 248, 414},
    {6, 452, 36, 482}, {41, 453, 73, 485}, {75, 453, 107, 485},
    {3, 532, 28, 561},
    {0, 0, 0, 0}, {0, 0, 0, 0},
    {31, 532, 56, 561}, {60, 532, 85, 561}, {202, 532, 226, 561}, {140, 532, 166, 561}, {87, 532, 112, 561},
    {138, 499, 171, 524}, {169, 532, 199, 561}, {115, 532, 136, 561}, {233, 532, 253, 561},
    {8, 601, 91, 619}, {8, 623, 135, 645}, {8, 647, 146, 665}, {158, 601, 248, 618},
    {9, 700, 102, 717}, {142, 700, 235, 717}, {9, 723, 113, 741}, {142, 723, 230, 744}, {9, 746, 48, 763},
    {139, 152, 155, 168}, {157, 152, 173, 168}, {179, 152, 195, 168}, {197, 152, 213, 168}, {219, 152, 235, 168},
    {237, 152, 253, 168},
}};

// Menu frames centre on the middle of the play area right of the 256-unit column.
inline constexpr int kPlayAreaCentreX = 640;

} // namespace plk::ui
