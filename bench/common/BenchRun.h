#pragma once
// Runs the benchmarks named on the command line with numbers in the "C"
// locale, as the program itself runs; the application object is the
// caller's.

int runBenchmarks(int argc, char** argv);

#include <QByteArray>

// The process's peak resident memory as /proc/self/status gives it (VmHWM,
// in KiB, as text); empty when it cannot be read.
QByteArray peakResidentKiB();
