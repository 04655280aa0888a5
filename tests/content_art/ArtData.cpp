// File names and loaders shared by the world art checks.
#include "ArtData.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace artcheck
{

const char* const kCubeColours[10] = {"Blue",   "DarkBlue", "DarkGreen", "Green", "LightVanilla",
                                      "Orange", "Pink",     "Purple",    "Red",   "Yellow"};
const char* const kCubeVariants[5] = {"Cube.bmp", "CubeX2.bmp", "CubeX3.bmp", "CubeExTime.bmp",
                                      "CubeZap.bmp"};

std::string DataDir()
{
    const char* binary = std::getenv("PLK_BINARY_DIR");
    return std::string(binary ? binary : ".") + "/stage/data";
}

std::string DataPath(const std::string& name)
{
    return DataDir() + "/" + name;
}

std::vector<std::string> CubeTextureNames()
{
    std::vector<std::string> names;
    for (const char* variant : kCubeVariants)
        for (const char* colour : kCubeColours)
            names.push_back(std::string("Solid") + colour + variant);
    return names;
}

std::vector<std::string> WorldFileNames()
{
    std::vector<std::string> names = CubeTextureNames();
    for (const char* base : {"Block", "SmasherCube", "BombCube", "BombStd", "StoneBlock"})
        names.push_back(std::string(base) + "0.x");
    names.insert(names.end(), {"Particle.bmp", "WallWhdAdj.bmp", "Arrow.x", "BoardTop.x"});
    for (int n = 1; n <= 7; ++n)
        names.push_back("Wall0" + std::to_string(n) + ".png");
    for (int n = 1; n <= 5; ++n)
        names.push_back("Terrain0" + std::to_string(n) + ".x");
    for (int design = 0; design < 5; ++design)
        for (char row = 'A'; row <= 'E'; ++row)
            for (int column = 1; column <= 5; ++column)
                names.push_back("BoardTop" + std::to_string(design) + "_" + row + std::to_string(column) +
                                ".bmp");
    for (const char* scenery :
         {"Rock0.x", "Rock1.x", "BigRock0.x", "Grass0.x", "Shrub0.x", "Shrub1.x", "Spikes0.x", "Spikes1.x",
          "Plant0.x", "Plant1.x", "Cactus0.x", "Cactus1.x", "Tree0.x", "Tree2.x", "Tree1.x"})
        names.push_back(scenery);
    return names;
}

std::vector<std::string> FrameSet(const std::string& base)
{
    std::vector<std::string> frames;
    for (int i = 0; std::filesystem::exists(DataPath(base + std::to_string(i) + ".x")); ++i)
        frames.push_back(base + std::to_string(i) + ".x");
    return frames;
}

gfx::MeshData LoadMesh(const std::string& name)
{
    gfx::MeshData mesh;
    std::string error;
    EXPECT_EQ(gfx::LoadMeshX(DataPath(name), mesh, &error), 0) << name << ": " << error;
    return mesh;
}

plk::Image LoadImage(const std::string& name)
{
    plk::Image image;
    std::string error;
    EXPECT_EQ(plk::LoadImageFile(DataPath(name), image, &error), 0) << name << ": " << error;
    return image;
}

} // namespace artcheck
