// Weather: fog distances from the level, drops that fall, splash and start again, and a dry
// level that neither rains nor thunders.
#include "engine/XRandom.h"
#include "game/CGameLevel.h"
#include "game/CWeather.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(WeatherFog, LevelFogEndsCloserTheMoreFogItHas)
{
    CGameLevel level(nullptr);
    float start = 0.0f, end = 0.0f;
    CWeather::FogRange(level, start, end);
    EXPECT_FLOAT_EQ(300.0f, start) << "no fog of its own: only the distance fade";
    EXPECT_FLOAT_EQ(650.0f, end);
    level.SetFogEnabled(true);
    CWeather::FogRange(level, start, end);
    EXPECT_FLOAT_EQ(10.0f, start);
    EXPECT_FLOAT_EQ(400.0f, end);
    level.SetFogAmount(300);
    CWeather::FogRange(level, start, end);
    EXPECT_FLOAT_EQ(100.0f, end);
}

TEST(WeatherRain, DropsStayInTheBoxFallSplashAndStartAgain)
{
    XRandom::Effects().Seed(11);
    CRain rain;
    rain.Create();
    ASSERT_EQ(static_cast<size_t>(CRain::kDropCount), rain.GetDrops().size());
    for (const CRain::Drop& drop : rain.GetDrops())
    {
        EXPECT_GE(drop.position.y, CRain::kFloorY);
        EXPECT_LE(drop.position.y, CRain::kFloorY + CRain::kBoxHeight);
        EXPECT_LE(std::abs(drop.position.x), CRain::kBoxWidth / 2);
        EXPECT_LE(std::abs(drop.position.z), CRain::kBoxDepth / 2);
        EXPECT_EQ(CRain::kFalling, drop.state);
    }
    const CRain::Drop first = rain.GetDrops()[0];
    rain.Update(100.0f);
    EXPECT_NEAR(first.position.y - 10.0f, rain.GetDrops()[0].position.y, 1e-3f) << "100 units per second";

    // Two seconds and a bit: every drop has reached the floor at least once.
    int splashing = 0;
    for (int frame = 0; frame < 105; ++frame)
        rain.Update(20.0f);
    for (const CRain::Drop& drop : rain.GetDrops())
    {
        splashing += drop.state == CRain::kSplashing ? 1 : 0;
        EXPECT_GE(drop.position.y, CRain::kFloorY - 2.0f) << "a splashing drop stays where it landed";
    }
    EXPECT_GT(splashing, 0);
    // A splash lasts 300 ms, then the drop is finished and the next update starts it again.
    CRain single;
    single.Create();
    std::vector<size_t> finished;
    for (int frame = 0; frame < 400 && finished.empty(); ++frame)
    {
        single.Update(10.0f);
        for (size_t i = 0; i < single.GetDrops().size(); ++i)
            if (single.GetDrops()[i].state == CRain::kFinished)
                finished.push_back(i);
    }
    ASSERT_FALSE(finished.empty());
    single.Update(10.0f);
    for (size_t i : finished)
    {
        EXPECT_EQ(CRain::kFalling, single.GetDrops()[i].state);
        EXPECT_FLOAT_EQ(CRain::kFallSpeed, single.GetDrops()[i].speed);
    }
}

TEST(WeatherRain, DryLevelMakesNoRainAndNoThunder)
{
    CGameLevel level(nullptr);
    CWeather weather;
    weather.Start(nullptr, level);
    const CRain::Drop before = weather.GetRain().GetDrops()[0];
    XRandom untouched = XRandom::Effects();
    for (int frame = 0; frame < 600; ++frame)
    {
        weather.ApplyFrame(nullptr, level);
        weather.Update(20.0f, level);
    }
    EXPECT_FALSE(weather.IsRainSoundPlaying());
    EXPECT_FALSE(weather.IsThunderPlaying());
    EXPECT_FLOAT_EQ(before.position.y, weather.GetRain().GetDrops()[0].position.y) << "no rain, no falling";
    EXPECT_EQ(untouched.Next(), XRandom::Effects().Next()) << "a dry level draws no thunder chances";
}
