// Record binding: which sources a run uses, the batch table and the counts.

#include "core/BatchState.h"
#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "dataseries/BatchTable.h"
#include "dataseries/SeriesInUse.h"
#include "dataseries/SeriesListing.h"
#include "mainwindow/controller/SKTWindowController.h"

#include <QThread>
#include <algorithm>
#include <exception>
#include <typeinfo>

namespace {

bool isEligible(const SKTGraphic& graphic) {
    return Is_Series_Bindable_Class(graphic.className());
}

std::vector<SeriesBoundObject> describe(const SKTGraphicList& graphics) {
    std::vector<SeriesBoundObject> objects;
    objects.reserve(std::size_t(graphics.size()));
    for (const auto& graphic : graphics) {
        if (graphic) {
            objects.push_back(SeriesBoundObject{graphic->className(), graphic->data_source_type,
                                                graphic->batch_list_name});
        }
    }
    return objects;
}

bool twoSides() {
    return CARD_SIDE_STR == QStringLiteral("2");
}

} // namespace

void SKTWindowController::runOnGuiThread(const std::function<void()>& work) {
    auto guarded = [&work] {
        try {
            work();
        } catch (const std::exception& e) {
            Show_NSLog_Message(QString::fromUtf8(e.what()));
        } catch (...) {
            Show_NSLog_Message(QStringLiteral("Unknown error in the record filling."));
        }
    };
    if (QThread::currentThread() == thread()) {
        guarded();
        return;
    }
    QMetaObject::invokeMethod(this, guarded, Qt::BlockingQueuedConnection);
}

void SKTWindowController::showBatchError(const std::exception& e) const {
    Show_MessageBox(QString::fromUtf8(e.what()));
}

QStringList SKTWindowController::Get_datasheet_File_Name_Array() const {
    return ::Get_datasheet_File_Name_Array();
}

bool SKTWindowController::Check_Batch_File_In_Use_Validation(const QString& name) const {
    SeriesBindingSides card;
    card.front = describe(Get_Front_Controls_Array());
    card.back = describe(Get_Back_Controls_Array());
    return ::Check_Batch_File_In_Use_Validation(name, card);
}

// ---- Deciding the sources ----

void SKTWindowController::Check_Series_Or_Excel_Use_or_not() {
    runOnGuiThread([this] {
        Check_Data_Sheet_Value_Use_or_Not();
        Check_Excel_Binding_Value_Use_or_Not();
        Get_total_Card_count();
    });
}

bool SKTWindowController::sideUses(const SKTGraphicList& graphics, int dataSourceType) const {
    return std::any_of(graphics.cbegin(), graphics.cend(), [&](const auto& graphic) {
        return graphic && isEligible(*graphic) && graphic->data_source_type == dataSourceType;
    });
}

bool SKTWindowController::Check_Front_Side_Dataset_Is_Used() const {
    return sideUses(Get_Front_Controls_Array(), 1);
}

bool SKTWindowController::Check_Back_Side_Dataset_Is_Used() const {
    return sideUses(Get_Back_Controls_Array(), 1);
}

bool SKTWindowController::Check_Front_Side_Excel_Binding_Is_Used() const {
    return sideUses(Get_Front_Controls_Array(), 2);
}

bool SKTWindowController::Check_Back_Side_Excel_Binding_Is_Used() const {
    return sideUses(Get_Back_Controls_Array(), 2);
}

void SKTWindowController::Check_Data_Sheet_Value_Use_or_Not() {
    try {
        m_batchTable->clear();
        Use_Data_Sheet_Values = false;
        Use_Data_Sheet_Values =
            Check_Front_Side_Dataset_Is_Used() || (twoSides() && Check_Back_Side_Dataset_Is_Used());
        if (Use_Data_Sheet_Values) {
            Create_Dataset_binding_table();
            Calculate_data_table_rows();
            if (Data_table_rows == 0) {
                Use_Data_Sheet_Values = false;
            }
        }
    } catch (const std::exception& e) {
        showBatchError(e);
    }
}

void SKTWindowController::Check_Excel_Binding_Value_Use_or_Not() {
    try {
        Use_Excel_Binding_Values = false;
        Use_Excel_Binding_Values = Check_Front_Side_Excel_Binding_Is_Used() ||
                                   (twoSides() && Check_Back_Side_Excel_Binding_Is_Used());
        if (Use_Excel_Binding_Values) {
            Calculate_Excel_table_rows();
            if (Excel_table_rows == 0) {
                Use_Excel_Binding_Values = false;
            }
        }
    } catch (const std::exception& e) {
        showBatchError(e);
    }
}

// ---- The batch table ----

void SKTWindowController::Create_Dataset_binding_table() {
    try {
        if (!twoSides() && Get_Front_Controls_Array().isEmpty()) {
            return;
        }
        m_batchTable->reset(Get_datasheet_File_Name_Array());
        auto loadSide = [this](const SKTGraphicList& graphics) {
            for (const auto& graphic : graphics) {
                if (graphic && isEligible(*graphic) && graphic->data_source_type == 1) {
                    Add_dataset_col_in_binding_table(graphic->batch_list_name,
                                                     graphic->batch_list_index);
                }
            }
        };
        loadSide(Get_Front_Controls_Array());
        if (twoSides()) {
            loadSide(Get_Back_Controls_Array());
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void SKTWindowController::Add_dataset_col_in_binding_table(const QString& name, int dataset_index) {
    // The index an object stored when it was bound names a listing position
    // that moves when series are added or removed: the name decides.
    Q_UNUSED(dataset_index);
    m_batchTable->load(name);
}

void SKTWindowController::Calculate_data_table_rows() {
    Data_table_rows = m_batchTable->rowCount();
}

void SKTWindowController::Calculate_Excel_table_rows() {
    Excel_table_rows = Imported_Table_Row_Count();
}

void SKTWindowController::Get_total_Card_count() {
    try {
        if (Use_Data_Sheet_Values) {
            Calculate_data_table_rows();
        } else {
            Data_table_rows = 0;
        }
        if (Use_Excel_Binding_Values) {
            Calculate_Excel_table_rows();
        } else {
            Excel_table_rows = 0;
        }
        Total_Batch_Excel_Card = std::max(Data_table_rows.load(), Excel_table_rows.load());
    } catch (const std::exception& e) {
        showBatchError(e);
    }
}

QString SKTWindowController::Get_sel_row_col_value_of_dataset(int row, int col) const {
    return m_batchTable->value(row, col);
}

QString SKTWindowController::Get_sel_row_col_value_of_Excel(int row, int col) const {
    return Imported_Table_Value(row, col, Excel_table_rows);
}
