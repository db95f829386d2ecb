// Entry shared by every benchmark program: a QApplication on the offscreen
// platform (unless the caller chose one).
#include "BenchRun.h"

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
