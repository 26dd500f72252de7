#include "canvas_transform.h"

#include <cmath>

namespace {

int floorToInt(double value)
{
    return static_cast<int>(std::floor(value));
}

int ceilToInt(double value)
{
    return static_cast<int>(std::ceil(value));
}

} // namespace

QPoint CanvasTransform::toCanvas(QPointF view) const
{
    const QPointF canvas = (view - m_origin) / m_scale;
    return {floorToInt(canvas.x()), floorToInt(canvas.y())};
}

QRect CanvasTransform::toCanvas(const QRect &view) const
{
    if (view.isEmpty())
        return {};
    const QPoint topLeft = toCanvas(QPointF(view.topLeft()));
    // The last view pixel's far edge, just inside it.
    const QPointF end(view.x() + view.width(), view.y() + view.height());
    const QPointF canvasEnd = (end - m_origin) / m_scale;
    return QRect(topLeft, QPoint(ceilToInt(canvasEnd.x()) - 1, ceilToInt(canvasEnd.y()) - 1));
}

QRect CanvasTransform::toView(const QRect &canvas) const
{
    if (canvas.isEmpty())
        return {};
    const double left = canvas.x() * m_scale + m_origin.x();
    const double top = canvas.y() * m_scale + m_origin.y();
    const double right = (canvas.x() + canvas.width()) * m_scale + m_origin.x();
    const double bottom = (canvas.y() + canvas.height()) * m_scale + m_origin.y();
    return QRect(QPoint(floorToInt(left), floorToInt(top)),
                 QPoint(ceilToInt(right) - 1, ceilToInt(bottom) - 1));
}

QSize CanvasTransform::toCanvasSize(QSize view) const
{
    return {floorToInt(view.width() / m_scale), floorToInt(view.height() / m_scale)};
}
