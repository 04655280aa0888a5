// The push solver against the real rules: every push from the shipped levels and from positions
// reached by random pushes rests as the replayed rules leave it, and the searches' answers.
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CPushBoard.h"
#include "game/CPushSearchWorker.h"
#include "game/CPushSolver.h"
#include "game/GameRandom.h"
#include "screens/CLevelBuilder.h"
#include "tools/levelplay/LevelReplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// Random pushes made through each shipped level; a won or stuck level starts again.
const int kPushesPerLevel = 80;
const int kSettleFrames = 2000;
// More time than any run takes, so that the clock never ends a level.
const float kAmpleTimeMs = 3600000.0f;

std::vector<fs::path> ShippedLevels()
{
    const char* source = std::getenv("PLK_SOURCE_DIR");
    std::vector<fs::path> levels;
    for (const auto& entry : fs::directory_iterator(fs::path(source ? source : ".") / "content" / "levels"))
        if (entry.path().extension() == ".txt" && entry.path().filename() != "CMakeLists.txt")
            levels.push_back(entry.path());
    std::sort(levels.begin(), levels.end());
    return levels;
}

// The real rules come to rest: nothing moves or is being removed and no lifter is changing back.
// False when the level ended first (won) or it kept moving.
bool SettleReplay(CLevelReplay& replay)
{
    for (int frame = 0; frame < kSettleFrames; ++frame)
    {
        if (CPushBoard::IsSettled(replay.GetLevel().GetBoard()))
            return true;
        if (!replay.Frame())
            return false;
    }
    return false;
}

struct Level
{
    std::string name;
    XString document;
};

Level ReadLevel(const fs::path& path)
{
    Level level;
    level.name = "Solve_" + path.stem().string();
    EXPECT_TRUE(level.document.ReadFile(path.string().c_str())) << path;
    return level;
}

bool Start(CLevelReplay& replay, const Level& level)
{
    if (!replay.LoadDocument(level.name.c_str(), level.document, 1))
        return false;
    replay.GetLevel().SetTimeLeft(kAmpleTimeMs);
    // The board's grids know the cubes from the first frame on, as they do when a player acts.
    return replay.Frame() && SettleReplay(replay);
}

// The pushes the replay accepts on its board, in the solver's order.
std::vector<CPushBoard::Push> ReplayPushes(CLevelReplay& replay)
{
    static const int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    std::vector<CPushBoard::Push> pushes;
    CBoard& board = replay.GetLevel().GetBoard();
    for (int i = 0; i < board.GetBlockCount(); ++i)
    {
        const CPlayBlock& block = *board.GetBlock(i);
        if (block.GetState() != CPlayBlock::kStateOnBoard || block.GetType() == CPlayBlock::kTypeNone)
            continue;
        int gx, gy, gz;
        CBoard::CellOf(block.GetPosition(), gx, gy, gz);
        for (const auto& step : kSteps)
            if (replay.CanPush(gx, gy, gz, step[0], step[1]))
                pushes.push_back({gx, gy, gz, step[0], step[1]});
    }
    return pushes;
}

std::string Describe(const CPushBoard::Push& push)
{
    return "push " + std::to_string(push.gx) + " " + std::to_string(push.gy) + " " + std::to_string(push.gz) +
           " (" + std::to_string(push.dx) + "," + std::to_string(push.dz) + ")";
}

CPushBoard::Cube CubeIn(int type, int gx, int gy, int gz)
{
    CPushBoard::Cube cube;
    cube.type = static_cast<int8_t>(type);
    cube.cell = static_cast<int16_t>(CBoard::CellIndex(gx, gy, gz));
    return cube;
}

// A board of cubes on the floor with no walls; blue (colour 0) to clear.
CPushBoard::Setup CubesOnly(const std::vector<CPushBoard::Cube>& cubes)
{
    CPushBoard::Setup setup;
    setup.cubes = cubes;
    setup.removeToWin[0] = true;
    setup.difficulty = 3;
    return setup;
}
} // namespace

