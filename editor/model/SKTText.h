#pragma once
// The text object. Its text lives in the record's styled text; its look in
// the record's text fields. Drawing and measuring come with the text
// object's own code.

#include "editor/model/SKTGraphic.h"

inline const QString SKTTextContentsKey = QStringLiteral("contents");
inline const QString SKTTextUndoContentsKey = QStringLiteral("undoContents");

class SKTText : public SKTGraphic {
public:
    SKTText() = default;

    QString className() const override { return QStringLiteral("SKTText"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;

    // The record's drawing bounds joined with the bounds grown by 1.
    QRectF drawingBounds() const override;
    bool canSetDrawingStroke() const override { return false; }
    // The record's keys, without "bounds" while the height is being fitted
    // to the text (fitting is not an undoable change).
    QStringList keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString& key) const override;

    // Set while a script changes the text, and while the height is fitted.
    bool _contentsBeingChangedByScripting = false;
    bool _boundsBeingChangedToMatchContents = false;
};
