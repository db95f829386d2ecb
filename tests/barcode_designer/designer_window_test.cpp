// The designer window: opening on an object, OK and Cancel, the panels of
// each symbology, the size rules, the resolution and the messages.

#include "DesignerWindowFixture.h"
#include "barcodes/BarcodeGlobals.h"
#include "barcodes/BarcodeRenderer.h"
#include "core/SharedGlobals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using designertest::barcodeObject;
using designertest::hasInk;

TEST_F(DesignerWindowTest, TheListsHoldTheStoredOrder) {
    auto items = [](QComboBox* combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i) {
            list << combo->itemText(i);
        }
        return list;
    };
    EXPECT_EQ(items(ui().barcodeTypePopup), DesignerLists::symbologies());
    EXPECT_EQ(items(ui().barcodeTypePopup).first(), QStringLiteral("Code 39"));
    EXPECT_EQ(items(ui().barcodeTypePopup).at(21), QStringLiteral("DataMatrix"));
    EXPECT_EQ(items(ui().align_hdr_combo), DesignerLists::alignments());
    EXPECT_EQ(items(ui().align_ftr_combo), DesignerLists::alignments());
    EXPECT_EQ(items(ui().Data_source_type), DesignerLists::dataSources());
    EXPECT_EQ(items(ui().DPI_ComboBox), DesignerLists::resolutions());
    EXPECT_EQ(items(ui().qr_ec_lvl_ComboBox), DesignerLists::qrLevels());
    EXPECT_EQ(items(ui().qr_version_ComboBox).size(), 41);
    EXPECT_EQ(items(ui().dm_format_ComboBox).size(), 31);
    EXPECT_EQ(items(ui().dm_encoding_ComboBox), DesignerLists::dataMatrixEncodings());
}

TEST_F(DesignerWindowTest, OkWritesEveryChangedSettingBack) {
    auto object = barcodeObject(QStringLiteral("Code 39"), QStringLiteral("0123"));
    std::vector<QFont> fonts{QFont(QStringLiteral("Liberation Sans"), 11),
                             QFont(QStringLiteral("Liberation Mono"), 12),
                             QFont(QStringLiteral("Liberation Serif"), 13)};
    std::size_t next = 0;
    Barcode_Gen::setFontChooser(
        [&](const QFont&) { return std::optional<QFont>(fonts.at(next++)); });
    Barcode_output_image = CardPicture();
    int result = -1;
    openWith(object, [&](Barcode_Gen& d) {
        Ui::Barcode_Gen& u = d.ui();
        type(u.dataText, QStringLiteral("LIN-1"));
        step(u.HeightStepper, 1.5);
        step(u.widthStepper, 12);
        choose(u.barcodeTypePopup, QStringLiteral("QR Code"));
        u.dataText_2D->setPlainText(QStringLiteral("two d"));
        type(u.HeaderText, QStringLiteral("Head"));
        type(u.FooterText, QStringLiteral("Foot"));
        u.showinTopCheckbox->click();
        u.captionCheckbox->click();
        u.hideHeaderCheckbox->click();
        u.hideFooterCheckbox->click();
        choose(u.align_hdr_combo, QStringLiteral("Left"));
        choose(u.align_ftr_combo, QStringLiteral("Right"));
        choose(u.qr_version_ComboBox, QStringLiteral("V7"));
        choose(u.qr_ec_lvl_ComboBox, QStringLiteral("Q"));
        step(u.HeightStepper_2D, 90);
        step(u.pdf_HeightStepper_2D, 33);
        step(u.Pdf_widthStepper_2D, 144);
        step(u.pdf_ec_lvl_Stepper, 4);
        step(u.dm_moduleStepper_2D, 5);
        choose(u.dm_format_ComboBox, QStringLiteral("C26X26"));
        choose(u.dm_encoding_ComboBox, QStringLiteral("Text"));
        step(u.hdr_mar_Stepper, 0.2);
        step(u.ftr_mar_Stepper, 0.3);
        step(u.val_mar_Stepper, 0.4);
        step(u.TB_mar_Stepper, 0.5);
        step(u.LR_mar_Stepper, 0.6);
        u.value_font_btn->click();
        u.header_font_btn->click();
        u.footer_font_btn->click();
        pick(u.barcode_clr, QColor(10, 20, 30));
        pick(u.bar_back_clr, QColor(240, 230, 220));
        pick(u.bar_val_clr, QColor(1, 2, 3));
        pick(u.bar_hdr_clr, QColor(4, 5, 6));
        pick(u.bar_ftr_clr, QColor(7, 8, 9));
        choose(u.DPI_ComboBox, QStringLiteral("Custom"));
        step(u.dpi_Stepper, 300);
        u.OK_Btn->click();
        result = d.result();
    });
    EXPECT_EQ(result, 1);
    SKTBarcode expected;
    designertest::changeEverySetting(expected);
    designertest::expectSameSettings(expected, *object);
    EXPECT_FALSE(Barcode_output_image.isNull());
    EXPECT_TRUE(Barcode_output_image.sharesDataWith(designer().previewPicture()));
}

