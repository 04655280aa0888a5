// The maker's splash logo, the startup dialog's banner and side pictures, and the program icon.
#pragma once

#include "tools/uigen/ArtSet.h"

namespace uigen
{

class BrandArt
{
public:
    // Paints "TexVantorelIntro.bmp", "StartupBanner.bmp", "StartupPicture0/1/2.bmp" and "GameIcon.png".
    static void Paint(ArtSet& set);

private:
    static art::Canvas MakerLogo();
    static art::Canvas Banner();
    static art::Canvas Picture(int which);
    static art::Canvas GameIcon();
};

} // namespace uigen
