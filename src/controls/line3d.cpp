#include "line3d.h"

#include "core/colour.h"

#include <QPainter>
#include <QResizeEvent>

Line3D::Line3D(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedHeight(Height);
}

QSize Line3D::sizeHint() const
{
    return {width(), Height};
}

void Line3D::resizeEvent(QResizeEvent *event)
{
    // The height is fixed; should a container have lifted the limits, they
    // and the height come back.
    QWidget::resizeEvent(event);
    if (event->size().height() != Height)
        setFixedHeight(Height);
}

void Line3D::paintEvent(QPaintEvent *)
{
    // The colours are read at every paint so that a palette change shows.
    QPainter painter(this);
    painter.fillRect(0, 0, width(), 1, QColor::fromRgb(toQRgb(ButtonShadow)));
    painter.fillRect(0, 1, width(), 1, QColor::fromRgb(toQRgb(ButtonHighlight)));
}
