#include "flood_fill.h"

#include <algorithm>
#include <vector>

namespace {

// Replaces the region's pixels with mark, which must differ from match.
QRect markRegion(QImage &image, QPoint start, QRgb match, QRgb mark)
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

    int minX = start.x(), maxX = start.x(), minY = start.y(), maxY = start.y();
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
        std::fill(line + left, line + right + 1, mark);
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
    return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

} // namespace

QRect floodFill(QImage &image, QPoint start, QRgb match, QRgb fill)
{
    if (fill == match)
        return {};
    return markRegion(image, start, match, fill);
}

QRect floodFill(QImage &image, QPoint start, QRgb match, const QImage &patternInput)
{
    const QImage pattern = patternInput.convertToFormat(QImage::Format_RGB32);
    if (pattern.isNull())
        return {};
    // Mark the region with the match colour made fully transparent: opaque
    // pictures never hold it, so it tells region pixels apart even where the
    // pattern paints the match colour itself.
    const QRgb mark = match & 0x00FFFFFFu;
    if (mark == match)
        return {};
    const QRect region = markRegion(image, start, match, mark);
    const int pw = pattern.width(), ph = pattern.height();
    for (int y = region.top(); y <= region.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const auto *tile = reinterpret_cast<const QRgb *>(pattern.constScanLine(y % ph));
        for (int x = region.left(); x <= region.right(); ++x) {
            if (line[x] == mark)
                line[x] = tile[x % pw] | 0xFF000000u;
        }
    }
    return region;
}
