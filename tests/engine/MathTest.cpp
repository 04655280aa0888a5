// Row-vector matrices, inverses and planes against values worked out by hand.
#include "platform/gfx/Math.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plk::gfx;

namespace
{

const float kTolerance = 1e-5f;

void ExpectVector(const Vector3& expected, const Vector3& actual, float tolerance = kTolerance)
{
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}

void ExpectMatrix(const Matrix& expected, const Matrix& actual, float tolerance = kTolerance)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(expected.m[r][c], actual.m[r][c], tolerance) << "row " << r << " column " << c;
}

} // namespace

TEST(Math, ProjectionsMatchHandComputedEntries)
{
    // fov 90 degrees: cot(45) = 1; depth scale 101 / (101 - 1) = 1.01, offset -1 * 1.01.
    const Matrix p = MatrixPerspectiveFovLH(kPi / 2, 0.5f, 1.0f, 101.0f);
    EXPECT_NEAR(2.0f, p.m[0][0], kTolerance); // x scale = y scale / aspect
    EXPECT_NEAR(1.0f, p.m[1][1], kTolerance);
    EXPECT_NEAR(1.01f, p.m[2][2], kTolerance);
    EXPECT_NEAR(1.0f, p.m[2][3], kTolerance);
    EXPECT_NEAR(-1.01f, p.m[3][2], kTolerance);
    EXPECT_NEAR(0.0f, p.m[3][3], kTolerance);
    // The near plane lands on depth 0 and the far plane on 1.
    const Vector4 nearPoint = Transform({0, 0, 1, 1}, p);
    const Vector4 farPoint = Transform({0, 0, 101, 1}, p);
    EXPECT_NEAR(0.0f, nearPoint.z / nearPoint.w, kTolerance);
    EXPECT_NEAR(1.0f, farPoint.z / farPoint.w, kTolerance);

    const Matrix o = MatrixOrthoLH(4.0f, 2.0f, -10.0f, 10.0f);
    EXPECT_NEAR(0.5f, o.m[0][0], kTolerance);
    EXPECT_NEAR(1.0f, o.m[1][1], kTolerance);
    EXPECT_NEAR(0.05f, o.m[2][2], kTolerance);
    EXPECT_NEAR(0.5f, o.m[3][2], kTolerance);
    ExpectVector({1.0f, -1.0f, 1.0f}, TransformCoord({2.0f, -1.0f, 10.0f}, o));

    const Matrix c = MatrixOrthoOffCenterLH(0.0f, 1024.0f, 768.0f, 0.0f, 0.0f, 1.0f);
    ExpectVector({-1.0f, 1.0f, 0.0f}, TransformCoord({0.0f, 0.0f, 0.0f}, c));
    ExpectVector({1.0f, -1.0f, 1.0f}, TransformCoord({1024.0f, 768.0f, 1.0f}, c));
}

TEST(Math, RotationsTurnClockwiseLookingDownTheAxis)
{
    ExpectVector({0, 0, -1}, TransformCoord({1, 0, 0}, MatrixRotationY(kPi / 2)));
    ExpectVector({1, 0, 0}, TransformCoord({0, 0, 1}, MatrixRotationY(kPi / 2)));
    ExpectVector({0, 0, 1}, TransformCoord({0, 1, 0}, MatrixRotationX(kPi / 2)));
    ExpectVector({0, 1, 0}, TransformCoord({1, 0, 0}, MatrixRotationZ(kPi / 2)));
    // Roll first, then pitch, then yaw.
    ExpectMatrix(MatrixRotationZ(0.3f) * MatrixRotationX(0.2f) * MatrixRotationY(0.1f),
                 MatrixRotationYawPitchRoll(0.1f, 0.2f, 0.3f));
}

TEST(Math, RowVectorsApplyTheLeftMatrixFirst)
{
    const Matrix scaleThenMove = MatrixScaling(2, 3, 4) * MatrixTranslation(10, 20, 30);
    ExpectVector({12, 23, 34}, TransformCoord({1, 1, 1}, scaleThenMove));
    const Matrix moveThenScale = MatrixTranslation(10, 20, 30) * MatrixScaling(2, 3, 4);
    ExpectVector({22, 63, 124}, TransformCoord({1, 1, 1}, moveThenScale));
    // Directions ignore the translation row.
    ExpectVector({2, 3, 4}, TransformNormal({1, 1, 1}, scaleThenMove));
    // The sprite placement: scale about the origin, then move to the corner.
    const Matrix sprite = MatrixTransformation2D({0, 0}, {2, 3}, {8, 8}, 0.0f, {10, 20});
    ExpectVector({12, 23, 0}, TransformCoord({1, 1, 0}, sprite));
}

