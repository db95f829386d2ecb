// Design files: a full round trip through the main window, the file's
// shape as an outside reader sees it, refusal of damaged files without any
// change, atomic saves, the File commands' save questions and user
// templates.

#include "common/ChildProcess.h"
#include "design_file_test_support.h"
#include "mainwindow_controller_fixture.h"

#include "barcodes/designer/core/BarcodeDesigner.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "dataseries/ImportedTable.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/render/CardRenderInputs.h"
#include "editor/render/SKTRenderingView.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/Export_Template.h"
#include "mainwindow/controller/TemplateFiles.h"
#include "mainwindow/controller/WindowEntries.h"
#include "output/core/CardExport.h"
#include "widgets/GuiHooks.h"

#include <QAction>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <variant>

using window_entries::SaveResult;

using namespace designtest;

namespace {

const QString kCorrupt = QStringLiteral("File is corrupt and cannot be opened.");

using testsupport::FileSizeLimit;

// Every field an object archive holds, in the archive's order.
using FieldPointer =
    std::variant<QRectF SKTGraphic::*, bool SKTGraphic::*, QColor SKTGraphic::*,
                 double SKTGraphic::*, float SKTGraphic::*, qint32 SKTGraphic::*,
                 QString SKTGraphic::*, QFont SKTGraphic::*,
                 std::optional<SKTStyledText> SKTGraphic::*, CardPicture SKTGraphic::*>;
struct ObjectField {
    const char* name;
    FieldPointer field;
};
#define FIELD(name)                                                                                \
    ObjectField {                                                                                  \
#name, &SKTGraphic::name                                                                   \
    }
const ObjectField kObjectFields[] = {
    FIELD(_bounds),
    FIELD(ctrl_is_locked),
    FIELD(_isDrawingFill),
    FIELD(_fillColor),
    FIELD(_isDrawingStroke),
    FIELD(_strokeColor),
    FIELD(_strokeWidth),
    FIELD(_stroke_border_type),
    FIELD(_fill_type),
    FIELD(_fill_Grad_clr1),
    FIELD(_fill_Grad_clr2),
    FIELD(_fill_grad_angle),
    FIELD(_fill_htch_clr),
    FIELD(_fill_hatch_type),
    FIELD(_isFlippedHorizontally),
    FIELD(_isFlippedVertically),
    FIELD(invert_clr),
    FIELD(gray_Scale),
    FIELD(Sepia),
    FIELD(img_trnsp_val),
    FIELD(hue_val),
    FIELD(sat_val),
    FIELD(brt_val),
    FIELD(con_val),
    FIELD(srp_val),
    FIELD(ev_val),
    FIELD(blr_val),
    FIELD(data_source_type),
    FIELD(rotate_image),
    FIELD(_file_path),
    FIELD(sign_or_fingureprint),
    FIELD(batch_list_name),
    FIELD(batch_list_index),
    FIELD(_line_ori),
    FIELD(_line_cap_style),
    FIELD(alpha_val),
    FIELD(alpha_val_stroke),
    FIELD(text_ctrl_font),
    FIELD(txt_clr),
    FIELD(_Text_contents),
    FIELD(_shape_type),
    FIELD(cor_rad_val_val),
    FIELD(_barcode_image),
    FIELD(linear_or_2d),
    FIELD(barcode_font_index),
    FIELD(linear_font_val),
    FIELD(two_d_font_val),
    FIELD(header_val),
    FIELD(footer_val),
    FIELD(show_hide_hdr),
    FIELD(show_hide_ftr),
    FIELD(show_hide_val),
    FIELD(show_val_on_top),
    FIELD(align_hdr_index),
    FIELD(align_ftr_index),
    FIELD(linear_height_val),
    FIELD(linear_width_val),
    FIELD(qr_size_val),
    FIELD(qr_version_index),
    FIELD(qr_ec_index),
    FIELD(pdf_hgt_val),
    FIELD(pdf_wdt_val),
    FIELD(pdf_ec_val),
    FIELD(dm_module_val),
    FIELD(dm_format_index),
    FIELD(dm_encoding_index),
    FIELD(hdr_margin_val),
    FIELD(ftr_margin_val),
    FIELD(val_margin_val),
    FIELD(TB_marging_val),
    FIELD(LR_margin_val),
    FIELD(value_font_val),
    FIELD(header_font_val),
    FIELD(footer_font_val),
    FIELD(barcode_hdr_clr_val),
    FIELD(barcode_ftr_clr_val),
    FIELD(barcode_val_clr_val),
    FIELD(barcode_back_clr_val),
    FIELD(barcode_clr_val),
    FIELD(dpi_val_index),
    FIELD(dpi_custom_val),
    FIELD(barcode_unit_val),
    FIELD(text_alignmnet),
    FIELD(text_transfrom_case),
    FIELD(text_kerning),
    FIELD(print_object),
    FIELD(control_ID),
    FIELD(excel_binding),
    FIELD(excel_col_indx),
    FIELD(Text_Value),
    FIELD(ctrl_is_visible),
    FIELD(double_star_type),
    FIELD(polygon_type),
};
#undef FIELD

template <typename... F> struct Overloaded : F... { using F::operator()...; };
template <typename... F> Overloaded(F...) -> Overloaded<F...>;

// Gives field number `i` of `object` a value unlike the one it has.
void changeField(SKTGraphic& object, const FieldPointer& field, int i) {
    std::visit(
        Overloaded{
            [&](QRectF SKTGraphic::*f) { object.*f = QRectF(11, 13, 97, 41); },
            [&](bool SKTGraphic::*f) { object.*f = !(object.*f); },
            [&](QColor SKTGraphic::*f) { object.*f = QColor(i, 255 - i, 77, 200); },
            [&](double SKTGraphic::*f) { object.*f = object.*f + 2.5; },
            [&](float SKTGraphic::*f) { object.*f = object.*f == 0 ? 0.25f : object.*f / 2; },
            [&](qint32 SKTGraphic::*f) { object.*f = object.*f + 1; },
            [&](QString SKTGraphic::*f) { object.*f = QStringLiteral("value %1").arg(i); },
            [&](QFont SKTGraphic::*f) {
                QFont font(QStringLiteral("Liberation Mono"));
                font.setPointSizeF(6.5 + i);
                object.*f = font;
            },
            [&](std::optional<SKTStyledText> SKTGraphic::*f) {
                QFont font(QStringLiteral("Liberation Sans"));
                font.setPointSizeF(23);
                object.*f = SKTStyledText(QStringLiteral("Styled words"), font, Qt::darkRed);
            },
            [&](CardPicture SKTGraphic::*f) {
                QImage image(6, 4, QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::magenta);
                object.*f = CardPicture::fromImage(image, QSizeF(6, 4));
            },
        },
        field);
}

// A field's value as comparable text.
QString fieldText(const SKTGraphic& object, const FieldPointer& field) {
    const auto font = [](const QFont& f) { return f.family() + QString::number(f.pointSizeF()); };
    return std::visit(
        Overloaded{
            [&](QRectF SKTGraphic::*f) {
                const QRectF r = object.*f;
                return QStringLiteral("%1 %2 %3 %4")
                    .arg(r.x())
                    .arg(r.y())
                    .arg(r.width())
                    .arg(r.height());
            },
            [&](bool SKTGraphic::*f) { return QString::number(object.*f); },
            [&](QColor SKTGraphic::*f) {
                return (object.*f).isValid() ? (object.*f).name(QColor::HexArgb) : QString("none");
            },
            [&](double SKTGraphic::*f) { return QString::number(object.*f); },
            [&](float SKTGraphic::*f) { return QString::number(double(object.*f)); },
            [&](qint32 SKTGraphic::*f) { return QString::number(object.*f); },
            [&](QString SKTGraphic::*f) { return object.*f; },
            [&](QFont SKTGraphic::*f) { return font(object.*f); },
            [&](std::optional<SKTStyledText> SKTGraphic::*f) {
                const auto& text = object.*f;
                return text ? text->string() + font(text->fontAt(0)) + text->colorAt(0).name()
                            : QString("none");
            },
            [&](CardPicture SKTGraphic::*f) {
                const QImage image = (object.*f).toImage(1.0);
                return QStringLiteral("%1x%2 %3")
                    .arg(image.width())
                    .arg(image.height())
                    .arg(image.isNull() ? QString() : image.pixelColor(1, 1).name());
            },
        },
        field);
}

// The keys the archive of `object` stores for its own fields.
int archivedFieldCount(const SKTGraphic& object) {
    const Plist archive = Plist::fromBytes(object.archivedData());
    for (const PlistView& item : archive.view().value(QStringLiteral("$objects")).items()) {
        if (item.type() == PlistType::Dictionary &&
            !item.value(QStringLiteral("_bounds")).isNull()) {
            return int(item.keys().size()) - 1; // without "$class"
        }
    }
    return -1;
}

class DesignFileTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        hooks::setSavePanel([this](const hooks::SavePanelRequest& request) {
            m_panelTypes = request.allowedTypes;
            ++m_savePanels;
            return m_saveAnswer;
        });
        hooks::setOpenPanel([this](const hooks::OpenPanelRequest&) {
            return m_openAnswer.isEmpty() ? QStringList() : QStringList{m_openAnswer};
        });
        startWithDesignFiles();
    }

    void TearDown() override {
        hooks::setModalRunner({});
        endDesignFiles();
        ControllerFixture::TearDown();
    }

    // Saves the design into `file`, starts a new one and opens the file
    // through the Open command.
    void saveAndReopen(const QString& file) {
        m_saveAnswer = file;
        ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
        m_controller->New_Project_Setting_Reset();
        m_openAnswer = file;
        testsupport::ScriptedAlerts alerts({0});
        m_controller->Open_Btn_Clicked();
    }

    QString picture(const QString& name, QColor colour) {
        QImage image(40, 30, QImage::Format_ARGB32);
        image.fill(colour);
        const QString file = path(name);
        EXPECT_TRUE(image.save(file, "PNG"));
        return file;
    }

    // Two sides with every object kind, bindings, a table and records that
    // differ from the defaults.
    void buildRichDesign() {
        SKTDocument& doc = *m_document;
        auto text = std::make_shared<SKTText>();
        text->setBounds(QRectF(10, 12, 120, 30));
        text->Text_Value = QStringLiteral("Dear guest");
        text->excel_binding = true;
        text->excel_col_indx = 2;
        auto shape = std::make_shared<Shape_Control>();
        shape->setBounds(QRectF(5, 5, 50, 40));
        shape->Set_Shape_Type(QStringLiteral("Star"));
        auto line = std::make_shared<SKTLine>();
        line->setBounds(QRectF(0, 0, 80, 2));
        auto image = std::make_shared<SKTImage>();
        image->setFilePath(picture(QStringLiteral("pic.png"), Qt::blue));
        image->setBounds(QRectF(20, 20, 40, 30));
        auto qr = std::make_shared<SKTBarcode>();
        qr->setBounds(QRectF(60, 10, 60, 60));
        qr->linear_or_2d = 1;
        qr->qr_ec_index = 3;
        qr->qr_size_val = 90;
        auto linear = std::make_shared<SKTBarcode>();
        linear->setBounds(QRectF(60, 80, 100, 40));
        linear->linear_width_val = 33.5f;
        linear->header_val = QStringLiteral("Ticket");
        auto signature = std::make_shared<SKTSignature>();
        signature->setBounds(QRectF(1, 1, 30, 20));
        signature->Set_Sign_Or_FP(QStringLiteral("S"));
        doc.insertGraphicsInList(SKTDocumentGraphicsKey, {text, shape, line, image, qr},
                                 {0, 1, 2, 3, 4});
        auto hidden = std::make_shared<SKTText>();
        hidden->control_ID = QStringLiteral("Fup_Name");
        hidden->Text_Value = QStringLiteral("Ann");
        hidden->ctrl_is_visible = false;
        hidden->data_source_type = 1;
        hidden->batch_list_name = QStringLiteral("Guests");
        hidden->batch_list_index = 3;
        doc.insertGraphicsInList(SKTDocumentGraphicsKey_back, {linear, signature, hidden},
                                 {0, 1, 2});

        Card_Property& front = m_controller->Front_card_Prop;
        front.setCard_alpha_Stepper(0.37f);
        front.setCard_Shape(QStringLiteral("E"));
        front.setCard_Side(QStringLiteral("1"));
        front.setCard_fill_chk(true);
        front.setCard_fill_style(QStringLiteral("I"));
        front.setCard_BG_Image_Path(picture(QStringLiteral("bg.png"), Qt::green));
        front.setCard_Size(QSizeF(300, 200));
        front.setCard_Name(QStringLiteral("Party"));
        front.setCard_bordr_clr(QColor(10, 20, 30, 128));
        Card_Property& back = m_controller->Back_card_Prop;
        back.setCard_Side_Name(QStringLiteral("B"));
        back.setCard_fill_style(QStringLiteral("G"));
        back.setCard_grad_Stepper(45);
        back.setCard_hatch_bk_clr(QColor());
        back.setCard_Size(QSizeF(300, 200));

        ImportedTable& table = Imported_Table();
        table.Add_Column(QStringLiteral("Name"));
        table.Add_Column(QStringLiteral("Town"));
        table.Create_List_By_Array({QStringLiteral("Ann"), QStringLiteral("Rome")}, 2);
        table.Create_List_By_Array({QStringLiteral("Bob"), QStringLiteral("Oslo")}, 2);
        Excel_Binding_Use = 1;
        Excel_Source_Path = QStringLiteral("/data/guests.xlsx");
    }

    QString m_saveAnswer;
    QString m_openAnswer;
    QStringList m_panelTypes;
    int m_savePanels = 0;
};

