// Walls, teleporters and scenery: resizing on the cell grid, the teleporter's cell, texture and
// mesh names, and their document elements.
#include "foundation/XString.h"
#include "game/CFieldObject.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"

#include <gtest/gtest.h>

TEST(WallResize, GrowingAndShrinkingStaysOnTheCellGrid)
{
    CWallBlock wall;
    wall.Init(nullptr, 0);
    wall.Resize(20.0f, 0.0f, 0.0f);
    wall.SetPosition(-15.0f, 25.0f, 0.0f);
    ASSERT_FLOAT_EQ(30.0f, wall.GetWidth());

    wall.Resize(10.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(40.0f, wall.GetWidth());
    EXPECT_FLOAT_EQ(-20.0f, wall.GetPosition().x);
    wall.Resize(-10.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(30.0f, wall.GetWidth());
    EXPECT_FLOAT_EQ(-15.0f, wall.GetPosition().x);

    wall.Resize(0.0f, 0.0f, 10.0f);
    EXPECT_FLOAT_EQ(20.0f, wall.GetDepth());
    EXPECT_FLOAT_EQ(-5.0f, wall.GetPosition().z);

    wall.Resize(0.0f, 10.0f, 0.0f);
    EXPECT_FLOAT_EQ(20.0f, wall.GetHeight());
    EXPECT_FLOAT_EQ(30.0f, wall.GetPosition().y) << "the centre follows the top";

    // The box the board sees follows the new size.
    plk::gfx::Vector3 min, max;
    wall.GetBounds(min, max);
    EXPECT_FLOAT_EQ(-30.0f, min.x);
    EXPECT_FLOAT_EQ(0.0f, max.x);
    EXPECT_FLOAT_EQ(20.0f, min.y);
}

TEST(WallResize, NothingBelowOneCell)
{
    CWallBlock wall;
    wall.Init(nullptr, 0);
    wall.SetPosition(5.0f, 25.0f, 5.0f);
    wall.Resize(-10.0f, -10.0f, -10.0f);
    EXPECT_FLOAT_EQ(10.0f, wall.GetWidth());
    EXPECT_FLOAT_EQ(10.0f, wall.GetHeight());
    EXPECT_FLOAT_EQ(10.0f, wall.GetDepth());
    EXPECT_FLOAT_EQ(5.0f, wall.GetPosition().x);
    EXPECT_FLOAT_EQ(25.0f, wall.GetPosition().y);
}

TEST(WallDocument, ThinWallsReadAsOneCellAndTypesNameTheirTexture)
{
    EXPECT_STREQ("Wall07.png", CWallBlock::TextureNameOfType(6).GetBuffer());

    CWallBlock wall;
    wall.ReadXml(nullptr,
                 "<WallBlock_3><WallType>6</WallType><Width>0</Width><Height>-20</Height><Depth>50</Depth>"
                 "<AlphaBlend>true</AlphaBlend><XPos>5</XPos></WallBlock_3>",
                 3);
    EXPECT_EQ(6, wall.GetWallType());
    EXPECT_FLOAT_EQ(10.0f, wall.GetWidth());
    EXPECT_FLOAT_EQ(10.0f, wall.GetHeight());
    EXPECT_FLOAT_EQ(50.0f, wall.GetDepth());
    EXPECT_TRUE(wall.IsAlphaBlend());
    EXPECT_FLOAT_EQ(5.0f, wall.GetPosition().x);
    EXPECT_EQ(CWallBlock::kKind, wall.GetKind());
}

TEST(Teleporter, FillsExactlyItsCell)
{
    CTeleporter teleporter;
    teleporter.Init(nullptr);
    teleporter.SetPosition(15.0f, 25.0f, -35.0f);
    plk::gfx::Vector3 min, max;
    teleporter.GetBounds(min, max);
    EXPECT_FLOAT_EQ(10.0f, min.x);
    EXPECT_FLOAT_EQ(20.0f, max.x);
    EXPECT_FLOAT_EQ(20.0f, min.y);
    EXPECT_FLOAT_EQ(-30.0f, max.z);
    EXPECT_FLOAT_EQ(5.0f, teleporter.GetRadius());
    EXPECT_EQ(CTeleporter::kKind, teleporter.GetKind());
}

TEST(Teleporter, WarpEffectEndsWithItsLastParticle)
{
    CTeleporter teleporter;
    teleporter.Init(nullptr);
    teleporter.StartWarpEffect();
    EXPECT_TRUE(teleporter.IsWarpRunning());
    for (int i = 0; i < 100 && teleporter.IsWarpRunning(); ++i)
        teleporter.Update(20.0f);
    EXPECT_FALSE(teleporter.IsWarpRunning());
    EXPECT_GT(teleporter.GetRotation().y, 0.0f) << "it turns slowly while idle";
}

TEST(FieldObject, UnknownTypeShowsNothing)
{
    CFieldObject object;
    object.ReadXml(nullptr, "<FieldObject_0><ObjType>99</ObjType><YScale>3</YScale></FieldObject_0>", 0);
    EXPECT_EQ(99, object.GetObjType());
    EXPECT_EQ(nullptr, object.GetMesh()) << "an unknown type shows nothing";
    EXPECT_FLOAT_EQ(3.0f, object.GetScale().y);
    EXPECT_EQ(CFieldObject::kKind, object.GetKind());
}
