// The fade's alpha curve, its midpoint report and its end.
#include "engine/XScreenTransition.h"

#include <gtest/gtest.h>

namespace
{

const float kHalf = 350.0f;

} // namespace

TEST(Transition, FirstHalfRisesLinearlyAndHoldsBlackUntilTheSwap)
{
    XScreenTransition transition(700.0f);
    ASSERT_TRUE(transition.Advance(0));
    EXPECT_FLOAT_EQ(0.0f, transition.GetAlpha());
    transition.Advance(175);
    EXPECT_FLOAT_EQ(127.5f, transition.GetAlpha());
    EXPECT_FALSE(transition.IsHalfway());
    transition.Advance(175);
    EXPECT_FLOAT_EQ(255.0f, transition.GetAlpha()); // fully black 350 ms after the start
    // Until the engine swaps, further frames stay black instead of fading out.
    transition.Advance(500);
    EXPECT_FLOAT_EQ(255.0f, transition.GetAlpha());
    EXPECT_TRUE(transition.IsActive());
}

TEST(Transition, HalfwayIsReportedExactlyOnce)
{
    XScreenTransition transition(700.0f);
    transition.Advance(349);
    EXPECT_FALSE(transition.IsHalfway());
    transition.Advance(1);
    EXPECT_TRUE(transition.IsHalfway());
    EXPECT_FALSE(transition.IsHalfway());
    transition.StartSecondHalf();
    transition.Advance(kHalf);
    EXPECT_FALSE(transition.IsHalfway());
}

TEST(Transition, SecondHalfStartsBlackFallsAndFinishes)
{
    XScreenTransition transition(700.0f);
    transition.Advance(400);
    ASSERT_TRUE(transition.IsHalfway());
    transition.StartSecondHalf();
    // The first frame after the swap ignores its delta: the new screen appears from full black.
    ASSERT_TRUE(transition.Advance(300));
    EXPECT_FLOAT_EQ(255.0f, transition.GetAlpha());
    ASSERT_TRUE(transition.Advance(175));
    EXPECT_FLOAT_EQ(127.5f, transition.GetAlpha());
    EXPECT_FALSE(transition.Advance(175));
    EXPECT_TRUE(transition.IsFinished());
    EXPECT_FALSE(transition.IsActive());
    // Finished: nothing more to draw, whatever the delta.
    EXPECT_FALSE(transition.Advance(10));
}

TEST(Transition, OneLongFrameEndsEachHalf)
{
    XScreenTransition transition(700.0f);
    ASSERT_TRUE(transition.Advance(1000));
    EXPECT_FLOAT_EQ(255.0f, transition.GetAlpha());
    EXPECT_TRUE(transition.IsHalfway());
    transition.StartSecondHalf();
    EXPECT_TRUE(transition.Advance(1000)); // the swap frame still covers the change
    EXPECT_FALSE(transition.Advance(1000));
    EXPECT_TRUE(transition.IsFinished());
}

TEST(Transition, DrawWithoutAnEngineFailsWithItsText)
{
    XScreenTransition transition(700.0f);
    EXPECT_FALSE(transition.Draw());
    EXPECT_STREQ("Error: in XScreenTransition::Draw, CreateVertexBuffer failed. hr=-1",
                 transition.GetErrorMsg().GetBuffer());
}
