// plk_levelsolve DATA_DIR LEVEL.txt [MAX_PUSHES [PRELUDE.sol]]: searches the pushes of a plain
// level document (after the prelude's moves, when given) and prints a recorded solution, or says
// that the level cannot be cleared by pushes alone.
#include "tools/levelsolve/LevelSolver.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 5)
    {
        std::fprintf(stderr, "usage: plk_levelsolve DATA_DIR LEVEL.txt [MAX_PUSHES [PRELUDE.sol]]\n");
        return 2;
    }
    XString dataFolder(argv[1]);
    dataFolder += "/";
    XString document;
    if (!document.ReadFile(argv[2]))
    {
        std::fprintf(stderr, "%s\n", document.GetErrorMsg());
        return 2;
    }
    // The solver plays the level under a name that needs no origin mark.
    std::string name = argv[2];
    name = name.substr(name.find_last_of("/\\") + 1);
    name = "Solve_" + name.substr(0, name.find('.'));
    CLevelSolver::Limits limits;
    if (argc >= 4)
        limits.maxPushes = std::atoi(argv[3]);
    CLevelSolution prelude;
    if (argc == 5 && !prelude.ReadFile(argv[4]))
    {
        std::fprintf(stderr, "%s\n", prelude.GetErrorMsg().GetBuffer());
        return 2;
    }
    CLevelSolver solver(dataFolder);
    switch (solver.Solve(name.c_str(), document, limits, prelude))
    {
    case CLevelSolver::kSolved:
        std::printf("%s", solver.GetSolution().Format("found by plk_levelsolve").c_str());
        return 0;
    case CLevelSolver::kUnsolvable:
        std::fprintf(stderr, "unsolvable: no pushes clear it (%d positions)\n", solver.GetStatesSeen());
        return 1;
    case CLevelSolver::kGaveUp:
        std::fprintf(stderr, "gave up after %d positions\n", solver.GetStatesSeen());
        return 1;
    case CLevelSolver::kError:
        break;
    }
    std::fprintf(stderr, "%s\n", solver.GetErrorMsg().GetBuffer());
    return 2;
}
