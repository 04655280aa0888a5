// View matrix from position and angles: translation to the origin, then the inverse rotation.
#include "engine/XDXCamera.h"

#include <cmath>

using namespace plk::gfx;

XDXCamera::XDXCamera()
{
    UpdateMatrices();
}

void XDXCamera::SetPosition(float x, float y, float z)
{
    m_fX = x;
    m_fY = y;
    m_fZ = z;
    UpdateMatrices();
}

void XDXCamera::SetAngles(float angleX, float angleY, float angleZ)
{
    m_fAngleX = angleX;
    m_fAngleY = angleY;
    m_fAngleZ = angleZ;
    UpdateMatrices();
}

void XDXCamera::LookAt(const Vector3& eye, const Vector3& target)
{
    const Vector3 d = target - eye;
    m_fX = eye.x;
    m_fY = eye.y;
    m_fZ = eye.z;
    m_fAngleY = std::atan2(d.x, d.z);
    m_fAngleX = std::atan2(-d.y, std::sqrt(d.x * d.x + d.z * d.z));
    m_fAngleZ = 0.0f;
    UpdateMatrices();
}

const Matrix& XDXCamera::GetViewMatrix()
{
    UpdateMatrices();
    m_strErrorMsg = "";
    // Without a device (tools, tests) there is no frustum to follow: the view is still valid.
    if (!m_frustum.Construct(0.0f))
        m_strErrorMsg = m_frustum.GetErrorMsg();
    return m_matView;
}

void XDXCamera::UpdateMatrices()
{
    m_matTranslation = MatrixTranslation(-m_fX, -m_fY, -m_fZ);
    m_matRotation = MatrixRotationZ(-m_fAngleZ) * MatrixRotationY(-m_fAngleY) * MatrixRotationX(-m_fAngleX);
    m_matView = m_matTranslation * m_matRotation;
}
