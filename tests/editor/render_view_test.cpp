// The card renderer: what goes into pictures, PDF and TIFF data, the
// picture as a snapshot, failures, and renderings on a worker thread.
#include "drawing_test_support.h"
#include "editor/model/SKTError.h"
#include "editor/render/CardSideDrawing.h"
#include "editor/render/SKTRenderingView.h"
#include "editor/view/SKTZoomableCanvas.h"
#include "mainwindow/core/globals.h"
#include "tests/common/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

using drawingtest::makeRect;
using drawingtest::near;
using drawingtest::RenderInputsGuard;

const QSizeF kCanvas(300, 200);

Card_Property filledWith(const QColor& color) {
    Card_Property page;
    page.setCard_fill_chk(true);
    page.setCard_fill_style(QStringLiteral("S"));
    page.setCard_fill_clr(color);
    return page;
}

QImage decodeTiff(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "tiff");
    return reader.read();
}

// The PDF rasterised by pdftoppm at `dpi`; null when that fails.
QImage rasterisePdf(const QString& pdftoppm, const QByteArray& pdf, int dpi) {
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("card.pdf"));
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) {
        return {};
    }
    file.close();
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const auto result = testsupport::runProcess(
        pdftoppm, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), input, prefix});
    if (result.exitCode != 0) {
        return {};
    }
    return QImage(prefix + QStringLiteral(".png"));
}

TEST(RenderPicture, VectorPictureOfTheFrontCanvasSize) {
    RenderInputsGuard guard(kCanvas);
    const CardPicture picture = SKTRenderingView::image_From_Card_Graphics({}, false);
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.isVector());
    EXPECT_EQ(picture.size(), kCanvas);
    const QImage image = picture.toImage(1.0);
    EXPECT_EQ(image.pixelColor(150, 100), QColor(Qt::white)) << "the white card base";

    CardRenderInputs::setFrontCanvasSize(QSizeF());
    EXPECT_TRUE(SKTRenderingView::image_From_Card_Graphics({}, false).isNull());
}

TEST(RenderPicture, ObjectsNotForOutputAreLeftOut) {
    RenderInputsGuard guard(kCanvas);
    const SKTGraphicList list{makeRect({10, 10, 40, 40}, Qt::red, 1),
                              makeRect({100, 10, 40, 40}, Qt::blue, 0)};
    const QImage image = SKTRenderingView::image_From_Card_Graphics(list, false).toImage(1.0);
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(120, 30), QColor(Qt::blue));

    // TIFF data holds every object.
    SKTError error;
    const QImage tiff = decodeTiff(SKTRenderingView::tiffDataWithGraphics(list, &error));
    ASSERT_FALSE(tiff.isNull());
    const QRectF area = list[0]->drawingBounds().united(list[1]->drawingBounds());
    EXPECT_EQ(tiff.pixelColor(QPoint(30, 30) - area.topLeft().toPoint()), QColor(Qt::red));
    EXPECT_EQ(tiff.pixelColor(QPoint(120, 30) - area.topLeft().toPoint()), QColor(Qt::blue));
}

TEST(RenderPicture, IndexZeroIsDrawnLast) {
    RenderInputsGuard guard(kCanvas);
    const SKTGraphicList list{makeRect({20, 20, 40, 40}, Qt::green),
                              makeRect({10, 10, 40, 40}, Qt::red)};
    const QImage image = SKTRenderingView::image_From_Card_Graphics(list, false).toImage(1.0);
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::red));
}

TEST(RenderPicture, BackgroundOfTheSideInCardFrontOrBack) {
    RenderInputsGuard guard(kCanvas);
    CardRenderInputs::setPageRecord(0, filledWith(Qt::red));
    CardRenderInputs::setPageRecord(1, filledWith(Qt::blue));
    const SKTGraphicList back{makeRect({10, 10, 20, 20}, Qt::black)};
    // Left at 0: the front side's background under the back side's objects.
    QImage image = SKTRenderingView::image_From_Card_Graphics(back, false).toImage(1.0);
    EXPECT_EQ(image.pixelColor(200, 150), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::black));
    Card_Front_Or_Back = 1;
    image = SKTRenderingView::image_From_Card_Graphics(back, false).toImage(1.0);
    EXPECT_EQ(image.pixelColor(200, 150), QColor(Qt::blue));
}

