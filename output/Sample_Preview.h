#pragma once
// The print dialog's live layout preview: the paper at one pixel per point
// with every slot of the grid numbered ("Card N", "Back N", or "Invalid Data"
// without a front picture), outlined while the layout asks for outlines.
// It uses the same geometry as printing.

#include <QImage>
#include <QWidget>

class CardSource;
struct SheetLayout;

class Sample_Preview : public QWidget {
    Q_OBJECT

public:
    explicit Sample_Preview(QWidget* parent = nullptr);

    // What to draw; nothing is drawn while either is missing.
    void setContent(const SheetLayout* layout, CardSource* source);

    // A snapshot of the preview at its own size; null without content.
    QImage imageRepresentation();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const SheetLayout* m_layout = nullptr;
    CardSource* m_source = nullptr;
};
