#include "mainwindow/controller/ColListModel.h"

#include "core/MessageFunctions.h"

ColListModel::ColListModel(QObject* parent)
    : QAbstractTableModel(parent), m_columns{QStringLiteral("Extension")} {}

void ColListModel::setRows(const QList<QVariantMap>& rows) {
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void ColListModel::reloadData() {
    beginResetModel();
    endResetModel();
}

int ColListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ColListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ColListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_columns.size()) {
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    return m_rows[index.row()].value(m_columns[index.column()]);
}

QVariant ColListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns.size()) {
        return m_columns[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ColListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool ColListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() < 0 || index.column() >= m_columns.size()) {
        return false;
    }
    if (!setValueForRow(index.row(), m_columns[index.column()], value)) {
        return false;
    }
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

bool ColListModel::setValueForRow(int row, const QString& identifier, const QVariant& value) {
    if (row < 0 || row >= m_rows.size()) {
        Show_NSLog_Message(
            QStringLiteral("List edit ignored: row %1 is outside the list of %2 rows.")
                .arg(row)
                .arg(m_rows.size()));
        return false;
    }
    m_rows[row].insert(identifier, value);
    return true;
}
