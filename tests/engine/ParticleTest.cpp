// Particle update rules without a window: lifetime, planes, wind drag, emission shapes and the
// recycling of particle records.
#include "engine/XParticleSystem.h"
#include "engine/XRandom.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

// One particle per update from a fixed point, long-lived, with no random spread.
void Steady(XParticleSystem& system, int maximum)
{
    system.m_iMaxParticles = maximum;
    system.m_fLifetime = 1000.0f;
    system.m_fEmissionInterval = 0.5f;
    system.m_vVelocityRange = {0.0f, 0.0f, 0.0f};
    system.m_fStartSizeRange = 0.0f;
    system.m_bWind = false;
}

} // namespace

TEST(Particles, TheConstructorsValuesLetOneParticleLiveForOneMillisecond)
{
    XParticleSystem system;
    system.UpdateParticles(1.5f);
    EXPECT_EQ(1, system.GetLiveCount());
    system.UpdateParticles(0.5f); // age 0.5
    EXPECT_EQ(1, system.GetLiveCount());
    system.UpdateParticles(0.5f); // age 1.0: gone; 1.0 ms since the last emission is not more than 1
    EXPECT_EQ(0, system.GetLiveCount());
}

TEST(Particles, ColourAndSizeReachTheirEndValuesOverTheLifetime)
{
    XParticleSystem system;
    Steady(system, 1);
    system.m_fStartSize = 2.0f;
    system.m_fEndSize = 6.0f;
    system.m_endColor[0] = 0.0f;
    system.m_endColor[3] = 0.5f;
    system.UpdateParticles(1.0f);
    ASSERT_EQ(1, system.GetLiveCount());
    system.UpdateParticles(500.0f);
    const XParticle* p = system.GetLiveList();
    EXPECT_NEAR(4.0f, p->size, 1e-3f);
    EXPECT_NEAR(0.5f, p->color[0], 1e-3f);
    EXPECT_NEAR(0.75f, p->color[3], 1e-3f);
}

TEST(Particles, AKillPlaneRemovesTheParticleAtTheNextUpdate)
{
    XParticleSystem system;
    Steady(system, 1);
    system.m_vVelocityBase = {0.0f, -1.0f, 0.0f};
    system.AddPlane(0.0f, 1.0f, 0.0f, 0.0f, -5.0f, 0.0f, 0.0f, XParticleSystem::kPlaneKill);
    system.UpdateParticles(1.0f);
    system.m_fEmissionInterval = 1e9f; // no replacement after it dies
    ASSERT_EQ(1, system.GetLiveCount());
    system.UpdateParticles(10.0f); // to y = -10, behind the plane
    EXPECT_EQ(1, system.GetLiveCount());
    system.UpdateParticles(1.0f);
    EXPECT_EQ(0, system.GetLiveCount());
}

TEST(Particles, BounceAndStopPlanesKeepTheParticleInFront)
{
    for (int kind : {XParticleSystem::kPlaneBounce, XParticleSystem::kPlaneStop})
    {
        XParticleSystem system;
        Steady(system, 1);
        system.m_vVelocityBase = {0.0f, -1.0f, 0.0f};
        system.AddPlane(0.0f, 1.0f, 0.0f, 0.0f, -5.0f, 0.0f, 0.5f, kind);
        system.UpdateParticles(1.0f);
        system.m_fEmissionInterval = 1e9f;
        system.UpdateParticles(10.0f);
        const XParticle* p = system.GetLiveList();
        ASSERT_NE(nullptr, p);
        EXPECT_FLOAT_EQ(0.0f, p->position.y);
        EXPECT_FLOAT_EQ(kind == XParticleSystem::kPlaneBounce ? 0.5f : 0.0f, p->velocity.y);
    }
}

TEST(Particles, WindDragsVelocityTowardTheWindWithoutOvershooting)
{
    XParticleSystem system;
    Steady(system, 1);
    system.m_vVelocityBase = {8.0f, 0.0f, 0.0f};
    system.m_bWind = true;
    system.UpdateParticles(1.0f);
    system.m_fEmissionInterval = 1e9f;
    system.UpdateParticles(0.5f); // halves the gap to a zero wind
    EXPECT_FLOAT_EQ(4.0f, system.GetLiveList()->velocity.x);
    // A long frame must not swing the velocity past the wind and grow it without bound.
    for (int i = 0; i < 20; ++i)
        system.UpdateParticles(16.0f);
    EXPECT_FLOAT_EQ(0.0f, system.GetLiveList()->velocity.x);

    XParticleSystem windy;
    Steady(windy, 1);
    windy.m_bWind = true;
    windy.m_vWind = {0.0f, 0.0f, 0.25f};
    windy.UpdateParticles(1.0f);
    windy.UpdateParticles(40.0f);
    EXPECT_FLOAT_EQ(0.25f, windy.GetLiveList()->velocity.z);
}

