// Input of the menu overlay: cards, the difficulty choice, delete questions, typing and lists.
#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "screens/CGameMenu.h"
#include "screens/CGameMenuLayout.h"
#include "screens/CLevelSetList.h"
#include "screens/CScreenFlow.h"
#include "platform/window/KeyCodes.h"
#include "ui/UiLayout.h"

#include <new>

using namespace MenuListLayout;

namespace
{

const char* const kProtectedLevels[] = {"StdLevel", "__Lrn"};

// Hovered-button numbers of a list's controls.
const int kButtonUp = 0;
const int kButtonDown = 1;
const int kButtonClose = 2;

} // namespace

void CGameMenu::Hover(int button)
{
    if (button >= 0 && button != m_iHoveredButton)
        m_sndMouseOver.Play(false);
    m_iHoveredButton = button;
}

void CGameMenu::UpdateCard()
{
    const XDXInput& input = m_pEngine->m_input;
    if (input.AnyKeyReleased() || input.MouseButtonDown(0) || input.MouseButtonDown(1) || input.MouseButtonDown(2))
    {
        m_bDone = true;
        Close();
        // Nothing of a level that did not load can be played: the way on is the title.
        if (m_mode == MenuMode::LoadFailed)
            ScreenFlow::ToTitle(m_pEngine, m_pLevel);
    }
}

void CGameMenu::UpdateDifficulty()
{
    const XDXInput& input = m_pEngine->m_input;
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    int hovered = -1;
    for (int option = 0; option < 3; ++option)
    {
        float x, y, w, h;
        if (DifficultyOptionRect(option, x, y, w, h) && input.MouseInRect(x, y, x + w, y + h, sx, sy))
            hovered = option;
    }
    Hover(hovered);
    if (hovered >= 0 && input.MouseButtonReleased(0))
    {
        ScreenFlow::SelectPause(m_sndSelect);
        m_pLevel->SetDifficulty(hovered + 1);
        m_bDone = true;
        Close();
    }
}

void CGameMenu::UpdateQuestion()
{
    const XDXInput& input = m_pEngine->m_input;
    for (int i = 0; i < input.GetTypedCount(); ++i)
    {
        bool down = false;
        const char c = input.GetTyped(i, down);
        if (!down)
            continue;
        bool answer = false;
        if (c == 'y' || c == 'Y')
        {
            XString doomed(m_strFile);
            answer = doomed.DeleteFile();
        }
        else if (c != 'n' && c != 'N' && c != CTextEntry::kEscape)
        {
            continue;
        }
        if (m_pAnswer)
            *m_pAnswer = answer;
        m_bDone = true;
        Close();
        return;
    }
}

void CGameMenu::UpdateTyping()
{
    const XDXInput& input = m_pEngine->m_input;
    if (IsList())
        UpdateList();
    if (m_bDone)
        return;
    const bool alt = input.KeyDown(plk::kKeyLeftAlt) || input.KeyDown(plk::kKeyRightAlt);
    if (m_bEditable && !IsList())
    {
        // Alt+Enter starts a new line here rather than switching full screen (F11 still does).
        m_pEngine->ClaimAltEnter();
        if (input.KeyReleased(plk::kKeyLeft))
            m_entry.MoveLeft();
        if (input.KeyReleased(plk::kKeyRight))
            m_entry.MoveRight();
        if (input.KeyReleased(plk::kKeyHome))
            m_entry.MoveHome();
        if (input.KeyReleased(plk::kKeyEnd))
            m_entry.MoveEnd();
    }
    for (int i = 0; i < input.GetTypedCount() && !m_bDone; ++i)
    {
        bool down = false;
        const char c = input.GetTyped(i, down);
        if (!down || c == 0)
            continue;
        if (c == CTextEntry::kEscape)
        {
            m_bDone = true;
            Close();
        }
        else if (c == CTextEntry::kEnter && !alt)
        {
            Accept();
        }
        else if (c == CTextEntry::kEnter)
        {
            if (m_bEditable)
                m_entry.InsertLineBreak();
        }
        else if (m_bEditable)
        {
            m_entry.Type(c);
        }
    }
}

void CGameMenu::UpdateList()
{
    const XDXInput& input = m_pEngine->m_input;
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    if (m_bDeleted)
    {
        m_list.RemoveHovered();
        m_bDeleted = false;
    }
    float upX, upY, downX, downY, closeX, closeY;
    ArrowRects(upX, upY, downX, downY, closeX, closeY);
    int button = -1;
    if (input.MouseInRect(upX, upY, upX + kArrowSize, upY + kArrowSize, sx, sy))
        button = kButtonUp;
    else if (input.MouseInRect(downX, downY, downX + kArrowSize, downY + kArrowSize, sx, sy))
        button = kButtonDown;
    else if (input.MouseInRect(closeX, closeY, closeX + kArrowSize, closeY + kArrowSize, sx, sy))
        button = kButtonClose;
    Hover(button);

    if (input.MouseButtonReleased(0))
    {
        if (button == kButtonUp && m_list.ScrollUp())
            m_sndSelect.Play(false);
        else if (button == kButtonDown && m_list.ScrollDown())
            m_sndSelect.Play(false);
        else if (button == kButtonClose)
        {
            ScreenFlow::SelectPause(m_sndSelect);
            m_bDone = true;
            Close();
            return;
        }
    }
    for (unsigned k = 0; k < m_list.GetShownCount(); ++k)
    {
        const float x = m_fFrameX + kRowLeft;
        const float y = m_fFrameY + FirstRowTop() + kRowStep * static_cast<float>(k);
        if (!input.MouseInRect(x, y, m_fFrameX + kRowRight, y + kRowHeight, sx, sy))
            continue;
        m_list.SetHovered(static_cast<int>(m_list.GetScroll() + k));
        if (input.MouseButtonReleased(0))
        {
            ScreenFlow::SelectPause(m_sndSelect);
            Accept();
            return;
        }
    }
    if (input.KeyReleased(plk::kKeyDelete))
        AskDelete();
}

