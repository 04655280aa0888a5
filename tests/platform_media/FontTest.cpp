// platform/font: the game's face names resolve, and rendered text stays inside the metrics it reports.
#include "platform/font/FontFace.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(Font, ArialResolvesToAMetricCompatibleFaceWithBoldAndItalicFiles)
{
    plk::FontFile regular, bold, italic;
    std::string error;
    ASSERT_EQ(plk::FindFontFile("Arial", false, false, regular, &error), 0) << error;
    ASSERT_EQ(plk::FindFontFile("Arial", true, false, bold, &error), 0) << error;
    ASSERT_EQ(plk::FindFontFile("Arial", false, true, italic, &error), 0) << error;
    EXPECT_EQ(regular.family, "Liberation Sans");
    EXPECT_NE(regular.path, bold.path);
    EXPECT_NE(regular.path, italic.path);
    plk::FontFile fallback;
    EXPECT_EQ(plk::FindFontFile("DefaultFont", false, false, fallback, &error), 0) << error;
    EXPECT_FALSE(fallback.path.empty());
}

TEST(Font, TextBitmapHasInkAndGlyphsStayWithinAscenderAndDescender)
{
    plk::FontFace face;
    ASSERT_EQ(face.Open("Arial", 32), 0) << face.Error();
    EXPECT_GT(face.Ascender(), 0);
    EXPECT_GT(face.Descender(), 0);
    EXPECT_GE(face.LineHeight(), face.Ascender() + face.Descender() - 1);

    plk::TextBitmap text;
    ASSERT_EQ(face.RenderText("Hgjy Qp", text), 0) << face.Error();
    EXPECT_EQ(text.height, face.Ascender() + face.Descender());
    EXPECT_EQ(text.baseline, face.Ascender());
    EXPECT_GE(static_cast<float>(text.width), face.MeasureText("Hgjy Qp"));
    const long ink =
        std::count_if(text.coverage.begin(), text.coverage.end(), [](uint8_t c) { return c > 128; });
    EXPECT_GT(ink, 100);

    // Every glyph of the line lies between the ascender and the descender, so nothing was clipped.
    for (unsigned char c : std::string("Hgjy Qp\xC9"))
    {
        plk::GlyphBitmap glyph;
        ASSERT_EQ(face.RenderGlyph(c, glyph), 0) << face.Error();
        EXPECT_LE(glyph.top, face.Ascender()) << c;
        EXPECT_LE(glyph.height - glyph.top, face.Descender()) << c;
        EXPECT_GT(glyph.advance, 0.0f) << c;
    }
}

TEST(Font, CapitalHeightMatchesThePixelSizeAndWideLettersMeasureWider)
{
    plk::FontFace face;
    ASSERT_EQ(face.Open("Arial", 40), 0) << face.Error();
    plk::GlyphBitmap h;
    ASSERT_EQ(face.RenderGlyph('H', h), 0);
    // A capital of a sans face is about 0.72 of its em.
    EXPECT_NEAR(h.height, 29, 2);
    EXPECT_EQ(h.top, h.height) << "H sits on the baseline";
    EXPECT_GT(face.MeasureText("WWWW"), face.MeasureText("iiii") * 2);
    EXPECT_LE(face.Kerning('A', 'V'), 0.0f);
}

TEST(Font, UnopenedFaceRefusesToRender)
{
    plk::FontFace face;
    plk::GlyphBitmap glyph;
    EXPECT_FALSE(face.IsOpen());
    EXPECT_NE(face.RenderGlyph('A', glyph), 0);
    EXPECT_FALSE(face.Error().empty());
    EXPECT_NE(face.OpenFile("/nonexistent/face.ttf", 0, 12), 0);
    EXPECT_FALSE(face.IsOpen());
}
