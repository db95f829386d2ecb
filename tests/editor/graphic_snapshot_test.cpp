// Snapshots of card objects for card pictures: every class copied whole with
// its pictures shared, independent of the live objects afterwards, and a
// card picture rasterised on a worker thread while the live objects change.

#include "drawing_test_support.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/render/GraphicSnapshot.h"
#include "editor/render/SKTRenderingView.h"
#include "platform/CardUnits.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <typeinfo>

namespace {

QImage filled(int w, int h, const QColor& color) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(color);
    CardUnits::markResolution(image, CardUnits::kPointsPerInch);
    return image;
}

// Values away from the defaults in fields of every group: geometry,
// colours, styling, text, binding, barcode settings, picture adjustments.
void setManyFields(SKTGraphic& graphic) {
    graphic._bounds = QRectF(12.5, 20, 80, 40);
    graphic._fillColor = QColor(10, 20, 30);
    graphic._strokeColor = QColor(200, 100, 0);
    graphic._strokeWidth = 3.5;
    graphic._stroke_border_type = QStringLiteral("DA");
    graphic._fill_type = QStringLiteral("G");
    graphic._fill_Grad_clr1 = Qt::cyan;
    graphic._fill_Grad_clr2 = Qt::magenta;
    graphic._fill_grad_angle = 33;
    graphic._isFlippedHorizontally = true;
    graphic.gray_Scale = true;
    graphic.hue_val = 0.5f;
    graphic.img_trnsp_val = 70.0f;
    graphic.data_source_type = 2;
    graphic.batch_list_name = QStringLiteral("guests");
    graphic.batch_list_index = 4;
    graphic.excel_col_indx = 3;
    graphic.excel_binding = true;
    graphic.control_ID = QStringLiteral("Fup_Name");
    graphic.text_ctrl_font = QFont(QStringLiteral("Liberation Sans"), 17);
    graphic.txt_clr = QColor(1, 2, 3);
    graphic.Text_contents() =
        SKTStyledText(QStringLiteral("Dear guest"), QFont(QStringLiteral("Liberation Serif"), 21),
                      QColor(120, 0, 0));
    graphic.header_val = QStringLiteral("Top");
    graphic.footer_val = QStringLiteral("Bottom");
    graphic.barcode_font_index = 7;
    graphic.qr_size_val = 90;
    graphic.value_font_val = QFont(QStringLiteral("Liberation Mono"), 9);
    graphic.barcode_back_clr_val = Qt::yellow;
    graphic.text_alignmnet = 2;
    graphic.text_kerning = 1.5f;
    graphic.print_object = 1;
    graphic.Text_Value = QStringLiteral("typed");
    graphic.ctrl_is_locked = true;
    graphic.polygon_type = 5;
    graphic._barcode_image = CardPicture::fromImage(filled(40, 20, Qt::darkGreen));
}

struct Kind {
    const char* name;
    std::function<std::shared_ptr<SKTGraphic>()> make;
};

std::vector<Kind> everyKind(const QString& pictureFile) {
    return {
        {"SKTGraphic", [] { return std::make_shared<SKTGraphic>(); }},
        {"SKTText", [] { return std::make_shared<SKTText>(); }},
        {"Shape_Control", [] { return std::make_shared<Shape_Control>(); }},
        {"SKTLine",
         [] {
             auto line = std::make_shared<SKTLine>();
             line->_pointsRight = true;
             line->_pointsDown = true;
             return line;
         }},
        {"SKTImage",
         [] {
             auto image = std::make_shared<SKTImage>();
             image->_contents = CardPicture::fromImage(filled(30, 30, Qt::red));
             return image;
         }},
        {"SKTBarcode",
         [] {
             auto barcode = std::make_shared<SKTBarcode>();
             barcode->_contents = CardPicture::fromImage(filled(25, 10, Qt::black));
             return barcode;
         }},
        {"SKTSignature",
         [pictureFile] {
             auto signature = std::make_shared<SKTSignature>();
             signature->setFilePath(pictureFile);
             return signature;
         }},
    };
}

class GraphicSnapshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_pictureFile = m_dir.filePath(QStringLiteral("sign.png"));
        ASSERT_TRUE(filled(20, 10, Qt::blue).save(m_pictureFile));
    }
    QTemporaryDir m_dir;
    QString m_pictureFile;
};

TEST_F(GraphicSnapshotTest, EveryClassIsCopiedWholeWithItsPicturesShared) {
    SKTDocument document;
    for (const Kind& kind : everyKind(m_pictureFile)) {
        SCOPED_TRACE(kind.name);
        std::shared_ptr<SKTGraphic> live = kind.make();
        setManyFields(*live);
        ASSERT_TRUE(document.insertGraphic(live, 0));
        ASSERT_EQ(live->owningDocument(), &document);

        const SKTGraphicList copies = snapshotOfGraphics({live, nullptr});
        ASSERT_EQ(copies.size(), 1) << "empty entries are left out";
        const std::shared_ptr<SKTGraphic>& copy = copies.first();
        ASSERT_TRUE(copy);
        EXPECT_NE(copy, live);
        EXPECT_EQ(typeid(*copy), typeid(*live));
        EXPECT_EQ(copy->owningDocument(), nullptr) << "a snapshot belongs to no document";
        EXPECT_EQ(copy->scriptingContainer(), nullptr);
        // Every archived field carries over: both archives are the same.
        EXPECT_EQ(copy->archivedData(), live->archivedData());
        EXPECT_TRUE(copy->_barcode_image.sharesDataWith(live->_barcode_image));
        if (auto* image = dynamic_cast<SKTImage*>(live.get())) {
            EXPECT_TRUE(static_cast<SKTImage&>(*copy)._contents.sharesDataWith(image->_contents));
        }
        if (auto* barcode = dynamic_cast<SKTBarcode*>(live.get())) {
            EXPECT_TRUE(
                static_cast<SKTBarcode&>(*copy)._contents.sharesDataWith(barcode->_contents));
        }
        if (auto* line = dynamic_cast<SKTLine*>(live.get())) {
            EXPECT_TRUE(static_cast<SKTLine&>(*copy)._pointsRight);
            EXPECT_EQ(static_cast<SKTLine&>(*copy)._pointsDown, line->_pointsDown);
        }
        document.removeGraphicAtIndex(0);
    }
}

TEST_F(GraphicSnapshotTest, ASnapshotStaysAsItWasWhenTheLiveObjectChanges) {
    auto text = std::make_shared<SKTText>();
    setManyFields(*text);
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->_barcode_image = CardPicture::fromImage(filled(50, 20, Qt::black));
    const SKTGraphicList copies = snapshotOfGraphics({text, barcode});
    ASSERT_EQ(copies.size(), 2);
    const CardPicture firstBarcode = barcode->_barcode_image;

    // The next record of a batch written into the live objects.
    SKTStyledText& contents = text->Text_contents();
    contents.replaceCharacters(0, contents.length(), QStringLiteral("Next record"));
    text->_bounds = QRectF(0, 0, 5, 5);
    text->_fillColor = Qt::white;
    barcode->Set_Barcode_image(CardPicture::fromImage(filled(10, 10, Qt::red)));

    EXPECT_EQ(copies[0]->Text_contents().string(), QStringLiteral("Dear guest"));
    EXPECT_EQ(copies[0]->_bounds, QRectF(12.5, 20, 80, 40));
    EXPECT_EQ(copies[0]->_fillColor, QColor(10, 20, 30));
    EXPECT_TRUE(copies[1]->_barcode_image.sharesDataWith(firstBarcode));
    // And the other way round: changing the snapshot leaves the live object.
    copies[0]->Text_Value = QStringLiteral("changed copy");
    EXPECT_EQ(text->Text_Value, QStringLiteral("typed"));
}

