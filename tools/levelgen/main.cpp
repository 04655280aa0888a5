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
//                      else the template's own with --from-template, a sliding text without
//   --region X0 Z0 X1 Z1  builds one chamber of a bigger board: only the cells of that rectangle
//                      change, the free cells around it become walls, and the rest of the template
//                      (its cubes, walls and colours to clear) is written back as it was. The
//                      chamber's new colours and blockers are rated alone, and --positions bounds
//                      the positions its pushes reach within 14, not only those its search
//                      examined: the whole board's search multiplies the chambers' positions, so
//                      at equal pushes the chamber with fewer wins
//   --wipe             the template's floor puzzle is left out, only its scenery kept
//   --stacked          climbs from the template's own cubes in three dimensions, with BLOCKERS more:
//                      its walls (raised ones too) and teleporters stay, one-cell walls come and
//                      go on the floor, and cubes move to wherever they rest (on the floor, on
//                      stones, on other cubes or on raised walls); its colours stay, and its
//                      objective unless --objective gives one.
//                      With --region the cubes gather in that chamber, walled in
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
#include <functional>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

namespace
{
const int kFloorCells = CBoard::kColumns * CBoard::kRows;
// Positions one rating may examine: a board past this is too open to rate.
int g_ratingPositions = 60000;
// Share of floor cells that start as walls.
const double kWallShare = 0.28;

enum CellContent : int8_t { kFree = -2, kWall = -3, kTeleporterCell = -4 };

// The chamber the generator changes (--region); the whole board when inactive.
struct Region
{
    bool active = false;
    int x0 = 0, z0 = 0, x1 = CBoard::kColumns - 1, z1 = CBoard::kRows - 1;
    bool Holds(int cell) const
    {
        const int gx = cell / CBoard::kRows, gz = cell % CBoard::kRows;
        return gx >= x0 && gx <= x1 && gz >= z0 && gz <= z1;
    }
    // Outside the chamber but beside one of its cells, diagonals included.
    bool Borders(int cell) const
    {
        const int gx = cell / CBoard::kRows, gz = cell % CBoard::kRows;
        return !Holds(cell) && gx >= x0 - 1 && gx <= x1 + 1 && gz >= z0 - 1 && gz <= z1 + 1;
    }
    int RandomCell(std::mt19937& random) const
    {
        const int gx = x0 + static_cast<int>(random() % static_cast<unsigned>(x1 - x0 + 1));
        const int gz = z0 + static_cast<int>(random() % static_cast<unsigned>(z1 - z0 + 1));
        return gx * CBoard::kRows + gz;
    }
};
Region g_region;

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
        const int cell = g_region.RandomCell(random);
        if (board.cells[static_cast<size_t>(cell)] == kFree)
            return cell;
    }
}

// base outside the chamber, random walls, teleporters and cubes inside it.
Board RandomBoard(const Board& base, std::mt19937& random, const std::vector<int>& cubes, bool teleporters)
{
    Board board = base;
    for (int cell = 0; cell < kFloorCells; ++cell)
        if (g_region.Holds(cell))
            board.cells[static_cast<size_t>(cell)] =
                std::uniform_real_distribution<double>(0.0, 1.0)(random) < kWallShare ? kWall : kFree;
    for (int i = 0; teleporters && i < 2; ++i)
        board.cells[static_cast<size_t>(FreeCell(board, random))] = kTeleporterCell;
    for (int type : cubes)
        board.cells[static_cast<size_t>(FreeCell(board, random))] = static_cast<int8_t>(type);
    return board;
}

