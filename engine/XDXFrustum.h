// The view frustum as six planes, rebuilt from the device's transforms, to skip what cannot be seen.
#pragma once

#include "foundation/XString.h"
#include "platform/gfx/Math.h"

#include <array>

class XDXFrustum
{
public:
    enum PlaneIndex
    {
        kNear,
        kFar,
        kLeft,
        kRight,
        kTop,
        kBottom,
        kPlaneCount,
    };

    // From the engine device's view and projection; screenDepth != 0 moves the far plane there.
    bool Construct(float screenDepth);
    // The same from given matrices, for callers that hold them.
    void Construct(const plk::gfx::Matrix& view, const plk::gfx::Matrix& projection, float screenDepth);

    // False as soon as a plane has the sphere wholly outside.
    bool CheckSphere(float x, float y, float z, float radius) const;
    // False when some plane has all eight corners outside.
    bool CheckBox(float centerX, float centerY, float centerZ, float halfX, float halfY, float halfZ) const;

    const plk::gfx::Plane& GetPlane(PlaneIndex index) const { return m_planes[index]; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    std::array<plk::gfx::Plane, kPlaneCount> m_planes{};
    XString m_strErrorMsg;
};
