// The cost of one mouse move on the canvas: routing, refresh and preview (or
// stamp), for a small and a large picture.
#include "app/qt_common_dialogs.h"
#include "core/document.h"
#include "core/random.h"
#include "core/surface.h"
#include "quiet_host.h"
#include "tools/canvas_input.h"
#include "tools/clipboard.h"
#include "tools/tool_options.h"
#include "tools/tool_state.h"

#include <benchmark/benchmark.h>

namespace {

void moveCost(benchmark::State &bench, int tool)
{
    const int width = static_cast<int>(bench.range(0));
    const int height = static_cast<int>(bench.range(1));
    Document document;
    document.canvas().setSize(width, height);
    ToolState state;
    state.currentTool = ToolId(tool);
    ToolOptions options;
    QImage brush(32, 30, QImage::Format_RGB32);
    brush.fill(toQRgb(TransparentKey));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 32; ++x)
            if ((x - 16) * (x - 16) + (y - 15) * (y - 15) < 144)
                brush.setPixel(x, y, qRgb(0, 0, 0));
    options.brushSource.setPicture(brush);
    QuietHost host;
    RandomSource random;
    QtCommonDialogs dialogs;
    UserDialogs ask{dialogs};
    Clipboard clipboard(document, state, ask);
    CanvasInput input(document, state, options, clipboard, random);
    input.setHost(&host);

    const double cx = width / 2.0;
    const double cy = height / 2.0;
    input.press(Qt::LeftButton, {}, QPointF(cx, cy));
    int step = 0;
    for (auto _ : bench) {
        // A drag that wanders around the press point, about 200 pixels out.
        const double dx = 150 + (step * 7) % 100;
        const double dy = 120 + (step * 13) % 80;
        const double sign = (step & 1) ? 1 : -1;
        input.move(Qt::LeftButton, {}, QPointF(cx + sign * dx, cy + dy));
        ++step;
    }
    input.release(Qt::LeftButton, {}, QPointF(cx, cy));
}

void lineMove(benchmark::State &bench)
{
    moveCost(bench, 2);
}
void filledEllipseMove(benchmark::State &bench)
{
    moveCost(bench, 9);
}
void brushMove(benchmark::State &bench)
{
    moveCost(bench, 16);
}

} // namespace

BENCHMARK(lineMove)->Args({760, 568})->Args({8000, 6000})->Unit(benchmark::kMicrosecond);
BENCHMARK(filledEllipseMove)->Args({760, 568})->Args({8000, 6000})->Unit(benchmark::kMicrosecond);
BENCHMARK(brushMove)->Args({760, 568})->Args({8000, 6000})->Unit(benchmark::kMicrosecond);
