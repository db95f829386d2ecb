// The batch export on a real design: ten records bound to a series, the
// export command started as the user does it, the run on its worker while
// the test spins the event loop (the worker is never joined by the test),
// Stop pressed after the third record; then every exported card decoded.
#include "../binding/BindingFixture.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "mainwindow/controller/ControllerOutputHost.h"
#include "output/BatchExporter.h"
#include "output/ExportWindow.h"
#include "output/OutputCommands.h"
#include "output/Send_Modeless.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

namespace {

class DesignBatchExportTest : public BindingFixture {
protected:
    void SetUp() override {
        BindingFixture::SetUp();
        QStringList values;
        for (int i = 1; i <= 10; ++i) {
            values << QStringLiteral("R%1").arg(i, 2, 10, QLatin1Char('0'));
        }
        series(QStringLiteral("codes"), values);
        text = boundText(0, 1, QStringLiteral("codes"));
        code = place<SKTBarcode>(0, QRectF(150, 120, 120, 120));
        code->barcode_font_index =
            int(DesignerLists::symbologies().indexOf(QStringLiteral("QR Code")));
        code->linear_or_2d = 1;
        bind(*code, 1, QStringLiteral("codes"));
        host = std::make_unique<ControllerOutputHost>(*m_controller);
        OutputHost::setCurrent(host.get());
        ExportWindow::defaultInstance();
        QCoreApplication::processEvents();
        // The export window: bmp (flat on white) at 150 dpi, front side.
        hooks::setModalRunner([](QDialog& dialog) {
            if (auto* window = dynamic_cast<ExportWindow*>(&dialog)) {
                window->findChild<QComboBox*>(QStringLiteral("fileFormatPopup"))
                    ->setCurrentIndex(2);
                window->findChild<QComboBox*>(QStringLiteral("saveDPIText"))->setCurrentIndex(1);
                return 1;
            }
            return 0;
        });
        const QString folder = m_temp.path();
        hooks::setOpenPanel(
            [folder](const hooks::OpenPanelRequest&) { return QStringList{folder}; });
    }
    void TearDown() override {
        OutputHost::setCurrent(nullptr);
        host.reset();
        hooks::setOpenPanel({});
        BindingFixture::TearDown();
    }
    QString runFolder() const {
        return QDir(m_temp.path()).filePath(QStringLiteral("VOSK Festoria"));
    }

    std::unique_ptr<ControllerOutputHost> host;
    std::shared_ptr<SKTText> text;
    std::shared_ptr<SKTBarcode> code;
};

TEST_F(DesignBatchExportTest, StopAfterThreeOnARealWorker) {
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    testsupport::ScriptedAlerts alerts({1});
    Send_Modeless* sheet = Send_Modeless::defaultInstance();
    BatchExporter* exporter = BatchExporter::defaultInstance();
    Card_Front_Or_Back = 1; // the back is the side in view
    std::vector<int> filled;
    bool finished = false;
    const auto onFill = QObject::connect(exporter, &BatchExporter::recordFilled, [&](int number) {
        filled.push_back(number);
        EXPECT_TRUE(sheet->isVisible());
        EXPECT_EQ(Card_Value_In_Process.load(), 1);
        if (number == 3) {
            QTest::mouseClick(sheet->_stop_btn, Qt::LeftButton);
        }
    });
    const auto onEnd =
        QObject::connect(exporter, &BatchExporter::runFinished, [&] { finished = true; });
    output::Export_Button();
    // The command has returned with the run under way.
    EXPECT_TRUE(exporter->isRunning());
    ASSERT_TRUE(waitFor([&] { return finished; }));
    QObject::disconnect(onFill);
    QObject::disconnect(onEnd);

    EXPECT_EQ(filled, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(sheet->isVisible());
    QStringList files = QDir(runFolder()).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, (QStringList{"Card_1.bmp", "Card_2.bmp", "Card_3.bmp"}));
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const QString path = QDir(runFolder()).filePath(QStringLiteral("Card_%1.bmp").arg(i));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.read(2), QByteArrayLiteral("BM"));
        file.close();
        // 120 mm at 150 dpi.
        const QImage image(path);
        EXPECT_EQ(image.width(), 709);
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 150, 0.5);
        const auto read =
            testsupport::runProcess(zbarimg, {QStringLiteral("-q"), QStringLiteral("--raw"), path});
        EXPECT_EQ(QString::fromUtf8(read.out).trimmed(), QStringLiteral("R0%1").arg(i));
    }
    // Record 0 is back in the design, the side in view again, the canvas
    // free to redraw; the success prompt followed the stopped run.
    EXPECT_EQ(textOf(text), QStringLiteral("R01"));
    EXPECT_EQ(Card_Front_Or_Back.load(), 1);
    EXPECT_EQ(Card_Value_In_Process.load(), 0);
    EXPECT_EQ(Export_File_Path, runFolder());
    ASSERT_EQ(alerts.texts().size(), 2);
    EXPECT_TRUE(
        alerts.texts().at(0).contains(QStringLiteral("Are you sure you want to continue?")));
    EXPECT_TRUE(
        alerts.texts().at(1).contains(QStringLiteral("Card has been exported successfully.")));
}

