// The card renderer: what goes into pictures, PDF and TIFF data, the
// picture as a snapshot, failures, and renderings on a worker thread.
#include "core/globals.h"
#include "drawing_test_support.h"
#include "editor/model/SKTError.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/render/CardSideDrawing.h"
#include "editor/render/GraphicSnapshot.h"
#include "editor/render/SKTRenderingView.h"
#include "editor/view/SKTZoomableCanvas.h"
#include "tests/common/TestSupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace drawingtest;
const QSizeF kCanvas(300, 200);

QImage pictureImage(const SKTGraphicList& list, double scale = 1.0) {
    return SKTRenderingView::image_From_Card_Graphics(list, false).toImage(scale);
}

QImage tiffImage(const SKTGraphicList& list, SKTError* error) {
    QBuffer buffer;
    buffer.setData(SKTRenderingView::tiffDataWithGraphics(list, error));
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, "tiff").read();
}

TEST(RenderPicture, VectorPictureOfTheFrontCanvasOnlyObjectsForOutput) {
    RenderInputsGuard guard(kCanvas);
    const SKTGraphicList list{makeRect({10, 10, 40, 40}, Qt::red, 1),
                              makeRect({100, 10, 40, 40}, Qt::blue),
                              makeRect({110, 20, 40, 40}, Qt::green)};
    const CardPicture picture = SKTRenderingView::image_From_Card_Graphics(list, false);
    ASSERT_TRUE(picture.isVector());
    EXPECT_EQ(picture.size(), kCanvas);
    const QImage image = picture.toImage(1.0);
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::white)) << "print_object 1 left out";
    EXPECT_EQ(image.pixelColor(120, 30), QColor(Qt::blue)) << "index 0 drawn last";
    EXPECT_EQ(image.pixelColor(145, 55), QColor(Qt::green));
    // The print flag makes the same picture.
    EXPECT_EQ(SKTRenderingView::image_From_Card_Graphics(list, true).toImage(2),
              picture.toImage(2));
    CardRenderInputs::setFrontCanvasSize(QSizeF());
    EXPECT_TRUE(SKTRenderingView::image_From_Card_Graphics(list, false).isNull());
}

TEST(RenderPicture, BackgroundOfTheSideInCardFrontOrBack) {
    RenderInputsGuard guard(kCanvas);
    CardRenderInputs::setPageRecord(0, filledWith(Qt::red));
    CardRenderInputs::setPageRecord(1, filledWith(Qt::blue));
    const SKTGraphicList back{makeRect({10, 10, 20, 20}, Qt::black)};
    // Left at 0: the front side's background under the back side's objects.
    EXPECT_EQ(pictureImage(back).pixelColor(200, 150), QColor(Qt::red));
    Card_Front_Or_Back = 1;
    EXPECT_EQ(pictureImage(back).pixelColor(200, 150), QColor(Qt::blue));
}

TEST(RenderPicture, IsASnapshotOfObjectsAndRecords) {
    RenderInputsGuard guard(kCanvas);
    CardRenderInputs::setPageRecord(0, filledWith(Qt::yellow));
    auto rect = makeRect({10, 10, 40, 40}, Qt::red);
    const CardPicture picture = SKTRenderingView::image_From_Card_Graphics({rect}, false);
    rect->_fillColor = Qt::blue; // the next record of a batch
    rect->_bounds = QRectF(100, 100, 10, 10);
    CardRenderInputs::setPageRecord(0, filledWith(Qt::green));
    Card_Shape = 2;
    const QImage image = picture.toImage(1.0);
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::yellow));
}

TEST(RenderPicture, SnapshotsAreIndependentCopiesOfEveryKind) {
    auto line = std::make_shared<SKTLine>();
    line->_bounds = QRectF(5, 6, 70, 80);
    line->_pointsRight = true;
    line->_strokeColor = Qt::magenta;
    auto image = std::make_shared<SKTImage>();
    QImage pixels(4, 4, QImage::Format_ARGB32);
    pixels.fill(Qt::red);
    image->_contents = CardPicture::fromImage(pixels);
    image->_barcode_image = CardPicture::fromImage(pixels);
    const SKTGraphicList copies = snapshotOfGraphics({line, image});
    ASSERT_EQ(copies.size(), 2);
    auto* lineCopy = dynamic_cast<SKTLine*>(copies[0].get());
    auto* imageCopy = dynamic_cast<SKTImage*>(copies[1].get());
    ASSERT_TRUE(lineCopy && imageCopy);
    EXPECT_NE(copies[0], line);
    EXPECT_EQ(lineCopy->_bounds, line->_bounds);
    EXPECT_EQ(lineCopy->_pointsRight, true);
    EXPECT_EQ(lineCopy->_strokeColor, QColor(Qt::magenta));
    EXPECT_TRUE(imageCopy->_contents.sharesDataWith(image->_contents));
    EXPECT_TRUE(imageCopy->_barcode_image.sharesDataWith(image->_barcode_image));
}

