#include "surface.h"

#include "large_image.h"
#include "memory_room.h"
#include "numbers.h"
#include "row_bands.h"
#include "surface_writer.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace {

// A layer may take a sixteenth of the machine's memory: the image, its
// background picture, the undo pictures, the clipboard and file buffers are
// all of that size.
qint64 maxPixels()
{
    static const qint64 limit = [] {
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGESIZE);
        if (pages <= 0 || pageSize <= 0)
            return Surface::MaxPixelsAnyMachine;
        const qint64 bytes = static_cast<qint64>(pages) * pageSize;
        return std::min(Surface::MaxPixelsAnyMachine, bytes / 16 / 4);
    }();
    return limit;
}

// Filled on two threads, which share the first touches of a big picture's
// fresh memory; rows as plain pointers, since QImage's own calls are not for
// threads.
QImage filledImage(QSize size, Colour colour)
{
    QImage image = newLargeImage(size.width(), size.height());
    if (image.isNull())
        return image;
    const QRgb rgb = toQRgb(colour);
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const std::vector<RowBand> bands = rowBands(0, size.height(), size.width());
    runBands(bands.size(), [&](std::size_t band) {
        for (int y = bands[band].first; y < bands[band].end; ++y)
            std::fill_n(reinterpret_cast<QRgb *>(bits + y * stride), size.width(), rgb);
    });
    return image;
}

} // namespace

Surface::Surface(int width, int height, Colour backColour, QObject *parent)
    : QObject(parent),
      m_image(filledImage(QSize(std::max(width, 1), std::max(height, 1)), backColour)),
      m_journal(std::make_shared<TileJournal>(&m_image)), m_backColour(backColour)
{
    m_patch.reset(m_image.size());
    m_font.setStyleStrategy(QFont::NoAntialias);
}

Surface::~Surface()
{
    // Pictures held from this surface keep its image when it goes.
    m_journal->detach();
}

bool Surface::withinLimits(int width, int height)
{
    if (width < 1 || height < 1 || width > MaxSide || height > MaxSide)
        return false;
    return static_cast<qint64>(width) * height <= maxPixels();
}

bool Surface::canHold(int width, int height)
{
    return withinLimits(width, height) && memory::canAllocate(qint64(width) * height * 4);
}

bool Surface::setSize(int newWidth, int newHeight)
{
    if (QSize(newWidth, newHeight) == size())
        return true;
    if (!canHold(newWidth, newHeight))
        return false;
    QImage resized = filledImage(QSize(newWidth, newHeight), m_backColour);
    if (resized.isNull())
        return false;
    const int w = std::min(width(), newWidth);
    const int h = std::min(height(), newHeight);
    for (int y = 0; y < h; ++y)
        std::memcpy(resized.scanLine(y), m_image.constScanLine(y),
                    static_cast<std::size_t>(w) * sizeof(QRgb));
    replaceImage(std::move(resized));
    return true;
}

bool Surface::setPicture(const QImage &picture)
{
    if (picture.isNull()) {
        if (clearInPlace())
            return true;
        QImage cleared = filledImage(size(), m_backColour);
        if (cleared.isNull())
            return false;
        m_picture = QImage();
        m_heldPicture = TiledPicture();
        replaceImage(std::move(cleared));
        return true;
    }
    // An opaque picture in the surface's own format becomes the image as it
    // is: no memory is needed for it.
    const bool asItIs = picture.format() == QImage::Format_RGB32;
    if (!(asItIs ? withinLimits(picture.width(), picture.height())
                 : canHold(picture.width(), picture.height())))
        return false;
    const QImage::Format format =
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage converted = picture.convertToFormat(format);
    if (converted.isNull())
        return false;
    if (format == QImage::Format_RGB32) {
        // An opaque picture is the whole image; it is held as it is now and
        // costs only the tiles drawn over later. (Dropped first, so that the
        // image let go of is not kept for it.)
        m_picture = QImage();
        m_heldPicture = TiledPicture();
        replaceImage(std::move(converted));
        m_heldPicture = hold();
        return true;
    }
    QImage content = filledImage(converted.size(), m_backColour);
    if (content.isNull())
        return false;
    {
        QPainter painter(&content);
        painter.drawImage(0, 0, converted);
    }
    m_heldPicture = TiledPicture();
    m_picture = std::move(converted);
    replaceImage(std::move(content));
    return true;
}

