#include "large_image.h"

#include "memory_room.h"
#include "row_bands.h"

#include <sys/mman.h>

#include <cstring>

namespace {

// Below this the ordinary allocator serves as well.
constexpr qint64 LargeBytes = qint64(8) << 20;

struct Mapping {
    void *address;
    std::size_t bytes;
};

void unmap(void *info)
{
    auto *mapping = static_cast<Mapping *>(info);
    munmap(mapping->address, mapping->bytes);
    delete mapping;
}

} // namespace

QImage newLargeImage(int width, int height, QImage::Format format)
{
    const qint64 bytes = qint64(width) * height * 4;
    if (width <= 0 || height <= 0 || bytes < LargeBytes ||
        QImage::toPixelFormat(format).bitsPerPixel() != 32)
        return QImage(width, height, format);
    // Mapped memory is only promised: refused here rather than by the
    // out-of-memory killer when the picture is first written.
    if (!memory::canAllocate(bytes))
        return {};
    void *address = mmap(nullptr, static_cast<std::size_t>(bytes), PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (address == MAP_FAILED)
        return {};
    auto *mapping = new Mapping{address, static_cast<std::size_t>(bytes)};
    QImage image(static_cast<uchar *>(address), width, height, qsizetype(width) * 4, format, unmap,
                 mapping);
    if (image.isNull())
        unmap(mapping);
    return image;
}

QImage copiedLargeImage(const QImage &image)
{
    QImage copy = newLargeImage(image.width(), image.height(), image.format());
    if (copy.isNull())
        return copy;
    // Rows as plain pointers: QImage's own calls are not for two threads.
    uchar *target = copy.bits();
    const qsizetype targetStride = copy.bytesPerLine();
    const uchar *source = image.constBits();
    const qsizetype sourceStride = image.bytesPerLine();
    const auto bytes = static_cast<std::size_t>((qsizetype(image.width()) * image.depth() + 7) / 8);
    const std::vector<RowBand> bands = rowBands(0, image.height(), image.width());
    runBands(bands.size(), [&](std::size_t band) {
        for (int y = bands[band].first; y < bands[band].end; ++y)
            std::memcpy(target + y * targetStride, source + y * sourceStride, bytes);
    });
    return copy;
}
