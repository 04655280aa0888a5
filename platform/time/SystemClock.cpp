// The system clock and time zone read through the C library's clock_gettime, gmtime_r and localtime_r.
#include "platform/time/SystemClock.h"

#include <ctime>

namespace plk
{

namespace
{

const int64_t kMillisPerSecond = 1000;
const int kSecondsPerMinute = 60;
// Mid-month noon in January and in July: one lies in each season of either hemisphere.
const int kProbeMonths[] = {0, 6};
const int kProbeDay = 15;
const int kProbeHour = 12;

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

SystemTime FromTm(const std::tm& tm, int millisecond)
{
    SystemTime st;
    st.year = tm.tm_year + 1900;
    st.month = tm.tm_mon + 1;
    st.dayOfWeek = tm.tm_wday;
    st.day = tm.tm_mday;
    st.hour = tm.tm_hour;
    st.minute = tm.tm_min;
    st.second = tm.tm_sec;
    st.millisecond = millisecond;
    return st;
}

SystemTime BreakDown(int64_t unixMilliseconds, bool local)
{
    int64_t seconds = FloorDiv(unixMilliseconds, kMillisPerSecond);
    int millisecond = static_cast<int>(unixMilliseconds - seconds * kMillisPerSecond);
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (local) {
        tzset();
        localtime_r(&t, &tm);
    } else {
        gmtime_r(&t, &tm);
    }
    return FromTm(tm, millisecond);
}

} // namespace

int TimeZoneBias::Total() const
{
    switch (state) {
    case ZoneState::kStandard:
        return bias + standardBias;
    case ZoneState::kDaylight:
        return bias + daylightBias;
    case ZoneState::kNoDaylight:
        break;
    }
    return bias;
}

int64_t NowUnixMilliseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<int64_t>(ts.tv_sec) * kMillisPerSecond + ts.tv_nsec / 1000000;
}

SystemTime GetSystemTimeUtc()
{
    return BreakDownUtc(NowUnixMilliseconds());
}

SystemTime GetSystemTimeLocal()
{
    return BreakDownLocal(NowUnixMilliseconds());
}

SystemTime BreakDownUtc(int64_t unixMilliseconds)
{
    return BreakDown(unixMilliseconds, false);
}

SystemTime BreakDownLocal(int64_t unixMilliseconds)
{
    return BreakDown(unixMilliseconds, true);
}

TimeZoneBias GetTimeZoneBiasAt(int64_t unixSeconds)
{
    tzset();
    std::time_t t = static_cast<std::time_t>(unixSeconds);
    std::tm now{};
    localtime_r(&t, &now);

    // The offsets (seconds east of UTC) of standard and daylight time in the year of the moment.
    bool haveStandard = false;
    bool haveDaylight = false;
    long standardOffset = 0;
    long daylightOffset = 0;
    for (int month : kProbeMonths) {
        std::tm probe{};
        probe.tm_year = now.tm_year;
        probe.tm_mon = month;
        probe.tm_mday = kProbeDay;
        probe.tm_hour = kProbeHour;
        std::time_t pt = timegm(&probe);
        std::tm local{};
        localtime_r(&pt, &local);
        if (local.tm_isdst > 0) {
            haveDaylight = true;
            daylightOffset = local.tm_gmtoff;
        } else {
            haveStandard = true;
            standardOffset = local.tm_gmtoff;
        }
    }

    TimeZoneBias zone;
    if (now.tm_isdst > 0) {
        // A year spent wholly in daylight time: the zone's declared standard offset.
        if (!haveStandard)
            standardOffset = -timezone;
        zone.state = ZoneState::kDaylight;
        zone.bias = static_cast<int>(-standardOffset / kSecondsPerMinute);
        zone.daylightBias = static_cast<int>(-(now.tm_gmtoff - standardOffset) / kSecondsPerMinute);
    } else {
        zone.bias = static_cast<int>(-now.tm_gmtoff / kSecondsPerMinute);
        if (haveDaylight) {
            zone.state = ZoneState::kStandard;
            zone.daylightBias = static_cast<int>(-(daylightOffset - now.tm_gmtoff) / kSecondsPerMinute);
        }
    }
    return zone;
}

TimeZoneBias GetTimeZoneBias()
{
    return GetTimeZoneBiasAt(FloorDiv(NowUnixMilliseconds(), kMillisPerSecond));
}

} // namespace plk
