// 50 mails through the real mail script to a loopback SMTP server
// (aiosmtpd): seconds per mail, interpreter start and SMTP exchange
// included.
#include "core/globals.h"
#include "output/core/MailTransport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

const QString kSource = QStringLiteral(CARD_SOURCE_DIR);

void BM_MailToLoopbackServer(benchmark::State& state) {
    QTemporaryDir folder;
    QProcess server;
    server.start(QStringLiteral("/usr/bin/python3"),
                 {QDir(kSource).filePath(QStringLiteral("tests/mail/smtp_server.py")),
                  folder.path(), QStringLiteral("me@example.com"), QStringLiteral("secret")});
    QByteArray line;
    while (server.waitForStarted(10000) && !line.contains('\n') && server.waitForReadyRead(20000)) {
        line += server.readAllStandardOutput();
    }
    const int port = line.trimmed().toInt();
    if (port <= 0) {
        state.SkipWithError("loopback SMTP server (python3-aiosmtpd) did not start");
        return;
    }
    Resource_Path = QDir(kSource).filePath(QStringLiteral("resources"));
    MailMessage message;
    message.recipient = QStringLiteral("friend@example.org");
    message.subject = QStringLiteral("Invitation");
    message.sender = QStringLiteral("me@example.com");
    message.password = QStringLiteral("secret");
    message.server = QStringLiteral("127.0.0.1");
    message.port = QString::number(port);
    message.body = QStringLiteral("See you there.");
    message.ssl = QStringLiteral("N");
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (!sendEmail_pyth(message)) {
            state.SkipWithError("a mail failed");
            break;
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (state.iterations() > 0) {
        state.counters["seconds_per_mail"] = elapsed.count() / double(state.iterations());
    }
    server.closeWriteChannel();
    server.waitForFinished(10000);
    // Every mail arrived.
    const int received = int(QDir(folder.path()).entryList({QStringLiteral("*.eml")}).size());
    state.counters["received"] = received;
    if (received != int(state.iterations())) {
        state.SkipWithError("not every mail arrived");
    }
}
BENCHMARK(BM_MailToLoopbackServer)->Iterations(50)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
