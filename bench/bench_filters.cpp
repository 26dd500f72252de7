// The Bitmap filters on one 8000 x 6000 picture, each beside the OpenCV
// operation that does comparable work on the same amount of memory, measured
// in the same run. Also the peak memory a filter takes beyond the picture.
#include "core/random.h"
#include "core/surface.h"
#include "filters/brightness_dialog.h"
#include "filters/filter_amounts.h"
#include "filters/picture_filters.h"

#include <QScrollBar>

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace {

constexpr int Width = 8000;
constexpr int Height = 6000;

// A picture without smooth areas, so that no filter profits from its content.
void fillScrambled(Surface &canvas)
{
    canvas.editPixels([](QImage &image) {
        std::uint32_t h = 12345;
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                h = h * 1664525u + 1013904223u;
                row[x] = 0xFF000000u | (h >> 8);
            }
        }
        return true;
    });
}

using Filter = std::function<FilterOutcome(Surface &)>;

void filter(benchmark::State &state, const Filter &run)
{
    Surface canvas(Width, Height);
    fillScrambled(canvas);
    for (auto _ : state) {
        if (run(canvas) != FilterOutcome::Done)
            state.SkipWithError("the filter refused");
    }
}

const Filter invert = InvertImage;
const Filter grey = GrayImage;
const Filter removeGreen = [](Surface &s) {
    return RemoveChannel(s, 1);
};
const Filter brightness = [](Surface &s) {
    return AdjustBrightness(s, 40);
};
const Filter rgbBalance = [](Surface &s) {
    return AdjustRgb(s, 50, 0, -50);
};
const Filter blur = BlurImage;
const Filter sharpen = [](Surface &s) {
    return SharpenImage(s, 1.2f);
};
const Filter noise = [](Surface &s) {
    return AddNoise(s, 16);
};
const Filter diffuse = DiffuseImage;
const Filter pixelEffect = PixelEffect;
const Filter mirror = MirrorImage;

BENCHMARK_CAPTURE(filter, invert, invert)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter, grey, grey)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter, removeGreen, removeGreen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter, brightness, brightness)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter, rgbBalance, rgbBalance)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter, blur, blur)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter, sharpen, sharpen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter, noise, noise)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter, diffuse, diffuse)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter, pixelEffect, pixelEffect)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter, mirror, mirror)->Unit(benchmark::kMillisecond);

// The draws of one picture's noise, on each vector path this processor has.
void randomFill(benchmark::State &state)
{
    const auto path = static_cast<RandomSource::FillPath>(state.range(0));
    if (!RandomSource::canFillWith(path)) {
        state.SkipWithError("no such vector unit here");
        return;
    }
    std::vector<double> draws(static_cast<std::size_t>(Width));
    std::uint64_t start = RandomSource::DefaultSeed;
    for (auto _ : state) {
        for (int row = 0; row < 3 * Height; ++row) {
            RandomSource::fillWith(path, draws.data(), draws.size(), start, RandomSource::Step);
            start += Width * RandomSource::Step;
        }
        benchmark::DoNotOptimize(draws.data());
    }
}
BENCHMARK(randomFill)
    ->Arg(int(RandomSource::FillPath::Plain))
    ->Arg(int(RandomSource::FillPath::Avx2))
    ->Arg(int(RandomSource::FillPath::Avx512))
    ->Unit(benchmark::kMillisecond);

cv::Mat scrambledMat()
{
    cv::Mat picture(Height, Width, CV_8UC4);
    cv::randu(picture, cv::Scalar::all(0), cv::Scalar::all(256));
    return picture;
}

void cvBitwiseNot(benchmark::State &state)
{
    const cv::Mat source = scrambledMat();
    cv::Mat target(Height, Width, CV_8UC4, cv::Scalar::all(0));
    for (auto _ : state)
        cv::bitwise_not(source, target);
}
BENCHMARK(cvBitwiseNot)->Unit(benchmark::kMillisecond);

void cvBlur3x3(benchmark::State &state)
{
    const cv::Mat source = scrambledMat();
    cv::Mat target(Height, Width, CV_8UC4, cv::Scalar::all(0));
    for (auto _ : state)
        cv::blur(source, target, cv::Size(3, 3));
}
BENCHMARK(cvBlur3x3)->Unit(benchmark::kMillisecond);

// One move of the brightness bar on a big canvas: the preview starts again
// from the thumbnail and applies the new value.
void brightnessBarMove(benchmark::State &state)
{
    Surface canvas(Width, Height);
    fillScrambled(canvas);
    BrightnessDialog dialog(canvas);
    auto *bar = dialog.findChild<QScrollBar *>("sBar");
    int value = 0;
    for (auto _ : state) {
        value = value == 50 ? -50 : 50;
        bar->setValue(value);
    }
}
BENCHMARK(brightnessBarMove)->Unit(benchmark::kMicrosecond);

long maxResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The growth of the peak resident memory while the filter runs once, as a
// share of the picture's own size; measured in a child process, whose peak
// starts from the picture alone.
void peakMemory(benchmark::State &state, const Filter &run)
{
    double share = 0;
    for (auto _ : state) {
        int channel[2];
        if (pipe(channel) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        const pid_t child = fork();
        if (child == 0) {
            Surface canvas(Width, Height);
            fillScrambled(canvas);
            const long before = maxResidentKiB();
            run(canvas);
            const long grown = maxResidentKiB() - before;
            const ssize_t written = write(channel[1], &grown, sizeof grown);
            _exit(written == sizeof grown ? 0 : 1);
        }
        long grown = -1;
        const ssize_t got = read(channel[0], &grown, sizeof grown);
        close(channel[0]);
        close(channel[1]);
        waitpid(child, nullptr, 0);
        if (got != sizeof grown) {
            state.SkipWithError("the child did not report");
            return;
        }
        share = grown * 1024.0 / (double(Width) * Height * 4);
    }
    state.counters["extra_per_picture"] = share;
}

BENCHMARK_CAPTURE(peakMemory, invert, invert)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, grey, grey)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, rgbBalance, rgbBalance)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, blur, blur)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, sharpen, sharpen)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, noise, noise)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, diffuse, diffuse)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, pixelEffect, pixelEffect)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, mirror, mirror)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
