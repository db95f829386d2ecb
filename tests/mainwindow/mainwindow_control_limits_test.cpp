// Every inspector stepper and picture slider keeps what it sets inside the
// range of its meaning, typed values end at the limits, the arrow keys step;
// every limit is saved and opens again; a resize made on the back side is
// what the file keeps; font effects survive save/open, copy/paste and
// template export.

#include "design_file_test_support.h"
#include "mainwindow_controller_fixture.h"

#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/Export_Template.h"
#include "mainwindow/controller/WindowEntries.h"
#include "widgets/CardStepper.h"
#include "widgets/FloatSlider.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>

using namespace designtest;

namespace {

using Stored = double (*)(const SKTWindowController&, const SKTGraphic*);

// One stepper or slider: typed above and below its range, the value stored
// at each limit, and after one arrow key up from the lower limit.
struct Limit {
    const char* control;
    const char* field;
    const char* kind; // "card", a shape letter, "line", "text", "image" or "sign"
    const char* high;
    double atHigh;
    const char* low;
    double atLow;
    double afterStep;
    Stored stored;
};

const Card_Property& front(const SKTWindowController& c) {
    return c.Front_card_Prop;
}

constexpr double kMM = 72.0 / 25.4;

const Limit kLimits[] = {
    {"Card_bor_Stepper", "Card_bor_Text", "card", "500", 100, "-5", 0, 1,
     [](const SKTWindowController& c, const SKTGraphic*) {
         return double(front(c).Card_bor_Stepper());
     }},
    {"Card_grad_Stepper", "Card_grad_Text", "card", "400", 360, "-10", 0, 1,
     [](const SKTWindowController& c, const SKTGraphic*) {
         return double(front(c).Card_grad_Stepper());
     }},
    {"Card_alpha_Stepper", "Card_alpha_Text", "card", "250", 1, "-40", 0, 0.01,
     [](const SKTWindowController& c, const SKTGraphic*) {
         return double(front(c).Card_alpha_Stepper());
     }},
    {"width_Stepper", "width_Text", "card", "9000", 14400, "-50", kMM, 2 * kMM,
     [](const SKTWindowController& c, const SKTGraphic*) { return front(c).Card_Size().width(); }},
    {"height_Stepper", "height_Text", "card", "6000", 14400, "0", kMM, 2 * kMM,
     [](const SKTWindowController& c, const SKTGraphic*) { return front(c).Card_Size().height(); }},
    {"shape_bor_Stepper", "shape_bor_Text", "R", "1e6", 100, "-1", 0, 1,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->_strokeWidth); }},
    {"shape_grad_Stepper", "shape_grad_Text", "R", "720", 360, "-90", 0, 1,
     [](const SKTWindowController&, const SKTGraphic* g) { return g->_fill_grad_angle; }},
    {"shape_alpha_Stepper", "shape_alpha_Text", "R", "101", 1, "-40", 0, 0.01,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->alpha_val); }},
    {"shape_cor_radius_Stepper", "shape_cor_radius_Text", "RR", "9999", 7200, "-3", 1, 2,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->cor_rad_val_val); }},
    {"double_star_Stepper", "double_star_Text", "DS", "500", 100, "-1", 1, 2,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->double_star_type); }},
    {"polygon_Stepper", "polygon_Text", "P", "500", 100, "0", 1, 2,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->polygon_type); }},
    {"Line_Wdt_Stepper", "Line_Wdt_Text", "line", "300", 100, "-2", 0, 1,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->_strokeWidth); }},
    {"Line_alpha_Stepper", "Line_alpha_Text", "line", "150", 1, "-1", 0, 0.01,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->alpha_val_stroke); }},
    {"Text_bor_Stepper", "Text_bor_Text", "text", "101", 100, "-3", 0, 1,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->_strokeWidth); }},
    {"Text_grad_Stepper", "Text_grad_Text", "text", "361", 360, "-1", 0, 1,
     [](const SKTWindowController&, const SKTGraphic* g) { return g->_fill_grad_angle; }},
    {"Text_alpha_Stepper", "Text_alpha_Text", "text", "250", 1, "-50", 0, 0.01,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->alpha_val); }},
    {"Text_Kern_Stepper", "Text_Kern_Text", "text", "500", 100, "-500", -50, -49,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->text_kerning); }},
    {"Image_bor_Stepper", "Image_bor_Text", "image", "200", 100, "-9", 0, 1,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->_strokeWidth); }},
    {"Sign_bor_Stepper", "Sign_bor_Text", "sign", "200", 100, "-9", 0, 1,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->_strokeWidth); }},
    // Sliders: the arrow key is the slider's own (right), one single step.
    {"Rotate_slidr", "Rotate_slidr_val", "image", "999", 180, "-999", -180, -179,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->rotate_image); }},
    {"Trsp_slidr", "Trsp_slidr_val", "image", "250", 100, "-40", 0, 1,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->img_trnsp_val); }},
    {"Hue_slidr", "Hue_slidr_val", "image", "10", 3.14, "-10", -3.14, -3.13,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->hue_val); }},
    {"Sat_slidr", "Sat_slidr_val", "image", "50", 2, "-1", 0, 0.01,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->sat_val); }},
    {"Brt_slidr", "Brt_slidr_val", "image", "5", 1, "-5", -1, -0.99,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->brt_val); }},
    {"Con_slidr", "Con_slidr_val", "image", "50", 4, "0", 0.25, 0.26,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->con_val); }},
    {"shrp_slidr", "shrp_slidr_val", "image", "50", 2, "-1", 0, 0.01,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->srp_val); }},
    {"ev_slidr", "ev_slidr_val", "image", "50", 3, "-50", -3, -2.99,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->ev_val); }},
    {"blr_slidr", "blr_slidr_val", "image", "500", 20, "-1", 0, 0.1,
     [](const SKTWindowController&, const SKTGraphic* g) { return double(g->blr_val); }},
};

class InspectorLimitsTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        hooks::setSavePanel([this](const hooks::SavePanelRequest&) { return m_file; });
        hooks::setOpenPanel([this](const hooks::OpenPanelRequest&) { return QStringList{m_file}; });
        Project_File_Name.clear();
        m_file = QDir(m_temp.path()).filePath(QStringLiteral("limits.dcard"));
    }

    void TearDown() override {
        for (auto* slot : {&window_entries::newDesign, &window_entries::openDesign,
                           &window_entries::saveDesign}) {
            slot->set({});
        }
        hooks::setSavePanel({});
        hooks::setOpenPanel({});
        Project_File_Name.clear();
        ControllerFixture::TearDown();
    }

    // A controller on a 120 x 120 mm card, its window shown with the File
    // menu's commands in place.
    void begin() {
        start();
        m_controller->Install_Design_File_Entries();
        MainWindowFrame* window = m_controller->window();
        window->resize(1100, 800);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    SKTGraphicView* view() const { return m_controller->currentGraphicView(); }

    // A standard key pressed on the canvas of the shown side, its window
    // active.
    void press(QKeySequence::StandardKey key) {
        MainWindowFrame* window = m_controller->window();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QCoreApplication::processEvents(); // what the last change asked for
        QTest::keySequence(view(), QKeySequence(key));
        QCoreApplication::processEvents();
    }

    // File > Save with its key; the design is saved with its message.
    void save() {
        press(QKeySequence::Save);
        ASSERT_FALSE(shown(m_alerts).isEmpty());
        EXPECT_EQ(shown(m_alerts).last(),
                  QStringLiteral("Invitation Card Design Log has been saved successfully."));
    }

    // File > Save as Template with the mouse, the name typed in its window
    // and OK clicked.
    void exportTemplate(const QString& name) {
        const hooks::ModalRunner previous = hooks::modalRunner();
        hooks::setModalRunner([&](QDialog& dialog) {
            auto* window = qobject_cast<Export_Template*>(&dialog);
            if (!window) {
                return previous ? previous(dialog) : 0;
            }
            window->show();
            QTest::keyClicks(window->template_name(), name);
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("OK_btn")),
                              Qt::LeftButton);
            return window->result();
        });
        clickMenuItem(openMenu("menuFile"), "Save_Template_action");
        hooks::setModalRunner(previous);
        ASSERT_FALSE(shown(m_alerts).isEmpty());
        EXPECT_EQ(shown(m_alerts).last(), QStringLiteral("Template exported successfully."));
    }

    // File > New, then File > Open of the saved file, with their keys.
    void reopen() {
        press(QKeySequence::New);
        press(QKeySequence::Open);
    }

    // An object of the kind with its border and gradient fill on, so every
    // control of its tab is enabled.
    std::shared_ptr<SKTGraphic> make(const QString& kind) {
        std::shared_ptr<SKTGraphic> g;
        if (kind == QLatin1String("line")) {
            g = std::make_shared<SKTLine>();
        } else if (kind == QLatin1String("text")) {
            g = std::make_shared<SKTText>();
        } else if (kind == QLatin1String("image")) {
            const QString path = QDir(m_temp.path()).filePath(QStringLiteral("p.png"));
            QImage picture(8, 6, QImage::Format_RGB32);
            picture.fill(Qt::red);
            picture.save(path, "PNG");
            auto image = std::make_shared<SKTImage>();
            image->setFilePath(path);
            g = image;
        } else if (kind == QLatin1String("sign")) {
            auto sign = std::make_shared<SKTSignature>();
            sign->Set_Sign_Or_FP(QStringLiteral("S"));
            g = sign;
        } else {
            auto shape = std::make_shared<Shape_Control>();
            shape->_shape_type = kind;
            g = shape;
        }
        // Three to a row, far enough apart that the widest border keeps
        // clear of the next object and of the card's lower right corner.
        const auto n = int(m_document->graphics().size());
        g->setBounds(QRectF(10 + 110 * (n % 3), 10 + 110 * (n / 3), 60, 40));
        g->_isDrawingStroke = true;
        g->_isDrawingFill = true;
        g->_fill_type = QStringLiteral("G");
        return g;
    }

    // The user clicks the object on the canvas; its tabs are shown.
    void select(const std::shared_ptr<SKTGraphic>& g) {
        QTest::mouseClick(view(), Qt::LeftButton, {},
                          view()->widgetRect(g->bounds()).center().toPoint());
        EXPECT_EQ(view()->selectedGraphics(), SKTGraphicList{g});
    }

    // A click on the empty card shows its tabs, with border on and
    // gradient fill.
    void openCardControls() {
        QTest::mouseClick(view(), Qt::LeftButton, {},
                          view()->widgetRect(QRectF(330, 330, 1, 1)).center().toPoint());
        EXPECT_TRUE(view()->selectedGraphics().isEmpty());
        for (const char* check : {"Card_border_chk", "Card_fill_chk"}) {
            if (!control<QCheckBox>(check)->isChecked()) {
                control<QCheckBox>(check)->click();
            }
        }
        control<QRadioButton>("Card_gradient_fill_rd")->click();
    }

    // Brings up the controls of a case's kind; answers its object (none for
    // the card).
    std::shared_ptr<SKTGraphic> show(const Limit& c) {
        if (QLatin1String(c.kind) == QLatin1String("card")) {
            openCardControls();
            return nullptr;
        }
        auto g = make(QString::fromLatin1(c.kind));
        EXPECT_TRUE(m_document->insertGraphic(g, int(m_document->graphics().size())));
        select(g);
        return g;
    }

    void type(const char* field, const char* text) {
        QLineEdit* edit = control<QLineEdit>(field);
        ASSERT_NE(edit, nullptr) << field;
        ASSERT_TRUE(edit->isEnabled()) << field;
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QString::fromLatin1(text));
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // The arrow key that steps the control up by one step.
    void stepUp(const char* name) {
        QWidget* widget = control<QWidget>(name);
        ASSERT_NE(widget, nullptr) << name;
        QTest::keyClick(widget, qobject_cast<FloatSlider*>(widget) ? Qt::Key_Right : Qt::Key_Up);
        QCoreApplication::processEvents(); // slider moves report queued
    }

    QString m_file;
};

