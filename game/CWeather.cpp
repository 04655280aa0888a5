// Weather of the play screen: background, fog, rain sound and thunder.
#include "game/CWeather.h"

#include "engine/XGameEngine.h"
#include "engine/XRandom.h"
#include "game/CGameLevel.h"

namespace
{

// The engine's linear fog mode.
const uint32_t kFogLinear = 3;

} // namespace

void CWeather::FogRange(const CGameLevel& level, float& start, float& end)
{
    if (level.IsFogEnabled())
    {
        start = kFogStart;
        end = kFogEnd - static_cast<float>(level.GetFogAmount());
    }
    else
    {
        start = kFadeStart;
        end = kFadeEnd;
    }
}

void CWeather::Start(XGameEngine* engine, const CGameLevel& level)
{
    if (engine)
        engine->SetClearColor(level.GetBackgroundColour());
    m_rain.Create();
    m_sndRain.Load("SndRain.wav", XDXSound::kSoundEffect);
    m_sndThunder.Load("SndThunder.wav", XDXSound::kSoundEffect);
}

void CWeather::Stop()
{
    if (m_sndRain.IsPlaying())
        m_sndRain.Stop();
    if (m_sndThunder.IsPlaying())
        m_sndThunder.Stop();
}

void CWeather::ApplyFrame(XGameEngine* engine, const CGameLevel& level)
{
    const bool raining = level.IsRainEnabled();
    if (raining && !m_sndRain.IsPlaying())
        m_sndRain.Play(true);
    else if (!raining && m_sndRain.IsPlaying())
        m_sndRain.Stop();
    if (raining && !m_sndThunder.IsPlaying() && XRandom::Effects().Below(kThunderOdds) == 0)
        m_sndThunder.Play(false);
    if (!engine)
        return;
    float start = 0.0f;
    float end = 0.0f;
    FogRange(level, start, end);
    engine->SetFog(true, level.GetBackgroundColour(), kFogLinear, start, end, 0.0f, false);
    engine->SetClearColor(level.GetBackgroundColour());
}

void CWeather::DrawRain(XGameEngine* engine, const CGameLevel& level)
{
    if (level.IsRainEnabled())
        m_rain.Draw(engine);
}

void CWeather::Update(float dt, const CGameLevel& level)
{
    if (level.IsRainEnabled())
        m_rain.Update(dt);
}
