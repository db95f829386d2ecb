#pragma once
// The export window: format (pop-up and the radio matrix that mirrors it),
// resolution, sides, the combined-picture box and the batch boxes. OK ends
// the modal run with 1, Cancel with 0.

#include <QDialog>
#include <QPointer>
#include <memory>

namespace Ui {
class ExportWindow;
}

class ExportWindow : public QDialog {
    Q_OBJECT

public:
    static ExportWindow* defaultInstance();

    explicit ExportWindow(QWidget* parent = nullptr);
    ~ExportWindow() override;

    Ui::ExportWindow* ui() const { return m_ui.get(); }

    // The resets of the export command before the window runs.
    void resetForExport();
    // The chosen resolution in dots per inch (72 when unreadable).
    double chosenDotsPerInch() const;
    // The chosen format's title (the file type the save panel allows).
    QString chosenFormat() const;

    void export_file_type_CellClick(int row);
    void export_card_side_CellClick(int row);
    void exportOkay();
    void exportCancel();

private:
    std::unique_ptr<Ui::ExportWindow> m_ui;
    static QPointer<ExportWindow> DefaultInstance;
};
