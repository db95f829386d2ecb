// Barcodes bound to series through the program's own print and export
// paths, read back by outside decoders: QR Code, PDF417 and Data Matrix on
// the front, Code 128, EAN-13 and Code 39 on the back, each at the size a
// new object gets and each frame made smaller than its picture. Each side
// of twenty records is printed two by five on A4, and both sides together
// two by two (PDF files, and the front on the cups-pdf queue where one is
// set up); both sides are exported together as PNG at 300 dpi, format and
// resolution chosen in the export window with the keys.
#include "../binding/BindingFixture.h"
#include "PrintQueue.h"
#include "barcodes/designer/core/BarcodeDesigner.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "core/globals.h"
#include "mainwindow/controller/ControllerOutputHost.h"
#include "output/BatchExporter.h"
#include "output/ExportWindow.h"
#include "output/OutputCommands.h"
#include "output/Print_Wnd.h"
#include "output/PrinterList.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <map>

namespace {

constexpr int kRecords = 20;
const QStringList kFront = {QStringLiteral("QR Code"), QStringLiteral("DataMatrix"),
                            QStringLiteral("PDF417")};
const QStringList kBack = {QStringLiteral("EAN-13"), QStringLiteral("Code 128"),
                           QStringLiteral("Code 39")};
// What each decoder calls the symbologies of a side; zbarimg reads no
// PDF417 or Data Matrix.
const QStringList kFrontZxing = {"QRCode", "DataMatrix", "PDF417"};
const QStringList kBackZxing = {"EAN-13", "Code128", "Code39"};
const QStringList kFrontZbar = {"QR-Code"};
const QStringList kBackZbar = {"EAN-13", "CODE-128", "CODE-39"};

// Twelve digits for EAN-13 (which adds its check digit), and a short tag
// for the others so the linear symbols fit a card two by five on A4.
QString valueOf(int record) {
    return QStringLiteral("5901234123%1").arg(record + 1, 2, 10, QLatin1Char('0'));
}
QString tagOf(int record) {
    return QStringLiteral("C%1").arg(record + 1, 2, 10, QLatin1Char('0'));
}

struct Read {
    QString format;
    QString text;
};

// A print of the records: the side button chosen and the grid of slots.
struct Printed {
    const char* button;
    bool front;
    bool back;
    int rows;
    int columns;
};
// Each side two by five on A4; both sides, the front above the back, two
// by two.
const Printed kPrinted[] = {{"sideFront", true, false, 5, 2},
                            {"sideBack", false, true, 5, 2},
                            {"sideBoth", true, true, 2, 2}};

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

// ZXingReader -1 over several files, one run per format (reading every
// format at once trips an assertion of the reader on these sheets): one line
// `file Format "text"` per symbol.
std::map<QString, QList<Read>> zxingRead(const QString& zxing, const QStringList& files,
                                         const QStringList& formats) {
    std::map<QString, QList<Read>> found;
    const QRegularExpression line(QStringLiteral("^(\\S+) (\\S+) \"(.*)\"$"),
                                  QRegularExpression::MultilineOption);
    for (const QString& format : formats) {
        const auto run = testsupport::runProcess(
            zxing, QStringList{QStringLiteral("-1"), QStringLiteral("-format"), format} + files, {},
            300000);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        for (auto it = line.globalMatch(QString::fromUtf8(run.out)); it.hasNext();) {
            const auto m = it.next();
            found[m.captured(1)].append({m.captured(2), m.captured(3)});
        }
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
        if (text == valueOf(k) || text == tagOf(k)) {
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

// Steps a pop-up with the arrow keys to the item of that text.
void choose(QComboBox* popUp, const QString& text) {
    ASSERT_NE(popUp, nullptr);
    const int wanted = popUp->findText(text);
    ASSERT_GE(wanted, 0) << text.toStdString();
    while (popUp->currentIndex() != wanted) {
        const int before = popUp->currentIndex();
        QTest::keyClick(popUp, before < wanted ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_NE(popUp->currentIndex(), before);
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
        QStringList tags;
        for (int k = 0; k < kRecords; ++k) {
            values << valueOf(k);
            tags << tagOf(k);
        }
        series(QStringLiteral("codes"), values);
        series(QStringLiteral("tags"), tags);
        // Each side: the first symbol at the top left, the second to its
        // right (front) or below it (back), the third below (front) or to
        // the right of (back) the second;
        // 12-point gaps. Every frame is 10 x 10 points, smaller than its
        // picture.
        QSizeF card;
        for (int side : {0, 1}) {
            const QStringList& titles = side == 0 ? kFront : kBack;
            std::vector<QSizeF> sizes;
            std::vector<std::shared_ptr<SKTBarcode>> codes;
            for (const QString& title : titles) {
                auto code = place<SKTBarcode>(side, QRectF(0, 0, 10, 10));
                code->barcode_font_index = int(DesignerLists::symbologies().indexOf(title));
                code->linear_or_2d = DesignerLists::isTwoDimensional(title) ? 1 : 0;
                const bool ean = title == QLatin1String("EAN-13");
                bind(*code, 1, ean ? QStringLiteral("codes") : QStringLiteral("tags"));
                sizes.push_back(
                    pictureSize(code, ean ? valueOf(kRecords - 1) : tagOf(kRecords - 1)));
                ASSERT_GT(sizes.back().width(), 10) << title.toStdString();
                ASSERT_GT(sizes.back().height(), 10) << title.toStdString();
                codes.push_back(code);
            }
            constexpr double gap = 12;
            const QPointF first(gap, gap);
            const QPointF second = side == 0 ? QPointF(gap + sizes[0].width() + gap, gap)
                                             : QPointF(gap, gap + sizes[0].height() + gap);
            const QPointF third = side == 0
                                      ? QPointF(second.x(), second.y() + sizes[1].height() + gap)
                                      : QPointF(second.x() + sizes[1].width() + gap, second.y());
            const QPointF corners[] = {first, second, third};
            for (std::size_t i = 0; i < 3; ++i) {
                codes[i]->_bounds.moveTopLeft(corners[i]);
                m_symbols[side].push_back(
                    QRectF(corners[i], sizes[i]).adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2));
                card = card.expandedTo(QSizeF(corners[i].x() + sizes[i].width() + gap,
                                              corners[i].y() + sizes[i].height() + gap));
            }
        }
        // Two by five on A4.
        ASSERT_LE(card.width() * 2, 595) << card.width();
        ASSERT_LE(card.height() * 5, 842) << card.height();
        const QSizeF mm(std::ceil(card.width() * 25.4 / 72), std::ceil(card.height() * 25.4 / 72));
        m_card = mm * (72 / 25.4);
        m_controller->Set_Card_Size_In_Control(mm);
        m_controller->Set_Document_Size(
            QSizeF(SKTWindowController::MM_to_Points_Convert(float(mm.width())),
                   SKTWindowController::MM_to_Points_Convert(float(mm.height()))));
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

    // The picture a new barcode of these settings gets for the value.
    static QSizeF pictureSize(const std::shared_ptr<SKTBarcode>& code, const QString& value) {
        BarcodeDesigner designer;
        designer.Set_Barcode_Prop_To_Control(code);
        return designer.Get_Image_From_Val(value, code->header_val, code->footer_val).size();
    }

    // File > Print: the sides ("sideFront", "sideBack" or "sideBoth", the
    // front above the back) in a grid of that many rows and columns centred
    // on A4.
    void print(const Printed& sides, const std::function<void(QPrinter&)>& setUp) {
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
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(QString::fromLatin1(sides.button)),
                              Qt::LeftButton, {}, QPoint(6, 6));
            QTest::mouseClick(
                dialog.findChild<QAbstractButton*>(QStringLiteral("Auto_Center_chk_bx")),
                Qt::LeftButton, {}, QPoint(6, 6));
            for (const auto& [name, count] :
                 {std::pair{"Row_Text", sides.rows}, {"Col_Text", sides.columns}}) {
                auto* field = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
                field->selectAll();
                field->del();
                QTest::keyClicks(field, QString::number(count));
                QTest::keyClick(field, Qt::Key_Return);
            }
            EXPECT_EQ(dialog.layout().Print_Row, sides.rows);
            EXPECT_EQ(dialog.layout().Print_Col, sides.columns);
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("printButton")),
                              Qt::LeftButton);
            return 0;
        });
        ASSERT_TRUE(dialog.Open_Print_Wnd());
    }

