// Where the cubes and push arrows of a level lie in the window: the play view's camera and the
// mode's projection, turned around so that a script can click what a player would. A point is
// only offered where no cube on the board stands between it and the eye, since a click there
// would pick that cube instead.
#pragma once

#include "platform/gfx/Math.h"

#include <array>
#include <vector>

class CGameLevel;

class BoardView
{
public:
    using Cell = std::array<int, 3>;

    BoardView(const CGameLevel& level, int width, int height);

    // The cells of the cubes on the board now.
    void SetCubes(const std::vector<Cell>& cubes) { m_cubes = cubes; }
    // Window pixel of a world point; false when it lies behind the camera or off the window.
    bool Project(const plk::gfx::Vector3& point, int& x, int& y) const;
    // A point on the top face of the cube resting in that cell.
    bool CubeTop(const Cell& cell, int& x, int& y) const;
    // A point on the arrow that pushes the cube in that cell by dx, dz.
    bool Arrow(const Cell& cell, int dx, int dz, int& x, int& y) const;

private:
    // Whether the line from the eye to point passes through the cube resting in that cell.
    bool CubeHides(const Cell& cell, const plk::gfx::Vector3& point) const;
    // The first of the points that no cube but `own` hides.
    bool FirstVisible(const std::vector<plk::gfx::Vector3>& points, const Cell& own, int& x, int& y) const;

    plk::gfx::Vector3 m_vEye;
    plk::gfx::Matrix m_viewProjection;
    int m_iWidth;
    int m_iHeight;
    std::vector<Cell> m_cubes;
};
