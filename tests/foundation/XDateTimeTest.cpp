// Tests of XDateTime: the formatter, the calendar and its 1582 switch, minute arithmetic and zones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "foundation/XDateTime.h"
#include "foundation/XString.h"
#include "tests/platform/TimeZoneTest.h"

namespace
{

XDateTime Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0,
               bool utc = false)
{
    XDateTime value(utc);
    EXPECT_TRUE(value.Set(year, month, day, hour, minute, second, ms, utc));
    return value;
}

std::string Formatted(const XDateTime& value, const char* format)
{
    XString out;
    EXPECT_TRUE(value.Format(out, format)) << "pattern " << (format ? format : "(default)");
    return out.GetBuffer();
}

std::string DateText(const XDateTime& value)
{
    return Formatted(value, "YYYY-MM-DD HH:mm:ss.ii");
}

// The calendar told the plain way: every day follows the one before, except that
// 4 October 1582 is followed by 15 October.
void NextDay(int& year, int& month, int& day)
{
    int last = (year == 1582 && month == 10) ? 31 : XDateTime::GetDaysInMonth(year, month);
    if (year == 1582 && month == 10 && day == 4) {
        day = 15;
    } else if (day < last) {
        ++day;
    } else {
        day = 1;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

class ZonedDateTime : public TimeZoneTest
{
};

} // namespace

TEST(XDateTimeFormat, ExamplesOfTheDefaultAndCompactPatterns)
{
    XDateTime value = Make(2006, 12, 6, 13, 5, 9, 42);
    EXPECT_EQ("12/06/2006 01:05:09 PM", Formatted(value, "MM/DD/YYYY hh:mm:ss tt"));
    EXPECT_EQ("12/06/2006 01:05:09 PM", Formatted(value, nullptr));
    EXPECT_EQ("20061206130509042", Formatted(value, "YYYYMMDDHHmmssii"));
}

TEST(XDateTimeFormat, EveryRunLength)
{
    XDateTime value = Make(2006, 12, 6, 13, 5, 9, 42);
    EXPECT_EQ("6 06 Wed Wednesday", Formatted(value, "D DD DDD DDDD"));
    EXPECT_EQ("12 12 Dec December", Formatted(value, "M MM MMM MMMM"));
    EXPECT_EQ("2006 06 2006", Formatted(value, "Y YY YYYY"));
    EXPECT_EQ("1 01 13 13", Formatted(value, "h hh H HH"));
    EXPECT_EQ("5 05 9 09 42 042", Formatted(value, "m mm s ss i ii"));
    EXPECT_EQ("P PM P.M.", Formatted(value, "t tt ttt"));
    // Lengths the table does not list print nothing but still end their run.
    EXPECT_EQ("<><>", Formatted(value, "[<]YYY[>]DDDDD[<]hhh[>]"));

    // The house short names of Tuesday and Thursday.
    EXPECT_EQ("Tues Thurs", Formatted(Make(2006, 12, 5), "DDD") + " " + Formatted(Make(2006, 12, 7), "DDD"));

    XDateTime morning = Make(7, 1, 3, 9, 0, 0, 7);
    EXPECT_EQ("0007 07 7 A AM A.M. 7 007", Formatted(morning, "YYYY YY Y t tt ttt i ii"));
}

TEST(XDateTimeFormat, MidnightAndNoonOnTheTwelveHourClock)
{
    EXPECT_EQ("12 00 AM", Formatted(Make(2006, 12, 6, 0, 0), "hh HH tt"));
    EXPECT_EQ("12 12 PM", Formatted(Make(2006, 12, 6, 12, 0), "hh HH tt"));
    EXPECT_EQ("11 23 PM", Formatted(Make(2006, 12, 6, 23, 0), "hh HH tt"));
}

TEST(XDateTimeFormat, SeparatorsAndLiteralSections)
{
    XDateTime tuesday = Make(2006, 12, 5);
    EXPECT_EQ("Tuesday, Day 5", Formatted(tuesday, "DDDD, [Day] D"));
    EXPECT_EQ(" .,-/\\:|_~`^", Formatted(tuesday, " .,-/\\:|_~`^"));
    // Separators end a run: "D.D" is two single-letter runs.
    EXPECT_EQ("5.5", Formatted(tuesday, "D.D"));
    EXPECT_EQ("YMDx!5", Formatted(tuesday, "[YMDx!]D"));
    EXPECT_EQ("5[", Formatted(tuesday, "D[[]"));
    // An unclosed literal runs to the end of the pattern.
    EXPECT_EQ("5 at noon", Formatted(tuesday, "D[ at noon"));
}

TEST(XDateTimeFormat, UnknownLetterFailsKeepingWhatCameBefore)
{
    XDateTime value = Make(2006, 12, 6);
    XString out("old text");
    EXPECT_FALSE(value.Format(out, "YYYY-x-MM"));
    EXPECT_STREQ("2006-", out.GetBuffer());
    EXPECT_FALSE(value.Format(out, "x"));
    EXPECT_STREQ("", out.GetBuffer());
    EXPECT_FALSE(value.Format(out, "DD]"));
}

TEST(XDateTimeCalendar, LeapYearsAcrossBothCalendars)
{
    EXPECT_TRUE(XDateTime::IsLeapYear(1500));
    EXPECT_FALSE(XDateTime::IsLeapYear(1700));
    EXPECT_TRUE(XDateTime::IsLeapYear(2000));
    EXPECT_FALSE(XDateTime::IsLeapYear(1900));
    EXPECT_TRUE(XDateTime::IsLeapYear(1600));
    EXPECT_FALSE(XDateTime::IsLeapYear(4));
    EXPECT_TRUE(XDateTime::IsLeapYear(8));
    EXPECT_FALSE(XDateTime::IsLeapYear(2001));

    EXPECT_EQ(29, XDateTime::GetDaysInMonth(1500, 2));
    EXPECT_EQ(28, XDateTime::GetDaysInMonth(1700, 2));
    EXPECT_EQ(21, XDateTime::GetDaysInMonth(1582, 10));
    EXPECT_EQ(31, XDateTime::GetDaysInMonth(1583, 10));
    EXPECT_EQ(0, XDateTime::GetDaysInMonth(0, 1));
    EXPECT_EQ(0, XDateTime::GetDaysInMonth(5000, 1));
    EXPECT_EQ(0, XDateTime::GetDaysInMonth(2001, 13));
    EXPECT_EQ(0, XDateTime::GetDaysInMonth(2001, 0));
}

TEST(XDateTimeCalendar, OctoberOf1582)
{
    XDateTime value = Make(1582, 10, 1);
    EXPECT_FALSE(value.SetDay(5));
    EXPECT_FALSE(value.SetDay(10));
    EXPECT_FALSE(value.SetDay(14));
    EXPECT_EQ(1, value.GetDay());
    EXPECT_TRUE(value.SetDay(4));
    EXPECT_EQ(4, value.GetDayOfWeek()); // Thursday
    EXPECT_TRUE(value.SetDay(15));
    EXPECT_EQ(5, value.GetDayOfWeek()); // Friday, the next day
    // The month still ends on the 31st.
    EXPECT_TRUE(value.SetDay(31));
    EXPECT_FALSE(value.SetDay(32));

    // A day of the gap clamps to the 4th, a late day stays.
    XDateTime gap = Make(1583, 10, 10);
    EXPECT_TRUE(gap.SetYear(1582));
    EXPECT_EQ("1582-10-04 00:00:00.000", DateText(gap));
    XDateTime late = Make(1582, 9, 30);
    EXPECT_TRUE(late.SetMonth(10));
    EXPECT_EQ(30, late.GetDay());
    EXPECT_FALSE(XDateTime().Set(1582, 10, 9, 0, 0, 0, 0, false));
}

TEST(XDateTimeCalendar, ChangingYearOrMonthClampsTheDay)
{
    XDateTime value = Make(2001, 1, 31);
    EXPECT_TRUE(value.SetMonth(2));
    EXPECT_EQ("2001-02-28 00:00:00.000", DateText(value));
    XDateTime leap = Make(2000, 1, 31);
    EXPECT_TRUE(leap.SetMonth(2));
    EXPECT_EQ(29, leap.GetDay());
    EXPECT_TRUE(leap.SetYear(2001));
    EXPECT_EQ("2001-02-28 00:00:00.000", DateText(leap));
}

TEST(XDateTimeCalendar, SettersRefuseOutOfRangeAndChangeNothing)
{
    XDateTime value = Make(2006, 12, 6, 13, 5, 9, 42);
    EXPECT_FALSE(value.SetYear(0));
    EXPECT_FALSE(value.SetYear(5000));
    EXPECT_FALSE(value.SetMonth(0));
    EXPECT_FALSE(value.SetMonth(13));
    EXPECT_FALSE(value.SetDay(0));
    EXPECT_FALSE(value.SetDay(32));
    EXPECT_FALSE(value.SetHour(24));
    EXPECT_FALSE(value.SetHour(-1));
    EXPECT_FALSE(value.SetMinute(60));
    EXPECT_FALSE(value.SetSecond(60));
    EXPECT_FALSE(value.SetMillisecond(1000));
    EXPECT_FALSE(value.Set(2001, 2, 29, 0, 0, 0, 0, false));
    EXPECT_FALSE(value.Set(2001, 2, 28, 0, 0, 0, -1, false));
    EXPECT_EQ("2006-12-06 13:05:09.042", DateText(value));
    EXPECT_FALSE(value.IsUtc());
}

TEST(XDateTimeCalendar, PackedWordsHoldTheFieldsWhereTheLayoutSays)
{
    XDateTime value = Make(2006, 12, 6, 13, 5, 9, 42, true);
    EXPECT_EQ(42u | 9u << 10 | 5u << 16 | 13u << 22 | 1u << 27, value.GetTimeWord());
    EXPECT_EQ(6u | 12u << 5 | 2006u << 9, value.GetDateWord());
    XDateTime first;
    EXPECT_EQ(0u, first.GetTimeWord());
    EXPECT_EQ(1u | 1u << 5 | 1u << 9, first.GetDateWord());
    EXPECT_TRUE(XDateTime(true).IsUtc());
}

TEST(XDateTimeAddMinutes, CarriesAcrossDaysMonthsAndYears)
{
    XDateTime value = Make(2001, 3, 1);
    EXPECT_TRUE(value.AddMinutes(-1));
    EXPECT_EQ("2001-02-28 23:59:00.000", DateText(value));

    value = Make(1999, 12, 31, 23, 59, 30, 500);
    EXPECT_TRUE(value.AddMinutes(1));
    EXPECT_EQ("2000-01-01 00:00:30.500", DateText(value));

    value = Make(2000, 2, 28, 12, 0);
    EXPECT_TRUE(value.AddMinutes(24 * 60));
    EXPECT_EQ("2000-02-29 12:00:00.000", DateText(value));
    EXPECT_TRUE(value.AddMinutes(-(24 * 60 * 366 + 61)));
    EXPECT_EQ("1999-02-28 10:59:00.000", DateText(value));

    // Minutes that stay within the hour or the day leave the date alone.
    value = Make(2006, 12, 6, 13, 5);
    EXPECT_TRUE(value.AddMinutes(-65));
    EXPECT_EQ("2006-12-06 12:00:00.000", DateText(value));
    EXPECT_TRUE(value.AddMinutes(0));
    EXPECT_EQ("2006-12-06 12:00:00.000", DateText(value));
}

TEST(XDateTimeAddMinutes, CrossesTheCalendarSwitchBothWays)
{
    XDateTime value = Make(1582, 10, 4, 23, 30);
    EXPECT_TRUE(value.AddMinutes(30));
    EXPECT_EQ("1582-10-15 00:00:00.000", DateText(value));
    EXPECT_TRUE(value.AddMinutes(-1));
    EXPECT_EQ("1582-10-04 23:59:00.000", DateText(value));
    // Ten real days before 20 October 1582 is 30 September.
    value = Make(1582, 10, 20);
    EXPECT_TRUE(value.AddMinutes(-10 * 24 * 60));
    EXPECT_EQ("1582-09-30 00:00:00.000", DateText(value));
}

TEST(XDateTimeAddMinutes, RefusesToLeaveTheCalendar)
{
    XDateTime last = Make(4999, 12, 31, 23, 59);
    EXPECT_FALSE(last.AddMinutes(1));
    EXPECT_EQ("4999-12-31 23:59:00.000", DateText(last));
    XDateTime first;
    EXPECT_FALSE(first.AddMinutes(-1));
    EXPECT_EQ("0001-01-01 00:00:00.000", DateText(first));
    EXPECT_TRUE(first.AddMinutes(24 * 60 - 1));
    EXPECT_EQ("0001-01-01 23:59:00.000", DateText(first));
}

TEST(XDateTimeAddMinutes, WalksEveryDayOfTheCalendarAndBack)
{
    // Forward, day by day, against the plain calendar and a weekday that never skips.
    XDateTime value;
    int year = 1, month = 1, day = 1;
    int weekday = value.GetDayOfWeek();
    EXPECT_EQ(6, weekday); // 1 January of year 1 was a Saturday
    int steps = 0;
    while (!(year == 4999 && month == 12 && day == 31)) {
        ASSERT_TRUE(value.AddMinutes(24 * 60));
        NextDay(year, month, day);
        weekday = (weekday + 1) % 7;
        // The weekday rule counts the 29 February of year 4 that the calendar leaves out.
        if (year == 4 && month == 3 && day == 1)
            weekday = (weekday + 1) % 7;
        ASSERT_EQ(year, value.GetYear()) << DateText(value);
        ASSERT_EQ(month, value.GetMonth()) << DateText(value);
        ASSERT_EQ(day, value.GetDay()) << DateText(value);
        ASSERT_EQ(weekday, value.GetDayOfWeek()) << DateText(value);
        ++steps;
    }
    // Back to the start in two big subtractions (all of it would overflow an int of minutes).
    ASSERT_TRUE(value.AddMinutes(-(steps / 2) * 24 * 60));
    ASSERT_TRUE(value.AddMinutes(-(steps - steps / 2) * 24 * 60));
    EXPECT_EQ("0001-01-01 00:00:00.000", DateText(value));
    EXPECT_EQ(6, Make(2000, 1, 1).GetDayOfWeek());
    EXPECT_EQ(4, Make(1970, 1, 1).GetDayOfWeek());
}

TEST_F(ZonedDateTime, SetConvertsBetweenZonesWithTheBiasOfThatMoment)
{
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
    XDateTime local;
    ASSERT_TRUE(local.Set(2006, 12, 6, 12, 0, 0, 0, true));
    EXPECT_EQ("2006-12-06 13:00:00.000", DateText(local));
    ASSERT_TRUE(local.Set(2006, 7, 1, 12, 0, 0, 0, true));
    EXPECT_EQ("2006-07-01 14:00:00.000", DateText(local));
    ASSERT_TRUE(local.Set(2006, 12, 31, 23, 30, 0, 0, true));
    EXPECT_EQ("2007-01-01 00:30:00.000", DateText(local));
    ASSERT_TRUE(local.Set(2006, 7, 1, 9, 0, 0, 0, false));
    EXPECT_EQ("2006-07-01 09:00:00.000", DateText(local));

    XDateTime utc(true);
    ASSERT_TRUE(utc.Set(2006, 7, 1, 14, 0, 0, 0, false));
    EXPECT_EQ("2006-07-01 12:00:00.000", DateText(utc));
    ASSERT_TRUE(utc.Set(2007, 1, 1, 0, 30, 0, 0, false));
    EXPECT_EQ("2006-12-31 23:30:00.000", DateText(utc));
    EXPECT_TRUE(utc.IsUtc());
    // The first local hour of summer time is already two hours ahead.
    ASSERT_TRUE(utc.Set(2006, 3, 26, 3, 30, 0, 0, false));
    EXPECT_EQ("2006-03-26 01:30:00.000", DateText(utc));

    UseZone("EST5EDT,M3.2.0,M11.1.0");
    ASSERT_TRUE(local.Set(2006, 12, 6, 3, 0, 0, 250, true));
    EXPECT_EQ("2006-12-05 22:00:00.250", DateText(local));
    // Leaving the calendar through the conversion fails and keeps the old value.
    EXPECT_FALSE(local.Set(1, 1, 1, 1, 0, 0, 0, true));
    EXPECT_EQ("2006-12-05 22:00:00.250", DateText(local));
}

TEST_F(ZonedDateTime, NowDiffersBetweenZonesByTheBias)
{
    UseZone("IST-5:30");
    int difference = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        XDateTime utc(true), local;
        ASSERT_TRUE(utc.SetNow());
        ASSERT_TRUE(local.SetNow());
        EXPECT_TRUE(utc.IsUtc());
        EXPECT_FALSE(local.IsUtc());
        ASSERT_TRUE(utc.AddMinutes(330));
        difference = (local.GetHour() * 60 + local.GetMinute() - utc.GetHour() * 60 - utc.GetMinute() + 1440) % 1440;
        if (difference == 0 && local.GetDay() == utc.GetDay())
            return;
    }
    ADD_FAILURE() << "local time was " << difference << " minutes off UTC + 5:30";
}
