// Checks of how the world textures and meshes meet the way the game draws them: blending and seating.
#include "ArtData.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace artcheck;

namespace
{

int Brightness(const plk::Image& image, int x, int y)
{
    const uint8_t* p = image.At(x, y);
    return p[0] + p[1] + p[2];
}

} // namespace

TEST(WorldTextures, ParticleIsBrightInTheMiddleAndBlackAtTheRim)
{
    // Particles are added onto the scene: black adds nothing, so the square's corners must vanish.
    const plk::Image particle = LoadImage("Particle.bmp");
    ASSERT_FALSE(particle.Empty());
    const int w = particle.width, h = particle.height;
    EXPECT_GT(Brightness(particle, w / 2, h / 2), 600);
    for (const auto& [x, y] :
         {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, 0}, {0, h / 2}})
        EXPECT_LE(Brightness(particle, x, y), 3) << x << "," << y;
    EXPECT_GT(Brightness(particle, w / 2, h / 2), Brightness(particle, w / 2, h / 4))
        << "soft, not a flat disc";
}

TEST(WorldTextures, OnlyTheGlassWallIsSeeThrough)
{
    for (int n = 1; n <= 7; ++n)
    {
        const std::string name = "Wall0" + std::to_string(n) + ".png";
        const plk::Image wall = LoadImage(name);
        int minAlpha = 255;
        for (size_t i = 3; i < wall.pixels.size(); i += 4)
            minAlpha = std::min<int>(minAlpha, wall.pixels[i]);
        if (n == 5)
            EXPECT_LT(minAlpha, 160) << name << " is drawn blended and must let cubes show through";
        else
            EXPECT_EQ(minAlpha, 255) << name << " is an opaque wall with holes";
    }
}

TEST(WorldTextures, TheBoardRimReachesTheGroundOfEveryTerrain)
{
    const gfx::MeshData board = LoadMesh("BoardTop.x");
    for (int n = 1; n <= 5; ++n)
    {
        const gfx::MeshData terrain = LoadMesh("Terrain0" + std::to_string(n) + ".x");
        float lowestUnderBoard = 1e9f;
        for (const gfx::Float3& p : terrain.positions)
            if (std::fabs(p[0]) <= 50 && std::fabs(p[2]) <= 50)
                lowestUnderBoard = std::min(lowestUnderBoard, p[1]);
        EXPECT_LT(board.boxMin[1], lowestUnderBoard) << "the board floats above Terrain0" << n;
    }
}