    // Every slot of every page, rastered at each resolution, holds the
    // printed sides' symbols of one record, the records in slot order.
    void checkPrint(const QString& pdf, const Printed& sides, const QList<int>& resolutions) {
        const QString pdftoppm = testsupport::findTool(QStringLiteral("pdftoppm"));
        const QString zbarimg = testsupport::findTool(QStringLiteral("zbarimg"));
        const QString zxing = testsupport::findTool(QStringLiteral("ZXingReader"));
        const int perSheet = sides.rows * sides.columns;
        for (int dpi : resolutions) {
            SCOPED_TRACE(dpi);
            const QString base = m_temp.filePath(QStringLiteral("page%1").arg(dpi));
            const auto run = testsupport::runProcess(
                pdftoppm,
                {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, base}, {},
                300000);
            ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
            QStringList slotFiles;
            QStringList cut[2];
            for (int page = 0; page * perSheet < kRecords; ++page) {
                const QImage sheet(QStringLiteral("%1-%2.png").arg(base).arg(page + 1));
                ASSERT_FALSE(sheet.isNull()) << "page " << page + 1;
                // Centred slots lie inside the page's own grid.
                const int w = sheet.width() / sides.columns;
                const int h = sheet.height() / sides.rows;
                for (int slot = 0; slot < perSheet && page * perSheet + slot < kRecords; ++slot) {
                    const QString file =
                        QStringLiteral("%1-slot%2.png").arg(base).arg(page * perSheet + slot);
                    const QImage slotImage =
                        sheet.copy(slot % sides.columns * w, slot / sides.columns * h, w, h);
                    ASSERT_TRUE(slotImage.save(file));
                    slotFiles << file;
                    const QImage cards = cardIn(slotImage, dpi, sides.front && sides.back ? 2 : 1);
                    const int cardHeight = cards.height() / (sides.front && sides.back ? 2 : 1);
                    int at = 0;
                    for (int side : {0, 1}) {
                        if (side == 0 ? sides.front : sides.back) {
                            cut[side] << cutSymbols(cards.copy(0, at, cards.width(), cardHeight),
                                                    side, file + QString::number(side));
                            at += cardHeight;
                        }
                    }
                }
            }
            ASSERT_EQ(slotFiles.size(), kRecords);
            if (sides.front) {
                expectCutSymbols(zxing, cut[0], kFrontZxing);
            }
            if (sides.back) {
                expectCutSymbols(zxing, cut[1], kBackZxing);
            }
            const QStringList zbarNames = (sides.front ? kFrontZbar : QStringList()) +
                                          (sides.back ? kBackZbar : QStringList());
            for (int k = 0; k < slotFiles.size(); ++k) {
                SCOPED_TRACE("slot of record " + std::to_string(k + 1));
                expectSymbols(zbarRead(zbarimg, slotFiles[k]), zbarNames, k, "zbarimg");
            }
        }
    }

