// Barcodes bound to a series through the program's own print and export
// paths, read back by outside decoders: QR Code, PDF417 and Data Matrix on
// the front, Code 128, EAN-13 and Code 39 on the back, each at the size a
// new object gets and each frame made smaller than its picture. Both sides
// of twenty records are printed two by five on A4 (a PDF file, and the
// cups-pdf queue where one is set up) and exported as PNG at 300 dpi.
#include "../binding/BindingFixture.h"
#include "barcodes/designer/core/BarcodeDesigner.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "mainwindow/controller/ControllerOutputHost.h"
#include "output/BatchExporter.h"
#include "output/ExportWindow.h"
#include "output/OutputCommands.h"
#include "output/Print_Wnd.h"
#include "output/PrinterList.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDirIterator>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <map>

namespace {

constexpr int kRecords = 20;
const QStringList kFront = {QStringLiteral("QR Code"), QStringLiteral("PDF417"),
                            QStringLiteral("DataMatrix")};
const QStringList kBack = {QStringLiteral("Code 128"), QStringLiteral("EAN-13"),
                           QStringLiteral("Code 39")};
// What each decoder calls the six symbologies; zbarimg reads no PDF417 or
// Data Matrix.
const QStringList kZxingNames = {"QRCode", "PDF417", "DataMatrix", "Code128", "EAN-13", "Code39"};
const QStringList kZbarNames = {"QR-Code", "CODE-128", "EAN-13", "CODE-39"};

// Twelve digits, so EAN-13 takes them as they are and adds its check digit.
QString valueOf(int record) {
    return QStringLiteral("5901234123%1").arg(record + 1, 2, 10, QLatin1Char('0'));
}

struct Read {
    QString format;
    QString text;
};

QList<Read> zbarRead(const QString& zbarimg, const QString& png) {
    QList<Read> found;
    const auto run = testsupport::runProcess(zbarimg, {QStringLiteral("-q"), png});
    for (const QByteArray& line : run.out.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) {
            found.append(
                {QString::fromUtf8(line.left(colon)), QString::fromUtf8(line.mid(colon + 1))});
        }
    }
    return found;
}

// ZXingReader -1 over several files: one line `file Format "text"` per symbol.
std::map<QString, QList<Read>> zxingRead(const QString& zxing, const QStringList& files) {
    std::map<QString, QList<Read>> found;
    const auto run =
        testsupport::runProcess(zxing, QStringList{QStringLiteral("-1")} + files, {}, 300000);
    const QRegularExpression line(QStringLiteral("^(\\S+) (\\S+) \"(.*)\"$"),
                                  QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(QString::fromUtf8(run.out)); it.hasNext();) {
        const auto m = it.next();
        found[m.captured(1)].append({m.captured(2), m.captured(3)});
    }
    return found;
}

// The record whose value a symbol holds: EAN-13 answers its check digit
// too. -1 for any other text.
int recordOf(const Read& read) {
    QString text = read.text;
    if (read.format.startsWith(QStringLiteral("EAN")) && text.size() == 13) {
        text.chop(1);
    }
    for (int k = 0; k < kRecords; ++k) {
        if (text == valueOf(k)) {
            return k;
        }
    }
    return -1;
}

// Every symbology of the list read exactly once, all holding `record`.
void expectSymbols(const QList<Read>& reads, const QStringList& names, int record,
                   const char* decoder) {
    for (const QString& name : names) {
        int count = 0;
        for (const Read& read : reads) {
            if (read.format == name) {
                ++count;
                EXPECT_EQ(recordOf(read), record)
                    << decoder << " " << name.toStdString() << " read " << read.text.toStdString();
            }
        }
        EXPECT_EQ(count, 1) << decoder << " " << name.toStdString();
    }
}

class BarcodeOutputTest : public BindingFixture {
protected:
    void SetUp() override {
        BindingFixture::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        QStringList values;
        for (int k = 0; k < kRecords; ++k) {
            values << valueOf(k);
        }
        series(QStringLiteral("codes"), values);
        // Each side stacks its barcodes with 12-point gaps; the card is made
        // as large as the larger side needs.
        QSizeF needed;
        for (int side : {0, 1}) {
            double y = 12;
            double width = 0;
            for (const QString& title : side == 0 ? kFront : kBack) {
                auto code = place<SKTBarcode>(side, QRectF(12, y, 10, 10));
                code->barcode_font_index = int(DesignerLists::symbologies().indexOf(title));
                code->linear_or_2d = DesignerLists::isTwoDimensional(title) ? 1 : 0;
                bind(*code, 1, QStringLiteral("codes"));
                const QSizeF size = pictureSize(code);
                ASSERT_FALSE(size.isEmpty()) << title.toStdString();
                // The frame stays smaller than the picture.
                ASSERT_GT(size.width(), 10);
                ASSERT_GT(size.height(), 10);
                y += size.height() + 12;
                width = std::max(width, size.width() + 24);
            }
            needed = needed.expandedTo(QSizeF(width, y));
        }
        // Two sides beside each other, two by five on A4.
        ASSERT_LE(needed.width() * 4, 595) << needed.width();
        ASSERT_LE(needed.height() * 5, 842) << needed.height();
        const QSizeF mm(std::ceil(needed.width() * 25.4 / 72),
                        std::ceil(needed.height() * 25.4 / 72));
        m_controller->Set_Card_Size_In_Control(mm);
        m_controller->Set_Document_Size(
            QSizeF(SKTWindowController::MM_to_Points_Convert(mm.width()),
                   SKTWindowController::MM_to_Points_Convert(mm.height())));
        host = std::make_unique<ControllerOutputHost>(*m_controller);
        OutputHost::setCurrent(host.get());
    }
    void TearDown() override {
        OutputHost::setCurrent(nullptr);
        host.reset();
        output::printerLister.set({});
        hooks::setOpenPanel({});
        BindingFixture::TearDown();
    }

