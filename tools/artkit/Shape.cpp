// Signed distance functions of the art kit's shapes.
#include "tools/artkit/Shape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace art
{

namespace
{

float SegmentDistance(float px, float py, Point a, Point b)
{
    const float bx = b.x - a.x, by = b.y - a.y;
    const float len2 = bx * bx + by * by;
    const float t = len2 > 0 ? std::clamp(((px - a.x) * bx + (py - a.y) * by) / len2, 0.0f, 1.0f) : 0.0f;
    const float dx = px - a.x - bx * t, dy = py - a.y - by * t;
    return std::sqrt(dx * dx + dy * dy);
}

float Radians(float degrees)
{
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

} // namespace

Shape Circle(float cx, float cy, float radius)
{
    return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; }, cx - radius, cy - radius,
            cx + radius, cy + radius};
}

Shape Ellipse(float cx, float cy, float rx, float ry)
{
    // Scaled circle distance: exact on the axes, close enough elsewhere for anti-aliasing.
    const float m = std::min(rx, ry);
    return {[=](float x, float y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1.0f) * m; }, cx - rx,
            cy - ry, cx + rx, cy + ry};
}

Shape RoundedRect(float x, float y, float w, float h, float radius)
{
    const float hx = w * 0.5f, hy = h * 0.5f, cx = x + hx, cy = y + hy;
    const float r = std::min({radius, hx, hy});
    return {[=](float px, float py)
            {
                const float qx = std::fabs(px - cx) - hx + r, qy = std::fabs(py - cy) - hy + r;
                return std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) -
                       r;
            },
            x, y, x + w, y + h};
}

Shape Capsule(Point a, Point b, float thickness)
{
    const float r = thickness * 0.5f;
    return {[=](float x, float y) { return SegmentDistance(x, y, a, b) - r; }, std::min(a.x, b.x) - r,
            std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r};
}

Shape Polygon(std::vector<Point> points)
{
    Shape s;
    s.left = s.right = points.empty() ? 0 : points[0].x;
    s.top = s.bottom = points.empty() ? 0 : points[0].y;
    for (const Point& p : points)
    {
        s.left = std::min(s.left, p.x), s.right = std::max(s.right, p.x);
        s.top = std::min(s.top, p.y), s.bottom = std::max(s.bottom, p.y);
    }
    s.distance = [pts = std::move(points)](float x, float y)
    {
        float best = 1e30f;
        bool inside = false;
        const size_t n = pts.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++)
        {
            best = std::min(best, SegmentDistance(x, y, pts[j], pts[i]));
            if ((pts[i].y > y) != (pts[j].y > y) &&
                x < (pts[j].x - pts[i].x) * (y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x)
                inside = !inside;
        }
        return inside ? -best : best;
    };
    return s;
}

Shape RegularPolygon(float cx, float cy, float radius, int sides, float rotationDegrees)
{
    std::vector<Point> pts;
    for (int i = 0; i < sides; ++i)
    {
        const float a = Radians(rotationDegrees) + 2.0f * std::numbers::pi_v<float> * i / sides;
        pts.push_back({cx + radius * std::sin(a), cy - radius * std::cos(a)});
    }
    return Polygon(std::move(pts));
}

Shape Star(float cx, float cy, float outer, float inner, int points, float rotationDegrees)
{
    std::vector<Point> pts;
    for (int i = 0; i < points * 2; ++i)
    {
        const float r = i % 2 == 0 ? outer : inner;
        const float a = Radians(rotationDegrees) + std::numbers::pi_v<float> * i / points;
        pts.push_back({cx + r * std::sin(a), cy - r * std::cos(a)});
    }
    return Polygon(std::move(pts));
}

Shape Union(const Shape& a, const Shape& b)
{
    return {[=](float x, float y) { return std::min(a(x, y), b(x, y)); }, std::min(a.left, b.left),
            std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Shape Subtract(const Shape& a, const Shape& b)
{
    return {[=](float x, float y) { return std::max(a(x, y), -b(x, y)); }, a.left, a.top, a.right, a.bottom};
}

Shape Intersect(const Shape& a, const Shape& b)
{
    return {[=](float x, float y) { return std::max(a(x, y), b(x, y)); }, std::max(a.left, b.left),
            std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

Shape Offset(const Shape& s, float amount)
{
    return {[=](float x, float y) { return s(x, y) - amount; }, s.left - amount, s.top - amount,
            s.right + amount, s.bottom + amount};
}

Shape Outline(const Shape& s, float width)
{
    const float h = width * 0.5f;
    return {[=](float x, float y) { return std::fabs(s(x, y)) - h; }, s.left - h, s.top - h, s.right + h,
            s.bottom + h};
}

Shape Translate(const Shape& s, float dx, float dy)
{
    return {[=](float x, float y) { return s(x - dx, y - dy); }, s.left + dx, s.top + dy, s.right + dx,
            s.bottom + dy};
}

Shape MakeEmblem(Emblem kind, float cx, float cy, float r)
{
    switch (kind)
    {
    case Emblem::kCircle:
        return Circle(cx, cy, r * 0.85f);
    case Emblem::kDiamond:
        return Offset(RegularPolygon(cx, cy, r * 0.92f, 4, 0), -r * 0.02f);
    case Emblem::kTriangle:
        return Offset(RegularPolygon(cx, cy + r * 0.18f, r * 0.95f, 3, 0), r * 0.04f);
    case Emblem::kSquare:
        return RoundedRect(cx - r * 0.72f, cy - r * 0.72f, r * 1.44f, r * 1.44f, r * 0.14f);
    case Emblem::kStar:
        return Star(cx, cy + r * 0.06f, r, r * 0.45f, 5, 0);
    case Emblem::kHeart:
    {
        const float lobe = r * 0.48f;
        Shape left = Circle(cx - r * 0.42f, cy - r * 0.28f, lobe);
        Shape right = Circle(cx + r * 0.42f, cy - r * 0.28f, lobe);
        Shape tip = Polygon(
            {{cx - r * 0.86f, cy - r * 0.12f}, {cx + r * 0.86f, cy - r * 0.12f}, {cx, cy + r * 0.9f}});
        return Union(Union(left, right), tip);
    }
    case Emblem::kClover:
    {
        // Three round leaves: a plain hexagon or disc would read as the circle at small sizes.
        Shape clover = Circle(cx, cy + r * 0.05f, r * 0.3f);
        for (int leaf = 0; leaf < 3; ++leaf)
        {
            const float a = leaf * 2.0f * std::numbers::pi_v<float> / 3.0f;
            clover = Union(clover, Circle(cx + std::sin(a) * r * 0.46f,
                                          cy - std::cos(a) * r * 0.46f + r * 0.05f, r * 0.42f));
        }
        return clover;
    }
    case Emblem::kCross:
    {
        const float arm = r * 0.34f;
        return Union(RoundedRect(cx - arm, cy - r * 0.9f, arm * 2, r * 1.8f, arm * 0.3f),
                     RoundedRect(cx - r * 0.9f, cy - arm, r * 1.8f, arm * 2, arm * 0.3f));
    }
    case Emblem::kCrescent:
        return Subtract(Circle(cx, cy, r * 0.88f), Circle(cx + r * 0.42f, cy - r * 0.2f, r * 0.7f));
    case Emblem::kDrop:
        return Union(Circle(cx, cy + r * 0.28f, r * 0.6f), Polygon({{cx, cy - r * 0.95f},
                                                                    {cx - r * 0.57f, cy + r * 0.1f},
                                                                    {cx + r * 0.57f, cy + r * 0.1f}}));
    }
    return Circle(cx, cy, r);
}

} // namespace art
