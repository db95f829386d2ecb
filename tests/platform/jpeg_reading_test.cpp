// JPEGs read through libjpeg with the program's own error manager: a file
// cut short is refused from what the decoder tells, whatever logging rules
// the user's environment sets; stray bytes and 0xff fill before a marker and
// data after the end marker are passed over as libjpeg passes them; grey,
// CMYK and YCCK pictures and the JFIF resolution read as they did through
// Qt's reader.

#include "PictureColours.h"
#include "common/PictureFileMaking.h"
#include "platform/JpegReader.h"
#include "platform/PictureDecoder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

#include <jpeglib.h>

namespace {

using namespace picturefiles;
using picturecolours::shownCorners;

// Whole, at a size libjpeg decodes at itself, and at one it is scaled to.
const QSize kTargets[] = {QSize(), QSize(48, 24), QSize(30, 15)};

// A picture in four quarters written in CMYK (or YCCK) through libjpeg as
// Adobe writes it, every value inverted (255 is no ink): red top left, green
// top right, blue bottom left, and black made of the K ink alone at the
// bottom right.
QByteArray cmykJpeg(int width, int height, bool ycck) {
    jpeg_error_mgr errors{};
    jpeg_compress_struct info{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, ycck ? JCS_YCCK : JCS_CMYK);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(width) * 4);
    // Inverted inks, c m y k: red is magenta and yellow ink, green cyan and
    // yellow, blue cyan and magenta; black the K ink only.
    const JSAMPLE red[4] = {255, 0, 0, 255};
    const JSAMPLE green[4] = {0, 255, 0, 255};
    const JSAMPLE blue[4] = {0, 0, 255, 255};
    const JSAMPLE black[4] = {255, 255, 255, 0};
    while (info.next_scanline < info.image_height) {
        const bool top = int(info.next_scanline) < height / 2;
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            const JSAMPLE* ink = top ? (left ? red : green) : (left ? blue : black);
            std::copy(ink, ink + 4, row.begin() + 4 * x);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

struct Decoded {
    PictureFileProblem problem = PictureFileProblem::Missing;
    QImage image;
};

Decoded decodeFile(const QString& path, const QSize& target) {
    Decoded decoded;
    decoded.image = PictureDecoder::decode(path, target, &decoded.problem);
    return decoded;
}

TEST(JpegReading, CutShortIsToldByTheDecoder) {
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray bytes;
        JpegReader::Outcome told;
    } rows[] = {
        {"whole-baseline.jpg", cutJpeg(false, 1.0), JpegReader::Outcome::Read},
        {"whole-progressive.jpg", cutJpeg(true, 1.0), JpegReader::Outcome::Read},
        // Cut and patched up with an end marker: only the decoder knows.
        {"cut-baseline-ended.jpg", cutJpeg(false, 0.6), JpegReader::Outcome::Cut},
        {"cut-progressive-ended.jpg", cutJpeg(true, 0.6), JpegReader::Outcome::Cut},
        {"cut-progressive-early.jpg", cutJpeg(true, 0.15), JpegReader::Outcome::Cut},
        // Cut with no end marker at all.
        {"cut-baseline.jpg", cutJpeg(false, 0.6).chopped(2), JpegReader::Outcome::Cut},
        {"cut-progressive.jpg", cutJpeg(true, 0.6).chopped(2), JpegReader::Outcome::Cut},
        // A few hundred bytes claiming 9000 x 9000 pixels.
        {"claims.jpg", claimingProgressiveJpeg(9000, 9000), JpegReader::Outcome::Cut},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        ASSERT_TRUE(writeFile(path, row.bytes));
        const PictureDecoder::Header header = PictureDecoder::readHeader(path);
        ASSERT_EQ(header.problem, PictureFileProblem::None);
        for (const int denominator : {1, 8}) {
            JpegReader::Outcome outcome = JpegReader::Outcome::NotPicture;
            const QImage image = JpegReader::read(path, header, denominator, false, &outcome);
            EXPECT_EQ(outcome, row.told);
            EXPECT_EQ(image.isNull(), row.told != JpegReader::Outcome::Read);
        }
        const bool whole = row.told == JpegReader::Outcome::Read;
        for (const QSize& target : {QSize(80, 60), QSize(300, 200)}) {
            const Decoded decoded = decodeFile(path, target);
            EXPECT_EQ(decoded.problem,
                      whole ? PictureFileProblem::None : PictureFileProblem::NotPicture);
            EXPECT_EQ(decoded.image.isNull(), !whole);
        }
    }
}

TEST(JpegReading, CutJpegsAreRefusedWhateverTheLoggingRules) {
    // The user's environment may silence every warning, Qt's own, or do so
    // through a rules file; the decoding tests run again in a program
    // started under each, as the program itself would be.
    QTemporaryDir dir;
    const QString rulesFile = dir.filePath(QStringLiteral("qtlogging.ini"));
    ASSERT_TRUE(writeFile(rulesFile, "[Rules]\n*.warning=false\n"));
    const struct {
        const char* name;
        const char* variable;
        QString value;
    } rows[] = {
        {"no rules", nullptr, {}},
        {"no warnings", "QT_LOGGING_RULES", QStringLiteral("*.warning=false")},
        {"nothing of Qt's", "QT_LOGGING_RULES", QStringLiteral("qt.*=false")},
        {"a rules file", "QT_LOGGING_CONF", rulesFile},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_LOGGING_RULES"));
        environment.remove(QStringLiteral("QT_LOGGING_CONF"));
        if (row.variable) {
            environment.insert(QString::fromLatin1(row.variable), row.value);
        }
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=PictureDecoder.JpegsCutShortAreNotPictures:"
                                    "JpegReading.CutShortIsToldByTheDecoder")});
        ASSERT_TRUE(child.waitForFinished(120000));
        const QByteArray out = child.readAllStandardOutput();
        EXPECT_EQ(child.exitCode(), 0) << out.right(3000).constData();
        EXPECT_TRUE(out.contains("[  PASSED  ] 2 tests.")) << out.right(3000).constData();
    }
}

