// The game's ten cube colours and their emblems, shared by every generator so world and screens agree.
#pragma once

#include "tools/artkit/Colour.h"
#include "tools/artkit/Shape.h"

#include <array>
#include <string>

namespace art
{

const int kCubeColours = 10;

struct CubeColour
{
    const char* word; // as in the texture names: "Solid" + word + "Cube.bmp"
    Colour base;      // the face colour
    Emblem emblem;    // the shape that tells the colour without seeing hue
};

// Index order is the game's colour order: Blue, DarkBlue, DarkGreen, Green, LightVanilla, Orange, Pink,
// Purple, Red, Yellow.
const std::array<CubeColour, kCubeColours>& CubeColours();

// A colour that stays readable on top of the base colour (dark on light faces, light on dark ones).
Colour EmblemInk(const Colour& base);

} // namespace art
