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
// patterns do not alias. The shrunk copies are made while the program is idle,
// their memory first, then a few tiles at a time, and kept up to date tile by
// tile, only where the picture changed: the smallest one, the overview (1/64
// of the picture's memory), from the start, so that the first zoom out to it
// finds it ready; the others once the view has first asked for them. Until a
// copy's memory is had, what the view asks for is shrunk from the picture
// itself: memory touched for the first time costs more than shrinking a
// screenful.
class ReducedPicture : public QObject
{
    Q_OBJECT

public:
    static constexpr int Levels = 3;
    // Picture pixels on a side of the tiles that are brought up to date.
    static constexpr int TileSize = 256;

    explicit ReducedPicture(const Surface &surface, QObject *parent = nullptr);

    // Writes the blocks (pixels of the picture shrunk by 2^level, level
    // 1..Levels) of the picture as it is now into the top left of into, which
    // is at least as large.
    void shrunk(int level, const QRect &blocks, QImage &into);
    // The view is being repainted: the idle work waits until the screen has
    // been still a moment, so that neither the frame being made nor the next
    // input waits for it or shares the processor with it.
    void hold();
    // Whether the kept copy of the level serves what is asked for: its
    // memory has been had, and its stale tiles are brought up to date as
    // they are asked for.
    bool ready(int level) const;

    // The block means of picture, shrunk by factor, as the shrunk copies hold
    // them; for pictures that are not kept.
    static QImage reduce(const QImage &picture, int factor);

private:
    struct Level {
        QImage pixels;
        std::vector<std::uint8_t> stale; // per tile
        QSize madeFor;                   // the picture's size when it was made
        int touchedRows = 0;             // of pixels, in idle time
        bool wanted = false;             // to be made in idle time
    };

    // The level, dropped first when it was made for another size: the
    // picture's changes can reach us before its new size does.
    Level &current(int level);
    // A copy of the level, every tile stale; false when its memory cannot be
    // had.
    bool make(int level);
    // Brings the stale tiles of the level within area (picture pixels) up to
    // date.
    void update(int level, const QRect &area);

    void markChanged(const QRect &area);
    void drop();
    // Stale tiles of the copies, the overview's first, while any is left.
    void refreshInIdleTime();
    int columns() const;

    const Surface &m_surface;
    std::array<Level, Levels> m_levels;
    QTimer m_idle;
    // Starts the idle work again after a shrunk picture was asked for.
    QTimer m_resume;
};
