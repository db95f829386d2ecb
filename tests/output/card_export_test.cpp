// Card pictures written as image files: names of the sides, the format the
// extension asks for, pixel size and stored resolution, the combined
// picture, and writes that fail without harming the old file.
#include "FakeCards.h"
#include "common/TestSupport.h"
#include "core/globals.h"
#include "editor/render/CombinedCardImage.h"
#include "output/core/CardExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using fakecards::solid;

const QColor kFront(220, 40, 40);
const QColor kBack(40, 40, 220);

QByteArray headOf(const QString& path, int n) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.read(n);
}

double dpiOf(const QImage& image) {
    return image.dotsPerMeterX() * 0.0254;
}

TEST(CardExportNames, BackFileBesideTheChosenOne) {
    struct Case {
        const char* chosen;
        const char* back;
    };
    for (const Case& c :
         {Case{"/tmp/x/Card_3.png", "/tmp/x/Card_3_Back.png"},
          Case{"/a/b.c/My card.tiff", "/a/b.c/My card_Back.tiff"},
          Case{"/a/name.v2.jpg", "/a/name.v2_Back.jpg"}, Case{"/a/plain", "/a/plain_Back"}}) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(cardexport::Create_Back_Card_Path(QString::fromUtf8(c.chosen)),
                  QString::fromUtf8(c.back));
        EXPECT_EQ(cardexport::Create_Front_Card_Path(QString::fromUtf8(c.chosen)),
                  QString::fromUtf8(c.chosen));
    }
}

TEST(CardExportFormats, ExtensionPicksTheFormat) {
    struct Case {
        const char* name;
        QByteArray magic;
    };
    const std::vector<Case> cases = {
        {"a.png", QByteArray("\x89PNG", 4)},       {"a.jpg", QByteArray("\xFF\xD8\xFF", 3)},
        {"a.JPEG", QByteArray("\xFF\xD8\xFF", 3)}, {"a.bmp", QByteArray("BM", 2)},
        {"a.tif", QByteArray("II*\0", 4)},         {"a.TIFF", QByteArray("II*\0", 4)},
        {"a.xyz", QByteArray("\x89PNG", 4)},
    };
    QTemporaryDir dir;
    const QImage image = cardexport::rasterAt(solid(QSizeF(72, 36), kFront), 72);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        ASSERT_TRUE(cardexport::Save_gen_image(image, path));
        EXPECT_EQ(headOf(path, static_cast<int>(c.magic.size())), c.magic);
        const QImage back(path);
        ASSERT_FALSE(back.isNull());
        // Formats without transparency get the card on white, not black.
        EXPECT_NEAR(back.pixelColor(10, 10).red(), kFront.red(), 6);
    }
}

TEST(CardExportFormats, PixelSizeAndStoredResolution) {
    struct Case {
        double dpi;
        const char* name;
        QSize pixels;
    };
    const std::vector<Case> cases = {
        {72, "a.png", {72, 36}},   {300, "b.png", {300, 150}},  {300, "c.jpg", {300, 150}},
        {150, "d.bmp", {150, 75}}, {600, "e.tiff", {600, 300}},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        ASSERT_TRUE(cardexport::Save_gen_image(
            cardexport::rasterAt(solid(QSizeF(72, 36), kFront), c.dpi), path));
        const QImage image(path);
        EXPECT_EQ(image.size(), c.pixels);
        EXPECT_NEAR(dpiOf(image), c.dpi, 0.5);
    }
}

// Every pixel and its transparency come back from the PNG file as the
// picture had them, with or without an alpha channel.
TEST(CardExportFormats, PngKeepsEveryPixel) {
    QTemporaryDir dir;
    for (const QImage::Format format :
         {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32}) {
        SCOPED_TRACE(int(format));
        QImage picture(97, 61, QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                picture.setPixel(
                    x, y,
                    qRgba((x * 7 + y) & 255, (y * 5) & 255, (x * y) & 255, (x * 13 + y * 3) & 255));
            }
        }
        picture = picture.convertToFormat(format);
        picture.setDotsPerMeterX(11811);
        picture.setDotsPerMeterY(11811);
        const QString path = dir.filePath(QStringLiteral("p%1.png").arg(int(format)));
        ASSERT_TRUE(cardexport::Save_gen_image(picture, path));
        const QImage back(path);
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(back.hasAlphaChannel(), picture.hasAlphaChannel());
        EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32),
                  picture.convertToFormat(QImage::Format_ARGB32));
        EXPECT_EQ(back.dotsPerMeterX(), 11811);
    }
}

TEST(CardExportCombined, FrontAboveBack) {
    struct Case {
        double dpi;
        QSizeF card;
        QSize pixels;
    };
    // int(w x dpi / 72) by int(2h x dpi / 72).
    for (const Case& c : {Case{72, {72, 36}, {72, 72}}, Case{300, {72, 36}, {300, 300}},
                          Case{300, {100, 50}, {416, 416}}}) {
        SCOPED_TRACE(c.dpi);
        const QImage both =
            combinedFrontAboveBack(solid(c.card, kFront), solid(c.card, kBack), c.dpi);
        ASSERT_EQ(both.size(), c.pixels);
        EXPECT_NEAR(dpiOf(both), c.dpi, 0.5);
        EXPECT_EQ(both.pixelColor(c.pixels.width() / 2, c.pixels.height() / 4), kFront);
        EXPECT_EQ(both.pixelColor(c.pixels.width() / 2, 3 * c.pixels.height() / 4), kBack);
    }
    EXPECT_TRUE(combinedFrontAboveBack({}, solid({10, 10}, kBack), 72).isNull());
    EXPECT_TRUE(combinedFrontAboveBack(solid({10, 10}, kBack), {}, 72).isNull());
}