TEST(PushSolverTest, EveryPushRestsAsTheRealRulesLeaveTheBoard)
{
    CLevelReplay replay("no-media/");
    CPushBoard board;
    long long compared = 0, wins = 0;
    for (const fs::path& path : ShippedLevels())
    {
        SCOPED_TRACE(path.filename().string());
        const Level level = ReadLevel(path);
        ASSERT_TRUE(Start(replay, level)) << replay.GetErrorMsg().GetBuffer();
        CPushBoard::Setup setup;
        XString error;
        ASSERT_TRUE(CPushBoard::Describe(replay.GetLevel(), setup, error)) << error.GetBuffer();
        board.Prepare(setup);
        std::mt19937 random(static_cast<unsigned>(compared + 7));
        for (int n = 0; n < kPushesPerLevel; ++n)
        {
            CPushBoard::Position from;
            ASSERT_TRUE(CPushBoard::PositionOf(replay.GetLevel().GetBoard(), from));
            std::vector<CPushBoard::Push> pushes;
            board.PushesOf(from, pushes);
            ASSERT_EQ(pushes, ReplayPushes(replay));
            if (pushes.empty())
            {
                ASSERT_TRUE(Start(replay, level));
                continue;
            }
            const CPushBoard::Push push = pushes[random() % pushes.size()];
            SCOPED_TRACE(Describe(push));
            CPushBoard::Position to;
            int score = 0;
            const CPushBoard::Result result = board.Apply(from, push, to, score, kSettleFrames);

            const int scoreBefore = replay.GetLevel().GetBlockScore();
            replay.GetLevel().SetTimeLeft(kAmpleTimeMs);
            ASSERT_TRUE(replay.Push(push.gx, push.gy, push.gz, push.dx, push.dz));
            const bool rested = SettleReplay(replay);
            const bool won = replay.GetResult().won;
            ++compared;
            ASSERT_EQ(result == CPushBoard::kWon, won);
            EXPECT_EQ(score, replay.GetLevel().GetBlockScore() - scoreBefore);
            if (won)
            {
                ++wins;
                ASSERT_TRUE(Start(replay, level));
                continue;
            }
            ASSERT_TRUE(rested);
            ASSERT_EQ(result, CPushBoard::kRests);
            CPushBoard::Position expected;
            ASSERT_TRUE(CPushBoard::PositionOf(replay.GetLevel().GetBoard(), expected));
            ASSERT_EQ(to.size(), expected.size());
            for (size_t i = 0; i < to.size(); ++i)
            {
                EXPECT_EQ(to[i].type, expected[i].type) << "cube " << i;
                EXPECT_EQ(to[i].cell, expected[i].cell) << "cube " << i;
                EXPECT_EQ(to[i].bounces, expected[i].bounces) << "cube " << i;
            }
            if (HasFailure())
                return;
        }
    }
    // Both ways of working out a push were compared, and some pushes cleared a level.
    EXPECT_GT(board.GetGridPushes(), 0);
    EXPECT_GT(board.GetRulePushes(), 0);
    EXPECT_GT(wins, 0);
    std::printf("compared %lld pushes (%lld won a level)\n", compared, wins);
}

TEST(PushSolverTest, ShortestSolutionsWinThroughTheRulesAndAHintedPushKeepsTheBoardWinnable)
{
    CLevelReplay replay("no-media/");
    CPushBoard board;
    CPushSolver solver;
    // Levels with every kind of cube, wall and teleporter whose searches take well under a second.
    for (const fs::path& path : ShippedLevels())
    {
        const std::string stem = path.stem().string();
        if (stem.rfind("__Lrn", 0) != 0 && stem.rfind("Crystal", 0) != 0 && stem != "StdLevel1" && stem != "StdLevel25")
            continue;
        SCOPED_TRACE(stem);
        const Level level = ReadLevel(path);
        ASSERT_TRUE(Start(replay, level));
        CPushBoard::Setup setup;
        XString error;
        ASSERT_TRUE(CPushBoard::Describe(replay.GetLevel(), setup, error));
        board.Prepare(setup);
        CPushSolver::Limits limits;
        limits.maxPushes = 20;
        ASSERT_EQ(solver.Solve(board, setup.cubes, limits), CPushSolver::kSolved);
        const std::vector<CPushBoard::Push> pushes = solver.GetPushes();
        ASSERT_FALSE(pushes.empty());
        // The hint: the first push made through the rules leaves a board one push shorter.
        ASSERT_TRUE(replay.Push(pushes[0].gx, pushes[0].gy, pushes[0].gz, pushes[0].dx, pushes[0].dz));
        if (pushes.size() == 1)
        {
            SettleReplay(replay);
            EXPECT_TRUE(replay.GetResult().won);
            continue;
        }
        ASSERT_TRUE(SettleReplay(replay));
        CPushBoard::Position after;
        ASSERT_TRUE(CPushBoard::PositionOf(replay.GetLevel().GetBoard(), after));
        ASSERT_EQ(solver.Solve(board, after, limits), CPushSolver::kSolved);
        EXPECT_EQ(solver.GetPushes().size(), pushes.size() - 1);
        for (size_t i = 1; i < pushes.size(); ++i)
        {
            const CPushBoard::Push& push = pushes[i];
            ASSERT_TRUE(replay.Push(push.gx, push.gy, push.gz, push.dx, push.dz)) << Describe(push);
            SettleReplay(replay);
        }
        EXPECT_TRUE(replay.GetResult().won);
    }
}

