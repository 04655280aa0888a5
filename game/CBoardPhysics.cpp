// One physics step of the board: forces, the continuous sub-stepped sweep of every moving cube's
// leading faces against the planes, the fixed bodies and the other cubes, and snapping at rest.
#include "game/CBoard.h"

#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"

#include <cmath>
#include <limits>

using plk::gfx::Vector3;

namespace
{
// Tolerance of the sweep: faces may overlap this much and still meet, and boxes must overlap
// more than this sideways to meet at all, so that neighbours in adjacent cells slide past.
const float kSkin = 0.35f;
// A velocity component this small is no motion.
const float kStill = 0.01f;
// The sub-step loop ends when less time than this is left.
const float kMinRemaining = 0.00000001f;
// A bound on sub-steps per frame, so that contacts that do not change any velocity cannot keep
// the loop at the same instant forever.
const int kMaxSubSteps = 64;

// Overlap of [a0, a1] and [b0, b1] is more than the skin.
bool Overlaps(float a0, float a1, float b0, float b1)
{
    return std::min(a1, b1) - std::max(a0, b0) > kSkin;
}
} // namespace

float CBoard::Step(float elapsedMs, int difficulty, CScorePopups* popups, StepResult& result)
{
    result = StepResult();
    m_iDifficulty = difficulty;
    m_pPopups = popups;
    if (m_bFixedDirty)
        RebuildFixedCells();
    const float dt = elapsedMs * 0.001f;

    for (const FixedBody& body : m_fixed)
        body.object->Update(elapsedMs);
    for (CPlayBlock* block : m_blocks)
        block->Update(elapsedMs);
    ApplyForces(dt);

    m_active.clear();
    for (size_t i = 0; i < m_blocks.size(); ++i)
        if (m_blocks[i]->GetState() != CPlayBlock::kStateGone)
            m_active.push_back(static_cast<int>(i));

    float remaining = dt;
    for (int subStep = 0; subStep < kMaxSubSteps && remaining > kMinRemaining && !m_active.empty(); ++subStep)
    {
        for (int index : m_active)
            m_blocks[index]->m_vPrevPosition = m_blocks[index]->GetPosition();
        BucketActive();
        float earliest = std::numeric_limits<float>::infinity();
        Sweep(remaining, earliest);
        if (m_contacts.empty())
        {
            MoveActive(remaining);
            break;
        }
        MoveActive(earliest);
        // Resolution may append nothing, but a teleport or a blast changes other cubes: iterate
        // by index over the list as it stood.
        const size_t count = m_contacts.size();
        for (size_t i = 0; i < count; ++i)
            Resolve(m_contacts[i], earliest, result);
        remaining -= earliest;
    }

    for (int index : m_active)
    {
        CPlayBlock& block = *m_blocks[index];
        Vector3 p = block.GetPosition();
        if (p.y < kRestY)
            p.y = kRestY;
        if (block.m_vVelocity.x == 0.0f && block.m_vVelocity.z == 0.0f)
        {
            p.x = SnapToCell(p.x);
            p.z = SnapToCell(p.z);
        }
        const Vector3& now = block.GetPosition();
        if (p.x != now.x || p.y != now.y || p.z != now.z)
            block.SetPosition(p);
    }
    MatchAndScore(&result);
    return elapsedMs;
}

void CBoard::MoveActive(float t)
{
    // Cubes at rest keep their position (and their world matrix) as it is.
    if (t == 0.0f)
        return;
    for (int index : m_active)
    {
        CPlayBlock& block = *m_blocks[index];
        const Vector3& v = block.m_vVelocity;
        if (v.x != 0.0f || v.y != 0.0f || v.z != 0.0f)
            block.SetPosition(block.m_vPrevPosition + v * t);
    }
}

bool CBoard::IsStill(const CPlayBlock& block)
{
    const Vector3& v = block.m_vVelocity;
    const Vector3& f = block.m_vFrameForce;
    return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f && f.x == 0.0f && f.y == 0.0f && f.z == 0.0f;
}

