// The tool bar's table of buttons, what each does to the level, and its drawing and input.
#include "screens/CLevelBuilder.h"

#include "engine/XGameEngine.h"
#include "engine/XRandom.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CWallBlock.h"
#include "platform/gfx/TextLayout.h"
#include "screens/CBuilderActions.h"
#include "screens/CScreenFlow.h"
#include "ui/UiLayout.h"

#include <algorithm>

namespace
{

const int kLeftButton = 0;
const char* const kBarFiles[] = {"TexBuildBar0_A.bmp", "TexBuildBar0_B.bmp", "TexBuildBar0_C.bmp"};
const uint32_t kUntinted = 0xFFFFFFFF;
// The hovered button is drawn again in a strong yellow light.
const uint32_t kHighlight = 0xFFFFC020;
const uint32_t kTitleColour = 0xFFFFFFFF;
const uint32_t kHintColour = 0xFFFFF0A0;
const int kNameFontPoints = 14;
const int kHintFontPoints = 11;
// The level's name sits under the header plate; the hint line at the bottom, right of Exit.
const int kNameLeft = 8, kNameTop = 62, kNameWidth = 240, kNameHeight = 22;
const int kHintLeft = 52, kHintTop = 745, kHintWidth = 202, kHintHeight = 23;

const int kFogStep = 10;
const int kFogMin = -200;
const int kFogMax = 220;

// Entries 23 to 32 add cubes of these types (colour types, so the type is the colour).
const int kCubeButtonTypes[10] = {1, 0, 3, 2, 4, 9, 5, 8, 6, 7};
const int kSpecialButtonTypes[3] = {CPlayBlock::kTypeStone, CPlayBlock::kTypeSmasher, CPlayBlock::kTypeBomb};
const char* const kSpecialNames[3] = {"stone", "smasher", "bomb"};
const char* const kWallNames[CWallBlock::kWallTypeCount] = {"brick", "stone", "wood", "metal",
                                                            "glass", "marble", "cobble"};
const char* const kBoardNames[5] = {"cream", "garden", "parquet", "slate", "ice"};
const char* const kTerrainNames[5] = {"meadow", "desert", "snow", "volcanic", "beach"};

const int kFirstBoard = 0, kFirstTerrain = 5, kFirstWall = 15, kFirstCube = 23, kFirstSpecial = 40;
const int kFirstScenery = 46, kFirstBackground = 64;

// Kinds of scenery each scenery button draws from: first kind and how many follow it.
struct SceneryChoice
{
    int first, count;
    const char* name;
};
const SceneryChoice kScenery[9] = {{0, 3, "rock"}, {12, 1, "grass"}, {3, 1, "shrub"},
                                   {4, 2, "plant"}, {6, 2, "bush"},  {8, 2, "cactus"},
                                   {10, 2, "tree"}, {13, 1, "fern"}, {14, 1, "palm"}};

// "DarkGreen" as a player reads it: "dark green".
XString SpokenColour(int colour)
{
    XString spoken;
    for (const char* c = CPlayBlock::ColourWord(colour); *c; ++c)
    {
        if (*c >= 'A' && *c <= 'Z')
        {
            if (!spoken.IsEmpty())
                spoken += ' ';
            spoken += static_cast<char>(*c - 'A' + 'a');
        }
        else
            spoken += *c;
    }
    return spoken;
}

CPlayBlock* SelectedCube(CGameLevel& level)
{
    const int index = level.IndexOfPlayBlock(level.GetSelected());
    return index >= 0 ? &level.GetPlayBlock(index) : nullptr;
}

CWallBlock* SelectedWall(CGameLevel& level)
{
    for (int i = 0; i < level.GetNumWalls(); ++i)
        if (static_cast<XDXMeshObject*>(&level.GetWall(i)) == level.GetSelected())
            return &level.GetWall(i);
    return nullptr;
}

void SayFull(CGameLevel& level, const char* what, int most)
{
    XString text("No more ");
    text += what;
    text += ": a level holds at most ";
    text += most;
    text += ".";
    level.SetStatusMessage(text);
}

void SayNoRoom(CGameLevel& level, const char* what)
{
    XString text("No free place for a new ");
    text += what;
    text += " there: select something with room around it.";
    level.SetStatusMessage(text);
}

void AddCubeOf(CGameLevel& level, int type)
{
    if (level.GetNumPlayBlocks() >= CGameLevel::kMaxPlayBlocks - 1)
        SayFull(level, "cubes", CGameLevel::kMaxPlayBlocks - 1);
    else if (!level.AddCube(type))
        SayNoRoom(level, "cube");
}

// Entries 37 to 39: plain colour type <-> the same colour in the block of 40s, 30s or 50s; the
// cube leaves stone, smasher and bomb as they are.
void SwitchBlock(CPlayBlock& cube, int block)
{
    if (block == 40)
        cube.ToggleZap();
    else if (block == 30)
        cube.ToggleExTime();
    else
        cube.ToggleLifter();
}

void Edit(CGameLevel& level, int entry)
{
    if (entry >= kFirstBoard && entry < kFirstBoard + 5)
        level.SetBoardTop(entry - kFirstBoard + 1);
    else if (entry >= kFirstTerrain && entry < kFirstTerrain + 5)
        level.SetTerrain(entry - kFirstTerrain + 1);
    else if (entry == 10)
    {
        level.SetFogEnabled(false);
        level.SetRainEnabled(false);
    }
    else if (entry == 11)
        level.SetFogEnabled(true);
    else if (entry == 12 || entry == 13)
        level.SetFogAmount(std::clamp(level.GetFogAmount() + (entry == 12 ? kFogStep : -kFogStep), kFogMin, kFogMax));
    else if (entry == 14)
        level.SetRainEnabled(true);
    else if (entry >= kFirstWall && entry < kFirstWall + CWallBlock::kWallTypeCount)
    {
        if (!level.AddWall(entry - kFirstWall))
            SayFull(level, "walls", CGameLevel::kMaxWalls - 1);
    }
    else if (entry == 22)
    {
        if (CWallBlock* wall = SelectedWall(level))
            wall->ToggleAlphaBlend();
    }
    else if (entry >= kFirstCube && entry < kFirstCube + 10)
        AddCubeOf(level, kCubeButtonTypes[entry - kFirstCube]);
    else if (entry == 33)
    {
        if (CPlayBlock* cube = SelectedCube(level))
            cube->ToggleColourCycle();
    }
    else if (entry >= 34 && entry <= 36)
    {
        if (CPlayBlock* cube = SelectedCube(level))
            cube->SetMultiplier(entry - 33);
    }
    else if (entry >= 37 && entry <= 39)
    {
        static const int kBlocks[3] = {40, 30, 50};
        if (CPlayBlock* cube = SelectedCube(level))
            SwitchBlock(*cube, kBlocks[entry - 37]);
    }
    else if (entry >= kFirstSpecial && entry < kFirstSpecial + 3)
        AddCubeOf(level, kSpecialButtonTypes[entry - kFirstSpecial]);
    else if (entry == 43)
    {
        if (level.GetNumTeleporters() >= CGameLevel::kMaxTeleporters)
            SayFull(level, "teleporters", CGameLevel::kMaxTeleporters);
        else if (!level.AddTeleporter())
            SayNoRoom(level, "teleporter");
    }
    else if (entry >= kFirstScenery && entry < kFirstScenery + 9)
    {
        const SceneryChoice& choice = kScenery[entry - kFirstScenery];
        const int kind = choice.first + (choice.count > 1 ? XRandom::Effects().Below(choice.count) : 0);
        if (!level.AddFieldObject(kind))
            SayFull(level, "scenery", CGameLevel::kMaxFieldObjects);
    }
    else if (entry >= kFirstBackground && entry < kFirstBackground + 6)
    {
        const int step = (entry - kFirstBackground) % 2 == 0 ? 1 : -1;
        const int colour = (entry - kFirstBackground) / 2;
        if (colour == 0)
            level.AdjustBgRed(step);
        else if (colour == 1)
            level.AdjustBgGreen(step);
        else
            level.AdjustBgBlue(step);
    }
}

} // namespace

