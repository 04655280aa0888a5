// The title screen and its buttons.
#include "screens/CTitleScreen.h"

#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "screens/CBuilderActions.h"
#include "screens/CGameMenu.h"
#include "screens/CLevelSetList.h"
#include "platform/gfx/TextLayout.h"
#include "screens/CScreenFlow.h"
#include "ui/UiLayout.h"

#include <new>
#include <string>

namespace
{

const uint32_t kOpaqueBlack = 0xFF000000;
const uint32_t kUntinted = 0xFFFFFFFF;
const uint32_t kFootnoteColour = 0xFFFFFFFF;
const int kFontPoints = 16;
// The tutorial always plays at medium difficulty.
const int kTutorialDifficulty = 2;
// The footnote's line: a band this high at the bottom of the design screen.
const int kFootnoteHeight = 28;
const char* const kFootnote =
    "New Game to play, Tutorial to learn, Load Game to resume, Level Builder to make levels, Esc to quit.";
const char* const kLoadingNote = "Loading the cubes, walls and scenery, one moment...";

// Tile file, column and row in the 3 x 3 grid; row C has only its middle tile.
struct Tile
{
    const char* file;
    int column;
    int row;
};
const Tile kTileGrid[] = {
    {"TitleScreenA1.bmp", 0, 0}, {"TitleScreenA2.bmp", 1, 0}, {"TitleScreenA3.bmp", 2, 0},
    {"TitleScreenB1.bmp", 0, 1}, {"TitleScreenB2.bmp", 1, 1}, {"TitleScreenB3.bmp", 2, 1},
    {"TitleScreenC2.bmp", 1, 2},
};

// The layout table's entry of a button, in Button order.
const plk::ui::TitleButton& LayoutOf(int button)
{
    static const char* const kLabels[CTitleScreen::kButtonCount] = {"loadGame", "newGame", "builder", "tutorial"};
    for (const plk::ui::TitleButton& entry : plk::ui::kTitleButtons)
        if (entry.label == kLabels[button])
            return entry;
    return plk::ui::kTitleButtons[0];
}

} // namespace

CTitleScreen::CTitleScreen(CGameLevel* level) : m_pLevel(level)
{
}

int CTitleScreen::ButtonAt(float x, float y)
{
    for (int button = 0; button < kButtonCount; ++button)
    {
        const plk::ui::Rect& hit = LayoutOf(button).hit;
        // Hit rectangles are inclusive on every edge, as the input layer tests them.
        if (x >= static_cast<float>(hit.x) && x <= static_cast<float>(hit.x + hit.w) &&
            y >= static_cast<float>(hit.y) && y <= static_cast<float>(hit.y + hit.h))
            return button;
    }
    return -1;
}