bool CBoard::IsSupported(int index) const
{
    // A still cube standing exactly on a cell, on the floor, a wall or a still cube exactly below
    // it: gravity would only press it into its support and be taken back by a landing of no
    // speed in the same instant, so the cube is left as it is.
    const CPlayBlock& block = *m_blocks[index];
    const Vector3& p = block.GetPosition();
    int gx, gy, gz;
    CellOf(p, gx, gy, gz);
    if (!InGrid(gx, gy, gz))
        return false;
    const Vector3 centre = CellCentre(gx, gy, gz);
    if (p.x != centre.x || p.y != centre.y || p.z != centre.z)
        return false;
    if (gy == 0)
        return true;
    const Cell& below = m_cells[CellIndex(gx, gy - 1, gz)];
    if (below.fixed != kEmpty && !m_fixed[below.fixed].teleporter)
    {
        const FixedBody& body = m_fixed[below.fixed];
        return body.max.y == p.y - kHalfCube && body.min.x <= p.x - kHalfCube && body.max.x >= p.x + kHalfCube &&
               body.min.z <= p.z - kHalfCube && body.max.z >= p.z + kHalfCube;
    }
    // The grid is of the last step: a cube below that has gone since supports nothing.
    if (below.block == kEmpty || !m_still[below.block] ||
        m_blocks[below.block]->GetState() == CPlayBlock::kStateGone)
        return false;
    const Vector3& q = m_blocks[below.block]->GetPosition();
    return q.x == p.x && q.z == p.z && q.y == p.y - kCellSize;
}

void CBoard::ApplyForces(float dt)
{
    const size_t count = m_blocks.size();
    m_still.resize(count);
    for (size_t i = 0; i < count; ++i)
        m_still[i] = IsStill(*m_blocks[i]);
    for (size_t i = 0; i < count; ++i)
    {
        CPlayBlock* block = m_blocks[i];
        if (m_still[i] && IsSupported(static_cast<int>(i)))
            continue;
        block->m_vVelocity = block->m_vVelocity + (block->m_vConstantForce + block->m_vFrameForce) * dt;
        block->m_vFrameForce = Vector3{0.0f, 0.0f, 0.0f};
    }
}

void CBoard::Sweep(float remaining, float& earliest)
{
    m_contacts.clear();
    for (int index : m_active)
        SweepBlock(index, remaining, earliest);
}

void CBoard::SweepBlock(int index, float remaining, float& earliest)
{
    const Vector3& v = m_blocks[index]->m_vVelocity;
    for (int axis = 0; axis < 3; ++axis)
    {
        float speed = Axis(v, axis);
        if (speed > kStill || speed < -kStill)
            SweepAxis(index, axis, remaining, earliest);
    }
}

void CBoard::OfferContact(const Contact& contact, float t, float& earliest)
{
    if (t < earliest)
    {
        m_contacts.clear();
        earliest = t;
    }
    if (t == earliest)
        m_contacts.push_back(contact);
}

