#include "frmmain.h"

#include "controls/bordered_box.h"
#include "controls/canvas_view.h"
#include "core/common_dialogs.h"
#include "resize_grip.h"

#include <QApplication>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

void frmmain::buildGrips()
{
    const std::array<Qt::CursorShape, 3> cursors{Qt::SizeHorCursor, Qt::SizeFDiagCursor,
                                                 Qt::SizeVerCursor};
    const std::array<QString, 3> names{QStringLiteral("调整宽度"), QStringLiteral("调整大小"),
                                       QStringLiteral("调整高度")};
    for (std::size_t i = 0; i < m_grips.size(); ++i) {
        const int index = static_cast<int>(i);
        auto *grip = new ResizeGrip(m_viewport->client());
        grip->setObjectName(QStringLiteral("pGrip"));
        grip->setProperty("index", index);
        grip->setCursor(cursors[i]);
        grip->setAccessibleName(names[i]);
        // Above the canvas, below the scroll bars that cover the edges.
        grip->stackUnder(m_verticalBar);
        connect(grip, &ResizeGrip::pressed, this, &frmmain::gripPressed);
        connect(
            grip, &ResizeGrip::moved, this,
            [this, index](Qt::MouseButtons buttons, QPointF at) { gripMoved(index, buttons, at); });
        m_grips[i] = grip;
    }
}

namespace {

// The picture's size on the screen, at the view's zoom.
QSize displayedSize(const CanvasView &view, QSize canvas)
{
    return view.transform().toView(QRect(QPoint(0, 0), canvas)).size();
}

} // namespace

void frmmain::placeGrips()
{
    const std::array<QPoint, 3> places =
        gripPositions(displayedSize(*m_canvasView, m_document.canvas().size()));
    for (std::size_t i = 0; i < m_grips.size(); ++i)
        m_grips[i]->move(places[i]);
}

void frmmain::updateScrollBars()
{
    const ScrollRanges ranges = scrollRanges(
        displayedSize(*m_canvasView, m_document.canvas().size()), m_viewport->innerSize());
    m_scrollUnit = QSize(ranges.horizontalUnit, ranges.verticalUnit);
    // A bar that cannot scroll keeps the canvas at its edge; narrowing the
    // range pulls the value in and the canvas follows.
    m_horizontalBar->setRange(0, std::max(0, ranges.horizontalMaximum));
    m_horizontalBar->setEnabled(ranges.horizontalEnabled);
    m_verticalBar->setRange(0, std::max(0, ranges.verticalMaximum));
    m_verticalBar->setEnabled(ranges.verticalEnabled);
    placeCanvasView();
}

void frmmain::placeCanvasView()
{
    m_canvasView->move(-m_horizontalBar->value() * m_scrollUnit.width(),
                       -m_verticalBar->value() * m_scrollUnit.height());
}

void frmmain::zoomBy(int steps)
{
    zoomTo(CanvasView::zoomStep(m_canvasView->zoom(), steps));
}

void frmmain::zoomTo(double zoom)
{
    const QSize inner = m_viewport->innerSize();
    zoomAbout(zoom,
              QPointF(inner.width() - ScrollBarThickness, inner.height() - ScrollBarThickness) / 2);
}

void frmmain::zoomAbout(double zoom, QPointF anchor)
{
    const double old = m_canvasView->zoom();
    // A stroke keeps the scale it started at.
    if (zoom == old || m_toolState.IsDrawing)
        return;
    const QPointF picturePoint = (anchor - QPointF(m_canvasView->pos())) / old;
    m_canvasView->setZoom(zoom);
    placeGrips();
    updateScrollBars();
    const QPointF corner = anchor - picturePoint * zoom;
    m_horizontalBar->setValue(qRound(-corner.x() / m_scrollUnit.width()));
    m_verticalBar->setValue(qRound(-corner.y() / m_scrollUnit.height()));
    placeCanvasView();
    showZoom();
}

void frmmain::showZoom()
{
    const double zoom = m_canvasView->zoom();
    m_noticeTimer->stop();
    setStatusPanel(1, zoom == 1 ? QString()
                                : QStringLiteral("缩放 %1%").arg(QString::number(zoom * 100)));
}

void frmmain::canvasSizeChanged()
{
    placeGrips();
    updateScrollBars();
    const QSize size = m_document.canvas().size();
    setStatusPanel(3, QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
}

bool frmmain::viewportWheel(QObject *watched, QWheelEvent *event)
{
    if (watched != m_canvasView && watched != m_viewport->client())
        return false;
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        // One level per notch, about the picture point under the pointer.
        m_wheelZoom += event->angleDelta().y();
        const int steps = m_wheelZoom / QWheelEvent::DefaultDeltasPerStep;
        m_wheelZoom -= steps * QWheelEvent::DefaultDeltasPerStep;
        if (steps != 0) {
            const QPointF at =
                static_cast<QWidget *>(watched)->mapTo(m_viewport->client(), event->position());
            zoomAbout(CanvasView::zoomStep(m_canvasView->zoom(), steps), at);
        }
        return true;
    }
    // The bars step one pixel at a time, hundreds of turns across a big
    // picture; a turn here moves as far as three lines of a text view.
    constexpr int LineHeight = 20;
    QPoint step = event->pixelDelta();
    if (step.isNull())
        step = event->angleDelta() * QApplication::wheelScrollLines() * LineHeight /
               QWheelEvent::DefaultDeltasPerStep;
    if (event->modifiers().testFlag(Qt::ShiftModifier) && step.x() == 0)
        step = step.transposed();
    // Past the bars' range a step moves several pixels; a turn still moves.
    const auto steps = [](int pixels, int unit) {
        return pixels == 0 ? 0 : pixels / unit != 0 ? pixels / unit : (pixels > 0 ? 1 : -1);
    };
    m_horizontalBar->setValue(m_horizontalBar->value() - steps(step.x(), m_scrollUnit.width()));
    m_verticalBar->setValue(m_verticalBar->value() - steps(step.y(), m_scrollUnit.height()));
    return true;
}

void frmmain::gripPressed(Qt::MouseButton button, QPointF at)
{
    m_gripDrag.press(button, at);
    if (button == Qt::LeftButton)
        m_gripRefusalShown = false;
}

void frmmain::gripMoved(int index, Qt::MouseButtons buttons, QPointF at)
{
    const std::size_t grip = static_cast<std::size_t>(index);
    Surface &canvas = m_document.canvas();
    const std::optional<QSize> shown =
        gripDragStep(m_gripDrag, index, m_grips[grip]->pos(), m_canvasView->size(), buttons, at);
    if (!shown)
        return;
    // The grip follows the pointer on the screen; the picture takes the
    // whole picture pixels it reaches.
    const double zoom = m_canvasView->zoom();
    QSize size = canvas.size();
    if (index != 2)
        size.setWidth(std::max(1, static_cast<int>(std::floor(shown->width() / zoom))));
    if (index != 0)
        size.setHeight(std::max(1, static_cast<int>(std::floor(shown->height() / zoom))));
    if (!canvas.setSize(size.width(), size.height()) && !m_gripRefusalShown) {
        // The drag goes on after the message; it would be shown on every step.
        m_gripRefusalShown = true;
        m_dialogs.message(this, QStringLiteral("位图尺寸太大，内存无法容纳"),
                          QStringLiteral("调整大小"), CommonDialogs::Icon::Warning);
    }
}