void CGameMenu::AskDelete()
{
    if (m_list.GetHovered() < 0)
        return;
    MenuMode question;
    if (m_mode == MenuMode::LoadLevel)
        question = MenuMode::ConfirmDeleteLevel;
    else if (m_mode == MenuMode::LoadGame || m_mode == MenuMode::TitleLoadGame)
        question = MenuMode::ConfirmDeleteGame;
    else
        return;
    ScreenFlow::Overlay(m_pEngine, new (std::nothrow) CGameMenu(m_pLevel, m_iFrameStyle, question,
                                                                m_list.Get(static_cast<unsigned>(m_list.GetHovered())),
                                                                &m_bDeleted));
}

void CGameMenu::Accept()
{
    if (IsList())
    {
        AcceptList();
        return;
    }
    switch (m_mode)
    {
    case MenuMode::EditLevelName:
        m_pLevel->SetLevelName(m_entry.GetText());
        RecordEdit();
        break;
    case MenuMode::EditObjective:
        m_pLevel->SetObjective(m_entry.GetText());
        RecordEdit();
        break;
    case MenuMode::EditTime:
    {
        const int seconds = ClampSeconds(m_entry.GetText());
        m_pLevel->SetTimeLeft(static_cast<float>(seconds) * 1000.0f);
        RecordEdit();
        break;
    }
    case MenuMode::SaveLevel:
    case MenuMode::SaveGame:
        if (!SaveTyped(m_mode == MenuMode::SaveGame))
            return;
        break;
    default: break;
    }
    if (!m_bDone)
    {
        m_bDone = true;
        Close();
    }
}

void CGameMenu::RecordEdit()
{
    if (m_pLevel->IsBuilderMode())
        m_pLevel->GetHistory().Record(*m_pLevel);
}

bool CGameMenu::SaveTyped(bool isSavedGame)
{
    XString trimmed(m_entry.GetText());
    trimmed.Trim(' ');
    // Enter on an empty name would write a file called ".dat" that no list shows: wait for a name.
    if (trimmed.IsEmpty())
        return false;
    const XString name = SaveName(m_entry.GetText());
    if (!isSavedGame)
    {
        for (const char* prefix : kProtectedLevels)
            if (name.StartsWithNoCase(prefix))
                return true;
    }
    if (!m_pLevel->Save(name, isSavedGame))
    {
        m_pLevel->SetStatusMessage(SaveFailedText(name, isSavedGame, m_pLevel->GetErrorMsg()));
        ScreenFlow::LogFailure("CGameMenu::Accept", "m_pLevel->Save", m_pLevel->GetErrorMsg());
    }
    else if (m_pLevel->IsBuilderMode())
    {
        // The save set the level's file name and number, which is no edit of its own.
        m_pLevel->GetHistory().Rebase(*m_pLevel);
        m_pLevel->GetHistory().MarkSaved();
    }
    return true;
}

void CGameMenu::AcceptList()
{
    const int hovered = m_list.GetHovered();
    if (m_list.GetCount() == 0)
    {
        m_bDone = true;
        Close();
        return;
    }
    if (hovered < 0)
        return;
    const XString& entry = m_list.Get(static_cast<unsigned>(hovered));
    switch (m_mode)
    {
    case MenuMode::LoadLevel:
        // A level that cannot be read leaves an empty level and says so on the status line.
        if (!m_pLevel->OpenInBuilder(CMenuList::DisplayName(entry)))
            ScreenFlow::LogFailure("CGameMenu::Accept", "m_pLevel->OpenInBuilder", m_pLevel->GetErrorMsg());
        m_pLevel->GetHistory().Reset(*m_pLevel);
        break;
    // The saved game brings its own scores and difficulty, whatever was played before.
    case MenuMode::LoadGame:
    case MenuMode::TitleLoadGame: ScreenFlow::StartPlay(m_pEngine, m_pLevel, CMenuList::DisplayName(entry), true); break;
    case MenuMode::ChooseLevelSet:
    {
        CLevelSetList sets;
        sets.Read(m_pLevel->GetDataFolder());
        m_pLevel->ResetScores();
        ScreenFlow::StartPlay(m_pEngine, m_pLevel, LevelSetStart(sets, static_cast<unsigned>(hovered)), false);
        break;
    }
    case MenuMode::ChooseMusic:
        m_pLevel->SetLevelMusic(hovered == 0 ? XString("No Music") : entry);
        RecordEdit();
        break;
    default: break;
    }
    m_bDone = true;
    Close();
}
