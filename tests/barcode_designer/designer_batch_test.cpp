// The widget-free designer: the settings exchanged with a barcode object,
// the batch entry and the sizing of linear and 2D pictures.

#include "DesignerTestSupport.h"
#include "barcodes/BarcodeGlobals.h"
#include "barcodes/designer/core/BarcodeDesigner.h"
#include "core/globals.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

using designertest::barcodeObject;
using designertest::changeEverySetting;
using designertest::expectSameSettings;

TEST(DesignerSettings, TheRecordStartsAtTheObjectDefaults) {
    SKTBarcode fresh;
    EXPECT_EQ(BarcodeSettings::fromGraphic(fresh, BarcodeSettings()), BarcodeSettings());
}

TEST(DesignerSettings, TheThirtyEightSettingsGoThroughTheRecord) {
    SKTBarcode source;
    changeEverySetting(source);
    source.data_source_type = 1;
    source.batch_list_name = QStringLiteral("Guests");
    const BarcodeSettings settings = BarcodeSettings::fromGraphic(source, BarcodeSettings());
    EXPECT_EQ(settings.data_source_type, 1);
    EXPECT_EQ(settings.batch_list_name, QStringLiteral("Guests"));

    SKTBarcode target;
    settings.writeTo(target);
    expectSameSettings(source, target);
    // The source and binding are written by the window at once, not here.
    EXPECT_EQ(target.data_source_type, 0);
    EXPECT_EQ(target.batch_list_name, QString());
}

TEST(DesignerSettings, ResolutionOfEveryListItem) {
    const struct {
        int index;
        const char* custom;
        int dpi;
    } cases[] = {{0, "0", 600}, {1, "300", 300}, {1, "0", 600}, {1, "99999", 600},
                 {1, "x", 600}, {2, "0", 72},    {3, "0", 150}, {4, "0", 300},
                 {5, "0", 600}, {6, "0", 1200},  {42, "0", 600}};
    for (const auto& c : cases) {
        BarcodeSettings settings;
        settings.dpi_val_index = c.index;
        settings.dpi_custom_val = QString::fromLatin1(c.custom);
        EXPECT_EQ(settings.resolution(), c.dpi) << c.index << " " << c.custom;
    }
}

TEST(DesignerBatch, LoadingSetsTheObjectsProcessValues) {
    auto object = barcodeObject(QStringLiteral("QR Code"), QStringLiteral("x"));
    object->qr_version_index = 5;
    object->qr_ec_index = 3;
    object->dpi_val_index = 1;
    object->dpi_custom_val = QStringLiteral("300");
    QR_Version_Val = 0;
    QR_EC_Level_Val = 0;
    USED_DPI_VALUE = 0;
    Measument_Unit_Is = 7;
    BarcodeDesigner designer;
    designer.Set_Barcode_Prop_To_Control(object);
    EXPECT_EQ(QR_Version_Val, 5);
    EXPECT_EQ(QR_EC_Level_Val, 3);
    EXPECT_EQ(USED_DPI_VALUE, 300);
    EXPECT_EQ(Measument_Unit_Is, 1);
    EXPECT_EQ(designer.pass_barcode_control, object);
}

TEST(DesignerBatch, QrPictureOfSixtyPointsAtSixHundredDpi) {
    auto object = barcodeObject(QStringLiteral("QR Code"), QStringLiteral("0123"));
    object->dpi_val_index = 5; // "600"
    BarcodeDesigner designer;
    designer.Set_Barcode_Prop_To_Control(object);
    const BarcodeBuild build = BarcodeDesigner::Generate_Barcode_Variable(
        designer.settings, QStringLiteral("0123"), QString(), QString());
    ASSERT_FALSE(build.image2D.isNull());
    EXPECT_TRUE(build.image2D.isVector());
    EXPECT_NEAR(build.image2D.toImage(600 / 72.0).width(), 500, 1);
    EXPECT_EQ(build.image2D.size(), QSizeF(60, 60));
}

TEST(DesignerBatch, CustomResolutionSurvivesAReload) {
    auto object = barcodeObject(QStringLiteral("QR Code"), QStringLiteral("0123"));
    object->dpi_val_index = 1; // "Custom"
    object->dpi_custom_val = QStringLiteral("300");
    BarcodeDesigner designer;
    designer.Set_Barcode_Prop_To_Control(object);
    const BarcodeBuild build = BarcodeDesigner::Generate_Barcode_Variable(
        designer.settings, QStringLiteral("0123"), QString(), QString());
    ASSERT_FALSE(build.image2D.isNull());
    EXPECT_EQ(USED_DPI_VALUE, 300);
    EXPECT_NEAR(build.image2D.toImage(USED_DPI_VALUE / 72.0).width(), 250, 1); // ceil(300 x 60 / 72)
}