    // ZXingReader finds a small Data Matrix only near the middle of a
    // picture, so each symbol is read from its own area of the card: the
    // card side's picture is cut into the three areas the symbols were
    // placed in (files `base`-0..2).
    QStringList cutSymbols(const QImage& side, int sideIndex, const QString& base) const {
        QStringList files;
        const double scale = side.width() / m_card.width();
        for (int i = 0; i < 3; ++i) {
            const QRectF area = m_symbols[sideIndex][std::size_t(i)];
            const QRect pixels(QPoint(qRound(area.left() * scale), qRound(area.top() * scale)),
                               QPoint(qRound(area.right() * scale), qRound(area.bottom() * scale)));
            files << QStringLiteral("%1-%2.png").arg(base).arg(i);
            EXPECT_TRUE(side.copy(pixels).save(files.back()));
        }
        return files;
    }

    // The cards inside a slot of a printed sheet (one, or the front above
    // the back): the box of their borders.
    QImage cardIn(const QImage& slot, double dpi, int cards) const {
        QRect box;
        for (int y = 0; y < slot.height(); ++y) {
            for (int x = 0; x < slot.width(); ++x) {
                if (qGray(slot.pixel(x, y)) < 128) {
                    box = box.united(QRect(x, y, 1, 1));
                }
            }
        }
        EXPECT_NEAR(box.width(), m_card.width() * dpi / 72, 3);
        EXPECT_NEAR(box.height(), cards * m_card.height() * dpi / 72, 3);
        return slot.copy(box);
    }

    // Every file of `cut` (record k's symbol i at index 3k + i) holds the
    // symbol of `formats`[i] with record k's value.
    static void expectCutSymbols(const QString& zxing, const QStringList& cut,
                                 const QStringList& formats) {
        for (int i = 0; i < 3; ++i) {
            QStringList files;
            for (int k = 0; 3 * k + i < cut.size(); ++k) {
                files << cut[3 * k + i];
            }
            const auto read = zxingRead(zxing, files, {formats[i]});
            for (int k = 0; k < files.size(); ++k) {
                SCOPED_TRACE("record " + std::to_string(k + 1));
                const auto found = read.find(files[k]);
                expectSymbols(found == read.end() ? QList<Read>() : found->second, {formats[i]}, k,
                              "ZXingReader");
            }
        }
    }

