#pragma once
// What windows of other libraries (the barcode designer, the contact-field
// and series windows) need of the main window controller: the lists of data
// series and spreadsheet columns, their first values and the canvas redraw.
// The controller implements this and registers itself; windows ask
// current() and fall back to plain behaviour when none is registered.

#include <QString>

class QComboBox;

class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;

    // Empties the combo box (no item chosen, no text) and adds the name of
    // every data series.
    virtual void Fill_Data_Set_File_Name_In_Combo(QComboBox& combo) = 0;
    // Empties the combo box and adds the title of every column of the
    // imported table, the row-number column first.
    virtual void Fill_Excel_Col_Name_In_Combo(QComboBox& combo) = 0;
    // The first value of the named series; "" when there is none.
    virtual QString Get_First_Value_Of_Dataset(const QString& name) = 0;
    // Row 0 of the imported table in that column; "" when there is none.
    virtual QString Get_First_Value_Of_Excel_Binding(int column) = 0;
    // Redraws the canvas of the current side.
    virtual void Refresh_Canvas() = 0;

    // The registered controller, or none.
    static MainWindowServices* current();
    static void setCurrent(MainWindowServices* services);
};