    // The picture a new barcode of these settings gets for the last record.
    static QSizeF pictureSize(const std::shared_ptr<SKTBarcode>& code) {
        BarcodeDesigner designer;
        designer.Set_Barcode_Prop_To_Control(code);
        return designer
            .Get_Image_From_Val(valueOf(kRecords - 1), code->header_val, code->footer_val)
            .size();
    }

    // File > Print: both sides, two columns of five rows centred on A4.
    void print(const std::function<void(QPrinter&)>& setUp) {
        Print_Wnd dialog;
        QCoreApplication::processEvents();
        hooks::setModalRunner([&](QDialog& running) {
            if (&running != &dialog) {
                return 0;
            }
            dialog.show();
            setUp(*dialog.printInfo());
            dialog.printInfo()->setPageSize(QPageSize(QPageSize::A4));
            dialog.printInfo()->setPageOrientation(QPageLayout::Portrait);
            dialog.Set_values_From_Printer();
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("sideBoth")),
                              Qt::LeftButton, {}, QPoint(6, 6));
            QTest::mouseClick(
                dialog.findChild<QAbstractButton*>(QStringLiteral("Auto_Center_chk_bx")),
                Qt::LeftButton, {}, QPoint(6, 6));
            for (const auto& [name, count] : {std::pair{"Row_Text", "5"}, {"Col_Text", "2"}}) {
                auto* field = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
                field->selectAll();
                field->del();
                QTest::keyClicks(field, QString::fromLatin1(count));
                QTest::keyClick(field, Qt::Key_Return);
            }
            EXPECT_EQ(dialog.layout().Print_Row, 5);
            EXPECT_EQ(dialog.layout().Print_Col, 2);
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("printButton")),
                              Qt::LeftButton);
            return 0;
        });
        ASSERT_TRUE(dialog.Open_Print_Wnd());
    }

    // Every slot of every page, rastered at each resolution, holds the six
    // symbols of one record, the records in slot order.
    void checkPrint(const QString& pdf, const QList<int>& resolutions) {
        const QString pdftoppm = testsupport::findTool(QStringLiteral("pdftoppm"));
        const QString zbarimg = testsupport::findTool(QStringLiteral("zbarimg"));
        const QString zxing = testsupport::findTool(QStringLiteral("ZXingReader"));
        for (int dpi : resolutions) {
            SCOPED_TRACE(dpi);
            const QString base = m_temp.filePath(QStringLiteral("page%1").arg(dpi));
            const auto run = testsupport::runProcess(
                pdftoppm,
                {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, base}, {},
                300000);
            ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
            QStringList slots;
            for (int page = 0; page < kRecords / 10; ++page) {
                const QImage sheet(QStringLiteral("%1-%2.png").arg(base).arg(page + 1));
                ASSERT_FALSE(sheet.isNull()) << "page " << page + 1;
                // Centred slots lie inside the page's own 2 x 5 grid.
                const int w = sheet.width() / 2;
                const int h = sheet.height() / 5;
                for (int slot = 0; slot < 10; ++slot) {
                    const QString file =
                        QStringLiteral("%1-slot%2.png").arg(base).arg(page * 10 + slot);
                    ASSERT_TRUE(sheet.copy(slot % 2 * w, slot / 2 * h, w, h).save(file));
                    slots << file;
                }
            }
            const auto zx = zxingRead(zxing, slots);
            for (int k = 0; k < slots.size(); ++k) {
                SCOPED_TRACE("slot of record " + std::to_string(k + 1));
                const auto found = zx.find(slots[k]);
                expectSymbols(found == zx.end() ? QList<Read>() : found->second, kZxingNames, k,
                              "ZXingReader");
                expectSymbols(zbarRead(zbarimg, slots[k]), kZbarNames, k, "zbarimg");
            }
        }
    }

    std::unique_ptr<ControllerOutputHost> host;
};

#define REQUIRE_PRINT_TOOLS()                                                                      \
    CARD_REQUIRE_TOOL(pdftoppm_, "pdftoppm");                                                      \
    CARD_REQUIRE_TOOL(pdfimages_, "pdfimages");                                                    \
    CARD_REQUIRE_TOOL(zbarimg_, "zbarimg");                                                        \
    CARD_REQUIRE_TOOL(zxing_, "ZXingReader")

