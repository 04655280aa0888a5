// The system clock and time zone: the current time broken down in UTC or local time, and the zone's bias.
#pragma once

#include <cstdint>

namespace plk
{

// A moment on the proleptic Gregorian calendar, broken down as the system keeps it.
struct SystemTime
{
    int year = 1970;
    int month = 1;     // 1..12
    int dayOfWeek = 4; // 0 = Sunday .. 6 = Saturday
    int day = 1;       // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

enum class ZoneState
{
    kNoDaylight, // the zone keeps one offset all year: neither extra bias applies
    kStandard,
    kDaylight,
};

// Biases in minutes with the sign Windows uses: UTC = local time + total bias.
struct TimeZoneBias
{
    int bias = 0;          // of standard time
    int standardBias = 0;  // added while standard time is in force (always 0 here)
    int daylightBias = 0;  // added while daylight time is in force, usually -60
    ZoneState state = ZoneState::kNoDaylight;

    // The bias in force: the zone's bias plus the one of the current state.
    int Total() const;
};

// Milliseconds since 1970-01-01 00:00:00 UTC from the real-time clock.
int64_t NowUnixMilliseconds();

// The current time in UTC and in the zone of TZ (or the system's zone).
SystemTime GetSystemTimeUtc();
SystemTime GetSystemTimeLocal();

// Both break a moment given in milliseconds since the epoch; negative values and years up to
// 9999 and beyond work, so the calendar range of callers is never the limit.
SystemTime BreakDownUtc(int64_t unixMilliseconds);
SystemTime BreakDownLocal(int64_t unixMilliseconds);

// The zone's biases at the given moment (seconds since the epoch), read from the TZ database
// of the zone in TZ, or the system's zone. Daylight saving is found by its flag and offset,
// so a zone that shifted its standard offset still adds up: Total() is exactly the offset then.
TimeZoneBias GetTimeZoneBiasAt(int64_t unixSeconds);
// The same at the current moment.
TimeZoneBias GetTimeZoneBias();

} // namespace plk
