#include "InvitationDesign.h"

#include "barcodes/designer/Barcode_Gen.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "core/BatchState.h"
#include "core/globals.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesFiles.h"
#include "dataseries/windows/Generate_List.h"
#include "dataseries/windows/Import_Excel.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/ContactFieldState.h"
#include "editor/model/SKTDocument.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "output/OutputHost.h"
#include "profiles/Show_User_Profile.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <algorithm>
#include <cmath>

using namespace invitation;

namespace {

// The workbook the guest list comes from, written by openpyxl: a sheet
// "Guests" with the columns "Guest" and "Table".
const char* const kWorkbookScript = R"(
import sys
from openpyxl import Workbook
book = Workbook()
sheet = book.active
sheet.title = "Guests"
sheet.append(["Guest", "Table"])
for i, name in enumerate(sys.argv[2:]):
    sheet.append([name, i + 1])
book.save(sys.argv[1])
)";

// The share of pixels whose colour differs by more than `threshold` in
// some channel.
double differingShare(const QImage& a, const QImage& b, int threshold) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            if (std::abs(qRed(p) - qRed(q)) > threshold ||
                std::abs(qGreen(p) - qGreen(q)) > threshold ||
                std::abs(qBlue(p) - qBlue(q)) > threshold) {
                ++differing;
            }
        }
    }
    return double(differing) / (double(x.width()) * x.height());
}

QString plainText(const SKTGraphic& graphic) {
    return graphic._Text_contents ? graphic._Text_contents->string() : graphic.Text_Value;
}

} // namespace

