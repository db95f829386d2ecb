#pragma once
// The print dialog: printer, orientation and page setup, the sides and
// their arrangement, card size, grid, gaps, alignment and number of cards,
// with a live layout preview; it previews or prints the sheets.

#include "output/OutputHost.h"
#include "output/core/SheetLayout.h"

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <array>
#include <memory>

namespace Ui {
class Print_Wnd;
}
class CardStepper;
class QPrinter;
class QToolButton;
class PrintPreviewWindow;

class Print_Wnd : public QDialog {
    Q_OBJECT

public:
    // The one instance (made on first use, on the GUI thread; deleted when
    // the application quits).
    static Print_Wnd* defaultInstance();

    explicit Print_Wnd(QWidget* parent = nullptr);
    ~Print_Wnd() override;

    // Resets the layout, renders the card sides, reads the printers and runs
    // the dialog modally. Answers true when the run ended with 0 or 1.
    bool Open_Print_Wnd();

    void Set_values_From_Printer();
    void Refresh_Preview();
    void Check_Max_Cell_Value();
    void Set_Reset_Alignemnt_Image();
    // Previews (true) or prints (false) the sheets.
    void Execute_Printing(bool preview);

    // The dialog's print settings (printInfo), its layout and widgets, for
    // the page view and for tests.
    QPrinter* printInfo() const { return m_printer.get(); }
    const SheetLayout& layout() const { return m_layout; }
    Ui::Print_Wnd* ui() const { return m_ui.get(); }
    const QImage& lastSnapshot() const { return m_snapshot; }
    CardPicture front_image() const;
    CardPicture back_image() const;
    // The preview window while it runs (for tests).
    PrintPreviewWindow* previewWindow() const { return m_previewWindow; }
    // The alignment pictures, normal and selected, of alignment 1 to 9.
    QIcon alignmentIcon(int alignment, bool selected) const;

    void reject() override;

private:
    void awakeFromNib();
    void connectControls();
    void comboBoxSelectionDidChange(QObject* sender);
    void card_side_CellClick(int row);
    void Show_Margin_Checked();
    void Auto_Center_Checked();
    void alignmentClicked(int alignment);
    void Print_With_Batch_Changed(bool seriesBox);
    void Verify_Card_Count();
    // The total's maximum follows the batch boxes.
    void setTotalMaximum();
    void pagesetup();
    void showValue(CardStepper* stepper, double value);
    CardSource& printSource();

    std::unique_ptr<Ui::Print_Wnd> m_ui;
    std::unique_ptr<QPrinter> m_printer;
    SheetLayout m_layout;
    BatchState m_batch;
    QString card_side_str = QStringLiteral("F");
    bool loading = false;
    std::unique_ptr<DesignCardSource> m_design;
    std::unique_ptr<CardSource> m_batchSource;
    std::array<QToolButton*, 9> m_alignButtons{};
    std::array<QIcon, 9> m_normalIcons;
    std::array<QIcon, 9> m_selectedIcons;
    QImage m_snapshot;
    PrintPreviewWindow* m_previewWindow = nullptr;

    static QPointer<Print_Wnd> Print_DefaultInstance;
};