TEST_F(DesignFileTest, RoundTripKeepsRecordsObjectsTableAndBinding) {
    buildRichDesign();
    // One more object with every field unlike its default.
    auto every = std::make_shared<SKTText>();
    for (int i = 0; i < int(std::size(kObjectFields)); ++i) {
        changeField(*every, kObjectFields[i].field, i + 1);
    }
    ASSERT_EQ(archivedFieldCount(*every), int(std::size(kObjectFields)));
    m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {every}, {5});
    const QString file = path(QStringLiteral("party.dcard"));
    m_saveAnswer = file;
    ASSERT_EQ(m_controller->Save_project_file(false, 1), SaveResult::Saved);
    EXPECT_EQ(m_panelTypes, QStringList{QStringLiteral("dcard")});
    EXPECT_EQ(shown(m_alerts).last(),
              QStringLiteral("Invitation Card Design Log has been saved successfully."));

    const QStringList front = recordFields(m_controller->Front_card_Prop);
    const QStringList back = recordFields(m_controller->Back_card_Prop);
    const auto frontObjects = archives(m_document->graphics());
    const auto backObjects = archives(m_document->graphics_back());
    const QImage picturePixels =
        std::static_pointer_cast<SKTImage>(m_document->graphics().at(3))->contents().toImage();
    const auto rows = Imported_Table().ListData();
    const auto titles = Imported_Table().allColumnTitles();

    // Forget everything, then open the file.
    m_controller->New_Project_Setting_Reset();
    Imported_Table() = ImportedTable();
    Excel_Binding_Use = 0;
    Excel_Source_Path.clear();
    ASSERT_TRUE(m_document->graphics().isEmpty());

    ASSERT_EQ(m_controller->Read_and_load_design_Log(file, QStringLiteral("L")), 1);
    EXPECT_EQ(recordFields(m_controller->Front_card_Prop), front);
    EXPECT_EQ(recordFields(m_controller->Back_card_Prop), back);
    EXPECT_EQ(archives(m_document->graphics()), frontObjects);
    EXPECT_EQ(archives(m_document->graphics_back()), backObjects);
    ASSERT_EQ(m_document->graphics().size(), 6);
    const SKTText fresh;
    for (const ObjectField& field : kObjectFields) {
        const QString written = fieldText(*every, field.field);
        EXPECT_NE(written, fieldText(fresh, field.field)) << field.name;
        EXPECT_EQ(fieldText(*m_document->graphics().at(5), field.field), written) << field.name;
    }
    EXPECT_EQ(std::static_pointer_cast<SKTImage>(m_document->graphics().at(3))
                  ->contents()
                  .toImage()
                  .convertToFormat(QImage::Format_ARGB32),
              picturePixels.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(Imported_Table().ListData(), rows);
    EXPECT_EQ(Imported_Table().allColumnTitles(), titles);
    EXPECT_EQ(Excel_Binding_Use.load(), 1);
    EXPECT_EQ(Excel_Source_Path, QStringLiteral("/data/guests.xlsx"));
    EXPECT_EQ(Project_File_Name, file);
    EXPECT_EQ(m_controller->window()->windowTitle(),
              QStringLiteral("%1 ( party.dcard )").arg(m_controller->App_Name));
    EXPECT_FALSE(m_document->canUndo());
    EXPECT_EQ(Not_Draw_Only_Prop_Change.load(), 0);
    EXPECT_TRUE(m_document->isUndoRegistrationEnabled());
    // The stored outline and side count become the design's.
    EXPECT_EQ(Card_Shape.load(), 2);
    EXPECT_EQ(CARD_SIDE_STR, QStringLiteral("1"));
    // The renderers see the records that were read.
    EXPECT_EQ(recordFields(CardRenderInputs::pageRecord(0)), front);
    EXPECT_EQ(recordFields(CardRenderInputs::pageRecord(1)), back);
}

