// transistor-bench: Google Benchmark's main, with a QApplication around the
// paint benchmarks (offscreen unless QT_QPA_PLATFORM says otherwise).
#include <benchmark/benchmark.h>
#include <cstdlib>

#ifdef TRANSISTOR_BENCH_VIEW
#include <QApplication>
#endif

int main(int argc, char **argv) {
#ifdef TRANSISTOR_BENCH_VIEW
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
