// Whole-game runs of the level builder: from the title into the builder, a level built with the
// tool bar, named and saved, found again after leaving for the title; a level test-played and won
// by clicks that comes back to the builder intact; a deletion and a move undone; a damaged last
// edited level that opens an empty one and stays as it was; and a winnable level built by hand,
// with the tool bar, the arrow keys and a real mouse drag, test-played, won and found again.
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "tests/e2e/run/BoardView.h"
#include "tests/e2e/run/OwnDisplay.h"
#include "tests/e2e/run/RunChecks.h"
#include "tests/e2e/run/RunScript.h"
#include "tests/e2e/run/ScreenPoints.h"
#include "tests/e2e/run/SolutionScript.h"
#include "tests/e2e/run/TitleRun.h"
#include "ui/UiLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

using namespace ScreenPoints;
namespace fs = std::filesystem;

namespace
{

// The title's Level Builder plaque.
const float kBuilderX = 768, kBuilderY = 500;
// The builder is up this long after a full change to it.
const int kBuilderUp = 70;
// Tool-bar clicks are this far apart; a prompt is up this long after its button.
const int kClickStep = 10;
const int kPromptUp = 30;
// The difficulty card after Test Play, and the start card after the choice.
const int kDifficultyUp = 80;
const int kStartCardUp = 50;
// The play view takes the key that closes the start card a frame after it.
const int kPlayAfterCard = 2;
// The summary is up this long after the level's end.
const int kSummaryUp = 60;

// Tool-bar entries.
const int kAddWall0 = 15;
const int kAddRedCube = 30; // the eighth cube button adds type 8
const int kEditLevelName = 57;
const int kSaveLevel = 60;
const int kTestPlay = 62;
const int kExit = 63;
const int kRed = 8;
// A window pixel inside the status bar's score panel, beside the tool bar's board-top buttons.
const int kPanelProbeX = 160, kPanelProbeY = 97;

float ButtonX(int entry)
{
    const plk::ui::Box& b = plk::ui::kBuilderButtons[static_cast<size_t>(entry)];
    return static_cast<float>(b.x1 + b.x2) / 2.0f;
}

float ButtonY(int entry)
{
    const plk::ui::Box& b = plk::ui::kBuilderButtons[static_cast<size_t>(entry)];
    return static_cast<float>(b.y1 + b.y2) / 2.0f;
}

// Shot n shows the builder's tool bar: its light blue where the status bar has its dark score panel.
bool ShowsToolBar(const TitleRun& run, size_t n)
{
    const Rgb c = run.ShotPixel(n, kPanelProbeX, kPanelProbeY);
    return IsBlueColumn(run.ShotPixel(n, 4, 300)) && c.b > 180;
}

bool ShowsStatusBar(const TitleRun& run, size_t n)
{
    const Rgb c = run.ShotPixel(n, kPanelProbeX, kPanelProbeY);
    return IsBlueColumn(run.ShotPixel(n, 4, 300)) && c.b < 130;
}

// Types text into an open prompt a few characters a frame, as the input keeps only so many
// typed characters of one frame, and accepts it; returns the frame after the Return. A piece
// never starts with a blank, which the script would take for the space before its text.
int TypeAndAccept(RunScript& script, int frame, const std::string& text)
{
    const size_t kPerFrame = 4;
    std::string piece;
    for (char c : text)
    {
        if (piece.size() >= kPerFrame && c != ' ')
        {
            script.Type(frame++, piece);
            piece.clear();
        }
        piece += c;
    }
    script.Type(frame, piece);
    script.Key(frame + 10, "Return");
    return frame + 20;
}

void ClickButton(RunScript& script, int frame, int entry)
{
    script.Click(frame, ButtonX(entry), ButtonY(entry));
}

// Leaves the builder with its Exit button; returns the frame on which the title is up again.
int ExitBuilder(RunScript& script, int frame)
{
    ClickButton(script, frame, kExit);
    return frame + kTitleAgain;
}

// Reads a level of the run's levels folder as the builder does.
bool ReadLevel(const TitleRun& run, const char* name, CGameLevel& level)
{
    level.SetDataFolder(run.DataFolder());
    return level.Load(XString(name), true, false);
}

std::string Bytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using Cell = std::array<int, 3>;

// The level of the test plays: three red cubes in a row with a gap, so that pushing the lone one
// toward the pair makes a group of three and clears the board.
const std::vector<Cell> kThreeReds = {{2, 0, 3}, {3, 0, 3}, {5, 0, 3}};

// From the test play's first frame past its start card: wins the three reds by pushing the lone
// cube to the pair, shoots the summary, goes back to the builder (a shot), exits to the title,
// opens the builder again (a shot), exits and presses Escape on the title. Returns the frame of
// that Escape, or -1 with the reason in error when the win could not be planned.
int WinTestPlayAndComeBack(const TitleRun& run, const std::string& document, RunScript& script, int frame,
                           std::string& error)
{
    SolutionScript planner(run.DataFolder());
    CLevelSolution solution;
    SolutionMove push;
    push.gx = kThreeReds[2][0];
    push.gz = kThreeReds[2][2];
    push.dx = -1;
    solution.AddMove(push);
    if (!planner.LoadDocument(XString(document.c_str()), frame + kPlayAfterCard) ||
        !planner.AppendMoves(solution, script))
    {
        error = planner.GetError();
        return -1;
    }
    if (!planner.PlayToEnd())
    {
        error = "pushing the lone red cube to the pair does not win: " + planner.GetError();
        return -1;
    }
    frame = planner.GetRunFrame() + kSummaryUp;
    script.Shot(frame);
    script.Key(frame, "Space");
    frame += kBuilderUp + 30;
    script.Shot(frame);
    frame = ExitBuilder(script, frame + kClickStep);
    script.Click(frame, kBuilderX, kBuilderY);
    frame += kBuilderUp;
    script.Shot(frame);
    frame = ExitBuilder(script, frame + kClickStep);
    script.Key(frame, "Escape");
    return frame;
}

std::string WriteThreeReds(TitleRun& run, float timeLimitMs = 120000.0f)
{
    run.OwnLevels();
    CGameLevel author(nullptr);
    author.SetDataFolder(run.DataFolder());
    author.LoadFromDocument(XString(CGameLevel::kNewBuilderLevel), XString(), true, false);
    author.SetLevelName("Three Reds");
    author.SetTimeLeft(timeLimitMs);
    for (const Cell& c : kThreeReds)
        author.AddBlock(kRed, c[0], c[1], c[2]);
    author.Save(XString(CGameLevel::kLastEditedName), false);
    XString document;
    author.WriteDocument(document, false, false);
    return document.GetBuffer();
}

// The document of the three-red level as the builder makes it, without writing it anywhere.
std::string ThreeRedsDocument(TitleRun& run)
{
    CGameLevel author(nullptr);
    author.SetDataFolder(run.DataFolder());
    author.LoadFromDocument(XString(CGameLevel::kNewBuilderLevel), XString(), true, false);
    for (const Cell& c : kThreeReds)
        author.AddBlock(kRed, c[0], c[1], c[2]);
    XString document;
    author.WriteDocument(document, false, false);
    return document.GetBuffer();
}

// Presses a key count times, a few frames apart so that each is read as a press of its own;
// returns the frame after the last.
int Press(RunScript& script, int frame, const char* key, int count)
{
    const int kKeyStep = 3;
    for (int i = 0; i < count; ++i, frame += kKeyStep)
        script.Key(frame, key);
    return frame;
}

// Holds Ctrl for key: undo with Z, redo with Y.
void Ctrl(RunScript& script, int frame, const char* key)
{
    script.KeyDown(frame, "Left Ctrl");
    script.Key(frame + 1, key);
    script.KeyUp(frame + 3, "Left Ctrl");
}

std::vector<Cell> CubeCells(CGameLevel& level)
{
    std::vector<Cell> cells;
    for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
    {
        Cell c{};
        CBoard::CellOf(level.GetPlayBlock(i).GetPosition(), c[0], c[1], c[2]);
        cells.push_back(c);
    }
    return cells;
}

} // namespace

