#include "editor/canvas/SKTSelectionHolder.h"

#include "editor/model/SKTDocument.h"

#include <algorithm>

SKTSelectionHolder::SKTSelectionHolder(QObject* parent) : QObject(parent) {}

QList<int> SKTSelectionHolder::normalized(QList<int> indexes) {
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    return indexes;
}

void SKTSelectionHolder::setContent(SKTDocument* document, const QString& key) {
    for (const auto& connection : m_connections) {
        disconnect(connection);
    }
    m_connections.clear();
    m_document = document;
    m_key = key;
    if (document) {
        m_connections.append(connect(document, &SKTDocument::graphicsInserted, this,
                                     [this](const QString& k, const QList<int>& indexes,
                                            const SKTGraphicList&) { listInserted(k, indexes); }));
        m_connections.append(connect(document, &SKTDocument::graphicsRemoved, this,
                                     [this](const QString& k, const QList<int>& indexes,
                                            const SKTGraphicList&) { listRemoved(k, indexes); }));
    }
    replace({}, false);
}

int SKTSelectionHolder::listCount() const {
    if (!m_document) {
        return -1;
    }
    return static_cast<int>(m_document->graphicsForKey(m_key).size());
}

void SKTSelectionHolder::setSelectionIndexes(const QList<int>& indexes) {
    const int count = listCount();
    QList<int> kept;
    for (int index : indexes) {
        if (index >= 0 && (count < 0 || index < count)) {
            kept.append(index);
        }
    }
    replace(normalized(kept), false);
}

void SKTSelectionHolder::replace(const QList<int>& indexes, bool byListChange) {
    if (indexes == m_indexes) {
        return;
    }
    const QList<int> old = m_indexes;
    m_indexes = indexes;
    emit selectionIndexesChanged(old, m_indexes, byListChange);
}

void SKTSelectionHolder::listInserted(const QString& key, const QList<int>& indexes) {
    if (key != m_key || m_indexes.isEmpty()) {
        return;
    }
    // The inserted indexes are those after the insertion: every selected
    // index at or above one of them moves up by one, in ascending order.
    QList<int> moved = m_indexes;
    for (int inserted : normalized(indexes)) {
        for (int& index : moved) {
            if (index >= inserted) {
                ++index;
            }
        }
    }
    replace(moved, true);
}

void SKTSelectionHolder::listRemoved(const QString& key, const QList<int>& indexes) {
    if (key != m_key || m_indexes.isEmpty()) {
        return;
    }
    const QList<int> removed = normalized(indexes);
    QList<int> kept;
    for (int index : m_indexes) {
        if (std::binary_search(removed.begin(), removed.end(), index)) {
            continue;
        }
        const auto below =
            std::lower_bound(removed.begin(), removed.end(), index) - removed.begin();
        kept.append(index - static_cast<int>(below));
    }
    replace(kept, true);
}
