// The play view's set-up and per-frame logic: loading and auto-saving the level, lighting,
// pause, selection and pushing, the camera, and the spare-block buttons.
#include "screens/CPlayScreen.h"

#include "engine/XBasicMesh.h"
#include "engine/XDXFont.h"
#include "engine/XGameEngine.h"
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "platform/gfx/DeviceLighting.h"
#include "platform/window/KeyCodes.h"
#include "screens/CGameMenu.h"
#include "screens/CScreenFlow.h"
#include "ui/UiLayout.h"

#include <cmath>
#include <new>

using plk::gfx::Vector3;

namespace
{
const int kLeftButton = 0;
const int kRightButton = 1;
// Camera moves are spread over the frames at these rates per elapsed millisecond.
const float kTiltRate = 0.06f;
const float kAngleRate = 0.12f;
const float kZoomRate = 0.15f;
// Degrees of camera turn per pixel of mouse movement with the right button down, and units of
// zoom per wheel step.
const float kMouseTurn = 0.3f;
const float kWheelZoom = 10.0f;
const float kDegreesToRadians = 0.017453292f;

// Moves pending toward 0 by at most limit and returns the part taken.
float TakeStep(float& pending, float limit)
{
    float step = pending > limit ? limit : (pending < -limit ? -limit : pending);
    pending -= step;
    return step;
}
} // namespace

CPlayScreen::CPlayScreen(CGameLevel* level, bool builderMode, const XString& levelName, bool isSavedGame)
    : m_pLevel(level)
    , m_bBuilderMode(builderMode)
    , m_strLevelName(levelName)
    , m_bSavedGame(isSavedGame)
{
    // The spare buttons and the status line belong with the bar against the left edge.
    m_anchor2D = XAnchor2D::kLeft;
}

CPlayScreen::~CPlayScreen() = default;

void CPlayScreen::LogFailure(const char* what, const XString& message) const
{
    ScreenFlow::LogFailure("CPlayScreen::MyInit", what, message);
}

void CPlayScreen::MyInit()
{
    SetUpLighting();
    const XString& dataFolder = m_pLevel->GetDataFolder();
    m_pArrowMesh = std::make_unique<XBasicMesh>();
    if (!m_pArrowMesh->Load(dataFolder + "Arrow.x", nullptr, false, false))
    {
        LogFailure("m_pArrowMesh->Load", m_pArrowMesh->GetErrorMsg());
        m_pArrowMesh.reset();
    }
    for (int i = 0; i < kArrowCount; ++i)
    {
        m_arrows[i].Init(false, 0);
        m_arrows[i].SetMesh(m_pArrowMesh.get());
        // The mesh points along +x and lies flat: turn it to its direction.
        const Vector3& d = kDirections[i];
        if (d.y != 0.0f)
            m_arrows[i].SetRotation(0.0f, 0.0f, d.y > 0.0f ? 90.0f * kDegreesToRadians : -90.0f * kDegreesToRadians);
        else
            m_arrows[i].SetRotation(0.0f, -std::atan2(d.z, d.x), 0.0f);
    }
    struct
    {
        XDXSound* sound;
        const char* file;
    } sounds[] = {{&m_sndBlockDrop, "SndBlockDrop.wav"}, {&m_sndMouseOver, "SndMouseOver.wav"},
                  {&m_sndSelectBlock, "SndSelectBlock.wav"}, {&m_sndSelectArrow, "SndSelectArrow.wav"}};
    // A sound that cannot load is left out of play; without any audio device there is nothing to say.
    for (auto& entry : sounds)
        if (!entry.sound->Load(entry.file, XDXSound::kSoundEffect) && !entry.sound->GetErrorMsg().IsEmpty())
            LogFailure("XDXSound::Load", entry.sound->GetErrorMsg());
    if (m_bBuilderMode && !m_texHandle.Load("WallWhdAdj.bmp", 0, 0))
        LogFailure("m_texHandle.Load", m_texHandle.GetErrorMsg());
    m_pTextFont = std::make_unique<XDXFont>();
    if (!m_pTextFont->Create("Arial", 28, true, false))
        LogFailure("m_pTextFont->Create", m_pTextFont->GetErrorMsg());

    // The builder never stops at a level it cannot read: it opens an empty one and says why.
    if (m_bBuilderMode)
    {
        if (!m_pLevel->OpenInBuilder(m_strLevelName))
            LogFailure("m_pLevel->OpenInBuilder", m_pLevel->GetErrorMsg());
    }
    else if (!m_pLevel->Load(m_strLevelName, m_bBuilderMode, m_bSavedGame))
    {
        // Nothing of the level is played, scored or auto-saved: the card says why and leads back
        // to the title, and the status bar never ends a level that is not there.
        LogFailure("m_pLevel->Load", m_pLevel->GetErrorMsg());
        ScreenFlow::Overlay(m_pEngine, new (std::nothrow) CGameMenu(m_pLevel, 0, MenuMode::LoadFailed,
                                                                    CGameLevel::FileName(m_strLevelName), nullptr));
        return;
    }
    if (!m_pLevel->AutoSaveAtLevelStart())
        LogFailure("m_pLevel->AutoSaveAtLevelStart", m_pLevel->GetErrorMsg());
    if (!m_bBuilderMode)
        m_pLevel->RefillSpares();
    m_weather.Start(m_pEngine, *m_pLevel);
    ApplyView();
    if (plk::gfx::Device* device = m_pEngine->GetDevice())
        device->SetTransform(plk::gfx::kProjection, ViewProjection(m_pEngine->GetWidth(), m_pEngine->GetHeight()));
}

