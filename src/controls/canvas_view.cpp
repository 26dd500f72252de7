#include "canvas_view.h"

#include "core/document.h"
#include "reduced_picture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>
#include <array>

namespace {

// Assistive tools see the view as the picture on the screen, where a click
// reaches it, and as something a click on it gives the keyboard to.
class AccessibleCanvas : public QAccessibleWidget
{
public:
    explicit AccessibleCanvas(CanvasView *view) : QAccessibleWidget(view) {}

    QRect rect() const override
    {
        const auto *view = static_cast<const CanvasView *>(widget());
        if (!view->isVisible())
            return {};
        const QRect picture = view->pictureRect();
        return {view->mapToGlobal(picture.topLeft()), picture.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        return state;
    }
};

QAccessibleInterface *accessibleCanvas(const QString &className, QObject *object)
{
    auto *view = qobject_cast<CanvasView *>(object);
    return view && className == QLatin1String("CanvasView") ? new AccessibleCanvas(view) : nullptr;
}

} // namespace

CanvasView::CanvasView(QWidget *parent) : QWidget(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleCanvas);
        return true;
    }();
    Q_UNUSED(accessible);
    setMouseTracking(true);
    // A click gives the view the keyboard only on the picture, which the
    // press handler decides.
    setFocusPolicy(Qt::NoFocus);
    // The view paints every pixel of itself: the picture and the grey.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CanvasView::~CanvasView() = default;

double CanvasView::zoomStep(double zoom, int steps)
{
    static constexpr std::array<double, 15> Levels{0.125, 0.25, 0.5, 1,  2,  3,  4, 6,
                                                   8,     12,   16,  24, 32, 48, 64};
    const auto at = std::lower_bound(Levels.begin(), Levels.end(), zoom);
    auto index = static_cast<int>(at - Levels.begin());
    // Between two levels, a step down starts from the level below.
    if (at == Levels.end() || *at != zoom) {
        if (steps > 0)
            --index;
    }
    index = std::clamp(index + steps, 0, static_cast<int>(Levels.size()) - 1);
    return Levels[static_cast<std::size_t>(index)];
}

void CanvasView::setDocument(Document *document)
{
    if (m_document == document)
        return;
    if (m_document) {
        disconnect(m_document, nullptr, this, nullptr);
        disconnect(&m_document->canvas(), nullptr, this, nullptr);
    }
    m_document = document;
    m_reduced.reset(m_document ? new ReducedPicture(m_document->canvas()) : nullptr);
    if (m_document) {
        connect(m_document, &Document::selectionChanged, this, &CanvasView::overlayMoved);
        connect(m_document, &Document::cloneMarkerChanged, this, &CanvasView::overlayMoved);
        connect(m_document, &QObject::destroyed, this, [this] {
            m_document = nullptr;
            m_reduced.reset();
            canvasResized();
        });
        const Surface *canvas = &m_document->canvas();
        connect(canvas, &Surface::screenChanged, this,
                [this](const QRect &area) { update(m_transform.toView(area)); });
        connect(canvas, &Surface::sizeChanged, this, &CanvasView::canvasResized);
    }
    canvasResized();
}

QRect CanvasView::pictureRect() const
{
    return m_document ? m_transform.toView(m_document->canvas().rect()) : QRect();
}

QSize CanvasView::shownSize(double zoom) const
{
    const QSize canvas = m_document ? m_document->canvas().size() : QSize();
    return CanvasTransform(QPointF(), zoom).toView(QRect(QPoint(), canvas)).size();
}

void CanvasView::canvasResized()
{
    updateRanges(m_scroll, zoom());
    emit pictureRectChanged();
    update();
}

void CanvasView::resizeEvent(QResizeEvent *)
{
    updateRanges(m_scroll, zoom());
    const qreal ratio = devicePixelRatioF();
    scratch(QSize(qCeil(width() * ratio) + 1, qCeil(height() * ratio) + 1));
}

void CanvasView::updateRanges(QPoint wanted, double zoom, Shown shown)
{
    const ScrollRanges ranges = ::scrollRanges(shownSize(zoom), size());
    const QPoint position(std::clamp(wanted.x(), 0, std::max(0, ranges.horizontalMaximum)),
                          std::clamp(wanted.y(), 0, std::max(0, ranges.verticalMaximum)));
    const bool rangesChanged = ranges != m_ranges;
    const bool moved = position != m_scroll;
    const bool zoomed = zoom != this->zoom();
    m_ranges = ranges;
    m_scroll = position;
    placePicture(zoom);
    if (moved || zoomed) {
        // The picture a user zooms or turns the wheel over reaches the screen
        // first: the scroll bars and the status bar that follow it take as
        // long to paint again as the picture itself.
        if (shown == Shown::AtOnce)
            repaint();
        else
            update();
    }
    if (rangesChanged)
        emit scrollRangesChanged();
    if (moved)
        emit scrolled(m_scroll);
}