TEST_F(DesignFileTest, EmptyDesignHasSixtyThreeElementsAndClearsUnusedPicturePath) {
    m_controller->Front_card_Prop.setCard_BG_Image_Path(QStringLiteral("/pictures/x.png"));
    const QString file = path(QStringLiteral("empty.dcard"));
    m_saveAnswer = file;
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    const Plist root = Plist::fromFile(file);
    ASSERT_EQ(root.type(), PlistType::Array);
    const auto items = root.view().items();
    EXPECT_EQ(items.size(), 63u);
    EXPECT_EQ(items[25].toString().value_or("?"), QString());
    EXPECT_EQ(items[61].toString().value_or("?"), QStringLiteral("0"));
    EXPECT_EQ(items[62].toString().value_or("?"), QStringLiteral("0"));
    EXPECT_TRUE(m_controller->Front_card_Prop.Card_BG_Image_Path().isEmpty());
    // No message without the message flag.
    EXPECT_TRUE(shown(m_alerts).isEmpty());
}

TEST_F(DesignFileTest, OpacityIsStoredWithTwoDecimals) {
    m_controller->Front_card_Prop.setCard_alpha_Stepper(0.37f);
    const QString file = path(QStringLiteral("alpha.dcard"));
    m_saveAnswer = file;
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    const Plist root = Plist::fromFile(file);
    const auto items = root.view().items();
    ASSERT_EQ(items.size(), 63u);
    EXPECT_EQ(items[13].toString().value_or(""), QStringLiteral("0.37"));
    EXPECT_EQ(items[41].toString().value_or(""), QStringLiteral("1.00"));
    ASSERT_EQ(m_controller->Read_and_load_design_Log(file, QStringLiteral("T")), 1);
    EXPECT_FLOAT_EQ(m_controller->Front_card_Prop.Card_alpha_Stepper(), 0.37f);
    // Any mode but "L" leaves the design without a file.
    EXPECT_TRUE(Project_File_Name.isEmpty());
}

TEST_F(DesignFileTest, SaveAsAlwaysAsksAndACancelKeepsTheName) {
    const QString file = path(QStringLiteral("first.dcard"));
    m_saveAnswer = file;
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    EXPECT_EQ(m_savePanels, 1);
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    EXPECT_EQ(m_savePanels, 1);
    m_saveAnswer.clear();
    EXPECT_EQ(m_controller->Save_project_file(true, 1), SaveResult::Cancelled);
    EXPECT_EQ(m_savePanels, 2);
    EXPECT_EQ(Project_File_Name, file);
    EXPECT_TRUE(shown(m_alerts).isEmpty());
}

// Mutations of a sound file; each must be refused without any change.
struct HostileCase {
    const char* name;
    std::function<QByteArray(const QByteArray& sound, const std::vector<PlistView>& items)> make;
};

QByteArray rebuilt(const std::vector<PlistView>& items, int cut,
                   const std::function<void(int, Plist&)>& change) {
    Plist array = Plist::array();
    for (int i = 0; i < int(items.size()) && i < cut; ++i) {
        Plist item = items[std::size_t(i)].clone();
        if (change) {
            change(i, item);
        }
        array.append(std::move(item));
    }
    return array.toBytes(PlistFormat::Xml);
}

std::function<QByteArray(const QByteArray&, const std::vector<PlistView>&)>
replaceAt(int index, std::function<Plist()> value) {
    return [index, value](const QByteArray&, const std::vector<PlistView>& items) {
        return rebuilt(items, 1 << 30, [&](int i, Plist& item) {
            if (i == index) {
                item = value();
            }
        });
    };
}

