#pragma once

#include <QImage>
#include <QRect>

#include <vector>

class QPainter;

// The part of a surface's screen layer that differs from its persistent image:
// a sparse grid of square tiles, each created as a copy of the image's pixels
// the first time a preview writes into it. Dropping the patch shows the image
// again and costs only the tiles that were in use.
class ScreenPatch
{
public:
    static constexpr int TileShift = 6;
    static constexpr int TileSize = 1 << TileShift;

    // Starts over for a surface of the given size, without tiles.
    void reset(QSize surfaceSize);
    // Drops every tile; the screen equals the image again.
    void clear();

    bool isEmpty() const { return m_active.empty(); }
    // Union of the tiles in use, clipped to the surface.
    QRect bounds() const { return m_bounds; }

    // Pointer to the screen pixel (x, y), inside the surface, creating its tile
    // from image when needed. Valid up to the end of the tile's row.
    QRgb *pixel(int x, int y, const QImage &image);
    // The screen pixel (x, y) if a tile holds it, else null.
    const QRgb *find(int x, int y) const;

    // The tiles in use, clipped to the surface.
    std::vector<QRect> tileRects() const;

    // Paints the tiles that intersect area.
    void paint(QPainter &painter, const QRect &area) const;

private:
    int indexOf(int x, int y) const { return (y >> TileShift) * m_columns + (x >> TileShift); }
    QRect tileRect(int index) const;

    QSize m_size;
    int m_columns = 0;
    std::vector<QImage> m_tiles;
    std::vector<int> m_active;
    std::vector<QImage> m_spare;
    QRect m_bounds;
};