TEST(BuilderRun, LevelBuiltWithTheToolBarIsNamedSavedAndFoundAgainFromTheTitle)
{
    TitleRun run;
    run.OwnLevels();
    RunScript script;
    int frame = kTitleFrame;
    script.Click(frame, kBuilderX, kBuilderY);
    frame += kBuilderUp;
    ClickButton(script, frame, kAddWall0);
    // The new wall is selected: its handles and arrows show.
    frame += 20;
    script.Shot(frame);
    frame += kClickStep;
    for (int i = 0; i < 3; ++i, frame += kClickStep)
        ClickButton(script, frame, kAddRedCube);
    ClickButton(script, frame, kEditLevelName);
    frame = TypeAndAccept(script, frame + kPromptUp, "Built by a test");
    ClickButton(script, frame, kSaveLevel);
    frame = TypeAndAccept(script, frame + kPromptUp, "MyBuilt");
    script.Shot(frame);
    frame = ExitBuilder(script, frame + kClickStep);
    script.Shot(frame);
    script.Click(frame + kClickStep, kBuilderX, kBuilderY);
    frame += kClickStep + kBuilderUp;
    script.Shot(frame);
    frame = ExitBuilder(script, frame + kClickStep);
    script.Key(frame, "Escape");
    ASSERT_EQ(0, run.Run(script.Text(), frame + 100));

    CGameLevel saved(nullptr);
    ASSERT_TRUE(ReadLevel(run, "MyBuilt", saved)) << saved.GetErrorMsg().GetBuffer();
    EXPECT_STREQ("Built by a test", saved.GetLevelName().GetBuffer());
    ASSERT_EQ(3, saved.GetNumPlayBlocks());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(kRed, saved.GetPlayBlock(i).GetType());
    EXPECT_EQ(1, saved.GetNumWalls());

    CGameLevel last(nullptr);
    ASSERT_TRUE(ReadLevel(run, CGameLevel::kLastEditedName, last)) << last.GetErrorMsg().GetBuffer();
    EXPECT_STREQ("Built by a test", last.GetLevelName().GetBuffer());
    EXPECT_EQ(3, last.GetNumPlayBlocks());
    EXPECT_EQ(1, last.GetNumWalls());
    EXPECT_EQ(CubeCells(saved), CubeCells(last));

    ASSERT_EQ(4u, run.Shots().size());
    EXPECT_TRUE(ShowsToolBar(run, 0));
    EXPECT_TRUE(ShowsToolBar(run, 1));
    const Rgb sky = run.ShotPixel(2, 60, 150);
    EXPECT_GT(sky.b, sky.r) << "the title between the two visits";
    EXPECT_TRUE(ShowsToolBar(run, 3)) << "the builder again";
    ExpectCleanLog(run);
}

