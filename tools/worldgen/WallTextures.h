// The seven tileable wall materials "Wall01.png" to "Wall07.png" (brick, stone, wood, metal, glass, marble,
// cobble).
#pragma once

#include "tools/worldgen/DataWriter.h"

namespace worldgen
{

const int kWallTypes = 7;

// type 0..6; Wall05 (glass) carries alpha for the blended walls.
art::Canvas MakeWallTexture(int type);
void WriteWallTextures(DataWriter& out);

} // namespace worldgen
