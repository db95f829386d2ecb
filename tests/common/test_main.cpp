// Test entry shared by every test program: a QApplication on the offscreen
// platform (unless the caller chose one), numbers read and written in the
// "C" locale and the signal dispositions as the program itself sets them at
// start-up.
#include "platform/ProcessSignals.h"

#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    Ignore_File_Size_Signal();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
