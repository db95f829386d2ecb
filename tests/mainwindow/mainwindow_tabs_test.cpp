// Inspector tab switching: which pages show for the card and each object
// kind, their labels, and loading records into the controls.

#include "mainwindow_controller_fixture.h"

#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "widgets/CardStepper.h"
#include "widgets/ColorWell.h"
#include "widgets/FloatSlider.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <functional>

namespace {

using Factory = std::function<std::shared_ptr<SKTGraphic>()>;

std::shared_ptr<SKTGraphic> shape(const char* code) {
    auto graphic = std::make_shared<Shape_Control>();
    graphic->_shape_type = QString::fromLatin1(code);
    return graphic;
}

std::shared_ptr<SKTGraphic> signature(const char* kind) {
    auto graphic = std::make_shared<SKTSignature>();
    graphic->sign_or_fingureprint = QString::fromLatin1(kind);
    return graphic;
}

class InspectorTest : public ControllerFixture {
protected:
    QString kindText() const { return control<QLineEdit>("sel_control_name")->text(); }
};

struct KindCase {
    const char* name;
    Factory make;
    QStringList pages;
    QStringList labels; // empty entries: the page's own title
    QString kind;
};

TEST_F(InspectorTest, UnlockedObjectsGetTheirTabsAndAlignmentLast) {
    start();
    const KindCase cases[] = {
        {"text",
         [] { return std::make_shared<SKTText>(); },
         {"text_edtng_tab", "text_prop_tab", "datasource_tab", "aligmnt_tab"},
         {"", "", "Text Source", ""},
         "T"},
        {"picture",
         [] { return std::make_shared<SKTImage>(); },
         {"datasource_tab", "image_tab", "aligmnt_tab"},
         {"Image Source", "", ""},
         "I"},
        {"line",
         [] { return std::make_shared<SKTLine>(); },
         {"line_tab", "aligmnt_tab"},
         {"", ""},
         "NONE"},
        {"signature",
         [] { return signature("S"); },
         {"sign_tab", "aligmnt_tab"},
         {"Signature Properties", ""},
         "S"},
        {"fingerprint",
         [] { return signature("F"); },
         {"sign_tab", "aligmnt_tab"},
         {"FingrePrint Properties", ""},
         "F"},
        {"barcode",
         [] { return std::make_shared<SKTBarcode>(); },
         {"barcode_tab", "aligmnt_tab"},
         {"", ""},
         "NONE"},
        {"rectangle",
         [] { return shape("R"); },
         {"shape_tab", "aligmnt_tab"},
         {"Rectangle Properties", ""},
         "NONE"},
        // Any other class is a shape.
        {"plain record with an unknown shape code",
         [] {
             auto graphic = std::make_shared<SKTGraphic>();
             graphic->_shape_type = QStringLiteral("Q");
             return graphic;
         },
         {"shape_tab", "aligmnt_tab"},
         {"", ""},
         "NONE"},
    };
    for (const KindCase& c : cases) {
        m_controller->setSelected_Control_Tool(4);
        m_controller->Show_RHS_Properties(c.make());
        EXPECT_EQ(tabPages(), c.pages) << c.name;
        const QStringList labels = tabLabels();
        ASSERT_EQ(labels.size(), c.labels.size()) << c.name;
        for (int i = 0; i < labels.size(); ++i) {
            const QString expected = c.labels[i].isEmpty()
                                         ? m_controller->sett_tab()->widget(i)->windowTitle()
                                         : c.labels[i];
            EXPECT_EQ(labels[i], expected) << c.name << " tab " << i;
        }
        EXPECT_EQ(m_controller->sett_tab()->currentIndex(), 0) << c.name;
        EXPECT_EQ(kindText(), c.kind) << c.name;
        EXPECT_EQ(m_controller->Selected_Control_Tool(), 0) << c.name;
        EXPECT_TRUE(enabled("Cut_btn") && enabled("Delete_btn")) << c.name;
        EXPECT_TRUE(enabled("Lock_btn") && !enabled("Unlock_btn")) << c.name;
        EXPECT_EQ(Not_Draw_Only_Prop_Change, 0) << c.name;
    }
}

TEST_F(InspectorTest, LockedObjectsGetOnlyTheLockTab) {
    start();
    const std::pair<Factory, QString> cases[] = {
        {[] { return std::make_shared<SKTText>(); }, "Text Properties"},
        {[] { return std::make_shared<SKTImage>(); }, "Image Properties"},
        {[] { return std::make_shared<SKTLine>(); }, "Line Properties"},
        {[] { return signature("S"); }, "Signature Properties"},
        {[] { return signature("F"); }, "Signature Properties"},
        {[] { return std::make_shared<SKTBarcode>(); }, "Barcode Properties"},
        {[] { return shape("DS"); }, "Double Star Properties"},
    };
    for (const auto& [make, label] : cases) {
        auto graphic = make();
        graphic->ctrl_is_locked = true;
        m_controller->Show_RHS_Properties(graphic);
        EXPECT_EQ(tabPages(), QStringList{"Lock_tab"}) << label.toStdString();
        EXPECT_EQ(tabLabels(), QStringList{label});
        EXPECT_TRUE(!enabled("Lock_btn") && enabled("Unlock_btn"));
        EXPECT_FALSE(enabled("Cut_btn"));
    }
}

TEST_F(InspectorTest, LockedTextStillLoadsItsControls) {
    start();
    auto text = std::make_shared<SKTText>();
    text->ctrl_is_locked = true;
    text->_Text_contents = SKTStyledText(QStringLiteral("Party at noon"));
    text->text_alignmnet = 2;
    text->alpha_val = 0.25f;
    text->txt_clr = QColor(200, 10, 10);
    m_controller->Show_RHS_Properties(text);
    EXPECT_EQ(control<ColorWell>("Text_clr")->color(), QColor(200, 10, 10));
    // New texts take it, without reading the widget.
    EXPECT_EQ(m_controller->currentTextColor(), QColor(200, 10, 10));
    EXPECT_EQ(control<QPlainTextEdit>("Text_value_Edit")->toPlainText(),
              QStringLiteral("Party at noon"));
    EXPECT_EQ(control<QComboBox>("Text_align_combo")->currentIndex(), 2);
    EXPECT_EQ(control<QLineEdit>("Text_alpha_Text")->text(), QStringLiteral("25"));
    EXPECT_EQ(kindText(), QStringLiteral("T"));
}

struct ShapeCase {
    const char* code;
    const char* label;
    bool radius;
    bool stars;
    bool sides;
};

TEST_F(InspectorTest, ShapeCodesLabelTheTabAndShowTheirExtraControls) {
    start();
    const ShapeCase cases[] = {
        {"R", "Rectangle Properties", false, false, false},
        {"C", "Ellipse Properties", false, false, false},
        {"RR", "Rounded Rectangle Properties", true, false, false},
        {"T", "Triangle Properties", false, false, false},
        {"D", "Diamond Properties", false, false, false},
        {"S", "Star Properties", false, false, false},
        {"DS", "Double Star Properties", false, true, false},
        {"P", "Polygon Properties", false, false, true},
    };
    for (const ShapeCase& c : cases) {
        m_controller->Show_RHS_Properties(shape(c.code));
        EXPECT_EQ(tabLabels().first(), QString::fromLatin1(c.label)) << c.code;
        EXPECT_EQ(control<QLabel>("Shape_prop_title")->text(), QString::fromLatin1(c.label));
        // isVisibleTo: the page may not be the one shown.
        QWidget* page = m_controller->tabPage(SKTWindowController::ShapeTab);
        for (const char* name :
             {"shape_cor_radius_Stepper", "shape_cor_radius_Text", "shape_cor_radius_Label"}) {
            EXPECT_EQ(page->findChild<QWidget*>(name)->isVisibleTo(page), c.radius)
                << c.code << name;
        }
        for (const char* name : {"double_star_Label", "double_star_Stepper", "double_star_Text"}) {
            EXPECT_EQ(page->findChild<QWidget*>(name)->isVisibleTo(page), c.stars)
                << c.code << name;
        }
        for (const char* name : {"polygon_Label", "polygon_Stepper", "polygon_Text"}) {
            EXPECT_EQ(page->findChild<QWidget*>(name)->isVisibleTo(page), c.sides)
                << c.code << name;
        }
    }
    // Locked: none of the extra controls.
    auto locked = shape("RR");
    locked->ctrl_is_locked = true;
    m_controller->Show_RHS_Properties(locked);
    QWidget* page = m_controller->tabPage(SKTWindowController::ShapeTab);
    EXPECT_FALSE(page->findChild<QWidget*>("shape_cor_radius_Stepper")->isVisibleTo(page));
}

TEST_F(InspectorTest, NothingChangesWhileTheLoadingFlagIsSet) {
    start();
    const QStringList before = tabPages();
    m_controller->setSelected_Control_Tool(7);
    Not_Draw_Only_Prop_Change = 1;
    m_controller->Show_RHS_Properties(std::make_shared<SKTText>());
    m_controller->Show_RHS_Properties(nullptr);
    EXPECT_EQ(tabPages(), before);
    EXPECT_EQ(m_controller->Selected_Control_Tool(), 7);
    EXPECT_EQ(m_controller->lastSelectedGraphic(), nullptr);
    EXPECT_EQ(Not_Draw_Only_Prop_Change, 1); // not ours to clear
    Not_Draw_Only_Prop_Change = 0;
}

TEST_F(InspectorTest, SameObjectTwiceRebuildsNothingButUpdatesTheButtons) {
    start();
    auto text = std::make_shared<SKTText>();
    m_controller->Show_RHS_Properties(text);
    m_controller->sett_tab()->setCurrentIndex(2);
    control<QPlainTextEdit>("Text_value_Edit")->setPlainText(QStringLiteral("typed"));
    text->ctrl_is_locked = true;
    m_controller->Show_RHS_Properties(text);
    EXPECT_EQ(m_controller->sett_tab()->currentIndex(), 2);
    EXPECT_EQ(tabPages().size(), 4);
    EXPECT_EQ(control<QPlainTextEdit>("Text_value_Edit")->toPlainText(), QStringLiteral("typed"));
    EXPECT_TRUE(!enabled("Lock_btn") && enabled("Unlock_btn"));
    // After the card view the same object is shown anew.
    m_controller->Show_RHS_Properties(nullptr);
    m_controller->Show_RHS_Properties(text);
    EXPECT_EQ(tabPages(), QStringList{"Lock_tab"});
}

TEST_F(InspectorTest, LoadingAnObjectLeavesItUnchanged) {
    start();
    const Factory makers[] = {
        [] { return std::make_shared<SKTText>(); },    [] { return std::make_shared<SKTImage>(); },
        [] { return std::make_shared<SKTLine>(); },    [] { return signature("F"); },
        [] { return std::make_shared<SKTBarcode>(); }, [] { return shape("P"); },
    };
    for (const Factory& make : makers) {
        auto graphic = make();
        graphic->_strokeWidth = 2.75;
        graphic->alpha_val = 0.333f;
        graphic->alpha_val_stroke = 0.5f;
        graphic->_fillColor = QColor(10, 20, 30, 40);
        graphic->_stroke_border_type = QStringLiteral("DD");
        graphic->_fill_type = QStringLiteral("H");
        graphic->_fill_hatch_type = QStringLiteral("unknown pattern");
        graphic->_line_cap_style = 7; // outside the pop-up
        graphic->batch_list_name = QStringLiteral("Guests");
        graphic->_Text_contents = SKTStyledText(QStringLiteral("x"));
        const QByteArray before = graphic->archivedData();
        m_controller->Show_RHS_Properties(graphic);
        EXPECT_EQ(graphic->archivedData(), before) << graphic->className().toStdString();
    }
}

TEST_F(InspectorTest, ShapeValuesFollowTheLoadingRules) {
    start();
    auto graphic = shape("R");
    graphic->_strokeWidth = 2.9;
    graphic->_stroke_border_type = QStringLiteral("DDD");
    graphic->alpha_val = 0.5f;
    graphic->_fill_type = QStringLiteral("G");
    graphic->_fill_grad_angle = 45.5;
    graphic->_isDrawingStroke = false;
    graphic->_strokeColor = QColor(1, 2, 3);
    m_controller->Show_RHS_Properties(graphic);
    EXPECT_EQ(control<CardStepper>("shape_bor_Stepper")->doubleValue(), 2.0);
    EXPECT_EQ(control<QLineEdit>("shape_bor_Text")->text(), QStringLiteral("2"));
    EXPECT_EQ(control<QComboBox>("shape_border_style")->currentIndex(), 4);
    EXPECT_EQ(control<CardStepper>("shape_alpha_Stepper")->doubleValue(), 50.0);
    EXPECT_EQ(control<QLineEdit>("shape_alpha_Text")->text(), QStringLiteral("50"));
    EXPECT_EQ(control<QLineEdit>("shape_grad_Text")->text(), QStringLiteral("45.5"));
    EXPECT_EQ(control<ColorWell>("shape_bordr_clr")->color(), QColor(1, 2, 3));
    EXPECT_TRUE(control<QRadioButton>("Shape_gradient_fill_rd")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Shape_solid_fill_rd")->isChecked());
    // Border box off with its check box; gradient wins inside the fill box.
    EXPECT_FALSE(control<CardStepper>("shape_bor_Stepper")->isEnabled());
    EXPECT_TRUE(control<ColorWell>("shape_fill_Grd_1_clr")->isEnabled());
    EXPECT_FALSE(control<ColorWell>("shape_fill_clr")->isEnabled());
    EXPECT_FALSE(control<QComboBox>("shape_hatch_style")->isEnabled());

    // An unknown border letter leaves the pop-up; an empty hatch selects
    // nothing.
    auto other = shape("C");
    other->_stroke_border_type = QStringLiteral("ZZ");
    other->_fill_type = QStringLiteral("H");
    other->_fill_hatch_type = QString();
    m_controller->Show_RHS_Properties(other);
    EXPECT_EQ(control<QComboBox>("shape_border_style")->currentIndex(), 4);
    EXPECT_EQ(control<QComboBox>("shape_hatch_style")->currentIndex(), -1);
    EXPECT_TRUE(control<QRadioButton>("Shape_Style_fill_rd")->isChecked());
    EXPECT_TRUE(control<QComboBox>("shape_hatch_style")->isEnabled());
    EXPECT_FALSE(control<ColorWell>("shape_fill_Grd_2_clr")->isEnabled());

    auto third = shape("T");
    third->_fill_hatch_type = QStringLiteral("diagonal");
    m_controller->Show_RHS_Properties(third);
    EXPECT_EQ(control<QComboBox>("shape_hatch_style")->currentText(), QStringLiteral("diagonal"));
}

TEST_F(InspectorTest, PictureAndLineValues) {
    start();
    auto image = std::make_shared<SKTImage>();
    image->_file_path = QStringLiteral("/pictures/cake.png");
    image->hue_val = 1.5f;
    image->img_trnsp_val = 80.0f;
    image->Sepia = true;
    image->_isFlippedHorizontally = true;
    image->data_source_type = 1;
    m_controller->Show_RHS_Properties(image);
    EXPECT_EQ(control<QLineEdit>("Manual_image_path")->text(),
              QStringLiteral("/pictures/cake.png"));
    EXPECT_DOUBLE_EQ(control<FloatSlider>("Hue_slidr")->floatValue(), 1.5);
    EXPECT_EQ(control<QLineEdit>("Trsp_slidr_val")->text(), QStringLiteral("80"));
    EXPECT_TRUE(control<QCheckBox>("Image_Sepia_chk")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("Image_FIH_chk")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("Image_FIV_chk")->isChecked());
    EXPECT_EQ(control<QComboBox>("Data_source_type")->currentIndex(), 1);
    EXPECT_TRUE(control<QGroupBox>("manual_brws_box")
                    ->isVisibleTo(m_controller->tabPage(SKTWindowController::DataSourceTab)));
    EXPECT_EQ(control<QLabel>("data_source_title")->text(), QStringLiteral("Image Source"));

    auto line = std::make_shared<SKTLine>();
    line->_strokeWidth = 4.99;
    line->_line_cap_style = 2;
    line->_line_ori = 1;
    line->alpha_val_stroke = 0.7f;
    m_controller->Show_RHS_Properties(line);
    EXPECT_EQ(control<QLineEdit>("Line_Wdt_Text")->text(), QStringLiteral("4"));
    EXPECT_EQ(control<QComboBox>("Line_cap_style")->currentIndex(), 2);
    EXPECT_EQ(control<QComboBox>("Line_ori_style")->currentIndex(), 1);
    EXPECT_EQ(control<QLineEdit>("Line_alpha_Text")->text(), QStringLiteral("70"));

    m_controller->Show_RHS_Properties(std::make_shared<SKTText>());
    EXPECT_FALSE(control<QGroupBox>("manual_brws_box")
                     ->isVisibleTo(m_controller->tabPage(SKTWindowController::DataSourceTab)));
}

TEST_F(InspectorTest, CardViewLoadsTheCurrentSidesRecord) {
    start();
    m_controller->Back_card_Prop.setCard_Name(QStringLiteral("Back side"));
    m_controller->Back_card_Prop.setCard_bor_Stepper(7);
    m_controller->Back_card_Prop.setCard_border_style(QStringLiteral("DO"));
    m_controller->Back_card_Prop.setCard_alpha_Stepper(0.5f);
    m_controller->Back_card_Prop.setCard_fill_style(QStringLiteral("H"));
    m_controller->Back_card_Prop.setCard_hatch_style(QString());
    m_controller->Back_card_Prop.setCard_Content_clr(QColor(9, 8, 7));
    m_controller->Front_card_Prop.setCard_Name(QStringLiteral("Front side"));
    Card_Shape = 2;
    m_controller->Select_back_side();
    EXPECT_EQ(control<QLineEdit>("card_name")->text(), QStringLiteral("Back side"));
    EXPECT_EQ(control<QLineEdit>("Card_bor_Text")->text(), QStringLiteral("7"));
    EXPECT_EQ(control<QComboBox>("Card_border_style")->currentIndex(), 2);
    EXPECT_EQ(control<QLineEdit>("Card_alpha_Text")->text(), QStringLiteral("50"));
    EXPECT_EQ(control<QComboBox>("Card_hatch_style")->currentIndex(), -1);
    EXPECT_TRUE(control<QRadioButton>("Card_Style_fill_rd")->isChecked());
    EXPECT_EQ(control<ColorWell>("All_Text_clr")->color(), QColor(9, 8, 7));
    EXPECT_EQ(control<ColorWell>("All_Text_clr_COPY")->color(), QColor(9, 8, 7));
    EXPECT_TRUE(control<QRadioButton>("matrix_card_shape_ellipse")->isChecked());
    EXPECT_EQ(m_controller->Back_card_Prop.Card_Size(), m_controller->canvasSize());
    EXPECT_EQ(m_controller->Back_card_Prop.Card_Location(), QPointF(0, 0));
    EXPECT_EQ(m_controller->lastSelectedGraphic(), nullptr);
    for (const char* button : {"Cut_btn", "Copy_btn", "Delete_btn", "Lock_btn", "Unlock_btn"}) {
        EXPECT_FALSE(enabled(button)) << button;
    }
    m_controller->Select_front_side();
    EXPECT_EQ(control<QLineEdit>("card_name")->text(), QStringLiteral("Front side"));
    Card_Shape = 0;
}

struct FillCase {
    const char* style;
    bool solid, gradient, hatch, picture;
};

TEST_F(InspectorTest, CardFillStyleOptions) {
    start();
    control<QCheckBox>("Card_fill_chk")->setChecked(true);
    const FillCase cases[] = {
        {"S", true, false, false, false}, {"G", false, true, false, false},
        {"H", false, false, true, false}, {"I", false, false, false, true},
        {"?", true, false, false, false},
    };
    for (const FillCase& c : cases) {
        m_controller->card_prop_set(QString::fromLatin1(c.style));
        EXPECT_EQ(control<QRadioButton>("Card_solid_fill_rd")->isChecked(), c.solid) << c.style;
        EXPECT_EQ(control<QRadioButton>("Card_gradient_fill_rd")->isChecked(), c.gradient);
        EXPECT_EQ(control<QRadioButton>("Card_Style_fill_rd")->isChecked(), c.hatch);
        EXPECT_EQ(control<QRadioButton>("Card_Image_fill_rd")->isChecked(), c.picture);
        EXPECT_EQ(control<ColorWell>("Card_fill_clr")->isEnabled(), c.solid) << c.style;
        for (const char* name : {"Card_fill_Grd_1_clr", "Card_fill_Grd_2_clr", "Card_grad_Text",
                                 "Card_grad_Stepper"}) {
            EXPECT_EQ(control<QWidget>(name)->isEnabled(), c.gradient) << c.style << name;
        }
        for (const char* name : {"Card_hatch_style", "Card_hatch_bk_clr"}) {
            EXPECT_EQ(control<QWidget>(name)->isEnabled(), c.hatch) << c.style << name;
        }
        EXPECT_EQ(control<QWidget>("Card_Image_path")->isEnabled(), c.picture) << c.style;
    }
    // Fill off: the whole box is off whatever the style.
    control<QCheckBox>("Card_fill_chk")->setChecked(false);
    m_controller->card_prop_set(QStringLiteral("S"));
    EXPECT_FALSE(control<QRadioButton>("Card_solid_fill_rd")->isEnabled());
}

} // namespace
