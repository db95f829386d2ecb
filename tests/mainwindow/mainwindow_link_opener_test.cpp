// Links go to the system's opener, xdg-open; its exit status says whether
// anything could open the address. An opener that fails means the user is
// told the address, as when there is no opener at all.

#include "mainwindow_controller_fixture.h"

#include "mainwindow/controller/ControllerLinks.h"
#include "output/Help_Support.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

class LinkOpenerTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        m_path = qgetenv("PATH");
    }
    void TearDown() override {
        qputenv("PATH", m_path);
        LinkCommands::setCurrent(nullptr);
        ControllerFixture::TearDown();
    }

    // Puts an xdg-open first on PATH that writes the address it was given
    // into `asked` and exits with `exitCode`.
    void fakeOpener(const QTemporaryDir& folder, int exitCode, const QString& asked) {
        const QString script = folder.filePath(QStringLiteral("xdg-open"));
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n")
                       .arg(asked)
                       .arg(exitCode)
                       .toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", folder.path().toLocal8Bit() + ':' + m_path);
    }

    QByteArray m_path;
};

TEST_F(LinkOpenerTest, TheOpenersExitStatusDecidesWhetherTheUserIsTold) {
    const struct {
        int exitCode;
        bool told;
    } rows[] = {{3, true}, {0, false}};
    hooks::setUrlOpener({}); // the real opener
    start();
    ControllerLinks links(*m_controller);
    LinkCommands::setCurrent(&links);
    Help_Support help;
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    auto* website = help.findChild<QPushButton*>(QStringLiteral("website_1"));
    ASSERT_NE(website, nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.exitCode);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString asked = folder.filePath(QStringLiteral("asked"));
        fakeOpener(folder, row.exitCode, asked);
        const size_t before = m_alerts.requests().size();
        QTest::mouseClick(website, Qt::LeftButton);
        QFile answer(asked);
        ASSERT_TRUE(answer.open(QIODevice::ReadOnly)) << "the opener was not run";
        const QString address = QString::fromUtf8(answer.readAll());
        EXPECT_TRUE(address.startsWith(QStringLiteral("https://"))) << address.toStdString();
        ASSERT_EQ(m_alerts.requests().size(), before + (row.told ? 1 : 0));
        if (row.told) {
            const AlertRequest told = m_alerts.requests().back();
            EXPECT_TRUE(told.text.contains(QStringLiteral("web browser")));
            EXPECT_TRUE(told.text.endsWith(QStringLiteral("\n") + address))
                << told.text.toStdString();
            EXPECT_TRUE(told.selectableText);
        }
    }
}

} // namespace
