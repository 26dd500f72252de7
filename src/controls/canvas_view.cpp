#include "canvas_view.h"

#include "core/document.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

CanvasView::CanvasView(QWidget *parent) : PictureBox(parent) {}

void CanvasView::setDocument(Document *document)
{
    if (m_document == document)
        return;
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    if (m_document) {
        connect(m_document, &Document::selectionChanged, this, &CanvasView::overlayMoved);
        connect(m_document, &Document::cloneMarkerChanged, this, &CanvasView::overlayMoved);
        connect(m_document, &QObject::destroyed, this, [this] { m_document = nullptr; });
    }
    setSurface(m_document ? &m_document->canvas() : nullptr);
}

QSize CanvasView::viewSize(QSize surfaceSize) const
{
    return m_transform.toView(QRect(QPoint(0, 0), surfaceSize)).size();
}

void CanvasView::overlayMoved(const QRect &current, const QRect &previous)
{
    update(m_transform.toView(previous.normalized()));
    update(m_transform.toView(current.normalized()));
}

QPointF CanvasView::canvasPoint(QPointF view) const
{
    return QPointF(m_transform.toCanvas(view));
}

void CanvasView::paintEvent(QPaintEvent *event)
{
    PictureBox::paintEvent(event);
    if (!m_document)
        return;
    QPainter painter(this);
    for (const QRect &frame : {m_document->selection(), m_document->cloneMarker()}) {
        // The clone marker often sits on dark pictures: dotted like the frame.
        if (!frame.isNull())
            paintDottedFrame(painter, m_transform.toView(frame.normalized()), event->rect());
    }
}

void CanvasView::paintDottedFrame(QPainter &painter, const QRect &frame, const QRect &dirty) const
{
    // Black and white pixels in turn, so that the frame shows on any picture;
    // only the part inside the area being repainted is drawn.
    const QRect edges[] = {
        {frame.left(), frame.top(), frame.width(), 1},
        {frame.left(), frame.bottom(), frame.width(), 1},
        {frame.left(), frame.top(), 1, frame.height()},
        {frame.right(), frame.top(), 1, frame.height()},
    };
    for (const QRect &edge : edges) {
        const QRect part = edge & dirty;
        for (int y = part.top(); y <= part.bottom(); ++y) {
            for (int x = part.left(); x <= part.right(); ++x)
                painter.fillRect(x, y, 1, 1, (x + y) % 2 == 0 ? Qt::black : Qt::white);
        }
    }
}

void CanvasView::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers(), canvasPoint(event->position()));
}

void CanvasView::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->buttons(), event->modifiers(), canvasPoint(event->position()));
}

void CanvasView::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->modifiers(), canvasPoint(event->position()));
}

void CanvasView::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second press of a double click is reported only as the double
    // click; its release still arrives as a mouseUp.
    emit dblClick();
}

void CanvasView::keyReleaseEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat())
        emit keyUp(static_cast<Qt::Key>(event->key()));
}
