#include "raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace raster {

namespace {

int clampCoordinate(int v)
{
    return std::clamp(v, -CoordinateLimit, CoordinateLimit);
}

QPoint clampPoint(QPoint p)
{
    return {clampCoordinate(p.x()), clampCoordinate(p.y())};
}

// Normalised inclusive box of two corners.
QRect boxOf(QPoint p, QPoint q)
{
    p = clampPoint(p);
    q = clampPoint(q);
    return QRect(QPoint(std::min(p.x(), q.x()), std::min(p.y(), q.y())),
                 QPoint(std::max(p.x(), q.x()), std::max(p.y(), q.y())));
}

RowShape emptyRows(int top, int count)
{
    RowShape shape;
    shape.top = top;
    shape.rows.assign(static_cast<std::size_t>(std::max(count, 0)), Span{});
    return shape;
}

void include(Span &span, int x)
{
    if (span.empty()) {
        span = {x, x};
    } else {
        span.left = std::min(span.left, x);
        span.right = std::max(span.right, x);
    }
}

} // namespace

bool RowShape::empty() const
{
    return std::all_of(rows.begin(), rows.end(), [](const Span &s) { return s.empty(); });
}

QRect RowShape::bounds() const
{
    QRect r;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].empty()) {
            const int y = top + static_cast<int>(i);
            r |= QRect(QPoint(rows[i].left, y), QPoint(rows[i].right, y));
        }
    }
    return r;
}

bool RowShape::contains(int x, int y) const
{
    if (y < top || y > bottom())
        return false;
    const Span &s = rows[static_cast<std::size_t>(y - top)];
    return x >= s.left && x <= s.right;
}

RowShape rectShape(QPoint p, QPoint q)
{
    const QRect box = boxOf(p, q);
    RowShape shape = emptyRows(box.top(), box.height());
    std::fill(shape.rows.begin(), shape.rows.end(), Span{box.left(), box.right()});
    return shape;
}

RowShape ellipseShape(QPoint p, QPoint q)
{
    // An integer midpoint walk from the equator to the poles; the four
    // quadrants are plotted as mirror images of each other, so the result is
    // symmetric and touches all four sides of the box.
    const QRect box = boxOf(p, q);
    RowShape shape = emptyRows(box.top(), box.height());
    auto plot = [&](long long x, long long y) {
        const long long row = y - box.top();
        if (row >= 0 && row < static_cast<long long>(shape.rows.size()))
            include(shape.rows[static_cast<std::size_t>(row)], static_cast<int>(x));
    };

    long long x0 = box.left();
    long long x1 = box.right();
    long long y0 = box.top();
    long long a = x1 - x0;
    long long b = box.bottom() - y0;
    long long b1 = b & 1;
    double dx = 4.0 * (1.0 - static_cast<double>(a)) * static_cast<double>(b * b);
    double dy = 4.0 * static_cast<double>((b1 + 1) * a * a);
    double err = dx + dy + static_cast<double>(b1 * a * a);
    y0 += (b + 1) / 2;
    long long y1 = y0 - b1;
    const double stepA = 8.0 * static_cast<double>(a * a);
    const double stepB = 8.0 * static_cast<double>(b * b);

    do {
        plot(x1, y0);
        plot(x0, y0);
        plot(x0, y1);
        plot(x1, y1);
        const double e2 = 2 * err;
        if (e2 <= dy) {
            ++y0;
            --y1;
            dy += stepA;
            err += dy;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++x0;
            --x1;
            dx += stepB;
            err += dx;
        }
    } while (x0 <= x1);

    // Very flat ellipses stop early; finish their tips.
    while (y0 - y1 <= b) {
        plot(x0 - 1, y0);
        plot(x1 + 1, y0++);
        plot(x0 - 1, y1);
        plot(x1 + 1, y1--);
    }
    return shape;
}

RowShape roundRectShape(QPoint p, QPoint q, int cornerWidth, int cornerHeight)
{
    const QRect box = boxOf(p, q);
    RowShape shape = rectShape(box.topLeft(), box.bottomRight());
    const int cw = std::clamp(cornerWidth, 0, box.width());
    const int ch = std::clamp(cornerHeight, 0, box.height());
    if (cw < 2 || ch < 2)
        return shape;
    const RowShape corner = ellipseShape({0, 0}, {cw - 1, ch - 1});
    const int cornerRows = ch / 2;
    const int n = static_cast<int>(shape.rows.size());
    for (int r = 0; r < cornerRows; ++r) {
        const int inset = corner.rows[static_cast<std::size_t>(r)].left;
        Span &topRow = shape.rows[static_cast<std::size_t>(r)];
        Span &bottomRow = shape.rows[static_cast<std::size_t>(n - 1 - r)];
        topRow = {box.left() + inset, box.right() - inset};
        bottomRow = topRow;
    }
    return shape;
}

