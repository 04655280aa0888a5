// Meshes of the cubes and of the push arrow: frame sets Block, SmasherCube, BombStd, BombCube, StoneBlock,
// and Arrow.x.
#pragma once

#include "tools/worldgen/DataWriter.h"

namespace worldgen
{

const int kBlockFrames = 10;     // the lifter's morph: frame 0 the plain cube, the last the raised form
const int kSmasherFrames = 16;   // one loop of the spikes' pulse
const int kBombBlastFrames = 12; // 0.6 s at the 20 frames per second the exploding bomb plays

void WriteCubeMeshes(DataWriter& out);

} // namespace worldgen
