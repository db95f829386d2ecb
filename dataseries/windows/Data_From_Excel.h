#pragma once
// The viewer of the process's imported spreadsheet table.

#include <QDialog>
#include <memory>

namespace Ui {
class Data_From_Excel;
}
class QTableWidget;

class Data_From_Excel : public QDialog {
    Q_OBJECT
public:
    // The one instance of the run (made on first use); also published in
    // Data_From_Excel_Window.
    static Data_From_Excel* defaultInstance();
    // Shows the imported table modally.
    void Open_Wnd();

    explicit Data_From_Excel(QWidget* parent = nullptr);
    ~Data_From_Excel() override;

    // Rebuilds the table's columns and rows from the imported table.
    void Reload_Table();
    QTableWidget* ColList() const;

public slots:
    void OK_Click();

private:
    void cellEdited(int row, int column);

    std::unique_ptr<Ui::Data_From_Excel> ui;
    bool m_filling = false;
};

// The viewer, once made.
inline Data_From_Excel* Data_From_Excel_Window = nullptr;
