// The level-complete card's arithmetic, the next-level rule and the score-posting condition.
#include "screens/LevelCompletion.h"

#include "game/CGameLevel.h"
#include "game/Difficulty.h"
#include "game/Points.h"
#include "platform/fs/FileReader.h"
#include "screens/CScoreUploads.h"

namespace
{

// Negative because the cost of the dropped spares is taken off.
const double kPenaltyPerSpare = -static_cast<double>(Difficulty::kSpareCost);
const char* const kTutorialPrefix = "__Lrn";

XString Decimal(int value)
{
    XString text;
    text += value;
    return text;
}

bool LevelFileExists(const XString& path)
{
    plk::fs::FileReader reader;
    return reader.Open(path.GetBuffer()) == 0;
}

} // namespace

int CLevelCompletion::PenaltyPerCube(const CGameLevel& level)
{
    return Points::Truncate(kPenaltyPerSpare * level.DifficultyFactor());
}

int CLevelCompletion::PenaltyTotal(const CGameLevel& level)
{
    return Points::Truncate(static_cast<double>(level.GetExBlocksAdded()) * kPenaltyPerSpare *
                            level.DifficultyFactor());
}

std::array<CLevelCompletion::Line, CLevelCompletion::kLineCount> CLevelCompletion::Lines(CGameLevel& level)
{
    XString penalty("- Penalty (");
    penalty += level.GetExBlocksAdded();
    penalty += " X ";
    penalty += PenaltyPerCube(level);
    penalty += "): ";
    // The time bonus first: it applies the difficulty's time factor that the totals depend on.
    const int timeBonus = level.TimeBonus();
    return {{
        {XString("Total blocks removed: "), Decimal(level.GetNumBlocksRemoved()), kLineColour},
        {XString("Block score: "), Decimal(level.GetBlockScore()), kLineColour},
        {XString("Time remaining score:"), Decimal(timeBonus), kLineColour},
        {penalty, Decimal(PenaltyTotal(level)), kPenaltyColour},
        {XString("Level score: "), Decimal(level.LevelScore(true)), kLineColour},
        {XString("Total player score: "), Decimal(level.GameTotal(true)), kLineColour},
    }};
}

XString CLevelCompletion::NextLevelName(const XString& fileName, unsigned number)
{
    const int digit = fileName.FindOneOf("0123456789");
    if (digit < 0)
        return XString();
    XString name;
    name.SetData(fileName.GetBuffer(), digit);
    name += number;
    return name;
}

CLevelCompletion::Next CLevelCompletion::Decide(const CGameLevel& level, XString& nextName)
{
    const XString& fileName = level.GetLevelFileName();
    nextName = NextLevelName(fileName, level.GetCurLevel() + 1);
    if (!nextName.IsEmpty() && level.GetCurLevel() != 0 && LevelFileExists(level.BuildPath(nextName, false)))
        return Next::kNextLevel;
    nextName = XString();
    return fileName.StartsWithNoCase(kTutorialPrefix) ? Next::kTutorialEnd : Next::kGameComplete;
}

bool CLevelCompletion::ScorePostingTrigger(const CGameLevel& level, const CScoreLogin& login)
{
    return login.uploadScores && !login.ticket.IsEmpty() && !login.userName.IsEmpty() &&
           !level.GetGameSession().IsEmpty() && level.GetSignature() == CGameLevel::kSignature &&
           !level.GetSignatureKey().IsEmpty();
}

bool CLevelCompletion::PostScore(CGameLevel& level, const CScoreLogin& login)
{
    return ScorePostingTrigger(level, login) && CScoreUploads::Post(level, login);
}

CLevelCompletion::Next CLevelCompletion::Finish(CGameLevel& level, const CScoreLogin& login, XString& nextName)
{
    level.SetAddLevelToTotal(true);
    const Next next = Decide(level, nextName);
    // Tutorials are never posted.
    if (next != Next::kTutorialEnd)
        PostScore(level, login);
    if (next != Next::kNextLevel)
        level.SetAddLevelToTotal(false);
    return next;
}