void Mutate(Board& board, std::mt19937& random)
{
    const int a = g_region.RandomCell(random), b = g_region.RandomCell(random);
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

// What a rating sees of a chamber: its own cells, walled in.
Board Chamber(const Board& board)
{
    if (!g_region.active)
        return board;
    Board chamber;
    for (int cell = 0; cell < kFloorCells; ++cell)
        if (g_region.Holds(cell))
            chamber.cells[static_cast<size_t>(cell)] = board.cells[static_cast<size_t>(cell)];
        else if (g_region.Borders(cell))
            chamber.cells[static_cast<size_t>(cell)] = kWall;
    return chamber;
}

// The board as written: a chamber's free surroundings are walls, so that no cube leaves it.
Board Walled(const Board& board)
{
    Board walled = board;
    for (int cell = 0; cell < kFloorCells; ++cell)
        if (g_region.active && g_region.Borders(cell) && walled.cells[static_cast<size_t>(cell)] == kFree)
            walled.cells[static_cast<size_t>(cell)] = kWall;
    return walled;
}

// Resting positions up to depth pushes reach from start, counted up to limit + 1; a position
// that clears the chamber ends its line.
long long Reachable(CPushBoard& board, const CPushBoard::Position& start, long long limit, int depth)
{
    auto keyOf = [](const CPushBoard::Position& position) {
        std::string key;
        for (const CPushBoard::Cube& cube : position)
        {
            key += static_cast<char>(cube.type);
            key += static_cast<char>(cube.cell & 0xFF);
            key += static_cast<char>(cube.cell >> 8);
            key += static_cast<char>(cube.bounces);
        }
        return key;
    };
    std::unordered_set<std::string> seen{keyOf(start)};
    std::vector<CPushBoard::Position> layer{start}, nextLayer;
    std::vector<CPushBoard::Push> pushes;
    CPushBoard::Position next;
    for (int d = 0; d < depth && !layer.empty(); ++d)
    {
        nextLayer.clear();
        for (const CPushBoard::Position& position : layer)
        {
            board.PushesOf(position, pushes);
            for (const CPushBoard::Push& push : pushes)
            {
                int score = 0;
                const CPushBoard::Result result = board.Apply(position, push, next, score);
                if (result != CPushBoard::kNoRest && seen.insert(keyOf(next)).second && result == CPushBoard::kRests)
                    nextLayer.push_back(next);
                if (static_cast<long long>(seen.size()) > limit)
                    return static_cast<long long>(seen.size());
            }
        }
        layer.swap(nextLayer);
    }
    return static_cast<long long>(seen.size());
}

// Pushes deep a chamber's positions are counted: the whole board's search goes about this deep
// in one chamber while the others wait.
const int kReachDepth = 14;

// Three cubes of a colour already touch: the level would clear them before the first push.
bool StartsWithGroup(const Board& board)
{
    for (int cell = 0; cell < kFloorCells; ++cell)
    {
        const int8_t type = board.cells[static_cast<size_t>(cell)];
        if (type < 0 || type >= CPlayBlock::kTypeSmasher)
            continue;
        std::vector<int> group{cell};
        std::vector<bool> in(kFloorCells, false);
        in[static_cast<size_t>(cell)] = true;
        for (size_t k = 0; k < group.size() && group.size() < 3; ++k)
        {
            const int gx = group[k] / CBoard::kRows, gz = group[k] % CBoard::kRows;
            const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& step : steps)
            {
                const int nx = gx + step[0], nz = gz + step[1];
                if (nx < 0 || nz < 0 || nx >= CBoard::kColumns || nz >= CBoard::kRows)
                    continue;
                const int next = nx * CBoard::kRows + nz;
                const int8_t other = board.cells[static_cast<size_t>(next)];
                if (!in[static_cast<size_t>(next)] && other >= 0 && other < CPlayBlock::kTypeSmasher &&
                    CPlayBlock::ColourOfType(other) == CPlayBlock::ColourOfType(type))
                {
                    in[static_cast<size_t>(next)] = true;
                    group.push_back(next);
                }
            }
        }
        if (group.size() >= 3)
            return true;
    }
    return false;
}

Rated Rate(const Board& whole, int wallType, const std::vector<int>& colours, int maxPushes)
{
    const Board board = Chamber(whole);
    if (StartsWithGroup(board))
        return Rated();
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
    limits.maxPositions = g_region.active ? 4 * g_ratingPositions : g_ratingPositions;
    Rated rated;
    if (solver.Solve(pushBoard, setup.cubes, limits) == CPushSolver::kSolved)
        rated.pushes = static_cast<int>(solver.GetPushes().size());
    rated.positions = solver.GetPositionsSeen();
    // The whole board's search meets every position of each chamber beside those of the others.
    // Counted some way past the bound, so that a climb can come down to it.
    if (g_region.active && rated.pushes > 0)
        rated.positions = Reachable(pushBoard, setup.cubes, 4LL * g_ratingPositions, kReachDepth);
    return rated;
}

