// The 2D design in windows of other shapes: one scale for both axes, placed centred or against the
// left edge, and the cursor mapped back so that a click lands on the button that was drawn there.
#include "engine/XDXInput.h"
#include "engine/XLayout2D.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

struct Shape
{
    const char* name;
    unsigned width, height;
};

const Shape kShapes[] = {
    {"4:3", 1024, 768}, {"4:3 small", 800, 600}, {"16:9", 1920, 1080}, {"16:10", 1680, 1050}, {"5:4", 1280, 1024},
};

// A round button of the design: centre and radius in design units.
const float kButtonX = 511.0f, kButtonY = 330.0f, kButtonRadius = 48.0f;

// Where the device draws a design point: design units times the layout scale, then the placement.
void DrawnAt(const XPlacement2D& placement, float layoutScale, float designX, float designY, float& x, float& y)
{
    x = placement.ToBackX(designX * layoutScale);
    y = placement.ToBackY(designY * layoutScale);
}

bool ClickHits(const XPlacement2D& placement, float layoutScale, float x, float y)
{
    XDXInput input;
    input.HandleEvent(plk::Event{plk::EventType::kMouseMove, 0, 0, static_cast<int>(std::lround(x)),
                                 static_cast<int>(std::lround(y)), 0, 0, 0});
    input.Read();
    input.SetPlacement2D(placement);
    return input.MouseInRect(kButtonX - kButtonRadius, kButtonY - kButtonRadius, kButtonX + kButtonRadius,
                             kButtonY + kButtonRadius, layoutScale, layoutScale);
}

TEST(Layout2DTest, RoundButtonsStayRoundAndTheDesignFitsEveryShape)
{
    for (const Shape& shape : kShapes)
    {
        for (float layoutScale : {DesignFitScale(shape.width, shape.height), 0.78125f, 1.0f})
        {
            const XPlacement2D placement = PlaceDesign(shape.width, shape.height, layoutScale, XAnchor2D::kCentre);
            float left, top, right, bottom;
            DrawnAt(placement, layoutScale, kButtonX - kButtonRadius, kButtonY - kButtonRadius, left, top);
            DrawnAt(placement, layoutScale, kButtonX + kButtonRadius, kButtonY + kButtonRadius, right, bottom);
            EXPECT_NEAR(right - left, bottom - top, 0.01f) << shape.name << ": the button is drawn stretched";
            float designRight, designBottom, designLeft, designTop;
            DrawnAt(placement, layoutScale, 0.0f, 0.0f, designLeft, designTop);
            DrawnAt(placement, layoutScale, 1024.0f, 768.0f, designRight, designBottom);
            EXPECT_GE(designLeft, 0.0f) << shape.name;
            EXPECT_GE(designTop, 0.0f) << shape.name;
            EXPECT_LE(designRight, static_cast<float>(shape.width) + 0.5f) << shape.name;
            EXPECT_LE(designBottom, static_cast<float>(shape.height) + 0.5f) << shape.name;
            EXPECT_TRUE(std::fabs(designRight - static_cast<float>(shape.width)) < 1.0f ||
                        std::fabs(designBottom - static_cast<float>(shape.height)) < 1.0f)
                << shape.name << ": the design fills the window one way";
        }
    }
}

TEST(Layout2DTest, WideWindowsCentreTheScreensAndKeepTheBarsAtTheLeftEdge)
{
    const XPlacement2D centred = PlaceDesign(1920, 1080, 1.0f, XAnchor2D::kCentre);
    EXPECT_FLOAT_EQ(1.40625f, centred.scale);
    EXPECT_FLOAT_EQ(240.0f, centred.offsetX) << "(1920 - 1024 x 1.40625) / 2";
    EXPECT_FLOAT_EQ(0.0f, centred.offsetY);
    const XPlacement2D bar = PlaceDesign(1920, 1080, 1.0f, XAnchor2D::kLeft);
    EXPECT_FLOAT_EQ(0.0f, bar.offsetX);
    const XPlacement2D tall = PlaceDesign(1280, 1024, 1.25f, XAnchor2D::kLeft);
    EXPECT_FLOAT_EQ(1.0f, tall.scale) << "laid out for this very size: drawn as laid out";
    EXPECT_FLOAT_EQ(32.0f, tall.offsetY) << "a taller window centres the design up and down";
    const XPlacement2D exact = PlaceDesign(800, 600, 0.78125f, XAnchor2D::kCentre);
    EXPECT_FLOAT_EQ(1.0f, exact.scale);
    EXPECT_FLOAT_EQ(0.0f, exact.offsetX);
}

TEST(Layout2DTest, ClickRectanglesLandOnTheButtonsDrawnAtEveryShape)
{
    for (const Shape& shape : kShapes)
    {
        for (XAnchor2D anchor : {XAnchor2D::kCentre, XAnchor2D::kLeft})
        {
            // Laid out for 800 x 600, then the window took this shape: the resize case.
            const float layoutScale = 0.78125f;
            const XPlacement2D placement = PlaceDesign(shape.width, shape.height, layoutScale, anchor);
            float x, y;
            DrawnAt(placement, layoutScale, kButtonX, kButtonY, x, y);
            EXPECT_TRUE(ClickHits(placement, layoutScale, x, y)) << shape.name << ": the centre of the button";
            DrawnAt(placement, layoutScale, kButtonX + kButtonRadius - 2.0f, kButtonY, x, y);
            EXPECT_TRUE(ClickHits(placement, layoutScale, x, y)) << shape.name << ": just inside its right edge";
            DrawnAt(placement, layoutScale, kButtonX + kButtonRadius + 4.0f, kButtonY, x, y);
            EXPECT_FALSE(ClickHits(placement, layoutScale, x, y)) << shape.name << ": just right of it";
            DrawnAt(placement, layoutScale, kButtonX, kButtonY - kButtonRadius - 4.0f, x, y);
            EXPECT_FALSE(ClickHits(placement, layoutScale, x, y)) << shape.name << ": just above it";
        }
    }
}

} // namespace
