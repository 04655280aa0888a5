// Review pictures of the world art: one grid of every texture, one of every mesh rendered lit from an angle.
#pragma once

#include <string>

namespace worldgen
{

// Generates the world art into outDir/data (apart from the staged data folder), then writes
// "WorldTextures.png", "WorldMeshes.png" and "WorldScenes.png" into outDir.
bool WriteContactSheets(const std::string& outDir);

} // namespace worldgen
