// Matching and scoring after each step: rebuilding the grids, finding groups of three or more
// touching cubes of one colour at rest, their points and extra time, and the bomb blast.
#include "game/CBoard.h"

#include "game/CPlayBlock.h"
#include "game/CScorePopups.h"
#include "game/Difficulty.h"
#include "game/Points.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using plk::gfx::Vector3;

namespace
{
// Smallest group that is removed.
const int kMinGroup = 3;
// Base points of groups of 3, 4, 5 and 6 cubes; larger groups earn kLargeGroupPoints per cube.
const int kGroupPoints[] = {165, 380, 725, 1260};
const int kLargeGroupPoints = 305;
// Seconds of extra time an extra-time cube earns when it is removed.
const int kExtraSeconds = 20;
// A velocity component beyond this means the cube is still moving and its group must wait.
const float kMoving = 0.1f;
// Floating texts appear this far above the cube they belong to.
const float kPopupHeight = 8.0f;
// The bomb's own points and the points of each cube its blast takes, times its multiplier.
const int kBombPoints = 100;
const int kBlastPoints = 75;
// The blast reaches every cell whose box a sphere of this radius around the bomb touches.
const float kBlastRadius = 20.0f;
const int kBlastCells = 2;
} // namespace

void CBoard::ShowPoints(const Vector3& at, int value, int flag)
{
    if (!m_pPopups)
        return;
    const float factor = flag == CScorePopups::kFlagSeconds ? Difficulty::ReverseFactor(m_iDifficulty)
                                                            : Difficulty::Factor(m_iDifficulty);
    m_pPopups->Add(Vector3{at.x, at.y + kPopupHeight, at.z},
                   Points::Truncate(static_cast<double>(value) * static_cast<double>(factor)), flag);
}

void CBoard::RebuildGrids()
{
    if (m_bFixedDirty)
        RebuildFixedCells();
    for (Cell& cell : m_cells)
    {
        cell.block = kEmpty;
        cell.visited = false;
    }
    for (size_t i = 0; i < m_blocks.size(); ++i)
    {
        if (m_blocks[i]->GetState() == CPlayBlock::kStateGone)
            continue;
        int gx, gy, gz;
        CellOf(m_blocks[i]->GetPosition(), gx, gy, gz);
        if (InGrid(gx, gy, gz))
            m_cells[CellIndex(gx, gy, gz)].block = static_cast<int>(i);
    }
}

void CBoard::SyncForBuilder()
{
    for (CPlayBlock* block : m_blocks)
        block->m_vPrevPosition = block->GetPosition();
    for (FixedBody& body : m_fixed)
        body.object->GetBounds(body.min, body.max);
    m_bFixedDirty = true;
    RebuildGrids();
}