TEST_F(GraphicSnapshotTest, PicturesMadeOnceAreNotMadeAgainForTheSnapshot) {
    // An adjusted picture: the snapshot draws the one already made.
    auto image = std::make_shared<SKTImage>();
    image->_contents = CardPicture::fromImage(filled(16, 16, QColor(200, 50, 50)));
    image->gray_Scale = true;
    const CardPicture adjusted = image->adjustedPicture();
    ASSERT_FALSE(adjusted.isNull());
    ASSERT_FALSE(adjusted.sharesDataWith(image->_contents)) << "the adjustment made a new picture";
    // A signature's picture: drawn from the loaded picture, not its file.
    auto signature = std::make_shared<SKTSignature>();
    signature->setFilePath(m_pictureFile);
    const CardPicture loaded = signature->pictureForDrawing();
    ASSERT_FALSE(loaded.isNull());

    const SKTGraphicList copies = snapshotOfGraphics({image, signature});
    ASSERT_TRUE(QFile::remove(m_pictureFile));
    EXPECT_TRUE(static_cast<SKTImage&>(*copies[0]).adjustedPicture().sharesDataWith(adjusted));
    EXPECT_TRUE(static_cast<SKTSignature&>(*copies[1]).pictureForDrawing().sharesDataWith(loaded));
}

TEST_F(GraphicSnapshotTest, AClassWithoutACopyOfItsOwnGoesThroughItsArchive) {
    auto rect = drawingtest::makeRect({10, 10, 20, 20}, Qt::red);
    const SKTGraphicList copies = snapshotOfGraphics({rect});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_NE(copies[0], rect);
    EXPECT_EQ(typeid(*copies[0]), typeid(*rect));
    EXPECT_EQ(copies[0]->_fillColor, QColor(Qt::red));
}

TEST_F(GraphicSnapshotTest, ACardPictureRasterisesOnAWorkerWhileTheLiveObjectsChange) {
    drawingtest::RenderInputsGuard guard(QSizeF(300, 200));
    auto text = std::make_shared<SKTText>();
    text->_bounds = QRectF(10, 10, 200, 30);
    text->Text_contents() =
        SKTStyledText(QStringLiteral("Guest 0"), QFont(QStringLiteral("Liberation Sans"), 14));
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->_bounds = QRectF(10, 60, 100, 40);
    barcode->_barcode_image = CardPicture::fromImage(filled(100, 40, Qt::black));
    auto image = std::make_shared<SKTImage>();
    image->_bounds = QRectF(150, 60, 60, 60);
    image->_file_path = QStringLiteral("in memory");
    image->_contents = CardPicture::fromImage(filled(60, 60, Qt::blue));
    image->hue_val = 0.3f;
    const SKTGraphicList live{text, barcode, image};
    const CardPicture picture = SKTRenderingView::image_From_Card_Graphics(live, false);
    ASSERT_FALSE(picture.isNull());
    const QImage expected = picture.toImage(2.0);

    std::atomic<bool> stop{false};
    std::atomic<int> differing{0};
    std::atomic<int> rasters{0};
    std::thread worker([&] {
        for (int i = 0; i < 15; ++i) {
            differing += picture.toImage(2.0) != expected;
            ++rasters;
        }
        stop = true;
    });
    // Meanwhile the GUI thread writes records into the live objects and
    // draws them, as a batch run and the canvases do.
    QImage canvas = CardUnits::makeRaster(QSizeF(300, 200), 1.0, QImage::Format_ARGB32);
    for (int record = 1; !stop.load(); ++record) {
        SKTStyledText& contents = text->Text_contents();
        contents.replaceCharacters(0, contents.length(), QStringLiteral("Guest %1").arg(record));
        barcode->Set_Barcode_image(CardPicture::fromImage(
            filled(20 + record % 50, 40, QColor::fromHsv(record % 360, 200, 200))));
        image->setContents(
            CardPicture::fromImage(filled(60, 60, QColor::fromHsv(record % 360, 255, 255))));
        QPainter painter(&canvas);
        for (const auto& graphic : live) {
            graphic->drawContentsInView(painter, false);
        }
    }
    worker.join();
    EXPECT_EQ(rasters.load(), 15);
    EXPECT_EQ(differing.load(), 0);
}

} // namespace
