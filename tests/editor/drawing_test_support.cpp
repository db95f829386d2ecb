#include "drawing_test_support.h"

#include "mainwindow/core/globals.h"
#include "platform/CardUnits.h"
#include "platform/KeyedUnarchiver.h"

#include <QDir>
#include <QPainter>
#include <mutex>
#include <stdexcept>

namespace drawingtest {

std::shared_ptr<SKTGraphic> RectGraphic::newOfSameClass() const {
    return std::make_shared<RectGraphic>();
}

void RectGraphic::drawContentsInView(QPainter& painter, bool) {
    painter.fillRect(bounds(), _fillColor);
}

std::shared_ptr<SKTGraphic> TextGraphic::newOfSameClass() const {
    return std::make_shared<TextGraphic>();
}

void TextGraphic::drawContentsInView(QPainter& painter, bool) {
    painter.setFont(CardUnits::fontForPainter(text_ctrl_font, painter));
    painter.setPen(Qt::black);
    painter.drawText(bounds(), Qt::AlignLeft | Qt::AlignTop, Text_Value);
}

std::shared_ptr<SKTGraphic> ThrowingGraphic::newOfSameClass() const {
    return std::make_shared<ThrowingGraphic>();
}

void ThrowingGraphic::drawContentsInView(QPainter&, bool) {
    throw std::runtime_error("object drawing failed");
}

namespace {
template <typename T> void registerOne() {
    KeyedClassRegistry::registerClass(
        T().className(), [](const KeyedUnarchiver& coder) -> std::shared_ptr<KeyedArchivable> {
            auto graphic = std::make_shared<T>();
            graphic->initWithCoder(coder);
            return graphic;
        });
}
} // namespace

void registerTestGraphics() {
    static std::once_flag once;
    std::call_once(once, [] {
        SKTGraphic::registerArchiveClasses();
        registerOne<RectGraphic>();
        registerOne<TextGraphic>();
        registerOne<ThrowingGraphic>();
    });
}

std::shared_ptr<RectGraphic> makeRect(const QRectF& bounds, const QColor& color, int print_object) {
    registerTestGraphics();
    auto graphic = std::make_shared<RectGraphic>();
    graphic->_bounds = bounds;
    graphic->_fillColor = color;
    graphic->_isDrawingStroke = false;
    graphic->print_object = print_object;
    return graphic;
}

std::shared_ptr<TextGraphic> makeText(const QRectF& bounds, const QString& text, double pointSize) {
    registerTestGraphics();
    auto graphic = std::make_shared<TextGraphic>();
    graphic->_bounds = bounds;
    graphic->Text_Value = text;
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(pointSize);
    graphic->text_ctrl_font = font;
    graphic->_isDrawingStroke = false;
    return graphic;
}

RenderInputsGuard::RenderInputsGuard(const QSizeF& canvas)
    : m_size(CardRenderInputs::frontCanvasSize()), m_front(CardRenderInputs::pageRecord(0)),
      m_back(CardRenderInputs::pageRecord(1)), m_shape(Card_Shape.load()),
      m_side(Card_Front_Or_Back.load()), m_resources(Resource_Path) {
    CardRenderInputs::setFrontCanvasSize(canvas);
    CardRenderInputs::setPageRecord(0, Card_Property());
    CardRenderInputs::setPageRecord(1, Card_Property());
    Card_Shape = 0;
    Card_Front_Or_Back = 0;
}

RenderInputsGuard::~RenderInputsGuard() {
    CardRenderInputs::setFrontCanvasSize(m_size);
    CardRenderInputs::setPageRecord(0, m_front);
    CardRenderInputs::setPageRecord(1, m_back);
    Card_Shape = m_shape;
    Card_Front_Or_Back = m_side;
    Resource_Path = m_resources;
}

QImage whiteRaster(const QSizeF& points, double scale) {
    QImage image = CardUnits::makeRaster(points, scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

QRect inkBounds(const QImage& source, int threshold) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    int left = image.width();
    int top = image.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) > 128 && qGray(line[x]) < threshold) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return {};
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance &&
           std::abs(a.alpha() - b.alpha()) <= tolerance;
}

void writeHatchPattern(const QTemporaryDir& resources, const QString& name, int size) {
    QDir(resources.path()).mkpath(QStringLiteral("Fill_Style_Image"));
    QImage pattern(size, size, QImage::Format_ARGB32);
    pattern.fill(Qt::white);
    pattern.setPixelColor(0, 0, Qt::black);
    pattern.save(
        QDir(resources.path())
            .filePath(QStringLiteral("Fill_Style_Image/") + name + QStringLiteral(".png")));
}

} // namespace drawingtest
