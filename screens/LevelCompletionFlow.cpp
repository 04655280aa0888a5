// Continuing from the level-complete card: the screens that follow a finished level.
#include "screens/LevelCompletion.h"

#include "game/CGameLevel.h"
#include "screens/CGameComplete.h"
#include "screens/CScoreUploads.h"
#include "screens/CScreenFlow.h"
#include "screens/CTutorialEnd.h"

#include <new>

void CLevelCompletion::Continue(XGameEngine* engine, CGameLevel* level)
{
    XString nextName;
    switch (Finish(*level, CScoreUploads::GetLogin(), nextName))
    {
    case Next::kNextLevel: ScreenFlow::StartPlay(engine, level, nextName, false); break;
    case Next::kTutorialEnd: ScreenFlow::FullChange(engine, new (std::nothrow) CTutorialEnd(level)); break;
    case Next::kGameComplete: ScreenFlow::FullChange(engine, new (std::nothrow) CGameComplete(level)); break;
    }
}
