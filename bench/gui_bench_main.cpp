// The main of the benchmarks that drive the dialog: the offscreen platform, one
// QApplication, then the benchmarks. A benchmark's long-lived objects go with
// qAddPostRoutine, so that they end before the application object.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
