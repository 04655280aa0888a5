// The play view's drawing: weather and music, the camera, the scene, floating texts, arrows,
// the blinking "PAUSED", the status message and the turning spare blocks.
#include "screens/CPlayScreen.h"

#include "engine/XDXFont.h"
#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CScorePopups.h"
#include "platform/gfx/TextLayout.h"
#include "screens/CScoreUploads.h"
#include "screens/CScreenFlow.h"
#include "ui/UiLayout.h"

#include <cmath>

using plk::gfx::Matrix;
using plk::gfx::Vector3;

namespace
{
// "PAUSED" shows for the first half of every second.
const unsigned kBlinkPeriodMs = 1000;
const unsigned kBlinkOnMs = 500;
const uint32_t kPausedColour = 0xFFFFFFFF;
const uint32_t kStatusColour = 0xFFFFF0A0;
// Where the status message sits in the 1024 x 768 layout: along the bottom of the screen.
const int kStatusLeft = 20, kStatusTop = 700, kStatusWidth = 780, kStatusHeight = 48;
// In the builder the tool bar fills the left column: the message keeps right of it.
const int kBuilderStatusLeft = 276, kBuilderStatusWidth = 728;
// The spare blocks' orthographic view: centres of the three blocks and their scales.
const float kSpareX[3] = {218.0f, 290.0f, 362.0f};
const float kSpareY = 365.0f;
const float kSpareDepth = 100.0f;
const float kSpareScale = 3.75f;
const float kSpareHoverScale = 4.5f;
// Degrees the spare blocks turn per elapsed millisecond.
const float kSpareTurnRate = 0.045f;
// The view is laid so that those centres fall on the spare buttons' centres.
const float kButtonCentreFirstX = plk::ui::CentreX(plk::ui::kSpareButtons[0]);
const float kButtonCentreLastX = plk::ui::CentreX(plk::ui::kSpareButtons[2]);
const float kButtonCentreY = plk::ui::CentreY(plk::ui::kSpareButtons[0]);
const float kOrthoNear = 0.0f, kOrthoFar = 1000.0f;
} // namespace

Matrix CPlayScreen::ViewProjection(unsigned width, unsigned height)
{
    // A sideways move in clip space keeps the aspect and field of view of every other screen. The
    // play area is what the status bar leaves of the window; its centre keeps its place in it.
    const float w = static_cast<float>(width);
    const float column = static_cast<float>(plk::ui::kColumnW) * DesignFitScale(width, height);
    const float share = static_cast<float>(plk::ui::kPlayAreaCentreX - plk::ui::kColumnW) /
                        static_cast<float>(plk::ui::kDesignW - plk::ui::kColumnW);
    const float centre = column + (w - column) * share;
    const float shift = w > 0.0f ? 2.0f * centre / w - 1.0f : 0.0f;
    return XGameEngine::DefaultProjection(width, height) * plk::gfx::MatrixTranslation(shift, 0.0f, 0.0f);
}

void CPlayScreen::ApplyView()
{
    m_pEngine->m_camera.LookAt(m_pLevel->GetCameraEye(), CGameLevel::kCameraTarget);
}

void CPlayScreen::ApplyMusic()
{
    // The level's music starts with the level and follows a change of it (the builder's list).
    const XString& music = m_pLevel->GetLevelMusic();
    if (music.IsEmpty() || music == m_strMusicName)
        return;
    m_sndMusic.Stop();
    m_strMusicName = music;
    if (m_sndMusic.Load(music, XDXSound::kMusic))
        m_sndMusic.Play(true);
}

void CPlayScreen::MyDraw()
{
    // A level that did not load has nothing to show, and its music must not start under the card.
    if (!m_pEngine->GetDevice() || !m_pLevel->IsLoaded())
        return;
    m_weather.ApplyFrame(m_pEngine, *m_pLevel);
    ApplyMusic();
    // The status bar covers the scene left of the play area: software renderers spend most of a
    // frame filling pixels, and there they would all be hidden.
    plk::gfx::Device& device = *m_pEngine->GetDevice();
    if (!m_bBuilderMode)
    {
        const int width = static_cast<int>(m_pEngine->GetWidth());
        const int left = static_cast<int>(ScreenFlow::ColumnRight(m_pEngine));
        device.SetScissorRect({left, 0, width, static_cast<int>(m_pEngine->GetHeight())});
        device.SetRenderState(plk::gfx::kScissorTestEnable, 1);
    }
    m_pLevel->Draw();
    m_pLevel->GetScorePopups().Draw(m_pEngine);
    if (!m_bBuilderMode)
        DrawArrows();
    m_weather.DrawRain(m_pEngine, *m_pLevel);
    if (m_bBuilderMode)
        DrawBuilderMarks();
    device.SetRenderState(plk::gfx::kScissorTestEnable, 0);
    DrawPaused();
    DrawStatusMessage();
    if (!m_bBuilderMode)
        DrawSpares();
}

