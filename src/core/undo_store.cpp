#include "undo_store.h"

#include "large_image.h"
#include "surface.h"
#include "tile_pool.h"

#include <algorithm>
#include <cstring>

QRect TiledPicture::tileRect(std::size_t index) const
{
    const int column = static_cast<int>(index) % m_columns;
    const int row = static_cast<int>(index) / m_columns;
    const QRect cell(column * TileSize, row * TileSize, TileSize, TileSize);
    return cell & QRect(QPoint(0, 0), m_size);
}

QImage TiledPicture::toImage() const
{
    if (isNull())
        return QImage();
    QImage image = newLargeImage(m_size.width(), m_size.height(), m_tiles.front().format());
    if (image.isNull())
        return image;
    for (std::size_t i = 0; i < m_tiles.size(); ++i) {
        const QRect area = tileRect(i);
        const QImage &tile = m_tiles[i];
        const auto bytes = static_cast<std::size_t>(area.width()) * 4;
        for (int y = 0; y < area.height(); ++y)
            std::memcpy(image.scanLine(area.top() + y) + static_cast<qsizetype>(area.left()) * 4,
                        tile.constScanLine(y), bytes);
    }
    return image;
}

UndoStore::UndoStore(Surface &canvas, QObject *parent) : QObject(parent), m_canvas(&canvas)
{
    connect(&canvas, &Surface::imageChanged, this, &UndoStore::markChanged);
}

void UndoStore::markChanged(const QRect &area)
{
    if (m_allChanged || !m_canvas || m_canvas->size() != m_mirror.size() ||
        area.contains(m_canvas->rect())) {
        m_allChanged = true;
        return;
    }
    const QRect clipped = area & m_canvas->rect();
    if (clipped.isEmpty())
        return;
    const int firstColumn = clipped.left() / TiledPicture::TileSize;
    const int lastColumn = clipped.right() / TiledPicture::TileSize;
    const int firstRow = clipped.top() / TiledPicture::TileSize;
    const int lastRow = clipped.bottom() / TiledPicture::TileSize;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column)
            m_changed[static_cast<std::size_t>(row * m_mirror.columns() + column)] = 1;
    }
}

TiledPicture UndoStore::snapshot()
{
    if (!m_canvas)
        return TiledPicture();
    {
        // Read through a short-lived reference: once it is gone the canvas
        // owns its buffer alone again and draws into it without copying.
        const QImage image = m_canvas->image();
        if (m_allChanged || image.size() != m_mirror.size()) {
            TiledPicture fresh;
            fresh.m_size = image.size();
            fresh.m_columns = TiledPicture::tilesFor(image.width());
            fresh.m_tiles.resize(static_cast<std::size_t>(fresh.m_columns) *
                                 TiledPicture::tilesFor(image.height()));
            for (std::size_t i = 0; i < fresh.m_tiles.size(); ++i)
                fresh.m_tiles[i] = pooledCopy(image, fresh.tileRect(i));
            m_mirror = std::move(fresh);
            m_changed.assign(m_mirror.m_tiles.size(), 0);
        } else {
            for (std::size_t i = 0; i < m_changed.size(); ++i) {
                if (m_changed[i] != 0)
                    m_mirror.m_tiles[i] = pooledCopy(image, m_mirror.tileRect(i));
            }
            std::fill(m_changed.begin(), m_changed.end(), 0);
        }
    }
    // A tile copy that failed for want of memory leaves a null tile; such a
    // picture cannot be put back, so keep none rather than a wrong one.
    const bool complete = std::none_of(m_mirror.m_tiles.begin(), m_mirror.m_tiles.end(),
                                       [](const QImage &tile) { return tile.isNull(); });
    if (!complete) {
        m_allChanged = true;
        return TiledPicture();
    }
    m_allChanged = false;
    return m_mirror;
}

void UndoStore::takeBefore()
{
    m_masktemp = snapshot();
}

void UndoStore::takeAfter()
{
    m_PM = snapshot();
}

void UndoStore::clear()
{
    m_masktemp = TiledPicture();
    m_PM = TiledPicture();
}

bool UndoStore::restore(const TiledPicture &picture)
{
    if (!m_canvas)
        return false;
    if (picture.isNull())
        return m_canvas->setPicture(QImage());
    const QImage image = picture.toImage();
    if (image.isNull() || !m_canvas->setPicture(image))
        return false;
    // The canvas now holds exactly these tiles: the next snapshot need copy
    // only what is drawn after this.
    m_mirror = picture;
    m_changed.assign(m_mirror.m_tiles.size(), 0);
    m_allChanged = false;
    return true;
}
