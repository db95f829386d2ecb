#include "editor/model/SKTText.h"

#include <QCoreApplication>
#include <algorithm>

std::shared_ptr<SKTGraphic> SKTText::newOfSameClass() const {
    return std::make_shared<SKTText>();
}

QRectF SKTText::drawingBounds() const {
    const QRectF record = SKTGraphic::drawingBounds();
    const QRectF grown = bounds().adjusted(-1.0, -1.0, 1.0, 1.0);
    const double left = std::min(record.left(), grown.left());
    const double top = std::min(record.top(), grown.top());
    const double right = std::max(record.right(), grown.right());
    const double bottom = std::max(record.bottom(), grown.bottom());
    return QRectF(left, top, right - left, bottom - top);
}

QStringList SKTText::keysForValuesToObserveForUndo() const {
    QStringList keys = SKTGraphic::keysForValuesToObserveForUndo();
    if (_contentsBeingChangedByScripting) {
        keys.append(SKTTextUndoContentsKey);
    }
    if (_boundsBeingChangedToMatchContents) {
        keys.removeAll(SKTGraphicBoundsKey);
    }
    return keys;
}

QString SKTText::presentablePropertyNameForKey(const QString& key) const {
    if (key == SKTTextUndoContentsKey) {
        return QCoreApplication::translate("UndoStrings", "Text");
    }
    return SKTGraphic::presentablePropertyNameForKey(key);
}