void CBoard::SweepAxis(int index, int axis, float remaining, float& earliest)
{
    CPlayBlock& block = *m_blocks[index];
    const Vector3& p = block.GetPosition();
    const Vector3& v = block.m_vVelocity;
    const float speed = Axis(v, axis);
    const float dir = speed > 0.0f ? 1.0f : -1.0f;
    const float reach = std::fabs(speed) * remaining;
    const float lead = Axis(p, axis) + dir * kHalfCube;

    Contact contact;
    contact.block = index;
    contact.axis = axis;
    contact.direction = dir;

    // Planes: the floor only for a cube moving down; the four sides.
    if (axis == 1 ? dir < 0.0f : true)
    {
        float plane = axis == 1 ? kFloorY : dir * kHalfWidth;
        float gap = dir * (plane - lead);
        if (gap >= -kSkin && gap <= reach)
        {
            contact.kind = axis == 1 ? kFloor : kSidePlane;
            contact.other = kEmpty;
            contact.face = plane;
            OfferContact(contact, std::max(gap, 0.0f) / std::fabs(speed), earliest);
        }
    }

    // Broad phase. Along the motion only what lies ahead within reach counts; sideways only what
    // overlaps the cube more than the skin somewhere along its path this sub-step.
    const Vector3 end = p + v * remaining;
    const float aheadLo = dir > 0.0f ? lead - kSkin : lead - reach;
    const float aheadHi = dir > 0.0f ? lead + reach : lead + kSkin;
    Vector3 fixedLo, fixedHi, blockLo, blockHi;
    for (int b = 0; b < 3; ++b)
    {
        if (b == axis)
        {
            Axis(fixedLo, b) = aheadLo;
            Axis(fixedHi, b) = aheadHi;
            // Centres of cubes whose near face lies in that span.
            Axis(blockLo, b) = aheadLo + dir * kHalfCube;
            Axis(blockHi, b) = aheadHi + dir * kHalfCube;
            continue;
        }
        const float from = std::min(Axis(p, b), Axis(end, b)), to = std::max(Axis(p, b), Axis(end, b));
        Axis(fixedLo, b) = from - kHalfCube + kSkin;
        Axis(fixedHi, b) = to + kHalfCube - kSkin;
        Axis(blockLo, b) = from - 2.0f * kHalfCube + kSkin;
        Axis(blockHi, b) = to + 2.0f * kHalfCube - kSkin;
    }
    const int b1 = (axis + 1) % 3, b2 = (axis + 2) % 3;

    auto sideways = [&](const Vector3& at, const Vector3& omin, const Vector3& omax) {
        return Overlaps(Axis(at, b1) - kHalfCube, Axis(at, b1) + kHalfCube, Axis(omin, b1), Axis(omax, b1)) &&
               Overlaps(Axis(at, b2) - kHalfCube, Axis(at, b2) + kHalfCube, Axis(omin, b2), Axis(omax, b2));
    };

    // Fixed bodies. A lone teleporter sends nowhere, so it is no obstacle at all.
    const bool teleportersWork = m_teleporters.size() >= 2;
    auto testFixed = [&](int f) {
        const FixedBody& body = m_fixed[f];
        if (body.teleporter && !teleportersWork)
            return;
        float face = dir > 0.0f ? Axis(body.min, axis) : Axis(body.max, axis);
        float gap = dir * (face - lead);
        if (gap < -kSkin || gap > reach)
            return;
        float t = std::max(gap, 0.0f) / std::fabs(speed);
        if (t > earliest || !sideways(p + v * t, body.min, body.max))
            return;
        contact.kind = axis == 1 ? kFixedVertical : kFixedSide;
        contact.other = f;
        contact.face = face;
        OfferContact(contact, t, earliest);
    };
    int range[6];
    if (!m_fixed.empty() && CellRange(fixedLo, fixedHi, range))
    {
        ++m_uiStamp;
        for (int gx = range[0]; gx <= range[1]; ++gx)
            for (int gz = range[4]; gz <= range[5]; ++gz)
                for (int gy = range[2]; gy <= range[3]; ++gy)
                {
                    int cell = CellIndex(gx, gy, gz);
                    for (int k = m_fixedCellStart[cell]; k < m_fixedCellStart[cell + 1]; ++k)
                    {
                        int f = m_fixedCellList[k];
                        if (m_fixedStamp[f] == m_uiStamp)
                            continue;
                        m_fixedStamp[f] = m_uiStamp;
                        testFixed(f);
                    }
                }
    }

    // Other cubes. A fired lifter passes under the column it lifts; a fired smasher through the
    // cubes it already smashed.
    const bool firedLifter = block.IsLifter() && block.IsUsed();
    const bool firedSmasher = block.GetType() == CPlayBlock::kTypeSmasher && block.IsUsed();
    auto testBlock = [&](int other) {
        if (other == index)
            return;
        if (firedLifter && other == block.m_iLiftTarget)
            return;
        const CPlayBlock& o = *m_blocks[other];
        if (firedSmasher && o.GetState() != CPlayBlock::kStateOnBoard)
            return;
        const Vector3& q = o.GetPosition();
        float face = Axis(q, axis) - dir * kHalfCube;
        float gap = dir * (face - lead);
        if (gap < -kSkin)
            return;
        // Touching faces meet when this cube moves into the other; falling, also when the other
        // falls just as fast, so that a resting stack settles in one sub-step. A lifted column
        // rises together.
        float closing = dir * (speed - Axis(o.m_vVelocity, axis));
        float t;
        if (gap <= 0.0f)
        {
            if (closing < 0.0f || (closing == 0.0f && !(axis == 1 && dir < 0.0f)))
                return;
            t = 0.0f;
        }
        else
        {
            if (closing <= 0.0f || gap > closing * remaining)
                return;
            t = gap / closing;
        }
        if (t > earliest)
            return;
        Vector3 at = p + v * t;
        Vector3 oat = q + o.m_vVelocity * t;
        Vector3 omin{oat.x - kHalfCube, oat.y - kHalfCube, oat.z - kHalfCube};
        Vector3 omax{oat.x + kHalfCube, oat.y + kHalfCube, oat.z + kHalfCube};
        if (!sideways(at, omin, omax))
            return;
        contact.kind = axis == 1 ? kBlockVertical : kBlockSide;
        contact.other = other;
        contact.face = Axis(oat, axis) - dir * kHalfCube;
        OfferContact(contact, t, earliest);
    };
    if (CellRange(blockLo, blockHi, range))
        for (int gx = range[0]; gx <= range[1]; ++gx)
            for (int gz = range[4]; gz <= range[5]; ++gz)
                for (int gy = range[2]; gy <= range[3]; ++gy)
                    for (int other = m_bucketHead[CellIndex(gx, gy, gz)]; other != kEmpty; other = m_bucketNext[other])
                        testBlock(other);
    for (int other = m_bucketHead[kCells]; other != kEmpty; other = m_bucketNext[other])
        testBlock(other);
}
