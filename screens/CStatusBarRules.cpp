// The status bar's rules that need no screen: the end of a level, the hit tests and the blink.
#include "game/CGameLevel.h"
#include "screens/CStatusBar.h"
#include "ui/UiLayout.h"

#include <string>

namespace
{

// A blink period is this many ms per second left, red for the first half of it.
const unsigned kBlinkMsPerSecond = 50;

bool Inside(const plk::ui::Rect& r, float x, float y)
{
    // Edges count as inside, as the input layer's rectangle tests take them.
    return x >= static_cast<float>(r.x) && x <= static_cast<float>(r.x + r.w) && y >= static_cast<float>(r.y) &&
           y <= static_cast<float>(r.y + r.h);
}

} // namespace

CStatusBar::LevelEnd CStatusBar::CheckEnd(CGameLevel& level)
{
    // A level that did not load has neither time nor cubes of its own: its zeros are no result.
    if (!level.IsLoaded())
        return LevelEnd::kPlaying;
    if (level.SecondsLeft() == 0)
        return LevelEnd::kLost;
    return level.GetBlocksLeft() == 0 ? LevelEnd::kWon : LevelEnd::kPlaying;
}

CStatusBar::Button CStatusBar::ButtonAt(float x, float y)
{
    for (int i = 0; i < static_cast<int>(plk::ui::kStatusButtons.size()); ++i)
    {
        const plk::ui::Sprite* sprite = plk::ui::FindSprite(plk::ui::kStatusButtons[i]);
        if (sprite && Inside(plk::ui::StatusButtonHit(i, sprite->src.w, sprite->src.h), x, y))
            return static_cast<Button>(i);
    }
    if (Inside(plk::ui::kMusicHit, x, y))
        return kMusic;
    if (Inside(plk::ui::kSoundHit, x, y))
        return kSound;
    return kNoButton;
}

bool CStatusBar::TimeIsRed(int seconds, unsigned now)
{
    if (seconds <= 0)
        return true;
    if (seconds > kLowSeconds)
        return false;
    const unsigned period = static_cast<unsigned>(seconds) * kBlinkMsPerSecond;
    return now % period < period / 2;
}
