// XDateTime: packed fields, calendar rules, day arithmetic through Julian Day Numbers, zone
// conversion and the pattern formatter.
#include "foundation/XDateTime.h"

#include <cstdio>
#include <cstring>

#include "foundation/XString.h"
#include "platform/time/SystemClock.h"

const char* const XDateTime::kDefaultFormat = "MM/DD/YYYY hh:mm:ss tt";

namespace
{

const uint32_t kMsShift = 0, kMsMask = 0x3FF;
const uint32_t kSecShift = 10, kSecMask = 0x3F;
const uint32_t kMinShift = 16, kMinMask = 0x3F;
const uint32_t kHourShift = 22, kHourMask = 0x1F;
const uint32_t kZoneShift = 27;
const uint32_t kDayShift = 0, kDayMask = 0x1F;
const uint32_t kMonthShift = 5, kMonthMask = 0xF;
const uint32_t kYearShift = 9;

const int kMillisPerSecond = 1000;
const int kSecondsPerMinute = 60;
const int kMinutesPerHour = 60;
const int kHoursPerDay = 24;
const int kSecondsPerDay = 86400;

// The calendar switch: 4 October 1582 (Julian) was followed by 15 October 1582 (Gregorian).
const int kSwitchYear = 1582;
const int kSwitchMonth = 10;
const int kLastJulianDay = 4;
const int kFirstGregorianDay = 15;
const int kDaysInSwitchMonth = 21;
// The Julian Day Number of 15 October 1582, from which the Gregorian correction applies.
const int64_t kGregorianStartJdn = 2299161;
// The same switch as a packed comparison key, day + 31 * (month + 12 * year).
const int64_t kGregorianStartKey = kFirstGregorianDay + 31 * (kSwitchMonth + 12 * kSwitchYear);
// Offset of the classic date-to-day-number formula (March-based year).
const int64_t kJdnOffset = 1720995;
constexpr double kDaysPerJulianYear = 365.25;
constexpr double kDaysPerMonthFactor = 30.6001;
// Leap years begin with year 8; the classic formula counts 29 February of year 4 all the same.
const int kFirstLeapYear = 8;
const int kPhantomLeapYear = 4;
// Julian Day Number of 1970-01-01.
const int64_t kUnixEpochJdn = 2440588;

const int kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
const char* const kLongMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
const char* const kShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kShortDays[7] = {"Sun", "Mon", "Tues", "Wed", "Thurs", "Fri", "Sat"};
const char* const kSeparators = " .,-/\\:|_~`^";

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool InGap(int year, int month, int day)
{
    return year == kSwitchYear && month == kSwitchMonth && day > kLastJulianDay && day < kFirstGregorianDay;
}

constexpr int64_t ClassicJdn(int year, int month, int day)
{
    int64_t jy = year;
    int64_t jm = month + 1;
    if (month <= 2) {
        jy -= 1;
        jm = month + 13;
    }
    int64_t jdn = static_cast<int64_t>(kDaysPerJulianYear * static_cast<double>(jy)) +
                  static_cast<int64_t>(kDaysPerMonthFactor * static_cast<double>(jm)) + day + kJdnOffset;
    if (day + 31 * (month + 12 * static_cast<int64_t>(year)) >= kGregorianStartKey) {
        int64_t ja = static_cast<int64_t>(0.01 * static_cast<double>(jy));
        jdn += 2 - ja + static_cast<int64_t>(0.25 * static_cast<double>(ja));
    }
    return jdn;
}

void ClassicDate(int64_t jdn, int& year, int& month, int& day)
{
    int64_t a = jdn;
    if (jdn >= kGregorianStartJdn) {
        int64_t alpha = static_cast<int64_t>((static_cast<double>(jdn) - 1867216.25) / 36524.25);
        a = jdn + 1 + alpha - static_cast<int64_t>(0.25 * static_cast<double>(alpha));
    }
    int64_t b = a + 1524;
    int64_t c = static_cast<int64_t>((static_cast<double>(b) - 122.1) / kDaysPerJulianYear);
    int64_t d = static_cast<int64_t>(kDaysPerJulianYear * static_cast<double>(c));
    int64_t e = static_cast<int64_t>(static_cast<double>(b - d) / kDaysPerMonthFactor);
    day = static_cast<int>(b - d - static_cast<int64_t>(kDaysPerMonthFactor * static_cast<double>(e)));
    month = static_cast<int>(e < 14 ? e - 1 : e - 13);
    year = static_cast<int>(month > 2 ? c - 4716 : c - 4715);
}

constexpr int64_t kPhantomLeapDayJdn = ClassicJdn(kPhantomLeapYear, 2, 28) + 1;

void AppendNumber(XString& out, const char* format, int value)
{
    char text[16];
    std::snprintf(text, sizeof(text), format, value);
    out += text;
}

} // namespace

