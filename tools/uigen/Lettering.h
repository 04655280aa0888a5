// Big bevelled display lettering for logos and headings: text turned into a shape that can be lit like a plate.
#pragma once

#include "tools/artkit/Canvas.h"

#include <string>

namespace uigen
{

struct LetteringStyle
{
    int pixelHeight = 64;
    art::Colour top{1, 1, 1, 1};
    art::Colour bottom{0.8f, 0.8f, 0.8f, 1};
    art::Colour outline{0, 0, 0, 1};
    float outlineWidth = 4.0f;
    float bevelWidth = 4.0f;
    float shadowDy = 4.0f;
    float shadowSoftness = 5.0f;
    float shadowAlpha = 0.45f;
};

// The game's gold display lettering (titles, headers): cream to amber with a brown outline.
LetteringStyle GoldLettering(int pixelHeight);

// A shape whose inside is where the canvas's alpha is at least one half, with distances from a chamfer transform.
art::Shape ShapeFromAlpha(const art::Canvas& mask, int x0, int y0);

// Draws one line of lettering with its baseline at y, centred on x; returns the width it took.
float DrawLettering(art::Canvas& c, const std::string& text, float x, float y, const LetteringStyle& style);
float LetteringWidth(const std::string& text, const LetteringStyle& style);

} // namespace uigen
