// rk7-gui-bench: the benchmarks that need a Qt application, run under the offscreen platform so
// that they need no display and give the same figures everywhere.

#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    // Under tests/gui/with_accessibility_bus.sh the platform it chose stays: offscreen has no
    // accessibility, and the figures with an assistive client need one.
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
