// The automation options and the input-script format.
#include "engine/XEngineOptions.h"
#include "engine/XInputScript.h"
#include "platform/window/Events.h"
#include "platform/window/KeyCodes.h"

#include <gtest/gtest.h>

using Action = XInputScript::Action;

TEST(EngineOptions, TakesItsOwnOptionsAndLeavesTheRest)
{
    const char* argv[] = {"game", "--install-dir", "/opt/p", "--fixed-step", "20", "--max-frames", "300",
                          "--capture-dir", "shots\\", "--script", "run.txt", "--skip-dialog"};
    XEngineOptions options;
    XString error;
    ASSERT_TRUE(options.Parse(12, argv, error)) << error.GetBuffer();
    EXPECT_EQ(20u, options.fixedStepMs);
    EXPECT_EQ(300u, options.maxFrames);
    EXPECT_STREQ("shots\\", options.captureDir.GetBuffer());
    EXPECT_STREQ("run.txt", options.scriptFile.GetBuffer());
}

TEST(EngineOptions, RefusesMissingAndMalformedValues)
{
    const char* const cases[][2] = {{"--fixed-step", "0"}, {"--fixed-step", "-5"}, {"--max-frames", "12x"},
                                    {"--max-frames", ""}, {"--fixed-step", "99999999999"}};
    for (const auto& c : cases)
    {
        const char* argv[] = {"game", c[0], c[1]};
        XEngineOptions options;
        XString error;
        EXPECT_FALSE(options.Parse(3, argv, error)) << c[0] << " " << c[1];
        EXPECT_TRUE(error.StartsWith("Error: the option ")) << error.GetBuffer();
    }
    const char* last[] = {"game", "--script"};
    XEngineOptions options;
    XString error;
    EXPECT_FALSE(options.Parse(2, last, error));
    EXPECT_STREQ("Error: the option --script needs a value.", error.GetBuffer());
}

TEST(InputScript, ParsesEveryVerbInFrameOrder)
{
    XInputScript script;
    ASSERT_TRUE(script.Parse("# a comment\r\n"
                             "\n"
                             "5 keydown Escape\n"
                             "2 click 100 200\n"
                             "3 keyup return\n"
                             "4 move 7 8\n"
                             "4 down right\n"
                             "6 up middle\n"
                             "7 shot\n"
                             "9 quit\n"))
        << script.GetErrorMsg().GetBuffer();
    const auto& steps = script.GetSteps();
    ASSERT_EQ(10u, steps.size());
    // The click's release lands on the next frame, after the lines of frame 2 and before frame 4's.
    EXPECT_EQ(2u, steps[0].frame);
    EXPECT_EQ(Action::kMove, steps[0].action);
    EXPECT_EQ(100, steps[0].x);
    EXPECT_EQ(Action::kButtonDown, steps[1].action);
    EXPECT_EQ(plk::kMouseLeft, steps[1].button);
    EXPECT_EQ(3u, steps[2].frame);
    EXPECT_EQ(Action::kButtonUp, steps[2].action);
    EXPECT_EQ(Action::kKeyUp, steps[3].action);
    EXPECT_EQ(plk::kKeyReturn, steps[3].key);
    EXPECT_EQ(Action::kButtonDown, steps[5].action);
    EXPECT_EQ(plk::kMouseRight, steps[5].button);
    EXPECT_EQ(plk::kKeyEscape, steps[6].key);
    EXPECT_EQ(Action::kButtonUp, steps[7].action);
    EXPECT_EQ(plk::kMouseMiddle, steps[7].button);
    EXPECT_EQ(Action::kShot, steps[8].action);
    EXPECT_EQ(Action::kQuit, steps[9].action);
}

TEST(InputScript, TypePressesAndReleasesEachKeyWithShiftForCapitals)
{
    XInputScript script;
    ASSERT_TRUE(script.Parse("1 type aB 1\n")) << script.GetErrorMsg().GetBuffer();
    const auto& s = script.GetSteps();
    ASSERT_EQ(10u, s.size());
    EXPECT_EQ(0x1E, s[0].key); // a
    EXPECT_EQ(Action::kKeyDown, s[0].action);
    EXPECT_EQ(Action::kKeyUp, s[1].action);
    EXPECT_EQ(plk::kKeyLeftShift, s[2].key);
    EXPECT_EQ(0x30, s[3].key); // B
    EXPECT_EQ(plk::kKeyLeftShift, s[5].key);
    EXPECT_EQ(Action::kKeyUp, s[5].action);
    EXPECT_EQ(plk::kKeySpace, s[6].key);
    EXPECT_EQ(0x02, s[8].key); // 1
    for (const auto& step : s)
        EXPECT_EQ(1u, step.frame);
}

TEST(InputScript, BadLinesAreRefusedWithTheirNumberAndKeepNothing)
{
    XInputScript script;
    ASSERT_TRUE(script.Parse("1 shot\n"));
    const char* const bad[][2] = {
        {"1 shot\n2 keydown NoSuchKey\n", "line 2: unknown key name \"NoSuchKey\""},
        {"x shot\n", "line 1: the frame number \"x\" is not a number from 0 up"},
        {"-1 shot\n", "line 1: the frame number \"-1\" is not a number from 0 up"},
        {"1 click 10\n", "line 1: click needs two whole numbers X Y"},
        {"1 down thumb\n", "line 1: unknown mouse button \"thumb\" (left, right or middle)"},
        {"1 jump\n", "line 1: unknown verb \"jump\""},
        {"1 quit now\n", "line 1: quit takes no arguments"},
        {"1 type !\n", "line 1: no key types the character '!'"},
        {"1 pace\n", "line 1: pace needs a number of ms from 0 to 1000"},
        {"1 pace 1001\n", "line 1: pace needs a number of ms from 0 to 1000"},
        {"1 pace -5\n", "line 1: pace needs a number of ms from 0 to 1000"},
    };
    for (const auto& c : bad)
    {
        EXPECT_FALSE(script.Parse(c[0])) << c[0];
        EXPECT_TRUE(script.GetErrorMsg().Contains(c[1])) << script.GetErrorMsg().GetBuffer();
    }
    // The good script parsed first is still there after the failures.
    EXPECT_EQ(1u, script.GetSteps().size());
}

TEST(InputScript, ApplyReportsShotsOnlyOnTheirFrame)
{
    XInputScript script;
    ASSERT_TRUE(script.Parse("3 shot\n5 shot\n"));
    EXPECT_FALSE(script.Apply(0));
    EXPECT_TRUE(script.Apply(3));
    EXPECT_FALSE(script.Apply(3)); // each step is applied once
    EXPECT_FALSE(script.Apply(6)); // frame 5 was skipped over: dropped, not replayed late
}

TEST(InputScript, PaceHoldsFromItsFrameUntilTheNextPace)
{
    XInputScript script;
    ASSERT_TRUE(script.Parse("2 pace 15\n8 pace 0\n"));
    script.Apply(1);
    EXPECT_EQ(0u, script.GetPaceMs());
    script.Apply(2);
    EXPECT_EQ(15u, script.GetPaceMs());
    script.Apply(5);
    EXPECT_EQ(15u, script.GetPaceMs());
    script.Apply(8);
    EXPECT_EQ(0u, script.GetPaceMs());
}

TEST(InputScript, MissingFileIsAnError)
{
    XInputScript script;
    EXPECT_FALSE(script.Load("no-such-folder\\no-such-script.txt"));
    EXPECT_TRUE(script.GetErrorMsg().StartsWith("Error: in XInputScript::Load, the script file = "));
}