TEST(BuilderRun, TestPlayWonByClicksReturnsToTheBuilderWithTheLevelIntact)
{
    TitleRun run;
    const std::string document = WriteThreeReds(run);

    RunScript script;
    int frame = kTitleFrame;
    script.Click(frame, kBuilderX, kBuilderY);
    frame += kBuilderUp;
    script.Shot(frame);
    ClickButton(script, frame + kClickStep, kTestPlay);
    frame += kClickStep + kDifficultyUp;
    script.Click(frame, kDifficultyX[0], kDifficultyY);
    frame += kStartCardUp;
    script.Key(frame, "Space");

    std::string error;
    frame = WinTestPlayAndComeBack(run, document, script, frame, error);
    ASSERT_GE(frame, 0) << error;
    ASSERT_EQ(0, run.Run(script.Text(), frame + 100));

    ASSERT_EQ(4u, run.Shots().size());
    EXPECT_TRUE(ShowsToolBar(run, 0));
    EXPECT_TRUE(ShowsStatusBar(run, 1)) << "the test's summary over the status bar";
    EXPECT_TRUE(ShowsToolBar(run, 2)) << "back in the builder";
    EXPECT_TRUE(ShowsToolBar(run, 3)) << "the builder from the title";
    CGameLevel last(nullptr);
    ASSERT_TRUE(ReadLevel(run, CGameLevel::kLastEditedName, last)) << last.GetErrorMsg().GetBuffer();
    EXPECT_STREQ("Three Reds", last.GetLevelName().GetBuffer());
    EXPECT_EQ(kThreeReds, CubeCells(last)) << "the cubes the test play cleared are all back";
    EXPECT_EQ(0, last.GetTotalScore());
    ExpectCleanLog(run);
}

