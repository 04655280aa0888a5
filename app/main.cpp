// The game program's entry point.
#include "app/CGameProgram.h"

int main(int argc, char** argv)
{
    CGameProgram program;
    return program.Run(argc, argv);
}
