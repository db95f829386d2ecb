#include "editor/model/SKTText.h"

#include "core/StringFunctions.h"
#include "core/globals.h"
#include "editor/model/ObjectDrawing.h"
#include "editor/model/TextDrawing.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPainter>
#include <algorithm>

namespace {

// The frame shown while a text object is being created or edited.
const QColor kKnobColor(0x7f, 0x7f, 0x7f);

TextDrawing::Style styleOf(const SKTText& text) {
    TextDrawing::Style style;
    style.font = text.Text_Font_value();
    style.color = text.Text_Color_Value();
    style.alignment = text.text_alignmnet;
    style.textCase = text.text_transfrom_case;
    style.kerning = text.text_kerning;
    return style;
}

} // namespace

std::shared_ptr<SKTGraphic> SKTText::newOfSameClass() const {
    return std::make_shared<SKTText>();
}

std::shared_ptr<SKTGraphic> SKTText::copyOfObject() const {
    return std::shared_ptr<SKTGraphic>(new SKTText(*this));
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

QVariant SKTText::valueForKey(const QString& key) {
    if (key == SKTTextUndoContentsKey) {
        return QVariant::fromValue(undoContents());
    }
    return SKTGraphic::valueForKey(key);
}

bool SKTText::setValueForKey(const QString& key, const QVariant& value) {
    if (key == SKTTextUndoContentsKey) {
        if (value.metaType() == QMetaType::fromType<SKTStyledText>()) {
            setUndoContents(value.value<SKTStyledText>());
            return true;
        }
        if (value.typeId() == QMetaType::QString) {
            setScriptingContents(value.toString());
            return true;
        }
        return false;
    }
    return SKTGraphic::setValueForKey(key, value);
}

// ---- Drawing ----

QString SKTText::drawnString() const {
    return Trim_Str(_Text_contents ? _Text_contents->string() : Text_Value);
}

void SKTText::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) {
    if (!ctrl_is_visible) {
        return;
    }
    const QRectF rect = bounds();
    if (isBeingCreateOrEdited) {
        QPen pen(kKnobColor);
        pen.setCosmetic(true);
        painter.save();
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(-1.0, -1.0, 1.0, 1.0));
        painter.restore();
        return;
    }
    const QString text = drawnString();
    if (text.isEmpty()) {
        return;
    }
    QPainterPath path;
    path.addRect(rect);
    if (isDrawingFill()) {
        // Text objects have no hatch fill: "H" is drawn plain.
        ObjectDrawing::fillPath(painter, *this, path, ObjectDrawing::FillKinds::GradientOrPlain);
    }
    if (isDrawingStroke()) {
        ObjectDrawing::strokePath(painter, *this, path);
    }
    TextDrawing::draw(painter, text, styleOf(*this), rect);
}

// ---- Size ----

QSizeF SKTText::naturalSize() const {
    return TextDrawing::measure(drawnString(), styleOf(*this), bounds().width());
}

void SKTText::makeNaturalSize() {
    if (ctrl_is_locked) {
        return;
    }
    const QSizeF size = naturalSize();
    setBounds(QRectF(bounds().topLeft(), size));
}

void SKTText::setHeightToMatchContents() {
    const QSizeF size = naturalSize();
    QRectF b = bounds();
    b.setHeight(size.height());
    _boundsBeingChangedToMatchContents = true;
    setBounds(b);
    _boundsBeingChangedToMatchContents = false;
}

void SKTText::textStorageDidProcessEditing() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        return;
    }
    std::weak_ptr<SKTGraphic> weak = weak_from_this();
    if (weak.expired()) {
        return;
    }
    // Queued, so it runs on the GUI thread after the edit that asked.
    QMetaObject::invokeMethod(
        app,
        [weak] {
            if (Card_Value_In_Process) {
                return;
            }
            if (auto strong = weak.lock()) {
                static_cast<SKTText*>(strong.get())->setHeightToMatchContents();
            }
        },
        Qt::QueuedConnection);
}

// ---- Text changes ----

SKTStyledText SKTText::undoContents() {
    return Text_contents();
}

void SKTText::setUndoContents(const SKTStyledText& text) {
    setScriptingContents(text);
}

void SKTText::setScriptingContents(const SKTStyledText& text) {
    _contentsBeingChangedByScripting = true;
    {
        ChangeScope scope(*this);
        Text_contents() = text;
    }
    _contentsBeingChangedByScripting = false;
    textStorageDidProcessEditing();
}

void SKTText::setScriptingContents(const QString& text) {
    SKTStyledText styled = Text_contents();
    styled.setString(text);
    setScriptingContents(styled);
}

// ---- Property dictionary ----

QVariantMap SKTText::properties() {
    QVariantMap result = SKTGraphic::properties();
    result.insert(SKTTextContentsKey, Text_contents().string());
    return result;
}

void SKTText::initWithProperties(const QVariantMap& properties) {
    SKTGraphic::initWithProperties(properties);
    const QVariant contents = properties.value(SKTTextContentsKey);
    if (contents.typeId() == QMetaType::QString) {
        Text_contents().setString(contents.toString());
    }
}
