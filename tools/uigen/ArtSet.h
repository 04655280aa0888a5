// The generated screen files held in memory by name, checked against the layout and written to the data folder.
#pragma once

#include "tools/artkit/Canvas.h"
#include "ui/UiLayout.h"

#include <map>
#include <string>

namespace uigen
{

class ArtSet
{
public:
    // A transparent canvas the size the layout gives the file; throws ArtError for a name it does not list.
    static art::Canvas Blank(std::string_view file);
    static const plk::ui::Sheet& SheetOf(std::string_view file);
    static plk::ui::Rect Src(std::string_view sprite);

    // Copies a sprite's own canvas into its rectangle of a sheet, leaving the rectangle's outermost pixels
    // transparent; nothing outside the rectangle changes.
    static void PlaceSprite(art::Canvas& sheet, std::string_view sprite, const art::Canvas& picture);
    // Makes the pixels two overlapping sprites share transparent, so neither shows a piece of the other.
    static void ClearDesignedOverlaps(art::Canvas& sheet, std::string_view file);

    void Put(std::string_view file, art::Canvas canvas);
    const art::Canvas& Get(std::string_view file) const;

    // Writes every file the layout lists; false with the reason when one is missing or cannot be written.
    bool WriteAll(const std::string& folder, std::string& error) const;
    // The picture as the game will see it: keyed magenta and opaque files flattened as they are stored.
    static art::Canvas AsStored(const art::Canvas& canvas, const plk::ui::Sheet& sheet);

private:
    std::map<std::string, art::Canvas, std::less<>> m_images;
};

} // namespace uigen
