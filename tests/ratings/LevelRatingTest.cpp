// The difficulty table beside the recorded solutions (content/levels/solutions/Ratings.txt) is
// what the solver makes of the shipped levels today, it names every level, and the standard
// series gets harder from its first levels to its last without losing a special cube or feature.
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CWallBlock.h"
#include "tools/levelsolve/LevelSolver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace
{
fs::path Levels()
{
    const char* source = std::getenv("PLK_SOURCE_DIR");
    return fs::path(source ? source : ".") / "content" / "levels";
}

struct Row
{
    int shortest = 0;
    long long positions = 0;
    double randomWins = 0.0;
};

std::map<std::string, Row> RecordedTable()
{
    std::map<std::string, Row> table;
    std::ifstream in(Levels() / "solutions" / "Ratings.txt");
    std::string line;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string name;
        Row row;
        fields >> name >> row.shortest >> row.positions >> row.randomWins;
        table[name] = row;
    }
    return table;
}
} // namespace

TEST(LevelRating, TheTableMatchesTheShippedLevels)
{
    const std::map<std::string, Row> table = RecordedTable();
    int levels = 0;
    CLevelSolver solver("no-media/");
    for (const auto& entry : fs::directory_iterator(Levels()))
    {
        if (entry.path().extension() != ".txt" || entry.path().filename() == "CMakeLists.txt")
            continue;
        ++levels;
        const std::string stem = entry.path().stem().string();
        SCOPED_TRACE(stem);
        const auto row = table.find(stem);
        ASSERT_NE(row, table.end()) << "no row in Ratings.txt";
        XString document;
        ASSERT_TRUE(document.ReadFile(entry.path().string().c_str()));
        CLevelSolution prelude;
        CLevelSolution recorded;
        ASSERT_TRUE(recorded.ReadFile((Levels() / "solutions" / (stem + ".sol")).string().c_str()));
        prelude.SetSeed(recorded.GetSeed());
        for (const SolutionMove& move : recorded.GetMoves())
        {
            if (move.kind != SolutionMove::kDrop)
                break;
            prelude.AddMove(move);
        }
        CLevelSolver::Rating rating;
        ASSERT_EQ(solver.Rate(("Solve_" + stem).c_str(), document, CLevelSolver::Limits(), prelude, rating),
                  CLevelSolver::kSolved);
        EXPECT_EQ(rating.shortest, row->second.shortest);
        EXPECT_EQ(rating.positions, row->second.positions);
        EXPECT_NEAR(rating.randomWins, row->second.randomWins, 0.00005);
    }
    EXPECT_EQ(static_cast<size_t>(levels), table.size());
}

TEST(LevelRating, TheStandardSeriesRisesFromThreeOrFourPushesToTwelveInItsLastFive)
{
    const int kDip = 2;
    const std::map<std::string, Row> table = RecordedTable();
    // The mean push count of each run of five levels is above the one before.
    double previousMean = 0.0;
    double firstShare = 0.0, lastShare = 0.0;
    for (int first = 1; first <= 21; first += 5)
    {
        int pushes = 0;
        double share = 0.0;
        for (int level = first; level < first + 5; ++level)
        {
            const auto row = table.find("StdLevel" + std::to_string(level));
            ASSERT_NE(row, table.end()) << level;
            pushes += row->second.shortest;
            share += row->second.randomWins;
            if (level <= 2)
            {
                EXPECT_GE(row->second.shortest, 3) << "StdLevel" << level;
                EXPECT_LE(row->second.shortest, 4) << "StdLevel" << level;
            }
            if (level > 20)
            {
                EXPECT_GE(row->second.shortest, 12) << "StdLevel" << level;
            }
            // Level by level the climb may dip, by kDip pushes at most.
            const auto before = table.find("StdLevel" + std::to_string(level - 1));
            if (before != table.end())
            {
                EXPECT_GE(row->second.shortest, before->second.shortest - kDip) << "StdLevel" << level;
            }
        }
        const double mean = pushes / 5.0;
        EXPECT_GT(mean, previousMean) << "StdLevel" << first << " to " << first + 4;
        previousMean = mean;
        (first == 1 ? firstShare : lastShare) = share / 5.0;
    }
    // Random pushes clear the last levels less often than the first.
    EXPECT_LT(lastShare, firstShare);
}