void CanvasView::placePicture(double zoom)
{
    m_transform = CanvasTransform(
        QPointF(-m_scroll.x() * m_ranges.horizontalUnit, -m_scroll.y() * m_ranges.verticalUnit),
        zoom);
}

void CanvasView::scrollTo(QPoint position)
{
    updateRanges(position, zoom());
}

void CanvasView::zoomBy(int steps)
{
    zoomTo(zoomStep(zoom(), steps));
}

void CanvasView::zoomTo(double zoom)
{
    zoomAbout(zoom, QPointF(width() - ScrollBarThickness, height() - ScrollBarThickness) / 2);
}

void CanvasView::zoomAbout(double zoom, QPointF anchor)
{
    const double old = this->zoom();
    if (zoom == old || zoom <= 0 || m_grab == Grab::Picture)
        return;
    const QPointF picturePoint = (anchor - m_transform.origin()) / old;
    const QPointF corner = anchor - picturePoint * zoom;
    // The bars' steps at the new zoom.
    const ScrollRanges ranges = ::scrollRanges(shownSize(zoom), size());
    updateRanges(QPoint(qRound(-corner.x() / ranges.horizontalUnit),
                        qRound(-corner.y() / ranges.verticalUnit)),
                 zoom, Shown::AtOnce);
    emit pictureRectChanged();
    emit zoomed(zoom);
}

void CanvasView::turnWheel(const QWheelEvent &event, QPointF at)
{
    if (event.modifiers().testFlag(Qt::ControlModifier)) {
        // One level per notch, about the picture point under the pointer.
        m_wheelZoom += event.angleDelta().y();
        const int steps = m_wheelZoom / QWheelEvent::DefaultDeltasPerStep;
        m_wheelZoom -= steps * QWheelEvent::DefaultDeltasPerStep;
        if (steps != 0)
            zoomAbout(zoomStep(zoom(), steps), at);
        return;
    }
    // The bars step one pixel at a time, hundreds of turns across a big
    // picture; a turn here moves as far as three lines of a text view.
    constexpr int LineHeight = 20;
    QPoint step = event.pixelDelta();
    if (step.isNull())
        step = event.angleDelta() * QApplication::wheelScrollLines() * LineHeight /
               QWheelEvent::DefaultDeltasPerStep;
    if (event.modifiers().testFlag(Qt::ShiftModifier) && step.x() == 0)
        step = step.transposed();
    // Past the bars' range a step moves several pixels; a turn still moves.
    const auto steps = [](int pixels, int unit) {
        return pixels == 0 ? 0 : pixels / unit != 0 ? pixels / unit : (pixels > 0 ? 1 : -1);
    };
    updateRanges(m_scroll - QPoint(steps(step.x(), m_ranges.horizontalUnit),
                                   steps(step.y(), m_ranges.verticalUnit)),
                 zoom(), Shown::AtOnce);
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

bool CanvasView::pressReachesPicture(const QMouseEvent &event)
{
    // The first button down decides where the buttons held go, as Qt sends
    // every mouse event to the widget that took the first press.
    if (m_grab == Grab::None || event.buttons() == event.button()) {
        const bool picture = pictureRect().contains(event.position().toPoint());
        m_grab = picture ? Grab::Picture : Grab::Grey;
        if (picture && event.spontaneous() && !hasFocus())
            setFocus(Qt::MouseFocusReason);
    }
    return m_grab == Grab::Picture;
}

void CanvasView::mousePressEvent(QMouseEvent *event)
{
    if (pressReachesPicture(*event))
        emit mouseDown(event->button(), event->modifiers(), canvasPoint(event->position()));
}

bool CanvasView::reachesPicture(const QMouseEvent &event) const
{
    // With no button held only the picture hears the pointer.
    return m_grab == Grab::None ? pictureRect().contains(event.position().toPoint())
                                : m_grab == Grab::Picture;
}

void CanvasView::mouseMoveEvent(QMouseEvent *event)
{
    if (reachesPicture(*event))
        emit mouseMove(event->buttons(), event->modifiers(), canvasPoint(event->position()));
}

void CanvasView::mouseReleaseEvent(QMouseEvent *event)
{
    if (reachesPicture(*event))
        emit mouseUp(event->button(), event->modifiers(), canvasPoint(event->position()));
    if (event->buttons() == Qt::NoButton)
        m_grab = Grab::None;
}

void CanvasView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is reported only as the double
    // click; its release still arrives as a mouseUp.
    if (pressReachesPicture(*event))
        emit dblClick();
}

void CanvasView::keyReleaseEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat())
        emit keyUp(static_cast<Qt::Key>(event->key()));
}

void CanvasView::wheelEvent(QWheelEvent *event)
{
    turnWheel(*event, event->position());
}
