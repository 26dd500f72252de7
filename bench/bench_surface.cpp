// Costs of the surface operations that must not grow with the picture.
#include "core/surface.h"

#include <benchmark/benchmark.h>

namespace {

// One rubber-band step: wipe the last preview, draw the next one.
void previewStep(benchmark::State &state)
{
    Surface surface(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    int shift = 0;
    for (auto _ : state) {
        shift = (shift + 1) % 50;
        surface.preview([&] {
            surface.line(QPointF(300 + shift, 200), QPointF(499 + shift, 399), 0,
                         Surface::LineForm::Box);
        });
    }
}
BENCHMARK(previewStep)->Args({760, 568})->Args({8000, 6000})->Unit(benchmark::kMicrosecond);

void fullCopy(benchmark::State &state)
{
    Surface surface(8000, 6000);
    for (auto _ : state) {
        QImage copy = surface.image().copy();
        benchmark::DoNotOptimize(copy.constBits());
    }
}
BENCHMARK(fullCopy)->Unit(benchmark::kMillisecond);

// After Open or Undo the picture and the image share their pixels; the first
// stroke gives the image its own copy.
void firstStrokeAfterPicture(benchmark::State &state)
{
    Surface surface(8000, 6000);
    const QImage picture = surface.image().copy();
    for (auto _ : state) {
        state.PauseTiming();
        surface.setPicture(picture);
        state.ResumeTiming();
        surface.pset(QPointF(10, 10), 0);
    }
}
BENCHMARK(firstStrokeAfterPicture)->Unit(benchmark::kMillisecond);

void floodFillWhole(benchmark::State &state)
{
    Surface surface(8000, 6000);
    const Colour colours[2] = {0x00FFFFFF, 0x000000FF};
    int turn = 0;
    for (auto _ : state) {
        surface.extFloodFill(QPointF(4000, 3000), colours[turn], colours[1 - turn]);
        turn = 1 - turn;
    }
    state.SetItemsProcessed(state.iterations() * 8000LL * 6000LL);
}
BENCHMARK(floodFillWhole)->Unit(benchmark::kMillisecond);

} // namespace
