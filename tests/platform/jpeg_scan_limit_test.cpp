// A progressive JPEG is read scan by scan over the whole picture, however
// few bytes a scan has: a file of hundreds of repeated scans is refused
// rather than read for minutes, while files with as many scans as real
// encoders write (repeats that libjpeg passes over included) still read.

#include "common/PictureFileMaking.h"
#include "platform/PictureDecoder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A progressive JPEG with its first scan (the SOS segment and its coded
// data) repeated `copies` more times right after itself.
QByteArray withRepeatedFirstScan(int copies) {
    const QByteArray whole = picturefiles::jpeg(picturefiles::quarters(64, 64), true);
    const qsizetype start = whole.indexOf(QByteArray("\xff\xda", 2));
    qsizetype end = start + 2;
    // The scan's data runs to the next marker: 0xff not followed by a 0x00
    // stuffing byte.
    do {
        end = whole.indexOf('\xff', end + 1);
    } while (end > 0 && end + 1 < whole.size() && whole.at(end + 1) == '\0');
    const QByteArray scan = whole.mid(start, end - start);
    return whole.left(end) + scan.repeated(copies) + whole.mid(end);
}

TEST(JpegScanLimit, FilesOfManyScansAreRefusedOthersRead) {
    const struct {
        int copies;
        bool reads;
    } rows[] = {{0, true}, {20, true}, {150, true}, {400, false}, {5000, false}};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.copies);
        const QString path = dir.filePath(QStringLiteral("scans%1.jpg").arg(row.copies));
        ASSERT_TRUE(picturefiles::writeFile(path, withRepeatedFirstScan(row.copies)));
        PictureFileProblem problem = PictureFileProblem::None;
        const QImage image = PictureDecoder::decode(path, QSize(64, 64), &problem);
        EXPECT_EQ(!image.isNull(), row.reads);
        EXPECT_EQ(problem, row.reads ? PictureFileProblem::None : PictureFileProblem::NotPicture);
    }
}

} // namespace
