// The level solver: resting positions are snapshots of the cubes, restored into the one level.
#include "tools/levelsolve/LevelSolver.h"

#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"

#include <deque>
#include <unordered_set>

namespace
{
const int kDirections[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

struct Node
{
    int parent;
    SolutionMove move;
    // Index into the snapshots of the current and next breadth layers.
    int snapshot;
};
} // namespace

CLevelSolver::CLevelSolver(const XString& dataFolder) : m_replay(dataFolder)
{
}

CLevelSolver::Snapshot CLevelSolver::Take()
{
    Snapshot s;
    CBoard& board = m_replay.GetLevel().GetBoard();
    const int count = board.GetBlockCount();
    s.types.resize(static_cast<size_t>(count));
    s.cells.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        const CPlayBlock& block = *board.GetBlock(i);
        s.types[static_cast<size_t>(i)] = block.GetType();
        int gx, gy, gz;
        CBoard::CellOf(block.GetPosition(), gx, gy, gz);
        s.cells[static_cast<size_t>(i)] =
            block.GetState() == CPlayBlock::kStateGone ? -1 : CBoard::CellIndex(gx, gy, gz);
    }
    s.msLeft = m_replay.GetLevel().GetTimeLeft();
    s.blockScore = m_replay.GetLevel().GetBlockScore();
    return s;
}

void CLevelSolver::Restore(const Snapshot& s)
{
    CGameLevel& level = m_replay.GetLevel();
    CBoard& board = level.GetBoard();
    for (int i = 0; i < board.GetBlockCount(); ++i)
    {
        CPlayBlock& block = *board.GetBlock(i);
        const int cell = s.cells[static_cast<size_t>(i)];
        const int type = s.types[static_cast<size_t>(i)];
        if (cell < 0)
        {
            block.SetState(CPlayBlock::kStateGone);
            continue;
        }
        // Initialising a cube loads its sounds: only a cube that changed is made anew.
        if (block.GetType() != type || block.GetState() != CPlayBlock::kStateOnBoard || block.IsUsed())
            block.Init(nullptr, type, false);
        const int gy = cell % CBoard::kLevels, gz = cell / CBoard::kLevels % CBoard::kRows,
                  gx = cell / CBoard::kLevels / CBoard::kRows;
        block.SetPosition(CBoard::CellCentre(gx, gy, gz));
        board.AddBody(&block);
    }
    level.SetTimeLeft(s.msLeft);
    m_replay.ClearEnd();
    level.SetBlockScore(s.blockScore);
    board.MatchAndScore(nullptr);
}

std::string CLevelSolver::KeyOf(const Snapshot& s)
{
    std::string key;
    key.reserve(s.types.size() * 3);
    for (size_t i = 0; i < s.types.size(); ++i)
    {
        key += static_cast<char>(s.types[i] + 2);
        key += static_cast<char>((s.cells[i] + 1) & 0xFF);
        key += static_cast<char>((s.cells[i] + 1) >> 8);
    }
    return key;
}

bool CLevelSolver::Settle(int maxFrames)
{
    for (int frame = 0; frame < maxFrames; ++frame)
    {
        if (!m_replay.Frame())
            return m_replay.GetResult().won;
        if (m_replay.IsAtRest())
            return true;
    }
    return false;
}

CLevelSolver::Outcome CLevelSolver::Solve(const XString& levelName, const XString& document, const Limits& limits,
                                          const CLevelSolution& prelude)
{
    m_solution = prelude;
    m_iStatesSeen = 0;
    if (!m_replay.LoadDocument(levelName, document, prelude.GetSeed()))
    {
        m_strErrorMsg = m_replay.GetErrorMsg();
        return kError;
    }
    if (!prelude.GetMoves().empty() && !m_replay.PlayMoves(prelude, limits.settleFrames))
    {
        m_strErrorMsg = m_replay.GetErrorMsg();
        return kError;
    }
    if (m_replay.GetResult().won)
        return kSolved;
    if (!Settle(limits.settleFrames))
    {
        m_strErrorMsg = "Error: in CLevelSolver::Solve, the level does not come to rest by itself.";
        return kError;
    }

    std::vector<Node> nodes{{-1, SolutionMove(), 0}};
    std::vector<Snapshot> layer{Take()};
    std::vector<int> layerNodes{0};
    std::unordered_set<std::string> seen{KeyOf(layer[0])};
    bool cutOff = false;
    for (int depth = 0; depth < limits.maxPushes && !layer.empty(); ++depth)
    {
        std::vector<Snapshot> next;
        std::vector<int> nextNodes;
        for (size_t k = 0; k < layer.size(); ++k)
        {
            Restore(layer[k]);
            std::vector<SolutionMove> moves;
            CBoard& board = m_replay.GetLevel().GetBoard();
            for (int i = 0; i < board.GetBlockCount(); ++i)
            {
                const CPlayBlock& block = *board.GetBlock(i);
                if (block.GetState() != CPlayBlock::kStateOnBoard)
                    continue;
                SolutionMove move;
                CBoard::CellOf(block.GetPosition(), move.gx, move.gy, move.gz);
                for (const auto& d : kDirections)
                {
                    move.dx = d[0];
                    move.dz = d[1];
                    if (m_replay.CanPush(move.gx, move.gy, move.gz, move.dx, move.dz))
                        moves.push_back(move);
                }
            }
            for (const SolutionMove& move : moves)
            {
                Restore(layer[k]);
                m_replay.Push(move.gx, move.gy, move.gz, move.dx, move.dz);
                const bool rested = Settle(limits.settleFrames);
                nodes.push_back({layerNodes[k], move, 0});
                const int id = static_cast<int>(nodes.size()) - 1;
                if (m_replay.GetResult().won)
                {
                    std::vector<SolutionMove> path;
                    for (int n = id; nodes[static_cast<size_t>(n)].parent >= 0; n = nodes[static_cast<size_t>(n)].parent)
                        path.insert(path.begin(), nodes[static_cast<size_t>(n)].move);
                    for (const SolutionMove& step : path)
                        m_solution.AddMove(step);
                    return kSolved;
                }
                if (!rested || m_replay.IsOver())
                    continue;
                Snapshot s = Take();
                if (!seen.insert(KeyOf(s)).second)
                    continue;
                if (++m_iStatesSeen >= limits.maxStates)
                    return kGaveUp;
                next.push_back(std::move(s));
                nextNodes.push_back(id);
            }
        }
        layer = std::move(next);
        layerNodes = std::move(nextNodes);
        if (depth + 1 == limits.maxPushes && !layer.empty())
            cutOff = true;
    }
    return cutOff ? kGaveUp : kUnsolvable;
}
