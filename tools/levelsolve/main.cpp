// plk_levelsolve DATA_DIR LEVEL.txt [MAX_PUSHES [PRELUDE.sol]]: searches the pushes of a plain
// level document (after the prelude's moves, when given) and prints a recorded solution, or says
// that the level cannot be cleared by pushes alone.
// plk_levelsolve --table DATA_DIR LEVEL.txt...: prints the difficulty table of the levels, one
// row each: name, shortest pushes, positions examined, share of random sequences that win.
#include "tools/levelsolve/LevelSolver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
// The level's name as the solver plays it: one that needs no origin mark.
std::string SolveName(const std::string& path)
{
    std::string name = path.substr(path.find_last_of("/\\") + 1);
    return "Solve_" + name.substr(0, name.find('.'));
}

// The drops at the head of the level's recorded solution (solutions/NAME.sol beside it): the
// pushes are searched from where they leave the board.
CLevelSolution PreludeOf(const std::string& levelPath)
{
    const size_t slash = levelPath.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "." : levelPath.substr(0, slash);
    std::string stem = levelPath.substr(slash == std::string::npos ? 0 : slash + 1);
    stem = stem.substr(0, stem.find('.'));
    CLevelSolution recorded, prelude;
    if (!recorded.ReadFile((folder + "/solutions/" + stem + ".sol").c_str()))
        return prelude;
    prelude.SetSeed(recorded.GetSeed());
    for (const SolutionMove& move : recorded.GetMoves())
    {
        if (move.kind != SolutionMove::kDrop)
            break;
        prelude.AddMove(move);
    }
    return prelude;
}

int PrintTable(const XString& dataFolder, int count, char** paths)
{
    CLevelSolver solver(dataFolder);
    int failures = 0;
    std::printf("# level shortest-pushes positions random-win-share\n");
    for (int i = 0; i < count; ++i)
    {
        XString document;
        if (!document.ReadFile(paths[i]))
        {
            std::fprintf(stderr, "%s\n", document.GetErrorMsg());
            return 2;
        }
        const std::string path = paths[i];
        std::string stem = path.substr(path.find_last_of("/\\") + 1);
        stem = stem.substr(0, stem.find('.'));
        CLevelSolver::Rating rating;
        const CLevelSolver::Outcome outcome =
            solver.Rate(SolveName(path).c_str(), document, CLevelSolver::Limits(), PreludeOf(path), rating);
        if (outcome != CLevelSolver::kSolved)
        {
            std::fprintf(stderr, "%s: not solved (%lld positions) %s\n", stem.c_str(), solver.GetPositionsSeen(),
                         solver.GetErrorMsg().GetBuffer());
            ++failures;
            continue;
        }
        std::printf("%s %d %lld %.4f\n", stem.c_str(), rating.shortest, rating.positions, rating.randomWins);
        const CPushBoard& board = solver.GetBoard();
        std::fprintf(stderr, "%s: search %.2f s, %.0f positions/s, %lld pushes on the grid, %lld by the rules\n",
                     stem.c_str(), rating.searchSeconds,
                     static_cast<double>(rating.positions) / std::max(rating.searchSeconds, 1e-6),
                     board.GetGridPushes(), board.GetRulePushes());
        std::fflush(stdout);
    }
    return failures ? 1 : 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "--table") == 0)
    {
        XString dataFolder(argv[2]);
        dataFolder += "/";
        return PrintTable(dataFolder, argc - 3, argv + 3);
    }
    if (argc < 3 || argc > 5)
    {
        std::fprintf(stderr, "usage: plk_levelsolve DATA_DIR LEVEL.txt [MAX_PUSHES [PRELUDE.sol]]\n"
                             "       plk_levelsolve --table DATA_DIR LEVEL.txt...\n");
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
    switch (solver.Solve(SolveName(argv[2]).c_str(), document, limits, prelude))
    {
    case CLevelSolver::kSolved:
        std::printf("%s", solver.GetSolution().Format("found by plk_levelsolve").c_str());
        return 0;
    case CLevelSolver::kUnsolvable:
        std::fprintf(stderr, "unsolvable: no pushes clear it (%lld positions)\n", solver.GetPositionsSeen());
        return 1;
    case CLevelSolver::kGaveUp:
        std::fprintf(stderr, "gave up after %lld positions\n", solver.GetPositionsSeen());
        return 1;
    case CLevelSolver::kError:
        break;
    }
    std::fprintf(stderr, "%s\n", solver.GetErrorMsg().GetBuffer());
    return 2;
}
