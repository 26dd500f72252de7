// The steps a user takes on a big picture, run through the main window as the
// user's input runs them: the handler, its snapshots and the repaint of a
// 1000 x 700 view of the canvas, at 8000 x 6000 and 16000 x 12000 (the
// argument is the picture's width). Each also reports the resident memory of
// the process as a multiple of the picture's bytes: rss after the step, hwm
// the peak since the benchmark started. The core calls have their own
// benchmarks in bench_undo.cpp beside these.
#include "app/editor.h"
#include "app/main_window.h"
#include "controls/canvas_view.h"
#include "core/picture_file.h"
#include "core/row_bands.h"
#include "core/surface.h"
#include "tools/tool_table.h"
#include "window_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <sys/mman.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const QSize View(1000, 700);

class Window
{
public:
    explicit Window(int width)
    {
        m_dialogs.file = pictureFile(QSize(width, width * 3 / 4));
        m_dialogs.saveFile = QDir::temp().filePath(QStringLiteral("kalvo_bench_saved.bmp"));
        m_pictureBytes = double(width) * (width * 3 / 4) * 4;
        m_window = std::make_unique<MainWindow>(m_editor);
        m_window->startUp();
        m_window->resize(1280, 1000);
        // KALVO_BENCH_RECOVERY=1: the recovery copy is kept, as the program
        // keeps it (its writing needs the event loop, which the steps here
        // do not run).
        if (qEnvironmentVariableIsSet("KALVO_BENCH_RECOVERY"))
            m_editor.recoveryCopy().start(
                QDir::temp().filePath(QStringLiteral("kalvo_bench_copies")));
    }

    Editor &editor() { return m_editor; }
    QSize pictureSize() const { return m_editor.document().canvas().size(); }
    QString lastMessage() const { return m_dialogs.lastMessage; }
    double pictureBytes() const { return m_pictureBytes; }

    void trigger(const char *action) { m_window->findChild<QAction *>(action)->trigger(); }

    void open()
    {
        trigger("mnuOpen");
        m_editor.toolState().currentTool = ToolId::Pencil;
    }

    // The view's pixels as the screen would get them.
    void repaint()
    {
        CanvasView *view = m_window->canvasView();
        m_screen.fill(0);
        view->render(&m_screen, QPoint(), QRegion(QRect(QPoint(), View)));
        benchmark::DoNotOptimize(m_screen.constBits());
    }

    void mouse(QEvent::Type type, QPointF at, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        CanvasView *view = m_window->canvasView();
        QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, buttons, modifiers);
        QApplication::sendEvent(view, &event);
    }

    void click(QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, modifiers);
        mouse(QEvent::MouseButtonRelease, at, Qt::NoButton, modifiers);
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
        repaint();
    }

    void report(benchmark::State &state) const
    {
        state.counters["rss_x"] = statusBytes("VmRSS") / m_pictureBytes;
        state.counters["hwm_x"] = statusBytes("VmHWM") / m_pictureBytes;
    }

private:
    BenchDialogs m_dialogs;
    Editor m_editor{m_dialogs};
    std::unique_ptr<MainWindow> m_window;
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

// The window's own dialogs answered as a user would: the given boxes filled,
// every bar moved, then OK.
class DialogAnswer
{
public:
    explicit DialogAnswer(std::vector<std::pair<const char *, QString>> boxes = {})
        : m_boxes(std::move(boxes))
    {
        m_poller.setInterval(1);
        QObject::connect(&m_poller, &QTimer::timeout, [this] { answer(); });
        m_poller.start();
    }

private:
    void answer()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        // Still open after OK: the answer was refused (the message tells why).
        if (dialog == m_answered) {
            dialog->close();
            return;
        }
        m_answered = dialog;
        for (const auto &[name, text] : m_boxes) {
            if (auto *box = dialog->findChild<QLineEdit *>(QLatin1String(name)))
                box->setText(text);
        }
        for (QScrollBar *bar : dialog->findChildren<QScrollBar *>())
            bar->setValue(bar->minimum() + (bar->maximum() - bar->minimum()) / 3);
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            if (button->objectName().compare(QLatin1String("cmdOK"), Qt::CaseInsensitive) == 0) {
                button->click();
                return;
            }
        }
    }

    std::vector<std::pair<const char *, QString>> m_boxes;
    QWidget *m_answered = nullptr;
    QTimer m_poller;
};

