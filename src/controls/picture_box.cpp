#include "picture_box.h"

#include "core/surface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

int buttonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

} // namespace

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
                [this](const QRect &area) { update(area); });
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

QRect PictureBox::frameArea(const QRect &frame)
{
    return frame.isNull() ? QRect() : frame.normalized();
}

void PictureBox::moveOverlay(QRect &overlay, const QRect &to)
{
    if (overlay == to)
        return;
    update(frameArea(overlay));
    overlay = to;
    update(frameArea(overlay));
}

void PictureBox::setSelectionFrame(const QRect &frame)
{
    moveOverlay(m_selectionFrame, frame);
}

void PictureBox::hideSelectionFrame()
{
    moveOverlay(m_selectionFrame, QRect());
}

void PictureBox::setMarker(const QRect &marker)
{
    moveOverlay(m_marker, marker);
}

void PictureBox::hideMarker()
{
    moveOverlay(m_marker, QRect());
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // A picture pixel must stay a block of whole device pixels, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (m_surface)
        m_surface->paintScreen(painter, event->rect());

    if (!m_selectionFrame.isNull())
        paintDottedFrame(painter, frameArea(m_selectionFrame), event->rect());
    // The clone marker often sits on dark pictures: dotted like the frame.
    if (!m_marker.isNull())
        paintDottedFrame(painter, frameArea(m_marker), event->rect());
}

void PictureBox::paintDottedFrame(QPainter &painter, const QRect &frame, const QRect &dirty)
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

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit mouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit mouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit mouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second press of a double click is reported only as the double
    // click; its release still arrives as a mouseUp.
    emit dblClick();
}

void PictureBox::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    const int code = virtualKeyCode(event->key());
    if (code != 0)
        emit keyUp(code);
}

int PictureBox::virtualKeyCode(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // the same ASCII codes
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}
