// Pushes on a resting board: the grid slide, and the real physics for everything else.
#include "game/CPushBoard.h"

#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CGameLevelXml.h"
#include "game/CPlayBlock.h"
#include "game/CPlayRules.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"
#include "game/Difficulty.h"
#include "game/Points.h"

#include <cmath>

using plk::gfx::Vector3;

namespace
{
// The replays' test of a cube at rest: no velocity component beyond this either way.
const float kRestingSpeed = 0.01f;
// Smallest group the rules remove.
const int kMinGroup = 3;
const int kNeighbours[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};

int CellOfPosition(const Vector3& p)
{
    int gx, gy, gz;
    CBoard::CellOf(p, gx, gy, gz);
    return CBoard::InGrid(gx, gy, gz) ? CBoard::CellIndex(gx, gy, gz) : -1;
}

void CellCoords(int cell, int& gx, int& gy, int& gz)
{
    gy = cell % CBoard::kLevels;
    gz = cell / CBoard::kLevels % CBoard::kRows;
    gx = cell / CBoard::kLevels / CBoard::kRows;
}

int GridLine(float v, float origin)
{
    return static_cast<int>(std::floor((v - origin) / CBoard::kCellSize));
}

// The face lies exactly on a line between cells.
bool OnGridLine(float v, float origin)
{
    const float steps = (v - origin) / CBoard::kCellSize;
    return steps == std::floor(steps);
}

bool IsResting(const CPlayBlock& block)
{
    const Vector3& v = block.m_vVelocity;
    return std::fabs(v.x) <= kRestingSpeed && std::fabs(v.y) <= kRestingSpeed && std::fabs(v.z) <= kRestingSpeed;
}

bool HitsLikeAWall(int type)
{
    // Zap, lifter, smasher and bomb do something to the cube they run into.
    return type < CPlayBlock::kVariantZap * 10 || type == CPlayBlock::kTypeStone;
}
} // namespace

CPushBoard::CPushBoard() : m_pBoard(std::make_unique<CBoard>())
{
}

CPushBoard::~CPushBoard() = default;

bool CPushBoard::PositionOf(const CBoard& board, Position& position)
{
    position.assign(static_cast<size_t>(board.GetBlockCount()), Cube());
    for (int i = 0; i < board.GetBlockCount(); ++i)
    {
        const CPlayBlock& block = *board.GetBlock(i);
        Cube& cube = position[static_cast<size_t>(i)];
        cube.type = static_cast<int8_t>(block.GetType());
        cube.bounces = static_cast<int8_t>(block.m_iBounceCount);
        if (block.GetState() == CPlayBlock::kStateGone || block.GetType() == CPlayBlock::kTypeNone)
            continue;
        const int cell = CellOfPosition(block.GetPosition());
        if (cell < 0)
            return false;
        int gx, gy, gz;
        CellCoords(cell, gx, gy, gz);
        const Vector3 centre = CBoard::CellCentre(gx, gy, gz);
        const Vector3& p = block.GetPosition();
        if (p.x != centre.x || p.y != centre.y || p.z != centre.z)
            return false;
        cube.cell = static_cast<int16_t>(cell);
    }
    return true;
}

bool CPushBoard::Describe(CGameLevel& level, Setup& setup, XString& errorMsg)
{
    setup = Setup();
    for (int i = 0; i < level.GetNumWalls(); ++i)
        level.GetWall(i).WriteXml(setup.fixedBodies, i);
    for (int i = 0; i < level.GetNumTeleporters(); ++i)
        level.GetTeleporter(i).WriteXml(setup.fixedBodies, i);
    setup.numWalls = level.GetNumWalls();
    setup.numTeleporters = level.GetNumTeleporters();
    for (int colour = 0; colour < 10; ++colour)
        setup.removeToWin[static_cast<size_t>(colour)] = level.GetRemoveToWin(colour);
    setup.difficulty = level.GetDifficulty();
    if (!PositionOf(level.GetBoard(), setup.cubes))
    {
        errorMsg = "Error: in CPushBoard::Describe, a cube is not at rest in the centre of a cell.";
        return false;
    }
    return true;
}

