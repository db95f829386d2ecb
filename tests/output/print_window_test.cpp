// The print dialog offscreen: its opening on a design, the layout rules
// reached through its controls, the preview, bad input, the questions
// before printing and a print into a PDF file.
#include "FakeCards.h"
#include "OutputWindowsSupport.h"
#include "common/TestSupport.h"
#include "core/globals.h"
#include "output/OutputCommands.h"
#include "output/PrintPreviewWindow.h"
#include "output/Print_Wnd.h"
#include "output/Sample_Preview.h"
#include "widgets/CardStepper.h"
#include "widgets/RadioMatrix.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The alerts' texts without the line break the message functions put first.
QStringList shownTexts(const testsupport::ScriptedAlerts& alerts) {
    QStringList texts;
    for (const QString& text : alerts.texts()) {
        texts << text.trimmed();
    }
    return texts;
}

// Clicks a button where its indicator is (a wide check box does not take
// clicks in its empty middle).
void clickButton(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

template <typename T> T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Types a value into a field and confirms it, as a user would.
void typeInto(QLineEdit* field, const QString& text) {
    field->selectAll();
    field->del();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

double stepperValue(QWidget& dialog, const char* name) {
    return child<CardStepper>(dialog, name)->doubleValue();
}

// Opens the dialog, runs `inside` while it is "modal", and answers 0.
void openWith(OutputWindowsEnvironment& env, Print_Wnd& dialog,
              const std::function<void(Print_Wnd&)>& inside) {
    // The radio matrices wire their cells once the event loop has run.
    QCoreApplication::processEvents();
    env.setRunner([&](QDialog& running) {
        if (&running == &dialog) {
            dialog.show();
            inside(dialog);
        }
        return 0;
    });
    ASSERT_TRUE(dialog.Open_Print_Wnd());
}

// A4 and a PDF file, so printing needs no print server.
void printToPdf(Print_Wnd& dialog, const QString& path) {
    dialog.printInfo()->setOutputFormat(QPrinter::PdfFormat);
    dialog.printInfo()->setOutputFileName(path);
    dialog.printInfo()->setPageSize(QPageSize(QPageSize::A4));
    dialog.printInfo()->setPageOrientation(QPageLayout::Portrait);
    dialog.Set_values_From_Printer();
}

int inkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
        }
    }
    return count;
}

TEST(PrintWindow, OpensOnTheDesign) {
    OutputWindowsEnvironment env;
    Print_Wnd dialog;
    dialog.printInfo()->setPageSize(QPageSize(QPageSize::A4));
    openWith(env, dialog, [](Print_Wnd& d) {
        EXPECT_NEAR(stepperValue(d, "width_Stepper"), 85.6, 0.01);
        EXPECT_NEAR(stepperValue(d, "height_Stepper"), 54.0, 0.01);
        EXPECT_EQ(child<RadioMatrix>(d, "matrix_card_side")->selectedRow(), 1);
        EXPECT_EQ(stepperValue(d, "Row_Stepper"), 1);
        EXPECT_EQ(stepperValue(d, "Col_Stepper"), 1);
        EXPECT_EQ(stepperValue(d, "horz_mar_Stepper"), 0);
        EXPECT_EQ(stepperValue(d, "Total_Stepper"), 1);
        EXPECT_EQ(d.layout().label_align_val, 1);
        EXPECT_FALSE(d.alignmentIcon(1, true).isNull());
        EXPECT_EQ(child<QToolButton>(d, "top_left_btn")->icon().cacheKey(),
                  d.alignmentIcon(1, true).cacheKey());
        EXPECT_EQ(child<QToolButton>(d, "top_center_btn")->icon().cacheKey(),
                  d.alignmentIcon(2, false).cacheKey());
        EXPECT_EQ(child<QComboBox>(d, "Printer_ComboBox")->currentText(),
                  QStringLiteral("Test Printer"));
        // One slot, "Card 1", at the top-left corner of the printable area.
        const QImage snapshot = d.lastSnapshot();
        ASSERT_FALSE(snapshot.isNull());
        EXPECT_GT(inkPixels(snapshot, QRect(0, 0, 243, 154)), 30);
        EXPECT_EQ(inkPixels(snapshot, QRect(250, 160, 300, 600)), 0);
        saveScreenshot(d, QStringLiteral("print_window"));
    });
}

