// Runs every world generator in an order where textures exist before the meshes that name them.
#include "tools/worldgen/WorldArt.h"

#include "tools/worldgen/CubeMeshes.h"
#include "tools/worldgen/CubeTextures.h"

namespace worldgen
{

void WriteWorldArt(DataWriter& out)
{
    WriteCubeTextures(out);
    WriteCubeMeshes(out);
}

} // namespace worldgen
