#include "main_window.h"

#include "controls/bordered_box.h"
#include "controls/canvas_view.h"
#include "core/common_dialogs.h"
#include "editor.h"
#include "resize_grip.h"

#include <QScrollBar>
#include <QTimer>

#include <algorithm>

void MainWindow::buildGrips()
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
        connect(grip, &ResizeGrip::pressed, this, &MainWindow::gripPressed);
        connect(
            grip, &ResizeGrip::moved, this,
            [this, index](Qt::MouseButtons buttons, QPointF at) { gripMoved(index, buttons, at); });
        m_grips[i] = grip;
    }
}

void MainWindow::bindScrollBars()
{
    CanvasView *view = m_canvasView;
    // Dragging the thumb moves the picture live, as a change does.
    connect(m_horizontalBar, &QScrollBar::valueChanged, view,
            [view](int value) { view->scrollTo(QPoint(value, view->scrollPosition().y())); });
    connect(m_verticalBar, &QScrollBar::valueChanged, view,
            [view](int value) { view->scrollTo(QPoint(view->scrollPosition().x(), value)); });
    connect(view, &CanvasView::scrollRangesChanged, this, &MainWindow::updateScrollBars);
    connect(view, &CanvasView::scrolled, this, [this](QPoint position) {
        m_horizontalBar->setValue(position.x());
        m_verticalBar->setValue(position.y());
    });
    connect(view, &CanvasView::pictureRectChanged, this, &MainWindow::placeGrips);
    connect(view, &CanvasView::zoomed, this, &MainWindow::showZoom);
    // The wheel over the grips and the corner between the bars turns the
    // view beneath them.
    m_viewport->client()->installEventFilter(this);
}

void MainWindow::showZoom()
{
    const double zoom = m_canvasView->zoom();
    m_noticeTimer->stop();
    setStatusPanel(1, zoom == 1 ? QString()
                                : QStringLiteral("缩放 %1%").arg(QString::number(zoom * 100)));
}

void MainWindow::placeGrips()
{
    const std::array<QPoint, 3> places = gripPositions(m_canvasView->pictureRect().size());
    for (std::size_t i = 0; i < m_grips.size(); ++i)
        m_grips[i]->move(places[i]);
}

void MainWindow::updateScrollBars()
{
    const ScrollRanges &ranges = m_canvasView->scrollRanges();
    // A bar that cannot scroll keeps the canvas at its edge.
    m_horizontalBar->setRange(0, std::max(0, ranges.horizontalMaximum));
    m_horizontalBar->setEnabled(ranges.horizontalEnabled);
    m_verticalBar->setRange(0, std::max(0, ranges.verticalMaximum));
    m_verticalBar->setEnabled(ranges.verticalEnabled);
}

void MainWindow::canvasSizeChanged()
{
    const QSize size = m_editor.document().canvas().size();
    setStatusPanel(3, QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
}

void MainWindow::gripPressed(Qt::MouseButton button, QPointF at)
{
    m_gripDrag.press(button, at);
    if (button == Qt::LeftButton)
        m_gripRefusalShown = false;
}

void MainWindow::gripMoved(int index, Qt::MouseButtons buttons, QPointF at)
{
    const std::size_t grip = static_cast<std::size_t>(index);
    Surface &canvas = m_editor.document().canvas();
    const std::optional<QSize> shown = gripDragStep(
        m_gripDrag, index, m_grips[grip]->pos(), m_canvasView->pictureRect().size(), buttons, at);
    if (!shown)
        return;
    // The grip follows the pointer on the screen; the picture takes the
    // whole picture pixels it reaches.
    const QSize reached = m_canvasView->transform().toCanvasSize(*shown);
    QSize size = canvas.size();
    if (index != 2)
        size.setWidth(std::max(1, reached.width()));
    if (index != 0)
        size.setHeight(std::max(1, reached.height()));
    if (!canvas.setSize(size.width(), size.height()) && !m_gripRefusalShown) {
        // The drag goes on after the message; it would be shown on every step.
        m_gripRefusalShown = true;
        m_dialogs.message(this, QStringLiteral("位图尺寸太大，内存无法容纳"),
                          QStringLiteral("调整大小"), CommonDialogs::Icon::Warning);
    }
}
