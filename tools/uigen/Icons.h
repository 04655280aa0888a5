// Small pictograms of the screens and the tool bar, drawn as lit vector shapes into any box.
#pragma once

#include "tools/uigen/UiPaint.h"

namespace uigen
{

enum class IconKind
{
    kPlay,
    kFolder,
    kDisk,
    kHammer,
    kBook,
    kRestart,
    kDoor,
    kQuestion,
    kNote,
    kSpeaker,
    kCheck,
    kCross,
    kArrowUp,
    kArrowDown,
    kSun,
    kStar,
    kFog,
    kRain,
    kClock,
    kBolt,
    kLift,
    kPlus,
    kMinus,
    kRock,
    kTree,
    kPine,
    kPalm,
    kGlass,
    kGrass,
    kShrub,
    kSpikes,
    kPlant,
    kCactus,
    kTeleporter,
    kBomb,
    kSmasher,
    kStone,
    kRainbow,
    kPencil,
    kTag,
    kNewPage,
};

// Draws the pictogram centred in the box. Single-colour icons use ink; pictures of things use their own colours.
void DrawIcon(art::Canvas& c, IconKind kind, Area box, const art::Colour& ink);

// The shape rotated by degrees (clockwise on screen) about (cx, cy).
art::Shape Rotate(const art::Shape& s, float cx, float cy, float degrees);

} // namespace uigen
