// Picking: the ray under the cursor and the nearest scene object it hits.
#include "engine/XDXInput.h"

#include "engine/XDXMeshObject.h"
#include "engine/XGameEngine.h"
#include "platform/gfx/Device.h"

using plk::gfx::Matrix;
using plk::gfx::Vector3;

bool XDXInput::BeginPick(int left, int top, int width, int height)
{
    XGameEngine* engine = XGameEngine::GetEngine();
    plk::gfx::Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device)
    {
        m_strErrorMsg = "Error: in XDXInput::BeginPick, the engine or device is NULL.";
        m_fPickDistance = kNoPick;
        m_pPicked = nullptr;
        return false;
    }
    BeginPick(device->GetTransform(plk::gfx::kView), device->GetTransform(plk::gfx::kProjection), left, top, width,
              height);
    return true;
}

void XDXInput::BeginPick(const Matrix& view, const Matrix& projection, int left, int top, int width, int height)
{
    m_fPickDistance = kNoPick;
    m_pPicked = nullptr;
    Matrix inverseView;
    if (width <= 0 || height <= 0 || !plk::gfx::MatrixInverse(view, inverseView))
    {
        m_vPickOrigin = m_vPickDirection = {0.0f, 0.0f, 0.0f};
        return;
    }
    // Both axes are measured from the drawing area's corner, so a view below a bar picks true; the
    // third row's first two entries move an off-centre projection's middle away from the screen's.
    const float x = (2.0f * static_cast<float>(m_iCursorX - left) / static_cast<float>(width) - 1.0f -
                     projection.m[2][0]) /
                    projection.m[0][0];
    const float y = (-(2.0f * static_cast<float>(m_iCursorY - top) / static_cast<float>(height) - 1.0f) -
                     projection.m[2][1]) /
                    projection.m[1][1];
    m_vPickDirection = plk::gfx::TransformNormal({x, y, 1.0f}, inverseView);
    m_vPickOrigin = {inverseView.m[3][0], inverseView.m[3][1], inverseView.m[3][2]};
}

void XDXInput::TestPick(XDXMeshObject* object)
{
    if (!object || object->GetPickShape() == XDXMeshObject::kPickNone)
        return;
    float distance = 0.0f;
    if (object->HitTest(m_vPickOrigin, m_vPickDirection, distance) && distance < m_fPickDistance)
    {
        m_fPickDistance = distance;
        m_pPicked = object;
    }
}

XDXMeshObject* XDXInput::GetPicked(int button) const
{
    return MouseButtonReleased(button) ? m_pPicked : nullptr;
}
