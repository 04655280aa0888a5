// The status column beside the play view: its background, the panel sheet and the button sheet.
#pragma once

#include "tools/uigen/ArtSet.h"

namespace uigen
{

class StatusArt
{
public:
    // Paints "TexStatus0_A/B/C.bmp", "Status0.png" and "Status1.png" into the set.
    static void Paint(ArtSet& set);

    // The column's plain background, shared with the builder bar so both side screens match.
    static art::Canvas ColumnBackground();

private:
    static void Panels(ArtSet& set);
    static void Buttons(ArtSet& set);
};

} // namespace uigen