void CTitleScreen::MyInit()
{
    m_pEngine->SetClearColor(kOpaqueBlack);
    for (int i = 0; i < kTiles; ++i)
    {
        if (!m_texTiles[i].Load(kTileGrid[i].file, 0, 0))
            ScreenFlow::LogFailure("CTitleScreen::MyInit", "m_texTiles.Load", m_texTiles[i].GetErrorMsg());
    }
    if (!m_texButtons1.Load("MiscTex1.png", 0, 0))
        ScreenFlow::LogFailure("CTitleScreen::MyInit", "m_texButtons1.Load", m_texButtons1.GetErrorMsg());
    if (!m_texButtons2.Load("MiscTex2.png", 0, 0))
        ScreenFlow::LogFailure("CTitleScreen::MyInit", "m_texButtons2.Load", m_texButtons2.GetErrorMsg());
    const int points = ScreenFlow::FontPoints(m_pEngine, kFontPoints);
    if (!m_font.Create("Arial", points, false, false))
        ScreenFlow::LogFailure("CTitleScreen::MyInit", "m_font.Create", m_font.GetErrorMsg());
    if (!m_sndMouseOver.Load("SndMouseOver.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CTitleScreen::MyInit", "m_sndMouseOver.Load", m_sndMouseOver.GetErrorMsg());
    if (!m_sndSelect.Load("SndSelectArrow.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CTitleScreen::MyInit", "m_sndSelect.Load", m_sndSelect.GetErrorMsg());
    if (!m_sndMusic.Load("MusicIntro.wav", XDXSound::kMusic))
        ScreenFlow::LogFailure("CTitleScreen::MyInit", "m_sndMusic.Load", m_sndMusic.GetErrorMsg());
    else if (!m_sndMusic.Play(true))
        ScreenFlow::LogFailure("CTitleScreen::MyInit", "m_sndMusic.Play", m_sndMusic.GetErrorMsg());
}

void CTitleScreen::MyDraw()
{
    // The title changes only when the mouse comes onto a button: a software rasteriser would
    // otherwise fill the whole screen again every frame.
    plk::gfx::Device* device = m_pEngine->GetDevice();
    if (device)
        device->DrawKeptLayer([this] { DrawTitle(); });
}

void CTitleScreen::DrawTitle()
{
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    for (int i = 0; i < kTiles; ++i)
    {
        if (!m_texTiles[i].GetTexture())
            continue;
        const int x = static_cast<int>(static_cast<float>(kTileGrid[i].column * plk::ui::kTitleTileW) * sx);
        const int y = static_cast<int>(static_cast<float>(kTileGrid[i].row * plk::ui::kTitleTileH) * sy);
        m_texTiles[i].Draw(x, y, 0, 0, 0, 0, sx, sy, kUntinted, false);
    }
    for (int button = 0; button < kButtonCount; ++button)
    {
        const plk::ui::TitleButton& layout = LayoutOf(button);
        std::string name(layout.label);
        if (m_abHovered[button])
            name += "Hover";
        const plk::ui::Sprite* sprite = plk::ui::FindSprite(name);
        if (!sprite)
            continue;
        XDXTexture& sheet = sprite->sheet == "MiscTex2.png" ? m_texButtons2 : m_texButtons1;
        if (!sheet.GetTexture())
            continue;
        sheet.Draw(static_cast<int>(static_cast<float>(layout.labelX) * sx),
                   static_cast<int>(static_cast<float>(layout.labelY) * sy), sprite->src.x, sprite->src.y,
                   sprite->src.w, sprite->src.h, sx, sy, kUntinted, true);
    }
    if (m_font.GetFont())
    {
        const int top = static_cast<int>(static_cast<float>(plk::ui::kDesignH - kFootnoteHeight) * sy);
        const char* note = m_iHeldButton >= 0 ? kLoadingNote : kFootnote;
        m_font.Print(note, 0, top, static_cast<int>(static_cast<float>(plk::ui::kDesignW) * sx),
                     static_cast<int>(static_cast<float>(kFootnoteHeight) * sy), kFootnoteColour,
                     plk::gfx::kDtCenter | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);
    }
}

void CTitleScreen::MyUpdate()
{
    m_abHovered.fill(false);
    if (m_bLeaving)
        return;
    const XDXInput& input = m_pEngine->m_input;
    // Only an Esc pressed while the title itself was listening ends the program: the release of
    // the Esc that closed a menu over the title must not quit the game as well.
    const bool escapeReleased = input.KeyReleased(plk::kKeyEscape) && m_bEscapeHeld;
    m_bEscapeHeld = input.KeyDown(plk::kKeyEscape);
    if (escapeReleased)
    {
        m_pEngine->RequestQuit();
        return;
    }
    if (m_iHeldButton >= 0)
    {
        ActWhenLoaded(m_iHeldButton);
        return;
    }
    const float x = input.GetMouseX2D() / ScreenFlow::ScaleX(m_pEngine);
    const float y = input.GetMouseY2D() / ScreenFlow::ScaleY(m_pEngine);
    const int button = ButtonAt(x, y);
    if (button >= 0)
    {
        m_abHovered[button] = true;
        if (button != m_iHovered)
            m_sndMouseOver.Play(false);
    }
    m_iHovered = button;
    if (button >= 0 && input.MouseButtonReleased(0))
    {
        ScreenFlow::SelectPause(m_sndSelect);
        ActWhenLoaded(button);
    }
}

void CTitleScreen::ActWhenLoaded(int button)
{
    // A level uses the shared cubes, walls and scenery, and the first level of a run is always
    // reached from a title button: until their loader is done the button is held while the
    // title goes on drawing.
    if (!m_pLevel->IsSharedLoaded())
    {
        m_iHeldButton = button;
        return;
    }
    m_iHeldButton = -1;
    Act(button);
}

void CTitleScreen::Act(int button)
{
    switch (button)
    {
    case kLoadGame:
        ScreenFlow::Overlay(m_pEngine,
                            new (std::nothrow) CGameMenu(m_pLevel, 0, MenuMode::TitleLoadGame, XString(), nullptr));
        break;
    case kNewGame: NewGame(); break;
    case kLevelBuilder:
        m_bLeaving = true;
        BuilderFlow::OpenBuilder(m_pEngine, m_pLevel, m_pLevel->BuilderStartName());
        break;
    case kTutorial:
        m_pLevel->ResetScores();
        m_pLevel->SetDifficulty(kTutorialDifficulty);
        m_bLeaving = true;
        ScreenFlow::StartPlay(m_pEngine, m_pLevel, XString("__Lrn1"), false);
        break;
    default: break;
    }
}

void CTitleScreen::NewGame()
{
    CLevelSetList sets;
    sets.Read(m_pLevel->GetDataFolder());
    if (sets.GetCount() > 0)
    {
        ScreenFlow::Overlay(m_pEngine,
                            new (std::nothrow) CGameMenu(m_pLevel, 0, MenuMode::ChooseLevelSet, XString(), nullptr));
        return;
    }
    m_pLevel->ResetScores();
    m_bLeaving = true;
    ScreenFlow::StartPlay(m_pEngine, m_pLevel, XString("StdLevel1"), false);
}

void CTitleScreen::MyFree()
{
    for (XDXTexture& tile : m_texTiles)
        tile.Release();
    m_texButtons1.Release();
    m_texButtons2.Release();
    m_font.Release();
    m_sndMusic.Unload();
    m_sndMouseOver.Unload();
    m_sndSelect.Unload();
}
