// Checks the generator's own helpers where a slip would spoil every file quietly: keying, sprite placement,
// overlap clearing, lettering distances and rotation.
#include "tools/uigen/ArtSet.h"
#include "tools/uigen/Icons.h"
#include "tools/uigen/Lettering.h"
#include "tools/uigen/UiPaint.h"
#include "tools/uigen/UiStyle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace
{

using art::Canvas;
using art::Colour;

const Colour kRed{1, 0, 0, 1};

bool IsMagenta(const Colour& c)
{
    return c.r == 1 && c.g == 0 && c.b == 1 && c.a == 1;
}

TEST(UigenStoring, KeyedFilesTurnHalfCoveredPixelsSolidAndTheRestMagenta)
{
    const plk::ui::Sheet& sheet = uigen::ArtSet::SheetOf("Frame0_TL.bmp");
    Canvas c(4, 1);
    c.At(0, 0) = {1, 0, 0, 0.0f};
    c.At(1, 0) = {1, 0, 0, 0.3f};
    c.At(2, 0) = {1, 0, 0, 0.7f};
    c.At(3, 0) = kRed;
    const Canvas stored = uigen::ArtSet::AsStored(c, sheet);
    EXPECT_TRUE(IsMagenta(stored.At(0, 0)));
    EXPECT_TRUE(IsMagenta(stored.At(1, 0)));
    EXPECT_FALSE(IsMagenta(stored.At(2, 0)));
    EXPECT_EQ(stored.At(2, 0).a, 1.0f);
    EXPECT_EQ(stored.At(3, 0).r, 1.0f);
    EXPECT_EQ(stored.At(3, 0).g, 0.0f);
}

TEST(UigenStoring, OpaqueFilesFlattenTransparencyOntoBlackAndPngsKeepAlpha)
{
    Canvas c(2, 1);
    c.At(0, 0) = {1, 1, 1, 0.0f};
    c.At(1, 0) = {1, 1, 1, 0.5f};
    const Canvas bmp = uigen::ArtSet::AsStored(c, uigen::ArtSet::SheetOf("TexStatus0_A.bmp"));
    EXPECT_EQ(bmp.At(0, 0).r, 0.0f);
    EXPECT_EQ(bmp.At(0, 0).a, 1.0f);
    EXPECT_NEAR(bmp.At(1, 0).r, 0.5f, 1e-4f);
    const Canvas png = uigen::ArtSet::AsStored(c, uigen::ArtSet::SheetOf("Status1.png"));
    EXPECT_EQ(png.At(1, 0).a, 0.5f);
}

TEST(UigenSheets, APictureLargerThanItsSpriteStaysInsideTheRectangleWithinAClearRing)
{
    Canvas sheet = uigen::ArtSet::Blank("MiscTex0.png");
    const plk::ui::Rect r = uigen::ArtSet::Src("check");
    uigen::ArtSet::PlaceSprite(sheet, "check", Canvas(r.w + 10, r.h + 10, kRed));
    const plk::ui::Rect inner{r.x + 1, r.y + 1, r.w - 2, r.h - 2};
    for (int y = 0; y < sheet.Height(); ++y)
        for (int x = 0; x < sheet.Width(); ++x)
            ASSERT_EQ(sheet.At(x, y).a > 0, inner.Contains(x, y)) << x << ", " << y;
}

TEST(UigenSheets, DesignedOverlapsAreClearedExactlyWhereTheRectanglesMeet)
{
    Canvas sheet(512, 256, kRed);
    uigen::ArtSet::ClearDesignedOverlaps(sheet, "Status1.png");
    const plk::ui::Rect restartHover = uigen::ArtSet::Src("restartHover"), music = uigen::ArtSet::Src("music");
    int cleared = 0;
    for (int y = 0; y < sheet.Height(); ++y)
        for (int x = 0; x < sheet.Width(); ++x)
            cleared += sheet.At(x, y).a == 0 ? 1 : 0;
    // restartHover/music 29 x 14, restartHover/exit 63 x 3, help/helpHover 61 x 3, load/helpHover 59 x 2.
    EXPECT_EQ(cleared, 29 * 14 + 63 * 3 + 61 * 3 + 59 * 2);
    EXPECT_EQ(sheet.At(music.x, music.y).a, 0.0f);
    EXPECT_EQ(sheet.At(restartHover.x + restartHover.w, music.y).a, 1.0f);
    EXPECT_EQ(sheet.At(music.x, music.y + 14).a, 1.0f);
    Canvas other(512, 256, kRed);
    uigen::ArtSet::ClearDesignedOverlaps(other, "MiscTex0.png");
    EXPECT_EQ(other.At(music.x, music.y).a, 1.0f);
}

TEST(UigenSheets, WritingReportsEveryFileThatWasNotPainted)
{
    uigen::ArtSet set;
    set.Put("GameIcon.png", uigen::ArtSet::Blank("GameIcon.png"));
    EXPECT_THROW(set.Put("GameIcon.png", Canvas(3, 3)), uigen::ArtError);
    EXPECT_THROW(uigen::ArtSet::Blank("NoSuchFile.png"), uigen::ArtError);
    const auto dir = std::filesystem::temp_directory_path() / "uigen_partial_test";
    std::filesystem::create_directories(dir);
    std::string error;
    EXPECT_FALSE(set.WriteAll(dir.string(), error));
    EXPECT_NE(error.find("TitleScreenA1.bmp"), std::string::npos) << error;
    EXPECT_EQ(error.find("GameIcon.png"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::exists(dir / "GameIcon.png"));
    std::filesystem::remove_all(dir);
}

TEST(UigenShapes, LetteringDistancesGrowAwayFromTheEdge)
{
    // A disc of radius 20 drawn into a mask: the field should read about -20 at the centre and +10 at 30.
    Canvas mask(64, 64);
    mask.FillShape(art::Circle(32, 32, 20), Colour{1, 1, 1, 1});
    const art::Shape s = uigen::ShapeFromAlpha(mask, 100, 50);
    // The field is smoothed away from the edge, which rounds the peak at the centre a little.
    EXPECT_NEAR(s(132, 82), -20.0f, 2.5f);
    EXPECT_LT(s(132, 82), s(142, 82));
    EXPECT_NEAR(s(152, 82), 0.0f, 0.75f);
    EXPECT_NEAR(s(162, 82), 10.0f, 1.5f);
    EXPECT_NEAR(s(146.14f, 96.14f), 0.0f, 0.75f);
}

TEST(UigenShapes, RotationTurnsAboutItsCentreAndKeepsBoundsAroundTheShape)
{
    const art::Shape bar = art::RoundedRect(0, 45, 100, 10, 0);
    const art::Shape turned = uigen::Rotate(bar, 50, 50, 90);
    EXPECT_LT(turned(50, 5), 0.0f);
    EXPECT_GT(turned(5, 50), 0.0f);
    EXPECT_LE(turned.top, 0.5f);
    EXPECT_GE(turned.bottom, 99.5f);
    EXPECT_LE(turned.left, 45.5f);
    EXPECT_GE(turned.right, 54.5f);
}

TEST(UigenCubes, TheTenSwatchesDifferFromEachOtherInColourOrEmblem)
{
    std::vector<Canvas> faces;
    for (int colour = 0; colour < 10; ++colour)
    {
        Canvas c(25, 25);
        uigen::CubeFace(c, {0, 0, 25, 25}, colour);
        faces.push_back(std::move(c));
    }
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b)
        {
            float difference = 0;
            for (int y = 0; y < 25; ++y)
                for (int x = 0; x < 25; ++x)
                {
                    const Colour &p = faces[a].At(x, y), &q = faces[b].At(x, y);
                    difference += std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b);
                }
            // On average each pixel must differ by at least a tenth of full scale summed over its channels.
            EXPECT_GT(difference / (25 * 25), 0.1f) << plk::ui::kColourWords[a] << " vs " << plk::ui::kColourWords[b];
        }
}

} // namespace