// Three 2D objects rendered in turn, twice: each gets the picture it gets
// when rendered alone.
TEST(DesignerBatch, AlternatingObjectsEachGetTheirOwnPicture) {
    auto qr = barcodeObject(QStringLiteral("QR Code"), QString());
    qr->qr_version_index = 5;
    qr->qr_ec_index = 3;
    qr->dpi_val_index = 4; // "300"
    auto dm = barcodeObject(QStringLiteral("DataMatrix"), QString());
    dm->dm_format_index = 4; // "C16X16"
    dm->dm_module_val = 3;
    auto pdf = barcodeObject(QStringLiteral("PDF417"), QString());
    pdf->pdf_ec_val = 5;
    pdf->dpi_val_index = 2; // "72"
    const std::shared_ptr<SKTGraphic> objects[] = {qr, dm, pdf};
    const QString values[] = {QStringLiteral("Guest 1"), QStringLiteral("Guest 22"),
                              QStringLiteral("Guest 333")};

    std::vector<QImage> alone;
    std::vector<QSizeF> aloneSizes;
    for (int i = 0; i < 3; ++i) {
        BarcodeDesigner solo;
        solo.Set_Barcode_Prop_To_Control(objects[i]);
        const CardPicture picture =
            solo.Get_Image_From_Val(values[i], objects[i]->header_val, objects[i]->footer_val);
        ASSERT_FALSE(picture.isNull()) << i;
        alone.push_back(picture.toImage(2.0));
        aloneSizes.push_back(picture.size());
    }
    EXPECT_NE(aloneSizes[0], aloneSizes[1]);
    EXPECT_NE(aloneSizes[1], aloneSizes[2]);

    BarcodeDesigner shared;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 3; ++i) {
            shared.Set_Barcode_Prop_To_Control(objects[i]);
            const CardPicture picture = shared.Get_Image_From_Val(values[i], objects[i]->header_val,
                                                                  objects[i]->footer_val);
            ASSERT_FALSE(picture.isNull());
            EXPECT_EQ(picture.size(), aloneSizes[i]) << round << " " << i;
            EXPECT_EQ(picture.toImage(2.0), alone[i]) << round << " " << i;
        }
    }
}

