// Blur and sharpen: each pixel but the outermost ring from its neighbours in
// the picture as it was before the run.
#include "picture_filters.h"

#include "core/numbers.h"
#include "core/surface.h"
#include "pixel_work.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

namespace {

const std::uint8_t *bytesOf(const QRgb *row)
{
    return reinterpret_cast<const std::uint8_t *>(row);
}

std::uint8_t *bytesOf(QRgb *row)
{
    return reinterpret_cast<std::uint8_t *>(row);
}

// Whether the outermost ring is all there is.
bool onlyRing(const Surface &surface)
{
    return surface.width() < 3 || surface.height() < 3;
}

// Every byte of the inner pixels of out from the rows above (a), at (b) and
// below (c), the opaque alpha included: nine times 255 gives 255 back.
KALVO_PIXEL_LOOP void blurRow(const std::uint8_t *a, const std::uint8_t *b, const std::uint8_t *c,
                              std::uint8_t *out, int width)
{
    const int end = 4 * (width - 1);
    for (int i = 4; i < end; ++i) {
        const auto sum = static_cast<std::uint16_t>(a[i - 4] + a[i] + a[i + 4] + b[i - 4] + b[i] +
                                                    b[i + 4] + c[i - 4] + c[i] + c[i + 4] + 4);
        // sum / 9 for every sum up to 2299, as a multiplication; a ninth of
        // an integer is never a tie, so + 4 rounds it.
        out[i] = static_cast<std::uint8_t>((std::uint32_t(sum) * 7282u) >> 16);
    }
}

// The inner pixels of out from the row above (up) and the row itself (cur).
// factor times a difference of two bytes is exact in a double, so the result
// is rounded once, as a real computation would. The alpha has no difference
// and stays 255.
KALVO_PIXEL_LOOP void sharpenRow(const std::uint8_t *up, const std::uint8_t *cur, std::uint8_t *out,
                                 int width, double factor)
{
    const int end = 4 * (width - 1);
    for (int i = 4; i < end; ++i) {
        const int p = cur[i];
        const double v = factor * (p - up[i - 4]) + p;
        out[i] = static_cast<std::uint8_t>(std::clamp(int(roundHalfEvenSmall(v)), 0, 255));
    }
}

// Which pairs of a channel value and its difference from the upper-left
// neighbour give a result beyond 16 bits.
class SharpenOverflows
{
public:
    explicit SharpenOverflows(float factor) : m_flags(std::size_t(511) * 256)
    {
        for (int d = -255; d <= 255; ++d) {
            for (int p = 0; p < 256; ++p) {
                const bool over = !roundToInt16(double(factor) * d + p);
                m_flags[index(d, p)] = over;
                m_any = m_any || over;
            }
        }
    }

    // Whether some pixel of the sharpened area of rows overflows.
    bool in(const PixelRows &rows) const
    {
        if (!m_any)
            return false;
        for (int y = 1; y < rows.height() - 1; ++y) {
            const std::uint8_t *up = bytesOf(rows.row(y - 1));
            const std::uint8_t *cur = bytesOf(rows.row(y));
            for (int i = 4; i < 4 * (rows.width() - 1); ++i) {
                if (m_flags[index(cur[i] - up[i - 4], cur[i])])
                    return true;
            }
        }
        return false;
    }

private:
    static std::size_t index(int difference, int value)
    {
        return static_cast<std::size_t>(difference + 255) * 256 + static_cast<std::size_t>(value);
    }

    std::vector<bool> m_flags;
    bool m_any = false;
};

} // namespace

FilterOutcome BlurImage(Surface &surface)
{
    if (onlyRing(surface))
        return FilterOutcome::Done;
    return editWithHistory(
        surface, 1, surface.height() - 1, 1, 1, [](const RowHistory &history, int y, QRgb *row) {
            blurRow(bytesOf(history.original(y - 1)), bytesOf(history.original(y)),
                    bytesOf(history.original(y + 1)), bytesOf(row), history.width());
        });
}

FilterOutcome SharpenImage(Surface &surface, float factor)
{
    if (onlyRing(surface))
        return FilterOutcome::Done;
    // Below this no pixel can leave 16 bits: 255 * |factor| + 255 < 32767.5.
    constexpr float SafeFactor = 127.0f;
    std::optional<SharpenOverflows> overflows;
    if (!(std::abs(factor) <= SafeFactor)) {
        try {
            overflows.emplace(factor);
        } catch (const std::bad_alloc &) {
            return FilterOutcome::NoMemory;
        }
    }
    const double s = factor;
    return editWithHistory(
        surface, 1, surface.height() - 1, 1, 0,
        [s](const RowHistory &history, int y, QRgb *row) {
            sharpenRow(bytesOf(history.original(y - 1)), bytesOf(history.original(y)), bytesOf(row),
                       history.width(), s);
        },
        [&overflows](const PixelRows &rows) {
            return overflows && overflows->in(rows) ? FilterOutcome::Overflow : FilterOutcome::Done;
        });
}
