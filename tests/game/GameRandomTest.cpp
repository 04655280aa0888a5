// The rules' random draws: no effect (rain, thunder, particles, animation starts, scenery) moves
// them, and every level load starts them afresh from the run's seed.
#include "engine/XDXMeshObject.h"
#include "engine/XParticleSystem.h"
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CWeather.h"
#include "game/GameEffects.h"
#include "game/GameRandom.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

const float kFrameMs = 25.0f;
const int kDraws = 60;

// A rainy level's weather, a burst of sparks, an animated object and a scenery object, each
// doing what it does in one frame of play.
struct Effects
{
    CGameLevel level{nullptr};
    CWeather weather;
    std::unique_ptr<XParticleSystem> sparks;
    XDXMeshObject object;

    Effects()
    {
        level.SetRainEnabled(true);
        weather.Start(nullptr, level);
        sparks = GameEffects::Make({50, 10, 0.0f, 400.0f, 2.0f, 1.0f, 1.0f, {1, 1, 1, 1}, {1, 1, 1, 0}});
    }
    void Frame()
    {
        weather.ApplyFrame(nullptr, level);
        weather.Update(kFrameMs, level);
        sparks->Update(kFrameMs);
        object.Init(false, 0);
        level.AddFieldObject(0);
        level.SetNumFieldObjects(0);
    }
};

// A level of three colours, so that its spares vary from draw to draw.
const char* const kDocument = "<GameLevel><TimeLeft>60000.000000</TimeLeft><NumPlayBlocks>3</NumPlayBlocks>"
                              "<PlayBlock_0><BlockType>1</BlockType><XPos>-45</XPos><YPos>25</YPos><ZPos>45</ZPos>"
                              "</PlayBlock_0>"
                              "<PlayBlock_1><BlockType>4</BlockType><XPos>5</XPos><YPos>25</YPos><ZPos>5</ZPos>"
                              "</PlayBlock_1>"
                              "<PlayBlock_2><BlockType>8</BlockType><XPos>45</XPos><YPos>25</YPos><ZPos>-45</ZPos>"
                              "</PlayBlock_2></GameLevel>";

// The spares offered after a load, then again and again after emptying them, and the cells that
// drops would take.
std::vector<int> SparesAndCellsAfterLoad(CGameLevel& level)
{
    std::vector<int> drawn;
    EXPECT_TRUE(level.LoadFromDocument("RandomLevel", kDocument, false, false)) << level.GetErrorMsg().GetBuffer();
    for (int round = 0; round < 10; ++round)
    {
        level.EmptySpares();
        level.RefillSpares();
        for (int i = 0; i < CGameLevel::kSpareCount; ++i)
            drawn.push_back(level.GetSpare(i).GetType());
        int gx, gy, gz;
        EXPECT_TRUE(level.GetBoard().FindDropCell(gx, gy, gz));
        drawn.insert(drawn.end(), {gx, gy, gz});
    }
    return drawn;
}

} // namespace

TEST(RulesRandom, RainThunderSparksAnimationAndSceneryDrawNothingFromTheRules)
{
    CGameRandom::Seed(7);
    std::vector<int> quiet;
    for (int i = 0; i < kDraws; ++i)
        quiet.push_back(CGameRandom::Below(1000));

    Effects effects;
    CGameRandom::Seed(7);
    std::vector<int> stormy;
    for (int i = 0; i < kDraws; ++i)
    {
        for (int frame = 0; frame <= i % 4; ++frame)
            effects.Frame();
        stormy.push_back(CGameRandom::Below(1000));
    }
    EXPECT_EQ(quiet, stormy) << "effects between the draws changed the rules' sequence";
}

TEST(RulesRandom, EveryLevelLoadStartsTheDrawsAfreshFromTheRunsSeed)
{
    CGameRandom::Seed(5);
    CGameLevel level(nullptr);
    const std::vector<int> first = SparesAndCellsAfterLoad(level);
    // What the earlier level drew, however much, leaves no mark on the next one.
    for (int i = 0; i < 37; ++i)
        CGameRandom::Below(10);
    EXPECT_EQ(first, SparesAndCellsAfterLoad(level));

    CGameRandom::Seed(6);
    EXPECT_NE(first, SparesAndCellsAfterLoad(level)) << "another seed offers other spares";
}
