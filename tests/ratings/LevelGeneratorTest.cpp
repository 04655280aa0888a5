// The level generator's chambers: a yard added to a finished board changes only its own cells,
// is walled in, brings a colour of its own and leaves the template's puzzle as it was.
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

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

bool InYard(int cell)
{
    const int gx = cell / CBoard::kRows, gz = cell % CBoard::kRows;
    return gx <= 3 && gz >= 7 && gz <= 8;
}
} // namespace

TEST(LevelGenerator, AYardAddedToABoardChangesOnlyItsCellsAndIsWalledIn)
{
    const char* generator = std::getenv("PLK_LEVELGEN");
    ASSERT_NE(generator, nullptr);
    const fs::path source = fs::path(std::getenv("PLK_SOURCE_DIR")) / "content" / "levels" / "StdLevel25.txt";
    const fs::path out = fs::temp_directory_path() / ("plk-levelgen-" + std::to_string(::getpid()) + ".txt");
    // Two rows of the free corner at the board's lower left: walls of the other yards above and on
    // its right, a free row below that has to become walls.
    const std::string command = std::string(generator) + " " + source.string() + " " + out.string() +
                                " 5 1 2 3 1 --region 0 7 3 8 --positions 100 2> /dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(fs::exists(out)) << "exit status " << status;

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