// A small mask picture, saved once.
QString maskFile()
{
    const QString path = QDir::temp().filePath(QStringLiteral("kalvo_bench_mask.bmp"));
    QImage mask(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x)
            mask.setPixel(x, y, (x / 8 + y / 8) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }
    savePicture(mask, path);
    return path;
}

// Every command and tool once on a picture just opened, for the 192-megapixel
// sweep: the time of the user's action with its repaint, and the memory after.
using Boxes = std::vector<std::pair<const char *, QString>>;

struct SweepRow {
    const char *name;
    std::function<void(Window &)> run;
    // The dialog's boxes, for a command that asks with a dialog of its own.
    std::function<Boxes(const Window &)> boxes = {};
    // Untimed work after the picture is opened.
    std::function<void(Window &)> prepare = {};
};

void command(Window &w, const char *action)
{
    w.trigger(action);
    w.repaint();
}

// A tool's stroke: the press, 40 moves and the release, each repainted.
void toolStroke(Window &w, ToolId tool)
{
    w.editor().canvasInput().chooseTool(tool);
    if (tool == ToolId::Clone)
        w.click(QPointF(50, 50), Qt::AltModifier);
    w.stroke(QPointF(100, 100));
    if (tool == ToolId::Polygon)
        w.mouse(QEvent::MouseButtonDblClick, QPointF(300, 300), Qt::LeftButton);
    if (tool == ToolId::Curve) {
        w.click(QPointF(400, 50));
        w.click(QPointF(500, 400));
    }
    w.repaint();
}

std::vector<SweepRow> sweepRows()
{
    std::vector<SweepRow> rows;
    const auto size = [](const Window &w, int numerator, int denominator) {
        const QSize now = w.pictureSize();
        return Boxes{{"txtWidth", QString::number(now.width() * numerator / denominator)},
                     {"txtHeight", QString::number(now.height() * numerator / denominator)}};
    };
    const auto noBoxes = [](const Window &) {
        return Boxes{};
    };
    for (const char *action :
         {"mnuFlipV", "mnuFlipHoz", "mnuBoth", "mnuClear", "mnuMirror", "mnuAddNoise", "mnuBlur",
          "mnuBlureMore", "mnuSharpen", "mnuSharpMore", "mnuPixel", "mnuDiffuse", "mnuInvert",
          "mnuGray", "mnuRed", "mnuGreen", "mnuBlue", "mnuSave", "mnuOpen"})
        rows.push_back({action, [action](Window &w) {
                            command(w, action);
                        }});
    for (const char *action : {"mnuStroke", "mnuAdjust", "mnuBright"})
        rows.push_back({action, [action](Window &w) { command(w, action); }, noBoxes});
    rows.push_back({"mnuMask", [](Window &w) { command(w, "mnuMask"); },
                    [](const Window &) {
                        return Boxes{{"txtFilename", maskFile()}};
                    }});
    rows.push_back({"mnuScale 3/4", [](Window &w) { command(w, "mnuScale"); },
                    [size](const Window &w) {
                        return size(w, 3, 4);
                    }});
    rows.push_back({"mnuScale 9/8", [](Window &w) { command(w, "mnuScale"); },
                    [size](const Window &w) {
                        return size(w, 5, 4);
                    }});
    rows.push_back({"mnuNew", [](Window &w) { command(w, "mnuNew"); },
                    [size](const Window &w) {
                        return size(w, 1, 1);
                    }});
    rows.push_back({"Undo of a Scale",
                    [](Window &w) { command(w, "CX"); },
                    {},
                    [](Window &w) {
                        DialogAnswer answer({{"txtWidth", QStringLiteral("1000")},
                                             {"txtHeight", QStringLiteral("750")}});
                        command(w, "mnuScale");
                    }});
    rows.push_back({"copy and paste", [](Window &w) {
                        toolStroke(w, ToolId::Select);
                        command(w, "mnuCopy");
                        command(w, "mnuPaste");
                        w.click(QPointF(600, 400));
                        w.repaint();
                    }});
    for (const ToolRow &tool : toolTable()) {
        SweepRow row{tool.caption, [id = tool.id](Window &w) {
                         toolStroke(w, id);
                     }};
        if (tool.id == ToolId::Text)
            row.boxes = [](const Window &) {
                return Boxes{{"txtText", QStringLiteral("Kalvo")}};
            };
        rows.push_back(row);
    }
    return rows;
}

