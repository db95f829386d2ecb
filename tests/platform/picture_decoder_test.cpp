// Picture files read as a photo viewer shows them, at what decoding them
// really costs: every EXIF orientation, JPEGs whose header claims more than
// they hold, JPEGs cut short, 16-bit PNGs.

#include "PictureColours.h"
#include "common/PictureFileMaking.h"
#include "platform/PictureDecoder.h"

#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace picturefiles;
using picturecolours::shownCorners;

TEST(PictureDecoder, EveryExifOrientationIsShownUpright) {
    // The stored picture has red, green, blue, yellow at its top left, top
    // right, bottom left, bottom right. The EXIF standard says where its
    // first row and first column are to be shown.
    const struct {
        int orientation;
        const char* corners;
    } rows[] = {
        {1, "RGBY"}, // first row at the top, first column at the left
        {2, "GRYB"}, // top, right
        {3, "YBGR"}, // bottom, right
        {4, "BYRG"}, // bottom, left
        {5, "RBGY"}, // left, top
        {6, "BRYG"}, // right, top
        {7, "YGBR"}, // right, bottom
        {8, "GYRB"}, // left, bottom
    };
    QTemporaryDir dir;
    const QImage stored = quarters(96, 48);
    for (const auto& row : rows) {
        const struct {
            const char* name;
            QByteArray bytes;
        } files[] = {
            {"exif-be.jpg", withOrientation(jpeg(stored, false), row.orientation, true)},
            {"exif-le.jpg", withOrientation(jpeg(stored, true), row.orientation, false)},
            {"exif.png", pngWithOrientation(png(stored), row.orientation, row.orientation % 2)},
        };
        for (const auto& file : files) {
            SCOPED_TRACE(std::to_string(row.orientation) + " " + file.name);
            const QString path = dir.filePath(QString::fromLatin1(file.name));
            ASSERT_TRUE(writeFile(path, file.bytes));
            const PictureDecoder::Header header = PictureDecoder::readHeader(path);
            ASSERT_EQ(header.problem, PictureFileProblem::None);
            const QSize shown = row.orientation >= 5 ? QSize(48, 96) : QSize(96, 48);
            EXPECT_EQ(header.pixels, shown);
            // Whole, and at half the pixels (a reduced read).
            for (const QSize& target : {QSize(), shown / 2}) {
                PictureFileProblem problem = PictureFileProblem::NotPicture;
                const QImage image = PictureDecoder::decode(path, target, &problem);
                EXPECT_EQ(problem, PictureFileProblem::None);
                EXPECT_EQ(image.size(), target.isValid() ? target : shown);
                EXPECT_EQ(shownCorners(image), row.corners);
            }
        }
    }
}

TEST(PictureDecoder, ReadingCostsWhatTheDecoderSpends) {
    QTemporaryDir dir;
    const auto at = [&dir](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    ASSERT_TRUE(writeFile(at("claims.jpg"), claimingProgressiveJpeg(16000, 16000)));
    const QImage photo = grain(1200, 800, 3);
    ASSERT_TRUE(writeFile(at("baseline.jpg"), jpeg(photo, false)));
    ASSERT_TRUE(writeFile(at("progressive.jpg"), jpeg(photo, true)));

    // A few hundred bytes claiming 16000 x 16000 progressive pixels: its
    // whole coefficients pass the limit, so it is refused from its header.
    EXPECT_LT(QFileInfo(at("claims.jpg")).size(), 1024);
    const PictureDecoder::Header claims = PictureDecoder::readHeader(at("claims.jpg"));
    EXPECT_EQ(claims.pixels, QSize(16000, 16000));
    EXPECT_EQ(claims.problem, PictureFileProblem::TooLarge);
    EXPECT_GT(claims.decodingBytes(QSize(100, 100)), PictureDecoder::kMaxDecodingBytes);
    PictureFileProblem problem = PictureFileProblem::None;
    EXPECT_TRUE(PictureDecoder::decode(at("claims.jpg"), QSize(100, 100), &problem).isNull());
    EXPECT_EQ(problem, PictureFileProblem::TooLarge);

    // Read small, a progressive JPEG still holds about 2 bytes a pixel of
    // its whole luminance (4:2:0 sampling) while a baseline one decodes at
    // 1/8 of its size.
    const qint64 progressive = PictureDecoder::decodingCost(at("progressive.jpg"), QSize(150, 100));
    const qint64 baseline = PictureDecoder::decodingCost(at("baseline.jpg"), QSize(150, 100));
    EXPECT_GE(progressive, qint64(1200) * 800 * 2);
    EXPECT_LT(baseline, qint64(1200) * 800 / 4);
    for (const char* name : {"progressive.jpg", "baseline.jpg"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(PictureDecoder::decode(at(name), QSize(150, 100), &problem).size(),
                  QSize(150, 100));
        EXPECT_EQ(problem, PictureFileProblem::None);
    }
}

TEST(PictureDecoder, JpegsCutShortAreNotPictures) {
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray bytes;
        PictureFileProblem told;
    } rows[] = {
        {"whole-baseline.jpg", cutJpeg(false, 1.0), PictureFileProblem::None},
        {"whole-progressive.jpg", cutJpeg(true, 1.0), PictureFileProblem::None},
        {"cut-baseline.jpg", cutJpeg(false, 0.5), PictureFileProblem::NotPicture},
        {"cut-progressive.jpg", cutJpeg(true, 0.5), PictureFileProblem::NotPicture},
        {"cut-progressive-early.jpg", cutJpeg(true, 0.15), PictureFileProblem::NotPicture},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        ASSERT_TRUE(writeFile(path, row.bytes));
        for (const QSize& target : {QSize(), QSize(80, 60)}) {
            PictureFileProblem problem = PictureFileProblem::None;
            const QImage image = PictureDecoder::decode(path, target, &problem);
            EXPECT_EQ(problem, row.told);
            EXPECT_EQ(image.isNull(), row.told != PictureFileProblem::None);
        }
    }
}

TEST(PictureDecoder, SixteenBitPngsReadReducedPastQtsAllocationLimit) {
    // Qt decodes a 16-bit PNG whole at 8 bytes a pixel: 1500 x 1500 is 18 MB,
    // over a 16 MB limit as 4500 x 4500 is over the usual 128 MB.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("deep.png"));
    ASSERT_TRUE(writeFile(path, png16(1500, 1500)));
    const int savedLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(16);
    for (const QSize& target : {QSize(), QSize(150, 150)}) {
        PictureFileProblem problem = PictureFileProblem::NotPicture;
        const QImage image = PictureDecoder::decode(path, target, &problem);
        EXPECT_EQ(problem, PictureFileProblem::None);
        EXPECT_EQ(image.size(), target.isValid() ? target : QSize(1500, 1500));
        EXPECT_EQ(shownCorners(image), "RGBY");
    }
    QImageReader::setAllocationLimit(savedLimit);
}

} // namespace