void CPushBoard::Prepare(const Setup& setup)
{
    m_setup = setup;
    m_pBoard->Clear();
    m_walls.clear();
    m_teleporters.clear();
    m_cubes.clear();
    m_fixed.assign(CBoard::kCells, kOpen);
    m_probeFixed.assign(CBoard::kCells, 0);
    std::vector<uint8_t> bodies(CBoard::kCells, 0);
    auto enter = [&](const Vector3& min, const Vector3& max, bool aligned, uint8_t probe) {
        const int x0 = GridLine(min.x + 0.01f, -CBoard::kHalfWidth), x1 = GridLine(max.x - 0.01f, -CBoard::kHalfWidth);
        const int y0 = GridLine(min.y + 0.01f, CBoard::kFloorY), y1 = GridLine(max.y - 0.01f, CBoard::kFloorY);
        const int z0 = GridLine(min.z + 0.01f, -CBoard::kHalfWidth), z1 = GridLine(max.z - 0.01f, -CBoard::kHalfWidth);
        for (int gx = std::max(x0, 0); gx <= std::min(x1, CBoard::kColumns - 1); ++gx)
            for (int gz = std::max(z0, 0); gz <= std::min(z1, CBoard::kRows - 1); ++gz)
                for (int gy = std::max(y0, 0); gy <= std::min(y1, CBoard::kLevels - 1); ++gy)
                {
                    const int cell = CBoard::CellIndex(gx, gy, gz);
                    m_probeFixed[static_cast<size_t>(cell)] = probe;
                    const bool alone = ++bodies[static_cast<size_t>(cell)] == 1;
                    m_fixed[static_cast<size_t>(cell)] =
                        !alone || !aligned ? kOdd : (probe == CBoard::kProbeTeleporter ? kTeleporter : kSolid);
                }
    };
    for (int i = 0; i < setup.numWalls; ++i)
    {
        auto wall = std::make_unique<CWallBlock>();
        wall->ReadXml(nullptr, setup.fixedBodies, i);
        Vector3 min, max;
        wall->GetBounds(min, max);
        const bool aligned = OnGridLine(min.x, -CBoard::kHalfWidth) && OnGridLine(max.x, -CBoard::kHalfWidth) &&
                             OnGridLine(min.y, CBoard::kFloorY) && OnGridLine(max.y, CBoard::kFloorY) &&
                             OnGridLine(min.z, -CBoard::kHalfWidth) && OnGridLine(max.z, -CBoard::kHalfWidth);
        enter(min, max, aligned, static_cast<uint8_t>(CBoard::kProbeWall));
        m_walls.push_back(std::move(wall));
    }
    for (auto& wall : m_walls)
        m_pBoard->AddBody(wall.get());
    for (size_t i = 0; i < setup.cubes.size(); ++i)
    {
        auto cube = std::make_unique<CPlayBlock>();
        cube->Init(nullptr, setup.cubes[i].type, false);
        m_cubes.push_back(std::move(cube));
    }
    for (auto& cube : m_cubes)
        m_pBoard->AddBody(cube.get());
    for (int i = 0; i < setup.numTeleporters; ++i)
    {
        auto teleporter = std::make_unique<CTeleporter>();
        teleporter->ReadXml(nullptr, setup.fixedBodies, i);
        Vector3 min, max;
        teleporter->GetBounds(min, max);
        enter(min, max, true, static_cast<uint8_t>(CBoard::kProbeTeleporter));
        m_pBoard->AddBody(teleporter.get());
        m_teleporters.push_back(std::move(teleporter));
    }
    m_grid.assign(CBoard::kCells, -1);
    m_seen.assign(CBoard::kCells, 0);
    m_llGridPushes = m_llRulePushes = 0;
    Restore(setup.cubes);
}

void CPushBoard::BuildGrid(const Position& position)
{
    std::fill(m_grid.begin(), m_grid.end(), static_cast<int16_t>(-1));
    for (size_t i = 0; i < position.size(); ++i)
        if (position[i].cell >= 0 && position[i].type != CPlayBlock::kTypeNone)
            m_grid[static_cast<size_t>(position[i].cell)] = static_cast<int16_t>(i);
}