TEST(Particles, AnXOnlyShapeEmitsOnTheXAxisBetweenTheRadiiOnEitherSide)
{
    XRandom::Effects().Seed(3);
    XParticleSystem system;
    Steady(system, 400);
    system.m_iParticlesPerEmission = 400;
    system.m_vPositionBase = {100.0f, 50.0f, -20.0f};
    system.m_vShapeMin.x = 2.0f;
    system.m_vShapeMax.x = 4.0f;
    system.UpdateParticles(1.0f);
    ASSERT_EQ(400, system.GetLiveCount());
    int left = 0, right = 0;
    for (const XParticle* p = system.GetLiveList(); p; p = p->next)
    {
        EXPECT_FLOAT_EQ(50.0f, p->position.y);
        EXPECT_FLOAT_EQ(-20.0f, p->position.z);
        const float offset = std::fabs(p->position.x - 100.0f);
        EXPECT_GE(offset, 2.0f);
        EXPECT_LE(offset, 4.0f);
        (p->position.x < 100.0f ? left : right)++;
    }
    EXPECT_GT(left, 100);
    EXPECT_GT(right, 100);

    // A forced positive side mirrors every offset onto it.
    XParticleSystem oneSided;
    Steady(oneSided, 50);
    oneSided.m_iParticlesPerEmission = 50;
    oneSided.m_vShapeMin.x = 2.0f;
    oneSided.m_vShapeMax.x = 4.0f;
    oneSided.m_vShapeSign.x = 1.0f;
    oneSided.UpdateParticles(1.0f);
    for (const XParticle* p = oneSided.GetLiveList(); p; p = p->next)
        EXPECT_GT(p->position.x, 0.0f);
}

TEST(Particles, CircleAndShellShapesStayWithinTheirRadii)
{
    XRandom::Effects().Seed(5);
    XParticleSystem circle;
    Steady(circle, 200);
    circle.m_iParticlesPerEmission = 200;
    circle.m_vShapeMin = {3.0f, -1.0f, 3.0f};
    circle.m_vShapeMax = {3.0f, -1.0f, 3.0f};
    circle.UpdateParticles(1.0f);
    for (const XParticle* p = circle.GetLiveList(); p; p = p->next)
    {
        EXPECT_FLOAT_EQ(0.0f, p->position.y);
        EXPECT_NEAR(3.0f, std::hypot(p->position.x, p->position.z), 1e-4f);
    }

    XParticleSystem shell;
    Steady(shell, 200);
    shell.m_iParticlesPerEmission = 200;
    shell.m_vShapeMin = {5.0f, 5.0f, 5.0f};
    shell.m_vShapeMax = {5.0f, 5.0f, 5.0f};
    shell.UpdateParticles(1.0f);
    for (const XParticle* p = shell.GetLiveList(); p; p = p->next)
        EXPECT_NEAR(5.0f, plk::gfx::Length(p->position), 1e-3f);

    XParticleSystem box;
    Steady(box, 200);
    box.m_iParticlesPerEmission = 200;
    box.m_vPositionBase = {10.0f, 0.0f, 0.0f};
    box.m_vPositionRange = {1.0f, 2.0f, 0.0f};
    box.UpdateParticles(1.0f);
    for (const XParticle* p = box.GetLiveList(); p; p = p->next)
    {
        EXPECT_LE(std::fabs(p->position.x - 10.0f), 1.0f);
        EXPECT_LE(std::fabs(p->position.y), 2.0f);
    }
}

TEST(Particles, RecordsAreRecycledAndNeverLostAtTheLimit)
{
    XParticleSystem system;
    Steady(system, 5);
    system.m_fLifetime = 10.0f;
    system.m_iParticlesPerEmission = 3;
    for (int i = 0; i < 200; ++i)
        system.UpdateParticles(1.0f);
    EXPECT_LE(system.GetLiveCount(), 5);
    EXPECT_EQ(5, system.GetAllocatedCount());
    system.KillAll();
    EXPECT_EQ(0, system.GetLiveCount());
    // Every record went back to the free list: refilling needs no new one.
    for (int i = 0; i < 3; ++i)
        system.UpdateParticles(1.0f);
    EXPECT_EQ(5, system.GetLiveCount());
    EXPECT_EQ(5, system.GetAllocatedCount());
}
