// The title screen: its picture cut into seven tiles, and the four button labels in two sheets.
#pragma once

#include "tools/uigen/ArtSet.h"

namespace uigen
{

class TitleArt
{
public:
    // Paints "TitleScreenA1.bmp" ... "TitleScreenC2.bmp", "MiscTex1.png" and "MiscTex2.png" into the set.
    static void Paint(ArtSet& set);

private:
    static art::Canvas Picture();
    static void Scenery(art::Canvas& c);
    static void Plaques(art::Canvas& c);
    static void Labels(ArtSet& set);
};

} // namespace uigen
