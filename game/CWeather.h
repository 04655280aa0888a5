// A level's weather as the play screen shows it: background colour, linear fog in that colour,
// the rain with its looping sound, and thunder now and then while it rains.
#pragma once

#include "engine/XDXSound.h"
#include "game/CRain.h"

class CGameLevel;
class XGameEngine;

class CWeather
{
public:
    // Fog distances: a level's own fog from 10 to 400 - FogAmount; otherwise only a distance fade.
    static constexpr float kFogStart = 10.0f;
    static constexpr float kFogEnd = 400.0f;
    static constexpr float kFadeStart = 300.0f;
    static constexpr float kFadeEnd = 650.0f;
    // Thunder starts with a chance of one in this many frames while it rains.
    static constexpr int kThunderOdds = 500;

    // The fog range the level asks for.
    static void FogRange(const CGameLevel& level, float& start, float& end);

    // At the start of a level: the background colour, the drops and the two sounds.
    void Start(XGameEngine* engine, const CGameLevel& level);
    // Stops the rain and thunder sounds (the screen is closing).
    void Stop();
    // Every frame while drawing: rain sound on or off, maybe thunder, the fog; then the drops.
    void ApplyFrame(XGameEngine* engine, const CGameLevel& level);
    void DrawRain(XGameEngine* engine, const CGameLevel& level);
    // Every frame in play: the drops fall while it rains (dt in milliseconds).
    void Update(float dt, const CGameLevel& level);

    const CRain& GetRain() const { return m_rain; }
    bool IsRainSoundPlaying() const { return m_sndRain.IsPlaying(); }
    bool IsThunderPlaying() const { return m_sndThunder.IsPlaying(); }

private:
    CRain m_rain;
    XDXSound m_sndRain;
    XDXSound m_sndThunder;
};
