// Picture, signature and barcode objects: placeholders, paths, sizes,
// mirroring, opacity, outlines and the kept adjusted picture.

#include "editor/model/PicturePlaceholders.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTSignature.h"
#include "editor_test_support.h"
#include "objects_test_support.h"

#include <QCursor>
#include <QPixmap>

namespace {

// Four quadrants: red top left, green top right, blue bottom left, yellow
// bottom right.
QImage quadrants(int side) {
    QImage image = objtest::solid(side, side, Qt::red);
    QPainter painter(&image);
    painter.fillRect(side / 2, 0, side / 2, side / 2, Qt::green);
    painter.fillRect(0, side / 2, side / 2, side / 2, Qt::blue);
    painter.fillRect(side / 2, side / 2, side / 2, side / 2, Qt::yellow);
    return image;
}

std::shared_ptr<SKTImage> pictureObject(const QImage& image, const QRectF& bounds) {
    auto object = makeGraphic<SKTImage>(bounds);
    object->_contents = CardPicture::fromImage(image);
    object->_isDrawingStroke = false;
    return object;
}

} // namespace

TEST(PicturePlaceholdersTest, NewObjectsShowTheSamplesOfTheirKind) {
    objtest::ResourceFolder resources;
    auto signature = std::make_shared<SKTSignature>();
    signature->initWithPosition({50, 50}, PicturePlaceholders::sign_sample_img(), "S");
    signature->_isDrawingStroke = false;
    EXPECT_EQ(signature->FilePath(), resources.file("sign_sample.png"));
    EXPECT_EQ(signature->bounds(), QRectF(40, 45, 20, 10));
    EXPECT_EQ(objtest::render(*signature, {100, 100}).pixel(50, 50), qRgb(0, 255, 0));

    auto fingerprint = std::make_shared<SKTSignature>();
    fingerprint->initWithPosition({50, 50}, PicturePlaceholders::fp_sample_img(), "F");
    EXPECT_EQ(fingerprint->FilePath(), resources.file("fingerprints.png"));
    EXPECT_EQ(fingerprint->bounds().size(), QSizeF(10, 20));
    // Saved and read back (no picture travels in the archive), each shows
    // the sample of its kind again.
    fingerprint->_isDrawingStroke = false;
    for (const auto& [original, colour] :
         {std::pair{signature, qRgb(0, 255, 0)}, std::pair{fingerprint, qRgb(0, 0, 255)}}) {
        const auto reopened = SKTGraphic::graphicWithArchivedData(original->archivedData());
        ASSERT_TRUE(reopened);
        EXPECT_EQ(objtest::render(*reopened, {100, 100}).pixel(50, 50), colour);
    }

    // A barcode without a picture shows the sample at its own size.
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->initWithPosition({50, 50}, CardPicture());
    EXPECT_EQ(barcode->bounds(), QRectF(35, 42.5, 30, 15));
    barcode->setBounds(QRectF(0, 0, 90, 90));
    const QImage drawn = objtest::render(*barcode, {100, 100});
    EXPECT_EQ(objtest::inkBounds(drawn), QRect(0, 0, 30, 15));
    // Its own picture replaces the sample, also at its own size.
    barcode->Set_Barcode_image(CardPicture::fromImage(objtest::solid(12, 6, Qt::red)));
    EXPECT_EQ(objtest::inkBounds(objtest::render(*barcode, {100, 100})), QRect(0, 0, 12, 6));
}

TEST(PicturePlaceholdersTest, DefaultResolvesAndIsNeverStored) {
    objtest::ResourceFolder resources;
    auto fingerprint = std::make_shared<SKTSignature>();
    fingerprint->initWithPath({20, 20}, "Default", "F");
    EXPECT_EQ(fingerprint->FilePath(), resources.file("fingerprints.png"));
    EXPECT_EQ(fingerprint->file_path, resources.file("fingerprints.png"));
    EXPECT_EQ(fingerprint->bounds(), QRectF(15, 10, 10, 20));

    // A path written straight into the record shows at the next drawing,
    // and drawing leaves the record as it was.
    fingerprint->_isDrawingStroke = false;
    fingerprint->Set_Control_File_path("Default");
    fingerprint->Set_Sign_Or_FP("S");
    EXPECT_EQ(objtest::render(*fingerprint, {40, 40}).pixel(20, 20), qRgb(0, 255, 0));
    EXPECT_EQ(fingerprint->FilePath(), QStringLiteral("Default"));
    fingerprint->Set_Control_File_path(resources.file("no.png"));
    EXPECT_EQ(objtest::render(*fingerprint, {40, 40}).pixel(20, 20), qRgb(255, 0, 0));
}