TEST_F(DesignFileTest, DamagedFilesAreRefusedAndChangeNothing) {
    buildRichDesign();
    const QString sound = path(QStringLiteral("sound.dcard"));
    m_saveAnswer = sound;
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    const QByteArray bytes = readAll(sound);
    const Plist root = Plist::fromBytes(bytes);
    const auto items = root.view().items();
    const int frontCount = 5;
    const int backCountAt = 62 + frontCount;

    auto str = [](const char* s) { return [s] { return Plist::string(QString::fromUtf8(s)); }; };
    const QByteArray fontArchive =
        KeyedArchiver::archivedRootValue(QFont(QStringLiteral("Arial"), 12));
    const HostileCase cases[] = {
        {"no bytes", [](auto&, auto&) { return QByteArray(); }},
        {"plain text", [](auto&, auto&) { return QByteArray("hello, this is text\n"); }},
        {"root dictionary",
         [](auto&, auto&) { return Plist::dictionary().toBytes(PlistFormat::Xml); }},
        {"empty array", [](auto&, auto&) { return Plist::array().toBytes(PlistFormat::Xml); }},
        {"wrong identifier", replaceAt(0, str("VOSKORELIANTHUSPAGEFY"))},
        {"cut at element 40",
         [](auto&, const std::vector<PlistView>& it) { return rebuilt(it, 40, {}); }},
        {"front count 99999", replaceAt(61, str("99999"))},
        {"front count -1", replaceAt(61, str("-1"))},
        {"front count abc", replaceAt(61, str("abc"))},
        {"front count 20 digits", replaceAt(61, str("12345678901234567890"))},
        {"back count too large", replaceAt(backCountAt, str("4"))},
        {"element 2 a string", replaceAt(2, str("black"))},
        {"corrupt object archive",
         replaceAt(63, [] { return Plist::data(QByteArray("bplist00garbage")); })},
        {"a font in a colour element",
         replaceAt(7, [fontArchive] { return Plist::data(fontArchive); })},
        {"size with 1e300", replaceAt(19, str("{1e300, 5}"))},
        {"size over 14400", replaceAt(19, str("{14401, 5}"))},
        {"malformed integer", replaceAt(3, str("1x"))},
        {"malformed opacity", replaceAt(13, str("abc"))},
        {"malformed point", replaceAt(18, str("{1, 2, 3}"))},
        {"titles not an array", replaceAt(59, str("Row No."))},
        {"a row with a number", replaceAt(60,
                                          [] {
                                              Plist rows = Plist::array();
                                              Plist row = Plist::dictionary();
                                              row.insert(QStringLiteral("Extension"),
                                                         Plist::integer(1));
                                              rows.append(std::move(row));
                                              return rows;
                                          })},
        {"too many titles", replaceAt(59,
                                      [] {
                                          Plist titles = Plist::array();
                                          for (int i = 0; i < 16386; ++i) {
                                              titles.append(Plist::string(QStringLiteral("t")));
                                          }
                                          return titles;
                                      })},
    };

    const QStringList front = recordFields(m_controller->Front_card_Prop);
    const auto frontObjects = archives(m_document->graphics());
    const auto backObjects = archives(m_document->graphics_back());
    const auto rows = Imported_Table().ListData();
    Project_File_Name = QStringLiteral("/designs/current.dcard");
    m_controller->window()->setWindowTitle(QStringLiteral("kept title"));
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QStringLiteral("bad.dcard"));
        writeBytes(file, c.make(bytes, items));
        testsupport::ScriptedAlerts alerts;
        EXPECT_EQ(m_controller->Read_and_load_design_Log(file, QStringLiteral("L")), 0);
        EXPECT_EQ(shown(alerts), QStringList{kCorrupt});
        EXPECT_EQ(recordFields(m_controller->Front_card_Prop), front);
        EXPECT_EQ(archives(m_document->graphics()), frontObjects);
        EXPECT_EQ(archives(m_document->graphics_back()), backObjects);
        EXPECT_EQ(Imported_Table().ListData(), rows);
        EXPECT_EQ(Excel_Binding_Use.load(), 1);
        EXPECT_EQ(Project_File_Name, QStringLiteral("/designs/current.dcard"));
        EXPECT_EQ(m_controller->window()->windowTitle(), QStringLiteral("kept title"));
        EXPECT_EQ(Not_Draw_Only_Prop_Change.load(), 0);
    }
    // Trailing elements are ignored.
    writeBytes(path(QStringLiteral("long.dcard")),
               replaceAt(-1, {})(bytes, items)
                   .replace("</array>\n</plist>", "<string>extra</string></array></plist>"));
    EXPECT_EQ(m_controller->Read_and_load_design_Log(path(QStringLiteral("long.dcard")),
                                                     QStringLiteral("L")),
              1);
}