TEST(RenderPicture, ToImageMatchesADirectRasterRendering) {
    RenderInputsGuard guard(kCanvas);
    Card_Shape = 2;
    Card_Property page = filledWith(Qt::white, QStringLiteral("G"));
    page.setCard_fill_Grd_1_clr(Qt::cyan);
    page.setCard_fill_Grd_2_clr(Qt::magenta);
    page.setCard_grad_Stepper(30);
    page.setCard_border_chk(true);
    page.setCard_bor_Stepper(3);
    page.setCard_border_style(QStringLiteral("DD"));
    CardRenderInputs::setPageRecord(0, page);
    const SKTGraphicList list{makeText({40, 60, 200, 40}, QStringLiteral("Card"), 20),
                              makeRect({50, 50, 120, 60}, QColor(200, 30, 30))};
    const QImage fromPicture = pictureImage(list, 2.0);
    QImage direct(fromPicture.size(), QImage::Format_ARGB32_Premultiplied);
    direct.fill(Qt::transparent);
    QPainter painter(&direct);
    painter.scale(2.0, 2.0);
    SKTRenderingView(QRectF(QPointF(0, 0), kCanvas), list).drawRect(painter, {0, 0, 300, 200});
    painter.end();
    int differing = 0;
    for (int y = 0; y < direct.height(); ++y) {
        for (int x = 0; x < direct.width(); ++x) {
            const QRgb a = fromPicture.pixel(x, y), b = direct.pixel(x, y);
            differing += std::abs(qGray(a) - qGray(b)) > 8 || std::abs(qAlpha(a) - qAlpha(b)) > 8;
        }
    }
    EXPECT_LT(differing, direct.width() * direct.height() / 1000);
}

TEST(RenderPdf, OnePageOfTheCardSizeWithTextKeptAsText) {
    RenderInputsGuard guard(QSizeF(252, 144));
    EXPECT_TRUE(SKTRenderingView::pdfDataWithGraphics_data({}).startsWith("%PDF"));
    const SKTGraphicList list{makeText({20, 20, 200, 40}, QStringLiteral("Hello"), 14),
                              makeRect({10, 80, 30, 30}, Qt::red, 1)};
    const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data(list);
    CARD_REQUIRE_TOOL(pdfinfo, "pdfinfo");
    CARD_REQUIRE_TOOL(pdffonts, "pdffonts");
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("card.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
    file.close();
    const QString info = QString::fromUtf8(testsupport::runProcess(pdfinfo, {file.fileName()}).out);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+252 x 144 pts"))))
        << info.toStdString();
    const QStringList fonts =
        QString::fromUtf8(testsupport::runProcess(pdffonts, {file.fileName()}).out)
            .split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(fonts.size(), 3) << "one font: the text was kept as text";
    EXPECT_TRUE(fonts.at(2).contains(QStringLiteral("Liberation"))) << fonts.at(2).toStdString();
    const QImage page = rasterisePdf(pdftoppm, pdf, 72);
    ASSERT_EQ(page.size(), QSize(252, 144));
    EXPECT_EQ(page.pixelColor(25, 95), QColor(Qt::white)) << "print_object 1 left out";
    EXPECT_FALSE(inkBounds(page).isEmpty());

    CardRenderInputs::setFrontCanvasSize(QSizeF());
    EXPECT_TRUE(SKTRenderingView::pdfDataWithGraphics_data(list).isEmpty());
}

TEST(RenderTiff, ObjectsAloneOverTheirDrawingBounds) {
    RenderInputsGuard guard(kCanvas);
    auto rect = makeRect({200, 200, 50, 30}, Qt::red, 1); // drawn whatever print_object
    const QRectF bounds = rect->drawingBounds();
    SKTError error;
    const QImage image = tiffImage({rect}, &error);
    ASSERT_EQ(image.size(), bounds.toAlignedRect().size());
    EXPECT_EQ(inkBounds(image, 250),
              QRect((QPointF(200, 200) - bounds.topLeft()).toPoint(), QSize(50, 30)));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "no card background";
    EXPECT_EQ(error.code, 0);
}

TEST(RenderTiff, FailsWithCodeThreeForAnEmptyOrHugeAreaOrAThrowingObject) {
    RenderInputsGuard guard(kCanvas);
    SKTError error;
    EXPECT_EQ(tiffImage({}, &error).size(), kCanvas.toSize()) << "an empty list: the canvas";
    const SKTGraphicList huge{makeRect({0, 0, 20000, 6000}, Qt::red)}; // 120 megapixels
    const SKTGraphicList nonFinite{makeRect({0, 0, 1e300, 1e300}, Qt::red)};
    const SKTGraphicList throwing{makeRect({0, 0, 20, 20}, Qt::red), makeThrowing({5, 5, 10, 10})};
    for (const SKTGraphicList& list : {huge, nonFinite, throwing}) {
        error = SKTError();
        QByteArray data;
        EXPECT_NO_THROW(data = SKTRenderingView::tiffDataWithGraphics(list, &error));
        EXPECT_TRUE(data.isEmpty());
        EXPECT_EQ(error.code, 3);
    }
    CardRenderInputs::setFrontCanvasSize(QSizeF(0, 0));
    error = SKTError();
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}, &error).isEmpty());
    EXPECT_EQ(error.code, 3);
    EXPECT_EQ(error.domain, SKTErrorDomain);
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}).isEmpty());
}