TEST(PushSolverTest, SmallBoardsAreSolvedProvedUnsolvableOrGivenUpOn)
{
    CPushBoard board;
    CPushSolver solver;
    CPushSolver::Limits limits;

    // Blue at x 0, 1 and 4 along the far edge: pushing the third toward the others clears them.
    board.Prepare(CubesOnly({CubeIn(0, 0, 0, 0), CubeIn(0, 1, 0, 0), CubeIn(0, 4, 0, 0)}));
    ASSERT_EQ(solver.Solve(board, board.GetSetup().cubes, limits), CPushSolver::kSolved);
    EXPECT_EQ(solver.GetPushes(), (std::vector<CPushBoard::Push>{{4, 0, 0, -1, 0}}));

    // A red cube blocks the way: it must be moved aside first.
    board.Prepare(CubesOnly({CubeIn(0, 0, 0, 0), CubeIn(0, 1, 0, 0), CubeIn(8, 3, 0, 0), CubeIn(0, 4, 0, 0)}));
    ASSERT_EQ(solver.Solve(board, board.GetSetup().cubes, limits), CPushSolver::kSolved);
    EXPECT_EQ(solver.GetPushes().size(), 2u);
    limits.maxPushes = 1;
    EXPECT_EQ(solver.Solve(board, board.GetSetup().cubes, limits), CPushSolver::kGaveUp);

    // Two blue cubes never make a group of three, however they are pushed.
    limits.maxPushes = 30;
    board.Prepare(CubesOnly({CubeIn(0, 2, 0, 3), CubeIn(0, 5, 0, 6)}));
    EXPECT_EQ(solver.Solve(board, board.GetSetup().cubes, limits), CPushSolver::kUnsolvable);
    EXPECT_GT(solver.GetPositionsSeen(), 100);

    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(solver.Solve(board, board.GetSetup().cubes, limits, &cancelled), CPushSolver::kCancelled);
}

TEST(PushSolverTest, AWorkerSearchesOffTheMainThreadWithoutTouchingTheGamesRandomSequence)
{
    CGameRandom::Seed(9);
    std::vector<int> expected;
    for (int i = 0; i < 8; ++i)
        expected.push_back(CGameRandom::Below(1000));

    CGameRandom::Seed(9);
    CPushSearchWorker worker;
    // Making the worker's cubes draws random numbers: on its own thread's generator only.
    worker.Start(CubesOnly({CubeIn(0, 0, 0, 0), CubeIn(0, 1, 0, 0), CubeIn(8, 3, 0, 0), CubeIn(0, 4, 0, 0)}),
                 CPushSolver::Limits(), 0);
    CPushSearchWorker::Answer answer;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!worker.TakeAnswer(answer) && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(worker.IsBusy());
    EXPECT_EQ(answer.outcome, CPushSolver::kSolved);
    EXPECT_EQ(answer.pushes.size(), 2u);
    std::vector<int> drawn;
    for (int i = 0; i < 8; ++i)
        drawn.push_back(CGameRandom::Below(1000));
    EXPECT_EQ(drawn, expected);

    // A search with no end in sight stops when cancelled, and its answer never comes.
    std::vector<CPushBoard::Cube> many;
    for (int i = 0; i < 12; ++i)
        many.push_back(CubeIn(i % 9, i % 10, 0, i / 10 * 5));
    CPushSolver::Limits endless;
    endless.maxPushes = 1000;
    worker.Start(CubesOnly(many), endless, 0);
    worker.Cancel();
    EXPECT_FALSE(worker.IsBusy());
    EXPECT_FALSE(worker.TakeAnswer(answer));
}

TEST(PushSolverTest, TheBuildersCheckAnswersSolvableOrNoSolutionAndLetsFloatingCubesFallFirst)
{
    auto check = [](const std::vector<CPushBoard::Cube>& cubes) {
        CPushSearchWorker worker;
        CPushSolver::Limits limits;
        limits.maxPushes = 30;
        worker.Start(CubesOnly(cubes), limits, 0, true);
        CPushSearchWorker::Answer answer;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!worker.TakeAnswer(answer) && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return std::string(CLevelBuilder::CheckText(answer).GetBuffer());
    };
    EXPECT_EQ(check({CubeIn(0, 0, 0, 0), CubeIn(0, 1, 0, 0), CubeIn(0, 4, 0, 0)}), "Solvable in 1 push");
    EXPECT_EQ(check({CubeIn(0, 0, 0, 0), CubeIn(0, 1, 0, 0), CubeIn(8, 3, 0, 0), CubeIn(0, 4, 0, 0)}),
              "Solvable in 2 pushes");
    // Built in the air, the third blue cube falls beside the other two: nothing is left to push.
    EXPECT_EQ(check({CubeIn(0, 0, 0, 0), CubeIn(0, 1, 0, 0), CubeIn(0, 2, 3, 0)}), "Solvable in 0 pushes");
    // Two blue cubes: every position was tried, to the depth the positions ran out at.
    const std::string none = check({CubeIn(0, 2, 0, 3), CubeIn(0, 5, 0, 6)});
    EXPECT_EQ(none.rfind("No solution within ", 0), 0u) << none;
}
