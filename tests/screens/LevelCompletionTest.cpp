// The level-complete card: its lines at each difficulty, the next-level rule over real files, the
// banking of the score, and when a score is due for posting.
#include "game/CGameLevel.h"
#include "screens/CGameComplete.h"
#include "screens/CTutorialEnd.h"
#include "screens/LevelCompletion.h"
#include "tests/screens/ScreensTestFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string Str(const XString& text)
{
    return std::string(text.GetBuffer(), text.GetLength());
}

// A finished level: 12 cubes removed for 1000 points, 3 spares dropped, 100 s of its limit left
// and 5000 points banked from earlier levels.
void Finish(CGameLevel& level, int difficulty)
{
    level.SetDifficulty(difficulty);
    level.SetTimeLeft(100000.0f);
    level.SetTimeAdjusted(false);
    level.SetBlockScore(1000);
    level.SetNumBlocksRemoved(12);
    level.SetExBlocksAdded(3);
    level.SetTotalScore(5000);
}

struct CardCase
{
    int difficulty;
    const char* penaltyLabel;
    const char* values[CLevelCompletion::kLineCount];
};

} // namespace

TEST(LevelCompleteCard, LinesAtEachDifficulty)
{
    // Easy: 140 s left, bonus 140 x 10 x 0.5; hard: 70 s left, bonus 70 x 10 x 1.5.
    const CardCase cases[] = {
        {1, "- Penalty (3 X -100): ", {"12", "1000", "700", "-300", "1400", "6400"}},
        {2, "- Penalty (3 X -200): ", {"12", "1000", "1000", "-600", "1400", "6400"}},
        {3, "- Penalty (3 X -300): ", {"12", "1000", "1050", "-900", "1150", "6150"}},
    };
    const char* labels[] = {"Total blocks removed: ", "Block score: ",  "Time remaining score:", nullptr,
                            "Level score: ",          "Total player score: "};
    for (const CardCase& c : cases)
    {
        CGameLevel level(nullptr);
        Finish(level, c.difficulty);
        const auto lines = CLevelCompletion::Lines(level);
        for (int i = 0; i < CLevelCompletion::kLineCount; ++i)
        {
            EXPECT_EQ(labels[i] ? labels[i] : c.penaltyLabel, Str(lines[i].label))
                << "difficulty " << c.difficulty << " line " << i;
            EXPECT_EQ(c.values[i], Str(lines[i].value)) << "difficulty " << c.difficulty << " line " << i;
            EXPECT_EQ(i == 3 ? CLevelCompletion::kPenaltyColour : CLevelCompletion::kLineColour, lines[i].colour);
        }
    }
}

TEST(LevelCompleteCard, TimeFactorIsAppliedOnceAcrossDraws)
{
    CGameLevel level(nullptr);
    Finish(level, 3);
    CLevelCompletion::Lines(level);
    const auto again = CLevelCompletion::Lines(level);
    EXPECT_EQ("1050", Str(again[2].value));
    EXPECT_EQ(70000.0f, level.GetTimeLeft());
}

TEST(LevelCompleteCard, NoSparesDroppedShowsAZeroPenalty)
{
    CGameLevel level(nullptr);
    Finish(level, 2);
    level.SetExBlocksAdded(0);
    const auto lines = CLevelCompletion::Lines(level);
    EXPECT_EQ("- Penalty (0 X -200): ", Str(lines[3].label));
    EXPECT_EQ("0", Str(lines[3].value));
}

TEST(LevelCompleteCard, TotalsNearTheTopOfTheRangeShowTheLargestNumber)
{
    CGameLevel level(nullptr);
    Finish(level, 3);
    level.SetTotalScore(2147483000);
    level.SetBlockScore(2147483000);
    // A damaged save's spare count: the penalty is as large as a number can be, not wrapped.
    level.SetExBlocksAdded(2000000000);
    const auto lines = CLevelCompletion::Lines(level);
    EXPECT_EQ("-2147483647", Str(lines[3].value));
    EXPECT_EQ("403", Str(lines[4].value)) << "2147483000 + 1050 - 2147483647";
    level.SetExBlocksAdded(0);
    const auto clean = CLevelCompletion::Lines(level);
    EXPECT_EQ("0", Str(clean[3].value));
    EXPECT_EQ("2147483647", Str(clean[4].value));
    EXPECT_EQ("2147483647", Str(clean[5].value));
}

TEST(NextLevel, NameIsThePartBeforeTheFirstDigitAndTheNextNumber)
{
    EXPECT_EQ("StdLevel8", Str(CLevelCompletion::NextLevelName(XString("StdLevel7"), 8)));
    EXPECT_EQ("MySet4", Str(CLevelCompletion::NextLevelName(XString("MySet3b"), 4)));
    EXPECT_EQ("__Lrn2", Str(CLevelCompletion::NextLevelName(XString("__Lrn1"), 2)));
    EXPECT_EQ("StdLevel10", Str(CLevelCompletion::NextLevelName(XString("StdLevel9"), 10)));
    EXPECT_EQ("", Str(CLevelCompletion::NextLevelName(XString("Finale"), 1)));
}

class NextLevelRule : public ::testing::Test
{
protected:
    CLevelCompletion::Next Decide(const char* fileName, unsigned curLevel, std::string& next)
    {
        CGameLevel level(nullptr);
        level.SetDataFolder(folder.DataFolder());
        level.SetLevelFileName(XString(fileName));
        level.SetCurLevel(curLevel);
        XString nextName;
        const CLevelCompletion::Next result = CLevelCompletion::Decide(level, nextName);
        next = Str(nextName);
        return result;
    }

