#include "bitmap_writer.h"

#include <QIODevice>
#include <QImage>

#include <array>

namespace {

constexpr qint64 BitmapHeadersSize = 14 + 40;

void putLe16(uchar *p, quint32 value)
{
    p[0] = static_cast<uchar>(value);
    p[1] = static_cast<uchar>(value >> 8);
}

void putLe32(uchar *p, quint32 value)
{
    putLe16(p, value);
    putLe16(p + 2, value >> 16);
}

} // namespace

bool writeBitmap(const QImage &image, QIODevice &device, std::atomic<int> &rowsDone)
{
    const int width = image.width();
    const int height = image.height();
    const qint64 rowBytes = (static_cast<qint64>(width) * 3 + 3) / 4 * 4;
    const qint64 fileSize = BitmapHeadersSize + rowBytes * height;
    if (fileSize > 0xFFFFFFFFLL)
        return false;

    std::array<uchar, BitmapHeadersSize> headers{};
    headers[0] = 'B';
    headers[1] = 'M';
    putLe32(headers.data() + 2, static_cast<quint32>(fileSize));
    putLe32(headers.data() + 10, BitmapHeadersSize);
    putLe32(headers.data() + 14, 40);
    putLe32(headers.data() + 18, static_cast<quint32>(width));
    putLe32(headers.data() + 22, static_cast<quint32>(height));
    putLe16(headers.data() + 26, 1);
    putLe16(headers.data() + 28, 24);
    putLe32(headers.data() + 34, static_cast<quint32>(rowBytes * height));
    // 96 dots per inch.
    putLe32(headers.data() + 38, 3780);
    putLe32(headers.data() + 42, 3780);
    if (device.write(reinterpret_cast<const char *>(headers.data()), BitmapHeadersSize) !=
        BitmapHeadersSize)
        return false;

    // Bottom row first; the padding bytes stay zero.
    QByteArray row(rowBytes, '\0');
    auto *out = reinterpret_cast<uchar *>(row.data());
    for (int y = height - 1; y >= 0; --y) {
        const auto *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out[3 * x] = static_cast<uchar>(qBlue(in[x]));
            out[3 * x + 1] = static_cast<uchar>(qGreen(in[x]));
            out[3 * x + 2] = static_cast<uchar>(qRed(in[x]));
        }
        if (device.write(row) != rowBytes)
            return false;
        rowsDone.store(height - y, std::memory_order_relaxed);
    }
    return true;
}