TEST_F(BarcodeOutputTest, PrintedBothSidesEverySlotScans) {
    REQUIRE_PRINT_TOOLS();
    output::printerLister.set([] { return QStringList{QStringLiteral("Test Printer")}; });
    const QString pdf = m_temp.filePath(QStringLiteral("codes.pdf"));
    ASSERT_NO_FATAL_FAILURE(print([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }));
    ASSERT_TRUE(QFileInfo(pdf).isFile());
    // 2D symbols are vectors: the sheet holds no picture at all.
    const auto images = testsupport::runProcess(pdfimages_, {QStringLiteral("-list"), pdf});
    EXPECT_EQ(images.out.split('\n').filter(QByteArray("image")).size(), 0)
        << images.out.toStdString();
    checkPrint(pdf, {300, 150});
}

TEST_F(BarcodeOutputTest, SpooledToTheCupsPdfQueueEverySlotScans) {
    const QString out = qEnvironmentVariable("CARD_CUPS_PDF_OUT");
    if (out.isEmpty()) {
        GTEST_SKIP() << "no cups-pdf print queue set up (.ci/run sets one up and names its folder "
                        "in CARD_CUPS_PDF_OUT)";
    }
    if (QPrinterInfo::printerInfo(QStringLiteral("PDF")).isNull()) {
        GTEST_SKIP() << "the print system lists no queue named PDF";
    }
    REQUIRE_PRINT_TOOLS();
    output::printerLister.set({});
    const QString title = QStringLiteral("cardcodes%1").arg(QCoreApplication::applicationPid());
    ASSERT_NO_FATAL_FAILURE(print([&](QPrinter& printer) {
        printer.setPrinterName(QStringLiteral("PDF"));
        printer.setDocName(title);
    }));
    // cups-pdf names the file after the job's title; it is complete once
    // it stops growing.
    QString found;
    ASSERT_TRUE(waitFor([&] {
        QDirIterator it(out, {title + QStringLiteral("*.pdf")}, QDir::Files,
                        QDirIterator::Subdirectories);
        found = it.hasNext() ? it.next() : QString();
        return !found.isEmpty();
    })) << "no PDF from the queue in "
        << out.toStdString();
    for (qint64 size = -1; QFileInfo(found).size() != size;) {
        size = QFileInfo(found).size();
        QThread::msleep(500);
    }
    checkPrint(found, {300});
    QFile::remove(found);
}

TEST_F(BarcodeOutputTest, ExportedAt300DpiEveryFileScans) {
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    CARD_REQUIRE_TOOL(zxing, "ZXingReader");
    testsupport::ScriptedAlerts alerts;
    ExportWindow::defaultInstance();
    QCoreApplication::processEvents();
    hooks::setModalRunner([](QDialog& dialog) {
        auto* window = dynamic_cast<ExportWindow*>(&dialog);
        if (!window) {
            return 0;
        }
        window->show();
        auto* format = window->findChild<QComboBox*>(QStringLiteral("fileFormatPopup"));
        format->setCurrentIndex(format->findText(QStringLiteral("png")));
        auto* dpi = window->findChild<QComboBox*>(QStringLiteral("saveDPIText"));
        dpi->setCurrentIndex(dpi->findText(QStringLiteral("300")));
        QTest::mouseClick(window->findChild<QAbstractButton*>(QStringLiteral("exportBoth")),
                          Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(
            window->findChild<QAbstractButton*>(QStringLiteral("export_combined_image_chk")),
            Qt::LeftButton, {}, QPoint(6, 6));
        return 1;
    });
    const QString folder = m_temp.filePath(QStringLiteral("exports"));
    ASSERT_TRUE(QDir().mkpath(folder));
    hooks::setOpenPanel([folder](const hooks::OpenPanelRequest&) { return QStringList{folder}; });
    bool finished = false;
    const auto onEnd = QObject::connect(BatchExporter::defaultInstance(),
                                        &BatchExporter::runFinished, [&] { finished = true; });
    output::Export_Button();
    ASSERT_TRUE(waitFor([&] { return finished; }));
    QObject::disconnect(onEnd);
    QStringList files;
    for (QDirIterator it(folder, {QStringLiteral("*.png")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        files << it.next();
    }
    ASSERT_EQ(files.size(), kRecords);
    const auto zx = zxingRead(zxing, files);
    for (int k = 0; k < kRecords; ++k) {
        SCOPED_TRACE("record " + std::to_string(k + 1));
        const QString file =
            QFileInfo(files.first()).dir().filePath(QStringLiteral("Card_%1.png").arg(k + 1));
        const auto found = zx.find(file);
        expectSymbols(found == zx.end() ? QList<Read>() : found->second, kZxingNames, k,
                      "ZXingReader");
        expectSymbols(zbarRead(zbarimg, file), kZbarNames, k, "zbarimg");
    }
}

} // namespace