void InvitationDesign::SetUp() {
    ProgramSession::SetUp();
    if (HasFatalFailure()) {
        return;
    }
    const QString python = testsupport::debianPython();
    if (python.isEmpty() ||
        testsupport::runProcess(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")})
                .exitCode != 0) {
        GTEST_SKIP() << "python3-openpyxl is not installed: the guest workbook cannot be written";
    }
    QStringList args = {QStringLiteral("-c"), QString::fromLatin1(kWorkbookScript), workbookFile()};
    args << kGuests;
    const auto written = testsupport::runProcess(python, args);
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    // An English (United States) user: the wizard writes the date and time
    // the way that locale does.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    setPrinters({QStringLiteral("Office Printer")});
}

void InvitationDesign::TearDown() {
    ProgramSession::TearDown();
    QLocale::setDefault(QLocale::system());
}

void InvitationDesign::choose(QComboBox* combo, const QString& title) {
    ASSERT_NE(combo, nullptr);
    const int index = combo->findText(title);
    ASSERT_GE(index, 0) << title.toStdString() << " in " << combo->objectName().toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    QCoreApplication::processEvents();
}

void InvitationDesign::type(QLineEdit* field, const QString& text) {
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void InvitationDesign::confirm(QLineEdit* field) {
    ASSERT_NE(field, nullptr);
    emit field->editingFinished();
}

void InvitationDesign::click(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    button->click();
    QCoreApplication::processEvents();
}

SKTGraphicList InvitationDesign::frontObjects(const QString& className) const {
    SKTGraphicList out;
    for (const auto& graphic : controller().Get_Front_Controls_Array()) {
        if (graphic->className() == className) {
            out.push_back(graphic);
        }
    }
    std::reverse(out.begin(), out.end());
    return out;
}

std::shared_ptr<SKTGraphic> InvitationDesign::frontObjectWithID(const QString& id) const {
    for (const auto& graphic : controller().Get_Front_Controls_Array()) {
        if (graphic->control_ID == id) {
            return graphic;
        }
    }
    return nullptr;
}

std::shared_ptr<SKTGraphic> InvitationDesign::justMade() const {
    return frontCanvas().selectedGraphic();
}

// ---- The steps ----

void InvitationDesign::startWithTheWizard() {
    // The pickers start at a fixed "now", so the time chosen below is a
    // change whatever the machine's clock says.
    struct FixedClock {
        FixedClock() {
            Invitation_Wizard::setClock(
                [] { return QDateTime(QDate(2026, 12, 31), QTime(23, 30)); });
        }
        ~FixedClock() { Invitation_Wizard::setClock({}); }
    } fixedClock;
    expectDialog<Invitation_Wizard>([this](Invitation_Wizard& wizard) {
        click(child<QPushButton>(wizard, "Using_Wizard_btn"));
        EXPECT_EQ(wizard.next_counter(), 1);
        type(child<QLineEdit>(wizard, "width_Text"), QString::number(kCardWidthMm));
        confirm(child<QLineEdit>(wizard, "width_Text"));
        type(child<QLineEdit>(wizard, "height_Text"), QString::number(kCardHeightMm));
        confirm(child<QLineEdit>(wizard, "height_Text"));
        click(child<QPushButton>(wizard, "Next_btn"));
        // The first of the program's background pictures is chosen.
        EXPECT_EQ(wizard.next_counter(), 2);
        m_background = wizard.selected_image();
        EXPECT_TRUE(
            m_background.startsWith(QDir(resources()).filePath(QStringLiteral("Background"))))
            << m_background.toStdString();
        click(child<QPushButton>(wizard, "Next_btn"));
        EXPECT_EQ(wizard.next_counter(), 3);
        type(child<QLineEdit>(wizard, "msg_title"), kTitle);
        type(child<QLineEdit>(wizard, "msg_value"), kMessage);
        click(child<QPushButton>(wizard, "Next_btn"));
        EXPECT_EQ(wizard.next_counter(), 4);
        type(child<QLineEdit>(wizard, "from_value"), kSender);
        type(child<QLineEdit>(wizard, "venue_value"), kVenue);
        auto* calendar = child<QCalendarWidget>(wizard, "Date_picker");
        calendar->setSelectedDate(QDate(2027, 6, 12));
        emit calendar->clicked(QDate(2027, 6, 12));
        auto* clock = child<QTimeEdit>(wizard, "Time_picker");
        clock->setFocus();
        clock->setTime(QTime(18, 30));
        click(child<QPushButton>(wizard, "Next_btn"));
        return wizard.result();
    });
    startProgram();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(takeDialogs(), QStringList{QStringLiteral("Invitation_Wizard")});
    EXPECT_EQ(takeMessages(), QStringList());

    // The card the wizard made: its size, background and texts.
    const QSizeF card = controller().Front_card_Prop.Card_Size();
    EXPECT_NEAR(card.width(), kCardWidthMm * 72 / 25.4, 0.01);
    EXPECT_NEAR(card.height(), kCardHeightMm * 72 / 25.4, 0.01);
    EXPECT_EQ(controller().Front_card_Prop.Card_BG_Image_Path(), m_background);
    const std::vector<std::pair<QString, QString>> texts = {
        {QStringLiteral("PARTY_TITLE"), kTitle},
        {QStringLiteral("PARTY_MSG"), kMessage},
        {QStringLiteral("PARTY_DATE"), kDateLine},
        {QStringLiteral("PARTY_VENUE"), QStringLiteral("Venue:\n") + kVenue},
        {QStringLiteral("PARTY_FROM"), QStringLiteral("From:\n") + kSender},
    };
    EXPECT_EQ(controller().Get_Front_Control_Count(), qint32(texts.size()));
    for (const auto& [id, text] : texts) {
        const auto graphic = frontObjectWithID(id);
        ASSERT_NE(graphic, nullptr) << id.toStdString();
        EXPECT_EQ(plainText(*graphic), text) << id.toStdString();
    }
}

void InvitationDesign::generateTheTicketSeries() {
    expectDialog<Generate_List>([this](Generate_List& generator) {
        click(child<QRadioButton>(generator, "radioButton_Sequntial"));
        type(child<QLineEdit>(generator, "prefix_txt"), QStringLiteral("INV-"));
        type(child<QLineEdit>(generator, "from_txt"), QStringLiteral("1001"));
        type(child<QLineEdit>(generator, "to_txt"), QStringLiteral("1010"));
        type(child<QLineEdit>(generator, "seq_file_name"), kSeriesName);
        click(child<QPushButton>(generator, "ok_btn"));
        return generator.result();
    });
    trigger("Create_Series_action");
    EXPECT_EQ(takeDialogs(), QStringList{QStringLiteral("Generate_List")});
    EXPECT_EQ(takeMessages(), QStringList());
    // The series file holds the ten ticket numbers, one a line.
    const std::optional<QString> series = Read_Series_Text(kSeriesName);
    ASSERT_TRUE(series.has_value());
    EXPECT_EQ(series->split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts),
              kTickets);
}

void InvitationDesign::addPictureAndShape() {
    // A photo of the venue, chosen with the picture tool's open panel.
    const QString photo = homeFile(QStringLiteral("venue.png"));
    QImage picture(120, 120, QImage::Format_RGB32);
    picture.fill(QColor(40, 120, 200));
    for (int y = 30; y < 90; ++y) {
        for (int x = 30; x < 90; ++x) {
            picture.setPixelColor(x, y, QColor(240, 200, 40));
        }
    }
    ASSERT_TRUE(picture.save(photo));
    expectOpenPanel({photo});
    click(control<QToolButton>("Image_Tool"));
    auto image = justMade();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->className(), QStringLiteral("SKTImage"));
    placeByMouse(image, kPictureFrame);
    EXPECT_EQ(image->bounds(), kPictureFrame);

    click(control<QToolButton>("Rect_Tool"));
    auto shape = justMade();
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->className(), QStringLiteral("Shape_Control"));
    placeByMouse(shape, kShapeFrame);
    EXPECT_EQ(shape->bounds(), kShapeFrame);
    EXPECT_EQ(takeMessages(), QStringList());
}