TEST(BuilderRun, TimeOutAndTheStatusBarsExitLeadBackToTheBuilder)
{
    TitleRun run;
    // Three seconds, four at the easy difficulty: the test play runs out of time untouched.
    WriteThreeReds(run, 3000.0f);
    const int kGameOverUp = 300;
    auto testPlay = [](RunScript& script, int frame) {
        ClickButton(script, frame, kTestPlay);
        frame += kDifficultyUp;
        script.Click(frame, kDifficultyX[0], kDifficultyY);
        frame += kStartCardUp;
        script.Key(frame, "Space");
        return frame + kPlayAfterCard;
    };

    RunScript script;
    int frame = kTitleFrame;
    script.Click(frame, kBuilderX, kBuilderY);
    frame = testPlay(script, frame + kBuilderUp) + kGameOverUp;
    script.Shot(frame);
    script.Key(frame + kClickStep, "N");
    frame += kClickStep + kBuilderUp + 30;
    script.Shot(frame);
    frame = testPlay(script, frame + kClickStep) + 20;
    script.Click(frame, kBarX, kExitY);
    frame += kBuilderUp + 30;
    script.Shot(frame);
    ASSERT_EQ(0, run.Run(script.Text(), frame + 20));

    ASSERT_EQ(3u, run.Shots().size());
    EXPECT_FALSE(ShowsToolBar(run, 0) || ShowsStatusBar(run, 0)) << "the game-over screen";
    EXPECT_TRUE(ShowsToolBar(run, 1)) << "No after the time-out returns to the builder";
    EXPECT_TRUE(ShowsToolBar(run, 2)) << "the status bar's Exit returns to the builder";
    CGameLevel last(nullptr);
    ASSERT_TRUE(ReadLevel(run, CGameLevel::kLastEditedName, last)) << last.GetErrorMsg().GetBuffer();
    EXPECT_EQ(kThreeReds, CubeCells(last));
    EXPECT_FLOAT_EQ(3000.0f, last.GetTimeLeft()) << "the limit, not what the test left of it";
    ExpectCleanLog(run);
}

TEST(BuilderRun, DeletionAndMoveAreUndoneAndTheMoveRedone)
{
    TitleRun run;
    const std::string document = WriteThreeReds(run);
    CGameLevel shown(nullptr);
    shown.SetDataFolder(run.DataFolder());
    ASSERT_TRUE(shown.LoadFromDocument(XString("Shown"), XString(document.c_str()), true, false));
    BoardView view(shown, RunScript::kWidth, RunScript::kHeight);
    view.SetCubes(kThreeReds);
    int x = 0, y = 0;
    ASSERT_TRUE(view.CubeTop(kThreeReds[2], x, y));

    RunScript script;
    int frame = kTitleFrame;
    script.Click(frame, kBuilderX, kBuilderY);
    frame += kBuilderUp;
    script.ClickPixel(frame, x, y);
    script.Key(frame + kClickStep, "Delete");
    frame += 2 * kClickStep;
    script.Shot(frame);
    // Ctrl+Z brings the cube back where it was.
    auto ctrl = [&script](int at, const char* key) {
        script.KeyDown(at, "Left Ctrl");
        script.Key(at + 1, key);
        script.KeyUp(at + 3, "Left Ctrl");
    };
    ctrl(frame + kClickStep, "Z");
    frame += 2 * kClickStep;
    script.ClickPixel(frame, x, y);
    script.Key(frame + kClickStep, "PageUp");
    frame += 2 * kClickStep;
    ctrl(frame, "Z");
    ctrl(frame + kClickStep, "Y");
    frame += 2 * kClickStep;
    script.Shot(frame);
    frame = ExitBuilder(script, frame + kClickStep);
    script.Key(frame, "Escape");
    ASSERT_EQ(0, run.Run(script.Text(), frame + 100));

    CGameLevel last(nullptr);
    ASSERT_TRUE(ReadLevel(run, CGameLevel::kLastEditedName, last)) << last.GetErrorMsg().GetBuffer();
    const std::vector<Cell> cells = CubeCells(last);
    ASSERT_EQ(3u, cells.size()) << "the deleted cube is back";
    EXPECT_EQ(kThreeReds[0], cells[0]);
    EXPECT_EQ(kThreeReds[1], cells[1]);
    EXPECT_EQ((Cell{5, 1, 3}), cells[2]) << "lifted a cell by Page Up, undone and redone";
    ExpectCleanLog(run);
}

