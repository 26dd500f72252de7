// Flips beside OpenCV's flip of the same picture in the same direction, a
// frame far wider than the picture and a picture mask, on one 8000 x 6000
// picture.
#include "core/picture_file.h"
#include "core/surface.h"
#include "filters/image_tools.h"
#include "filters/picture_mask.h"

#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>

namespace {

constexpr int Width = 8000;
constexpr int Height = 6000;

// Kalvo's modes by index, and OpenCV's codes for the same mirror.
constexpr int KalvoModes[] = {FlipLeftRight, FlipTopBottom, FlipBoth};
constexpr int OpenCvCodes[] = {1, 0, -1};

void kalvoFlip(benchmark::State &state)
{
    Surface surface(Width, Height);
    const int mode = KalvoModes[state.range(0)];
    for (auto _ : state)
        FlipImage(surface, mode);
    state.SetItemsProcessed(state.iterations() * Width * Height);
}
BENCHMARK(kalvoFlip)->DenseRange(0, 2)->ArgName("mode")->Unit(benchmark::kMillisecond);

void openCvFlip(benchmark::State &state)
{
    const cv::Mat source(Height, Width, CV_8UC4, cv::Scalar(255, 255, 255, 255));
    cv::Mat target(Height, Width, CV_8UC4);
    const int code = OpenCvCodes[state.range(0)];
    for (auto _ : state) {
        cv::flip(source, target, code);
        benchmark::DoNotOptimize(target.data);
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}
BENCHMARK(openCvFlip)->DenseRange(0, 2)->ArgName("mode")->Unit(benchmark::kMillisecond);

// A frame millions of pixels wide with a solid and a dashed pen.
void wideBorder(benchmark::State &state)
{
    Surface surface(Width, Height);
    surface.setDrawStyle(static_cast<int>(state.range(0)));
    for (auto _ : state)
        DrawBorder(surface, 3000000, 0x000000FF);
}
BENCHMARK(wideBorder)->Arg(0)->Arg(1)->ArgName("style")->Unit(benchmark::kMillisecond);

// A 1000 x 1000 frame with a magenta inside, stretched over the picture.
void pictureMask(benchmark::State &state)
{
    QTemporaryDir folder;
    QImage frame(1000, 1000, QImage::Format_RGB32);
    frame.fill(qRgb(30, 60, 200));
    QPainter(&frame).fillRect(200, 200, 600, 600, QColor::fromRgb(toQRgb(MaskKey)));
    const QString path = folder.filePath(QStringLiteral("frame.bmp"));
    savePicture(frame, path);
    Surface canvas(Width, Height), holder(1, 1, MaskKey);
    for (auto _ : state) {
        LoadMask(holder, path);
        LayMask(canvas, holder, Surface::StretchMode::Halftone);
    }
}
BENCHMARK(pictureMask)->Unit(benchmark::kMillisecond);

} // namespace
