// The steps a user takes on a big picture, run through the main window as the
// user's input runs them: the handler, its snapshots and the repaint of a
// 1000 x 700 view of the canvas, at 8000 x 6000 and 16000 x 12000 (the
// argument is the picture's width). Each also reports the resident memory of
// the process as a multiple of the picture's bytes: rss after the step, hwm
// the peak since the benchmark started. The core calls have their own
// benchmarks in bench_undo.cpp beside these.
#include "app/frmmain.h"
#include "controls/canvas_view.h"
#include "core/common_dialogs.h"
#include "core/picture_file.h"
#include "core/surface.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>

namespace {

const QSize View(1000, 700);

// Answers the window's dialogs: the file to open, and Yes.
class BenchDialogs : public CommonDialogs
{
public:
    QString file;

    FileChoice openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {file, 0};
    }
    FileChoice saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    Colour chooseColour(QWidget *, Colour, const std::array<Colour, 16> &, bool) override
    {
        return NoColour;
    }
    void message(QWidget *, const QString &text, const QString &, Icon) override
    {
        lastMessage = text;
    }
    bool askYesNo(QWidget *, const QString &, const QString &, Icon) override { return true; }
    std::optional<QString> inputText(QWidget *, const QString &, const QString &,
                                     const QString &) override
    {
        return std::nullopt;
    }
    QString lastMessage;
};

// A kilobyte figure of /proc/self/status.
double statusBytes(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ':';
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(key.size())) * 1024.0;
    }
    return 0;
}

// The peak starts again from what the process holds now.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A picture with something in every pixel, saved once per size.
QString pictureFile(int width)
{
    const int height = width * 3 / 4;
    const QString path = QDir::temp().filePath(QStringLiteral("kalvo_bench_%1.bmp").arg(width));
    if (QFileInfo::exists(path))
        return path;
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb(x * 255 / width, y * 255 / height, (x ^ y) & 0xFF);
    }
    savePicture(picture, path);
    return path;
}

class Window
{
public:
    explicit Window(int width)
    {
        m_dialogs.file = pictureFile(width);
        m_pictureBytes = double(width) * (width * 3 / 4) * 4;
        m_window = std::make_unique<frmmain>(m_dialogs);
        m_window->startUp();
        m_window->resize(1280, 1000);
    }

    frmmain &window() { return *m_window; }
    double pictureBytes() const { return m_pictureBytes; }

    void trigger(const char *action) { m_window->findChild<QAction *>(action)->trigger(); }

    void open()
    {
        trigger("mnuOpen");
        m_window->toolState().currentTool = ToolId::Pencil;
    }

    // The view's pixels as the screen would get them.
    void repaint(QPoint at = QPoint(0, 0))
    {
        CanvasView *view = m_window->canvasView();
        m_screen.fill(0);
        view->render(&m_screen, QPoint(), QRegion(QRect(at, View)));
        benchmark::DoNotOptimize(m_screen.constBits());
    }

    void mouse(QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
    {
        CanvasView *view = m_window->canvasView();
        QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }

    // Press, the first move, and what the screen shows then.
    void firstInk(QPointF at)
    {
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
        mouse(QEvent::MouseMove, at + QPointF(3, 2), Qt::LeftButton);
        repaint();
    }

    // A zigzag of 40 moves from the press on.
    void restOfStroke(QPointF at)
    {
        for (int i = 1; i <= 40; ++i) {
            mouse(QEvent::MouseMove, at + QPointF(i * 20, (i % 2) * 300), Qt::LeftButton);
            repaint();
        }
        mouse(QEvent::MouseButtonRelease, at + QPointF(800, 0), Qt::NoButton);
        repaint();
    }

    void stroke(QPointF at)
    {
        firstInk(at);
        restOfStroke(at);
    }

    void wheel()
    {
        CanvasView *view = m_window->canvasView();
        const QPointF at(500, 300);
        QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &event);
        repaint(-view->pos());
    }

    void report(benchmark::State &state) const
    {
        state.counters["rss_x"] = statusBytes("VmRSS") / m_pictureBytes;
        state.counters["hwm_x"] = statusBytes("VmHWM") / m_pictureBytes;
    }

private:
    BenchDialogs m_dialogs;
    std::unique_ptr<frmmain> m_window;
    double m_pictureBytes = 0;
    QImage m_screen{View, QImage::Format_ARGB32_Premultiplied};
};