TEST(PrintWindow, AutoCentreAndGridSetTheTotal) {
    OutputWindowsEnvironment env;
    Print_Wnd dialog;
    dialog.printInfo()->setPageSize(QPageSize(QPageSize::A4));
    openWith(env, dialog, [](Print_Wnd& d) {
        clickButton(child<QCheckBox>(d, "Auto_Center_chk_bx"));
        EXPECT_TRUE(d.layout().auto_center_flag);
        EXPECT_FALSE(child<CardStepper>(d, "horz_mar_Stepper")->isEnabled());
        EXPECT_FALSE(child<CardStepper>(d, "vert_mar_Stepper")->isEnabled());
        EXPECT_FALSE(child<QGroupBox>(d, "align_Gp_Bx")->isEnabled());
        typeInto(child<QLineEdit>(d, "Row_Text"), QStringLiteral("3"));
        typeInto(child<QLineEdit>(d, "Col_Text"), QStringLiteral("2"));
        EXPECT_EQ(d.layout().Print_Row, 3);
        EXPECT_EQ(d.layout().Print_Col, 2);
        EXPECT_EQ(stepperValue(d, "Total_Stepper"), 6);
        EXPECT_EQ(child<QLineEdit>(d, "Total_Text")->text(), QStringLiteral("6"));
        // Equal gaps: (595 - 2 x 242.646) / 3 and (842 - 3 x 153.071) / 4.
        EXPECT_NEAR(d.layout().horz_mar, 36.570, 0.01);
        EXPECT_NEAR(d.layout().vert_mar, 95.697, 0.01);
        saveScreenshot(d, QStringLiteral("print_window_auto_centre"));
        clickButton(child<QCheckBox>(d, "Auto_Center_chk_bx"));
        EXPECT_TRUE(child<CardStepper>(d, "horz_mar_Stepper")->isEnabled());
        EXPECT_TRUE(child<QGroupBox>(d, "align_Gp_Bx")->isEnabled());
    });
}

TEST(PrintWindow, BothSidesDoubleTheSlotHeight) {
    OutputWindowsEnvironment env;
    Print_Wnd dialog;
    dialog.printInfo()->setPageSize(QPageSize(QPageSize::A4));
    openWith(env, dialog, [](Print_Wnd& d) {
        QRadioButton* both = child<RadioMatrix>(d, "matrix_card_side")->cells().at(0);
        clickButton(both);
        EXPECT_EQ(d.layout().Print_Card_Side, QStringLiteral("BOTH"));
        EXPECT_TRUE(child<QComboBox>(d, "print_alignment")->isEnabled());
        EXPECT_NEAR(d.layout().label_hight, 2 * 153.071, 0.01);
        // "Card 1" in the upper half and "Back 1" in the lower half.
        const QImage snapshot = d.lastSnapshot();
        EXPECT_GT(inkPixels(snapshot, QRect(60, 60, 120, 30)), 20);
        EXPECT_GT(inkPixels(snapshot, QRect(60, 215, 120, 30)), 20);
    });
}

TEST(PrintWindow, ImpossibleValuesCannotBeEntered) {
    OutputWindowsEnvironment env;
    Print_Wnd dialog;
    openWith(env, dialog, [](Print_Wnd& d) {
        struct Case {
            const char* field;
            const char* stepper;
            const char* typed;
            double kept;
        };
        // A count below 1 is not taken; a minus sign cannot be typed at all.
        for (const Case& c :
             {Case{"Row_Text", "Row_Stepper", "0", 1}, Case{"Col_Text", "Col_Stepper", "-2", 2},
              Case{"horz_mar_Text", "horz_mar_Stepper", "-5", 5},
              Case{"Total_Text", "Total_Stepper", "-3", 3}}) {
            SCOPED_TRACE(c.field);
            typeInto(child<QLineEdit>(d, c.field), QString::fromLatin1(c.typed));
            EXPECT_EQ(stepperValue(d, c.stepper), c.kept);
            EXPECT_FALSE(child<QLineEdit>(d, c.field)->text().contains(QLatin1Char('-')));
        }
        // The stepper's arrows stop at the lowest allowed value.
        EXPECT_EQ(child<CardStepper>(d, "Row_Stepper")->minimum(), 1);
        EXPECT_EQ(child<CardStepper>(d, "vert_mar_Stepper")->minimum(), 0);
        EXPECT_EQ(child<CardStepper>(d, "Total_Stepper")->minimum(), 0);
        EXPECT_GE(d.layout().Print_Row, 1);
        EXPECT_GE(d.layout().Print_Col, 1);
    });
}

