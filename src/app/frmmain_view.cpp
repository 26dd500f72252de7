#include "frmmain.h"

#include "controls/bordered_box.h"
#include "controls/picture_box.h"
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
    for (std::size_t i = 0; i < pGrip.size(); ++i) {
        const int index = static_cast<int>(i);
        auto *grip = new ResizeGrip(pHolder->client());
        grip->setObjectName(QStringLiteral("pGrip"));
        grip->setProperty("index", index);
        grip->setCursor(cursors[i]);
        grip->setAccessibleName(names[i]);
        // Above the canvas, below the scroll bars that cover the edges.
        grip->stackUnder(vBar);
        connect(grip, &ResizeGrip::pressed, this, &frmmain::pGrip_MouseDown);
        connect(grip, &ResizeGrip::moved, this,
                [this, index](Qt::MouseButtons buttons, QPointF at) {
                    pGrip_MouseMove(index, buttons, at);
                });
        pGrip[i] = grip;
    }
}

void frmmain::PlaceGrips()
{
    const std::array<QPoint, 3> places = gripPositions(m_canvas.size());
    for (std::size_t i = 0; i < pGrip.size(); ++i)
        pGrip[i]->move(places[i]);
}

void frmmain::UpdateScrollBars()
{
    const ScrollRanges ranges = scrollRanges(m_canvas.size(), pHolder->innerSize());
    // A bar that cannot scroll keeps the canvas at its edge; narrowing the
    // range pulls the value in and the canvas follows.
    hBar->setRange(0, std::max(0, ranges.horizontalMaximum));
    hBar->setEnabled(ranges.horizontalEnabled);
    vBar->setRange(0, std::max(0, ranges.verticalMaximum));
    vBar->setEnabled(ranges.verticalEnabled);
}

bool frmmain::viewportWheel(QObject *watched, QWheelEvent *event)
{
    if (watched != SrcDc && watched != pHolder->client())
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
    hBar->setValue(hBar->value() - step.x());
    vBar->setValue(vBar->value() - step.y());
    return true;
}

void frmmain::pGrip_MouseDown(Qt::MouseButton button, QPointF at)
{
    m_gripDrag.press(button, at);
    if (button == Qt::LeftButton)
        m_gripRefusalShown = false;
}

void frmmain::pGrip_MouseMove(int index, Qt::MouseButtons buttons, QPointF at)
{
    const std::size_t grip = static_cast<std::size_t>(index);
    const std::optional<QSize> size =
        gripDragStep(m_gripDrag, index, pGrip[grip]->pos(), m_canvas.size(), buttons, at);
    if (!size)
        return;
    if (!m_canvas.setSize(size->width(), size->height()) && !m_gripRefusalShown) {
        // The drag goes on after the message; it would be shown on every step.
        m_gripRefusalShown = true;
        m_dialogs.message(this, QStringLiteral("位图尺寸太大，内存无法容纳"),
                          QStringLiteral("调整大小"), CommonDialogs::Icon::Warning);
    }
    PlaceGrips();
    UpdateScrollBars();
    showCanvasSize();
}
