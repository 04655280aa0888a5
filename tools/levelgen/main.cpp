// plk_levelgen TEMPLATE.txt OUT.txt SEED MIN_PUSHES MAX_PUSHES SECONDS [BLOCKERS] [OPTIONS]:
// proposes floor puzzles for a level: walls one cell high and cubes on the floor, three of each
// colour to clear and blockers (stones and lone cubes of other colours) that never match. It climbs
// from random boards toward the longest shortest solution the push solver finds within MAX_PUSHES,
// and writes the template level (its name, scenery, weather and music kept) with the best board;
// it exits 1 when that needs fewer than MIN_PUSHES. The wall texture is the template's first wall's.
// Options give the level its feature, rated like everything else by the solver:
//   --colours N        colours to clear, three cubes each (default 1)
//   --x3               the cubes to clear are x3 bonus cubes
//   --lifter           one cube of the first colour to clear is its lifter
//   --special TYPE     one more cube of that type (a bomb, a smasher...), repeatable
//   --teleporters      a teleporter pair on the floor
//   --positions N      positions one rating may examine (default 60000)
//   --needs-feature    keep only boards that take more pushes, or cannot be cleared, without
//                      their teleporters, lifters, bombs and smashers
//   --from-template    climb from the template's own floor puzzle (its cubes, walls, teleporters
//                      and colours to clear) instead of random boards
//   --objective TEXT   the level's objective ("\n" a line break, "%c" the first colour to clear);
//                      else a sliding text
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CPushBoard.h"
#include "game/CPushSolver.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"

#include <algorithm>
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
int g_ratingPositions = 60000;
// Share of floor cells that start as walls.
const double kWallShare = 0.28;

enum CellContent : int8_t { kFree = -2, kWall = -3, kTeleporterCell = -4 };

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

