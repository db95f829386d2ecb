// Where the designer's value comes from: typed, a data series or a column of
// the imported spreadsheet. The choice, the series name and its index go
// into the edited object at once (they stay after Cancel).

#include "barcodes/designer/Barcode_Gen.h"
#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesFiles.h"
#include "dataseries/SeriesListing.h"
#include "dataseries/windows/View_Data_Series.h"
#include "editor/model/SKTGraphic.h"
#include "ui_Barcode_Gen.h"
#include "widgets/DialogOwner.h"
#include "widgets/MainWindowServices.h"

#include <QtDebug>
#include <exception>

namespace {

void emptyCombo(QComboBox& combo) {
    combo.setCurrentIndex(-1);
    combo.clear();
}

// The main window's services, or the same lists read directly when no main
// window is registered (tests, tools).
void fillSeriesNames(QComboBox& combo) {
    if (MainWindowServices* services = MainWindowServices::current()) {
        services->Fill_Data_Set_File_Name_In_Combo(combo);
        return;
    }
    emptyCombo(combo);
    combo.addItems(Get_datasheet_File_Name_Array());
    combo.setCurrentIndex(-1);
}

void fillColumnNames(QComboBox& combo) {
    if (MainWindowServices* services = MainWindowServices::current()) {
        services->Fill_Excel_Col_Name_In_Combo(combo);
        return;
    }
    emptyCombo(combo);
    combo.addItems(Excel_Col_Names());
    combo.setCurrentIndex(-1);
}

QString firstSeriesValue(const QString& name) {
    if (MainWindowServices* services = MainWindowServices::current()) {
        return services->Get_First_Value_Of_Dataset(name);
    }
    return Get_First_Value_Of_Dataset(name);
}

QString firstColumnValue(int column) {
    if (MainWindowServices* services = MainWindowServices::current()) {
        return services->Get_First_Value_Of_Excel_Binding(column);
    }
    return Get_First_Value_Of_Excel_Binding(column);
}

void refreshCanvas() {
    if (MainWindowServices* services = MainWindowServices::current()) {
        services->Refresh_Canvas();
    }
}

// The main window redraws, its current side's canvas starts editing the
// object, and it redraws again.
void showBoundObject(const std::shared_ptr<SKTGraphic>& object) {
    refreshCanvas();
    if (MainWindowServices* services = MainWindowServices::current()) {
        try {
            services->startEditingGraphic(object);
        } catch (const std::exception& error) {
            Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
        }
    }
    refreshCanvas();
}

} // namespace

void Barcode_Gen::View_Data_Series(const QString& file_name) {
    ::View_Data_Series* viewer = ::View_Data_Series::defaultInstance();
    // In front of the designer, the window the user is in.
    dialogs::ownBy(*viewer, defaultInstance());
    viewer->file_name = file_name;
    viewer->Open_Wnd();
}

void Barcode_Gen::fillBatchSeriesForSource(bool withMessage) {
    Ui::Barcode_Gen& ui = *m_ui;
    const QString source = ui.Data_source_type->currentText();
    const bool manual = source == QLatin1String("Manual") || source.isEmpty();
    ui.view_series_btn->setEnabled(!manual);
    ui.Batch_Series->setEnabled(!manual);
    ui.dataText->setReadOnly(!manual);
    ui.dataText_2D->setReadOnly(!manual);
    if (manual) {
        return;
    }
    const SKTGraphic* object = pass_barcode_control.get();
    if (source == QLatin1String("Series")) {
        fillSeriesNames(*ui.Batch_Series);
        if (ui.Batch_Series->count() == 0) {
            if (withMessage) {
                Show_MessageBox(QStringLiteral("Please create batch processing series first."));
            }
            return;
        }
        if (object && !object->batch_list_name.isEmpty()) {
            ui.Batch_Series->setCurrentIndex(ui.Batch_Series->findText(object->batch_list_name));
        }
        return;
    }
    fillColumnNames(*ui.Batch_Series);
    if (object) {
        const int column = object->excel_col_indx;
        ui.Batch_Series->setCurrentIndex(column >= 0 && column < ui.Batch_Series->count() ? column
                                                                                          : -1);
    }
}

void Barcode_Gen::dataSourceChosen() {
    Ui::Barcode_Gen& ui = *m_ui;
    const int source = ui.Data_source_type->currentIndex();
    fillBatchSeriesForSource(true);
    if (source == 1 && ui.Batch_Series->count() == 0) {
        return; // no series: the object keeps its source, no rebuild
    }
    settings.data_source_type = source;
    if (pass_barcode_control) {
        pass_barcode_control->Set_Data_source_type(source);
    }
    goButtonActionPerformed();
}

void Barcode_Gen::batchSeriesChosen() {
    Ui::Barcode_Gen& ui = *m_ui;
    const QString text = Trim_Str(ui.Batch_Series->currentText());
    const int index = ui.Batch_Series->currentIndex();
    if (text.isEmpty() || !pass_barcode_control) {
        return;
    }
    QString value;
    if (ui.Data_source_type->currentIndex() == 2) {
        // A spreadsheet column: the object keeps the column's index.
        pass_barcode_control->Set_Excel_binding_Index(index);
        value = firstColumnValue(index);
    } else {
        pass_barcode_control->Set_Batch_List_Name(text);
        pass_barcode_control->Set_Batch_List_Index(index);
        settings.batch_list_name = text;
        settings.batch_list_index = index;
        value = firstSeriesValue(text);
    }
    if (settings.isTwoDimensional()) {
        settings.two_d_font_val = value;
        m_loading = true;
        ui.dataText_2D->setPlainText(value);
        m_loading = false;
    } else {
        settings.linear_font_val = value;
        ui.dataText->setText(value);
    }
    goButtonActionPerformed();
    showBoundObject(pass_barcode_control);
}

void Barcode_Gen::View_batch_Series_Button() {
    const QString name = Trim_Str(m_ui->Batch_Series->currentText());
    if (name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select the series."));
        return;
    }
    View_Data_Series(name);
}
