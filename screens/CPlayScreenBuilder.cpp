// The play view in builder mode: picking an object, moving it by arrows, keys and drag, sizing
// walls by their handles, turning scenery, deleting, and undo and redo.
#include "screens/CPlayScreen.h"

#include "engine/XGameEngine.h"
#include "game/CBoard.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "platform/window/KeyCodes.h"
#include "screens/CScreenFlow.h"
#include "ui/UiLayout.h"

#include <cmath>

using plk::gfx::Vector3;

namespace
{
const int kLeftButton = 0;
// Keys of the builder beyond those the engine names.
const int kKeyLeftControl = 0x1D;
const int kKeyRightControl = 0x9D;
const int kKeyZ = 0x2C;
const int kKeyY = 0x15;
const float kDegreesToRadians = 0.017453292f;
// Home and End turn the selected scenery by this much.
const float kTurnDegrees = 15.0f;
// Handles are small cubes this far outside the wall's face.
const float kHandleSize = 4.0f;
const float kHandleGap = 3.0f;
// Arrows stand this far out of a wall's face.
const float kArrowGap = 5.0f;

bool IsWall(CGameLevel& level, const XDXMeshObject* object)
{
    for (int i = 0; i < level.GetNumWalls(); ++i)
        if (static_cast<const XDXMeshObject*>(&level.GetWall(i)) == object)
            return true;
    return false;
}

// Scenery moves on the ground only: it has no up and down arrows.
bool ArrowOffered(CGameLevel& level, int arrow)
{
    if (arrow > 1)
        return true;
    for (int i = 0; i < level.GetNumFieldObjects(); ++i)
        if (static_cast<const XDXMeshObject*>(&level.GetFieldObject(i)) == level.GetSelected())
            return false;
    return true;
}

CWallBlock* SelectedWall(CGameLevel& level)
{
    return IsWall(level, level.GetSelected()) ? static_cast<CWallBlock*>(level.GetSelected()) : nullptr;
}
} // namespace

void CPlayScreen::KeyAxis(float angleDegrees, int arrowKey, int& dx, int& dz)
{
    // The camera looks along (-sin a, cos a) on the ground; its right is (cos a, sin a).
    const float angle = angleDegrees * kDegreesToRadians;
    float fx = -std::sin(angle), fz = std::cos(angle);
    if (arrowKey == plk::kKeyLeft || arrowKey == plk::kKeyRight)
    {
        const float rx = fz, rz = -fx;
        fx = rx;
        fz = rz;
    }
    const int sign = arrowKey == plk::kKeyUp || arrowKey == plk::kKeyRight ? 1 : -1;
    dx = dz = 0;
    if (std::fabs(fx) >= std::fabs(fz))
        dx = fx > 0.0f ? sign : -sign;
    else
        dz = fz > 0.0f ? sign : -sign;
}

void CPlayScreen::Edited()
{
    m_pLevel->GetHistory().Record(*m_pLevel);
}

void CPlayScreen::Refused()
{
    m_pLevel->SetStatusMessage("No room there: objects stay on the board's space and out of each other.");
}

void CPlayScreen::UpdateBuilder()
{
    BuilderKeys();
    BuilderMouse();
}

