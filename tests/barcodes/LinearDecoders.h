#pragma once
// Outside decoders for linear symbols: a symbol built and drawn the way the
// barcode designer does it (the symbology class, the designer's default
// sizes, value text, header and footer, the barcode renderer's picture) is
// rastered into a PNG and read back by zbarimg and ZXingReader.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>

class NKDBarcode;

namespace lineardecode {

// The model of the symbology with that title for the content, set up like
// the designer's defaults: value text under the bars, header "HEADER" and
// footer "FOOTER" printed, 20-mil modules, 0.6 cm bars, 0.1 cm margins,
// "Times New Roman" 10 pt. None when the title is unknown or the content is
// refused.
std::unique_ptr<NKDBarcode> designerModel(const QString& title, const QString& content);

// The renderer's picture of the model rastered at `dpi` onto white with a
// quiet margin of `marginInches` on every side; null when there is none.
QImage renderedSymbol(const NKDBarcode& model, int dpi = 300, double marginInches = 0.2);

// The data zbarimg reads from the picture; none when it reads nothing.
std::optional<QByteArray> zbarRead(const QString& zbarimg, const QString& png);

// The data ZXingReader reads from the picture with the format given (a
// ZXing format name); none when it reads nothing.
std::optional<QByteArray> zxingRead(const QString& zxing, const QString& png,
                                    const QString& format);

} // namespace lineardecode
