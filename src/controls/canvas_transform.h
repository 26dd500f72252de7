#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>

// The one map between the canvas view's own coordinates and canvas pixels:
// a view point v lies over canvas pixel floor((v - origin) / scale) on each
// axis, so a point left of or above the picture lies over a negative pixel,
// never over pixel 0. Everything that turns a position into a pixel or a
// pixel into a place on the screen asks it.
class CanvasTransform
{
public:
    CanvasTransform() = default;
    CanvasTransform(QPointF origin, double scale) : m_origin(origin), m_scale(scale) {}

    QPointF origin() const { return m_origin; }
    // View pixels per canvas pixel.
    double scale() const { return m_scale; }

    // The canvas pixel under a view point.
    QPoint toCanvas(QPointF view) const;
    // The canvas pixels that a view rectangle touches.
    QRect toCanvas(const QRect &view) const;
    // The view pixels that show a canvas rectangle, edges rounded outwards.
    QRect toView(const QRect &canvas) const;
    // The whole canvas pixels that a view size spans on each axis.
    QSize toCanvasSize(QSize view) const;

private:
    QPointF m_origin;
    double m_scale = 1;
};
