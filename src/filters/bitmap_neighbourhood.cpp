// Blur and sharpen: each pixel but the outermost ring from its neighbours in
// the picture as it was before the run.
#include "bitmap.h"

#include "core/numbers.h"
#include "core/surface.h"
#include "pixel_work.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

namespace {

const std::uint8_t *bytesOf(const QRgb *row)
{
    return reinterpret_cast<const std::uint8_t *>(row);
}

// Whether the outermost ring is all there is.
bool onlyRing(const Surface &surface)
{
    return surface.width() < 3 || surface.height() < 3;
}

// Sharpening maps a channel value and its difference from the upper-left
// neighbour to the result; the table holds every pair, so the pixel loop does
// no arithmetic on reals.
class SharpenTable
{
public:
    static constexpr int Differences = 511;

    explicit SharpenTable(float factor)
        : m_results(std::size_t(Differences) * 256), m_overflows(m_results.size())
    {
        const double s = factor;
        for (int d = -255; d <= 255; ++d) {
            for (int p = 0; p < 256; ++p) {
                // Exact: a float times a 9-bit integer fits a double.
                const std::optional<std::int16_t> v = roundToInt16(s * d + p);
                const std::size_t i = index(d, p);
                m_overflows[i] = !v;
                m_anyOverflow = m_anyOverflow || !v;
                m_results[i] = static_cast<std::uint8_t>(std::clamp<int>(v.value_or(0), 0, 255));
            }
        }
    }

    static std::size_t index(int difference, int value)
    {
        return static_cast<std::size_t>(difference + 255) * 256 + static_cast<std::size_t>(value);
    }

    const std::uint8_t *results() const { return m_results.data(); }
    bool anyOverflow() const { return m_anyOverflow; }
    bool overflows(int difference, int value) const
    {
        return m_overflows[index(difference, value)] != 0;
    }

private:
    std::vector<std::uint8_t> m_results;
    std::vector<std::uint8_t> m_overflows;
    bool m_anyOverflow = false;
};

// Whether some pixel of the sharpened area would overflow.
bool sharpenOverflows(const PixelRows &rows, const SharpenTable &table)
{
    for (int y = 1; y < rows.height() - 1; ++y) {
        const std::uint8_t *up = bytesOf(rows.row(y - 1));
        const std::uint8_t *cur = bytesOf(rows.row(y));
        for (int i = 4; i < 4 * (rows.width() - 1); ++i) {
            if ((i & 3) != 3 && table.overflows(cur[i] - up[i - 4], cur[i]))
                return true;
        }
    }
    return false;
}

} // namespace

FilterOutcome BlurImage(Surface &surface)
{
    if (onlyRing(surface))
        return FilterOutcome::Done;
    return editWithHistory(
        surface, 1, surface.height() - 1, 1, 1, [](const RowHistory &history, int y, QRgb *row) {
            const std::uint8_t *a = bytesOf(history.original(y - 1));
            const std::uint8_t *b = bytesOf(history.original(y));
            const std::uint8_t *c = bytesOf(history.original(y + 1));
            auto *out = reinterpret_cast<std::uint8_t *>(row);
            // Every byte of the inner pixels, the opaque alpha included: nine
            // times 255 gives 255 back.
            const int end = 4 * (history.width() - 1);
            for (int i = 4; i < end; ++i) {
                const auto sum =
                    static_cast<std::uint16_t>(a[i - 4] + a[i] + a[i + 4] + b[i - 4] + b[i] +
                                               b[i + 4] + c[i - 4] + c[i] + c[i + 4] + 4);
                // sum / 9 for every sum up to 2299, as a multiplication; a
                // ninth of an integer is never a tie, so + 4 rounds it.
                out[i] = static_cast<std::uint8_t>((std::uint32_t(sum) * 7282u) >> 16);
            }
        });
}

FilterOutcome SharpenImage(Surface &surface, float factor)
{
    if (onlyRing(surface))
        return FilterOutcome::Done;
    std::optional<SharpenTable> table;
    try {
        table.emplace(factor);
    } catch (const std::bad_alloc &) {
        return FilterOutcome::NoMemory;
    }
    const std::uint8_t *results = table->results();
    return editWithHistory(
        surface, 1, surface.height() - 1, 1, 0,
        [results](const RowHistory &history, int y, QRgb *row) {
            const std::uint8_t *up = bytesOf(history.original(y - 1));
            const std::uint8_t *cur = bytesOf(history.original(y));
            auto *out = reinterpret_cast<std::uint8_t *>(row);
            for (int i = 4; i < 4 * (history.width() - 1); i += 4) {
                for (int c = 0; c < 3; ++c) {
                    const int p = cur[i + c];
                    out[i + c] = results[SharpenTable::index(p - up[i + c - 4], p)];
                }
            }
        },
        [&table](const PixelRows &rows) {
            return table->anyOverflow() && sharpenOverflows(rows, *table) ? FilterOutcome::Overflow
                                                                          : FilterOutcome::Done;
        });
}