// The board cannot be cleared in as few pushes without its feature: the teleporters and special
// cubes taken away, the lifters plain cubes of their colour.
bool NeedsFeature(const Board& board, int wallType, const std::vector<int>& colours, int pushes)
{
    Board without = Chamber(board);
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
    bool wipe = false;
    bool stacked = false;
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

bool WriteLevel(CGameLevel& level, const char* out);

// A cube of this type counts toward the level's blocks left.
bool ToClear(int type, const std::vector<int>& colours)
{
    return type >= 0 && type < CPlayBlock::kTypeSmasher &&
           std::find(colours.begin(), colours.end(), CPlayBlock::ColourOfType(type)) != colours.end();
}

// "\n" as typed on a command line becomes a line break.
std::string WithLineBreaks(std::string text)
{
    for (size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at))
        text.replace(at, 2, "\n");
    return text;
}

// What a climb answers: nothing written when no board could be cleared (1); the best board written
// by write, also when it falls short of minPushes (1), so that a next try can climb on from it.
int EndClimb(int bestPushes, int minPushes, const std::function<bool(const std::string& name)>& write,
             const std::string& out)
{
    if (bestPushes < 1)
    {
        std::fprintf(stderr, "no board found that can be cleared\n");
        return 1;
    }
    std::string name = out.substr(out.find_last_of("/\\") + 1);
    name = "Gen_" + name.substr(0, name.find('.'));
    if (!write(name))
        return 2;
    if (bestPushes < minPushes)
    {
        std::fprintf(stderr, "best found: %d pushes\n", bestPushes);
        return 1;
    }
    return 0;
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
    level.SetBlocksLeft(static_cast<int>(
        std::count_if(board.cells.begin(), board.cells.end(), [&colours](int8_t cell) { return ToClear(cell, colours); })));
    // A puzzle climbed from the template's own keeps the template's words for it.
    std::string objective = WithLineBreaks(!options.objective.empty() ? options.objective
                                           : options.fromTemplate     ? std::string(level.GetObjective().GetBuffer())
                                                                      : SlidingObjective(colours));
    for (size_t at = objective.find("%c"); at != std::string::npos; at = objective.find("%c", at))
        objective.replace(at, 2, SpokenColour(colours[0]));
    level.SetObjective(XString(objective.c_str()));
    return WriteLevel(level, out);
}

// The level as a document at out, with its own score-posting key.
bool WriteLevel(CGameLevel& level, const char* out)
{
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
    return true;
}

// A board in three dimensions: the template's walls (raised ones too) and teleporters stay where
// they are, one-cell walls come and go on the floor, and cubes rest on the floor, on stones, on
// other cubes or on raised walls.
struct Stacked
{
    std::vector<bool> floorWalls = std::vector<bool>(kFloorCells, false);
    CPushBoard::Position cubes;
};

struct StackedTemplate
{
    XString fixedBodies; // the template's walls and teleporters
    int numWalls = 0;
    int numTeleporters = 0;
    int wallType = 0;
    std::vector<bool> fixedCells = std::vector<bool>(CBoard::kCells, false);
    std::vector<int> colours;
};

// The lowest free cell of the column that something holds up, the cube `moving` left out; -1
// when the column is full.
int RestingCell(const StackedTemplate& base, const Stacked& board, int column, size_t moving)
{
    const int gx = column / CBoard::kRows, gz = column % CBoard::kRows;
    if (board.floorWalls[static_cast<size_t>(column)] || !g_region.Holds(column))
        return -1;
    std::vector<bool> taken(CBoard::kLevels, false);
    for (int gy = 0; gy < CBoard::kLevels; ++gy)
        taken[static_cast<size_t>(gy)] = base.fixedCells[static_cast<size_t>(CBoard::CellIndex(gx, gy, gz))];
    for (size_t i = 0; i < board.cubes.size(); ++i)
        for (int gy = 0; i != moving && gy < CBoard::kLevels; ++gy)
            if (board.cubes[i].cell == CBoard::CellIndex(gx, gy, gz))
                taken[static_cast<size_t>(gy)] = true;
    for (int gy = 0; gy < CBoard::kLevels; ++gy)
        if (!taken[static_cast<size_t>(gy)] && (gy == 0 || taken[static_cast<size_t>(gy - 1)]))
            return CBoard::CellIndex(gx, gy, gz);
    return -1;
}

