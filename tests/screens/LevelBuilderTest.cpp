// The tool bar's buttons on a level model: hit tests, every edit with its limits, the cube type
// arithmetic, capacities, commands, and each edit as one undo step.
#include "game/CBoard.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "screens/CLevelBuilder.h"
#include "ui/UiLayout.h"

#include <gtest/gtest.h>

namespace
{

using Command = CLevelBuilder::Command;

struct Builder
{
    CGameLevel level{nullptr};

    Builder()
    {
        EXPECT_TRUE(level.LoadFromDocument(CGameLevel::kNewBuilderLevel, XString(), true, false));
        level.GetHistory().Reset(level);
    }

    Command Click(int entry) { return CLevelBuilder::ApplyButton(level, entry).command; }

    XString Document() const
    {
        XString out;
        level.WriteDocument(out, false, false);
        return out;
    }

    CPlayBlock& CubeOfType(int type)
    {
        EXPECT_EQ(Command::kNone, Click(23));
        CPlayBlock& cube = level.GetPlayBlock(level.GetNumPlayBlocks() - 1);
        cube.Init(nullptr, type, false);
        return cube;
    }
};

int Centre(int a, int b)
{
    return (a + b) / 2;
}

} // namespace

TEST(LevelBuilderBar, EveryButtonIsFoundAtItsCentreAndGapsHitNothing)
{
    for (int i = 0; i < plk::ui::kBuilderButtonCount; ++i)
    {
        const plk::ui::Box& box = plk::ui::kBuilderButtons[static_cast<size_t>(i)];
        if (box.Empty())
            continue;
        EXPECT_EQ(i, CLevelBuilder::ButtonAt(static_cast<float>(Centre(box.x1, box.x2)),
                                             static_cast<float>(Centre(box.y1, box.y2))))
            << i;
        EXPECT_FALSE(CLevelBuilder::Describe(i).IsEmpty()) << i;
    }
    // Between board tops 0 and 1, between two cube buttons, left of the fog buttons, under the bar's
    // last row, and the origin where the empty entries 44 and 45 lie.
    EXPECT_EQ(-1, CLevelBuilder::ButtonAt(41.0f, 120.0f));
    EXPECT_EQ(-1, CLevelBuilder::ButtonAt(28.0f, 380.0f));
    EXPECT_EQ(-1, CLevelBuilder::ButtonAt(60.0f, 250.0f));
    EXPECT_EQ(-1, CLevelBuilder::ButtonAt(200.0f, 766.0f));
    EXPECT_EQ(-1, CLevelBuilder::ButtonAt(0.0f, 0.0f));
    EXPECT_EQ(-1, CLevelBuilder::ButtonAt(600.0f, 400.0f));
    EXPECT_EQ(XString("Add a dark green cube"), CLevelBuilder::Describe(26));
    EXPECT_EQ(XString("Add a stone cube"), CLevelBuilder::Describe(40));
}

TEST(LevelBuilderBar, ClickBetweenButtonsOrOutOfTableChangesNothing)
{
    Builder b;
    const XString before = b.Document();
    EXPECT_EQ(Command::kNone, b.Click(-1));
    EXPECT_EQ(Command::kNone, b.Click(44));
    EXPECT_EQ(Command::kNone, b.Click(45));
    EXPECT_EQ(Command::kNone, b.Click(70));
    EXPECT_EQ(before, b.Document());
    EXPECT_FALSE(b.level.GetHistory().CanUndo());
}

TEST(LevelBuilderBar, WeatherButtonsAndFogLimits)
{
    Builder b;
    b.Click(11);
    b.Click(14);
    EXPECT_TRUE(b.level.IsFogEnabled());
    EXPECT_TRUE(b.level.IsRainEnabled());
    b.Click(10);
    EXPECT_FALSE(b.level.IsFogEnabled());
    EXPECT_FALSE(b.level.IsRainEnabled());
    for (int i = 0; i < 30; ++i)
        b.Click(12);
    EXPECT_EQ(220, b.level.GetFogAmount());
    for (int i = 0; i < 60; ++i)
        b.Click(13);
    EXPECT_EQ(-200, b.level.GetFogAmount());
    b.Click(12);
    EXPECT_EQ(-190, b.level.GetFogAmount());
}

