#include "tests/fuzz/LevelFuzz.h"

#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/GameRandom.h"
#include "game/Points.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cmath>
#include <string>

namespace fuzz
{

const char* const kLevelName = "FuzzLevel";

namespace
{

const int kFrames = 200;
const float kFrameMs = 25.0f;

std::string Text(const XString& text)
{
    return std::string(text.GetBuffer(), text.GetLength());
}

bool IsFinite(const plk::gfx::Vector3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The first line where two documents part, from each, for the report of a broken round trip.
std::string FirstDifference(const std::string& a, const std::string& b)
{
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    const size_t line = a.rfind('\n', at) == std::string::npos ? 0 : a.rfind('\n', at) + 1;
    return "at byte " + std::to_string(at) + "\nfirst:  " + a.substr(line, a.find('\n', at) - line) +
           "\nsecond: " + b.substr(line, b.find('\n', at) - line);
}

bool InPointRange(int points)
{
    return points >= Points::kLeast && points <= Points::kMost;
}

} // namespace

void StartRead()
{
    CGameRandom::Seed(1);
}

void CheckSameDocument(const XString& written, const XString& rewritten)
{
    Check(rewritten == written, "a written level reads back as another level",
          FirstDifference(Text(written), Text(rewritten)));
}

XString WrittenDocument(const CGameLevel& level, bool isSavedGame)
{
    XString document;
    level.WriteDocument(document, isSavedGame, false);
    return document;
}

void CheckDocumentRoundTrip(const XString& written, bool isSavedGame)
{
    CGameLevel again(nullptr);
    StartRead();
    Check(again.LoadFromDocument(kLevelName, written, false, isSavedGame), "a written level does not read back",
          Text(written));
    CheckSameDocument(written, WrittenDocument(again, isSavedGame));
    CheckFrames(again);
}

void CheckFrames(CGameLevel& level)
{
    CGameRandom::Seed(1);
    for (int frame = 0; frame < kFrames; ++frame)
    {
        CBoard::PlayLevelFrame(level, kFrameMs);
        CBoard& board = level.GetBoard();
        for (int i = 0; i < board.GetBlockCount(); ++i)
        {
            const CPlayBlock& block = *board.GetBlock(i);
            Check(IsFinite(block.GetPosition()), "a cube's position is not a number", std::to_string(i));
            Check(IsFinite(block.m_vVelocity), "a cube's velocity is not a number", std::to_string(i));
        }
        Check(std::isfinite(level.GetTimeLeft()), "the clock is not a number");
        Check(level.SecondsLeft() >= 0, "negative seconds left");
        Check(InPointRange(level.GetBlockScore()) && InPointRange(level.GetTotalScore()) &&
                  InPointRange(level.LevelScore(true)) && InPointRange(level.GameTotal(true)),
              "a score left the int range");
        if (level.SecondsLeft() == 0)
            break;
    }
}

} // namespace fuzz
