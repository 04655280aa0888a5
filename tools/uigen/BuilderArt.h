// The level builder's tool bar: one 256 x 768 picture with every button drawn inside its hit rectangle.
#pragma once

#include "tools/uigen/ArtSet.h"

namespace uigen
{

class BuilderArt
{
public:
    // Paints "TexBuildBar0_A/B/C.bmp" into the set.
    static void Paint(ArtSet& set);

private:
    static void Captions(art::Canvas& c);
    static void Button(art::Canvas& c, int index);
    static void BoardTop(art::Canvas& c, plk::ui::Rect r, int board);
    static void Terrain(art::Canvas& c, plk::ui::Rect r, int terrain);
    static void Wall(art::Canvas& c, plk::ui::Rect r, int wallType);
};

} // namespace uigen