TEST(DesignerBatch, BadValuesGiveNoPictureNeverThePreviousOne) {
    const struct {
        const char* title;
        QString value;
        QString good = QStringLiteral("0123");
    } cases[] = {
        {"Code 39", QString()},
        {"Code 39", QStringLiteral("caf\u00e9")},
        {"EAN-13", QStringLiteral("12AB"), QStringLiteral("4006381333931")},
        {"UPCA", QStringLiteral("1"), QStringLiteral("036000291452")},
        {"QR Code", QString()},
        {"QR Code", QStringLiteral("\u00e9t\u00e9")},
        {"QR Code", QString(8000, QLatin1Char('A'))}, // over the capacity
        {"PDF417", QString()},
        {"DataMatrix", QString()},
        {"DataMatrix", QString(4000, QLatin1Char('7'))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        auto object = barcodeObject(QString::fromLatin1(c.title), QStringLiteral("0123"));
        BarcodeDesigner designer;
        designer.Set_Barcode_Prop_To_Control(object);
        ASSERT_FALSE(designer.Get_Image_From_Val(c.good, QString(), QString()).isNull());
        EXPECT_TRUE(designer.Get_Image_From_Val(c.value, QString(), QString()).isNull());
        EXPECT_FALSE(designer.testBarcode_EXP);
    }
}

TEST(DesignerBatch, TheLoadingFlagStopsPreviewsNotTheBatch) {
    auto object = barcodeObject(QStringLiteral("Code 128"), QStringLiteral("0123"));
    BarcodeDesigner designer;
    designer.Set_Barcode_Prop_To_Control(object);
    const CardPicture first = designer.Get_Image_From_Val(QStringLiteral("A1"), {}, {});
    Not_Draw_Only_Prop_Change = 1;
    const CardPicture second = designer.Get_Image_From_Val(QStringLiteral("B2"), {}, {});
    Not_Draw_Only_Prop_Change = 0;
    ASSERT_FALSE(second.isNull());
    ASSERT_TRUE(designer.testBarcode_EXP);
    EXPECT_EQ(designer.testBarcode_EXP->content(), QStringLiteral("B2"));
    EXPECT_NE(first.toImage(2.0), second.toImage(2.0));
}

TEST(DesignerBatch, AWorkerThreadGetsTheSameRaster) {
    for (const char* title : {"Code 39", "QR Code", "PDF417", "DataMatrix"}) {
        SCOPED_TRACE(title);
        auto object = barcodeObject(QString::fromLatin1(title), QStringLiteral("0123"));
        BarcodeDesigner designer;
        designer.Set_Barcode_Prop_To_Control(object);
        const QImage here =
            designer.Get_Image_From_Val(QStringLiteral("CARD 7"), QStringLiteral("H"), {})
                .toImage(3.0);
        QImage there;
        std::thread worker([&] {
            designer.Set_Barcode_Prop_To_Control(object);
            there = designer.Get_Image_From_Val(QStringLiteral("CARD 7"), QStringLiteral("H"), {})
                        .toImage(3.0);
        });
        worker.join();
        ASSERT_FALSE(here.isNull());
        EXPECT_EQ(here, there);
    }
}

// ---- Sizing ----

TEST(DesignerSizing, BarWidthFromMils) {
    const struct {
        float mils;
        float points;
    } cases[] = {{20.0f, 1.44f}, {10.0f, 0.72f}, {7.5f, 0.54f}};
    for (const auto& c : cases) {
        auto object = barcodeObject(QStringLiteral("Code 39"), QStringLiteral("0123"));
        object->linear_width_val = c.mils;
        BarcodeDesigner designer;
        designer.Set_Barcode_Prop_To_Control(object);
        ASSERT_FALSE(designer.Get_Image_From_Val(QStringLiteral("0123"), {}, {}).isNull());
        EXPECT_FLOAT_EQ(designer.testBarcode_EXP->barWidth(), c.points) << c.mils;
    }
}

TEST(DesignerSizing, LeftRightMarginAddsTwiceItselfAndFifteen) {
    const struct {
        float centimetres;
        double extra; // points
    } cases[] = {{0.0f, 0.0}, {1.0f, 2 * 28.3465 + 15}, {0.5f, 28.3465 + 15}};
    for (const auto& c : cases) {
        auto object = barcodeObject(QStringLiteral("Code 39"), QStringLiteral("0123"));
        object->LR_margin_val = c.centimetres;
        BarcodeDesigner designer;
        designer.Set_Barcode_Prop_To_Control(object);
        ASSERT_FALSE(designer.Get_Image_From_Val(QStringLiteral("0123"), {}, {}).isNull());
        const NKDBarcode& model = *designer.testBarcode_EXP;
        // Code 39 "0123": the bars are wider than the default header and footer.
        const double bars = model.completeBarcode().size() * 1.44;
        EXPECT_NEAR(model.width(), bars + c.extra, 0.01) << c.centimetres;
    }
}

TEST(DesignerSizing, AHiddenTextIsNotInThe2DHeight) {
    const CardPicture picture =
        CardPicture::fromImage(QImage(60, 60, QImage::Format_ARGB32), QSizeF(60, 60));
    auto frameHeight = [&](int hideHeader, int hideFooter) {
        BarcodeSettings s;
        s.show_hide_hdr = hideHeader;
        s.show_hide_ftr = hideFooter;
        return BarcodeDesigner::frameFor2D(s, picture, QStringLiteral("HEADER"),
                                           QStringLiteral("FOOTER"))
            .height;
    };
    // Both hidden: the picture and the top and bottom margins (0.1 cm each).
    EXPECT_NEAR(frameHeight(1, 1), 60 + 2 * 2.83465, 0.001);
    const float header = frameHeight(0, 1) - frameHeight(1, 1);
    const float footer = frameHeight(1, 0) - frameHeight(1, 1);
    EXPECT_GT(header, 10.0f);           // a 10-pt band and its margin
    EXPECT_NEAR(header, footer, 0.001); // same font and margin
    EXPECT_NEAR(frameHeight(0, 0), frameHeight(1, 1) + header + footer, 0.001);
}

} // namespace
