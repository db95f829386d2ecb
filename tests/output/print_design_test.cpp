// Printing a real design: records bound to a series printed through the
// print dialog into a PDF file, their texts found in slot order; and a print
// spooled to a real cups-pdf queue (set up by .ci/run), found in the queue's
// folder with the expected pages.
#include "../binding/BindingFixture.h"
#include "OutputWindowsSupport.h"
#include "PrintQueue.h"
#include "core/globals.h"
#include "mainwindow/controller/ControllerOutputHost.h"
#include "output/Print_Wnd.h"
#include "output/PrinterList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

namespace {

void typeInto(QLineEdit* field, const QString& text) {
    ASSERT_NE(field, nullptr);
    field->selectAll();
    field->del();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

QLineEdit* field(QWidget& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}

void press(QWidget& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Runs the dialog's opening with `inside` in place of its modal run.
void openWith(Print_Wnd& dialog, const std::function<void(Print_Wnd&)>& inside) {
    QCoreApplication::processEvents();
    hooks::setModalRunner([&](QDialog& running) {
        if (&running == &dialog) {
            dialog.show();
            inside(dialog);
        }
        return 0;
    });
    ASSERT_TRUE(dialog.Open_Print_Wnd());
}

QString pdfInfo(const QString& pdfinfo, const QString& path) {
    return QString::fromUtf8(testsupport::runProcess(pdfinfo, {path}).out);
}

class DesignPrintTest : public BindingFixture {
protected:
    void SetUp() override {
        BindingFixture::SetUp();
        QStringList values;
        for (int i = 1; i <= 8; ++i) {
            values << QStringLiteral("R%1").arg(i, 2, 10, QLatin1Char('0'));
        }
        series(QStringLiteral("names"), values);
        text = boundText(0, 1, QStringLiteral("names"));
        host = std::make_unique<ControllerOutputHost>(*m_controller);
        OutputHost::setCurrent(host.get());
    }
    void TearDown() override {
        OutputHost::setCurrent(nullptr);
        host.reset();
        output::printerLister.set({});
        BindingFixture::TearDown();
    }

    std::unique_ptr<ControllerOutputHost> host;
    std::shared_ptr<SKTText> text;
};

TEST_F(DesignPrintTest, BoundTextsInSlotOrderAcrossSheets) {
    CARD_REQUIRE_TOOL(pdftotext, "pdftotext");
    output::printerLister.set([] { return QStringList{QStringLiteral("Test Printer")}; });
    const QString pdf = m_temp.filePath(QStringLiteral("records.pdf"));
    Print_Wnd dialog;
    Card_Front_Or_Back = 1;
    openWith(dialog, [&](Print_Wnd& d) {
        d.printInfo()->setOutputFormat(QPrinter::PdfFormat);
        d.printInfo()->setOutputFileName(pdf);
        d.printInfo()->setPageSize(QPageSize(QPageSize::A4));
        d.printInfo()->setPageOrientation(QPageLayout::Portrait);
        d.Set_values_From_Printer();
        // The batch box is ticked and the total is the record count.
        EXPECT_TRUE(d.findChild<QCheckBox*>(QStringLiteral("print_with_batch_chk"))->isChecked());
        EXPECT_EQ(field(d, "Total_Text")->text(), QStringLiteral("8"));
        // 120 mm cards: two rows of one on A4, so four sheets.
        typeInto(field(d, "Row_Text"), QStringLiteral("2"));
        EXPECT_EQ(d.layout().Print_Row, 2);
        EXPECT_EQ(d.layout().Print_Col, 1);
        press(d, "printButton");
    });
    // The design shows record 0 and the side in view again.
    EXPECT_EQ(textOf(text), QStringLiteral("R01"));
    EXPECT_EQ(Card_Front_Or_Back.load(), 1);
    EXPECT_EQ(Card_Value_In_Process.load(), 0);

    const auto run =
        testsupport::runProcess(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    ASSERT_EQ(run.exitCode, 0);
    const QString html = QString::fromUtf8(run.out);
    const QStringList pages = html.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1);
    ASSERT_EQ(pages.size(), 4) << html.left(2000).toStdString();
    const double card = 120 * 72 / 25.4;
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
                       "yMax=\"[0-9.]+\">(R\\d\\d)</word>"));
    int found = 0;
    for (int page = 0; page < pages.size(); ++page) {
        for (auto it = word.globalMatch(pages[page]); it.hasNext();) {
            const auto m = it.next();
            const int slot = m.captured(3).mid(1).toInt() - 1;
            SCOPED_TRACE(m.captured(3).toStdString());
            // Record k sits on sheet k / 2, in row k % 2 (top-left alignment).
            EXPECT_EQ(page, slot / 2);
            const double top = (slot % 2) * card;
            EXPECT_GT(m.captured(2).toDouble(), top);
            EXPECT_LT(m.captured(2).toDouble(), top + card);
            EXPECT_LT(m.captured(1).toDouble(), card);
            ++found;
        }
    }
    EXPECT_EQ(found, 8);
}

TEST_F(DesignPrintTest, ASpooledPrintLandsInTheQueueFolder) {
    QString whyNot;
    const QString out = print_queue::folder(&whyNot);
    if (out.isEmpty()) {
        GTEST_SKIP() << whyNot.toStdString();
    }
    CARD_REQUIRE_TOOL(pdfinfo, "pdfinfo");
    output::printerLister.set({});
    const QString title = QStringLiteral("cardqueue%1").arg(QCoreApplication::applicationPid());
    // The job, and so cups-pdf's file, is named after the design file.
    const auto restoreName =
        qScopeGuard([saved = Project_File_Name] { Project_File_Name = saved; });
    Project_File_Name = QStringLiteral("/designs/%1.dcard").arg(title);
    Print_Wnd dialog;
    openWith(dialog, [&](Print_Wnd& d) {
        const int index = d.findChild<QComboBox*>(QStringLiteral("Printer_ComboBox"))
                              ->findText(QStringLiteral("PDF"));
        ASSERT_GE(index, 0);
        d.printInfo()->setPrinterName(QStringLiteral("PDF"));
        d.printInfo()->setPageSize(QPageSize(QPageSize::A4));
        d.printInfo()->setPageOrientation(QPageLayout::Portrait);
        d.Set_values_From_Printer();
        // Five records on sheets of two: three sheets.
        typeInto(field(d, "Row_Text"), QStringLiteral("2"));
        typeInto(field(d, "Total_Text"), QStringLiteral("5"));
        EXPECT_EQ(d.printInfo()->outputFormat(), QPrinter::NativeFormat);
        press(d, "printButton");
    });
    const QString found = print_queue::waitForPdf(out, title);
    ASSERT_FALSE(found.isEmpty()) << "no PDF from the queue in " << out.toStdString();
    const QString info = pdfInfo(pdfinfo, found);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842"))) << info.toStdString();
    QFile::remove(found);
}

} // namespace
