// A barcode object made with the Barcode tool and given its first symbol in
// the designer: its frame takes the symbol's size, so the selection
// surrounds the whole symbol; a frame the user sizes afterwards stays.

#include "../mainwindow/mainwindow_controller_fixture.h"
#include "DesignerEntry.h"

#include "barcodes/BarcodeGlobals.h"
#include "barcodes/designer/Barcode_Gen.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTBarcode.h"
#include "mainwindow/controller/WindowEntries.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

class NewBarcodeFrameTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        installBarcodeDesignerEntry();
        start();
        m_controller->window()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_controller->window()));
        // The user in the designer: QR Code chosen from the keyboard, the
        // value typed over the old one, OK.
        hooks::setModalRunner([](QDialog& dialog) {
            dialog.show();
            auto* symbologies = dialog.findChild<QComboBox*>(QStringLiteral("barcodeTypePopup"));
            symbologies->setFocus();
            QTest::keyClicks(symbologies, QStringLiteral("QR"));
            auto* value = dialog.findChild<QPlainTextEdit*>(QStringLiteral("dataText_2D"));
            value->setFocus();
            QTest::keySequence(value, QKeySequence::SelectAll);
            QTest::keyClicks(value, QStringLiteral("Party at eight, Garden Hall, 12 Elm Road"));
            dialog.findChild<QPushButton*>(QStringLiteral("OK_Btn"))->click();
            return dialog.result();
        });
    }

    void TearDown() override {
        window_entries::barcodeDesigner.set({});
        hooks::setModalRunner({});
        Barcode_output_image = CardPicture();
        ControllerFixture::TearDown();
    }

    void openDesigner() { control<QPushButton>("View_barcode_prop_Button")->click(); }
};

TEST_F(NewBarcodeFrameTest, TheFirstSymbolSetsTheFrameALaterSizeStays) {
    control<QToolButton>("Barcode_Tool")->click();
    ASSERT_EQ(m_document->graphics().size(), 1);
    const std::shared_ptr<SKTGraphic> barcode = m_document->graphics().first();
    ASSERT_TRUE(dynamic_cast<SKTBarcode*>(barcode.get()));
    const QRectF made = barcode->bounds();

    openDesigner();
    ASSERT_EQ(barcode->linear_or_2d, 1) << "QR Code was not chosen";
    const QSizeF symbol = barcode->_barcode_image.size();
    ASSERT_FALSE(symbol.isEmpty());
    // The symbol does not fit the frame the tool made.
    ASSERT_GT(symbol.height(), made.height());
    EXPECT_EQ(barcode->bounds(), QRectF(made.topLeft(), symbol));

    // Sized smaller by the user, then designed again: the frame stays and
    // the symbol is still drawn whole.
    const QRectF sized(made.topLeft(), symbol / 2.0);
    barcode->setBounds(sized);
    openDesigner();
    EXPECT_EQ(barcode->bounds(), sized);
    EXPECT_TRUE(barcode->drawingBounds().contains(QRectF(sized.topLeft(), symbol)));
    EXPECT_TRUE(m_alerts.texts().isEmpty()) << m_alerts.texts().join('|').toStdString();
}

} // namespace
