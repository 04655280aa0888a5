// The difficulty and level-start cards of a new play screen.
#include "screens/CLevelIntro.h"

#include "game/CGameLevel.h"
#include "screens/CGameMenu.h"
#include "screens/CScreenFlow.h"

#include <new>

CLevelIntro::CLevelIntro(CGameLevel* level) : m_pLevel(level)
{
}

void CLevelIntro::MyUpdate()
{
    // Each card is an exclusive overlay above this screen: this update runs again only once the
    // card has closed.
    if (m_pLevel->GetDifficulty() == 0)
    {
        ScreenFlow::Overlay(m_pEngine,
                            new (std::nothrow) CGameMenu(m_pLevel, 0, MenuMode::ChooseDifficulty, XString(), nullptr));
        return;
    }
    if (!m_bStartCardShown)
    {
        m_bStartCardShown = true;
        ScreenFlow::Overlay(m_pEngine,
                            new (std::nothrow) CGameMenu(m_pLevel, 0, MenuMode::LevelStart, XString(), nullptr));
        return;
    }
    Close();
}
