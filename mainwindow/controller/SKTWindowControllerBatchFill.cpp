// Record binding: filling one side of the card with one record.

#include "barcodes/BarcodeGlobals.h"
#include "barcodes/designer/core/BarcodeDesigner.h"
#include "core/BatchState.h"
#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "dataseries/BatchTable.h"
#include "dataseries/SeriesInUse.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTText.h"
#include "editor/render/SKTRenderingView.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/SideCanvases.h"

#include <QImage>
#include <QThread>
#include <exception>

namespace {

// What a barcode shows when its record gives no picture: nothing, at the
// size of one point (the sample picture would look like a real barcode).
CardPicture noBarcodePicture() {
    static const CardPicture blank = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return CardPicture::fromImage(image, QSizeF(1, 1));
    }();
    return blank;
}

} // namespace

void SKTWindowController::Assign_Batch_Values_To_Control(int record) {
    Q_ASSERT(QThread::currentThread() == thread());
    try {
        for (const auto& graphic : Graphics_array_Batch) {
            if (!graphic || !Is_Series_Bindable_Class(graphic->className())) {
                continue;
            }
            const std::optional<QString> bound = boundValue(*graphic, record);
            if (!bound) {
                continue;
            }
            const QString& value = *bound;
            const QString className = graphic->className();
            if (className == QStringLiteral("SKTText")) {
                // One replacement of the whole text: the new text takes the
                // attributes of the text's start. Written directly: no undo
                // step, no change report, no height fitting.
                SKTStyledText& text = graphic->Text_contents();
                text.replaceCharacters(0, text.length(), value);
            } else if (className == QStringLiteral("SKTImage")) {
                static_cast<SKTImage&>(*graphic).setFilePath(value);
            } else {
                m_batchDesigner->Set_Barcode_Prop_To_Control(graphic);
                CardPicture picture = m_batchDesigner->Get_Image_From_Val(
                    value, graphic->header_val, graphic->footer_val);
                Barcode_output_image = picture;
                graphic->Set_Barcode_image(picture.isNull() ? noBarcodePicture() : picture);
            }
        }
    } catch (const std::exception& e) {
        showBatchError(e);
    }
}

std::optional<QString> SKTWindowController::boundValue(const SKTGraphic& graphic,
                                                       int record) const {
    if (graphic.data_source_type == 1 && Use_Data_Sheet_Values) {
        return Trim_Str(m_batchTable->value(record, graphic.batch_list_name));
    }
    if (graphic.data_source_type == 2 && Use_Excel_Binding_Values) {
        return Trim_Str(Get_sel_row_col_value_of_Excel(record, graphic.excel_col_indx));
    }
    return std::nullopt;
}

CardPicture SKTWindowController::ownBarcodePicture(const std::shared_ptr<SKTGraphic>& graphic) {
    Q_ASSERT(QThread::currentThread() == thread());
    m_batchDesigner->Set_Barcode_Prop_To_Control(graphic);
    const QString value =
        boundValue(*graphic, 0).value_or(m_batchDesigner->settings.currentValue());
    const CardPicture picture =
        m_batchDesigner->Get_Image_From_Val(value, graphic->header_val, graphic->footer_val);
    return picture.isNull() ? noBarcodePicture() : picture;
}

void SKTWindowController::Redraw_Loaded_Barcodes(const SKTGraphicList& graphics) {
    Q_ASSERT(QThread::currentThread() == thread());
    for (const auto& graphic : graphics) {
        if (!graphic || graphic->className() != QLatin1String("SKTBarcode") ||
            graphic->linear_or_2d == 0 || !graphic->_barcode_image.isRaster()) {
            continue;
        }
        m_batchDesigner->Set_Barcode_Prop_To_Control(graphic);
        const QString value =
            boundValue(*graphic, 0).value_or(m_batchDesigner->settings.currentValue());
        const CardPicture picture =
            m_batchDesigner->Get_Image_From_Val(value, graphic->header_val, graphic->footer_val);
        if (picture.isVector()) {
            graphic->Set_Barcode_image(picture);
        }
    }
}

void SKTWindowController::Fill_Batch_Side(int record, const QString& card_side) {
    Q_ASSERT(QThread::currentThread() == thread());
    Card_Value_In_Process = 1;
    if (card_side == QStringLiteral("F")) {
        Card_Front_Or_Back = 0;
        Graphics_array_Batch = Get_Front_Controls_Array();
    } else {
        Card_Front_Or_Back = 1;
        Graphics_array_Batch = Get_Back_Controls_Array();
    }
    Assign_Batch_Values_To_Control(record);
}

CardPicture SKTWindowController::Set_data_table_value_to_card(int record, const QString& card_side,
                                                              bool print_box) {
    Fill_Batch_Side(record, card_side);
    try {
        CardPicture picture =
            SKTRenderingView::image_From_Card_Graphics(Graphics_array_Batch, print_box);
        if (picture.isNull()) {
            Show_NSLog_Message(
                QStringLiteral("Record %1 of the batch could not be rendered.").arg(record + 1));
        }
        return picture;
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return {};
    }
}

void SKTWindowController::Select_first_row_value_for_design(bool print_box) {
    Q_UNUSED(print_box); // nothing is rendered: the picture would be dropped
    runOnGuiThread([this] {
        if (CARD_SIDE_STR == QStringLiteral("2")) {
            Fill_Batch_Side(0, QStringLiteral("B"));
        }
        Fill_Batch_Side(0, QStringLiteral("F"));
        Card_Value_In_Process = 0;
        if (m_canvases) {
            m_canvases->refresh(0);
            m_canvases->refresh(1);
        }
    });
}
