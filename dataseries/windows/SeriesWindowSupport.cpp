#include "dataseries/windows/SeriesWindowSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <QTableWidget>

namespace serieswindows {

void Apply_Window_Background(QWidget& window) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

void Setup_Table(QTableWidget& table, const QStringList& titles) {
    table.setColumnCount(int(titles.size()));
    table.setHorizontalHeaderLabels(titles);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.horizontalHeader()->setStretchLastSection(true);
    table.verticalHeader()->setVisible(false);
}

void Fill_Single_Column(QTableWidget& table, const QStringList& texts) {
    table.clearContents();
    table.setRowCount(int(texts.size()));
    for (int row = 0; row < texts.size(); ++row) {
        auto* item = new QTableWidgetItem(texts[row]);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        table.setItem(row, 0, item);
    }
}

PleaseWait::PleaseWait() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_shown = true;
    }
}

PleaseWait::~PleaseWait() {
    hide();
}

void PleaseWait::hide() {
    if (m_shown) {
        QApplication::restoreOverrideCursor();
        m_shown = false;
    }
}

} // namespace serieswindows
