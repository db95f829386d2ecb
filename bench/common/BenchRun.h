#pragma once
// Runs the benchmarks named on the command line with numbers in the "C"
// locale, as the program itself runs; the application object is the
// caller's.

int runBenchmarks(int argc, char** argv);