bool Surface::clearInPlace()
{
    // Only when nothing else reads the image: a big picture's fresh buffer
    // costs far more in first touches than the fill.
    if (!m_image.isDetached() || m_journal->readBesides(m_heldPicture))
        return false;
    m_picture = QImage();
    m_heldPicture = TiledPicture();
    m_image.fill(toQRgb(m_backColour));
    const QRect wiped = m_patch.bounds();
    m_patch.reset(m_image.size());
    emit imageChanged(rect());
    emit screenChanged(rect() | wiped);
    return true;
}

void Surface::mergePicture()
{
    m_picture = QImage();
    m_heldPicture = TiledPicture();
}

void Surface::setBackColour(Colour colour)
{
    m_backColour = colour;
    if (!m_heldPicture.isNull() && m_heldPicture.size() == size()) {
        // The picture covers the whole image: only the tiles drawn over
        // since go back.
        if (restore(m_heldPicture))
            return;
    }
    if (m_heldPicture.isNull() && m_picture.isNull() && clearInPlace())
        return;
    QImage cleared = filledImage(size(), colour);
    if (cleared.isNull())
        return;
    const QImage held = m_heldPicture.toImage();
    if (!held.isNull() || !m_picture.isNull()) {
        QPainter painter(&cleared);
        painter.drawImage(0, 0, held.isNull() ? m_picture : held);
    }
    replaceImage(std::move(cleared));
}

void Surface::replaceImage(QImage image)
{
    const bool resized = image.size() != m_image.size();
    const QRect old = rect();
    m_journal->letGo();
    m_image = std::move(image);
    m_journal->adopted();
    m_patch.reset(m_image.size());
    emit imageChanged(rect());
    emit screenChanged(rect() | old);
    if (resized)
        emit sizeChanged(size());
}

TiledPicture Surface::hold()
{
    return m_journal->hold();
}

bool Surface::restore(const TiledPicture &picture)
{
    if (picture.isNull())
        return false;
    if (!m_journal->owns(picture)) {
        const QImage image = picture.toImage();
        return !image.isNull() && setPicture(image);
    }
    const QRect old = rect();
    // A picture taken before the image was let go of reads that image: the
    // surface takes it back, with every picture that reads it.
    const bool takenBack = !picture.isLive();
    QImage previous;
    if (takenBack) {
        previous = m_image;
        m_journal->letGo();
        m_image = TileJournal::baseOf(picture);
        m_journal->adopted();
    }
    bool written = true;
    QRect area;
    if (!m_journal->savedTiles(picture).empty()) {
        ensureOwnImage();
        written = m_image.isDetached() && m_journal->writeBack(picture, area);
    }
    if (!written) {
        if (!previous.isNull()) {
            m_journal->letGo();
            m_image = std::move(previous);
            m_journal->adopted();
        }
        return false;
    }
    previous = QImage();
    // Only the tiles written back changed, unless the image itself was: a
    // shrunk copy of a big picture then redoes only those.
    const QRect changed = takenBack ? rect() | old : area;
    const QRect wiped = m_patch.bounds();
    m_patch.reset(m_image.size());
    if (!changed.isEmpty())
        emit imageChanged(changed & rect());
    emit screenChanged(changed | wiped);
    if (old.size() != size())
        emit sizeChanged(size());
    return true;
}

void Surface::ensureOwnImage()
{
    if (m_image.isDetached())
        return;
    QImage own = copiedLargeImage(m_image);
    if (!own.isNull())
        m_image = std::move(own);
}

bool Surface::prepareWrite(const QRect &area)
{
    ensureOwnImage();
    return m_image.isDetached() && m_journal->save(area);
}

void Surface::setDrawWidth(int width)
{
    m_drawWidth = std::clamp(width, 1, MaxDrawWidth);
}

