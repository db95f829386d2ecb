// The object tabs' own actions: the typed text and its date, time and font
// helpers, the picture adjustments' reset, the picture and signature file
// choices, the barcode designer, and the shared combo box handler.

#include "mainwindow/controller/SKTWindowController.h"

#include "barcodes/BarcodeGlobals.h"
#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/PicturePlaceholders.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/PictureMessages.h"
#include "mainwindow/controller/WindowEntries.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardBorderPage.h"
#include "ui_CardSettingPage.h"
#include "ui_DataSourcePage.h"
#include "ui_DrawWindow.h"
#include "ui_ImagePage.h"
#include "ui_LinePage.h"
#include "ui_ShapePage.h"
#include "ui_SignaturePage.h"
#include "ui_TextEditingPage.h"
#include "ui_TextPropertiesPage.h"
#include "widgets/FloatSlider.h"
#include "widgets/GuiHooks.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QLineEdit>
#include <QTextCursor>
#include <QThread>
#include <exception>
#include <iterator>

namespace {

const QString kPlaceholder = QStringLiteral("Text here");
constexpr int kMaxTextLength = 250;

const QStringList kPictureTypes = {
    QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("jpe"),
    QStringLiteral("jfif"), QStringLiteral("gif"),  QStringLiteral("bmp"),
    QStringLiteral("png"),  QStringLiteral("tif"),  QStringLiteral("tiff")};

// The first `limit` UTF-16 units, one fewer when the cut would separate a
// surrogate pair.
QString cutKeepingPairs(const QString& text, int limit) {
    if (text.size() <= limit) {
        return text;
    }
    int cut = limit;
    if (cut > 0 && text.at(cut - 1).isHighSurrogate() && text.at(cut).isLowSurrogate()) {
        --cut;
    }
    return text.left(cut);
}

} // namespace