TEST(RenderPicture, PrintFlagGivesTheSamePicture) {
    RenderInputsGuard guard(kCanvas);
    Card_Shape = 1;
    const SKTGraphicList list{makeRect({10, 10, 40, 40}, Qt::red)};
    const CardPicture plain = SKTRenderingView::image_From_Card_Graphics(list, false);
    const CardPicture printed = SKTRenderingView::image_From_Card_Graphics(list, true);
    EXPECT_TRUE(printed.isVector());
    EXPECT_EQ(plain.toImage(2.0), printed.toImage(2.0));
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
    EXPECT_EQ(image.pixelColor(105, 105), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::yellow)) << "still a rectangular card";
}

TEST(RenderPicture, ToImageMatchesADirectRasterRendering) {
    RenderInputsGuard guard(kCanvas);
    Card_Shape = 2;
    Card_Property page = filledWith(Qt::white);
    page.setCard_fill_style(QStringLiteral("G"));
    page.setCard_fill_Grd_1_clr(Qt::cyan);
    page.setCard_fill_Grd_2_clr(Qt::magenta);
    page.setCard_grad_Stepper(30);
    page.setCard_border_chk(true);
    page.setCard_bor_Stepper(3);
    page.setCard_border_style(QStringLiteral("DD"));
    CardRenderInputs::setPageRecord(0, page);
    const SKTGraphicList list{drawingtest::makeText({40, 60, 200, 40}, QStringLiteral("Card"), 20),
                              makeRect({50, 50, 120, 60}, QColor(200, 30, 30))};
    const double scale = 2.0;
    const QImage fromPicture =
        SKTRenderingView::image_From_Card_Graphics(list, false).toImage(scale);

    QImage direct = drawingtest::whiteRaster(kCanvas, scale);
    direct.fill(Qt::transparent);
    {
        QPainter painter(&direct);
        painter.scale(scale, scale);
        SKTRenderingView view(QRectF(QPointF(0, 0), kCanvas), list);
        view.drawRect(painter, view.bounds());
    }
    ASSERT_EQ(fromPicture.size(), direct.size());
    int differing = 0;
    for (int y = 0; y < direct.height(); ++y) {
        for (int x = 0; x < direct.width(); ++x) {
            if (!near(fromPicture.pixelColor(x, y), direct.pixelColor(x, y), 8)) {
                ++differing;
            }
        }
    }
    EXPECT_LT(differing, direct.width() * direct.height() / 1000);
}

TEST(RenderPdf, OnePageOfTheCardSizeWithTextKeptAsText) {
    RenderInputsGuard guard(QSizeF(252, 144));
    const SKTGraphicList list{drawingtest::makeText({20, 20, 200, 40}, QStringLiteral("Hello"), 14),
                              makeRect({10, 80, 30, 30}, Qt::red, 1)};
    const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data(list);
    ASSERT_TRUE(pdf.startsWith("%PDF"));

    CARD_REQUIRE_TOOL(pdfinfo, "pdfinfo");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();
    const auto info = testsupport::runProcess(pdfinfo, {path});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    const QString text = QString::fromUtf8(info.out);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Page size:\\s+252 x 144 pts"))))
        << text.toStdString();

    CARD_REQUIRE_TOOL(pdffonts, "pdffonts");
    const auto fonts = testsupport::runProcess(pdffonts, {path});
    ASSERT_EQ(fonts.exitCode, 0);
    const QStringList lines = QString::fromUtf8(fonts.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3) << "no font: the text was not kept as text";
    EXPECT_TRUE(lines.at(2).contains(QStringLiteral("Liberation"), Qt::CaseInsensitive))
        << lines.at(2).toStdString();

    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    const QImage page = rasterisePdf(pdftoppm, pdf, 72);
    ASSERT_EQ(page.size(), QSize(252, 144));
    EXPECT_EQ(page.pixelColor(25, 95), QColor(Qt::white)) << "object not for output";
}

TEST(RenderPdf, EmptyFrontCanvasGivesNoData) {
    RenderInputsGuard guard{QSizeF()};
    EXPECT_TRUE(SKTRenderingView::pdfDataWithGraphics_data({}).isEmpty());
}

TEST(RenderTiff, OneObjectGivesItsDrawingBounds) {
    RenderInputsGuard guard(kCanvas);
    auto rect = makeRect({200, 200, 50, 30}, Qt::red);
    const QRectF bounds = rect->drawingBounds();
    SKTError error;
    const QImage image = decodeTiff(SKTRenderingView::tiffDataWithGraphics({rect}, &error));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(static_cast<int>(std::ceil(bounds.width())),
                                  static_cast<int>(std::ceil(bounds.height()))));
    const QRect ink = drawingtest::inkBounds(image, 250);
    EXPECT_EQ(ink, QRect((QPointF(200, 200) - bounds.topLeft()).toPoint(), QSize(50, 30)));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "no card background";
}

