#pragma once
// The text object. Its text lives in the record's styled text; its look in
// the record's text fields: one font, one colour, one alignment, a case and
// a letter spacing for the whole text (the attributes inside the styled
// text are not drawn).

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
    // The record's keys, plus "undoContents" while a script changes the
    // text, without "bounds" while the height is being fitted to the text
    // (fitting is not an undoable change).
    QStringList keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString& key) const override;
    QVariant valueForKey(const QString& key) override;
    bool setValueForKey(const QString& key, const QVariant& value) override;

    // Hidden: nothing. Being created or edited: only a frame around the
    // bounds grown by 1. A text that is empty once trimmed: nothing at all.
    // Otherwise fill ("G" gradient, any other type the plain fill colour),
    // outline, then the text wrapped into the bounds.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

    // The text as drawn (trimmed, before the case change), read without
    // making the styled text.
    QString drawnString() const;

    // The size the drawn text needs at the current width, measured with the
    // drawn string, font, case and letter spacing.
    QSizeF naturalSize() const;
    // Unlocked: the bounds become (x, y, natural width, natural height).
    void makeNaturalSize() override;
    // The height becomes the natural height (x, y and width kept); not an
    // undoable change.
    void setHeightToMatchContents();
    // To be called after every edit of Text_contents (inspector, record
    // filling, scripting): fits the height on the next pass of the GUI
    // thread's event loop, unless a batch is filling the card then.
    void textStorageDidProcessEditing();

    // The object's own styled text (made from Text_Value on first use).
    SKTStyledText& contents() { return Text_contents(); }
    // A copy of the text, and its replacement recorded as the undoable change
    // "Text".
    SKTStyledText undoContents();
    void setUndoContents(const SKTStyledText& text);
    SKTStyledText& scriptingContents() { return Text_contents(); }
    void setScriptingContents(const SKTStyledText& text);
    // A plain string takes the attributes of the text's first character.
    void setScriptingContents(const QString& text);

    // The record's dictionary plus "contents", the plain text.
    QVariantMap properties() override;
    // A "contents" string becomes the text.
    void initWithProperties(const QVariantMap& properties) override;

    // Set while a script changes the text, and while the height is fitted.
    bool _contentsBeingChangedByScripting = false;
    bool _boundsBeingChangedToMatchContents = false;

protected:
    SKTText(const SKTText& other) = default;
    std::shared_ptr<SKTGraphic> copyOfObject() const override;
};
