#include "picture_file.h"

#include "bitmap_reader.h"
#include "surface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <array>

namespace {

constexpr qint64 BitmapHeadersSize = 14 + 40;
// The allocation limit for Qt's readers when a file does not tell its size
// up front: enough for an 8000 x 6000 picture at 32 bits per pixel.
constexpr int DefaultAllocationLimitMb = 256;

// The formats handed to Qt, recognised by their first bytes. Qt's own guess
// from content also accepts formats without a signature (TGA), which makes
// any file "a picture".
QByteArray qtFormatOf(const QByteArray &start)
{
    if (start.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (start.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (start.startsWith("GIF87a") || start.startsWith("GIF89a"))
        return "gif";
    return {};
}

PictureError readWithQt(QFile &file, const QByteArray &format, QImage &image)
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

PictureError writeError(const QSaveFile &file)
{
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return PictureError::DiskFull;
    case QFileDevice::PermissionsError:
        return PictureError::NoPermission;
    default:
        return PictureError::CannotWrite;
    }
}

} // namespace

LoadedPicture loadPicture(const QString &path)
{
    LoadedPicture result;
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        result.error = PictureError::CannotRead;
        return result;
    }
    const QByteArray start = file.peek(8);
    if (start.startsWith("BM")) {
        result.error = readBitmap(file, result.image);
        return result;
    }
    if (start.isEmpty() && file.size() == 0) {
        result.error = PictureError::Truncated;
        return result;
    }
    const QByteArray format = qtFormatOf(start);
    result.error =
        format.isEmpty() ? PictureError::NotPicture : readWithQt(file, format, result.image);
    return result;
}

PictureError savePicture(const QImage &image, const QString &path)
{
    if (image.isNull())
        return PictureError::CannotWrite;
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return PictureError::NoFolder;
    if (info.isDir())
        return PictureError::CannotWrite;

    const QImage::Format format = image.format();
    const QImage pixels = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    if (pixels.isNull())
        return PictureError::CannotWrite;
    const int width = pixels.width();
    const int height = pixels.height();
    const qint64 rowBytes = (static_cast<qint64>(width) * 3 + 3) / 4 * 4;
    const qint64 fileSize = BitmapHeadersSize + rowBytes * height;
    if (fileSize > 0xFFFFFFFFLL)
        return PictureError::CannotWrite;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const QFileInfo folder(info.absolutePath());
        return folder.isWritable() ? writeError(file) : PictureError::NoPermission;
    }

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
    if (file.write(reinterpret_cast<const char *>(headers.data()), BitmapHeadersSize) !=
        BitmapHeadersSize)
        return writeError(file);

    // Bottom row first; the padding bytes stay zero.
    QByteArray row(rowBytes, '\0');
    auto *out = reinterpret_cast<uchar *>(row.data());
    for (int y = height - 1; y >= 0; --y) {
        const auto *in = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out[3 * x] = static_cast<uchar>(qBlue(in[x]));
            out[3 * x + 1] = static_cast<uchar>(qGreen(in[x]));
            out[3 * x + 2] = static_cast<uchar>(qRed(in[x]));
        }
        if (file.write(row) != rowBytes)
            return writeError(file);
    }
    if (!file.commit())
        return writeError(file);
    return PictureError::None;
}

QString pictureErrorMessage(PictureError error, const QString &path)
{
    QString reason;
    bool saving = false;
    switch (error) {
    case PictureError::None:
        return {};
    case PictureError::CannotRead:
        reason = QStringLiteral("文件不存在或无法读取。");
        break;
    case PictureError::Truncated:
        reason = QStringLiteral("文件不完整。");
        break;
    case PictureError::NotPicture:
        reason = QStringLiteral("不是可识别的图片文件。");
        break;
    case PictureError::Damaged:
        reason = QStringLiteral("文件已损坏。");
        break;
    case PictureError::TooLarge:
        reason = QStringLiteral("图片太大。");
        break;
    case PictureError::CannotWrite:
        reason = QStringLiteral("写入失败。");
        saving = true;
        break;
    case PictureError::NoFolder:
        reason = QStringLiteral("文件夹不存在。");
        saving = true;
        break;
    case PictureError::NoPermission:
        reason = QStringLiteral("没有写入权限。");
        saving = true;
        break;
    case PictureError::DiskFull:
        reason = QStringLiteral("磁盘空间不足。");
        saving = true;
        break;
    }
    const QString pattern = saving ? QStringLiteral("无法保存文件 \"%1\": %2")
                                   : QStringLiteral("无法打开文件 \"%1\": %2");
    return pattern.arg(QDir::toNativeSeparators(path), reason);
}
