// Undo and redo of whole level documents: every kind of edit comes back byte for byte, the
// steps are bounded, and the unsaved marker follows the saved step.
#include "game/CBoard.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CLevelHistory.h"
#include "game/CPlayBlock.h"
#include "game/CWallBlock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace
{

XString Document(const CGameLevel& level)
{
    XString out;
    level.WriteDocument(out, false, false);
    return out;
}

struct Edited
{
    CGameLevel level{nullptr};
    CLevelHistory& history = level.GetHistory();

    Edited()
    {
        EXPECT_TRUE(level.LoadFromDocument(CGameLevel::kNewBuilderLevel, XString(), true, false));
        history.Reset(level);
    }
};

} // namespace

TEST(LevelHistory, EveryKindOfEditUndoesAndRedoesByteForByte)
{
    Edited e;
    CGameLevel& level = e.level;
    const std::vector<std::function<void()>> edits = {
        [&] { level.AddWall(2); },
        [&] { level.AddCube(5); },
        [&] { level.AddTeleporter(); },
        [&] { level.AddFieldObject(4); },
        [&] { level.SetSelected(&level.GetWall(0)); level.ResizeSelectedWall(1, 0, 0); },
        [&] { level.SetSelected(&level.GetWall(0)); level.MoveSelected(-1, 0, 0); },
        [&] { level.SetSelected(&level.GetFieldObject(0)); level.TurnSelectedScenery(15.0f); },
        [&] { level.AdjustBgRed(-1); },
        [&] { level.SetFogAmount(40); },
        [&] { level.SetTimeLeft(125000.0f); },
        [&] { level.SetObjective("Clear the reds"); },
        [&] { level.SetLevelName("Garden"); },
        [&] { level.SetLevelMusic("Music02.ogg"); },
        [&] { level.DeleteObject(&level.GetPlayBlock(0)); },
    };
    std::vector<XString> states{Document(level)};
    for (const auto& edit : edits)
    {
        edit();
        EXPECT_TRUE(e.history.Record(level));
        states.push_back(Document(level));
        EXPECT_NE(states[states.size() - 2], states.back());
    }
    for (size_t i = states.size() - 1; i > 0; --i)
    {
        ASSERT_TRUE(e.history.Undo(level));
        EXPECT_EQ(states[i - 1], Document(level)) << "undo to step " << i - 1;
    }
    EXPECT_FALSE(e.history.Undo(level));
    for (size_t i = 1; i < states.size(); ++i)
    {
        ASSERT_TRUE(e.history.Redo(level));
        EXPECT_EQ(states[i], Document(level)) << "redo to step " << i;
    }
    EXPECT_FALSE(e.history.Redo(level));
}

TEST(LevelHistory, AnEditThatChangedNothingIsNoStep)
{
    Edited e;
    EXPECT_FALSE(e.history.Record(e.level));
    EXPECT_FALSE(e.history.CanUndo());
    EXPECT_FALSE(e.history.IsModified());
}

TEST(LevelHistory, ANewEditDropsTheStepsUndoneBeforeIt)
{
    Edited e;
    e.level.AdjustBgRed(1);
    e.history.Record(e.level);
    e.level.AdjustBgRed(1);
    e.history.Record(e.level);
    ASSERT_TRUE(e.history.Undo(e.level));
    e.level.AdjustBgGreen(-1);
    e.history.Record(e.level);
    EXPECT_FALSE(e.history.CanRedo());
    ASSERT_TRUE(e.history.Undo(e.level));
    EXPECT_EQ(60, e.level.GetBgRed());
    EXPECT_EQ(120, e.level.GetBgGreen());
}

