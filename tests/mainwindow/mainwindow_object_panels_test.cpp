// The object inspectors' write side: each tab's controls reach the selected
// objects of the current side, the text, picture, signature and barcode
// actions, and the shared combo box handler.

#include "mainwindow_controller_fixture.h"

#include "barcodes/BarcodeGlobals.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "mainwindow/controller/WindowEntries.h"
#include "widgets/CardStepper.h"
#include "widgets/ColorWell.h"
#include "widgets/FloatSlider.h"
#include "widgets/GuiHooks.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace {

class ObjectInspectorTest : public ControllerFixture {
public:
    // The case tables act on the fixture from outside.
    using ControllerFixture::control;
    using ControllerFixture::m_controller;

protected:
    SKTGraphicView* view() const { return m_controller->currentGraphicView(); }

    // Puts the objects on the front side, selects them all and shows the
    // first one's tabs.
    void place(const SKTGraphicList& graphics) {
        QList<int> indexes;
        for (int i = 0; i < graphics.size(); ++i) {
            ASSERT_TRUE(m_document->insertGraphic(graphics[i], i));
            indexes << i;
        }
        view()->changeSelectionIndexes(indexes);
        m_controller->Show_RHS_Properties(graphics.first());
    }

    QString picturePath(const QString& name, QColor colour = Qt::red) {
        const QString path = QDir(m_temp.path()).filePath(name);
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }
};

struct TabCase {
    const char* name;
    std::function<std::shared_ptr<SKTGraphic>()> make;
    std::function<void(ObjectInspectorTest&)> act;
    std::function<void(const SKTGraphic&)> check;
};

TEST_F(ObjectInspectorTest, EachTabWritesItsControlsIntoTheSelectedObject) {
    const TabCase cases[] = {
        {"shape opacity 50 and gradient fill",
         [] {
             auto shape = std::make_shared<Shape_Control>();
             shape->_shape_type = QStringLiteral("R");
             return shape;
         },
         [](ObjectInspectorTest& t) {
             t.control<QCheckBox>("Shape_fill_chk")->setChecked(true);
             t.control<CardStepper>("shape_alpha_Stepper")->setDoubleValue(50);
             t.control<QRadioButton>("Shape_gradient_fill_rd")->click();
         },
         [](const SKTGraphic& g) {
             EXPECT_FLOAT_EQ(g.alpha_val, 0.5f);
             EXPECT_EQ(g._fill_type, QStringLiteral("G"));
             EXPECT_TRUE(g._isDrawingFill);
         }},
        {"shape opacity 0 is fully transparent", [] { return std::make_shared<Shape_Control>(); },
         [](ObjectInspectorTest& t) {
             t.control<CardStepper>("shape_alpha_Stepper")->setDoubleValue(0);
             t.m_controller->Update_Shape_Graphics();
         },
         [](const SKTGraphic& g) { EXPECT_FLOAT_EQ(g.alpha_val, 0.0f); }},
        {"shape border off keeps colour and width",
         [] {
             auto shape = std::make_shared<Shape_Control>();
             shape->_isDrawingStroke = true;
             shape->_strokeColor = QColor(0, 0, 200);
             shape->_strokeWidth = 6;
             return shape;
         },
         [](ObjectInspectorTest& t) { t.control<QCheckBox>("Shape_border_chk")->click(); },
         [](const SKTGraphic& g) {
             EXPECT_FALSE(g._isDrawingStroke);
             EXPECT_EQ(g._strokeColor, QColor(0, 0, 200));
             EXPECT_EQ(g._strokeWidth, 6);
         }},
        {"line style dots, no cap chosen", [] { return std::make_shared<SKTLine>(); },
         [](ObjectInspectorTest& t) {
             t.control<QComboBox>("Line_border_style")->setCurrentIndex(2);
             t.control<QComboBox>("Line_cap_style")->setCurrentIndex(-1);
             t.m_controller->comboBoxSelectionDidChange(t.control<QComboBox>("Line_cap_style"));
         },
         [](const SKTGraphic& g) {
             EXPECT_EQ(g._stroke_border_type, QStringLiteral("DO"));
             EXPECT_EQ(g._line_cap_style, 0);
             EXPECT_TRUE(g._isDrawingStroke);
         }},
        {"line opacity 25", [] { return std::make_shared<SKTLine>(); },
         [](ObjectInspectorTest& t) {
             t.control<CardStepper>("Line_alpha_Stepper")->setDoubleValue(25);
             t.m_controller->Update_Line_Graphics();
         },
         [](const SKTGraphic& g) { EXPECT_FLOAT_EQ(g.alpha_val_stroke, 0.25f); }},
        {"text alignment and kerning", [] { return std::make_shared<SKTText>(); },
         [](ObjectInspectorTest& t) {
             t.control<CardStepper>("Text_Kern_Stepper")->setDoubleValue(1.5);
             t.control<QComboBox>("Text_align_combo")->setCurrentIndex(2);
             t.m_controller->comboBoxSelectionDidChange(t.control<QComboBox>("Text_align_combo"));
         },
         [](const SKTGraphic& g) {
             EXPECT_EQ(g.text_alignmnet, 2);
             EXPECT_FLOAT_EQ(g.text_kerning, 1.5f);
         }},
        {"picture sliders and flips", [] { return std::make_shared<SKTImage>(); },
         [](ObjectInspectorTest& t) {
             t.control<FloatSlider>("Sat_slidr")->setFloatValue(1.5);
             t.control<QCheckBox>("Image_FIH_chk")->click();
         },
         [](const SKTGraphic& g) {
             EXPECT_FLOAT_EQ(g.sat_val, 1.5f);
             EXPECT_TRUE(g._isFlippedHorizontally);
         }},
        {"signature border style",
         [] {
             auto sign = std::make_shared<SKTSignature>();
             sign->sign_or_fingureprint = QStringLiteral("S");
             return sign;
         },
         [](ObjectInspectorTest& t) {
             t.control<QComboBox>("Sign_border_style")->setCurrentIndex(4);
             t.m_controller->comboBoxSelectionDidChange(t.control<QComboBox>("Sign_border_style"));
         },
         [](const SKTGraphic& g) { EXPECT_EQ(g._stroke_border_type, QStringLiteral("DDD")); }},
    };
    for (const TabCase& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        const auto graphic = c.make();
        place({graphic});
        c.act(*this);
        c.check(*graphic);
        m_controller.reset();
    }
}

