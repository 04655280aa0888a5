// Where the staged data folder is, and the names of the world art files the game loads from it.
#pragma once

#include "platform/image/Image.h"
#include "platform/mesh/MeshData.h"

#include <string>
#include <vector>

namespace artcheck
{

// PLK_BINARY_DIR/stage/data, as the build stages it.
std::string DataDir();
std::string DataPath(const std::string& name);

extern const char* const kCubeColours[10];
extern const char* const kCubeVariants[5];

std::vector<std::string> CubeTextureNames();
// Every world file the game names: cube textures and frame sets, walls, board tops, terrains, scenery.
std::vector<std::string> WorldFileNames();
// base + 0, 1, ... + ".x" for as long as the files exist, the way the game loads a frame set.
std::vector<std::string> FrameSet(const std::string& base);

// Loads or fails the test with the reason.
gfx::MeshData LoadMesh(const std::string& name);
plk::Image LoadImage(const std::string& name);

} // namespace artcheck