TEST(JpegReading, StrayFillAndTrailingBytesArePassedOver) {
    QTemporaryDir dir;
    const QByteArray plain = jpeg(quarters(96, 48), false);
    const QByteArray progressive = jpeg(quarters(96, 48), true);
    const qsizetype first = afterFirstSegment(plain);
    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"two stray bytes after the first segment",
         insertedAt(plain, first, QByteArray("\x12\x34", 2))},
        {"two stray bytes in a progressive file",
         insertedAt(progressive, afterFirstSegment(progressive), QByteArray("\x12\x34", 2))},
        {"stray bytes right after the start", insertedAt(plain, 2, QByteArray("junk"))},
        {"stray bytes holding an escaped 0xff",
         insertedAt(plain, first, QByteArray("\x01\xff\x00\x02", 4))},
        {"stray bytes over several blocks", insertedAt(plain, first, QByteArray(200000, 'x'))},
        {"fill bytes before a marker", insertedAt(plain, first, QByteArray(1000, '\xff'))},
        {"50 MB of fill bytes", insertedAt(plain, 2, QByteArray(50 * 1024 * 1024, '\xff'))},
        // Phones append a video or a second picture after the end marker.
        {"data after the end marker", plain + QByteArray("mdat").repeated(5000)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QStringLiteral("stray.jpg"));
        ASSERT_TRUE(writeFile(path, row.bytes));
        const PictureDecoder::Header header = PictureDecoder::readHeader(path);
        EXPECT_EQ(header.problem, PictureFileProblem::None);
        EXPECT_EQ(header.pixels, QSize(96, 48));
        for (const QSize& target : kTargets) {
            const Decoded decoded = decodeFile(path, target);
            EXPECT_EQ(decoded.problem, PictureFileProblem::None);
            EXPECT_EQ(decoded.image.size(), target.isValid() ? target : QSize(96, 48));
            EXPECT_EQ(shownCorners(decoded.image), "RGBY");
        }
    }
}

