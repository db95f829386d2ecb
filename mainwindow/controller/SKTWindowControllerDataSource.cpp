// The data-source tab (typed value, data series or spreadsheet column for
// the selected text or picture), the sides, preset and category rows of the
// card inspector's combo boxes, and the start-up connections of the wizard
// and the Card menu's windows.

#include "mainwindow/controller/SKTWindowController.h"

#include "mainwindow/controller/MainWindowFrame.h"

#include "core/MessageFunctions.h"
#include "core/SharedGlobals.h"
#include "core/StringFunctions.h"
#include "dataseries/ColumnFollowing.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesInUse.h"
#include "dataseries/SeriesListing.h"
#include "dataseries/windows/Data_From_Excel.h"
#include "dataseries/windows/View_Data_Series.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTText.h"
#include "mainwindow/controller/ColListModel.h"
#include "mainwindow/controller/SideCanvases.h"
#include "ui_CardSettingPage.h"
#include "ui_DataSourcePage.h"
#include "ui_DrawWindow.h"
#include "ui_ImagePage.h"
#include "ui_TextEditingPage.h"
#include "widgets/ControlFunctions.h"
#include "widgets/DialogOwner.h"
#include "widgets/Long_SMS_Dlg.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <exception>

namespace {

const QString kManual = QStringLiteral("Manual");
const QString kSeries = QStringLiteral("Series");
const QString kExcel = QStringLiteral("Excel");

// What a bound object shows: its text, its picture's file or its barcode's
// value.
QString shownValue(SKTGraphic& graphic) {
    const QString className = graphic.className();
    if (className == QLatin1String("SKTText")) {
        return graphic.Text_contents().string();
    }
    if (className == QLatin1String("SKTImage")) {
        return graphic.FilePath();
    }
    return graphic.linear_or_2d != 0 ? graphic.two_d_font_val : graphic.linear_font_val;
}

// An object bound to a column shows `value`: its text, its picture's file,
// or its barcode's value drawn with its own settings.
void showBoundValue(SKTWindowController& controller, const std::shared_ptr<SKTGraphic>& graphic,
                    const QString& value) {
    const QString className = graphic->className();
    if (className == QLatin1String("SKTText")) {
        SKTStyledText& text = graphic->Text_contents();
        text.replaceCharacters(0, text.length(), value);
        static_cast<SKTText&>(*graphic).textStorageDidProcessEditing();
    } else if (className == QLatin1String("SKTImage")) {
        static_cast<SKTImage&>(*graphic).setFilePath(value);
    } else if (auto* barcode = dynamic_cast<SKTBarcode*>(graphic.get())) {
        // The value the barcode designer would have taken from the column.
        (graphic->linear_or_2d != 0 ? graphic->two_d_font_val : graphic->linear_font_val) = value;
        barcode->Set_Barcode_image(controller.ownBarcodePicture(graphic));
        barcode->barcode_image_var_assign();
    }
}

} // namespace

void SKTWindowController::connectStartAndSourceControls() {
    Ui::DataSourcePage& source = *m_dataSource;
    for (QComboBox* combo : {source.Data_source_type, source.Batch_Series}) {
        connect(combo, &QComboBox::activated, this,
                [this, combo] { comboBoxSelectionDidChange(combo); });
    }
    connect(source.view_series_btn, &QPushButton::clicked, this,
            [this] { View_batch_Series_Button(); });
    connect(source.Data_Source_Help_btn, &QPushButton::clicked, this,
            [this] { Data_Source_Help_Button(); });
    connectWizardCommands();
    // The category chosen at start-up fills the size list.
    Category_Chosen();
}

bool SKTWindowController::dataSourceComboBoxSelectionDidChange(QComboBox* combo) {
    Ui::CardSettingPage& setting = *m_cardSetting;
    if (combo == m_dataSource->Data_source_type) {
        Data_Source_Type_Chosen(true);
    } else if (combo == m_dataSource->Batch_Series) {
        Batch_Series_Chosen();
    } else if (combo == setting.Sides_ComboBox) {
        const bool two = setting.Sides_ComboBox->currentIndex() == 0;
        CARD_SIDE_STR = two ? QStringLiteral("2") : QStringLiteral("1");
        m_ui->Back_Card_Btn->setEnabled(two);
    } else if (combo == setting.Preset_ComboBox) {
        // The same category again, so the sizes follow the orientation.
        if (setting.Category_ComboBox->currentIndex() >= 0) {
            const int index = setting.Category_ComboBox->currentIndex();
            setting.Category_ComboBox->setCurrentIndex(-1);
            setting.Category_ComboBox->setCurrentIndex(index);
            Category_Chosen();
        }
    } else if (combo == setting.Category_ComboBox) {
        Category_Chosen();
    } else {
        return false;
    }
    return true;
}

