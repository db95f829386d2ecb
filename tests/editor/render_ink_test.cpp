// A text has the same size wherever a card goes: in its PDF, in an image of
// its picture and on the canvas.
#include "drawing_test_support.h"
#include "editor/render/CardSideDrawing.h"
#include "editor/render/SKTRenderingView.h"
#include "editor/view/SKTZoomableCanvas.h"
#include "editor/view/SKTZoomingScrollView.h"
#include "tests/common/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QSizeF kCard(300, 100);
constexpr int kScale = 4; // pixels per point for every measurement

class InkCanvas : public SKTZoomableCanvas {
public:
    SKTGraphicList graphics;

protected:
    void drawCard(QPainter& painter, const QRectF& dirty) override {
        setCardRenderHints(painter);
        drawCardSide(painter, cardBounds(), dirty, CardBackgroundInputs::current(), graphics);
    }
};

QImage pdfPage(const QString& pdftoppm, const QByteArray& pdf) {
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("card.pdf"));
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    file.write(pdf);
    file.close();
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const auto result = testsupport::runProcess(
        pdftoppm, {QStringLiteral("-r"), QString::number(72 * kScale), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), input, prefix});
    if (result.exitCode != 0) {
        return {};
    }
    return QImage(prefix + QStringLiteral(".png"));
}

TEST(RenderInk, TextHasTheSameSizeInPdfImageAndCanvas) {
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    drawingtest::RenderInputsGuard guard(kCard);
    const SKTGraphicList list{
        drawingtest::makeText({20, 20, 260, 40}, QStringLiteral("Hello World"), 14)};

    const QImage pdf = pdfPage(pdftoppm, SKTRenderingView::pdfDataWithGraphics_data(list));
    ASSERT_EQ(pdf.size(), (kCard * kScale).toSize());
    const QImage image = SKTRenderingView::image_From_Card_Graphics(list, false).toImage(kScale);
    SKTZoomingScrollView view;
    auto* canvas = new InkCanvas;
    canvas->graphics = list;
    canvas->setCardSize(kCard);
    view.setDocumentView(canvas);
    view.setFactor(kScale);
    const QImage onCanvas = canvas->grab().toImage();
    ASSERT_EQ(onCanvas.size(), (kCard * kScale).toSize());

    const QRect pdfInk = drawingtest::inkBounds(pdf);
    const QRect imageInk = drawingtest::inkBounds(image);
    const QRect canvasInk = drawingtest::inkBounds(onCanvas);
    ASSERT_FALSE(pdfInk.isEmpty());
    // 14-point text: about 68 points of ink across.
    EXPECT_NEAR(imageInk.width() / double(kScale), 68, 6);
    for (const QRect& ink : {imageInk, canvasInk}) {
        EXPECT_NEAR(ink.width(), pdfInk.width(), pdfInk.width() * 0.005)
            << ink.width() << " vs " << pdfInk.width();
        EXPECT_NEAR(ink.height(), pdfInk.height(), 3) << ink.height() << " vs " << pdfInk.height();
        EXPECT_NEAR(ink.left(), pdfInk.left(), 3);
        EXPECT_NEAR(ink.top(), pdfInk.top(), 3);
    }
}

} // namespace
