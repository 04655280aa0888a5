// Cube colour table: hues spread so neighbours differ in both hue and brightness.
#include "tools/artkit/CubePalette.h"

namespace art
{

const std::array<CubeColour, kCubeColours>& CubeColours()
{
    static const std::array<CubeColour, kCubeColours> colours = {{
        {"Blue", Hex(0x2F9BFF), Emblem::kCircle},
        {"DarkBlue", Hex(0x2436B8), Emblem::kDiamond},
        {"DarkGreen", Hex(0x137A3A), Emblem::kTriangle},
        {"Green", Hex(0x7CE03A), Emblem::kSquare},
        {"LightVanilla", Hex(0xF6EBC4), Emblem::kStar},
        {"Orange", Hex(0xFF8A1C), Emblem::kHeart},
        {"Pink", Hex(0xFF8CC6), Emblem::kClover},
        {"Purple", Hex(0x8E3FD6), Emblem::kCross},
        {"Red", Hex(0xE3222B), Emblem::kCrescent},
        {"Yellow", Hex(0xFFE027), Emblem::kDrop},
    }};
    return colours;
}

Colour EmblemInk(const Colour& base)
{
    // Mid-bright colours (sky blue, orange) read better with light ink.
    return Luminance(base) > 0.62f ? Shade(base, -0.62f) : Shade(base, 0.8f);
}

} // namespace art
