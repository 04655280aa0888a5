// The level's scenery side: terrain and board top meshes, seating scenery on the terrain, and the
// scene drawn in its fixed order.
#include "game/CGameLevel.h"

#include "engine/XBasicMesh.h"
#include "engine/XGameEngine.h"
#include "game/CFieldObject.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"

#include <algorithm>

namespace
{

// Frames a cube must keep its look before it is drawn with the still scene: a cube that moves
// again soon would otherwise draw the scene anew twice.
const int kStillFrames = 3;
// Rays that find the terrain's height start far above anything a level holds.
const float kRayStartY = 9999.0f;
const int kBoardTopLetters = 5; // tiles A..E
const int kBoardTopDigits = 5;  // tiles 1..5

XString MediaPath(const XString& dataFolder, const XString& name)
{
    XString path(dataFolder);
    path += name;
    return path;
}

} // namespace

void CGameLevel::ReleaseTerrain()
{
    m_terrain.SetMesh(nullptr);
    m_pTerrainMesh.reset();
}

void CGameLevel::ReleaseBoardTop()
{
    m_boardTop.SetMesh(nullptr);
    m_pBoardTopMesh.reset();
}

void CGameLevel::ParkScene()
{
    if (m_pTerrainMesh)
    {
        m_pParkedTerrainMesh = std::move(m_pTerrainMesh);
        m_iParkedTerrainId = m_iTerrainId;
    }
    if (m_pBoardTopMesh)
    {
        m_pParkedBoardTopMesh = std::move(m_pBoardTopMesh);
        m_iParkedBoardTopId = m_iGameboardId;
    }
    ReleaseTerrain();
    ReleaseBoardTop();
}

void CGameLevel::DropParkedScene()
{
    m_pParkedTerrainMesh.reset();
    m_pParkedBoardTopMesh.reset();
    m_iParkedTerrainId = m_iParkedBoardTopId = 0;
}

void CGameLevel::SetTerrain(int id)
{
    ReleaseTerrain();
    m_iTerrainId = id;
    if (id == 0)
        return;
    std::unique_ptr<XBasicMesh> mesh;
    if (m_pParkedTerrainMesh && m_iParkedTerrainId == id)
        mesh = std::move(m_pParkedTerrainMesh);
    else
    {
        XString name("Terrain");
        XString number;
        number.Format("%02d", id);
        name += number;
        name += ".x";
        mesh = std::make_unique<XBasicMesh>();
        if (!mesh->Load(MediaPath(m_strDataFolder, name), nullptr, false, false))
        {
            m_strErrorMsg = "Error: in CGameLevel::SetTerrain, the terrain mesh failed. Msg=";
            m_strErrorMsg += mesh->GetErrorMsg();
            return;
        }
    }
    m_pTerrainMesh = std::move(mesh);
    m_terrain.Init(false, 0);
    m_terrain.SetMesh(m_pTerrainMesh.get());
    for (int i = 0; i < m_iNumFieldObjects; ++i)
        SeatOnTerrain(m_pFieldObjects[static_cast<size_t>(i)]);
}

void CGameLevel::SetBoardTop(int id)
{
    ReleaseBoardTop();
    m_iGameboardId = id;
    if (id == 0)
        return;
    if (m_pParkedBoardTopMesh && m_iParkedBoardTopId == id)
    {
        m_pBoardTopMesh = std::move(m_pParkedBoardTopMesh);
        m_boardTop.Init(false, 0);
        m_boardTop.SetMesh(m_pBoardTopMesh.get());
        return;
    }
    XArray<XTextureRename> renames;
    for (int letter = 0; letter < kBoardTopLetters; ++letter)
        for (int digit = 1; digit <= kBoardTopDigits; ++digit)
        {
            XTextureRename rename;
            rename.name.Format("BoardTop0_%c%d.bmp", 'A' + letter, digit);
            rename.replacement.Format("BoardTop%d_%c%d.bmp", id - 1, 'A' + letter, digit);
            renames.Add(rename);
        }
    auto mesh = std::make_unique<XBasicMesh>();
    if (!mesh->Load(MediaPath(m_strDataFolder, "BoardTop.x"), &renames, false, false))
    {
        m_strErrorMsg = "Error: in CGameLevel::SetBoardTop, the board top mesh failed. Msg=";
        m_strErrorMsg += mesh->GetErrorMsg();
        return;
    }
    m_pBoardTopMesh = std::move(mesh);
    m_boardTop.Init(false, 0);
    m_boardTop.SetMesh(m_pBoardTopMesh.get());
}

