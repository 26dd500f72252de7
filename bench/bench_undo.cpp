// A press and a release on a big canvas with a small stroke between them, as
// the canvas handlers run them, beside a plain copy of the whole picture.
#include "core/surface.h"
#include "core/undo_store.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Width = 8000;
constexpr int Height = 6000;

void BM_PressStrokeRelease(benchmark::State &state)
{
    Surface canvas(Width, Height, 0x00FFFFFF);
    UndoStore store(canvas);
    store.takeBefore();
    store.takeAfter();
    int step = 0;
    for (auto _ : state) {
        const int x = (step * 337) % (Width - 100);
        const int y = (step * 211) % (Height - 100);
        ++step;
        store.takeBefore();
        canvas.line(QPointF(x, y), QPointF(x + 99, y + 99), Colour(step & 0xFFFFFF),
                    Surface::LineForm::FilledBox);
        store.takeAfter();
    }
}
BENCHMARK(BM_PressStrokeRelease)->Unit(benchmark::kMillisecond);

// The stroke alone, to take away from the figure above.
void BM_StrokeOnly(benchmark::State &state)
{
    Surface canvas(Width, Height, 0x00FFFFFF);
    int step = 0;
    for (auto _ : state) {
        const int x = (step * 337) % (Width - 100);
        const int y = (step * 211) % (Height - 100);
        ++step;
        canvas.line(QPointF(x, y), QPointF(x + 99, y + 99), Colour(step & 0xFFFFFF),
                    Surface::LineForm::FilledBox);
    }
}
BENCHMARK(BM_StrokeOnly)->Unit(benchmark::kMillisecond);

// The first press after a whole-picture change (Open, a filter) copies every
// tile once.
void BM_FirstPressAfterNewPicture(benchmark::State &state)
{
    Surface canvas(Width, Height, 0x00FFFFFF);
    UndoStore store(canvas);
    store.takeBefore();
    store.takeAfter();
    const QImage picture = canvas.image().copy();
    for (auto _ : state) {
        state.PauseTiming();
        canvas.setPicture(picture);
        state.ResumeTiming();
        store.takeBefore();
    }
}
BENCHMARK(BM_FirstPressAfterNewPicture)->Unit(benchmark::kMillisecond);

void BM_UndoRestore(benchmark::State &state)
{
    Surface canvas(Width, Height, 0x00FFFFFF);
    UndoStore store(canvas);
    store.takeBefore();
    for (auto _ : state)
        benchmark::DoNotOptimize(store.restoreBefore());
}
BENCHMARK(BM_UndoRestore)->Unit(benchmark::kMillisecond);

void BM_FullCopyFresh(benchmark::State &state)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(0xFFFFFFFF);
    for (auto _ : state) {
        QImage copy = image.copy();
        benchmark::DoNotOptimize(copy.constBits());
    }
}
BENCHMARK(BM_FullCopyFresh)->Unit(benchmark::kMillisecond);

} // namespace
