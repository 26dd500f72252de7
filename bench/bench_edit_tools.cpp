// The clipboard and the clone tool: one paste preview step, one clone drag
// step (each on a small and a large picture), and a Copy of a big selection.
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

// A picture with some detail; every seventh pixel white, the background.
void paintDetail(Surface &surface)
{
    QImage image(surface.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = (x + 3 * y) % 7 == 0 ? qRgb(255, 255, 255) : qRgb(x & 255, y & 255, 90);
    }
    surface.setPicture(image);
}

// The pointer wanders about 200 pixels around the middle.
QPointF wander(const Surface &canvas, int step)
{
    const double sign = (step & 1) ? 1 : -1;
    return {canvas.width() / 2.0 + sign * (150 + (step * 7) % 100),
            canvas.height() / 2.0 + 120 + (step * 13) % 80};
}

void pastePreview(benchmark::State &bench)
{
    Document document;
    Surface &canvas = document.canvas();
    canvas.setSize(static_cast<int>(bench.range(0)), static_cast<int>(bench.range(1)));
    Surface &picture = document.clipboard();
    picture.setSize(300, 300);
    paintDetail(picture);
    ToolState state;
    QtCommonDialogs dialogs;
    UserDialogs ask{dialogs};
    Clipboard clipboard(document, state, ask);
    clipboard.setKeyed(bench.range(2) != 0);
    int step = 0;
    for (auto _ : bench)
        clipboard.preview(wander(canvas, step++));
}

void cloneStep(benchmark::State &bench)
{
    Document document;
    Surface &canvas = document.canvas();
    canvas.setSize(static_cast<int>(bench.range(0)), static_cast<int>(bench.range(1)));
    paintDetail(canvas);
    ToolState state;
    state.currentTool = ToolId::Clone;
    ToolOptions options;
    options.cloneSize = 30;
    QuietHost host;
    QtCommonDialogs dialogs;
    UserDialogs ask{dialogs};
    Clipboard clipboard(document, state, ask);
    CanvasInput input(document, state, options, clipboard);
    input.setHost(&host);
    // The source up and left of where cloning starts, inside the picture
    // for every step.
    const QPointF start = wander(canvas, 0);
    const QPointF source = start - QPointF(120, 60);
    input.press(Qt::LeftButton, Qt::AltModifier, source);
    input.release(Qt::LeftButton, Qt::AltModifier, source);
    input.press(Qt::LeftButton, {}, start);
    input.move(Qt::LeftButton, {}, start);
    int step = 0;
    for (auto _ : bench)
        input.move(Qt::LeftButton, {}, wander(canvas, step++));
    input.release(Qt::LeftButton, {}, start);
}

void copySelection(benchmark::State &bench)
{
    Document document;
    document.canvas().setSize(8000, 6000);
    paintDetail(document.canvas());
    ToolState state;
    QtCommonDialogs dialogs;
    UserDialogs ask{dialogs};
    Clipboard clipboard(document, state, ask);
    for (auto _ : bench) {
        document.setSelection(QRect(1000, 1000, 4000, 3000));
        if (!clipboard.copySelection())
            bench.SkipWithError("the copy was refused");
    }
}

} // namespace

BENCHMARK(pastePreview)
    ->ArgNames({"w", "h", "keyed"})
    ->Args({760, 568, 0})
    ->Args({8000, 6000, 0})
    ->Args({760, 568, 1})
    ->Args({8000, 6000, 1})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(cloneStep)->Args({760, 568})->Args({8000, 6000})->Unit(benchmark::kMicrosecond);
BENCHMARK(copySelection)->Unit(benchmark::kMillisecond);
