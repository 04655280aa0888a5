// Everything the world needs, in one call: the list of generators run by the world art program.
#pragma once

#include "tools/worldgen/DataWriter.h"

namespace worldgen
{

void WriteWorldArt(DataWriter& out);

} // namespace worldgen
