#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QTimer>

#include <array>
#include <cstdint>
#include <vector>

class Surface;

// A surface's persistent picture shrunk by 2, 4 and 8 for showing it below
// 100 %: each pixel the rounded mean of the block of picture pixels it covers
// (of those inside the picture at the right and bottom edges), so that fine
// patterns do not alias. A shrunk copy is made when it is first asked for and
// then kept up to date tile by tile, only where the picture changed. The
// smallest one, the overview (1/64 of the picture's memory), is also brought
// up to date while the program is idle, a row of tiles at a time, so that
// the first zoom out to it finds it ready.
class ReducedPicture : public QObject
{
    Q_OBJECT

public:
    static constexpr int Levels = 3;
    // Picture pixels on a side of the tiles that are brought up to date.
    static constexpr int TileSize = 256;

    explicit ReducedPicture(const Surface &surface, QObject *parent = nullptr);

    // The picture shrunk by 2^level (1..Levels), up to date at least within
    // area (picture pixels); a null image when its memory cannot be had.
    const QImage &reduced(int level, const QRect &area);

    // The block means of picture, shrunk by factor (a power of 2), as the
    // shrunk copies hold them; for pictures that are not kept.
    static QImage reduce(const QImage &picture, int factor);

private:
    struct Level {
        QImage pixels;
        std::vector<std::uint8_t> stale; // per tile
        QSize madeFor;                   // the picture's size when it was made
    };

    // The level, dropped first when it was made for another size: the
    // picture's changes can reach us before its new size does.
    Level &current(int level);

    void markChanged(const QRect &area);
    void drop();
    // One stale row of the overview's tiles, while any is left.
    void refreshOverview();
    int columns() const;

    const Surface &m_surface;
    std::array<Level, Levels> m_levels;
    QTimer m_idle;
};
