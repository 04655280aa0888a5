// The tutorial's closing note.
#include "screens/CTutorialEnd.h"

CTutorialEnd::CTutorialEnd(CGameLevel* level) : CGameComplete(level, Text(), false)
{
}

XString CTutorialEnd::Text()
{
    return XString("You have finished the in game how to play tutorials.\r\n"
                   "Now you should be ready to play the actual game.\r\n"
                   "So, press any key or click your mouse button to return\r\n"
                   "to the title menu where you will then need to click\r\n"
                   "\"New Game\". Enjoy the game!\r\n"
                   "\r\n"
                   "- Vantorel Software\r\n"
                   "\r\n"
                   "Upgrades and new levels can be found at our web site:\r\n"
                   "www.vantorelsoftware.example");
}