CLevelBuilder::CLevelBuilder(CGameLevel* level) : m_pLevel(level)
{
    // The tool bar frames the 3D view, which fills a wider window: it stays against the left edge.
    m_anchor2D = XAnchor2D::kLeft;
}

int CLevelBuilder::ButtonAt(float x, float y)
{
    for (int i = 0; i < plk::ui::kBuilderButtonCount; ++i)
    {
        const plk::ui::Box& box = plk::ui::kBuilderButtons[static_cast<size_t>(i)];
        if (!box.Empty() && x >= static_cast<float>(box.x1) && x <= static_cast<float>(box.x2) &&
            y >= static_cast<float>(box.y1) && y <= static_cast<float>(box.y2))
            return i;
    }
    return -1;
}

CLevelBuilder::Outcome CLevelBuilder::ApplyButton(CGameLevel& level, int entry)
{
    Outcome outcome;
    switch (entry)
    {
    case 55: outcome.menu = MenuMode::EditTime; break;
    case 56: outcome.menu = MenuMode::EditObjective; break;
    case 57: outcome.menu = MenuMode::EditLevelName; break;
    case 58: outcome.menu = MenuMode::ChooseMusic; break;
    case 59: outcome.menu = MenuMode::LoadLevel; break;
    case 60: outcome.menu = MenuMode::SaveLevel; break;
    case 61: outcome.command = Command::kNewLevel; return outcome;
    case 62: outcome.command = Command::kTestPlay; return outcome;
    case 63: outcome.command = Command::kExit; return outcome;
    default:
        if (entry >= 0 && entry < plk::ui::kBuilderButtonCount)
        {
            Edit(level, entry);
            level.GetHistory().Record(level);
        }
        return outcome;
    }
    outcome.command = Command::kMenu;
    return outcome;
}

