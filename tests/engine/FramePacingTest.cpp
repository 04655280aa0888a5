// The frame cap's arithmetic: which rate it holds, how long it sleeps before spinning, and how it
// keeps to the display's rhythm when a wake-up comes late or the loop stalls.
#include "engine/XFramePacer.h"

#include <gtest/gtest.h>

namespace
{

const uint64_t k60HzUs = 16667;

TEST(FramePacingTest, TheRateIsTheDisplaysUnlessTheCallerAsksForLess)
{
    EXPECT_EQ(k60HzUs, XFramePacer::PeriodUs(1000.0f, 60)) << "the game's 1000 fps is held to the display";
    EXPECT_EQ(6944u, XFramePacer::PeriodUs(1000.0f, 144));
    EXPECT_EQ(25000u, XFramePacer::PeriodUs(40.0f, 60)) << "a lower rate keeps its meaning";
    EXPECT_EQ(k60HzUs, XFramePacer::PeriodUs(0.0f, 60)) << "no rate of the caller's own";
    EXPECT_EQ(k60HzUs, XFramePacer::PeriodUs(1000.0f, 0)) << "a display that does not say is taken as 60 Hz";
    EXPECT_EQ(k60HzUs, XFramePacer::PeriodUs(-5.0f, -1));
}

TEST(FramePacingTest, TheLoopSleepsToAMillisecondBeforeTheFrameIsDueThenSpins)
{
    XFramePacer pacer;
    pacer.Start(100000, k60HzUs);
    ASSERT_EQ(100000 + k60HzUs, pacer.DueUs());

    // A frame that took 4 ms sleeps until 1 ms before the due time.
    EXPECT_EQ(k60HzUs - 4000 - XFramePacer::kSpinUs, pacer.SleepUs(104000));
    EXPECT_TRUE(pacer.MustWait(104000));
    // Within the spin threshold there is no sleep, only the spin.
    EXPECT_EQ(0u, pacer.SleepUs(pacer.DueUs() - XFramePacer::kSpinUs));
    EXPECT_EQ(0u, pacer.SleepUs(pacer.DueUs() - 10));
    EXPECT_TRUE(pacer.MustWait(pacer.DueUs() - 10));
    // At or past the due time: neither.
    EXPECT_EQ(0u, pacer.SleepUs(pacer.DueUs()));
    EXPECT_FALSE(pacer.MustWait(pacer.DueUs()));
    EXPECT_EQ(0u, pacer.SleepUs(pacer.DueUs() + 5000));
}

TEST(FramePacingTest, ALateWakeUpIsMadeUpByTheNextFrameSoTheRateHolds)
{
    XFramePacer pacer;
    pacer.Start(0, k60HzUs);
    // Woken 700 us late: the next frame is still due one period after the last due time, not
    // after the late wake-up, so sixty frames still take one second.
    pacer.FrameBegun(k60HzUs + 700);
    EXPECT_EQ(2 * k60HzUs, pacer.DueUs());
    for (int frame = 2; frame < 60; ++frame)
        pacer.FrameBegun(pacer.DueUs());
    EXPECT_EQ(60 * k60HzUs, pacer.DueUs());
}

TEST(FramePacingTest, AStallLongerThanAFrameIsNotFollowedByABurst)
{
    XFramePacer pacer;
    pacer.Start(0, k60HzUs);
    // The loop stood still for half a second (a window drag, a loading screen).
    const uint64_t resumed = 500000;
    pacer.FrameBegun(resumed);
    EXPECT_EQ(resumed + k60HzUs, pacer.DueUs()) << "the schedule starts again from now";
    EXPECT_GT(pacer.SleepUs(resumed + 2000), 0u) << "the next frame waits its turn";
}

TEST(FramePacingTest, FrameTimeStatisticsGiveMeanAndSampleDeviation)
{
    XFrameTimeStats stats;
    EXPECT_EQ(0.0, stats.StdDevMs()) << "no spread without two frames";
    for (double ms : {16.0, 17.0, 16.0, 17.0, 16.0, 17.0})
        stats.Add(ms);
    EXPECT_EQ(6u, stats.Count());
    EXPECT_DOUBLE_EQ(16.5, stats.MeanMs());
    EXPECT_NEAR(0.5477, stats.StdDevMs(), 1e-4);
}

} // namespace