XDateTime::XDateTime() : XDateTime(false) {}

XDateTime::XDateTime(bool utc) : m_uiTime(0), m_uiDate(0)
{
    SetDate(kMinYear, 1, 1);
    if (utc)
        m_uiTime |= 1u << kZoneShift;
}

bool XDateTime::SetNow()
{
    plk::SystemTime now = plk::GetSystemTimeUtc();
    uint32_t oldTime = m_uiTime, oldDate = m_uiDate;
    SetDate(now.year, now.month, now.day);
    SetTime(now.hour, now.minute, now.second, now.millisecond);
    if (!IsValidDate(now.year, now.month, now.day) || !ConvertIntoZone(true)) {
        m_uiTime = oldTime;
        m_uiDate = oldDate;
        return false;
    }
    return true;
}

bool XDateTime::Set(int year, int month, int day, int hour, int minute, int second, int millisecond, bool fromUtc)
{
    if (!IsValidDate(year, month, day) || hour < 0 || hour >= kHoursPerDay || minute < 0 ||
        minute >= kMinutesPerHour || second < 0 || second >= kSecondsPerMinute || millisecond < 0 ||
        millisecond >= kMillisPerSecond)
        return false;
    uint32_t oldTime = m_uiTime, oldDate = m_uiDate;
    SetDate(year, month, day);
    SetTime(hour, minute, second, millisecond);
    if (!ConvertIntoZone(fromUtc)) {
        m_uiTime = oldTime;
        m_uiDate = oldDate;
        return false;
    }
    return true;
}

bool XDateTime::SetYear(int year)
{
    if (year < kMinYear || year > kMaxYear)
        return false;
    m_uiDate = (m_uiDate & ((1u << kYearShift) - 1)) | (static_cast<uint32_t>(year) << kYearShift);
    ClampDay();
    return true;
}

bool XDateTime::SetMonth(int month)
{
    if (month < 1 || month > 12)
        return false;
    m_uiDate = (m_uiDate & ~(kMonthMask << kMonthShift)) | (static_cast<uint32_t>(month) << kMonthShift);
    ClampDay();
    return true;
}

bool XDateTime::SetDay(int day)
{
    if (!IsValidDate(GetYear(), GetMonth(), day))
        return false;
    m_uiDate = (m_uiDate & ~(kDayMask << kDayShift)) | (static_cast<uint32_t>(day) << kDayShift);
    return true;
}

bool XDateTime::SetHour(int hour)
{
    if (hour < 0 || hour >= kHoursPerDay)
        return false;
    SetTime(hour, GetMinute(), GetSecond(), GetMillisecond());
    return true;
}

bool XDateTime::SetMinute(int minute)
{
    if (minute < 0 || minute >= kMinutesPerHour)
        return false;
    SetTime(GetHour(), minute, GetSecond(), GetMillisecond());
    return true;
}

bool XDateTime::SetSecond(int second)
{
    if (second < 0 || second >= kSecondsPerMinute)
        return false;
    SetTime(GetHour(), GetMinute(), second, GetMillisecond());
    return true;
}

bool XDateTime::SetMillisecond(int millisecond)
{
    if (millisecond < 0 || millisecond >= kMillisPerSecond)
        return false;
    SetTime(GetHour(), GetMinute(), GetSecond(), millisecond);
    return true;
}