XString CLevelBuilder::Describe(int entry)
{
    XString text;
    if (entry >= kFirstBoard && entry < kFirstBoard + 5)
        (text = "Board top: ") += kBoardNames[entry - kFirstBoard];
    else if (entry >= kFirstTerrain && entry < kFirstTerrain + 5)
        (text = "Terrain: ") += kTerrainNames[entry - kFirstTerrain];
    else if (entry >= kFirstWall && entry < kFirstWall + CWallBlock::kWallTypeCount)
        ((text = "Add a ") += kWallNames[entry - kFirstWall]) += " wall";
    else if (entry >= kFirstCube && entry < kFirstCube + 10)
    {
        const XString colour = SpokenColour(kCubeButtonTypes[entry - kFirstCube]);
        ((text = colour.FindOneOf("aeiou") == 0 ? "Add an " : "Add a ") += colour) += " cube";
    }
    else if (entry >= kFirstSpecial && entry < kFirstSpecial + 3)
        ((text = "Add a ") += kSpecialNames[entry - kFirstSpecial]) += " cube";
    else if (entry >= kFirstScenery && entry < kFirstScenery + 9)
        ((text = "Add scenery: ") += kScenery[entry - kFirstScenery].name);
    else if (entry >= kFirstBackground && entry < kFirstBackground + 6)
    {
        static const char* const kColours[3] = {"red", "green", "blue"};
        ((text = (entry - kFirstBackground) % 2 == 0 ? "More " : "Less ") += kColours[(entry - kFirstBackground) / 2]) +=
            " in the sky";
    }
    else
    {
        switch (entry)
        {
        case 10: text = "Clear weather: no fog, no rain"; break;
        case 11: text = "Fog on"; break;
        case 12: text = "Thicker fog"; break;
        case 13: text = "Thinner fog"; break;
        case 14: text = "Rain on"; break;
        case 22: text = "Selected wall: see-through on/off"; break;
        case 33: text = "Selected cube: cycle colours on/off"; break;
        case 34: text = "Selected cube: plain (x1 points)"; break;
        case 35: text = "Selected cube: double points"; break;
        case 36: text = "Selected cube: triple points"; break;
        case 37: text = "Selected cube: zapper on/off"; break;
        case 38: text = "Selected cube: extra time on/off"; break;
        case 39: text = "Selected cube: lifter on/off"; break;
        case 43: text = "Add a teleporter"; break;
        case 55: text = "Set the time limit"; break;
        case 56: text = "Write the objective"; break;
        case 57: text = "Name the level"; break;
        case 58: text = "Choose the music"; break;
        case 59: text = "Open a level"; break;
        case 60: text = "Save the level"; break;
        case 61: text = "New empty level (unsaved work is lost)"; break;
        case 62: text = "Test play this level"; break;
        case 63: text = "Back to the title"; break;
        default: break;
        }
    }
    return text;
}

XString CLevelBuilder::Title(CGameLevel& level)
{
    XString title = level.GetLevelName().IsEmpty() ? XString("(unnamed level)") : level.GetLevelName();
    if (level.GetHistory().IsModified())
        title += " *";
    return title;
}

