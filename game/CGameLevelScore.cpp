// Difficulty arithmetic of a level (time scaling, time bonus, level and game totals) and the game
// session identifier.
#include "game/CGameLevel.h"

#include "foundation/XTextCipher.h"
#include "game/CGameLevelCipher.h"
#include "game/Difficulty.h"
#include "game/Points.h"

#include <cstdint>

namespace
{

// Easy gives 40 % more time, hard 30 % less.
const float kEasyTimeScale = 1.4f;
const float kHardTimeCut = 0.3f;
using Difficulty::kEasy;
using Difficulty::kHard;
const float kMsPerSecond = 1000.0f;
// A quotient below this counts as no time at all.
const float kNoSecondsLeft = 0.01f;
// Points of time bonus per second left, before the difficulty factor.
const float kBonusPerSecond = 10.0f;
int SpareCost(int exBlocksAdded, float factor)
{
    return Points::Truncate(static_cast<double>(exBlocksAdded) * Difficulty::kSpareCost * factor);
}

} // namespace

float CGameLevel::DifficultyFactor() const
{
    return Difficulty::Factor(m_iDifficulty);
}

float CGameLevel::ReverseDifficultyFactor() const
{
    return Difficulty::ReverseFactor(m_iDifficulty);
}

int CGameLevel::ScaleByDifficulty(int points) const
{
    return Points::Truncate(static_cast<double>(points) * DifficultyFactor());
}

int CGameLevel::ScaleByReverseDifficulty(int points) const
{
    return Points::Truncate(static_cast<double>(points) * ReverseDifficultyFactor());
}

float CGameLevel::ScaledTimeLeft() const
{
    if (m_iDifficulty == kHard)
        return m_fTimeLeft - m_fTimeLeft * kHardTimeCut;
    if (m_iDifficulty == kEasy)
        return m_fTimeLeft * kEasyTimeScale;
    return m_fTimeLeft;
}

int CGameLevel::SecondsLeft()
{
    if (!m_bTimeAdjusted && m_iDifficulty != 0)
    {
        m_fTimeLeft = ScaledTimeLeft();
        m_bTimeAdjusted = true;
    }
    const float seconds = m_fTimeLeft / kMsPerSecond;
    if (seconds < kNoSecondsLeft)
        return 0;
    return Points::Truncate(seconds);
}

int CGameLevel::TimeBonus()
{
    return Points::Truncate(static_cast<double>(SecondsLeft()) * kBonusPerSecond * DifficultyFactor());
}

int CGameLevel::LevelScore(bool withBonus)
{
    const int64_t bonus = withBonus ? TimeBonus() : 0;
    const int spareCost = SpareCost(m_iExBlocksAdded, DifficultyFactor());
    return Points::Clamp(int64_t{m_iBlockScore} - spareCost + bonus);
}

int CGameLevel::GameTotal(bool withBonus)
{
    const int64_t bonus = withBonus ? TimeBonus() : 0;
    const int spareCost = SpareCost(m_iExBlocksAdded, DifficultyFactor());
    return Points::Clamp(int64_t{m_iTotalScore} - spareCost + m_iBlockScore + bonus);
}

XString CGameLevel::MakeGameSession(const XString& levelName)
{
    const int digit = levelName.FindOneOf("0123456789");
    if (digit < 0)
        return levelName;
    XString session;
    session.SetData(levelName.GetBuffer(), digit);

    XString time;
    time.GetTime("YYYYMMDDHHmmssii", true);
    session += '_';
    session += time;
    session += '_';
    session += time.GetHash(1);

    XString guid;
    guid.CreateGuid(false);
    session += '@';
    session += guid;
    session += guid.GetHash(1);

    XTextCipher cipher;
    cipher.Encrypt(session, LevelCipher::PassPhrase());
    session.EncodeBase64();
    return session;
}