TEST_F(DesignFileTest, AFifoIsNeverOpened) {
    const QString fifo = path(QStringLiteral("pipe.dcard"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(m_controller->Read_and_load_design_Log(fifo, QStringLiteral("L")), 0);
    EXPECT_EQ(shown(m_alerts), QStringList{kCorrupt});
    // A picture object naming a FIFO reads no picture and does not hang.
    auto image = std::make_shared<SKTImage>();
    image->setFilePath(fifo);
    EXPECT_TRUE(image->contents().isNull());
}

TEST_F(DesignFileTest, PicturesOfOneFileAreSharedAndUnreadableOnesToldOnce) {
    // A 1200 x 900 picture named under two spellings, in frames that show
    // at most 500 x 375 of its pixels, and a missing file named twice.
    const QString picture = path(QStringLiteral("wide.png"));
    QImage image(1200, 900, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    ASSERT_TRUE(image.save(picture, "PNG"));
    design_file::DesignContent content;
    content.front.setCard_Size(QSizeF(300, 200));
    content.back.setCard_Size(QSizeF(300, 200));
    content.titles = {QStringLiteral("Row No.")};
    const QString missing = path(QStringLiteral("gone.png"));
    for (const QString& file :
         {picture, QFileInfo(picture).path() + "/./wide.png", missing, missing}) {
        auto object = std::make_shared<SKTImage>();
        object->Set_Control_File_path(file);
        object->setBounds(QRectF(10, 10, 60, 45));
        content.frontObjects.append(object);
    }
    const QString design = path(QStringLiteral("shared.dcard"));
    ASSERT_TRUE(design_file::Write_Design_Array(design_file::Design_Array(content), design));

    const auto read = design_file::Read_Design_File(design);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->unshownPictures,
              (QList<QPair<QString, SKTPictureProblem>>{{missing, SKTPictureProblem::Missing}}));

    ASSERT_EQ(m_controller->Read_and_load_design_Log(design, QStringLiteral("L")), 1);
    const SKTGraphicList objects = m_document->graphics();
    ASSERT_EQ(objects.size(), 4);
    const auto& first = static_cast<const SKTImage&>(*objects.at(0));
    const auto& second = static_cast<const SKTImage&>(*objects.at(1));
    EXPECT_TRUE(first.contents().sharesDataWith(second.contents()));
    EXPECT_EQ(first.contents().image().size(), QSize(500, 375));
    EXPECT_EQ(first.contents().size(), QSizeF(1200, 900));
    EXPECT_TRUE(static_cast<const SKTImage&>(*objects.at(2)).contents().isNull());
}

TEST_F(DesignFileTest, FuzzedFilesOpenOrAreRefused) {
    buildRichDesign();
    m_saveAnswer = path(QStringLiteral("fuzz.dcard"));
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    const QByteArray bytes = readAll(m_saveAnswer);
    const auto root = Plist::fromBytes(bytes);
    const auto items = root.view().items();
    const quint32 seed = 20261209;
    std::printf("fuzz seed %u\n", seed);
    QRandomGenerator random(seed);
    int opened = 0;
    int refused = 0;
    // A refusal says why; what opens is a whole design that, written again,
    // reads back alike.
    auto check = [&](const QByteArray& mutant) {
        QString reason;
        const auto content = design_file::Read_Design_Bytes(mutant, &reason);
        if (!content) {
            ++refused;
            EXPECT_FALSE(reason.isEmpty());
            return;
        }
        ++opened;
        const QByteArray written = design_file::Design_Array(*content).toBytes(PlistFormat::Xml);
        const auto again = design_file::Read_Design_Bytes(written);
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(design_file::Design_Array(*again).toBytes(PlistFormat::Xml), written);
    };
    check(bytes);
    ASSERT_EQ(opened, 1);
    for (int i = 0; i < 1000; ++i) {
        QByteArray mutant = bytes;
        const int flips = 1 + int(random.bounded(8));
        for (int f = 0; f < flips; ++f) {
            mutant[int(random.bounded(quint32(mutant.size())))] = char(random.bounded(256));
        }
        check(mutant);
    }
    for (int i = 0; i < 1000; ++i) {
        const int index = int(random.bounded(quint32(items.size())));
        const int kind = int(random.bounded(4));
        check(rebuilt(items, 1 << 30, [&](int at, Plist& item) {
            if (at != index) {
                return;
            }
            switch (kind) {
            case 0:
                item = Plist::string(QString::number(random.bounded(100000)));
                break;
            case 1:
                item = Plist::integer(7);
                break;
            case 2:
                item = Plist::data(QByteArray(16, 'x'));
                break;
            default:
                item = Plist::array();
                break;
            }
        }));
    }
    for (int i = 0; i < 64; ++i) {
        check(bytes.left(int(random.bounded(quint32(bytes.size())))));
    }
    EXPECT_GT(opened, 1);
    EXPECT_GT(refused, 0);
}

// A text whose archive cannot be made once `failing` is set.
class UnarchivableText : public SKTText {
public:
    void encodeWithCoder(KeyedArchiver& coder) const override {
        if (failing) {
            throw std::runtime_error("the text cannot be archived");
        }
        SKTText::encodeWithCoder(coder);
    }
    bool failing = false;
};

// A save stopped by a failure says how many elements of the file it had
// collected: the identifier, two records of 28, the four table elements,
// the front count and the objects before the one that failed.
TEST_F(DesignFileTest, AStoppedSaveCountsTheElementsCollected) {
    struct Row {
        int failingAt; // position of the failing object on the front
        int collected;
    };
    for (const Row& row : {Row{0, 62}, Row{2, 64}}) {
        SCOPED_TRACE(row.failingAt);
        m_controller->New_Project_Setting_Reset();
        auto bad = std::make_shared<UnarchivableText>();
        SKTGraphicList objects;
        for (int i = 0; i < 3; ++i) {
            objects.append(i == row.failingAt ? bad : std::make_shared<SKTText>());
        }
        m_document->insertGraphicsInList(SKTDocumentGraphicsKey, objects, {0, 1, 2});
        bad->failing = true;
        m_saveAnswer = path(QStringLiteral("stopped.dcard"));
        testsupport::ScriptedAlerts alerts;
        m_controller->window()->findChild<QAction*>(QStringLiteral("Save_action"))->trigger();
        EXPECT_EQ(
            shown(alerts),
            QStringList{QStringLiteral("%1 -- the text cannot be archived").arg(row.collected)});
        EXPECT_FALSE(QFile::exists(m_saveAnswer));
    }
}

TEST_F(DesignFileTest, AFailedSaveLeavesTheOldFileWhole) {
    buildRichDesign();
    const QString file = path(QStringLiteral("kept.dcard"));
    m_saveAnswer = file;
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    const QByteArray before = fileHash(file);
    for (int i = 0; i < 30; ++i) {
        auto text = std::make_shared<SKTText>();
        text->Text_Value = QStringLiteral("more text %1").arg(i);
        m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {text}, {0});
    }
    {
        FileSizeLimit limit(1024);
        testsupport::ScriptedAlerts alerts;
        EXPECT_EQ(m_controller->Save_project_file(false, 1), SaveResult::Failed);
        EXPECT_EQ(firstLines(alerts), QStringList{QStringLiteral("fail")});
    }
    EXPECT_EQ(fileHash(file), before);
}

TEST_F(DesignFileTest, NewAndOpenStopUnlessTheSaveSucceeded) {
    auto text = std::make_shared<SKTText>();
    m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {text}, {0});
    // Yes to saving, then the panel is cancelled: nothing is reset.
    {
        testsupport::ScriptedAlerts alerts({1, 1});
        m_saveAnswer.clear();
        m_controller->New_Btn_Clicked();
        EXPECT_EQ(m_document->graphics().size(), 1);
        m_controller->Open_Btn_Clicked();
        EXPECT_EQ(m_document->graphics().size(), 1);
    }
    // Yes, and the write fails.
    {
        testsupport::ScriptedAlerts alerts({1, 1, 1, 1});
        m_saveAnswer = path(QStringLiteral("nowhere/missing/x.dcard"));
        m_controller->New_Btn_Clicked();
        EXPECT_EQ(m_document->graphics().size(), 1);
        EXPECT_TRUE(firstLines(alerts).contains(QStringLiteral("fail")));
    }
    // No: the new project starts.
    {
        testsupport::ScriptedAlerts alerts({0});
        m_controller->New_Btn_Clicked();
        EXPECT_TRUE(m_document->graphics().isEmpty());
    }
}

TEST_F(DesignFileTest, OpenCommandReadsTheChosenFile) {
    buildRichDesign();
    const QString file = path(QStringLiteral("open.dcard"));
    ASSERT_NO_FATAL_FAILURE(saveAndReopen(file));
    EXPECT_EQ(m_document->graphics().size(), 5);
    EXPECT_EQ(m_document->graphics_back().size(), 3);
    EXPECT_EQ(Project_File_Name, file);
}

// A file stores barcode pictures as rasters: a 2D symbol comes back drawn
// again from its own settings, as vectors with the same modules; one whose
// value gives no symbol keeps the stored picture.
TEST_F(DesignFileTest, TwoDimensionalBarcodesOpenAsVectorPictures) {
    auto qr = std::make_shared<SKTBarcode>();
    qr->setBounds(QRectF(10, 10, 20, 20));
    qr->linear_or_2d = 1;
    qr->barcode_font_index = int(DesignerLists::symbologies().indexOf(QStringLiteral("QR Code")));
    qr->two_d_font_val = QStringLiteral("https://example.org/invite/42");
    BarcodeDesigner designer;
    designer.Set_Barcode_Prop_To_Control(qr);
    const CardPicture drawn =
        designer.Get_Image_From_Val(qr->two_d_font_val, qr->header_val, qr->footer_val);
    ASSERT_TRUE(drawn.isVector());
    qr->Set_Barcode_image(drawn);
    auto empty = std::make_shared<SKTBarcode>();
    empty->setBounds(QRectF(100, 10, 20, 20));
    empty->linear_or_2d = 1;
    m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {qr, empty}, {0, 1});

    const QString file = path(QStringLiteral("codes.dcard"));
    ASSERT_NO_FATAL_FAILURE(saveAndReopen(file));
    ASSERT_EQ(m_document->graphics().size(), 2);
    const CardPicture opened = m_document->graphics()[0]->_barcode_image;
    EXPECT_TRUE(opened.isVector());
    EXPECT_EQ(opened.size(), drawn.size());
    EXPECT_EQ(opened.toImage(300.0 / 72), drawn.toImage(300.0 / 72));
    EXPECT_TRUE(m_document->graphics()[1]->_barcode_image.isRaster() ||
                m_document->graphics()[1]->_barcode_image.isNull());
}

