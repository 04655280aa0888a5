// The board top: "BoardTop.x" (25 tiles of 20 x 20 units at the floor, y = 20) and five designs of 25
// textures each.
#pragma once

#include "tools/worldgen/DataWriter.h"

#include <string>

namespace worldgen
{

const int kBoardTops = 5;
const int kBoardTiles = 5; // per side

// "BoardTop" + design + "_" + row letter A..E + column digit 1..5 + ".bmp"; row A lies at +z, column 1 at -x.
std::string BoardTileName(int design, int row, int column);
void WriteBoardTops(DataWriter& out);

} // namespace worldgen