void BM_Sweep(benchmark::State &state, const SweepRow &row)
{
    Window w(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        w.open();
        w.repaint();
        if (row.prepare)
            row.prepare(w);
        resetPeak();
        std::unique_ptr<DialogAnswer> answer;
        if (row.boxes)
            answer = std::make_unique<DialogAnswer>(row.boxes(w));
        state.ResumeTiming();
        row.run(w);
    }
    w.report(state);
    state.SetLabel(w.lastMessage().toStdString());
}

// What a filter step cannot go below: taking and first touching as many bytes
// as the picture on two threads, as the copies of its old tiles must.
double floorMilliseconds(std::size_t bytes)
{
    const auto start = std::chrono::steady_clock::now();
    void *area = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        return 0;
    auto *bits = static_cast<char *>(area);
    constexpr std::size_t Bands = 32;
    runBands(Bands, [&](std::size_t band) {
        std::memset(bits + bytes * band / Bands, 1,
                    bytes * (band + 1) / Bands - bytes * band / Bands);
    });
    const double elapsed =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    munmap(area, bytes);
    return elapsed;
}

// The first run of a whole-picture command after a stroke, alone: the peak
// counts from after the stroke. Beside it the floor, measured just before,
// and the peak less what the program held before its first picture.
void BM_FilterStep(benchmark::State &state, const SweepRow &row)
{
    Window w(static_cast<int>(state.range(0)));
    const double base = statusBytes("VmRSS");
    double floor = 0;
    double step = 0;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.open();
        w.stroke(QPointF(100, 100));
        floor += floorMilliseconds(static_cast<std::size_t>(w.pictureBytes()));
        std::unique_ptr<DialogAnswer> answer;
        if (row.boxes)
            answer = std::make_unique<DialogAnswer>(row.boxes(w));
        resetPeak();
        const auto start = std::chrono::steady_clock::now();
        state.ResumeTiming();
        row.run(w);
        state.PauseTiming();
        step += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
        peak = std::max(peak, statusBytes("VmHWM"));
        state.ResumeTiming();
    }
    const auto runs = double(state.iterations());
    state.counters["floor_ms"] = floor / runs;
    state.counters["of_floor"] = step / floor;
    state.counters["peak_x"] = peak / w.pictureBytes();
    state.counters["less_base_x"] = (peak - base) / w.pictureBytes();
    state.SetLabel(w.lastMessage().toStdString());
}

const bool sweepRegistered = [] {
    static const std::vector<SweepRow> rows = sweepRows();
    for (const SweepRow &row : rows)
        benchmark::RegisterBenchmark((std::string("BM_Sweep/") + row.name).c_str(), BM_Sweep, row)
            ->Arg(16000)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    const std::vector<std::string> filters{
        "mnuFlipV",   "mnuFlipHoz",   "mnuBoth",    "mnuMirror",    "mnuAddNoise",
        "mnuBlur",    "mnuBlureMore", "mnuSharpen", "mnuSharpMore", "mnuPixel",
        "mnuDiffuse", "mnuInvert",    "mnuGray",    "mnuRed",       "mnuGreen",
        "mnuBlue",    "mnuStroke",    "mnuAdjust",  "mnuBright",    "mnuMask"};
    for (const SweepRow &row : rows) {
        if (std::find(filters.begin(), filters.end(), row.name) != filters.end())
            benchmark::RegisterBenchmark((std::string("BM_FilterStep/") + row.name).c_str(),
                                         BM_FilterStep, row)
                ->Arg(8000)
                ->Arg(16000)
                ->Iterations(2)
                ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
