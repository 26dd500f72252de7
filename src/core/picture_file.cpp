#include "picture_file.h"

#include "formats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The write into file, a temporary file in folder, failed. Qt tells a full
// disk apart only when a write fails from its first byte; one that the disk
// cut short reads as any failed write. The temporary file still holds what
// it was given, so a disk that is full shows as one with next to no room.
PictureError writeError(const QSaveFile &file, const QString &folder)
{
    constexpr qint64 NextToNoRoom = qint64(1) << 20;
    if (file.error() == QFileDevice::ResourceError ||
        QStorageInfo(folder).bytesAvailable() < NextToNoRoom)
        return PictureError::DiskFull;
    if (file.error() == QFileDevice::PermissionsError)
        return PictureError::NoPermission;
    return PictureError::CannotWrite;
}

// Opens path into file when it is a regular file. It is opened without
// waiting and looked at before anything is read: opening a named pipe to read
// waits for a writer, for good if none comes.
PictureError openRegularFile(const QString &path, QFile &file)
{
    const int handle =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return PictureError::CannotRead;
    struct stat status {
    };
    if (fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(handle);
        return PictureError::NotFile;
    }
    fcntl(handle, F_SETFL, fcntl(handle, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return PictureError::CannotRead;
    }
    return PictureError::None;
}

bool anyTransparent(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 255)
                return true;
        }
    }
    return false;
}

} // namespace

LoadedPicture loadPicture(const QString &path)
{
    LoadedPicture result;
    QFile file;
    result.error = openRegularFile(path, file);
    if (result.error != PictureError::None)
        return result;
    const QByteArray start = file.peek(signatureLength());
    if (start.isEmpty() && file.size() == 0) {
        result.error = PictureError::Truncated;
        return result;
    }
    const PictureFormat *format = formatOfContent(start);
    result.error = format ? format->read(file, result.image) : PictureError::NotPicture;
    if (result.error != PictureError::None) {
        result.image = QImage();
        return result;
    }
    // Decoders hand every picture with an alpha channel over as ARGB32, also
    // when all of its pixels are opaque.
    if (result.image.format() == QImage::Format_ARGB32) {
        result.transparent = anyTransparent(result.image);
        if (!result.transparent)
            result.image.convertTo(QImage::Format_RGB32);
    }
    return result;
}

PictureError savePicture(const QImage &image, const QString &path, const PictureFormat &format,
                         std::atomic<int> *rowsDone)
{
    if (image.isNull() || !format.write)
        return PictureError::CannotWrite;
    if (format.longestSide > 0 && std::max(image.width(), image.height()) > format.longestSide)
        return PictureError::TooLargeForFormat;
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return PictureError::NoFolder;
    if (info.exists()) {
        // Replacing a folder, a pipe or a device with a picture file is never
        // what the user meant.
        if (!info.isFile())
            return PictureError::TargetNotFile;
        // Marked read-only by its owner: not replaced, even where the
        // system would let it be (the superuser's program).
        constexpr auto Writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        if (!(info.permissions() & Writable))
            return PictureError::ReadOnly;
        if (!info.isWritable())
            return PictureError::NoPermission;
    }

    const QImage::Format pixelFormat = image.format();
    const QImage pixels =
        pixelFormat == QImage::Format_RGB32 || pixelFormat == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    if (pixels.isNull())
        return PictureError::CannotWrite;

    const QString folder = info.absolutePath();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QFileInfo(folder).isWritable() ? writeError(file, folder)
                                              : PictureError::NoPermission;
    std::atomic<int> ownRows{0};
    // The last buffered bytes are written here: QSaveFile's commit would
    // not notice that they failed, and would put a cut file in place.
    if (!format.write(pixels, file, rowsDone ? *rowsDone : ownRows) || !file.flush())
        return writeError(file, folder);
    if (!file.commit())
        return writeError(file, folder);
    return PictureError::None;
}

PictureError savePicture(const QImage &image, const QString &path)
{
    return savePicture(image, path, bitmapFormat());
}
