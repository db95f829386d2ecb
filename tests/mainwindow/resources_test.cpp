// Checks the resource files shipped with the program (resources/ in the source
// tree) and that the generator that draws them reproduces them exactly.
#include "common/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QString kResources = QStringLiteral(CARD_SOURCE_DIR "/resources");
const QString kGenerator = QStringLiteral(CARD_BINARY_DIR "/tools/resource_gen/resource_gen");

QString resource(const QString& relative) {
    return QDir(kResources).filePath(relative);
}

// Every entry of a folder, hidden ones included.
QFileInfoList entriesOf(const QString& folder) {
    return QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Relative paths of every file below a folder.
QStringList filesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << QDir(folder).relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

bool isPictureName(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("jpg");
}

// Dots per inch as the picture records them (card code sizes pictures in
// points from this).
double dpiOf(const QImage& image) {
    return image.dotsPerMeterX() * 0.0254;
}

int countAlpha(const QImage& image, int alpha) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) == alpha ? 1 : 0;
        }
    }
    return count;
}

// True when shifting the picture by (dx, dy), wrapping around its edges,
// leaves every pixel unchanged: the pattern continues across the edges.
bool invariantUnderWrappedShift(const QImage& image, int dx, int dy) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int sx = (x + dx) % image.width();
            const int sy = (y + dy) % image.height();
            if (image.pixel(x, y) != image.pixel(sx, sy)) {
                return false;
            }
        }
    }
    return true;
}

// The smallest wrapped shift across the left/right edge (horizontal == true)
// or the top/bottom edge that maps the tile onto itself.
std::optional<std::pair<int, int>> seamShift(const QImage& image, bool horizontal) {
    const int along = horizontal ? image.width() : image.height();
    const int across = horizontal ? image.height() : image.width();
    for (int d = 1; d < along; ++d) {
        for (int e = 0; e < across; ++e) {
            const int dx = horizontal ? d : e;
            const int dy = horizontal ? e : d;
            if (invariantUnderWrappedShift(image, dx, dy)) {
                return std::make_pair(dx, dy);
            }
        }
    }
    return std::nullopt;
}

// First letter of every word upper case, the rest lower case: the form the
// picture library shows and then opens the category folder by.
QString capitalised(const QString& name) {
    QString out = name.toLower();
    bool wordStart = true;
    for (QChar& c : out) {
        if (c.isSpace()) {
            wordStart = true;
        } else if (wordStart) {
            c = c.toUpper();
            wordStart = false;
        }
    }
    return out;
}

struct FixedPicture {
    const char* name;
    int minSide;
    int maxSide;
    bool transparentParts; // some pixels fully transparent
};

const FixedPicture kFixedPictures[] = {
    {"no.png", 32, 400, true},           {"sign_sample.png", 32, 400, true},
    {"fingerprints.png", 32, 400, true}, {"barcode_sample.png", 32, 400, false},
    {"Cross.png", 9, 64, true},          {"banner.png", 4, 400, false},
    {"pattern_1.jpg", 4, 400, false},
};

TEST(ResourceFiles, FixedPicturesLoadAtSensibleSizesAndResolution) {
    for (const FixedPicture& entry : kFixedPictures) {
        SCOPED_TRACE(entry.name);
        const QImage image(resource(QString::fromLatin1(entry.name)));
        ASSERT_FALSE(image.isNull());
        EXPECT_GE(std::min(image.width(), image.height()), entry.minSide);
        EXPECT_LE(std::max(image.width(), image.height()), entry.maxSide);
        // 72 dots per inch: a picture's size in points is its size in pixels.
        EXPECT_NEAR(dpiOf(image), 72.0, 0.1);
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        if (entry.transparentParts) {
            EXPECT_GT(countAlpha(argb, 0), 0);
            EXPECT_GT(argb.width() * argb.height() - countAlpha(argb, 0), 0);
        } else {
            EXPECT_EQ(countAlpha(argb, 255), argb.width() * argb.height());
        }
    }
}

