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