    std::unique_ptr<ControllerOutputHost> host;
    std::vector<QRectF> m_symbols[2]; // per side, the area of each symbol
    QSizeF m_card;                    // points
};

#define REQUIRE_PRINT_TOOLS()                                                                      \
    CARD_REQUIRE_TOOL(pdftoppm_, "pdftoppm");                                                      \
    CARD_REQUIRE_TOOL(pdfimages_, "pdfimages");                                                    \
    CARD_REQUIRE_TOOL(zbarimg_, "zbarimg");                                                        \
    CARD_REQUIRE_TOOL(zxing_, "ZXingReader")

TEST_F(BarcodeOutputTest, PrintedEachSideAndBothSidesEverySlotScans) {
    REQUIRE_PRINT_TOOLS();
    output::printerLister.set([] { return QStringList{QStringLiteral("Test Printer")}; });
    for (const Printed& sides : kPrinted) {
        SCOPED_TRACE(sides.button);
        const QString pdf = m_temp.filePath(QString::fromLatin1(sides.button) + ".pdf");
        ASSERT_NO_FATAL_FAILURE(print(sides, [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
        }));
        ASSERT_TRUE(QFileInfo(pdf).isFile());
        // Symbols are vectors: the sheets hold no picture at all.
        const auto images = testsupport::runProcess(pdfimages_, {QStringLiteral("-list"), pdf});
        EXPECT_EQ(images.out.count("image"), 0) << images.out.toStdString();
        checkPrint(pdf, sides, {300, 150});
    }
}

TEST_F(BarcodeOutputTest, SpooledToTheCupsPdfQueueEverySlotScans) {
    QString whyNot;
    const QString out = print_queue::folder(&whyNot);
    if (out.isEmpty()) {
        GTEST_SKIP() << whyNot.toStdString();
    }
    REQUIRE_PRINT_TOOLS();
    output::printerLister.set({});
    const QString title = QStringLiteral("cardcodes%1").arg(QCoreApplication::applicationPid());
    // The job, and so cups-pdf's file, is named after the design file.
    const auto restoreName =
        qScopeGuard([saved = Project_File_Name] { Project_File_Name = saved; });
    Project_File_Name = QStringLiteral("/designs/%1.dcard").arg(title);
    // The front: the 2D symbols a printer's image resampling would blur.
    ASSERT_NO_FATAL_FAILURE(print(
        kPrinted[0], [&](QPrinter& printer) { printer.setPrinterName(QStringLiteral("PDF")); }));
    const QString found = print_queue::waitForPdf(out, title);
    ASSERT_FALSE(found.isEmpty()) << "no PDF from the queue in " << out.toStdString();
    checkPrint(found, kPrinted[0], {300});
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
        choose(window->findChild<QComboBox*>(QStringLiteral("fileFormatPopup")),
               QStringLiteral("png"));
        choose(window->findChild<QComboBox*>(QStringLiteral("saveDPIText")), QStringLiteral("300"));
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
    // Each file: the front above the back at 300 dpi.
    const QDir run = QFileInfo(files.first()).dir();
    QStringList frontCut;
    QStringList backCut;
    for (int k = 0; k < kRecords; ++k) {
        SCOPED_TRACE("record " + std::to_string(k + 1));
        const QString file = run.filePath(QStringLiteral("Card_%1.png").arg(k + 1));
        const QImage image(file);
        EXPECT_NEAR(image.width(), m_card.width() * 300 / 72, 1);
        EXPECT_NEAR(image.height(), 2 * m_card.height() * 300 / 72, 2);
        const int h = image.height() / 2;
        frontCut << cutSymbols(image.copy(0, 0, image.width(), h), 0,
                               m_temp.filePath(QStringLiteral("front%1").arg(k)));
        backCut << cutSymbols(image.copy(0, h, image.width(), h), 1,
                              m_temp.filePath(QStringLiteral("back%1").arg(k)));
        expectSymbols(zbarRead(zbarimg, file), kFrontZbar + kBackZbar, k, "zbarimg");
    }
    expectCutSymbols(zxing, frontCut, kFrontZxing);
    expectCutSymbols(zxing, backCut, kBackZxing);
}

} // namespace