TEST_F(DesignBatchExportTest, AllRecordsBothSidesCombined) {
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    testsupport::ScriptedAlerts alerts;
    hooks::setModalRunner([](QDialog& dialog) {
        if (auto* window = dynamic_cast<ExportWindow*>(&dialog)) {
            window->findChild<QComboBox*>(QStringLiteral("fileFormatPopup"))->setCurrentIndex(2);
            window->findChild<QComboBox*>(QStringLiteral("saveDPIText"))->setCurrentIndex(2);
            window->show();
            QTest::mouseClick(window->findChild<QAbstractButton*>(QStringLiteral("exportBoth")),
                              Qt::LeftButton, {}, QPoint(6, 6));
            QTest::mouseClick(
                window->findChild<QAbstractButton*>(QStringLiteral("export_combined_image_chk")),
                Qt::LeftButton, {}, QPoint(6, 6));
            return 1;
        }
        return 0;
    });
    BatchExporter* exporter = BatchExporter::defaultInstance();
    bool finished = false;
    const auto onEnd =
        QObject::connect(exporter, &BatchExporter::runFinished, [&] { finished = true; });
    output::Export_Button();
    ASSERT_TRUE(waitFor([&] { return finished; }));
    QObject::disconnect(onEnd);
    QStringList files = QDir(runFolder()).entryList(QDir::Files);
    EXPECT_EQ(files.size(), 10);
    for (int i : {1, 7, 10}) {
        SCOPED_TRACE(i);
        const QString path = QDir(runFolder()).filePath(QStringLiteral("Card_%1.bmp").arg(i));
        const QImage image(path);
        // Front above back: 120 x 240 mm at 300 dpi.
        EXPECT_EQ(image.size(), QSize(1417, 2834));
        // The front's code lies in the upper half: decode that half alone.
        const QString upper = m_temp.filePath(QStringLiteral("upper.png"));
        ASSERT_TRUE(image.copy(0, 0, image.width(), image.height() / 2).save(upper));
        const auto read = testsupport::runProcess(
            zbarimg, {QStringLiteral("-q"), QStringLiteral("--raw"), upper});
        EXPECT_EQ(QString::fromUtf8(read.out).trimmed(),
                  QStringLiteral("R%1").arg(i, 2, 10, QLatin1Char('0')));
    }
    EXPECT_EQ(textOf(text), QStringLiteral("R01"));
    EXPECT_EQ(Card_Value_In_Process.load(), 0);
    ASSERT_EQ(alerts.texts().size(), 1);
    EXPECT_TRUE(
        alerts.texts().at(0).contains(QStringLiteral("Card has been exported successfully.")));
}

} // namespace
