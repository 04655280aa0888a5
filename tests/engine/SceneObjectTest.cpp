// Scene objects without a window: bounds and radius as the game computes them, the random
// animation start, frame animation stepping, the effect flag, and the generated box.
#include "engine/XBasicMesh.h"
#include "engine/XDXBoxObject.h"
#include "engine/XDXMeshObject.h"
#include "engine/XGameEngine.h"
#include "engine/XMeshAnimation.h"
#include "engine/XRandom.h"
#include "tests/engine/EngineTempFolder.h"
#include "tests/engine/XFileWriter.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

class SceneObjectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_engine.SetPath(m_folder.GamePath().c_str());
        // A square spanning -5..5 on x and y, flat on z.
        m_folder.Write("Square.x", SquareMesh(5.0f, 4, {{1, 1, 1, 1, ""}}));
        for (int i = 0; i < 4; ++i)
            m_folder.Write("Anim" + std::to_string(i) + ".x", SquareMesh(1.0f + i, 4, {{1, 1, 1, 1, ""}}));
        ASSERT_TRUE(m_square.Load((m_folder.GamePath() + "Square.x").c_str(), nullptr, false, false));
        ASSERT_TRUE(m_animated.LoadWithMultipleMeshAnimation((m_folder.GamePath() + "Anim").c_str(), -1, false,
                                                             false));
    }

    XGameEngine m_engine;
    EngineTempFolder m_folder;
    XBasicMesh m_square;
    XBasicMesh m_animated;
};

} // namespace

TEST_F(SceneObjectTest, BoundsAddThePositionBeforeTheScale)
{
    XDXMeshObject object;
    object.Init(false, 3);
    object.SetMesh(&m_square);
    object.SetScale(2.0f, 2.0f, 2.0f);
    object.SetPosition(10.0f, 0.0f, 0.0f);
    plk::gfx::Vector3 min, max;
    object.GetBounds(min, max);
    EXPECT_FLOAT_EQ(10.0f, min.x);
    EXPECT_FLOAT_EQ(30.0f, max.x);
    EXPECT_FLOAT_EQ(-10.0f, min.y);
    EXPECT_FLOAT_EQ(10.0f, max.y);
    float minZ = 1.0f, maxY = 0.0f;
    object.GetBoundsXYZ(nullptr, nullptr, nullptr, &maxY, &minZ, nullptr);
    EXPECT_FLOAT_EQ(10.0f, maxY);
    EXPECT_FLOAT_EQ(0.0f, minZ);

    float radius = 0.0f;
    ASSERT_TRUE(m_square.GetBoundingSphere(0, nullptr, &radius));
    object.SetScale(1.0f, 2.0f, 3.0f);
    EXPECT_NEAR(radius * 2.0f, object.GetRadius(), 1e-4f);

    XDXMeshObject empty;
    empty.Init(false, 0);
    empty.SetPosition(1.0f, 2.0f, 3.0f);
    empty.GetBounds(min, max);
    EXPECT_FLOAT_EQ(2.0f, min.y);
    EXPECT_FLOAT_EQ(2.0f, max.y);
    EXPECT_FLOAT_EQ(0.0f, empty.GetRadius());
}

TEST_F(SceneObjectTest, ABoxReportsHalfItsSizeAroundItsPosition)
{
    XDXBoxObject box;
    box.Init(false, 0);
    ASSERT_TRUE(box.Build(10.0f, 20.0f, 30.0f, nullptr, 20.0f));
    plk::gfx::Vector3 min, max;
    box.GetBounds(min, max);
    EXPECT_FLOAT_EQ(-5.0f, min.x);
    EXPECT_FLOAT_EQ(-10.0f, min.y);
    EXPECT_FLOAT_EQ(-15.0f, min.z);
    EXPECT_FLOAT_EQ(15.0f, max.z);
    box.SetPosition(100.0f, 0.0f, 0.0f);
    box.SetScale(3.0f, 3.0f, 3.0f);
    box.GetBounds(min, max);
    EXPECT_FLOAT_EQ(95.0f, min.x);
    EXPECT_FLOAT_EQ(105.0f, max.x);
}

