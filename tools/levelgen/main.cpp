// plk_levelgen TEMPLATE.txt OUT.txt SEED MIN_PUSHES MAX_PUSHES SECONDS [BLOCKERS]: proposes floor
// puzzles for a level: walls one cell high and cubes on the floor, three of one colour to clear
// and blockers (stones and lone cubes of other colours) that never match. It climbs from random
// boards toward the longest shortest solution the push solver finds within MAX_PUSHES, and writes
// the template level (its name, scenery, weather and music kept) with the best board once one
// needs at least MIN_PUSHES; the wall texture is the template's first wall's.
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CPushBoard.h"
#include "game/CPushSolver.h"
#include "game/CWallBlock.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace
{
const int kFloorCells = CBoard::kColumns * CBoard::kRows;
// Positions one rating may examine: a board past this is too open to rate.
const int kRatingPositions = 60000;
// Share of floor cells that start as walls.
const double kWallShare = 0.28;

enum CellContent : int8_t { kFree = -2, kWall = -3 };

struct Board
{
    std::vector<int8_t> cells = std::vector<int8_t>(kFloorCells, kFree); // cube type, kFree or kWall
};

struct Rated
{
    int pushes = -1; // shortest solution; -1 none found
    long long positions = 0;
};

int FreeCell(const Board& board, std::mt19937& random)
{
    for (;;)
    {
        const int cell = static_cast<int>(random() % kFloorCells);
        if (board.cells[static_cast<size_t>(cell)] == kFree)
            return cell;
    }
}

Board RandomBoard(std::mt19937& random, int colour, const std::vector<int>& blockers)
{
    Board board;
    for (int8_t& cell : board.cells)
        cell = std::uniform_real_distribution<double>(0.0, 1.0)(random) < kWallShare ? kWall : kFree;
    for (int i = 0; i < 3; ++i)
        board.cells[static_cast<size_t>(FreeCell(board, random))] = static_cast<int8_t>(colour);
    for (int type : blockers)
        board.cells[static_cast<size_t>(FreeCell(board, random))] = static_cast<int8_t>(type);
    return board;
}

void Mutate(Board& board, std::mt19937& random)
{
    const int a = static_cast<int>(random() % kFloorCells), b = static_cast<int>(random() % kFloorCells);
    if (random() % 3 == 0)
    {
        // A wall comes or goes.
        int8_t& cell = board.cells[static_cast<size_t>(a)];
        if (cell == kWall)
            cell = kFree;
        else if (cell == kFree)
            cell = kWall;
        return;
    }
    std::swap(board.cells[static_cast<size_t>(a)], board.cells[static_cast<size_t>(b)]);
}

XString WallXml(const Board& board, int wallType, int& count)
{
    XString xml;
    count = 0;
    for (int cell = 0; cell < kFloorCells; ++cell)
        if (board.cells[static_cast<size_t>(cell)] == kWall)
        {
            CWallBlock wall;
            wall.Init(nullptr, wallType);
            wall.SetPosition(CBoard::CellCentre(cell / CBoard::kRows, 0, cell % CBoard::kRows));
            wall.WriteXml(xml, count++);
        }
    return xml;
}

Rated Rate(const Board& board, int wallType, int colour, int maxPushes)
{
    CPushBoard::Setup setup;
    setup.fixedBodies = WallXml(board, wallType, setup.numWalls);
    for (int cell = 0; cell < kFloorCells; ++cell)
    {
        const int8_t type = board.cells[static_cast<size_t>(cell)];
        if (type < 0)
            continue;
        CPushBoard::Cube cube;
        cube.type = type;
        cube.cell = static_cast<int16_t>(CBoard::CellIndex(cell / CBoard::kRows, 0, cell % CBoard::kRows));
        setup.cubes.push_back(cube);
    }
    setup.removeToWin[static_cast<size_t>(colour)] = true;
    setup.difficulty = 3;
    CPushBoard pushBoard;
    pushBoard.Prepare(setup);
    CPushSolver solver;
    CPushSolver::Limits limits;
    limits.maxPushes = maxPushes;
    limits.maxPositions = kRatingPositions;
    Rated rated;
    if (solver.Solve(pushBoard, setup.cubes, limits) == CPushSolver::kSolved)
        rated.pushes = static_cast<int>(solver.GetPushes().size());
    rated.positions = solver.GetPositionsSeen();
    return rated;
}

// "DarkGreen" as the objective says it: "dark green".
std::string SpokenColour(int colour)
{
    std::string spoken;
    for (const char* c = CPlayBlock::ColourWord(colour); *c; ++c)
    {
        if (std::isupper(static_cast<unsigned char>(*c)) && !spoken.empty())
            spoken += ' ';
        spoken += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    return spoken;
}

bool Write(const XString& templateDocument, const char* name, const Board& board, int colour, const char* out)
{
    CGameLevel level(nullptr);
    if (!level.LoadFromDocument(name, templateDocument, true, false))
    {
        std::fprintf(stderr, "%s\n", level.GetErrorMsg().GetBuffer());
        return false;
    }
    const int wallType = level.GetNumWalls() > 0 ? level.GetWall(0).GetWallType() : 0;
    int walls = 0, cubes = 0;
    for (int8_t cell : board.cells)
    {
        walls += cell == kWall ? 1 : 0;
        cubes += cell >= 0 ? 1 : 0;
    }
    level.SetNumTeleporters(0);
    level.SetNumWalls(walls);
    level.SetNumPlayBlocks(cubes);
    int wall = 0, cube = 0;
    for (int cell = 0; cell < kFloorCells; ++cell)
    {
        const plk::gfx::Vector3 centre = CBoard::CellCentre(cell / CBoard::kRows, 0, cell % CBoard::kRows);
        const int8_t content = board.cells[static_cast<size_t>(cell)];
        if (content == kWall)
        {
            level.GetWall(wall).Init(nullptr, wallType);
            level.GetWall(wall++).SetPosition(centre);
        }
        else if (content >= 0)
        {
            level.GetPlayBlock(cube).Init(nullptr, content, false);
            level.GetPlayBlock(cube++).SetPosition(centre);
        }
    }
    for (int c = 0; c < CGameLevel::kColourCount; ++c)
        level.SetRemoveToWin(c, c == colour);
    level.SetBlocksLeft(3);
    XString objective("Slide the three ");
    objective += SpokenColour(colour).c_str();
    objective += " cubes together. Every push carries a cube on until something stops it,\nso plan each stop: the stones and the lone cubes are there to stop them.";
    level.SetObjective(objective);
    XString written;
    level.WriteDocument(written, false, false);
    // The writer leaves the score-posting key out, as in a saved game; the level keeps its own.
    std::string text(written.GetBuffer(), written.GetLength());
    const std::string emptyKey = "<SignatureKey></SignatureKey>";
    const size_t at = text.find(emptyKey);
    if (at != std::string::npos)
    {
        const std::string key = level.GetSignatureKey().GetBuffer();
        text.replace(at, emptyKey.size(), "<SignatureKey>" + key + "</SignatureKey>");
    }
    XString document(text.c_str());
    return document.WriteFile(out, true);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 7 || argc > 8)
    {
        std::fprintf(stderr, "usage: plk_levelgen TEMPLATE.txt OUT.txt SEED MIN_PUSHES MAX_PUSHES SECONDS [BLOCKERS]\n");
        return 2;
    }
    XString templateDocument;
    if (!templateDocument.ReadFile(argv[1]))
    {
        std::fprintf(stderr, "%s\n", templateDocument.GetErrorMsg());
        return 2;
    }
    std::mt19937 random(static_cast<unsigned>(std::atoi(argv[3])));
    const int minPushes = std::atoi(argv[4]), maxPushes = std::atoi(argv[5]);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[6]));
    const int blockerCount = argc == 8 ? std::atoi(argv[7]) : 4;
    const int colour = static_cast<int>(random() % CPlayBlock::kColourCount);
    std::vector<int> blockers;
    for (int i = 0; i < blockerCount; ++i)
        blockers.push_back(i % 3 == 0 ? CPlayBlock::kTypeStone
                                      : (colour + 1 + static_cast<int>(random() % 9) + i) % CPlayBlock::kColourCount);
    // Lone cubes of other colours never meet a second of their own.
    for (size_t i = 0; i < blockers.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (blockers[i] == blockers[j] && blockers[i] != CPlayBlock::kTypeStone)
                blockers[i] = CPlayBlock::kTypeStone;
    for (int& type : blockers)
        if (type == colour)
            type = CPlayBlock::kTypeStone;

    const int wallType = 0;
    Board best, current;
    Rated bestRating, currentRating;
    int restarts = 0;
    while (std::chrono::steady_clock::now() < end && bestRating.pushes < maxPushes)
    {
        current = RandomBoard(random, colour, blockers);
        currentRating = Rate(current, wallType, colour, maxPushes);
        ++restarts;
        for (int step = 0; step < 300 && std::chrono::steady_clock::now() < end && bestRating.pushes < maxPushes;
             ++step)
        {
            Board next = current;
            Mutate(next, random);
            const Rated rated = Rate(next, wallType, colour, maxPushes);
            if (rated.pushes >= currentRating.pushes && rated.pushes > 0)
            {
                current = next;
                currentRating = rated;
            }
            if (currentRating.pushes > bestRating.pushes ||
                (currentRating.pushes == bestRating.pushes && currentRating.positions > bestRating.positions))
            {
                best = current;
                bestRating = currentRating;
                std::fprintf(stderr, "restart %d step %d: %d pushes, %lld positions\n", restarts, step,
                             bestRating.pushes, bestRating.positions);
            }
        }
    }
    if (bestRating.pushes < minPushes)
    {
        std::fprintf(stderr, "best found: %d pushes\n", bestRating.pushes);
        return 1;
    }
    std::string name = argv[2];
    name = name.substr(name.find_last_of("/\\") + 1);
    name = "Gen_" + name.substr(0, name.find('.'));
    return Write(templateDocument, name.c_str(), best, colour, argv[2]) ? 0 : 2;
}
