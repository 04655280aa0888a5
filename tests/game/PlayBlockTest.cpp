// Cubes: type table, colour and variant changes, the removal state machine, colour cycling on a
// fixed clock, the lifter's return and the cube's document element.
#include "foundation/XString.h"
#include "game/CPlayBlock.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct TypeCase
{
    int type;
    int colour;
    int multiplier;
    const char* texture;
};

CPlayBlock& Fresh(CPlayBlock& block, int type, bool cycle = false)
{
    block.Init(nullptr, type, cycle);
    return block;
}

// Steps the cube's update until it is gone or the limit passes; answers the milliseconds taken.
int MsUntilGone(CPlayBlock& block, float dt, int limitMs)
{
    int elapsed = 0;
    while (block.GetState() != CPlayBlock::kStateGone && elapsed < limitMs)
    {
        block.Update(dt);
        elapsed += static_cast<int>(dt);
    }
    return elapsed;
}

} // namespace

class PlayBlockTypes : public testing::TestWithParam<TypeCase>
{
};

TEST_P(PlayBlockTypes, ColourMultiplierAndTexture)
{
    const TypeCase& c = GetParam();
    CPlayBlock block;
    Fresh(block, c.type);
    EXPECT_EQ(c.colour, block.GetColour());
    EXPECT_EQ(c.multiplier, block.GetMultiplier());
    EXPECT_STREQ(c.texture, CPlayBlock::TextureNameOfType(c.type).GetBuffer());
    EXPECT_EQ(CPlayBlock::kKind, block.GetKind());
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlayBlockTypes,
    testing::Values(TypeCase{0, 0, 1, "SolidBlueCube.bmp"}, TypeCase{28, 8, 3, "SolidRedCubeX3.bmp"},
                    TypeCase{11, 1, 2, "SolidDarkBlueCubeX2.bmp"}, TypeCase{34, 4, 1, "SolidLightVanillaCubeExTime.bmp"},
                    TypeCase{49, 9, 1, "SolidYellowCubeZap.bmp"}, TypeCase{56, 6, 1, ""}, TypeCase{60, 10, 1, ""},
                    TypeCase{61, 11, 1, ""}, TypeCase{62, 12, 1, ""}, TypeCase{-1, -1, 1, ""},
                    TypeCase{63, -1, 1, ""}));

TEST(PlayBlock, MultiplierAndColourChangesKeepTheRightParts)
{
    CPlayBlock block;
    Fresh(block, 35).SetMultiplier(2);
    EXPECT_EQ(35, block.GetType()) << "an extra-time cube takes no multiplier";
    Fresh(block, 25).SetMultiplier(2);
    EXPECT_EQ(15, block.GetType());
    Fresh(block, 7).SetMultiplier(3);
    EXPECT_EQ(27, block.GetType());
    Fresh(block, 57).SetColour(4);
    EXPECT_EQ(54, block.GetType()) << "a lifter stays a lifter";
    Fresh(block, 60).SetColour(4);
    EXPECT_EQ(60, block.GetType()) << "a smasher has no colour to change";
    Fresh(block, 12).SetColour(10);
    EXPECT_EQ(12, block.GetType()) << "no colour beyond 9";
}

TEST(PlayBlock, TogglesSwitchVariantsBothWays)
{
    CPlayBlock block;
    Fresh(block, 8).ToggleExTime();
    EXPECT_EQ(38, block.GetType());
    block.ToggleExTime();
    EXPECT_EQ(8, block.GetType());
    Fresh(block, 23).ToggleZap();
    EXPECT_EQ(43, block.GetType());
    block.ToggleZap();
    EXPECT_EQ(3, block.GetType());
    Fresh(block, 45).ToggleLifter();
    EXPECT_EQ(55, block.GetType());
    block.ToggleLifter();
    EXPECT_EQ(5, block.GetType());
    Fresh(block, 3, false).ToggleColourCycle();
    EXPECT_TRUE(block.IsColourCycling());
}

