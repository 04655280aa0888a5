// The spare lesson's recorded solution replayed with rain, thunder, sparks and animation starts
// drawing between its frames: its spares are the same cubes in the same cells, and it is won the
// same, however much the effects drew.
#include "engine/XDXMeshObject.h"
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CWeather.h"
#include "tools/levelplay/LevelReplay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

const char* const kSpareLesson = "__Lrn5";
const int kMaxFrames = 24000;

std::string SourceDir()
{
    const char* source = std::getenv("PLK_SOURCE_DIR");
    return source ? source : ".";
}

std::string DataFolder()
{
    const char* binary = std::getenv("PLK_BINARY_DIR");
    return std::string(binary ? binary : ".") + "/stage/data/";
}

// Where the spares went and how the lesson ended.
struct Outcome
{
    std::vector<int> drops; // type, gx, gy, gz of each dropped cube
    bool won = false;
    int frames = 0;
    int blockScore = 0;

    bool operator==(const Outcome&) const = default;
};

// Plays the solution as the replay does, with `animationStarts` effect draws and, when `rain`,
// a thunderstorm's frame between every two frames of play.
Outcome PlayWithEffects(const CLevelSolution& solution, int animationStarts, bool rain)
{
    Outcome outcome;
    CLevelReplay replay(DataFolder().c_str());
    EXPECT_TRUE(replay.Load(kSpareLesson, solution.GetSeed())) << replay.GetErrorMsg().GetBuffer();
    CGameLevel& level = replay.GetLevel();
    CGameLevel stormy(nullptr);
    stormy.SetRainEnabled(rain);
    CWeather weather;
    weather.Start(nullptr, stormy);
    XDXMeshObject animated;
    auto frame = [&] {
        replay.Frame();
        for (int i = 0; i < animationStarts; ++i)
            animated.Init(false, 0);
        weather.ApplyFrame(nullptr, stormy);
        weather.Update(CLevelReplay::kFrameMs, stormy);
    };

    for (const SolutionMove& move : solution.GetMoves())
    {
        EXPECT_EQ(SolutionMove::kWhenAtRest, move.frame) << "the lesson's moves wait for the board to rest";
        do
            frame();
        while (!replay.IsAtRest() && !replay.IsOver());
        if (move.kind == SolutionMove::kDrop)
        {
            EXPECT_TRUE(replay.DropSpare(move.slot));
            const CPlayBlock& dropped = level.GetPlayBlock(level.IndexOfPlayBlock(level.GetSelected()));
            int gx, gy, gz;
            CBoard::CellOf(dropped.GetPosition(), gx, gy, gz);
            outcome.drops.insert(outcome.drops.end(), {dropped.GetType(), gx, gy, gz});
        }
        else
            EXPECT_TRUE(replay.Push(move.gx, move.gy, move.gz, move.dx, move.dz))
                << "push " << move.gx << " " << move.gy << " " << move.gz;
    }
    while (replay.GetResult().frames < kMaxFrames && !replay.IsOver())
        frame();
    outcome.won = replay.GetResult().won;
    outcome.frames = replay.GetResult().frames;
    outcome.blockScore = replay.GetResult().blockScore;
    return outcome;
}

} // namespace

TEST(SpareLessonReplay, SparesLandAndTheLessonEndsTheSameWhateverTheEffectsDraw)
{
    CLevelSolution solution;
    ASSERT_TRUE(solution.ReadFile((SourceDir() + "/content/levels/solutions/" + kSpareLesson + ".sol").c_str()))
        << solution.GetErrorMsg().GetBuffer();
    const Outcome quiet = PlayWithEffects(solution, 0, false);
    ASSERT_EQ(8u, quiet.drops.size()) << "the lesson drops two spares";
    EXPECT_TRUE(quiet.won);

    for (int starts : {1, 2, 5, 17, 64})
        for (bool rain : {false, true})
        {
            SCOPED_TRACE(std::to_string(starts) + " animation starts a frame" + (rain ? ", in rain" : ""));
            const Outcome stormy = PlayWithEffects(solution, starts, rain);
            EXPECT_EQ(quiet.drops, stormy.drops) << "the spares landed elsewhere";
            EXPECT_TRUE(stormy == quiet) << "won " << stormy.won << " after " << stormy.frames << " frames with "
                                         << stormy.blockScore << " points; without effects: won " << quiet.won
                                         << " after " << quiet.frames << " frames with " << quiet.blockScore;
        }
}