bool XDateTime::AddMinutes(int minutes)
{
    int64_t total = static_cast<int64_t>(GetMinute()) + minutes;
    int64_t hourCarry = FloorDiv(total, kMinutesPerHour);
    int newMinute = static_cast<int>(total - hourCarry * kMinutesPerHour);
    int64_t hours = GetHour() + hourCarry;
    int64_t dayCarry = FloorDiv(hours, kHoursPerDay);
    int newHour = static_cast<int>(hours - dayCarry * kHoursPerDay);

    int year = GetYear(), month = GetMonth(), day = GetDay();
    if (dayCarry != 0) {
        int64_t dayNumber = ToDayNumber(year, month, day) + dayCarry;
        if (dayNumber < ToDayNumber(kMinYear, 1, 1) || dayNumber > ToDayNumber(kMaxYear, 12, 31))
            return false;
        FromDayNumber(dayNumber, year, month, day);
        SetDate(year, month, day);
    }
    SetTime(newHour, newMinute, GetSecond(), GetMillisecond());
    return true;
}

int XDateTime::GetYear() const
{
    return static_cast<int>(m_uiDate >> kYearShift);
}

int XDateTime::GetMonth() const
{
    return static_cast<int>((m_uiDate >> kMonthShift) & kMonthMask);
}

int XDateTime::GetDay() const
{
    return static_cast<int>((m_uiDate >> kDayShift) & kDayMask);
}

int XDateTime::GetHour() const
{
    return static_cast<int>((m_uiTime >> kHourShift) & kHourMask);
}

int XDateTime::GetMinute() const
{
    return static_cast<int>((m_uiTime >> kMinShift) & kMinMask);
}

int XDateTime::GetSecond() const
{
    return static_cast<int>((m_uiTime >> kSecShift) & kSecMask);
}

int XDateTime::GetMillisecond() const
{
    return static_cast<int>((m_uiTime >> kMsShift) & kMsMask);
}

bool XDateTime::IsUtc() const
{
    return (m_uiTime >> kZoneShift) != 0;
}

bool XDateTime::IsAM() const
{
    return GetHour() < 12;
}

int XDateTime::GetDayOfWeek() const
{
    int year = GetYear(), month = GetMonth(), day = GetDay();
    int a = (14 - month) / 12;
    int y = year - a;
    int m = month + 12 * a - 2;
    bool julian = year < kSwitchYear || (year == kSwitchYear && (month < kSwitchMonth ||
                                                                 (month == kSwitchMonth && day <= kLastJulianDay)));
    if (julian)
        return (5 + day + y + y / 4 + 31 * m / 12) % 7;
    return (day + y + y / 4 - y / 100 + y / 400 + 31 * m / 12) % 7;
}

bool XDateTime::IsLeapYear(int year)
{
    if (year > kSwitchYear)
        return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (year >= kFirstLeapYear)
        return year % 4 == 0;
    return false;
}

int XDateTime::GetDaysInMonth(int year, int month)
{
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    if (year == kSwitchYear && month == kSwitchMonth)
        return kDaysInSwitchMonth;
    return kDaysPerMonth[month - 1];
}

bool XDateTime::Format(XString& out, const char* format) const
{
    out = "";
    const char* pattern = format ? format : kDefaultFormat;
    char letter = 0;
    int count = 0;
    for (const char* p = pattern; *p; ++p) {
        if (count > 0 && *p == letter) {
            ++count;
            continue;
        }
        if (count > 0 && !AppendRun(out, letter, count))
            return false;
        count = 0;
        if (std::strchr(kSeparators, *p)) {
            out += *p;
        } else if (*p == '[') {
            // A literal section without its closing bracket runs to the end of the pattern.
            while (p[1] && p[1] != ']')
                out += *++p;
            if (!p[1])
                break;
            ++p;
        } else {
            letter = *p;
            count = 1;
        }
    }
    return count == 0 || AppendRun(out, letter, count);
}

