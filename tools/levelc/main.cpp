// plk_levelc INPUT OUTPUT: compiles one plain level document into its enciphered level file.
#include "tools/levelc/LevelCompiler.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: plk_levelc INPUT.txt OUTPUT.dat\n");
        return 2;
    }
    CLevelCompiler compiler;
    if (!compiler.CompileFile(argv[1], argv[2]))
    {
        std::fprintf(stderr, "%s\n", compiler.GetErrorMsg().GetBuffer());
        return 1;
    }
    return 0;
}