TEST(PrintWindow, CountFieldsShowTheCountInUse) {
    OutputWindowsEnvironment env;
    Print_Wnd dialog;
    dialog.printInfo()->setPageSize(QPageSize(QPageSize::A4));
    openWith(env, dialog, [](Print_Wnd& d) {
        struct Case {
            const char* field;
            const char* typed;
            const char* shown; // the field after confirming
            int rows;
            int columns;
        };
        // Each row starts from the state the one before it left.
        for (const Case& c : {Case{"Row_Text", "3", "3", 3, 1}, Case{"Row_Text", "0", "1", 1, 1},
                              Case{"Col_Text", "2", "2", 1, 2}, Case{"Col_Text", "00", "1", 1, 1},
                              Case{"Row_Text", "", "1", 1, 1}, Case{"Col_Text", "2", "2", 1, 2},
                              Case{"Col_Text", "", "2", 1, 2}}) {
            SCOPED_TRACE(std::string(c.field) + " " + c.typed);
            auto* field = child<QLineEdit>(d, c.field);
            typeInto(field, QString::fromLatin1(c.typed));
            EXPECT_EQ(field->text(), QString::fromLatin1(c.shown));
            EXPECT_EQ(d.layout().Print_Row, c.rows);
            EXPECT_EQ(d.layout().Print_Col, c.columns);
            EXPECT_EQ(child<QLineEdit>(d, "Total_Text")->text(),
                      QString::number(c.rows * c.columns));
        }
    });
}

TEST(PrintWindow, TheTotalsMaximumFollowsTheBatchBoxes) {
    OutputWindowsEnvironment env;
    env.host.state.Use_Data_Sheet_Values = true;
    env.host.state.Total_Batch_Excel_Card = 5;
    Print_Wnd dialog;
    dialog.printInfo()->setPageSize(QPageSize(QPageSize::A4));
    openWith(env, dialog, [](Print_Wnd& d) {
        auto* total = child<QLineEdit>(d, "Total_Text");
        auto* batch = child<QCheckBox>(d, "print_with_batch_chk");
        EXPECT_EQ(total->text(), QStringLiteral("5"));
        typeInto(total, QStringLiteral("9"));
        EXPECT_EQ(total->text(), QStringLiteral("5")); // no more than the records
        // Without the batch a 3 x 2 sheet is six cards.
        clickButton(batch);
        ASSERT_FALSE(batch->isChecked());
        typeInto(child<QLineEdit>(d, "Row_Text"), QStringLiteral("3"));
        typeInto(child<QLineEdit>(d, "Col_Text"), QStringLiteral("2"));
        EXPECT_EQ(stepperValue(d, "Total_Stepper"), 6);
        EXPECT_EQ(total->text(), QStringLiteral("6"));
        typeInto(total, QStringLiteral("40"));
        EXPECT_EQ(stepperValue(d, "Total_Stepper"), 40);
        // With it again, the records are the most.
        clickButton(batch);
        ASSERT_TRUE(batch->isChecked());
        EXPECT_EQ(total->text(), QStringLiteral("5"));
        typeInto(total, QStringLiteral("40"));
        EXPECT_EQ(stepperValue(d, "Total_Stepper"), 5);
    });
}

TEST(PrintWindow, ReturnInAFieldPressesNoButton) {
    OutputWindowsEnvironment env;
    Print_Wnd dialog;
    int pageSetups = 0;
    openWith(env, dialog, [&](Print_Wnd& d) {
        env.setRunner([&](QDialog&) { return ++pageSetups, 0; });
        typeInto(child<QLineEdit>(d, "Row_Text"), QStringLiteral("2"));
        EXPECT_EQ(d.layout().Print_Row, 2);
    });
    EXPECT_EQ(pageSetups, 0);
}

