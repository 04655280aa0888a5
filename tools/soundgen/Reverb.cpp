// Comb-and-allpass room reverb.
#include "tools/soundgen/Reverb.h"

#include <cstddef>

namespace plk::soundgen
{

namespace
{

// Mutually prime delays (in samples at 22.05 kHz) so the combs' echoes do not line up into a buzz.
const std::array<int, 8> kCombDelays = {558, 594, 638, 678, 711, 745, 778, 808};
const std::array<int, 4> kAllpassDelays = {278, 220, 170, 112};
const float kAllpassGain = 0.5f;
// The combs sum eight copies at high feedback; this keeps the wet bus near the dry level.
const float kInputGain = 0.03f;
const float kMinFeedback = 0.70f;
const float kFeedbackRange = 0.28f;
const float kDampRange = 0.4f;

} // namespace

Reverb::Reverb(double room, double damping)
    : m_feedback(kMinFeedback + kFeedbackRange * static_cast<float>(room)),
      m_damp(kDampRange * static_cast<float>(damping))
{
    for (int i = 0; i < kCombs; ++i)
        m_combs[i].line.assign(kCombDelays[i], 0.0f);
    for (int i = 0; i < kAllpasses; ++i)
        m_allpasses[i].line.assign(kAllpassDelays[i], 0.0f);
}

float Reverb::Process(float x)
{
    const float in = x * kInputGain;
    float sum = 0.0f;
    for (Comb& c : m_combs)
    {
        const float y = c.line[c.pos];
        c.store = y * (1.0f - m_damp) + c.store * m_damp;
        c.line[c.pos] = in + c.store * m_feedback;
        c.pos = (c.pos + 1) % static_cast<int>(c.line.size());
        sum += y;
    }
    for (Allpass& a : m_allpasses)
    {
        const float buffered = a.line[a.pos];
        a.line[a.pos] = sum + buffered * kAllpassGain;
        a.pos = (a.pos + 1) % static_cast<int>(a.line.size());
        sum = buffered - sum;
    }
    return sum;
}

void Reverb::Apply(const Buffer& send, Buffer& out, float wet)
{
    for (std::size_t i = 0; i < out.size() && i < send.size(); ++i)
        out[i] += wet * Process(send[i]);
}

} // namespace plk::soundgen
