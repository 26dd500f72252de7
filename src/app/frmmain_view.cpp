#include "frmmain.h"

#include "controls/bordered_box.h"
#include "controls/canvas_view.h"
#include "core/common_dialogs.h"
#include "resize_grip.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

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

// The displayed picture's size, as the view shows it.
namespace {

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
    // A bar that cannot scroll keeps the canvas at its edge; narrowing the
    // range pulls the value in and the canvas follows.
    m_horizontalBar->setRange(0, std::max(0, ranges.horizontalMaximum));
    m_horizontalBar->setEnabled(ranges.horizontalEnabled);
    m_verticalBar->setRange(0, std::max(0, ranges.verticalMaximum));
    m_verticalBar->setEnabled(ranges.verticalEnabled);
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
    // The bars step one pixel at a time, hundreds of turns across a big
    // picture; a turn here moves as far as three lines of a text view.
    constexpr int LineHeight = 20;
    QPoint step = event->pixelDelta();
    if (step.isNull())
        step = event->angleDelta() * QApplication::wheelScrollLines() * LineHeight /
               QWheelEvent::DefaultDeltasPerStep;
    if (event->modifiers().testFlag(Qt::ShiftModifier) && step.x() == 0)
        step = step.transposed();
    m_horizontalBar->setValue(m_horizontalBar->value() - step.x());
    m_verticalBar->setValue(m_verticalBar->value() - step.y());
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
    const std::optional<QSize> size =
        gripDragStep(m_gripDrag, index, m_grips[grip]->pos(), canvas.size(), buttons, at);
    if (!size)
        return;
    if (!canvas.setSize(size->width(), size->height()) && !m_gripRefusalShown) {
        // The drag goes on after the message; it would be shown on every step.
        m_gripRefusalShown = true;
        m_dialogs.message(this, QStringLiteral("位图尺寸太大，内存无法容纳"),
                          QStringLiteral("调整大小"), CommonDialogs::Icon::Warning);
    }
}
