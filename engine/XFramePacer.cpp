// The frame cap's arithmetic and the frame-time statistics.
#include "engine/XFramePacer.h"

#include <cmath>

namespace
{

const double kMicrosPerSecond = 1000000.0;

} // namespace

uint64_t XFramePacer::PeriodUs(float targetFramesPerSecond, int refreshHz)
{
    const double display = refreshHz > 0 ? refreshHz : kDefaultRefreshHz;
    const double rate = targetFramesPerSecond > 0.0f && targetFramesPerSecond < display ? targetFramesPerSecond : display;
    return static_cast<uint64_t>(std::llround(kMicrosPerSecond / rate));
}

void XFramePacer::Start(uint64_t nowUs, uint64_t periodUs)
{
    m_uiPeriodUs = periodUs;
    m_uiDueUs = nowUs + periodUs;
}

uint64_t XFramePacer::SleepUs(uint64_t nowUs) const
{
    if (nowUs + kSpinUs >= m_uiDueUs)
        return 0;
    return m_uiDueUs - kSpinUs - nowUs;
}

void XFramePacer::FrameBegun(uint64_t nowUs)
{
    m_uiDueUs += m_uiPeriodUs;
    if (m_uiDueUs <= nowUs)
        m_uiDueUs = nowUs + m_uiPeriodUs;
}

void XFrameTimeStats::Add(double frameMs)
{
    ++m_uiCount;
    const double delta = frameMs - m_dMean;
    m_dMean += delta / m_uiCount;
    m_dSquares += delta * (frameMs - m_dMean);
}

double XFrameTimeStats::MeanMs() const
{
    return m_dMean;
}

double XFrameTimeStats::StdDevMs() const
{
    return m_uiCount > 1 ? std::sqrt(m_dSquares / (m_uiCount - 1)) : 0.0;
}
