#pragma once
// What the two contact-field dialogs share: eleven rows, each with a typed
// value or a binding to a data series or a spreadsheet column, the
// spreadsheet and photo lines, the side and preview pictures, opening,
// validation, commit into the main window's records, preview and the
// buttons. The subclasses bring their own interface file and the parts
// that differ (check boxes, side combos, template picture).

#include "editor/model/SKTGraphic.h"

#include <QDialog>
#include <QString>
#include <array>

class ColumnFollowing;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class User_Profile_Class;

class ContactFieldDialog : public QDialog {
    Q_OBJECT

public:
    struct Row {
        QLineEdit* label = nullptr; // caption field (none for the photo)
        QLineEdit* value = nullptr; // the photo row: image_path_val
        QComboBox* source = nullptr;
        QComboBox* seriesColumn = nullptr;
        QPushButton* view = nullptr;
        QCheckBox* labelChk = nullptr; // card-side dialog only
        QCheckBox* valueChk = nullptr;
        QComboBox* side = nullptr; // dialog without a side only
    };

    // Side code set by the opener: "F", "B" or "".
    QString load_side;
    // Caption of the row that failed validation.
    QString checked_field_name;
    // The objects shown in the side picture (not owned).
    SKTGraphicList Graphics_array;

    // Answers 1 after OK, 0 after Cancel; with load the side's visible
    // contact-field objects fill the rows first.
    int Open_Wnd(bool load);
    virtual void Reset_all_Ctrl();
    bool Check_Validation();
    bool Fill_Front_User_profile_value_in_Variable();
    bool Fill_Back_User_profile_value_in_Variable();
    bool Fill_TEMP_User_profile_value_in_Variable();
    void Set_User_Image(const QString& path);
    void Add_Excel_in_Data_Source_Combo();
    void Remove_Excel_in_Data_Source_Combo();
    void View_Data_Series_By_Name(QComboBox& combo);
    virtual void Create_and_Set_template_picture();
    void Create_and_Set_Preview_picture();

    // Buttons.
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();
    void Reset_Btn_Clicked() { Reset_all_Ctrl(); }
    void Help_Btn_Clicked();
    void Browse_excel_Btn_Clicked();
    void View_Excel_Btn_Clicked();
    void Batch_Series_Btn_Clicked();
    void Browse_image_Btn_Clicked();
    void Clear_image_Btn_Clicked() { Set_User_Image(QString()); }
    void Preview_Btn_Clicked();

    // The source switch and the first value shown, as a user's choice in a
    // row's source or series/column combo runs them.
    void sourceSelectionChanged(int row);
    void seriesSelectionChanged(int row);

    const Row& row(int index) const { return m_rows[static_cast<std::size_t>(index)]; }
    QLineEdit* excelPathField() const { return m_excelPath; }
    QLabel* photoWell() const { return m_photoWell; }
    QLabel* previewPicture() const { return m_preview; }

    // Escape and the window's close button cancel.
    void reject() override { Cancel_Btn_Clicked(); }

protected:
    explicit ContactFieldDialog(QWidget* parent = nullptr);
    // Finds the shared controls by name and connects them; called by the
    // subclass after its interface file is set up.
    void bindControls();
    // Fills the rows from the side's list (load YES).
    void loadSideObjects(bool tickValueBoxes);
    // Side title and Graphics_array from the current side; the side picture.
    void takeCurrentSide();
    static void showPicture(QLabel* label, const SKTGraphicList& graphics);

    std::array<Row, 11> m_rows;
    QLineEdit* m_excelPath = nullptr;
    QLabel* m_photoWell = nullptr;
    QLabel* m_preview = nullptr;
    QPushButton* m_browsePicture = nullptr;
    QPushButton* m_clearPicture = nullptr;

private:
    virtual void prepareOpening(bool load) = 0;
    // After a new workbook: the rows and the card's bindings follow their
    // columns' titles; the ones whose title is gone are told in one message.
    void followImportedColumns(const ColumnFollowing& following);
    // How the message names a row's field ("Name", "Name (back)") and a
    // card object that is not a contact field.
    static QString fieldName(int row, bool back);
    static QString lostObjectName(const QString& className, const QString& shown, int side);
    bool commit(User_Profile_Class* record, bool frontOrBack);
    void placePreviewCopies();
};
