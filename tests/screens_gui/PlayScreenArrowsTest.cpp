// Which arrows the play screen offers for the selected cube, on a level built in the test.
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "screens/CPlayScreen.h"

#include <gtest/gtest.h>

namespace
{
const int kUp = 0, kDown = 1, kPlusX = 2, kMinusX = 3, kPlusZ = 4, kMinusZ = 5;

CPlayBlock& AddCube(CGameLevel& level, int type, int gx, int gy, int gz)
{
    int index = level.GetNumPlayBlocks();
    level.SetNumPlayBlocks(index + 1);
    CPlayBlock& block = level.GetPlayBlock(index);
    block.Init(nullptr, type, false);
    block.SetPosition(CBoard::CellCentre(gx, gy, gz));
    level.GetBoard().AddBody(&block);
    return block;
}
} // namespace

TEST(PlayScreenArrows, FreeAndTeleporterSidesOnlyAndNoneUnderAnotherCube)
{
    CGameLevel level(nullptr);
    level.SetDifficulty(2);
    CPlayBlock& edge = AddCube(level, 0, 0, 0, 4);
    AddCube(level, 3, 1, 0, 4);
    CPlayBlock& under = AddCube(level, 5, 6, 0, 6);
    AddCube(level, 8, 6, 1, 6);
    level.SetNumTeleporters(2);
    level.GetTeleporter(0).Init(nullptr);
    level.GetTeleporter(0).SetPosition(CBoard::CellCentre(0, 0, 5));
    level.GetBoard().AddBody(&level.GetTeleporter(0));
    level.GetTeleporter(1).Init(nullptr);
    level.GetTeleporter(1).SetPosition(CBoard::CellCentre(9, 0, 9));
    level.GetBoard().AddBody(&level.GetTeleporter(1));
    CBoard::PlayLevelFrame(level, 25.0f);

    CPlayScreen screen(&level, false, "Arrows", false);
    EXPECT_EQ(screen.OfferedArrows(), (std::array<bool, 6>{})) << "nothing selected";

    level.SetSelected(&edge);
    std::array<bool, 6> offered = screen.OfferedArrows();
    EXPECT_FALSE(offered[kUp]);
    EXPECT_FALSE(offered[kDown]);
    EXPECT_FALSE(offered[kPlusX]) << "a cube beside it";
    EXPECT_FALSE(offered[kMinusX]) << "the board's edge";
    EXPECT_TRUE(offered[kPlusZ]) << "a teleporter takes the cube";
    EXPECT_TRUE(offered[kMinusZ]);

    level.SetSelected(&under);
    EXPECT_EQ(screen.OfferedArrows(), (std::array<bool, 6>{})) << "a cube on top holds it down";

    EXPECT_FLOAT_EQ(CPlayScreen::kDirections[kPlusX].x * 8.0f, 80.0f) << "a push is 80 units per second";
}