TEST(PrintWindow, OrientationAndPageSetupReadThePaperAgain) {
    OutputWindowsEnvironment env;
    Print_Wnd dialog;
    dialog.printInfo()->setPageSize(QPageSize(QPageSize::A4));
    dialog.printInfo()->setPageOrientation(QPageLayout::Portrait);
    openWith(env, dialog, [&](Print_Wnd& d) {
        auto* orientation = child<QComboBox>(d, "Orient_ComboBox");
        EXPECT_EQ(orientation->currentIndex(), 0);
        orientation->setCurrentIndex(1);
        emit orientation->activated(1);
        EXPECT_EQ(d.printInfo()->pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_NEAR(d.layout().paperWidth, 842, 0.01);
        EXPECT_NEAR(d.layout().paperHeight, 595, 0.01);
        EXPECT_EQ(child<QLabel>(d, "Size_id")->text(), QStringLiteral("297.04 x 209.90"));

        // Page setup cancelled: nothing changes.
        env.setRunner([](QDialog&) { return 0; });
        clickButton(child<QPushButton>(d, "pageSetupButton"));
        EXPECT_NEAR(d.layout().paperWidth, 842, 0.01);
        // Page setup confirmed with US Letter, portrait.
        env.setRunner([&d](QDialog&) {
            d.printInfo()->setPageSize(QPageSize(QPageSize::Letter));
            d.printInfo()->setPageOrientation(QPageLayout::Portrait);
            return 1;
        });
        clickButton(child<QPushButton>(d, "pageSetupButton"));
        EXPECT_NEAR(d.layout().paperWidth, 612, 0.01);
        EXPECT_NEAR(d.layout().paperHeight, 792, 0.01);
        EXPECT_EQ(orientation->currentIndex(), 0);
    });
}

TEST(PrintWindow, CardTooBigAsksAndNoPrintsNothing) {
    testsupport::ScriptedAlerts alerts({0});
    OutputWindowsEnvironment env;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("none.pdf"));
    Print_Wnd dialog;
    openWith(env, dialog, [&](Print_Wnd& d) {
        printToPdf(d, pdf);
        typeInto(child<QLineEdit>(d, "width_Text"), QStringLiteral("300"));
        clickButton(child<QPushButton>(d, "printButton"));
    });
    ASSERT_EQ(shownTexts(alerts).size(), 1);
    EXPECT_TRUE(shownTexts(alerts).first().startsWith(
        QStringLiteral("'Card Size' is bigger than selected 'Paper Size'")));
    EXPECT_TRUE(
        shownTexts(alerts).first().endsWith(QStringLiteral("\n\nDo you want to continue?")));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(PrintWindow, TotalOfZeroPrintsNothing) {
    testsupport::ScriptedAlerts alerts;
    OutputWindowsEnvironment env;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("zero.pdf"));
    Print_Wnd dialog;
    openWith(env, dialog, [&](Print_Wnd& d) {
        printToPdf(d, pdf);
        typeInto(child<QLineEdit>(d, "Total_Text"), QStringLiteral("0"));
        clickButton(child<QPushButton>(d, "printButton"));
    });
    EXPECT_EQ(shownTexts(alerts), QStringList{QStringLiteral("There is no barcode to print.")});
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(PrintWindow, PrintsSheetsIntoAPdfFile) {
    CARD_REQUIRE_TOOL(pdfinfo, "pdfinfo");
    OutputWindowsEnvironment env;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cards.pdf"));
    Print_Wnd dialog;
    openWith(env, dialog, [&](Print_Wnd& d) {
        printToPdf(d, pdf);
        typeInto(child<QLineEdit>(d, "Row_Text"), QStringLiteral("5"));
        typeInto(child<QLineEdit>(d, "Col_Text"), QStringLiteral("2"));
        typeInto(child<QLineEdit>(d, "Total_Text"), QStringLiteral("25"));
        typeInto(child<QLineEdit>(d, "Copies_Text"), QStringLiteral("3"));
        clickButton(child<QPushButton>(d, "printButton"));
        // The copies go to the spooled print.
        EXPECT_EQ(d.printInfo()->copyCount(), 3);
    });
    const auto info = testsupport::runProcess(pdfinfo, {pdf});
    const QString text = QString::fromUtf8(info.out);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("595 x 842"))) << text.toStdString();
}