TEST(CardExportWrites, FailedWriteKeepsTheOldFile) {
    QTemporaryDir dir;
    testsupport::ScriptedAlerts alerts;
    const QImage image = cardexport::rasterAt(solid(QSizeF(20, 20), kFront), 72);
    {
        SCOPED_TRACE("nothing to write");
        const QString path = dir.filePath(QStringLiteral("old.png"));
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content");
        old.close();
        EXPECT_FALSE(cardexport::Save_gen_image(QImage(), path));
        EXPECT_EQ(headOf(path, 100), QByteArray("old content"));
    }
    {
        SCOPED_TRACE("a file-size limit below the picture's size");
        const QString path = dir.filePath(QStringLiteral("kept.png"));
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("kept");
        old.close();
        rlimit limit{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit before = limit;
        limit.rlim_cur = 16; // less than any PNG file
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        EXPECT_FALSE(cardexport::Save_gen_image(image, path));
        setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_EQ(headOf(path, 100), QByteArray("kept"));
    }
    const QStringList texts = alerts.texts();
    ASSERT_EQ(texts.size(), 2);
    for (const QString& text : texts) {
        // The path, then the reason on a line of its own.
        const QStringList lines = text.trimmed().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 2) << text.toStdString();
        EXPECT_TRUE(lines.first().startsWith(dir.path())) << text.toStdString();
        EXPECT_FALSE(lines.last().trimmed().isEmpty());
    }
}

struct SingleCase {
    const char* name;
    const char* side;
    bool combined;
    QStringList files;   // written, relative to the folder
    QString messagePath; // the file the success box names
};

TEST(CardExportSingle, SidesAndFiles) {
    const std::vector<SingleCase> cases = {
        {"front", "F", false, {QStringLiteral("card.png")}, QStringLiteral("card.png")},
        {"back", "B", false, {QStringLiteral("card_Back.png")}, QStringLiteral("card_Back.png")},
        {"both",
         "BOTH",
         false,
         {QStringLiteral("card.png"), QStringLiteral("card_Back.png")},
         QStringLiteral("card.png")},
        {"combined", "BOTH", true, {QStringLiteral("card.png")}, QStringLiteral("card.png")},
    };
    for (const SingleCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        DesignCardSource source(solid(QSizeF(40, 20), kFront), solid(QSizeF(40, 20), kBack));
        Card_Front_Or_Back = 1;
        Export_File_Message.clear();
        int boxes = 0;
        ExportRequest request{QString::fromLatin1(c.side), c.combined, 72};
        EXPECT_TRUE(cardexport::Export_Single_File(dir.filePath(QStringLiteral("card.png")),
                                                   request, source, true, [&] { ++boxes; }));
        EXPECT_EQ(Card_Front_Or_Back, 1);
        QStringList written = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QStringList expected = c.files;
        expected.sort();
        EXPECT_EQ(written, expected);
        EXPECT_EQ(boxes, 1);
        EXPECT_EQ(Export_File_Path, dir.filePath(c.messagePath));
        EXPECT_EQ(Export_File_Message, QStringLiteral("Card has been exported successfully."));
        if (c.combined) {
            const QImage both(dir.filePath(QStringLiteral("card.png")));
            EXPECT_EQ(both.size(), QSize(40, 40));
            EXPECT_EQ(both.pixelColor(20, 5), kFront);
            EXPECT_EQ(both.pixelColor(20, 35), kBack);
        }
    }
    Card_Front_Or_Back = 0;
}

TEST(CardExportSingle, NoSuccessAfterAFailure) {
    testsupport::ScriptedAlerts alerts;
    QTemporaryDir dir;
    int boxes = 0;
    Export_File_Message.clear();
    {
        SCOPED_TRACE("folder missing");
        DesignCardSource source(solid(QSizeF(40, 20), kFront), solid(QSizeF(40, 20), kBack));
        EXPECT_FALSE(cardexport::Export_Single_File(
            dir.filePath(QStringLiteral("missing/card.png")), {QStringLiteral("F"), false, 72},
            source, true, [&] { ++boxes; }));
    }
    {
        SCOPED_TRACE("no back picture for the combined picture");
        DesignCardSource source(solid(QSizeF(40, 20), kFront), {});
        EXPECT_FALSE(cardexport::Export_Single_File(dir.filePath(QStringLiteral("c.png")),
                                                    {QStringLiteral("BOTH"), true, 72}, source,
                                                    true, [&] { ++boxes; }));
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("c.png"))));
    }
    EXPECT_EQ(boxes, 0);
    EXPECT_TRUE(Export_File_Message.isEmpty());
}

TEST(CardExportBatchFolder, MadeUnderTheUmask) {
    QTemporaryDir dir;
    const mode_t old = umask(022);
    const QString folder = cardexport::makeBatchFolder(dir.filePath(QStringLiteral("a/b")));
    umask(old);
    ASSERT_EQ(folder, dir.filePath(QStringLiteral("a/b/VOSK Festoria")));
    struct stat st {};
    ASSERT_EQ(stat(folder.toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u);
}

} // namespace
