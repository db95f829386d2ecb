// A new user's whole path through the program, offscreen: the invitation
// is designed, saved and opened again, then printed ten to a sheet into a
// PDF file and on the cups-pdf print queue, exported as one picture per
// record, and mailed one card per record.

#include "InvitationDesign.h"
#include "OutsideReaders.h"
#include "PrintedSheet.h"

#include "core/globals.h"
#include "dataseries/windows/SmallSeriesDialogs.h"
#include "output/BatchExporter.h"
#include "output/ExportWindow.h"
#include "output/Print_Wnd.h"
#include "output/PrinterList.h"
#include "output/core/CardExport.h"
#include "widgets/CardStepper.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <set>
#include <utility>

namespace {

using namespace invitation;

class EndToEnd : public InvitationDesign {
protected:
    // File > Print: the page set up as `setUpPage` does on the page setup
    // panel (the paper made A2 in landscape there), the cards centred five
    // by two, all ten records printed.
    void printTenUp(const std::function<void(QPrinter&)>& setUpPage,
                    const QString& printer = QString(), const QStringList& messages = {}) {
        expectDialog<Print_Wnd>([&](Print_Wnd& window) {
            // The design has records: both batch boxes ticked, ten cards.
            EXPECT_TRUE(child<QCheckBox>(window, "print_with_batch_chk")->isChecked());
            EXPECT_TRUE(child<QCheckBox>(window, "print_with_excel_chk")->isChecked());
            EXPECT_EQ(child<CardStepper>(window, "Total_Stepper")->intValue(), 10);
            if (!printer.isEmpty()) {
                choose(child<QComboBox>(window, "Printer_ComboBox"), printer);
            }
            expectDialog(QStringLiteral("QPageSetupDialog"), [&](QDialog& panel) {
                QPrinter* device = static_cast<QPageSetupDialog&>(panel).printer();
                setUpPage(*device);
                device->setPageSize(QPageSize(QPageSize::A2));
                device->setPageOrientation(QPageLayout::Landscape);
                return 1;
            });
            click(child<QPushButton>(window, "pageSetupButton"));
            click(child<QCheckBox>(window, "Auto_Center_chk_bx"));
            type(child<QLineEdit>(window, "Row_Text"), QString::number(printedsheet::kRows));
            confirm(child<QLineEdit>(window, "Row_Text"));
            type(child<QLineEdit>(window, "Col_Text"), QString::number(printedsheet::kColumns));
            confirm(child<QLineEdit>(window, "Col_Text"));
            EXPECT_EQ(child<CardStepper>(window, "Row_Stepper")->intValue(), printedsheet::kRows);
            EXPECT_EQ(child<CardStepper>(window, "Col_Stepper")->intValue(),
                      printedsheet::kColumns);
            EXPECT_EQ(child<CardStepper>(window, "Total_Stepper")->intValue(), 10);
            click(child<QPushButton>(window, "printButton"));
            click(child<QPushButton>(window, "cancelButton"));
            return window.result();
        });
        trigger("Print_action");
        EXPECT_EQ(takeDialogs(),
                  (QStringList{QStringLiteral("Print_Wnd"), QStringLiteral("QPageSetupDialog")}));
        EXPECT_EQ(takeMessages(), messages);
        // After the run the design shows its first record again.
        EXPECT_EQ(Card_Value_In_Process, 0);
        for (const auto& text : frontObjects(QStringLiteral("SKTText"))) {
            if (text->data_source_type == 1) {
                EXPECT_EQ(text->Text_contents().string().trimmed(), kTickets.first());
            } else if (text->data_source_type == 2) {
                EXPECT_EQ(text->Text_contents().string().trimmed(), kGuests.first());
            }
        }
    }
};

// The poppler and barcode tools every sheet check needs.
#define REQUIRE_SHEET_TOOLS()                                                                      \
    CARD_REQUIRE_TOOL(pdfinfo_, "pdfinfo");                                                        \
    CARD_REQUIRE_TOOL(pdftoppm_, "pdftoppm");                                                      \
    CARD_REQUIRE_TOOL(pdftotext_, "pdftotext");                                                    \
    CARD_REQUIRE_TOOL(zbarimg_, "zbarimg");                                                        \
    CARD_REQUIRE_TOOL(zxing_, "ZXingReader")

TEST_F(EndToEnd, ANewUserDesignsSavesAndOpensTheInvitationAgain) {
    ASSERT_NO_FATAL_FAILURE(buildSaveAndReopen());
}

TEST_F(EndToEnd, TheInvitationsArePrintedTenToASheetIntoAPdfFile) {
    REQUIRE_SHEET_TOOLS();
    ASSERT_NO_FATAL_FAILURE(buildSaveAndReopen());
    const QString pdf = homeFile(QStringLiteral("invitations.pdf"));
    ASSERT_NO_FATAL_FAILURE(printTenUp([&](QPrinter& device) {
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(pdf);
    }));
    ASSERT_TRUE(QFileInfo(pdf).isFile());
    printedsheet::checkSheet(pdf, home());
}

TEST_F(EndToEnd, APrintThatCannotBeWrittenIsSaidSo) {
    ASSERT_NO_FATAL_FAILURE(buildSaveAndReopen());
    // The file's folder does not exist: the printer cannot be opened.
    const QString pdf = homeFile(QStringLiteral("missing/invitations.pdf"));
    ASSERT_NO_FATAL_FAILURE(printTenUp(
        [&](QPrinter& device) {
            device.setOutputFormat(QPrinter::PdfFormat);
            device.setOutputFileName(pdf);
        },
        QString(),
        {QStringLiteral("The cards could not be printed. Please check the printer and try "
                        "again.")}));
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

// The queue whose device is cups-pdf, from `lpstat -v`; empty when none.
QString cupsPdfQueue() {
    const QString lpstat = testsupport::findTool(QStringLiteral("lpstat"));
    if (lpstat.isEmpty()) {
        return {};
    }
    const auto result = testsupport::runProcess(lpstat, {QStringLiteral("-v")}, {}, 10000);
    const QRegularExpression line(QStringLiteral("device for (\\S+): cups-pdf:"));
    const auto match = line.match(QString::fromUtf8(result.out));
    return match.hasMatch() ? match.captured(1) : QString();
}

// Where cups-pdf writes: the folder CARD_CUPS_PDF_OUT names (.ci/run sets
// it), else the "Out" setting of its configuration with ${HOME} as the
// user's home.
QString cupsPdfFolder() {
    const QString given = qEnvironmentVariable("CARD_CUPS_PDF_OUT");
    if (!given.isEmpty()) {
        return given;
    }
    QFile config(QStringLiteral("/etc/cups/cups-pdf.conf"));
    QString folder = QStringLiteral("${HOME}/PDF");
    if (config.open(QIODevice::ReadOnly)) {
        const QRegularExpression out(QStringLiteral("^\\s*Out\\s+(\\S+)"),
                                     QRegularExpression::MultilineOption);
        const auto match = out.match(QString::fromUtf8(config.readAll()));
        if (match.hasMatch()) {
            folder = match.captured(1);
        }
    }
    folder.replace(QStringLiteral("${HOME}"), QDir::homePath());
    folder.replace(QStringLiteral("${USER}"), qEnvironmentVariable("USER"));
    return folder;
}

TEST_F(EndToEnd, TheInvitationsArePrintedTenToASheetOnTheCupsPdfQueue) {
    REQUIRE_SHEET_TOOLS();
    const QString queue = cupsPdfQueue();
    if (queue.isEmpty()) {
        GTEST_SKIP() << "no cups-pdf print queue (lpstat -v lists none; .ci/run starts cupsd "
                        "with one)";
    }
    const QString folder = cupsPdfFolder();
    // The PDF files there before, with their times: the new job is a file
    // not among them (cups-pdf may reuse a name), whatever the clock says.
    const auto pdfFiles = [&folder] {
        std::set<std::pair<QString, qint64>> files;
        QDirIterator it(folder, {QStringLiteral("*.pdf")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.emplace(path, it.fileInfo().lastModified().toMSecsSinceEpoch());
        }
        return files;
    };
    const auto before = pdfFiles();
    ASSERT_NO_FATAL_FAILURE(buildSaveAndReopen());
    output::printerLister.set({}); // the print system's own printers
    // The queue's own device, not a file.
    ASSERT_NO_FATAL_FAILURE(printTenUp(
        [](QPrinter& device) {
            device.setOutputFileName(QString());
            device.setOutputFormat(QPrinter::NativeFormat);
        },
        queue));
    // cups-pdf writes the job into its folder a moment later.
    QString pdf;
    const bool written = waitFor([&] {
        for (const auto& file : pdfFiles()) {
            if (!before.count(file) && QFileInfo(file.first).size() > 0) {
                pdf = file.first;
                return true;
            }
        }
        return false;
    });
    ASSERT_TRUE(written) << "no new PDF file in " << folder.toStdString();
    // Let cups-pdf finish the file.
    qint64 size = -1;
    waitFor([&] {
        const qint64 now = QFileInfo(pdf).size();
        const bool steady = now == size;
        size = now;
        QTest::qWait(300);
        return steady;
    });
    // Text survives the queue only when its PDF still has real fonts.
    const QString pdffonts = testsupport::findTool(QStringLiteral("pdffonts"));
    const QString fonts = pdffonts.isEmpty()
                              ? QString()
                              : QString::fromUtf8(testsupport::runProcess(pdffonts, {pdf}).out);
    printedsheet::checkSheet(pdf, home(), !fonts.contains(QStringLiteral("Type 3")));
    QFile::remove(pdf);
}

TEST_F(EndToEnd, EachRecordIsExportedAsAPictureAt300DpiOnTheWorker) {
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    CARD_REQUIRE_TOOL(zxing, "ZXingReader");
    ASSERT_NO_FATAL_FAILURE(buildSaveAndReopen());
    const QString folder = homeFile(QStringLiteral("exports"));
    ASSERT_TRUE(QDir().mkpath(folder));

    // File > Export: PNG at 300 dpi, the front, every record; then the
    // folder on the open panel. The run goes on the worker; at its end the
    // program offers to open what it wrote.
    expectDialog<ExportWindow>([&](ExportWindow& window) {
        choose(child<QComboBox>(window, "fileFormatPopup"), QStringLiteral("png"));
        choose(child<QComboBox>(window, "saveDPIText"), QStringLiteral("300"));
        click(child<QRadioButton>(window, "exportFront"));
        EXPECT_TRUE(child<QCheckBox>(window, "Export_with_batch_chk")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(window, "Export_with_excel_chk")->isChecked());
        click(child<QPushButton>(window, "exportOkayButton"));
        return window.result();
    });
    expectOpenPanel({folder});
    QString offered;
    expectDialog<Open_Export_Log>([&](Open_Export_Log& prompt) {
        offered = Export_File_Message;
        prompt.CancelPressed();
        return prompt.result();
    });
    bool finished = false;
    bool allWritten = false;
    BatchExporter* exporter = BatchExporter::defaultInstance();
    QObject::connect(exporter, &BatchExporter::runFinished, exporter, [&](bool all) {
        finished = true;
        allWritten = all;
    });
    trigger("Export_action");
    ASSERT_TRUE(waitFor([&] { return finished; }));
    EXPECT_TRUE(allWritten);
    EXPECT_EQ(takeDialogs(),
              (QStringList{QStringLiteral("ExportWindow"), QStringLiteral("Open_Export_Log")}));
    EXPECT_EQ(takeMessages(), QStringList());
    EXPECT_EQ(offered, kExportSuccessMessage);
    // The design shows its first record again.
    EXPECT_EQ(Card_Value_In_Process, 0);

    // One PNG file per record in the run's folder inside the chosen one,
    // Card_1 for the first record on.
    const QStringList runs = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(runs.size(), 1);
    const QDir run(QDir(folder).filePath(runs.first()));
    EXPECT_EQ(run.entryList(QDir::Files).size(), kTickets.size());
    // The card at 300 dpi, in pixels.
    const QSize expected(qRound(kCardWidthMm / 25.4 * 300), qRound(kCardHeightMm / 25.4 * 300));
    for (int k = 0; k < kTickets.size(); ++k) {
        SCOPED_TRACE("record " + std::to_string(k));
        const QString file = run.filePath(QStringLiteral("Card_%1.png").arg(k + 1));
        ASSERT_TRUE(QFileInfo(file).isFile());
        EXPECT_EQ(outside::sniffImageFormat(file), QStringLiteral("png"));
        const QImage picture(file);
        EXPECT_NEAR(picture.width(), expected.width(), 1);
        EXPECT_NEAR(picture.height(), expected.height(), 1);
        const QList<outside::Symbol> symbols = outside::zbarSymbols(zbarimg, file);
        EXPECT_TRUE(symbols.contains(outside::Symbol{QStringLiteral("CODE-128"), kTickets[k]}));
        EXPECT_TRUE(symbols.contains(outside::Symbol{QStringLiteral("QR-Code"), kTickets[k]}));
        EXPECT_EQ(outside::zxingSymbol(zxing, file, QStringLiteral("Code128")), kTickets[k]);
        EXPECT_EQ(outside::zxingSymbol(zxing, file, QStringLiteral("QRCode")), kTickets[k]);
    }
}

} // namespace