TEST(PicturePlaceholdersTest, CreationCursorIsTheCrossHeldAtItsCentre) {
    objtest::ResourceFolder resources;
    EXPECT_EQ(SKTGraphic::creationCursor().shape(), Qt::CrossCursor) << "no Cross.png";
    ASSERT_TRUE(objtest::solid(9, 7, Qt::black).save(resources.file("Cross.png")));
    const QCursor cursor = SKTGraphic::creationCursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.pixmap().size(), QSize(9, 7));
    EXPECT_EQ(cursor.hotSpot(), QPoint(4, 3));
}

TEST(PictureDrawing, EmptyPathsAndMissingPictures) {
    objtest::ResourceFolder resources;
    auto picture = pictureObject(objtest::solid(10, 10, Qt::red), {10, 10, 40, 40});
    picture->_isDrawingStroke = true;
    picture->_strokeWidth = 2;
    picture->Set_Control_File_path("");
    EXPECT_TRUE(objtest::isWhite(objtest::render(*picture, {60, 60})));

    // The same path on a signature still draws its outline.
    auto signature = makeGraphic<SKTSignature>({10, 10, 40, 40});
    signature->_strokeWidth = 2;
    signature->Set_Control_File_path("");
    const QImage outline = objtest::render(*signature, {60, 60});
    EXPECT_EQ(outline.pixel(10, 30), qRgb(0, 0, 0));
    EXPECT_EQ(outline.pixel(30, 30), qRgb(255, 255, 255));

    // An unreadable file: no picture, the outline alone.
    picture->setFilePath(resources.file("missing.png"));
    EXPECT_TRUE(picture->contents().isNull());
    EXPECT_EQ(picture->FilePath(), resources.file("missing.png"));
    const QImage onlyOutline = objtest::render(*picture, {60, 60});
    EXPECT_EQ(onlyOutline.pixel(10, 30), qRgb(0, 0, 0));
    EXPECT_EQ(onlyOutline.pixel(30, 30), qRgb(255, 255, 255));

    // Not a picture at all.
    QFile junk(resources.file("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    picture->setFilePath(resources.file("junk.png"));
    EXPECT_TRUE(picture->contents().isNull());
}

TEST(PictureDrawing, SizeInPointsFromTheResolution) {
    objtest::ResourceFolder resources;
    objtest::solid(600, 600, Qt::blue, 600).save(resources.file("fine.png"));
    auto picture = std::make_shared<SKTImage>();
    picture->initWithPath({100, 100}, resources.file("fine.png"));
    EXPECT_EQ(picture->bounds(), QRectF(64, 64, 72, 72));
    picture->_isDrawingStroke = false;
    EXPECT_EQ(objtest::inkBounds(objtest::render(*picture, {200, 200})), QRect(64, 64, 72, 72));
}

TEST(PictureDrawing, MirroredBothWaysIsTurnedHalfway) {
    auto plain = pictureObject(quadrants(40), {10, 10, 40, 40});
    auto mirrored = pictureObject(quadrants(40), {10, 10, 40, 40});
    mirrored->setFlippedHorizontally(true);
    mirrored->setFlippedVertically(true);
    const QImage a = objtest::render(*plain, {60, 60});
    const QImage b = objtest::render(*mirrored, {60, 60});
    EXPECT_EQ(b.copy(10, 10, 40, 40), a.copy(10, 10, 40, 40).mirrored(true, true));
    EXPECT_EQ(b.pixel(15, 15), qRgb(255, 255, 0));
    mirrored->setFlippedVertically(false);
    EXPECT_EQ(objtest::render(*mirrored, {60, 60}).pixel(15, 15), qRgb(0, 255, 0));
    EXPECT_EQ(mirrored->presentablePropertyNameForKey("flippedHorizontally"),
              QStringLiteral("Horizontal Flipping"));
    EXPECT_EQ(mirrored->presentablePropertyNameForKey("flippedVertically"),
              QStringLiteral("Vertical Flipping"));
}

TEST(PictureDrawing, HalfOpacityOverWhiteWithAnOpaqueOutline) {
    auto picture = pictureObject(objtest::solid(20, 20, Qt::red), {10, 10, 40, 40});
    picture->img_trnsp_val = 50;
    picture->_isDrawingStroke = true;
    picture->_strokeWidth = 4;
    const QImage image = objtest::render(*picture, {60, 60});
    EXPECT_TRUE(objtest::near(image.pixel(30, 30), qRgb(255, 128, 128)))
        << std::hex << image.pixel(30, 30);
    EXPECT_EQ(image.pixel(9, 30), qRgb(0, 0, 0)); // outer half of the outline
}

TEST(PictureDrawing, TurnedPictureIsDrawnWholeIntoTheBounds) {
    auto picture = pictureObject(objtest::solid(100, 100, Qt::red), {0, 0, 120, 120});
    picture->rotate_image = 45;
    const QImage image = objtest::render(*picture, {120, 120});
    // The turned square stands on a corner: the bounds' corners stay empty,
    // the tips touch the middle of each side, nothing is cut.
    EXPECT_EQ(image.pixel(3, 3), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(116, 116), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(60, 60), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(60, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(5, 60), qRgb(255, 0, 0));
}

TEST(PictureDrawing, NaturalSizeAndItsLock) {
    auto picture = pictureObject(objtest::solid(1000, 300, Qt::red), {5, 5, 50, 50});
    picture->setFlippedHorizontally(true);
    picture->ctrl_is_locked = true;
    picture->makeNaturalSize();
    EXPECT_EQ(picture->bounds(), QRectF(5, 5, 50, 50));
    EXPECT_TRUE(picture->_isFlippedHorizontally);
    picture->ctrl_is_locked = false;
    picture->makeNaturalSize();
    // 1000 x 300 scaled down to the 724 point width: 300 x 0.724 high.
    EXPECT_EQ(picture->bounds().topLeft(), QPointF(5, 5));
    EXPECT_NEAR(picture->bounds().width(), 724, 1e-9);
    EXPECT_NEAR(picture->bounds().height(), 217.2, 1e-9);
    EXPECT_FALSE(picture->_isFlippedHorizontally);
}

TEST(PictureDrawing, AdjustedPictureIsKeptUntilSomethingChanges) {
    auto picture = pictureObject(quadrants(40), {0, 0, 40, 40});
    picture->gray_Scale = true;
    const CardPicture first = picture->adjustedPicture();
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(picture->adjustedPicture().sharesDataWith(first));
    picture->hue_val = 1.0f;
    const CardPicture second = picture->adjustedPicture();
    EXPECT_FALSE(second.sharesDataWith(first));
    EXPECT_TRUE(picture->adjustedPicture().sharesDataWith(second));
    picture->_contents = CardPicture::fromImage(quadrants(40));
    EXPECT_FALSE(picture->adjustedPicture().sharesDataWith(second));
    // Neutral: the picture itself.
    picture->gray_Scale = false;
    picture->hue_val = 0;
    EXPECT_TRUE(picture->adjustedPicture().sharesDataWith(picture->_contents));
}

TEST(PictureProperties, PictureTravelsAsPngBytesWithItsResolution) {
    auto picture = pictureObject(objtest::solid(300, 150, Qt::blue, 300), {0, 0, 10, 10});
    picture->setFlippedVertically(true);
    const QVariantMap properties = picture->properties();
    ASSERT_EQ(properties.value("contents").typeId(), QMetaType::QByteArray);
    EXPECT_TRUE(properties.value("contents").toByteArray().startsWith("\x89PNG"));
    SKTImage back;
    back.initWithProperties(properties);
    EXPECT_EQ(back._contents.size(), QSizeF(72, 36));
    EXPECT_TRUE(back._isFlippedVertically);
    SKTImage junk;
    junk.initWithProperties({{"contents", QByteArray("not a picture")}});
    EXPECT_TRUE(junk._contents.isNull());
}
