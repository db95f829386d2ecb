#pragma once
// Small helpers shared by the test programs.

#include "platform/Hooks.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <deque>
#include <gtest/gtest.h>
#include <mutex>
#include <ostream>
#include <vector>

namespace testsupport {

// Path of an outside program (a decoder, pdftoppm, python3), or empty.
QString findTool(const QString& name);

// The interpreter with Debian's python modules (openpyxl, plistlib).
QString debianPython();

// Every name in a folder, hidden ones and links (dangling ones too)
// included, sorted.
QStringList namesIn(const QString& folder);

struct ProcessResult {
    bool started = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
// Runs a program to the end (at most timeoutMs) with optional standard input.
ProcessResult runProcess(const QString& program, const QStringList& args,
                         const QByteArray& input = {}, int timeoutMs = 60000);

// Installs an alert answerer for the life of the object: answers come from
// the queue (then `fallback`), and every request is recorded.
class ScriptedAlerts {
public:
    explicit ScriptedAlerts(std::deque<int> answers = {}, int fallback = 0);
    ~ScriptedAlerts();
    ScriptedAlerts(const ScriptedAlerts&) = delete;
    ScriptedAlerts& operator=(const ScriptedAlerts&) = delete;

    std::vector<AlertRequest> requests() const;
    QStringList texts() const;

private:
    mutable std::mutex m_mutex;
    std::deque<int> m_answers;
    int m_fallback;
    std::vector<AlertRequest> m_requests;
};

} // namespace testsupport

// Readable values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) {
        *out << " \"" << text.toStdString() << '"';
    }
    *out << " }";
}

// Skips the test visibly when an outside tool is missing.
#define CARD_REQUIRE_TOOL(var, name)                                                               \
    const QString var = ::testsupport::findTool(name);                                             \
    if (var.isEmpty())                                                                             \
    GTEST_SKIP() << "outside tool not installed: " << (name)

// Skips the test visibly when Debian's python3 or the module is missing.
#define CARD_REQUIRE_PYTHON_MODULE(var, module)                                                    \
    CARD_REQUIRE_TOOL(var, "/usr/bin/python3");                                                    \
    if (::testsupport::runProcess(var, {QStringLiteral("-c"), QStringLiteral("import " module)})   \
            .exitCode != 0)                                                                        \
    GTEST_SKIP() << "python3 module not installed: " module
