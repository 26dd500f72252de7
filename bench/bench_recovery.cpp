// The recovery copy through the main window, at 760 x 568, 8000 x 6000 and
// 16000 x 12000 (the argument is the picture's width): from the release of a
// stroke (or a whole-picture filter) until the copy on disk holds it, with
// the program's own settling delay; and what a restart takes from finding the
// copy to the recovered picture on the canvas. The copies go to a temporary
// folder.
#include "app/editor.h"
#include "app/main_window.h"
#include "app/recovery_offer.h"
#include "controls/canvas_view.h"
#include "core/common_dialogs.h"
#include "core/picture_file.h"
#include "core/recovery_format.h"
#include "window_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

QSize sizeFor(int width)
{
    return width == 760 ? QSize(760, 568) : QSize(width, width * 3 / 4);
}

class Instance
{
public:
    Instance(int width, const QString &folder)
    {
        m_dialogs.file = pictureFile(sizeFor(width));
        m_window = std::make_unique<MainWindow>(m_editor);
        m_window->startUp();
        m_window->resize(1280, 1000);
        m_editor.recoveryCopy().start(folder);
    }

    MainWindow &window() { return *m_window; }
    Editor &editor() { return m_editor; }
    CommonDialogs &dialogs() { return m_dialogs; }

    // Runs the window's events until the copy is written.
    void waitForCopy()
    {
        QEventLoop loop;
        QObject::connect(&m_editor.recoveryCopy(), &RecoveryCopy::written, &loop,
                         &QEventLoop::quit);
        loop.exec();
    }

    void mouse(QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
    {
        CanvasView *view = m_window->canvasView();
        QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }

    // events: the window's events run after each step.
    void stroke(QPointF at, bool events = false)
    {
        const auto step = [&](QEvent::Type type, QPointF to, Qt::MouseButtons buttons) {
            mouse(type, to, buttons);
            if (events)
                QCoreApplication::processEvents();
        };
        step(QEvent::MouseButtonPress, at, Qt::LeftButton);
        for (int i = 1; i <= 40; ++i)
            step(QEvent::MouseMove, at + QPointF(i * 10, (i % 2) * 150), Qt::LeftButton);
        step(QEvent::MouseButtonRelease, at + QPointF(400, 0), Qt::NoButton);
    }

    void trigger(const char *action) { m_window->findChild<QAction *>(action)->trigger(); }

    // Opens the bench picture with the pencil chosen, as a user starts, and
    // lets its copy be written.
    void openToDraw()
    {
        trigger("mnuOpen");
        m_editor.toolState().currentTool = ToolId::Pencil;
        waitForCopy();
    }

private:
    BenchDialogs m_dialogs;
    Editor m_editor{m_dialogs};
    std::unique_ptr<MainWindow> m_window;
};

// From the end of the change until the copy holds it; beside it the copy's
// size on disk and the memory the copying took beyond what the process held
// after the change, both as multiples of the picture's bytes.
void afterChange(benchmark::State &state, const char *action)
{
    QTemporaryDir folder;
    Instance instance(static_cast<int>(state.range(0)), folder.path());
    instance.openToDraw();
    std::int64_t bytes = 0;
    double extra = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (action)
            instance.trigger(action);
        else
            instance.stroke(QPointF(100, 100));
        resetPeak();
        const double held = statusBytes("VmRSS");
        state.ResumeTiming();
        instance.waitForCopy();
        state.PauseTiming();
        extra = std::max(extra, statusBytes("VmHWM") - held);
        bytes = QFileInfo(instance.editor().recoveryCopy().copyPath()).size();
        state.ResumeTiming();
    }
    const QSize size = instance.editor().document().canvas().size();
    const double picture = double(size.width()) * size.height() * 4;
    state.counters["copy_x"] = double(bytes) / picture;
    state.counters["extra_x"] = extra / picture;
}

// The start-up picture and the two big ones, a few runs each: each run
// writes a whole copy of the picture.
template <int Iterations> void atEachSize(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Arg(760)
        ->Arg(8000)
        ->Arg(16000)
        ->Iterations(Iterations)
        ->Unit(benchmark::kMillisecond);
    benchmark->UseRealTime();
}

void BM_RecoveryAfterStroke(benchmark::State &state)
{
    afterChange(state, nullptr);
}
BENCHMARK(BM_RecoveryAfterStroke)->Apply(atEachSize<3>);

void BM_RecoveryAfterFilter(benchmark::State &state)
{
    afterChange(state, "mnuGray");
}
BENCHMARK(BM_RecoveryAfterFilter)->Apply(atEachSize<2>);

// A restart after a process died with the picture and a stroke on it: from
// looking for copies to the recovered picture on the canvas.
void BM_RecoveryRestart(benchmark::State &state)
{
    const int width = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        {
            Instance dead(width, folder.path());
            dead.openToDraw();
            dead.stroke(QPointF(100, 100));
            dead.waitForCopy();
        }
        Instance next(760, folder.path());
        state.ResumeTiming();
        offerRecovery(next.editor().recoveryCopy(), next.editor().documentCommands(),
                      next.dialogs(), &next.window());
        next.window().canvasView()->grab(QRect(0, 0, 1000, 700));
    }
}
BENCHMARK(BM_RecoveryRestart)->Apply(atEachSize<3>);

// A stroke of 40 moves with the window's events run after each, as they run
// between a user's moves, while the copy of a whole-picture change is being
// written (copying 1) or after it was (0): what the copy costs drawing.
void BM_RecoveryStrokeBesideCopy(benchmark::State &state)
{
    QTemporaryDir folder;
    Instance instance(static_cast<int>(state.range(0)), folder.path());
    instance.openToDraw();
    const bool copying = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        instance.trigger("mnuGray");
        if (copying) {
            // Past the settling delay: the copy has begun.
            QEventLoop loop;
            QTimer::singleShot(400, &loop, &QEventLoop::quit);
            loop.exec();
        } else {
            instance.waitForCopy();
        }
        state.ResumeTiming();
        instance.stroke(QPointF(100, 100), true);
        state.PauseTiming();
        instance.waitForCopy();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RecoveryStrokeBesideCopy)
    ->Args({8000, 0})
    ->Args({8000, 1})
    ->Args({16000, 0})
    ->Args({16000, 1})
    ->ArgNames({"width", "copying"})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Reading a copy alone: the index, the memory for the picture, the tiles.
void BM_RecoveryReadCopy(benchmark::State &state)
{
    QTemporaryDir folder;
    QString path;
    {
        Instance dead(static_cast<int>(state.range(0)), folder.path());
        dead.trigger("mnuOpen");
        dead.waitForCopy();
        path = dead.editor().recoveryCopy().copyPath();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(recovery::readCopy(path).image.constBits());
}
BENCHMARK(BM_RecoveryReadCopy)
    ->Arg(8000)
    ->Arg(16000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
