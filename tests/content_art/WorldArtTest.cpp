// Checks over every generated world file: present, loadable headless, consistent with what the game expects.
#include "ArtData.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

using namespace artcheck;

namespace
{

const float kCubeHalf = 5.0f;
const float kTolerance = 1e-3f;
const float kBoardHalf = 50.0f;
const float kBoardFloor = 20.0f;

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::vector<std::string> AllMeshFiles()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DataDir()))
        if (Lower(entry.path().extension().string()) == ".x")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool IsPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

} // namespace

TEST(WorldArt, EveryFileTheGameNamesExists)
{
    for (const std::string& name : WorldFileNames())
        EXPECT_TRUE(std::filesystem::is_regular_file(DataPath(name))) << "missing " << name;
}

TEST(WorldArt, CubeFrameSetsAreTenUnitCubesCentredInTheirCell)
{
    for (const char* base : {"Block", "SmasherCube", "BombStd", "BombCube", "StoneBlock"})
    {
        const std::vector<std::string> frames = FrameSet(base);
        ASSERT_FALSE(frames.empty()) << base;
        for (size_t f = 0; f < frames.size(); ++f)
        {
            const gfx::MeshData mesh = LoadMesh(frames[f]);
            for (int a = 0; a < 3; ++a)
            {
                // Frame 0 is the cube at rest: exactly 10 units, centred. Later frames animate but never
                // reach into a neighbouring cell.
                if (f == 0)
                {
                    EXPECT_NEAR(mesh.boxMin[a], -kCubeHalf, kTolerance) << frames[f] << " axis " << a;
                    EXPECT_NEAR(mesh.boxMax[a], kCubeHalf, kTolerance) << frames[f] << " axis " << a;
                }
                EXPECT_GE(mesh.boxMin[a], -kCubeHalf - kTolerance) << frames[f] << " axis " << a;
                EXPECT_LE(mesh.boxMax[a], kCubeHalf + kTolerance) << frames[f] << " axis " << a;
            }
        }
    }
    EXPECT_GE(FrameSet("Block").size(), 3u) << "the lifter needs frames between cube and raised form";
    EXPECT_GE(FrameSet("BombCube").size(), 2u) << "the bomb's blast is an animation";
}

TEST(WorldArt, AllFramesOfASetShareTheirMaterials)
{
    // The game builds materials and textures from frame 0 only and draws every frame with them.
    for (const char* base : {"Block", "SmasherCube", "BombCube"})
    {
        const std::vector<std::string> frames = FrameSet(base);
        const gfx::MeshData first = LoadMesh(frames.front());
        for (const std::string& frame : frames)
        {
            const gfx::MeshData mesh = LoadMesh(frame);
            ASSERT_LE(mesh.materials.size(), first.materials.size()) << frame;
            for (const gfx::MeshSubset& s : mesh.subsets)
                EXPECT_EQ(Lower(mesh.materials[s.material].textureFile),
                          Lower(first.materials[s.material].textureFile))
                    << frame;
        }
    }
}

TEST(WorldArt, SolidCubesFaceOutwardWithClockwiseFrontFaces)
{
    // Culling keeps triangles clockwise on screen; in left-handed space their cross product points outward.
    for (const char* name : {"Block0.x", "StoneBlock0.x", "BombStd0.x", "SmasherCube0.x"})
    {
        const gfx::MeshData mesh = LoadMesh(name);
        int inward = 0;
        for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3)
        {
            const gfx::Float3 &a = mesh.positions[mesh.indices[i]], &b = mesh.positions[mesh.indices[i + 1]],
                              &c = mesh.positions[mesh.indices[i + 2]];
            const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]},
                        v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
            const float n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                u[0] * v[1] - u[1] * v[0]};
            const float normal[3] = {mesh.normals[mesh.indices[i]][0], mesh.normals[mesh.indices[i]][1],
                                     mesh.normals[mesh.indices[i]][2]};
            if (n[0] * normal[0] + n[1] * normal[1] + n[2] * normal[2] < 0)
                ++inward;
        }
        EXPECT_EQ(inward, 0) << name << " has triangles wound against their normals";
    }
}

