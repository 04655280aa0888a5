// The screen after the last tutorial level: the game-complete banner and a note sending the
// player to a real game.
#pragma once

#include "screens/CGameComplete.h"

class CTutorialEnd : public CGameComplete
{
public:
    explicit CTutorialEnd(CGameLevel* level);

    static XString Text();
};
