#pragma once
// The selection of one card side: ascending indexes into one of the
// document's object lists. It follows the list's inserts and removals, so
// the same objects stay selected; removed objects leave the selection.
// Indexes outside the list are never taken.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class SKTDocument;

class SKTSelectionHolder : public QObject {
    Q_OBJECT

public:
    explicit SKTSelectionHolder(QObject* parent = nullptr);

    // Follows the list of that key ("graphics", "graphics_back",
    // "graphics_temp"); none: indexes are taken as given. The selection is
    // emptied.
    void setContent(SKTDocument* document, const QString& key);
    SKTDocument* document() const { return m_document; }
    QString key() const { return m_key; }

    QList<int> selectionIndexes() const { return m_indexes; }
    // Sorted, duplicates and indexes outside the list dropped.
    void setSelectionIndexes(const QList<int>& indexes);

    // Ascending and unique.
    static QList<int> normalized(QList<int> indexes);

signals:
    // The selection changed; byListChange when the list's own inserts or
    // removals moved it (the same objects, or fewer of them).
    void selectionIndexesChanged(const QList<int>& oldIndexes, const QList<int>& newIndexes,
                                 bool byListChange);

private:
    void listInserted(const QString& key, const QList<int>& indexes);
    void listRemoved(const QString& key, const QList<int>& indexes);
    int listCount() const;
    void replace(const QList<int>& indexes, bool byListChange);

    QPointer<SKTDocument> m_document;
    QString m_key;
    QList<int> m_indexes;
    QList<QMetaObject::Connection> m_connections;
};