void MutateStacked(const StackedTemplate& base, Stacked& board, std::mt19937& random)
{
    const int column = g_region.RandomCell(random);
    const int kind = static_cast<int>(random() % 4);
    if (kind == 0)
    {
        // A floor wall comes or goes where nothing else stands.
        const int gx = column / CBoard::kRows, gz = column % CBoard::kRows;
        bool open = !base.fixedCells[static_cast<size_t>(CBoard::CellIndex(gx, 0, gz))];
        for (const CPushBoard::Cube& cube : board.cubes)
            open = open && cube.cell != CBoard::CellIndex(gx, 0, gz);
        if (open)
            board.floorWalls[static_cast<size_t>(column)] = !board.floorWalls[static_cast<size_t>(column)];
        return;
    }
    const size_t a = random() % board.cubes.size(), b = random() % board.cubes.size();
    if (kind == 1)
    {
        std::swap(board.cubes[a].type, board.cubes[b].type);
        return;
    }
    const int cell = RestingCell(base, board, column, a);
    if (cell >= 0)
        board.cubes[a].cell = static_cast<int16_t>(cell);
}

// A fresh start: every cube to a random resting cell, then walls at random on the free floor.
void Scramble(const StackedTemplate& base, Stacked& board, std::mt19937& random)
{
    for (CPushBoard::Cube& cube : board.cubes)
        cube.cell = -1;
    std::fill(board.floorWalls.begin(), board.floorWalls.end(), false);
    for (size_t i = 0; i < board.cubes.size(); ++i)
        while (board.cubes[i].cell < 0)
            board.cubes[i].cell = static_cast<int16_t>(RestingCell(base, board, g_region.RandomCell(random), i));
    for (int column = 0; column < kFloorCells; ++column)
    {
        const int floorCell = CBoard::CellIndex(column / CBoard::kRows, 0, column % CBoard::kRows);
        const bool free = !base.fixedCells[static_cast<size_t>(floorCell)] &&
                          std::none_of(board.cubes.begin(), board.cubes.end(),
                                       [floorCell](const CPushBoard::Cube& cube) { return cube.cell == floorCell; });
        // A chamber is walled in on the floor; a cube on top of something may still slide out over it.
        board.floorWalls[static_cast<size_t>(column)] =
            free && (g_region.Holds(column) ? std::uniform_real_distribution<double>(0.0, 1.0)(random) < kWallShare
                                            : g_region.Borders(column));
    }
}

CPushBoard::Setup StackedSetup(const StackedTemplate& base, const Stacked& board)
{
    CPushBoard::Setup setup;
    setup.fixedBodies = base.fixedBodies;
    setup.numWalls = base.numWalls;
    setup.numTeleporters = base.numTeleporters;
    for (int column = 0; column < kFloorCells; ++column)
        if (board.floorWalls[static_cast<size_t>(column)])
        {
            CWallBlock wall;
            wall.Init(nullptr, base.wallType);
            wall.SetPosition(CBoard::CellCentre(column / CBoard::kRows, 0, column % CBoard::kRows));
            wall.WriteXml(setup.fixedBodies, setup.numWalls++);
        }
    setup.cubes = board.cubes;
    for (int colour : base.colours)
        setup.removeToWin[static_cast<size_t>(colour)] = true;
    setup.difficulty = 3;
    return setup;
}

// The board as written is the position the solver searches from: no cube falls and no group
// clears before the first push, and one cube at least starts on something.
bool StartsAtRest(const StackedTemplate& base, const Stacked& board, CPushBoard& pushBoard)
{
    const CPushBoard::Setup setup = StackedSetup(base, board);
    pushBoard.Prepare(setup);
    CPushBoard::Position settled;
    int score = 0;
    return pushBoard.Settle(setup.cubes, settled, score) == CPushBoard::kRests && score == 0 &&
           settled == setup.cubes && std::any_of(board.cubes.begin(), board.cubes.end(), [](const CPushBoard::Cube& cube) {
               return cube.cell % CBoard::kLevels > 0;
           });
}

// Unrated (no pushes) when the board does not start at rest.
Rated RateStacked(const StackedTemplate& base, const Stacked& board, int maxPushes)
{
    CPushBoard pushBoard;
    if (!StartsAtRest(base, board, pushBoard))
        return Rated();
    CPushSolver solver;
    CPushSolver::Limits limits;
    limits.maxPushes = maxPushes;
    limits.maxPositions = g_ratingPositions;
    Rated rated;
    if (solver.Solve(pushBoard, board.cubes, limits) == CPushSolver::kSolved)
        rated.pushes = static_cast<int>(solver.GetPushes().size());
    rated.positions = solver.GetPositionsSeen();
    return rated;
}

