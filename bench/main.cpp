// The shared entry point of the benchmark programs: the surfaces need an
// application for fonts and the palette's system colours, and the skin and
// the dialogs for their widgets, but nothing reaches a screen, so no display
// is needed unless one is asked for.
#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
