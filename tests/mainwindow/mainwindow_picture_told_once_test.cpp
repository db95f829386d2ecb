// Two picture objects of one design naming the same picture file that gives
// no picture (cut before the design is opened, or cut while it is open and
// then read again for grown frames): the user is told about the file once.

#include "common/PictureFileMaking.h"
#include "mainwindow_controller_fixture.h"

#include "editor/model/PictureRefitQueue.h"
#include "editor/model/SKTImage.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/WindowEntries.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

class PictureToldOnceTest : public ControllerFixture {
protected:
    void TearDown() override {
        endDesignFiles();
        ControllerFixture::TearDown();
    }

    // Keeps the first half of the file.
    static void cutInHalf(const QString& file) {
        QFile source(file);
        ASSERT_TRUE(source.open(QIODevice::ReadWrite));
        ASSERT_TRUE(source.resize(source.size() / 2));
    }

    // File > Open, the panel answering `design`.
    void openThroughTheMenu(const QString& design) {
        hooks::setOpenPanel(
            [design](const hooks::OpenPanelRequest&) { return QStringList{design}; });
        clickMenuItem(openMenu("menuFile"), "Open_action");
        hooks::setOpenPanel({});
    }
};

TEST_F(PictureToldOnceTest, TwoObjectsOnOneFileThatGivesNoPictureTellItOnce) {
    const QString before = path(QStringLiteral("before.png"));
    const QString after = path(QStringLiteral("after.png"));
    const struct {
        const char* name;
        QString picture;
        bool cutBeforeOpen;
        QString told;
    } rows[] = {
        {"cut before the open", before, true,
         QStringLiteral("This picture of the design could not be shown:\n"
                        "\"%1\" is not a picture the program can read.")
             .arg(before)},
        {"cut while open, frames grown", after, false,
         QStringLiteral("\"after.png\" is not a picture the program can read.")},
    };
    startWithDesignFiles();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(picturefiles::photo(1200, 800).save(row.picture, "PNG"));
        const QString design = writePictureDesign(
            QFileInfo(row.picture).baseName() + QStringLiteral(".dcard"), {360, 252},
            {{row.picture, QRectF(10, 10, 30, 20)}, {row.picture, QRectF(120, 100, 30, 20)}});
        if (row.cutBeforeOpen) {
            cutInHalf(row.picture);
        }
        testsupport::ScriptedAlerts alerts;
        openThroughTheMenu(design);
        ASSERT_EQ(Project_File_Name, design);
        ASSERT_EQ(m_document->graphics().size(), 2);
        if (!row.cutBeforeOpen) {
            ASSERT_TRUE(alerts.texts().filter(QStringLiteral(".png")).isEmpty())
                << alerts.texts().join('|').toStdString();
            cutInHalf(row.picture);
            // Both frames grown towards the picture's own size, so both
            // objects read the file again once their frames rest.
            clickMenuItem(openMenu("menuEdit"), "Select_All_action");
            clickMenuItem(openMenu("menuArrange"), "Make_Natural_action");
            for (const auto& graphic : m_document->graphics()) {
                ASSERT_GT(graphic->bounds().width(), 300);
                ASSERT_TRUE(
                    QTest::qWaitFor([&] { return !PictureRefitQueue::isWaiting(*graphic); }, 5000));
            }
            // Messages are shown after the event that read the file.
            QCoreApplication::processEvents();
        }
        // Of all that was shown (the question whether to save first among
        // it), one message names the file, once.
        const QString name = QFileInfo(row.picture).fileName();
        const QStringList told = alerts.texts().filter(name);
        ASSERT_EQ(told.size(), 1) << alerts.texts().join('|').toStdString();
        EXPECT_EQ(told.first().count(name), 1) << told.first().toStdString();
        EXPECT_EQ(told.first().trimmed().toStdString(), row.told.toStdString());
    }
}

} // namespace
