// Noise, diffuse, the pixel effect and mirror. The random draws are those of
// a column-by-column loop over the picture (x outer, y inner), computed from
// their position in that order, so that rows can be walked in any order.
#include "bitmap.h"

#include "core/numbers.h"
#include "core/random.h"
#include "core/surface.h"
#include "pixel_work.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

namespace {

// A pixel's bytes in memory hold blue, green, red; the draws come red first.
constexpr int ChannelByte[3] = {2, 1, 0};

// The state that draw k (from 0) of a run starting at start mixes.
constexpr std::uint64_t stateOfDraw(std::uint64_t start, std::uint64_t k)
{
    return start + (k + 1) * RandomSource::Step;
}

int channelResult(double value)
{
    return std::clamp(static_cast<int>(roundHalfEvenSmall(value)), 0, 255);
}

} // namespace

FilterOutcome AddNoise(Surface &surface, std::int16_t amount)
{
    const int spread = 2 * amount + 1;
    if (spread < -32768 || spread > 32767)
        return FilterOutcome::Overflow;
    const double t = spread;
    const double n = amount;
    const std::uint64_t height = static_cast<std::uint64_t>(surface.height());
    const std::uint64_t start = programRandom().state();
    const FilterOutcome outcome = editRows(surface, [&](int y, QRgb *row, int width) {
        auto *bytes = reinterpret_cast<std::uint8_t *>(row);
        for (int x = 0; x < width; ++x) {
            const std::uint64_t first = 3 * (std::uint64_t(x) * height + std::uint64_t(y));
            std::uint8_t *p = bytes + 4 * x;
            for (int c = 0; c < 3; ++c) {
                const double u = RandomSource::valueAt(stateOfDraw(start, first + c));
                const int byte = ChannelByte[c];
                p[byte] = static_cast<std::uint8_t>(channelResult(t * u - n + p[byte]));
            }
        }
    });
    if (outcome == FilterOutcome::Done)
        programRandom().skip(3 * height * static_cast<std::uint64_t>(surface.width()));
    return outcome;
}

FilterOutcome DiffuseImage(Surface &surface)
{
    const int width = surface.width();
    const int height = surface.height();
    if (width < 5 || height < 5)
        return FilterOutcome::Done;
    const std::uint64_t column = static_cast<std::uint64_t>(height - 4);
    const std::uint64_t start = programRandom().state();
    const FilterOutcome outcome = editWithHistory(
        surface, 2, height - 2, 2, 0, [&](const RowHistory &history, int y, QRgb *row) {
            for (int x = 2; x < width - 2; ++x) {
                const std::uint64_t k = std::uint64_t(x - 2) * column + std::uint64_t(y - 2);
                const double u = RandomSource::valueAt(stateOfDraw(start, k));
                const double d = 2.0 * u - 2.0;
                const auto sx = static_cast<int>(roundHalfEvenSmall(x + d));
                const auto sy = static_cast<int>(roundHalfEvenSmall(y + d));
                row[x] = history.original(sy)[sx];
            }
        });
    if (outcome == FilterOutcome::Done)
        programRandom().skip(column * static_cast<std::uint64_t>(width - 4));
    return outcome;
}

FilterOutcome PixelEffect(Surface &surface)
{
    const int width = surface.width();
    const int height = surface.height();
    // The rounded moves: right by cos of the row, down by sin of the column.
    std::vector<std::int8_t> across;
    std::vector<std::int8_t> down;
    try {
        across.resize(static_cast<std::size_t>(height));
        down.resize(static_cast<std::size_t>(width));
    } catch (const std::bad_alloc &) {
        return FilterOutcome::NoMemory;
    }
    for (int y = 0; y < height; ++y)
        across[std::size_t(y)] = static_cast<std::int8_t>(roundHalfEven(std::cos(y)));
    for (int x = 0; x < width; ++x)
        down[std::size_t(x)] = static_cast<std::int8_t>(roundHalfEven(std::sin(x)));
    // Each target gathers from the sources that land on it: one per column
    // x - 1, x, x + 1 at most, and the one from the rightmost column is
    // written last.
    return editWithHistory(surface, 0, height, 1, 1,
                           [&](const RowHistory &history, int ty, QRgb *row) {
                               for (int tx = 0; tx < width; ++tx) {
                                   for (int move = -1; move <= 1; ++move) {
                                       const int x = tx - move;
                                       if (x < 0 || x >= width)
                                           continue;
                                       const int y = ty - down[std::size_t(x)];
                                       if (y < 0 || y >= height || across[std::size_t(y)] != move)
                                           continue;
                                       row[tx] = history.original(y)[x];
                                       break;
                                   }
                               }
                           });
}

FilterOutcome MirrorImage(Surface &surface)
{
    return editRows(surface, [](int, QRgb *row, int width) {
        for (int x = 0; x <= (width - 1) / 2; ++x)
            row[width - 1 - x] = row[x];
    });
}
