// The menu overlay: construction by mode, media, the mode rules shared by drawing and input.
#include "screens/CGameMenu.h"

#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "screens/CGameMenuLayout.h"
#include "screens/CLevelSetList.h"
#include "screens/CScreenFlow.h"
#include "ui/UiLayout.h"

#include <cstdio>

namespace
{

const char* const kFramePartNames[] = {"TL", "T", "TR", "L", "R", "BL", "B", "BR", "SL", "SM", "SR"};
// Frame pieces are drawn with magenta as their transparent colour.
const uint32_t kFrameColourKey = 0xFFFF00FF;
const int kMainFontPoints = 16;
const int kLargeFontPoints = 24;

const unsigned kLevelNameMax = 40;
const unsigned kObjectiveMax = 300;
const unsigned kTimeDigitsMax = 4;
const unsigned kFileNameMax = 40;
const int kMinSeconds = 60;
const int kMaxSeconds = 9999;

} // namespace

CGameMenu::CGameMenu(CGameLevel* level, int frameStyle, MenuMode mode, const XString& text, bool* answer)
    : m_pLevel(level), m_iFrameStyle(frameStyle), m_mode(mode), m_pAnswer(answer)
{
    unsigned maxLength = 0;
    CTextEntry::CharClass charClass = CTextEntry::CharClass::kFreeText;
    m_bEditable = EntryRules(mode, maxLength, charClass);
    XString initial;
    const XString& data = level->GetDataFolder();
    switch (mode)
    {
    case MenuMode::Help:
    {
        XString path(data);
        path += "help.txt";
        // A missing help file leaves the card empty; it still closes on any key.
        if (!initial.ReadFile(path.GetBuffer()))
            initial = "";
        break;
    }
    case MenuMode::EditLevelName: initial = level->GetLevelName(); break;
    case MenuMode::EditObjective: initial = level->GetObjective(); break;
    case MenuMode::EditTime: initial = TimeText(*level); break;
    case MenuMode::SaveLevel:
        initial = level->GetLevelFileName();
        if (initial.StartsWithNoCase(CGameLevel::kLastEditedName))
            initial = "";
        else if (initial.EndsWithNoCase(".dat"))
            initial.Truncate(initial.GetLength() - 4);
        break;
    case MenuMode::LoadLevel:
    {
        XString levels(data);
        levels += "levels\\";
        m_list.ListLevels(levels);
        break;
    }
    case MenuMode::LoadGame:
    case MenuMode::TitleLoadGame: m_list.ListSavedGames(data); break;
    case MenuMode::LoadFailed: m_strFile = text; break;
    case MenuMode::ConfirmDeleteLevel:
    case MenuMode::ConfirmDeleteGame:
    {
        m_strFile = text;
        const int slash = text.FindRev('\\');
        initial = slash >= 0 ? text.GetBuffer(static_cast<unsigned>(slash + 1)) : text.GetBuffer();
        const int dot = initial.Find('.');
        if (dot >= 0)
            initial.Truncate(static_cast<unsigned>(dot));
        break;
    }
    case MenuMode::ChooseMusic: m_list.ListMusic(data); break;
    case MenuMode::ChooseLevelSet:
    {
        CLevelSetList sets;
        sets.Read(data);
        m_list.SetVisibleRows(MenuListLayout::kHeadedVisibleRows);
        m_list.Add(XString("Standard Game Levels"));
        for (unsigned i = 0; i < sets.GetCount(); ++i)
            m_list.Add(sets.GetDescription(i));
        break;
    }
    default: break;
    }
    m_entry = CTextEntry(charClass, maxLength, initial);
}

bool CGameMenu::EntryRules(MenuMode mode, unsigned& maxLength, CTextEntry::CharClass& charClass)
{
    switch (mode)
    {
    case MenuMode::EditLevelName:
        maxLength = kLevelNameMax;
        charClass = CTextEntry::CharClass::kFreeText;
        return true;
    case MenuMode::EditObjective:
        maxLength = kObjectiveMax;
        charClass = CTextEntry::CharClass::kFreeText;
        return true;
    case MenuMode::EditTime:
        maxLength = kTimeDigitsMax;
        charClass = CTextEntry::CharClass::kDigits;
        return true;
    case MenuMode::SaveLevel:
    case MenuMode::SaveGame:
        maxLength = kFileNameMax;
        charClass = CTextEntry::CharClass::kFileName;
        return true;
    default: return false;
    }
}

