#pragma once
// What the card-size and template windows share: the list of card-size
// presets of the chosen category and the size it shows in the width and
// height controls.

#include <QDialog>
#include <QList>
#include <QVariantMap>

class CardStepper;
class ColListModel;
class QComboBox;
class QLineEdit;
class QTableView;

class CardSizeWindow : public QDialog {
    Q_OBJECT

public:
    explicit CardSizeWindow(QWidget* parent = nullptr);

    // Appends the trimmed text as a row; an empty text adds nothing.
    void Create_List(const QString& text);
    // Selects that row alone.
    void Mark_List_New_Selection(int row);
    // Category chosen: the PVC sizes for item 0, the paper sizes otherwise;
    // row 0 selected and shown.
    void categoryChosen();
    // Row or orientation chosen: the row's width and height (millimetres)
    // in that orientation into the controls.
    void tableViewSelectionDidChange();
    const QList<QVariantMap>& ListData() const;
    ColListModel* ColListData() const { return m_list; }
    // Opens the contact-field dialog of the main window.
    void User_Profile_Click();

protected:
    // The window's controls, given once after setupUi.
    void attachSizeControls(QComboBox* preset, QComboBox* category, CardStepper* width,
                            QLineEdit* widthText, CardStepper* height, QLineEdit* heightText,
                            QTableView* list);
    void colour();

    QComboBox* m_preset = nullptr;
    QComboBox* m_category = nullptr;
    CardStepper* m_width = nullptr;
    QLineEdit* m_widthText = nullptr;
    CardStepper* m_height = nullptr;
    QLineEdit* m_heightText = nullptr;
    QTableView* m_table = nullptr;
    ColListModel* m_list = nullptr;
};
