// The card inspector's write side: controls copied into the page records,
// the background picture setters and browser, the content colour and font
// pushed into texts, and the one publisher of both records.

#include "mainwindow_controller_fixture.h"

#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/render/CardRenderInputs.h"
#include "editor/render/SKTRenderingView.h"
#include "widgets/CardStepper.h"
#include "widgets/ColorWell.h"
#include "widgets/GuiHooks.h"
#include "widgets/ImageBrowser.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryFile>
#include <functional>

namespace {

class CardInspectorTest : public ControllerFixture {
public:
    // The case tables act on the fixture from outside.
    using ControllerFixture::control;
    using ControllerFixture::m_controller;

protected:
    // Writes a small picture file into the resource folder's sub-folder.
    QString picture(const QString& folder, const QString& name, QColor colour = Qt::red) {
        QDir().mkpath(QDir(m_resources).filePath(folder));
        const QString path = QDir(QDir(m_resources).filePath(folder)).filePath(name);
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(colour);
        // The extension may not name the format (".PNG", ".Jpg"): say it.
        const QString suffix = QFileInfo(name).suffix().toLower();
        const char* format = suffix == QLatin1String("png")   ? "PNG"
                             : suffix == QLatin1String("gif") ? "PNG"
                                                              : "JPEG";
        EXPECT_TRUE(image.save(path, format)) << path.toStdString();
        return path;
    }
};

// Each case sets controls as a user would leave them, runs the copy and
// reads the record of the side it names.
struct CardCase {
    const char* name;
    int side;
    std::function<void(CardInspectorTest&)> arrange;
    std::function<void(const Card_Property&)> check;
};

TEST_F(CardInspectorTest, UpdateCardGraphicsCopiesTheControlsIntoTheSideRecord) {
    const CardCase cases[] = {
        {"opacity 50 reaches the fill colours, not the border colour", 0,
         [](CardInspectorTest& t) {
             t.control<QCheckBox>("Card_fill_chk")->setChecked(true);
             t.control<QCheckBox>("Card_border_chk")->setChecked(true);
             t.control<ColorWell>("Card_bordr_clr")->setColor(QColor(10, 20, 30));
             t.control<ColorWell>("Card_fill_clr")->setColor(QColor(200, 0, 0));
             t.control<CardStepper>("Card_alpha_Stepper")->setDoubleValue(50);
         },
         [](const Card_Property& p) {
             EXPECT_FLOAT_EQ(p.Card_alpha_Stepper(), 0.5f);
             EXPECT_NEAR(p.Card_fill_clr().alphaF(), 0.5, 0.01);
             EXPECT_EQ(p.Card_fill_clr().red(), 200);
             EXPECT_NEAR(p.Card_fill_Grd_1_clr().alphaF(), 0.5, 0.01);
             EXPECT_NEAR(p.Card_fill_Grd_2_clr().alphaF(), 0.5, 0.01);
             EXPECT_NEAR(p.Card_hatch_bk_clr().alphaF(), 0.5, 0.01);
             EXPECT_EQ(p.Card_bordr_clr(), QColor(10, 20, 30));
             EXPECT_EQ(p.Card_bordr_clr().alphaF(), 1.0);
         }},
        {"border off keeps the colour and width", 0,
         [](CardInspectorTest& t) {
             t.control<QCheckBox>("Card_border_chk")->setChecked(true);
             t.control<ColorWell>("Card_bordr_clr")->setColor(QColor(0, 128, 0));
             t.control<CardStepper>("Card_bor_Stepper")->setDoubleValue(7);
             t.m_controller->Update_Card_Graphics();
             t.control<QCheckBox>("Card_border_chk")->setChecked(false);
             t.control<ColorWell>("Card_bordr_clr")->setColor(QColor(1, 2, 3));
             t.control<CardStepper>("Card_bor_Stepper")->setDoubleValue(1);
         },
         [](const Card_Property& p) {
             EXPECT_FALSE(p.Card_border_chk());
             EXPECT_EQ(p.Card_bordr_clr(), QColor(0, 128, 0));
             EXPECT_EQ(p.Card_bor_Stepper(), 7);
         }},
        {"back with the fill off stores S", 1,
         [](CardInspectorTest& t) {
             t.control<QCheckBox>("Card_fill_chk")->setChecked(false);
             t.control<QRadioButton>("Card_gradient_fill_rd")->setChecked(true);
         },
         [](const Card_Property& p) {
             EXPECT_EQ(p.Card_fill_style(), QStringLiteral("S"));
             EXPECT_EQ(p.Card_Side_Name(), QStringLiteral("B"));
         }},
        {"front with the fill off keeps the radio's style", 0,
         [](CardInspectorTest& t) {
             t.control<QCheckBox>("Card_fill_chk")->setChecked(false);
             t.control<QRadioButton>("Card_gradient_fill_rd")->setChecked(true);
         },
         [](const Card_Property& p) {
             EXPECT_EQ(p.Card_fill_style(), QStringLiteral("G"));
             EXPECT_EQ(p.Card_Side_Name(), QStringLiteral("F"));
         }},
        {"an empty name is Untitled", 0,
         [](CardInspectorTest& t) {
             t.control<QLineEdit>("card_name")->setText(QStringLiteral("  "));
         },
         [](const Card_Property& p) { EXPECT_EQ(p.Card_Name(), QStringLiteral("Untitled")); }},
        {"a name is trimmed", 0,
         [](CardInspectorTest& t) {
             t.control<QLineEdit>("card_name")->setText(QStringLiteral(" Party \n"));
         },
         [](const Card_Property& p) { EXPECT_EQ(p.Card_Name(), QStringLiteral("Party")); }},
        {"first sides item is two sides", 0,
         [](CardInspectorTest& t) { t.control<QComboBox>("Sides_ComboBox")->setCurrentIndex(0); },
         [](const Card_Property& p) { EXPECT_EQ(p.Card_Side(), QStringLiteral("2")); }},
        {"another sides item is one side", 0,
         [](CardInspectorTest& t) { t.control<QComboBox>("Sides_ComboBox")->setCurrentIndex(1); },
         [](const Card_Property& p) { EXPECT_EQ(p.Card_Side(), QStringLiteral("1")); }},
        {"no size row stores no sub-category", 0,
         [](CardInspectorTest& t) { t.m_controller->Mark_List_New_Selection(-1); },
         [](const Card_Property& p) {
             EXPECT_EQ(p.Card_Sub_Category(), QString());
             EXPECT_EQ(p.Card_Cat_index(), -1);
             EXPECT_EQ(p.Card_Create_Mode(), QStringLiteral("W"));
         }},
        {"outline letters", 0, [](CardInspectorTest&) { Card_Shape = 2; },
         [](const Card_Property& p) { EXPECT_EQ(p.Card_Shape(), QStringLiteral("E")); }},
        {"a side value other than 0 and 1 is the back", 2,
         [](CardInspectorTest& t) {
             t.control<QLineEdit>("card_name")->setText(QStringLiteral("Reverse"));
         },
         [](const Card_Property& p) {
             EXPECT_EQ(p.Card_Name(), QStringLiteral("Reverse"));
             EXPECT_EQ(p.Card_Side_Name(), QStringLiteral("B"));
         }},
    };
    for (const CardCase& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        Card_Front_Or_Back = c.side;
        c.arrange(*this);
        m_controller->Update_Card_Graphics();
        const Card_Property& page =
            c.side == 0 ? m_controller->Front_card_Prop : m_controller->Back_card_Prop;
        c.check(page);
        // The renderers see the same record at once.
        EXPECT_EQ(CardRenderInputs::pageRecord(c.side).Card_Name(), page.Card_Name());
        // The other side's record is untouched.
        const Card_Property& other =
            c.side == 0 ? m_controller->Back_card_Prop : m_controller->Front_card_Prop;
        EXPECT_EQ(other.Card_Create_Mode(), Card_Property().Card_Create_Mode());
        m_controller.reset();
        Card_Front_Or_Back = 0;
        Card_Shape = 0;
    }
}

TEST_F(CardInspectorTest, NothingIsCopiedWhileTheInspectorLoads) {
    start();
    control<QLineEdit>("card_name")->setText(QStringLiteral("Loaded"));
    Not_Draw_Only_Prop_Change = 1;
    m_controller->Update_Card_Graphics();
    Not_Draw_Only_Prop_Change = 0;
    EXPECT_EQ(m_controller->Front_card_Prop.Card_Name(), Card_Property().Card_Name());
}

TEST_F(CardInspectorTest, PictureSetterWithAnEmptyPathOnlyClearsTheField) {
    start();
    control<QLineEdit>("Card_Image_path")->setText(QStringLiteral("/old/path.png"));
    const Card_Property before = m_controller->Front_card_Prop;
    m_controller->set_Front_BG_Image(QString());
    EXPECT_EQ(control<QLineEdit>("Card_Image_path")->text(), QString());
    EXPECT_EQ(m_controller->Front_card_Prop.Card_fill_chk(), before.Card_fill_chk());
    EXPECT_EQ(m_controller->Front_card_Prop.Card_fill_style(), before.Card_fill_style());
}

TEST_F(CardInspectorTest, UnreadablePictureIsToldAndChangesNoRecord) {
    start();
    const QString path = QDir(m_temp.path()).filePath(QStringLiteral("broken.png"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    const Card_Property before = m_controller->Back_card_Prop;
    m_controller->set_Back_BG_Image(path);
    const Card_Property& page = m_controller->Back_card_Prop;
    EXPECT_EQ(page.Card_fill_chk(), before.Card_fill_chk());
    EXPECT_EQ(page.Card_fill_style(), before.Card_fill_style());
    EXPECT_EQ(page.Card_BG_Image_Path(), QString());
    EXPECT_EQ(m_alerts.texts(), QStringList{QStringLiteral(
                                    "\n\"broken.png\" is not a picture the program can read.")});
}

TEST_F(CardInspectorTest, ReadablePictureIsLoadedAndShownAsPictureFill) {
    start();
    const QString path = picture(QStringLiteral("pictures"), QStringLiteral("red.png"));
    m_controller->set_Front_BG_Image(path);
    EXPECT_FALSE(m_controller->Front_card_Prop.Card_BG_Image().isNull());
    EXPECT_TRUE(control<QRadioButton>("Card_Image_fill_rd")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("Card_fill_chk")->isChecked());
    EXPECT_EQ(CardRenderInputs::pageRecord(0).Card_BG_Image_Path(), path);
}

// A text kind of its own: the content push leaves it alone.
class NoteText : public SKTText {};

TEST_F(CardInspectorTest, ContentColourAndFontGoToExactTextsOnly) {
    start();
    auto text = std::make_shared<SKTText>();
    auto note = std::make_shared<NoteText>();
    auto shape = std::make_shared<Shape_Control>();
    for (const auto& graphic : SKTGraphicList{text, note, shape}) {
        graphic->txt_clr = Qt::black;
        ASSERT_TRUE(m_document->insertGraphic(graphic, 0));
    }
    auto backText = std::make_shared<SKTText>();
    backText->txt_clr = Qt::black;
    m_document->insertGraphicsInList(SKTDocumentGraphicsKey_back, {backText}, {0});

    control<ColorWell>("All_Text_clr")->setColor(QColor(0, 0, 255));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(21);
    m_controller->changeAllTextFont(font);

    EXPECT_EQ(text->txt_clr, QColor(0, 0, 255));
    EXPECT_EQ(text->text_ctrl_font.pointSizeF(), 21);
    EXPECT_EQ(note->txt_clr, QColor(Qt::black));
    EXPECT_NE(note->text_ctrl_font.pointSizeF(), 21);
    EXPECT_EQ(shape->txt_clr, QColor(Qt::black));
    EXPECT_EQ(backText->txt_clr, QColor(Qt::black)); // another side
    EXPECT_EQ(m_controller->Front_card_Prop.Card_Content_clr(), QColor(0, 0, 255));
    EXPECT_TRUE(
        control<QLabel>("All_Text_font_value")->text().endsWith(QStringLiteral("( 21.00 )")));
}

TEST_F(CardInspectorTest, BackgroundBrowserListsPngAndJpgInNameOrder) {
    picture(QStringLiteral("Background"), QStringLiteral("d.PNG"));
    picture(QStringLiteral("Background"), QStringLiteral("a.jpeg"));
    picture(QStringLiteral("Background"), QStringLiteral("c.Jpg"));
    picture(QStringLiteral("Background"), QStringLiteral("b.jpg"));
    picture(QStringLiteral("Background"), QStringLiteral("e.gif"));
    start();
    QStringList titles;
    QStringList ids;
    for (const MyImageObject& item : m_controller->images()) {
        titles << item.imageTitle();
        ids << item.imageUID();
        EXPECT_TRUE(QFileInfo(item.imageRepresentation()).isAbsolute());
    }
    EXPECT_EQ(titles, (QStringList{"b.jpg", "c.Jpg", "d.PNG"}));
    EXPECT_EQ(ids, titles);
}

TEST_F(CardInspectorTest, BrowserClickSetsTheFrontBackgroundWhicheverSideIsShown) {
    const QString path =
        picture(QStringLiteral("Background"), QStringLiteral("blue.png"), Qt::blue);
    start();
    m_controller->Select_back_side();
    ImageBrowser* browser = control<ImageBrowser>("imageBrowser");
    ASSERT_EQ(browser->model()->rowCount(), 1);
    browser->selectionModel()->select(browser->model()->index(0, 0),
                                      QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(m_controller->selected_image, path);
    EXPECT_EQ(m_controller->Front_card_Prop.Card_BG_Image_Path(), path);
    EXPECT_EQ(m_controller->Back_card_Prop.Card_BG_Image_Path(), QString());
    EXPECT_EQ(Card_Front_Or_Back, 1);
}

TEST_F(CardInspectorTest, BrowseButtonGivesTheCurrentSideThePictureAndCancelNothing) {
    const QString path =
        picture(QStringLiteral("pictures"), QStringLiteral("green.png"), Qt::green);
    start();
    QStringList answer;
    hooks::setOpenPanel([&answer](const hooks::OpenPanelRequest& request) {
        EXPECT_TRUE(request.allowedTypes.contains(QStringLiteral("jfif")));
        EXPECT_FALSE(request.chooseFolders);
        return answer;
    });
    m_controller->Select_back_side();
    m_controller->Card_Image_Browse_Btn(); // cancelled
    EXPECT_EQ(m_controller->Back_card_Prop.Card_BG_Image_Path(), QString());
    answer = {path};
    m_controller->Card_Image_Browse_Btn();
    EXPECT_EQ(m_controller->Back_card_Prop.Card_BG_Image_Path(), path);
    EXPECT_EQ(m_controller->Back_card_Prop.Card_fill_style(), QStringLiteral("I"));
    EXPECT_EQ(m_controller->Front_card_Prop.Card_BG_Image_Path(), QString());
    hooks::setOpenPanel({});
}

// The centre pixel of a one-page PDF, rastered by pdftoppm.
QColor pdfCentre(const QString& pdftoppm, const QByteArray& pdf, const QString& folder) {
    const QString input = QDir(folder).filePath(QStringLiteral("side.pdf"));
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    file.write(pdf);
    file.close();
    const QString prefix = QDir(folder).filePath(QStringLiteral("side"));
    const auto result = testsupport::runProcess(
        pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("36"),
                   QStringLiteral("-singlefile"), input, prefix});
    const QImage image(prefix + QStringLiteral(".png"));
    if (image.isNull()) {
        return {};
    }
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST_F(CardInspectorTest, NewProjectPublishesTheResetRecordsWithoutAnInspector) {
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    // Stale records of an earlier design, red on both sides.
    Card_Property stale;
    stale.setCard_fill_chk(true);
    stale.setCard_fill_style(QStringLiteral("S"));
    stale.setCard_fill_clr(QColor(Qt::red));
    CardRenderInputs::setPageRecord(0, stale);
    CardRenderInputs::setPageRecord(1, stale);
    start();
    // The start-up view of the card tabs is not asked for here: New_Project
    // alone must publish.
    m_controller->Front_card_Prop = stale;
    m_controller->Back_card_Prop = stale;
    m_controller->Publish_Page_Records();
    m_controller->New_Project();
    for (int side : {0, 1}) {
        SCOPED_TRACE(side);
        Card_Front_Or_Back = side;
        const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data({});
        ASSERT_FALSE(pdf.isEmpty());
        const QColor centre = pdfCentre(pdftoppm, pdf, m_temp.path());
        ASSERT_TRUE(centre.isValid());
        EXPECT_GT(centre.green(), 240);
        EXPECT_GT(centre.blue(), 240);
    }
    Card_Front_Or_Back = 0;
}

TEST_F(CardInspectorTest, StepperOfTheSizeResizesTheCanvasAndStoresTheSize) {
    start();
    control<CardStepper>("width_Stepper")->setDoubleValue(100);
    control<CardStepper>("height_Stepper")->setDoubleValue(50);
    m_controller->Apply_Size_Clicked();
    // 100 mm and 50 mm in points.
    EXPECT_NEAR(m_controller->canvasSize().width(), 283.46, 0.01);
    EXPECT_NEAR(m_controller->canvasSize().height(), 141.73, 0.01);
    EXPECT_NEAR(m_controller->Front_card_Prop.Card_Size().width(), 283.46, 0.01);
}

TEST_F(CardInspectorTest, FillBoxOffAndOnAgainComesBackPlainOnlyOnTheBack) {
    struct Case {
        int side;
        const char* radioAfter;
    };
    for (const Case c : {Case{1, "Card_solid_fill_rd"}, Case{0, "Card_gradient_fill_rd"}}) {
        SCOPED_TRACE(c.side);
        start();
        Card_Front_Or_Back = c.side;
        auto* fill = control<QCheckBox>("Card_fill_chk");
        fill->click(); // on
        ASSERT_TRUE(fill->isChecked());
        control<QRadioButton>("Card_gradient_fill_rd")->click();
        EXPECT_EQ(m_controller->currentCardProperty().Card_fill_style(), QStringLiteral("G"));
        fill->click(); // off
        fill->click(); // on again
        EXPECT_TRUE(control<QRadioButton>(c.radioAfter)->isChecked());
        m_controller.reset();
        Card_Front_Or_Back = 0;
    }
}

} // namespace