TEST_F(DesignFileTest, OutsideReaderAcceptsTheFile) {
    const QString python = testsupport::debianPython();
    if (python.isEmpty()) {
        GTEST_SKIP() << "outside tool not installed: /usr/bin/python3";
    }
    buildRichDesign();
    m_controller->Front_card_Prop.setCard_Name(QStringLiteral("A\u0001B"));
    Imported_Table().Set_Value(0, QStringLiteral("Column1"), QStringLiteral("An\u0001n"));
    m_controller->Back_card_Prop.setCard_alpha_Stepper(1.0f);
    const QString file = path(QStringLiteral("outside.dcard"));
    m_saveAnswer = file;
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    const QString redump = path(QStringLiteral("redump.dcard"));
    const QString script = QStringLiteral(R"(
import plistlib, sys
a = plistlib.load(open(sys.argv[1], 'rb'))
assert a[0] == 'VOSKORELIANTHUSPAGEFX'
f = int(a[61]); b = int(a[62 + f])
assert len(a) == 63 + f + b, len(a)
assert a[17] == 'AB', repr(a[17])
assert a[29 + 12] == '1.00', a[41]
assert a[29 + 17] == '{0, 0}', a[46]
data = [i for i in (2, 7, 8, 9, 12, 27, 28)] + [i + 28 for i in (2, 7, 8, 9, 12, 27, 28)]
data += list(range(62, 62 + f)) + list(range(63 + f, 63 + f + b))
for i in data:
    arch = plistlib.loads(a[i])
    assert arch['$archiver'] == 'NSKeyedArchiver', i
assert a[60][0]['Column1'] == 'Ann', a[60][0]
plistlib.dump(a, open(sys.argv[2], 'wb'))
print('ok')
)");
    const auto result =
        testsupport::runProcess(python, {QStringLiteral("-c"), script, file, redump});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), QByteArray("ok"));

    const auto mine = design_file::Read_Design_File(file);
    const auto theirs = design_file::Read_Design_File(redump);
    ASSERT_TRUE(mine && theirs);
    EXPECT_EQ(recordFields(mine->front), recordFields(theirs->front));
    EXPECT_EQ(recordFields(mine->back), recordFields(theirs->back));
    EXPECT_EQ(archives(mine->frontObjects), archives(theirs->frontObjects));
    EXPECT_EQ(archives(mine->backObjects), archives(theirs->backObjects));
    EXPECT_EQ(mine->rows, theirs->rows);
    EXPECT_EQ(mine->titles, theirs->titles);
}

