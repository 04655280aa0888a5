// Where the engine demo's test screen puts each thing, shared with the tests that check its pictures.
#pragma once

#include <cstdint>

namespace demo
{

const int kWidth = 1024;
const int kHeight = 768;
const uint32_t kClearColor = 0xFF2060A0;

// The sprite image: a solid body with a square of the colour key in its middle.
const int kSpriteSide = 32;
const uint32_t kSpriteBody = 0xFFE03020;
const uint32_t kSpriteKey = 0xFFFF00FF;
const int kKeyFirst = 8; // key square covers kKeyFirst .. kKeyLast in both axes
const int kKeyLast = 23;
const int kSpriteX = 96;
const int kSpriteY = 96;
const float kSpriteScale = 4.0f;

// The text and the box it is drawn in.
const char* const kText = "Plinkett engine";
const char* const kFace = "Arial";
const int kTextPoints = 24;
const int kTextLeft = 96;
const int kTextTop = 320;
const int kTextWidth = 480;
const int kTextHeight = 64;
const uint32_t kTextColor = 0xFFFFFF00;

// The standard change of screens.
const float kTransitionMs = 700.0f;

} // namespace demo
