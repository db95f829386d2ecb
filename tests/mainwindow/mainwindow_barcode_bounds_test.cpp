// A barcode whose picture is larger than its frame is drawn whole: on the
// canvas, and in the PDF and the picture a copy puts on the clipboard.

#include "mainwindow_controller_fixture.h"

#include "barcodes/designer/core/BarcodeDesigner.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTBarcode.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QtTest/QTest>

namespace {

// The dark pixels of a picture laid over white: their box and count.
struct Dark {
    QRect box;
    qint64 count = 0;
};
Dark darkOf(const QImage& picture) {
    QImage page(picture.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.drawImage(0, 0, picture);
    painter.end();
    Dark dark;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 128) {
                dark.box |= QRect(x, y, 1, 1);
                ++dark.count;
            }
        }
    }
    return dark;
}

// The drawing shows the whole picture: as wide and high in dark pixels, and
// about as many of them.
void expectWhole(const QImage& drawing, const QImage& picture, const char* where) {
    const Dark drawn = darkOf(drawing);
    const Dark expected = darkOf(picture);
    ASSERT_GT(expected.count, 0);
    EXPECT_NEAR(drawn.box.width(), expected.box.width(), 2) << where;
    EXPECT_NEAR(drawn.box.height(), expected.box.height(), 2) << where;
    EXPECT_NEAR(double(drawn.count), double(expected.count), 0.05 * double(expected.count))
        << where;
}

class BarcodeBoundsTest : public ControllerFixture {};

TEST_F(BarcodeBoundsTest, APictureLargerThanItsFrameIsDrawnWhole) {
    const struct {
        const char* symbology;
        const char* value;
    } cases[] = {{"QR Code", "PARTY-2026"}, {"Code 128", "C2026"}};
    const QString pdftoppm = testsupport::findTool(QStringLiteral("pdftoppm"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symbology);
        start();
        MainWindowFrame* window = m_controller->window();
        window->resize(1100, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        // A 10 x 10 point frame at (30, 30) holding a larger picture.
        auto code = std::make_shared<SKTBarcode>();
        const QString symbology = QString::fromLatin1(c.symbology);
        code->barcode_font_index = int(DesignerLists::symbologies().indexOf(symbology));
        code->linear_or_2d = DesignerLists::isTwoDimensional(symbology) ? 1 : 0;
        BarcodeDesigner designer;
        designer.Set_Barcode_Prop_To_Control(code);
        const CardPicture picture = designer.Get_Image_From_Val(QString::fromLatin1(c.value),
                                                                code->header_val, code->footer_val);
        ASSERT_GT(picture.size().width(), 20);
        ASSERT_GT(picture.size().height(), 20);
        code->_barcode_image = picture;
        code->setBounds(QRectF(30, 30, 10, 10));
        ASSERT_TRUE(m_document->insertGraphic(code, 0));
        SKTGraphicView* canvas = m_controller->graphicViewOfSide(0);
        QCoreApplication::processEvents();

        // The canvas, around the picture.
        const QRectF around =
            QRectF(code->bounds().topLeft(), picture.size()).adjusted(-8, -8, 8, 8);
        const QRectF area = canvas->widgetRect(around);
        const QImage shown = canvas->grab().toImage().copy(area.toRect());
        expectWhole(shown, picture.toImage(area.width() / around.width()), "canvas");

        // The user selects it with the mouse and copies it with the key.
        QTest::mouseClick(canvas, Qt::LeftButton, {},
                          canvas->widgetRect(code->bounds()).center().toPoint());
        ASSERT_EQ(canvas->selectedGraphics(), SKTGraphicList{code});
        QTest::keySequence(canvas, QKeySequence::Copy);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(copied, nullptr);

        // The picture: the objects' area at 72 dpi.
        const QImage tiff = QImage::fromData(copied->data(QStringLiteral("image/tiff")), "TIFF");
        expectWhole(tiff, picture.toImage(1.0), "picture");

        // The PDF: the card, rastered at 288 dpi.
        if (pdftoppm.isEmpty()) {
            m_controller.reset();
            continue;
        }
        const QString pdf = QDir(m_temp.path()).filePath(QStringLiteral("copy.pdf"));
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(copied->data(QStringLiteral("application/pdf")));
        file.close();
        const QString base = QDir(m_temp.path()).filePath(QStringLiteral("copy"));
        const auto run = testsupport::runProcess(
            pdftoppm, {QStringLiteral("-r"), QStringLiteral("288"), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), pdf, base});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QImage page(base + QStringLiteral(".png"));
        const QRectF inPage(around.topLeft() * 4, around.size() * 4);
        expectWhole(page.copy(inPage.toRect()), picture.toImage(4), "PDF");
        m_controller.reset();
    }
    if (pdftoppm.isEmpty()) {
        GTEST_SKIP() << "outside tool not installed: pdftoppm (the PDFs were not judged)";
    }
}

} // namespace
