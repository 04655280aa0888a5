// What every whole-game run checks in its screenshots and log.
#pragma once

#include "tests/e2e/run/TitleRun.h"

bool IsBlack(const Rgb& c);
// The status bar's blue column at the left of the play view.
bool IsBlueColumn(const Rgb& c);
// The log of a whole run: the exit line last, and no failure of the play screens.
void ExpectCleanLog(const TitleRun& run);
