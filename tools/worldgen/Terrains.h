// The five landscapes round the board, "Terrain01.x" to "Terrain05.x", and their ground textures.
#pragma once

#include "tools/worldgen/DataWriter.h"

namespace worldgen
{

const int kTerrains = 5; // meadow, desert, snow, volcanic, beach

// Terrain height at a world position; below the board's floor (y = 20) under and just around the board.
float TerrainHeight(int terrain, float x, float z);
void WriteTerrains(DataWriter& out);

} // namespace worldgen