bool LoadStackedTemplate(const XString& templateDocument, StackedTemplate& base, Stacked& board)
{
    CGameLevel level(nullptr);
    if (!level.LoadFromDocument("Gen_Template", templateDocument, true, false))
    {
        std::fprintf(stderr, "%s\n", level.GetErrorMsg().GetBuffer());
        return false;
    }
    base.numWalls = level.GetNumWalls();
    base.numTeleporters = level.GetNumTeleporters();
    base.wallType = base.numWalls > 0 ? level.GetWall(0).GetWallType() : 0;
    auto enter = [&base](const plk::gfx::Vector3& min, const plk::gfx::Vector3& max) {
        auto line = [](float v, float origin) {
            return static_cast<int>(std::floor((v - origin) / CBoard::kCellSize));
        };
        for (int gx = line(min.x + 0.01f, -CBoard::kHalfWidth); gx <= line(max.x - 0.01f, -CBoard::kHalfWidth); ++gx)
            for (int gz = line(min.z + 0.01f, -CBoard::kHalfWidth); gz <= line(max.z - 0.01f, -CBoard::kHalfWidth); ++gz)
                for (int gy = std::max(line(min.y + 0.01f, CBoard::kFloorY), 0);
                     gy <= line(max.y - 0.01f, CBoard::kFloorY); ++gy)
                    if (CBoard::InGrid(gx, gy, gz))
                        base.fixedCells[static_cast<size_t>(CBoard::CellIndex(gx, gy, gz))] = true;
    };
    plk::gfx::Vector3 min, max;
    for (int i = 0; i < base.numWalls; ++i)
    {
        level.GetWall(i).WriteXml(base.fixedBodies, i);
        level.GetWall(i).GetBounds(min, max);
        enter(min, max);
    }
    for (int i = 0; i < base.numTeleporters; ++i)
    {
        level.GetTeleporter(i).WriteXml(base.fixedBodies, i);
        level.GetTeleporter(i).GetBounds(min, max);
        enter(min, max);
    }
    for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
    {
        const CPlayBlock& block = level.GetPlayBlock(i);
        if (block.GetType() < 0)
            continue;
        int gx = 0, gy = 0, gz = 0;
        CBoard::CellOf(block.GetPosition(), gx, gy, gz);
        if (!CBoard::InGrid(gx, gy, gz))
            return false;
        CPushBoard::Cube cube;
        cube.type = static_cast<int8_t>(block.GetType());
        cube.cell = static_cast<int16_t>(CBoard::CellIndex(gx, gy, gz));
        board.cubes.push_back(cube);
    }
    for (int c = 0; c < CGameLevel::kColourCount; ++c)
        if (level.GetRemoveToWin(c))
            base.colours.push_back(c);
    return !board.cubes.empty() && !base.colours.empty();
}

bool WriteStacked(const XString& templateDocument, const char* name, const StackedTemplate& base,
                  const Stacked& board, std::string objective, const char* out)
{
    CGameLevel level(nullptr);
    if (!level.LoadFromDocument(name, templateDocument, true, false))
    {
        std::fprintf(stderr, "%s\n", level.GetErrorMsg().GetBuffer());
        return false;
    }
    int walls = base.numWalls;
    for (int column = 0; column < kFloorCells; ++column)
        if (board.floorWalls[static_cast<size_t>(column)])
        {
            level.SetNumWalls(walls + 1);
            level.GetWall(walls).Init(nullptr, base.wallType);
            level.GetWall(walls++).SetPosition(CBoard::CellCentre(column / CBoard::kRows, 0, column % CBoard::kRows));
        }
    level.SetNumPlayBlocks(static_cast<int>(board.cubes.size()));
    int toClear = 0;
    for (size_t i = 0; i < board.cubes.size(); ++i)
    {
        const CPushBoard::Cube& cube = board.cubes[i];
        const int gy = cube.cell % CBoard::kLevels, gz = cube.cell / CBoard::kLevels % CBoard::kRows;
        const int gx = cube.cell / CBoard::kLevels / CBoard::kRows;
        level.GetPlayBlock(static_cast<int>(i)).Init(nullptr, cube.type, false);
        level.GetPlayBlock(static_cast<int>(i)).SetPosition(CBoard::CellCentre(gx, gy, gz));
        toClear += ToClear(cube.type, base.colours) ? 1 : 0;
    }
    level.SetBlocksLeft(toClear);
    if (!objective.empty())
        level.SetObjective(XString(WithLineBreaks(objective).c_str()));
    return WriteLevel(level, out);
}

