#include "pixel_work.h"

#include "core/surface.h"

#include <algorithm>
#include <cstring>
#include <new>

RowHistory::RowHistory(const PixelRows &rows, const RowBand &band, int above, int below)
    : m_rows(rows), m_band(band), m_width(rows.width()), m_slots(above + 1),
      m_kept(static_cast<std::size_t>(m_slots) * m_width),
      m_after(static_cast<std::size_t>(below) * m_width), m_lastKept(band.first - 1)
{
    const auto bytes = static_cast<std::size_t>(m_width) * sizeof(QRgb);
    for (int y = std::max(band.first - above, 0); y < band.first; ++y)
        std::memcpy(slot(y), rows.row(y), bytes);
    for (int i = 0; i < below && band.end + i < rows.height(); ++i)
        std::memcpy(m_after.data() + static_cast<std::size_t>(i) * m_width, rows.row(band.end + i),
                    bytes);
}

void RowHistory::keep(int y)
{
    std::memcpy(slot(y), m_rows.row(y), static_cast<std::size_t>(m_width) * sizeof(QRgb));
    m_lastKept = y;
}

const QRgb *RowHistory::original(int y) const
{
    if (y >= m_band.end)
        return m_after.data() + static_cast<std::size_t>(y - m_band.end) * m_width;
    // Rows the band has not reached yet are still as they were.
    if (y > m_lastKept)
        return m_rows.row(y);
    return m_kept.data() + static_cast<std::size_t>(y % m_slots) * m_width;
}

FilterOutcome editRows(Surface &surface,
                       const std::function<void(int y, QRgb *row, int width)> &work, QRgb flip)
{
    const bool done = surface.editPixels(
        [&](QImage &image) {
            const PixelRows rows(image);
            const std::vector<RowBand> bands = rowBands(0, rows.height(), rows.width());
            runBands(bands.size(), [&](std::size_t i) {
                for (int y = bands[i].first; y < bands[i].end; ++y)
                    work(y, rows.row(y), rows.width());
            });
            return true;
        },
        flip);
    return done ? FilterOutcome::Done : FilterOutcome::NoMemory;
}

FilterOutcome
editWithHistory(Surface &surface, int first, int end, int above, int below,
                const std::function<void(const RowHistory &history, int y, QRgb *row)> &work,
                const std::function<FilterOutcome(const PixelRows &rows)> &check)
{
    FilterOutcome outcome = FilterOutcome::Done;
    const bool done = surface.editPixels([&](QImage &image) {
        const PixelRows rows(image);
        if (check)
            outcome = check(rows);
        if (outcome != FilterOutcome::Done)
            return false;
        const std::vector<RowBand> bands = rowBands(first, end, rows.width());
        std::vector<RowHistory> histories;
        try {
            histories.reserve(bands.size());
            for (const RowBand &band : bands)
                histories.emplace_back(rows, band, above, below);
        } catch (const std::bad_alloc &) {
            outcome = FilterOutcome::NoMemory;
            return false;
        }
        runBands(bands.size(), [&](std::size_t i) {
            RowHistory &history = histories[i];
            for (int y = bands[i].first; y < bands[i].end; ++y) {
                history.keep(y);
                work(history, y, rows.row(y));
            }
        });
        return true;
    });
    // Refused before the work could start: the layer itself could not be had.
    if (!done && outcome == FilterOutcome::Done)
        return FilterOutcome::NoMemory;
    return outcome;
}
