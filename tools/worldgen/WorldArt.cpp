// Runs every world generator in an order where textures exist before the meshes that name them.
#include "tools/worldgen/WorldArt.h"

#include "tools/worldgen/BoardTops.h"
#include "tools/worldgen/CubeMeshes.h"
#include "tools/worldgen/CubeTextures.h"
#include "tools/worldgen/Scenery.h"
#include "tools/worldgen/Terrains.h"
#include "tools/worldgen/WallTextures.h"

namespace worldgen
{

void WriteWorldArt(DataWriter& out)
{
    WriteCubeTextures(out);
    WriteCubeMeshes(out);
    WriteWallTextures(out);
    WriteBoardTops(out);
    WriteTerrains(out);
    WriteScenery(out);
}

} // namespace worldgen
