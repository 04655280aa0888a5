// The camera: a position and three angles that make the view matrix, and the frustum that follows it.
#pragma once

#include "engine/XDXFrustum.h"
#include "foundation/XString.h"
#include "platform/gfx/Math.h"

class XDXCamera
{
public:
    XDXCamera();

    void SetPosition(float x, float y, float z);
    // Angles about X, Y and Z in radians.
    void SetAngles(float angleX, float angleY, float angleZ);
    // Stands at eye and turns towards target, without roll.
    void LookAt(const plk::gfx::Vector3& eye, const plk::gfx::Vector3& target);
    // Recomputes the view from position and angles and rebuilds the frustum from the device's
    // current view and projection: drawn before the new view is set, the frustum lags one frame.
    const plk::gfx::Matrix& GetViewMatrix();

    float GetX() const { return m_fX; }
    float GetY() const { return m_fY; }
    float GetZ() const { return m_fZ; }
    float GetAngleX() const { return m_fAngleX; }
    float GetAngleY() const { return m_fAngleY; }
    float GetAngleZ() const { return m_fAngleZ; }
    XDXFrustum& GetFrustum() { return m_frustum; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    void UpdateMatrices();

    float m_fX = 0.0f, m_fY = 0.0f, m_fZ = 0.0f;
    float m_fAngleX = 0.0f, m_fAngleY = 0.0f, m_fAngleZ = 0.0f;
    plk::gfx::Matrix m_matView;
    plk::gfx::Matrix m_matTranslation;
    plk::gfx::Matrix m_matRotation;
    XDXFrustum m_frustum;
    XString m_strErrorMsg;
};
