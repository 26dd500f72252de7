#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

// Kalvo's own rasterisation: shapes as rows of pixel spans, thin lines and
// outlines as ordered pixel paths. Everything here is pure geometry on integer
// pixel coordinates; the surface paints the results. The rules are chosen so
// that shapes are symmetric: a box, an ellipse or a rounded rectangle is the
// same whichever pair of opposite corners defines it.
namespace raster {

// Inclusive run of pixels on one row; empty when left > right.
struct Span {
    int left = 0;
    int right = -1;
    bool empty() const { return left > right; }
    friend bool operator==(const Span &, const Span &) = default;
};

// A shape given row by row: rows[i] is the span of row top + i.
struct RowShape {
    int top = 0;
    std::vector<Span> rows;

    int bottom() const { return top + static_cast<int>(rows.size()) - 1; }
    bool empty() const;
    QRect bounds() const;
    bool contains(int x, int y) const;
};

// Coordinates beyond this distance from the origin are clamped before shapes
// are built, which bounds the work for absurd input.
inline constexpr int CoordinateLimit = 1 << 17;

// Axis-aligned shapes inside the inclusive box with corners p and q.
RowShape rectShape(QPoint p, QPoint q);
RowShape ellipseShape(QPoint p, QPoint q);
RowShape roundRectShape(QPoint p, QPoint q, int cornerWidth, int cornerHeight);

// All pixels whose centres lie within diameter / 2 of the segment a-b: a round
// dot of that diameter swept from a to b. An odd diameter centres the dot on
// the pixel, an even one on the pixel's top-left corner. Only rows in
// [clipTop, clipBottom] are computed.
RowShape capsuleShape(QPoint a, QPoint b, int diameter, int clipTop, int clipBottom);

// The thin line from a to b, both ends included, as an ordered path. The same
// pixels result whichever end comes first. Only pixels inside clip are listed,
// each with its step index along the whole line (for dash patterns).
struct PathPixel {
    QPoint point;
    int step = 0;
};
std::vector<PathPixel> linePath(QPoint a, QPoint b, const QRect &clip);

// The boundary pixels of a convex row shape (those with a 4-neighbour outside
// it) in the order of a walk around the shape, clockwise from the top left.
std::vector<QPoint> outlinePath(const RowShape &shape);

// Line styles of one-pixel pens: 0 solid, 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot. Whether the pixel at a step along a path is drawn.
bool dashOn(int style, int step);
// The number of steps after which a style's pattern repeats (1 for solid).
int dashPeriod(int style);

} // namespace raster