TEST(LevelBuilderBar, BackgroundStepsStopAtBothEnds)
{
    Builder b;
    for (int i = 0; i < 60; ++i)
    {
        b.Click(64);
        b.Click(67);
        b.Click(68);
    }
    EXPECT_EQ(255, b.level.GetBgRed());
    EXPECT_EQ(0, b.level.GetBgGreen());
    EXPECT_EQ(255, b.level.GetBgBlue());
    for (int i = 0; i < 60; ++i)
    {
        b.Click(65);
        b.Click(66);
        b.Click(69);
    }
    EXPECT_EQ(0, b.level.GetBgRed());
    EXPECT_EQ(255, b.level.GetBgGreen());
    EXPECT_EQ(0, b.level.GetBgBlue());
    b.Click(64);
    EXPECT_EQ(5, b.level.GetBgRed());
}

TEST(LevelBuilderBar, BoardTopAndTerrainChooseTheirIds)
{
    Builder b;
    for (int k = 0; k < 5; ++k)
    {
        b.Click(k);
        EXPECT_EQ(k + 1, b.level.GetGameboardId());
        b.Click(5 + k);
        EXPECT_EQ(k + 1, b.level.GetTerrainId());
    }
}

TEST(LevelBuilderBar, AddButtonsAddTheirKindAndSelectIt)
{
    Builder b;
    const int cubeTypes[10] = {1, 0, 3, 2, 4, 9, 5, 8, 6, 7};
    for (int k = 0; k < 10; ++k)
    {
        b.Click(23 + k);
        ASSERT_EQ(k + 1, b.level.GetNumPlayBlocks());
        EXPECT_EQ(cubeTypes[k], b.level.GetPlayBlock(k).GetType());
        EXPECT_EQ(&b.level.GetPlayBlock(k), b.level.GetSelected());
    }
    const int specials[3] = {62, 60, 61};
    for (int k = 0; k < 3; ++k)
    {
        b.Click(40 + k);
        EXPECT_EQ(specials[k], b.level.GetPlayBlock(10 + k).GetType());
    }
    for (int w = 0; w < CWallBlock::kWallTypeCount; ++w)
    {
        b.Click(15 + w);
        EXPECT_EQ(w, b.level.GetWall(w).GetWallType());
    }
    b.Click(43);
    EXPECT_EQ(1, b.level.GetNumTeleporters());
    const int firstKinds[9] = {0, 12, 3, 4, 6, 8, 10, 13, 14};
    const int kindCounts[9] = {3, 1, 1, 2, 2, 2, 2, 1, 1};
    for (int k = 0; k < 9; ++k)
    {
        b.Click(46 + k);
        const int kind = b.level.GetFieldObject(k).GetObjType();
        EXPECT_GE(kind, firstKinds[k]) << k;
        EXPECT_LT(kind, firstKinds[k] + kindCounts[k]) << k;
    }
    // No two cubes or teleporters share a cell.
    for (int i = 0; i < b.level.GetNumPlayBlocks(); ++i)
        for (int j = i + 1; j < b.level.GetNumPlayBlocks(); ++j)
        {
            const plk::gfx::Vector3& a = b.level.GetPlayBlock(i).GetPosition();
            const plk::gfx::Vector3& c = b.level.GetPlayBlock(j).GetPosition();
            EXPECT_FALSE(a.x == c.x && a.y == c.y && a.z == c.z) << i << " " << j;
        }
}

TEST(LevelBuilderBar, CapacitiesHoldAndSaySo)
{
    Builder b;
    for (int i = 0; i < CGameLevel::kMaxTeleporters; ++i)
        ASSERT_TRUE(b.level.AddTeleporter());
    b.Click(43);
    EXPECT_EQ(CGameLevel::kMaxTeleporters, b.level.GetNumTeleporters());
    EXPECT_NE(-1, b.level.GetStatusMessage().Find("teleporters"));

    b.level.SetNumWalls(CGameLevel::kMaxWalls - 1);
    b.Click(15);
    EXPECT_EQ(CGameLevel::kMaxWalls - 1, b.level.GetNumWalls());
    EXPECT_NE(-1, b.level.GetStatusMessage().Find("walls"));

    b.level.SetNumPlayBlocks(CGameLevel::kMaxPlayBlocks - 1);
    b.Click(24);
    EXPECT_EQ(CGameLevel::kMaxPlayBlocks - 1, b.level.GetNumPlayBlocks());
    EXPECT_NE(-1, b.level.GetStatusMessage().Find("cubes"));

    b.level.SetNumFieldObjects(CGameLevel::kMaxFieldObjects);
    b.Click(47);
    EXPECT_EQ(CGameLevel::kMaxFieldObjects, b.level.GetNumFieldObjects());
    EXPECT_NE(-1, b.level.GetStatusMessage().Find("scenery"));
}

