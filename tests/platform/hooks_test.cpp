#include "platform/Hooks.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace {

QStringList& logged() {
    static QStringList lines;
    return lines;
}

void capture(QtMsgType, const QMessageLogContext&, const QString& text) {
    logged() << text;
}

TEST(Hooks, DefaultAlertAnswererLogsAndSaysNo) {
    hooks::setAlertAnswerer({});
    logged().clear();
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    const int message = hooks::answerAlert({AlertKind::Message, QStringLiteral("Saved"), {}});
    const int question = hooks::answerAlert({AlertKind::YesNo, QStringLiteral("Replace?"), {}});
    qInstallMessageHandler(previous);
    EXPECT_EQ(message, 0);
    EXPECT_EQ(question, 0);
    ASSERT_EQ(logged().size(), 2);
    EXPECT_TRUE(logged()[0].contains(QStringLiteral("Saved")));
    EXPECT_TRUE(logged()[1].contains(QStringLiteral("Replace?")));
}

TEST(Hooks, ReplacedAndRestored) {
    std::vector<AlertRequest> seen;
    hooks::setAlertAnswerer([&seen](const AlertRequest& r) {
        seen.push_back(r);
        return 1;
    });
    EXPECT_EQ(hooks::answerAlert({AlertKind::YesNo, QStringLiteral("q"), {}}), 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].kind, AlertKind::YesNo);
    hooks::setAlertAnswerer({});
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    EXPECT_EQ(hooks::answerAlert({AlertKind::YesNo, QStringLiteral("q"), {}}), 0);
    qInstallMessageHandler(previous);
    EXPECT_EQ(seen.size(), 1u);

    QUrl opened;
    hooks::setUrlOpener([&opened](const QUrl& url) {
        opened = url;
        return true;
    });
    EXPECT_TRUE(hooks::openUrl(QUrl(QStringLiteral("file:///tmp/Help.pdf"))));
    EXPECT_EQ(opened, QUrl(QStringLiteral("file:///tmp/Help.pdf")));
    hooks::setUrlOpener({});

    int exitCode = -1;
    hooks::setTerminator([&exitCode](int code) { exitCode = code; });
    hooks::terminate(3);
    EXPECT_EQ(exitCode, 3);
    hooks::setTerminator({});
}

TEST(Hooks, ResourceFolderBesideTheExecutable) {
    hooks::setResourceFolderLocator({});
    EXPECT_EQ(hooks::resourceFolder(),
              QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("resources")));
    hooks::setResourceFolderLocator([] { return QStringLiteral("/tmp/elsewhere"); });
    EXPECT_EQ(hooks::resourceFolder(), QStringLiteral("/tmp/elsewhere"));
    hooks::setResourceFolderLocator({});
    EXPECT_TRUE(hooks::resourceFolder().endsWith(QStringLiteral("/resources")));
}

} // namespace