TEST(BuilderRun, DamagedLastEditedLevelOpensAnEmptyLevelAndStaysAsItWas)
{
    TitleRun run;
    WriteThreeReds(run);
    const fs::path lastFile = run.Install() / "data" / "levels" / "_LAST3D1T_L3V3L.dat";
    fs::resize_file(lastFile, fs::file_size(lastFile) / 2);
    const std::string damaged = Bytes(lastFile);

    RunScript script;
    script.Click(kTitleFrame, kBuilderX, kBuilderY);
    const int builder = kTitleFrame + kBuilderUp;
    script.Shot(builder);
    // The run ends in the builder: nothing was written since it opened.
    ASSERT_EQ(0, run.Run(script.Text(), builder + 20));

    EXPECT_EQ(damaged, Bytes(lastFile)) << "opening never writes the damaged file";
    ASSERT_EQ(1u, run.Shots().size());
    EXPECT_TRUE(ShowsToolBar(run, 0)) << "the builder, not the load-failure card";
    int lines = 0;
    for (const std::string& line : run.LogLines())
        if (line.find("CPlayScreen::MyInit, m_pLevel->OpenInBuilder failed.") != std::string::npos)
            ++lines;
    EXPECT_EQ(1, lines) << "the reason is logged once";
}

// The whole way of a player: cubes added with the tool bar land on free cells of the board's
// choosing, so the arrow keys first push each against the board's edges and then count cells from
// there; the lone cube is dragged into place with the real mouse, which xdotool moves while the
// script waits. The level is named, saved, test-played and won by clicks, and is there again in
// the builder after the test and after the title.
TEST(BuilderRun, LevelBuiltByHandIsSavedWonInATestPlayAndFoundAgain)
{
    // The real mouse belongs to a display: on the one the suite's runs share it would reach any
    // game's window that lies under it, and the search for the window could find another run's.
    ASSERT_TRUE(OwnDisplay::Start(1280, 1024)) << "Xvfb did not start";
    struct DisplayStop
    {
        ~DisplayStop() { OwnDisplay::Stop(); }
    } displayStop;
    TitleRun run;
    run.OwnLevels();
    const std::string document = ThreeRedsDocument(run);
    CGameLevel shown(nullptr);
    shown.SetDataFolder(run.DataFolder());
    ASSERT_TRUE(shown.LoadFromDocument(XString("Shown"), XString(document.c_str()), true, false));
    BoardView view(shown, RunScript::kWidth, RunScript::kHeight);
    // The lone cube is built at the far row and dragged to its place beside the pair.
    const Cell farCell = {5, 0, 9};
    view.SetCubes({kThreeReds[0], kThreeReds[1], farCell});
    int farX = 0, farY = 0, toX = 0, toY = 0;
    ASSERT_TRUE(view.CubeTop(farCell, farX, farY));
    view.SetCubes({kThreeReds[0], kThreeReds[1]});
    ASSERT_TRUE(view.CubeTop(kThreeReds[2], toX, toY));

    RunScript script;
    int frame = kTitleFrame;
    script.Click(frame, kBuilderX, kBuilderY);
    frame += kBuilderUp;
    // The board is 10 by 10 cells and 7 high; the camera looks along +z, so Up is +z, Right +x.
    ClickButton(script, frame, kAddRedCube);
    frame = Press(script, frame + kClickStep, "PageDown", 7);
    frame = Press(script, frame, "Left", 10);
    frame = Press(script, frame, "Down", 10);
    frame = Press(script, frame, "Right", kThreeReds[0][0]);
    frame = Press(script, frame, "Up", kThreeReds[0][2]);
    // The others travel over the first at the top layer and come down on their column.
    ClickButton(script, frame, kAddRedCube);
    frame = Press(script, frame + kClickStep, "PageUp", 7);
    frame = Press(script, frame, "Left", 10);
    frame = Press(script, frame, "Down", 10);
    frame = Press(script, frame, "Right", kThreeReds[1][0]);
    frame = Press(script, frame, "Up", kThreeReds[1][2]);
    frame = Press(script, frame, "PageDown", 7);
    ClickButton(script, frame, kAddRedCube);
    frame = Press(script, frame + kClickStep, "PageUp", 7);
    frame = Press(script, frame, "Left", 10);
    frame = Press(script, frame, "Down", 10);
    frame = Press(script, frame, "Right", farCell[0]);
    frame = Press(script, frame, "Up", farCell[2]);
    frame = Press(script, frame, "PageDown", 7);
    // A deletion undone, then a move undone; an undo leaves nothing selected.
    script.Key(frame, "Delete");
    Ctrl(script, frame + kClickStep, "Z");
    frame += 2 * kClickStep;
    script.ClickPixel(frame, farX, farY);
    script.Key(frame + kClickStep, "Left");
    Ctrl(script, frame + 2 * kClickStep, "Z");
    frame += 3 * kClickStep;
    // The drag happens while the script waits after this shot, its frames paced to real time: 15
    // seconds for a drag that takes about 6, each of its steps spanning several frames.
    script.Shot(frame);
    const int kDragFrames = 1000;
    const int kDragFrameMs = 15;
    script.Pace(frame, kDragFrameMs);
    frame += kDragFrames;
    script.Pace(frame, 0);
    script.Shot(frame);
    ClickButton(script, frame + kClickStep, kEditLevelName);
    frame = TypeAndAccept(script, frame + kClickStep + kPromptUp, "Won by hand");
    ClickButton(script, frame, kSaveLevel);
    frame = TypeAndAccept(script, frame + kPromptUp, "ByHand");
    ClickButton(script, frame, kTestPlay);
    frame += kDifficultyUp;
    script.Click(frame, kDifficultyX[0], kDifficultyY);
    frame += kStartCardUp;
    script.Key(frame, "Space");

    std::string error;
    frame = WinTestPlayAndComeBack(run, document, script, frame, error);
    ASSERT_GE(frame, 0) << error;

    // The drag: press on the lone cube, move over the cell beside the pair in a few steps, hold
    // there while the cube walks a cell a frame, release.
    std::atomic<bool> runDone{false};
    std::atomic<bool> dragged{false};
    std::thread dragger([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        size_t shots = 0;
        while (!runDone && shots == 0 && std::chrono::steady_clock::now() < deadline)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            try
            {
                shots = run.Shots().size();
            }
            catch (const fs::filesystem_error&)
            {
                shots = 0;
            }
        }
        const std::string window = OwnDisplay::Output("xdotool search --name 'Plinkett3 v1.0' | head -n 1");
        if (runDone || shots == 0 || window.empty())
            return;
        std::string command = "xdotool mousemove --window " + window + " " + std::to_string(farX) + " " +
                              std::to_string(farY) + " sleep 0.5 mousedown 1 sleep 1";
        const int kSteps = 6;
        for (int i = 1; i <= kSteps; ++i)
            command += " mousemove --window " + window + " " + std::to_string(farX + (toX - farX) * i / kSteps) + " " +
                       std::to_string(farY + (toY - farY) * i / kSteps) + " sleep 0.3";
        command += " sleep 3 mouseup 1";
        dragged = std::system(command.c_str()) == 0;
    });
    const int status = run.Run(script.Text(), frame + 100);
    runDone = true;
    dragger.join();
    ASSERT_EQ(0, status);
    EXPECT_TRUE(dragged) << "xdotool dragged the cube";

    CGameLevel saved(nullptr);
    ASSERT_TRUE(ReadLevel(run, "ByHand", saved)) << saved.GetErrorMsg().GetBuffer();
    EXPECT_STREQ("Won by hand", saved.GetLevelName().GetBuffer());
    EXPECT_EQ(kThreeReds, CubeCells(saved)) << "the deleted cube is back, its move undone, then dragged";
    for (int i = 0; i < saved.GetNumPlayBlocks(); ++i)
        EXPECT_EQ(kRed, saved.GetPlayBlock(i).GetType());
    EXPECT_EQ(1, saved.GetGameboardId()) << "a new level stands on a board top";
    EXPECT_EQ(1, saved.GetTerrainId());
    CGameLevel last(nullptr);
    ASSERT_TRUE(ReadLevel(run, CGameLevel::kLastEditedName, last)) << last.GetErrorMsg().GetBuffer();
    EXPECT_STREQ("Won by hand", last.GetLevelName().GetBuffer());
    EXPECT_EQ(kThreeReds, CubeCells(last)) << "the cubes the test play cleared are all back";

    ASSERT_EQ(5u, run.Shots().size());
    EXPECT_TRUE(ShowsToolBar(run, 0));
    EXPECT_TRUE(ShowsToolBar(run, 1));
    EXPECT_TRUE(ShowsStatusBar(run, 2)) << "the won test's summary over the status bar";
    EXPECT_TRUE(ShowsToolBar(run, 3)) << "back in the builder";
    EXPECT_TRUE(ShowsToolBar(run, 4)) << "the builder from the title";
    ExpectCleanLog(run);
}