    ScreensTestFolder folder;
};

TEST_F(NextLevelRule, SeriesGoesOnWhileTheNextFileExists)
{
    folder.TouchLevel("StdLevel8");
    folder.TouchLevel("castle2");
    std::string next;
    EXPECT_EQ(CLevelCompletion::Next::kNextLevel, Decide("StdLevel7", 7, next));
    EXPECT_EQ("StdLevel8", next);
    // Level sets are named like any series; file names match in any case.
    EXPECT_EQ(CLevelCompletion::Next::kNextLevel, Decide("Castle1", 1, next));
    EXPECT_EQ("Castle2", next);
}

TEST_F(NextLevelRule, SeriesEndsWithTheGameCompleteScreen)
{
    folder.TouchLevel("MyLevel1");
    std::string next;
    EXPECT_EQ(CLevelCompletion::Next::kGameComplete, Decide("StdLevel25", 25, next));
    EXPECT_EQ("", next);
    EXPECT_EQ(CLevelCompletion::Next::kGameComplete, Decide("Finale", 0, next));
    // Level 0 ends its series even though a file with the next number exists.
    EXPECT_EQ(CLevelCompletion::Next::kGameComplete, Decide("MyLevel0", 0, next));
}

TEST_F(NextLevelRule, LastTutorialLeadsToTheTutorialEnd)
{
    folder.TouchLevel("__Lrn5");
    std::string next;
    EXPECT_EQ(CLevelCompletion::Next::kNextLevel, Decide("__Lrn4", 4, next));
    EXPECT_EQ(CLevelCompletion::Next::kTutorialEnd, Decide("__Lrn5", 5, next));
    EXPECT_EQ(CLevelCompletion::Next::kTutorialEnd, Decide("__lrn5", 5, next));
}

TEST_F(NextLevelRule, FinishBanksTheLevelOnlyWhenALevelFollows)
{
    folder.TouchLevel("StdLevel2");
    CGameLevel level(nullptr);
    level.SetDataFolder(folder.DataFolder());
    level.SetLevelFileName(XString("StdLevel1"));
    level.SetCurLevel(1);
    XString next;
    EXPECT_EQ(CLevelCompletion::Next::kNextLevel, CLevelCompletion::Finish(level, CScoreLogin(), next));
    EXPECT_TRUE(level.GetAddLevelToTotal());

    // After the last level nothing reads the mark: left set, it would give the next new game
    // (or a saved game resumed from the title) the finished level's total.
    level.SetLevelFileName(XString("StdLevel2"));
    level.SetCurLevel(2);
    EXPECT_EQ(CLevelCompletion::Next::kGameComplete, CLevelCompletion::Finish(level, CScoreLogin(), next));
    EXPECT_FALSE(level.GetAddLevelToTotal());
}

TEST_F(NextLevelRule, GameCompleteHeadsTheCreditsWithTheTotalTheCardShowed)
{
    CGameLevel level(nullptr);
    level.SetDataFolder(folder.DataFolder());
    level.SetLevelFileName(XString("StdLevel25"));
    level.SetCurLevel(25);
    Finish(level, 3);
    const std::string cardTotal = Str(CLevelCompletion::Lines(level)[5].value);
    XString next;
    ASSERT_EQ(CLevelCompletion::Next::kGameComplete, CLevelCompletion::Finish(level, CScoreLogin(), next));
    // The last level's own 1150 points are in it, though no next level banked them.
    EXPECT_EQ("6150", cardTotal);
    const std::string text = Str(CGameComplete(&level).GetText());
    EXPECT_EQ(0u, text.rfind("Your final score: 6150\r\n\r\nCongratulations!", 0)) << text;
    EXPECT_EQ(std::string::npos, Str(CTutorialEnd(&level).GetText()).find("final score")) << "tutorials have no score";
}

TEST(ScorePosting, DueOnlyForASignedLevelWithACompleteLogin)
{
    CGameLevel written(nullptr);
    written.SetCurLevel(3);
    XString doc;
    written.WriteDocument(doc, false, false);
    std::string text = Str(doc);
    text.replace(text.find("<Signature></Signature>"), 23, "<Signature>Vantorel Software</Signature>");
    text.replace(text.find("<SignatureKey></SignatureKey>"), 29, "<SignatureKey>k3y</SignatureKey>");

    CGameLevel level(nullptr);
    ASSERT_TRUE(level.LoadFromDocument(XString("StdLevel3"), XString(text.c_str()), false, false));
    level.SetGameSession(XString("StdLevel_2026"));

    CScoreLogin login;
    EXPECT_FALSE(CLevelCompletion::ScorePostingTrigger(level, login)) << "no one logged in";
    login.userName = "player";
    login.ticket = "t1";
    login.uploadScores = true;
    EXPECT_TRUE(CLevelCompletion::ScorePostingTrigger(level, login));

    login.uploadScores = false;
    EXPECT_FALSE(CLevelCompletion::ScorePostingTrigger(level, login)) << "uploads off";
    login.uploadScores = true;
    level.SetGameSession(XString());
    EXPECT_FALSE(CLevelCompletion::ScorePostingTrigger(level, login)) << "no game session";

    CGameLevel unsigned_(nullptr);
    ASSERT_TRUE(unsigned_.LoadFromDocument(XString("MyLevel3"), doc, false, false));
    unsigned_.SetGameSession(XString("MyLevel_2026"));
    EXPECT_FALSE(CLevelCompletion::ScorePostingTrigger(unsigned_, login)) << "a player's own level";
}
