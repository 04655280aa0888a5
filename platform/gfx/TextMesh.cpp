// Glyph outlines from FreeType, flattened, filled with the GLU tessellator and extruded.
#include "platform/gfx/TextMesh.h"

#include "platform/font/FontFace.h"
#include "platform/gfx/GlContext.h"
#include "platform/mesh/MeshData.h"

#include <GL/glu.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <list>
#include <memory>
#include <vector>

namespace plk::gfx
{

namespace
{

const int kErrFont = -1;
const int kErrTessellate = -2;
// Curves are cut into straight pieces no further than this from the curve, in em units.
const double kChordalDeviation = 0.001;
const int kMaxCurveSteps = 64;
// The side walls' outward side is found by probing this far (em units) beside an edge.
const double kInsideProbe = 1e-4;

struct Point
{
    double x = 0.0, y = 0.0;
};

using Contour = std::vector<Point>;

struct OutlineWalk
{
    std::vector<Contour> contours;
    Point pen;
    double scale = 1.0; // font units to em units
};

Point Scaled(const OutlineWalk& walk, const FT_Vector* v)
{
    return {v->x * walk.scale, v->y * walk.scale};
}

int CurveSteps(double controlLength)
{
    // A curve's deviation from its chord shrinks with the square of the step count.
    const int steps = static_cast<int>(std::ceil(std::sqrt(controlLength / (8.0 * kChordalDeviation))));
    return steps < 1 ? 1 : (steps > kMaxCurveSteps ? kMaxCurveSteps : steps);
}

double Distance(const Point& a, const Point& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

int MoveTo(const FT_Vector* to, void* user)
{
    auto* walk = static_cast<OutlineWalk*>(user);
    walk->pen = Scaled(*walk, to);
    walk->contours.push_back({walk->pen});
    return 0;
}

int LineTo(const FT_Vector* to, void* user)
{
    auto* walk = static_cast<OutlineWalk*>(user);
    walk->pen = Scaled(*walk, to);
    walk->contours.back().push_back(walk->pen);
    return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user)
{
    auto* walk = static_cast<OutlineWalk*>(user);
    const Point p0 = walk->pen, p1 = Scaled(*walk, control), p2 = Scaled(*walk, to);
    const int steps = CurveSteps(Distance(p0, p1) + Distance(p1, p2));
    for (int i = 1; i <= steps; ++i)
    {
        const double t = static_cast<double>(i) / steps, u = 1.0 - t;
        walk->contours.back().push_back(
            {u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
    }
    walk->pen = p2;
    return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user)
{
    auto* walk = static_cast<OutlineWalk*>(user);
    const Point p0 = walk->pen, p1 = Scaled(*walk, control1), p2 = Scaled(*walk, control2), p3 = Scaled(*walk, to);
    const int steps = CurveSteps(Distance(p0, p1) + Distance(p1, p2) + Distance(p2, p3));
    for (int i = 1; i <= steps; ++i)
    {
        const double t = static_cast<double>(i) / steps, u = 1.0 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        walk->contours.back().push_back(
            {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
    walk->pen = p3;
    return 0;
}

// Non-zero winding number of point against the closed contours.
bool Inside(const std::vector<Contour>& contours, const Point& p)
{
    int winding = 0;
    for (const Contour& c : contours)
    {
        for (size_t i = 0; i < c.size(); ++i)
        {
            const Point& a = c[i];
            const Point& b = c[(i + 1) % c.size()];
            const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
            if (a.y <= p.y && b.y > p.y && side > 0)
                ++winding;
            else if (a.y > p.y && b.y <= p.y && side < 0)
                --winding;
        }
    }
    return winding != 0;
}

class MeshBuilder
{
public:
    explicit MeshBuilder(::gfx::MeshData& out) : m_out(out) {}

    // Adds the triangle turned so that it is clockwise seen from the side facing points to.
    void Triangle(::gfx::Float3 a, ::gfx::Float3 b, ::gfx::Float3 c, ::gfx::Float3 facing)
    {
        const double e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double e2[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                             e1[0] * e2[1] - e1[1] * e2[0]};
        // With Direct3D's left-handed axes, (b - a) x (c - a) points at the viewer who sees a, b, c clockwise.
        if (n[0] * facing[0] + n[1] * facing[1] + n[2] * facing[2] < 0.0)
            std::swap(b, c);
        for (const auto& v : {a, b, c})
        {
            m_out.indices.push_back(static_cast<uint32_t>(m_out.positions.size()));
            m_out.positions.push_back(v);
            m_out.normals.push_back(facing);
            m_out.texCoords.push_back({0.0f, 0.0f});
        }
    }

private:
    ::gfx::MeshData& m_out;
};

struct TessState
{
    std::list<Point> extra; // points the combine callback made; a list keeps their addresses
    std::vector<const Point*> corners;
    std::vector<std::array<const Point*, 3>> triangles;
    bool failed = false;
};

void GLAPIENTRY TessVertex(void* vertex, void* user)
{
    auto* state = static_cast<TessState*>(user);
    state->corners.push_back(static_cast<const Point*>(vertex));
    if (state->corners.size() == 3)
    {
        state->triangles.push_back({state->corners[0], state->corners[1], state->corners[2]});
        state->corners.clear();
    }
}

void GLAPIENTRY TessBegin(GLenum, void* user)
{
    static_cast<TessState*>(user)->corners.clear();
}

// Registering an edge-flag callback makes the tessellator emit independent triangles only.
void GLAPIENTRY TessEdgeFlag(GLboolean, void*) {}

void GLAPIENTRY TessCombine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* user)
{
    auto* state = static_cast<TessState*>(user);
    state->extra.push_back({coords[0], coords[1]});
    *out = &state->extra.back();
}

void GLAPIENTRY TessError(GLenum, void* user)
{
    static_cast<TessState*>(user)->failed = true;
}

using TessCallback = void(GLAPIENTRY*)();

bool Fill(const std::vector<Contour>& contours, TessState& state)
{
    std::unique_ptr<GLUtesselator, void (*)(GLUtesselator*)> tess(gluNewTess(), gluDeleteTess);
    if (!tess)
        return false;
    gluTessCallback(tess.get(), GLU_TESS_BEGIN_DATA, reinterpret_cast<TessCallback>(TessBegin));
    gluTessCallback(tess.get(), GLU_TESS_VERTEX_DATA, reinterpret_cast<TessCallback>(TessVertex));
    gluTessCallback(tess.get(), GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<TessCallback>(TessEdgeFlag));
    gluTessCallback(tess.get(), GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(TessCombine));
    gluTessCallback(tess.get(), GLU_TESS_ERROR_DATA, reinterpret_cast<TessCallback>(TessError));
    gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess.get(), 0.0, 0.0, 1.0);
    gluTessBeginPolygon(tess.get(), &state);
    for (const Contour& contour : contours)
    {
        gluTessBeginContour(tess.get());
        for (const Point& p : contour)
        {
            GLdouble coords[3] = {p.x, p.y, 0.0};
            gluTessVertex(tess.get(), coords, const_cast<Point*>(&p));
        }
        gluTessEndContour(tess.get());
    }
    gluTessEndPolygon(tess.get());
    return !state.failed;
}

void Extrude(const std::vector<Contour>& contours, const TessState& fill, float depth, MeshBuilder& builder)
{
    const float d = depth;
    for (const auto& t : fill.triangles)
    {
        auto at = [](const Point* p, float z) {
            return ::gfx::Float3{static_cast<float>(p->x), static_cast<float>(p->y), z};
        };
        builder.Triangle(at(t[0], 0.0f), at(t[1], 0.0f), at(t[2], 0.0f), {0.0f, 0.0f, -1.0f});
        builder.Triangle(at(t[0], d), at(t[1], d), at(t[2], d), {0.0f, 0.0f, 1.0f});
    }
    for (const Contour& c : contours)
    {
        for (size_t i = 0; i < c.size(); ++i)
        {
            const Point& a = c[i];
            const Point& b = c[(i + 1) % c.size()];
            const double length = Distance(a, b);
            if (length <= 0.0)
                continue;
            double nx = (b.y - a.y) / length, ny = -(b.x - a.x) / length;
            const Point probe{(a.x + b.x) * 0.5 + nx * kInsideProbe, (a.y + b.y) * 0.5 + ny * kInsideProbe};
            if (Inside(contours, probe))
            {
                nx = -nx;
                ny = -ny;
            }
            const ::gfx::Float3 facing{static_cast<float>(nx), static_cast<float>(ny), 0.0f};
            const ::gfx::Float3 a0{float(a.x), float(a.y), 0.0f}, b0{float(b.x), float(b.y), 0.0f};
            const ::gfx::Float3 a1{float(a.x), float(a.y), d}, b1{float(b.x), float(b.y), d};
            builder.Triangle(a0, b0, b1, facing);
            builder.Triangle(a0, b1, a1, facing);
        }
    }
}

int Fail(std::string* error, const std::string& what, int code)
{
    if (error)
        *error = what;
    return code;
}

} // namespace

int BuildTextMesh(const std::string& text, const std::string& family, bool bold, bool italic, float depth,
                  ::gfx::MeshData& out, std::string* error)
{
    out.Clear();
    FontFile file;
    std::string reason;
    if (FindFontFile(family, bold, italic, file, &reason) != 0)
        return Fail(error, "no face for " + family + ": " + reason, kErrFont);
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return Fail(error, "FT_Init_FreeType failed", kErrFont);
    std::unique_ptr<FT_LibraryRec_, FT_Error (*)(FT_Library)> libraryOwner(library, FT_Done_FreeType);
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0 || face->units_per_EM == 0)
        return Fail(error, "FT_New_Face failed for " + file.path, kErrFont);

    OutlineWalk walk;
    walk.scale = 1.0 / face->units_per_EM;
    FT_Outline_Funcs funcs{};
    funcs.move_to = MoveTo;
    funcs.line_to = LineTo;
    funcs.conic_to = ConicTo;
    funcs.cubic_to = CubicTo;
    MeshBuilder builder(out);
    double penX = 0.0;
    int result = 0;
    for (unsigned char c : text)
    {
        if (FT_Load_Char(face, c, FT_LOAD_NO_SCALE) != 0)
            continue;
        walk.contours.clear();
        FT_Outline_Decompose(&face->glyph->outline, &funcs, &walk);
        for (Contour& contour : walk.contours)
        {
            // The closing point repeats the first; the tessellator wants each point once.
            if (contour.size() > 1 && Distance(contour.front(), contour.back()) == 0.0)
                contour.pop_back();
            for (Point& p : contour)
                p.x += penX;
        }
        std::erase_if(walk.contours, [](const Contour& contour) { return contour.size() < 3; });
        TessState fill;
        if (!walk.contours.empty() && !Fill(walk.contours, fill))
        {
            result = Fail(error, std::string("tessellating the glyph of '") + static_cast<char>(c) + "' failed",
                          kErrTessellate);
            break;
        }
        Extrude(walk.contours, fill, depth, builder);
        penX += face->glyph->advance.x * walk.scale;
    }
    FT_Done_Face(face);
    if (result != 0)
    {
        out.Clear();
        return result;
    }
    ::gfx::MeshMaterial white;
    white.name = "Text";
    out.materials.push_back(white);
    if (!out.indices.empty())
        out.subsets.push_back({0, 0, static_cast<uint32_t>(out.indices.size()), 0,
                               static_cast<uint32_t>(out.positions.size())});
    out.ComputeBounds();
    return 0;
}

} // namespace plk::gfx
