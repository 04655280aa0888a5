// Low-poly building blocks for the world meshes: rounded boxes, lathed solids, spheres, blades.
#pragma once

#include "tools/artkit/MeshBuilder.h"

#include <functional>
#include <vector>

namespace worldgen
{

using art::MeshBuilder;
using art::Vec3;

// A box of the given half sizes whose edges are rounded with radius, centred at the origin. Each face maps
// the whole texture (u right, v down, seen from outside). Extra cuts add rows of vertices on every axis
// (positions in -1..1 of the half size) so that the box can be bent later.
int AddRoundedBox(MeshBuilder& mesh, Vec3 half, float radius, int roundSegments, int material,
                  const std::vector<float>& extraCuts = {});

// A solid of revolution about the y axis: profile points (radius, y) from bottom to top, sides segments.
// Closed with flat caps where the profile's end radius is not zero. u goes round, v follows the profile
// scaled by vScale.
int AddLathe(MeshBuilder& mesh, const std::vector<std::pair<float, float>>& profile, int sides, int material,
             float vScale = 1.0f);

// An ellipsoid with radii r, rings x sides, centred at the origin.
int AddEllipsoid(MeshBuilder& mesh, Vec3 radii, int rings, int sides, int material);

// A flat tapering blade from base to tip, visible from both sides (for grass and leaves).
void AddBlade(MeshBuilder& mesh, Vec3 base, Vec3 tip, Vec3 side, float width, int material);

// Transforms of the vertices added from first on.
void Translate(MeshBuilder& mesh, int first, Vec3 by);
void Scale(MeshBuilder& mesh, int first, Vec3 by);
// Rotation about y then x then z, in degrees.
void Rotate(MeshBuilder& mesh, int first, float xDeg, float yDeg, float zDeg);
// Moves vertices by a function of their position; normals are recomputed smoothly afterwards by the caller.
void Displace(MeshBuilder& mesh, int first, const std::function<Vec3(Vec3)>& f);
// Recentres the whole mesh so its bounding box is centred on the origin.
void CentreBounds(MeshBuilder& mesh);

} // namespace worldgen

namespace worldgen
{

// A convex polygon (x, z in order around it) extruded from y0 to y1 with caps; u, v follow x and z / uvScale.
void AddConvexPrism(MeshBuilder& mesh, const std::vector<std::pair<float, float>>& outline, float y0,
                    float y1, int material, float uvScale = 10.0f);
// A pyramid from a base centre along the axis, square base of the given half width, flat-shaded.
void AddPyramid(MeshBuilder& mesh, Vec3 baseCentre, Vec3 axis, Vec3 side, float halfWidth, int material);
// Scales each axis so the bounds become exactly -half..half, centred on the origin.
void FitToBox(MeshBuilder& mesh, Vec3 half);

} // namespace worldgen
