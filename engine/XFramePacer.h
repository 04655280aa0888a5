// The frame cap's arithmetic: when the next frame is due, how long the loop may sleep before it,
// and the frame-time spread the pacing achieves. Pure numbers in microseconds, so that tests can
// drive it with a clock of their own.
#pragma once

#include <cstdint>

class XFramePacer
{
public:
    // A sleep may wake this much late (one scheduler slice on a loaded machine), so the loop sleeps
    // to this far before the frame is due and spins the rest.
    static constexpr uint64_t kSpinUs = 1000;
    // Displays that do not say their refresh rate are taken to run at this one.
    static constexpr int kDefaultRefreshHz = 60;

    // The frame period of a target rate no faster than the display: callers asking for a lower rate
    // get it, a higher one (or none, <= 0) is held to the display's refresh rate. refreshHz <= 0 = unknown.
    static uint64_t PeriodUs(float targetFramesPerSecond, int refreshHz);

    // Starts the schedule: the frame just begun at nowUs is followed by one every periodUs.
    void Start(uint64_t nowUs, uint64_t periodUs);
    void SetPeriod(uint64_t periodUs) { m_uiPeriodUs = periodUs; }
    uint64_t PeriodUs() const { return m_uiPeriodUs; }
    // When the next frame is due.
    uint64_t DueUs() const { return m_uiDueUs; }
    // How long to sleep now before spinning up to DueUs: 0 once within kSpinUs of it or past it.
    uint64_t SleepUs(uint64_t nowUs) const;
    // Whether the loop must still spin at nowUs.
    bool MustWait(uint64_t nowUs) const { return nowUs < m_uiDueUs; }
    // The frame began at nowUs: the next is due one period after the one just due, so that
    // a late wake-up is made up by the next wait, except after a stall of more than a period
    // (a drag of the window, a loading screen), which would otherwise be followed by a burst.
    void FrameBegun(uint64_t nowUs);

private:
    uint64_t m_uiPeriodUs = 0;
    uint64_t m_uiDueUs = 0;
};

// Mean and standard deviation of frame times, for the log's pacing line and the benchmarks.
class XFrameTimeStats
{
public:
    void Add(double frameMs);
    unsigned Count() const { return m_uiCount; }
    double MeanMs() const;
    double StdDevMs() const;

private:
    unsigned m_uiCount = 0;
    double m_dMean = 0.0;
    double m_dSquares = 0.0; // Welford's running sum of squared differences
};
