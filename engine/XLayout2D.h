// Where the 1024 x 768 design of the 2D screens lands in a back buffer of any shape: one scale for
// both axes, so that round buttons stay round and text keeps its shape, and an offset that centres
// the design or keeps it against the left edge (the bars beside the 3D view).
#pragma once

// The design the 2D screens are laid out in (the screens' own table repeats it in whole pixels).
inline constexpr float kLayoutDesignW = 1024.0f;
inline constexpr float kLayoutDesignH = 768.0f;

enum class XAnchor2D
{
    kCentre, // centred both ways: title, menus, cards
    kLeft,   // against the left edge, centred up and down: bars that frame the 3D view
};

// Maps layout pixels (design units times the layout scale) to back-buffer pixels.
struct XPlacement2D
{
    float scale = 1.0f;
    float offsetX = 0.0f;
    float offsetY = 0.0f;

    float ToBackX(float x) const { return offsetX + x * scale; }
    float ToBackY(float y) const { return offsetY + y * scale; }
    float ToLayoutX(float x) const { return (x - offsetX) / scale; }
    float ToLayoutY(float y) const { return (y - offsetY) / scale; }
};

// Back-buffer pixels per design unit: the larger scale at which the whole design still fits.
float DesignFitScale(unsigned backWidth, unsigned backHeight);

// The placement of a design laid out at layoutScale pixels per unit in a back buffer of that size.
// Offsets are whole pixels, so that text drawn at scale 1 stays sharp.
XPlacement2D PlaceDesign(unsigned backWidth, unsigned backHeight, float layoutScale, XAnchor2D anchor);
