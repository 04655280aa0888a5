// Row-vector matrix, vector and plane functions in Direct3D's conventions.
#include "platform/gfx/Math.h"

#include <algorithm>
#include <cmath>

namespace plk::gfx
{
namespace
{

// Below this a determinant or a length is taken for zero.
const float kEpsilon = 1e-12f;

} // namespace

Vector3 operator+(const Vector3& a, const Vector3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Vector3 operator-(const Vector3& a, const Vector3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vector3 operator*(const Vector3& v, float s)
{
    return {v.x * s, v.y * s, v.z * s};
}

float Dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 Cross(const Vector3& a, const Vector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Length(const Vector3& v)
{
    return std::sqrt(Dot(v, v));
}

Vector3 Normalize(const Vector3& v)
{
    const float length = Length(v);
    if (length < kEpsilon)
        return {};
    return v * (1.0f / length);
}

Vector4 Transform(const Vector4& v, const Matrix& m)
{
    Vector4 r;
    r.x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + v.w * m.m[3][0];
    r.y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + v.w * m.m[3][1];
    r.z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + v.w * m.m[3][2];
    r.w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + v.w * m.m[3][3];
    return r;
}

Vector3 TransformCoord(const Vector3& v, const Matrix& m)
{
    const Vector4 r = Transform({v.x, v.y, v.z, 1.0f}, m);
    if (std::fabs(r.w) < kEpsilon)
        return {r.x, r.y, r.z};
    return {r.x / r.w, r.y / r.w, r.z / r.w};
}

Vector3 TransformNormal(const Vector3& v, const Matrix& m)
{
    const Vector4 r = Transform({v.x, v.y, v.z, 0.0f}, m);
    return {r.x, r.y, r.z};
}

Matrix MatrixIdentity()
{
    Matrix r;
    for (int i = 0; i < 4; ++i)
        r.m[i][i] = 1.0f;
    return r;
}

Matrix operator*(const Matrix& a, const Matrix& b)
{
    Matrix r;
    for (int i = 0; i < 4; ++i)
    {
        for (int j = 0; j < 4; ++j)
        {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    }
    return r;
}

Matrix MatrixTranspose(const Matrix& m)
{
    Matrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m.m[j][i];
    return r;
}

Matrix MatrixTranslation(float x, float y, float z)
{
    Matrix r = MatrixIdentity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Matrix MatrixScaling(float x, float y, float z)
{
    Matrix r = MatrixIdentity();
    r.m[0][0] = x;
    r.m[1][1] = y;
    r.m[2][2] = z;
    return r;
}

Matrix MatrixRotationX(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r = MatrixIdentity();
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Matrix MatrixRotationY(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r = MatrixIdentity();
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Matrix MatrixRotationZ(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r = MatrixIdentity();
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Matrix MatrixRotationYawPitchRoll(float yaw, float pitch, float roll)
{
    return MatrixRotationZ(roll) * MatrixRotationX(pitch) * MatrixRotationY(yaw);
}

Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zn, float zf)
{
    const float yScale = 1.0f / std::tan(fovY * 0.5f);
    const float xScale = yScale / aspect;
    Matrix r;
    r.m[0][0] = xScale;
    r.m[1][1] = yScale;
    r.m[2][2] = zf / (zf - zn);
    r.m[2][3] = 1.0f;
    r.m[3][2] = -zn * zf / (zf - zn);
    return r;
}

Matrix MatrixOrthoLH(float width, float height, float zn, float zf)
{
    Matrix r = MatrixIdentity();
    r.m[0][0] = 2.0f / width;
    r.m[1][1] = 2.0f / height;
    r.m[2][2] = 1.0f / (zf - zn);
    r.m[3][2] = zn / (zn - zf);
    return r;
}

Matrix MatrixOrthoOffCenterLH(float left, float right, float bottom, float top, float zn, float zf)
{
    Matrix r = MatrixIdentity();
    r.m[0][0] = 2.0f / (right - left);
    r.m[1][1] = 2.0f / (top - bottom);
    r.m[2][2] = 1.0f / (zf - zn);
    r.m[3][0] = (left + right) / (left - right);
    r.m[3][1] = (top + bottom) / (bottom - top);
    r.m[3][2] = zn / (zn - zf);
    return r;
}

Matrix MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up)
{
    const Vector3 zAxis = Normalize(at - eye);
    const Vector3 xAxis = Normalize(Cross(up, zAxis));
    const Vector3 yAxis = Cross(zAxis, xAxis);
    Matrix r = MatrixIdentity();
    r.m[0][0] = xAxis.x;
    r.m[1][0] = xAxis.y;
    r.m[2][0] = xAxis.z;
    r.m[0][1] = yAxis.x;
    r.m[1][1] = yAxis.y;
    r.m[2][1] = yAxis.z;
    r.m[0][2] = zAxis.x;
    r.m[1][2] = zAxis.y;
    r.m[2][2] = zAxis.z;
    r.m[3][0] = -Dot(xAxis, eye);
    r.m[3][1] = -Dot(yAxis, eye);
    r.m[3][2] = -Dot(zAxis, eye);
    return r;
}

bool MatrixInverse(const Matrix& matrix, Matrix& out, float* determinant)
{
    // Cofactor expansion in double precision: view matrices with large translations lose
    // too much in float.
    double a[16];
    for (int i = 0; i < 16; ++i)
        a[i] = matrix.Data()[i];
    double inv[16];
    inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
             a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
    inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] -
             a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
    inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
             a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
    inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] -
              a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
    inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] -
             a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
    inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
             a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
    inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
             a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
    inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
              a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
    inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
             a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
    inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
             a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
    inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
              a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
    inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
              a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
    inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
             a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
    inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
             a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
    inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
              a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
    inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
              a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
    const double det = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
    if (determinant)
        *determinant = static_cast<float>(det);
    if (std::fabs(det) < kEpsilon)
        return false;
    for (int i = 0; i < 16; ++i)
        (&out.m[0][0])[i] = static_cast<float>(inv[i] / det);
    return true;
}

Matrix MatrixTransformation2D(const Vector2& scalingCenter, const Vector2& scaling, const Vector2& rotationCenter,
                              float rotation, const Vector2& translation)
{
    return MatrixTranslation(-scalingCenter.x, -scalingCenter.y, 0.0f) * MatrixScaling(scaling.x, scaling.y, 1.0f) *
           MatrixTranslation(scalingCenter.x - rotationCenter.x, scalingCenter.y - rotationCenter.y, 0.0f) *
           MatrixRotationZ(rotation) * MatrixTranslation(rotationCenter.x, rotationCenter.y, 0.0f) *
           MatrixTranslation(translation.x, translation.y, 0.0f);
}

Plane PlaneFromPointNormal(const Vector3& point, const Vector3& normal)
{
    return {normal.x, normal.y, normal.z, -Dot(point, normal)};
}

Plane PlaneFromPoints(const Vector3& p1, const Vector3& p2, const Vector3& p3)
{
    return PlaneFromPointNormal(p1, Normalize(Cross(p2 - p1, p3 - p1)));
}

Plane PlaneNormalize(const Plane& p)
{
    const float length = std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c);
    if (length < kEpsilon)
        return p;
    const float s = 1.0f / length;
    return {p.a * s, p.b * s, p.c * s, p.d * s};
}

float PlaneDotCoord(const Plane& p, const Vector3& point)
{
    return p.a * point.x + p.b * point.y + p.c * point.z + p.d;
}

float PlaneDotNormal(const Plane& p, const Vector3& direction)
{
    return p.a * direction.x + p.b * direction.y + p.c * direction.z;
}

bool PlaneIntersectLine(const Plane& p, const Vector3& v1, const Vector3& v2, Vector3& out)
{
    const Vector3 direction = v2 - v1;
    const float denominator = PlaneDotNormal(p, direction);
    if (std::fabs(denominator) < kEpsilon)
        return false;
    const float t = -PlaneDotCoord(p, v1) / denominator;
    out = v1 + direction * t;
    return true;
}

bool RayHitsBox(const Vector3& origin, const Vector3& direction, const Vector3& low, const Vector3& high, float maxT)
{
    float enter = 0.0f, leave = maxT;
    const float o[3] = {origin.x, origin.y, origin.z};
    const float d[3] = {direction.x, direction.y, direction.z};
    const float lo[3] = {low.x, low.y, low.z};
    const float hi[3] = {high.x, high.y, high.z};
    for (int a = 0; a < 3; ++a)
    {
        if (d[a] == 0.0f)
        {
            if (o[a] < lo[a] || o[a] > hi[a])
                return false;
            continue;
        }
        float t1 = (lo[a] - o[a]) / d[a], t2 = (hi[a] - o[a]) / d[a];
        if (t1 > t2)
            std::swap(t1, t2);
        enter = std::max(enter, t1);
        leave = std::min(leave, t2);
        if (enter > leave)
            return false;
    }
    return true;
}

} // namespace plk::gfx