void CPlayScreen::MyResize()
{
    if (plk::gfx::Device* device = m_pEngine->GetDevice())
        device->SetTransform(plk::gfx::kProjection, ViewProjection(m_pEngine->GetWidth(), m_pEngine->GetHeight()));
}

void CPlayScreen::SetUpLighting()
{
    plk::gfx::Device* device = m_pEngine->GetDevice();
    if (!device)
        return;
    plk::gfx::Light sun;
    sun.type = plk::gfx::kLightDirectional;
    sun.diffuse = {1.0f, 0.97f, 0.9f, 1.0f};
    sun.specular = {0.4f, 0.4f, 0.4f, 1.0f};
    sun.direction = plk::gfx::Normalize(Vector3{0.4f, -1.0f, 0.6f});
    plk::gfx::SetLight(*device, 0, sun);
    plk::gfx::LightEnable(*device, 0, true);
    plk::gfx::Light fill;
    fill.type = plk::gfx::kLightDirectional;
    fill.diffuse = {0.35f, 0.38f, 0.45f, 1.0f};
    fill.direction = plk::gfx::Normalize(Vector3{-0.5f, -0.3f, -0.8f});
    plk::gfx::SetLight(*device, 1, fill);
    plk::gfx::LightEnable(*device, 1, true);
    device->SetRenderState(plk::gfx::kLighting, 1);
    // Soft ambient light so that faces turned from the sun keep their colour.
    device->SetRenderState(plk::gfx::kAmbient, 0xFF505050);
}

void CPlayScreen::MyFree()
{
    if (plk::gfx::Device* device = m_pEngine->GetDevice())
        device->SetTransform(plk::gfx::kProjection,
                             XGameEngine::DefaultProjection(m_pEngine->GetWidth(), m_pEngine->GetHeight()));
    m_hintSearch.Cancel();
    m_weather.Stop();
    m_sndMusic.Stop();
    m_texHandle.Release();
    if (m_pTextFont)
        m_pTextFont->Release();
    m_pLevel->GetBoard().Clear();
    m_pLevel->ClearSelection();
}

void CPlayScreen::MyUpdate()
{
    XDXInput& input = m_pEngine->m_input;
    // Only an Esc pressed while this screen had the keys: the release of one that closed a menu
    // above it must not pause.
    const bool escapeReleased = input.KeyReleased(plk::kKeyEscape) && m_bEscapeHeld;
    m_bEscapeHeld = input.KeyDown(plk::kKeyEscape);
    if (input.KeyReleased(plk::kKeyP) || escapeReleased)
    {
        m_bPaused = !m_bPaused;
        m_bFocusPaused = false;
    }
    // A game in the background stands still, and goes on when the player comes back to it,
    // unless the player paused it before leaving.
    if (!m_pEngine->HasFocus() && !m_bPaused)
        m_bPaused = m_bFocusPaused = true;
    else if (m_pEngine->HasFocus() && m_bFocusPaused)
        m_bPaused = m_bFocusPaused = false;
    const float elapsedMs = static_cast<float>(m_pEngine->GetFrameDelta());
    if (m_bPaused)
        return;
    m_pLevel->Update();
    m_weather.Update(elapsedMs, *m_pLevel);
    if (m_bBuilderMode)
        UpdateBuilder();
    UpdateCamera(elapsedMs);
    if (m_bBuilderMode)
        return;
    UpdateSelection();
    UpdateSpareButtons();
    UpdateHints();
}

CPlayRules::Arrows CPlayScreen::OfferedArrows() const
{
    const CPlayBlock* block = CPlayRules::SelectedBlock(*m_pLevel);
    return block ? CPlayRules::OfferedArrows(*m_pLevel, *block) : CPlayRules::Arrows{};
}

