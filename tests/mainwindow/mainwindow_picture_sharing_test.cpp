// Pictures of an opened design: each file decoded once whatever the frame
// sizes, pixels kept for the part of each frame on the card, a file replaced
// under the same size and modification time read anew, a file cut after the
// open decoded once more and told once however often the card is painted,
// and hatch patterns that do not read told when chosen.

#include "common/PictureFileMaking.h"
#include "mainwindow_controller_fixture.h"

#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/PictureRefitQueue.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTPictureLoading.h"
#include "mainwindow/controller/DesignFile.h"

#include <QAbstractButton>
#include <QFile>
#include <QToolButton>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// A photo of these pixels at 72 dpi (a pixel is a point).
QImage artwork(int width, int height, const QColor& colour) {
    return picturefiles::photo(width, height, 72, colour);
}

class PictureSharingTest : public ControllerFixture {
protected:
    std::shared_ptr<SKTImage> openedPicture(int index) const {
        return std::dynamic_pointer_cast<SKTImage>(m_document->graphics().at(index));
    }

    static QSize kept(const SKTImage& image) { return image.contents().image().size(); }
};

TEST_F(PictureSharingTest, AFileIsDecodedOnceWhateverTheFrameSizes) {
    const QString file = path(QStringLiteral("photo.jpg"));
    ASSERT_TRUE(artwork(1200, 800, Qt::yellow).save(file, "JPEG"));
    QList<QPair<QString, QRectF>> pictures;
    for (int i = 0; i < 200; ++i) {
        pictures.append({file, QRectF(i % 10, i % 7, 20 + i * 0.5, (20 + i * 0.5) * 2 / 3)});
    }
    const QString design = writePictureDesign(QStringLiteral("sizes.dcard"), {360, 252}, pictures);
    start();

    const int before = SKTPictureDecodeCount();
    ASSERT_EQ(m_controller->Read_and_load_design_Log(design, QStringLiteral("L")), 1);
    EXPECT_EQ(SKTPictureDecodeCount() - before, 1);
    ASSERT_EQ(m_document->graphics().size(), 200);
    for (int i = 0; i < 200; ++i) {
        const auto image = openedPicture(i);
        // Enough pixels for 600 dpi of its frame, at the file's own size.
        const QSizeF frame = image->bounds().size();
        EXPECT_GE(kept(*image).height() + 1, std::min(800.0, frame.height() * 600 / 72)) << i;
        EXPECT_EQ(image->contents().size(), QSizeF(1200, 800)) << i;
    }
}

TEST_F(PictureSharingTest, APictureToolPlacementDecodesTheFileOnce) {
    const QString file = path(QStringLiteral("photo.jpg"));
    ASSERT_TRUE(artwork(1200, 800, Qt::yellow).save(file, "JPEG"));
    start();
    hooks::setOpenPanel([file](const hooks::OpenPanelRequest&) { return QStringList{file}; });
    const int before = SKTPictureDecodeCount();
    control<QToolButton>("Image_Tool")->click();
    hooks::setOpenPanel({});
    ASSERT_EQ(m_document->graphics().size(), 1);
    const auto image = openedPicture(0);
    // Read for the frame it is placed in (no second reading once it rests).
    ASSERT_TRUE(QTest::qWaitFor([&] { return !PictureRefitQueue::isWaiting(*image); }, 5000));
    EXPECT_EQ(SKTPictureDecodeCount() - before, 1);
    // 600 dpi of a 50 point square: 417 pixels high, fewer than the file's.
    EXPECT_EQ(image->bounds().size(), QSizeF(50, 50));
    EXPECT_LE(std::abs(kept(*image).height() - 417), 1);
    EXPECT_EQ(image->contents().size(), QSizeF(1200, 800));
    EXPECT_TRUE(m_alerts.texts().isEmpty());
}

TEST_F(PictureSharingTest, AFileWhoseHeaderReadsButPixelsDoNotIsToldAndChangesNothing) {
    const QString good = path(QStringLiteral("good.png"));
    ASSERT_TRUE(artwork(120, 80, Qt::yellow).save(good));
    // A whole PNG, header and end chunk included, whose pixel data is spoilt.
    const QString spoilt = path(QStringLiteral("spoilt.png"));
    {
        QFile source(good);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        QByteArray bytes = source.readAll();
        const qsizetype data = bytes.indexOf("IDAT") + 8;
        for (qsizetype i = data; i < bytes.indexOf("IEND") - 8; ++i) {
            bytes[i] = char(0x55);
        }
        QFile target(spoilt);
        ASSERT_TRUE(target.open(QIODevice::WriteOnly));
        target.write(bytes);
    }
    start();
    QString answer = good;
    hooks::setOpenPanel([&answer](const hooks::OpenPanelRequest&) { return QStringList{answer}; });
    control<QToolButton>("Image_Tool")->click();
    ASSERT_EQ(m_document->graphics().size(), 1);
    const auto image = openedPicture(0);
    m_controller->currentGraphicView()->changeSelectionIndexes({0});
    m_controller->Show_RHS_Properties(image);
    const CardPicture before = image->contents();
    ASSERT_FALSE(before.isNull());

    // The picture tab's Browse, then the Picture tool.
    for (const char* chooser : {"Manual_Image_Browse_Btn", "Image_Tool"}) {
        SCOPED_TRACE(chooser);
        answer = spoilt;
        const qsizetype told = m_alerts.texts().size();
        control<QAbstractButton>(chooser)->click();
        ASSERT_EQ(m_alerts.texts().size(), told + 1);
        EXPECT_EQ(m_alerts.texts().last().trimmed(),
                  QStringLiteral("\"spoilt.png\" is not a picture the program can read."));
        ASSERT_EQ(m_document->graphics().size(), 1);
        EXPECT_EQ(image->FilePath(), good);
        EXPECT_FALSE(image->contents().isNull());
    }
    hooks::setOpenPanel({});
}

