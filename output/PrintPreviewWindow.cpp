#include "output/PrintPreviewWindow.h"

#include "output/core/SheetDrawing.h"

#include <QDialogButtonBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

PrintPreviewWindow::PrintPreviewWindow(QPrinter& printer, const SheetLayout& layout,
                                       CardSource& source, QWidget* parent)
    : QDialog(parent), m_layout(layout), m_source(source),
      m_preview(new QPrintPreviewWidget(&printer, this)) {
    setWindowTitle(tr("Print Preview"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(m_preview, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons->button(QDialogButtonBox::Close), &QPushButton::clicked, this,
            [this] { done(0); });
    box->addWidget(buttons);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            &PrintPreviewWindow::paintSheets);
    m_preview->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_preview->fitToWidth();
    resize(720, 820);
}

void PrintPreviewWindow::paintSheets(QPrinter* printer) {
    const sheet::PageCount count = sheet::pagesToDraw(m_layout, true);
    m_drawn = sheet::printSheets(*printer, m_layout, m_source, count.pages);
}