namespace {

// x-interval of the points of row height y within radius r of centre c.
bool discInterval(double cx, double cy, double r, double y, double &lo, double &hi)
{
    const double dy = y - cy;
    const double h2 = r * r - dy * dy;
    if (h2 < -1e-9)
        return false;
    const double h = std::sqrt(std::max(h2, 0.0));
    lo = cx - h;
    hi = cx + h;
    return true;
}

// Narrows [lo, hi] to the X with k * X + m within [from, to].
bool constrain(double k, double m, double from, double to, double &lo, double &hi)
{
    if (std::abs(k) < 1e-12)
        return m >= from - 1e-9 && m <= to + 1e-9;
    double a = (from - m) / k;
    double b = (to - m) / k;
    if (a > b)
        std::swap(a, b);
    lo = std::max(lo, a);
    hi = std::min(hi, b);
    return lo <= hi + 1e-9;
}

} // namespace

RowShape capsuleShape(QPoint a, QPoint b, int diameter, int clipTop, int clipBottom)
{
    a = clampPoint(a);
    b = clampPoint(b);
    const int d = std::max(diameter, 1);
    const double r = d / 2.0;
    const double offset = (d % 2 == 1) ? 0.5 : 0.0;
    const double px = a.x() + offset, py = a.y() + offset;
    const double qx = b.x() + offset, qy = b.y() + offset;

    const int top = std::max(clipTop, static_cast<int>(std::floor(std::min(py, qy) - r)) - 1);
    const int bottom = std::min(clipBottom, static_cast<int>(std::ceil(std::max(py, qy) + r)) + 1);
    RowShape shape = emptyRows(top, bottom - top + 1);

    const double lx = qx - px, ly = qy - py;
    const double length = std::hypot(lx, ly);
    const double ux = length > 0 ? lx / length : 0, uy = length > 0 ? ly / length : 0;
    constexpr double eps = 1e-9;

    for (int y = top; y <= bottom; ++y) {
        const double yc = y + 0.5;
        double left = 0, right = 0;
        bool any = false;
        auto unite = [&](double lo, double hi) {
            left = any ? std::min(left, lo) : lo;
            right = any ? std::max(right, hi) : hi;
            any = true;
        };
        double lo = 0, hi = 0;
        if (discInterval(px, py, r, yc, lo, hi))
            unite(lo, hi);
        if (discInterval(qx, qy, r, yc, lo, hi))
            unite(lo, hi);
        if (length > 0) {
            // The band between the two dots: projection within the segment,
            // perpendicular distance within r.
            lo = -1e300;
            hi = 1e300;
            const double along = (yc - py) * uy;
            const double across = (yc - py) * ux;
            if (constrain(ux, along - px * ux, 0, length, lo, hi) &&
                constrain(-uy, across + px * uy, -r, r, lo, hi))
                unite(lo, hi);
        }
        if (!any)
            continue;
        const int from = static_cast<int>(std::ceil(left - 0.5 - eps));
        const int to = static_cast<int>(std::floor(right - 0.5 + eps));
        if (from <= to)
            shape.rows[static_cast<std::size_t>(y - top)] = {from, to};
    }
    return shape;
}

