// Opening and saving an 8000 x 6000 picture as a 24-bit Windows bitmap
// (144 MB file, 192 MB image): time per operation, and the growth of the
// process's peak resident memory during one operation ("peak_MB").
//
// The peak is measured in this process: before each operation the kernel's
// high-water mark is reset to the current resident size (writing 5 to
// /proc/self/clear_refs), and afterwards VmHWM minus the resident size
// before is the most the operation held at once, including the image it
// returns. The file lives in the system's temporary folder.
#include "core/picture_file.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>

#include <fstream>
#include <string>

namespace {

constexpr int Width = 8000;
constexpr int Height = 6000;

// A field of /proc/self/status, in kB.
long statusKb(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    }
    return -1;
}

void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

QImage testPicture()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < Width; ++x)
            row[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
    }
    return image;
}

QString picturePath()
{
    return QDir::temp().filePath(QStringLiteral("kalvo_bench_8000x6000.bmp"));
}

// The test file goes when the program ends.
struct RemovePicture {
    ~RemovePicture() { QFile::remove(picturePath()); }
} removePicture;

// Runs op once per iteration and reports the largest peak growth seen.
template <typename Op> void measure(benchmark::State &state, Op &&op)
{
    long peakKb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        const long before = statusKb("VmRSS");
        state.ResumeTiming();
        op();
        state.PauseTiming();
        peakKb = std::max(peakKb, statusKb("VmHWM") - before);
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
    state.counters["image_MB"] = Width * Height * 4.0 / (1024.0 * 1024.0);
}

void BM_SaveBitmap(benchmark::State &state)
{
    const QImage image = testPicture();
    measure(state, [&] {
        if (savePicture(image, picturePath()) != PictureError::None)
            state.SkipWithError("save failed");
    });
}

void BM_OpenBitmap(benchmark::State &state)
{
    if (!QFile::exists(picturePath()) &&
        savePicture(testPicture(), picturePath()) != PictureError::None) {
        state.SkipWithError("cannot write the test file");
        return;
    }
    measure(state, [&] {
        const LoadedPicture loaded = loadPicture(picturePath());
        if (loaded.error != PictureError::None)
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(loaded.image.constBits());
    });
}

} // namespace

BENCHMARK(BM_SaveBitmap)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_OpenBitmap)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
