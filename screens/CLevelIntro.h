// The cards before play: the difficulty choice while the game has none, then the level's start
// card, once per play screen. It lies over the play view and its status bar, exclusive, so that
// neither runs until the cards are gone, and closes itself when play may start.
#pragma once

#include "engine/XGameScreen.h"

class CGameLevel;

class CLevelIntro : public XGameScreen
{
public:
    explicit CLevelIntro(CGameLevel* level);

    void MyUpdate() override;

    bool HasShownStartCard() const { return m_bStartCardShown; }

private:
    CGameLevel* m_pLevel;
    bool m_bStartCardShown = false;
};
