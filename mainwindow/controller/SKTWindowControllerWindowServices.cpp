// The services the windows of other libraries reach through
// MainWindowServices: series and spreadsheet-column lists and their first
// values.

#include "core/MessageFunctions.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesFiles.h"
#include "dataseries/SeriesListing.h"
#include "mainwindow/controller/SKTWindowController.h"

#include <QComboBox>
#include <exception>

namespace {

// No item chosen, no text, no items.
void emptyCombo(QComboBox& combo) {
    combo.setCurrentIndex(-1);
    combo.clear();
    if (combo.isEditable()) {
        combo.setEditText(QString());
    }
}

} // namespace

void SKTWindowController::Fill_Data_Set_File_Name_In_Combo(QComboBox& combo) {
    try {
        emptyCombo(combo);
        combo.addItems(Get_datasheet_File_Name_Array());
        combo.setCurrentIndex(-1);
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
    }
}

void SKTWindowController::Fill_Excel_Col_Name_In_Combo(QComboBox& combo) {
    try {
        emptyCombo(combo);
        combo.addItems(Excel_Col_Names());
        combo.setCurrentIndex(-1);
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
    }
}

QString SKTWindowController::Get_First_Value_Of_Dataset(const QString& name) {
    return ::Get_First_Value_Of_Dataset(name);
}

QString SKTWindowController::Get_First_Value_Of_Excel_Binding(int column) {
    return ::Get_First_Value_Of_Excel_Binding(column);
}
