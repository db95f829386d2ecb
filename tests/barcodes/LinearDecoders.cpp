#include "LinearDecoders.h"

#include "../common/TestSupport.h"
#include "barcodes/BarcodeRenderer.h"
#include "barcodes/LinearSymbologies.h"
#include "barcodes/NKDBarcode.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace lineardecode {

namespace {

constexpr double kPointsPerCm = 72.0 / 2.54;

// The designer's starting values.
constexpr double kMarginCm = 0.1;
constexpr double kBarHeightCm = 0.6;
constexpr double kBarWidthMils = 20.0;

} // namespace

std::unique_ptr<NKDBarcode> designerModel(const QString& title, const QString& content) {
    auto model = LinearSymbologies::create(title, content, true);
    if (!model || !model->isContentValid()) {
        return nullptr;
    }
    BarcodeStyle style;
    const auto margin = static_cast<float>(kMarginCm * kPointsPerCm);
    style.value_margin = style.header_margin = style.footer_margin = margin;
    style.LR_margin = style.TB_margin = margin;
    model->setStyle(style);

    // In the designer's order: texts and flags, module width, text bands,
    // height, width.
    model->setHeader(QStringLiteral("HEADER"));
    model->setFooter(QStringLiteral("FOOTER"));
    model->setPrintsCaption(true);
    model->setPrintsHeader(true);
    model->setPrintsFooter(true);
    model->setBarWidth(static_cast<float>(kBarWidthMils / 1000.0 * 72.0));
    const float fontSize = static_cast<float>(style.value_font.pointSizeF());
    model->setCaptionFontSize(fontSize);
    model->setHeaderFontSize(fontSize);
    model->setFooterFontSize(fontSize);
    double height = kBarHeightCm * kPointsPerCm;
    if (model->printsCaption()) {
        height += model->captionHeight() * 72.0 + style.value_margin;
    }
    if (model->printsHeader()) {
        height += model->headerHeight() * 72.0 + style.header_margin;
    }
    if (model->printsFooter()) {
        height += model->footerHeight() * 72.0 + style.footer_margin;
    }
    height += 2.0 * style.TB_margin;
    model->setHeight(static_cast<float>(height));
    model->calculateWidth();
    const double widest =
        std::max({static_cast<double>(model->headerWidth()),
                  static_cast<double>(model->footerWidth()), static_cast<double>(model->width())});
    model->setWidth(static_cast<float>(widest + 2.0 * style.LR_margin + 15.0));
    return model;
}

QImage renderedSymbol(const NKDBarcode& model, int dpi, double marginInches) {
    const CardPicture picture = imageFromBarcode(model);
    if (picture.isNull()) {
        return {};
    }
    const QImage symbol = picture.toImage(dpi / 72.0);
    if (symbol.isNull()) {
        return {};
    }
    const int margin = static_cast<int>(std::lround(marginInches * dpi));
    QImage out(symbol.width() + 2 * margin, symbol.height() + 2 * margin, QImage::Format_RGB32);
    out.fill(Qt::white);
    {
        QPainter painter(&out);
        painter.drawImage(margin, margin, symbol);
    }
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    out.setDotsPerMeterX(dotsPerMeter);
    out.setDotsPerMeterY(dotsPerMeter);
    return out;
}

std::optional<QByteArray> zbarRead(const QString& zbarimg, const QString& png) {
    const auto result = testsupport::runProcess(
        zbarimg, {QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("-Supca.enable"),
                  QStringLiteral("-Supce.enable"), QStringLiteral("-Si25.min-length=2"),
                  QStringLiteral("-Scodabar.min-length=1"), png});
    if (!result.started || result.exitCode != 0 || result.out.isEmpty()) {
        return std::nullopt;
    }
    QByteArray data = result.out;
    // zbarimg ends every symbol's data with a newline.
    if (data.endsWith('\n')) {
        data.chop(1);
    }
    return data;
}

std::optional<QByteArray> zxingRead(const QString& zxing, const QString& png,
                                    const QString& format) {
    const auto result = testsupport::runProcess(
        zxing, {QStringLiteral("-bytes"), QStringLiteral("-format"), format, png});
    if (!result.started || result.exitCode != 0 || result.out.isEmpty()) {
        return std::nullopt;
    }
    return result.out;
}

} // namespace lineardecode
