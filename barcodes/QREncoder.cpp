#include "barcodes/QREncoder.h"

#include "barcodes/BarcodeGlobals.h"
#include "barcodes/CQR_Encode.h"
#include "barcodes/ModulePicture.h"
#include "barcodes/QrTables.h"

#include <QtDebug>
#include <cmath>
#include <cstring>
#include <exception>

std::unique_ptr<DataMatrix> QREncoder::encodeWithECLevel(int level, int version,
                                                         const QString& string) {
    try {
        const QByteArray bytes = string.toUtf8();
        return encodeBytes(level, version, bytes.constData(), false);
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
        return nullptr;
    }
}

std::unique_ptr<DataMatrix> QREncoder::encodeCStringWithECLevel(int level, int version,
                                                                const char* cstring) {
    return encodeBytes(level, version, cstring, true);
}

std::unique_ptr<DataMatrix> QREncoder::encodeBytes(int level, int version, const char* cstring,
                                                   bool kanjiAllowed) {
    try {
        if (cstring == nullptr || level < 0 || level > 3 || version < 0 ||
            version > qr::kMaxVersion) {
            return nullptr;
        }
        const std::size_t length = std::strlen(cstring);
        if (length == 0 || length > (1u << 24)) {
            return nullptr;
        }
        const int n = static_cast<int>(length);
        // With the automatic version the largest symbol bounds the value; the
        // version search then picks the smallest that holds it.
        const int v = version == 0 ? qr::kMaxVersion : version;
        const auto index = static_cast<std::size_t>((v - 1) * 4 + level);
        std::int64_t capacity = 0;
        switch (CQR_Encode::Get_Encoding_Mode(cstring, n, kanjiAllowed)) {
        case qr::ModeNumeric:
            capacity = qr::QR_Numric_size_array[index];
            break;
        case qr::ModeAlphanumeric:
            capacity = qr::QR_AlphaNumric_size_array[index];
            break;
        case qr::ModeKanji:
            capacity = qr::QR_Kanji_size_array[index];
            break;
        default:
            capacity = qr::QR_8_BIT_size_array[index];
            break;
        }
        if (n > capacity) {
            return nullptr;
        }
        // The encoder's buffers are large; keep them off the caller's stack.
        auto encoder = std::make_unique<CQR_Encode>();
        encoder->setKanjiAllowed(kanjiAllowed);
        if (!encoder->EncodeData(level, version, true, -1, cstring, n)) {
            return nullptr;
        }
        const int size = encoder->symbolSize();
        auto matrix = std::make_unique<DataMatrix>(size);
        for (int x = 0; x < size; ++x) {
            for (int y = 0; y < size; ++y) {
                matrix->set(x, y, encoder->module(x, y) ? 1 : 0);
            }
        }
        return matrix;
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
        return nullptr;
    }
}

QImage QREncoder::rasterOf(const DataMatrix& matrix, int imageDimension) {
    const int n = matrix.dimension();
    if (n <= 0) {
        return {};
    }
    const int side = std::max(imageDimension, n);
    const int p = side / n;
    const int offset = (side - p * n) / 2;
    QImage image(side, side, QImage::Format_RGBA8888);
    if (image.isNull()) {
        return {};
    }
    image.fill(QColor(255, 255, 255, 0));
    const QRgb black = qRgba(0, 0, 0, 255);
    const QRgb white = qRgba(255, 255, 255, 255);
    for (int y = 0; y < n; ++y) {
        for (int py = 0; py < p; ++py) {
            auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(offset + y * p + py));
            for (int x = 0; x < n; ++x) {
                // Format_RGBA8888 stores bytes R, G, B, A in memory order.
                const QRgb colour = matrix.valueAt(x, y) ? black : white;
                const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(qRed(colour)),
                                               static_cast<std::uint8_t>(qGreen(colour)),
                                               static_cast<std::uint8_t>(qBlue(colour)),
                                               static_cast<std::uint8_t>(qAlpha(colour))};
                std::uint32_t pixel = 0;
                std::memcpy(&pixel, bytes, 4);
                for (int px = 0; px < p; ++px) {
                    line[offset + x * p + px] = pixel;
                }
            }
        }
    }
    return image;
}

CardPicture QREncoder::renderDataMatrix(const DataMatrix* matrix, int imageDimension) {
    try {
        if (matrix == nullptr || matrix->dimension() <= 0) {
            return {};
        }
        // Refuse sides whose rasters could not sensibly be held in memory.
        const double side = std::max(imageDimension, matrix->dimension());
        if (USED_DPI_VALUE.load() <= 0) {
            qWarning("Invalid image");
            return {};
        }
        const double dpi = USED_DPI_VALUE.load();
        const double out = std::ceil(dpi * side / 72.0);
        if (side * side > 400e6 || out * out > 400e6) {
            qWarning("Invalid image");
            return {};
        }
        const QImage image = rasterOf(*matrix, imageDimension);
        if (image.isNull()) {
            return {};
        }
        // Vector modules: sharp at any resolution, in print and in PDF.
        return modulePicture(image, QSizeF(image.width(), image.height()));
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
        return {};
    }
}