TEST(LevelHistory, KeepsTheLastStepsOnly)
{
    Edited e;
    const int edits = static_cast<int>(CLevelHistory::kMaxSteps) + 50;
    for (int i = 1; i <= edits; ++i)
    {
        e.level.SetFogAmount(i);
        e.history.Record(e.level);
    }
    EXPECT_EQ(CLevelHistory::kMaxSteps + 1, e.history.GetStepCount());
    int undone = 0;
    while (e.history.Undo(e.level))
        ++undone;
    EXPECT_EQ(static_cast<int>(CLevelHistory::kMaxSteps), undone);
    EXPECT_EQ(edits - static_cast<int>(CLevelHistory::kMaxSteps), e.level.GetFogAmount());
    // The saved state fell out of the history: every step left is unsaved.
    EXPECT_TRUE(e.history.IsModified());
}

TEST(LevelHistory, UnsavedMarkerFollowsTheSavedStep)
{
    Edited e;
    EXPECT_FALSE(e.history.IsModified());
    e.level.AdjustBgBlue(-1);
    e.history.Record(e.level);
    EXPECT_TRUE(e.history.IsModified());
    e.history.MarkSaved();
    EXPECT_FALSE(e.history.IsModified());
    e.history.Undo(e.level);
    EXPECT_TRUE(e.history.IsModified());
    e.history.Redo(e.level);
    EXPECT_FALSE(e.history.IsModified());
    // Undoing past the save and editing anew loses the saved step for good.
    e.history.Undo(e.level);
    e.level.AdjustBgRed(1);
    e.history.Record(e.level);
    EXPECT_TRUE(e.history.IsModified());
    e.history.Undo(e.level);
    EXPECT_TRUE(e.history.IsModified());
    e.history.Reset(e.level);
    EXPECT_FALSE(e.history.IsModified());
    EXPECT_FALSE(e.history.CanUndo());
}

TEST(LevelHistory, UndoKeepsTheCameraWhereThePlayerTurnedIt)
{
    Edited e;
    e.level.AdjustBgRed(1);
    e.history.Record(e.level);
    e.level.AdjustCamera(10.0f, 30.0f, 20.0f);
    const float tilt = e.level.GetCameraTilt(), angle = e.level.GetCameraAngle(), zoom = e.level.GetCameraZoom();
    ASSERT_TRUE(e.history.Undo(e.level));
    EXPECT_FLOAT_EQ(tilt, e.level.GetCameraTilt());
    EXPECT_FLOAT_EQ(angle, e.level.GetCameraAngle());
    EXPECT_FLOAT_EQ(zoom, e.level.GetCameraZoom());
}

TEST(LevelHistory, AFullLevelUndoesByteForByteAndShowsItsFigures)
{
    Edited e;
    CGameLevel& level = e.level;
    for (int i = 0; i < 600; ++i)
    {
        level.SetNumPlayBlocks(i + 1);
        CPlayBlock& cube = level.GetPlayBlock(i);
        cube.Init(nullptr, i % 10, false);
        cube.SetPosition(CBoard::CellCentre(i % 10, (i / 100) % 7, (i / 10) % 10));
    }
    e.history.Reset(level);
    const XString full = Document(level);
    using Clock = std::chrono::steady_clock;
    double editMs = 0.0, undoMs = 0.0;
    const int rounds = 5;
    for (int i = 0; i < rounds; ++i)
    {
        const XString before = Document(level);
        const auto t0 = Clock::now();
        level.AdjustBgRed(i % 2 == 0 ? 1 : -1);
        ASSERT_TRUE(e.history.Record(level));
        const auto t1 = Clock::now();
        ASSERT_TRUE(e.history.Undo(level));
        const auto t2 = Clock::now();
        ASSERT_EQ(before, Document(level));
        ASSERT_TRUE(e.history.Redo(level));
        editMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
        undoMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    editMs /= rounds;
    undoMs /= rounds;
    std::printf("600 cubes: edit + snapshot %.3f ms, undo %.3f ms, document %u bytes\n", editMs, undoMs,
                Document(level).GetLength());
    // Timings are figures to read, not to fail on: sanitizer builds run many times slower.
    int undone = 0;
    while (e.history.Undo(level))
        ++undone;
    EXPECT_EQ(rounds, undone);
    EXPECT_EQ(full, Document(level));
}
