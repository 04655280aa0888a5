// Review pictures of the world art: one grid of every texture, one of every mesh rendered lit from an angle.
#pragma once

#include <string>

namespace worldgen
{

// Generates the world art into dataDir, then writes "WorldTextures.png" and "WorldMeshes.png" into outDir.
bool WriteContactSheets(const std::string& dataDir, const std::string& outDir);

} // namespace worldgen
