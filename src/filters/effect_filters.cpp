// Noise, diffuse, the pixel effect and mirror. The random draws are those of
// a column-by-column loop over the picture (x outer, y inner), computed from
// their position in that order, so that rows can be walked in any order.
#include "picture_filters.h"

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

int channelResult(double value)
{
    return std::clamp(static_cast<int>(roundHalfEvenSmall(value)), 0, 255);
}

// Draws are made a piece of a row at a time, on the generator's vector path,
// and the pixel loops read them from there.
constexpr int DrawPiece = 256;

// Noise on count pixels from their red, green and blue draws. Whole pixels
// are read and written, so that the loop becomes vector code.
KALVO_PIXEL_LOOP void noisePiece(QRgb *__restrict pixels, int count,
                                 const double (*__restrict draws)[DrawPiece], double spread,
                                 double amount)
{
    const auto channel = [&](double draw, QRgb value) {
        return static_cast<QRgb>(channelResult(spread * draw - amount + double(value & 0xFF)));
    };
    for (int x = 0; x < count; ++x) {
        const QRgb p = pixels[x];
        pixels[x] = (p & 0xFF000000u) | channel(draws[0][x], p >> 16) << 16 |
                    channel(draws[1][x], p >> 8) << 8 | channel(draws[2][x], p);
    }
}

// One row of noise: state is the generator's state for the red draw of the
// row's first pixel, stepX moves it on by one column.
void noiseRow(QRgb *row, int width, std::uint64_t state, std::uint64_t stepX, double spread,
              double amount)
{
    double draws[3][DrawPiece];
    for (int first = 0; first < width; first += DrawPiece) {
        const int count = std::min(DrawPiece, width - first);
        const std::uint64_t at = state + std::uint64_t(first) * stepX;
        for (int c = 0; c < 3; ++c)
            RandomSource::fill(draws[c], static_cast<std::size_t>(count),
                               at + std::uint64_t(c) * RandomSource::Step, stepX);
        noisePiece(row + first, count, draws, spread, amount);
    }
}

// Inner pixels [from, to) of row y of the diffuse effect from the original
// rows y, y - 1 and y - 2 (above[0], above[1], above[2]), with the draw of
// pixel x in draws[x - from]. The source lies 0, 1 or 2 columns to the left
// and rows up: all nine candidates are read and one is chosen, without
// branches, so that the loop becomes vector code.
KALVO_PIXEL_LOOP void diffusePiece(const QRgb *const *above, QRgb *__restrict out, int from, int to,
                                   int y, const double *__restrict draws)
{
    const QRgb *__restrict r0 = above[0];
    const QRgb *__restrict r1 = above[1];
    const QRgb *__restrict r2 = above[2];
    for (int x = from; x < to; ++x) {
        const double d = 2.0 * draws[x - from] - 2.0;
        const int left = x - static_cast<int>(roundHalfEvenSmall(x + d));
        const int up = y - static_cast<int>(roundHalfEvenSmall(y + d));
        const auto pick = [left, x](const QRgb *__restrict row) {
            const QRgb a = row[x];
            const QRgb b = row[x - 1];
            const QRgb c = row[x - 2];
            return left == 0 ? a : left == 1 ? b : c;
        };
        const QRgb p0 = pick(r0);
        const QRgb p1 = pick(r1);
        const QRgb p2 = pick(r2);
        out[x] = up == 0 ? p0 : up == 1 ? p1 : p2;
    }
}

// One inner row y of the diffuse effect; state and stepX as for noise, from
// the row's first inner pixel.
void diffuseRow(const QRgb *const *above, QRgb *out, int width, int y, std::uint64_t state,
                std::uint64_t stepX)
{
    double draws[DrawPiece];
    for (int from = 2; from < width - 2; from += DrawPiece) {
        const int to = std::min(from + DrawPiece, width - 2);
        RandomSource::fill(draws, static_cast<std::size_t>(to - from),
                           state + std::uint64_t(from - 2) * stepX, stepX);
        diffusePiece(above, out, from, to, y, draws);
    }
}

// The pixel effect's sources for one target row: the original rows above,
// at and below it, the rounded cosine of each (2 for a row outside the
// picture, which matches no move) and the rounded sine of every column.
struct PixelSources {
    const QRgb *rows[3];
    std::int8_t across[3];
    const std::int8_t *down;
    int width;
};