TEST(ResourceFiles, CreationCursorIsCentredOnItsMiddlePixel) {
    const QImage cross =
        QImage(resource(QStringLiteral("Cross.png"))).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(cross.isNull());
    // An odd square, so the hot spot (the centre) is a whole pixel.
    ASSERT_EQ(cross.width(), cross.height());
    ASSERT_EQ(cross.width() % 2, 1);
    const int mid = cross.width() / 2;
    EXPECT_EQ(qAlpha(cross.pixel(mid, mid)), 255);
    EXPECT_LT(qGray(cross.pixel(mid, mid)), 64);
    EXPECT_EQ(qAlpha(cross.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(cross.pixel(cross.width() - 1, cross.height() - 1)), 0);
    // Symmetric about the centre in both directions.
    EXPECT_EQ(cross.mirrored(true, false), cross);
    EXPECT_EQ(cross.mirrored(false, true), cross);
}

TEST(ResourceFiles, BarcodeSampleHasBarsAndQuietZones) {
    const QImage code = QImage(resource(QStringLiteral("barcode_sample.png")));
    ASSERT_FALSE(code.isNull());
    const int y = code.height() / 2;
    int edges = 0;
    for (int x = 1; x < code.width(); ++x) {
        edges += (qGray(code.pixel(x, y)) < 128) != (qGray(code.pixel(x - 1, y)) < 128) ? 1 : 0;
    }
    EXPECT_GE(edges, 20);
    EXPECT_GT(qGray(code.pixel(0, y)), 200);
    EXPECT_GT(qGray(code.pixel(code.width() - 1, y)), 200);
}

TEST(ResourceFiles, HatchFolderHoldsOnlyLowerCasePngTiles) {
    const QFileInfoList entries = entriesOf(resource(QStringLiteral("Fill_Style_Image")));
    ASSERT_GE(entries.size(), 4);
    const QRegularExpression name(QStringLiteral("^[a-z0-9_-]+\\.png$"));
    for (const QFileInfo& entry : entries) {
        SCOPED_TRACE(entry.fileName().toStdString());
        EXPECT_TRUE(entry.isFile());
        EXPECT_TRUE(name.match(entry.fileName()).hasMatch());
    }
}

TEST(ResourceFiles, HatchTilesAreSeamlessAndTransparentBetweenTheLines) {
    const QFileInfoList entries = entriesOf(resource(QStringLiteral("Fill_Style_Image")));
    ASSERT_FALSE(entries.isEmpty());
    for (const QFileInfo& entry : entries) {
        SCOPED_TRACE(entry.fileName().toStdString());
        const QImage tile = QImage(entry.filePath()).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(tile.isNull());
        EXPECT_GE(tile.width(), 4);
        EXPECT_LE(tile.width(), 128);
        EXPECT_GE(tile.height(), 4);
        EXPECT_LE(tile.height(), 128);
        const int pixels = tile.width() * tile.height();
        // Mostly see-through, with solid lines.
        EXPECT_GT(countAlpha(tile, 0), pixels / 2);
        EXPECT_GT(countAlpha(tile, 255), 0);
        // The pattern repeats inside the tile and across both pairs of edges,
        // so painting it side by side shows no seams.
        EXPECT_TRUE(seamShift(tile, true).has_value());
        EXPECT_TRUE(seamShift(tile, false).has_value());
    }
}

TEST(ResourceFiles, SeamCheckRejectsAPatternThatBreaksAtTheEdge) {
    // Lines every 5 pixels in a 16-pixel tile leave a wider gap at the seam.
    QImage tile(16, 16, QImage::Format_ARGB32);
    tile.fill(Qt::transparent);
    for (int y = 0; y < 16; y += 5) {
        for (int x = 0; x < 16; ++x) {
            tile.setPixel(x, y, qRgba(0, 0, 0, 255));
        }
    }
    EXPECT_TRUE(seamShift(tile, true).has_value());
    EXPECT_FALSE(seamShift(tile, false).has_value());
}

TEST(ResourceFiles, BackgroundPicturesAreCardSizedPictures) {
    const QFileInfoList entries = entriesOf(resource(QStringLiteral("Background")));
    ASSERT_GE(entries.size(), 3);
    for (const QFileInfo& entry : entries) {
        SCOPED_TRACE(entry.fileName().toStdString());
        ASSERT_TRUE(entry.isFile());
        EXPECT_TRUE(isPictureName(entry.fileName()));
        EXPECT_EQ(entry.suffix(), entry.suffix().toLower());
        const QImage picture(entry.filePath());
        ASSERT_FALSE(picture.isNull());
        EXPECT_GE(std::min(picture.width(), picture.height()), 300);
        EXPECT_LE(std::max(picture.width(), picture.height()), 2000);
    }
}

TEST(ResourceFiles, LibraryCategoriesAreCapitalisedFoldersOfPictures) {
    const QFileInfoList categories = entriesOf(resource(QStringLiteral("LibraryImage")));
    ASSERT_GE(categories.size(), 1);
    for (const QFileInfo& category : categories) {
        SCOPED_TRACE(category.fileName().toStdString());
        ASSERT_TRUE(category.isDir());
        EXPECT_EQ(category.fileName(), capitalised(category.fileName()));
        const QFileInfoList pictures = entriesOf(category.filePath());
        EXPECT_GE(pictures.size(), 1);
        for (const QFileInfo& picture : pictures) {
            SCOPED_TRACE(picture.fileName().toStdString());
            EXPECT_TRUE(picture.isFile());
            EXPECT_TRUE(isPictureName(picture.fileName()));
            const QImage image(picture.filePath());
            ASSERT_FALSE(image.isNull());
            EXPECT_GE(std::min(image.width(), image.height()), 32);
            EXPECT_LE(std::max(image.width(), image.height()), 1024);
        }
    }
}

TEST(ResourceFiles, CapitalisedFormFollowsTheLibraryRule) {
    EXPECT_EQ(capitalised(QStringLiteral("flowers")), QStringLiteral("Flowers"));
    EXPECT_EQ(capitalised(QStringLiteral("HEARTS")), QStringLiteral("Hearts"));
    EXPECT_EQ(capitalised(QStringLiteral("party balloons")), QStringLiteral("Party Balloons"));
    EXPECT_NE(capitalised(QStringLiteral("Party balloons")), QStringLiteral("Party balloons"));
}

TEST(ResourceFiles, ListedFoldersHoldNoFiles) {
    // Every file in this folder would show up as a series.
    EXPECT_TRUE(filesBelow(resource(QStringLiteral("DataSet"))).isEmpty());
}

TEST(ResourceFiles, PreparedTextsAreOneShortEntryPerLine) {
    const struct {
        const char* file;
        int limit; // the wizard's field keeps at most this many characters
    } texts[] = {{"Title.txt", 100}, {"Message.txt", 250}};
    for (const auto& text : texts) {
        SCOPED_TRACE(text.file);
        QFile file(resource(QString::fromLatin1(text.file)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_FALSE(bytes.contains('\r'));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString content = utf8(bytes);
        EXPECT_FALSE(utf8.hasError());
        const QStringList entries = content.trimmed().split(QLatin1Char('\n'));
        EXPECT_GE(entries.size(), 5);
        EXPECT_EQ(QSet<QString>(entries.begin(), entries.end()).size(), entries.size());
        for (const QString& entry : entries) {
            EXPECT_FALSE(entry.trimmed().isEmpty());
            EXPECT_EQ(entry, entry.trimmed());
            EXPECT_LE(entry.size(), text.limit) << entry.toStdString();
        }
    }
}

TEST(ResourceFiles, RepositoryCopyStaysSmall) {
    qint64 total = 0;
    for (const QString& file : filesBelow(kResources)) {
        total += QFileInfo(resource(file)).size();
    }
    EXPECT_LT(total, 2 * 1024 * 1024);
}

// The pictures among the committed resources: everything but the texts and
// the spreadsheet template.
QStringList committedPictures() {
    QStringList pictures;
    for (const QString& file : filesBelow(kResources)) {
        // The prepared templates' previews come from template_gen.
        if (isPictureName(file) && !file.startsWith(QLatin1String("Templates/"))) {
            pictures << file;
        }
    }
    return pictures;
}

// The largest difference of one channel between two pictures of one size,
// or -1 when their sizes or resolutions differ. Antialiased edges may round
// one level apart on processors with other vector units.
int largestChannelDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.dotsPerMeterX() != b.dotsPerMeterX() ||
        a.dotsPerMeterY() != b.dotsPerMeterY()) {
        return -1;
    }
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column) {
            largest = std::max({largest, std::abs(qRed(p[column]) - qRed(q[column])),
                                std::abs(qGreen(p[column]) - qGreen(q[column])),
                                std::abs(qBlue(p[column]) - qBlue(q[column])),
                                std::abs(qAlpha(p[column]) - qAlpha(q[column]))});
        }
    }
    return largest;
}