TEST(WorldArt, CubeFacesShowTheirTexturesUnmirrored)
{
    // Seen from outside, u runs right and v down, so a front face's corners turn the same way in texture
    // space (clockwise with v down) as on screen; a mirrored face would show "x2" backwards.
    for (const char* name : {"Block0.x", "StoneBlock0.x", "SmasherCube0.x"})
    {
        const gfx::MeshData mesh = LoadMesh(name);
        int mirrored = 0, checked = 0;
        for (const gfx::MeshSubset& s : mesh.subsets)
        {
            if (mesh.materials[s.material].textureFile.empty())
                continue;
            for (uint32_t i = s.indexStart; i + 2 < s.indexStart + s.indexCount; i += 3)
            {
                const gfx::Float2 &a = mesh.texCoords[mesh.indices[i]],
                                  &b = mesh.texCoords[mesh.indices[i + 1]],
                                  &c = mesh.texCoords[mesh.indices[i + 2]];
                const float area = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
                if (std::fabs(area) < 1e-7f)
                    continue;
                ++checked;
                mirrored += area < 0;
            }
        }
        EXPECT_GT(checked, 0) << name;
        EXPECT_EQ(mirrored, 0) << name << ": " << mirrored << " of " << checked
                               << " textured triangles are mirrored";
    }
}

TEST(WorldArt, EveryMeshLoadsHeadlessAndNamesOnlyTexturesThatExist)
{
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(DataDir()))
        files.insert(Lower(entry.path().filename().string()));
    const std::vector<std::string> meshes = AllMeshFiles();
    ASSERT_GE(meshes.size(), 60u);
    for (const std::string& name : meshes)
    {
        const gfx::MeshData mesh = LoadMesh(name);
        EXPECT_FALSE(mesh.indices.empty()) << name;
        for (const gfx::MeshMaterial& m : mesh.materials)
        {
            if (m.textureFile.empty())
                continue;
            std::string file = m.textureFile;
            if (const size_t slash = file.find_last_of("\\/"); slash != std::string::npos)
                file = file.substr(slash + 1);
            EXPECT_TRUE(files.count(Lower(file))) << name << " names missing texture " << m.textureFile;
        }
    }
}

TEST(WorldArt, TheFiftyCubeTexturesDifferPairwise)
{
    const std::vector<std::string> names = CubeTextureNames();
    std::vector<plk::Image> images;
    for (const std::string& name : names)
        images.push_back(LoadImage(name));
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
        {
            ASSERT_EQ(images[i].pixels.size(), images[j].pixels.size()) << names[i] << " vs " << names[j];
            size_t different = 0;
            for (size_t p = 0; p < images[i].pixels.size(); p += 4)
                if (std::abs(images[i].pixels[p] - images[j].pixels[p]) +
                        std::abs(images[i].pixels[p + 1] - images[j].pixels[p + 1]) +
                        std::abs(images[i].pixels[p + 2] - images[j].pixels[p + 2]) >
                    48)
                    ++different;
            // At least a tenth of the face must change, so players tell them apart at a glance.
            EXPECT_GT(different, images[i].pixels.size() / 40) << names[i] << " vs " << names[j];
        }
}

TEST(WorldArt, TexturesArePowersOfTwoAndBmpTexturesAre24Bit)
{
    for (const std::string& name : WorldFileNames())
    {
        const std::string lower = Lower(name);
        if (lower.ends_with(".x"))
            continue;
        const plk::Image image = LoadImage(name);
        EXPECT_TRUE(IsPowerOfTwo(image.width) && IsPowerOfTwo(image.height))
            << name << " is " << image.width << " x " << image.height;
        if (lower.ends_with(".bmp"))
        {
            std::FILE* f = std::fopen(DataPath(name).c_str(), "rb");
            ASSERT_NE(f, nullptr) << name;
            unsigned char header[30] = {};
            const size_t got = std::fread(header, 1, sizeof header, f);
            std::fclose(f);
            ASSERT_EQ(got, sizeof header) << name;
            EXPECT_EQ(header[28], 24) << name << ": .bmp textures take transparency from the colour key only";
        }
    }
}

