#include "resample.h"

#include "large_image.h"
#include "pixel_loop.h"
#include "row_bands.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace {

struct Tap {
    int index;
    std::int64_t weight;
};

// For every output index along one axis, the source indices that feed it and
// their integer weights, which add up to the same total for every output.
struct AxisPlan {
    std::vector<std::size_t> first; // taps[first[i] .. first[i + 1])
    std::vector<Tap> taps;
    std::int64_t total = 1;
};

AxisPlan planAxis(int from, int to, ResampleFilter filter)
{
    AxisPlan plan;
    plan.first.reserve(static_cast<std::size_t>(to) + 1);
    const std::int64_t sw = from, dw = to;
    for (std::int64_t t = 0; t < dw; ++t) {
        plan.first.push_back(plan.taps.size());
        if (filter == ResampleFilter::Nearest || sw == dw) {
            plan.taps.push_back({static_cast<int>(((2 * t + 1) * sw) / (2 * dw)), 1});
        } else if (sw > dw) {
            // Box filter, in units where a source pixel is dw wide and an
            // output pixel sw wide.
            const std::int64_t lo = t * sw, hi = (t + 1) * sw;
            for (std::int64_t k = lo / dw; k * dw < hi; ++k) {
                const std::int64_t w = std::min((k + 1) * dw, hi) - std::max(k * dw, lo);
                if (w > 0)
                    plan.taps.push_back({static_cast<int>(k), w});
            }
        } else {
            // Linear, centres aligned: the position of the output centre in
            // source pixels, times 2 * dw.
            const std::int64_t position = (2 * t + 1) * sw - dw;
            const std::int64_t k = position < 0 ? 0 : position / (2 * dw);
            const std::int64_t r = position < 0 ? 0 : position % (2 * dw);
            if (k >= sw - 1 || r == 0) {
                plan.taps.push_back({static_cast<int>(std::min(k, sw - 1)), 2 * dw});
            } else {
                plan.taps.push_back({static_cast<int>(k), 2 * dw - r});
                plan.taps.push_back({static_cast<int>(k + 1), r});
            }
        }
    }
    plan.first.push_back(plan.taps.size());
    if (filter == ResampleFilter::Nearest || sw == dw)
        plan.total = 1;
    else
        plan.total = sw > dw ? sw : 2 * dw;
    return plan;
}

// Adds weight times each of count channel sums of a row to sums. Doubles
// hold every sum here exactly (below 2^53), and their loops run on the
// vector units.
KALVO_PIXEL_LOOP void addWeighted(double *__restrict sums, const std::int32_t *__restrict row,
                                  double weight, std::size_t count)
{
    for (std::size_t c = 0; c < count; ++c)
        sums[c] += weight * row[c];
}