void CPlayScreen::BuilderKeys()
{
    XDXInput& input = m_pEngine->m_input;
    CGameLevel& level = *m_pLevel;
    if (input.KeyDown(kKeyLeftControl) || input.KeyDown(kKeyRightControl))
    {
        const bool redo = input.KeyReleased(kKeyY) || (input.KeyReleased(kKeyZ) && input.IsShiftDown());
        m_bDragging = false;
        if (redo)
        {
            if (!level.GetHistory().Redo(level))
                level.SetStatusMessage("Nothing to redo.");
        }
        else if (input.KeyReleased(kKeyZ) && !level.GetHistory().Undo(level))
            level.SetStatusMessage("Nothing to undo.");
        return;
    }
    XDXMeshObject* selected = level.GetSelected();
    if (!selected)
        return;
    if (input.KeyReleased(plk::kKeyDelete))
    {
        m_bDragging = false;
        if (level.DeleteObject(selected))
            Edited();
        return;
    }
    if (input.KeyReleased(plk::kKeyHome) || input.KeyReleased(plk::kKeyEnd))
    {
        if (level.TurnSelectedScenery(input.KeyReleased(plk::kKeyHome) ? kTurnDegrees : -kTurnDegrees))
            Edited();
        return;
    }
    int dx = 0, dy = 0, dz = 0;
    for (int key : {plk::kKeyUp, plk::kKeyDown, plk::kKeyLeft, plk::kKeyRight})
        if (input.KeyReleased(key))
            KeyAxis(level.GetCameraAngle(), key, dx, dz);
    if (input.KeyReleased(plk::kKeyPageUp))
        dy = 1;
    else if (input.KeyReleased(plk::kKeyPageDown))
        dy = -1;
    if (dx == 0 && dy == 0 && dz == 0)
        return;
    if (level.MoveSelected(dx, dy, dz))
        Edited();
    else
        Refused();
}

void CPlayScreen::BuilderMouse()
{
    XDXInput& input = m_pEngine->m_input;
    CGameLevel& level = *m_pLevel;
    const bool down = input.MouseButtonDown(kLeftButton);
    const bool pressed = down && !m_bLeftWasDown;
    m_bLeftWasDown = down;
    if (m_bDragging)
    {
        if (down)
            DragSelection();
        else
        {
            m_bDragging = false;
            // A whole drag is one step, however many cells it crossed.
            if (m_bDragMoved)
                Edited();
        }
        return;
    }
    // The tool bar's clicks are its own.
    if (!pressed || static_cast<float>(input.GetMouseX()) < ScreenFlow::ColumnRight(m_pEngine))
        return;
    if (!input.BeginPick(0, 0, static_cast<int>(m_pEngine->GetWidth()), static_cast<int>(m_pEngine->GetHeight())))
        return;
    XDXMeshObject* selected = level.GetSelected();
    if (selected)
    {
        PlaceBuilderMarks();
        if (m_pArrowMesh)
            for (int i = 0; i < kArrowCount; ++i)
                if (ArrowOffered(level, i))
                    input.TestPick(&m_arrows[i]);
        if (SelectedWall(level))
            for (XDXBoxObject& handle : m_handles)
                input.TestPick(&handle);
    }
    for (int i = 0; i < level.GetNumWalls(); ++i)
        input.TestPick(&level.GetWall(i));
    for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        if (level.GetPlayBlock(i).GetState() != CPlayBlock::kStateGone)
            input.TestPick(&level.GetPlayBlock(i));
    for (int i = 0; i < level.GetNumTeleporters(); ++i)
        input.TestPick(&level.GetTeleporter(i));
    for (int i = 0; i < level.GetNumFieldObjects(); ++i)
        input.TestPick(&level.GetFieldObject(i));
    XDXMeshObject* picked = input.GetPickedObject();
    if (!picked)
    {
        level.ClearSelection();
        return;
    }
    for (int i = 0; i < kArrowCount; ++i)
        if (picked == &m_arrows[i])
        {
            const Vector3& d = kDirections[i];
            if (level.MoveSelected(static_cast<int>(d.x / 10.0f), static_cast<int>(d.y / 10.0f), static_cast<int>(d.z / 10.0f)))
            {
                m_sndSelectArrow.Play(false);
                Edited();
            }
            else
                Refused();
            return;
        }
    for (int i = 0; i < kHandleCount; ++i)
        if (picked == &m_handles[i])
        {
            // A click grows the wall along the handle's axis; with Shift it shrinks.
            const int step = input.IsShiftDown() ? -1 : 1;
            if (level.ResizeSelectedWall(i == 0 ? step : 0, i == 1 ? step : 0, i == 2 ? step : 0))
            {
                m_sndSelectArrow.Play(false);
                Edited();
            }
            else if (step > 0)
                Refused();
            return;
        }
    level.SetSelected(picked);
    m_sndSelectBlock.Play(false);
    // The drag keeps the spot where the object was taken under the cursor.
    Vector3 hit;
    m_bDragging = CursorOnLevel(picked->GetPosition().y, hit);
    m_vDragGrab = hit - picked->GetPosition();
    m_bDragMoved = false;
}