Board RandomBoard(std::mt19937& random, const std::vector<int>& cubes, bool teleporters)
{
    Board board;
    for (int8_t& cell : board.cells)
        cell = std::uniform_real_distribution<double>(0.0, 1.0)(random) < kWallShare ? kWall : kFree;
    for (int i = 0; teleporters && i < 2; ++i)
        board.cells[static_cast<size_t>(FreeCell(board, random))] = kTeleporterCell;
    for (int type : cubes)
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

// The pair in cell order: the first is the level's teleporter 0.
XString TeleporterXml(const Board& board, int& count)
{
    XString xml;
    count = 0;
    for (int cell = 0; cell < kFloorCells; ++cell)
        if (board.cells[static_cast<size_t>(cell)] == kTeleporterCell)
        {
            CTeleporter teleporter;
            teleporter.SetPosition(CBoard::CellCentre(cell / CBoard::kRows, 0, cell % CBoard::kRows));
            teleporter.WriteXml(xml, count++);
        }
    return xml;
}

Rated Rate(const Board& board, int wallType, const std::vector<int>& colours, int maxPushes)
{
    CPushBoard::Setup setup;
    setup.fixedBodies = WallXml(board, wallType, setup.numWalls);
    setup.fixedBodies += TeleporterXml(board, setup.numTeleporters);
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
    for (int colour : colours)
        setup.removeToWin[static_cast<size_t>(colour)] = true;
    setup.difficulty = 3;
    CPushBoard pushBoard;
    pushBoard.Prepare(setup);
    CPushSolver solver;
    CPushSolver::Limits limits;
    limits.maxPushes = maxPushes;
    limits.maxPositions = g_ratingPositions;
    Rated rated;
    if (solver.Solve(pushBoard, setup.cubes, limits) == CPushSolver::kSolved)
        rated.pushes = static_cast<int>(solver.GetPushes().size());
    rated.positions = solver.GetPositionsSeen();
    return rated;
}

// The board cannot be cleared in as few pushes without its feature: the teleporters and special
// cubes taken away, the lifters plain cubes of their colour.
bool NeedsFeature(const Board& board, int wallType, const std::vector<int>& colours, int pushes)
{
    Board without = board;
    for (int8_t& cell : without.cells)
        if (cell == kTeleporterCell || cell == CPlayBlock::kTypeBomb || cell == CPlayBlock::kTypeSmasher)
            cell = kFree;
        else if (cell >= CPlayBlock::kVariantLifter * 10 && cell < CPlayBlock::kVariantLifter * 10 + 10)
            cell = static_cast<int8_t>(cell % 10);
    const Rated rated = Rate(without, wallType, colours, pushes);
    return rated.pushes < 0 || rated.pushes > pushes;
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

struct Options
{
    int blockers = 4;
    int colours = 1;
    bool x3 = false;
    bool lifter = false;
    bool teleporters = false;
    bool fromTemplate = false;
    bool needsFeature = false;
    std::vector<int> specials;
    std::string objective;
};

// The sliding text, for a level with no objective of its own.
std::string SlidingObjective(const std::vector<int>& colours)
{
    std::string text = "Slide the ";
    for (size_t i = 0; i < colours.size(); ++i)
    {
        if (i > 0)
            text += i + 1 == colours.size() ? " and the " : ", the ";
        text += "three " + SpokenColour(colours[i]);
    }
    text += colours.size() > 1 ? " cubes together, each colour to its own." : " cubes together.";
    text += " Every push carries a cube on until something stops it,\nso plan each stop: the stones and the lone cubes are there to stop them.";
    return text;
}

bool Write(const XString& templateDocument, const char* name, const Board& board, const std::vector<int>& colours,
           const Options& options, const char* out)
{
    CGameLevel level(nullptr);
    if (!level.LoadFromDocument(name, templateDocument, true, false))
    {
        std::fprintf(stderr, "%s\n", level.GetErrorMsg().GetBuffer());
        return false;
    }
    const int wallType = level.GetNumWalls() > 0 ? level.GetWall(0).GetWallType() : 0;
    int walls = 0, cubes = 0, teleporters = 0;
    for (int8_t cell : board.cells)
    {
        walls += cell == kWall ? 1 : 0;
        cubes += cell >= 0 ? 1 : 0;
        teleporters += cell == kTeleporterCell ? 1 : 0;
    }
    level.SetNumTeleporters(teleporters);
    level.SetNumWalls(walls);
    level.SetNumPlayBlocks(cubes);
    int wall = 0, cube = 0, teleporter = 0;
    for (int cell = 0; cell < kFloorCells; ++cell)
    {
        const plk::gfx::Vector3 centre = CBoard::CellCentre(cell / CBoard::kRows, 0, cell % CBoard::kRows);
        const int8_t content = board.cells[static_cast<size_t>(cell)];
        if (content == kWall)
        {
            level.GetWall(wall).Init(nullptr, wallType);
            level.GetWall(wall++).SetPosition(centre);
        }
        else if (content == kTeleporterCell)
            level.GetTeleporter(teleporter++).SetPosition(centre);
        else if (content >= 0)
        {
            level.GetPlayBlock(cube).Init(nullptr, content, false);
            level.GetPlayBlock(cube++).SetPosition(centre);
        }
    }
    for (int c = 0; c < CGameLevel::kColourCount; ++c)
        level.SetRemoveToWin(c, std::find(colours.begin(), colours.end(), c) != colours.end());
    level.SetBlocksLeft(3 * static_cast<int>(colours.size()));
    std::string objective = options.objective.empty() ? SlidingObjective(colours) : options.objective;
    for (size_t at = objective.find("\\n"); at != std::string::npos; at = objective.find("\\n", at))
        objective.replace(at, 2, "\n");
    for (size_t at = objective.find("%c"); at != std::string::npos; at = objective.find("%c", at))
        objective.replace(at, 2, SpokenColour(colours[0]));
    level.SetObjective(XString(objective.c_str()));
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

// The template's floor puzzle as a board and its colours to clear; false when a wall, cube or
// teleporter is not on a floor cell of its own.
bool TemplateBoard(const XString& templateDocument, Board& board, std::vector<int>& colours)
{
    CGameLevel level(nullptr);
    if (!level.LoadFromDocument("Gen_Template", templateDocument, true, false))
    {
        std::fprintf(stderr, "%s\n", level.GetErrorMsg().GetBuffer());
        return false;
    }
    auto place = [&board](const plk::gfx::Vector3& position, int8_t content) {
        int gx = 0, gy = 0, gz = 0;
        CBoard::CellOf(position, gx, gy, gz);
        const size_t cell = static_cast<size_t>(gx * CBoard::kRows + gz);
        if (!CBoard::InGrid(gx, gy, gz) || gy != 0 || board.cells[cell] != kFree)
            return false;
        board.cells[cell] = content;
        return true;
    };
    for (int i = 0; i < level.GetNumWalls(); ++i)
        if (!place(level.GetWall(i).GetPosition(), kWall))
            return false;
    for (int i = 0; i < level.GetNumTeleporters(); ++i)
        if (!place(level.GetTeleporter(i).GetPosition(), kTeleporterCell))
            return false;
    for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        if (level.GetPlayBlock(i).GetType() >= 0 &&
            !place(level.GetPlayBlock(i).GetPosition(), static_cast<int8_t>(level.GetPlayBlock(i).GetType())))
            return false;
    for (int c = 0; c < CGameLevel::kColourCount; ++c)
        if (level.GetRemoveToWin(c))
            colours.push_back(c);
    return !colours.empty();
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 7; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--colours" && hasValue)
            options.colours = std::atoi(argv[++i]);
        else if (arg == "--x3")
            options.x3 = true;
        else if (arg == "--lifter")
            options.lifter = true;
        else if (arg == "--teleporters")
            options.teleporters = true;
        else if (arg == "--from-template")
            options.fromTemplate = true;
        else if (arg == "--needs-feature")
            options.needsFeature = true;
        else if (arg == "--special" && hasValue)
            options.specials.push_back(std::atoi(argv[++i]));
        else if (arg == "--positions" && hasValue)
            g_ratingPositions = std::atoi(argv[++i]);
        else if (arg == "--objective" && hasValue)
            options.objective = argv[++i];
        else if (i == 7 && std::isdigit(static_cast<unsigned char>(arg[0])))
            options.blockers = std::atoi(argv[i]);
        else
            return false;
    }
    return options.colours >= 1 && options.colours <= 3 && g_ratingPositions > 0;
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (argc < 7 || !ParseOptions(argc, argv, options))
    {
        std::fprintf(stderr, "usage: plk_levelgen TEMPLATE.txt OUT.txt SEED MIN_PUSHES MAX_PUSHES SECONDS [BLOCKERS]\n"
                             "       [--colours N] [--x3] [--lifter] [--special TYPE]... [--teleporters]\n"
                             "       [--needs-feature] [--from-template] [--positions N] [--objective TEXT]\n");
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
    std::vector<int> colours;
    colours.push_back(static_cast<int>(random() % CPlayBlock::kColourCount));
    while (static_cast<int>(colours.size()) < options.colours)
    {
        const int colour = static_cast<int>(random() % CPlayBlock::kColourCount);
        if (std::find(colours.begin(), colours.end(), colour) == colours.end())
            colours.push_back(colour);
    }
    std::vector<int> cubes;
    for (int colour : colours)
        for (int i = 0; i < 3; ++i)
        {
            const int variant = options.x3                        ? CPlayBlock::kVariantX3
                                : options.lifter && i == 0 && colour == colours[0] ? CPlayBlock::kVariantLifter
                                                                                   : CPlayBlock::kVariantPlain;
            cubes.push_back(variant * 10 + colour);
        }
    std::vector<int> blockers;
    for (int i = 0; i < options.blockers; ++i)
        blockers.push_back(i % 3 == 0 ? CPlayBlock::kTypeStone
                                      : (colours[0] + 1 + static_cast<int>(random() % 9) + i) % CPlayBlock::kColourCount);
    // Lone cubes of other colours never meet a second of their own.
    for (size_t i = 0; i < blockers.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (blockers[i] == blockers[j] && blockers[i] != CPlayBlock::kTypeStone)
                blockers[i] = CPlayBlock::kTypeStone;
    for (int& type : blockers)
        if (std::find(colours.begin(), colours.end(), type) != colours.end())
            type = CPlayBlock::kTypeStone;
    cubes.insert(cubes.end(), blockers.begin(), blockers.end());
    cubes.insert(cubes.end(), options.specials.begin(), options.specials.end());

    Board start;
    if (options.fromTemplate)
    {
        colours.clear();
        if (!TemplateBoard(templateDocument, start, colours))
        {
            std::fprintf(stderr, "the template is no floor puzzle\n");
            return 2;
        }
        const int present = static_cast<int>(std::count(start.cells.begin(), start.cells.end(), kTeleporterCell));
        for (int i = present; options.teleporters && i < 2; ++i)
            start.cells[static_cast<size_t>(FreeCell(start, random))] = kTeleporterCell;
        // The feature comes on top of the template's puzzle: its cubes to clear become x3 cubes
        // or one a lifter, and more colours and specials join it.
        bool lifterMade = std::any_of(start.cells.begin(), start.cells.end(), [](int8_t cell) {
            return cell >= CPlayBlock::kVariantLifter * 10 && cell < CPlayBlock::kVariantLifter * 10 + 10;
        });
        for (int8_t& cell : start.cells)
            if (cell >= 0 && cell < 50 && std::find(colours.begin(), colours.end(), cell % 10) != colours.end())
            {
                const int colour = cell % 10;
                if (options.x3)
                    cell = static_cast<int8_t>(CPlayBlock::kVariantX3 * 10 + colour);
                else if (options.lifter && !lifterMade && colour == colours[0])
                {
                    cell = static_cast<int8_t>(CPlayBlock::kVariantLifter * 10 + colour);
                    lifterMade = true;
                }
            }
        while (static_cast<int>(colours.size()) < options.colours)
        {
            const int colour = static_cast<int>(random() % CPlayBlock::kColourCount);
            bool used = false;
            for (int8_t cell : start.cells)
                used = used || (cell >= 0 && cell < 60 && cell % 10 == colour);
            if (used)
                continue;
            colours.push_back(colour);
            for (int i = 0; i < 3; ++i)
                start.cells[static_cast<size_t>(FreeCell(start, random))] =
                    static_cast<int8_t>((options.x3 ? CPlayBlock::kVariantX3 * 10 : 0) + colour);
        }
        // A template written by an earlier try may hold its specials already.
        for (size_t i = 0; i < options.specials.size(); ++i)
        {
            const int8_t type = static_cast<int8_t>(options.specials[i]);
            const auto wanted = std::count(options.specials.begin(), options.specials.begin() + static_cast<long>(i) + 1, type);
            if (std::count(start.cells.begin(), start.cells.end(), type) < wanted)
                start.cells[static_cast<size_t>(FreeCell(start, random))] = type;
        }
    }

    const int wallType = 0;
    Board best, current;
    Rated bestRating, currentRating;
    int restarts = 0;
    while (std::chrono::steady_clock::now() < end && bestRating.pushes < maxPushes)
    {
        current = options.fromTemplate ? start : RandomBoard(random, cubes, options.teleporters);
        currentRating = Rate(current, wallType, colours, maxPushes);
        ++restarts;
        for (int step = 0; step < 300 && std::chrono::steady_clock::now() < end && bestRating.pushes < maxPushes;
             ++step)
        {
            Board next = current;
            Mutate(next, random);
            const Rated rated = Rate(next, wallType, colours, maxPushes);
            if (rated.pushes >= currentRating.pushes && rated.pushes > 0)
            {
                current = next;
                currentRating = rated;
            }
            if (currentRating.pushes > 0 &&
                (currentRating.pushes > bestRating.pushes ||
                 (currentRating.pushes == bestRating.pushes && currentRating.positions > bestRating.positions)) &&
                (!options.needsFeature || NeedsFeature(current, wallType, colours, currentRating.pushes)))
            {
                best = current;
                bestRating = currentRating;
                std::fprintf(stderr, "restart %d step %d: %d pushes, %lld positions\n", restarts, step,
                             bestRating.pushes, bestRating.positions);
            }
        }
    }
    if (bestRating.pushes < 1)
    {
        std::fprintf(stderr, "no board found that can be cleared\n");
        return 1;
    }
    // A board short of MIN_PUSHES is written too, so that a next try can climb on from it.
    std::string name = argv[2];
    name = name.substr(name.find_last_of("/\\") + 1);
    name = "Gen_" + name.substr(0, name.find('.'));
    if (!Write(templateDocument, name.c_str(), best, colours, options, argv[2]))
        return 2;
    if (bestRating.pushes < minPushes)
    {
        std::fprintf(stderr, "best found: %d pushes\n", bestRating.pushes);
        return 1;
    }
    return 0;
}