void SKTWindowController::Category_Chosen() {
    m_colList->clearRows();
    m_colList->reloadData();
    const QStringList& names =
        m_cardSetting->Category_ComboBox->currentIndex() == 0 ? pvc_card_arry : paper_card_arry;
    for (const QString& name : names) {
        Create_List(name);
    }
    m_colList->reloadData();
    Mark_List_New_Selection(0);
}

void SKTWindowController::Data_Source_Type_Chosen(bool write) {
    SKTGraphicView* canvas = currentGraphicView();
    const std::shared_ptr<SKTGraphic> graphic = canvas ? canvas->selectedGraphic() : nullptr;
    const int code = showDataSource(graphic.get(), write);
    if (write && graphic && code >= 0) {
        graphic->Set_Data_source_type(code);
    }
}

int SKTWindowController::showDataSource(const SKTGraphic* graphic, bool showMessages) {
    Ui::DataSourcePage& source = *m_dataSource;
    const QString title = source.Data_source_type->currentText();
    if (title == kManual) {
        source.view_series_btn->setEnabled(false);
        source.Batch_Series->setEnabled(false);
        m_textEditing->Text_value_Edit->setReadOnly(false);
        SetObjEnabled(source.manual_brws_box, 1);
        return 0;
    }
    source.view_series_btn->setEnabled(true);
    source.Batch_Series->setEnabled(true);
    m_textEditing->Text_value_Edit->setReadOnly(true);
    SetObjEnabled(source.manual_brws_box, 0);
    if (title == kSeries) {
        source.Batch_Series->setCurrentIndex(-1);
        source.Batch_Series->clear();
        source.Batch_Series->setEditText(QString());
        const QStringList names = Get_datasheet_File_Name_Array();
        source.Batch_Series->addItems(names);
        source.Batch_Series->setCurrentIndex(-1);
        if (names.isEmpty()) {
            if (showMessages) {
                Show_MessageBox(QStringLiteral("Please create batch processing series first."));
            }
            // The object keeps its source.
            return -1;
        }
        if (graphic && !graphic->batch_list_name.isEmpty()) {
            source.Batch_Series->setCurrentIndex(names.indexOf(graphic->batch_list_name));
        }
        return 1;
    }
    Fill_Excel_Col_Name_In_Combo(*source.Batch_Series);
    if (graphic) {
        const int column = graphic->excel_col_indx;
        // A stored column beyond the imported ones selects nothing.
        source.Batch_Series->setCurrentIndex(
            column >= 0 && column < source.Batch_Series->count() ? column : -1);
    }
    return 2;
}

void SKTWindowController::Batch_Series_Chosen() {
    Ui::DataSourcePage& source = *m_dataSource;
    const QString title = source.Data_source_type->currentText();
    const QString name = Trim_Str(source.Batch_Series->currentText());
    const int index = source.Batch_Series->currentIndex();
    if (name.isEmpty()) {
        return;
    }
    SKTGraphicView* canvas = currentGraphicView();
    const std::shared_ptr<SKTGraphic> graphic = canvas ? canvas->selectedGraphic() : nullptr;
    if (!graphic) {
        return;
    }
    QString value;
    if (title == kSeries) {
        graphic->Set_Data_source_type(1);
        graphic->Set_Batch_List_Name(name);
        graphic->Set_Batch_List_Index(index);
        value = Get_First_Value_Of_Dataset(name);
    } else if (title == kExcel) {
        graphic->Set_Data_source_type(2);
        graphic->Set_Excel_binding_Index(index);
        value = Get_First_Value_Of_Excel_Binding(index);
    }
    if (graphic->className() == QStringLiteral("SKTText")) {
        SKTStyledText& text = graphic->Text_contents();
        text.replaceCharacters(0, text.length(), value);
        static_cast<SKTText&>(*graphic).textStorageDidProcessEditing();
        m_textEditing->Text_value_Edit->setPlainText(value);
    } else if (graphic->className() == QStringLiteral("SKTImage")) {
        static_cast<SKTImage&>(*graphic).setFilePath(value);
        source.Manual_image_path->setText(value);
        Update_Image_Graphics();
    }
    Refresh_Canvas();
    canvas->startEditingGraphic(graphic);
    Refresh_Canvas();
}

