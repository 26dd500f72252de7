// Copies between surfaces, flood fill and gradient fill.
#include "surface.h"

#include "flood_fill.h"
#include "large_image.h"
#include "numbers.h"
#include "resample.h"
#include "surface_writer.h"

#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

// One axis of a copy: a corner and a signed extent, normalised to a start and
// a length plus the direction.
struct Extent {
    int start;
    int length;
    bool reversed;
};

Extent extentOf(int corner, int extent)
{
    if (extent < 0)
        return {corner + extent, -extent, true};
    return {corner, extent, false};
}

// Clips the source extent to [0, limit) and cuts the destination extent in
// proportion, so that the pixels that are copied land where they would have.
bool clipAxis(Extent &source, Extent &destination, int limit)
{
    const int from = std::max(source.start, 0);
    const int to = std::min(source.start + source.length, limit);
    if (from >= to || destination.length <= 0)
        return false;
    if (from == source.start && to == source.start + source.length)
        return true;
    const double scale = static_cast<double>(destination.length) / source.length;
    // Distances from the destination's own start, which is where the source's
    // end lands when the copy runs backwards.
    const bool mirrored = source.reversed != destination.reversed;
    const int cutFront = from - source.start;
    const int cutBack = source.start + source.length - to;
    const int lead = roundToInt((mirrored ? cutBack : cutFront) * scale);
    const int tail = roundToInt((mirrored ? cutFront : cutBack) * scale);
    source.start = from;
    source.length = to - from;
    destination.start += lead;
    destination.length -= lead + tail;
    return destination.length > 0;
}

} // namespace

void Surface::bitBlt(const QRect &destination, const Surface &source, QPoint sourceOrigin)
{
    const QRect wanted(sourceOrigin, destination.size());
    const QRect available = wanted & source.rect();
    if (available.isEmpty())
        return;
    const QImage pixels = &source == this ? grabLayer(available) : source.readLayer(available);
    const QRect target = available.translated(destination.topLeft() - sourceOrigin);
    writeBack(pixels, target);
}

namespace {

// Where a stretching copy lands and what it reads, after clipping.
struct StretchPlan {
    QRect target;
    QRect source;
    bool mirrorX = false;
    bool mirrorY = false;
};

std::optional<StretchPlan> planStretch(const QRect &destination, const QRect &sourceRect,
                                       const QRect &sourceBounds, const QRect &targetBounds)
{
    Extent sx = extentOf(sourceRect.x(), sourceRect.width());
    Extent sy = extentOf(sourceRect.y(), sourceRect.height());
    Extent dx = extentOf(destination.x(), destination.width());
    Extent dy = extentOf(destination.y(), destination.height());
    if (!clipAxis(sx, dx, sourceBounds.width()) || !clipAxis(sy, dy, sourceBounds.height()))
        return std::nullopt;
    StretchPlan plan{QRect(dx.start, dy.start, dx.length, dy.length),
                     QRect(sx.start, sy.start, sx.length, sy.length), sx.reversed != dx.reversed,
                     sy.reversed != dy.reversed};
    if (!plan.target.intersects(targetBounds) ||
        !Surface::canHold(plan.target.width(), plan.target.height()))
        return std::nullopt;
    return plan;
}

// The pixels of row other than key, copied into writer's row y from column
// left on as whole runs.
template <typename Writer>
void copyUnkeyedRuns(Writer &writer, int y, int left, const QRgb *row, int width, QRgb key)
{
    int x = 0;
    while (x < width) {
        while (x < width && row[x] == key)
            ++x;
        const int start = x;
        while (x < width && row[x] != key)
            ++x;
        if (x > start)
            writer.copyRow(y, left + start, row + start, x - start);
    }
}

} // namespace

void Surface::stretchBlt(const QRect &destination, const Surface &source, const QRect &sourceRect)
{
    const auto plan = planStretch(destination, sourceRect, source.rect(), rect());
    if (!plan)
        return;
    // Another surface's pixels can be read in place; this one's are about to
    // change under the reading.
    const QImage pixels = resample(
        &source == this ? grabLayer(plan->source) : source.readLayer(plan->source),
        plan->target.size(), plan->mirrorX, plan->mirrorY,
        m_stretchMode == StretchMode::Halftone ? ResampleFilter::Smooth : ResampleFilter::Nearest);
    if (!pixels.isNull())
        writeBack(pixels, plan->target);
}

bool Surface::stretchFrom(const Surface &source, QSize size)
{
    // The stretched pixels become the image as they are, where they are new
    // pixels of this surface's kind; a big picture is neither filled first
    // nor copied after.
    if (&source == this || !m_autoRedraw || m_image.format() != QImage::Format_RGB32) {
        if (!setSize(size.width(), size.height()))
            return false;
        stretchBlt(rect(), source, source.rect());
        return true;
    }
    if (!canHold(size.width(), size.height()))
        return false;
    const QImage read = source.readLayer(source.rect());
    // At the same size the pixels read in place are copied once.
    QImage pixels =
        size == source.size()
            ? copiedLargeImage(read.convertToFormat(QImage::Format_RGB32))
            : resample(read, size, false, false,
                       m_stretchMode == StretchMode::Halftone ? ResampleFilter::Smooth
                                                              : ResampleFilter::Nearest);
    if (pixels.isNull())
        return false;
    replaceImage(std::move(pixels));
    return true;
}

