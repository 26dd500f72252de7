// How the canvas view paints the picture at each zoom, and its overlays.
#include "canvas_view.h"

#include "core/document.h"
#include "reduced_picture.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <climits>
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
    m_reduced->hold();
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
        paintEnlarged(painter, dirty, area, static_cast<int>(std::lround(devicePixels)), ratio);
    else
        paintReduced(painter, area, static_cast<int>(std::lround(1 / devicePixels)), ratio);
}

QImage &CanvasView::scratch(QSize size)
{
    if (m_scratch.width() < size.width() || m_scratch.height() < size.height()) {
        m_scratch = QImage(size.expandedTo(m_scratch.size()), QImage::Format_RGB32);
        // Touched now: each page's first touch is what costs.
        m_scratch.fill(0);
    }
    return m_scratch;
}

void CanvasView::drawScratch(QPainter &painter, QPointF at, QSize size, double ratio) const
{
    painter.drawImage(QRectF(at, QSizeF(size) / ratio), m_scratch, QRectF(QPointF(0, 0), size));
}

void CanvasView::paintEnlarged(QPainter &painter, const QRect &dirty, const QRect &area, int factor,
                               double ratio)
{
    // Each device pixel of dirty takes the picture pixel it lies over, the
    // first row and column of each picture pixel the grid's colour from
    // 800 % on.
    const QPoint origin = (m_transform.origin() * ratio).toPoint();
    // Where the picture's last row and column end short of a view pixel, the
    // rest of it stays grey.
    const QRect device =
        QRect(QPoint(qRound(dirty.left() * ratio), qRound(dirty.top() * ratio)),
              QSize(qRound(dirty.width() * ratio), qRound(dirty.height() * ratio))) &
        QRect(origin + area.topLeft() * factor, area.size() * factor);
    const QImage pixels = m_document->canvas().readScreen(area);
    QImage &out = scratch(device.size());
    const bool grid = zoom() >= GridZoom;
    // Which picture column each device column shows, walked once rather than
    // divided out per pixel: at 200 % the division was most of the repaint.
    m_enlargedColumns.resize(static_cast<std::size_t>(device.width()));
    m_gridColumns.clear();
    // device lies on the picture: no offset below is negative.
    int column = (device.left() - origin.x()) / factor;
    int within = (device.left() - origin.x()) % factor;
    for (int x = 0; x < device.width(); ++x) {
        m_enlargedColumns[static_cast<std::size_t>(x)] = column - area.left();
        if (grid && within == 0)
            m_gridColumns.push_back(x);
        if (++within == factor) {
            within = 0;
            ++column;
        }
    }
    const int *columns = m_enlargedColumns.data();
    const auto rowBytes = static_cast<std::size_t>(device.width()) * sizeof(QRgb);
    int lastRow = INT_MIN;
    for (int y = 0; y < device.height(); ++y) {
        const int dy = device.top() + y - origin.y();
        const int row = dy / factor;
        const bool gridRow = grid && dy % factor == 0;
        auto *o = reinterpret_cast<QRgb *>(out.scanLine(y));
        if (row == lastRow && !gridRow) {
            std::memcpy(o, out.constScanLine(y - 1), rowBytes);
            continue;
        }
        // A grid row is followed by the picture row itself.
        lastRow = gridRow ? INT_MIN : row;
        const auto *in = reinterpret_cast<const QRgb *>(pixels.constScanLine(row - area.top()));
        if (gridRow) {
            for (int x = 0; x < device.width(); ++x)
                o[x] = gridColour(in[columns[x]]);
            continue;
        }
        for (int x = 0; x < device.width(); ++x)
            o[x] = in[columns[x]];
        for (const int x : m_gridColumns)
            o[x] = gridColour(o[x]);
    }
    drawScratch(painter, QPointF(device.topLeft()) / ratio, device.size(), ratio);
}

void CanvasView::paintReduced(QPainter &painter, const QRect &area, int factor, double ratio)
{
    const Surface &canvas = m_document->canvas();
    // Whole blocks of the shrunk picture.
    const QRect blocks(area.left() / factor, area.top() / factor,
                       (area.right() / factor) - area.left() / factor + 1,
                       (area.bottom() / factor) - area.top() / factor + 1);
    const QRect covered = QRect(blocks.topLeft() * factor, blocks.size() * factor) & canvas.rect();
    QImage &shown = scratch(blocks.size());
    int level = 0;
    while ((1 << level) < factor)
        ++level;
    const bool kept = level >= 1 && level <= ReducedPicture::Levels && (1 << level) == factor;
    if (kept) {
        m_reduced->shrunk(level, blocks, shown);
    } else {
        // Shrunk from the screen, preview and all.
        const QImage part = ReducedPicture::reduce(canvas.grabScreen(covered), factor);
        QPainter(&shown).drawImage(0, 0, part);
    }
    // A preview on the screen layer is shrunk from the screen itself, where
    // it may differ from the kept copy: tile by tile, each a whole number of
    // blocks, so that a long thin preview costs only what it covers.
    if (kept && canvas.previewRect().intersects(covered)) {
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
    drawScratch(painter, m_transform.origin() + QPointF(blocks.topLeft()) / ratio, blocks.size(),
                ratio);
}

void CanvasView::paintDottedFrame(QPainter &painter, const QRect &frame, const QRect &dirty) const
{
    // Black and white pixels in turn, counted from the picture's corner so
    // that the pattern stays on the picture as it scrolls, and the frame
    // shows on any picture; only the part inside the area being repainted is
    // drawn.
    static const QBrush dots = [] {
        QImage pattern(2, 2, QImage::Format_RGB32);
        pattern.fill(Qt::white);
        pattern.setPixel(0, 0, qRgb(0, 0, 0));
        pattern.setPixel(1, 1, qRgb(0, 0, 0));
        return QBrush(pattern);
    }();
    painter.setBrushOrigin(m_transform.origin().toPoint());
    const QRect edges[] = {
        {frame.left(), frame.top(), frame.width(), 1},
        {frame.left(), frame.bottom(), frame.width(), 1},
        {frame.left(), frame.top(), 1, frame.height()},
        {frame.right(), frame.top(), 1, frame.height()},
    };
    for (const QRect &edge : edges)
        painter.fillRect(edge & dirty, dots);
}