// Every toggle on every type: a colour cube keeps its colour and lands on the plain type or the
// toggle's variant; special cubes, empty slots and types outside the table are left as they are.
TEST(PlayBlock, TogglesKeepColoursAndLeaveSpecialCubesAlone)
{
    struct Toggle
    {
        void (CPlayBlock::*toggle)();
        int variant;
    };
    const Toggle toggles[] = {{&CPlayBlock::ToggleExTime, CPlayBlock::kVariantExTime},
                              {&CPlayBlock::ToggleZap, CPlayBlock::kVariantZap},
                              {&CPlayBlock::ToggleLifter, CPlayBlock::kVariantLifter}};
    CPlayBlock block;
    for (const Toggle& toggle : toggles)
        for (int type = CPlayBlock::kTypeNone; type <= CPlayBlock::kTypeCount; ++type)
        {
            (Fresh(block, type).*toggle.toggle)();
            if (type < 0 || type >= CPlayBlock::kTypeSmasher)
            {
                EXPECT_EQ(type, block.GetType()) << "variant " << toggle.variant;
                continue;
            }
            const int colour = type % CPlayBlock::kColourCount;
            const int expected = type / 10 == toggle.variant ? colour : colour + toggle.variant * 10;
            EXPECT_EQ(expected, block.GetType()) << type << " to variant " << toggle.variant;
            (block.*toggle.toggle)();
            EXPECT_EQ(type / 10 == toggle.variant ? colour + toggle.variant * 10 : colour, block.GetType())
                << type << " toggled twice to variant " << toggle.variant;
        }
}

TEST(PlayBlockRemoval, FadeThenGone)
{
    CPlayBlock block;
    Fresh(block, 8).SetState(CPlayBlock::kStateRemoving);
    EXPECT_EQ(CPlayBlock::kStateRemoving, block.GetState());
    EXPECT_EQ(300, block.GetStateChangeMaxTime());
    EXPECT_EQ(300, block.GetStateChangeTimeLeft());
    block.Update(100.0f);
    EXPECT_EQ(200, block.GetStateChangeTimeLeft());
    EXPECT_EQ(CPlayBlock::kStateRemoving, block.GetState());
    block.Update(199.5f);
    EXPECT_EQ(CPlayBlock::kStateGone, block.GetState()) << "below 1 ms left counts as done";
    EXPECT_EQ(0, block.GetStateChangeMaxTime());
    EXPECT_EQ(0, block.GetStateChangeTimeLeft());
    // A gone cube is no longer updated.
    block.Update(1000.0f);
    EXPECT_EQ(CPlayBlock::kStateGone, block.GetState());

    Fresh(block, 8).SetState(CPlayBlock::kStateGone);
    EXPECT_EQ(CPlayBlock::kStateGone, block.GetState());
    Fresh(block, 8);
    EXPECT_EQ(CPlayBlock::kStateOnBoard, block.GetState()) << "Init puts a reused slot back on the board";
}

TEST(PlayBlockRemoval, CubeOnTheBoardNeverStartsAFade)
{
    CPlayBlock block;
    Fresh(block, 8);
    for (int i = 0; i < 10; ++i)
        block.Update(16.0f);
    EXPECT_EQ(CPlayBlock::kStateOnBoard, block.GetState());
    EXPECT_EQ(0, block.GetStateChangeTimeLeft());
}

TEST(PlayBlockRemoval, FiredBombWaitsForItsLastParticle)
{
    CPlayBlock bomb;
    Fresh(bomb, CPlayBlock::kTypeBomb).Fire();
    EXPECT_TRUE(bomb.IsUsed());
    EXPECT_TRUE(bomb.IsEffectRunning());
    bomb.SetState(CPlayBlock::kStateRemoving);
    EXPECT_EQ(700, bomb.GetStateChangeMaxTime());
    const int ms = MsUntilGone(bomb, 20.0f, 5000);
    EXPECT_EQ(CPlayBlock::kStateGone, bomb.GetState());
    EXPECT_GT(ms, 700) << "hidden after 700 ms, gone only when the blast has died";
    EXPECT_FALSE(bomb.IsEffectRunning());
}

