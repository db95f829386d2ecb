#include "drawing_test_support.h"

#include "core/globals.h"
#include "platform/CardUnits.h"
#include "platform/KeyedUnarchiver.h"
#include "tests/common/TestSupport.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <mutex>
#include <stdexcept>

namespace drawingtest {

const char* const kClassNames[] = {"DrawingTestRect", "DrawingTestText", "DrawingTestThrowing"};

QString TestGraphic::className() const {
    return QString::fromLatin1(kClassNames[static_cast<int>(kind)]);
}

void TestGraphic::drawContentsInView(QPainter& painter, bool) {
    if (kind == Kind::Throwing) {
        throw std::runtime_error("object drawing failed");
    }
    if (kind == Kind::Rect) {
        painter.fillRect(bounds(), _fillColor);
        return;
    }
    painter.setFont(CardUnits::fontForPainter(text_ctrl_font, painter));
    painter.setPen(Qt::black);
    painter.drawText(bounds(), Qt::AlignLeft | Qt::AlignTop, Text_Value);
}

namespace {
// Known to the object archive, so pictures can take snapshots of them.
std::shared_ptr<TestGraphic> make(Kind kind, const QRectF& bounds) {
    static std::once_flag once;
    std::call_once(once, [] {
        SKTGraphic::registerArchiveClasses();
        for (Kind k : {Kind::Rect, Kind::Text, Kind::Throwing}) {
            KeyedClassRegistry::registerClass(
                TestGraphic(k).className(),
                [k](const KeyedUnarchiver& coder) -> std::shared_ptr<KeyedArchivable> {
                    auto graphic = std::make_shared<TestGraphic>(k);
                    graphic->initWithCoder(coder);
                    return graphic;
                });
        }
    });
    auto graphic = std::make_shared<TestGraphic>(kind);
    graphic->_bounds = bounds;
    graphic->_isDrawingStroke = false;
    return graphic;
}
} // namespace

std::shared_ptr<TestGraphic> makeRect(const QRectF& bounds, const QColor& color, int print_object) {
    auto graphic = make(Kind::Rect, bounds);
    graphic->_fillColor = color;
    graphic->print_object = print_object;
    return graphic;
}

std::shared_ptr<TestGraphic> makeText(const QRectF& bounds, const QString& text, double points) {
    auto graphic = make(Kind::Text, bounds);
    graphic->Text_Value = text;
    graphic->text_ctrl_font = QFont(QStringLiteral("Liberation Serif"));
    graphic->text_ctrl_font.setPointSizeF(points);
    return graphic;
}

std::shared_ptr<TestGraphic> makeThrowing(const QRectF& bounds) {
    return make(Kind::Throwing, bounds);
}

RenderInputsGuard::RenderInputsGuard(const QSizeF& canvas)
    : m_size(CardRenderInputs::frontCanvasSize()), m_front(CardRenderInputs::pageRecord(0)),
      m_back(CardRenderInputs::pageRecord(1)), m_shape(Card_Shape), m_side(Card_Front_Or_Back) {
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
}

Card_Property filledWith(const QColor& color, const QString& style) {
    Card_Property page;
    page.setCard_fill_chk(true);
    page.setCard_fill_style(style);
    page.setCard_fill_clr(color);
    return page;
}

QRect inkBounds(const QImage& source, int threshold) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) > 128 && qGray(line[x]) < threshold) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

QImage rasterisePdf(const QString& pdftoppm, const QByteArray& pdf, int dpi) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("card.pdf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) {
        return {};
    }
    file.close();
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const auto result = testsupport::runProcess(
        pdftoppm, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), file.fileName(), prefix});
    return result.exitCode == 0 ? QImage(prefix + QStringLiteral(".png")) : QImage();
}

} // namespace drawingtest
