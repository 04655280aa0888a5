// Face textures of the cubes: fifty colour-cube faces and the special cubes' own textures.
#pragma once

#include "tools/worldgen/DataWriter.h"

namespace worldgen
{

enum class CubeVariant
{
    kPlain,
    kX2,
    kX3,
    kExtraTime,
    kZap,
};

// The file name of a colour cube face, e.g. "SolidRedCubeX2.bmp".
std::string CubeTextureName(int colour, CubeVariant variant);
art::Canvas MakeCubeFace(int colour, CubeVariant variant);

// Writes the 50 colour-cube faces plus the smasher, bomb and stone textures, "Particle.bmp" and
// "WallWhdAdj.bmp".
void WriteCubeTextures(DataWriter& out);

} // namespace worldgen