TEST(RenderPicture, PartialRedrawKeepsTheWholeCardOutline) {
    RenderInputsGuard guard(kCanvas);
    Card_Shape = 1; // rounded by 10 points
    CardRenderInputs::setPageRecord(0, filledWith(Qt::red));
    QImage image(kCanvas.toSize(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    SKTRenderingView(QRectF(QPointF(0, 0), kCanvas), {}).drawRect(painter, {0, 0, 50, 50});
    painter.end();
    EXPECT_EQ(image.pixelColor(49, 49), QColor(Qt::red)) << "not a corner of the dirty area";
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::black)) << "the card's own corner";
    EXPECT_EQ(image.pixelColor(60, 60), QColor(Qt::black)) << "clipped to the dirty area";
}

TEST(RenderFailures, DrawingPassShowsTheReasonAndKeepsWhatWasDrawn) {
    RenderInputsGuard guard(kCanvas);
    testsupport::ScriptedAlerts alerts({1});
    QImage image(kCanvas.toSize(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    SKTRenderingView view(QRectF(QPointF(0, 0), kCanvas),
                          {makeThrowing({0, 0, 10, 10}), makeRect({50, 50, 20, 20}, Qt::red)},
                          QStringLiteral("Job"));
    EXPECT_EQ(view.printJobTitle(), QStringLiteral("Job"));
    view.drawRect(painter, view.bounds());
    painter.end();
    EXPECT_EQ(alerts.texts(), QStringList{QStringLiteral("\nobject drawing failed")});
    EXPECT_EQ(image.pixelColor(60, 60), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(200, 150), QColor(Qt::white));
}

class RenderedCanvas : public SKTZoomableCanvas {
public:
    SKTGraphicList graphics;

protected:
    void drawCard(QPainter& painter, const QRectF& dirty) override {
        setCardRenderHints(painter);
        drawCardSide(painter, cardBounds(), dirty, CardBackgroundInputs::current(), graphics);
    }
};

TEST(RenderThreads, HundredRenderingsOnAWorkerWhileTheGuiThreadPaints) {
    RenderInputsGuard guard(kCanvas);
    CardRenderInputs::setPageRecord(0, filledWith(Qt::yellow));
    const SKTGraphicList list{makeRect({10, 10, 40, 40}, Qt::red),
                              makeText({60, 60, 200, 40}, QStringLiteral("Hi"), 14)};
    RenderedCanvas canvas;
    canvas.graphics = list;
    canvas.setCardSize(kCanvas);
    std::atomic<int> good{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            const QImage image = pictureImage(list);
            good += image.pixelColor(30, 30) == QColor(Qt::red) &&
                    image.pixelColor(250, 20) == QColor(Qt::yellow);
        }
        done = true;
    });
    int grabs = 0;
    for (; !done; ++grabs) {
        EXPECT_EQ(canvas.grab().toImage().pixelColor(30, 30), QColor(Qt::red));
    }
    worker.join();
    EXPECT_EQ(good.load(), 100);
    EXPECT_GT(grabs, 0);
}

TEST(RenderInk, TextHasTheSameSizeInPdfImageAndCanvas) {
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    const QSizeF card(300, 100);
    const int scale = 4; // pixels per point in every measurement
    RenderInputsGuard guard(card);
    const SKTGraphicList list{makeText({20, 20, 260, 40}, QStringLiteral("Hello World"), 14)};
    RenderedCanvas canvas;
    canvas.graphics = list;
    canvas.setCardSize(card);
    canvas.setZoomFactor(scale);
    const QImage pdf =
        rasterisePdf(pdftoppm, SKTRenderingView::pdfDataWithGraphics_data(list), 72 * scale);
    const QRect pdfInk = inkBounds(pdf);
    ASSERT_EQ(pdf.size(), (card * scale).toSize());
    EXPECT_NEAR(pdfInk.width() / double(scale), 68.25, 2) << "14-point text";
    for (const QImage& shot : {pictureImage(list, scale), canvas.grab().toImage()}) {
        const QRect ink = inkBounds(shot);
        EXPECT_NEAR(ink.width(), pdfInk.width(), pdfInk.width() * 0.005);
        EXPECT_NEAR(ink.height(), pdfInk.height(), 3);
        EXPECT_NEAR((ink.topLeft() - pdfInk.topLeft()).manhattanLength(), 0, 4);
    }
}

} // namespace
