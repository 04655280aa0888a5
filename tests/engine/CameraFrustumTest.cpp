// The camera's angles and view, and the frustum planes built from view and projection.
#include "engine/XDXCamera.h"
#include "engine/XDXFrustum.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plk::gfx;

namespace
{

const float kTolerance = 1e-4f;

} // namespace

TEST(Camera, LookAtTurnsTheViewOntoTheTarget)
{
    XDXCamera camera;
    camera.LookAt({0, 50, -100}, {0, 0, 0});
    EXPECT_NEAR(0.0f, camera.GetAngleY(), kTolerance);
    EXPECT_NEAR(std::atan2(50.0f, 100.0f), camera.GetAngleX(), kTolerance); // looking down
    const Matrix& view = camera.GetViewMatrix();
    const Vector3 target = TransformCoord({0, 0, 0}, view);
    EXPECT_NEAR(0.0f, target.x, kTolerance);
    EXPECT_NEAR(0.0f, target.y, kTolerance);
    EXPECT_NEAR(std::sqrt(50.0f * 50.0f + 100.0f * 100.0f), target.z, 1e-3f);

    camera.LookAt({10, 0, 0}, {30, 0, 0});
    EXPECT_NEAR(kPi / 2, camera.GetAngleY(), kTolerance);
    const Vector3 ahead = TransformCoord({30, 0, 0}, camera.GetViewMatrix());
    EXPECT_NEAR(20.0f, ahead.z, kTolerance);
    EXPECT_NEAR(0.0f, ahead.x, kTolerance);
}

TEST(Camera, ViewIsTranslationThenInverseRotation)
{
    XDXCamera camera;
    camera.SetPosition(1, 2, 3);
    camera.SetAngles(0.2f, 0.5f, 0.1f);
    const Matrix expected = MatrixTranslation(-1, -2, -3) * MatrixRotationZ(-0.1f) * MatrixRotationY(-0.5f) *
                            MatrixRotationX(-0.2f);
    const Matrix& view = camera.GetViewMatrix();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(expected.m[r][c], view.m[r][c], kTolerance);
    // No engine: the view is still made, the frustum reports why it could not follow.
    EXPECT_STREQ("Error: in XDXFrustum::Construct, the engine or device is NULL.", camera.GetErrorMsg().GetBuffer());
}

TEST(Frustum, PlanesEncloseWhatTheCameraSees)
{
    XDXFrustum frustum;
    // Camera at the origin looking along +z, 90 degrees each way, depth 1 to 100.
    frustum.Construct(MatrixIdentity(), MatrixPerspectiveFovLH(kPi / 2, 1.0f, 1.0f, 100.0f), 0.0f);
    EXPECT_TRUE(frustum.CheckSphere(0, 0, 50, 1));
    EXPECT_FALSE(frustum.CheckSphere(0, 0, 150, 1));  // beyond the far plane
    EXPECT_FALSE(frustum.CheckSphere(-80, 0, 50, 1)); // far to the left
    EXPECT_FALSE(frustum.CheckSphere(0, 80, 50, 1));  // above
    EXPECT_FALSE(frustum.CheckSphere(0, 0, -10, 1));  // behind
    // The left plane passes through x = -z: a sphere outside it by less than its radius counts.
    EXPECT_TRUE(frustum.CheckSphere(-52, 0, 50, 2));
    EXPECT_FALSE(frustum.CheckSphere(-56, 0, 50, 2));
    // Each normalised plane faces inwards.
    EXPECT_NEAR(1.0f, std::sqrt(frustum.GetPlane(XDXFrustum::kLeft).a * frustum.GetPlane(XDXFrustum::kLeft).a +
                                frustum.GetPlane(XDXFrustum::kLeft).c * frustum.GetPlane(XDXFrustum::kLeft).c),
                kTolerance);
    EXPECT_GT(frustum.GetPlane(XDXFrustum::kLeft).a, 0.0f);
    EXPECT_LT(frustum.GetPlane(XDXFrustum::kFar).c, 0.0f);

    EXPECT_TRUE(frustum.CheckBox(-60, 0, 50, 15, 1, 1)); // straddles the left plane
    EXPECT_FALSE(frustum.CheckBox(-80, 0, 50, 5, 5, 5));
}

TEST(Frustum, ScreenDepthMovesTheFarPlane)
{
    XDXFrustum frustum;
    frustum.Construct(MatrixIdentity(), MatrixPerspectiveFovLH(kPi / 2, 1.0f, 1.0f, 1000.0f), 20.0f);
    EXPECT_TRUE(frustum.CheckSphere(0, 0, 19, 0.5f));
    EXPECT_FALSE(frustum.CheckSphere(0, 0, 25, 0.5f));
}
