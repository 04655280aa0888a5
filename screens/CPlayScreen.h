// The play view: loads a level, runs its frame, lets the player pick a resting cube and push it
// with an arrow, turns the camera, pauses, drops spare blocks, and draws the scene in its order.
#pragma once

#include "engine/XDXBoxObject.h"
#include "engine/XDXMeshObject.h"
#include "engine/XDXSound.h"
#include "engine/XDXTexture.h"
#include "engine/XGameScreen.h"
#include "foundation/XString.h"
#include "game/CPlayRules.h"
#include "game/CPushBoard.h"
#include "game/CPushSearchWorker.h"
#include "game/CWeather.h"
#include "platform/gfx/Math.h"

#include <array>
#include <memory>

class CGameLevel;
class CPlayBlock;
class CWallBlock;
class XBasicMesh;
class XDXFont;

class CPlayScreen : public XGameScreen
{
public:
    // The rules' arrows under the names the screen draws and picks them by.
    static constexpr int kArrowCount = CPlayRules::kArrowCount;
    static constexpr const std::array<plk::gfx::Vector3, kArrowCount>& kDirections = CPlayRules::kDirections;

    CPlayScreen(CGameLevel* level, bool builderMode, const XString& levelName, bool isSavedGame);
    ~CPlayScreen() override;

    void MyInit() override;
    void MyDraw() override;
    void MyUpdate() override;
    void MyFree() override;
    void MyResize() override;

    // The mode's projection moved sideways so that the camera's target lies in the middle of the
    // play area right of the status bar, not behind the bar.
    static plk::gfx::Matrix ViewProjection(unsigned width, unsigned height);

    bool IsPaused() const { return m_bPaused; }
    // Which arrows the selected cube offers now (none when nothing or no cube is selected).
    CPlayRules::Arrows OfferedArrows() const;

    // The builder's size handles of a wall: width, height and depth, on its +x, +y and +z faces.
    static constexpr int kHandleCount = 3;
    // The board axis (0 x, 2 z) and sign that a screen arrow key moves along with the camera at
    // angleDegrees: up and down follow the view's depth, left and right its width.
    static void KeyAxis(float angleDegrees, int arrowKey, int& dx, int& dz);

private:
    // CPlayScreen.cpp
    void SetUpLighting();
    void UpdateSelection();
    void UpdateCamera(float elapsedMs);
    void UpdateSpareButtons();
    void DropSpare(int index);
    void PlaceArrows(const CPlayBlock& block);
    void LogFailure(const char* what, const XString& message) const;
    // CPlayScreenBuilder.cpp
    void UpdateBuilder();
    void BuilderKeys();
    void BuilderMouse();
    void DragSelection();
    // Where the cursor's ray meets the horizontal plane at height y; false when it never does.
    bool CursorOnLevel(float y, plk::gfx::Vector3& hit);
    void PlaceBuilderMarks();
    void DrawBuilderMarks();
    // Records an edit as one undo step.
    void Edited();
    // A refused move or size says why on the status line.
    void Refused();
    // CPlayScreenHints.cpp
    bool HintsAllowed() const;
    // The H key, and the hint search's answer once it comes.
    void UpdateHints();
    void RequestHint();
    void ShowHint(const CPushSearchWorker::Answer& answer);
    // One offered arrow of the selected cube; the hinted one glows.
    void DrawArrow(int arrow);
    // CPlayScreenDraw.cpp
    void ApplyMusic();
    void ApplyView();
    void DrawArrows();
    void DrawPaused();
    void DrawStatusMessage();
    void DrawSpares();

    CGameLevel* m_pLevel;
    bool m_bBuilderMode;
    XString m_strLevelName;
    bool m_bSavedGame;

    std::unique_ptr<XBasicMesh> m_pArrowMesh;
    std::array<XDXMeshObject, kArrowCount> m_arrows;
    std::unique_ptr<XDXFont> m_pTextFont;
    XDXSound m_sndBlockDrop;
    XDXSound m_sndMouseOver;
    XDXSound m_sndSelectBlock;
    XDXSound m_sndSelectArrow;
    CWeather m_weather;
    XDXSound m_sndMusic;
    XString m_strMusicName; // the level music loaded in m_sndMusic

    bool m_bPaused = false;
    bool m_bFocusPaused = false; // paused because the window went to the background
    bool m_bEscapeHeld = false;
    int m_iHoveredSpare = -1;
    float m_fSpareAngle = 0.0f; // degrees
    // Camera moves still to be spread over the coming frames.
    float m_fPendingTilt = 0.0f;
    float m_fPendingAngle = 0.0f;
    float m_fPendingZoom = 0.0f;

    // Builder mode: the size handles, and the drag of the selection on the grid.
    XDXTexture m_texHandle;
    std::array<XDXBoxObject, kHandleCount> m_handles;
    bool m_bLeftWasDown = false;
    bool m_bDragging = false;
    bool m_bDragMoved = false;
    plk::gfx::Vector3 m_vDragGrab{};

    // Hints: the search, the board it started from, whether the cost was said in this level, and
    // the arrow of the hinted push on its cube (-1: none).
    CPushSearchWorker m_hintSearch;
    CPushBoard::Position m_hintFrom;
    bool m_bHintCostSaid = false;
    const CPlayBlock* m_pHintCube = nullptr;
    int m_iHintArrow = -1;
};
