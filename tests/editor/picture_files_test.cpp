// Picture files of picture objects: one reading shared by every spelling of
// a file's path, pixels kept for the frame and read again when it grows,
// the natural size from the whole file, output unchanged to the eye, and
// large or hostile files.

#include "editor/model/SKTImage.h"
#include "editor/model/SKTPictureLoading.h"
#include "editor/model/SKTSignature.h"
#include "editor_test_support.h"
#include "objects_test_support.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLinearGradient>
#include <QTest>
#include <QtEndian>

namespace {

// Smooth colour fields and sharp-edged shapes, as photos and artwork have.
QImage artwork(int width, int height, double dpi = 72.0) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(250, 220, 120));
    gradient.setColorAt(1, QColor(40, 90, 160));
    painter.fillRect(image.rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 40, 60));
    for (int i = 1; i < 7; ++i) {
        painter.drawEllipse(QPointF(width * i / 7.0, height / 2.0), width / 16.0, height / 5.0);
    }
    painter.end();
    CardUnits::markResolution(image, dpi);
    return image;
}

QSize kept(const SKTImage& object) {
    return object.contents().image().size();
}

std::shared_ptr<SKTImage> pictureIn(const QRectF& frame, const QString& path) {
    auto object = makeGraphic<SKTImage>(frame);
    object->_isDrawingStroke = false;
    object->setFilePath(path);
    return object;
}

// Mean difference of two pictures of one size, per channel, in levels.
double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

// A PNG chunk: length, type, data and CRC.
QByteArray pngChunk(const QByteArray& type, const QByteArray& data) {
    const QByteArray body = type + data;
    quint32 crc = 0xffffffffu;
    for (const char byte : body) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    char length[4];
    char sum[4];
    qToBigEndian(quint32(data.size()), length);
    qToBigEndian(~crc, sum);
    return QByteArray(length, 4) + body + QByteArray(sum, 4);
}

// A PNG whose header claims width x height pixels and that has none.
QByteArray pngHeaderOnly(quint32 width, quint32 height) {
    QByteArray header(13, 0);
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = 8; // bits per sample
    header[9] = 2; // RGB
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", {}) +
           pngChunk("IEND", {});
}

} // namespace

TEST(PictureFiles, OneFileUnderAnySpellingIsReadOnceForItsFrame) {
    objtest::ResourceFolder resources;
    const QString file = resources.file("art.png");
    ASSERT_TRUE(artwork(1200, 900).save(file));
    ASSERT_TRUE(QFile::link(file, resources.file("link.png")));
    ASSERT_TRUE(QFile::copy(file, resources.file("copy.png")));

    const auto first = pictureIn({0, 0, 60, 45}, file);
    // 600 dpi of a 60 x 45 point frame; the size in points is the file's.
    EXPECT_EQ(kept(*first), QSize(500, 375));
    EXPECT_EQ(first->contents().size(), QSizeF(1200, 900));
    const QString folder = QFileInfo(file).path();
    for (const QString& spelling :
         {folder + "/./art.png", folder + "//sub/../art.png", resources.file("link.png")}) {
        SCOPED_TRACE(spelling.toStdString());
        EXPECT_TRUE(
            pictureIn({5, 5, 60, 45}, spelling)->contents().sharesDataWith(first->contents()));
    }
    // Another file with the same bytes is another picture.
    EXPECT_FALSE(pictureIn({0, 0, 60, 45}, resources.file("copy.png"))
                     ->contents()
                     .sharesDataWith(first->contents()));
    // A file written anew gives its new pixels.
    ASSERT_TRUE(objtest::solid(1200, 900, Qt::red).save(file));
    const auto rewritten = pictureIn({0, 0, 60, 45}, file);
    EXPECT_FALSE(rewritten->contents().sharesDataWith(first->contents()));
    EXPECT_EQ(rewritten->contents().image().pixel(10, 10), qRgb(255, 0, 0));
}

TEST(PictureFiles, NaturalSizeComesFromTheWholeFileAtItsResolution) {
    objtest::ResourceFolder resources;
    for (const char* format : {"PNG", "JPEG"}) {
        for (const double dpi : {72.0, 300.0}) {
            SCOPED_TRACE(std::string(format) + " at " + std::to_string(dpi));
            const QString file =
                resources.file(QStringLiteral("r%1.%2").arg(dpi).arg(QLatin1String(format)));
            ASSERT_TRUE(artwork(1200, 900, dpi).save(file, format));
            const auto object = pictureIn({0, 0, 24, 18}, file);
            EXPECT_EQ(kept(*object), QSize(200, 150));
            const QSizeF natural(1200 * 72 / dpi, 900 * 72 / dpi);
            EXPECT_NEAR(object->contents().size().width(), natural.width(), 0.01);
            EXPECT_NEAR(object->contents().size().height(), natural.height(), 0.01);
        }
    }
}

