#include "large_image.h"

#include <sys/mman.h>

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
