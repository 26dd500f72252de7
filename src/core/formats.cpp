#include "formats.h"

#include "bitmap_reader.h"
#include "bitmap_writer.h"
#include "container_checks.h"
#include "jpeg_codec.h"
#include "orientation.h"
#include "png_writer.h"
#include "surface.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <array>

namespace {

// The allocation limit for Qt's readers when a file does not tell its size
// up front: enough for an 8000 x 6000 picture at 32 bits per pixel.
constexpr int DefaultAllocationLimitMb = 256;
constexpr int JpegQuality = 90;
// Qt's WebP writer stores every pixel exactly from this quality on.
constexpr int LosslessWebp = 100;
// Qt's TIFF writer's code for LZW, which loses nothing.
constexpr int TiffLzw = 1;

// PNG, GIF, WebP and TIFF go through Qt's decoders, after the size check that
// keeps a hostile header from reserving more than the canvas could hold.
PictureError readWithQt(QFile &file, const char *format, QImage &image, bool turnedByQt = false)
{
    QImageReader reader(&file, format);
    reader.setAutoTransform(turnedByQt);
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

// Qt's decoder after a walk over the file's structure, which refuses a cut
// file and finds the orientation that Qt does not apply.
PictureError readWalked(QFile &file, const char *format, FileFacts (*walk)(QFile &), QImage &image)
{
    const FileFacts facts = walk(file);
    if (facts.error != PictureError::None)
        return facts.error;
    QImage decoded;
    const PictureError error = readWithQt(file, format, decoded);
    if (error != PictureError::None)
        return error;
    image = uprightImage(decoded, facts.orientation);
    return image.isNull() ? PictureError::TooLarge : PictureError::None;
}

bool writeWithQt(const QImage &image, QIODevice &device, const char *format, int quality = -1,
                 int compression = -1)
{
    QImageWriter writer(&device, format);
    writer.setQuality(quality);
    writer.setCompression(compression);
    return writer.write(image);
}

const std::array<PictureFormat, 6> &formats()
{
    static const std::array<PictureFormat, 6> table{{
        {QStringLiteral("位图文件"), {QStringLiteral("bmp")}, {"BM"}, readBitmap, writeBitmap},
        {QStringLiteral("PNG 图像"),
         {QStringLiteral("png")},
         {"\x89PNG\r\n\x1a\n"},
         [](QFile &file, QImage &image) { return readWalked(file, "png", walkPng, image); },
         writePng},
        {QStringLiteral("JPEG 图像"),
         {QStringLiteral("jpg"), QStringLiteral("jpeg")},
         {"\xFF\xD8\xFF"},
         readJpeg,
         [](const QImage &image, QIODevice &device, std::atomic<int> &rowsDone) {
             return writeJpeg(image, device, JpegQuality, rowsDone);
         },
         65500},
        {QStringLiteral("GIF 图像"),
         {QStringLiteral("gif")},
         {"GIF87a", "GIF89a"},
         [](QFile &file, QImage &image) { return readWalked(file, "gif", walkGif, image); },
         nullptr},
        {QStringLiteral("WebP 图像"),
         {QStringLiteral("webp")},
         {"RIFF"},
         [](QFile &file, QImage &image) { return readWalked(file, "webp", walkWebp, image); },
         [](const QImage &image, QIODevice &device, std::atomic<int> &) {
             return writeWithQt(image, device, "webp", LosslessWebp);
         },
         16383},
        {QStringLiteral("TIFF 图像"),
         {QStringLiteral("tif"), QStringLiteral("tiff")},
         {QByteArray("II*\0", 4), QByteArray("MM\0*", 4)},
         // Qt's TIFF reader turns the picture by the file's own orientation.
         [](QFile &file, QImage &image) { return readWithQt(file, "tiff", image, true); },
         [](const QImage &image, QIODevice &device, std::atomic<int> &) {
             return writeWithQt(image, device, "tiff", -1, TiffLzw);
         }},
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

// The part of the file name after its last dot, in lower case; none for a
// name without a dot or with one only at its start.
QString extensionOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.mid(dot + 1).toLower() : QString();
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
    QString each;
    for (const PictureFormat &format : formats()) {
        all << format.extensions;
        each += dialogType(format.caption, format.extensions);
    }
    return dialogType(QStringLiteral("所有图片"), all) + each;
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

SaveTarget saveTarget(const QString &typed, int chosenType)
{
    const QString extension = extensionOf(typed);
    for (const PictureFormat &format : formats()) {
        if (format.write && format.extensions.contains(extension))
            return {&format, typed};
    }
    const PictureFormat &chosen = savedFormat(chosenType);
    if (extension.isEmpty() && &chosen == &bitmapFormat())
        return {&chosen, typed};
    return {&chosen, typed + QLatin1Char('.') + chosen.extensions.constFirst()};
}
