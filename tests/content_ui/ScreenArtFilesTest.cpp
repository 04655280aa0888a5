// Checks the generated screen art in the staged data folder against the layout table the screens draw from.
#include "tests/content_ui/ScreenArtData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace
{

using namespace plk::ui;

using screenart::DataDir;
using screenart::IsMagenta;
using screenart::Luminance;
using screenart::SheetNamed;
using screenart::Visible;

class ScreenArtFiles : public ::testing::Test
{
protected:
    static const plk::Image* Get(std::string_view file) { return screenart::Load(file); }
};

TEST_F(ScreenArtFiles, EveryFileExistsAtTheSizeTheScreensExpect)
{
    for (const Sheet& s : kSheets)
    {
        const plk::Image* image = Get(s.file);
        ASSERT_NE(image, nullptr) << s.file << " missing or unreadable in " << DataDir();
        EXPECT_EQ(image->width, s.width) << s.file;
        EXPECT_EQ(image->height, s.height) << s.file;
    }
}

TEST_F(ScreenArtFiles, EverySpriteLiesInsideItsSheetAndShowsSomething)
{
    for (const Sprite& sp : kSprites)
    {
        const Sheet* sheet = SheetNamed(sp.sheet);
        ASSERT_NE(sheet, nullptr) << sp.name << " names an unknown sheet " << sp.sheet;
        EXPECT_NE(sheet->kind, SheetKind::kBmpOpaque) << sp.name << ": a sprite sheet needs transparency";
        ASSERT_TRUE(sp.src.w > 0 && sp.src.h > 0) << sp.name;
        EXPECT_TRUE(sp.src.x >= 0 && sp.src.y >= 0 && sp.src.x + sp.src.w <= sheet->width &&
                    sp.src.y + sp.src.h <= sheet->height)
            << sp.name << " leaves " << sp.sheet;
        const plk::Image* image = Get(sp.sheet);
        ASSERT_NE(image, nullptr) << sp.sheet;
        int visible = 0;
        for (int y = sp.src.y; y < sp.src.y + sp.src.h; ++y)
            for (int x = sp.src.x; x < sp.src.x + sp.src.w; ++x)
                visible += Visible(*sheet, image->At(x, y)) ? 1 : 0;
        // Even the thinnest sprite (the off mark, the check) covers a tenth of its box.
        EXPECT_GE(visible * 10, sp.src.w * sp.src.h) << sp.name << " is nearly empty";
    }
}

TEST_F(ScreenArtFiles, SpritesKeepAClearBorderSoScaledDrawingNeverShowsANeighbour)
{
    for (const Sprite& sp : kSprites)
    {
        const plk::Image* image = Get(sp.sheet);
        ASSERT_NE(image, nullptr) << sp.sheet;
        const Rect r = sp.src;
        for (int x = r.x; x < r.x + r.w; ++x)
        {
            ASSERT_EQ(image->At(x, r.y)[3], 0) << sp.name << " top border at x " << x;
            ASSERT_EQ(image->At(x, r.y + r.h - 1)[3], 0) << sp.name << " bottom border at x " << x;
        }
        for (int y = r.y; y < r.y + r.h; ++y)
        {
            ASSERT_EQ(image->At(r.x, y)[3], 0) << sp.name << " left border at y " << y;
            ASSERT_EQ(image->At(r.x + r.w - 1, y)[3], 0) << sp.name << " right border at y " << y;
        }
    }
}

TEST_F(ScreenArtFiles, OnlyTheDesignedRectanglesOverlapAndTheyShareNoVisiblePixel)
{
    int overlapping = 0;
    for (size_t i = 0; i < kSprites.size(); ++i)
        for (size_t j = i + 1; j < kSprites.size(); ++j)
        {
            const Sprite &a = kSprites[i], &b = kSprites[j];
            if (a.sheet != b.sheet || !a.src.Intersects(b.src))
                continue;
            ++overlapping;
            bool designed = false;
            for (const Overlap& o : kDesignedOverlaps)
                designed |= o.sheet == a.sheet && ((o.a == a.name && o.b == b.name) || (o.a == b.name && o.b == a.name));
            EXPECT_TRUE(designed) << a.name << " and " << b.name << " overlap in " << a.sheet;
            const Sheet* sheet = SheetNamed(a.sheet);
            const plk::Image* image = Get(a.sheet);
            ASSERT_TRUE(sheet && image);
            for (int y = std::max(a.src.y, b.src.y); y < std::min(a.src.y + a.src.h, b.src.y + b.src.h); ++y)
                for (int x = std::max(a.src.x, b.src.x); x < std::min(a.src.x + a.src.w, b.src.x + b.src.w); ++x)
                    ASSERT_FALSE(Visible(*sheet, image->At(x, y)))
                        << a.name << " and " << b.name << " share the visible pixel (" << x << ", " << y << ")";
        }
    EXPECT_EQ(overlapping, static_cast<int>(kDesignedOverlaps.size()));
}

TEST_F(ScreenArtFiles, FramePiecesHaveMagentaCornersCoverTheFillAndTileSeamlessly)
{
    for (const char* part : kFrameParts)
    {
        const std::string file = std::string("Frame0_") + part + ".bmp";
        const plk::Image* image = Get(file);
        ASSERT_NE(image, nullptr) << file;
        const int w = image->width, h = image->height;
        for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
            EXPECT_TRUE(IsMagenta(image->At(x, y))) << file << " corner (" << x << ", " << y << ")";
    }
    // The menu stretches its fill from 4 units inside the frame: each outer corner must hide that square corner.
    const struct
    {
        const char* file;
        bool right, bottom;
    } corners[] = {{"Frame0_TL.bmp", false, false}, {"Frame0_TR.bmp", true, false}, {"Frame0_BL.bmp", false, true},
                   {"Frame0_BR.bmp", true, true},   {"Frame0_SL.bmp", false, false}, {"Frame0_SL.bmp", false, true},
                   {"Frame0_SR.bmp", true, false},  {"Frame0_SR.bmp", true, true}};
    for (const auto& c : corners)
    {
        const plk::Image* image = Get(c.file);
        ASSERT_NE(image, nullptr);
        const int x = c.right ? image->width - 5 : 4, y = c.bottom ? image->height - 5 : 4;
        EXPECT_FALSE(IsMagenta(image->At(x, y))) << c.file << ": the fill's corner shows past the frame";
    }
    // Edge pieces repeat along the frame, so their two ends must match.
    for (const char* file : {"Frame0_T.bmp", "Frame0_B.bmp", "Frame0_SM.bmp"})
    {
        const plk::Image* image = Get(file);
        ASSERT_NE(image, nullptr);
        for (int y = 0; y < image->height; ++y)
            ASSERT_EQ(0, std::memcmp(image->At(0, y), image->At(image->width - 1, y), 3)) << file << " row " << y;
    }
    for (const char* file : {"Frame0_L.bmp", "Frame0_R.bmp"})
    {
        const plk::Image* image = Get(file);
        ASSERT_NE(image, nullptr);
        for (int x = 0; x < image->width; ++x)
            ASSERT_EQ(0, std::memcmp(image->At(x, 0), image->At(x, image->height - 1), 3)) << file << " column " << x;
    }
}

TEST_F(ScreenArtFiles, EveryBuilderButtonHasVisibleContentInsideItsHitRectangle)
{
    const char* pieces[] = {"TexBuildBar0_A.bmp", "TexBuildBar0_B.bmp", "TexBuildBar0_C.bmp"};
    auto pixel = [&](int x, int y) { return Get(pieces[y / kColumnPieceH])->At(x, y % kColumnPieceH); };
    for (const char* p : pieces)
        ASSERT_NE(Get(p), nullptr) << p;
    for (int i = 0; i < kBuilderButtonCount; ++i)
    {
        const Box& b = kBuilderButtons[i];
        if (b.Empty())
            continue;
        ASSERT_TRUE(b.x1 >= 0 && b.y1 >= 0 && b.x2 <= kColumnW && b.y2 <= kColumnPieceH * kColumnPieces) << i;
        // A label or icon shows as strong contrast inside the rectangle; the bar's own gradient never does.
        int lo = 255, hi = 0;
        for (int y = b.y1; y < b.y2; ++y)
            for (int x = b.x1; x < b.x2; ++x)
            {
                const int l = Luminance(pixel(x, y));
                lo = std::min(lo, l), hi = std::max(hi, l);
            }
        EXPECT_GE(hi - lo, 100) << "builder button " << i << " looks empty";
    }
    // Buttons differ from each other: no two share the same picture by mistake (same size ones compared).
    for (int i = 0; i < kBuilderButtonCount; ++i)
        for (int j = i + 1; j < kBuilderButtonCount; ++j)
        {
            const Box &a = kBuilderButtons[i], &b = kBuilderButtons[j];
            if (a.Empty() || b.Empty() || a.x2 - a.x1 != b.x2 - b.x1 || a.y2 - a.y1 != b.y2 - b.y1)
                continue;
            int differing = 0;
            for (int y = 0; y < a.y2 - a.y1; ++y)
                for (int x = 0; x < a.x2 - a.x1; ++x)
                {
                    const uint8_t *p = pixel(a.x1 + x, a.y1 + y), *q = pixel(b.x1 + x, b.y1 + y);
                    differing += std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) > 60;
                }
            EXPECT_GT(differing, 10) << "builder buttons " << i << " and " << j << " look the same";
        }
}