void CPushBoard::PushesOf(const Position& position, std::vector<Push>& pushes)
{
    pushes.clear();
    BuildGrid(position);
    static const int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const Cube& cube : position)
    {
        if (cube.cell < 0 || cube.type == CPlayBlock::kTypeNone)
            continue;
        int gx, gy, gz;
        CellCoords(cube.cell, gx, gy, gz);
        if (gy + 1 < CBoard::kLevels && m_grid[static_cast<size_t>(CBoard::CellIndex(gx, gy + 1, gz))] >= 0)
            continue;
        for (const auto& step : kSteps)
        {
            const int nx = gx + step[0], nz = gz + step[1];
            if (!CBoard::InGrid(nx, gy, nz))
                continue;
            const size_t next = static_cast<size_t>(CBoard::CellIndex(nx, gy, nz));
            if (m_grid[next] >= 0 || m_probeFixed[next] == CBoard::kProbeWall)
                continue;
            pushes.push_back({gx, gy, gz, step[0], step[1]});
        }
    }
}

bool CPushBoard::IsWon(const Position& position) const
{
    for (const Cube& cube : position)
    {
        const int colour = CPlayBlock::ColourOfType(cube.type);
        if (cube.cell >= 0 && cube.type >= 0 && cube.type < CPlayBlock::kTypeSmasher &&
            m_setup.removeToWin[static_cast<size_t>(colour)])
            return false;
    }
    return true;
}

int CPushBoard::GroupSize(const Position& position, int cell, int colour)
{
    std::fill(m_seen.begin(), m_seen.end(), 0);
    m_stack.assign(1, cell);
    m_seen[static_cast<size_t>(cell)] = 1;
    int size = 0;
    while (!m_stack.empty())
    {
        const int at = m_stack.back();
        m_stack.pop_back();
        ++size;
        int gx, gy, gz;
        CellCoords(at, gx, gy, gz);
        for (const auto& n : kNeighbours)
        {
            const int nx = gx + n[0], ny = gy + n[1], nz = gz + n[2];
            if (!CBoard::InGrid(nx, ny, nz))
                continue;
            const int next = CBoard::CellIndex(nx, ny, nz);
            const int slot = m_grid[static_cast<size_t>(next)];
            if (slot < 0 || m_seen[static_cast<size_t>(next)] ||
                CPlayBlock::ColourOfType(position[static_cast<size_t>(slot)].type) != colour)
                continue;
            m_seen[static_cast<size_t>(next)] = 1;
            m_stack.push_back(next);
        }
    }
    return size;
}

bool CPushBoard::Slide(const Position& from, const Push& push, Position& to)
{
    // Sliding on solid ground at push speed, a cube stops flush against the first wall, cube or
    // side of the board, exactly in the centre of the cell before it, and nothing else moves:
    // the cell it leaves carries nothing (it could not be pushed otherwise). Over a hole it
    // would fall while still sliding, into a teleporter it would warp: the rules play those.
    // A cube can come to rest on the edge of the cube it slid off, over an empty cell; the next
    // push wakes it and it falls, so that push is the rules' to play.
    for (const Cube& cube : from)
    {
        if (cube.cell < 0 || cube.cell % CBoard::kLevels == 0)
            continue;
        const size_t below = static_cast<size_t>(cube.cell - 1);
        if (m_grid[below] < 0 && m_fixed[below] != kSolid)
            return false;
    }
    const int start = CBoard::CellIndex(push.gx, push.gy, push.gz);
    const int slot = m_grid[static_cast<size_t>(start)];
    const int type = from[static_cast<size_t>(slot)].type;
    int gx = push.gx, gz = push.gz;
    const int gy = push.gy;
    for (;;)
    {
        const int nx = gx + push.dx, nz = gz + push.dz;
        if (!CBoard::InGrid(nx, gy, nz))
            break;
        const int next = CBoard::CellIndex(nx, gy, nz);
        const uint8_t fixed = m_fixed[static_cast<size_t>(next)];
        if (fixed == kSolid)
            break;
        if (fixed != kOpen)
            return false;
        if (m_grid[static_cast<size_t>(next)] >= 0)
        {
            if (!HitsLikeAWall(type))
                return false;
            break;
        }
        if (gy > 0)
        {
            const size_t below = static_cast<size_t>(CBoard::CellIndex(nx, gy - 1, nz));
            if (m_grid[below] < 0 && m_fixed[below] != kSolid)
                return false;
        }
        gx = nx;
        gz = nz;
    }
    const int end = CBoard::CellIndex(gx, gy, gz);
    const int colour = CPlayBlock::ColourOfType(type);
    if (colour >= 0 && colour < CPlayBlock::kColourCount)
    {
        m_grid[static_cast<size_t>(start)] = -1;
        m_grid[static_cast<size_t>(end)] = static_cast<int16_t>(slot);
        const int size = GroupSize(from, end, colour);
        m_grid[static_cast<size_t>(end)] = -1;
        m_grid[static_cast<size_t>(start)] = static_cast<int16_t>(slot);
        if (size >= kMinGroup)
            return false;
    }
    to = from;
    to[static_cast<size_t>(slot)].cell = static_cast<int16_t>(end);
    return true;
}

