#pragma once
// Helpers of the series window tests: scripted modal runs (with a picture of
// every window run when CARD_SCREENSHOT_DIR is set), workbooks written by
// python3 modules, and the long-message dialog answered by a script.

#include "DataseriesTestSupport.h"
#include "common/TestSupport.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class Long_SMS_Dlg;

namespace swtest {

// Every modal run goes to the handler for the life of the object.
class ScriptedRuns {
public:
    explicit ScriptedRuns(std::function<int(QDialog&)> handler);
    ~ScriptedRuns();
    ScriptedRuns(const ScriptedRuns&) = delete;
    ScriptedRuns& operator=(const ScriptedRuns&) = delete;
};

// Keeps a picture of the widget as <name>.png in CARD_SCREENSHOT_DIR when
// that is set; answers whether a picture was taken.
bool keepScreenshot(QWidget& widget, const QString& name);

// Writes a workbook with `python -c script path`; empty on failure.
QString pythonBook(const QString& python, const QString& path, const char* script);

// True when /usr/bin/python3 can import the module.
bool hasModule(const QString& python, const char* module);

// The texts of the alerts as the user reads them: messages come with a
// leading line break, which is dropped here.
QStringList shownTexts(const QStringList& texts);

// The title of a long-message dialog run, and the answer: OK with or
// without its apply-to-all box ticked, or No.
QString longTitle(Long_SMS_Dlg& dialog);
int answerLong(Long_SMS_Dlg& dialog, bool ok, bool applyToAll);

} // namespace swtest

#define SW_REQUIRE_MODULE(python, module)                                                          \
    CARD_REQUIRE_TOOL(python, "/usr/bin/python3");                                                 \
    if (!::swtest::hasModule(python, module))                                                      \
    GTEST_SKIP() << "python3 module not installed: " module