TEST_F(PictureSharingTest, PastTheBudgetPicturesKeepWhatTheCanvasShowsAndOutputsReadTheirOwn) {
    // Two pictures in 96 x 64 point frames: 800 x 534 pixels each at
    // 600 dpi, about 1.7 MB; 96 x 64 at 72 dpi.
    QList<QPair<QString, QRectF>> pictures;
    for (const char* name : {"a.png", "b.png"}) {
        const QString file = path(QString::fromLatin1(name));
        ASSERT_TRUE(artwork(1200, 800, Qt::yellow).save(file));
        pictures.append({file, QRectF(10, 10, 96, 64)});
    }
    const QString design = writePictureDesign(QStringLiteral("budget.dcard"), {360, 252}, pictures);
    start();
    const struct {
        qint64 budget; // 0: the program's own
        int keptWidth;
    } rows[] = {{0, 800}, {2 * 1024 * 1024, 96}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.budget);
        SKTSetPictureBudgetBytes(row.budget);
        ASSERT_EQ(m_controller->Read_and_load_design_Log(design, QStringLiteral("L")), 1);
        SKTSetPictureBudgetBytes(0);
        for (int i = 0; i < 2; ++i) {
            const auto image = openedPicture(i);
            EXPECT_LE(std::abs(kept(*image).width() - row.keptWidth), 1) << kept(*image).width();
            // A copy made for an output and drawn at 600 dpi reads its own.
            const auto copy = std::static_pointer_cast<SKTImage>(image->snapshot());
            QImage card(800, 534, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&card);
            painter.scale(600.0 / 72, 600.0 / 72);
            painter.translate(-10, -10);
            copy->drawContentsInView(painter, false);
            painter.end();
            EXPECT_GE(kept(*copy).width(), 800);
        }
    }
}

TEST_F(PictureSharingTest, KeptPixelsAreBoundedByThePartOfTheFrameOnTheCard) {
    const QString file = path(QStringLiteral("art.png"));
    ASSERT_TRUE(artwork(1500, 1000, Qt::yellow).save(file));
    // A 36 x 24 point card: 300 x 200 pixels at 600 dpi.
    const struct {
        QRectF frame;
        QSize kept;
    } rows[] = {
        {{0, 0, 12, 8}, {100, 67}},             // on the card: 600 dpi of the frame
        {{0, 0, 3600, 2400}, {300, 200}},       // far larger than the card
        {{-1794, -1196, 1800, 1200}, {50, 34}}, // mostly off: 6 x 4 points on it
        {{100, 100, 60, 40}, {1, 1}},           // wholly off the card
    };
    QList<QPair<QString, QRectF>> pictures;
    for (const auto& row : rows) {
        pictures.append({file, row.frame});
    }
    const QString design = writePictureDesign(QStringLiteral("card.dcard"), {36, 24}, pictures);
    start();
    ASSERT_EQ(m_controller->Read_and_load_design_Log(design, QStringLiteral("L")), 1);
    for (int i = 0; i < int(std::size(rows)); ++i) {
        SCOPED_TRACE(i);
        const QSize size = kept(*openedPicture(i));
        EXPECT_LE(std::abs(size.width() - rows[i].kept.width()), 2) << size.width();
        EXPECT_LE(std::abs(size.height() - rows[i].kept.height()), 2) << size.height();
    }
}

