#include "BenchRun.h"

#include <benchmark/benchmark.h>
#include <clocale>

int runBenchmarks(int argc, char** argv) {
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
