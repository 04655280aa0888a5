// The level's frame over its board, in play and in the builder.
#include "game/CBoard.h"

#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CScorePopups.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "game/Points.h"

namespace
{
const int kMillisecondsPerSecond = 1000;
} // namespace

void CBoard::PlayLevelFrame(CGameLevel& level, float elapsedMs)
{
    CBoard& board = level.GetBoard();
    level.RefillSpares();
    level.SetTimeLeft(level.GetTimeLeft() - elapsedMs);
    level.GetTerrain().Update(elapsedMs);
    level.GetBoardTop().Update(elapsedMs);

    StepResult result;
    board.Step(elapsedMs, level.GetDifficulty(), &level.GetScorePopups(), result);
    const int score = level.ScaleByDifficulty(result.score);
    const int bonusSeconds = level.ScaleByReverseDifficulty(result.timeBonus);

    bool removeToWin[CGameLevel::kColourCount];
    for (int colour = 0; colour < CGameLevel::kColourCount; ++colour)
        removeToWin[colour] = level.GetRemoveToWin(colour);
    level.SetBlocksLeft(static_cast<unsigned>(board.CountBlocksLeft(removeToWin)));

    if (score != 0)
        level.SetBlockScore(Points::Add(level.GetBlockScore(), score));
    // Every removal counts, also those worth no points (a smasher reaching a wall).
    level.SetNumBlocksRemoved(Points::Add(level.GetNumBlocksRemoved(), result.removed));
    level.SetTimeLeft(level.GetTimeLeft() + static_cast<float>(bonusSeconds * kMillisecondsPerSecond));
    if (result.removed > 0)
    {
        level.EmptySpares();
        level.RefillSpares();
    }
    for (int i = 0; i < CGameLevel::kSpareCount; ++i)
        level.GetSpare(i).Update(elapsedMs);
    level.GetScorePopups().Update(elapsedMs);
}

void CBoard::BuilderLevelFrame(CGameLevel& level, float elapsedMs)
{
    level.GetBoard().SyncForBuilder();
    for (int i = 0; i < level.GetNumWalls(); ++i)
        level.GetWall(i).Update(elapsedMs);
    for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        level.GetPlayBlock(i).Update(elapsedMs);
    for (int i = 0; i < level.GetNumTeleporters(); ++i)
        level.GetTeleporter(i).Update(elapsedMs);
    for (int i = 0; i < level.GetNumFieldObjects(); ++i)
        level.GetFieldObject(i).Update(elapsedMs);
}
