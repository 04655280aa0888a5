// The level builder's editing operations: adding walls, teleporters and scenery where they fit,
// choosing cells for new objects, and deleting objects.
#include "game/CGameLevel.h"

#include "engine/XRandom.h"
#include "game/CBoard.h"
#include "game/CFieldObject.h"
#include "game/CGameLevelXml.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "game/GameRandom.h"

#include <cmath>
#include <cstdlib>

namespace
{

// A wall added with nothing to stand beside waits here, off the board, for the builder to move it.
const float kParkedWallX = -65.0f;
const float kParkedWallZ = -5.0f;
// Walls are added while fewer than 599 exist: a level file never fills the last slot.
const int kWallLimit = CGameLevel::kMaxWalls - 1;
// Random cells tried per level before looking one level higher.
const int kRandomTriesPerLevel = 100;
// New scenery lands in a ring around the board, outside its corners.
const float kSceneryMinRadius = 75.0f;
const float kSceneryMaxRadius = 160.0f;
const float kTwoPi = 6.2831853f;

// Moves the objects after index down one slot through their own document elements, so that
// everything a level stores moves with them.
template <typename T, typename ReadFn>
void CloseGap(T* objects, int index, int count, ReadFn read)
{
    for (int i = index; i + 1 < count; ++i)
    {
        XString element;
        objects[i + 1].WriteXml(element, i);
        read(objects[i], element, i);
    }
}

template <typename T>
int IndexIn(const T* objects, int count, const XDXMeshObject* object)
{
    for (int i = 0; i < count; ++i)
        if (static_cast<const XDXMeshObject*>(objects + i) == object)
            return i;
    return -1;
}

} // namespace

bool CGameLevel::FindFreeCellNear(const XDXMeshObject& object, int& gx, int& gy, int& gz)
{
    int ox = 0, oy = 0, oz = 0;
    CBoard::CellOf(object.GetPosition(), ox, oy, oz);
    int bestScore = 0;
    bool found = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dz = -1; dz <= 1; ++dz)
            {
                const int x = ox + dx, y = oy + dy, z = oz + dz;
                if ((dx == 0 && dy == 0 && dz == 0) || !m_pBoard->IsCellFree(x, y, z))
                    continue;
                const plk::gfx::Vector3 centre = CBoard::CellCentre(x, y, z);
                const auto probe = m_pBoard->ProbeNeighbours(centre.x, centre.y, centre.z);
                int score = 0;
                for (int side : {CBoard::kPlusZ, CBoard::kMinusZ, CBoard::kPlusX, CBoard::kMinusX})
                    score += probe[static_cast<size_t>(side)] != CBoard::kProbeFree ? 1 : 0;
                // The floor below the lowest level counts as something to stand on.
                score += probe[CBoard::kBelow] == CBoard::kProbeFree ? -3 : 1;
                const int above = probe[CBoard::kAbove];
                score += above != CBoard::kProbeFree && above != CBoard::kProbeEdge ? 1 : 0;
                bool wallNear = false;
                for (int value : probe)
                    wallNear = wallNear || value == CBoard::kProbeWall;
                score += wallNear ? 1 : 0;
                score += y == oy ? 2 : (y == oy + 1 ? 1 : 0);
                if (score < 1)
                    score = 1;
                if (!found || score > bestScore)
                {
                    found = true;
                    bestScore = score;
                    gx = x;
                    gy = y;
                    gz = z;
                }
            }
    return found;
}

bool CGameLevel::FindCellForNewObject(int& gx, int& gy, int& gz)
{
    if (m_pSelected && m_pSelected->GetKind() != CFieldObject::kKind)
        return FindFreeCellNear(*m_pSelected, gx, gy, gz);
    for (int y = 0; y < CBoard::kLevels; ++y)
        for (int attempt = 0; attempt < kRandomTriesPerLevel; ++attempt)
        {
            const int x = CGameRandom::Below(CBoard::kColumns);
            const int z = CGameRandom::Below(CBoard::kRows);
            if (m_pBoard->IsCellFree(x, y, z) && !m_pBoard->IsCellFree(x, y - 1, z))
            {
                gx = x;
                gy = y;
                gz = z;
                return true;
            }
        }
    return false;
}

