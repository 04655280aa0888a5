#include "tests/e2e/run/BoardView.h"

#include "engine/XDXCamera.h"
#include "game/CBoard.h"
#include "game/CGameLevel.h"
#include "screens/CPlayScreen.h"

#include <algorithm>
#include <cmath>

using plk::gfx::Vector3;
using plk::gfx::Vector4;

namespace
{
// The top face lies half a cell above the centre; aim just inside it so rounding stays on it.
const float kTopInset = 0.2f;
// Points of the top face tried in turn: the middle, then towards its edges.
const float kTopOffsets[][2] = {{0, 0}, {0, -3}, {-3, 0}, {3, 0}, {0, 3}, {-3, -3}, {3, -3}, {-3, 3}, {3, 3}};
// The arrow's shape along its direction (it stands a cell from the cube's centre): the shaft from
// -4 to 0.6, 1.2 to each side; the head from 0.2 to 4, 3.2 to each side at its start. Its upper
// face lies 0.8 above the cube's middle.
const float kArrowAlong[][2] = {{0.5f, 0}, {1.5f, 0}, {-1.0f, 0}, {1.0f, 1.5f}, {1.0f, -1.5f}, {2.5f, 0},
                                {-2.5f, 0}, {-3.5f, 0}, {3.2f, 0}};
const float kArrowTop = 0.8f;
} // namespace

BoardView::BoardView(const CGameLevel& level, int width, int height)
    : m_vEye(level.GetCameraEye())
    , m_iWidth(width)
    , m_iHeight(height)
{
    XDXCamera camera;
    camera.LookAt(m_vEye, CGameLevel::kCameraTarget);
    m_viewProjection = camera.GetViewMatrix() *
                       CPlayScreen::ViewProjection(static_cast<unsigned>(width), static_cast<unsigned>(height));
}

bool BoardView::Project(const Vector3& point, int& x, int& y) const
{
    const Vector4 clip = plk::gfx::Transform(Vector4{point.x, point.y, point.z, 1.0f}, m_viewProjection);
    if (clip.w <= 0.0f)
        return false;
    x = static_cast<int>(std::lround((clip.x / clip.w + 1.0f) * 0.5f * static_cast<float>(m_iWidth)));
    y = static_cast<int>(std::lround((1.0f - clip.y / clip.w) * 0.5f * static_cast<float>(m_iHeight)));
    return x >= 0 && x < m_iWidth && y >= 0 && y < m_iHeight;
}

bool BoardView::CubeHides(const Cell& cell, const Vector3& point) const
{
    const Vector3 centre = CBoard::CellCentre(cell[0], cell[1], cell[2]);
    const Vector3 half{CBoard::kHalfCube, CBoard::kHalfCube, CBoard::kHalfCube};
    return plk::gfx::RayHitsBox(m_vEye, point - m_vEye, centre - half, centre + half, 1.0f);
}

bool BoardView::FirstVisible(const std::vector<Vector3>& points, const Cell& own, int& x, int& y) const
{
    for (const Vector3& point : points)
    {
        const bool hidden = std::any_of(m_cubes.begin(), m_cubes.end(),
                                        [&](const Cell& cube) { return cube != own && CubeHides(cube, point); });
        if (!hidden && Project(point, x, y))
            return true;
    }
    return false;
}

bool BoardView::CubeTop(const Cell& cell, int& x, int& y) const
{
    const Vector3 centre = CBoard::CellCentre(cell[0], cell[1], cell[2]);
    std::vector<Vector3> points;
    for (const auto& offset : kTopOffsets)
        points.push_back({centre.x + offset[0], centre.y + CBoard::kHalfCube - kTopInset, centre.z + offset[1]});
    return FirstVisible(points, cell, x, y);
}

bool BoardView::Arrow(const Cell& cell, int dx, int dz, int& x, int& y) const
{
    const Vector3 centre = CBoard::CellCentre(cell[0], cell[1], cell[2]);
    std::vector<Vector3> points;
    for (const auto& at : kArrowAlong)
    {
        const float along = CBoard::kCellSize + at[0], side = at[1];
        // Sideways is the direction turned a quarter: (-dz, dx).
        points.push_back({centre.x + along * static_cast<float>(dx) - side * static_cast<float>(dz),
                          centre.y + kArrowTop, centre.z + along * static_cast<float>(dz) + side * static_cast<float>(dx)});
    }
    // The pushed cube hides its own arrow as much as any other: no cube is exempt.
    return FirstVisible(points, Cell{-1, -1, -1}, x, y);
}