XString CGameMenu::SaveName(const XString& typed)
{
    XString name(typed);
    name.Trim(' ');
    if (!name.EndsWithNoCase(".dat"))
        name += ".dat";
    return name;
}

int CGameMenu::ClampSeconds(const XString& typed)
{
    const int seconds = typed.ToInt();
    return seconds < kMinSeconds ? kMinSeconds : (seconds > kMaxSeconds ? kMaxSeconds : seconds);
}

XString CGameMenu::LevelSetStart(const CLevelSetList& sets, unsigned entry)
{
    XString name(entry == 0 || entry > sets.GetCount() ? XString("StdLevel") : sets.GetName(entry - 1));
    name += "1";
    return name;
}

XString CGameMenu::LoadFailedText(const XString& fileName)
{
    XString text("This level could not be loaded: ");
    text += fileName;
    text += ". It may be damaged.";
    return text;
}

XString CGameMenu::SaveFailedText(const XString& name, bool isSavedGame, const XString& error)
{
    XString text(isSavedGame ? "The game could not be saved as " : "The level could not be saved as ");
    text += name;
    text += isSavedGame ? ". " : "; it is still here, and the file before is as it was. ";
    text += error;
    return text;
}

XString CGameMenu::TimeText(const CGameLevel& level)
{
    const float seconds = level.GetTimeLeft() / 1000.0f;
    XString text;
    // The prompt holds four digits; a damaged file may carry any value.
    text = seconds <= 0.0f ? 0 : (seconds >= static_cast<float>(kMaxSeconds) ? kMaxSeconds : static_cast<int>(seconds));
    return text;
}

bool CGameMenu::IsList() const
{
    return m_mode == MenuMode::LoadLevel || m_mode == MenuMode::LoadGame || m_mode == MenuMode::TitleLoadGame ||
           m_mode == MenuMode::ChooseMusic || m_mode == MenuMode::ChooseLevelSet;
}

bool CGameMenu::IsSummary() const
{
    return m_mode == MenuMode::LevelComplete || m_mode == MenuMode::BuilderTestComplete;
}

bool CGameMenu::IsPrompt() const
{
    return m_bEditable;
}

bool CGameMenu::IsQuestion() const
{
    return m_mode == MenuMode::ConfirmDeleteLevel || m_mode == MenuMode::ConfirmDeleteGame;
}

XString CGameMenu::ComposedText() const
{
    XString shown = m_entry.GetText();
    // The cursor blinks: shown for the first half of every second.
    if (m_bEditable && m_pEngine && m_pEngine->GetTime() % 1000 < 500)
        shown = m_entry.WithCursor();
    XString text;
    switch (m_mode)
    {
    case MenuMode::EditLevelName: text.Format("Level name: (%u characters maximum)\r\n", kLevelNameMax); break;
    case MenuMode::EditObjective:
        text.Format("Objective: (%u characters maximum. alt+enter=line)\r\n", kObjectiveMax);
        break;
    case MenuMode::EditTime: text = "Set time: (60 - 9999 seconds)\r\nSeconds = "; break;
    case MenuMode::SaveLevel:
    case MenuMode::SaveGame: text = "Save game: (Enter level filename 40 chars max)\r\n"; break;
    case MenuMode::ConfirmDeleteLevel:
        text = "Are you sure you want to delete the level named:\r\n";
        text += shown;
        text += "?     Yes / No";
        return text;
    case MenuMode::ConfirmDeleteGame:
        text = "Are you sure you want to delete the saved game named:\r\n";
        text += shown;
        text += "?     Yes / No";
        return text;
    case MenuMode::LoadLevel:
    case MenuMode::LoadGame:
    case MenuMode::TitleLoadGame: return XString("No levels to load, press esc to continue\r\n");
    case MenuMode::ChooseMusic: return XString("No music to load, press esc to continue\r\n");
    case MenuMode::ChooseLevelSet: return XString("No level sets to load, press esc to continue\r\n");
    default: return shown;
    }
    text += shown;
    return text;
}

