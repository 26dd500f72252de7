#include "formats.h"

#include "bitmap_reader.h"
#include "bitmap_writer.h"
#include "surface.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <array>

namespace {

// The allocation limit for Qt's readers when a file does not tell its size
// up front: enough for an 8000 x 6000 picture at 32 bits per pixel.
constexpr int DefaultAllocationLimitMb = 256;
constexpr int JpegQuality = 90;

// PNG, JPEG and GIF go through Qt's decoders, after the size check that keeps
// a hostile header from reserving more than the canvas could hold.
PictureError readWithQt(QFile &file, const char *format, QImage &image)
{
    QImageReader reader(&file, format);
    const QSize size = reader.size();
    if (size.isValid()) {
        if (!Surface::canHold(size.width(), size.height()))
            return PictureError::TooLarge;
        // Room for 64 bits per pixel, which 16-bit PNGs decode into.
        const qint64 bytes = static_cast<qint64>(size.width()) * size.height() * 8;
        reader.setAllocationLimit(static_cast<int>(bytes / (1024 * 1024) + 1));
    } else {
        reader.setAllocationLimit(DefaultAllocationLimitMb);
    }
    QImage decoded = reader.read();
    if (decoded.isNull()) {
        switch (reader.error()) {
        case QImageReader::DeviceError:
            return PictureError::CannotRead;
        case QImageReader::UnsupportedFormatError:
            return PictureError::NotPicture;
        default:
            return PictureError::Damaged;
        }
    }
    if (!Surface::canHold(decoded.width(), decoded.height()))
        return PictureError::TooLarge;
    decoded = decoded.convertToFormat(decoded.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                : QImage::Format_RGB32);
    if (decoded.isNull())
        return PictureError::TooLarge;
    image = std::move(decoded);
    return PictureError::None;
}

bool writeWithQt(const QImage &image, QIODevice &device, const char *format, int quality = -1)
{
    QImageWriter writer(&device, format);
    writer.setQuality(quality);
    return writer.write(image);
}

const std::array<PictureFormat, 4> &formats()
{
    static const std::array<PictureFormat, 4> table{{
        {QStringLiteral("位图文件"),
         {QStringLiteral("bmp")},
         {"BM"},
         readBitmap,
         writeBitmap,
         false},
        {QStringLiteral("PNG 图像"),
         {QStringLiteral("png")},
         {"\x89PNG\r\n\x1a\n"},
         [](QFile &file, QImage &image) { return readWithQt(file, "png", image); },
         [](const QImage &image, QIODevice &device) { return writeWithQt(image, device, "png"); },
         true},
        {QStringLiteral("JPEG 图像"),
         {QStringLiteral("jpg"), QStringLiteral("jpeg")},
         {"\xFF\xD8\xFF"},
         [](QFile &file, QImage &image) { return readWithQt(file, "jpeg", image); },
         [](const QImage &image, QIODevice &device) {
             return writeWithQt(image, device, "jpeg", JpegQuality);
         },
         true},
        {QStringLiteral("GIF 图像"),
         {QStringLiteral("gif")},
         {"GIF87a", "GIF89a"},
         [](QFile &file, QImage &image) { return readWithQt(file, "gif", image); },
         nullptr,
         true},
    }};
    return table;
}

// "*.jpg;*.jpeg" for the extensions.
QString patternsOf(const QStringList &extensions)
{
    QStringList patterns;
    for (const QString &extension : extensions)
        patterns << QStringLiteral("*.") + extension;
    return patterns.join(QLatin1Char(';'));
}

// "JPEG 图像(*.jpg *.jpeg)|*.jpg;*.jpeg|"
QString dialogType(const QString &caption, const QStringList &extensions)
{
    const QString patterns = patternsOf(extensions);
    return QStringLiteral("%1(%2)|%3|")
        .arg(caption, QString(patterns).replace(QLatin1Char(';'), QLatin1Char(' ')), patterns);
}

} // namespace

std::span<const PictureFormat> pictureFormats()
{
    return formats();
}

const PictureFormat &bitmapFormat()
{
    return formats().front();
}

const PictureFormat *formatOfContent(const QByteArray &start)
{
    for (const PictureFormat &format : formats()) {
        for (const QByteArray &signature : format.signatures) {
            if (start.startsWith(signature))
                return &format;
        }
    }
    return nullptr;
}

qsizetype signatureLength()
{
    qsizetype longest = 0;
    for (const PictureFormat &format : formats()) {
        for (const QByteArray &signature : format.signatures)
            longest = std::max(longest, signature.size());
    }
    return longest;
}

QString openDialogTypes()
{
    QStringList all;
    for (const PictureFormat &format : formats())
        all << format.extensions;
    const PictureFormat &bitmap = bitmapFormat();
    return dialogType(bitmap.caption, bitmap.extensions) +
           dialogType(QStringLiteral("所有图片"), all);
}

QString saveDialogTypes()
{
    QString types;
    for (const PictureFormat &format : formats()) {
        if (format.write)
            types += dialogType(format.caption, format.extensions);
    }
    return types;
}

const PictureFormat &savedFormat(int index)
{
    int at = 0;
    for (const PictureFormat &format : formats()) {
        if (format.write && at++ == index)
            return format;
    }
    return bitmapFormat();
}

QString savedPath(const PictureFormat &format, const QString &path)
{
    if (!format.appendsExtension)
        return path;
    for (const QString &extension : format.extensions) {
        if (path.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive))
            return path;
    }
    return path + QLatin1Char('.') + format.extensions.constFirst();
}