void InvitationDesign::addBarcode(const QString& symbology, const QPointF& corner) {
    click(control<QToolButton>("Barcode_Tool"));
    auto barcode = justMade();
    ASSERT_NE(barcode, nullptr);
    EXPECT_EQ(barcode->className(), QStringLiteral("SKTBarcode"));

    // The barcode's properties: the symbology and the ticket series.
    QString previewed;
    QSizeF pictureSize;
    expectDialog<Barcode_Gen>([&](Barcode_Gen& designer) {
        choose(child<QComboBox>(designer, "barcodeTypePopup"), symbology);
        choose(child<QComboBox>(designer, "Data_source_type"), QStringLiteral("Series"));
        choose(child<QComboBox>(designer, "Batch_Series"), kSeriesName);
        previewed = designer.settings.currentValue();
        pictureSize = designer.previewPicture().size();
        click(child<QPushButton>(designer, "OK_Btn"));
        return designer.result();
    });
    click(control<QPushButton>("View_barcode_prop_Button"));
    EXPECT_EQ(takeDialogs(), QStringList{QStringLiteral("Barcode_Gen")});
    EXPECT_EQ(takeMessages(), QStringList());
    // The preview shows the series' first value; the object keeps the
    // symbology and the binding.
    EXPECT_EQ(previewed, kTickets.first());
    EXPECT_EQ(barcode->barcode_font_index, int(DesignerLists::symbologies().indexOf(symbology)));
    EXPECT_EQ(barcode->data_source_type, 1);
    EXPECT_EQ(barcode->batch_list_name, kSeriesName);

    // The user fits the frame round the picture and puts it in its place.
    ASSERT_FALSE(pictureSize.isEmpty());
    const QRectF frame(corner,
                       QSizeF(std::ceil(pictureSize.width()), std::ceil(pictureSize.height())));
    placeByMouse(barcode, frame);
    EXPECT_EQ(barcode->bounds(), frame);
}

void InvitationDesign::addTicketText() {
    click(control<QToolButton>("Text_Tool"));
    auto text = justMade();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->className(), QStringLiteral("SKTText"));
    placeByMouse(text, kTicketTextFrame);
    EXPECT_EQ(text->bounds(), kTicketTextFrame);
    choose(control<QComboBox>("Data_source_type"), QStringLiteral("Series"));
    choose(control<QComboBox>("Batch_Series"), kSeriesName);
    EXPECT_EQ(text->data_source_type, 1);
    EXPECT_EQ(text->batch_list_name, kSeriesName);
    // The canvas shows the first ticket, and so does the inspector.
    EXPECT_EQ(plainText(*text).trimmed(), kTickets.first());
    EXPECT_EQ(control<QPlainTextEdit>("Text_value_Edit")->toPlainText().trimmed(),
              kTickets.first());
    EXPECT_EQ(takeMessages(), QStringList());
}

