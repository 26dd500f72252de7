#pragma once

#include "core/pixel_loop.h"
#include "core/row_bands.h"
#include "picture_filters.h"

#include <QImage>

#include <functional>
#include <vector>

// The machinery the Bitmap filters share: rows as plain pointers, work split
// into bands of rows on two threads, and the history of original rows that
// lets a neighbourhood filter overwrite the picture in place.

// The rows of a picture, taken once, so that inner loops make no QImage calls
// and several threads can share them.
class PixelRows
{
public:
    explicit PixelRows(QImage &image)
        : m_bits(image.bits()), m_stride(image.bytesPerLine()), m_width(image.width()),
          m_height(image.height())
    {
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    QRgb *row(int y) const { return reinterpret_cast<QRgb *>(m_bits + y * m_stride); }

private:
    uchar *m_bits;
    qsizetype m_stride;
    int m_width;
    int m_height;
};

// For a filter that writes row y from the original rows y - above .. y + below
// and overwrites its band top to bottom: keep(y) copies row y just before it
// is overwritten, original(y) gives the original pixels of any row the filter
// may read. The rows next to the band, which another band may overwrite, are
// copied when the history is made, so every band's history must be made
// before any band starts. Making one throws std::bad_alloc when the memory
// cannot be had.
class RowHistory
{
public:
    RowHistory(const PixelRows &rows, const RowBand &band, int above, int below);

    int width() const { return m_width; }
    void keep(int y);
    const QRgb *original(int y) const;

private:
    QRgb *slot(int y) { return m_kept.data() + static_cast<std::size_t>(y % m_slots) * m_width; }

    PixelRows m_rows;
    RowBand m_band;
    int m_width;
    int m_slots;
    std::vector<QRgb> m_kept;
    std::vector<QRgb> m_after;
    int m_lastKept;
};

// Runs work(y, row, width) on every row of the surface's current layer, on two
// threads for a big picture; for filters whose pixels depend on themselves
// only. flip as for Surface::editPixels.
FilterOutcome editRows(Surface &surface,
                       const std::function<void(int y, QRgb *row, int width)> &work, QRgb flip = 0);

// Rewrites the rows [first, end) of the surface's current layer in place:
// work(history, y, row) writes row y from history.original() of the rows
// y - above .. y + below. check, when given, sees the picture first and may
// refuse it with its outcome. Nothing is written when the history's memory
// cannot be had or check refuses.
FilterOutcome
editWithHistory(Surface &surface, int first, int end, int above, int below,
                const std::function<void(const RowHistory &history, int y, QRgb *row)> &work,
                const std::function<FilterOutcome(const PixelRows &rows)> &check = {});
