// Review pictures: the stored files read back and placed by the layout's numbers, as the screens will draw them.
#include "tools/uigen/Preview.h"

#include "platform/image/Image.h"
#include "ui/UiLayout.h"
#include "tools/uigen/UiPaint.h"
#include "tools/uigen/UiStyle.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace uigen
{

using art::Canvas;
using art::Hex;
using namespace plk::ui;

namespace
{

// The game's fonts: "Arial" at 16 and 24 units for a 1024-wide screen, 12 for the small status text.
const int kMainFont = 16;
const int kLargeFont = 24;
const int kSmallFont = 12;
const int kContactCell = 280;
const int kContactColumns = 7;

art::TextStyle GameFont(int height, const art::Colour& colour = Hex(0xffffff))
{
    art::TextStyle style;
    style.pixelHeight = height;
    style.bold = false;
    style.fill = art::Solid(colour);
    return style;
}

void Checker(Canvas& c, int x0, int y0, int w, int h)
{
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            c.At(x, y) = ((x / 8 + y / 8) % 2) ? Hex(0x9a9a9a) : Hex(0x6e6e6e);
}

} // namespace

bool Preview::Load(const std::string& dataDir, std::string& error)
{
    for (const Sheet& s : kSheets)
    {
        plk::Image image;
        std::string reason;
        const std::string path = dataDir + "/" + std::string(s.file);
        if (plk::LoadImageFile(path, image, &reason) != 0)
        {
            error = "cannot read " + path + ": " + reason;
            return false;
        }
        Canvas c = Canvas::FromImage(image);
        if (s.kind == SheetKind::kBmpKeyed)
            for (int y = 0; y < c.Height(); ++y)
                for (int x = 0; x < c.Width(); ++x)
                {
                    const art::Colour& p = c.At(x, y);
                    if (p.r > 0.99f && p.g < 0.01f && p.b > 0.99f)
                        c.At(x, y) = {0, 0, 0, 0};
                }
        m_files[std::string(s.file)] = std::move(c);
    }
    return true;
}

const Canvas& Preview::File(const std::string& name) const
{
    return m_files.at(name);
}

void Preview::Sprite(Canvas& screen, const std::string& sprite, int x, int y) const
{
    const plk::ui::Sprite* s = FindSprite(sprite);
    if (!s)
        throw ArtError("preview names an unknown sprite " + sprite);
    screen.Draw(File(std::string(s->sheet)).Crop(s->src.x, s->src.y, s->src.w, s->src.h), x, y);
}

void Preview::MenuFrame(Canvas& screen, int x, int y, int cols, int rows) const
{
    const int t = kFrameTile;
    screen.Draw(File("transfill.png").Resized(cols * t - 8, rows * t - 8), x + 4, y + 4);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
        {
            std::string part;
            if (rows == 1)
                part = j == 0 ? "SL" : (j == cols - 1 ? "SR" : "SM");
            else if (i == 0)
                part = j == 0 ? "TL" : (j == cols - 1 ? "TR" : "T");
            else if (i == rows - 1)
                part = j == 0 ? "BL" : (j == cols - 1 ? "BR" : "B");
            else if (j == 0 || j == cols - 1)
                part = j == 0 ? "L" : "R";
            if (!part.empty())
                screen.Draw(File("Frame0_" + part + ".bmp"), x + j * t, y + i * t);
        }
}

Canvas Preview::PlayArea() const
{
    // An empty 3D view: the sky colour the levels clear to.
    Canvas screen(kDesignW, kDesignH);
    screen.FillPaint(art::LinearGradient({0, 0}, {0, kDesignH}, Hex(0x6fb6ea), Hex(0xcfe8f8)));
    return screen;
}

Canvas Preview::Title() const
{
    Canvas screen(kDesignW, kDesignH, Hex(0x000000));
    const char* rows = "ABC";
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            if (row < 2 || col == 1)
                screen.Draw(File(std::string("TitleScreen") + rows[row] + std::to_string(col + 1) + ".bmp"),
                            col * kTitleTileW, row * kTitleTileH);
    for (const TitleButton& b : kTitleButtons)
        Sprite(screen, std::string(b.label) + (b.label == "newGame" ? "Hover" : ""), b.labelX, b.labelY);
    Text(screen, GameFont(kMainFont), "Press Esc to quit", 512, 748, art::Align::kCentre);
    return screen;
}

Canvas Preview::Status() const
{
    Canvas screen = PlayArea();
    const char* pieces[] = {"TexStatus0_A.bmp", "TexStatus0_B.bmp", "TexStatus0_C.bmp"};
    for (int i = 0; i < kColumnPieces; ++i)
        screen.Draw(File(pieces[i]), 0, i * kColumnPieceH);
    Sprite(screen, "header", kStatusHeaderX, kStatusHeaderY);
    const char* values[] = {"12840", "7", "87", "24"};
    for (int i = 0; i < kStatusPanels; ++i)
    {
        const int y = kStatusPanelY + kStatusStep * i;
        Sprite(screen, "panel", kStatusPanelX, y);
        if (i < 4)
        {
            Sprite(screen, std::string(kStatusLabels[i]), kStatusPanelX + kStatusLabelDx, y + kStatusLabelDy);
            Text(screen, GameFont(kMainFont), values[i], kStatusPanelX + 228, y + 26, art::Align::kRight);
            continue;
        }
        Text(screen, GameFont(kSmallFont), "Block colors to remove:", 128, y + 14, art::Align::kCentre);
        const int targets[] = {0, 5, 8};
        const int n = 3;
        for (int k = 0; k < n; ++k)
            Sprite(screen, "smallSwatch" + std::to_string(targets[k]), 125 - 10 * n + 20 * k, y + 19);
    }
    for (int i = 0; i < static_cast<int>(kStatusButtons.size()); ++i)
    {
        const std::string name(kStatusButtons[i]);
        const Rect src = FindSprite(name)->src;
        const Rect hit = StatusButtonHit(i, src.w, src.h);
        Sprite(screen, i == 1 ? name + "Hover" : name, hit.x, hit.y);
    }
    Sprite(screen, "music", kMusicHit.x, kMusicHit.y);
    Sprite(screen, "sound", kSoundHit.x, kSoundHit.y);
    Sprite(screen, "offMark", kSoundHit.x + kOffMarkDx, kSoundHit.y + kOffMarkDy);
    return screen;
}

Canvas Preview::Menu() const
{
    Canvas screen = Status();
    const int w = 9 * kFrameTile, x = kPlayAreaCentreX - w / 2;
    MenuFrame(screen, x, 150, 9, 1);
    Text(screen, GameFont(kLargeFont), "Level 7: The Long Slide", kPlayAreaCentreX, 150 + 40, art::Align::kCentre);
    const int top = 150 + kFrameTile + kFrameTile / 2;
    MenuFrame(screen, x, top, 9, 5);
    Text(screen, GameFont(kMainFont), "Remove every blue, orange and red cube before the time runs out.",
         kPlayAreaCentreX, top + 50, art::Align::kCentre);
    screen.Draw(File("MnuReady.png"), kPlayAreaCentreX - 128, top + 110);
    Text(screen, GameFont(kMainFont), "Press any key when ready...", kPlayAreaCentreX, top + 5 * kFrameTile - 40,
         art::Align::kCentre);
    return screen;
}

Canvas Preview::Complete() const
{
    Canvas screen = Status();
    const int w = 9 * kFrameTile, h = 6 * kFrameTile;
    const int x = kPlayAreaCentreX - w / 2, y = kDesignH / 2 - h / 2;
    MenuFrame(screen, x, y, 9, 6);
    screen.Draw(File("MnuLevelComplete0.png"), kPlayAreaCentreX - File("MnuLevelComplete0.png").Width(), y + 15);
    screen.Draw(File("MnuLevelComplete1.png"), kPlayAreaCentreX, y + 15);
    const char* labels[] = {"Total blocks removed: ", "Block score: ", "Time remaining score:",
                            "- Penalty (3 X -300): ", "Level score: ", "Total player score: "};
    const char* values[] = {"42", "9150", "2610", "-900", "10860", "23700"};
    for (int i = 0; i < 6; ++i)
    {
        const art::TextStyle style = GameFont(kMainFont, i == 3 ? Hex(0xff0000) : Hex(0xffffff));
        const int baseline = y + 110 + 30 * i + 21;
        Text(screen, style, labels[i], x + 12, baseline, art::Align::kLeft);
        Text(screen, style, values[i], x + w - 12, baseline, art::Align::kRight);
    }
    Text(screen, GameFont(kMainFont), "Press any key to play the next level...", kPlayAreaCentreX, y + h - 38 + 16,
         art::Align::kCentre);
    return screen;
}

Canvas Preview::Difficulty() const
{
    Canvas screen = Status();
    const int w = 7 * kFrameTile, x = kPlayAreaCentreX - w / 2;
    MenuFrame(screen, x, 150, 7, 1);
    Text(screen, GameFont(kLargeFont), "Select The Game Difficulty", kPlayAreaCentreX, 150 + 40, art::Align::kCentre);
    const int top = 150 + kFrameTile + kFrameTile / 2;
    MenuFrame(screen, x, top, 7, 2);
    const char* options[] = {"easy", "mediumHover", "hard"};
    int left = kPlayAreaCentreX - (64 + 98 + 67 + 2 * 24) / 2;
    for (const char* option : options)
    {
        const Rect r = FindSprite(option)->src;
        Sprite(screen, option, left, top + kFrameTile - r.h / 2);
        left += r.w + 24;
    }
    return screen;
}

Canvas Preview::List() const
{
    Canvas screen = Status();
    const int w = 8 * kFrameTile, h = 9 * kFrameTile;
    const int x = kPlayAreaCentreX - w / 2, y = kDesignH / 2 - h / 2;
    MenuFrame(screen, x, y, 8, 9);
    for (int k = 0; k < 19; ++k)
    {
        const int rowTop = y + 8 + 30 * k;
        if (k == 4)
            screen.FillShape(art::RoundedRect(x + 8, rowTop, 400, 25, 4), Hex(0xffffff, 0.18f));
        Text(screen, GameFont(kMainFont), "Saved game " + std::to_string(k + 1), x + 14, rowTop + 18, art::Align::kLeft);
    }
    Sprite(screen, "upOff", x + 430, y + 20);
    Sprite(screen, "downHover", x + 430, y + 60);
    Sprite(screen, "close", x + 430, y + h - 60);
    return screen;
}

Canvas Preview::Builder(bool hits) const
{
    Canvas screen = PlayArea();
    const char* pieces[] = {"TexBuildBar0_A.bmp", "TexBuildBar0_B.bmp", "TexBuildBar0_C.bmp"};
    for (int i = 0; i < kColumnPieces; ++i)
        screen.Draw(File(pieces[i]), 0, i * kColumnPieceH);
    if (hits)
        for (const Box& b : kBuilderButtons)
            if (!b.Empty())
                screen.FillShape(Outline(art::RoundedRect(b.x1, b.y1, b.x2 - b.x1, b.y2 - b.y1, 0), 1.0f),
                                 Hex(0xff2020, 0.9f));
    return screen;
}

Canvas Preview::GameOver() const
{
    Canvas screen(kDesignW, kDesignH, Hex(0x000000));
    screen.Draw(File("MnuGameOver0.bmp"), kDesignW / 2 - File("MnuGameOver0.bmp").Width(), 0);
    screen.Draw(File("MnuGameOver1.bmp"), kDesignW / 2, 0);
    Text(screen, GameFont(kMainFont), "Your time has run out. Would you like to try again?", 512, 300,
         art::Align::kCentre);
    Sprite(screen, "yesHover", 440, 330);
    Sprite(screen, "no", 540, 330);
    return screen;
}

Canvas Preview::Splash() const
{
    Canvas screen(kDesignW, kDesignH, Hex(0xffffff));
    const Canvas& logo = File("TexVantorelIntro.bmp");
    // Scaled as if the screen were 800 x 600, centred.
    const int w = logo.Width() * kDesignW / 800, h = logo.Height() * kDesignH / 600;
    screen.Draw(logo.Resized(w, h), (kDesignW - w) / 2, (kDesignH - h) / 2);
    return screen;
}

Canvas Preview::ContactSheet() const
{
    const int count = static_cast<int>(kSheets.size());
    const int rows = (count + kContactColumns - 1) / kContactColumns;
    Canvas sheet(kContactColumns * kContactCell, rows * kContactCell, Hex(0x2a2d33));
    for (int i = 0; i < count; ++i)
    {
        const Sheet& s = kSheets[i];
        const int cx = (i % kContactColumns) * kContactCell, cy = (i / kContactColumns) * kContactCell;
        const int room = kContactCell - 20;
        const float scale = std::min({1.0f, room / static_cast<float>(s.width), (room - 20) / static_cast<float>(s.height)});
        const int w = std::max(1, static_cast<int>(s.width * scale)), h = std::max(1, static_cast<int>(s.height * scale));
        const int x = cx + (kContactCell - w) / 2, y = cy + 10;
        Checker(sheet, x, y, w, h);
        sheet.Draw(scale < 1.0f ? File(std::string(s.file)).Resized(w, h) : File(std::string(s.file)), x, y);
        Text(sheet, GameFont(13, Hex(0xe8e8e8)), std::string(s.file), cx + kContactCell / 2.0f, cy + kContactCell - 14.0f,
             art::Align::kCentre);
    }
    return sheet;
}

bool Preview::WriteAll(const std::string& outDir, std::string& error) const
{
    const std::pair<const char*, Canvas> pictures[] = {
        {"title.png", Title()},       {"status.png", Status()},         {"menu.png", Menu()},
        {"complete.png", Complete()}, {"difficulty.png", Difficulty()}, {"list.png", List()},
        {"builder.png", Builder(false)}, {"builder-hits.png", Builder(true)},
        {"gameover.png", GameOver()}, {"splash.png", Splash()},         {"contact-sheet.png", ContactSheet()},
    };
    for (const auto& [name, canvas] : pictures)
    {
        std::string reason;
        const std::string path = outDir + "/" + name;
        if (plk::SavePng(path, canvas.ToImage(), &reason) != 0)
        {
            error = "cannot write " + path + ": " + reason;
            return false;
        }
    }
    return true;
}

} // namespace uigen
