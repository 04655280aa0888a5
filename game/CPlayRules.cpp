// The player's moves over the level: picking, arrows, pushes, spare drops and the selection.
#include "game/CPlayRules.h"

#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"

using plk::gfx::Vector3;

const std::array<Vector3, CPlayRules::kArrowCount> CPlayRules::kDirections = {
    Vector3{0.0f, 10.0f, 0.0f}, Vector3{0.0f, -10.0f, 0.0f}, Vector3{10.0f, 0.0f, 0.0f},
    Vector3{-10.0f, 0.0f, 0.0f}, Vector3{0.0f, 0.0f, 10.0f}, Vector3{0.0f, 0.0f, -10.0f}};

namespace
{
// A push: velocity = this times the arrow's direction (length 10), so 80 units per second.
const float kPushFactor = 8.0f;
// A cube can be picked while no velocity component exceeds this.
const float kPickStill = 0.01f;

bool OpensTo(int probeAnswer)
{
    return probeAnswer == CBoard::kProbeFree || probeAnswer == CBoard::kProbeTeleporter;
}
} // namespace

bool CPlayRules::CanPick(const CPlayBlock& block)
{
    const Vector3& v = block.m_vVelocity;
    return block.GetState() == CPlayBlock::kStateOnBoard && v.x <= kPickStill && v.y <= kPickStill &&
           v.z <= kPickStill;
}

CPlayRules::Arrows CPlayRules::OfferedArrows(CGameLevel& level, const CPlayBlock& block)
{
    Arrows offered{};
    if (block.GetState() != CPlayBlock::kStateOnBoard)
        return offered;
    const Vector3& p = block.GetPosition();
    const std::array<int, CBoard::kSideCount> probe = level.GetBoard().ProbeNeighbours(p.x, p.y, p.z);
    if (probe[CBoard::kAbove] == CBoard::kProbeBlock)
        return offered;
    offered[kArrowPlusX] = OpensTo(probe[CBoard::kPlusX]);
    offered[kArrowMinusX] = OpensTo(probe[CBoard::kMinusX]);
    offered[kArrowPlusZ] = OpensTo(probe[CBoard::kPlusZ]);
    offered[kArrowMinusZ] = OpensTo(probe[CBoard::kMinusZ]);
    return offered;
}

CPlayRules::Arrow CPlayRules::ArrowOf(int dx, int dz)
{
    if (dz == 0 && (dx == 1 || dx == -1))
        return dx > 0 ? kArrowPlusX : kArrowMinusX;
    if (dx == 0 && (dz == 1 || dz == -1))
        return dz > 0 ? kArrowPlusZ : kArrowMinusZ;
    return kArrowCount;
}

CPlayBlock* CPlayRules::SelectedBlock(CGameLevel& level)
{
    const int index = level.IndexOfPlayBlock(level.GetSelected());
    return index >= 0 ? &level.GetPlayBlock(index) : nullptr;
}

bool CPlayRules::Push(CGameLevel& level, Arrow arrow)
{
    CPlayBlock* block = SelectedBlock(level);
    if (!block || arrow >= kArrowCount || !OfferedArrows(level, *block)[arrow])
        return false;
    Launch(*block, arrow);
    level.SetSelected(nullptr);
    return true;
}

void CPlayRules::Launch(CPlayBlock& block, Arrow arrow)
{
    block.m_vVelocity.x = kPushFactor * kDirections[arrow].x;
    block.m_vVelocity.z = kPushFactor * kDirections[arrow].z;
}

bool CPlayRules::DropSpare(CGameLevel& level, int index)
{
    if (index < 0 || index >= CGameLevel::kSpareCount)
        return false;
    CPlayBlock& spare = level.GetSpare(index);
    if (spare.GetType() == CPlayBlock::kTypeNone)
        return false;
    int gx, gy, gz;
    if (!level.GetBoard().FindDropCell(gx, gy, gz) || !level.AddBlock(spare.GetType(), gx, gy, gz))
        return false;
    spare.Init(level.GetEngine(), CPlayBlock::kTypeNone, false);
    level.RefillSpares();
    return true;
}

void CPlayRules::FollowSelection(CGameLevel& level)
{
    const CPlayBlock* selected = SelectedBlock(level);
    if (selected && selected->GetState() != CPlayBlock::kStateOnBoard)
        level.ClearSelection();
    if (level.GetSelected())
        return;
    const int index = level.IndexOfPlayBlock(level.GetPreviousSelected());
    if (index < 0)
        return;
    CPlayBlock& previous = level.GetPlayBlock(index);
    const Vector3& v = previous.m_vVelocity;
    if (previous.GetState() == CPlayBlock::kStateOnBoard && v.x == 0.0f && v.y == 0.0f && v.z == 0.0f)
        level.SetSelected(&previous);
}