TEST(RenderTiff, EmptyListUsesTheFrontCanvasAndOnlyAZeroCanvasFails) {
    RenderInputsGuard guard(kCanvas);
    SKTError error;
    const QImage image = decodeTiff(SKTRenderingView::tiffDataWithGraphics({}, &error));
    EXPECT_EQ(image.size(), kCanvas.toSize());
    EXPECT_EQ(error.code, 0);

    CardRenderInputs::setFrontCanvasSize(QSizeF(0, 0));
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}, &error).isEmpty());
    EXPECT_EQ(error.code, 3);
    EXPECT_EQ(error.domain, SKTErrorDomain);
    // Without a place for the error the answer is still none.
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}).isEmpty());
}

TEST(RenderTiff, AreaAboveOneHundredMegapixelsFailsWithCodeThree) {
    RenderInputsGuard guard(kCanvas);
    SKTError error;
    const SKTGraphicList huge{makeRect({0, 0, 20000, 6000}, Qt::red)};
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics(huge, &error).isEmpty());
    EXPECT_EQ(error.code, 3);
    SKTError none;
    const SKTGraphicList nonFinite{makeRect({0, 0, 1e300, 1e300}, Qt::red)};
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics(nonFinite, &none).isEmpty());
    EXPECT_EQ(none.code, 3);
}

TEST(RenderFailures, DrawingPassShowsTheReasonAndKeepsWhatWasDrawn) {
    RenderInputsGuard guard(kCanvas);
    drawingtest::registerTestGraphics();
    testsupport::ScriptedAlerts alerts({1});
    auto thrower = std::make_shared<drawingtest::ThrowingGraphic>();
    thrower->_bounds = QRectF(0, 0, 10, 10);
    const SKTGraphicList list{thrower, makeRect({50, 50, 20, 20}, Qt::red)};
    QImage image = drawingtest::whiteRaster(kCanvas);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        SKTRenderingView view(QRectF(QPointF(0, 0), kCanvas), list, QStringLiteral("Job"));
        EXPECT_EQ(view.printJobTitle(), QStringLiteral("Job"));
        view.drawRect(painter, view.bounds());
    }
    ASSERT_EQ(alerts.texts().size(), 1);
    EXPECT_TRUE(alerts.texts().at(0).contains(QStringLiteral("object drawing failed")));
    EXPECT_EQ(image.pixelColor(60, 60), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(200, 150), QColor(Qt::white));
}

// A canvas that paints the card as the renderer does.
class RenderedCanvas : public SKTZoomableCanvas {
public:
    SKTGraphicList graphics;
    std::atomic<int> paints{0};

protected:
    void drawCard(QPainter& painter, const QRectF& dirty) override {
        setCardRenderHints(painter);
        drawCardSide(painter, cardBounds(), dirty, CardBackgroundInputs::current(), graphics);
        ++paints;
    }
};

TEST(RenderThreads, WorkerRendersWhileTheGuiThreadPaints) {
    RenderInputsGuard guard(kCanvas);
    CardRenderInputs::setPageRecord(0, filledWith(Qt::yellow));
    const SKTGraphicList list{makeRect({10, 10, 40, 40}, Qt::red),
                              drawingtest::makeText({60, 60, 200, 40}, QStringLiteral("Hi"), 14)};
    RenderedCanvas canvas;
    canvas.graphics = list;
    canvas.setCardSize(kCanvas);

    std::atomic<int> good{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            const QImage image =
                SKTRenderingView::image_From_Card_Graphics(list, false).toImage(1.0);
            if (image.size() == kCanvas.toSize() && image.pixelColor(30, 30) == QColor(Qt::red) &&
                image.pixelColor(250, 20) == QColor(Qt::yellow)) {
                ++good;
            }
        }
        done = true;
    });
    int grabs = 0;
    while (!done) {
        const QImage shot = canvas.grab().toImage();
        EXPECT_EQ(shot.pixelColor(30, 30), QColor(Qt::red));
        ++grabs;
    }
    worker.join();
    EXPECT_EQ(good.load(), 100);
    EXPECT_GT(grabs, 0);
}

} // namespace
