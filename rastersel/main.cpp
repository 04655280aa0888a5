// Rastersel: the video-mode tool of Plinkett3.
#include "rastersel/CRasterselProgram.h"

#include <cstdio>

int main(int argc, char** argv)
{
    CRasterselProgram program;
    return program.Run(argc, argv, stderr);
}
