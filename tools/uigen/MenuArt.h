// The in-game menu's art: frame pieces, translucent fill, card headers and the small sprites of "MiscTex0.png".
#pragma once

#include "tools/uigen/ArtSet.h"

namespace uigen
{

class MenuArt
{
public:
    // Paints the eleven "Frame0_*.bmp" pieces, "transfill.png", "MnuReady.png", "MnuLevelComplete0/1.png" and
    // "MiscTex0.png" into the set.
    static void Paint(ArtSet& set);

private:
    // A whole frame of cols x rows tiles; the pieces are cut from it so that edges repeat seamlessly.
    static art::Canvas Frame(int cols, int rows);
    static void Headers(ArtSet& set);
    static void Sprites(ArtSet& set);
};

} // namespace uigen