TEST(LevelBuilderBar, CubeTypeArithmeticOnEveryType)
{
    for (int type = 0; type < CPlayBlock::kTypeCount; ++type)
        for (int entry = 34; entry <= 39; ++entry)
        {
            Builder b;
            CPlayBlock& cube = b.CubeOfType(type);
            b.Click(entry);
            const int colour = type % 10;
            int expected = type;
            if (entry <= 36 && type <= 29)
                expected = (entry - 34) * 10 + colour;
            else if (entry == 37 && type <= 59)
                expected = type / 10 == 4 ? colour : colour + 40;
            else if (entry == 38 && type <= 59)
                expected = type / 10 == 3 ? colour : colour + 30;
            else if (entry == 39 && type <= 59)
                expected = type / 10 == 5 ? colour : colour + 50;
            EXPECT_EQ(expected, cube.GetType()) << "type " << type << " entry " << entry;
        }
}

TEST(LevelBuilderBar, SelectionButtonsNeedTheirKindSelected)
{
    Builder b;
    b.Click(15);
    CWallBlock& wall = b.level.GetWall(0);
    const XString withWall = b.Document();
    for (int entry = 33; entry <= 39; ++entry)
        b.Click(entry);
    EXPECT_EQ(withWall, b.Document());
    b.Click(22);
    EXPECT_TRUE(wall.IsAlphaBlend());
    b.Click(22);
    EXPECT_FALSE(wall.IsAlphaBlend());

    b.Click(25);
    CPlayBlock& cube = b.level.GetPlayBlock(0);
    const XString withCube = b.Document();
    b.Click(22);
    EXPECT_EQ(withCube, b.Document());
    b.Click(33);
    EXPECT_TRUE(cube.IsColourCycling());
    EXPECT_GE(cube.GetColourOffset(), 0);
    EXPECT_LE(cube.GetColourOffset(), 9);

    b.level.ClearSelection();
    const XString none = b.Document();
    for (int entry : {22, 33, 34, 35, 36, 37, 38, 39})
        b.Click(entry);
    EXPECT_EQ(none, b.Document());
}

TEST(LevelBuilderBar, CommandsAreLeftToTheFlowAndEditNothing)
{
    Builder b;
    const XString before = b.Document();
    const struct
    {
        int entry;
        MenuMode mode;
    } menus[] = {{55, MenuMode::EditTime},    {56, MenuMode::EditObjective}, {57, MenuMode::EditLevelName},
                 {58, MenuMode::ChooseMusic}, {59, MenuMode::LoadLevel},     {60, MenuMode::SaveLevel}};
    for (const auto& m : menus)
    {
        const CLevelBuilder::Outcome outcome = CLevelBuilder::ApplyButton(b.level, m.entry);
        EXPECT_EQ(Command::kMenu, outcome.command);
        EXPECT_EQ(m.mode, outcome.menu);
    }
    EXPECT_EQ(Command::kNewLevel, b.Click(61));
    EXPECT_EQ(Command::kTestPlay, b.Click(62));
    EXPECT_EQ(Command::kExit, b.Click(63));
    EXPECT_EQ(before, b.Document());
}

TEST(LevelBuilderBar, EachEditIsOneUndoStepAndTheTitleMarksUnsavedWork)
{
    Builder b;
    b.level.SetLevelName("Garden");
    b.level.GetHistory().Reset(b.level);
    EXPECT_EQ(XString("Garden"), CLevelBuilder::Title(b.level));
    const XString start = b.Document();
    b.Click(64);
    b.Click(23);
    const XString edited = b.Document();
    EXPECT_EQ(XString("Garden *"), CLevelBuilder::Title(b.level));
    ASSERT_TRUE(b.level.GetHistory().Undo(b.level));
    ASSERT_TRUE(b.level.GetHistory().Undo(b.level));
    EXPECT_EQ(start, b.Document());
    EXPECT_EQ(XString("Garden"), CLevelBuilder::Title(b.level));
    EXPECT_FALSE(b.level.GetHistory().Undo(b.level));
    ASSERT_TRUE(b.level.GetHistory().Redo(b.level));
    ASSERT_TRUE(b.level.GetHistory().Redo(b.level));
    EXPECT_EQ(edited, b.Document());
}
