#include "editor/model/SKTGraphic.h"

#include "core/globals.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTLog.h"
#include "editor/model/SKTWindowControllerInterface.h"

#include <algorithm>
#include <cmath>

namespace {

QFont timesNewRoman(double points) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(points);
    return font;
}

// The resource folder joined with a file name.
QString resourceFile(const QString& name) {
    if (Resource_Path.isEmpty()) {
        return name;
    }
    if (Resource_Path.endsWith(QLatin1Char('/'))) {
        return Resource_Path + name;
    }
    return Resource_Path + QLatin1Char('/') + name;
}

} // namespace

SKTGraphic::SKTGraphic()
    : _fillColor(Qt::white), _strokeColor(Qt::black), _stroke_border_type(QStringLiteral("S")),
      _fill_type(QStringLiteral("S")), _fill_Grad_clr1(Qt::white), _fill_Grad_clr2(Qt::white),
      _fill_htch_clr(Qt::white), _fill_hatch_type(""), _file_path(resourceFile("no.png")),
      sign_or_fingureprint(QStringLiteral("S")), batch_list_name(""),
      text_ctrl_font(SKTMainWindow::textFont()), txt_clr(SKTMainWindow::textColor()),
      _shape_type(QStringLiteral("R")), linear_font_val(QStringLiteral("0123")),
      two_d_font_val(QStringLiteral("0123")), header_val(QStringLiteral("HEADER")),
      footer_val(QStringLiteral("FOOTER")), value_font_val(timesNewRoman(10.0)),
      header_font_val(timesNewRoman(10.0)), footer_font_val(timesNewRoman(10.0)),
      barcode_hdr_clr_val(Qt::black), barcode_ftr_clr_val(Qt::black),
      barcode_val_clr_val(Qt::black), barcode_back_clr_val(Qt::white), barcode_clr_val(Qt::black),
      dpi_custom_val(QStringLiteral("0")), control_ID(""), Text_Value(QStringLiteral("Text here")) {
}

SKTGraphic::~SKTGraphic() = default;

std::shared_ptr<SKTGraphic> SKTGraphic::newOfSameClass() const {
    return std::make_shared<SKTGraphic>();
}

void SKTGraphic::copyCloneFieldsTo(SKTGraphic& copy) const {
    copy._bounds = _bounds;
    copy._isDrawingFill = _isDrawingFill;
    copy._isDrawingStroke = _isDrawingStroke;
    copy._fillColor = _fillColor;
    copy._strokeColor = _strokeColor;
    copy._strokeWidth = _strokeWidth;
    copy._stroke_border_type = _stroke_border_type;
    copy._fill_type = _fill_type;
    copy._fill_Grad_clr1 = _fill_Grad_clr1;
    copy._fill_Grad_clr2 = _fill_Grad_clr2;
    copy._fill_grad_angle = _fill_grad_angle;
    copy._fill_htch_clr = _fill_htch_clr;
    copy._fill_hatch_type = _fill_hatch_type;
}

std::shared_ptr<SKTGraphic> SKTGraphic::clone() const {
    auto copy = newOfSameClass();
    copyCloneFieldsTo(*copy);
    return copy;
}

std::shared_ptr<SKTGraphic> SKTGraphic::snapshot() const {
    std::shared_ptr<SKTGraphic> copy = copyOfObject();
    copy->_scriptingContainer = nullptr;
    return copy;
}

std::shared_ptr<SKTGraphic> SKTGraphic::copyOfObject() const {
    return std::shared_ptr<SKTGraphic>(new SKTGraphic(*this));
}

// ---- Change reports ----

SKTGraphic::ChangeScope::ChangeScope(SKTGraphic& graphic) : m_graphic(graphic) {
    if (graphic.m_link.changeDepth++ == 0 && graphic.m_link.owner) {
        m_document = graphic.m_link.owner;
        m_change = m_document->graphicWillChange(graphic);
    }
}

SKTGraphic::ChangeScope::~ChangeScope() {
    --m_graphic.m_link.changeDepth;
    if (m_document) {
        m_document->graphicDidChange(m_graphic, std::move(m_change));
    }
}

void SKTGraphic::setBounds(const QRectF& bounds) {
    ChangeScope scope(*this);
    _bounds = bounds;
}

void SKTGraphic::setDrawingFill(bool flag) {
    ChangeScope scope(*this);
    _isDrawingFill = flag;
}

void SKTGraphic::setFillColor(const QColor& color) {
    ChangeScope scope(*this);
    _fillColor = color;
}

void SKTGraphic::setDrawingStroke(bool flag) {
    ChangeScope scope(*this);
    _isDrawingStroke = flag;
}

void SKTGraphic::setStrokeColor(const QColor& color) {
    ChangeScope scope(*this);
    _strokeColor = color;
}

void SKTGraphic::setStrokeWidth(double width) {
    ChangeScope scope(*this);
    _strokeWidth = width;
}

// ---- Colours with opacity ----

QColor SKTGraphic::applyOpacity(QColor& stored, float opacity) {
    if (!stored.isValid()) {
        return stored;
    }
    double alpha = std::isnan(opacity) ? 0.0 : std::clamp(static_cast<double>(opacity), 0.0, 1.0);
    stored.setAlphaF(static_cast<float>(alpha));
    return stored;
}

QColor SKTGraphic::fillColor() {
    return applyOpacity(_fillColor, alpha_val);
}
QColor SKTGraphic::strokeColor() {
    return applyOpacity(_strokeColor, alpha_val_stroke);
}
QColor SKTGraphic::fill_hatch_bk_clr() {
    return applyOpacity(_fill_htch_clr, alpha_val);
}
QColor SKTGraphic::fill_Grad_clr1() {
    return applyOpacity(_fill_Grad_clr1, alpha_val);
}
QColor SKTGraphic::fill_Grad_clr2() {
    return applyOpacity(_fill_Grad_clr2, alpha_val);
}

