#include "barcodes/BarcodeLayout.h"

#include "barcodes/BarcodeText.h"
#include "barcodes/NKDBarcode.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

// The geometry below is written in y-up coordinates (origin bottom left), the
// way the barcode's bands stack up from the footer; BarcodeDrawing turns each
// step into Qt's y-down coordinates.

namespace BarcodeLayout {
namespace {

bool isUsableSize(const QSizeF& size) {
    return size.width() > 0 && size.height() > 0 && std::isfinite(size.width()) &&
           std::isfinite(size.height());
}

// Header or footer text: its measured height (kerning 0) gives the rectangle,
// it is drawn with kerning 2.0 and the alignment of its title.
void addBandText(BarcodeDrawing& drawing, const QString& text, double y, const QFont& font,
                 const QColor& color, const QString& alignTitle) {
    if (text.isEmpty()) {
        return;
    }
    const double h = BarcodeText::textSize(text, font, 0.0).height();
    drawing.textInRect(text, 0.0, y, drawing.size().width(), h, alignmentForTitle(alignTitle), font,
                       2.0, color);
}

struct ValueGeometry {
    double yv = 0.0; // bottom of the value texts' line box
    double barWidth = 0.0;
};

void addValueTexts(BarcodeDrawing& drawing, const NKDBarcode& model, const BarcodeStyle& style,
                   const ValueGeometry& geometry) {
    const double W = drawing.size().width();
    const double yv = geometry.yv;
    const double bw = geometry.barWidth;
    const QFont& font = style.value_font;
    const QColor& color = style.bar_val_clr;
    const QString left = model.leftCaption();
    const QString middle = model.caption();
    const QString right = model.rightCaption();
    const double MW = model.width();
    const double fb = model.firstBar();
    const double il = static_cast<double>(model.initiator().size());

    if (!left.isEmpty()) {
        drawing.textAt(left, fb * 0.25 + style.LR_margin, yv + 3.0, font, 0.0, color);
    }
    if (!middle.isEmpty()) {
        const QStringList groups = middle.split(QLatin1Char('\t'));
        if (left.isEmpty() && groups.size() == 1) {
            // One text spread or centred over the whole picture width.
            const QSizeF size = BarcodeText::textSize(middle, font, 0.0);
            const double q = static_cast<double>(middle.size());
            const double k = (MW - size.width()) / (q * 2.0);
            const double kerning = style.kerningValue ? 2.0 * k : 2.0;
            drawing.textInRect(middle, 0.0, yv, W, size.height(), Qt::AlignHCenter, font, kerning,
                               color);
        } else {
            // Each group kerned into a field of its own.
            const double c = static_cast<double>(groups.size());
            const double g =
                groups.size() == 1 ? MW - il * 2.0 * bw - fb * 2.0 : MW / c - il * bw - fb;
            for (qsizetype j = 0; j < groups.size(); ++j) {
                const QString& group = groups[j];
                if (group.isEmpty()) {
                    continue; // nothing to spread (a TAB at an end or two TABs)
                }
                const double w = BarcodeText::textSize(group, font, 0.0).width();
                const double q = static_cast<double>(group.size());
                const double k = (g - w) / (q * 2.0);
                const double x = k * 3.0 + fb + static_cast<double>(j + 1) * il * bw +
                                 static_cast<double>(j) * g + style.LR_margin;
                drawing.textAt(group, x, yv, font, 1.3 * k, color);
            }
        }
    }
    if (!right.isEmpty()) {
        drawing.textAt(right, model.lastBar() + MW * 0.07 + style.LR_margin, yv + 3.0, font, 0.0,
                       color);
    }
}

} // namespace

Qt::Alignment alignmentForTitle(const QString& title) {
    if (title == QLatin1String("Center")) {
        return Qt::AlignHCenter;
    }
    if (title == QLatin1String("Right")) {
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

QSizeF linearFrame(const NKDBarcode& model) {
    const double headerWidth = model.printsHeader() ? model.headerWidth() : 0.0;
    const double footerWidth = model.printsFooter() ? model.footerWidth() : 0.0;
    const double width = std::max({headerWidth, footerWidth, static_cast<double>(model.width())});
    return {width, static_cast<double>(model.height())};
}

std::optional<BarcodeDrawing> layoutBarcode(const NKDBarcode& model) {
    const BarcodeStyle& style = model.style();
    const QSizeF frame = linearFrame(model);
    if (!isUsableSize(frame)) {
        return std::nullopt;
    }
    BarcodeDrawing drawing(frame);
    const double W = frame.width();
    const double H = frame.height();
    drawing.fillRect(0.0, 0.0, W, H, style.bar_back_clr);

    const QString modules = model.completeBarcode();
    const qsizetype n = modules.size();
    const double bw = model.barWidth();
    const double cap = model.printsCaption() ? model.captionHeight() * 72.0 : 0.0;
    const double hdr = model.printsHeader() ? model.headerHeight() * 72.0 : 0.0;
    const double ftr = model.printsFooter() ? model.footerHeight() * 72.0 : 0.0;
    const double TB = style.TB_margin;

    // Bar baseline: above the footer, and above the value text when that
    // goes below the bars.
    const double y0 = style.showInTop ? ftr + style.footer_margin + TB
                                      : cap + ftr + style.value_margin + style.footer_margin + TB;

    // One rectangle per run of bar modules, the symbol centred.
    double x = (W - static_cast<double>(n) * bw) / 2.0;
    int run = 0;
    qsizetype lastBarModule = -1;
    bool inBar = false;
    double lastTop = 0.0;
    auto drawRun = [&] {
        const int index = static_cast<int>(lastBarModule);
        const double top = model.barTop(index);
        const double bottom = model.barBottom(index);
        lastTop = top;
        if (top > bottom) {
            // Each bar spans its own bottom to top above the baseline, so the
            // four bar kinds of the 4-state postal codes stay apart.
            drawing.fillRect(x, y0 + bottom, bw * run, top - bottom, style.barcode_clr);
        }
    };
    for (qsizetype i = 0; i < n; ++i) {
        if (modules[i] == QLatin1Char('1')) {
            inBar = true;
            ++run;
            lastBarModule = i;
            if (i == n - 1) {
                drawRun();
            }
        } else {
            if (inBar) {
                drawRun();
            }
            x += bw * (run + 1);
            run = 0;
            inBar = false;
        }
    }

    if (model.printsCaption()) {
        ValueGeometry geometry;
        geometry.barWidth = bw;
        geometry.yv = style.showInTop
                          ? ftr + style.footer_margin + lastTop + style.value_margin + TB
                          : ftr + style.footer_margin + TB;
        addValueTexts(drawing, model, style, geometry);
    }
    if (model.printsHeader()) {
        addBandText(drawing, model.header(), H - hdr - TB, style.header_font, style.bar_hdr_clr,
                    style.align_hdr);
    }
    if (model.printsFooter()) {
        addBandText(drawing, model.footer(), TB, style.footer_font, style.bar_ftr_clr,
                    style.align_ftr);
    }
    return drawing;
}

std::optional<BarcodeDrawing> layoutBarcodeImage(const CardPicture& picture2D,
                                                 const BarcodeFrame& frame,
                                                 const BarcodeStyle& style) {
    const QSizeF size(frame.width, frame.height);
    if (picture2D.isNull() || !isUsableSize(size)) {
        return std::nullopt;
    }
    BarcodeDrawing drawing(size);
    const double H = size.height();
    const double TB = style.TB_margin;
    drawing.fillRect(0.0, 0.0, size.width(), H, Qt::white);

    double top = H - TB;
    if (frame.printsHeader) {
        top = H - frame.headerHeight * 72.0 - TB;
        addBandText(drawing, frame.header, top, style.header_font, style.bar_hdr_clr,
                    style.align_hdr);
    }
    const QSizeF picture = picture2D.size();
    drawing.picture(picture2D, (size.width() - picture.width()) / 2.0,
                    top - picture.height() - style.header_margin, picture.width(),
                    picture.height());
    if (frame.printsFooter) {
        addBandText(drawing, frame.footer, TB, style.footer_font, style.bar_ftr_clr,
                    style.align_ftr);
    }
    return drawing;
}

} // namespace BarcodeLayout
