#include "canvas_view.h"

#include "core/document.h"
#include "reduced_picture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

// The screen layer of surface within area (inside the surface), at 1:1.
QImage screenPart(const Surface &surface, const QRect &area)
{
    QImage part(area.size(), QImage::Format_RGB32);
    QPainter painter(&part);
    painter.translate(-area.topLeft());
    surface.paintScreen(painter, area);
    return part;
}

// Half-way to mid grey: the grid shows on black and on white pictures.
QRgb gridColour(QRgb pixel)
{
    return qRgb((qRed(pixel) + 128) / 2, (qGreen(pixel) + 128) / 2, (qBlue(pixel) + 128) / 2);
}

} // namespace

CanvasView::CanvasView(QWidget *parent) : PictureBox(parent) {}

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

void CanvasView::setZoom(double zoom)
{
    if (zoom == m_transform.scale() || zoom <= 0)
        return;
    m_transform = CanvasTransform(QPointF(0, 0), zoom);
    followSize();
    update();
}

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
    m_reduced.reset(m_document ? new ReducedPicture(m_document->canvas()) : nullptr);
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
    if (!m_document || zoom() == 1) {
        PictureBox::paintEvent(event);
        if (!m_document)
            return;
    }
    QPainter painter(this);
    if (zoom() != 1)
        paintZoomed(painter, event->rect());
    for (const QRect &frame : {m_document->selection(), m_document->cloneMarker()}) {
        // The clone marker often sits on dark pictures: dotted like the frame.
        if (!frame.isNull())
            paintDottedFrame(painter, m_transform.toView(frame.normalized()), event->rect());
    }
}

void CanvasView::paintZoomed(QPainter &painter, const QRect &dirty)
{
    const Surface &canvas = m_document->canvas();
    // Below 100 % the view's last row and column may reach past the picture:
    // they show the grey around it.
    const QRectF shown(QPointF(0, 0), QSizeF(canvas.size()) * zoom());
    if (!shown.contains(QRectF(dirty)))
        painter.fillRect(dirty, QColor(0x80, 0x80, 0x80));
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
    const QImage part = screenPart(m_document->canvas(), area);
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
    painter.drawImage(QPointF(area.topLeft()) * zoom(), enlarged);
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
        shown = ReducedPicture::reduce(screenPart(canvas, covered), factor);
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
                           ReducedPicture::reduce(screenPart(canvas, source), factor));
        }
    }
    shown.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(blocks.topLeft()) / ratio, shown);
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
