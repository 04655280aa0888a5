// The level generator's chambers: a yard added to a finished board changes only its own cells,
// is walled in, brings a colour of its own and leaves the template's puzzle as it was. A stacked
// board keeps the template's raised walls and starts as written, every cube at rest.
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "tools/levelsolve/LevelSolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// What stands on each floor cell: a wall or teleporter mark, else the cube's type.
using Floor = std::map<int, int>;

const int kWallMark = 1000;
const int kTeleporterMark = 1001;

int FloorCell(const plk::gfx::Vector3& position)
{
    int gx = 0, gy = 0, gz = 0;
    CBoard::CellOf(position, gx, gy, gz);
    return gy == 0 ? gx * CBoard::kRows + gz : -1;
}

bool LoadFloor(const fs::path& path, Floor& floor, std::map<int, bool>& clear)
{
    XString document;
    if (!document.ReadFile(path.string().c_str()))
        return false;
    CGameLevel level(nullptr);
    if (!level.LoadFromDocument("Gen_Test", document, true, false))
        return false;
    for (int i = 0; i < level.GetNumWalls(); ++i)
        floor[FloorCell(level.GetWall(i).GetPosition())] = kWallMark;
    for (int i = 0; i < level.GetNumTeleporters(); ++i)
        floor[FloorCell(level.GetTeleporter(i).GetPosition())] = kTeleporterMark;
    for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        if (level.GetPlayBlock(i).GetType() >= 0)
            floor[FloorCell(level.GetPlayBlock(i).GetPosition())] = level.GetPlayBlock(i).GetType();
    for (int colour = 0; colour < CPlayBlock::kColourCount; ++colour)
        clear[colour] = level.GetRemoveToWin(colour);
    return true;
}

fs::path LevelsFolder()
{
    return fs::path(std::getenv("PLK_SOURCE_DIR")) / "content" / "levels";
}

// Runs the generator on a shipped level; the written level's path, empty when none was written.
fs::path Generate(const std::string& templateName, const std::string& arguments)
{
    const char* generator = std::getenv("PLK_LEVELGEN");
    if (generator == nullptr)
        return fs::path();
    const fs::path out = fs::temp_directory_path() / ("plk-levelgen-" + std::to_string(::getpid()) + ".txt");
    const std::string command = std::string(generator) + " " + (LevelsFolder() / templateName).string() + " " +
                                out.string() + " " + arguments + " 2> /dev/null";
    const int status = std::system(command.c_str());
    return fs::exists(out) && status != -1 ? out : fs::path();
}

bool InYard(int cell)
{
    const int gx = cell / CBoard::kRows, gz = cell % CBoard::kRows;
    return gx <= 3 && gz >= 7 && gz <= 8;
}
} // namespace

TEST(LevelGenerator, AYardAddedToABoardChangesOnlyItsCellsAndIsWalledIn)
{
    const fs::path source = LevelsFolder() / "StdLevel25.txt";
    // Two rows of the free corner at the board's lower left: walls of the other yards above and on
    // its right, a free row below that has to become walls.
    const fs::path out = Generate("StdLevel25.txt", "5 1 2 3 1 --region 0 7 3 8 --positions 100");
    ASSERT_FALSE(out.empty());

    Floor before, after;
    std::map<int, bool> clearBefore, clearAfter;
    ASSERT_TRUE(LoadFloor(source, before, clearBefore));
    ASSERT_TRUE(LoadFloor(out, after, clearAfter));
    fs::remove(out);
    ASSERT_EQ(after.count(-1), 0u) << "everything stands on the floor";

    for (const auto& [cell, content] : before)
        if (!InYard(cell))
        {
            ASSERT_EQ(after.count(cell), 1u) << cell;
            EXPECT_EQ(after.at(cell), content) << cell;
        }
    int newColour = -1, cubesOfIt = 0;
    for (int colour = 0; colour < CPlayBlock::kColourCount; ++colour)
    {
        if (clearBefore[colour])
        {
            EXPECT_TRUE(clearAfter[colour]) << colour;
        }
        else if (clearAfter[colour])
        {
            EXPECT_EQ(newColour, -1) << "one new colour";
            newColour = colour;
        }
    }
    ASSERT_NE(newColour, -1);
    for (const auto& [cell, content] : after)
    {
        if (content < CPlayBlock::kTypeSmasher && CPlayBlock::ColourOfType(content) == newColour)
        {
            EXPECT_TRUE(InYard(cell)) << cell;
            ++cubesOfIt;
        }
        if (!InYard(cell) && !before.count(cell))
        {
            // Only the yard's surroundings change, and only to walls.
            const int gx = cell / CBoard::kRows, gz = cell % CBoard::kRows;
            EXPECT_TRUE(gx <= 4 && gz >= 6) << cell;
            EXPECT_EQ(content, kWallMark) << cell;
        }
    }
    EXPECT_EQ(cubesOfIt, 3);
    // No cube of the yard can leave it: every cell around it is a wall or held already.
    for (int gx = 0; gx <= 4; ++gx)
        for (int gz = 6; gz < CBoard::kRows; ++gz)
        {
            if (gx == 4 || gz == 6 || gz == 9)
            {
                EXPECT_EQ(after.count(gx * CBoard::kRows + gz), 1u) << gx << "," << gz;
            }
        }
}