void InvitationDesign::placeContactFieldsWithTheWorkbook() {
    QStringList columnsOffered;
    expectDialog<Import_Excel>([&](Import_Excel& import) {
        auto* columns = child<QTableWidget>(import, "ColList");
        for (int row = 0; row < columns->rowCount(); ++row) {
            columnsOffered << columns->item(row, 1)->text();
        }
        // Only the guest column is imported.
        columns->item(0, 0)->setCheckState(Qt::Checked);
        click(child<QPushButton>(import, "ok_btn"));
        return import.result();
    });
    QString title;
    expectDialog<Show_User_Profile>([&](Show_User_Profile& dialog) {
        title = dialog.windowTitle();
        expectOpenPanel({workbookFile()});
        click(child<QPushButton>(dialog, "excel_browse_btn"));
        EXPECT_EQ(dialog.excelPathField()->text(), workbookFile());
        // The workbook's column is offered as a source now.
        EXPECT_GE(dialog.row(0).source->findText(QStringLiteral("Excel")), 0);
        type(dialog.row(0).value, kContactName);
        type(dialog.row(5).value, kContactPhone);
        click(child<QPushButton>(dialog, "ok_btn"));
        return dialog.result();
    });
    click(control<QPushButton>("User_Profile_Button"));
    EXPECT_EQ(takeDialogs(),
              (QStringList{QStringLiteral("Show_User_Profile"), QStringLiteral("Import_Excel")}));
    EXPECT_EQ(takeMessages(), QStringList());
    EXPECT_EQ(title, QStringLiteral("Front Side User Profile Information"));
    EXPECT_EQ(columnsOffered, (QStringList{QStringLiteral("Guest"), QStringLiteral("Table")}));

    // The imported table: the guest column with one row per guest.
    EXPECT_EQ(Excel_Binding_Use, 1);
    EXPECT_EQ(Imported_Table().rowCount(), kGuests.size());
    EXPECT_TRUE(Imported_Table().columnTitles().contains(QStringLiteral("Guest")));

    // The two typed fields are on the front; the user moves them down.
    const auto name = frontObjectWithID(QStringLiteral("Fup_Name"));
    const auto phone = frontObjectWithID(QStringLiteral("Fup_PhoneNO"));
    ASSERT_NE(name, nullptr);
    ASSERT_NE(phone, nullptr);
    EXPECT_EQ(plainText(*name), kContactName);
    EXPECT_EQ(plainText(*phone), kContactPhone);
    placeByMouse(name, kContactNameFrame);
    placeByMouse(phone, kContactPhoneFrame);
    EXPECT_EQ(name->bounds(), kContactNameFrame);
    EXPECT_EQ(phone->bounds(), kContactPhoneFrame);
}

void InvitationDesign::addGuestText() {
    click(control<QToolButton>("Text_Tool"));
    auto text = justMade();
    ASSERT_NE(text, nullptr);
    placeByMouse(text, kGuestTextFrame);
    EXPECT_EQ(text->bounds(), kGuestTextFrame);
    choose(control<QComboBox>("Data_source_type"), QStringLiteral("Excel"));
    choose(control<QComboBox>("Batch_Series"), QStringLiteral("Guest"));
    EXPECT_EQ(text->data_source_type, 2);
    EXPECT_EQ(plainText(*text).trimmed(), kGuests.first());
    EXPECT_EQ(takeMessages(), QStringList());
}

