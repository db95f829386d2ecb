#pragma once
// The viewer of the process's imported spreadsheet table.

#include <QDialog>

class Data_From_Excel : public QDialog {
    Q_OBJECT
public:
    // The one instance of the run (made on first use); also published in
    // Data_From_Excel_Window.
    static Data_From_Excel* defaultInstance();
    // Shows the imported table modally.
    void Open_Wnd();

    explicit Data_From_Excel(QWidget* parent = nullptr);
};

// The viewer, once made.
inline Data_From_Excel* Data_From_Excel_Window = nullptr;