void Surface::setDrawStyle(int style)
{
    m_drawStyle = std::clamp(style, 0, 4);
}

void Surface::setFont(const QFont &font)
{
    m_font = font;
    m_font.setStyleStrategy(QFont::NoAntialias);
}

void Surface::refresh()
{
    if (m_patch.isEmpty())
        return;
    const QRect wiped = m_patch.bounds();
    m_patch.clear();
    emit screenChanged(wiped);
}

void Surface::preview(const std::function<void()> &draw)
{
    refresh();
    const bool persistent = m_autoRedraw;
    m_autoRedraw = false;
    draw();
    m_autoRedraw = persistent;
}

Colour Surface::point(QPointF at) const
{
    return getPixel(roundToInt(at.x()), roundToInt(at.y()));
}

Colour Surface::getPixel(int x, int y) const
{
    if (!rect().contains(x, y))
        return NoColour;
    if (!m_autoRedraw) {
        if (const QRgb *screen = m_patch.find(x, y))
            return fromQRgb(*screen);
    }
    return fromQRgb(reinterpret_cast<const QRgb *>(m_image.constScanLine(y))[x]);
}

void Surface::setPixel(int x, int y, Colour colour)
{
    const QRgb rgb = toQRgb(colour);
    draw(QRect(x, y, 1, 1), [&](Writer &w) { w.plot(x, y, rgb); });
}

void Surface::paintScreen(QPainter &painter, const QRect &area) const
{
    const QRect r = area & rect();
    if (r.isEmpty())
        return;
    painter.drawImage(r.topLeft(), m_image, r);
    m_patch.paint(painter, r);
}

QImage Surface::grabScreen(const QRect &area) const
{
    const QRect r = area & rect();
    QImage pixels = m_image.copy(r);
    if (!m_patch.isEmpty() && !pixels.isNull() && r.intersects(previewRect())) {
        QPainter painter(&pixels);
        painter.translate(-r.topLeft());
        m_patch.paint(painter, r);
    }
    return pixels;
}

QImage Surface::grabLayer(const QRect &area) const
{
    return m_autoRedraw ? m_image.copy(area & rect()) : grabScreen(area);
}

QImage Surface::readLayer(const QRect &area) const
{
    return m_autoRedraw ? imageIn(area) : readScreen(area);
}

QImage Surface::readScreen(const QRect &area) const
{
    const QRect r = area & rect();
    if (!m_patch.isEmpty() && r.intersects(previewRect()))
        return grabScreen(r);
    return imageIn(r);
}

QImage Surface::imageIn(const QRect &area) const
{
    const QRect r = area & rect();
    if (r.isEmpty())
        return {};
    // A whole-picture stretch or a repaint would otherwise copy the picture
    // first.
    return QImage(m_image.constScanLine(r.top()) + qsizetype(r.left()) * 4, r.width(), r.height(),
                  m_image.bytesPerLine(), m_image.format());
}

void Surface::writeBack(const QImage &pixels, const QRect &area)
{
    draw(area, [&](Writer &w) {
        for (int y = 0; y < area.height(); ++y)
            w.copyRow(area.top() + y, area.left(),
                      reinterpret_cast<const QRgb *>(pixels.constScanLine(y)), area.width());
    });
}

bool Surface::editPixels(const std::function<bool(QImage &pixels)> &work, QRgb flip)
{
    if (!m_autoRedraw) {
        QImage screen = grabLayer(rect());
        if (screen.isNull() || !work(screen))
            return false;
        writeBack(screen, rect());
        return true;
    }
    // The filter writes in place, so the image must not share its pixels with
    // a copy handed out, and the held pictures must keep theirs first.
    if (flip != 0) {
        ensureOwnImage();
        if (!m_image.isDetached())
            return false;
        m_journal->flipAll(flip);
        if (!work(m_image)) {
            m_journal->flipAll(flip);
            return false;
        }
    } else if (!prepareWrite(rect()) || !work(m_image)) {
        return false;
    }
    const QRect wiped = m_patch.bounds();
    m_patch.clear();
    emit imageChanged(rect());
    emit screenChanged(rect() | wiped);
    return true;
}
