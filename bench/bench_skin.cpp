// The skin's costs: one fade step of a push button, skinning a dialog of 20
// controls, and the main window's start-up with and without the skin.
#include "app/editor.h"
#include "app/main_window.h"
#include "app/qt_common_dialogs.h"
#include "skin/skinner.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEnterEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimerEvent>
#include <QTreeWidget>

#include <chrono>
#include <memory>

namespace {

// Keeps the skin installed between the steps that unskin a dialog, so that
// the shared images are built once.
struct Installed {
    QWidget keeper;
    Installed() { Skin::install(&keeper); }
    ~Installed() { Skin::uninstall(&keeper); }
};

int timerOf(const QWidget *button)
{
    return button->property("TIMERID").toInt();
}

// Runs a fade to its end by sending its timer events; how many it took.
// Repaints the button after each step when asked.
int fade(QWidget *button, bool repaint)
{
    int ticks = 0;
    for (int timer = timerOf(button); timer != 0; timer = timerOf(button)) {
        QTimerEvent tick(timer);
        QCoreApplication::sendEvent(button, &tick);
        if (repaint)
            button->repaint();
        ++ticks;
    }
    return ticks;
}

// A 75 x 25 button on a shown dialog: the pointer enters (the hover look
// fades in from 0) and leaves (the normal look fades in), 172 steps in all.
void fadeSteps(benchmark::State &state, bool repaint)
{
    Installed installed;
    QDialog dialog;
    auto *button = new QPushButton(QStringLiteral("确定"), &dialog);
    button->setGeometry(10, 10, 75, 25);
    dialog.resize(100, 50);
    Skin::skinWindow(&dialog);
    dialog.show();
    QCoreApplication::processEvents();
    button->repaint();
    long long ticks = 0;
    for (auto _ : state) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(button, &enter);
        ticks += fade(button, repaint);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(button, &leave);
        ticks += fade(button, repaint);
    }
    state.counters["per_step"] = benchmark::Counter(
        static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    Skin::unskinWindow(&dialog);
}

// The blend of a prepared state image onto what the button shows, and the
// request to repaint the button.
void BM_FadeStep(benchmark::State &state)
{
    fadeSteps(state, false);
}
BENCHMARK(BM_FadeStep)->Unit(benchmark::kMicrosecond);

// The same with the button repainted at once after each step.
void BM_FadeStepRepainted(benchmark::State &state)
{
    fadeSteps(state, true);
}
BENCHMARK(BM_FadeStepRepainted)->Unit(benchmark::kMicrosecond);

// 6 push buttons, 3 combos, 3 check boxes, 3 option buttons, 2 text boxes, a
// list, a progress bar and a tree with its header.
std::unique_ptr<QDialog> dialogOf20()
{
    auto dialog = std::make_unique<QDialog>();
    dialog->resize(400, 300);
    auto place = [&](QWidget *widget, int i) {
        widget->setGeometry(10 + (i % 4) * 95, 10 + (i / 4) * 40, 90, 30);
    };
    int i = 0;
    for (int n = 0; n < 6; ++n)
        place(new QPushButton(QStringLiteral("按钮%1").arg(n), dialog.get()), i++);
    for (int n = 0; n < 3; ++n) {
        auto *combo = new QComboBox(dialog.get());
        combo->addItems({QStringLiteral("白色"), QStringLiteral("黑色")});
        place(combo, i++);
    }
    for (int n = 0; n < 3; ++n)
        place(new QCheckBox(QStringLiteral("选项%1").arg(n), dialog.get()), i++);
    for (int n = 0; n < 3; ++n)
        place(new QRadioButton(QStringLiteral("单选%1").arg(n), dialog.get()), i++);
    for (int n = 0; n < 2; ++n)
        place(new QLineEdit(QStringLiteral("200"), dialog.get()), i++);
    place(new QListWidget(dialog.get()), i++);
    place(new QProgressBar(dialog.get()), i++);
    auto *tree = new QTreeWidget(dialog.get());
    tree->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("大小")});
    place(tree, i++);
    return dialog;
}

void BM_SkinDialog20(benchmark::State &state)
{
    Installed installed;
    auto dialog = dialogOf20();
    dialog->grab();
    int windows = 0;
    for (auto _ : state) {
        Skin::skinWindow(dialog.get());
        state.PauseTiming();
        // The dialog and everything in it, the keeper aside.
        windows = Skin::skinnedWidgetCount() - 1;
        Skin::unskinWindow(dialog.get());
        state.ResumeTiming();
    }
    state.counters["windows"] = windows;
}
BENCHMARK(BM_SkinDialog20)->Unit(benchmark::kMicrosecond);

// The dialog's first paint after it was skinned (the buttons' state images
// are drawn then), beside its paint without the skin (argument 0).
void BM_Dialog20FirstPaint(benchmark::State &state)
{
    Installed installed;
    auto dialog = dialogOf20();
    const bool skin = state.range(0) != 0;
    dialog->grab();
    for (auto _ : state) {
        if (skin) {
            state.PauseTiming();
            Skin::unskinWindow(dialog.get());
            Skin::skinWindow(dialog.get());
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(dialog->grab());
    }
    Skin::unskinWindow(dialog.get());
}
BENCHMARK(BM_Dialog20FirstPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Construction, the start-up sequence, showing and the first full paint.
// Without the skin, the window carries the skinned mark before its start-up,
// so that installing the skin on it changes nothing.
double startUp(bool skin)
{
    const auto start = std::chrono::steady_clock::now();
    QtCommonDialogs dialogs;
    Editor editor(dialogs);
    MainWindow window(editor);
    if (!skin)
        window.setProperty("PROCADDR", 1);
    window.startUp();
    window.show();
    QCoreApplication::processEvents();
    window.repaint();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// Both start-ups in turn, in one run: their times and the ratio.
void BM_StartUp(benchmark::State &state)
{
    double with = 0, without = 0;
    for (auto _ : state) {
        without += startUp(false);
        with += startUp(true);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["with_ms"] = with / n;
    state.counters["without_ms"] = without / n;
    state.counters["ratio"] = with / without;
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

} // namespace