bool CGameLevel::AddWall(int wallType)
{
    if (m_iNumWalls >= kWallLimit)
        return false;
    CWallBlock& wall = m_pWalls[static_cast<size_t>(m_iNumWalls)];
    wall.Init(m_pEngine, wallType);
    int gx = 0, gy = 0, gz = 0;
    // The grids must hold whatever was added or moved since the last frame.
    m_pBoard->SyncForBuilder();
    if (m_pSelected && m_pSelected->GetKind() != CFieldObject::kKind && FindFreeCellNear(*m_pSelected, gx, gy, gz))
        wall.SetPosition(CBoard::CellCentre(gx, gy, gz));
    else
        wall.SetPosition(kParkedWallX, wall.GetHeight() * 0.5f + CBoard::kFloorY, kParkedWallZ);
    ++m_iNumWalls;
    m_pBoard->AddBody(&wall);
    SetSelected(&wall);
    return true;
}

bool CGameLevel::AddTeleporter()
{
    int gx = 0, gy = 0, gz = 0;
    m_pBoard->SyncForBuilder();
    if (m_iNumTeleporters >= kMaxTeleporters || !FindCellForNewObject(gx, gy, gz))
        return false;
    CTeleporter& teleporter = m_pTeleporters[static_cast<size_t>(m_iNumTeleporters)];
    teleporter.Init(m_pEngine);
    teleporter.SetPosition(CBoard::CellCentre(gx, gy, gz));
    ++m_iNumTeleporters;
    m_pBoard->AddBody(&teleporter);
    SetSelected(&teleporter);
    return true;
}

bool CGameLevel::AddFieldObject(int objType)
{
    if (m_iNumFieldObjects >= kMaxFieldObjects)
        return false;
    CFieldObject& object = m_pFieldObjects[static_cast<size_t>(m_iNumFieldObjects)];
    object.Init(m_pEngine, objType);
    // Scenery only stands round the board, so its place is drawn like an effect's, not a rule's.
    XRandom& random = XRandom::Effects();
    const float angle = random.Unit() * kTwoPi;
    const float radius = kSceneryMinRadius + random.Unit() * (kSceneryMaxRadius - kSceneryMinRadius);
    object.SetPosition(std::cos(angle) * radius, 0.0f, std::sin(angle) * radius);
    SeatOnTerrain(object);
    ++m_iNumFieldObjects;
    SetSelected(&object);
    return true;
}

bool CGameLevel::DeleteObject(const XDXMeshObject* object)
{
    if (!object)
        return false;
    XGameEngine* engine = m_pEngine;
    int index = IndexIn(m_pWalls.get(), m_iNumWalls, object);
    if (index >= 0)
    {
        CloseGap(m_pWalls.get(), index, m_iNumWalls,
                 [engine](CWallBlock& to, const XString& element, int i) { to.ReadXml(engine, element, i); });
        --m_iNumWalls;
    }
    else if ((index = IndexIn(m_pPlayBlocks.get(), m_iNumPlayBlocks, object)) >= 0)
    {
        CloseGap(m_pPlayBlocks.get(), index, m_iNumPlayBlocks,
                 [engine](CPlayBlock& to, const XString& element, int i) { to.ReadXml(engine, element, i); });
        --m_iNumPlayBlocks;
    }
    else if ((index = IndexIn(m_pTeleporters.get(), m_iNumTeleporters, object)) >= 0)
    {
        CloseGap(m_pTeleporters.get(), index, m_iNumTeleporters,
                 [engine](CTeleporter& to, const XString& element, int i) { to.ReadXml(engine, element, i); });
        --m_iNumTeleporters;
    }
    else if ((index = IndexIn(m_pFieldObjects.get(), m_iNumFieldObjects, object)) >= 0)
    {
        CloseGap(m_pFieldObjects.get(), index, m_iNumFieldObjects,
                 [engine](CFieldObject& to, const XString& element, int i) { to.ReadXml(engine, element, i); });
        --m_iNumFieldObjects;
    }
    else
        return false;
    // The selections may point at a slot whose object moved or left.
    ClearSelection();
    RebuildBoard();
    return true;
}