std::vector<PathPixel> linePath(QPoint a, QPoint b, const QRect &clip)
{
    a = clampPoint(a);
    b = clampPoint(b);
    std::vector<PathPixel> path;
    const bool xMajor = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
    // Walk along the major axis in increasing order, so that a-b and b-a give
    // the same pixels.
    if (xMajor ? a.x() > b.x() : a.y() > b.y())
        std::swap(a, b);
    const long long major = xMajor ? b.x() - a.x() : b.y() - a.y();
    const long long minorDelta = xMajor ? b.y() - a.y() : b.x() - a.x();
    const long long minorAbs = std::llabs(minorDelta);
    const int sign = minorDelta < 0 ? -1 : 1;
    const int majorStart = xMajor ? a.x() : a.y();
    const int minorStart = xMajor ? a.y() : a.x();
    const int clipFrom = xMajor ? clip.left() : clip.top();
    const int clipTo = xMajor ? clip.right() : clip.bottom();
    const long long first = std::max<long long>(0, clipFrom - majorStart);
    const long long last = std::min<long long>(major, clipTo - majorStart);
    for (long long i = first; i <= last; ++i) {
        const long long minorStep = major == 0 ? 0 : (2 * i * minorAbs + major) / (2 * major);
        const int m = majorStart + static_cast<int>(i);
        const int n = minorStart + sign * static_cast<int>(minorStep);
        const QPoint pt = xMajor ? QPoint(m, n) : QPoint(n, m);
        if (clip.contains(pt))
            path.push_back({pt, static_cast<int>(i)});
    }
    return path;
}

std::vector<QPoint> outlinePath(const RowShape &shape)
{
    // Rows without pixels only occur at the ends of shapes built here; trim them.
    std::size_t first = 0, last = shape.rows.size();
    while (first < last && shape.rows[first].empty())
        ++first;
    while (last > first && shape.rows[last - 1].empty())
        --last;
    std::vector<QPoint> path;
    if (first == last)
        return path;
    const int n = static_cast<int>(last - first);
    auto row = [&](int i) {
        return shape.rows[first + static_cast<std::size_t>(i)];
    };
    const int top = shape.top + static_cast<int>(first);

    if (n == 1) {
        for (int x = row(0).left; x <= row(0).right; ++x)
            path.emplace_back(x, top);
        return path;
    }

    // For every middle row, the left run ends at leftEnd and the right run
    // starts at rightStart; where they would meet the row is split in two.
    std::vector<int> leftEnd(static_cast<std::size_t>(n)), rightStart(static_cast<std::size_t>(n));
    for (int i = 1; i < n - 1; ++i) {
        const Span s = row(i), up = row(i - 1), down = row(i + 1);
        int a = std::max(s.left, std::max(up.left, down.left) - 1);
        int b = std::min(s.right, std::min(up.right, down.right) + 1);
        if (a >= b - 1) {
            b = (s.left + s.right + 1) / 2;
            a = b - 1;
        }
        leftEnd[static_cast<std::size_t>(i)] = a;
        rightStart[static_cast<std::size_t>(i)] = b;
    }

    for (int x = row(0).left; x <= row(0).right; ++x)
        path.emplace_back(x, top);
    for (int i = 1; i < n - 1; ++i) {
        const Span s = row(i);
        const int b = rightStart[static_cast<std::size_t>(i)];
        if (s.right >= row(i - 1).right) {
            for (int x = b; x <= s.right; ++x)
                path.emplace_back(x, top + i);
        } else {
            for (int x = s.right; x >= b; --x)
                path.emplace_back(x, top + i);
        }
    }
    for (int x = row(n - 1).right; x >= row(n - 1).left; --x)
        path.emplace_back(x, top + n - 1);
    for (int i = n - 2; i >= 1; --i) {
        const Span s = row(i);
        const int a = leftEnd[static_cast<std::size_t>(i)];
        if (s.left <= row(i + 1).left) {
            for (int x = a; x >= s.left; --x)
                path.emplace_back(x, top + i);
        } else {
            for (int x = s.left; x <= a; ++x)
                path.emplace_back(x, top + i);
        }
    }
    return path;
}

namespace {

// Alternating on and off run lengths, starting with "on"; none for solid.
const std::vector<int> &dashRuns(int style)
{
    static const std::array<std::vector<int>, 5> patterns = {{
        {},
        {12, 6},
        {3, 3},
        {9, 4, 3, 4},
        {9, 3, 3, 3, 3, 3},
    }};
    if (style <= 0 || style >= static_cast<int>(patterns.size()))
        return patterns[0];
    return patterns[static_cast<std::size_t>(style)];
}

} // namespace

int dashPeriod(int style)
{
    int period = 0;
    for (int r : dashRuns(style))
        period += r;
    return std::max(period, 1);
}

bool dashOn(int style, int step)
{
    const std::vector<int> &runs = dashRuns(style);
    const int period = dashPeriod(style);
    int pos = ((step % period) + period) % period;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (pos < runs[i])
            return i % 2 == 0;
        pos -= runs[i];
    }
    return true;
}

} // namespace raster
