// Text on a canvas through the platform font faces, with optional outline and drop shadow.
#pragma once

#include "tools/artkit/Canvas.h"

#include <string>

namespace art
{

enum class Align
{
    kLeft,
    kCentre,
    kRight,
};

struct TextStyle
{
    std::string family = "Arial";
    int pixelHeight = 24;
    bool bold = true;
    bool italic = false;
    Colour colour{1, 1, 1, 1};
    Paint fill;             // when set, replaces colour (gradients)
    float outlineWidth = 0; // pixels; 0 = none
    Colour outline{0, 0, 0, 1};
    float shadowDx = 0, shadowDy = 0, shadowSoftness = 0;
    Colour shadow{0, 0, 0, 0}; // alpha 0 = no shadow
};

struct TextExtent
{
    float width = 0;
    int ascender = 0, descender = 0;
};

// Measures text in the style; false when the face cannot be opened (error says why).
bool MeasureText(const TextStyle& style, const std::string& text, TextExtent& out,
                 std::string* error = nullptr);
// Draws one line with its baseline at y; x is its left edge, centre or right edge by align.
bool DrawText(Canvas& canvas, const TextStyle& style, const std::string& text, float x, float y, Align align,
              std::string* error = nullptr);
// Draws one line centred in a box, shrinking the height until it fits the box width.
bool DrawTextInBox(Canvas& canvas, TextStyle style, const std::string& text, float left, float top,
                   float width, float height, std::string* error = nullptr);

} // namespace art
