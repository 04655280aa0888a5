// The screen art's palette, shared by every sheet so the screens read as one game.
#pragma once

#include "tools/artkit/Colour.h"
#include "tools/artkit/CubePalette.h"
#include "tools/artkit/Shape.h"

namespace uigen
{

// Side columns: a vivid blue that darkens toward the bottom, lit from the top left like the world.
inline const art::Colour kColumnTop = art::Hex(0x3a86d8);
inline const art::Colour kColumnBottom = art::Hex(0x1c4d9c);
inline const art::Colour kColumnEdge = art::Hex(0x10306a);
// Section captions and panel labels.
inline const art::Colour kCaption = art::Hex(0xffe27a);
// Text: white with a navy outline on colour; gold with a warm glow when hovered.
inline const art::Colour kText = art::Hex(0xffffff);
inline const art::Colour kTextOutline = art::Hex(0x0c2452, 0.9f);
inline const art::Colour kHoverText = art::Hex(0xfff27a);
inline const art::Colour kHoverGlow = art::Hex(0xffa020, 0.9f);
// Light button plates with navy ink, for the many small tool buttons.
inline const art::Colour kPlateTop = art::Hex(0xf4f8ff);
inline const art::Colour kPlateBottom = art::Hex(0xbccfe9);
inline const art::Colour kInk = art::Hex(0x1a3566);
// Frame band and rims: warm gold.
inline const art::Colour kGoldLight = art::Hex(0xffe9a0);
inline const art::Colour kGold = art::Hex(0xf2b634);
inline const art::Colour kGoldDark = art::Hex(0xa8640e);
inline const art::Colour kMagenta = art::Hex(0xff00ff);

// The cube colours and emblems come from the palette the world art uses, so swatches match the cubes.
inline art::Colour CubeColour(int colour)
{
    return art::CubeColours()[colour].base;
}

inline art::Emblem CubeEmblem(int colour)
{
    return art::CubeColours()[colour].emblem;
}

} // namespace uigen