TEST_F(ObjectInspectorTest, NothingIsWrittenWhileTheInspectorLoads) {
    start();
    auto shape = std::make_shared<Shape_Control>();
    place({shape});
    control<CardStepper>("shape_alpha_Stepper")->setDoubleValue(10);
    Not_Draw_Only_Prop_Change = 1;
    m_controller->Update_Shape_Graphics();
    Not_Draw_Only_Prop_Change = 0;
    EXPECT_FLOAT_EQ(shape->alpha_val, 1.0f);
}

TEST_F(ObjectInspectorTest, TwoTextsTakeAColourButNotTheTypedText) {
    start();
    auto first = std::make_shared<SKTText>();
    auto second = std::make_shared<SKTText>();
    first->Text_Value = QStringLiteral("one");
    second->Text_Value = QStringLiteral("two");
    place({first, second});
    control<QPlainTextEdit>("Text_value_Edit")->setPlainText(QStringLiteral("typed"));
    control<ColorWell>("Text_clr")->setColor(QColor(0, 160, 0));
    m_controller->Update_Text_Graphics();
    EXPECT_EQ(first->txt_clr, QColor(0, 160, 0));
    EXPECT_EQ(second->txt_clr, QColor(0, 160, 0));
    EXPECT_EQ(first->drawnString(), QStringLiteral("one"));
    EXPECT_EQ(second->drawnString(), QStringLiteral("two"));
}

