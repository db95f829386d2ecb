#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace testsupport {

QString findTool(const QString& name) {
    if (name.startsWith(QLatin1Char('/'))) {
        return QFileInfo(name).isExecutable() ? name : QString();
    }
    return QStandardPaths::findExecutable(name);
}

QString debianPython() {
    return findTool(QStringLiteral("/usr/bin/python3"));
}

QStringList namesIn(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

ProcessResult runProcess(const QString& program, const QStringList& args, const QByteArray& input,
                         int timeoutMs) {
    ProcessResult result;
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(timeoutMs)) {
        return result;
    }
    result.started = true;
    if (!input.isEmpty()) {
        process.write(input);
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

ScriptedAlerts::ScriptedAlerts(std::deque<int> answers, int fallback)
    : m_answers(std::move(answers)), m_fallback(fallback) {
    hooks::setAlertAnswerer([this](const AlertRequest& request) {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(request);
        if (m_answers.empty()) {
            return m_fallback;
        }
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    });
}

ScriptedAlerts::~ScriptedAlerts() {
    hooks::setAlertAnswerer({});
}

std::vector<AlertRequest> ScriptedAlerts::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

QStringList ScriptedAlerts::texts() const {
    QStringList out;
    for (const AlertRequest& request : requests()) {
        out << request.text;
    }
    return out;
}

} // namespace testsupport
