// Anti-aliased 2D shapes as signed distance functions (negative inside), with simple emblems.
#pragma once

#include <functional>
#include <vector>

namespace art
{

struct Point
{
    float x = 0, y = 0;
};

struct Shape
{
    std::function<float(float, float)> distance;    // pixels; < 0 inside
    float left = 0, top = 0, right = 0, bottom = 0; // conservative bounds of the inside

    float operator()(float x, float y) const { return distance(x, y); }
};

Shape Circle(float cx, float cy, float radius);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape RoundedRect(float x, float y, float w, float h, float radius);
// A line of the given thickness with round ends.
Shape Capsule(Point a, Point b, float thickness);
// Any simple or self-touching polygon (even-odd fill).
Shape Polygon(std::vector<Point> points);
Shape RegularPolygon(float cx, float cy, float radius, int sides, float rotationDegrees);
Shape Star(float cx, float cy, float outer, float inner, int points, float rotationDegrees);

Shape Union(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
// Grows (amount > 0) or shrinks the shape; Outline keeps only a band of width around its edge.
Shape Offset(const Shape& s, float amount);
Shape Outline(const Shape& s, float width);
Shape Translate(const Shape& s, float dx, float dy);

// The colour-blind emblems of the ten cube colours, each recognisable by outline alone.
enum class Emblem
{
    kCircle,
    kDiamond,
    kTriangle,
    kSquare,
    kStar,
    kHeart,
    kClover,
    kCross,
    kCrescent,
    kDrop,
};

Shape MakeEmblem(Emblem kind, float cx, float cy, float radius);

} // namespace art
