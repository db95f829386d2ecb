#pragma once
// The modal window that previews the sheets a print would give, around
// Qt's print preview widget. It shows at most the preview's sheet limit
// and offers no print action.

#include <QDialog>

class CardSource;
class QPrinter;
class QPrintPreviewWidget;
struct SheetLayout;

class PrintPreviewWindow : public QDialog {
    Q_OBJECT

public:
    PrintPreviewWindow(QPrinter& printer, const SheetLayout& layout, CardSource& source,
                       QWidget* parent = nullptr);

    QPrintPreviewWidget* previewWidget() const { return m_preview; }
    // Sheets drawn by the last rendering of the preview.
    long long sheetsDrawn() const { return m_drawn; }

private:
    void paintSheets(QPrinter* printer);

    const SheetLayout& m_layout;
    CardSource& m_source;
    QPrintPreviewWidget* m_preview;
    long long m_drawn = 0;
};