TEST(Math, LookAtPutsTheTargetStraightAhead)
{
    const Matrix view = MatrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0});
    ExpectVector({0, 0, 10}, TransformCoord({0, 0, 0}, view));
    const Matrix side = MatrixLookAtLH({5, 0, 0}, {0, 0, 0}, {0, 1, 0});
    ExpectVector({0, 0, 5}, TransformCoord({0, 0, 0}, side));
    // Looking along -x in a left-handed frame with y up, +z lies to the right.
    EXPECT_GT(TransformCoord({0, 0, 1}, side).x, 0.0f);
}

TEST(Math, InverseUndoesAndRefusesSingularMatrices)
{
    const Matrix m = MatrixRotationYawPitchRoll(0.4f, -0.7f, 1.1f) * MatrixScaling(2, 0.5f, 3) *
                     MatrixTranslation(100, -250, 4000);
    Matrix inverse;
    float determinant = 0.0f;
    ASSERT_TRUE(MatrixInverse(m, inverse, &determinant));
    EXPECT_NEAR(3.0f, determinant, 1e-3f); // rotations keep volume: 2 * 0.5 * 3
    // Float products of a translation of 4000 carry errors near 1e-4.
    const float tolerance = 5e-4f;
    ExpectMatrix(MatrixIdentity(), m * inverse, tolerance);
    ExpectVector({1, 2, 3}, TransformCoord(TransformCoord({1, 2, 3}, m), inverse), tolerance);

    Matrix untouched = MatrixTranslation(7, 7, 7);
    EXPECT_FALSE(MatrixInverse(MatrixScaling(1, 0, 1), untouched, &determinant));
    EXPECT_EQ(0.0f, determinant);
    ExpectMatrix(MatrixTranslation(7, 7, 7), untouched);
}

TEST(Math, PlanesGiveSignedDistancesAndIntersections)
{
    const Plane p = PlaneFromPoints({0, 0, 2}, {1, 0, 2}, {0, 1, 2});
    EXPECT_NEAR(1.0f, p.c, kTolerance); // (1,0,0) x (0,1,0) = +z
    EXPECT_NEAR(-2.0f, p.d, kTolerance);
    EXPECT_NEAR(3.0f, PlaneDotCoord(p, {5, 5, 5}), kTolerance);
    EXPECT_NEAR(-2.0f, PlaneDotCoord(p, {0, 0, 0}), kTolerance);

    const Plane n = PlaneNormalize(Plane{0, 3, 4, 10});
    EXPECT_NEAR(0.6f, n.b, kTolerance);
    EXPECT_NEAR(0.8f, n.c, kTolerance);
    EXPECT_NEAR(2.0f, n.d, kTolerance);

    Vector3 hit;
    ASSERT_TRUE(PlaneIntersectLine(p, {1, 1, 0}, {1, 1, 4}, hit));
    ExpectVector({1, 1, 2}, hit);
    EXPECT_FALSE(PlaneIntersectLine(p, {0, 0, 0}, {1, 0, 0}, hit));
}

TEST(Math, RaysAndSegmentsAgainstABox)
{
    const Vector3 low{-1, -1, -1}, high{1, 1, 1};
    EXPECT_TRUE(RayHitsBox({0, 0, -10}, {0, 0, 1}, low, high));
    EXPECT_FALSE(RayHitsBox({0, 0, -10}, {0, 0, -1}, low, high)) << "the box lies behind the ray";
    EXPECT_FALSE(RayHitsBox({0, 2, -10}, {0, 0, 1}, low, high)) << "parallel to the y slab, outside it";
    EXPECT_TRUE(RayHitsBox({0, 0, 0}, {1, 0, 0}, low, high)) << "starting inside";
    // A segment from the origin to origin + direction stops short of the box or reaches it.
    EXPECT_FALSE(RayHitsBox({0, 0, -10}, {0, 0, 8}, low, high, 1.0f));
    EXPECT_TRUE(RayHitsBox({0, 0, -10}, {0, 0, 9.5f}, low, high, 1.0f));
    EXPECT_TRUE(RayHitsBox({-5, -5, -5}, {10, 10, 10}, low, high, 1.0f)) << "through the corners";
}