int CBoard::FloodFill(int colour, int gx, int gy, int gz)
{
    if (!InGrid(gx, gy, gz))
        return 0;
    Cell& cell = m_cells[CellIndex(gx, gy, gz)];
    if (cell.block == kEmpty || cell.visited)
        return 0;
    if (colour == -1)
        m_matchList.clear();
    const CPlayBlock& block = *m_blocks[cell.block];
    if (block.GetState() != CPlayBlock::kStateOnBoard)
        return 0;
    if (IsMoving(block))
        return -1;
    if (colour == -1)
        m_iMatchColour = colour = block.GetColour();
    if (colour > 9 || colour < 0 || block.GetColour() != colour)
        return 0;
    m_matchList.push_back(CellIndex(gx, gy, gz));
    cell.visited = true;
    static const int kNeighbours[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
    int size = 1;
    for (const auto& n : kNeighbours)
    {
        int found = FloodFill(colour, gx + n[0], gy + n[1], gz + n[2]);
        if (found < 0)
            return -1;
        size += found;
    }
    return size;
}

bool CBoard::IsMoving(const CPlayBlock& block) const
{
    const Vector3& v = block.m_vVelocity;
    return v.x < -kMoving || v.x > kMoving || v.y < -kMoving || v.y > kMoving || v.z < -kMoving || v.z > kMoving;
}

void CBoard::MatchAndScore(StepResult* result)
{
    RebuildGrids();
    if (!result)
        return;
    for (int gx = 0; gx < kColumns; ++gx)
        for (int gz = 0; gz < kRows; ++gz)
            for (int gy = 0; gy < kLevels; ++gy)
            {
                // Most cells are empty or already in a group: the fill would answer 0 untouched.
                const Cell& cell = m_cells[CellIndex(gx, gy, gz)];
                if (cell.block == kEmpty || cell.visited)
                    continue;
                int size = FloodFill(-1, gx, gy, gz);
                if (size >= kMinGroup)
                    ScoreGroup(size, *result);
            }
}

void CBoard::ScoreGroup(int size, StepResult& result)
{
    // Each group starts afresh: its multiplier and the cube its text floats above are its own.
    // Thirteen x3 cubes already multiply past the int range; the product stops at its top.
    int64_t multiplier = 1;
    const CPlayBlock* label = nullptr;
    const CPlayBlock* last = nullptr;
    for (int cellIndex : m_matchList)
    {
        CPlayBlock& block = *m_blocks[m_cells[cellIndex].block];
        multiplier = std::min<int64_t>(multiplier * block.GetMultiplier(), Points::kMost);
        block.SetState(CPlayBlock::kStateRemoving);
        if (block.IsExTime())
        {
            result.timeBonus += kExtraSeconds;
            ShowPoints(block.GetPosition(), kExtraSeconds, CScorePopups::kFlagSeconds);
        }
        else if (!label)
            label = &block;
        last = &block;
    }
    const int64_t base = size <= 6 ? kGroupPoints[size - kMinGroup] : int64_t{size} * kLargeGroupPoints;
    const int points = Points::Clamp(base * multiplier);
    ShowPoints((label ? label : last)->GetPosition(), points, CScorePopups::kFlagPoints);
    result.score = Points::Add(result.score, points);
    result.removed += size;
}

void CBoard::Explode(CPlayBlock* bomb, StepResult& result)
{
    result.score = Points::Add(result.score, kBombPoints);
    result.removed += 1;
    int blastTotal = kBombPoints;
    const Vector3 centre = bomb->GetPosition();
    int bx, by, bz;
    CellOf(centre, bx, by, bz);
    const float half = kCellSize * 0.5f;
    for (int dx = -kBlastCells; dx <= kBlastCells; ++dx)
        for (int dy = -kBlastCells; dy <= kBlastCells; ++dy)
            for (int dz = -kBlastCells; dz <= kBlastCells; ++dz)
            {
                if (dx == 0 && dy == 0 && dz == 0)
                    continue;
                int gx = bx + dx, gy = by + dy, gz = bz + dz;
                if (!InGrid(gx, gy, gz))
                    continue;
                int index = m_cells[CellIndex(gx, gy, gz)].block;
                if (index == kEmpty)
                    continue;
                // Distance from the bomb to the nearest point of the cell's box around it.
                float d2 = 0.0f;
                for (float offset : {dx * kCellSize, dy * kCellSize, dz * kCellSize})
                {
                    float gap = std::max(std::fabs(offset) - half, 0.0f);
                    d2 += gap * gap;
                }
                if (d2 > kBlastRadius * kBlastRadius)
                    continue;
                CPlayBlock& victim = *m_blocks[index];
                // A cube already on its way out was paid for once.
                if (&victim == bomb || victim.GetState() != CPlayBlock::kStateOnBoard)
                    continue;
                victim.SetState(CPlayBlock::kStateRemoving);
                int points = kBlastPoints * victim.GetMultiplier();
                result.removed += 1;
                result.score = Points::Add(result.score, points);
                blastTotal += points;
            }
    ShowPoints(centre, blastTotal, CScorePopups::kFlagPoints);
}