TEST_F(SceneObjectTest, TheBoxRepeatsItsTextureEveryTwentyUnitsAndFacesOutward)
{
    XDXBoxObject box;
    ASSERT_TRUE(box.Build(40.0f, 10.0f, 60.0f, nullptr, 20.0f));
    const gfx::MeshData& d = box.GetBoxData();
    ASSERT_EQ(36u, d.indices.size());
    float maxU[3] = {0, 0, 0};
    for (size_t i = 0; i < d.indices.size(); i += 3)
    {
        const auto& a = d.positions[d.indices[i]];
        const auto& b = d.positions[d.indices[i + 1]];
        const auto& c = d.positions[d.indices[i + 2]];
        const auto& n = d.normals[d.indices[i]];
        const plk::gfx::Vector3 e1{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const plk::gfx::Vector3 e2{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        // Clockwise seen from outside: the cross product points out, along the face normal.
        EXPECT_GT(plk::gfx::Dot(plk::gfx::Cross(e1, e2), {n[0], n[1], n[2]}), 0.0f) << "triangle " << i / 3;
        // The centroid lies on the face's outer side.
        const float centre = (a[0] + b[0] + c[0]) * n[0] + (a[1] + b[1] + c[1]) * n[1] + (a[2] + b[2] + c[2]) * n[2];
        EXPECT_GT(centre, 0.0f);
    }
    for (size_t v = 0; v < d.positions.size(); ++v)
    {
        const auto& n = d.normals[v];
        const int axis = n[0] != 0.0f ? 0 : (n[1] != 0.0f ? 1 : 2);
        maxU[axis] = std::max(maxU[axis], d.texCoords[v][0]);
    }
    EXPECT_FLOAT_EQ(2.0f, maxU[2]); // front and back: 40 units across
    EXPECT_FLOAT_EQ(3.0f, maxU[0]); // sides: 60 units deep
}

TEST_F(SceneObjectTest, ObjectsInitialisedTogetherStartTheirAnimationsApart)
{
    XRandom::Effects().Seed(7);
    std::set<float> starts;
    for (int i = 0; i < 20; ++i)
    {
        XDXMeshObject object;
        object.Init(false, 2);
        EXPECT_GE(object.GetAnimationClock(), 0.0f);
        EXPECT_LT(object.GetAnimationClock(), 600.0f);
        starts.insert(object.GetAnimationClock());
    }
    EXPECT_GT(starts.size(), 15u);
}

TEST_F(SceneObjectTest, UpdateStepsTheFramesOfAnAnimatedMeshUnlessTheEffectFlagIsSet)
{
    XDXMeshObject object;
    object.Init(false, 2);
    object.SetMesh(&m_animated);
    object.GetAnimation().SetRate(10.0f);
    object.GetAnimation().PlayForward(0, false);
    const float clock = object.GetAnimationClock();
    object.Update(250.0f); // 2.5 frames
    EXPECT_FLOAT_EQ(clock + 250.0f, object.GetAnimationClock());
    float maxX = 0.0f;
    object.GetBoundsXYZ(nullptr, &maxX, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FLOAT_EQ(3.0f, maxX); // frame 2's bounds
    object.Update(1000.0f);
    EXPECT_FALSE(object.GetAnimation().IsPlaying());
    EXPECT_EQ(3, object.GetAnimation().GetFrame(m_animated.GetFrameCount()));

    XDXMeshObject effect;
    effect.Init(true, 2);
    effect.SetMesh(&m_animated);
    effect.GetAnimation().SetRate(10.0f);
    effect.GetAnimation().PlayForward(0, true);
    effect.Update(250.0f);
    EXPECT_FLOAT_EQ(0.0f, effect.GetAnimation().GetPosition());
}

TEST(MeshAnimation, PlaysForwardBackwardLoopsAndHolds)
{
    XMeshAnimation animation;
    animation.SetRate(34.0f);
    animation.Hold(9);
    animation.Step(1000.0f, 10);
    EXPECT_EQ(9, animation.GetFrame(10));

    // A lifter plays back from its last frame and stops on the first.
    animation.PlayBackward(9, false);
    animation.Step(100.0f, 10); // 3.4 frames
    EXPECT_EQ(5, animation.GetFrame(10));
    animation.Step(500.0f, 10);
    EXPECT_FALSE(animation.IsPlaying());
    EXPECT_EQ(0, animation.GetFrame(10));

    animation.PlayForward(8, true);
    animation.Step(100.0f, 10); // 8 + 3.4 wraps to 1.4
    EXPECT_TRUE(animation.IsPlaying());
    EXPECT_EQ(1, animation.GetFrame(10));
    animation.PlayBackward(1, true);
    animation.Step(100.0f, 10); // 1 - 3.4 wraps to 7.6
    EXPECT_EQ(7, animation.GetFrame(10));
    // A frame beyond the mesh shows its last frame.
    animation.Hold(50);
    EXPECT_EQ(9, animation.GetFrame(10));
}