void SKTWindowController::textDidChange() {
    if (Not_Draw_Only_Prop_Change || !m_loaded) {
        return;
    }
    try {
        QPlainTextEdit* edit = m_textEditing->Text_value_Edit;
        const QString original = edit->toPlainText();
        QString text = original;
        text.remove(kPlaceholder);
        text = cutKeepingPairs(text, kMaxTextLength);
        if (text != original) {
            const QSignalBlocker blocker(edit);
            edit->setPlainText(text);
            edit->moveCursor(QTextCursor::End);
        }
        Update_Text_Graphics();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::Text_Insert_Date() {
    try {
        const QString pattern = m_textEditing->Text_Date_style->currentText();
        if (pattern.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please select Date format."));
            return;
        }
        {
            const QSignalBlocker blocker(m_textEditing->Text_value_Edit);
            m_textEditing->Text_value_Edit->textCursor().insertText(Get_date_Value(pattern));
        }
        textDidChange();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::Text_Insert_Time() {
    try {
        const QString pattern = m_textEditing->Text_Time_style->currentText();
        if (pattern.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please select Time format."));
            return;
        }
        {
            const QSignalBlocker blocker(m_textEditing->Text_value_Edit);
            m_textEditing->Text_value_Edit->textCursor().insertText(Get_time_Value(pattern));
        }
        textDidChange();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::Text_Font_Changed() {
    try {
        QFontDialog* panel = fontPanel();
        m_fontPanelForContent = false;
        {
            const QSignalBlocker blocker(panel);
            panel->setCurrentFont(Text_font);
        }
        panel->show();
        panel->raise();
        Update_Text_Graphics();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::changeTextFont(const QFont& font) {
    try {
        Text_font = font;
        setFontDescription(m_textProperties->Text_font_value, Text_font);
        Update_Text_Graphics();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::Reset_Image_Editing_Controls() {
    if (QThread::currentThread() != thread()) {
        // Objects made by a batch run on a worker thread: the controls are
        // reset on the window's thread.
        QMetaObject::invokeMethod(
            this, [this] { Reset_Image_Editing_Controls(); }, Qt::QueuedConnection);
        return;
    }
    if (!m_image) {
        return;
    }
    Ui::ImagePage& ui = *m_image;
    const std::pair<FloatSlider*, QLineEdit*> sliders[] = {
        {ui.Rotate_slidr, ui.Rotate_slidr_val}, {ui.Trsp_slidr, ui.Trsp_slidr_val},
        {ui.Hue_slidr, ui.Hue_slidr_val},       {ui.Sat_slidr, ui.Sat_slidr_val},
        {ui.Brt_slidr, ui.Brt_slidr_val},       {ui.Con_slidr, ui.Con_slidr_val},
        {ui.shrp_slidr, ui.shrp_slidr_val},     {ui.ev_slidr, ui.ev_slidr_val},
        {ui.blr_slidr, ui.blr_slidr_val}};
    // Neutral: rotation 0, transparency 100, hue 0, saturation 1,
    // brightness 0, contrast 1, sharpness 0, exposure 0, blur 0.
    const double neutral[] = {0, 100, 0, 1, 0, 1, 0, 0, 0};
    for (std::size_t i = 0; i < std::size(sliders); ++i) {
        sliders[i].first->setFloatValue(neutral[i]);
        sliders[i].second->setText(QString::number(neutral[i]));
    }
    for (QCheckBox* check : {ui.Image_Gray_Scale_chk, ui.Image_Sepia_chk, ui.Image_Invert_chk,
                             ui.Image_FIV_chk, ui.Image_FIH_chk}) {
        check->setChecked(false);
    }
}

void SKTWindowController::Image_reset_Button() {
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to continue?")) != 1) {
        return;
    }
    Reset_Image_Editing_Controls();
    Update_Image_Graphics();
}

bool SKTWindowController::Browse_User_Image_Manually() {
    hooks::OpenPanelRequest request;
    request.allowedTypes = kPictureTypes;
    request.kind = hooks::FileKind::Picture;
    request.parent = m_window.get();
    const QStringList chosen = hooks::runOpenPanel(request);
    if (chosen.isEmpty()) {
        Library_Selected_Image.clear();
        return false;
    }
    const QString path = Convert_Path_From_URL(QUrl::fromLocalFile(chosen.first()));
    if (!picture_messages::checkChosenPicture(path)) {
        // Told; the path of the next object and the field stay as they were.
        return false;
    }
    Library_Selected_Image = path;
    m_dataSource->Manual_image_path->setText(Library_Selected_Image);
    return true;
}

// The selected picture object takes the chosen file; when its pixels do not
// read after all (its header did), the user is told and the object, the
// path field and the file of the next object keep the object's own file.
static void giveChosenFile(SKTImage& picture, const QString& path, QLineEdit& field) {
    const QString previous = picture.FilePath();
    const SKTPictureProblem problem = picture.setFilePath(path);
    if (problem != SKTPictureProblem::None) {
        Show_MessageBox(picture_messages::chosenPictureText(path, problem));
        picture.setFilePath(previous);
        Library_Selected_Image = previous;
        field.setText(previous);
    }
}

void SKTWindowController::Manual_Image_Browse_Btn() {
    if (Browse_User_Image_Manually()) {
        if (SKTGraphicView* view = currentGraphicView()) {
            if (auto* picture = dynamic_cast<SKTImage*>(view->selectedGraphic().get())) {
                giveChosenFile(*picture, Library_Selected_Image, *m_dataSource->Manual_image_path);
            }
        }
    }
    Update_Image_Graphics();
}

void SKTWindowController::Manual_Library_Browse_Btn() {
    if (Open_Image_Library(false) == 1) {
        m_dataSource->Manual_image_path->setText(Library_Selected_Image);
        if (SKTGraphicView* view = currentGraphicView()) {
            if (auto* picture = dynamic_cast<SKTImage*>(view->selectedGraphic().get())) {
                giveChosenFile(*picture, Library_Selected_Image, *m_dataSource->Manual_image_path);
            }
        }
    }
    Update_Image_Graphics();
}

void SKTWindowController::Sign_Browse_Btn() {
    hooks::OpenPanelRequest request;
    request.allowedTypes = {QStringLiteral("png"), QStringLiteral("PNG")};
    request.kind = hooks::FileKind::Picture;
    request.parent = m_window.get();
    const QStringList chosen = hooks::runOpenPanel(request);
    if (chosen.isEmpty()) {
        return; // cancelled: nothing changes
    }
    if (picture_messages::readChosenPicture(chosen.first()).isNull()) {
        return; // told: the signature keeps its picture
    }
    m_signature->Sign_image_path->setText(chosen.first());
    Update_Sign_Graphics();
}

void SKTWindowController::Open_Barcode_Window() {
    try {
        const auto designer = window_entries::barcodeDesigner.get();
        if (!designer) {
            Show_MessageBox(QStringLiteral("This is not available yet."));
            return;
        }
        SKTGraphicView* view = currentGraphicView();
        const std::shared_ptr<SKTGraphic> object = view ? view->selectedGraphic() : nullptr;
        if (!object) {
            return;
        }
        // A new barcode object still shows the sample picture: its frame
        // takes the size of its first own picture, so the selection handles
        // surround the symbol. A frame sized later stays as the user made it.
        const bool firstPicture =
            dynamic_cast<SKTBarcode*>(object.get()) && object->_barcode_image.isNull();
        // Only a picture the designer leaves from this run reaches the
        // objects.
        Barcode_output_image = CardPicture();
        designer(object);
        if (!Barcode_output_image.isNull()) {
            Update_Barcode_Graphics(object);
            if (firstPicture && !object->_barcode_image.isNull()) {
                object->setBounds(
                    QRectF(object->bounds().topLeft(), object->_barcode_image.size()));
                Refresh_Canvas();
            }
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::Update_Barcode_Graphics(const std::shared_ptr<SKTGraphic>& source) {
    const SKTGraphicList graphics = graphicsToUpdate();
    if (!source) {
        return;
    }
    const SKTGraphic& s = *source;
    const int print = m_ui->print_object_chk->isChecked() ? 1 : 0;
    for (const std::shared_ptr<SKTGraphic>& graphic : graphics) {
        SKTGraphic& g = *graphic;
        g.print_object = print;
        if (graphic != source) {
            g.linear_or_2d = s.linear_or_2d;
            g.barcode_font_index = s.barcode_font_index;
            g.header_val = s.header_val;
            g.footer_val = s.footer_val;
            g.show_hide_hdr = s.show_hide_hdr;
            g.show_hide_ftr = s.show_hide_ftr;
            g.show_hide_val = s.show_hide_val;
            g.show_val_on_top = s.show_val_on_top;
            g.align_hdr_index = s.align_hdr_index;
            g.align_ftr_index = s.align_ftr_index;
            g.linear_height_val = s.linear_height_val;
            g.linear_width_val = s.linear_width_val;
            g.qr_size_val = s.qr_size_val;
            g.qr_version_index = s.qr_version_index;
            g.qr_ec_index = s.qr_ec_index;
            g.pdf_hgt_val = s.pdf_hgt_val;
            g.pdf_wdt_val = s.pdf_wdt_val;
            g.pdf_ec_val = s.pdf_ec_val;
            g.dm_module_val = s.dm_module_val;
            g.dm_format_index = s.dm_format_index;
            g.dm_encoding_index = s.dm_encoding_index;
            g.hdr_margin_val = s.hdr_margin_val;
            g.ftr_margin_val = s.ftr_margin_val;
            g.val_margin_val = s.val_margin_val;
            g.TB_marging_val = s.TB_marging_val;
            g.LR_margin_val = s.LR_margin_val;
            g.value_font_val = s.value_font_val;
            g.header_font_val = s.header_font_val;
            g.footer_font_val = s.footer_font_val;
            g.barcode_hdr_clr_val = s.barcode_hdr_clr_val;
            g.barcode_ftr_clr_val = s.barcode_ftr_clr_val;
            g.barcode_val_clr_val = s.barcode_val_clr_val;
            g.barcode_back_clr_val = s.barcode_back_clr_val;
            g.barcode_clr_val = s.barcode_clr_val;
            g.dpi_val_index = s.dpi_val_index;
            g.dpi_custom_val = s.dpi_custom_val;
        }
        // The designer's object shows the designer's picture; every other
        // selected barcode keeps its own value (the values are not copied)
        // and shows it drawn with the new settings.
        if (auto* barcode = dynamic_cast<SKTBarcode*>(&g)) {
            barcode->Set_Barcode_image(graphic == source ? Barcode_output_image
                                                         : ownBarcodePicture(graphic));
            barcode->barcode_image_var_assign();
        }
    }
    finishUpdate(graphics);
}

bool SKTWindowController::hatchChoiceReads(QComboBox* combo) {
    const QString name = combo->currentText();
    if (name.isEmpty()) {
        return true;
    }
    const QString file =
        QDir(Resource_Path)
            .filePath(QStringLiteral("Fill_Style_Image/") + name + QStringLiteral(".png"));
    SKTPictureProblem problem = SKTProbePictureFile(file).problem;
    if (problem == SKTPictureProblem::None && PicturePlaceholders::hatchPattern(name).isNull()) {
        problem = SKTPictureProblem::NotPicture;
    }
    if (problem == SKTPictureProblem::None) {
        return true;
    }
    Show_MessageBox(picture_messages::chosenPictureText(file, problem));
    QString previous;
    if (combo == m_cardBackground->Card_hatch_style) {
        previous = currentCardProperty().Card_hatch_style();
    } else if (const SKTGraphicList graphics = graphicsToUpdate(); !graphics.isEmpty()) {
        previous = graphics.first()->_fill_hatch_type;
    }
    combo->setCurrentIndex(previous.isEmpty() ? -1 : combo->findText(previous));
    return false;
}

void SKTWindowController::comboBoxSelectionDidChange(QComboBox* combo) {
    try {
        if ((combo == m_cardBackground->Card_hatch_style || combo == m_shape->shape_hatch_style) &&
            !hatchChoiceReads(combo)) {
            return; // told; the card and the shapes keep their pattern
        }
        if (combo == m_cardBackground->Card_image_layout ||
            combo == m_cardBorder->Card_border_style ||
            combo == m_cardBackground->Card_hatch_style) {
            Update_Card_Graphics();
        } else if (combo == m_line->Line_border_style || combo == m_line->Line_ori_style ||
                   combo == m_line->Line_cap_style) {
            Update_Line_Graphics();
        } else if (combo == m_textProperties->Text_border_style ||
                   combo == m_textProperties->Text_align_combo ||
                   combo == m_textProperties->Text_case_combo) {
            Update_Text_Graphics();
        } else if (combo == m_shape->shape_border_style || combo == m_shape->shape_hatch_style) {
            Update_Shape_Graphics();
        } else if (combo == m_image->Image_border_style) {
            Update_Image_Graphics();
        } else if (combo == m_signature->Sign_border_style) {
            Update_Sign_Graphics();
        } else {
            dataSourceComboBoxSelectionDidChange(combo);
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}
