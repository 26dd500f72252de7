#include "tool_icons.h"

#include "tool_options.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

constexpr int Side = 16;

const QColor Ink(0, 0, 0);
const QColor Shade(96, 96, 96);
const QColor Blue(40, 90, 200);
const QColor Red(210, 40, 40);
const QColor Yellow(240, 200, 40);
const QColor Pink(240, 150, 170);
const QColor Brown(140, 90, 40);
const QColor Grey(170, 170, 170);

void outline(QPainter &p, const QColor &colour)
{
    p.setPen(QPen(colour, 1));
    p.setBrush(Qt::NoBrush);
}

void filled(QPainter &p, const QColor &fill)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(fill);
}

} // namespace

namespace ToolIcons {

void select(QPainter &p)
{
    // A marching-ants frame.
    for (int i = 2; i <= 13; ++i) {
        if (i % 2 == 0) {
            p.drawPoint(i, 2);
            p.drawPoint(i, 13);
            p.drawPoint(2, i);
            p.drawPoint(13, i);
        }
    }
}

void pencil(QPainter &p)
{
    p.setPen(QPen(Yellow, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(5, 10, 11, 4);
    p.setPen(QPen(Pink, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(11, 4, 13, 2);
    outline(p, Ink);
    p.drawLine(3, 9, 10, 2);
    p.drawLine(6, 12, 13, 5);
    p.drawLine(3, 9, 2, 13);
    p.drawLine(6, 12, 2, 13);
    p.drawPoint(2, 12);
}

void line(QPainter &p)
{
    p.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(2, 13, 13, 2);
}

void star(QPainter &p)
{
    outline(p, Blue);
    const QPoint centre(3, 12);
    for (const QPoint end : {QPoint(14, 12), QPoint(14, 7), QPoint(13, 3), QPoint(9, 1),
                             QPoint(3, 1), QPoint(11, 9), QPoint(7, 2)})
        p.drawLine(centre, end);
}

void box(QPainter &p, bool fill)
{
    fill ? filled(p, Blue) : outline(p, Ink);
    p.drawRect(1, 3, 13, 9);
}

void circle(QPainter &p, bool fill)
{
    fill ? filled(p, Red) : outline(p, Ink);
    p.drawEllipse(2, 2, 11, 11);
}

void ellipse(QPainter &p, bool fill)
{
    fill ? filled(p, Yellow) : outline(p, Ink);
    p.drawEllipse(1, 4, 13, 8);
}

void roundedBox(QPainter &p, bool fill)
{
    fill ? filled(p, QColor(60, 160, 80)) : outline(p, Ink);
    p.drawRoundedRect(1, 2, 13, 11, 3, 3);
}

void bucket(QPainter &p)
{
    filled(p, Grey);
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(8, 2), QPoint(14, 8), QPoint(9, 13)}));
    outline(p, Ink);
    p.drawLine(8, 2, 8, 7);
    p.setPen(QPen(Blue, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(3, 8, 3, 13);
    p.drawLine(4, 7, 5, 7);
}

void airbrush(QPainter &p)
{
    filled(p, Grey);
    p.drawRect(8, 6, 6, 8);
    p.drawRect(10, 3, 2, 3);
    outline(p, Ink);
    p.drawLine(7, 7, 9, 4);
    p.setPen(Red);
    for (const QPoint dot : {QPoint(1, 2), QPoint(3, 1), QPoint(4, 3), QPoint(2, 5), QPoint(5, 5),
                             QPoint(1, 7), QPoint(3, 8), QPoint(6, 2), QPoint(0, 4)})
        p.drawPoint(dot);
}

void curve(QPainter &p)
{
    QPainterPath path(QPointF(1.5, 13.5));
    path.cubicTo(QPointF(3, 0), QPointF(12, 16), QPointF(14.5, 2.5));
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void polygon(QPainter &p)
{
    outline(p, Ink);
    p.drawPolygon(QPolygon(
        {QPoint(2, 5), QPoint(8, 1), QPoint(14, 6), QPoint(11, 14), QPoint(4, 12), QPoint(6, 8)}));
}

void brush(QPainter &p)
{
    p.setPen(QPen(Brown, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(14, 1, 8, 7);
    p.setPen(QPen(Grey, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(8, 7, 6, 9);
    filled(p, Ink);
    p.drawPolygon(
        QPolygon({QPoint(5, 9), QPoint(7, 11), QPoint(4, 14), QPoint(1, 14), QPoint(2, 11)}));
}

void eraser(QPainter &p)
{
    filled(p, Pink);
    p.drawPolygon(QPolygon({QPoint(1, 10), QPoint(8, 3), QPoint(14, 8), QPoint(7, 14)}));
    filled(p, QColor(250, 250, 250));
    p.drawPolygon(QPolygon({QPoint(1, 10), QPoint(4, 7), QPoint(10, 12), QPoint(7, 14)}));
}

void pipette(QPainter &p)
{
    p.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(11, 4, 13, 2);
    p.setPen(QPen(Grey, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(4, 11, 9, 6);
    outline(p, Ink);
    p.drawLine(7, 4, 11, 8);
    p.drawLine(3, 11, 2, 13);
    p.setPen(Blue);
    p.drawPoint(1, 14);
    p.drawPoint(2, 14);
}

void stamp(QPainter &p)
{
    filled(p, Brown);
    p.drawEllipse(5, 1, 5, 4);
    p.drawRect(6, 5, 3, 4);
    filled(p, Grey);
    p.drawRect(2, 9, 11, 3);
    p.setPen(QPen(Red, 1));
    p.drawLine(2, 14, 13, 14);
}

void gradient(QPainter &p)
{
    QLinearGradient blend(2, 0, 13, 0);
    blend.setColorAt(0, Blue);
    blend.setColorAt(1, QColor(255, 255, 255));
    p.setPen(QPen(Ink, 1));
    p.setBrush(blend);
    p.drawRect(1, 2, 13, 11);
}

void text(QPainter &p)
{
    p.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(3, 14, 8, 1);
    p.drawLine(8, 1, 13, 14);
    p.setPen(QPen(Ink, 1));
    p.drawLine(5, 9, 11, 9);
}

} // namespace ToolIcons

QImage toolIcon(IconPainter paint)
{
    QImage icon(Side, Side, QImage::Format_RGB32);
    icon.fill(toQRgb(TransparentKey));
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Ink);
    paint(p);
    return icon;
}