// Each of the 3 x columns channel sums over total, rounded to nearest with ties to
// even, into pixels. A quotient of two integers below 2^53 is exact in
// double where it is a tie, and otherwise lies farther from one than its
// rounding error, so adding and taking away 1.5 * 2^52 rounds it exactly as
// the integer division would; a division per channel in integers was most
// of the time of a big stretch.
KALVO_PIXEL_LOOP void roundedQuotients(const double *__restrict sums, double total,
                                       QRgb *__restrict pixels, std::size_t columns)
{
    constexpr double Shift = 6755399441055744.0;
    for (std::size_t i = 0; i < columns; ++i) {
        const auto r = static_cast<std::uint32_t>((sums[3 * i] / total + Shift) - Shift);
        const auto g = static_cast<std::uint32_t>((sums[3 * i + 1] / total + Shift) - Shift);
        const auto b = static_cast<std::uint32_t>((sums[3 * i + 2] / total + Shift) - Shift);
        pixels[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
}

QImage nearest(const QImage &source, QSize size, bool mirrorX, bool mirrorY)
{
    // Nothing moves: the source itself, shared.
    if (source.size() == size && !mirrorX && !mirrorY)
        return source;
    QImage out = newLargeImage(size.width(), size.height());
    if (out.isNull())
        return out;
    const AxisPlan xs = planAxis(source.width(), size.width(), ResampleFilter::Nearest);
    const AxisPlan ys = planAxis(source.height(), size.height(), ResampleFilter::Nearest);
    const uchar *sourceBits = source.constBits();
    const qsizetype sourceStride = source.bytesPerLine();
    uchar *outBits = out.bits();
    const qsizetype outStride = out.bytesPerLine();
    const std::vector<RowBand> bands = rowBands(0, size.height(), size.width());
    runBands(bands.size(), [&](std::size_t band) {
        for (int j = bands[band].first; j < bands[band].end; ++j) {
            const auto *src = reinterpret_cast<const QRgb *>(
                sourceBits + ys.taps[static_cast<std::size_t>(j)].index * sourceStride);
            auto *dst = reinterpret_cast<QRgb *>(outBits +
                                                 (mirrorY ? size.height() - 1 - j : j) * outStride);
            for (int i = 0; i < size.width(); ++i)
                dst[mirrorX ? size.width() - 1 - i : i] =
                    src[xs.taps[static_cast<std::size_t>(i)].index];
        }
    });
    return out;
}

// Source rows resampled along x, kept while the next output rows still need
// them: the taps only move forward, so a few rows are enough. Each thread
// has its own; its rows are found by source index, so a band may follow
// another's.
class HorizontalRows
{
public:
    HorizontalRows(const QImage &source, const AxisPlan &xs, std::size_t columns)
        : m_source(source), m_xs(xs), m_columns(columns)
    {
        for (std::vector<std::int32_t> &row : m_rows)
            row.resize(m_columns * 3);
    }

    // Source row k resampled: red, green and blue of each output column.
    const std::vector<std::int32_t> &row(int k)
    {
        for (std::size_t c = 0; c < Slots; ++c) {
            if (m_index[c] == k)
                return m_rows[c];
        }
        const std::size_t slot = m_next;
        m_next = (m_next + 1) % Slots;
        std::vector<std::int32_t> &out = m_rows[slot];
        m_index[slot] = k;
        const auto *src = reinterpret_cast<const QRgb *>(m_source.constScanLine(k));
        for (std::size_t i = 0; i < m_columns; ++i) {
            // At most 255 times a weight total below 2^17: 32 bits hold it.
            std::int32_t r = 0, g = 0, b = 0;
            for (std::size_t t = m_xs.first[i]; t < m_xs.first[i + 1]; ++t) {
                const QRgb p = src[m_xs.taps[t].index];
                const auto w = static_cast<std::int32_t>(m_xs.taps[t].weight);
                r += w * qRed(p);
                g += w * qGreen(p);
                b += w * qBlue(p);
            }
            out[3 * i] = r;
            out[3 * i + 1] = g;
            out[3 * i + 2] = b;
        }
        return out;
    }

private:
    static constexpr std::size_t Slots = 4;
    const QImage &m_source;
    const AxisPlan &m_xs;
    std::size_t m_columns;
    std::vector<std::int32_t> m_rows[Slots];
    int m_index[Slots] = {-1, -1, -1, -1};
    std::size_t m_next = 0;
};

} // namespace

namespace {

// What one band of rows needs while it is worked on, made before the first
// row is written: running short of memory half-way would leave half a
// picture written.
struct RowWork {
    HorizontalRows horizontal;
    std::vector<double> sums;
    std::vector<QRgb> row;

    RowWork(const QImage &source, const AxisPlan &xs, std::size_t columns)
        : horizontal(source, xs, columns), sums(columns * 3), row(columns)
    {
    }
};

} // namespace

bool resampleRows(const QImage &input, QSize size, ResampleFilter filter, bool twoThreads,
                  const std::function<void(int y, const QRgb *row)> &take)
{
    if (input.isNull() || size.isEmpty())
        return false;
    const QImage source = input.convertToFormat(QImage::Format_RGB32);
    if (source.isNull())
        return false;
    if (source.size() == size)
        filter = ResampleFilter::Nearest;
    const auto columns = static_cast<std::size_t>(size.width());
    std::optional<AxisPlan> xs, ys;
    std::vector<std::unique_ptr<RowWork>> work;
    try {
        xs = planAxis(source.width(), size.width(), filter);
        ys = planAxis(source.height(), size.height(), filter);
    } catch (const std::bad_alloc &) {
        return false;
    }
    const std::vector<RowBand> bands = twoThreads ? rowBands(0, size.height(), size.width())
                                                  : std::vector<RowBand>{{0, size.height()}};
    try {
        // One for each thread that takes bands.
        for (std::size_t i = 0; i < std::min<std::size_t>(bands.size(), 2); ++i)
            work.push_back(std::make_unique<RowWork>(source, *xs, columns));
    } catch (const std::bad_alloc &) {
        return false;
    }
    const auto total = static_cast<double>(xs->total * ys->total);
    const auto stretchBand = [&](std::size_t band, RowWork &w) {
        for (int j = bands[band].first; j < bands[band].end; ++j) {
            const auto uj = static_cast<std::size_t>(j);
            if (filter == ResampleFilter::Nearest) {
                const auto *src = reinterpret_cast<const QRgb *>(
                    source.constScanLine(ys->taps[ys->first[uj]].index));
                for (std::size_t i = 0; i < columns; ++i)
                    w.row[i] = src[xs->taps[xs->first[i]].index];
            } else {
                std::fill(w.sums.begin(), w.sums.end(), 0.0);
                for (std::size_t t = ys->first[uj]; t < ys->first[uj + 1]; ++t)
                    addWeighted(w.sums.data(), w.horizontal.row(ys->taps[t].index).data(),
                                static_cast<double>(ys->taps[t].weight), w.sums.size());
                roundedQuotients(w.sums.data(), total, w.row.data(), columns);
            }
            take(j, w.row.data());
        }
    };
    runBands(bands.size(),
             [&](std::size_t band, std::size_t thread) { stretchBand(band, *work[thread]); });
    return true;
}

QImage resample(const QImage &input, QSize size, bool mirrorX, bool mirrorY, ResampleFilter filter)
{
    if (input.isNull() || size.isEmpty())
        return {};
    const QImage source = input.convertToFormat(QImage::Format_RGB32);
    if (filter == ResampleFilter::Nearest || source.size() == size)
        return nearest(source, size, mirrorX, mirrorY);

    QImage out = newLargeImage(size.width(), size.height());
    if (out.isNull())
        return out;
    uchar *outBits = out.bits();
    const qsizetype outStride = out.bytesPerLine();
    const int width = size.width();
    const bool made = resampleRows(source, size, filter, true, [&](int j, const QRgb *row) {
        auto *dst =
            reinterpret_cast<QRgb *>(outBits + (mirrorY ? size.height() - 1 - j : j) * outStride);
        if (mirrorX)
            std::reverse_copy(row, row + width, dst);
        else
            std::copy(row, row + width, dst);
    });
    return made ? out : QImage();
}
