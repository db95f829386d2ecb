#include "editor/canvas/SKTMutableGraphics.h"

#include "editor/model/SKTDocument.h"

const SKTGraphicList& SKTMutableGraphics::graphics() const {
    return m_document->graphicsForKey(m_key);
}

bool SKTMutableGraphics::insert(const SKTGraphicList& graphics, const QList<int>& indexes) {
    if (graphics.isEmpty()) {
        return true;
    }
    return m_document->insertGraphicsInList(m_key, graphics, indexes);
}

bool SKTMutableGraphics::insert(const std::shared_ptr<SKTGraphic>& graphic, int index) {
    return insert(SKTGraphicList{graphic}, QList<int>{index});
}

bool SKTMutableGraphics::removeAtIndexes(const QList<int>& indexes) {
    if (indexes.isEmpty()) {
        return true;
    }
    return m_document->removeGraphicsInList(m_key, indexes);
}

bool SKTMutableGraphics::removeAll() {
    QList<int> all;
    for (int i = 0; i < count(); ++i) {
        all.append(i);
    }
    return removeAtIndexes(all);
}

int SKTMutableGraphics::indexOf(const SKTGraphic* graphic) const {
    const SKTGraphicList& list = graphics();
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).get() == graphic) {
            return i;
        }
    }
    return -1;
}
