// Frame stepping of mesh animations.
#include "engine/XMeshAnimation.h"

#include <cmath>

namespace
{

const float kMsPerSecond = 1000.0f;

} // namespace

void XMeshAnimation::Hold(int frame)
{
    Start(kHeld, frame, false);
}

void XMeshAnimation::PlayForward(int frame, bool loop)
{
    Start(kForward, frame, loop);
}

void XMeshAnimation::PlayBackward(int frame, bool loop)
{
    Start(kBackward, frame, loop);
}

void XMeshAnimation::Start(Mode mode, int frame, bool loop)
{
    m_mode = mode;
    m_fPosition = static_cast<float>(frame < 0 ? 0 : frame);
    m_bLoop = loop;
}

void XMeshAnimation::Step(float dt, int frameCount)
{
    if (m_mode == kHeld || frameCount <= 0 || dt <= 0.0f)
        return;
    const float last = static_cast<float>(frameCount - 1);
    const float advance = m_fRate * dt / kMsPerSecond;
    m_fPosition += m_mode == kForward ? advance : -advance;
    if (m_bLoop)
    {
        // Wrapping over all frames keeps the speed even across the seam.
        m_fPosition = std::fmod(m_fPosition, static_cast<float>(frameCount));
        if (m_fPosition < 0.0f)
            m_fPosition += static_cast<float>(frameCount);
        return;
    }
    if (m_mode == kForward && m_fPosition >= last)
    {
        m_fPosition = last;
        m_mode = kHeld;
    }
    else if (m_mode == kBackward && m_fPosition <= 0.0f)
    {
        m_fPosition = 0.0f;
        m_mode = kHeld;
    }
}

int XMeshAnimation::GetFrame(int frameCount) const
{
    if (frameCount <= 0)
        return 0;
    const int frame = static_cast<int>(m_fPosition);
    return frame < 0 ? 0 : (frame >= frameCount ? frameCount - 1 : frame);
}
