// Lines, points, shapes and text with a pen.
#include "surface.h"

#include "numbers.h"
#include "raster.h"
#include "surface_writer.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace {

QPoint pixelOf(QPointF p)
{
    return {roundToInt(p.x()), roundToInt(p.y())};
}

// The box with corners a and b, both included. (QRect::normalized() would
// drop a row and a column from a box given by its lower-right corner first.)
QRect boxOf(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// Pens wider than one pixel reach up to half their width beyond the path.
QRect withPen(const QRect &box, int width)
{
    return box.adjusted(-width, -width, width, width);
}

} // namespace

namespace {

using raster::RowShape;

void fillRows(Surface::Writer &w, const RowShape &shape, QRgb rgb)
{
    const int first = std::max(shape.top, w.clip().top());
    const int last = std::min(shape.bottom(), w.clip().bottom());
    for (int y = first; y <= last; ++y) {
        const raster::Span &s = shape.rows[static_cast<std::size_t>(y - shape.top)];
        if (!s.empty())
            w.span(y, s.left, s.right, rgb);
    }
}

// The pixels of outer that are not in inner.
void fillRing(Surface::Writer &w, const RowShape &outer, const RowShape &inner, QRgb rgb)
{
    const int first = std::max(outer.top, w.clip().top());
    const int last = std::min(outer.bottom(), w.clip().bottom());
    for (int y = first; y <= last; ++y) {
        const raster::Span &o = outer.rows[static_cast<std::size_t>(y - outer.top)];
        if (o.empty())
            continue;
        const bool innerRow = y >= inner.top && y <= inner.bottom();
        const raster::Span i =
            innerRow ? inner.rows[static_cast<std::size_t>(y - inner.top)] : raster::Span{};
        if (i.empty()) {
            w.span(y, o.left, o.right, rgb);
        } else {
            w.span(y, o.left, i.left - 1, rgb);
            w.span(y, i.right + 1, o.right, rgb);
        }
    }
}

void thinOutline(Surface::Writer &w, const RowShape &shape, QRgb rgb, int style)
{
    const std::vector<QPoint> path = raster::outlinePath(shape);
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (raster::dashOn(style, static_cast<int>(i)))
            w.plot(path[i].x(), path[i].y(), rgb);
    }
}

void segment(Surface::Writer &w, QPoint a, QPoint b, int width, int style, QRgb rgb)
{
    if (width <= 1) {
        for (const raster::PathPixel &p : raster::linePath(a, b, w.clip())) {
            if (raster::dashOn(style, p.step))
                w.plot(p.point.x(), p.point.y(), rgb);
        }
        return;
    }
    fillRows(w, raster::capsuleShape(a, b, width, w.clip().top(), w.clip().bottom()), rgb);
}

// Outline of a box: a thin path, or a round pen swept along the four sides.
void boxOutline(Surface::Writer &w, const QRect &box, int width, int style, QRgb rgb)
{
    if (width <= 1) {
        thinOutline(w, raster::rectShape(box.topLeft(), box.bottomRight()), rgb, style);
        return;
    }
    segment(w, box.topLeft(), box.topRight(), width, 0, rgb);
    segment(w, box.topRight(), box.bottomRight(), width, 0, rgb);
    segment(w, box.bottomRight(), box.bottomLeft(), width, 0, rgb);
    segment(w, box.bottomLeft(), box.topLeft(), width, 0, rgb);
}

// Outline of a curved shape built by make(box): a thin path, or for wider pens
// the band between the shape grown by half the pen and shrunk by the rest.
template <typename Make>
void curvedOutline(Surface::Writer &w, const QRect &box, int width, int style, QRgb rgb, Make make)
{
    if (width <= 1) {
        thinOutline(w, make(box, 0), rgb, style);
        return;
    }
    const int grow = width / 2;
    const int shrink = width - grow;
    const QRect outer = box.adjusted(-grow, -grow, grow, grow);
    const QRect inner = box.adjusted(shrink, shrink, -shrink, -shrink);
    const RowShape innerShape = inner.isValid() ? make(inner, -2 * shrink) : RowShape{};
    fillRing(w, make(outer, 2 * grow), innerShape, rgb);
}

} // namespace