SKTStyledText& SKTGraphic::Text_contents() {
    if (!_Text_contents) {
        // Text_Ctrl_Font ("Times New Roman") at 14 points, black.
        _Text_contents.emplace(Text_Value, SKTStyledText::defaultFont(), QColor(Qt::black));
    }
    return *_Text_contents;
}

// ---- Geometry ----

void SKTGraphic::setXPosition(double x) {
    QRectF b = bounds();
    b.moveLeft(x);
    setBounds(b);
}

void SKTGraphic::setYPosition(double y) {
    QRectF b = bounds();
    b.moveTop(y);
    setBounds(b);
}

void SKTGraphic::setWidth(double width) {
    QRectF b = bounds();
    b.setWidth(width);
    setBounds(b);
}

void SKTGraphic::setHeight(double height) {
    QRectF b = bounds();
    b.setHeight(height);
    setBounds(b);
}

QRectF SKTGraphic::drawingBounds() const {
    double outset = SKTGraphicHandleHalfWidth;
    if (isDrawingStroke()) {
        outset = std::max(outset, strokeWidth() / 2.0);
    }
    QRectF b = bounds().adjusted(-outset, -outset, outset, outset);
    b.setWidth(b.width() + 1.0);
    b.setHeight(b.height() + 1.0);
    return b;
}

bool SKTGraphic::canMakeNaturalSize() const {
    return _bounds.width() != _bounds.height();
}

void SKTGraphic::makeNaturalSize() {
    QRectF b = bounds();
    double side = std::min(b.width(), b.height());
    b.setSize(QSizeF(side, side));
    setBounds(b);
}

// ---- Drawing contract ----

void SKTGraphic::drawContentsInView(QPainter&, bool) {}

QPainterPath SKTGraphic::bezierPathForDrawing() const {
    SKTLogMessage(className() + QStringLiteral(": Neither -drawContentsInView: nor "
                                               "-bezierPathForDrawing has been overridden."));
    return QPainterPath();
}

void SKTGraphic::setColor(const QColor& color) {
    if (!canSetDrawingFill()) {
        return;
    }
    if (!isDrawingFill()) {
        setValueForKey(SKTGraphicDrawingFillKey, true);
    }
    setValueForKey(SKTGraphicFillColorKey, color);
}

// ---- Keys ----

QStringList SKTGraphic::keysForValuesToObserveForUndo() const {
    return {SKTGraphicDrawingFillKey, SKTGraphicFillColorKey,   SKTGraphicDrawingStrokeKey,
            SKTGraphicStrokeColorKey, SKTGraphicStrokeWidthKey, SKTGraphicBoundsKey};
}

QString SKTGraphic::presentablePropertyNameForKey(const QString&) const {
    return QString("");
}

QVariant SKTGraphic::valueForKey(const QString& key) {
    if (key == SKTGraphicBoundsKey) {
        return bounds();
    }
    if (key == SKTGraphicDrawingFillKey) {
        return isDrawingFill();
    }
    if (key == SKTGraphicFillColorKey) {
        return fillColor();
    }
    if (key == SKTGraphicDrawingStrokeKey) {
        return isDrawingStroke();
    }
    if (key == SKTGraphicStrokeColorKey) {
        return strokeColor();
    }
    if (key == SKTGraphicStrokeWidthKey) {
        return strokeWidth();
    }
    if (key == SKTGraphicXPositionKey) {
        return xPosition();
    }
    if (key == SKTGraphicYPositionKey) {
        return yPosition();
    }
    if (key == SKTGraphicWidthKey) {
        return width();
    }
    if (key == SKTGraphicHeightKey) {
        return height();
    }
    if (key == SKTGraphicDrawingBoundsKey) {
        return drawingBounds();
    }
    return QVariant();
}

namespace {

std::optional<double> toDouble(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toDouble();
    default:
        return std::nullopt;
    }
}

} // namespace

bool SKTGraphic::setValueForKey(const QString& key, const QVariant& value) {
    if (key == SKTGraphicBoundsKey && value.typeId() == QMetaType::QRectF) {
        setBounds(value.toRectF());
        return true;
    }
    if ((key == SKTGraphicDrawingFillKey || key == SKTGraphicDrawingStrokeKey) &&
        (value.typeId() == QMetaType::Bool || toDouble(value))) {
        key == SKTGraphicDrawingFillKey ? setDrawingFill(value.toBool())
                                        : setDrawingStroke(value.toBool());
        return true;
    }
    if ((key == SKTGraphicFillColorKey || key == SKTGraphicStrokeColorKey) &&
        (value.typeId() == QMetaType::QColor || value.isNull())) {
        QColor color = value.typeId() == QMetaType::QColor ? value.value<QColor>() : QColor();
        key == SKTGraphicFillColorKey ? setFillColor(color) : setStrokeColor(color);
        return true;
    }
    const auto number = toDouble(value);
    if (!number) {
        return false;
    }
    if (key == SKTGraphicStrokeWidthKey) {
        setStrokeWidth(*number);
    } else if (key == SKTGraphicXPositionKey) {
        setXPosition(*number);
    } else if (key == SKTGraphicYPositionKey) {
        setYPosition(*number);
    } else if (key == SKTGraphicWidthKey) {
        setWidth(*number);
    } else if (key == SKTGraphicHeightKey) {
        setHeight(*number);
    } else {
        return false;
    }
    return true;
}
