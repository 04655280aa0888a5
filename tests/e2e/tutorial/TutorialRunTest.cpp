// The tutorial series played through in the real program by clicking each lesson's recorded
// solution, to the closing note. The spare lesson's solution drops its spares and then pushes
// them where the headless replay of the same seed landed them: the run wins it only when the
// program's rules draw exactly what the replay's do, whatever the screen's effects draw.
#include "game/CGameLevel.h"
#include "tests/e2e/run/RunChecks.h"
#include "tests/e2e/run/RunScript.h"
#include "tests/e2e/run/ScreenPoints.h"
#include "tests/e2e/run/SolutionScript.h"
#include "tests/e2e/run/TitleRun.h"

#include <gtest/gtest.h>

#include <string>

using namespace ScreenPoints;

namespace
{

// The first lesson's start card is up this long after the tutorial button.
const int kFirstCardUp = 80;
const int kLessons = 8;

} // namespace

TEST(TutorialRun, EveryLessonIsWonByClicksUpToTheTutorialsEnd)
{
    TitleRun run;
    RunScript script;
    script.Click(kTitleFrame, kTutorialX, kTutorialY);
    int card = kTitleFrame + kFirstCardUp;
    for (int lesson = 1; lesson <= kLessons && card >= 0; ++lesson)
    {
        const std::string name = "__Lrn" + std::to_string(lesson);
        CLevelSolution solution;
        ASSERT_TRUE(ReadShippedSolution(name, solution)) << name << ": " << solution.GetErrorMsg().GetBuffer();
        std::string error;
        card = AppendLevel(run.DataFolder(), XString(name.c_str()), solution, card, script, error);
        ASSERT_GE(card, 0) << error;
    }
    script.Shot(card + 50);
    script.Key(card + 60, "Space");
    script.Key(card + 60 + kTitleAgain, "Escape");
    ASSERT_EQ(0, run.Run(script.Text(), card + 400));

    // One shot per lesson's complete card, then the closing note in place of the play view.
    const auto shots = run.Shots();
    ASSERT_EQ(static_cast<size_t>(kLessons + 1), shots.size());
    EXPECT_FALSE(IsBlueColumn(run.ShotPixel(kLessons, 4, 300))) << "the tutorial's end replaces the play view";
    CGameLevel autoSave(nullptr);
    ASSERT_TRUE(run.ReadSavedGame(CGameLevel::kAutoSaveName, autoSave));
    EXPECT_STREQ("__Lrn8", autoSave.GetLevelFileName().GetBuffer()) << "every lesson before the last was won";
    ExpectCleanLog(run);
}
