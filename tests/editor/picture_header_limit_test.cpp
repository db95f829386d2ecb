// A picture file whose header claims more than 256 megapixels is refused
// from its header alone: here a valid PNG of 17000 x 17000 one-bit pixels,
// small on disk and 36 MB in memory, which Qt's reader decodes once its
// memory limit is lifted (it counts four bytes a pixel for every format).

#include "editor/model/SKTPictureLoading.h"

#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Sets the reader's memory limit for the object's life.
class ReaderLimit {
public:
    explicit ReaderLimit(int megabytes) : m_saved(QImageReader::allocationLimit()) {
        QImageReader::setAllocationLimit(megabytes);
    }
    ~ReaderLimit() { QImageReader::setAllocationLimit(m_saved); }
    ReaderLimit(const ReaderLimit&) = delete;
    ReaderLimit& operator=(const ReaderLimit&) = delete;

private:
    int m_saved;
};

TEST(PictureHeaderLimit, AValidPictureOverTheLimitIsRefusedFromItsHeader) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("huge.png"));
    const QSize huge(17000, 17000); // 289 megapixels
    {
        QImage page(huge, QImage::Format_Mono);
        ASSERT_FALSE(page.isNull());
        page.fill(0);
        ASSERT_TRUE(page.save(path, "PNG"));
    }
    // With no reader memory limit Qt alone reads it whole: a valid picture.
    // The program, under the same lifted limit, still refuses it as too
    // large, so the refusal comes from the header, not from a decoder that
    // gave up.
    const ReaderLimit unlimited(0);
    {
        QImageReader reader(path);
        EXPECT_EQ(reader.size(), huge);
        EXPECT_EQ(reader.read().size(), huge) << reader.errorString().toStdString();
    }
    SKTPictureProblem problem = SKTPictureProblem::None;
    const CardPicture picture = SKTLoadPictureFile(path, &problem);
    EXPECT_TRUE(picture.isNull());
    EXPECT_EQ(problem, SKTPictureProblem::TooLarge);
}

} // namespace