TEST_F(DesignerWindowTest, CancelLeavesTheObjectAndNoPicture) {
    auto object = barcodeObject(QStringLiteral("Code 128"), QStringLiteral("A-1"));
    auto twin = barcodeObject(QStringLiteral("Code 128"), QStringLiteral("A-1"));
    Barcode_output_image = CardPicture::fromImage(QImage(4, 4, QImage::Format_ARGB32));
    openWith(object, [&](Barcode_Gen& d) {
        type(d.ui().dataText, QStringLiteral("B-2"));
        choose(d.ui().barcodeTypePopup, QStringLiteral("Code 39"));
        step(d.ui().HeightStepper, 3.0);
        EXPECT_FALSE(d.previewPicture().isNull());
        d.ui().Cancel_Btn->click();
    });
    designertest::expectSameSettings(*twin, *object);
    EXPECT_TRUE(Barcode_output_image.isNull());
}

TEST_F(DesignerWindowTest, OkWithARejectedValueKeepsTheWindowOpen) {
    auto object = barcodeObject(QStringLiteral("EAN-13"), QStringLiteral("4006381333931"));
    testsupport::ScriptedAlerts alerts;
    openWith(object, [&](Barcode_Gen& d) {
        type(d.ui().dataText, QStringLiteral("12AB"));
        EXPECT_TRUE(d.previewPicture().isNull());
        EXPECT_FALSE(d.ui().barcode_error_label->isHidden());
        d.ui().OK_Btn->click();
        EXPECT_EQ(d.result(), -1) << "still running";
        d.ui().Cancel_Btn->click();
    });
    EXPECT_EQ(object->linear_font_val, QStringLiteral("4006381333931"));
    EXPECT_TRUE(alerts.texts().isEmpty()) << "no message for a bad value";
}

