// Review renders of whole play scenes: each terrain with a board top, cubes, a wall, arrows and scenery.
#pragma once

#include "tools/artkit/MeshRenderer.h"

#include <string>

namespace worldgen
{

// terrain 0..4; meshes and textures come from dataDir through lookup.
art::Canvas RenderScene(int terrain, const std::string& dataDir, const art::TextureLookup& lookup, int width,
                        int height);

} // namespace worldgen
