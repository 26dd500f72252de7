// The zoom as the user feels it, through the window's own path: a tool step
// or a zoom change, then the repaint of the visible part of the viewport
// (about 1000 x 700), on an 8000 x 6000 picture and on the start-up one.
#include "app/document_commands.h"
#include "app/editor.h"
#include "app/main_window.h"
#include "app/qt_common_dialogs.h"
#include "controls/bordered_box.h"
#include "controls/canvas_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A window showing a detailed picture of this size, its viewport about
// 1000 x 700.
struct ZoomRig {
    explicit ZoomRig(int width, int height)
    {
        window = std::make_unique<MainWindow>(editor);
        window->startUp();
        window->resize(1016 + 124, 522 + 264 + 20);
        window->show();
        QImage picture(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < width; ++x)
                row[x] = qRgb(x * 7 ^ y * 3, (x + y) * 5, x * y);
        }
        editor.document().canvas().setPicture(picture);
        QCoreApplication::processEvents();
    }

    // Lets the idle time work as a user's pauses do: the shrunk copies are
    // made then.
    static void pause(int milliseconds)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds)
            QCoreApplication::processEvents();
    }

    // The picture point in the middle of the visible part.
    QPointF middle() const
    {
        const QSize inner = window->viewport()->innerSize();
        const CanvasView *view = window->canvasView();
        const QPointF at = QPointF(inner.width(), inner.height()) / 2 - view->transform().origin();
        return at / view->zoom();
    }

    QtCommonDialogs dialogs;
    Editor editor{dialogs};
    std::unique_ptr<MainWindow> window;
};

const std::array<double, 4> Zooms{0.125, 1, 8, 64};

// One drag step of the line tool (its preview moves) and the repaint that
// follows, at the zoom of the argument's index.
void lineStepRepaint(benchmark::State &state)
{
    ZoomRig rig(static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    const double zoom = Zooms[static_cast<std::size_t>(state.range(0))];
    rig.window->canvasView()->zoomTo(zoom);
    ZoomRig::pause(500);
    CanvasInput &input = rig.editor.canvasInput();
    input.chooseTool(ToolId::Line);
    const QPointF start = rig.middle();
    input.press(Qt::LeftButton, {}, start);
    // About 200 screen pixels around the press point, whatever the zoom.
    const double reach = 200 / zoom;
    int step = 0;
    for (auto _ : state) {
        const double sign = (step & 1) ? 1 : -1;
        const QPointF to = start + QPointF(sign * reach * (0.5 + (step % 7) / 14.0),
                                           reach * (0.3 + (step % 5) / 10.0));
        input.move(Qt::LeftButton, {}, QPointF(QPointF(to.toPoint())));
        QCoreApplication::processEvents();
        ++step;
    }
    input.release(Qt::LeftButton, {}, start);
    state.counters["viewport_w"] = rig.window->viewport()->innerSize().width();
    state.counters["viewport_h"] = rig.window->viewport()->innerSize().height();
}
BENCHMARK(lineStepRepaint)
    ->ArgNames({"zoom", "w", "h"})
    ->ArgsProduct({{0, 1, 2, 3}, {8000}, {6000}})
    ->Args({1, 760, 568})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One zoom change the way a Ctrl + wheel notch makes it: the repaint of the
// whole visible part it makes at once, then the scroll bars and the status
// bar; from 100 % to the other level (away) or back.
void zoomChange(benchmark::State &state)
{
    ZoomRig rig(8000, 6000);
    const double other = Zooms[static_cast<std::size_t>(state.range(0))] == 1
                             ? 2
                             : Zooms[static_cast<std::size_t>(state.range(0))];
    // The shrunk copy made, as the first zoom out and the idle time after it
    // make it.
    rig.window->canvasView()->zoomTo(other);
    QCoreApplication::processEvents();
    rig.window->canvasView()->zoomTo(1);
    QCoreApplication::processEvents();
    ZoomRig::pause(500);
    // Only the step towards the argument's side is timed.
    const bool timeAway = state.range(1) == 1;
    for (auto _ : state) {
        if (!timeAway)
            state.PauseTiming();
        rig.window->canvasView()->zoomTo(other);
        QCoreApplication::processEvents();
        if (timeAway)
            state.PauseTiming();
        else
            state.ResumeTiming();
        rig.window->canvasView()->zoomTo(1);
        QCoreApplication::processEvents();
        if (timeAway)
            state.ResumeTiming();
    }
}
BENCHMARK(zoomChange)
    ->ArgNames({"zoom", "away"})
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Undo and Redo of a short stroke with their repaint, at the zoom of the
// argument's index: below 100 % the shrunk copy follows only the tiles that
// came back.
void undoRepaint(benchmark::State &state)
{
    ZoomRig rig(8000, 6000);
    rig.window->canvasView()->zoomTo(Zooms[static_cast<std::size_t>(state.range(0))]);
    ZoomRig::pause(500);
    CanvasInput &input = rig.editor.canvasInput();
    input.chooseTool(ToolId::Line);
    const QPointF start = rig.middle();
    input.press(Qt::LeftButton, {}, start);
    input.move(Qt::LeftButton, {}, start + QPointF(40, 30));
    input.release(Qt::LeftButton, {}, start + QPointF(40, 30));
    rig.window->canvasView()->repaint();
    bool undo = true;
    for (auto _ : state) {
        if (undo)
            rig.editor.documentCommands().undo();
        else
            rig.editor.documentCommands().redo();
        rig.window->canvasView()->repaint();
        undo = !undo;
    }
}
BENCHMARK(undoRepaint)
    ->ArgName("zoom")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The first zoom out of an 8000 x 6000 picture half a second after it was
// shown, as a user would: to 12.5 %, whose overview the idle time has made,
// and to 50 %, whose shrunk copy the zoom makes.
void firstZoomOut(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        ZoomRig rig(8000, 6000);
        ZoomRig::pause(500);
        state.ResumeTiming();
        rig.window->canvasView()->zoomTo(state.range(0) == 0 ? 0.125 : 0.5);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(firstZoomOut)
    ->ArgName("to50")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

} // namespace
