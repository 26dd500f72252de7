// The filters whose every pixel depends on itself alone: invert, grey,
// channel removal, brightness and colour balance. Row loops over the raw
// pixels, written so that the compiler turns them into vector code.
#include "picture_filters.h"

#include "pixel_work.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// A pixel's bytes in memory: blue, green, red, then the opaque alpha.
constexpr int BlueByte = 0;
constexpr int GreenByte = 1;
constexpr int RedByte = 2;

// The channel bits of a Qt pixel: channel 0 red, 1 green, 2 blue.
constexpr QRgb channelMask(int channel)
{
    return channel == 0 ? 0x00FF0000u : channel == 1 ? 0x0000FF00u : 0x000000FFu;
}

// An amount beyond +-256 moves every channel to the same end of 0..255 as
// +-256 does, and the smaller range keeps the sums in 16 bits.
std::int16_t limitedAmount(std::int16_t amount)
{
    return static_cast<std::int16_t>(std::clamp<int>(amount, -256, 256));
}

// Every pixel ANDed with keep and then XORed with flip.
KALVO_PIXEL_LOOP void maskRow(QRgb *row, int width, QRgb keep, QRgb flip)
{
    for (int x = 0; x < width; ++x)
        row[x] = (row[x] & keep) ^ flip;
}

KALVO_PIXEL_LOOP void greyRow(QRgb *row, int width)
{
    for (int x = 0; x < width; ++x) {
        const QRgb p = row[x];
        const std::uint32_t sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        // sum / 3 for every sum up to 765, as a multiplication.
        const std::uint32_t g = (sum * 21846u) >> 16;
        row[x] = 0xFF000000u | (g << 16) | (g << 8) | g;
    }
}

// add holds the amount for each byte of a pixel, 0 for the alpha.
KALVO_PIXEL_LOOP void addRow(QRgb *row, int width, const std::int16_t *add)
{
    auto *bytes = reinterpret_cast<std::uint8_t *>(row);
    for (int x = 0; x < width; ++x) {
        std::uint8_t *p = bytes + 4 * x;
        for (int c = 0; c < 4; ++c) {
            const auto v = static_cast<std::int16_t>(p[c] + add[c]);
            p[c] = static_cast<std::uint8_t>(std::clamp<std::int16_t>(v, 0, 255));
        }
    }
}

} // namespace

FilterOutcome InvertImage(Surface &surface)
{
    // A pure XOR: the undo pictures keep the flip, not the old pixels.
    constexpr QRgb flip = 0x00FFFFFFu;
    return editRows(
        surface, [](int, QRgb *row, int width) { maskRow(row, width, 0xFFFFFFFFu, flip); }, flip);
}

FilterOutcome GrayImage(Surface &surface)
{
    return editRows(surface, [](int, QRgb *row, int width) { greyRow(row, width); });
}

FilterOutcome RemoveChannel(Surface &surface, std::int16_t channel)
{
    const QRgb keep = channel >= 0 && channel <= 2 ? ~channelMask(channel) : 0xFFFFFFFFu;
    return editRows(surface, [keep](int, QRgb *row, int width) { maskRow(row, width, keep, 0); });
}

FilterOutcome AdjustBrightness(Surface &surface, std::int16_t amount)
{
    return AdjustRgb(surface, amount, amount, amount);
}

FilterOutcome AdjustRgb(Surface &surface, std::int16_t red, std::int16_t green, std::int16_t blue)
{
    std::array<std::int16_t, 4> add{};
    add[RedByte] = limitedAmount(red);
    add[GreenByte] = limitedAmount(green);
    add[BlueByte] = limitedAmount(blue);
    return editRows(surface, [&add](int, QRgb *row, int width) { addRow(row, width, add.data()); });
}