TEST(JpegReading, GreyCmykAndYcckPicturesShowTheirColours) {
    QTemporaryDir dir;
    const QImage grey = quarters(96, 48).convertToFormat(QImage::Format_Grayscale8);
    const QString greyPath = dir.filePath(QStringLiteral("grey.jpg"));
    ASSERT_TRUE(writeFile(greyPath, jpeg(grey, false, 95)));
    for (const QSize& target : kTargets) {
        SCOPED_TRACE(target.width());
        const Decoded decoded = decodeFile(greyPath, target);
        ASSERT_EQ(decoded.problem, PictureFileProblem::None);
        for (const QPointF& at :
             {QPointF(0.25, 0.25), QPointF(0.75, 0.25), QPointF(0.25, 0.75), QPointF(0.75, 0.75)}) {
            const QColor shown = decoded.image.pixelColor(int(at.x() * decoded.image.width()),
                                                          int(at.y() * decoded.image.height()));
            const int written = qGray(grey.pixel(int(at.x() * 96), int(at.y() * 48)));
            EXPECT_NEAR(shown.red(), written, 6);
            EXPECT_NEAR(shown.green(), written, 6);
            EXPECT_NEAR(shown.blue(), written, 6);
        }
    }
    // A grey file scaled after decoding is decoded in colour, and counted so.
    EXPECT_GE(PictureDecoder::decodingCost(greyPath, QSize(30, 15)), qint64(48) * 24 * 4);

    const struct {
        const char* name;
        QByteArray bytes;
    } inks[] = {{"cmyk.jpg", cmykJpeg(96, 48, false)}, {"ycck.jpg", cmykJpeg(96, 48, true)}};
    for (const auto& file : inks) {
        SCOPED_TRACE(file.name);
        const QString path = dir.filePath(QString::fromLatin1(file.name));
        ASSERT_TRUE(writeFile(path, file.bytes));
        EXPECT_EQ(PictureDecoder::readHeader(path).components, 4);
        for (const QSize& target : kTargets) {
            const Decoded decoded = decodeFile(path, target);
            EXPECT_EQ(decoded.problem, PictureFileProblem::None);
            EXPECT_EQ(shownCorners(decoded.image), "RGBK");
        }
    }
}

TEST(JpegReading, JfifResolutionIsCarried) {
    QTemporaryDir dir;
    const struct {
        const char* name;
        int dotsPerMetreX;
        int dotsPerMetreY;
    } rows[] = {
        {"300 dpi", 11811, 11811},
        {"300 x 150 dpi", 11811, 5906},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QImage stored = quarters(96, 48);
        stored.setDotsPerMeterX(row.dotsPerMetreX);
        stored.setDotsPerMeterY(row.dotsPerMetreY);
        const QString path = dir.filePath(QStringLiteral("dense.jpg"));
        ASSERT_TRUE(writeFile(path, jpeg(stored, false)));
        for (const QSize& target : kTargets) {
            const Decoded decoded = decodeFile(path, target);
            ASSERT_EQ(decoded.problem, PictureFileProblem::None);
            EXPECT_NEAR(decoded.image.dotsPerMeterX(), row.dotsPerMetreX, 2);
            EXPECT_NEAR(decoded.image.dotsPerMeterY(), row.dotsPerMetreY, 2);
        }
    }
}

TEST(JpegReading, AFrameOtherThanTheHeaderToldIsRefused) {
    // The reading spends what the header counted: libjpeg finding another
    // frame than it told means the file changed under the reader.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("frame.jpg"));
    ASSERT_TRUE(writeFile(path, jpeg(quarters(96, 48), false)));
    const PictureDecoder::Header told = PictureDecoder::readHeader(path);
    ASSERT_EQ(told.problem, PictureFileProblem::None);
    PictureDecoder::Header taller = told;
    taller.storedPixels = QSize(96, 4800);
    PictureDecoder::Header grey = told;
    grey.components = 1;
    const struct {
        const char* name;
        PictureDecoder::Header header;
        JpegReader::Outcome outcome;
    } rows[] = {
        {"as told", told, JpegReader::Outcome::Read},
        {"a smaller frame than told", taller, JpegReader::Outcome::NotPicture},
        {"other components than told", grey, JpegReader::Outcome::NotPicture},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        JpegReader::Outcome outcome = JpegReader::Outcome::Cut;
        const QImage image = JpegReader::read(path, row.header, 2, false, &outcome);
        EXPECT_EQ(outcome, row.outcome);
        EXPECT_EQ(image.isNull(), row.outcome != JpegReader::Outcome::Read);
    }
}

} // namespace