namespace
{

// Walls may stand this far around the board (the off-board parking place included), from the
// floor up to the top of the board's levels.
const float kWallReach = CBoard::kHalfWidth + 10.0f * CBoard::kCellSize;
const float kSpaceTop = CBoard::kFloorY + CBoard::kLevels * CBoard::kCellSize;
// Scenery stays on the terrain around the board.
const float kSceneryReach = 200.0f;
// Boxes that only touch do not overlap.
const float kTouch = 0.01f;
const float kDegreesToRadians = 0.017453292f;

struct Box
{
    plk::gfx::Vector3 min, max;
};

Box CellBox(const plk::gfx::Vector3& centre)
{
    const plk::gfx::Vector3 half{CBoard::kHalfCube, CBoard::kHalfCube, CBoard::kHalfCube};
    return {centre - half, centre + half};
}

Box WallBox(const CWallBlock& wall, const plk::gfx::Vector3& centre)
{
    const plk::gfx::Vector3 half{wall.GetWidth() * 0.5f, wall.GetHeight() * 0.5f, wall.GetDepth() * 0.5f};
    return {centre - half, centre + half};
}

bool Overlap(const Box& a, const Box& b)
{
    return a.min.x < b.max.x - kTouch && b.min.x < a.max.x - kTouch && a.min.y < b.max.y - kTouch &&
           b.min.y < a.max.y - kTouch && a.min.z < b.max.z - kTouch && b.min.z < a.max.z - kTouch;
}

bool InCellGrid(const plk::gfx::Vector3& centre)
{
    int gx = 0, gy = 0, gz = 0;
    // Outside the board CellOf truncates toward zero, so the centre itself must lie over it.
    if (std::fabs(centre.x) > CBoard::kHalfWidth || std::fabs(centre.z) > CBoard::kHalfWidth || centre.y < CBoard::kFloorY)
        return false;
    CBoard::CellOf(centre, gx, gy, gz);
    return CBoard::InGrid(gx, gy, gz);
}

} // namespace

bool CGameLevel::IsPlaceFree(const plk::gfx::Vector3& min, const plk::gfx::Vector3& max,
                             const XDXMeshObject* ignore) const
{
    if (min.x < -kWallReach - kTouch || max.x > kWallReach + kTouch || min.z < -kWallReach - kTouch ||
        max.z > kWallReach + kTouch || min.y < CBoard::kFloorY - kTouch || max.y > kSpaceTop + kTouch)
        return false;
    const Box box{min, max};
    for (int i = 0; i < m_iNumWalls; ++i)
    {
        const CWallBlock& wall = m_pWalls[static_cast<size_t>(i)];
        if (&wall != ignore && Overlap(box, WallBox(wall, wall.GetPosition())))
            return false;
    }
    for (int i = 0; i < m_iNumPlayBlocks; ++i)
    {
        const CPlayBlock& block = m_pPlayBlocks[static_cast<size_t>(i)];
        if (&block != ignore && block.GetState() != CPlayBlock::kStateGone &&
            Overlap(box, CellBox(block.GetPosition())))
            return false;
    }
    for (int i = 0; i < m_iNumTeleporters; ++i)
    {
        const CTeleporter& teleporter = m_pTeleporters[static_cast<size_t>(i)];
        if (&teleporter != ignore && Overlap(box, CellBox(teleporter.GetPosition())))
            return false;
    }
    return true;
}

bool CGameLevel::AddCube(int type)
{
    int gx = 0, gy = 0, gz = 0;
    if (m_iNumPlayBlocks >= kMaxPlayBlocks - 1 || type < 0 || type >= CPlayBlock::kTypeCount)
        return false;
    m_pBoard->SyncForBuilder();
    if (!FindCellForNewObject(gx, gy, gz))
        return false;
    CPlayBlock& block = m_pPlayBlocks[static_cast<size_t>(m_iNumPlayBlocks)];
    block.Init(m_pEngine, type, false);
    block.SetPosition(CBoard::CellCentre(gx, gy, gz));
    ++m_iNumPlayBlocks;
    m_pBoard->AddBody(&block);
    m_pBoard->SyncForBuilder();
    SetSelected(&block);
    return true;
}