TEST_F(DesignerWindowTest, ANewObjectShowsCode39WithItsTexts) {
    auto object = std::make_shared<SKTBarcode>();
    openWith(object, [&](Barcode_Gen& d) { d.ui().OK_Btn->click(); });
    ASSERT_FALSE(Barcode_output_image.isNull());
    EXPECT_EQ(designer().ui().barcodeTypePopup->currentText(), QStringLiteral("Code 39"));
    ASSERT_TRUE(designer().testBarcode());
    EXPECT_EQ(designer().testBarcode()->content(), QStringLiteral("0123"));
    CARD_REQUIRE_TOOL(pdftotext, "pdftotext");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("barcode.pdf"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdfFromPicture(Barcode_output_image));
    file.close();
    const auto text = testsupport::runProcess(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.started);
    const QString words = QString::fromUtf8(text.out).simplified();
    EXPECT_TRUE(words.contains(QStringLiteral("HEADER"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("0123"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("FOOTER"))) << words.toStdString();
}

TEST_F(DesignerWindowTest, EachSymbologyShowsItsTabsAndBox) {
    designer().Open_Wnd(nullptr);
    for (const QString& title : DesignerLists::symbologies()) {
        SCOPED_TRACE(title.toStdString());
        choose(ui().barcodeTypePopup, title);
        const bool twoD = DesignerLists::isTwoDimensional(title);
        EXPECT_EQ(ui().sett_tab->count(), twoD ? 4 : 3);
        EXPECT_EQ(designer().settings.liner_or_2D_font, twoD ? 1 : 0);
        EXPECT_EQ(ui().linear_sett_box->isHidden(), twoD);
        EXPECT_EQ(!ui().two_d_sett_box->isHidden(), title == QLatin1String("QR Code"));
        EXPECT_EQ(!ui().pdf_2d_sett_box->isHidden(), title == QLatin1String("PDF417"));
        EXPECT_EQ(!ui().dm_2d_sett_box->isHidden(), title == QLatin1String("DataMatrix"));
        EXPECT_EQ(ui().dataText->isHidden(), twoD);
        EXPECT_EQ(ui().dataText_2D->isHidden(), !twoD);
        EXPECT_EQ(ui().barHeightLabel->text(),
                  twoD ? QStringLiteral("Bar Height :") : QStringLiteral("Bar Height (cm):"));
        if (!twoD) {
            EXPECT_EQ(ui().sett_tab->currentIndex(), 0);
        }
        EXPECT_EQ(ui().kerning_value_Checkbox->isEnabled(), !DesignerLists::isRetail(title));
    }
}

TEST_F(DesignerWindowTest, KerningBoxOffForRetailCodesAndBack) {
    choose(ui().barcodeTypePopup, QStringLiteral("EAN-13"));
    EXPECT_FALSE(ui().kerning_value_Checkbox->isEnabled());
    choose(ui().barcodeTypePopup, QStringLiteral("Code 128"));
    EXPECT_TRUE(ui().kerning_value_Checkbox->isEnabled());
    choose(ui().barcodeTypePopup, QStringLiteral("UPCE"));
    EXPECT_FALSE(ui().kerning_value_Checkbox->isEnabled());
}

TEST_F(DesignerWindowTest, QrVersionRaisesTheSizeAndAutoKeepsIt) {
    choose(ui().barcodeTypePopup, QStringLiteral("QR Code"));
    step(ui().HeightStepper_2D, 40);
    EXPECT_EQ(designer().settings.qr_size_val, 40);
    choose(ui().qr_version_ComboBox, QStringLiteral("V10"));
    EXPECT_EQ(ui().HeightText_2D->text(), QStringLiteral("57"));
    EXPECT_EQ(ui().HeightStepper_2D->intValue(), 57);
    EXPECT_EQ(designer().settings.qr_size_val, 57);
    EXPECT_EQ(QR_Version_Val, 10);
    choose(ui().qr_version_ComboBox, QStringLiteral("Auto"));
    EXPECT_EQ(ui().HeightStepper_2D->minimum(), 21);
    EXPECT_EQ(ui().HeightStepper_2D->intValue(), 57);
    EXPECT_EQ(designer().settings.qr_size_val, 57);
}

TEST_F(DesignerWindowTest, DataMatrixFormatRaisesTheSidesNeverLowers) {
    const struct {
        int width;
        int height;
        int widthAfter;
        int heightAfter;
    } cases[] = {{100, 100, 144, 144}, {200, 100, 200, 144}, {150, 300, 150, 300}};
    choose(ui().barcodeTypePopup, QStringLiteral("DataMatrix"));
    step(ui().dm_moduleStepper_2D, 1);
    for (const auto& c : cases) {
        step(ui().dm_widthStepper_2D, c.width);
        step(ui().dm_HeightStepper_2D, c.height);
        choose(ui().dm_format_ComboBox, QStringLiteral("C144X144"));
        EXPECT_EQ(ui().dm_widthStepper_2D->intValue(), c.widthAfter);
        EXPECT_EQ(ui().dm_HeightStepper_2D->intValue(), c.heightAfter);
        EXPECT_EQ(ui().dm_widthText_2D->text().toInt(), c.widthAfter);
        choose(ui().dm_format_ComboBox, QStringLiteral("Auto"));
    }
    // "C8X18" with module 2: at least 36 wide and 16 high.
    step(ui().dm_widthStepper_2D, 1);
    step(ui().dm_HeightStepper_2D, 1);
    step(ui().dm_moduleStepper_2D, 2);
    choose(ui().dm_format_ComboBox, QStringLiteral("C8X18"));
    EXPECT_EQ(ui().dm_widthStepper_2D->intValue(), 36);
    EXPECT_EQ(ui().dm_HeightStepper_2D->intValue(), 16);
}

TEST_F(DesignerWindowTest, CustomResolutionAppliesAtTheNextRebuild) {
    choose(ui().barcodeTypePopup, QStringLiteral("QR Code"));
    const CardPicture before = designer().previewPicture();
    ASSERT_FALSE(before.isNull());
    choose(ui().DPI_ComboBox, QStringLiteral("Custom"));
    EXPECT_FALSE(ui().dpi_custom_box->isHidden());
    step(ui().dpi_Stepper, 300);
    EXPECT_EQ(USED_DPI_VALUE, 300);
    EXPECT_TRUE(designer().previewPicture().sharesDataWith(before)) << "no rebuild";
    ui().Encode_btn->click();
    EXPECT_TRUE(designer().image_2d().isVector());
    EXPECT_NEAR(designer().image_2d().toImage(USED_DPI_VALUE / 72.0).width(), 250, 1);
    choose(ui().DPI_ComboBox, QStringLiteral("Auto"));
    EXPECT_TRUE(ui().dpi_custom_box->isHidden());
    EXPECT_EQ(USED_DPI_VALUE, 600);
    choose(ui().DPI_ComboBox, QStringLiteral("150"));
    EXPECT_EQ(USED_DPI_VALUE, 150);
}

TEST_F(DesignerWindowTest, AReopenedDesignRendersAtItsOwnResolution) {
    auto object = barcodeObject(QStringLiteral("QR Code"), QStringLiteral("0123"));
    object->dpi_val_index = 1;
    object->dpi_custom_val = QStringLiteral("300");
    USED_DPI_VALUE = 0;
    openWith(object, [&](Barcode_Gen& d) {
        EXPECT_EQ(d.ui().dpi_Stepper->intValue(), 300);
        EXPECT_EQ(d.ui().DPI_ComboBox->currentText(), QStringLiteral("Custom"));
        d.ui().OK_Btn->click();
    });
    EXPECT_EQ(USED_DPI_VALUE, 300);
    EXPECT_TRUE(designer().image_2d().isVector());
    EXPECT_NEAR(designer().image_2d().toImage(USED_DPI_VALUE / 72.0).width(), 250, 1);
}

TEST_F(DesignerWindowTest, QrModeRebuildsAndOrientationRedrawsTheSamePicture) {
    // The encoder chooses the QR mode from the value and every picture is
    // drawn horizontally: each list offers that one choice.
    EXPECT_EQ(ui().qr_enc_mode_ComboBox->count(), 1);
    EXPECT_EQ(ui().qr_enc_mode_ComboBox->itemText(0), QStringLiteral("Auto"));
    EXPECT_EQ(ui().bar_orient_combo->count(), 1);
    EXPECT_EQ(ui().bar_orient_combo->itemText(0), QStringLiteral("Horizontal"));

    choose(ui().barcodeTypePopup, QStringLiteral("QR Code"));
    const CardPicture qr = designer().previewPicture();
    ASSERT_FALSE(qr.isNull());
    choose(ui().qr_enc_mode_ComboBox, 0);
    const CardPicture rebuilt = designer().previewPicture();
    ASSERT_FALSE(rebuilt.isNull());
    EXPECT_FALSE(rebuilt.sharesDataWith(qr)) << "rebuilt";
    EXPECT_EQ(rebuilt.toImage(1.0), qr.toImage(1.0));

    choose(ui().barcodeTypePopup, QStringLiteral("Code 39"));
    const CardPicture linear = designer().previewPicture();
    ASSERT_FALSE(linear.isNull());
    const auto symbol = designer().testBarcode();
    choose(ui().bar_orient_combo, 0);
    ASSERT_TRUE(symbol);
    ASSERT_TRUE(designer().testBarcode());
    // A new symbol and picture, drawn alike.
    EXPECT_NE(designer().testBarcode(), symbol);
    EXPECT_EQ(designer().testBarcode()->content(), symbol->content());
    EXPECT_EQ(designer().testBarcode()->completeBarcode(), symbol->completeBarcode());
    const CardPicture redrawn = designer().previewPicture();
    ASSERT_FALSE(redrawn.isNull());
    EXPECT_FALSE(redrawn.sharesDataWith(linear)) << "redrawn";
    EXPECT_EQ(redrawn.toImage(1.0), linear.toImage(1.0));
}

TEST_F(DesignerWindowTest, AnEmptyValueAsksForOne) {
    testsupport::ScriptedAlerts alerts;
    type(ui().dataText, QString());
    EXPECT_TRUE(designer().previewPicture().isNull());
    EXPECT_TRUE(alerts.texts().isEmpty());
    choose(ui().barcodeTypePopup, QStringLiteral("Code 128"));
    ASSERT_EQ(alerts.texts().size(), 1);
    EXPECT_EQ(alerts.texts().first().trimmed(), QStringLiteral("Please enter barcode value"));
    EXPECT_TRUE(designer().previewPicture().isNull());
    EXPECT_FALSE(ui().barcode_error_label->isHidden());
}

TEST_F(DesignerWindowTest, ANonAsciiValueBlanksThePreview) {
    testsupport::ScriptedAlerts alerts;
    type(ui().dataText, QStringLiteral("0123"));
    EXPECT_FALSE(designer().previewPicture().isNull());
    type(ui().dataText, QStringLiteral("caf\u00e9"));
    EXPECT_TRUE(designer().previewPicture().isNull());
    EXPECT_FALSE(ui().barcode_error_label->isHidden());
    EXPECT_TRUE(alerts.texts().isEmpty());
}

TEST_F(DesignerWindowTest, HelpButtonsShowTheirTexts) {
    const struct {
        QAbstractButton* button;
        const char* title;
        const char* text;
    } cases[] = {
        {ui().QR_Version_Help_Btn, "Version :",
         "Version is configuration or number of modules (combination of black and white "
         "dots)."},
        {ui().QR_EC_Lvl_Help_Btn, "Error correction (EC) level :",
         "An error-correction mechanism is built in each symbol so that the symbol can still be "
         "decoded even if it is damaged."},
        {ui().PDF_row_Help_btn, "PDF Rows :", "Number of rows in the PDF barcode."},
        {ui().PDF_col_Help_btn, "PDF Columns :", "Number of columns in the PDF barcode."},
        {ui().PDF_ec_lvl_Help_btn, "PDF EC Level :",
         "An error-correction mechanism is built in each symbol so that the symbol can still be "
         "decoded even if it is damaged in PDF barcode."},
        {ui().DM_format_Help_btn,
         "Preferred Format :", "Preferred Mode determines the smallest size of the symbol."},
        {ui().DM_Encoding_Help_btn,
         "Encoding Mode :", "Encoding Mode is mode of compaction to encode data in the symbol."},
        {ui().DPI_Help_Label, "DPI (Dots Per Inch) :",
         "Dots per inch is a measure of the resolution of printers in terms of Print "
         "Quality.\n\nBigger the DPI, Better the Print Quality. But File size of image also "
         "increases, as you choose bigger DPI."},
    };
    int runs = 0;
    hooks::setModalRunner([&](QDialog&) {
        ++runs;
        return 1;
    });
    for (const auto& c : cases) {
        c.button->click();
        EXPECT_EQ(Cutom_Msg_Title, QString::fromLatin1(c.title));
        EXPECT_EQ(Cutom_Msg_Val, QString::fromLatin1(c.text));
    }
    EXPECT_EQ(runs, 8);
}

TEST_F(DesignerWindowTest, Screenshots) {
    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    QTemporaryDir temporary;
    const QDir target(folder.isEmpty() ? temporary.path() : folder);
    QDir().mkpath(target.path());
    const struct {
        const char* title;
        const char* file;
        int tab;
    } cases[] = {{"Code 39", "barcode_designer_code39.png", 0},
                 {"QR Code", "barcode_designer_qrcode.png", 3}};
    designer().show();
    for (const auto& c : cases) {
        choose(ui().barcodeTypePopup, QString::fromLatin1(c.title));
        ui().sett_tab->setCurrentIndex(c.tab);
        QCoreApplication::processEvents();
        const QImage preview = ui().barcodeImage->grab().toImage();
        EXPECT_TRUE(hasInk(preview)) << c.title;
        const QImage shot = designer().grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(target.filePath(QString::fromLatin1(c.file))));
    }
    EXPECT_EQ(ui().sett_tab->tabText(3), QStringLiteral("Resolution"));
    designer().hide();
}

} // namespace
