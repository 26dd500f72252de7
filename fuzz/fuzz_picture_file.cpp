// Feeds arbitrary bytes to the routine that Open reads pictures with: Kalvo's
// own bitmap reader, libjpeg-turbo, and Qt's decoders and image-format
// plugins behind the walks over their files. The bytes go through a real
// file, as a picture chosen in the dialog does.

#include "core/picture_file.h"
#include "core/surface.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> folder;
QString picturePath;
std::unique_ptr<Surface> canvas;

// A result that breaks the reader's promises is a finding like a crash.
void require(bool promise, const char *what)
{
    if (!promise) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Qt finds its image-format plugins (WebP, TIFF) through the application.
    static QCoreApplication application(*argc, *argv);
    // Qt's decoders complain about every broken file on the way; the
    // fuzzer's own report is what counts.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    folder = std::make_unique<QTemporaryDir>();
    require(folder->isValid(), "a temporary folder");
    picturePath = folder->filePath(QStringLiteral("input.bmp"));
    canvas = std::make_unique<Surface>(760, 568, 0x00FFFFFF);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    {
        QFile file(picturePath);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file opens");
        require(file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) ==
                    static_cast<qint64>(size),
                "the input file is written");
    }
    const LoadedPicture loaded = loadPicture(picturePath);
    if (loaded.error != PictureError::None) {
        require(loaded.image.isNull(), "no picture comes with an error");
        return 0;
    }
    const QImage &image = loaded.image;
    require(!image.isNull(), "a picture comes without an error");
    require(image.format() == (loaded.transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32),
            "the picture is 32 bits a pixel, with alpha only when some pixel is transparent");
    require(Surface::canHold(image.width(), image.height()), "the canvas can hold the picture");
    // Open then puts it on the canvas.
    require(canvas->setPicture(image), "the canvas takes the picture");
    require(canvas->image().size() == image.size(), "the canvas takes the picture's size");
    return 0;
}