TEST_F(PictureSharingTest, AFileReplacedUnderTheSameSizeAndTimeIsReadAnew) {
    // Uncompressed, so another picture of the same size has the same length.
    const QString file = path(QStringLiteral("art.bmp"));
    ASSERT_TRUE(artwork(60, 40, Qt::red).save(file, "BMP"));
    const QString design = writePictureDesign(QStringLiteral("bmp.dcard"), {360, 252},
                                              {{file, QRectF(10, 10, 60, 40)}});
    start();
    ASSERT_EQ(m_controller->Read_and_load_design_Log(design, QStringLiteral("L")), 1);
    const auto first = openedPicture(0);
    ASSERT_FALSE(first->contents().isNull());
    const QRgb old = first->contents().image().pixel(0, 0);

    // Written anew in place, its modification time put back to the
    // nanosecond, as `cp -p` or an unpacked archive leave a file.
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &before), 0);
    QByteArray bytes;
    {
        const QString other = path(QStringLiteral("other.bmp"));
        ASSERT_TRUE(artwork(60, 40, Qt::green).save(other, "BMP"));
        QFile source(other);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        bytes = source.readAll();
    }
    ASSERT_EQ(bytes.size(), before.st_size);
    {
        QFile target(file);
        ASSERT_TRUE(target.open(QIODevice::ReadWrite));
        ASSERT_EQ(target.write(bytes), bytes.size());
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);

    // The first object still holds the old reading while the design opens
    // again.
    ASSERT_EQ(m_controller->Read_and_load_design_Log(design, QStringLiteral("L")), 1);
    const QRgb now = openedPicture(0)->contents().image().pixel(0, 0);
    EXPECT_NE(now, old);
    EXPECT_EQ(now, artwork(60, 40, Qt::green).pixel(0, 0));
}

TEST_F(PictureSharingTest, AFileCutAfterTheOpenIsDecodedOnceAndToldOnce) {
    const QString file = path(QStringLiteral("art.png"));
    ASSERT_TRUE(artwork(1200, 800, Qt::yellow).save(file));
    const QString design = writePictureDesign(QStringLiteral("cut.dcard"), {360, 252},
                                              {{file, QRectF(10, 10, 30, 20)}});
    start();
    m_controller->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_controller->window()));
    ASSERT_EQ(m_controller->Read_and_load_design_Log(design, QStringLiteral("L")), 1);
    const auto image = openedPicture(0);
    const QSize before = kept(*image);
    ASSERT_TRUE(before.isValid());

    QByteArray bytes;
    {
        QFile source(file);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        bytes = source.readAll();
    }
    {
        QFile target(file);
        ASSERT_TRUE(target.open(QIODevice::WriteOnly | QIODevice::Truncate));
        target.write(bytes.left(bytes.size() / 2));
    }
    // The frame grown beyond the kept pixels: they are read again once it
    // rests, and when the object is drawn while they do not serve it.
    const int decodes = SKTPictureDecodeCount();
    image->setBounds(QRectF(10, 10, 120, 80));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !PictureRefitQueue::isWaiting(*image); }, 5000));
    for (int paint = 0; paint < 5; ++paint) {
        QImage card(360, 252, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&card);
        image->drawContentsInView(painter, false);
        painter.end();
        m_controller->currentGraphicView()->grab();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(SKTPictureDecodeCount() - decodes, 1);
    EXPECT_EQ(kept(*image), before);
    const QStringList told = m_alerts.texts().filter(QStringLiteral("art.png"));
    ASSERT_EQ(told.size(), 1) << m_alerts.texts().join('|').toStdString();
    EXPECT_EQ(told.first().trimmed(),
              QStringLiteral("\"art.png\" is not a picture the program can read."));
}

TEST_F(PictureSharingTest, AHatchPatternThatDoesNotReadIsToldWhenChosen) {
    // Listed after "vertical": words named .png.
    QFile words(QDir(m_resources).filePath(QStringLiteral("Fill_Style_Image/zigzag.png")));
    ASSERT_TRUE(words.open(QIODevice::WriteOnly));
    words.write("no pattern here\n");
    words.close();
    start();
    MainWindowFrame* window = m_controller->window();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->findChild<QAction*>(QStringLiteral("Card_Prop_action"))->trigger();
    if (!control<QAbstractButton>("Card_fill_chk")->isChecked()) {
        control<QAbstractButton>("Card_fill_chk")->click();
    }
    control<QAbstractButton>("Card_Style_fill_rd")->click();
    auto* combo = control<QComboBox>("Card_hatch_style");
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    // The user steps to the third pattern, which reads, then to the fourth,
    // which does not.
    QTest::keyClick(combo, Qt::Key_Home);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(combo->currentText(), QStringLiteral("vertical"));
    ASSERT_EQ(m_controller->Front_card_Prop.Card_hatch_style(), QStringLiteral("vertical"));
    ASSERT_TRUE(m_alerts.texts().isEmpty());
    QTest::keyClick(combo, Qt::Key_Down);

    ASSERT_EQ(m_alerts.texts().size(), 1);
    EXPECT_EQ(m_alerts.texts().first().trimmed(),
              QStringLiteral("\"zigzag.png\" is not a picture the program can read."));
    EXPECT_EQ(m_controller->Front_card_Prop.Card_hatch_style(), QStringLiteral("vertical"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("vertical"));
}

} // namespace
