// Tests of the system clock's breakdown and the time-zone bias under fixed TZ rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/time/SystemClock.h"
#include "tests/platform/TimeZoneTest.h"

namespace
{

// Every test here runs under a fixed zone.
class ZoneTest : public TimeZoneTest
{
};

const char* const kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
const char* const kSydney = "AEST-10AEDT,M10.1.0,M4.1.0/3";
// 2006-01-15 12:00 UTC and 2006-07-15 12:00 UTC.
const int64_t kJanuary2006 = 1137326400;
const int64_t kJuly2006 = 1152964800;

void ExpectTime(const plk::SystemTime& t, int year, int month, int day, int hour, int minute, int second,
                int millisecond, int dayOfWeek)
{
    EXPECT_EQ(year, t.year);
    EXPECT_EQ(month, t.month);
    EXPECT_EQ(day, t.day);
    EXPECT_EQ(hour, t.hour);
    EXPECT_EQ(minute, t.minute);
    EXPECT_EQ(second, t.second);
    EXPECT_EQ(millisecond, t.millisecond);
    EXPECT_EQ(dayOfWeek, t.dayOfWeek);
}

} // namespace

TEST(SystemClock, BreaksDownMomentsAroundTheEpochAndFarAway)
{
    ExpectTime(plk::BreakDownUtc(0), 1970, 1, 1, 0, 0, 0, 0, 4);
    // Milliseconds before the epoch must borrow from the second, not go negative.
    ExpectTime(plk::BreakDownUtc(-1), 1969, 12, 31, 23, 59, 59, 999, 3);
    ExpectTime(plk::BreakDownUtc(1165410309042), 2006, 12, 6, 13, 5, 9, 42, 3);
    ExpectTime(plk::BreakDownUtc(951782400000), 2000, 2, 29, 0, 0, 0, 0, 2);
    ExpectTime(plk::BreakDownUtc(95617497600000), 4999, 12, 31, 0, 0, 0, 0, 2);
}

TEST_F(ZoneTest, LocalNowIsUtcNowShiftedByTheZone)
{
    UseZone("IST-5:30");
    // Retried while a minute boundary falls between the two readings.
    int difference = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        plk::SystemTime utc = plk::GetSystemTimeUtc();
        plk::SystemTime local = plk::GetSystemTimeLocal();
        EXPECT_GE(utc.year, 2024);
        difference = (local.hour * 60 + local.minute - utc.hour * 60 - utc.minute + 1440) % 1440;
        if (difference == 330)
            return;
    }
    ADD_FAILURE() << "local time minus UTC was " << difference << " minutes, expected 330";
}

TEST_F(ZoneTest, ZoneWithoutDaylightTimeHasOneBias)
{
    UseZone("UTC0");
    plk::TimeZoneBias utc = plk::GetTimeZoneBiasAt(kJuly2006);
    EXPECT_EQ(plk::ZoneState::kNoDaylight, utc.state);
    EXPECT_EQ(0, utc.Total());

    UseZone("IST-5:30");
    plk::TimeZoneBias india = plk::GetTimeZoneBiasAt(kJanuary2006);
    EXPECT_EQ(plk::ZoneState::kNoDaylight, india.state);
    EXPECT_EQ(-330, india.bias);
    EXPECT_EQ(0, india.daylightBias);
    EXPECT_EQ(-330, india.Total());
}

TEST_F(ZoneTest, NorthernZoneSwitchesToDaylightInSummer)
{
    UseZone(kCentralEurope);
    plk::TimeZoneBias winter = plk::GetTimeZoneBiasAt(kJanuary2006);
    EXPECT_EQ(plk::ZoneState::kStandard, winter.state);
    EXPECT_EQ(-60, winter.bias);
    EXPECT_EQ(-60, winter.daylightBias);
    EXPECT_EQ(-60, winter.Total());

    plk::TimeZoneBias summer = plk::GetTimeZoneBiasAt(kJuly2006);
    EXPECT_EQ(plk::ZoneState::kDaylight, summer.state);
    EXPECT_EQ(-60, summer.bias);
    EXPECT_EQ(-60, summer.daylightBias);
    EXPECT_EQ(-120, summer.Total());

    // 26 March 2006, 01:00 UTC is the first second of summer time.
    EXPECT_EQ(-60, plk::GetTimeZoneBiasAt(1143334799).Total());
    EXPECT_EQ(-120, plk::GetTimeZoneBiasAt(1143334800).Total());
}

TEST_F(ZoneTest, SouthernZoneKeepsDaylightInJanuary)
{
    UseZone(kSydney);
    plk::TimeZoneBias january = plk::GetTimeZoneBiasAt(kJanuary2006);
    EXPECT_EQ(plk::ZoneState::kDaylight, january.state);
    EXPECT_EQ(-600, january.bias);
    EXPECT_EQ(-60, january.daylightBias);
    EXPECT_EQ(-660, january.Total());

    plk::TimeZoneBias july = plk::GetTimeZoneBiasAt(kJuly2006);
    EXPECT_EQ(plk::ZoneState::kStandard, july.state);
    EXPECT_EQ(-600, july.Total());
}

TEST_F(ZoneTest, WesternZoneHasPositiveBiasAndLocalBreakdownAppliesIt)
{
    UseZone("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(300, plk::GetTimeZoneBiasAt(kJanuary2006).Total());
    EXPECT_EQ(240, plk::GetTimeZoneBiasAt(kJuly2006).Total());
    // 2006-12-06 03:00:00.250 UTC is the evening before in New York.
    ExpectTime(plk::BreakDownLocal(1165374000250), 2006, 12, 5, 22, 0, 0, 250, 2);
}