// The job is titled after the design's file, or "Untitled" without one;
// a PDF printed from the window carries that title.
TEST(PrintWindow, TheJobIsNamedAfterTheDesignFile) {
    CARD_REQUIRE_TOOL(pdfinfo, "pdfinfo");
    const QString saved = Project_File_Name;
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("/home/ann/cards/Summer party.v2.dcard"),
         QStringLiteral("Summer party.v2")},
        {QString(), QStringLiteral("Untitled")},
    };
    for (const auto& [design, title] : cases) {
        SCOPED_TRACE(title.toStdString());
        Project_File_Name = design;
        OutputWindowsEnvironment env;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
        Print_Wnd dialog;
        openWith(env, dialog, [&](Print_Wnd& d) {
            printToPdf(d, pdf);
            clickButton(child<QPushButton>(d, "printButton"));
        });
        const QString info = QString::fromUtf8(testsupport::runProcess(pdfinfo, {pdf}).out);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+") +
                                                     QRegularExpression::escape(title) +
                                                     QStringLiteral("\\n"))))
            << info.toStdString();
    }
    Project_File_Name = saved;
}

// A batch whose records 2 (it throws) and 4 (no picture) cannot be drawn:
// the others are printed and a message names the two.
TEST(PrintWindow, RecordsThatCannotBeDrawnAreNamed) {
    class BrokenRecords : public FakeOutputHost {
    public:
        std::unique_ptr<CardSource> batchSource(const BatchState&, bool) override {
            const QSizeF card(85.6 * 72 / 25.4, 54.0 * 72 / 25.4);
            std::vector<CardPicture> fronts;
            for (int i = 0; i < 5; ++i) {
                fronts.push_back(i == 3 ? CardPicture()
                                        : fakecards::solid(card, fakecards::recordColour(i)));
            }
            return std::make_unique<fakecards::BatchSource>(
                std::move(fronts), fakecards::solid(card, Qt::gray), QSet<int>{1});
        }
    };
    testsupport::ScriptedAlerts alerts;
    OutputWindowsEnvironment env;
    BrokenRecords host;
    host.state.Use_Data_Sheet_Values = true;
    host.state.Total_Batch_Excel_Card = 5;
    OutputHost::setCurrent(&host);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("records.pdf"));
    Print_Wnd dialog;
    openWith(env, dialog, [&](Print_Wnd& d) {
        printToPdf(d, pdf);
        clickButton(child<QPushButton>(d, "printButton"));
    });
    EXPECT_EQ(shownTexts(alerts), QStringList{QStringLiteral(
                                      "2 records could not be drawn and were not printed: 2, 4.")});
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

TEST(PrintWindow, PreviewShowsAtMostFiftySheets) {
    testsupport::ScriptedAlerts alerts;
    OutputWindowsEnvironment env;
    Print_Wnd dialog;
    int previewPages = -1;
    openWith(env, dialog, [&](Print_Wnd& d) {
        d.printInfo()->setPageSize(QPageSize(QPageSize::A4));
        d.Set_values_From_Printer();
        typeInto(child<QLineEdit>(d, "Total_Text"), QStringLiteral("51"));
        env.setRunner([&](QDialog& running) {
            if (auto* preview = dynamic_cast<PrintPreviewWindow*>(&running)) {
                preview->show();
                preview->previewWidget()->updatePreview();
                previewPages = preview->previewWidget()->pageCount();
                saveScreenshot(*preview, QStringLiteral("print_preview"));
            }
            return 0;
        });
        clickButton(child<QPushButton>(d, "previewButton"));
    });
    EXPECT_EQ(previewPages, 50);
    ASSERT_EQ(shownTexts(alerts).size(), 1);
    EXPECT_TRUE(shownTexts(alerts).first().startsWith(
        QStringLiteral("For Qualitative and Performance reason, previewer shows print previews "
                       "of only first 50 sheets.")));
}

TEST(PrintWindow, ClosingEndsTheRunEveryTime) {
    OutputWindowsEnvironment env;
    Print_Wnd dialog;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        env.setRunner([](QDialog& running) {
            QTimer::singleShot(0, &running, [&running] { running.close(); });
            return running.exec();
        });
        EXPECT_TRUE(dialog.Open_Print_Wnd());
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(PrintCommand, OpensThePrintDialog) {
    testsupport::ScriptedAlerts alerts;
    OutputWindowsEnvironment env;
    int runs = 0;
    env.setRunner([&](QDialog& running) {
        runs += dynamic_cast<Print_Wnd*>(&running) ? 1 : 0;
        return 0;
    });
    output::Open_Print_Wnd();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(shownTexts(alerts).isEmpty());
}

} // namespace
