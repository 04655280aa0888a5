// Extruded 3D text: glyph outlines of a font face, filled by the non-zero rule, with a cap on each
// side and walls between them.
#pragma once

#include <string>

namespace gfx
{
struct MeshData;
}

namespace plk::gfx
{

// Lays out 8-bit (Latin-1) text from the origin along +x in em units (1 = the face's em height);
// the front cap lies at z = 0 facing -z, the back cap at z = depth facing +z. Triangles are
// clockwise seen from outside, as Direct3D's default culling wants. One white material, one subset.
// 0 on success, else a negative code and the reason in error.
int BuildTextMesh(const std::string& text, const std::string& family, bool bold, bool italic, float depth,
                  ::gfx::MeshData& out, std::string* error = nullptr);

} // namespace plk::gfx