TEST(WorldArt, TerrainStaysBelowTheBoardFloorUnderTheBoard)
{
    for (int n = 1; n <= 5; ++n)
    {
        const std::string name = "Terrain0" + std::to_string(n) + ".x";
        const gfx::MeshData mesh = LoadMesh(name);
        int checked = 0;
        for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3)
        {
            float lo[2] = {1e9f, 1e9f}, hi[2] = {-1e9f, -1e9f}, top = -1e9f;
            for (int k = 0; k < 3; ++k)
            {
                const gfx::Float3& p = mesh.positions[mesh.indices[i + k]];
                lo[0] = std::min(lo[0], p[0]), hi[0] = std::max(hi[0], p[0]);
                lo[1] = std::min(lo[1], p[2]), hi[1] = std::max(hi[1], p[2]);
                top = std::max(top, p[1]);
            }
            // Any triangle reaching under the board square must stay wholly under its floor.
            if (hi[0] < -kBoardHalf || lo[0] > kBoardHalf || hi[1] < -kBoardHalf || lo[1] > kBoardHalf)
                continue;
            ++checked;
            EXPECT_LT(top, kBoardFloor) << name << " pokes through the board at triangle " << i / 3;
        }
        EXPECT_GT(checked, 0) << name << " leaves the ground under the board empty";
        EXPECT_GT(mesh.boxMax[1], kBoardFloor + 30) << name << " has no hills round the board";
    }
}

TEST(WorldArt, BoardTopCoversTheBoardWithItsTwentyFiveTiles)
{
    const gfx::MeshData mesh = LoadMesh("BoardTop.x");
    std::set<std::string> tiles;
    for (const gfx::MeshSubset& s : mesh.subsets)
    {
        const std::string& texture = mesh.materials[s.material].textureFile;
        if (texture.rfind("BoardTop0_", 0) != 0)
            continue;
        tiles.insert(texture);
        for (uint32_t i = s.indexStart; i < s.indexStart + s.indexCount; ++i)
        {
            const gfx::Float3& p = mesh.positions[mesh.indices[i]];
            EXPECT_NEAR(p[1], kBoardFloor, kTolerance) << texture;
            EXPECT_LE(std::fabs(p[0]), kBoardHalf + kTolerance) << texture;
            EXPECT_LE(std::fabs(p[2]), kBoardHalf + kTolerance) << texture;
        }
    }
    EXPECT_EQ(tiles.size(), 25u);
    EXPECT_NEAR(mesh.boxMin[0], -kBoardHalf, 5.0f);
    EXPECT_NEAR(mesh.boxMax[2], kBoardHalf, 5.0f);
}

TEST(WorldArt, SceneryIsCentredSoTheLevelCanSeatItOnTheTerrain)
{
    // The level puts an object's position a fraction of its height above the ground, which assumes the
    // mesh's box is centred on its origin.
    for (const char* name :
         {"Rock0.x", "Rock1.x", "BigRock0.x", "Grass0.x", "Shrub0.x", "Shrub1.x", "Spikes0.x", "Spikes1.x",
          "Plant0.x", "Plant1.x", "Cactus0.x", "Cactus1.x", "Tree0.x", "Tree2.x", "Tree1.x"})
    {
        const gfx::MeshData mesh = LoadMesh(name);
        const float height = mesh.boxMax[1] - mesh.boxMin[1];
        EXPECT_NEAR(mesh.boxMin[1] + mesh.boxMax[1], 0.0f, 0.01f * height) << name;
        EXPECT_GT(height, 2.0f) << name;
        EXPECT_LT(height, 80.0f) << name << " is out of scale with a 100-unit board";
    }
}

TEST(WorldArt, WallTexturesTileWithoutSeams)
{
    for (int n = 1; n <= 7; ++n)
    {
        const std::string name = "Wall0" + std::to_string(n) + ".png";
        const plk::Image image = LoadImage(name);
        // Compare the jump across the wrap with the typical jump between neighbouring columns and rows.
        auto difference = [&](int x0, int y0, int x1, int y1)
        {
            const uint8_t *a = image.At(x0, y0), *b = image.At(x1, y1);
            return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
        };
        double wrapX = 0, innerX = 0, wrapY = 0, innerY = 0;
        for (int i = 0; i < image.height; ++i)
        {
            wrapX += difference(image.width - 1, i, 0, i);
            innerX += difference(image.width / 2 - 1, i, image.width / 2 + 3, i) / 4.0 +
                      difference(image.width / 3, i, image.width / 3 + 1, i);
        }
        for (int i = 0; i < image.width; ++i)
        {
            wrapY += difference(i, image.height - 1, i, 0);
            innerY += difference(i, image.height / 3, i, image.height / 3 + 1);
        }
        EXPECT_LT(wrapX, innerX * 2.5 + image.height * 6) << name << " shows a seam left to right";
        EXPECT_LT(wrapY, innerY * 2.5 + image.width * 6) << name << " shows a seam top to bottom";
    }
}