CPushBoard::Result CPushBoard::Apply(const Position& from, const Push& push, Position& to, int& score, int maxFrames)
{
    score = 0;
    BuildGrid(from);
    if (Slide(from, push, to))
    {
        ++m_llGridPushes;
        return kRests;
    }
    ++m_llRulePushes;
    return PlayRules(from, &push, to, score, maxFrames);
}

CPushBoard::Result CPushBoard::Settle(const Position& from, Position& to, int& score, int maxFrames)
{
    score = 0;
    BuildGrid(from);
    return PlayRules(from, nullptr, to, score, maxFrames);
}

void CPushBoard::Restore(const Position& position)
{
    for (size_t i = 0; i < m_cubes.size(); ++i)
    {
        CPlayBlock& block = *m_cubes[i];
        const Cube& cube = position[i];
        if (cube.cell < 0)
        {
            if (block.GetType() != cube.type)
                block.Init(nullptr, cube.type, false);
            block.SetState(CPlayBlock::kStateGone);
            continue;
        }
        // Initialising a cube loads its sounds: only a cube that changed is made anew.
        if (block.GetType() != cube.type || block.GetState() != CPlayBlock::kStateOnBoard || block.IsUsed())
            block.Init(nullptr, cube.type, false);
        int gx, gy, gz;
        CellCoords(cube.cell, gx, gy, gz);
        block.SetPosition(CBoard::CellCentre(gx, gy, gz));
        block.m_vFrameForce = Vector3();
        block.m_iBounceCount = cube.bounces;
        m_pBoard->AddBody(&block);
    }
    m_pBoard->MatchAndScore(nullptr);
}

bool CPushBoard::IsSettled(const CBoard& board)
{
    for (int i = 0; i < board.GetBlockCount(); ++i)
    {
        const CPlayBlock& cube = *board.GetBlock(i);
        if (cube.GetState() == CPlayBlock::kStateRemoving)
            return false;
        if (cube.GetState() != CPlayBlock::kStateOnBoard)
            continue;
        // A lifter that lifted is still changing back into a plain cube.
        if (!IsResting(cube) || (cube.IsLifter() && cube.IsUsed()))
            return false;
    }
    return true;
}

CPushBoard::Result CPushBoard::PlayRules(const Position& from, const Push* push, Position& to, int& score,
                                         int maxFrames)
{
    Restore(from);
    if (push)
    {
        const int slot = m_grid[static_cast<size_t>(CBoard::CellIndex(push->gx, push->gy, push->gz))];
        CPlayRules::Launch(*m_cubes[static_cast<size_t>(slot)], CPlayRules::ArrowOf(push->dx, push->dz));
    }
    bool removeToWin[10];
    for (int colour = 0; colour < 10; ++colour)
        removeToWin[colour] = m_setup.removeToWin[static_cast<size_t>(colour)];
    const float factor = Difficulty::Factor(m_setup.difficulty);
    for (int frame = 0; frame < maxFrames; ++frame)
    {
        CBoard::StepResult result;
        m_pBoard->Step(kFrameMs, m_setup.difficulty, nullptr, result);
        if (result.score != 0)
            score = Points::Add(score, Points::Truncate(static_cast<double>(result.score) * factor));
        if (m_pBoard->CountBlocksLeft(removeToWin) == 0)
        {
            PositionOf(*m_pBoard, to);
            return kWon;
        }
        if (IsSettled(*m_pBoard))
            return PositionOf(*m_pBoard, to) ? kRests : kNoRest;
    }
    return kNoRest;
}