bool CGameLevel::MoveSelected(int dx, int dy, int dz)
{
    if (!m_pSelected || (dx == 0 && dy == 0 && dz == 0))
        return false;
    const plk::gfx::Vector3 step{static_cast<float>(dx) * CBoard::kCellSize, static_cast<float>(dy) * CBoard::kCellSize,
                                 static_cast<float>(dz) * CBoard::kCellSize};
    const plk::gfx::Vector3 target = m_pSelected->GetPosition() + step;
    if (IndexIn(m_pFieldObjects.get(), m_iNumFieldObjects, m_pSelected) >= 0)
    {
        if (dy != 0 || std::fabs(target.x) > kSceneryReach || std::fabs(target.z) > kSceneryReach)
            return false;
        m_pSelected->SetPosition(target);
        SeatOnTerrain(static_cast<CFieldObject&>(*m_pSelected));
        return true;
    }
    const int wall = IndexIn(m_pWalls.get(), m_iNumWalls, m_pSelected);
    if (wall >= 0)
    {
        const Box box = WallBox(m_pWalls[static_cast<size_t>(wall)], target);
        if (!IsPlaceFree(box.min, box.max, m_pSelected))
            return false;
        m_pSelected->SetPosition(target);
        m_pBoard->AddBody(&m_pWalls[static_cast<size_t>(wall)]);
        m_pBoard->SyncForBuilder();
        return true;
    }
    const int cube = IndexIn(m_pPlayBlocks.get(), m_iNumPlayBlocks, m_pSelected);
    const int teleporter = IndexIn(m_pTeleporters.get(), m_iNumTeleporters, m_pSelected);
    if (cube < 0 && teleporter < 0)
        return false;
    const Box box = CellBox(target);
    if (!InCellGrid(target) || !IsPlaceFree(box.min, box.max, m_pSelected))
        return false;
    m_pSelected->SetPosition(target);
    if (cube >= 0)
        m_pBoard->AddBody(&m_pPlayBlocks[static_cast<size_t>(cube)]);
    else
        m_pBoard->AddBody(&m_pTeleporters[static_cast<size_t>(teleporter)]);
    m_pBoard->SyncForBuilder();
    return true;
}

bool CGameLevel::ResizeSelectedWall(int dWidth, int dHeight, int dDepth)
{
    const int index = IndexIn(m_pWalls.get(), m_iNumWalls, m_pSelected);
    if (index < 0)
        return false;
    CWallBlock& wall = m_pWalls[static_cast<size_t>(index)];
    const float width = wall.GetWidth(), height = wall.GetHeight(), depth = wall.GetDepth();
    const plk::gfx::Vector3 position = wall.GetPosition();
    // One cell at a time: the wall keeps its cell alignment (and its bottom when it grows) only
    // for single steps.
    const int steps[3] = {dWidth, dHeight, dDepth};
    for (int axis = 0; axis < 3; ++axis)
        for (int n = 0; n < std::abs(steps[axis]); ++n)
        {
            const float cell = steps[axis] > 0 ? CBoard::kCellSize : -CBoard::kCellSize;
            wall.Resize(axis == 0 ? cell : 0.0f, axis == 1 ? cell : 0.0f, axis == 2 ? cell : 0.0f);
        }
    const bool changed = wall.GetWidth() != width || wall.GetHeight() != height || wall.GetDepth() != depth;
    const Box box = WallBox(wall, wall.GetPosition());
    if (changed && IsPlaceFree(box.min, box.max, &wall))
    {
        m_pBoard->AddBody(&wall);
        m_pBoard->SyncForBuilder();
        return true;
    }
    wall.Resize(width - wall.GetWidth(), height - wall.GetHeight(), depth - wall.GetDepth());
    wall.SetPosition(position);
    return false;
}

bool CGameLevel::TurnSelectedScenery(float degrees)
{
    if (IndexIn(m_pFieldObjects.get(), m_iNumFieldObjects, m_pSelected) < 0)
        return false;
    m_pSelected->AddRotation(0.0f, degrees * kDegreesToRadians, 0.0f);
    return true;
}