void Surface::line(QPointF from, QPointF to, const Pen &pen, LineForm form)
{
    const QPoint a = pixelOf(from);
    const QPoint b = pixelOf(to);
    const QRgb rgb = toQRgb(pen.colour);
    const int width = pen.width;
    const int style = pen.style;
    draw(withPen(boxOf(a, b), width), [&](Writer &w) {
        switch (form) {
        case LineForm::Segment:
            segment(w, a, b, width, style, rgb);
            break;
        case LineForm::Box:
            boxOutline(w, boxOf(a, b), width, style, rgb);
            break;
        case LineForm::FilledBox:
            fillRows(w, raster::rectShape(a, b), rgb);
            if (width > 1)
                boxOutline(w, boxOf(a, b), width, 0, rgb);
            break;
        }
    });
}

void Surface::line(QPointF from, QPointF to, Colour colour, LineForm form)
{
    line(from, to, Pen{colour, m_drawWidth, m_drawStyle}, form);
}

void Surface::pset(QPointF at, const Pen &pen)
{
    const QPoint p = pixelOf(at);
    const QRgb rgb = toQRgb(pen.colour);
    const int width = pen.width;
    draw(withPen(QRect(p, p), width), [&](Writer &w) {
        if (width <= 1)
            w.plot(p.x(), p.y(), rgb);
        else
            fillRows(w, raster::capsuleShape(p, p, width, w.clip().top(), w.clip().bottom()), rgb);
    });
}

void Surface::pset(QPointF at, Colour colour)
{
    pset(at, Pen{colour, m_drawWidth, m_drawStyle});
}

namespace {

RowShape ellipseIn(const QRect &box, int)
{
    return raster::ellipseShape(box.topLeft(), box.bottomRight());
}

} // namespace

template <typename Make> void Surface::closedShape(const QRect &box, const Pen &pen, Make make)
{
    const QRgb rgb = toQRgb(pen.colour);
    const int width = pen.width;
    const int style = pen.style;
    draw(withPen(box, width), [&](Writer &w) {
        if (pen.filled)
            fillRows(w, make(box, 0), toQRgb(pen.fill));
        curvedOutline(w, box, width, style, rgb, make);
    });
}

void Surface::circle(QPointF centre, double radius, const Pen &pen)
{
    const QPoint c = pixelOf(centre);
    const int r = std::min(roundToInt(std::abs(radius)), raster::CoordinateLimit);
    closedShape(QRect(QPoint(c.x() - r, c.y() - r), QPoint(c.x() + r, c.y() + r)), pen, ellipseIn);
}

void Surface::ellipse(QPointF corner1, QPointF corner2, const Pen &pen)
{
    closedShape(boxOf(pixelOf(corner1), pixelOf(corner2)), pen, ellipseIn);
}

void Surface::roundRect(QPointF corner1, QPointF corner2, int cornerWidth, int cornerHeight,
                        const Pen &pen)
{
    // Growing the box by the pen grows the corner with it, so the band keeps
    // an even thickness around the bends.
    closedShape(
        boxOf(pixelOf(corner1), pixelOf(corner2)), pen, [&](const QRect &b, int cornerGrowth) {
            return raster::roundRectShape(b.topLeft(), b.bottomRight(), cornerWidth + cornerGrowth,
                                          cornerHeight + cornerGrowth);
        });
}

QSize Surface::textSize(const QString &text) const
{
    const QFontMetrics metrics(m_font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void Surface::textOut(QPointF at, const QString &text, Colour colour)
{
    if (text.isEmpty())
        return;
    const QPoint origin = pixelOf(at);
    const QFontMetrics metrics(m_font);
    // Room for italic overhang and glyphs that reach past their advance.
    const int margin = metrics.height();
    const QRect area(origin.x() - margin, origin.y(), metrics.horizontalAdvance(text) + 2 * margin,
                     metrics.height());
    if (!area.intersects(rect()) || area.width() > 1 << 15)
        return;
    QImage glyphs(area.size(), QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
    {
        QPainter painter(&glyphs);
        painter.setFont(m_font);
        painter.setPen(QColor(Qt::black));
        painter.drawText(QPoint(margin, metrics.ascent()), text);
    }
    const QRgb rgb = toQRgb(colour);
    draw(area, [&](Writer &w) {
        for (int y = 0; y < glyphs.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(glyphs.constScanLine(y));
            for (int x = 0; x < glyphs.width(); ++x) {
                if (qAlpha(row[x]) != 0)
                    w.plot(area.left() + x, area.top() + y, rgb);
            }
        }
    });
}