TEST_F(ObjectInspectorTest, TypedTextLosesThePlaceholderAndStopsAt250) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8E\x89"); // two UTF-16 units
    struct Case {
        const char* name;
        QString typed;
        QString expected;
    };
    const Case cases[] = {
        {"placeholder removed", QStringLiteral("Text hereDear Ann Text here"),
         QStringLiteral("Dear Ann ")},
        {"300 characters keep 250", QString(300, QLatin1Char('x')), QString(250, QLatin1Char('x'))},
        {"a pair across 250 is dropped whole", QString(249, QLatin1Char('y')) + emoji + "zz",
         QString(249, QLatin1Char('y'))},
        {"a pair ending at 250 stays", QString(248, QLatin1Char('y')) + emoji + "zz",
         QString(248, QLatin1Char('y')) + emoji},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        auto text = std::make_shared<SKTText>();
        place({text});
        auto* edit = control<QPlainTextEdit>("Text_value_Edit");
        edit->setPlainText(c.typed); // a paste: textChanged runs the action
        EXPECT_EQ(edit->toPlainText(), c.expected);
        EXPECT_EQ(text->Text_contents().string(), c.expected);
        m_controller.reset();
    }
}

TEST_F(ObjectInspectorTest, ToolAndWizardTextsShowTheirText) {
    start();
    view()->createGraphicOfClass(QStringLiteral("SKTText"), nullptr, true, QRectF(40, 60, 100, 20),
                                 QStringLiteral("F"), QStringLiteral("Dear guests"),
                                 QStringLiteral("PARTY_TITLE"));
    ASSERT_EQ(m_document->graphics().size(), 1);
    const auto text = m_document->graphics().first();
    m_controller->Show_RHS_Properties(text);
    EXPECT_EQ(control<QPlainTextEdit>("Text_value_Edit")->toPlainText(),
              QStringLiteral("Dear guests"));
    // Showing it made no styled text of its own.
    EXPECT_FALSE(text->_Text_contents.has_value());
}

TEST_F(ObjectInspectorTest, DateAndTimeAreInsertedInTheChosenPattern) {
    CARD_REQUIRE_TOOL(dateTool, "date");
    start();
    auto text = std::make_shared<SKTText>();
    place({text});
    auto* edit = control<QPlainTextEdit>("Text_value_Edit");
    edit->clear();
    control<QComboBox>("Text_Date_style")->setCurrentText(QStringLiteral("yyyy-MM-dd"));
    // Today as the date tool says just before and just after, so a click
    // at midnight passes too.
    const auto today = [&] {
        return QString::fromUtf8(testsupport::runProcess(dateTool, {QStringLiteral("+%F")}).out)
            .trimmed();
    };
    const QString before = today();
    control<QPushButton>("Text_Insert_Date_Btn")->click();
    const QString after = today();
    EXPECT_TRUE(edit->toPlainText() == before || edit->toPlainText() == after)
        << edit->toPlainText().toStdString() << " not " << before.toStdString();
    EXPECT_EQ(text->Text_contents().string(), edit->toPlainText());

    edit->clear();
    control<QComboBox>("Text_Time_style")->setCurrentIndex(0); // "h:mm:ss a"
    control<QPushButton>("Text_Insert_Time_Btn")->click();
    const QString time = edit->toPlainText();
    EXPECT_TRUE(time.endsWith(QStringLiteral("AM")) || time.endsWith(QStringLiteral("PM")))
        << time.toStdString();

    control<QComboBox>("Text_Date_style")->setCurrentIndex(-1);
    control<QPushButton>("Text_Insert_Date_Btn")->click();
    EXPECT_EQ(m_alerts.texts().value(0), QStringLiteral("\nPlease select Date format."));
}

TEST_F(ObjectInspectorTest, ResetAfterYesPutsTheAdjustmentsBackToNeutral) {
    start();
    auto image = std::make_shared<SKTImage>();
    image->sat_val = 2;
    image->img_trnsp_val = 40;
    image->gray_Scale = true;
    place({image});
    const testsupport::ScriptedAlerts alerts({0, 1});
    control<QPushButton>("Image_reset_Btn")->click(); // No
    EXPECT_FLOAT_EQ(image->sat_val, 2.0f);
    control<QPushButton>("Image_reset_Btn")->click(); // Yes
    EXPECT_TRUE(
        alerts.texts().value(1).endsWith(QStringLiteral("Are you sure you want to continue?")));
    EXPECT_FLOAT_EQ(image->img_trnsp_val, 100.0f);
    EXPECT_FLOAT_EQ(image->sat_val, 1.0f);
    EXPECT_FLOAT_EQ(image->con_val, 1.0f);
    EXPECT_FLOAT_EQ(image->hue_val, 0.0f);
    EXPECT_FALSE(image->gray_Scale);
    EXPECT_EQ(control<QLineEdit>("Trsp_slidr_val")->text(), QStringLiteral("100"));
}

