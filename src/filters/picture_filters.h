#pragma once

#include <cstdint>

class Surface;

// The whole-picture pixel filters. Each works on the current layer of the
// surface it is handed (the canvas, or a dialog's preview) and computes every
// output pixel from the picture as it was before the run, visiting pixels
// column by column (x outer, y inner) where the order matters: the random
// draws and the last-write-wins rule of the pixel effect follow that order,
// whatever order the memory is actually walked in. Channels are red, green,
// blue; results are limited to 0..255.
//
// A filter that cannot run leaves the picture exactly as it was.
enum class FilterOutcome {
    Done,
    // The working memory could not be had.
    NoMemory,
    // A result beyond the 16-bit range: the factor or amount is too big.
    Overflow,
};

// 255 minus each channel.
FilterOutcome InvertImage(Surface &surface);
// Each channel becomes (red + green + blue) / 3, the remainder dropped.
FilterOutcome GrayImage(Surface &surface);
// Channel 0 red, 1 green or 2 blue becomes 0; any other number changes nothing.
FilterOutcome RemoveChannel(Surface &surface, std::int16_t channel);

// Each pixel but the outermost ring becomes the rounded mean of its 3 x 3
// neighbourhood.
FilterOutcome BlurImage(Surface &surface);
// Each pixel but the outermost ring moves away from its upper-left neighbour:
// factor * (pixel - neighbour) + pixel, rounded. Overflow when a result
// leaves the 16-bit range; the picture is then untouched.
FilterOutcome SharpenImage(Surface &surface, float factor);
// Each channel gets (2 * amount + 1) * u - amount added, u a fresh draw of
// programRandom() per channel, and is rounded. Overflow when 2 * amount + 1
// does not fit in 16 bits.
FilterOutcome AddNoise(Surface &surface, std::int16_t amount);
// Each pixel but the two outermost rings takes the colour of itself or of one
// of its two upper-left diagonal neighbours, chosen by one draw per pixel.
FilterOutcome DiffuseImage(Surface &surface);
// The colour of (x, y) moves to (x + cos y, y + sin x), both rounded; the
// last one written wins, pixels that nothing reaches keep their colour.
FilterOutcome PixelEffect(Surface &surface);
// The right half becomes the mirror image of the left half.
FilterOutcome MirrorImage(Surface &surface);

// amount added to every channel.
FilterOutcome AdjustBrightness(Surface &surface, std::int16_t amount);
// Each amount added to its channel.
FilterOutcome AdjustRgb(Surface &surface, std::int16_t red, std::int16_t green, std::int16_t blue);
