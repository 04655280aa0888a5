// The breadth-first push search and the random-push measure of a level's difficulty.
#include "game/CPushSolver.h"

#include <random>
#include <string>
#include <unordered_set>

namespace
{
struct Node
{
    int parent;
    CPushBoard::Push push;
};

// The position as bytes, the hidden bounce counts included: two positions with the same cubes
// may still fall differently.
std::string KeyOf(const CPushBoard::Position& position)
{
    std::string key(position.size() * 4, '\0');
    size_t at = 0;
    for (const CPushBoard::Cube& cube : position)
    {
        key[at++] = static_cast<char>(cube.type);
        key[at++] = static_cast<char>(cube.cell & 0xFF);
        key[at++] = static_cast<char>(cube.cell >> 8);
        key[at++] = static_cast<char>(cube.bounces);
    }
    return key;
}

// Checking the clock on every push would cost more than the push.
const int kClockEvery = 64;
} // namespace

CPushSolver::Outcome CPushSolver::Solve(CPushBoard& board, const CPushBoard::Position& start, const Limits& limits,
                                        const std::atomic<bool>* cancel)
{
    m_pushes.clear();
    m_llPositionsSeen = 1;
    m_iDepthSearched = 0;
    if (board.IsWon(start))
        return kSolved;

    std::vector<Node> nodes{{-1, CPushBoard::Push()}};
    std::vector<CPushBoard::Position> layer{start};
    std::vector<int> layerNodes{0};
    std::unordered_set<std::string> seen{KeyOf(start)};
    std::vector<CPushBoard::Push> pushes;
    CPushBoard::Position next;
    int sinceClock = 0;
    bool cutOff = false;
    for (int depth = 0; !layer.empty(); ++depth)
    {
        if (depth == limits.maxPushes)
        {
            cutOff = true;
            break;
        }
        std::vector<CPushBoard::Position> nextLayer;
        std::vector<int> nextNodes;
        for (size_t k = 0; k < layer.size(); ++k)
        {
            board.PushesOf(layer[k], pushes);
            for (const CPushBoard::Push& push : pushes)
            {
                if (cancel && cancel->load(std::memory_order_relaxed))
                    return kCancelled;
                if (++sinceClock == kClockEvery)
                {
                    sinceClock = 0;
                    if (std::chrono::steady_clock::now() >= limits.deadline)
                        return kGaveUp;
                }
                int score = 0;
                const CPushBoard::Result result = board.Apply(layer[k], push, next, score, limits.settleFrames);
                if (result == CPushBoard::kNoRest)
                    continue;
                if (result == CPushBoard::kWon)
                {
                    m_pushes.assign(1, push);
                    for (int n = layerNodes[k]; nodes[static_cast<size_t>(n)].parent >= 0;
                         n = nodes[static_cast<size_t>(n)].parent)
                        m_pushes.insert(m_pushes.begin(), nodes[static_cast<size_t>(n)].push);
                    return kSolved;
                }
                if (!seen.insert(KeyOf(next)).second)
                    continue;
                if (++m_llPositionsSeen > limits.maxPositions)
                    return kGaveUp;
                nodes.push_back({layerNodes[k], push});
                nextLayer.push_back(next);
                nextNodes.push_back(static_cast<int>(nodes.size()) - 1);
            }
        }
        layer = std::move(nextLayer);
        layerNodes = std::move(nextNodes);
        m_iDepthSearched = depth + 1;
    }
    return cutOff ? kGaveUp : kUnsolvable;
}

double CPushSolver::RandomWinShare(CPushBoard& board, const CPushBoard::Position& start, int length, int samples,
                                   unsigned seed)
{
    if (samples <= 0)
        return 0.0;
    std::mt19937 generator(seed);
    std::vector<CPushBoard::Push> pushes;
    CPushBoard::Position position, next;
    int wins = 0;
    for (int sample = 0; sample < samples; ++sample)
    {
        position = start;
        bool won = board.IsWon(position);
        for (int step = 0; step < length && !won; ++step)
        {
            board.PushesOf(position, pushes);
            if (pushes.empty())
                break;
            const CPushBoard::Push push = pushes[std::uniform_int_distribution<size_t>(0, pushes.size() - 1)(generator)];
            int score = 0;
            const CPushBoard::Result result = board.Apply(position, push, next, score);
            if (result == CPushBoard::kNoRest)
                break;
            won = result == CPushBoard::kWon;
            position.swap(next);
        }
        wins += won ? 1 : 0;
    }
    return static_cast<double>(wins) / samples;
}
