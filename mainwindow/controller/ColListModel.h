#pragma once
// The rows of the card-size list table: each row a dictionary, shown in one
// column whose identifier is "Extension". The model holds the rows (the
// controller's ListData); the table shows them after reloadData.

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QVariantMap>

class ColListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ColListModel(QObject* parent = nullptr);

    // The column identifiers, in column order.
    QStringList columnIdentifiers() const { return m_columns; }

    const QList<QVariantMap>& rows() const { return m_rows; }
    // Replaces the rows and shows them.
    void setRows(const QList<QVariantMap>& rows);
    // Appends a row without telling the view (reloadData shows it), as the
    // list is filled row by row and reloaded once.
    void appendRow(const QVariantMap& row) { m_rows.append(row); }
    void clearRows() { m_rows.clear(); }
    void reloadData();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores the value under the column identifier. A row outside the list
    // is refused and logged.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // The same by row number and column identifier (what the table's editing
    // hands over).
    bool setValueForRow(int row, const QString& identifier, const QVariant& value);

private:
    QStringList m_columns;
    QList<QVariantMap> m_rows;
};