void BM_WindowOpen(benchmark::State &state)
{
    Window w(static_cast<int>(state.range(0)));
    resetPeak();
    for (auto _ : state) {
        w.open();
        w.repaint();
    }
    w.report(state);
}
BENCHMARK(BM_WindowOpen)->Arg(8000)->Arg(16000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_WindowFirstInk(benchmark::State &state)
{
    Window w(static_cast<int>(state.range(0)));
    resetPeak();
    for (auto _ : state) {
        state.PauseTiming();
        w.open();
        state.ResumeTiming();
        w.firstInk(QPointF(100, 100));
        state.PauseTiming();
        w.restOfStroke(QPointF(100, 100));
        state.ResumeTiming();
    }
    w.report(state);
}
BENCHMARK(BM_WindowFirstInk)->Arg(8000)->Arg(16000)->Iterations(3)->Unit(benchmark::kMillisecond);

// A whole stroke of 40 moves, each repainted, on a picture already drawn on.
void BM_WindowStroke(benchmark::State &state)
{
    Window w(static_cast<int>(state.range(0)));
    w.open();
    w.stroke(QPointF(50, 50));
    resetPeak();
    for (auto _ : state)
        w.stroke(QPointF(100, 100));
    w.report(state);
}
BENCHMARK(BM_WindowStroke)->Arg(8000)->Arg(16000)->Iterations(5)->Unit(benchmark::kMillisecond);

void undoOrRedo(benchmark::State &state, const char *action)
{
    Window w(static_cast<int>(state.range(0)));
    w.open();
    w.stroke(QPointF(50, 50));
    resetPeak();
    for (auto _ : state) {
        state.PauseTiming();
        w.stroke(QPointF(100, 100));
        if (std::string(action) == "HH")
            w.trigger("CX");
        state.ResumeTiming();
        w.trigger(action);
        w.repaint();
    }
    w.report(state);
}

void BM_WindowUndo(benchmark::State &state)
{
    undoOrRedo(state, "CX");
}
BENCHMARK(BM_WindowUndo)->Arg(8000)->Arg(16000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_WindowRedo(benchmark::State &state)
{
    undoOrRedo(state, "HH");
}
BENCHMARK(BM_WindowRedo)->Arg(8000)->Arg(16000)->Iterations(3)->Unit(benchmark::kMillisecond);

// The first run of a filter after opening and a stroke, then a second one.
void firstFilter(benchmark::State &state, const char *action)
{
    Window w(static_cast<int>(state.range(0)));
    double second = 0;
    resetPeak();
    for (auto _ : state) {
        state.PauseTiming();
        w.open();
        w.stroke(QPointF(100, 100));
        state.ResumeTiming();
        w.trigger(action);
        w.repaint();
        state.PauseTiming();
        const auto start = std::chrono::steady_clock::now();
        w.trigger(action);
        w.repaint();
        second +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        state.ResumeTiming();
    }
    state.counters["second_ms"] = second / double(state.iterations());
    w.report(state);
}

void BM_WindowInvert(benchmark::State &state)
{
    firstFilter(state, "mnuInvert");
}
BENCHMARK(BM_WindowInvert)->Arg(8000)->Arg(16000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_WindowGrey(benchmark::State &state)
{
    firstFilter(state, "mnuGray");
}
BENCHMARK(BM_WindowGrey)->Arg(8000)->Arg(16000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_WindowWheel(benchmark::State &state)
{
    Window w(static_cast<int>(state.range(0)));
    w.open();
    for (auto _ : state)
        w.wheel();
    w.report(state);
}
BENCHMARK(BM_WindowWheel)->Arg(8000)->Arg(16000)->Iterations(20)->Unit(benchmark::kMillisecond);

// A session as the issue measures it: open, five strokes, Undo, Redo,
// Invert; the memory after each step and the peak over all of them.
void BM_WindowSession(benchmark::State &state)
{
    for (auto _ : state) {
        Window w(static_cast<int>(state.range(0)));
        resetPeak();
        state.counters["start_x"] = statusBytes("VmRSS") / w.pictureBytes();
        w.open();
        w.repaint();
        state.counters["shown_x"] = statusBytes("VmRSS") / w.pictureBytes();
        for (int i = 0; i < 5; ++i)
            w.stroke(QPointF(100 + 150 * i, 100 + 50 * i));
        state.counters["strokes_x"] = statusBytes("VmRSS") / w.pictureBytes();
        w.trigger("CX");
        w.repaint();
        state.counters["undo_x"] = statusBytes("VmRSS") / w.pictureBytes();
        w.trigger("HH");
        w.repaint();
        state.counters["redo_x"] = statusBytes("VmRSS") / w.pictureBytes();
        w.trigger("mnuInvert");
        w.repaint();
        state.counters["invert_x"] = statusBytes("VmRSS") / w.pictureBytes();
        state.counters["peak_x"] = statusBytes("VmHWM") / w.pictureBytes();
    }
}
BENCHMARK(BM_WindowSession)->Arg(8000)->Arg(16000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
