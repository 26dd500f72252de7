#include "orientation.h"

#include "large_image.h"

namespace {

constexpr int ExifOrientationTag = 0x0112;
constexpr int ShortType = 3;

bool valid(int orientation)
{
    return orientation >= 1 && orientation <= 8;
}

// Where stored pixel (x, y) lands, as offsets in pixels within the upright
// image: origin + x * perColumn + y * perRow.
struct Placement {
    qsizetype origin;
    qsizetype perColumn;
    qsizetype perRow;
};

Placement placement(QSize size, int orientation, qsizetype stride)
{
    const qsizetype lastX = size.width() - 1;
    const qsizetype lastY = size.height() - 1;
    switch (orientation) {
    case 2:
        return {lastX, -1, stride};
    case 3:
        return {lastY * stride + lastX, -1, -stride};
    case 4:
        return {lastY * stride, 1, -stride};
    case 5:
        return {0, stride, 1};
    case 6:
        return {lastY, stride, -1};
    case 7:
        return {lastX * stride + lastY, -stride, -1};
    case 8:
        return {lastX * stride, -stride, 1};
    default:
        return {0, 1, stride};
    }
}

} // namespace

int exifOrientation(const QByteArray &exif)
{
    const QByteArray tiff = exif.startsWith(QByteArray("Exif\0\0", 6)) ? exif.mid(6) : exif;
    if (tiff.size() < 8)
        return 1;
    const bool little = tiff.startsWith("II");
    if (!little && !tiff.startsWith("MM"))
        return 1;
    const auto *bytes = reinterpret_cast<const uchar *>(tiff.constData());
    const auto number = [&](qsizetype at, int length) -> quint32 {
        quint32 value = 0;
        for (int i = 0; i < length; ++i) {
            const quint32 byte = bytes[at + (little ? length - 1 - i : i)];
            value = value << 8 | byte;
        }
        return value;
    };
    if (number(2, 2) != 42)
        return 1;
    const qsizetype directory = number(4, 4);
    if (directory < 8 || directory + 2 > tiff.size())
        return 1;
    const qsizetype entries = number(directory, 2);
    for (qsizetype i = 0; i < entries; ++i) {
        const qsizetype entry = directory + 2 + i * 12;
        if (entry + 12 > tiff.size())
            return 1;
        if (number(entry, 2) == ExifOrientationTag) {
            const int orientation = static_cast<int>(number(entry + 8, 2));
            return number(entry + 2, 2) == ShortType && valid(orientation) ? orientation : 1;
        }
    }
    return 1;
}

QSize uprightSize(QSize stored, int orientation)
{
    return orientation >= 5 && orientation <= 8 ? stored.transposed() : stored;
}

void placeRows(const uchar *rows, qsizetype rowStride, int first, int count, QSize size,
               int orientation, QImage &upright)
{
    const qsizetype stride = upright.bytesPerLine() / 4;
    const Placement at = placement(size, orientation, stride);
    auto *target = reinterpret_cast<QRgb *>(upright.bits()) + at.origin + first * at.perRow;
    const int width = size.width();
    if (orientation < 5) {
        for (int y = 0; y < count; ++y) {
            const auto *source = reinterpret_cast<const QRgb *>(rows + y * rowStride);
            QRgb *row = target + y * at.perRow;
            for (int x = 0; x < width; ++x)
                row[x * at.perColumn] = source[x];
        }
        return;
    }
    // A stored row becomes an upright column: the band's pixels of one column
    // go side by side into one upright row.
    for (int x = 0; x < width; ++x) {
        QRgb *column = target + x * at.perColumn;
        const uchar *source = rows + qsizetype(x) * 4;
        for (int y = 0; y < count; ++y)
            column[y * at.perRow] = *reinterpret_cast<const QRgb *>(source + y * rowStride);
    }
}

QImage uprightImage(const QImage &image, int orientation)
{
    if (!valid(orientation) || orientation == 1)
        return image;
    const QSize size = uprightSize(image.size(), orientation);
    QImage upright = newLargeImage(size.width(), size.height(), image.format());
    if (!upright.isNull())
        placeRows(image.constBits(), image.bytesPerLine(), 0, image.height(), image.size(),
                  orientation, upright);
    return upright;
}