TEST(PlayBlockRemoval, SmasherDebrisStopsWithItsRemoval)
{
    CPlayBlock smasher;
    Fresh(smasher, CPlayBlock::kTypeSmasher);
    smasher.m_vVelocity = {80.0f, 0.0f, 0.0f};
    smasher.Fire();
    for (int i = 0; i < 50; ++i)
        smasher.Update(20.0f);
    EXPECT_TRUE(smasher.IsEffectRunning()) << "a moving smasher keeps throwing debris";
    smasher.SetState(CPlayBlock::kStateRemoving);
    EXPECT_EQ(300, smasher.GetStateChangeMaxTime());
    MsUntilGone(smasher, 20.0f, 5000);
    EXPECT_EQ(CPlayBlock::kStateGone, smasher.GetState());
    EXPECT_FALSE(smasher.IsEffectRunning());
}

TEST(PlayBlockRemoval, SavedFadeResumesWhereItStopped)
{
    const char* doc = "<PlayBlock_0><BlockType>8</BlockType><StateChangeMaxTime>300</StateChangeMaxTime>"
                      "<StateChangeTimeLeft>150</StateChangeTimeLeft><CurState>1</CurState>"
                      "<RunEffect>true</RunEffect></PlayBlock_0>";
    CPlayBlock block;
    block.ReadXml(nullptr, doc, 0);
    EXPECT_EQ(CPlayBlock::kStateRemoving, block.GetState());
    block.Update(140.0f);
    EXPECT_EQ(CPlayBlock::kStateRemoving, block.GetState());
    block.Update(10.0f);
    EXPECT_EQ(CPlayBlock::kStateGone, block.GetState()) << "150 ms of fade left, effect long over";
}

TEST(PlayBlockColourCycle, ChangesEveryTwoSecondsAndKeepsTheVariant)
{
    CPlayBlock block;
    const char* doc = "<PlayBlock_0><BlockType>10</BlockType><ColorCycle>true</ColorCycle>"
                      "<ColorOffset>3</ColorOffset></PlayBlock_0>";
    block.ReadXml(nullptr, doc, 0);
    block.UpdateColourCycle(0);
    EXPECT_EQ(3, block.GetColour());
    block.UpdateColourCycle(1999);
    EXPECT_EQ(3, block.GetColour());
    block.UpdateColourCycle(2000);
    EXPECT_EQ(4, block.GetColour());
    EXPECT_EQ(2, block.GetMultiplier());
    block.UpdateColourCycle(7 * 2000);
    EXPECT_EQ(0, block.GetColour()) << "(7 + 3) mod 10";
    EXPECT_EQ(10, block.GetType());
}

TEST(PlayBlockColourCycle, LiftersAndSpecialsIgnoreTheFlag)
{
    CPlayBlock block;
    Fresh(block, 52, true);
    block.UpdateColourCycle(2000 * 5 + 1);
    EXPECT_EQ(52, block.GetType());
    Fresh(block, 60, true);
    block.UpdateColourCycle(2000 * 5 + 1);
    EXPECT_EQ(60, block.GetType());
}

TEST(PlayBlockColourCycle, DamagedOffsetStaysAColour)
{
    CPlayBlock block;
    const char* doc = "<PlayBlock_0><BlockType>4</BlockType><ColorCycle>true</ColorCycle>"
                      "<ColorOffset>-13</ColorOffset><CurState>9</CurState></PlayBlock_0>";
    block.ReadXml(nullptr, doc, 0);
    EXPECT_EQ(7, block.GetColourOffset());
    EXPECT_EQ(CPlayBlock::kStateOnBoard, block.GetState());
    block.UpdateColourCycle(0);
    EXPECT_EQ(7, block.GetColour());
}

TEST(PlayBlockLifter, ReturnsToItsPlainCubeAfterTheMorph)
{
    CPlayBlock lifter;
    Fresh(lifter, 57);
    lifter.Update(16.0f);
    EXPECT_EQ(57, lifter.GetType()) << "an unfired lifter stays a lifter";
    lifter.StartLifterMorph();
    EXPECT_TRUE(lifter.IsUsed());
    lifter.Update(16.0f);
    EXPECT_EQ(57, lifter.GetType()) << "still a lifter while it slides under the lifted column";
    for (int i = 0; i < 40; ++i)
        lifter.Update(16.0f);
    EXPECT_EQ(7, lifter.GetType());
}
