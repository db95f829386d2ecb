#include "dataseries/windows/SeriesWindowSupport.h"

#include "dataseries/windows/SeriesWaitSheet.h"

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

PleaseWait::PleaseWait(QWidget& window) : m_sheet(SeriesWaitSheet::of(window)) {
    show();
}

PleaseWait::~PleaseWait() {
    hide();
}

void PleaseWait::show() {
    if (!m_shown && m_sheet) {
        m_sheet->Show_Create_Modeless();
        m_shown = true;
    }
}

void PleaseWait::hide() {
    if (m_shown && m_sheet) {
        m_sheet->Hide_Destroy_Modeless();
    }
    m_shown = false;
}

std::function<void(bool)> Sheet_While_Writing(QWidget& window) {
    QPointer<SeriesWaitSheet> sheet = SeriesWaitSheet::of(window);
    return [sheet](bool writing) {
        if (!sheet) {
            return;
        }
        if (writing) {
            sheet->Show_Create_Modeless();
        } else {
            sheet->Hide_Destroy_Modeless();
        }
    };
}

} // namespace serieswindows