// The template's cubes, and `blockers` more (stones and lone cubes of colours it does not hold),
// moved in three dimensions toward the longest shortest solution, from scrambled starts.
int ClimbStacked(const XString& templateDocument, const char* out, std::mt19937& random, int minPushes, int maxPushes,
                 std::chrono::steady_clock::time_point end, int blockers, const std::string& objective)
{
    StackedTemplate base;
    Stacked start;
    if (!LoadStackedTemplate(templateDocument, base, start))
    {
        std::fprintf(stderr, "the template holds no cubes to clear\n");
        return 2;
    }
    for (int i = 0; i < blockers; ++i)
    {
        int type = CPlayBlock::kTypeStone;
        for (int colour = static_cast<int>(random() % CPlayBlock::kColourCount), tries = 0;
             i % 3 != 0 && tries < CPlayBlock::kColourCount; colour = (colour + 1) % CPlayBlock::kColourCount, ++tries)
            if (std::none_of(start.cubes.begin(), start.cubes.end(), [colour](const CPushBoard::Cube& cube) {
                    return cube.type < CPlayBlock::kTypeSmasher && CPlayBlock::ColourOfType(cube.type) == colour;
                }))
            {
                type = colour;
                break;
            }
        CPushBoard::Cube cube;
        cube.type = static_cast<int8_t>(type);
        start.cubes.push_back(cube);
        while (start.cubes.back().cell < 0)
            start.cubes.back().cell =
                static_cast<int16_t>(RestingCell(base, start, g_region.RandomCell(random), start.cubes.size() - 1));
    }
    Stacked best, current = start;
    Rated bestRating, currentRating;
    for (int step = 0; std::chrono::steady_clock::now() < end && bestRating.pushes < maxPushes; ++step)
    {
        // Now and then the climb starts again, so that it does not stay stuck.
        if (step % 600 == 0)
        {
            CPushBoard pushBoard;
            do
                Scramble(base, current, random);
            while (!StartsAtRest(base, current, pushBoard) && std::chrono::steady_clock::now() < end);
            currentRating = RateStacked(base, current, maxPushes);
        }
        Stacked next = current;
        MutateStacked(base, next, random);
        const Rated rated = RateStacked(base, next, maxPushes);
        if (rated.pushes > 0 && rated.pushes >= currentRating.pushes)
        {
            current = next;
            currentRating = rated;
        }
        // At equal pushes the board with fewer positions: it has room to grow deeper within the bound.
        if (currentRating.pushes > 0 && (currentRating.pushes > bestRating.pushes ||
                                         (currentRating.pushes == bestRating.pushes &&
                                          currentRating.positions < bestRating.positions)))
        {
            best = current;
            bestRating = currentRating;
            std::fprintf(stderr, "step %d: %d pushes, %lld positions\n", step, bestRating.pushes,
                         bestRating.positions);
        }
    }
    return EndClimb(
        bestRating.pushes, minPushes,
        [&](const std::string& name) { return WriteStacked(templateDocument, name.c_str(), base, best, objective, out); },
        out);
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
        else if (arg == "--wipe")
            options.wipe = true;
        else if (arg == "--stacked")
            options.stacked = true;
        else if (arg == "--region" && i + 4 < argc)
        {
            g_region.active = true;
            g_region.x0 = std::atoi(argv[++i]);
            g_region.z0 = std::atoi(argv[++i]);
            g_region.x1 = std::atoi(argv[++i]);
            g_region.z1 = std::atoi(argv[++i]);
        }
        else if (i == 7 && std::isdigit(static_cast<unsigned char>(arg[0])))
            options.blockers = std::atoi(argv[i]);
        else
            return false;
    }
    const bool inside = g_region.x0 >= 0 && g_region.z0 >= 0 && g_region.x0 <= g_region.x1 &&
                        g_region.z0 <= g_region.z1 && g_region.x1 < CBoard::kColumns && g_region.z1 < CBoard::kRows;
    return options.colours >= 1 && options.colours <= 3 && g_ratingPositions > 0 && inside &&
           !(g_region.active && options.fromTemplate) && !(options.stacked && options.fromTemplate);
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (argc < 7 || !ParseOptions(argc, argv, options))
    {
        std::fprintf(stderr, "usage: plk_levelgen TEMPLATE.txt OUT.txt SEED MIN_PUSHES MAX_PUSHES SECONDS [BLOCKERS]\n"
                             "       [--colours N] [--x3] [--lifter] [--special TYPE]... [--teleporters]\n"
                             "       [--needs-feature] [--from-template] [--positions N] [--objective TEXT]\n"
                             "       [--region X0 Z0 X1 Z1] [--wipe] [--stacked]\n");
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
    if (options.stacked)
        return ClimbStacked(templateDocument, argv[2], random, minPushes, maxPushes, end, options.blockers,
                            options.objective);
    // A chamber joins the template's board: its colours are new to it.
    Board base;
    std::vector<int> baseColours;
    if (g_region.active && !options.wipe && !TemplateBoard(templateDocument, base, baseColours))
    {
        std::fprintf(stderr, "the template is no floor puzzle\n");
        return 2;
    }
    auto usedInBase = [&base](int colour) {
        return std::any_of(base.cells.begin(), base.cells.end(),
                           [colour](int8_t cell) { return cell >= 0 && cell < 60 && cell % 10 == colour; });
    };
    std::vector<int> colours;
    while (static_cast<int>(colours.size()) < options.colours)
    {
        const int colour = static_cast<int>(random() % CPlayBlock::kColourCount);
        if (std::find(colours.begin(), colours.end(), colour) == colours.end() && !usedInBase(colour))
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
        if (std::find(colours.begin(), colours.end(), type) != colours.end() ||
            std::find(baseColours.begin(), baseColours.end(), type) != baseColours.end())
            type = CPlayBlock::kTypeStone;
    cubes.insert(cubes.end(), blockers.begin(), blockers.end());
    cubes.insert(cubes.end(), options.specials.begin(), options.specials.end());

    Board start;
    if (options.fromTemplate)
    {
        colours.clear();
        if (!TemplateBoard(templateDocument, start, colours) || colours.empty())
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

    // A chamber counts once its positions are within the bound; until then the climb goes down.
    auto fits = [](const Rated& rated) {
        return rated.pushes > 0 && (!g_region.active || rated.positions <= g_ratingPositions);
    };
    const int wallType = 0;
    Board best, current;
    Rated bestRating, currentRating;
    int restarts = 0;
    while (std::chrono::steady_clock::now() < end && bestRating.pushes < maxPushes)
    {
        current = options.fromTemplate ? start : RandomBoard(base, random, cubes, options.teleporters);
        currentRating = Rate(current, wallType, colours, maxPushes);
        ++restarts;
        for (int step = 0; step < 300 && std::chrono::steady_clock::now() < end && bestRating.pushes < maxPushes;
             ++step)
        {
            Board next = current;
            Mutate(next, random);
            const Rated rated = Rate(next, wallType, colours, maxPushes);
            const bool better = g_region.active && !fits(currentRating)
                                    ? rated.pushes > 0 && (currentRating.pushes < 0 || rated.positions <= currentRating.positions)
                                    : fits(rated) && rated.pushes >= currentRating.pushes;
            if (better)
            {
                current = next;
                currentRating = rated;
            }
            const bool morePositions = g_region.active ? currentRating.positions < bestRating.positions
                                                       : currentRating.positions > bestRating.positions;
            if (fits(currentRating) &&
                (currentRating.pushes > bestRating.pushes ||
                 (currentRating.pushes == bestRating.pushes && morePositions)) &&
                (!options.needsFeature || NeedsFeature(current, wallType, colours, currentRating.pushes)))
            {
                best = current;
                bestRating = currentRating;
                std::fprintf(stderr, "restart %d step %d: %d pushes, %lld positions\n", restarts, step,
                             bestRating.pushes, bestRating.positions);
            }
        }
    }
    std::vector<int> allColours = baseColours;
    allColours.insert(allColours.end(), colours.begin(), colours.end());
    return EndClimb(
        bestRating.pushes, minPushes,
        [&](const std::string& name) {
            return Write(templateDocument, name.c_str(), Walled(best), allColours, options, argv[2]);
        },
        argv[2]);
}
