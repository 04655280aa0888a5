// The level-complete summary: the six lines of the card, the next-level decision at the end of
// a level, and the score-posting trigger.
#pragma once

#include "foundation/XString.h"

#include <array>
#include <cstdint>

class CGameLevel;
class XGameEngine;

// What the startup dialog's login leaves for the score posting; empty while no one is logged in.
struct CScoreLogin
{
    XString userName;
    XString ticket;
    bool uploadScores = false;
};

class CLevelCompletion
{
public:
    static constexpr int kLineCount = 6;
    // Line 4 of the card, the spare-cube penalty, is drawn in this colour; the others in white.
    static constexpr uint32_t kPenaltyColour = 0xFFFF0000;
    static constexpr uint32_t kLineColour = 0xFFFFFFFF;

    struct Line
    {
        XString label;
        XString value;
        uint32_t colour;
    };

    enum class Next
    {
        kNextLevel,   // the series goes on with the level named by the decision
        kTutorialEnd, // the last tutorial level is done
        kGameComplete // the last level of any other series is done
    };

    // The card's lines as they would be banked now. Not const: reading the time bonus applies
    // the difficulty's time factor once per level when play has not done so yet.
    static std::array<Line, kLineCount> Lines(CGameLevel& level);
    // truncate(-200 x f): -100, -200 or -300.
    static int PenaltyPerCube(const CGameLevel& level);
    static int PenaltyTotal(const CGameLevel& level);

    // The part of fileName before its first digit followed by number; empty when the name has
    // no digit, so such a level always ends its series.
    static XString NextLevelName(const XString& fileName, unsigned number);
    // Where continuing leads; nextName is set for kNextLevel. A level numbered 0 or without a
    // digit in its name ends the series even when a file with the next number exists.
    static Next Decide(const CGameLevel& level, XString& nextName);

    // The card's continue without the screens: marks the level to be banked into the total by
    // the next read, decides, and runs the score-posting trigger where the series allows it.
    // When the series ends no level follows to bank it, so the mark is cleared again: a new game
    // started later must begin at 0, not at the finished level's total.
    static Next Finish(CGameLevel& level, const CScoreLogin& login, XString& nextName);
    // Finish, then the full change to the next level, CTutorialEnd or CGameComplete.
    static void Continue(XGameEngine* engine, CGameLevel* level);

    // True when the finished level's score is due for posting with this login: uploads on, a
    // ticket, a user name and a game session, and a signed standard or tutorial level.
    static bool ScorePostingTrigger(const CGameLevel& level, const CScoreLogin& login);
    // The trigger: when the score is due, posts it (CScoreUploads::Post) and returns true once a
    // worker holds the values. Not const for the same reason as Lines.
    static bool PostScore(CGameLevel& level, const CScoreLogin& login);
};
