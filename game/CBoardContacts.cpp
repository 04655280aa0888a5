// What happens when a moving cube meets something: landing and bouncing, stopping flush against
// planes, walls and cubes, teleporting, and the lifter, zap, smasher and bomb.
#include "game/CBoard.h"

#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/GameRandom.h"
#include "game/Points.h"

#include <cmath>

using plk::gfx::Vector3;

namespace
{
// A landing's rebound speed is the impact speed times this times the time of contact.
const float kBounceFactor = 15.0f;
// Rebounds are never faster than this, in units per second.
const float kMaxBounceSpeed = 40.0f;
// Slower rebounds than this are no bounce at all: the cube rests.
const float kMinBounceSpeed = 3.0f;
// Landings with bounce in a row before a cube is made to rest.
const int kMaxBounces = 3;
// Raw points of a cube a smasher or a bomb destroys, times its multiplier.
const int kSmashPoints = 75;

void StopSideways(CPlayBlock& block)
{
    block.m_vVelocity.x = 0.0f;
    block.m_vVelocity.z = 0.0f;
}
} // namespace

void CBoard::Resolve(const Contact& contact, float t, StepResult& result)
{
    CPlayBlock& block = *m_blocks[contact.block];
    // An earlier contact of the same instant may have turned the cube (a lift, a bounce, a
    // teleport): this one no longer applies.
    if (Axis(block.m_vVelocity, contact.axis) * contact.direction <= 0.0f)
        return;
    switch (contact.kind)
    {
    case kFloor:
    case kBlockVertical:
        Land(block, contact, t);
        break;
    case kFixedVertical:
        if (m_fixed[contact.other].teleporter)
            Teleport(block, contact.other);
        else
            Land(block, contact, t);
        break;
    case kSidePlane:
        if (block.GetType() == CPlayBlock::kTypeSmasher && block.IsUsed())
            RemoveFiredSmasher(block, result);
        StopSideways(block);
        StopFlush(block, contact);
        break;
    case kFixedSide:
        if (m_fixed[contact.other].teleporter)
        {
            Teleport(block, contact.other);
            break;
        }
        if (block.GetType() == CPlayBlock::kTypeSmasher && block.IsUsed())
            RemoveFiredSmasher(block, result);
        StopSideways(block);
        StopFlush(block, contact);
        block.PlayWallSound();
        break;
    case kBlockSide:
        HitBlock(contact, result);
        break;
    }
}

void CBoard::Land(CPlayBlock& block, const Contact& contact, float t)
{
    Vector3 p = block.GetPosition();
    if (contact.direction > 0.0f)
    {
        // Rising against something above: no bounce downward through it, just stop below it.
        block.m_vVelocity.y = 0.0f;
        StopFlush(block, contact);
        return;
    }
    float rebound = std::min(std::fabs(block.m_vVelocity.y) * kBounceFactor * t, kMaxBounceSpeed);
    if (rebound >= kMinBounceSpeed)
    {
        if (block.m_iBounceCount <= kMaxBounces)
        {
            ++block.m_iBounceCount;
            block.m_vVelocity.y = rebound;
        }
        else
        {
            block.m_iBounceCount = 0;
            block.m_vVelocity.y = 0.0f;
        }
        block.PlayCrashSound();
    }
    else
        block.m_vVelocity.y = 0.0f;
    if (p.y - kHalfCube < contact.face)
    {
        p.y = contact.face + kHalfCube;
        block.SetPosition(p);
    }
}

void CBoard::StopFlush(CPlayBlock& block, const Contact& contact)
{
    Vector3 p = block.GetPosition();
    float face = contact.face;
    if (contact.kind == kBlockSide || contact.kind == kBlockVertical)
    {
        // The other cube has moved with this one to the instant of contact: its face now.
        Vector3 q = m_blocks[contact.other]->GetPosition();
        face = Axis(q, contact.axis) - contact.direction * kHalfCube;
    }
    Axis(p, contact.axis) = face - contact.direction * kHalfCube;
    block.SetPosition(p);
}

void CBoard::Teleport(CPlayBlock& block, int touchedFixed)
{
    const int count = static_cast<int>(m_teleporters.size());
    if (count < 2)
        return;
    CTeleporter* touched = m_fixed[touchedFixed].teleporter;
    CTeleporter* target = touched;
    while (target == touched)
        target = m_teleporters[CGameRandom::Below(count)];

    block.SetPosition(target->GetPosition());
    block.m_vVelocity.y = 0.0f;
    int gx, gy, gz;
    CellOf(target->GetPosition(), gx, gy, gz);
    Vector3& v = block.m_vVelocity;
    if (v.x < 0.0f)
    {
        if (!IsCellFree(gx - 1, gy, gz))
            v.x = 0.0f;
    }
    else if (v.x > 0.0f)
    {
        if (!IsCellFree(gx + 1, gy, gz))
            v.x = 0.0f;
    }
    else if (v.z > 0.0f)
    {
        if (!IsCellFree(gx, gy, gz + 1))
            v.z = 0.0f;
    }
    else if (v.z < 0.0f)
    {
        if (!IsCellFree(gx, gy, gz - 1))
            v.z = 0.0f;
    }
    target->PlayWarpSound();
    target->StartWarpEffect();
    touched->StartWarpEffect();
}

void CBoard::RemoveFiredSmasher(CPlayBlock& block, StepResult& result)
{
    if (block.GetState() != CPlayBlock::kStateOnBoard)
        return;
    block.SetState(CPlayBlock::kStateRemoving);
    result.removed += 1;
}

void CBoard::HitBlock(const Contact& contact, StepResult& result)
{
    CPlayBlock& block = *m_blocks[contact.block];
    CPlayBlock& other = *m_blocks[contact.other];
    const int type = block.GetType();

    if (block.IsLifter())
    {
        int gx, gy, gz;
        CellOf(block.GetPosition(), gx, gy, gz);
        bool supported = !IsCellFree(gx, gy - 1, gz);
        if (supported)
        {
            if (!block.IsUsed())
            {
                block.StartLifterMorph();
                block.m_iLiftTarget = contact.other;
                if (!Lift(&other))
                {
                    StopSideways(block);
                    StopFlush(block, contact);
                }
            }
            else if (contact.other != block.m_iLiftTarget)
            {
                StopSideways(block);
                StopFlush(block, contact);
            }
            return;
        }
    }
    else if (block.IsZap())
    {
        StopSideways(block);
        StopFlush(block, contact);
        if (other.GetType() >= 0 && other.GetType() < CPlayBlock::kTypeSmasher)
        {
            other.SetColour(block.GetColour());
            block.ToggleZap();
        }
        return;
    }
    else if (type == CPlayBlock::kTypeSmasher)
    {
        block.Fire();
        if (other.GetState() == CPlayBlock::kStateOnBoard)
        {
            other.SetState(CPlayBlock::kStateRemoving);
            int points = kSmashPoints * other.GetMultiplier();
            result.score = Points::Add(result.score, points);
            result.removed += 1;
            ShowPoints(block.GetPosition(), points, 0);
        }
        return;
    }
    else if (type == CPlayBlock::kTypeBomb)
    {
        block.Fire();
        block.SetState(CPlayBlock::kStateRemoving);
        StopSideways(block);
        StopFlush(block, contact);
        Explode(&block, result);
        return;
    }
    block.PlayThumpSound();
    StopSideways(block);
    StopFlush(block, contact);
}