void expectNear(double actual, double expected) {
    EXPECT_NEAR(actual, expected, 1e-5 * std::max(1.0, std::fabs(expected)));
}

TEST_F(InspectorLimitsTest, TypedValuesEndAtTheLimitsAndTheArrowKeysStep) {
    for (const Limit& c : kLimits) {
        SCOPED_TRACE(c.control);
        begin();
        const auto g = show(c);
        type(c.field, c.high);
        expectNear(c.stored(*m_controller, g.get()), c.atHigh);
        type(c.field, c.low);
        expectNear(c.stored(*m_controller, g.get()), c.atLow);
        stepUp(c.control);
        expectNear(c.stored(*m_controller, g.get()), c.afterStep);
        // The field shows what the control holds, and a word changes nothing.
        const double shown = control<QLineEdit>(c.field)->text().toDouble();
        type(c.field, "abc");
        EXPECT_EQ(control<QLineEdit>(c.field)->text().toDouble(), shown);
        expectNear(c.stored(*m_controller, g.get()), c.afterStep);
        m_controller.reset();
    }
}

TEST_F(InspectorLimitsTest, AWholeNumberFieldShowsTheWholeNumberStored) {
    begin();
    openCardControls();
    type("Card_bor_Text", "3.7");
    EXPECT_EQ(control<QLineEdit>("Card_bor_Text")->text(), QStringLiteral("4"));
    EXPECT_EQ(m_controller->Front_card_Prop.Card_bor_Stepper(), 4);
}

TEST_F(InspectorLimitsTest, EveryLimitIsSavedAndOpensAgain) {
    for (const bool high : {true, false}) {
        SCOPED_TRACE(high ? "upper limits" : "lower limits");
        begin();
        // One object per kind; each control typed past its limit.
        QMap<QString, std::shared_ptr<SKTGraphic>> objects;
        for (const Limit& c : kLimits) {
            const QString kind = QString::fromLatin1(c.kind);
            if (kind == QLatin1String("card")) {
                openCardControls();
            } else if (!objects.contains(kind)) {
                objects.insert(kind, show(c));
            } else {
                select(objects.value(kind));
            }
            type(c.field, high ? c.high : c.low);
        }
        save();
        const QStringList records = recordFields(m_controller->Front_card_Prop) +
                                    recordFields(m_controller->Back_card_Prop);
        const auto saved = archives(m_document->graphics());
        const QSizeF size = m_controller->canvasSize();

        reopen();
        EXPECT_EQ(Project_File_Name, m_file);
        EXPECT_EQ(recordFields(m_controller->Front_card_Prop) +
                      recordFields(m_controller->Back_card_Prop),
                  records);
        EXPECT_EQ(archives(m_document->graphics()), saved);
        EXPECT_EQ(m_controller->canvasSize(), size);
        m_controller.reset();
    }
}