void CLevelBuilder::MyInit()
{
    for (size_t i = 0; i < m_texBar.size(); ++i)
        if (!m_texBar[i].Load(kBarFiles[i], 0, 0))
            ScreenFlow::LogFailure("CLevelBuilder::MyInit", "m_texBar.Load", m_texBar[i].GetErrorMsg());
    if (!m_font.Create("Arial", ScreenFlow::FontPoints(m_pEngine, kNameFontPoints), true, false))
        ScreenFlow::LogFailure("CLevelBuilder::MyInit", "m_font.Create", m_font.GetErrorMsg());
    if (!m_fontSmall.Create("Arial", ScreenFlow::FontPoints(m_pEngine, kHintFontPoints), false, false))
        ScreenFlow::LogFailure("CLevelBuilder::MyInit", "m_fontSmall.Create", m_fontSmall.GetErrorMsg());
    if (!m_sndMouseOver.Load("SndMouseOver.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CLevelBuilder::MyInit", "m_sndMouseOver.Load", m_sndMouseOver.GetErrorMsg());
    if (!m_sndSelect.Load("SndSelectArrow.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CLevelBuilder::MyInit", "m_sndSelect.Load", m_sndSelect.GetErrorMsg());
}

void CLevelBuilder::MyFree()
{
    m_check.Cancel();
    for (XDXTexture& piece : m_texBar)
        piece.Release();
    m_font.Release();
    m_fontSmall.Release();
    m_sndMouseOver.Unload();
    m_sndSelect.Unload();
}

void CLevelBuilder::MyUpdate()
{
    UpdateCheck();
    const XDXInput& input = m_pEngine->m_input;
    const int hovered = ButtonAt(input.GetMouseX2D() / ScreenFlow::ScaleX(m_pEngine),
                                 input.GetMouseY2D() / ScreenFlow::ScaleY(m_pEngine));
    if (hovered >= 0 && hovered != m_iHovered)
        m_sndMouseOver.Play(false);
    m_iHovered = hovered;
    if (hovered < 0 || !input.MouseButtonReleased(kLeftButton))
        return;
    const Outcome outcome = ApplyButton(*m_pLevel, hovered);
    if (outcome.command == Command::kNone)
    {
        m_sndSelect.Play(false);
        return;
    }
    // A change of view waits for its sound.
    ScreenFlow::SelectPause(m_sndSelect);
    switch (outcome.command)
    {
    case Command::kMenu: BuilderFlow::OpenMenu(m_pEngine, m_pLevel, outcome.menu); break;
    case Command::kNewLevel: BuilderFlow::NewLevel(m_pEngine, m_pLevel); break;
    case Command::kTestPlay: BuilderFlow::StartTestPlay(m_pEngine, m_pLevel); break;
    case Command::kExit: BuilderFlow::ExitToTitle(m_pEngine, m_pLevel); break;
    case Command::kNone: break;
    }
}

void CLevelBuilder::DrawHighlight(int entry, float sx, float sy)
{
    const plk::ui::Box& box = plk::ui::kBuilderButtons[static_cast<size_t>(entry)];
    for (size_t i = 0; i < m_texBar.size(); ++i)
    {
        const int pieceTop = static_cast<int>(i) * plk::ui::kColumnPieceH;
        const int top = std::max(box.y1, pieceTop);
        const int bottom = std::min(box.y2, pieceTop + plk::ui::kColumnPieceH);
        if (bottom <= top || !m_texBar[i].GetTexture())
            continue;
        m_texBar[i].Draw(static_cast<int>(static_cast<float>(box.x1) * sx), static_cast<int>(static_cast<float>(top) * sy),
                         box.x1, top - pieceTop, box.x2 - box.x1, bottom - top, sx, sy, kHighlight, false);
    }
}

void CLevelBuilder::DrawLine(const XString& text, int top, int height, uint32_t colour, float sx, float sy)
{
    XDXFont& font = top == kNameTop ? m_font : m_fontSmall;
    if (!font.GetFont() || text.IsEmpty())
        return;
    const int left = top == kNameTop ? kNameLeft : kHintLeft;
    const int width = top == kNameTop ? kNameWidth : kHintWidth;
    font.Print(text, static_cast<int>(static_cast<float>(left) * sx), static_cast<int>(static_cast<float>(top) * sy),
               static_cast<int>(static_cast<float>(width) * sx), static_cast<int>(static_cast<float>(height) * sy), colour,
               plk::gfx::kDtCenter | plk::gfx::kDtVCenter | plk::gfx::kDtSingleLine);
}

void CLevelBuilder::MyDraw()
{
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    for (size_t i = 0; i < m_texBar.size(); ++i)
        if (m_texBar[i].GetTexture())
            m_texBar[i].Draw(0, static_cast<int>(static_cast<float>(i * plk::ui::kColumnPieceH) * sy), 0, 0, 0, 0, sx,
                             sy, kUntinted, false);
    if (m_iHovered >= 0)
        DrawHighlight(m_iHovered, sx, sy);
    DrawLine(Title(*m_pLevel), kNameTop, kNameHeight, kTitleColour, sx, sy);
    DrawLine(m_iHovered >= 0 ? Describe(m_iHovered) : XString(), kHintTop, kHintHeight, kHintColour, sx, sy);
}