void SKTWindowController::Follow_Imported_Columns(const ColumnFollowing& following,
                                                  QList<LostColumnBinding>& lost) {
    try {
        // An object may stand in two lists (the temporary side): it follows
        // once.
        QSet<const SKTGraphic*> followed;
        for (int side = 0; side < 3; ++side) {
            const SKTGraphicList graphics = side == 0   ? Get_Front_Controls_Array()
                                            : side == 1 ? Get_Back_Controls_Array()
                                                        : Get_Temp_Controls_Array();
            for (const auto& graphic : graphics) {
                if (!graphic || !Is_Series_Bindable_Class(graphic->className()) ||
                    followed.contains(graphic.get())) {
                    continue;
                }
                followed.insert(graphic.get());
                const int before = graphic->excel_col_indx;
                const int after = following.newIndex(before);
                // A column kept while the object shows another source
                // follows as well, so choosing "Excel" again finds it.
                graphic->Set_Excel_binding_Index(after);
                if (graphic->data_source_type != 2) {
                    continue;
                }
                if (before >= 0 && after < 0 && side != 2) {
                    lost.append(LostColumnBinding{side, graphic->className(), graphic->control_ID,
                                                  shownValue(*graphic), following.title(before),
                                                  before});
                }
                // Row 0 of its column, as every output writes it; nothing for
                // a binding left without a column.
                showBoundValue(*this, graphic, ::Get_First_Value_Of_Excel_Binding(after));
            }
        }
        for (int side = 0; side < 3; ++side) {
            if (User_Profile_Class* record = userProfile(side)) {
                for (User_Profile_Class::Field& field : record->fields) {
                    field.columnIndex = following.newIndex(field.columnIndex);
                }
            }
        }
        // The inspector's column list of the object it shows.
        const std::shared_ptr<SKTGraphic> shown = lastSelectedGraphic();
        if (shown && m_dataSource->Data_source_type->currentText() == kExcel) {
            showDataSource(shown.get(), false);
            if (shown->className() == QLatin1String("SKTText")) {
                // The object holds the value already: nothing is written back.
                const QSignalBlocker blocker(m_textEditing->Text_value_Edit);
                m_textEditing->Text_value_Edit->setPlainText(shownValue(*shown));
            } else if (shown->className() == QLatin1String("SKTImage")) {
                m_dataSource->Manual_image_path->setText(shown->FilePath());
            }
        }
        if (m_canvases) {
            for (int side = 0; side < 3; ++side) {
                m_canvases->refresh(side);
            }
        }
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
    }
}

void SKTWindowController::View_batch_Series_Button() {
    try {
        const QString title = m_dataSource->Data_source_type->currentText();
        if (title == kManual) {
            return;
        }
        if (title == kSeries) {
            const QString name = Trim_Str(m_dataSource->Batch_Series->currentText());
            if (name.isEmpty()) {
                Show_MessageBox(QStringLiteral("Please select the series."));
                return;
            }
            View_Data_Series* viewer = View_Data_Series::defaultInstance();
            dialogs::ownBy(*viewer, m_window.get());
            viewer->file_name = name;
            viewer->Open_Wnd();
            return;
        }
        Data_From_Excel* viewer = Data_From_Excel::defaultInstance();
        dialogs::ownBy(*viewer, m_window.get());
        viewer->Open_Wnd();
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
    }
}

void SKTWindowController::Data_Source_Help_Button() {
    Cutom_Msg_Title = QStringLiteral("Batch Processing Settings Help :");
    Cutom_Msg_Val = QStringLiteral(
        "Select Data Source as 'Manual' to enter value manually, Select 'Batch Processing "
        "Series' to fetch the value from the list of existing Batch Processing Series.");
    Long_SMS_Dlg::defaultInstance()->Open_Long_sms_Dialog();
}
