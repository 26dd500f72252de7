// A pattern fill of a whole big single-colour picture: the surface's fill
// alone, and a click of the fill tool as the canvas handlers run it, undo
// snapshots included.
#include "app/qt_common_dialogs.h"
#include "core/document.h"
#include "core/surface.h"
#include "quiet_host.h"
#include "tools/canvas_input.h"
#include "tools/clipboard.h"
#include "tools/tool_options.h"
#include "tools/tool_state.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Width = 8000;
constexpr int Height = 6000;
constexpr Colour White = 0x00FFFFFF;

// 16 × 16 bricks, the size of the sample patterns.
QImage bricks()
{
    QImage pattern(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool mortar = y % 8 == 0 || (x + (y / 8) * 8) % 16 == 0;
            pattern.setPixel(x, y, mortar ? qRgb(200, 200, 200) : qRgb(160, 60, 40));
        }
    return pattern;
}

void clearTo(Surface &canvas, Colour colour)
{
    canvas.line({0, 0}, QPointF(Width, Height), colour, Surface::LineForm::FilledBox);
}

void patternFillSurface(benchmark::State &bench)
{
    Surface canvas(Width, Height, White);
    const QImage pattern = bricks();
    for (auto _ : bench) {
        bench.PauseTiming();
        clearTo(canvas, White);
        bench.ResumeTiming();
        canvas.extFloodFill(QPointF(Width / 2, Height / 2), White, White, pattern);
    }
    bench.SetItemsProcessed(bench.iterations() * Width * Height);
}
BENCHMARK(patternFillSurface)->Unit(benchmark::kMillisecond)->UseRealTime();

void patternFillClick(benchmark::State &bench)
{
    // The click's whole cost, undo snapshots included.
    Document document;
    Surface &canvas = document.canvas();
    canvas.setSize(Width, Height);
    ToolState state;
    state.currentTool = ToolId::Fill;
    ToolOptions options;
    options.fillType = 1;
    options.pattern = bricks();
    QuietHost host;
    QtCommonDialogs dialogs;
    UserDialogs ask{dialogs};
    Clipboard clipboard(document, state, ask);
    CanvasInput input(document, state, options, clipboard);
    input.setHost(&host);
    for (auto _ : bench) {
        bench.PauseTiming();
        clearTo(canvas, White);
        // As after an earlier click: the undo store has seen the picture.
        document.undo().takeAfter();
        bench.ResumeTiming();
        input.press(Qt::LeftButton, {}, QPointF(Width / 2, Height / 2));
        input.release(Qt::LeftButton, {}, QPointF(Width / 2, Height / 2));
    }
    bench.SetItemsProcessed(bench.iterations() * Width * Height);
}
BENCHMARK(patternFillClick)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
