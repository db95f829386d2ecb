// The property dictionary of an object and the values scripts read and set.

#include "editor/model/SKTDocument.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTLog.h"
#include "platform/RectStrings.h"

#include <QCoreApplication>

namespace {

constexpr int kScriptingRefusal = -10000;

// Texts of refusals, looked up by their English text.
bool refuse(SKTScriptError* error, const char* text) {
    if (error) {
        error->number = kScriptingRefusal;
        error->text = QCoreApplication::translate("SKTGraphic", text);
    }
    return false;
}

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

} // namespace

QVariantMap SKTGraphic::properties() {
    QVariantMap result;
    result.insert(SKTGraphicBoundsKey, RectStrings::fromRect(bounds()));
    result.insert(SKTGraphicDrawingFillKey, isDrawingFill());
    if (const QColor color = fillColor(); color.isValid()) {
        result.insert(SKTGraphicFillColorKey, color);
    }
    result.insert(SKTGraphicDrawingStrokeKey, isDrawingStroke());
    if (const QColor color = strokeColor(); color.isValid()) {
        result.insert(SKTGraphicStrokeColorKey, color);
    }
    result.insert(SKTGraphicStrokeWidthKey, strokeWidth());
    return result;
}

void SKTGraphic::initWithProperties(const QVariantMap& properties) {
    const QVariant boundsValue = properties.value(SKTGraphicBoundsKey);
    if (boundsValue.typeId() == QMetaType::QString) {
        if (auto rect = RectStrings::toRect(boundsValue.toString())) {
            _bounds = *rect;
        }
    }
    if (const QVariant v = properties.value(SKTGraphicDrawingFillKey); isNumber(v)) {
        _isDrawingFill = v.toBool();
    }
    if (const QVariant v = properties.value(SKTGraphicFillColorKey);
        v.typeId() == QMetaType::QColor) {
        _fillColor = v.value<QColor>();
    }
    if (const QVariant v = properties.value(SKTGraphicDrawingStrokeKey); isNumber(v)) {
        _isDrawingStroke = v.toBool();
    }
    if (const QVariant v = properties.value(SKTGraphicStrokeColorKey);
        v.typeId() == QMetaType::QColor) {
        _strokeColor = v.value<QColor>();
    }
    if (const QVariant v = properties.value(SKTGraphicStrokeWidthKey); isNumber(v)) {
        _strokeWidth = v.toDouble();
    }
}

QString SKTGraphic::description() {
    const QVariantMap map = properties();
    QStringList lines;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        QString value;
        if (it.value().typeId() == QMetaType::QColor) {
            const QColor c = it.value().value<QColor>();
            value = QStringLiteral("RGBA %1 %2 %3 %4")
                        .arg(RectStrings::number(c.redF()), RectStrings::number(c.greenF()),
                             RectStrings::number(c.blueF()), RectStrings::number(c.alphaF()));
        } else if (it.value().typeId() == QMetaType::Double) {
            value = RectStrings::number(it.value().toDouble());
        } else if (it.value().typeId() == QMetaType::Bool) {
            value = it.value().toBool() ? QStringLiteral("1") : QStringLiteral("0");
        } else {
            value = QLatin1Char('"') + it.value().toString() + QLatin1Char('"');
        }
        lines << QStringLiteral("    %1 = %2;").arg(it.key(), value);
    }
    return QStringLiteral("{\n") + lines.join(QLatin1Char('\n')) + QStringLiteral("\n}");
}

std::optional<int> SKTGraphic::objectSpecifier() const {
    std::optional<int> index;
    if (_scriptingContainer) {
        index = _scriptingContainer->objectSpecifierForGraphic(this);
    }
    if (!index) {
        SKTLogMessage(QStringLiteral("A scriptable graphic has no scriptable container, or one "
                                     "that doesn't implement -objectSpecifierForGraphic: "
                                     "correctly."));
    }
    return index;
}

QColor SKTGraphic::scriptingFillColor() {
    return isDrawingFill() ? fillColor() : QColor();
}

QColor SKTGraphic::scriptingStrokeColor() {
    return isDrawingStroke() ? strokeColor() : QColor();
}

std::optional<double> SKTGraphic::scriptingStrokeWidth() const {
    if (!isDrawingStroke()) {
        return std::nullopt;
    }
    return strokeWidth();
}

bool SKTGraphic::setScriptingFillColor(const QColor& color, SKTScriptError* error) {
    if (!canSetDrawingFill()) {
        return refuse(error, color.isValid()
                                 ? "You can't set the fill color of this kind of graphic."
                                 : "You can't remove the fill from this kind of graphic.");
    }
    if (color.isValid()) {
        if (!isDrawingFill()) {
            setValueForKey(SKTGraphicDrawingFillKey, true);
        }
        setValueForKey(SKTGraphicFillColorKey, color);
    } else if (isDrawingFill()) {
        setValueForKey(SKTGraphicDrawingFillKey, false);
    }
    return true;
}

bool SKTGraphic::setScriptingStrokeColor(const QColor& color, SKTScriptError* error) {
    if (!canSetDrawingStroke()) {
        return refuse(error, color.isValid()
                                 ? "You can't set the stroke color of this kind of graphic."
                                 : "You can't remove the stroke from this kind of graphic.");
    }
    if (color.isValid()) {
        if (!isDrawingStroke()) {
            setValueForKey(SKTGraphicDrawingStrokeKey, true);
        }
        setValueForKey(SKTGraphicStrokeColorKey, color);
    } else if (isDrawingStroke()) {
        setValueForKey(SKTGraphicDrawingStrokeKey, false);
    }
    return true;
}

bool SKTGraphic::setScriptingStrokeWidth(std::optional<double> width, SKTScriptError* error) {
    if (!canSetDrawingStroke()) {
        return refuse(error, width ? "You can't set the stroke thickness of this kind of graphic."
                                   : "You can't remove the stroke from this kind of graphic.");
    }
    if (width) {
        if (!isDrawingStroke()) {
            setValueForKey(SKTGraphicDrawingStrokeKey, true);
        }
        setValueForKey(SKTGraphicStrokeWidthKey, *width);
    } else if (isDrawingStroke()) {
        setValueForKey(SKTGraphicDrawingStrokeKey, false);
    }
    return true;
}
