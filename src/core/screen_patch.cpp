#include "screen_patch.h"

#include <QPainter>

#include <cstring>

void ScreenPatch::reset(QSize surfaceSize)
{
    clear();
    m_size = surfaceSize;
    m_columns = (surfaceSize.width() + TileSize - 1) >> TileShift;
    const int rows = (surfaceSize.height() + TileSize - 1) >> TileShift;
    m_tiles.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(rows), QImage());
}

void ScreenPatch::clear()
{
    for (int index : m_active) {
        // Keep a few tiles for the next preview instead of freeing them.
        if (m_spare.size() < 256)
            m_spare.push_back(std::move(m_tiles[static_cast<std::size_t>(index)]));
        m_tiles[static_cast<std::size_t>(index)] = QImage();
    }
    m_active.clear();
    m_bounds = QRect();
}

QRect ScreenPatch::tileRect(int index) const
{
    const int tx = index % m_columns;
    const int ty = index / m_columns;
    return QRect(tx << TileShift, ty << TileShift, TileSize, TileSize) &
           QRect(QPoint(0, 0), m_size);
}

QRgb *ScreenPatch::pixel(int x, int y, const QImage &image)
{
    const int index = indexOf(x, y);
    QImage &tile = m_tiles[static_cast<std::size_t>(index)];
    if (tile.isNull()) {
        if (!m_spare.empty()) {
            tile = std::move(m_spare.back());
            m_spare.pop_back();
        } else {
            tile = QImage(TileSize, TileSize, QImage::Format_RGB32);
        }
        const QRect r = tileRect(index);
        const auto bytes = static_cast<std::size_t>(r.width()) * sizeof(QRgb);
        for (int row = 0; row < r.height(); ++row)
            std::memcpy(tile.scanLine(row), image.constScanLine(r.top() + row) + r.left() * 4,
                        bytes);
        m_active.push_back(index);
        m_bounds |= r;
    }
    return reinterpret_cast<QRgb *>(tile.scanLine(y & (TileSize - 1))) + (x & (TileSize - 1));
}

const QRgb *ScreenPatch::find(int x, int y) const
{
    if (m_active.empty())
        return nullptr;
    const QImage &tile = m_tiles[static_cast<std::size_t>(indexOf(x, y))];
    if (tile.isNull())
        return nullptr;
    return reinterpret_cast<const QRgb *>(tile.constScanLine(y & (TileSize - 1))) +
           (x & (TileSize - 1));
}

std::vector<QRect> ScreenPatch::tileRects() const
{
    std::vector<QRect> rects;
    rects.reserve(m_active.size());
    for (int index : m_active)
        rects.push_back(tileRect(index));
    return rects;
}

void ScreenPatch::paint(QPainter &painter, const QRect &area) const
{
    if (!m_bounds.intersects(area))
        return;
    for (int index : m_active) {
        const QRect r = tileRect(index) & area;
        if (r.isEmpty())
            continue;
        const QRect tileRegion = tileRect(index);
        painter.drawImage(r.topLeft(), m_tiles[static_cast<std::size_t>(index)],
                          r.translated(-tileRegion.topLeft()));
    }
}
