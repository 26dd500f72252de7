#include "picture_file.h"

#include "formats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Only a regular file is read: opening a pipe for reading waits for a writer,
// and a device or a socket may never end. The path is looked at through a
// descriptor opened without waiting, so that the look itself never waits.
bool isRegularFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {
    };
    const bool regular = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    ::close(fd);
    return regular;
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
    if (!isRegularFile(path) || !file.open(QIODevice::ReadOnly)) {
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
