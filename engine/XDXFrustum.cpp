// Frustum planes from view x projection, in Direct3D's row-vector layout.
#include "engine/XDXFrustum.h"

#include "engine/XGameEngine.h"
#include "platform/gfx/Device.h"

using plk::gfx::Matrix;
using plk::gfx::Plane;

bool XDXFrustum::Construct(float screenDepth)
{
    m_strErrorMsg = "";
    XGameEngine* engine = XGameEngine::GetEngine();
    plk::gfx::Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device)
    {
        m_strErrorMsg = "Error: in XDXFrustum::Construct, the engine or device is NULL.";
        return false;
    }
    Construct(device->GetTransform(plk::gfx::kView), device->GetTransform(plk::gfx::kProjection), screenDepth);
    return true;
}

void XDXFrustum::Construct(const Matrix& view, const Matrix& projection, float screenDepth)
{
    Matrix p = projection;
    if (screenDepth != 0.0f)
    {
        const float zMin = -p.m[3][2] / p.m[2][2];
        const float r = screenDepth / (screenDepth - zMin);
        p.m[2][2] = r;
        p.m[3][2] = -r * zMin;
    }
    const Matrix m = view * p;
    // Column j of m as a plane: (m1j, m2j, m3j, m4j).
    const auto column = [&m](int j) { return Plane{m.m[0][j], m.m[1][j], m.m[2][j], m.m[3][j]}; };
    const auto sum = [](const Plane& a, const Plane& b, float sign) {
        return plk::gfx::PlaneNormalize(Plane{a.a + sign * b.a, a.b + sign * b.b, a.c + sign * b.c, a.d + sign * b.d});
    };
    const Plane c1 = column(0), c2 = column(1), c3 = column(2), c4 = column(3);
    // Direct3D's clip depth runs from 0 to w, so the near plane is z >= 0: column 3 alone.
    // (Column 4 + column 3 is OpenGL's -w bound and would sit at about half the near distance.)
    m_planes[kNear] = plk::gfx::PlaneNormalize(c3);
    m_planes[kFar] = sum(c4, c3, -1.0f);
    m_planes[kLeft] = sum(c4, c1, 1.0f);
    m_planes[kRight] = sum(c4, c1, -1.0f);
    m_planes[kTop] = sum(c4, c2, -1.0f);
    m_planes[kBottom] = sum(c4, c2, 1.0f);
}

bool XDXFrustum::CheckSphere(float x, float y, float z, float radius) const
{
    for (const Plane& plane : m_planes)
    {
        if (plk::gfx::PlaneDotCoord(plane, {x, y, z}) < -radius)
            return false;
    }
    return true;
}

bool XDXFrustum::CheckBox(float centerX, float centerY, float centerZ, float halfX, float halfY, float halfZ) const
{
    for (const Plane& plane : m_planes)
    {
        bool allOutside = true;
        for (int corner = 0; corner < 8 && allOutside; ++corner)
        {
            const plk::gfx::Vector3 point{centerX + ((corner & 1) ? halfX : -halfX),
                                          centerY + ((corner & 2) ? halfY : -halfY),
                                          centerZ + ((corner & 4) ? halfZ : -halfZ)};
            allOutside = plk::gfx::PlaneDotCoord(plane, point) < 0.0f;
        }
        if (allOutside)
            return false;
    }
    return true;
}
