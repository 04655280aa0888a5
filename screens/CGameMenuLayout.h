// Where a list's rows and controls lie inside its frame, shared by drawing and hit testing so
// that a row is hit exactly where it is drawn.
#pragma once

namespace MenuListLayout
{

// The rows: 8 units in from the frame's left and top, 400 wide, 25 high, 30 apart.
const float kRowLeft = 8.0f;
const float kRowRight = 408.0f;
const float kRowTop = 8.0f;
const float kRowHeight = 25.0f;
const float kRowStep = 30.0f;
// The level-set list puts a heading above its rows: they start lower and fewer fit.
const float kHeadedRowTop = 64.0f;
const unsigned kHeadedVisibleRows = 16;
const float kHeadingTop = 18.0f;
const float kHeadingHeight = 36.0f;
// Arrows and the close button are square sprites of this side.
const float kArrowSize = 32.0f;

} // namespace MenuListLayout
