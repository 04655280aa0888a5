// Headers of the end screens: "Game Over" and the game-complete title, each one picture split at the middle.
#pragma once

#include "tools/uigen/ArtSet.h"

namespace uigen
{

class EndArt
{
public:
    // Paints "MnuGameOver0/1.bmp" and "MnuGameComplete0/1.bmp" into the set.
    static void Paint(ArtSet& set);

private:
    // A banner on black the width of both halves, with its title lettering and cubes on either side.
    static art::Canvas Banner(const char* title, const art::Colour& glow, bool celebrate);
};

} // namespace uigen
