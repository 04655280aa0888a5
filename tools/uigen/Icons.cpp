// Pictograms: each one laid out on a unit square and mapped into the box it is drawn in.
#include "tools/uigen/Icons.h"

#include "tools/uigen/UiStyle.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace uigen
{

using art::Canvas;
using art::Colour;
using art::Hex;
using art::Point;
using art::Shape;

namespace
{

// Maps unit-square coordinates into the largest square centred in the box.
struct Frame
{
    float ox, oy, s;

    explicit Frame(Area a) : s(std::min(a.w, a.h)) { ox = a.x + (a.w - s) * 0.5f, oy = a.y + (a.h - s) * 0.5f; }
    Point P(float u, float v) const { return {ox + u * s, oy + v * s}; }
    float L(float u) const { return u * s; }
};

Shape Poly(const Frame& f, std::initializer_list<std::pair<float, float>> uv)
{
    std::vector<Point> pts;
    for (const auto& [u, v] : uv)
        pts.push_back(f.P(u, v));
    return art::Polygon(std::move(pts));
}

// Rounds a polygon's corners; the shape grows by r, which the icon layouts allow for.
Shape Soften(const Shape& s, float r)
{
    return Offset(s, r);
}

Shape Line(const Frame& f, float u0, float v0, float u1, float v1, float thickness)
{
    return art::Capsule(f.P(u0, v0), f.P(u1, v1), f.L(thickness));
}

Shape Box(const Frame& f, float u, float v, float w, float h, float r)
{
    const Point p = f.P(u, v);
    return art::RoundedRect(p.x, p.y, f.L(w), f.L(h), f.L(r));
}

Shape Disc(const Frame& f, float u, float v, float r)
{
    const Point p = f.P(u, v);
    return art::Circle(p.x, p.y, f.L(r));
}

Shape Cloud(const Frame& f, float dv)
{
    Shape s = Disc(f, 0.33f, 0.5f + dv, 0.17f);
    s = Union(s, Disc(f, 0.52f, 0.4f + dv, 0.22f));
    s = Union(s, Disc(f, 0.72f, 0.52f + dv, 0.15f));
    return Union(s, Box(f, 0.18f, 0.5f + dv, 0.66f, 0.17f, 0.08f));
}

void Arrow(Canvas& c, const Frame& f, bool up, const Colour& ink)
{
    auto v = [&](float t) { return up ? t : 1.0f - t; };
    const Shape head = Poly(f, {{0.5f, v(0.14f)}, {0.88f, v(0.56f)}, {0.12f, v(0.56f)}});
    const Shape stem = Poly(f, {{0.37f, v(0.5f)}, {0.63f, v(0.5f)}, {0.63f, v(0.86f)}, {0.37f, v(0.86f)}});
    Icon(c, Soften(Union(head, stem), f.L(0.05f)), ink);
}

void Restart(Canvas& c, const Frame& f, const Colour& ink)
{
    const Point centre = f.P(0.5f, 0.53f);
    const Shape ring = Subtract(art::Circle(centre.x, centre.y, f.L(0.36f)), art::Circle(centre.x, centre.y, f.L(0.2f)));
    const Shape gap = Poly(f, {{0.5f, 0.53f}, {0.62f, -0.1f}, {1.1f, -0.1f}, {1.1f, 0.3f}});
    const Shape head = Poly(f, {{0.5f, 0.0f}, {0.86f, 0.2f}, {0.5f, 0.42f}});
    Icon(c, Union(Subtract(ring, gap), Soften(head, f.L(0.03f))), ink);
}

void Note(Canvas& c, const Frame& f, const Colour& ink)
{
    const Point h0 = f.P(0.3f, 0.76f), h1 = f.P(0.72f, 0.68f);
    Shape s = Rotate(art::Ellipse(h0.x, h0.y, f.L(0.14f), f.L(0.1f)), h0.x, h0.y, -20);
    s = Union(s, Rotate(art::Ellipse(h1.x, h1.y, f.L(0.14f), f.L(0.1f)), h1.x, h1.y, -20));
    s = Union(s, Line(f, 0.42f, 0.73f, 0.42f, 0.2f, 0.08f));
    s = Union(s, Line(f, 0.84f, 0.65f, 0.84f, 0.12f, 0.08f));
    s = Union(s, Poly(f, {{0.38f, 0.16f}, {0.88f, 0.06f}, {0.88f, 0.22f}, {0.38f, 0.32f}}));
    Icon(c, s, ink);
}

void Speaker(Canvas& c, const Frame& f, const Colour& ink)
{
    Shape s = Soften(Poly(f, {{0.08f, 0.36f}, {0.28f, 0.36f}, {0.52f, 0.14f}, {0.52f, 0.86f}, {0.28f, 0.64f},
                              {0.08f, 0.64f}}),
                     f.L(0.03f));
    const Point m = f.P(0.5f, 0.5f);
    const Shape right = Poly(f, {{0.62f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.62f, 1.0f}});
    s = Union(s, Intersect(Outline(art::Circle(m.x, m.y, f.L(0.22f)), f.L(0.08f)), right));
    s = Union(s, Intersect(Outline(art::Circle(m.x, m.y, f.L(0.38f)), f.L(0.08f)), right));
    Icon(c, s, ink);
}

void Tree(Canvas& c, const Frame& f)
{
    Icon(c, Line(f, 0.5f, 0.9f, 0.5f, 0.5f, 0.14f), Hex(0x8a5a2b));
    Shape crown = Disc(f, 0.5f, 0.36f, 0.27f);
    crown = Union(crown, Disc(f, 0.3f, 0.5f, 0.17f));
    crown = Union(crown, Disc(f, 0.7f, 0.5f, 0.17f));
    Icon(c, crown, Hex(0x3dad3a), 2.0f);
}

void Pine(Canvas& c, const Frame& f)
{
    Icon(c, Line(f, 0.5f, 0.92f, 0.5f, 0.7f, 0.12f), Hex(0x7a4a22));
    Shape s = Poly(f, {{0.5f, 0.05f}, {0.72f, 0.38f}, {0.28f, 0.38f}});
    s = Union(s, Poly(f, {{0.5f, 0.22f}, {0.8f, 0.58f}, {0.2f, 0.58f}}));
    s = Union(s, Poly(f, {{0.5f, 0.4f}, {0.88f, 0.8f}, {0.12f, 0.8f}}));
    Icon(c, Soften(s, f.L(0.02f)), Hex(0x1f7f45));
}

void Palm(Canvas& c, const Frame& f)
{
    Shape trunk = Line(f, 0.46f, 0.92f, 0.5f, 0.62f, 0.1f);
    trunk = Union(trunk, Line(f, 0.5f, 0.62f, 0.58f, 0.34f, 0.09f));
    Icon(c, trunk, Hex(0xa87842), 1.0f);
    const Point top = f.P(0.58f, 0.32f);
    Shape fronds = Disc(f, 0.58f, 0.32f, 0.07f);
    for (int k = 0; k < 5; ++k)
        fronds = Union(fronds, Rotate(art::Ellipse(top.x + f.L(0.2f), top.y, f.L(0.2f), f.L(0.07f)), top.x, top.y,
                                      -160.0f + 50.0f * k + (k > 2 ? 40.0f : 0.0f)));
    Icon(c, fronds, Hex(0x3dbb4a), 1.5f);
}

void Glass(Canvas& c, const Frame& f)
{
    const Shape pane = Box(f, 0.12f, 0.08f, 0.76f, 0.84f, 0.06f);
    c.DropShadow(pane, 0, 1, 1, Hex(0x000000, 0.3f));
    c.FillShape(pane, art::LinearGradient(f.P(0, 0), f.P(1, 1), Hex(0xcff4ff, 0.9f), Hex(0x58b0e6, 0.9f)));
    c.FillShape(Intersect(pane, Poly(f, {{0.2f, 0.92f}, {0.52f, 0.08f}, {0.66f, 0.08f}, {0.34f, 0.92f}})),
                Hex(0xffffff, 0.6f));
    c.FillShape(Subtract(pane, Offset(pane, -f.L(0.07f))), Hex(0x7d8ea3));
}

void Teleporter(Canvas& c, const Frame& f)
{
    const Point m = f.P(0.5f, 0.62f);
    c.DropShadow(art::Ellipse(m.x, m.y - f.L(0.12f), f.L(0.3f), f.L(0.32f)), 0, 0, f.L(0.12f),
                 Hex(0x7af0ff, 0.75f));
    Icon(c, Outline(art::Ellipse(m.x, m.y, f.L(0.4f), f.L(0.16f)), f.L(0.1f)), Hex(0x8d5cf6));
    for (int i = 0; i < 3; ++i)
        c.FillShape(Line(f, 0.3f + 0.2f * i, 0.55f - 0.05f * (i % 2), 0.3f + 0.2f * i, 0.18f + 0.06f * (i % 2), 0.05f),
                    Hex(0xffffff, 0.85f));
}

void Bomb(Canvas& c, const Frame& f)
{
    Icon(c, Line(f, 0.62f, 0.3f, 0.78f, 0.14f, 0.08f), Hex(0xb08850), 1.0f);
    const Shape body = Disc(f, 0.45f, 0.6f, 0.33f);
    Icon(c, body, Hex(0x2c3240), 2.5f);
    c.FillShape(Disc(f, 0.34f, 0.48f, 0.08f), Hex(0xffffff, 0.55f));
    const Point spark = f.P(0.82f, 0.11f);
    c.DropShadow(art::Circle(spark.x, spark.y, f.L(0.08f)), 0, 0, f.L(0.08f), Hex(0xffd040, 0.9f));
    c.FillShape(art::Star(spark.x, spark.y, f.L(0.14f), f.L(0.05f), 6, 0), Hex(0xff8a1a));
}

void Rainbow(Canvas& c, const Frame& f)
{
    const Point m = f.P(0.5f, 0.5f);
    const float r = f.L(0.46f);
    for (int i = 0; i < 10; ++i)
    {
        const float a0 = 2.0f * std::numbers::pi_v<float> * i / 10.0f, a1 = a0 + 2.0f * std::numbers::pi_v<float> / 10.0f;
        const Shape wedge = art::Polygon({m, {m.x + r * 1.2f * std::sin(a0), m.y - r * 1.2f * std::cos(a0)},
                                          {m.x + r * 1.2f * std::sin(a1), m.y - r * 1.2f * std::cos(a1)}});
        c.FillShape(Intersect(wedge, art::Circle(m.x, m.y, r)), CubeColour(i));
    }
    const Shape disc = art::Circle(m.x, m.y, r);
    c.Bevel(disc, f.L(0.12f), 0.7f);
    c.FillShape(Subtract(disc, Offset(disc, -0.9f)), Hex(0x1a2240, 0.8f));
    Icon(c, Disc(f, 0.5f, 0.5f, 0.14f), Hex(0xffffff), 1.0f);
}

} // namespace

Shape Rotate(const Shape& s, float cx, float cy, float degrees)
{
    const float a = degrees * std::numbers::pi_v<float> / 180.0f;
    const float ca = std::cos(a), sa = std::sin(a);
    Shape out;
    out.distance = [=](float x, float y) {
        const float dx = x - cx, dy = y - cy;
        return s(cx + dx * ca + dy * sa, cy - dx * sa + dy * ca);
    };
    // The rotated bounding box of the original bounds.
    const float xs[] = {s.left, s.right, s.right, s.left}, ys[] = {s.top, s.top, s.bottom, s.bottom};
    out.left = out.top = 1e30f, out.right = out.bottom = -1e30f;
    for (int i = 0; i < 4; ++i)
    {
        const float dx = xs[i] - cx, dy = ys[i] - cy;
        const float x = cx + dx * ca - dy * sa, y = cy + dx * sa + dy * ca;
        out.left = std::min(out.left, x), out.right = std::max(out.right, x);
        out.top = std::min(out.top, y), out.bottom = std::max(out.bottom, y);
    }
    return out;
}

void DrawIcon(Canvas& c, IconKind kind, Area box, const Colour& ink)
{
    const Frame f(box);
    switch (kind)
    {
    case IconKind::kPlay:
        Icon(c, Soften(Poly(f, {{0.22f, 0.12f}, {0.88f, 0.5f}, {0.22f, 0.88f}}), f.L(0.06f)), Hex(0x34c759), 2.0f);
        break;
    case IconKind::kFolder:
        Icon(c, Union(Box(f, 0.08f, 0.2f, 0.84f, 0.66f, 0.06f), Box(f, 0.08f, 0.12f, 0.36f, 0.2f, 0.05f)),
             Hex(0xd99a1e));
        Icon(c, Soften(Poly(f, {{0.04f, 0.4f}, {0.96f, 0.4f}, {0.88f, 0.86f}, {0.12f, 0.86f}}), f.L(0.03f)),
             Hex(0xffd257));
        break;
    case IconKind::kDisk:
        Icon(c, Box(f, 0.1f, 0.1f, 0.8f, 0.8f, 0.08f), Hex(0x2f6fd8), 2.0f);
        Icon(c, Box(f, 0.28f, 0.1f, 0.44f, 0.26f, 0.02f), Hex(0xc8d2de), 1.0f);
        c.FillShape(Box(f, 0.22f, 0.5f, 0.56f, 0.32f, 0.04f), Hex(0xf6f8fc));
        break;
    case IconKind::kHammer:
        Icon(c, Line(f, 0.18f, 0.9f, 0.58f, 0.4f, 0.18f), Hex(0xd08a3e));
        {
            const Point h = f.P(0.62f, 0.32f);
            Icon(c, Rotate(art::RoundedRect(h.x - f.L(0.36f), h.y - f.L(0.15f), f.L(0.72f), f.L(0.3f), f.L(0.05f)), h.x,
                           h.y, 38),
                 Hex(0xd6dee8), 2.0f);
        }
        break;
    case IconKind::kBook:
        Icon(c, Box(f, 0.06f, 0.2f, 0.88f, 0.68f, 0.06f), Hex(0xe0463c));
        Icon(c, Soften(Poly(f, {{0.12f, 0.16f}, {0.49f, 0.24f}, {0.49f, 0.82f}, {0.12f, 0.74f}}), 0.5f), Hex(0xfbfbf6),
             1.0f);
        Icon(c, Soften(Poly(f, {{0.51f, 0.24f}, {0.88f, 0.16f}, {0.88f, 0.74f}, {0.51f, 0.82f}}), 0.5f), Hex(0xfbfbf6),
             1.0f);
        for (int i = 0; i < 3; ++i)
        {
            c.FillShape(Line(f, 0.18f, 0.34f + 0.13f * i, 0.42f, 0.39f + 0.13f * i, 0.035f), Hex(0x9aa6b6));
            c.FillShape(Line(f, 0.58f, 0.39f + 0.13f * i, 0.82f, 0.34f + 0.13f * i, 0.035f), Hex(0x9aa6b6));
        }
        break;
    case IconKind::kRestart:
        Restart(c, f, Hex(0x34c759));
        break;
    case IconKind::kDoor:
        Icon(c, Box(f, 0.1f, 0.06f, 0.46f, 0.88f, 0.04f), Hex(0xb5793a));
        c.FillShape(Disc(f, 0.46f, 0.52f, 0.045f), Hex(0xffe08a));
        Icon(c, Soften(Union(Box(f, 0.42f, 0.42f, 0.32f, 0.18f, 0.02f),
                             Poly(f, {{0.7f, 0.26f}, {0.96f, 0.51f}, {0.7f, 0.76f}})),
                       f.L(0.03f)),
             Hex(0xff5b3a));
        break;
    case IconKind::kQuestion:
    {
        Icon(c, Disc(f, 0.5f, 0.5f, 0.44f), Hex(0x2f8cff), 2.0f);
        art::TextStyle style = LabelStyle(Look::kNormal, static_cast<int>(f.L(0.8f)));
        Text(c, style, "?", f.ox + f.L(0.5f), f.oy + f.L(0.79f), art::Align::kCentre);
        break;
    }
    case IconKind::kNote:
        Note(c, f, ink);
        break;
    case IconKind::kSpeaker:
        Speaker(c, f, ink);
        break;
    case IconKind::kCheck:
    {
        const Shape s = Union(Line(f, 0.16f, 0.52f, 0.4f, 0.78f, 0.17f), Line(f, 0.4f, 0.78f, 0.86f, 0.2f, 0.17f));
        c.FillShape(Offset(s, f.L(0.05f)), Hex(0xffffff));
        Icon(c, s, Hex(0x2fbf4a));
        break;
    }
    case IconKind::kCross:
        Icon(c, Union(Line(f, 0.24f, 0.24f, 0.76f, 0.76f, 0.16f), Line(f, 0.76f, 0.24f, 0.24f, 0.76f, 0.16f)), ink);
        break;
    case IconKind::kArrowUp:
        Arrow(c, f, true, ink);
        break;
    case IconKind::kArrowDown:
        Arrow(c, f, false, ink);
        break;
    case IconKind::kSun:
    {
        Shape rays = Line(f, 0.5f, 0.06f, 0.5f, 0.2f, 0.08f);
        for (int i = 1; i < 8; ++i)
            rays = Union(rays, Rotate(Line(f, 0.5f, 0.06f, 0.5f, 0.2f, 0.08f), f.P(0.5f, 0.5f).x, f.P(0.5f, 0.5f).y,
                                      45.0f * i));
        Icon(c, rays, Hex(0xffb020), 1.0f);
        Icon(c, Disc(f, 0.5f, 0.5f, 0.24f), Hex(0xffd83a), 2.0f);
        break;
    }
    case IconKind::kStar:
        Icon(c, art::Star(f.P(0.5f, 0.53f).x, f.P(0.5f, 0.53f).y, f.L(0.48f), f.L(0.22f), 5, 0), Hex(0xffc42a), 1.5f);
        break;
    case IconKind::kFog:
        Icon(c, Cloud(f, -0.12f), Hex(0xe6ecf4));
        Icon(c, Union(Line(f, 0.12f, 0.72f, 0.7f, 0.72f, 0.09f), Line(f, 0.3f, 0.88f, 0.88f, 0.88f, 0.09f)),
             Hex(0xc4ceda), 1.0f);
        break;
    case IconKind::kRain:
        Icon(c, Cloud(f, -0.16f), Hex(0xaebfd6));
        for (int i = 0; i < 3; ++i)
            Icon(c, art::MakeEmblem(art::Emblem::kDrop, f.P(0.28f + 0.22f * i, 0.8f).x, f.P(0.28f + 0.22f * i, 0.8f).y,
                                    f.L(0.12f)),
                 Hex(0x2f8cff), 1.0f);
        break;
    case IconKind::kClock:
        Icon(c, Disc(f, 0.5f, 0.5f, 0.43f), Hex(0xfafcff), 1.5f);
        c.FillShape(Outline(Disc(f, 0.5f, 0.5f, 0.4f), f.L(0.08f)), Hex(0x2a9d4a));
        c.FillShape(Union(Line(f, 0.5f, 0.5f, 0.5f, 0.22f, 0.08f), Line(f, 0.5f, 0.5f, 0.7f, 0.58f, 0.08f)), ink);
        break;
    case IconKind::kBolt:
        Icon(c, Soften(Poly(f, {{0.6f, 0.03f}, {0.2f, 0.56f}, {0.46f, 0.56f}, {0.36f, 0.97f}, {0.82f, 0.4f},
                                {0.55f, 0.4f}, {0.7f, 0.03f}}),
                       0.4f),
             Hex(0xffd21f), 1.0f);
        break;
    case IconKind::kLift:
        Icon(c, Box(f, 0.14f, 0.78f, 0.72f, 0.16f, 0.04f), Hex(0x9aa6b6), 1.0f);
        Arrow(c, Frame({f.ox + f.L(0.12f), f.oy, f.L(0.76f), f.L(0.76f)}), true, Hex(0x34c759));
        break;
    case IconKind::kPlus:
        Icon(c, Union(Line(f, 0.5f, 0.18f, 0.5f, 0.82f, 0.2f), Line(f, 0.18f, 0.5f, 0.82f, 0.5f, 0.2f)), ink, 1.0f);
        break;
    case IconKind::kMinus:
        Icon(c, Line(f, 0.18f, 0.5f, 0.82f, 0.5f, 0.2f), ink, 1.0f);
        break;
    case IconKind::kRock:
        Icon(c, Soften(Poly(f, {{0.08f, 0.86f}, {0.16f, 0.48f}, {0.38f, 0.24f}, {0.66f, 0.3f}, {0.9f, 0.56f},
                                {0.94f, 0.86f}}),
                       f.L(0.06f)),
             Hex(0x9a9ca6), 2.5f);
        break;
    case IconKind::kTree:
        Tree(c, f);
        break;
    case IconKind::kPine:
        Pine(c, f);
        break;
    case IconKind::kPalm:
        Palm(c, f);
        break;
    case IconKind::kGlass:
        Glass(c, f);
        break;
    case IconKind::kGrass:
    {
        Shape s = Poly(f, {{0.1f, 0.9f}, {0.16f, 0.3f}, {0.26f, 0.9f}});
        s = Union(s, Poly(f, {{0.26f, 0.9f}, {0.4f, 0.12f}, {0.46f, 0.9f}}));
        s = Union(s, Poly(f, {{0.44f, 0.9f}, {0.6f, 0.22f}, {0.64f, 0.9f}}));
        s = Union(s, Poly(f, {{0.62f, 0.9f}, {0.86f, 0.34f}, {0.82f, 0.9f}}));
        Icon(c, s, Hex(0x74d23c), 1.0f);
        break;
    }
    case IconKind::kShrub:
    {
        Shape s = Disc(f, 0.3f, 0.62f, 0.22f);
        s = Union(s, Disc(f, 0.55f, 0.5f, 0.27f));
        s = Union(s, Disc(f, 0.74f, 0.66f, 0.2f));
        s = Union(s, Box(f, 0.12f, 0.62f, 0.78f, 0.26f, 0.1f));
        Icon(c, s, Hex(0x4c9e36), 2.0f);
        c.FillShape(Disc(f, 0.4f, 0.5f, 0.05f), Hex(0xff5470));
        c.FillShape(Disc(f, 0.64f, 0.62f, 0.05f), Hex(0xff5470));
        break;
    }
    case IconKind::kSpikes:
    {
        Shape s = Poly(f, {{0.06f, 0.92f}, {0.2f, 0.3f}, {0.36f, 0.92f}});
        s = Union(s, Poly(f, {{0.3f, 0.92f}, {0.5f, 0.06f}, {0.7f, 0.92f}}));
        s = Union(s, Poly(f, {{0.64f, 0.92f}, {0.8f, 0.38f}, {0.94f, 0.92f}}));
        Icon(c, s, Hex(0xb9a28a), 1.5f);
        break;
    }
    case IconKind::kPlant:
    {
        const Point base = f.P(0.5f, 0.88f);
        const Shape leaves = Rotate(art::Ellipse(base.x - f.L(0.2f), base.y - f.L(0.3f), f.L(0.12f), f.L(0.3f)),
                                    base.x, base.y, -15);
        Shape right = Rotate(art::Ellipse(base.x + f.L(0.2f), base.y - f.L(0.3f), f.L(0.12f), f.L(0.3f)), base.x,
                             base.y, 15);
        Icon(c, Union(leaves, right), Hex(0x3fb84f), 1.5f);
        Icon(c, Line(f, 0.5f, 0.88f, 0.5f, 0.3f, 0.06f), Hex(0x2d8a3a), 0.5f);
        const Point flower = f.P(0.5f, 0.24f);
        Icon(c, art::Star(flower.x, flower.y, f.L(0.2f), f.L(0.1f), 5, 0), Hex(0xff6fa8), 1.0f);
        c.FillShape(Disc(f, 0.5f, 0.24f, 0.06f), Hex(0xffe040));
        break;
    }
    case IconKind::kCactus:
    {
        Shape s = Line(f, 0.5f, 0.9f, 0.5f, 0.16f, 0.22f);
        s = Union(s, Union(Line(f, 0.3f, 0.56f, 0.3f, 0.34f, 0.14f), Line(f, 0.3f, 0.56f, 0.5f, 0.56f, 0.14f)));
        s = Union(s, Union(Line(f, 0.7f, 0.46f, 0.7f, 0.26f, 0.14f), Line(f, 0.7f, 0.46f, 0.5f, 0.46f, 0.14f)));
        Icon(c, s, Hex(0x3a9e4c), 2.0f);
        break;
    }
    case IconKind::kTeleporter:
        Teleporter(c, f);
        break;
    case IconKind::kBomb:
        Bomb(c, f);
        break;
    case IconKind::kSmasher:
        IsoCube(c, f.P(0.5f, 0.28f).x, f.P(0.5f, 0.28f).y, f.L(0.46f), Hex(0x8e9bb0));
        c.FillShape(art::Star(f.P(0.5f, 0.28f).x, f.P(0.5f, 0.28f).y, f.L(0.2f), f.L(0.08f), 4, 45), Hex(0xff5b3a));
        break;
    case IconKind::kStone:
        IsoCube(c, f.P(0.5f, 0.28f).x, f.P(0.5f, 0.28f).y, f.L(0.46f), Hex(0x8d8677));
        c.FillShape(Union(Line(f, 0.32f, 0.58f, 0.42f, 0.72f, 0.04f), Line(f, 0.42f, 0.72f, 0.38f, 0.88f, 0.04f)),
                    Hex(0x3c382f, 0.8f));
        c.FillShape(Line(f, 0.62f, 0.6f, 0.74f, 0.74f, 0.04f), Hex(0x3c382f, 0.7f));
        break;
    case IconKind::kRainbow:
        Rainbow(c, f);
        break;
    case IconKind::kPencil:
    {
        const Point m = f.P(0.5f, 0.5f);
        const Shape body = art::RoundedRect(m.x - f.L(0.1f), m.y - f.L(0.42f), f.L(0.2f), f.L(0.62f), f.L(0.03f));
        const Shape tip = Poly(f, {{0.4f, 0.7f}, {0.6f, 0.7f}, {0.5f, 0.95f}});
        Icon(c, Rotate(tip, m.x, m.y, 40), Hex(0xf2d2a0), 1.0f);
        Icon(c, Rotate(body, m.x, m.y, 40), Hex(0xffb12a), 1.5f);
        break;
    }
    case IconKind::kTag:
        Icon(c, Soften(Poly(f, {{0.06f, 0.3f}, {0.62f, 0.3f}, {0.94f, 0.5f}, {0.62f, 0.7f}, {0.06f, 0.7f}}), f.L(0.04f)),
             Hex(0xffb12a), 1.5f);
        c.FillShape(Disc(f, 0.68f, 0.5f, 0.06f), Hex(0x7a4a10));
        break;
    case IconKind::kNewPage:
        Icon(c, Soften(Poly(f, {{0.16f, 0.06f}, {0.62f, 0.06f}, {0.84f, 0.28f}, {0.84f, 0.94f}, {0.16f, 0.94f}}), 0.5f),
             Hex(0xfafcff), 1.0f);
        c.FillShape(Poly(f, {{0.62f, 0.06f}, {0.84f, 0.28f}, {0.62f, 0.28f}}), Hex(0xc8d2de));
        Icon(c, Union(Line(f, 0.5f, 0.42f, 0.5f, 0.78f, 0.12f), Line(f, 0.32f, 0.6f, 0.68f, 0.6f, 0.12f)),
             Hex(0x34c759), 1.0f);
        break;
    }
}

} // namespace uigen