TEST_F(DesignFileTest, PlistutilReadsTheFile) {
    CARD_REQUIRE_TOOL(plistutil, "plistutil");
    const QString file = path(QStringLiteral("plu.dcard"));
    m_saveAnswer = file;
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    const auto result = testsupport::runProcess(
        plistutil, {QStringLiteral("-i"), file, QStringLiteral("-o"), path("plu.bin"),
                    QStringLiteral("-f"), QStringLiteral("bin")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(design_file::Read_Design_File(path("plu.bin")).has_value());
}

// ---- Templates ----

TEST(TemplateNameTest, NamesAreCleanedAndEscapesRefused) {
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {
        {" /Party? ", "Party"},
        {"Birthday", "Birthday"},
        {"../../no", ""},
        {"a/b", ""},
        {"..", ""},
        {".", ""},
        {"  ", ""},
        {"/?*", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Export_Template::cleanedTemplateName(QString::fromUtf8(c.typed)),
                  QString::fromUtf8(c.stored))
            << c.typed;
    }
}

class TemplateTest : public DesignFileTest {
protected:
    // Runs the name dialog with a typed name, pressing OK (and Cancel when
    // OK leaves it open).
    void typeName(const QString& name, const QString& passed = QString()) {
        hooks::setModalRunner([name, passed](QDialog& dialog) {
            auto& names = static_cast<Export_Template&>(dialog);
            names.template_name()->setText(name);
            names.template_passed()->setText(passed);
            names.OKPressed();
            if (names.result() != 1) {
                names.CancelPressed();
            }
            return names.result();
        });
    }
    QString folder() const { return Export_Template::userTemplateFolder(); }

    // Every file of the template folder with its content.
    std::map<QString, QByteArray> folderFiles() const {
        std::map<QString, QByteArray> files;
        const QDir dir(folder());
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
            files[name] = readAll(dir.filePath(name));
        }
        return files;
    }

    // The template folder holding exactly `files`.
    void setFolderFiles(const std::map<QString, QByteArray>& files) {
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        for (const auto& [name, bytes] : files) {
            writeBytes(QDir(folder()).filePath(name), bytes);
        }
    }

    // Saves the design as the template `name`, answering Yes to replacing.
    QString exportAs(const QString& name) {
        testsupport::ScriptedAlerts alerts({1});
        typeName(name);
        m_controller->Export_As_Template_Clicked();
        return shown(alerts).value(shown(alerts).size() - 1);
    }
};

TEST_F(TemplateTest, ExportWritesBothFilesAndKeepsTheDesignsName) {
    buildRichDesign();
    Project_File_Name = QStringLiteral("/designs/mine.dcard");
    m_controller->window()->setWindowTitle(QStringLiteral("before"));
    typeName(QStringLiteral(" /Party? "));
    m_controller->Export_As_Template_Clicked();
    EXPECT_EQ(shown(m_alerts).last(), QStringLiteral("Template exported successfully."));
    const QString design = QDir(folder()).filePath(QStringLiteral("Party.dcard"));
    const QString preview = QDir(folder()).filePath(QStringLiteral("Party.png"));
    ASSERT_TRUE(QFileInfo::exists(design));
    ASSERT_TRUE(QFileInfo::exists(preview));
    EXPECT_TRUE(design_file::Read_Design_File(design).has_value());
    EXPECT_EQ(Project_File_Name, QStringLiteral("/designs/mine.dcard"));
    EXPECT_EQ(m_controller->window()->windowTitle(), m_controller->App_Name);
    EXPECT_EQ(export_card_side, QStringLiteral("BOTH"));

    const QImage png(preview);
    const QSizeF size = CardRenderInputs::frontCanvasSize();
    EXPECT_EQ(png.width(), int(size.width()));
    EXPECT_EQ(png.height(), int(2 * size.height()));
    Card_Front_Or_Back = 0;
    const QImage front =
        SKTRenderingView::image_From_Card_Graphics(m_document->graphics(), false).toImage();
    ASSERT_FALSE(front.isNull());
    // The front at one pixel per point, against the preview's top half:
    // the two resamplings may differ at edges only.
    const QImage expected =
        front.scaled(png.width(), png.height() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    const QImage top =
        png.copy(0, 0, png.width(), png.height() / 2).convertToFormat(QImage::Format_ARGB32);
    int different = 0;
    for (int y = 0; y < top.height(); ++y) {
        for (int x = 0; x < top.width(); ++x) {
            const QRgb a = top.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 48 || std::abs(qGreen(a) - qGreen(b)) > 48 ||
                std::abs(qBlue(a) - qBlue(b)) > 48 || std::abs(qAlpha(a) - qAlpha(b)) > 48) {
                ++different;
            }
        }
    }
    EXPECT_LT(different, top.width() * top.height() / 50) << different << " pixels differ";
    // The bottom half is the back: not the front's picture.
    EXPECT_NE(png.copy(0, png.height() / 2, png.width(), png.height() / 2)
                  .convertToFormat(QImage::Format_ARGB32),
              top);
}

TEST_F(TemplateTest, RefusedNamesWriteNothing) {
    QDir().mkpath(folder());
    const QString outside = QDir(m_resources).filePath(QStringLiteral("no.png"));
    writeBytes(outside, "keep me");
    const QByteArray before = fileHash(outside);
    for (const char* typed : {"../../no", "a/b", "..", "???"}) {
        SCOPED_TRACE(typed);
        testsupport::ScriptedAlerts alerts;
        typeName(QString::fromUtf8(typed));
        m_controller->Export_As_Template_Clicked();
        EXPECT_EQ(shown(alerts), QStringList{QStringLiteral("Please enter template name.")});
    }
    EXPECT_EQ(fileHash(outside), before);
    EXPECT_TRUE(QDir(folder()).entryList(QDir::Files).isEmpty());
}

TEST_F(TemplateTest, ReplaceQuestionAndPassedName) {
    QDir().mkpath(folder());
    writeBytes(QDir(folder()).filePath(QStringLiteral("Old.dcard")), "old");
    writeBytes(QDir(folder()).filePath(QStringLiteral("Old.png")), "old");
    {
        // No to replacing: the dialog stays (and is cancelled here).
        testsupport::ScriptedAlerts alerts({0});
        typeName(QStringLiteral("Old"));
        m_controller->Export_As_Template_Clicked();
        EXPECT_EQ(shown(alerts),
                  QStringList{QStringLiteral("Template with this name already exists, Do you "
                                             "want to replace the existing template?")});
        EXPECT_EQ(readAll(QDir(folder()).filePath(QStringLiteral("Old.dcard"))), "old");
    }
    {
        Export_Template dialog;
        dialog.template_name()->setText(QStringLiteral("Old"));
        dialog.template_passed()->setText(QStringLiteral("Other"));
        testsupport::ScriptedAlerts alerts;
        dialog.OKPressed();
        EXPECT_EQ(shown(alerts),
                  QStringList{QStringLiteral("Template with this name already exists.")});
        dialog.template_passed()->setText(QStringLiteral("Old"));
        dialog.OKPressed();
        EXPECT_EQ(dialog.result(), 1);
        EXPECT_EQ(export_template_name, QStringLiteral("Old"));
    }
    {
        testsupport::ScriptedAlerts alerts({1});
        typeName(QStringLiteral("Old"));
        m_controller->Export_As_Template_Clicked();
        EXPECT_EQ(shown(alerts).last(), QStringLiteral("Template exported successfully."));
        EXPECT_TRUE(design_file::Read_Design_File(QDir(folder()).filePath("Old.dcard")));
        EXPECT_FALSE(QImage(QDir(folder()).filePath("Old.png")).isNull());
        EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 2);
    }
}

TEST_F(TemplateTest, AFailedWriteKeepsTheOldPair) {
    buildRichDesign();
    QDir().mkpath(folder());
    writeBytes(QDir(folder()).filePath(QStringLiteral("Keep.dcard")), "old design");
    writeBytes(QDir(folder()).filePath(QStringLiteral("Keep.png")), "old preview");
    for (int i = 0; i < 30; ++i) {
        auto text = std::make_shared<SKTText>();
        m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {text}, {0});
    }
    testsupport::ScriptedAlerts alerts({1});
    typeName(QStringLiteral("Keep"));
    {
        FileSizeLimit limit(2048);
        m_controller->Export_As_Template_Clicked();
    }
    EXPECT_EQ(firstLines(alerts).last(), QStringLiteral("fail"));
    EXPECT_EQ(readAll(QDir(folder()).filePath(QStringLiteral("Keep.dcard"))), "old design");
    EXPECT_EQ(readAll(QDir(folder()).filePath(QStringLiteral("Keep.png"))), "old preview");
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 2);
}

// A kill leaves the disk as it stands at that instant: the folder is taken
// at each step of a save. In every such state each file of the pair is
// whole, old or new, and the next save of the name succeeds and leaves the
// pair alone.
TEST_F(TemplateTest, AStopAtAnyStepLeavesBothFilesWhole) {
    buildRichDesign();
    const QString saved = QStringLiteral("Template exported successfully.");
    ASSERT_EQ(exportAs(QStringLiteral("Keep")), saved);
    const std::map<QString, QByteArray> oldPair = folderFiles();
    ASSERT_TRUE(m_document->removeGraphicsInList(SKTDocumentGraphicsKey, {0}));

    std::vector<std::pair<QString, std::map<QString, QByteArray>>> states;
    template_files::setStepObserver(
        [&](const QString& step) { states.emplace_back(step, folderFiles()); });
    const QString outcome = exportAs(QStringLiteral("Keep"));
    template_files::setStepObserver({});
    ASSERT_EQ(outcome, saved);
    const std::map<QString, QByteArray> newPair = folderFiles();
    ASSERT_EQ(newPair.size(), 2u);
    for (const char* name : {"Keep.dcard", "Keep.png"}) {
        ASSERT_NE(newPair.at(name), oldPair.at(name)) << name;
    }

    std::vector<QString> steps;
    for (const auto& [step, files] : states) {
        SCOPED_TRACE(step.toStdString());
        steps.push_back(step);
        for (const char* name : {"Keep.dcard", "Keep.png"}) {
            ASSERT_TRUE(files.count(name)) << name << " missing";
            EXPECT_TRUE(files.at(name) == oldPair.at(name) || files.at(name) == newPair.at(name))
                << name << " neither old nor new";
        }
        EXPECT_TRUE(design_file::Read_Design_Bytes(files.at("Keep.dcard")).has_value());
        EXPECT_FALSE(QImage::fromData(files.at("Keep.png")).isNull());
        // Stopped here, then saved again.
        setFolderFiles(files);
        ASSERT_EQ(exportAs(QStringLiteral("Keep")), saved);
        EXPECT_EQ(folderFiles(), newPair);
    }
    EXPECT_EQ(steps, (std::vector<QString>{"design written", "preview written", "design replaced",
                                           "preview replaced"}));
}