TEST(LevelGenerator, AStackedBoardKeepsTheRaisedWallsAndStartsAtRestAsWritten)
{
    // The stairway: walls one, two and three cells high; two blockers more join its six cubes.
    const fs::path out = Generate("StdLevel19.txt", "7 1 30 3 2 --stacked --region 2 4 7 5 --positions 5000");
    ASSERT_FALSE(out.empty());
    XString before, after;
    ASSERT_TRUE(before.ReadFile((LevelsFolder() / "StdLevel19.txt").string().c_str()));
    ASSERT_TRUE(after.ReadFile(out.string().c_str()));
    fs::remove(out);
    CGameLevel original(nullptr), generated(nullptr);
    ASSERT_TRUE(original.LoadFromDocument("Gen_Before", before, true, false));
    ASSERT_TRUE(generated.LoadFromDocument("Gen_After", after, true, false));

    ASSERT_GE(generated.GetNumWalls(), original.GetNumWalls());
    for (int i = 0; i < original.GetNumWalls(); ++i)
    {
        plk::gfx::Vector3 min0, max0, min1, max1;
        original.GetWall(i).GetBounds(min0, max0);
        generated.GetWall(i).GetBounds(min1, max1);
        EXPECT_TRUE(min0.x == min1.x && min0.y == min1.y && min0.z == min1.z && max0.x == max1.x &&
                    max0.y == max1.y && max0.z == max1.z)
            << "wall " << i;
    }
    for (int colour = 0; colour < CPlayBlock::kColourCount; ++colour)
    {
        EXPECT_EQ(generated.GetRemoveToWin(colour), original.GetRemoveToWin(colour)) << colour;
    }
    // The template's cubes, moved into the yard, and two blockers that never match.
    std::vector<int> typesBefore, typesAfter;
    for (int i = 0; i < original.GetNumPlayBlocks(); ++i)
        typesBefore.push_back(original.GetPlayBlock(i).GetType());
    bool raised = false;
    for (int i = 0; i < generated.GetNumPlayBlocks(); ++i)
    {
        const CPlayBlock& cube = generated.GetPlayBlock(i);
        int gx = 0, gy = 0, gz = 0;
        CBoard::CellOf(cube.GetPosition(), gx, gy, gz);
        EXPECT_TRUE(gx >= 2 && gx <= 7 && gz >= 4 && gz <= 5) << gx << "," << gz;
        raised = raised || gy > 0;
        const auto same = std::find(typesBefore.begin(), typesBefore.end(), cube.GetType());
        if (same != typesBefore.end())
            typesBefore.erase(same);
        else
            typesAfter.push_back(cube.GetType());
    }
    EXPECT_TRUE(typesBefore.empty());
    ASSERT_EQ(typesAfter.size(), 2u);
    for (int type : typesAfter)
    {
        EXPECT_TRUE(type == CPlayBlock::kTypeStone || !original.GetRemoveToWin(CPlayBlock::ColourOfType(type)))
            << type;
    }
    EXPECT_TRUE(raised) << "one cube at least stands on something";
    EXPECT_EQ(generated.GetBlocksLeft(), original.GetBlocksLeft());

    // Played by the rules, the board stays as written: nothing falls, nothing clears.
    CLevelReplay replay("no-media/");
    ASSERT_TRUE(replay.LoadDocument("Solve_Stacked", after, 1));
    for (int frame = 0; frame < 40; ++frame)
        ASSERT_TRUE(replay.Frame());
    ASSERT_TRUE(replay.IsAtRest());
    ASSERT_EQ(replay.GetLevel().GetNumPlayBlocks(), generated.GetNumPlayBlocks());
    for (int i = 0; i < generated.GetNumPlayBlocks(); ++i)
    {
        const plk::gfx::Vector3 written = generated.GetPlayBlock(i).GetPosition();
        const CPlayBlock& played = replay.GetLevel().GetPlayBlock(i);
        EXPECT_EQ(played.GetState(), CPlayBlock::kStateOnBoard) << i;
        EXPECT_TRUE(played.GetPosition().x == written.x && played.GetPosition().y == written.y &&
                    played.GetPosition().z == written.z)
            << i;
    }
}
