// Dialog units to pixels, the way Windows lays a template out.
#include "platform/dialog/DialogTemplate.h"

#include <gtest/gtest.h>

TEST(DialogUnits, FourAcrossToACharacterAndEightDownRoundedHalfAway)
{
    // The usual 8-point dialog font at 96 pixels per inch: 6 x 13 pixels.
    const plk::DialogBaseUnits base{6, 13};
    EXPECT_EQ(554, plk::DialogUnitsToPixelsX(369, base)); // 553.5
    EXPECT_EQ(345, plk::DialogUnitsToPixelsY(212, base)); // 344.5
    EXPECT_EQ(75, plk::DialogUnitsToPixelsX(50, base));
    EXPECT_EQ(23, plk::DialogUnitsToPixelsY(14, base));   // 22.75
    EXPECT_EQ(11, plk::DialogUnitsToPixelsX(7, base));    // 10.5
    EXPECT_EQ(-11, plk::DialogUnitsToPixelsX(-7, base));
    EXPECT_EQ(0, plk::DialogUnitsToPixelsY(0, base));
}

TEST(DialogUnits, AverageWidthAndFontHeightAsWindowsDerivesThem)
{
    // Half the width of 26 letters, rounded up: 52 characters 306 pixels wide average 6.
    EXPECT_EQ(6, plk::AverageCharacterWidth(306));
    EXPECT_EQ(6, plk::AverageCharacterWidth(286));
    EXPECT_EQ(5, plk::AverageCharacterWidth(285));
    EXPECT_EQ(11, plk::PointsToPixels(8)); // 10.67
    EXPECT_EQ(12, plk::PointsToPixels(9));
    EXPECT_EQ(13, plk::PointsToPixels(10)); // 13.33
}
