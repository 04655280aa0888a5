// Widgets of the screen art: plates, glows, labels and cubes, built from the art kit's primitives.
#pragma once

#include "tools/artkit/Canvas.h"
#include "tools/artkit/TextPainter.h"

#include <stdexcept>
#include <string>

namespace uigen
{

// Thrown when a face cannot be opened: the generator stops with the reason instead of writing blank labels.
class ArtError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

enum class Look
{
    kNormal, // white text, navy outline
    kHover,  // gold text with a warm glow
    kInk,    // navy text on light plates
};

struct Area
{
    float x, y, w, h;
};

// A glossy raised plate: soft shadow, vertical gradient, rounded bevel, a gloss band on the upper half, rim.
void Plate(art::Canvas& c, Area a, float radius, const art::Colour& top, const art::Colour& bottom);
// The deep blue plate with a gold rim behind the status column's and the builder bar's headers.
void HeaderPlate(art::Canvas& c, Area a, float radius);
// A glow of colour around a shape, for hovered plates.
void Glow(art::Canvas& c, const art::Shape& s, float softness, const art::Colour& colour);

art::TextStyle LabelStyle(Look look, int pixelHeight, bool bold = true);
// One line centred in the area, shrunk until it fits its width.
void Label(art::Canvas& c, const std::string& text, Area a, Look look, int pixelHeight, bool bold = true);
// One line with its baseline at y; throws ArtError when the font cannot be used.
void Text(art::Canvas& c, const art::TextStyle& style, const std::string& text, float x, float y, art::Align align);
float TextWidth(const art::TextStyle& style, const std::string& text);

// A cube face seen straight on: the colour's gradient, bevel and its emblem in a lighter tint.
void CubeFace(art::Canvas& c, Area a, int colour);
// A cube in a three-quarter view: top, left and right faces lit from the top left, optional emblem on top.
void IsoCube(art::Canvas& c, float cx, float cy, float size, const art::Colour& colour, int emblemColour = -1);

// Shapes filled with a paint and given a bevel and a dark rim: the look of every icon.
void Icon(art::Canvas& c, const art::Shape& s, const art::Colour& fill, float bevel = 1.5f);

} // namespace uigen