void CPlayScreen::PlaceArrows(const CPlayBlock& block)
{
    for (int i = 0; i < kArrowCount; ++i)
        m_arrows[i].SetPosition(block.GetPosition() + kDirections[i]);
}

void CPlayScreen::UpdateSelection()
{
    CGameLevel& level = *m_pLevel;
    CPlayRules::FollowSelection(level);
    CPlayBlock* selected = CPlayRules::SelectedBlock(level);

    XDXInput& input = m_pEngine->m_input;
    // Only a released button picks, and the ray test against every cube's triangles is not free.
    if (!input.MouseButtonReleased(kLeftButton))
        return;
    // A click on the status bar is meant for its buttons, never for a cube drawn behind it.
    if (static_cast<float>(input.GetMouseX()) < ScreenFlow::ColumnRight(m_pEngine))
        return;
    if (!input.BeginPick(0, 0, static_cast<int>(m_pEngine->GetWidth()), static_cast<int>(m_pEngine->GetHeight())))
        return;
    for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        if (CPlayRules::CanPick(level.GetPlayBlock(i)))
            input.TestPick(&level.GetPlayBlock(i));
    const CPlayRules::Arrows offered = OfferedArrows();
    if (selected)
    {
        PlaceArrows(*selected);
        for (int i = 0; i < kArrowCount; ++i)
            if (offered[i] && m_pArrowMesh)
                input.TestPick(&m_arrows[i]);
    }
    XDXMeshObject* picked = input.GetPicked(kLeftButton);
    if (!picked)
        return;
    for (int i = 0; i < kArrowCount; ++i)
        if (picked == &m_arrows[i] && selected)
        {
            if (CPlayRules::Push(level, static_cast<CPlayRules::Arrow>(i)))
            {
                selected->PlaySlideSound();
                m_sndSelectArrow.Play(false);
            }
            return;
        }
    level.SetSelected(picked);
    m_sndSelectBlock.Play(false);
}

void CPlayScreen::UpdateCamera(float elapsedMs)
{
    XDXInput& input = m_pEngine->m_input;
    // In the builder the arrow and page keys move the selection instead.
    const bool keysMove = m_bBuilderMode && m_pLevel->GetSelected();
    // Held keys keep the camera moving at its full rate.
    if (!keysMove)
    {
        if (input.KeyDown(plk::kKeyLeft))
            m_fPendingAngle = kAngleRate * elapsedMs;
        if (input.KeyDown(plk::kKeyRight))
            m_fPendingAngle = -kAngleRate * elapsedMs;
        if (input.KeyDown(plk::kKeyUp))
            m_fPendingTilt = kTiltRate * elapsedMs;
        if (input.KeyDown(plk::kKeyDown))
            m_fPendingTilt = -kTiltRate * elapsedMs;
    }
    if ((!keysMove && input.KeyDown(plk::kKeyPageUp)) || input.KeyDown(plk::kKeySubtract))
        m_fPendingZoom = kZoomRate * elapsedMs;
    if ((!keysMove && input.KeyDown(plk::kKeyPageDown)) || input.KeyDown(plk::kKeyAdd))
        m_fPendingZoom = -kZoomRate * elapsedMs;
    if (input.MouseButtonDown(kRightButton))
    {
        m_fPendingAngle -= input.GetMovementX() * kMouseTurn;
        m_fPendingTilt += input.GetMovementY() * kMouseTurn;
    }
    m_fPendingZoom -= input.GetWheel() * kWheelZoom;

    float tilt = TakeStep(m_fPendingTilt, kTiltRate * elapsedMs);
    float angle = TakeStep(m_fPendingAngle, kAngleRate * elapsedMs);
    float zoom = TakeStep(m_fPendingZoom, kZoomRate * elapsedMs);
    if (tilt != 0.0f || angle != 0.0f || zoom != 0.0f)
        m_pLevel->AdjustCamera(tilt, angle, zoom);
    ApplyView();
}

void CPlayScreen::UpdateSpareButtons()
{
    XDXInput& input = m_pEngine->m_input;
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    int hovered = -1;
    for (int i = 0; i < CGameLevel::kSpareCount; ++i)
    {
        const plk::ui::Rect& r = plk::ui::kSpareButtons[static_cast<size_t>(i)];
        if (input.MouseInRect(static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.x + r.w),
                              static_cast<float>(r.y + r.h), sx, sy))
            hovered = i;
    }
    if (hovered != m_iHoveredSpare && hovered >= 0)
        m_sndMouseOver.Play(false);
    m_iHoveredSpare = hovered;
    if (hovered >= 0 && input.MouseButtonReleased(kLeftButton))
        DropSpare(hovered);
}

void CPlayScreen::DropSpare(int index)
{
    if (CPlayRules::DropSpare(*m_pLevel, index))
        m_sndBlockDrop.Play(false);
}