void InvitationDesign::saveTheDesign() {
    // Ten records: the series and the workbook bind both.
    controller().Check_Series_Or_Excel_Use_or_not();
    EXPECT_TRUE(Use_Data_Sheet_Values);
    EXPECT_TRUE(Use_Excel_Binding_Values);
    EXPECT_EQ(Total_Batch_Excel_Card, 10);

    expectSavePanel(designFile());
    trigger("Save_action");
    EXPECT_EQ(takeMessages(), QStringList{QStringLiteral(
                                  "Invitation Card Design Log has been saved successfully.")});
    EXPECT_TRUE(QFileInfo(designFile()).isFile());
    EXPECT_TRUE(controller().window()->windowTitle().contains(QStringLiteral("Invitation.dcard")));
    m_savedDesign =
        design_file::Design_Array(controller().Current_Design_Content()).toBytes(PlistFormat::Xml);
    ASSERT_FALSE(m_savedDesign.isEmpty());
    OutputHost* host = OutputHost::current();
    ASSERT_NE(host, nullptr);
    m_savedFront = output::renderDesign(*host)->designFront().toImage(2.0);
    ASSERT_FALSE(m_savedFront.isNull());
}

void InvitationDesign::startOpeningTheDesignFile() {
    // A new start: the start window's "Open" reads the saved design.
    expectDialog<Invitation_Wizard>([this](Invitation_Wizard& wizard) {
        expectOpenPanel({designFile()});
        click(child<QPushButton>(wizard, "Open_Log_btn"));
        return wizard.result();
    });
    startProgram();
}

void InvitationDesign::restartAndOpenTheDesign() {
    quitProgram();
    EXPECT_EQ(Imported_Table().rowCount(), 0);
    ASSERT_NO_FATAL_FAILURE(startOpeningTheDesignFile());
    EXPECT_EQ(takeDialogs(), QStringList{QStringLiteral("Invitation_Wizard")});
    EXPECT_EQ(takeMessages(), QStringList());
    ASSERT_FALSE(openPanels().empty());
    EXPECT_EQ(openPanels().back().allowedTypes, QStringList{QStringLiteral("dcard")});

    // Equal: the same design array, the same front side, the same records.
    const QByteArray opened =
        design_file::Design_Array(controller().Current_Design_Content()).toBytes(PlistFormat::Xml);
    EXPECT_EQ(opened, m_savedDesign);
    const QImage front = output::renderDesign(*OutputHost::current())->designFront().toImage(2.0);
    // The barcodes come back as the pictures the file keeps, so their edges
    // may be smoothed a little differently; everything else is the same.
    ASSERT_EQ(front.size(), m_savedFront.size());
    const double share = differingShare(front, m_savedFront, 64);
    EXPECT_LT(share, 0.005) << "share of pixels that differ after opening";
    const QString keep = qEnvironmentVariable("CARD_E2E_KEEP");
    if (!keep.isEmpty()) {
        front.save(QDir(keep).filePath(QStringLiteral("opened-front.png")));
        m_savedFront.save(QDir(keep).filePath(QStringLiteral("saved-front.png")));
    }
    EXPECT_EQ(Imported_Table().rowCount(), kGuests.size());
    controller().Check_Series_Or_Excel_Use_or_not();
    EXPECT_EQ(Total_Batch_Excel_Card, 10);
    EXPECT_TRUE(controller().window()->windowTitle().contains(QStringLiteral("Invitation.dcard")));
}

void InvitationDesign::buildSaveAndReopen() {
    ASSERT_NO_FATAL_FAILURE(startWithTheWizard());
    ASSERT_NO_FATAL_FAILURE(generateTheTicketSeries());
    ASSERT_NO_FATAL_FAILURE(addPictureAndShape());
    ASSERT_NO_FATAL_FAILURE(addBarcode(QStringLiteral("Code 128"), kCode128Corner));
    ASSERT_NO_FATAL_FAILURE(addBarcode(QStringLiteral("QR Code"), kQrCorner));
    ASSERT_NO_FATAL_FAILURE(addTicketText());
    ASSERT_NO_FATAL_FAILURE(placeContactFieldsWithTheWorkbook());
    ASSERT_NO_FATAL_FAILURE(addGuestText());
    ASSERT_NO_FATAL_FAILURE(saveTheDesign());
    ASSERT_NO_FATAL_FAILURE(restartAndOpenTheDesign());
}
