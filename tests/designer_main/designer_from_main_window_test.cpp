// The barcode designer as the main window opens it: a double-click on an
// unlocked barcode object or the inspector's button runs the designer on
// that object; OK gives the object its settings and picture, which the
// card side then shows (read back by outside decoders), Cancel leaves it.

#include "../barcodes/LinearDecoders.h"
#include "../mainwindow/mainwindow_controller_fixture.h"
#include "DesignerEntry.h"

#include "barcodes/BarcodeGlobals.h"
#include "barcodes/designer/Barcode_Gen.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTBarcode.h"
#include "editor/render/SKTRenderingView.h"
#include "mainwindow/controller/WindowEntries.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest/QTest>

namespace {

class DesignerFromMainWindowTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        installBarcodeDesignerEntry();
        start();
    }

    void TearDown() override {
        window_entries::barcodeDesigner.set({});
        hooks::setModalRunner({});
        Barcode_output_image = CardPicture();
        ControllerFixture::TearDown();
    }

    // A new barcode object on the front canvas.
    std::shared_ptr<SKTGraphic> barcodeOnFront() {
        SKTGraphicView* view = m_controller->graphicViewOfSide(0);
        view->createGraphicOfClass(QStringLiteral("SKTBarcode"), nullptr, true,
                                   QRectF(30, 30, 120, 80), QStringLiteral("F"), QString(),
                                   QStringLiteral("B1"));
        return m_document->graphics().first();
    }

    // Double-clicks the middle of the object on the front canvas.
    void doubleClick(const SKTGraphic& graphic) {
        SKTGraphicView* view = m_controller->graphicViewOfSide(0);
        const QPointF at = view->widgetRect(graphic.bounds()).center();
        QMouseEvent event(QEvent::MouseButtonDblClick, at, view->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &event);
    }

    // Clicks the middle of the object on the shown front canvas.
    void click(const SKTGraphic& graphic, Qt::KeyboardModifiers modifiers = {}) {
        MainWindowFrame* window = m_controller->window();
        if (!window->isVisible()) {
            window->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        }
        SKTGraphicView* view = m_controller->graphicViewOfSide(0);
        QTest::mouseClick(view, Qt::LeftButton, modifiers,
                          view->widgetRect(graphic.bounds()).center().toPoint());
    }

    // The user inside the designer's modal run: the symbology (QR Code
    // unless told), the value, then OK or Cancel.
    void scriptDesigner(const QString& value, bool ok,
                        const QString& symbology = QStringLiteral("QR Code")) {
        hooks::setModalRunner([this, value, ok, symbology](QDialog& dialog) {
            auto* designer = qobject_cast<Barcode_Gen*>(&dialog);
            EXPECT_NE(designer, nullptr);
            if (!designer) {
                return 0;
            }
            ++m_openings;
            m_loaded = designer->pass_barcode_control;
            auto* symbologies = designer->findChild<QComboBox*>(QStringLiteral("barcodeTypePopup"));
            const int qr = symbologies->findText(symbology);
            symbologies->setCurrentIndex(qr);
            emit symbologies->activated(qr);
            designer->findChild<QPlainTextEdit*>(QStringLiteral("dataText_2D"))
                ->setPlainText(value);
            designer
                ->findChild<QPushButton*>(ok ? QStringLiteral("OK_Btn")
                                             : QStringLiteral("Cancel_Btn"))
                ->click();
            return dialog.result();
        });
    }

    // A picture at 600 dpi onto white with a quiet margin, as a PNG.
    QString picturePng(const CardPicture& picture, const QString& name) {
        const QImage raster = picture.toImage(600 / 72.0);
        QImage page(raster.width() + 200, raster.height() + 200, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.drawImage(100, 100, raster);
        painter.end();
        const QString path = QDir(m_temp.path()).filePath(name);
        EXPECT_TRUE(page.save(path));
        return path;
    }

    // The front side rendered at 600 dpi onto white with a quiet margin,
    // written as a PNG.
    QString frontSidePng() {
        const CardPicture side =
            SKTRenderingView::image_From_Card_Graphics(m_document->graphics(), false);
        const QImage raster = side.toImage(600 / 72.0);
        QImage page(raster.width() + 200, raster.height() + 200, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.drawImage(100, 100, raster);
        painter.end();
        const QString path = QDir(m_temp.path()).filePath(QStringLiteral("front.png"));
        EXPECT_TRUE(page.save(path));
        return path;
    }

    int m_openings = 0;
    std::shared_ptr<SKTGraphic> m_loaded;
};

TEST_F(DesignerFromMainWindowTest, DoubleClickThenOkGivesTheObjectAQrCodeTheCardShows) {
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    const auto barcode = barcodeOnFront();
    scriptDesigner(QStringLiteral("Party 2026-12-09"), true);
    doubleClick(*barcode);
    EXPECT_EQ(m_openings, 1);
    EXPECT_EQ(m_loaded, barcode);
    EXPECT_TRUE(m_alerts.texts().isEmpty()) << m_alerts.texts().join('|').toStdString();
    EXPECT_EQ(barcode->linear_or_2d, 1);
    EXPECT_EQ(barcode->barcode_font_index,
              int(DesignerLists::symbologies().indexOf(QStringLiteral("QR Code"))));
    EXPECT_EQ(barcode->two_d_font_val, QStringLiteral("Party 2026-12-09"));
    ASSERT_FALSE(barcode->_barcode_image.isNull());

    const QString png = frontSidePng();
    const auto text = lineardecode::zbarRead(zbarimg, png);
    ASSERT_TRUE(text.has_value()) << "zbarimg read nothing from the card side";
    EXPECT_EQ(*text, QByteArray("Party 2026-12-09"));
    const QString zxing = testsupport::findTool(QStringLiteral("ZXingReader"));
    if (!zxing.isEmpty()) {
        const auto again = lineardecode::zxingRead(zxing, png, QStringLiteral("QRCode"));
        ASSERT_TRUE(again.has_value()) << "ZXingReader read nothing from the card side";
        EXPECT_EQ(*again, QByteArray("Party 2026-12-09"));
    }
}

TEST_F(DesignerFromMainWindowTest, CancelLeavesTheObjectAndItsPicture) {
    const auto barcode = barcodeOnFront();
    const int symbology = barcode->barcode_font_index;
    const CardPicture before = barcode->_barcode_image;
    scriptDesigner(QStringLiteral("never"), false);
    doubleClick(*barcode);
    EXPECT_EQ(m_openings, 1);
    EXPECT_EQ(barcode->barcode_font_index, symbology);
    EXPECT_NE(barcode->two_d_font_val, QStringLiteral("never"));
    EXPECT_TRUE(barcode->_barcode_image.sharesDataWith(before));
    EXPECT_TRUE(Barcode_output_image.isNull());
}

TEST_F(DesignerFromMainWindowTest, ALockedObjectDoesNotOpenTheDesignerButTheButtonDoes) {
    const auto barcode = barcodeOnFront();
    scriptDesigner(QStringLiteral("BUTTON-1"), true);
    barcode->ctrl_is_locked = true;
    doubleClick(*barcode);
    EXPECT_EQ(m_openings, 0);
    barcode->ctrl_is_locked = false;

    // The inspector's button opens the designer on the object clicked.
    click(*barcode);
    auto* button = control<QPushButton>("View_barcode_prop_Button");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    button->click();
    EXPECT_EQ(m_openings, 1);
    EXPECT_EQ(m_loaded, barcode);
    EXPECT_EQ(barcode->two_d_font_val, QStringLiteral("BUTTON-1"));
    EXPECT_FALSE(barcode->_barcode_image.isNull());
    EXPECT_TRUE(m_alerts.texts().isEmpty());
}

// Two selected barcodes holding different values: the designer run on one
// gives both its settings, and each shows its own value.
TEST_F(DesignerFromMainWindowTest, TwoSelectedBarcodesTakeTheSettingsAndKeepTheirValues) {
    CARD_REQUIRE_TOOL(zxing, "ZXingReader");
    SKTGraphicView* view = m_controller->graphicViewOfSide(0);
    view->createGraphicOfClass(QStringLiteral("SKTBarcode"), nullptr, true,
                               QRectF(200, 30, 120, 80), QStringLiteral("F"), QString(),
                               QStringLiteral("B2"));
    const auto second = m_document->graphics().first();
    second->linear_or_2d = 1;
    second->two_d_font_val = QStringLiteral("SECOND-2");
    const auto first = barcodeOnFront();
    ASSERT_NE(first, second);
    // The user clicks the second, then Shift-clicks the first: both are
    // selected and the inspector shows the first.
    click(*second);
    click(*first, Qt::ShiftModifier);
    ASSERT_EQ(view->selectedGraphics().size(), 2);
    scriptDesigner(QStringLiteral("FIRST-1"), true, QStringLiteral("DataMatrix"));
    control<QPushButton>("View_barcode_prop_Button")->click();
    ASSERT_EQ(m_openings, 1);
    ASSERT_EQ(m_loaded, first);
    const int dataMatrix = int(DesignerLists::symbologies().indexOf(QStringLiteral("DataMatrix")));
    const struct {
        std::shared_ptr<SKTGraphic> barcode;
        QByteArray value;
    } cases[] = {{first, "FIRST-1"}, {second, "SECOND-2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        EXPECT_EQ(c.barcode->barcode_font_index, dataMatrix);
        EXPECT_EQ(c.barcode->two_d_font_val, QString::fromLatin1(c.value));
        const QString png =
            picturePng(c.barcode->_barcode_image, QString::fromLatin1(c.value + ".png"));
        EXPECT_EQ(lineardecode::zxingRead(zxing, png, QStringLiteral("DataMatrix")),
                  std::optional(c.value));
    }
}

} // namespace