void CGameMenu::MyInit()
{
    char name[64];
    const XString& data = m_pLevel->GetDataFolder();
    for (int i = 0; i < kFrameParts; ++i)
    {
        std::snprintf(name, sizeof(name), "Frame%i_%s.bmp", m_iFrameStyle, kFramePartNames[i]);
        XString path(data);
        path += name;
        if (!m_texFrame[i].Load(path, kFrameColourKey, 0))
            ScreenFlow::LogFailure("CGameMenu::MyInit", "m_texFrame.Load", m_texFrame[i].GetErrorMsg());
    }
    if (!m_texFill.Load("transfill.png", 0, 0))
        ScreenFlow::LogFailure("CGameMenu::MyInit", "m_texFill.Load", m_texFill.GetErrorMsg());
    if (m_mode == MenuMode::LevelStart && !m_texReady.Load("MnuReady.png", 0, 0))
        ScreenFlow::LogFailure("CGameMenu::MyInit", "m_texReady.Load", m_texReady.GetErrorMsg());
    if (IsSummary())
    {
        if (!m_texHeader0.Load("MnuLevelComplete0.png", 0, 0))
            ScreenFlow::LogFailure("CGameMenu::MyInit", "m_texHeader0.Load", m_texHeader0.GetErrorMsg());
        if (!m_texHeader1.Load("MnuLevelComplete1.png", 0, 0))
            ScreenFlow::LogFailure("CGameMenu::MyInit", "m_texHeader1.Load", m_texHeader1.GetErrorMsg());
    }
    if (!m_texSprites.Load("MiscTex0.png", 0, 0))
        ScreenFlow::LogFailure("CGameMenu::MyInit", "m_texSprites.Load", m_texSprites.GetErrorMsg());
    if (!m_font.Create("Arial", ScreenFlow::FontPoints(m_pEngine, kMainFontPoints), false, false))
        ScreenFlow::LogFailure("CGameMenu::MyInit", "m_font.Create", m_font.GetErrorMsg());
    if (!m_fontLarge.Create("Arial", ScreenFlow::FontPoints(m_pEngine, kLargeFontPoints), false, false))
        ScreenFlow::LogFailure("CGameMenu::MyInit", "m_fontLarge.Create", m_fontLarge.GetErrorMsg());
    if (!m_sndMouseOver.Load("SndMouseOver.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CGameMenu::MyInit", "m_sndMouseOver.Load", m_sndMouseOver.GetErrorMsg());
    if (!m_sndSelect.Load("SndSelectArrow.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CGameMenu::MyInit", "m_sndSelect.Load", m_sndSelect.GetErrorMsg());
}

void CGameMenu::MyFree()
{
    for (XDXTexture& piece : m_texFrame)
        piece.Release();
    m_texFill.Release();
    m_texReady.Release();
    m_texHeader0.Release();
    m_texHeader1.Release();
    m_texSprites.Release();
    m_font.Release();
    m_fontLarge.Release();
    m_sndMouseOver.Unload();
    m_sndSelect.Unload();
}

void CGameMenu::MyDraw()
{
    switch (m_mode)
    {
    case MenuMode::LevelStart: DrawLevelStart(); break;
    case MenuMode::ChooseDifficulty: DrawDifficulty(); break;
    case MenuMode::Help: DrawHelp(); break;
    case MenuMode::LevelComplete:
    case MenuMode::BuilderTestComplete: DrawSummary(); break;
    case MenuMode::LoadFailed: DrawLoadFailed(); break;
    default:
        if (IsList() && m_list.GetCount() > 0)
            DrawList();
        else if (IsList() || IsPrompt() || IsQuestion())
            DrawTextFrame();
        break;
    }
}

void CGameMenu::MyUpdate()
{
    if (m_bDone)
        return;
    switch (m_mode)
    {
    case MenuMode::LevelStart:
    case MenuMode::Help:
    case MenuMode::LoadFailed: UpdateCard(); break;
    case MenuMode::ChooseDifficulty: UpdateDifficulty(); break;
    case MenuMode::LevelComplete:
    case MenuMode::BuilderTestComplete: UpdateSummary(); break;
    case MenuMode::ConfirmDeleteLevel:
    case MenuMode::ConfirmDeleteGame: UpdateQuestion(); break;
    default:
        if (IsList() || IsPrompt())
            UpdateTyping();
        break;
    }
}
