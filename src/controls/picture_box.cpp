#include "picture_box.h"

#include "core/surface.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    // The surface covers the whole widget; nothing beneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setSurface(Surface *surface)
{
    if (m_surface == surface)
        return;
    if (m_surface)
        disconnect(m_surface, nullptr, this, nullptr);
    m_surface = surface;
    if (m_surface) {
        connect(m_surface, &Surface::screenChanged, this,
                qOverload<const QRect &>(&QWidget::update));
        connect(m_surface, &Surface::sizeChanged, this, &PictureBox::followSize);
        connect(m_surface, &QObject::destroyed, this, [this] {
            m_surface = nullptr;
            update();
        });
        followSize();
    }
    update();
}

void PictureBox::followSize()
{
    if (m_surface)
        resize(m_surface->size());
    updateGeometry();
}

QSize PictureBox::sizeHint() const
{
    return m_surface ? m_surface->size() : QSize(0, 0);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // A picture pixel must stay a block of whole device pixels, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (m_surface)
        m_surface->paintScreen(painter, event->rect());
}
