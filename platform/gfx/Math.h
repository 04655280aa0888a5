// Vectors, row-vector matrices and planes as Direct3D writes them: left-handed, v' = v x M,
// world x view x projection. The bytes of a Matrix load unchanged into OpenGL.
#pragma once

namespace plk::gfx
{

const float kPi = 3.14159265358979f;

struct Vector2
{
    float x = 0.0f, y = 0.0f;
};

struct Vector3
{
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct Vector4
{
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
};

// m[row][column]; row 3 holds the translation.
struct Matrix
{
    float m[4][4] = {};

    const float* Data() const { return &m[0][0]; }
    bool operator==(const Matrix&) const = default;
};

// a x + b y + c z + d = 0; (a, b, c) points to the positive side.
struct Plane
{
    float a = 0.0f, b = 0.0f, c = 0.0f, d = 0.0f;
};

Vector3 operator+(const Vector3& a, const Vector3& b);
Vector3 operator-(const Vector3& a, const Vector3& b);
Vector3 operator*(const Vector3& v, float s);
float Dot(const Vector3& a, const Vector3& b);
Vector3 Cross(const Vector3& a, const Vector3& b);
float Length(const Vector3& v);
// A zero vector stays zero.
Vector3 Normalize(const Vector3& v);
// (x, y, z, 1) x m, divided by the resulting w.
Vector3 TransformCoord(const Vector3& v, const Matrix& m);
// (x, y, z, 0) x m: directions and normals, no translation.
Vector3 TransformNormal(const Vector3& v, const Matrix& m);
Vector4 Transform(const Vector4& v, const Matrix& m);

Matrix MatrixIdentity();
Matrix operator*(const Matrix& a, const Matrix& b);
Matrix MatrixTranspose(const Matrix& m);
Matrix MatrixTranslation(float x, float y, float z);
Matrix MatrixScaling(float x, float y, float z);
// Rotations by angle radians, clockwise when looking along the axis towards the origin.
Matrix MatrixRotationX(float angle);
Matrix MatrixRotationY(float angle);
Matrix MatrixRotationZ(float angle);
// Roll about Z, then pitch about X, then yaw about Y.
Matrix MatrixRotationYawPitchRoll(float yaw, float pitch, float roll);
// Depth runs 0 at zn to 1 at zf.
Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zn, float zf);
Matrix MatrixOrthoLH(float width, float height, float zn, float zf);
Matrix MatrixOrthoOffCenterLH(float left, float right, float bottom, float top, float zn, float zf);
Matrix MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up);
// False and out untouched when m is singular; determinant (when given) receives det(m) either way.
bool MatrixInverse(const Matrix& m, Matrix& out, float* determinant = nullptr);
// Scaling about scalingCenter, rotation (radians) about rotationCenter, then translation, in the plane z = 0.
Matrix MatrixTransformation2D(const Vector2& scalingCenter, const Vector2& scaling, const Vector2& rotationCenter,
                              float rotation, const Vector2& translation);

// The plane through three points, normal = normalised (p2 - p1) x (p3 - p1).
Plane PlaneFromPoints(const Vector3& p1, const Vector3& p2, const Vector3& p3);
Plane PlaneFromPointNormal(const Vector3& point, const Vector3& normal);
// Scales the plane so that (a, b, c) has length 1; a degenerate plane stays as it is.
Plane PlaneNormalize(const Plane& p);
// Signed distance of point from a normalised plane.
float PlaneDotCoord(const Plane& p, const Vector3& point);
float PlaneDotNormal(const Plane& p, const Vector3& direction);
// Where the line through v1 and v2 meets the plane; false when it is parallel.
bool PlaneIntersectLine(const Plane& p, const Vector3& v1, const Vector3& v2, Vector3& out);

// Slab test of origin + t * direction, 0 <= t <= maxT, against the axis-aligned box low..high.
bool RayHitsBox(const Vector3& origin, const Vector3& direction, const Vector3& low, const Vector3& high,
                float maxT = 1e30f);

} // namespace plk::gfx
