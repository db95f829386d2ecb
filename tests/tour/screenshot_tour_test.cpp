// The screenshot tour: every window and dialog of the program, rendered on
// the offscreen platform as it opens, into CARD_SCREENSHOT_DIR when that is
// set (otherwise into a temporary folder), with an index naming each
// picture. Every picture must be the window's size and show more than a
// blank surface.

#include "mainwindow_controller_fixture.h"

#include "barcodes/designer/Barcode_Gen.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/Data_From_Excel.h"
#include "dataseries/windows/Generate_List.h"
#include "dataseries/windows/Import_Excel.h"
#include "dataseries/windows/Import_Excel_DataSheet.h"
#include "dataseries/windows/Import_Wizard.h"
#include "dataseries/windows/SmallSeriesDialogs.h"
#include "dataseries/windows/View_Data_Series.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/view/Grid_Wizard.h"
#include "editor/view/SKTZoomingScrollView.h"
#include "mainwindow/controller/Card_Wizard.h"
#include "mainwindow/controller/ControllerOutputHost.h"
#include "mainwindow/controller/Export_Template.h"
#include "mainwindow/controller/Image_Library.h"
#include "mainwindow/controller/PleaseWait_Modeless.h"
#include "mainwindow/controller/SideCanvases.h"
#include "mainwindow/controller/Start_Card.h"
#include "mainwindow/controller/Template_Wizard.h"
#include "output/Email_Setting.h"
#include "output/ExportWindow.h"
#include "output/Help_Support.h"
#include "output/PrintPreviewWindow.h"
#include "output/Print_Wnd.h"
#include "output/PrinterList.h"
#include "output/Promotion_Form.h"
#include "output/Review_Form.h"
#include "output/Send_Mail.h"
#include "output/Send_Modeless.h"
#include "profiles/Show_User_Profile.h"
#include "profiles/User_profile.h"
#include "widgets/Long_SMS_Dlg.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QTextStream>
#include <QtTest/QTest>
#include <memory>

namespace {

// Distinct colours of the picture, counted up to the limit.
int distinctColours(const QImage& image, int limit) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            seen.insert(image.pixel(x, y));
            if (seen.size() >= limit) {
                return limit;
            }
        }
    }
    return int(seen.size());
}

bool copyFolder(const QString& from, const QString& to) {
    if (!QDir().mkpath(to)) {
        return false;
    }
    const QDir source(from);
    for (const QFileInfo& entry :
         source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir() ? !copyFolder(entry.filePath(), target)
                          : !QFile::copy(entry.filePath(), target)) {
            return false;
        }
    }
    return true;
}

class ScreenshotTour : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        // The windows show the program's own pictures and patterns, from a
        // copy: some windows write their settings into the resource folder.
        const QString resources = m_scratch.filePath(QStringLiteral("resources"));
        ASSERT_TRUE(copyFolder(QStringLiteral(CARD_SOURCE_DIR "/resources"), resources));
        hooks::setResourceFolderLocator([resources] { return resources; });
        output::printerLister.set([] { return QStringList{QStringLiteral("Tour Printer")}; });
        const QString kept = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
        m_folder = kept.isEmpty() ? m_scratch.filePath(QStringLiteral("pictures")) : kept;
        if (kept.isEmpty()) {
            std::printf("CARD_SCREENSHOT_DIR is not set: the tour's pictures are checked, "
                        "not kept\n");
        }
        ASSERT_TRUE(QDir().mkpath(m_folder));
    }

    void TearDown() override {
        output::printerLister.set({});
        ControllerFixture::TearDown();
    }

    // Shows the window as it opens, renders it, checks the picture and keeps
    // it under the name, with its title in the index.
    void visit(QWidget& window, const QString& name, const QString& title) {
        SCOPED_TRACE(name.toStdString());
        window.show();
        QCoreApplication::processEvents();
        const QImage shot = window.grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_EQ(shot.size(), window.size() * shot.devicePixelRatio());
        EXPECT_GE(window.width(), 100);
        EXPECT_GE(window.height(), 60);
        // Controls, labels and frames: far more than a blank surface.
        EXPECT_GE(distinctColours(shot, 8), 8);
        const QString file = name + QStringLiteral(".png");
        EXPECT_TRUE(shot.save(QDir(m_folder).filePath(file)));
        for (const auto& visited : m_index) {
            EXPECT_NE(visited.first, file) << "two windows under one name";
        }
        m_index.append({file, title});
        window.hide();
    }

    template <typename Window> void visitNew(const QString& name, const QString& title) {
        auto window = std::make_unique<Window>();
        visit(*window, name, title);
    }

    // The main window with an object of that kind selected, so its
    // inspector pages show.
    void visitWithSelected(const std::shared_ptr<SKTGraphic>& graphic, const QString& name,
                           const QString& title) {
        ASSERT_TRUE(m_document->insertGraphic(graphic, 0));
        m_controller->Show_RHS_Properties(graphic);
        visit(*m_controller->window(), name, title);
    }

    void writeIndex() {
        QFile index(QDir(m_folder).filePath(QStringLiteral("index.txt")));
        ASSERT_TRUE(index.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
        QTextStream out(&index);
        out << "Card Editor: every window and dialog, rendered offscreen\n\n";
        for (const auto& [file, title] : m_index) {
            out << file << "  " << title << "\n";
        }
    }

    QTemporaryDir m_scratch;
    QString m_folder;
    QList<std::pair<QString, QString>> m_index;
};

