// The tutorial series played through in the real program by clicking each lesson's recorded
// solution, to the closing note. The spare-cube lesson drops its spares where the random draws
// of the run put them, so the run saves the game there; the pushes that finish the lesson are
// searched from the saved board, and a second run loads the game and plays on to the end.
#include "game/CGameLevel.h"
#include "tests/e2e/run/RunChecks.h"
#include "tests/e2e/run/RunScript.h"
#include "tests/e2e/run/ScreenPoints.h"
#include "tests/e2e/run/SolutionScript.h"
#include "tests/e2e/run/TitleRun.h"
#include "tools/levelsolve/LevelSolver.h"

#include <gtest/gtest.h>

#include <string>

using namespace ScreenPoints;

namespace
{

// The first lesson's start card is up this long after the tutorial button.
const int kFirstCardUp = 80;
// Spares dropped from the top of the board have landed and rested after this many frames.
const int kSparesLanded = 150;
// "AutoSave" sorts before the lesson's save in the saved-games list.
const int kSaveRow = 1;
const char* const kSaveName = "lesson5";
const char* const kSpareLesson = "__Lrn5";

// The moves of a solution before its first push: the spare drops.
CLevelSolution DropsOf(const CLevelSolution& solution)
{
    CLevelSolution drops;
    for (const SolutionMove& move : solution.GetMoves())
    {
        if (move.kind != SolutionMove::kDrop)
            break;
        drops.AddMove(move);
    }
    return drops;
}

// Appends the shipped lessons first..last, the first card up on frame card; returns the frame on
// which the screen after the last lesson is up, or -1 after a failure has been recorded.
int AppendLessons(const TitleRun& run, int first, int last, int card, RunScript& script)
{
    for (int lesson = first; lesson <= last && card >= 0; ++lesson)
    {
        const std::string name = "__Lrn" + std::to_string(lesson);
        CLevelSolution solution;
        if (!ReadShippedSolution(name, solution))
        {
            ADD_FAILURE() << name << ": " << solution.GetErrorMsg().GetBuffer();
            return -1;
        }
        std::string error;
        card = AppendLevel(run.DataFolder(), XString(name.c_str()), solution, card, script, error);
        if (card < 0)
            ADD_FAILURE() << error;
    }
    return card;
}

} // namespace

TEST(TutorialRun, EveryLessonIsWonByClicksUpToTheTutorialsEnd)
{
    TitleRun run;

    // First run: lessons one to four, then the spare lesson's drops, saved and left.
    RunScript first;
    first.Click(kTitleFrame, kTutorialX, kTutorialY);
    int card = AppendLessons(run, 1, 4, kTitleFrame + kFirstCardUp, first);
    ASSERT_GE(card, 0);
    CLevelSolution spareLesson;
    ASSERT_TRUE(ReadShippedSolution(kSpareLesson, spareLesson));
    SolutionScript drops(run.DataFolder());
    first.Key(card, "Space");
    ASSERT_TRUE(drops.LoadLevel(XString(kSpareLesson), card + 2)) << drops.GetError();
    ASSERT_TRUE(drops.AppendMoves(DropsOf(spareLesson), first)) << drops.GetError();
    const int save = drops.GetRunFrame() + kSparesLanded;
    first.Shot(save - 1);
    const int title = first.SaveAndExit(save, kSaveName);
    first.Key(title, "Escape");
    ASSERT_EQ(0, run.Run(first.Text(), title + 100));
    ExpectCleanLog(run);

    CGameLevel saved(nullptr);
    ASSERT_TRUE(run.ReadSavedGame(kSaveName, saved)) << saved.GetErrorMsg().GetBuffer();
    ASSERT_STREQ(kSpareLesson, saved.GetLevelFileName().GetBuffer()) << "lessons one to four were won";
    EXPECT_EQ(2, saved.GetExBlocksAdded()) << "both spares were dropped";
    XString document;
    saved.WriteDocument(document, true, false);
    CLevelSolver solver(run.DataFolder());
    CLevelSolver::Limits limits;
    limits.maxPushes = 6;
    ASSERT_EQ(CLevelSolver::kSolved, solver.Solve(XString("Solve_Lesson"), document, limits, CLevelSolution()))
        << "the spares landed where no pushes finish the lesson: " << solver.GetErrorMsg().GetBuffer();

    // Second run: the saved lesson loaded from the title, finished, and the rest of the series.
    RunScript second;
    card = second.LoadFromTitle(kTitleFrame, kSaveRow);
    second.Key(card, "Space");
    SolutionScript finish(run.DataFolder());
    ASSERT_TRUE(finish.LoadDocument(document, card + 2)) << finish.GetError();
    ASSERT_TRUE(finish.AppendMoves(solver.GetSolution(), second)) << finish.GetError();
    ASSERT_TRUE(finish.PlayToEnd()) << finish.GetError();
    second.Shot(finish.GetRunFrame() + 59);
    second.Key(finish.GetRunFrame() + 60, "Space");
    const int end = AppendLessons(run, 6, 8, finish.GetRunFrame() + 160, second);
    ASSERT_GE(end, 0);
    second.Shot(end + 50);
    second.Key(end + 60, "Space");
    second.Key(end + 60 + kTitleAgain, "Escape");
    ASSERT_EQ(0, run.Run(second.Text(), end + 400));

    // One shot per lesson's complete card, then the closing note in place of the play view.
    const auto shots = run.Shots();
    ASSERT_EQ(5u, shots.size());
    EXPECT_FALSE(IsBlueColumn(run.ShotPixel(4, 4, 300))) << "the tutorial's end replaces the play view";
    CGameLevel autoSave(nullptr);
    ASSERT_TRUE(run.ReadSavedGame(CGameLevel::kAutoSaveName, autoSave));
    EXPECT_STREQ("__Lrn8", autoSave.GetLevelFileName().GetBuffer()) << "the last lesson was reached";
    ExpectCleanLog(run);
}