bool CGameLevel::TerrainHeightAt(float x, float z, float& height) const
{
    if (!m_pTerrainMesh)
        return false;
    const plk::gfx::Vector3 origin{x, kRayStartY, z};
    const plk::gfx::Vector3 down{0.0f, -1.0f, 0.0f};
    float distance = 0.0f;
    if (!m_pTerrainMesh->Intersect(0, origin, down, distance))
        return false;
    height = kRayStartY - distance;
    return true;
}

void CGameLevel::SeatOnTerrain(CFieldObject& object)
{
    const plk::gfx::Vector3 position = object.GetPosition();
    float ground = 0.0f;
    if (!TerrainHeightAt(position.x, position.z, ground))
        return;
    plk::gfx::Vector3 min, max;
    object.GetBounds(min, max);
    const float height = max.y - min.y;
    object.SetPosition(position.x, ground + height * CFieldObject::SeatFraction(object.GetObjType()), position.z);
}

void CGameLevel::DrawScenery()
{
    for (int i = 0; i < m_iNumFieldObjects; ++i)
        m_pFieldObjects[static_cast<size_t>(i)].Draw();
}

void CGameLevel::DrawOpaqueWalls()
{
    for (int i = 0; i < m_iNumWalls; ++i)
        m_pWalls[static_cast<size_t>(i)].Draw(0);
}

void CGameLevel::DrawPlayBlocks()
{
    for (int i = 0; i < m_iNumPlayBlocks; ++i)
        m_pPlayBlocks[static_cast<size_t>(i)].Draw();
}

void CGameLevel::NoteCubeLooks()
{
    const size_t count = static_cast<size_t>(std::max(m_iNumPlayBlocks, 0));
    m_cubeHistory.resize(count);
    for (size_t i = 0; i < count; ++i)
    {
        const CPlayBlock& cube = m_pPlayBlocks[i];
        const CubeLook look{cube.GetWorldMatrix(),  cube.CurrentFrame(),           cube.GetTexture(),
                            cube.GetState(),        cube.GetStateChangeTimeLeft(), cube.DrawsEffects()};
        CubeHistory& history = m_cubeHistory[i];
        history.stillFrames = look == history.look ? std::min(history.stillFrames + 1, kStillFrames) : 0;
        history.look = look;
    }
}

bool CGameLevel::IsCubeStill(int cube) const
{
    const size_t i = static_cast<size_t>(cube);
    if (i >= m_cubeHistory.size())
        return false;
    const CubeHistory& history = m_cubeHistory[i];
    return history.stillFrames >= kStillFrames && history.look.state == CPlayBlock::kStateOnBoard &&
           !history.look.effect;
}

void CGameLevel::Draw()
{
    plk::gfx::Device* device = m_pEngine ? m_pEngine->GetDevice() : nullptr;
    if (device && device->Shortcuts())
    {
        // Between pushes almost everything stands still: a software rasteriser would spend most of
        // a frame filling the same terrain and scenery and lighting the same cubes again, so the
        // device keeps them as a picture while nothing of them changes. Within it opaque things go
        // nearest first (walls, the board, the scenery round it, the terrain under all), since a
        // pixel already covered by something nearer is not textured; the cubes at rest come last,
        // and the moving, fading and burning ones are drawn over the picture, against its depth.
        NoteCubeLooks();
        device->DrawKeptLayer([this] {
            DrawOpaqueWalls();
            if (m_pBoardTopMesh)
                m_boardTop.Draw();
            DrawScenery();
            if (m_pTerrainMesh)
                m_terrain.Draw();
            for (int i = 0; i < m_iNumPlayBlocks; ++i)
                if (IsCubeStill(i))
                    m_pPlayBlocks[static_cast<size_t>(i)].Draw();
        });
        for (int i = 0; i < m_iNumPlayBlocks; ++i)
            if (!IsCubeStill(i))
                m_pPlayBlocks[static_cast<size_t>(i)].Draw();
    }
    else
    {
        if (m_pBoardTopMesh)
            m_boardTop.Draw();
        if (m_pTerrainMesh)
            m_terrain.Draw();
        DrawScenery();
        DrawOpaqueWalls();
        DrawPlayBlocks();
    }
    for (int i = 0; i < m_iNumWalls; ++i)
        m_pWalls[static_cast<size_t>(i)].Draw(1);
    for (int i = 0; i < m_iNumTeleporters; ++i)
        m_pTeleporters[static_cast<size_t>(i)].Draw();
}
