// Opening and saving big pictures as the user does it, through the main
// window (the menu command, the file's decoding or encoding, the canvas and
// its first repaint), beside the same work done by the common libraries on
// the same picture in the same run: libpng at its default settings and
// libjpeg-turbo at quality 90, as a program built on them would call them.
//
// Pictures: "photo" (smooth colour fields with a grain of +-4 in every
// channel, as a photo has) and "drawing" (flat shapes and lines on white), at
// 8000 x 6000 and 16000 x 12000 (the argument is the width). Counters:
// file_MB, the file's size; peak_x, the most the step added at once to what
// the process held before it, as a multiple of the picture's 32-bit bytes
// (the kernel's high-water mark is reset before each step); cpu_s, the
// processor time of all threads, which a busy machine does not inflate as it
// does the wall-clock time. The files live in
// the system's temporary folder (about 1 GB at the largest size).
#include "app/editor.h"
#include "app/main_window.h"
#include "controls/canvas_view.h"
#include "core/document.h"
#include "window_dialogs.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include <jpeglib.h>
#include <png.h>
#include <sys/resource.h>

namespace {

// The processor time of every thread of the process so far, in seconds.
double processSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &time) {
        return time.tv_sec + time.tv_usec / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

QImage makePicture(const std::string &kind, int width)
{
    const int height = width * 3 / 4;
    QImage image(width, height, QImage::Format_RGB32);
    const double scale = 8000.0 / width;
    quint64 state = 0x9E3779B97F4A7C15ull;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        const double v = y * scale;
        for (int x = 0; x < width; ++x) {
            const double u = x * scale;
            if (kind == "photo") {
                state = state * 6364136223846793005ull + 1442695040888963407ull;
                const auto grain = [&](int shift) {
                    return int((state >> shift) % 9) - 4;
                };
                const auto channel = [](double value) {
                    return std::clamp(static_cast<int>(value), 0, 255);
                };
                row[x] = qRgb(
                    channel(128 + 100 * std::sin(u * 0.001) * std::cos(v * 0.0013) + grain(20)),
                    channel(128 + 90 * std::sin((u + v) * 0.0007) + grain(30)),
                    channel(100 + 80 * std::cos(u * 0.0005 - v * 0.0009) + grain(40)));
            } else {
                const QRgb colours[] = {qRgb(255, 255, 255), qRgb(220, 30, 30), qRgb(0, 160, 255),
                                        qRgb(30, 190, 60), qRgb(48, 48, 48)};
                const double dx = std::fmod(u, 500) - 250, dy = std::fmod(v, 400) - 200;
                const int cell = int(u / 500) + int(v / 400);
                row[x] = dx * dx + dy * dy < 150 * 150 ? colours[cell % 5] : colours[0];
                if (int(u + 2 * v) % 997 < 3)
                    row[x] = qRgb(0, 0, 0);
            }
        }
    }
    return image;
}

// The picture of the kind and width, made once at a time.
const QImage &picture(const std::string &kind, int width)
{
    static std::string madeKind;
    static QImage made;
    if (madeKind != kind || made.width() != width) {
        made = QImage();
        made = makePicture(kind, width);
        madeKind = kind;
    }
    return made;
}

QString filePath(const std::string &kind, int width, const char *extension)
{
    return QDir::temp().filePath(
        QStringLiteral("kalvo_bench_%1_%2.%3")
            .arg(QString::fromStdString(kind), QString::number(width), QLatin1String(extension)));
}

double fileMb(const QString &path)
{
    return double(QFile(path).size()) / (1024.0 * 1024.0);
}

// The common writers and readers.

bool libpngSave(const QImage &image, const QString &path)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // The 32-bit rows as they are: blue, green, red, and a byte to drop.
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < image.height(); ++y)
        png_write_row(png, image.constScanLine(y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

QImage libpngOpen(const QString &path)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return {};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    QImage image;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return {};
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    image = QImage(static_cast<int>(png_get_image_width(png, info)),
                   static_cast<int>(png_get_image_height(png, info)), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        png_read_row(png, image.scanLine(y), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return image;
}

bool libjpegSave(const QImage &image, const QString &path)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<uchar *>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

QImage libjpegOpen(const QString &path)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return {};
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    QImage image(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 QImage::Format_RGB32);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return image;
}

struct Step {
    std::string kind;   // "photo" or "drawing"
    const char *format; // "png" or "jpg"
    bool save;
    bool kalvo; // else the common library
};

// Runs one step per iteration, and reports the file's size and the peak.
void runStep(benchmark::State &state, const Step &step)
{
    const int width = static_cast<int>(state.range(0));
    const QImage &image = picture(step.kind, width);
    const bool png = std::string(step.format) == "png";
    const QString path = filePath(step.kind, width, step.format);
    // The file the open steps read, written by the common library.
    if (!step.save && !QFile::exists(path) &&
        !(png ? libpngSave(image, path) : libjpegSave(image, path))) {
        state.SkipWithError("cannot write the file to open");
        return;
    }
    BenchDialogs dialogs;
    dialogs.file = path;
    dialogs.saveFile = filePath(step.kind, width, "kalvo") + "." + step.format;
    Editor editor(dialogs);
    std::unique_ptr<MainWindow> window;
    if (step.kalvo) {
        window = std::make_unique<MainWindow>(editor);
        window->startUp();
        window->resize(1280, 1000);
        if (step.save)
            editor.document().canvas().setPicture(image);
    }
    QImage screen(1000, 700, QImage::Format_ARGB32_Premultiplied);
    double peak = 0;
    double processor = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        const double before = statusBytes("VmRSS");
        const double started = processSeconds();
        state.ResumeTiming();
        if (step.kalvo) {
            window->findChild<QAction *>(step.save ? "mnuSave" : "mnuOpen")->trigger();
            // What the user waits for: the picture on the screen.
            window->canvasView()->render(&screen);
        } else if (step.save) {
            if (!(png ? libpngSave(image, path) : libjpegSave(image, path)))
                state.SkipWithError("the library could not write");
        } else {
            const QImage opened = png ? libpngOpen(path) : libjpegOpen(path);
            benchmark::DoNotOptimize(opened.constBits());
        }
        state.PauseTiming();
        processor += processSeconds() - started;
        peak = std::max(peak, statusBytes("VmHWM") - before);
        state.ResumeTiming();
    }
    if (!dialogs.lastMessage.isEmpty())
        state.SkipWithError(dialogs.lastMessage.toStdString().c_str());
    state.counters["file_MB"] = fileMb(step.save && step.kalvo ? dialogs.saveFile : path);
    state.counters["peak_x"] = peak / (double(image.width()) * image.height() * 4);
    state.counters["cpu_s"] = processor / double(state.iterations());
}

const bool registered = [] {
    for (const char *kind : {"photo", "drawing"}) {
        for (const char *format : {"png", "jpg"}) {
            for (const bool save : {true, false}) {
                for (const bool kalvo : {true, false}) {
                    const std::string library = std::string(format) == "png" ? "libpng" : "libjpeg";
                    const std::string name = std::string("BM_") + (save ? "Save" : "Open") + "/" +
                                             kind + "/" + format + "/" +
                                             (kalvo ? "kalvo" : library);
                    benchmark::RegisterBenchmark(name.c_str(), runStep,
                                                 Step{kind, format, save, kalvo})
                        ->Arg(8000)
                        ->Arg(16000)
                        ->Iterations(2)
                        ->Unit(benchmark::kMillisecond)
                        ->UseRealTime();
                }
            }
        }
    }
    return true;
}();

} // namespace