TEST(LevelRating, TheLastFiveStandardLevelsAreBigBoards)
{
    for (int level = 21; level <= 25; ++level)
    {
        const std::string stem = "StdLevel" + std::to_string(level);
        SCOPED_TRACE(stem);
        XString document;
        ASSERT_TRUE(document.ReadFile((Levels() / (stem + ".txt")).string().c_str()));
        CLevelReplay replay("no-media/");
        ASSERT_TRUE(replay.LoadDocument(("Solve_" + stem).c_str(), document, 1));
        // What the first push meets: a level that clears cubes by itself has fewer.
        for (int frame = 0; frame == 0 || !replay.IsAtRest(); ++frame)
            ASSERT_TRUE(frame < 2000 && replay.Frame());
        CPushBoard::Setup setup;
        XString error;
        ASSERT_TRUE(CPushBoard::Describe(replay.GetLevel(), setup, error)) << error.GetBuffer();
        int cubes = 0;
        for (const CPushBoard::Cube& cube : setup.cubes)
            cubes += cube.cell >= 0 && cube.type >= 0 ? 1 : 0;
        int colours = 0;
        for (bool clear : setup.removeToWin)
            colours += clear ? 1 : 0;
        EXPECT_GE(cubes, 20);
        EXPECT_GE(colours, 3);
    }
}

TEST(LevelRating, TheFrostSetHoldsTenOrMoreHardPuzzles)
{
    const std::map<std::string, Row> table = RecordedTable();
    int levels = 0;
    for (auto row = table.find("Frost1"); row != table.end(); row = table.find("Frost" + std::to_string(levels + 1)))
    {
        ++levels;
        EXPECT_GE(row->second.shortest, 12) << row->first;
        EXPECT_LE(row->second.shortest, 25) << row->first;
    }
    EXPECT_GE(levels, 10);
}

TEST(LevelRating, TheStandardSeriesKeepsEverySpecialCubeAndFeature)
{
    std::set<std::string> found;
    for (int number = 1; number <= 25; ++number)
    {
        const std::string stem = "StdLevel" + std::to_string(number);
        XString document;
        ASSERT_TRUE(document.ReadFile((Levels() / (stem + ".txt")).string().c_str())) << stem;
        CGameLevel level(nullptr);
        ASSERT_TRUE(level.LoadFromDocument(("Solve_" + stem).c_str(), document, true, false)) << stem;
        if (level.GetNumTeleporters() > 0)
            found.insert("teleporters");
        for (int i = 0; i < level.GetNumWalls(); ++i)
            if (level.GetWall(i).GetHeight() > CBoard::kCellSize)
                found.insert("raised wall");
        for (int i = 0; i < level.GetNumPlayBlocks(); ++i)
        {
            const CPlayBlock& cube = level.GetPlayBlock(i);
            const int type = cube.GetType();
            if (type == CPlayBlock::kTypeSmasher)
                found.insert("smasher");
            else if (type == CPlayBlock::kTypeBomb)
                found.insert("bomb");
            else if (type == CPlayBlock::kTypeStone)
                found.insert("stone");
            else if (type >= 10)
                found.insert("variant " + std::to_string(type / 10));
            int gx = 0, gy = 0, gz = 0;
            CBoard::CellOf(cube.GetPosition(), gx, gy, gz);
            if (gy > 0)
                found.insert("stacked cube");
        }
    }
    for (const char* feature : {"teleporters", "raised wall", "smasher", "bomb", "stone", "stacked cube"})
    {
        EXPECT_EQ(found.count(feature), 1u) << feature;
    }
    for (int variant : {CPlayBlock::kVariantX2, CPlayBlock::kVariantX3, CPlayBlock::kVariantExTime,
                        CPlayBlock::kVariantZap, CPlayBlock::kVariantLifter})
    {
        EXPECT_EQ(found.count("variant " + std::to_string(variant)), 1u) << variant;
    }
}
