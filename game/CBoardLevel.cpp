// The level's frame over its board (play and builder), the spare blocks' refill and dropping a
// new cube on the board.
#include "game/CBoard.h"

#include "engine/XGameEngine.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CScorePopups.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "game/Points.h"

namespace
{
// What a dropped cube costs, in points before the difficulty factor; shown as it drops.
const int kDropCost = 200;
// Floating texts appear this far above the cube they belong to.
const float kPopupHeight = 8.0f;
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

void CGameLevel::Update()
{
    const float elapsedMs = m_pEngine ? static_cast<float>(m_pEngine->GetFrameDelta()) : 0.0f;
    if (m_bBuilderMode)
        CBoard::BuilderLevelFrame(*this, elapsedMs);
    else
        CBoard::PlayLevelFrame(*this, elapsedMs);
}

void CGameLevel::RefillSpares()
{
    CPlayBlock* spares[kSpareCount] = {&GetSpare(0), &GetSpare(1), &GetSpare(2)};
    m_pBoard->RefillSpares(spares);
}

bool CGameLevel::AddBlock(int type, int gx, int gy, int gz)
{
    int slot = -1;
    for (int i = 0; i < m_iNumPlayBlocks && slot < 0; ++i)
        if (GetPlayBlock(i).GetState() == CPlayBlock::kStateGone)
            slot = i;
    if (slot < 0)
    {
        // Appending stops at 599 cubes, as adding walls does.
        if (m_iNumPlayBlocks >= kMaxPlayBlocks - 1)
            return false;
        slot = m_iNumPlayBlocks;
        SetNumPlayBlocks(m_iNumPlayBlocks + 1);
    }
    CPlayBlock& block = GetPlayBlock(slot);
    if (!m_pBoard->PlaceNewBlock(&block, type, gx, gy, gz))
        return false;
    // A damaged saved game may carry a count at the top of the range already.
    m_iExBlocksAdded = Points::Add(m_iExBlocksAdded, 1);
    const plk::gfx::Vector3& p = block.GetPosition();
    m_pScorePopups->Add(plk::gfx::Vector3{p.x, p.y + kPopupHeight, p.z}, ScaleByDifficulty(-kDropCost),
                        CScorePopups::kFlagPoints);
    m_pSelected = &block;
    m_pPreviousSelected = nullptr;
    return true;
}