TEST_F(InspectorLimitsTest, ACardTheReaderWouldRefuseIsNotSaved) {
    begin();
    save();
    const QByteArray before = fileHash(m_file);
    const qsizetype messages = shown(m_alerts).size();
    // 6000 mm: larger than any card a design file holds.
    m_controller->Set_Document_Size(QSizeF(6000 * kMM, 100));
    press(QKeySequence::Save);
    EXPECT_FALSE(shown(m_alerts).mid(messages).contains(
        QStringLiteral("Invitation Card Design Log has been saved successfully.")));
    EXPECT_EQ(fileHash(m_file), before);
    QString reason;
    EXPECT_TRUE(design_file::Design_Bytes(
                    design_file::Design_Array(m_controller->Current_Design_Content()), &reason)
                    .isEmpty());
    EXPECT_FALSE(reason.isEmpty());
}

TEST_F(InspectorLimitsTest, AResizeMadeOnTheBackSideIsWhatTheFileKeeps) {
    const QSizeF expected(50 * kMM, 30 * kMM);
    for (const bool viaTemplate : {false, true}) {
        SCOPED_TRACE(viaTemplate ? "template export" : "save");
        begin(); // 120 x 120 mm
        QTest::mouseClick(control<QAbstractButton>("Back_Card_Btn"), Qt::LeftButton);
        ASSERT_EQ(Current_Card_Side(), 1);
        type("width_Text", "50");
        type("height_Text", "30");
        std::optional<design_file::DesignContent> content;
        if (viaTemplate) {
            ASSERT_NO_FATAL_FAILURE(exportTemplate(QStringLiteral("small")));
            content = design_file::Read_Design_File(QDir(Export_Template::userTemplateFolder())
                                                        .filePath(QStringLiteral("small.dcard")));
        } else {
            save();
            content = design_file::Read_Design_File(m_file);
        }
        ASSERT_TRUE(content);
        EXPECT_NEAR(content->front.Card_Size().width(), expected.width(), 1e-3);
        EXPECT_NEAR(content->front.Card_Size().height(), expected.height(), 1e-3);
        if (!viaTemplate) {
            reopen();
            EXPECT_EQ(Project_File_Name, m_file);
            EXPECT_NEAR(m_controller->canvasSize().width(), expected.width(), 1e-3);
            EXPECT_NEAR(m_controller->canvasSize().height(), expected.height(), 1e-3);
        }
        m_controller.reset();
    }
}

TEST_F(InspectorLimitsTest, FontEffectsSurviveSaveCopyAndTemplateExport) {
    begin();
    auto text = make(QStringLiteral("text"));
    ASSERT_TRUE(m_document->insertGraphic(text, 0));
    select(text);
    control<QPushButton>("Text_Font_Btn")->click();
    // The user ticks the panel's effects.
    for (QCheckBox* effect : m_controller->fontPanel()->findChildren<QCheckBox*>()) {
        effect->click();
    }
    ASSERT_TRUE(text->text_ctrl_font.underline());
    ASSERT_TRUE(text->text_ctrl_font.strikeOut());
    const auto underlinedAndStruck = [](const SKTGraphic& g) {
        return g.text_ctrl_font.underline() && g.text_ctrl_font.strikeOut();
    };

    // Copy and paste on the canvas with the keys.
    select(text);
    press(QKeySequence::Copy);
    press(QKeySequence::Paste);
    ASSERT_EQ(m_document->graphics().size(), 2);
    EXPECT_TRUE(underlinedAndStruck(*m_document->graphics().at(1)));

    save();
    ASSERT_NO_FATAL_FAILURE(exportTemplate(QStringLiteral("effects")));
    const QString templateFile =
        QDir(Export_Template::userTemplateFolder()).filePath(QStringLiteral("effects.dcard"));
    for (const QString& file : {m_file, templateFile}) {
        SCOPED_TRACE(file.toStdString());
        m_file = file;
        reopen();
        ASSERT_EQ(Project_File_Name, file);
        ASSERT_EQ(m_document->graphics().size(), 2);
        for (const auto& g : m_document->graphics()) {
            EXPECT_TRUE(underlinedAndStruck(*g));
        }
    }
}

} // namespace