bool CPlayScreen::CursorOnLevel(float y, Vector3& hit)
{
    XDXInput& input = m_pEngine->m_input;
    if (!input.BeginPick(0, 0, static_cast<int>(m_pEngine->GetWidth()), static_cast<int>(m_pEngine->GetHeight())))
        return false;
    const Vector3& origin = input.GetPickOrigin();
    const Vector3& direction = input.GetPickDirection();
    if (std::fabs(direction.y) < 1e-4f)
        return false;
    const float t = (y - origin.y) / direction.y;
    if (t <= 0.0f)
        return false;
    hit = origin + direction * t;
    return true;
}

void CPlayScreen::DragSelection()
{
    XDXMeshObject* selected = m_pLevel->GetSelected();
    const Vector3 at = selected ? selected->GetPosition() : Vector3{};
    Vector3 hit;
    if (!selected || !CursorOnLevel(at.y, hit))
        return;
    const float offX = hit.x - m_vDragGrab.x - at.x;
    const float offZ = hit.z - m_vDragGrab.z - at.z;
    // One cell a frame along the axis the cursor is furthest ahead on.
    const float half = CBoard::kCellSize * 0.5f;
    int dx = 0, dz = 0;
    if (std::fabs(offX) >= std::fabs(offZ) && std::fabs(offX) > half)
        dx = offX > 0.0f ? 1 : -1;
    else if (std::fabs(offZ) > half)
        dz = offZ > 0.0f ? 1 : -1;
    if ((dx != 0 || dz != 0) && m_pLevel->MoveSelected(dx, 0, dz))
        m_bDragMoved = true;
}

void CPlayScreen::PlaceBuilderMarks()
{
    XDXMeshObject* selected = m_pLevel->GetSelected();
    if (!selected)
        return;
    const Vector3& at = selected->GetPosition();
    Vector3 reach{0.0f, 0.0f, 0.0f};
    if (CWallBlock* wall = SelectedWall(*m_pLevel))
    {
        reach = {wall->GetWidth() * 0.5f + kArrowGap, wall->GetHeight() * 0.5f + kArrowGap,
                 wall->GetDepth() * 0.5f + kArrowGap};
        const Vector3 spots[kHandleCount] = {
            {at.x + wall->GetWidth() * 0.5f + kHandleGap, at.y, at.z},
            {at.x, at.y + wall->GetHeight() * 0.5f + kHandleGap, at.z},
            {at.x, at.y, at.z + wall->GetDepth() * 0.5f + kHandleGap}};
        for (int i = 0; i < kHandleCount; ++i)
        {
            if (m_handles[i].GetWidth() != kHandleSize)
                m_handles[i].Build(kHandleSize, kHandleSize, kHandleSize, m_texHandle.GetTexture() ? &m_texHandle : nullptr,
                                   kHandleSize);
            m_handles[i].SetPosition(spots[i]);
        }
    }
    for (int i = 0; i < kArrowCount; ++i)
    {
        const Vector3& d = kDirections[i];
        // Arrows of a cell's length stand next to a cube; a wall's stand out of its faces.
        const Vector3 out{d.x / 10.0f * reach.x, d.y / 10.0f * reach.y, d.z / 10.0f * reach.z};
        m_arrows[i].SetPosition(at + d + out);
    }
}

void CPlayScreen::DrawBuilderMarks()
{
    if (!m_pLevel->GetSelected())
        return;
    PlaceBuilderMarks();
    if (m_pArrowMesh)
        for (int i = 0; i < kArrowCount; ++i)
            if (ArrowOffered(*m_pLevel, i))
                m_arrows[i].Draw();
    if (SelectedWall(*m_pLevel))
        for (XDXBoxObject& handle : m_handles)
            handle.Draw();
}