TEST_F(ObjectInspectorTest, NewPicturesAndSignaturesResetTheAdjustmentControls) {
    start();
    const QString path = picturePath(QStringLiteral("p.png"));
    struct Case {
        const char* name;
        std::function<void()> make;
    };
    const Case cases[] = {
        {"picture from a file", [&] { SKTImage().initWithPath(QPointF(10, 10), path); }},
        {"picture from contents",
         [&] { SKTImage().initWithPosition(QPointF(10, 10), m_controller->no_image()); }},
        {"signature from contents",
         [&] {
             SKTSignature().initWithPosition(QPointF(5, 5), m_controller->sign_sample_img(),
                                             QStringLiteral("S"));
         }},
        {"signature from a file",
         [&] { SKTSignature().initWithPath(QPointF(5, 5), path, QStringLiteral("F")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        control<FloatSlider>("Con_slidr")->setFloatValue(2.5);
        control<QCheckBox>("Image_Sepia_chk")->setChecked(true);
        c.make();
        EXPECT_DOUBLE_EQ(control<FloatSlider>("Con_slidr")->floatValue(), 1.0);
        EXPECT_FALSE(control<QCheckBox>("Image_Sepia_chk")->isChecked());
    }
}

TEST_F(ObjectInspectorTest, PicturePathIsWrittenOnlyForOneSelectedObject) {
    start();
    const QString path = picturePath(QStringLiteral("one.png"));
    auto first = std::make_shared<SKTImage>();
    auto second = std::make_shared<SKTImage>();
    first->_file_path = QStringLiteral("/a.png");
    second->_file_path = QStringLiteral("/b.png");
    place({first, second});
    control<QLineEdit>("Manual_image_path")->setText(path);
    m_controller->Update_Image_Graphics();
    EXPECT_EQ(first->_file_path, QStringLiteral("/a.png"));
    EXPECT_EQ(second->_file_path, QStringLiteral("/b.png"));

    view()->changeSelectionIndexes({1});
    m_controller->Update_Image_Graphics();
    EXPECT_EQ(second->_file_path, path);
    // Through the setter: the picture follows the path.
    EXPECT_FALSE(second->contents().isNull());
    EXPECT_EQ(first->_file_path, QStringLiteral("/a.png"));
}

TEST_F(ObjectInspectorTest, CancelledPictureChooserChangesNothing) {
    start();
    auto image = std::make_shared<SKTImage>();
    image->_file_path = QStringLiteral("/kept.png");
    place({image});
    control<QLineEdit>("Manual_image_path")->setText(image->_file_path);
    Library_Selected_Image = QStringLiteral("/earlier.png");
    hooks::setOpenPanel([](const hooks::OpenPanelRequest&) { return QStringList(); });
    control<QPushButton>("Manual_Image_Browse_Btn")->click();
    EXPECT_EQ(image->_file_path, QStringLiteral("/kept.png"));
    EXPECT_EQ(Library_Selected_Image, QString());

    const QString path = picturePath(QStringLiteral("chosen.png"));
    hooks::setOpenPanel([path](const hooks::OpenPanelRequest&) { return QStringList{path}; });
    control<QPushButton>("Manual_Image_Browse_Btn")->click();
    EXPECT_EQ(image->_file_path, path);
    EXPECT_EQ(Library_Selected_Image, path);
    EXPECT_EQ(control<QLineEdit>("Manual_image_path")->text(), path);
    hooks::setOpenPanel({});
    Library_Selected_Image.clear();
}

TEST_F(ObjectInspectorTest, SignatureTabShowsAndWritesThePath) {
    start();
    const QString path = picturePath(QStringLiteral("sign.png"));
    auto first = std::make_shared<SKTSignature>();
    first->sign_or_fingureprint = QStringLiteral("S");
    first->_file_path = QStringLiteral("/first.png");
    auto second = std::make_shared<SKTSignature>();
    second->sign_or_fingureprint = QStringLiteral("S");
    second->_file_path = QStringLiteral("/second.png");
    place({first, second});
    EXPECT_EQ(control<QLineEdit>("Sign_image_path")->text(), QStringLiteral("/first.png"));

    // Two selected: the path is written into neither.
    hooks::setOpenPanel([path](const hooks::OpenPanelRequest& request) {
        EXPECT_EQ(request.allowedTypes, (QStringList{"png", "PNG"}));
        return QStringList{path};
    });
    control<QPushButton>("Sign_Browse_Btn")->click();
    EXPECT_EQ(first->_file_path, QStringLiteral("/first.png"));
    EXPECT_EQ(second->_file_path, QStringLiteral("/second.png"));

    // One selected, an empty field: nothing is written.
    view()->changeSelectionIndexes({0});
    control<QLineEdit>("Sign_image_path")->clear();
    m_controller->Update_Sign_Graphics();
    EXPECT_EQ(first->_file_path, QStringLiteral("/first.png"));

    control<QPushButton>("Sign_Browse_Btn")->click();
    EXPECT_EQ(first->_file_path, path);
    EXPECT_FALSE(first->_contents_img.isNull());
    hooks::setOpenPanel({});
}

TEST_F(ObjectInspectorTest, BarcodeDesignerPictureReachesEverySelectedBarcode) {
    start();
    auto first = std::make_shared<SKTBarcode>();
    auto second = std::make_shared<SKTBarcode>();
    place({first, second});
    QImage designed(20, 10, QImage::Format_RGB32);
    designed.fill(Qt::black);
    const CardPicture picture = CardPicture::fromImage(designed);

    // A picture left from an earlier run must not reach the objects when the
    // designer leaves none.
    Barcode_output_image = picture;
    window_entries::barcodeDesigner.set([&](const std::shared_ptr<SKTGraphic>& object) {
        EXPECT_EQ(object, first);
        EXPECT_TRUE(Barcode_output_image.isNull());
        object->qr_size_val = 99;
    });
    control<QPushButton>("View_barcode_prop_Button")->click();
    EXPECT_TRUE(first->_barcode_image.isNull());
    EXPECT_TRUE(second->_barcode_image.isNull());
    EXPECT_NE(second->qr_size_val, 99);

    window_entries::barcodeDesigner.set([&](const std::shared_ptr<SKTGraphic>& object) {
        object->qr_size_val = 77;
        Barcode_output_image = picture;
    });
    control<QPushButton>("View_barcode_prop_Button")->click();
    EXPECT_FALSE(first->_barcode_image.isNull());
    EXPECT_FALSE(second->_barcode_image.isNull());
    EXPECT_EQ(second->qr_size_val, 77);
    window_entries::barcodeDesigner.set({});
    Barcode_output_image = CardPicture();

    control<QPushButton>("View_barcode_prop_Button")->click();
    EXPECT_EQ(m_alerts.texts().value(0), QStringLiteral("\nThis is not available yet."));
}

TEST_F(ObjectInspectorTest, OneFontPanelServesTheTextAndTheContentFont) {
    start();
    auto text = std::make_shared<SKTText>();
    place({text});
    control<QPushButton>("Text_Font_Btn")->click();
    QFontDialog* panel = m_controller->fontPanel();
    EXPECT_FALSE(panel->isModal());
    EXPECT_TRUE(panel->isVisible());
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(30);
    emit panel->currentFontChanged(chosen); // the user's choice in the panel
    EXPECT_EQ(text->text_ctrl_font.pointSizeF(), 30);
    EXPECT_TRUE(control<QLabel>("Text_font_value")->text().endsWith(QStringLiteral("( 30.00 )")));

    m_controller->Show_RHS_Properties(nullptr);
    control<QPushButton>("Content_Font_Btn")->click();
    EXPECT_EQ(m_controller->fontPanel(), panel);
    QFont content(QStringLiteral("DejaVu Sans"));
    content.setPointSizeF(12);
    emit panel->currentFontChanged(content);
    EXPECT_EQ(m_controller->All_Text_font.pointSizeF(), 12);
    EXPECT_EQ(text->text_ctrl_font.pointSizeF(), 12);
    EXPECT_EQ(m_controller->Front_card_Prop.Card_Content_font().pointSizeF(), 12);
}

} // namespace
