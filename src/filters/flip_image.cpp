#include "image_tools.h"

#include "core/surface.h"

#include <QImage>

#include <cstdint>
#include <cstring>
#include <utility>

namespace {

using Pixel = std::uint32_t;

// Four pixels at a time, one vector register of the baseline instruction set:
// a flip is bound by memory traffic, and moving whole registers keeps it so.
constexpr int BlockPixels = 4;
using Block = Pixel __attribute__((vector_size(BlockPixels * sizeof(Pixel))));

Block load(const Pixel *from)
{
    Block block;
    std::memcpy(&block, from, sizeof block);
    return block;
}

void store(Pixel *to, Block block)
{
    std::memcpy(to, &block, sizeof block);
}

Block reversed(Block block)
{
    return __builtin_shufflevector(block, block, 3, 2, 1, 0);
}

// a[k] and b[n - 1 - k] trade places for every k: two rows become each
// other's mirror image. With a == b the row is mirrored in place.
void reverseSwap(Pixel *a, Pixel *b, int n)
{
    const int pairs = a == b ? n / 2 : n;
    int k = 0;
    // For a == b the two blocks of a step never overlap while k + 4 <= n / 2.
    for (; k + BlockPixels <= pairs; k += BlockPixels) {
        Pixel *far = b + n - BlockPixels - k;
        const Block front = load(a + k);
        const Block back = load(far);
        store(a + k, reversed(back));
        store(far, reversed(front));
    }
    for (; k < pairs; ++k)
        std::swap(a[k], b[n - 1 - k]);
}

void swapRows(Pixel *a, Pixel *b, int n)
{
    int k = 0;
    for (; k + BlockPixels <= n; k += BlockPixels) {
        const Block front = load(a + k);
        store(a + k, load(b + k));
        store(b + k, front);
    }
    for (; k < n; ++k)
        std::swap(a[k], b[k]);
}

void flip(QImage &image, int mode)
{
    const int w = image.width();
    const int h = image.height();
    auto row = [&](int y) {
        return reinterpret_cast<Pixel *>(image.scanLine(y));
    };
    if (mode == FlipLeftRight) {
        for (int y = 0; y < h; ++y)
            reverseSwap(row(y), row(y), w);
        return;
    }
    for (int y = 0; y < h / 2; ++y) {
        if (mode == FlipTopBottom)
            swapRows(row(y), row(h - 1 - y), w);
        else
            reverseSwap(row(y), row(h - 1 - y), w);
    }
    if (mode != FlipTopBottom && h % 2 == 1)
        reverseSwap(row(h / 2), row(h / 2), w);
}

} // namespace

bool FlipImage(Surface &surface, int mode)
{
    if (mode != FlipLeftRight && mode != FlipTopBottom)
        mode = FlipBoth;
    const bool flipped = surface.editPixels([mode](QImage &image) {
        flip(image, mode);
        return true;
    });
    surface.refresh();
    return flipped;
}
