#pragma once
// The bound object list of a canvas as something to change: inserts and
// removals go to the document's list, and through it to the document's undo
// (front list only).

#include "editor/model/SKTGraphic.h"

#include <QList>
#include <QString>

class SKTDocument;

class SKTMutableGraphics {
public:
    SKTMutableGraphics(SKTDocument& document, const QString& key)
        : m_document(&document), m_key(key) {}

    const SKTGraphicList& graphics() const;
    int count() const { return static_cast<int>(graphics().size()); }
    std::shared_ptr<SKTGraphic> at(int index) const { return graphics().at(index); }

    // Indexes are those the objects have afterwards (ascending).
    bool insert(const SKTGraphicList& graphics, const QList<int>& indexes);
    bool insert(const std::shared_ptr<SKTGraphic>& graphic, int index);
    bool removeAtIndexes(const QList<int>& indexes);
    bool removeAt(int index) { return removeAtIndexes({index}); }
    bool removeAll();
    // The object's index (pointer comparison), or -1.
    int indexOf(const SKTGraphic* graphic) const;

    QString key() const { return m_key; }

private:
    SKTDocument* m_document;
    QString m_key;
};
