// The real program from start to the title and on: splash, title, Esc, a new game's first cards.
#include "tests/e2e/run/TitleRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

namespace
{

// The splash comes up behind the start fade and leaves after 4001 ms; by frame 300 of 20 ms the
// title has been up for a while under any input.
const char* const kTitleScript = "300 shot\n"
                                 "310 keydown Escape\n"
                                 "312 keyup Escape\n"
                                 "# never reached when Esc ended the program\n"
                                 "360 shot\n";

// Mean absolute difference of the colour channels of two shots over a pixel rectangle.
double MeanDifference(const TitleBitmap& a, const TitleBitmap& b, int x1, int y1, int x2, int y2)
{
    double sum = 0.0;
    int count = 0;
    for (int y = y1; y < y2; y += 2)
        for (int x = x1; x < x2; x += 2)
        {
            int ra, ga, ba, rb, gb, bb;
            a.Pixel(x, y, ra, ga, ba);
            b.Pixel(x, y, rb, gb, bb);
            sum += std::abs(ra - rb) + std::abs(ga - gb) + std::abs(ba - bb);
            count += 3;
        }
    return count ? sum / count : 0.0;
}

// Pixels of a shot at 800 x 600 bright enough to be the menus' white text, over a rectangle
// given in the 1024 x 768 design's units.
int BrightPixels(const TitleBitmap& shot, float x1, float y1, float x2, float y2)
{
    const float scale = 800.0f / 1024.0f;
    int bright = 0;
    for (int y = static_cast<int>(y1 * scale); y < static_cast<int>(y2 * scale); ++y)
        for (int x = static_cast<int>(x1 * scale); x < static_cast<int>(x2 * scale); ++x)
        {
            int r, g, b;
            shot.Pixel(x, y, r, g, b);
            if (r > 200 && g > 200 && b > 200)
                ++bright;
        }
    return bright;
}

int ErrorLines(const std::vector<std::string>& lines)
{
    int errors = 0;
    for (const std::string& line : lines)
        if (line.rfind("Error", 0) == 0 || line.rfind("Fatal", 0) == 0)
            ++errors;
    return errors;
}

TEST(TitleTest, SplashLeadsToTheTitleAndEscEndsTheProgramWithItsLogLines)
{
    TitleRun run;
    ASSERT_EQ(0, run.Run(kTitleScript, 1000));

    const std::vector<std::string> log = run.LogLines();
    ASSERT_EQ(5u, log.size());
    EXPECT_EQ("----------- WinMain Game Startup... Plinkett v1.0 -------------", log[0]);
    EXPECT_TRUE(std::regex_match(log[1], std::regex(R"(Date and time: \d\d/\d\d/\d{4} \d\d:\d\d:\d\d)"))) << log[1];
    EXPECT_TRUE(std::regex_match(log[2], std::regex(R"(Video mode: 800 x 600, \d+ bits, windowed)"))) << log[2];
    EXPECT_TRUE(std::regex_match(
        log[3], std::regex(R"(Frame pacing: \d+ frames, mean [0-9.]+ ms, standard deviation [0-9.]+ ms, vsync \w+)")))
        << log[3];
    EXPECT_EQ("----------- Game exiting normally -------------", log[4]);

    const auto shots = run.Shots();
    ASSERT_EQ(1u, shots.size()) << "Esc on the title must end the program before the second shot";
    TitleBitmap title;
    ASSERT_TRUE(TitleRun::ReadBitmap(shots[0], title));
    EXPECT_EQ(800, title.width) << "no VideoMode.xml: the default mode";
    EXPECT_EQ(600, title.height);
    // The sky of the title picture at the top left, and black where row C leaves its corners out.
    int r, g, b;
    title.Pixel(60, 150, r, g, b);
    EXPECT_GT(b, r) << "sky expected at (60, 150)";
    title.Pixel(60, 550, r, g, b);
    EXPECT_LT(r + g + b, 30) << "the left corner of the bottom row is black";
}

TEST(TitleTest, EscThatClosesAMenuOverTheTitleDoesNotEndTheProgram)
{
    // Load Game at design (254, 504) is pixel (199, 394) at 800 x 600.
    const char* const script = "300 click 199 394\n"
                               "340 keydown Escape\n341 keyup Escape\n"
                               "360 shot\n"
                               "370 keydown Escape\n372 keyup Escape\n"
                               "400 shot\n";
    TitleRun run;
    ASSERT_EQ(0, run.Run(script, 1000));
    EXPECT_EQ(1u, run.Shots().size()) << "the first Esc closes the list only, the second ends the program";
    EXPECT_EQ(5u, run.LogLines().size()) << "start banner, date, video mode, frame pacing, exit";
}

TEST(TitleTest, NewGameAsksForTheDifficultyThenShowsTheLevelStartCard)
{
    // 800 x 600: New Game at design (511, 330) is pixel (399, 258); the medium option at design
    // (640, 310) is pixel (500, 242).
    const char* const script = "60 keydown Return\n61 keyup Return\n"
                               "130 click 399 258\n"
                               "200 shot\n"
                               "210 click 500 242\n"
                               "260 shot\n"
                               "270 keydown Space\n271 keyup Space\n"
                               "320 shot\n";
    TitleRun run;
    // Without level sets a new game starts the standard series at once.
    run.HideData("Upg.xml");
    ASSERT_EQ(0, run.Run(script, 330));
    const std::vector<std::string> log = run.LogLines();
    EXPECT_EQ(0, ErrorLines(log));
    ASSERT_EQ(3u, run.Shots().size());

    TitleBitmap difficulty, start, play;
    ASSERT_TRUE(TitleRun::ReadBitmap(run.Shots()[0], difficulty));
    ASSERT_TRUE(TitleRun::ReadBitmap(run.Shots()[1], start));
    ASSERT_TRUE(TitleRun::ReadBitmap(run.Shots()[2], play));
    // The level-start card covers the middle of the play view; once a key was pressed the view
    // there changes a great deal, and the difficulty card looked different from the start card.
    EXPECT_GT(MeanDifference(start, play, 275, 192, 725, 442), 10.0) << "the level-start card is gone after a key";
    EXPECT_GT(MeanDifference(difficulty, start, 275, 192, 725, 442), 10.0) << "the start card followed the choice";
    int r, g, b;
    difficulty.Pixel(500, 270, r, g, b);
    EXPECT_GT(b, r) << "the difficulty card's translucent blue lies over the view";
}

TEST(TitleTest, LevelSetListHasAHeadingRowsClearOfTheFrameAndAHighlightUnderTheMouse)
{
    // The list's frame is 512 x 576 design units centred on the screen: its top left is (256, 96).
    // Under the heading the rows start 64 units down and 30 apart: the standard levels at 160 to
    // 185, the shipped set at 190 to 215. Mouse on the second row, then on the first.
    const char* const script = "60 keydown Return\n61 keyup Return\n"
                               "130 click 399 258\n"
                               "200 move 250 158\n"
                               "210 shot\n"
                               "220 move 250 135\n"
                               "230 shot\n";
    TitleRun run;
    ASSERT_EQ(0, run.Run(script, 240));
    ASSERT_EQ(2u, run.Shots().size());
    TitleBitmap onSet, onStandard;
    ASSERT_TRUE(TitleRun::ReadBitmap(run.Shots()[0], onSet));
    ASSERT_TRUE(TitleRun::ReadBitmap(run.Shots()[1], onStandard));

    EXPECT_GT(BrightPixels(onStandard, 264, 118, 664, 150), 100) << "the heading";
    EXPECT_EQ(0, BrightPixels(onStandard, 264, 100, 664, 114)) << "nothing touches the frame's top edge";
    // The entries sit under the heading; the hovered one is drawn in the hover colour, not white.
    EXPECT_GT(BrightPixels(onSet, 264, 160, 664, 185), 50) << "the standard levels' row under the heading";
    EXPECT_GT(BrightPixels(onStandard, 264, 190, 664, 215), 50) << "the level set's row below it";
    // The bar behind the hovered row, seen in the padding left of the text, where the fill is the
    // same in both shots.
    int setR, setG, setB, plainR, plainG, plainB;
    onSet.Pixel(211, 158, setR, setG, setB);
    onStandard.Pixel(211, 158, plainR, plainG, plainB);
    EXPECT_GT(setR + setG, plainR + plainG + 60) << "the hovered level set has a bar behind it";
    onStandard.Pixel(211, 135, setR, setG, setB);
    onSet.Pixel(211, 135, plainR, plainG, plainB);
    EXPECT_GT(setR + setG, plainR + plainG + 60) << "the bar follows the mouse to the first row";
    EXPECT_EQ(0, ErrorLines(run.LogLines()));
}

} // namespace
