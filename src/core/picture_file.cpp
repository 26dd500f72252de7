#include "picture_file.h"

#include "formats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

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
    const QByteArray start = file.peek(signatureLength());
    if (start.isEmpty() && file.size() == 0) {
        result.error = PictureError::Truncated;
        return result;
    }
    const PictureFormat *format = formatOfContent(start);
    result.error = format ? format->read(file, result.image) : PictureError::NotPicture;
    return result;
}

PictureError savePicture(const QImage &image, const QString &path, const PictureFormat &format)
{
    if (image.isNull() || !format.write)
        return PictureError::CannotWrite;
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return PictureError::NoFolder;
    if (info.isDir())
        return PictureError::CannotWrite;

    const QImage::Format pixelFormat = image.format();
    const QImage pixels =
        pixelFormat == QImage::Format_RGB32 || pixelFormat == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    if (pixels.isNull())
        return PictureError::CannotWrite;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const QFileInfo folder(info.absolutePath());
        return folder.isWritable() ? writeError(file) : PictureError::NoPermission;
    }
    // The last buffered bytes are written here: QSaveFile's commit would
    // not notice that they failed, and would put a cut file in place.
    if (!format.write(pixels, file) || !file.flush())
        return writeError(file);
    if (!file.commit())
        return writeError(file);
    return PictureError::None;
}

PictureError savePicture(const QImage &image, const QString &path)
{
    return savePicture(image, path, bitmapFormat());
}
