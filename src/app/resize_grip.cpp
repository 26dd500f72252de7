#include "resize_grip.h"

#include "grip_geometry.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

ResizeGrip::ResizeGrip(QWidget *parent) : QWidget(parent)
{
    setFixedSize(GripSize, GripSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage ResizeGrip::picture()
{
    QImage image(GripSize, GripSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(1, 1, GripSize - 2, GripSize - 2, QColor(47, 54, 153));
    return image;
}

void ResizeGrip::paintEvent(QPaintEvent *)
{
    static const QImage image = picture();
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void ResizeGrip::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button(), event->position());
}

void ResizeGrip::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(event->buttons(), event->position());
}