TEST_F(ScreenshotTour, EveryWindowRendersAtItsSizeWithContent) {
    start();
    ControllerOutputHost outputHost(*m_controller);
    OutputHost::setCurrent(&outputHost);

    // The main window: the card's own pages, then each object's pages.
    visit(*m_controller->window(), QStringLiteral("main_window"),
          QStringLiteral("Main window: card canvas and the card's settings"));
    auto text = std::make_shared<SKTText>();
    text->setBounds(QRectF(30, 30, 200, 40));
    text->setScriptingContents(QStringLiteral("You are invited"));
    visitWithSelected(text, QStringLiteral("main_window_text"),
                      QStringLiteral("Main window: a text selected"));
    auto shape = std::make_shared<Shape_Control>();
    shape->_shape_type = QStringLiteral("RR");
    shape->setBounds(QRectF(40, 90, 120, 80));
    shape->_fillColor = QColor(30, 120, 220);
    visitWithSelected(shape, QStringLiteral("main_window_shape"),
                      QStringLiteral("Main window: a shape selected"));
    auto line = std::make_shared<SKTLine>();
    line->setBounds(QRectF(20, 200, 200, 2));
    visitWithSelected(line, QStringLiteral("main_window_line"),
                      QStringLiteral("Main window: a line selected"));
    auto image = std::make_shared<SKTImage>();
    image->setBounds(QRectF(200, 40, 60, 60));
    visitWithSelected(image, QStringLiteral("main_window_picture"),
                      QStringLiteral("Main window: a picture selected"));
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->setBounds(QRectF(200, 120, 80, 40));
    visitWithSelected(barcode, QStringLiteral("main_window_barcode"),
                      QStringLiteral("Main window: a barcode selected"));
    auto signature = std::make_shared<SKTSignature>();
    signature->setBounds(QRectF(60, 240, 100, 30));
    visitWithSelected(signature, QStringLiteral("main_window_signature"),
                      QStringLiteral("Main window: a signature selected"));
    m_controller->Show_RHS_Properties(nullptr);

    // The card at 200%, chosen in the zoom pop-up with the keyboard.
    {
        auto* scroll = qobject_cast<SKTZoomingScrollView*>(m_controller->canvases()->scrollView(0));
        ASSERT_NE(scroll, nullptr);
        QComboBox* zoom = scroll->factorPopUpButton();
        m_controller->window()->show();
        while (zoom->currentText() != QStringLiteral("200%") &&
               zoom->currentIndex() + 1 < zoom->count()) {
            QTest::keyClick(zoom, Qt::Key_Down);
        }
        EXPECT_EQ(m_controller->canvasOfSide(0)->width(),
                  qRound(m_controller->canvasSize().width() * 2));
        visit(*m_controller->window(), QStringLiteral("main_window_zoom_200"),
              QStringLiteral("Main window: the card at 200%"));
        m_controller->canvases()->setZoomFactor(1.0);
    }

    // The wait sheet the main window shows during long work.
    m_controller->Show_Create_Modeless();
    QCoreApplication::processEvents();
    for (QDialog* sheet : m_controller->window()->findChildren<QDialog*>()) {
        if (sheet->isVisible()) {
            visit(*sheet, QStringLiteral("wait_sheet"),
                  QStringLiteral("Wait sheet over the main window"));
        }
    }
    m_controller->Hide_Destroy_Modeless();

    // Starting a design.
    visitNew<Start_Card>(QStringLiteral("start_card"), QStringLiteral("Start window"));
    visitNew<Invitation_Wizard>(QStringLiteral("invitation_wizard"),
                                QStringLiteral("Invitation wizard"));
    visitNew<Card_Wizard>(QStringLiteral("card_wizard"), QStringLiteral("Card size window"));
    visitNew<Template_Wizard>(QStringLiteral("template_wizard"), QStringLiteral("Template window"));
    visitNew<Export_Template>(QStringLiteral("export_template"),
                              QStringLiteral("Save as template: the template name"));
    visitNew<Image_Library>(QStringLiteral("image_library"), QStringLiteral("Picture library"));
    visitNew<PleaseWait_Modeless>(QStringLiteral("please_wait"),
                                  QStringLiteral("Please-wait window"));
    visitNew<Grid_Wizard>(QStringLiteral("grid_wizard"), QStringLiteral("Grid settings"));

    // Barcodes and contact fields.
    visitNew<Barcode_Gen>(QStringLiteral("barcode_designer"), QStringLiteral("Barcode designer"));
    visitNew<User_profile>(QStringLiteral("contact_fields_settings"),
                           QStringLiteral("Contact fields: settings"));
    visitNew<Show_User_Profile>(QStringLiteral("contact_fields"),
                                QStringLiteral("Contact fields of a card side"));

    // Data series.
    visitNew<BatchWizard>(QStringLiteral("series_manager"), QStringLiteral("Series manager"));
    visitNew<Import_Wizard>(QStringLiteral("series_import"),
                            QStringLiteral("Series import wizard"));
    visitNew<Generate_List>(QStringLiteral("number_generator"),
                            QStringLiteral("Number series generator"));
    visitNew<View_Data_Series>(QStringLiteral("view_series"), QStringLiteral("A series' values"));
    visitNew<Import_Excel>(QStringLiteral("import_excel"),
                           QStringLiteral("Spreadsheet import: choose the column"));
    visitNew<Import_Excel_DataSheet>(QStringLiteral("import_excel_sheet"),
                                     QStringLiteral("Spreadsheet import: the data sheet"));
    visitNew<Data_From_Excel>(QStringLiteral("data_from_excel"),
                              QStringLiteral("Data source: a spreadsheet"));
    visitNew<Update_Ex_Num>(QStringLiteral("update_series"),
                            QStringLiteral("Update an existing number series"));
    visitNew<Load_Num_Info>(QStringLiteral("load_series_info"),
                            QStringLiteral("Number series information"));
    visitNew<Open_Export_Log>(QStringLiteral("open_exported_file"),
                              QStringLiteral("Open the exported file"));

    // Output: printing with its preview, export, e-mail, help and the rest.
    {
        Print_Wnd print;
        // The radio matrices wire their cells once the event loop has run.
        QCoreApplication::processEvents();
        bool previewed = false;
        hooks::setModalRunner([&](QDialog& running) {
            if (&running == &print) {
                print.printInfo()->setPageSize(QPageSize(QPageSize::A4));
                print.Set_values_From_Printer();
                visit(print, QStringLiteral("print"), QStringLiteral("Print window"));
                print.show();
                auto* button = print.findChild<QPushButton*>(QStringLiteral("previewButton"));
                EXPECT_NE(button, nullptr);
                if (button) {
                    button->click();
                }
            } else if (auto* preview = dynamic_cast<PrintPreviewWindow*>(&running)) {
                preview->show();
                preview->previewWidget()->updatePreview();
                visit(*preview, QStringLiteral("print_preview"),
                      QStringLiteral("Print preview of the sheets"));
                previewed = true;
            }
            return 0;
        });
        EXPECT_TRUE(print.Open_Print_Wnd());
        hooks::setModalRunner({});
        EXPECT_TRUE(previewed);
    }
    visitNew<ExportWindow>(QStringLiteral("export"), QStringLiteral("Export window"));
    visitNew<Send_Mail>(QStringLiteral("send_mail"), QStringLiteral("E-mail the cards"));
    visitNew<Email_Setting>(QStringLiteral("email_settings"), QStringLiteral("E-mail settings"));
    visitNew<Send_Modeless>(QStringLiteral("sending"), QStringLiteral("Sending progress"));
    visitNew<Long_SMS_Dlg>(QStringLiteral("long_message"), QStringLiteral("Long message window"));
    visitNew<Help_Support>(QStringLiteral("help"), QStringLiteral("Help and support"));
    visitNew<Share_It_Dlg>(QStringLiteral("share"), QStringLiteral("Share window"));
    visitNew<Review_Form>(QStringLiteral("review"), QStringLiteral("Review window"));
    visitNew<Promotion_Form>(QStringLiteral("promotion"), QStringLiteral("Promotion window"));

    OutputHost::setCurrent(nullptr);
    writeIndex();
    EXPECT_GE(m_index.size(), 40);
}

} // namespace