TEST(ResourceGenerator, ReproducesTheCommittedPictures) {
    if (!QFileInfo(kGenerator).isExecutable()) {
        GTEST_SKIP() << "resource_gen not built: " << kGenerator.toStdString();
    }
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const auto run = testsupport::runProcess(kGenerator, {out.path()});
    ASSERT_TRUE(run.started);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const QStringList generated = filesBelow(out.path());
    // Every committed picture comes from the generator (nothing stale) and
    // every generated one is committed.
    EXPECT_EQ(generated, committedPictures());
    for (const QString& file : generated) {
        SCOPED_TRACE(file.toStdString());
        const QImage fresh(QDir(out.path()).filePath(file));
        const QImage committed(resource(file));
        ASSERT_FALSE(fresh.isNull());
        ASSERT_FALSE(committed.isNull());
        const int difference = largestChannelDifference(fresh, committed);
        EXPECT_GE(difference, 0) << "size or resolution differs";
        EXPECT_LE(difference, 2);
    }
}

TEST(ResourceGenerator, RefusesBadArgumentsAndUnwritableFolders) {
    if (!QFileInfo(kGenerator).isExecutable()) {
        GTEST_SKIP() << "resource_gen not built: " << kGenerator.toStdString();
    }
    const auto noArgument = testsupport::runProcess(kGenerator, {});
    EXPECT_NE(noArgument.exitCode, 0);
    EXPECT_FALSE(noArgument.err.isEmpty());

    // An output "folder" that is a plain file cannot hold the pictures.
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString blocker = temp.filePath(QStringLiteral("file"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const auto blocked = testsupport::runProcess(kGenerator, {blocker});
    EXPECT_NE(blocked.exitCode, 0);
    EXPECT_FALSE(blocked.err.isEmpty());
}

} // namespace
