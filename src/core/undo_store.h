#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <cstdint>
#include <vector>

class Surface;

// A picture kept as a grid of square tiles. Copies of a TiledPicture, and
// pictures taken from the same canvas, share every tile that did not change
// between them, so keeping two pictures of a big canvas costs one picture plus
// what was drawn in between.
class TiledPicture
{
public:
    static constexpr int TileSize = 128;

    // No picture: an empty holder.
    bool isNull() const { return m_tiles.empty(); }
    QSize size() const { return m_size; }
    int columns() const { return m_columns; }
    int rows() const { return m_columns == 0 ? 0 : static_cast<int>(m_tiles.size()) / m_columns; }
    const QImage &tile(int column, int row) const
    {
        return m_tiles[static_cast<std::size_t>(row * m_columns + column)];
    }

    // The whole picture in one image (a null image for no picture, or when
    // the memory for it cannot be had).
    QImage toImage() const;

private:
    friend class UndoStore;

    static int tilesFor(int length) { return (length + TileSize - 1) / TileSize; }
    QRect tileRect(std::size_t index) const;

    QSize m_size;
    int m_columns = 0;
    std::vector<QImage> m_tiles;
};

// The one level of undo of the canvas: the before-picture `masktemp`, taken at
// each press on the canvas, and the after-picture `PM`, taken at the end of
// each release. Undo puts the first back into the canvas, Redo the second.
//
// The store follows the canvas's imageChanged signal, so that a snapshot
// copies only the tiles drawn into since the previous one and shares all the
// others. It never keeps a reference to the canvas's own image, which would
// make the canvas copy its whole buffer at the next drawing.
class UndoStore : public QObject
{
    Q_OBJECT

public:
    explicit UndoStore(Surface &canvas, QObject *parent = nullptr);

    // masktemp := the canvas image as it is now.
    void takeBefore();
    // PM := the canvas image as it is now.
    void takeAfter();

    // The canvas takes the held picture and its size; an empty holder clears
    // the canvas to its background colour and keeps its size. False when the
    // canvas could not take the picture (it is then left as it was).
    bool restoreBefore() { return restore(m_masktemp); }
    bool restoreAfter() { return restore(m_PM); }

    // Both holders become empty.
    void clear();

    const TiledPicture &masktemp() const { return m_masktemp; }
    const TiledPicture &PM() const { return m_PM; }

private:
    void markChanged(const QRect &area);
    TiledPicture snapshot();
    bool restore(const TiledPicture &picture);

    QPointer<Surface> m_canvas;
    // The canvas image as of the last snapshot or restore, and the tiles of
    // the canvas written to since then.
    TiledPicture m_mirror;
    std::vector<std::uint8_t> m_changed;
    bool m_allChanged = true;

    TiledPicture m_masktemp;
    TiledPicture m_PM;
};