TEST_F(ScreenArtFiles, TitleLabelsSitOnTheirButtonsInsideTheDrawnTiles)
{
    for (const TitleButton& b : kTitleButtons)
    {
        const Sprite* label = FindSprite(b.label);
        ASSERT_NE(label, nullptr) << b.label;
        // A label may overhang its hit rectangle by one unit where the sprite is one wider.
        EXPECT_GE(b.labelX, b.hit.x - 1) << b.label;
        EXPECT_LE(b.labelX + label->src.w, b.hit.x + b.hit.w + 1) << b.label;
        EXPECT_GE(b.labelY, b.hit.y) << b.label;
        EXPECT_LE(b.labelY + label->src.h, b.hit.y + b.hit.h) << b.label;
        // The two lower corner cells are never drawn.
        for (const auto& [x, y] : {std::pair{b.labelX, b.labelY + label->src.h - 1},
                                   {b.labelX + label->src.w - 1, b.labelY + label->src.h - 1}})
            EXPECT_TRUE(y < 2 * kTitleTileH || (x >= kTitleTileW && x < 2 * kTitleTileW))
                << b.label << " reaches an undrawn corner cell at (" << x << ", " << y << ")";
    }
}

TEST_F(ScreenArtFiles, StatusButtonsStackInsideTheColumnWithoutTouching)
{
    Rect previous{0, 0, 0, 0};
    for (int i = 0; i < static_cast<int>(kStatusButtons.size()); ++i)
    {
        const Sprite* normal = FindSprite(kStatusButtons[i]);
        ASSERT_NE(normal, nullptr);
        const Rect hit = StatusButtonHit(i, normal->src.w, normal->src.h);
        EXPECT_TRUE(hit.x >= 0 && hit.x + hit.w <= kColumnW) << kStatusButtons[i];
        EXPECT_FALSE(hit.Intersects(previous)) << kStatusButtons[i];
        EXPECT_FALSE(hit.Intersects(kMusicHit)) << kStatusButtons[i];
        previous = hit;
        // Hovered and normal looks swap in place: the hovered one must fit the same centred box within a row.
        const Sprite* hover = FindSprite(std::string(kStatusButtons[i]) + "Hover");
        ASSERT_NE(hover, nullptr);
        EXPECT_EQ(hover->src.w, normal->src.w);
        EXPECT_LE(std::abs(hover->src.h - normal->src.h), 1);
    }
    const int panelsEnd = kStatusPanelY + kStatusStep * (kStatusPanels - 1) + FindSprite("panel")->src.h;
    EXPECT_LT(panelsEnd, StatusButtonHit(0, FindSprite("restart")->src.w, FindSprite("restart")->src.h).y);
}

} // namespace