void Surface::transparentBlt(const QRect &destination, const Surface &source,
                             const QRect &sourceRect, Colour key)
{
    const auto plan = planStretch(destination, sourceRect, source.rect(), rect());
    if (!plan)
        return;
    const QImage pixels =
        resample(&source == this ? grabLayer(plan->source) : source.readLayer(plan->source),
                 plan->target.size(), plan->mirrorX, plan->mirrorY, ResampleFilter::Nearest);
    if (pixels.isNull())
        return;
    const QRgb keyRgb = toQRgb(key);
    const QRect target = plan->target;
    draw(target, [&](Writer &w) {
        const int width = pixels.width();
        for (int y = 0; y < pixels.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
            copyUnkeyedRuns(w, target.top() + y, target.left(), row, width, keyRgb);
        }
    });
}

bool Surface::stretchKeyed(const Surface &source, StretchMode mode, Colour key)
{
    // Rows go straight into the image from two threads; the screen layer's
    // tiles are made as they are written, which is for one thread.
    const bool twoThreads = m_autoRedraw;
    const QImage read =
        &source == this ? grabLayer(source.rect()) : source.readLayer(source.rect());
    const QRgb keyRgb = toQRgb(key);
    const int width = this->width();
    bool laid = false;
    draw(rect(), [&](Writer &w) {
        laid = resampleRows(
            read, size(),
            mode == StretchMode::Halftone ? ResampleFilter::Smooth : ResampleFilter::Nearest,
            twoThreads,
            [&](int y, const QRgb *row) { copyUnkeyedRuns(w, y, 0, row, width, keyRgb); });
    });
    return laid;
}

void Surface::extFloodFill(QPointF at, Colour match, Colour fill, const QImage &pattern)
{
    const QPoint start(roundToInt(at.x()), roundToInt(at.y()));
    if (!rect().contains(start) || match == NoColour)
        return;
    const QRgb matchRgb = toQRgb(match);
    const QRgb fillRgb = toQRgb(fill);
    auto fillIn = [&](QImage &layer, const SpanGuard &before) {
        return pattern.isNull() ? floodFill(layer, start, matchRgb, fillRgb, before)
                                : floodFill(layer, start, matchRgb, pattern, before);
    };
    if (m_autoRedraw) {
        const QRect wiped = m_patch.bounds();
        m_patch.clear();
        ensureOwnImage();
        if (!m_image.isDetached())
            return;
        // The region is known only as it is filled: each span's tiles are
        // kept for the held pictures before it is painted.
        TileJournal &journal = *m_journal;
        const QRect changed = fillIn(m_image, [&journal](int y, int left, int right) {
            return journal.save(QRect(left, y, right - left + 1, 1));
        });
        if (!changed.isEmpty())
            emit imageChanged(changed);
        if (!(changed | wiped).isEmpty())
            emit screenChanged(changed | wiped);
        return;
    }
    // On the screen the region is found on a copy of what the screen shows.
    QImage screen = grabLayer(rect());
    const QRect changed = fillIn(screen, {});
    if (!changed.isEmpty())
        writeBack(screen.copy(changed), changed);
}

void Surface::gradientFill(QPoint corner1, Colour colour1, QPoint corner2, Colour colour2,
                           bool vertical)
{
    const QRect area(
        QPoint(std::min(corner1.x(), corner2.x()), std::min(corner1.y(), corner2.y())),
        QSize(std::abs(corner2.x() - corner1.x()), std::abs(corner2.y() - corner1.y())));
    if (area.isEmpty())
        return;
    const ColourChannels c1 = splitColour(resolveColour(colour1));
    const ColourChannels c2 = splitColour(resolveColour(colour2));
    // Along the blend axis: the pixel's distance from corner1's edge, out of
    // the rectangle's length; channels as 16-bit intensities (value * 256).
    const int length = vertical ? area.height() : area.width();
    const bool fromFar = vertical ? corner1.y() > corner2.y() : corner1.x() > corner2.x();
    auto blend = [&](int k) {
        auto channel = [&](int a, int b) {
            const long long i1 = a * 256LL, i2 = b * 256LL;
            return static_cast<int>((i1 + (i2 - i1) * k / length) >> 8);
        };
        return qRgb(channel(c1.red, c2.red), channel(c1.green, c2.green),
                    channel(c1.blue, c2.blue));
    };
    auto stepOf = [&](int offset) {
        return fromFar ? length - 1 - offset : offset;
    };
    const QRect clipped = area & rect();
    draw(clipped, [&](Writer &w) {
        if (vertical) {
            for (int y = clipped.top(); y <= clipped.bottom(); ++y)
                w.span(y, clipped.left(), clipped.right(), blend(stepOf(y - area.top())));
            return;
        }
        std::vector<QRgb> row(static_cast<std::size_t>(clipped.width()));
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            row[static_cast<std::size_t>(x - clipped.left())] = blend(stepOf(x - area.left()));
        for (int y = clipped.top(); y <= clipped.bottom(); ++y)
            w.copyRow(y, clipped.left(), row.data(), clipped.width());
    });
}
