// How the canvas view paints the picture at each zoom, and its overlays.
#include "canvas_view.h"

#include "core/document.h"
#include "reduced_picture.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const QColor Grey(0x80, 0x80, 0x80);

// Half-way to mid grey: the grid shows on black and on white pictures.
QRgb gridColour(QRgb pixel)
{
    return qRgb((qRed(pixel) + 128) / 2, (qGreen(pixel) + 128) / 2, (qBlue(pixel) + 128) / 2);
}

} // namespace

void CanvasView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // A picture pixel must stay a block of whole device pixels, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect dirty = event->rect();
    if (!m_document) {
        painter.fillRect(dirty, Grey);
        return;
    }
    // Below 100 % the picture's last row and column on the screen may reach
    // past its last device pixels: they show the grey around it.
    const QRectF shown(m_transform.origin(), QSizeF(m_document->canvas().size()) * zoom());
    if (!shown.contains(QRectF(dirty)))
        painter.fillRect(dirty, Grey);
    const QRect picture = dirty & pictureRect();
    if (!picture.isEmpty()) {
        if (zoom() == 1)
            paintActualSize(painter, picture);
        else
            paintZoomed(painter, picture);
    }
    for (const QRect &frame : {m_document->selection(), m_document->cloneMarker()}) {
        // The clone marker often sits on dark pictures: dotted like the frame.
        if (!frame.isNull())
            paintDottedFrame(painter, m_transform.toView(frame.normalized()), dirty);
    }
}

void CanvasView::paintActualSize(QPainter &painter, const QRect &dirty)
{
    const QPoint origin = m_transform.origin().toPoint();
    painter.save();
    painter.translate(origin);
    m_document->canvas().paintScreen(painter, dirty.translated(-origin));
    painter.restore();
}

void CanvasView::paintZoomed(QPainter &painter, const QRect &dirty)
{
    const Surface &canvas = m_document->canvas();
    const QRect area = m_transform.toCanvas(dirty) & canvas.rect();
    if (area.isEmpty())
        return;
    // Whole device pixels per picture pixel, or picture pixels per device
    // pixel: the screen's ratio is a whole number, the zoom levels powers of
    // two below 1.
    // The painter's own scale, which also holds when the view is rendered
    // into an image of another ratio.
    const double ratio = painter.deviceTransform().m11();
    const double devicePixels = zoom() * ratio;
    if (devicePixels >= 1)
        paintEnlarged(painter, area, static_cast<int>(std::lround(devicePixels)), ratio);
    else
        paintReduced(painter, area, static_cast<int>(std::lround(1 / devicePixels)), ratio);
}

void CanvasView::paintEnlarged(QPainter &painter, const QRect &area, int factor, double ratio)
{
    const QImage part = m_document->canvas().grabScreen(area);
    QImage enlarged(part.width() * factor, part.height() * factor, QImage::Format_RGB32);
    if (enlarged.isNull())
        return;
    const bool grid = zoom() >= GridZoom;
    const auto rowBytes = static_cast<std::size_t>(enlarged.bytesPerLine());
    for (int y = 0; y < part.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(part.constScanLine(y));
        auto *first = reinterpret_cast<QRgb *>(enlarged.scanLine(y * factor));
        for (int x = 0; x < part.width(); ++x) {
            std::fill_n(first + x * factor, factor, in[x]);
            if (grid)
                first[x * factor] = gridColour(in[x]);
        }
        for (int copy = 1; copy < factor; ++copy)
            std::memcpy(enlarged.scanLine(y * factor + copy), first, rowBytes);
        if (grid) {
            for (int x = 0; x < part.width() * factor; ++x)
                first[x] = gridColour(in[x / factor]);
        }
    }
    enlarged.setDevicePixelRatio(ratio);
    painter.drawImage(m_transform.origin() + QPointF(area.topLeft()) * zoom(), enlarged);
}

void CanvasView::paintReduced(QPainter &painter, const QRect &area, int factor, double ratio)
{
    const Surface &canvas = m_document->canvas();
    // Whole blocks of the shrunk picture.
    const QRect blocks(area.left() / factor, area.top() / factor,
                       (area.right() / factor) - area.left() / factor + 1,
                       (area.bottom() / factor) - area.top() / factor + 1);
    const QRect covered = QRect(blocks.topLeft() * factor, blocks.size() * factor) & canvas.rect();
    QImage shown;
    int level = 0;
    while ((1 << level) < factor)
        ++level;
    if (level >= 1 && level <= ReducedPicture::Levels && (1 << level) == factor) {
        const QImage &reduced = m_reduced->reduced(level, covered);
        if (reduced.isNull())
            return;
        shown = reduced.copy(blocks);
    } else {
        shown = ReducedPicture::reduce(canvas.grabScreen(covered), factor);
    }
    // A preview on the screen layer is shrunk from the screen itself, where
    // it may differ from the picture: tile by tile, each a whole number of
    // blocks, so that a long thin preview costs only what it covers.
    if (canvas.previewRect().intersects(covered)) {
        QPainter over(&shown);
        for (const QRect &tile : canvas.previewTiles()) {
            const QRect part = tile & covered;
            if (part.isEmpty())
                continue;
            const QPoint first(part.left() / factor, part.top() / factor);
            const QPoint last(part.right() / factor, part.bottom() / factor);
            const QRect source =
                QRect(first * factor, (last + QPoint(1, 1)) * factor - QPoint(1, 1)) &
                canvas.rect();
            over.drawImage(first - blocks.topLeft(),
                           ReducedPicture::reduce(canvas.grabScreen(source), factor));
        }
    }
    shown.setDevicePixelRatio(ratio);
    painter.drawImage(m_transform.origin() + QPointF(blocks.topLeft()) / ratio, shown);
}

void CanvasView::paintDottedFrame(QPainter &painter, const QRect &frame, const QRect &dirty) const
{
    // Black and white pixels in turn, counted from the picture's corner so
    // that the pattern stays on the picture as it scrolls, and the frame
    // shows on any picture; only the part inside the area being repainted is
    // drawn.
    const QPoint origin = m_transform.origin().toPoint();
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
                painter.fillRect(
                    x, y, 1, 1, (x - origin.x() + y - origin.y()) % 2 == 0 ? Qt::black : Qt::white);
        }
    }
}