// Targets [from, to), whose candidate columns tx - 1 .. tx + 1 all lie in
// the picture. A source in column x lands in column x + its row's move and in
// row y + down[x]; of those landing on a target, the one from the rightmost
// column comes last in the loop order and wins.
KALVO_PIXEL_LOOP void pixelRow(const PixelSources &src, QRgb *out, int from, int to)
{
    const QRgb *above = src.rows[0];
    const QRgb *at = src.rows[1];
    const QRgb *below = src.rows[2];
    const std::int32_t acrossAbove = src.across[0];
    const std::int32_t acrossAt = src.across[1];
    const std::int32_t acrossBelow = src.across[2];
    const std::int8_t *down = src.down;
    // Every candidate is loaded and the winner chosen without branches, so
    // that the loop becomes vector code.
    const auto choose = [&](int x, std::int32_t move, QRgb v) {
        const std::int32_t r = down[x];
        const QRgb a = above[x];
        const QRgb b = at[x];
        const QRgb c = below[x];
        const QRgb candidate = r == 1 ? a : r == 0 ? b : c;
        const std::int32_t across = r == 1 ? acrossAbove : r == 0 ? acrossAt : acrossBelow;
        return across == move ? candidate : v;
    };
    for (int tx = from; tx < to; ++tx) {
        QRgb v = out[tx];
        v = choose(tx - 1, 1, v);
        v = choose(tx, 0, v);
        v = choose(tx + 1, -1, v);
        out[tx] = v;
    }
}

// The same for a target next to the left or right edge.
void pixelAtEdge(const PixelSources &src, QRgb *out, int tx)
{
    for (int move = -1; move <= 1; ++move) {
        const int x = tx - move;
        if (x < 0 || x >= src.width)
            continue;
        const int k = 1 - src.down[x];
        if (src.across[k] == move) {
            out[tx] = src.rows[k][x];
            return;
        }
    }
}

// The right half of the row becomes the mirror image of its left half.
KALVO_PIXEL_LOOP void mirrorRow(QRgb *row, int width)
{
    for (int x = 0; x <= (width - 1) / 2; ++x)
        row[width - 1 - x] = row[x];
}

} // namespace

FilterOutcome AddNoise(Surface &surface, std::int16_t amount)
{
    const int spread = 2 * amount + 1;
    if (spread < -32768 || spread > 32767)
        return FilterOutcome::Overflow;
    const std::uint64_t height = static_cast<std::uint64_t>(surface.height());
    const std::uint64_t start = programRandom().state();
    // Draw k of the run mixes start + (k + 1) * Step; the red draw of (x, y)
    // is draw 3 * (x * height + y).
    const std::uint64_t stepX = 3 * height * RandomSource::Step;
    const FilterOutcome outcome = editRows(surface, [&](int y, QRgb *row, int width) {
        noiseRow(row, width, start + (3 * std::uint64_t(y) + 1) * RandomSource::Step, stepX, spread,
                 amount);
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
    // The draw of (x, y) is draw (x - 2) * column + (y - 2).
    const std::uint64_t stepX = column * RandomSource::Step;
    const FilterOutcome outcome = editWithHistory(
        surface, 2, height - 2, 2, 0, [&](const RowHistory &history, int y, QRgb *row) {
            const QRgb *above[3] = {history.original(y), history.original(y - 1),
                                    history.original(y - 2)};
            diffuseRow(above, row, width, y, start + (std::uint64_t(y) - 1) * RandomSource::Step,
                       stepX);
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
    // No integer below 2^16 has a cosine or sine within 2^-36 of a half, so
    // rounding the move alone gives the target that rounding x + cos y does.
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
    return editWithHistory(surface, 0, height, 1, 1,
                           [&](const RowHistory &history, int ty, QRgb *row) {
                               PixelSources src{{}, {}, down.data(), width};
                               for (int k = 0; k < 3; ++k) {
                                   const int y = ty - 1 + k;
                                   const bool inside = y >= 0 && y < height;
                                   src.rows[k] = history.original(inside ? y : ty);
                                   src.across[k] = inside ? across[std::size_t(y)] : 2;
                               }
                               pixelAtEdge(src, row, 0);
                               if (width > 2)
                                   pixelRow(src, row, 1, width - 1);
                               if (width > 1)
                                   pixelAtEdge(src, row, width - 1);
                           });
}

FilterOutcome MirrorImage(Surface &surface)
{
    return editRows(surface, [](int, QRgb *row, int width) { mirrorRow(row, width); });
}
