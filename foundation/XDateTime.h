// XDateTime: a packed date and time with millisecond resolution, a local/UTC flag, the 1582 calendar
// switch and a pattern formatter.
#pragma once

#include <cstdint>

class XString;

class XDateTime
{
public:
    static const int kMinYear = 1;
    static const int kMaxYear = 4999;
    // "MM/DD/YYYY hh:mm:ss tt": used when Format is given no pattern.
    static const char* const kDefaultFormat;

    // Local time, 0001-01-01 00:00:00.000.
    XDateTime();
    // The same date and time, in UTC when utc is true.
    explicit XDateTime(bool utc);

    // The current system time in the object's zone.
    bool SetNow();
    // Validates every field first: on false nothing has changed. fromUtc names the zone of the
    // given value; it is converted into the object's own zone with the bias in force at that moment.
    bool Set(int year, int month, int day, int hour, int minute, int second, int millisecond, bool fromUtc);

    // Each returns false and changes nothing for a value out of range.
    bool SetYear(int year);   // 1..4999; the day is then clamped into the month
    bool SetMonth(int month); // 1..12; the day is then clamped into the month
    bool SetDay(int day);     // a day the month has: 5..14 October 1582 never existed
    bool SetHour(int hour);
    bool SetMinute(int minute);
    bool SetSecond(int second);
    bool SetMillisecond(int millisecond);

    // Adds (or, when negative, subtracts) minutes with carry into hours and days. A result
    // outside the years 1..4999 is refused: false, and the value is unchanged.
    bool AddMinutes(int minutes);

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetMillisecond() const;
    bool IsUtc() const;
    bool IsAM() const;
    // 0 = Sunday .. 6 = Saturday.
    int GetDayOfWeek() const;

    // The packed words: bits 0-9 ms, 10-15 s, 16-21 min, 22-26 h, 27-31 zone (1 = UTC) ...
    uint32_t GetTimeWord() const { return m_uiTime; }
    // ... and bits 0-4 day, 5-8 month, 9-31 year.
    uint32_t GetDateWord() const { return m_uiDate; }

    // Gregorian from 1583, every fourth year from 8 to 1582, none before 8.
    static bool IsLeapYear(int year);
    // The number of days the month has: 0 outside the calendar, 21 for October 1582.
    static int GetDaysInMonth(int year, int month);

    // Writes the value formatted by the pattern (NULL: the default format) into out. A pattern
    // letter it does not know makes it return false with out holding what came before.
    bool Format(XString& out, const char* format) const;

private:
    static bool IsValidDate(int year, int month, int day);
    // The highest day number of the month; October 1582 runs to the 31st despite its gap.
    static int GetLastDayOfMonth(int year, int month);
    // Continuous day numbers: the classic Julian Day Number, shifted before 1 March of year 4
    // because the calendar has no 29 February in that year.
    static int64_t ToDayNumber(int year, int month, int day);
    static void FromDayNumber(int64_t dayNumber, int& year, int& month, int& day);

    void SetDate(int year, int month, int day);
    void SetTime(int hour, int minute, int second, int millisecond);
    void ClampDay();
    // Seconds since 1970-01-01 00:00 of the fields, read as UTC.
    int64_t ToUnixSeconds() const;
    // Converts the value, which is in UTC when fromUtc is true, else local time, into the object's zone.
    bool ConvertIntoZone(bool fromUtc);
    bool AppendRun(XString& out, char letter, int count) const;

    uint32_t m_uiTime;
    uint32_t m_uiDate;
};
