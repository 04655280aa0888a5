// The play demo's hand-made level: board top, terrain, scenery, walls, a teleporter pair and
// cubes, with a red cube that falls beside two others so that a group is scored at once.
#pragma once

class CGameLevel;
class XGameEngine;

namespace playdemo
{
// Name of the level file the demo writes into its data folder's "levels" subfolder.
extern const char* const kLevelName;
// Fills level with the demo's objects; the caller saves it.
void BuildDemoLevel(CGameLevel& level, XGameEngine* engine);
} // namespace playdemo