bool XDateTime::AppendRun(XString& out, char letter, int count) const
{
    int hour = GetHour();
    switch (letter) {
    case 'D':
        if (count == 1)
            AppendNumber(out, "%i", GetDay());
        else if (count == 2)
            AppendNumber(out, "%02i", GetDay());
        else if (count == 3)
            out += kShortDays[GetDayOfWeek()];
        else if (count == 4)
            out += kLongDays[GetDayOfWeek()];
        return true;
    case 'M':
        if (count == 1)
            AppendNumber(out, "%i", GetMonth());
        else if (count == 2)
            AppendNumber(out, "%02i", GetMonth());
        else if (count == 3)
            out += kShortMonths[GetMonth() - 1];
        else if (count == 4)
            out += kLongMonths[GetMonth() - 1];
        return true;
    case 'Y':
        if (count == 1)
            AppendNumber(out, "%i", GetYear());
        else if (count == 2)
            AppendNumber(out, "%02i", GetYear() % 100);
        else if (count == 4)
            AppendNumber(out, "%04i", GetYear());
        return true;
    case 'h': {
        int hour12 = hour % 12 == 0 ? 12 : hour % 12;
        if (count == 1)
            AppendNumber(out, "%i", hour12);
        else if (count == 2)
            AppendNumber(out, "%02i", hour12);
        return true;
    }
    case 'H':
        if (count == 1)
            AppendNumber(out, "%i", hour);
        else if (count == 2)
            AppendNumber(out, "%02i", hour);
        return true;
    case 'm':
        if (count == 1)
            AppendNumber(out, "%i", GetMinute());
        else if (count == 2)
            AppendNumber(out, "%02i", GetMinute());
        return true;
    case 's':
        if (count == 1)
            AppendNumber(out, "%i", GetSecond());
        else if (count == 2)
            AppendNumber(out, "%02i", GetSecond());
        return true;
    case 'i':
        if (count == 1)
            AppendNumber(out, "%i", GetMillisecond());
        else if (count == 2)
            AppendNumber(out, "%03i", GetMillisecond());
        return true;
    case 't':
        if (count == 1)
            out += IsAM() ? "A" : "P";
        else if (count == 2)
            out += IsAM() ? "AM" : "PM";
        else if (count == 3)
            out += IsAM() ? "A.M." : "P.M.";
        return true;
    default:
        return false;
    }
}

bool XDateTime::IsValidDate(int year, int month, int day)
{
    return year >= kMinYear && year <= kMaxYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= GetLastDayOfMonth(year, month) && !InGap(year, month, day);
}

int XDateTime::GetLastDayOfMonth(int year, int month)
{
    if (year == kSwitchYear && month == kSwitchMonth)
        return kDaysPerMonth[kSwitchMonth - 1];
    return GetDaysInMonth(year, month);
}

int64_t XDateTime::ToDayNumber(int year, int month, int day)
{
    int64_t jdn = ClassicJdn(year, month, day);
    return jdn < kPhantomLeapDayJdn ? jdn + 1 : jdn;
}

void XDateTime::FromDayNumber(int64_t dayNumber, int& year, int& month, int& day)
{
    ClassicDate(dayNumber <= kPhantomLeapDayJdn ? dayNumber - 1 : dayNumber, year, month, day);
}

void XDateTime::SetDate(int year, int month, int day)
{
    m_uiDate = (static_cast<uint32_t>(year) << kYearShift) | (static_cast<uint32_t>(month) << kMonthShift) |
               (static_cast<uint32_t>(day) << kDayShift);
}

void XDateTime::SetTime(int hour, int minute, int second, int millisecond)
{
    m_uiTime = (m_uiTime & (~0u << kZoneShift)) | (static_cast<uint32_t>(hour) << kHourShift) |
               (static_cast<uint32_t>(minute) << kMinShift) | (static_cast<uint32_t>(second) << kSecShift) |
               (static_cast<uint32_t>(millisecond) << kMsShift);
}

void XDateTime::ClampDay()
{
    int year = GetYear(), month = GetMonth(), day = GetDay();
    int last = GetLastDayOfMonth(year, month);
    if (day > last)
        day = last;
    if (InGap(year, month, day))
        day = kLastJulianDay;
    SetDate(year, month, day);
}

int64_t XDateTime::ToUnixSeconds() const
{
    int64_t days = ClassicJdn(GetYear(), GetMonth(), GetDay()) - kUnixEpochJdn;
    return days * kSecondsPerDay + (GetHour() * kMinutesPerHour + GetMinute()) * kSecondsPerMinute + GetSecond();
}

bool XDateTime::ConvertIntoZone(bool fromUtc)
{
    if (fromUtc == IsUtc())
        return true;
    if (fromUtc)
        return AddMinutes(-plk::GetTimeZoneBiasAt(ToUnixSeconds()).Total());
    // A local value: the bias is the one in force at the UTC moment it names, found from a first
    // guess made with the bias in force at the same wall-clock reading in UTC.
    int64_t wall = ToUnixSeconds();
    int guess = plk::GetTimeZoneBiasAt(wall).Total();
    return AddMinutes(plk::GetTimeZoneBiasAt(wall + static_cast<int64_t>(guess) * kSecondsPerMinute).Total());
}
