#include "flood_fill.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Paints the region span by span with paintSpan(line, y, left, right), which
// must leave no pixel of the match colour behind.
template <typename PaintSpan>
QRect fillRegion(QImage &image, QPoint start, QRgb match, const SpanGuard &before,
                 PaintSpan paintSpan)
{
    const int width = image.width();
    const int height = image.height();
    if (!image.rect().contains(start))
        return {};
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    auto row = [&](int y) {
        return reinterpret_cast<QRgb *>(bits + y * stride);
    };
    if (row(start.y())[start.x()] != match)
        return {};

    int minX = width, maxX = -1, minY = height, maxY = -1;
    std::vector<QPoint> seeds{start};
    while (!seeds.empty()) {
        const QPoint seed = seeds.back();
        seeds.pop_back();
        QRgb *line = row(seed.y());
        if (line[seed.x()] != match)
            continue;
        int left = seed.x(), right = seed.x();
        while (left > 0 && line[left - 1] == match)
            --left;
        while (right < width - 1 && line[right + 1] == match)
            ++right;
        if (before && !before(seed.y(), left, right))
            break;
        paintSpan(line, seed.y(), left, right);
        minX = std::min(minX, left);
        maxX = std::max(maxX, right);
        minY = std::min(minY, seed.y());
        maxY = std::max(maxY, seed.y());
        // One seed for each run of the colour next to the span, above and below.
        for (const int y : {seed.y() - 1, seed.y() + 1}) {
            if (y < 0 || y >= height)
                continue;
            const QRgb *next = row(y);
            int x = left;
            while (x <= right) {
                while (x <= right && next[x] != match)
                    ++x;
                if (x > right)
                    break;
                seeds.emplace_back(x, y);
                while (x <= right && next[x] == match)
                    ++x;
            }
        }
    }
    if (maxX < 0)
        return {};
    return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

// The pattern with each row repeated across to a length of at least MinCopy
// pixels, so that a few copies paint a long span; its pixels opaque, or with
// the alpha cleared.
class PatternRows
{
public:
    PatternRows(const QImage &pattern, bool opaque)
        : m_width(pattern.width()), m_height(pattern.height()),
          m_length(m_width * std::max(1, MinCopy / m_width))
    {
        m_rows.resize(static_cast<std::size_t>(m_length) * static_cast<std::size_t>(m_height));
        for (int y = 0; y < m_height; ++y) {
            const auto *tile = reinterpret_cast<const QRgb *>(pattern.constScanLine(y));
            QRgb *row = m_rows.data() + static_cast<std::size_t>(y) * m_length;
            for (int x = 0; x < m_length; ++x)
                row[x] = opaque ? tile[x % m_width] | 0xFF000000u : tile[x % m_width] & 0x00FFFFFFu;
        }
    }

    // Row y of the image between left and right, as tiled from the origin.
    void paint(QRgb *line, int y, int left, int right) const
    {
        const QRgb *row = m_rows.data() + static_cast<std::size_t>(y % m_height) * m_length;
        // The first copy starts inside the repeated row, the others at its
        // start, which is again a whole number of pattern widths along.
        int from = left % m_width;
        for (int x = left; x <= right; from = 0) {
            const int count = std::min(m_length - from, right - x + 1);
            std::memcpy(line + x, row + from, static_cast<std::size_t>(count) * sizeof(QRgb));
            x += count;
        }
    }

private:
    static constexpr int MinCopy = 512;
    int m_width;
    int m_height;
    // A whole number of pattern widths.
    int m_length;
    std::vector<QRgb> m_rows;
};

} // namespace

QRect floodFill(QImage &image, QPoint start, QRgb match, QRgb fill, const SpanGuard &before)
{
    if (fill == match)
        return {};
    return fillRegion(image, start, match, before, [fill](QRgb *line, int, int left, int right) {
        std::fill(line + left, line + right + 1, fill);
    });
}

QRect floodFill(QImage &image, QPoint start, QRgb match, const QImage &patternInput,
                const SpanGuard &before)
{
    const QImage pattern = patternInput.convertToFormat(QImage::Format_RGB32);
    if (pattern.isNull() || (match >> 24) != 0xFFu)
        return {};
    // Where the pattern holds the match colour itself, it goes in with its
    // alpha cleared: an opaque match colour never equals such a pixel, so the
    // region's own pixels are told apart from the rest. One pass over the
    // region's bounds then makes everything opaque again.
    bool holdsMatch = false;
    for (int y = 0; y < pattern.height() && !holdsMatch; ++y) {
        const auto *tile = reinterpret_cast<const QRgb *>(pattern.constScanLine(y));
        holdsMatch = std::any_of(tile, tile + pattern.width(),
                                 [match](QRgb p) { return (p | 0xFF000000u) == match; });
    }
    const PatternRows rows(pattern, !holdsMatch);
    const QRect region =
        fillRegion(image, start, match, before, [&rows](QRgb *line, int y, int left, int right) {
            rows.paint(line, y, left, right);
        });
    if (!holdsMatch)
        return region;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = region.left(); x <= region.right(); ++x)
            line[x] |= 0xFF000000u;
    }
    return region;
}