TEST(PictureFiles, AGrownFrameIsDrawnFromPixelsReadAgain) {
    objtest::ResourceFolder resources;
    const QString file = resources.file("art.png");
    ASSERT_TRUE(artwork(600, 450).save(file));
    const auto object = pictureIn({0, 0, 24, 18}, file);
    ASSERT_EQ(kept(*object), QSize(200, 150));

    // While the frame is being dragged the pixels kept are drawn; once it
    // rests they are read again for its new size.
    object->setBounds({0, 0, 48, 36});
    EXPECT_EQ(kept(*object), QSize(200, 150));
    EXPECT_TRUE(QTest::qWaitFor([&] { return kept(*object) == QSize(400, 300); }, 5000));
    EXPECT_EQ(object->contents().size(), QSizeF(600, 450));
    // The natural size is the file's, and the whole file is then kept.
    object->makeNaturalSize();
    EXPECT_EQ(object->bounds(), QRectF(0, 0, 600, 450));
    EXPECT_TRUE(QTest::qWaitFor([&] { return kept(*object) == QSize(600, 450); }, 5000));

    // Signatures likewise.
    const auto signature = makeGraphic<SKTSignature>({0, 0, 24, 18});
    signature->setFilePath(file);
    const auto signaturePixels = [&] { return signature->pictureForDrawing().image().size(); };
    EXPECT_EQ(signaturePixels(), QSize(200, 150));
    signature->setBounds({0, 0, 48, 36});
    EXPECT_EQ(signaturePixels(), QSize(200, 150));
    // (Shared with the picture object's reading when that serves.)
    EXPECT_TRUE(QTest::qWaitFor([&] { return signaturePixels().width() >= 400; }, 5000));

    // A copy drawn for an output (no resize under way) reads what its
    // frame needs when it is drawn.
    const auto small = pictureIn({0, 0, 12, 9}, file);
    const auto copy = std::static_pointer_cast<SKTImage>(small->snapshot());
    copy->_bounds = QRectF(0, 0, 36, 27);
    objtest::render(*copy, {36, 27}, 600.0 / 72.0);
    EXPECT_EQ(kept(*copy), QSize(300, 225));
    EXPECT_EQ(kept(*small), QSize(100, 75));
}

TEST(PictureFiles, ExportsOfKeptPixelsMatchTheWholePicture) {
    objtest::ResourceFolder resources;
    const QString file = resources.file("art.png");
    const QImage whole = artwork(2400, 1800);
    ASSERT_TRUE(whole.save(file));
    const auto reduced = pictureIn({0, 0, 72, 54}, file);
    ASSERT_LT(kept(*reduced).width(), whole.width());
    const auto full = makeGraphic<SKTImage>({0, 0, 72, 54});
    full->_isDrawingStroke = false;
    full->_contents = CardPicture::fromImage(whole);
    for (const double dpi : {300.0, 600.0}) {
        SCOPED_TRACE(dpi);
        const QImage a = objtest::render(*reduced, {72, 54}, dpi / 72.0);
        const QImage b = objtest::render(*full, {72, 54}, dpi / 72.0);
        EXPECT_LE(meanDifference(a, b), 2.0);
    }
}

TEST(PictureFiles, LargeFilesReadScaledAndHostileOnesAreRefused) {
    objtest::ResourceFolder resources;
    // A header claiming 100000 x 100000 pixels: refused from the header.
    QFile hostile(resources.file("huge.png"));
    ASSERT_TRUE(hostile.open(QIODevice::WriteOnly));
    hostile.write(pngHeaderOnly(100000, 100000));
    hostile.close();
    SKTPictureProblem problem = SKTPictureProblem::None;
    EXPECT_TRUE(SKTLoadPictureFile(hostile.fileName(), &problem).isNull());
    EXPECT_EQ(problem, SKTPictureProblem::TooLarge);

    // Pictures whose whole pixels pass the reader's memory limit read at
    // fewer pixels, at their own size in points.
    const int savedLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(4);
    for (const char* format : {"JPEG", "PNG"}) {
        SCOPED_TRACE(format);
        const QString file = resources.file(QStringLiteral("big.") + QLatin1String(format));
        ASSERT_TRUE(artwork(1600, 1200).save(file, format));
        const CardPicture picture = SKTLoadPictureFile(file, &problem);
        EXPECT_EQ(problem, SKTPictureProblem::None);
        ASSERT_FALSE(picture.isNull());
        EXPECT_LT(picture.image().width(), 1600);
        EXPECT_EQ(picture.size(), QSizeF(1600, 1200));
    }
    QImageReader::setAllocationLimit(savedLimit);
}
