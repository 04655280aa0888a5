// Where the runs click, in the 1024 x 768 design's units, and when.
#pragma once

#include "ui/UiLayout.h"

#include <cstddef>

namespace ScreenPoints
{

// The splash leaves by itself after four seconds; at 20 ms a frame the title has faded in by
// this frame.
const int kTitleFrame = 300;
// The title's buttons.
const float kNewGameX = 511, kNewGameY = 330;
const float kTutorialX = 511, kTutorialY = 603;
const float kLoadGameX = 254, kLoadGameY = 504;
// The difficulty card's easy, medium and hard options: thirds of a frame 448 wide around x 640.
const float kDifficultyX[3] = {491, 640, 789};
const float kDifficultyY = 310;
// The status bar's save and exit buttons (centred on x 128 and y 400 + 55 i).
const float kBarX = 128, kSaveY = 455, kExitY = 620;
// The centre of a spare cube's button.
inline float SpareX(int slot)
{
    return plk::ui::CentreX(plk::ui::kSpareButtons[static_cast<size_t>(slot)]);
}
inline float SpareY(int slot)
{
    return plk::ui::CentreY(plk::ui::kSpareButtons[static_cast<size_t>(slot)]);
}
// First row of the saved-games list, whose frame is centred on the whole screen.
const float kFirstRowX = 464, kFirstRowY = 116;
// The saved-games list is up this long after Load Game, and the loaded level's start card this
// long after its row was clicked; the title is up again this long after the status bar's exit.
const int kListUp = 40;
const int kLoadedCardUp = 80;
const int kTitleAgain = 130;

} // namespace ScreenPoints