void CPlayScreen::DrawArrows()
{
    const CPlayBlock* selected = CPlayRules::SelectedBlock(*m_pLevel);
    if (!selected || !m_pArrowMesh)
        return;
    std::array<bool, kArrowCount> offered = OfferedArrows();
    PlaceArrows(*selected);
    for (int i = 0; i < kArrowCount; ++i)
        if (offered[i])
            DrawArrow(i);
}

void CPlayScreen::DrawPaused()
{
    if (!m_bPaused || !m_pTextFont || m_pEngine->GetTime() % kBlinkPeriodMs >= kBlinkOnMs)
        return;
    // Centred on the whole window, whatever its shape.
    const XPlacement2D placement = m_pEngine->GetPlacement2D(m_anchor2D);
    const int left = static_cast<int>(placement.ToLayoutX(0.0f));
    const int top = static_cast<int>(placement.ToLayoutY(0.0f));
    m_pTextFont->Print("PAUSED", left, top,
                       static_cast<int>(placement.ToLayoutX(static_cast<float>(m_pEngine->GetWidth()))) - left,
                       static_cast<int>(placement.ToLayoutY(static_cast<float>(m_pEngine->GetHeight()))) - top,
                       kPausedColour, plk::gfx::kDtCenter | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);
}

void CPlayScreen::DrawStatusMessage()
{
    // Drawn under overlays too, so an answer that arrives while a card is up shows at once.
    CScoreUploads::Deliver(*m_pLevel);
    if (!m_pLevel->IsStatusMessageShown(m_pEngine->GetTime()) || m_pLevel->GetStatusMessage().IsEmpty())
        return;
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    const int left = m_bBuilderMode ? kBuilderStatusLeft : kStatusLeft;
    const int width = m_bBuilderMode ? kBuilderStatusWidth : kStatusWidth;
    m_pEngine->m_font.Print(m_pLevel->GetStatusMessage(), static_cast<int>(static_cast<float>(left) * sx),
                            static_cast<int>(kStatusTop * sy), static_cast<int>(static_cast<float>(width) * sx),
                            static_cast<int>(kStatusHeight * sy), kStatusColour,
                            plk::gfx::kDtCenter | plk::gfx::kDtWordBreak);
}

void CPlayScreen::DrawSpares()
{
    plk::gfx::Device* device = m_pEngine->GetDevice();
    m_fSpareAngle = std::fmod(m_fSpareAngle + kSpareTurnRate * static_cast<float>(m_pEngine->GetFrameDelta()), 360.0f);

    const float unit = (kButtonCentreLastX - kButtonCentreFirstX) / (kSpareX[2] - kSpareX[0]); // pixels per unit
    const float left = kSpareX[0] - kButtonCentreFirstX / unit;
    const float top = kSpareY + kButtonCentreY / unit;
    const Matrix oldProjection = device->GetTransform(plk::gfx::kProjection);
    const Matrix oldView = device->GetTransform(plk::gfx::kView);
    // The buttons belong to the status bar, placed against the left edge: the view spans the
    // window's width and height in design units from there.
    const XPlacement2D bar = m_pEngine->GetPlacement2D(XAnchor2D::kLeft);
    const float perUnit = bar.scale * ScreenFlow::ScaleX(m_pEngine);
    const float designLeft = -bar.offsetX / perUnit, designTop = -bar.offsetY / perUnit;
    const float designRight = (static_cast<float>(m_pEngine->GetWidth()) - bar.offsetX) / perUnit;
    const float designBottom = (static_cast<float>(m_pEngine->GetHeight()) - bar.offsetY) / perUnit;
    device->SetTransform(plk::gfx::kProjection,
                         plk::gfx::MatrixOrthoOffCenterLH(left + designLeft / unit, left + designRight / unit,
                                                          top - designBottom / unit, top - designTop / unit,
                                                          kOrthoNear, kOrthoFar));
    device->SetTransform(plk::gfx::kView, plk::gfx::MatrixIdentity());
    // The buttons lie over the status bar, beyond the scene's fog.
    const uint32_t fog = device->GetRenderState(plk::gfx::kFogEnable);
    device->SetRenderState(plk::gfx::kFogEnable, 0);
    for (int i = 0; i < CGameLevel::kSpareCount; ++i)
    {
        CPlayBlock& spare = m_pLevel->GetSpare(i);
        if (spare.GetType() == CPlayBlock::kTypeNone)
            continue;
        const float scale = i == m_iHoveredSpare ? kSpareHoverScale : kSpareScale;
        spare.SetPosition(kSpareX[i], kSpareY, kSpareDepth);
        spare.SetScale(scale, scale, scale);
        spare.SetRotationDegrees(m_fSpareAngle, m_fSpareAngle, m_fSpareAngle);
        spare.Draw();
    }
    device->SetRenderState(plk::gfx::kFogEnable, fog);
    device->SetTransform(plk::gfx::kProjection, oldProjection);
    device->SetTransform(plk::gfx::kView, oldView);
}