// The temporary files interrupted saves left are cleared by the next save
// of that name, which succeeds; when it fails the old pair stays. Every
// other file stays, those named like the template's files included.
TEST_F(TemplateTest, LeftoversOfStoppedSavesAreClearedByTheNextSave) {
    buildRichDesign();
    for (int i = 0; i < 30; ++i) {
        m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {std::make_shared<SKTText>()},
                                         {0});
    }
    const std::map<QString, QByteArray> others = {
        {"Keep.dcard.old", "my design"},  {"Keep.png.old", "my preview"},
        {"Keep.dcard.new1", "mine"},      {"Keep.png.new12", "mine"},
        {"Keep (copy 1).dcard", "other"}, {"Keep.dcard.backup.png", "other"}};
    std::map<QString, QByteArray> left = others;
    left.insert({{"Keep.dcard", "old design"},
                 {"Keep.png", "old preview"},
                 {".Keep.dcard.cardeditor-save-Ab12Cd", "part"},
                 {".Keep.png.cardeditor-save-x9Y8z7", "part"}});
    for (const bool diskFull : {false, true}) {
        SCOPED_TRACE(diskFull ? "disk full" : "room");
        setFolderFiles(left);
        QString outcome;
        {
            std::optional<FileSizeLimit> limit;
            if (diskFull) {
                limit.emplace(2048);
            }
            outcome = exportAs(QStringLiteral("Keep"));
        }
        std::map<QString, QByteArray> files = folderFiles();
        const QByteArray design = files["Keep.dcard"];
        const QByteArray preview = files["Keep.png"];
        files.erase("Keep.dcard");
        files.erase("Keep.png");
        EXPECT_EQ(files, others);
        if (diskFull) {
            EXPECT_EQ(outcome.section(QLatin1Char('\n'), 0, 0), QStringLiteral("fail"));
            EXPECT_EQ(design, QByteArray("old design"));
            EXPECT_EQ(preview, QByteArray("old preview"));
        } else {
            EXPECT_EQ(outcome, QStringLiteral("Template exported successfully."));
            EXPECT_TRUE(design_file::Read_Design_Bytes(design).has_value());
            EXPECT_FALSE(QImage::fromData(preview).isNull());
        }
    }
}

TEST_F(TemplateTest, NameDialogScreenshot) {
    Export_Template dialog;
    dialog.template_name()->setText(QStringLiteral("Party"));
    dialog.show();
    QCoreApplication::processEvents();
    const QImage shot = dialog.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    // The dialog's own background shows at its bottom-left corner.
    EXPECT_EQ(QColor(shot.pixel(2, shot.height() - 2)), QColor(241, 244, 250));
    // The typed name is on screen: the field is not blank.
    QLineEdit* field = dialog.template_name();
    ASSERT_TRUE(field->isVisible());
    const QImage fieldShot = field->grab().toImage();
    bool dark = false;
    for (int y = 0; y < fieldShot.height() && !dark; ++y) {
        for (int x = 0; x < fieldShot.width() && !dark; ++x) {
            dark = qGray(fieldShot.pixel(x, y)) < 96;
        }
    }
    EXPECT_TRUE(dark) << "no text drawn in the name field";
    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("export_template.png"))));
    }
}

} // namespace

namespace {

// The prepared templates the program ships: each a design file the reader
// accepts and a preview of the front above the back at one pixel per point.
TEST(PreparedTemplates, EachOpensAndHasItsPreview) {
    const QDir folder(QStringLiteral(CARD_SOURCE_DIR "/resources/Templates"));
    const QStringList designs = folder.entryList({QStringLiteral("*.dcard")}, QDir::Files);
    EXPECT_EQ(designs.size(), 3);
    EXPECT_EQ(folder.entryList(QDir::Files).size(), 2 * designs.size());
    for (const QString& name : designs) {
        SCOPED_TRACE(name.toStdString());
        QString reason;
        const auto content = design_file::Read_Design_File(folder.filePath(name), &reason);
        ASSERT_TRUE(content.has_value()) << reason.toStdString();
        EXPECT_FALSE(content->frontObjects.isEmpty());
        const QImage preview(folder.filePath(QFileInfo(name).completeBaseName() + ".png"));
        ASSERT_FALSE(preview.isNull());
        const QSizeF size = content->front.Card_Size();
        EXPECT_EQ(preview.width(), int(size.width()));
        EXPECT_EQ(preview.height(), int(2 * size.height()));
    }
}

// How far two pictures of the same size are apart: the mean difference of
// their channels in levels (0-255), and the share of pixels that differ by
// more than a quarter of the range in any channel.
struct PictureDifference {
    double meanLevels = 0;
    double farPixels = 0;
};

PictureDifference differenceOf(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    qint64 far = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto* l = reinterpret_cast<const QRgb*>(left.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            const int d[] = {
                std::abs(qRed(l[x]) - qRed(r[x])), std::abs(qGreen(l[x]) - qGreen(r[x])),
                std::abs(qBlue(l[x]) - qBlue(r[x])), std::abs(qAlpha(l[x]) - qAlpha(r[x]))};
            sum += d[0] + d[1] + d[2] + d[3];
            far += *std::max_element(std::begin(d), std::end(d)) > 64 ? 1 : 0;
        }
    }
    const double pixels = std::max(1.0, double(left.width()) * left.height());
    return {sum / (4 * pixels), far / pixels};
}

// The tool that makes the prepared templates makes the committed ones again:
// the same design files byte for byte, and previews of the same size and
// resolution that look the same. Text is drawn with the machine's own
// release of the card fonts, whose glyph edges may differ by a few levels,
// so the previews are compared by how far apart they are, not pixel for
// pixel.
TEST(PreparedTemplates, TheGeneratorMakesTheCommittedFilesAgain) {
    const QString generator = QStringLiteral(CARD_BINARY_DIR "/tools/template_gen/template_gen");
    if (!QFileInfo(generator).isExecutable()) {
        GTEST_SKIP() << "template_gen not built: " << generator.toStdString();
    }
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const auto result = testsupport::runProcess(generator, {out.path()});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QDir committed(QStringLiteral(CARD_SOURCE_DIR "/resources/Templates"));
    const QDir made(out.path());
    EXPECT_EQ(made.entryList(QDir::Files), committed.entryList(QDir::Files));
    for (const QString& name : committed.entryList({QStringLiteral("*.dcard")}, QDir::Files)) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(readAll(made.filePath(name)), readAll(committed.filePath(name)));
        const QString preview = QFileInfo(name).completeBaseName() + QStringLiteral(".png");
        const QImage mine(made.filePath(preview));
        const QImage theirs(committed.filePath(preview));
        ASSERT_FALSE(theirs.isNull());
        ASSERT_EQ(mine.size(), theirs.size());
        EXPECT_EQ(mine.dotsPerMeterX(), theirs.dotsPerMeterX());
        EXPECT_EQ(mine.dotsPerMeterY(), theirs.dotsPerMeterY());
        const PictureDifference difference = differenceOf(mine, theirs);
        EXPECT_LT(difference.meanLevels, 0.5);
        EXPECT_LT(difference.farPixels, 0.002);
    }
}

} // namespace
