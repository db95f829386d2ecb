#include "dataseries/windows/Data_From_Excel.h"

#include "dataseries/ImportedTable.h"
#include "dataseries/windows/SeriesWindowSupport.h"
#include "ui_Data_From_Excel.h"
#include "widgets/AppOwned.h"
#include "widgets/GuiHooks.h"

#include <QHeaderView>

Data_From_Excel::Data_From_Excel(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Data_From_Excel>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    ui->ColList->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->ColList->verticalHeader()->setVisible(false);
    connect(ui->ok_btn, &QPushButton::clicked, this, &Data_From_Excel::OK_Click);
    connect(ui->ColList, &QTableWidget::cellChanged, this, &Data_From_Excel::cellEdited);
    Data_From_Excel_Window = this;
    Reload_Table();
}

Data_From_Excel::~Data_From_Excel() {
    if (Data_From_Excel_Window == this) {
        Data_From_Excel_Window = nullptr;
    }
}

Data_From_Excel* Data_From_Excel::defaultInstance() {
    static QPointer<Data_From_Excel> instance;
    return appOwnedInstance(instance);
}

QTableWidget* Data_From_Excel::ColList() const {
    return ui->ColList;
}

void Data_From_Excel::Reload_Table() {
    const ImportedTable& table = Imported_Table();
    m_filling = true;
    QTableWidget& view = *ui->ColList;
    view.clear();
    QStringList titles{ImportedTable::rowNumberTitle};
    QStringList keys{ImportedTable::rowNumberKey};
    for (const ImportedTableColumn& column : table.columns()) {
        titles.append(column.title);
        keys.append(column.identifier);
    }
    view.setColumnCount(int(titles.size()));
    for (int c = 0; c < titles.size(); ++c) {
        auto* header = new QTableWidgetItem(titles[c]);
        header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setData(Qt::UserRole, keys[c]);
        view.setHorizontalHeaderItem(c, header);
        if (c > 0) {
            view.setColumnWidth(c, 100);
        }
    }
    view.setRowCount(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r) {
        const ImportedTable::Row& row = table.ListData()[r];
        for (int c = 0; c < keys.size(); ++c) {
            auto* item = new QTableWidgetItem(row.value(keys[c]));
            if (c == 0) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            }
            view.setItem(r, c, item);
        }
    }
    ui->rows_count->setText(QString::number(table.rowCount()));
    ui->column_count->setText(QString::number(view.columnCount()));
    m_filling = false;
}

void Data_From_Excel::cellEdited(int row, int column) {
    if (m_filling) {
        return;
    }
    const QTableWidgetItem* header = ui->ColList->horizontalHeaderItem(column);
    const QTableWidgetItem* item = ui->ColList->item(row, column);
    if (header && item) {
        Imported_Table().Set_Value(row, header->data(Qt::UserRole).toString(), item->text());
    }
}

void Data_From_Excel::Open_Wnd() {
    Reload_Table();
    hooks::runModal(*this);
    hide();
}

void Data_From_Excel::OK_Click() {
    done(1);
}
