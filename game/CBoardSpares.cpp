// The board's side of the spare blocks and of the level's tally: what cube a spare becomes (the
// draw table), where a dropped spare lands, and how many cubes are still to be removed.
#include "game/CBoard.h"

#include "game/CPlayBlock.h"
#include "game/GameRandom.h"

namespace
{
// One row of the draw table: a draw modulo `modulus` that equals `hit` gives `type` (plus the
// spare's colour when `coloured`). Rows are tried in order; the first hit wins.
struct SpareDraw
{
    int modulus;
    int hit;
    int type;
    bool coloured;
};
const SpareDraw kSpareDraws[] = {
    {200, 178, CPlayBlock::kTypeBomb, false},
    {190, 147, CPlayBlock::kTypeSmasher, false},
    {40, 23, CPlayBlock::kVariantLifter * 10, true},
    {110, 89, CPlayBlock::kVariantZap * 10, true},
    {150, 57, CPlayBlock::kVariantExTime * 10, true},
    {168, 7, CPlayBlock::kVariantX3 * 10, true},
    {90, 43, CPlayBlock::kVariantX2 * 10, true},
};
const int kSpares = 3;
// Random tries per level when looking for a cell to drop a spare into.
const int kDropTries = 100;
} // namespace

int CBoard::CountBlocksLeft(const bool removeToWin[10]) const
{
    int count = 0;
    for (const CPlayBlock* block : m_blocks)
    {
        int colour = block->GetColour();
        if (block->GetState() != CPlayBlock::kStateGone && block->GetType() >= 0 &&
            block->GetType() < CPlayBlock::kTypeSmasher && colour >= 0 && colour < 10 && removeToWin[colour])
            ++count;
    }
    return count;
}

void CBoard::RefillSpares(XGameEngine* engine, CPlayBlock* const spares[3])
{
    int counts[CPlayBlock::kColourCount] = {};
    bool any = false;
    for (const CPlayBlock* block : m_blocks)
    {
        int colour = block->GetColour();
        if (block->GetState() == CPlayBlock::kStateOnBoard && colour >= 0 && colour < CPlayBlock::kColourCount)
        {
            ++counts[colour];
            any = true;
        }
    }
    if (!any)
        ++counts[CGameRandom::Below(CPlayBlock::kColourCount)];

    for (int i = 0; i < kSpares; ++i)
    {
        if (spares[i]->GetType() != CPlayBlock::kTypeNone)
            continue;
        int colour;
        do
            colour = CGameRandom::Below(CPlayBlock::kColourCount);
        while (counts[colour] == 0);
        int type = colour;
        for (const SpareDraw& draw : kSpareDraws)
            if (CGameRandom::Below(draw.modulus) == draw.hit)
            {
                type = draw.coloured ? draw.type + colour : draw.type;
                break;
            }
        spares[i]->Init(engine, type, false);
    }
}

bool CBoard::FindDropCell(int& gx, int& gy, int& gz) const
{
    for (int level = kTopLevel; level >= 0; --level)
        for (int attempt = 0; attempt < kDropTries; ++attempt)
        {
            int x = CGameRandom::Below(kColumns);
            int z = CGameRandom::Below(kRows);
            if (IsCellFree(x, level, z))
            {
                gx = x;
                gy = level;
                gz = z;
                return true;
            }
        }
    return false;
}

bool CBoard::PlaceNewBlock(XGameEngine* engine, CPlayBlock* block, int type, int gx, int gy, int gz)
{
    block->Init(engine, type, false);
    plk::gfx::Vector3 centre = CellCentre(gx, gy, gz);
    block->SetPosition(centre.x, gy * kCellSize + kFloorY + kCellSize * 0.5f, centre.z);
    block->SetState(CPlayBlock::kStateOnBoard);
    if (!AddBody(block))
        return false;
    // The new cube takes part in the grids at once, so that a second drop in the same frame
    // cannot pick its cell.
    m_cells[CellIndex(gx, gy, gz)].block = IndexOf(block);
    return true;
}
