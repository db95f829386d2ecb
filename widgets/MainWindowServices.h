#pragma once
// What windows of other libraries (the barcode designer, the contact-field
// and series windows) need of the main window controller: the lists of data
// series and spreadsheet columns, their first values and the canvas redraw.
// The controller implements this and registers itself; windows ask
// current() and fall back to plain behaviour when none is registered.

#include <QList>
#include <QSizeF>
#include <QString>
#include <memory>

class ColumnFollowing;
class QComboBox;
class SKTGraphic;
struct LostColumnBinding;
class SKTGraphicView;
class User_Profile_Class;

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

    // Adds the item "Excel" to a combo holding exactly two items / removes it
    // from a combo holding exactly three; otherwise nothing.
    static void Add_Excel_Col_Name_In_Combo(QComboBox& combo);
    static void Remove_Excel_Col_Name_In_Combo(QComboBox& combo);

    // ---- Contact fields (plain defaults, so fakes need not give them) ----
    // The contact-field record (0 front, 1 back, 2 the preview record) and
    // the canvas of a side (0 front, 1 back, 2 temporary); none by default.
    virtual User_Profile_Class* userProfile(int side);
    virtual SKTGraphicView* graphicViewOfSide(int side) const;
    // Chooses the drawing tool (its button shows it); nothing is created.
    virtual void Select_Drawing_Tool(int tool);
    // The object inspector's data-source combo (Data_source_type).
    virtual QComboBox* dataSourceTypeCombo() const;
    // The card size of the front card page record, in points.
    virtual QSizeF frontCardSize() const;
    // 0 when the path names an existing file; otherwise shows "Please select
    // valid file path." and answers 1.
    virtual int Check_And_Validate_File_Path(const QString& path) const;
    // Opens the data series manager.
    virtual void Batch_Series_Button();
    // After an import replaced the imported table: the card's column
    // bindings follow their titles, show row 0 of their column and the
    // inspector's column list and the canvases are refreshed; the bindings
    // whose title the new table lacks are added to `lost`. Nothing by default.
    virtual void Follow_Imported_Columns(const ColumnFollowing& following,
                                         QList<LostColumnBinding>& lost);

    // ---- Barcode designer ----
    // The canvas of the current side (back when Card_Front_Or_Back is 1,
    // else front) starts editing the object; nothing by default.
    virtual void startEditingGraphic(const std::shared_ptr<SKTGraphic>& graphic);

    // The registered controller, or none.
    static MainWindowServices* current();
    static void setCurrent(MainWindowServices* services);
};
