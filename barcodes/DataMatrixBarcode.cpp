#include "barcodes/DataMatrixBarcode.h"

#include "barcodes/ModulePicture.h"

#include <QImage>
#include <QtDebug>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <vector>

extern "C" {
#include <iec16022ecc200.h>
}

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// Appends printf-style text and a line break.
__attribute__((format(printf, 2, 3))) void appendLine(QByteArray& out, const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof buffer) {
        out.append(buffer, n);
    } else if (n > 0) {
        // Long values (the barcode data line): format again into a fitting buffer.
        std::vector<char> big(static_cast<std::size_t>(n) + 1);
        va_start(args, format);
        std::vsnprintf(big.data(), big.size(), format, args);
        va_end(args);
        out.append(big.data(), n);
    }
    out += '\n';
}

// Values one byte takes in the C40 (or Text) sets.
int c40Values(unsigned char c, bool text) {
    if (c >= 128) {
        return 2 + c40Values(static_cast<unsigned char>(c - 128), text); // upper shift
    }
    const bool basic = c == ' ' || (c >= '0' && c <= '9') ||
                       (text ? (c >= 'a' && c <= 'z') : (c >= 'A' && c <= 'Z'));
    return basic ? 1 : 2;
}

} // namespace

DataMatrixSize dataMatrixSizeFromTitle(const QString& title) {
    if (title == QLatin1String("Auto")) {
        return {};
    }
    const QString rest = title.mid(1);
    const qsizetype x = rest.indexOf(QLatin1Char('X'));
    if (x < 0) {
        return {};
    }
    return {rest.left(x).trimmed().toInt(), rest.mid(x + 1).trimmed().toInt()};
}

QByteArray dataMatrixEncodingFromTitle(const QString& title, const QByteArray& value) {
    char letter = 0;
    if (title == QLatin1String("Ascii")) {
        letter = 'A';
    } else if (title == QLatin1String("C40")) {
        letter = 'C';
    } else if (title == QLatin1String("Text")) {
        letter = 'T';
    } else if (title == QLatin1String("Base256")) {
        letter = 'B';
    } else {
        return {};
    }
    QByteArray encoding(value.size(), letter);
    if (letter == 'C' || letter == 'T') {
        // A lone value after the last triple makes the library emit a stray
        // character; encode the bytes after the last whole triple in ASCII.
        int total = 0;
        int lastWhole = 0; // bytes covered by whole triples
        for (qsizetype i = 0; i < value.size(); ++i) {
            total += c40Values(static_cast<unsigned char>(value[i]), letter == 'T');
            if (total % 3 == 0) {
                lastWhole = static_cast<int>(i + 1);
            }
        }
        if (total % 3 == 1) {
            for (qsizetype i = lastWhole; i < encoding.size(); ++i) {
                encoding[i] = 'A';
            }
        }
    }
    return encoding;
}

QByteArray makeEPS_Data_Matrix(const QByteArray& value, int W, int H, const unsigned char* grid) {
    if (grid == nullptr || W <= 0 || H <= 0) {
        return {};
    }
    QByteArray eps;
    appendLine(eps, "%%!PS-Adobe-3.0 EPSF-3.0");
    appendLine(eps, "%%%%Creator: IEC16022 barcode/stamp generator");
    appendLine(eps, "%%%%BarcodeData: %s", value.constData());
    appendLine(eps, "%%%%BarcodeSize: %dx%d", W, H);
    appendLine(eps, "%%%%BarcodeFormat: ECC200");
    appendLine(eps, "%%%%DocumentData: Clean7Bit");
    appendLine(eps, "%%%%LanguageLevel: 1");
    appendLine(eps, "%%%%Pages: 1");
    appendLine(eps, "%%%%BoundingBox: 0 0 %d %d", W + 2, H + 2);
    appendLine(eps, "%%%%EndComments");
    appendLine(eps, "%%%%Page: 1 1");
    appendLine(eps, "%d %d 1[1 0 0 1 -1 -1]{<", W, H);
    int counter = 0; // characters since the last line break
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; x += 8) {
            unsigned int byte = 0;
            for (int bit = 0; bit < 8; ++bit) {
                byte <<= 1;
                if (x + bit < W && grid[static_cast<std::size_t>(y) * static_cast<std::size_t>(W) +
                                        static_cast<std::size_t>(x + bit)]) {
                    byte |= 1;
                }
            }
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", byte ^ 0xFFu);
            eps.append(hex, 2);
            counter += 2;
        }
        eps += ' ';
        ++counter;
        if (counter >= 80) {
            eps += '\n';
            counter = 0;
        }
    }
    if (counter != 0) {
        eps += '\n';
    }
    eps += "\n>}image\n";
    return eps;
}

CardPicture dataMatrixPicture(int W, int H, const unsigned char* grid, int moduleSize, int dpi) {
    if (grid == nullptr || W <= 0 || H <= 0 || W > 1000 || H > 1000 || moduleSize <= 0) {
        return {};
    }
    // One unit per module and one light unit around; grid row 0 is the
    // bottom row of the symbol.
    QImage image(W + 2, H + 2, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return {};
    }
    image.fill(Qt::white);
    for (int row = 0; row < H; ++row) {
        for (int x = 0; x < W; ++x) {
            if (grid[static_cast<std::size_t>(row) * static_cast<std::size_t>(W) +
                     static_cast<std::size_t>(x)]) {
                image.setPixel(x + 1, H - row, qRgb(0, 0, 0));
            }
        }
    }
    if (dpi <= 0) {
        return {};
    }
    // Vector modules: sharp at any resolution, in print and in PDF.
    return modulePicture(
        image, QSizeF(static_cast<double>(W) * moduleSize, static_cast<double>(H) * moduleSize));
}

DataMatrixDrawing Draw_DataMatrix_Barcode(const QString& value, const QString& formatTitle,
                                          const QString& encodingTitle, int moduleSize, int dpi) {
    DataMatrixDrawing result;
    try {
        // The library counts bytes: the length and the encodation string
        // follow the UTF-8 bytes, not the characters.
        QByteArray bytes = value.toUtf8();
        const int n = static_cast<int>(bytes.size());
        const DataMatrixSize size = dataMatrixSizeFromTitle(formatTitle);
        QByteArray encoding = dataMatrixEncodingFromTitle(encodingTitle, bytes);
        int width = size.width;
        int height = size.height;
        int encoded = 0, capacity = 0, ecc = 0;
        std::unique_ptr<unsigned char, FreeDeleter> grid;
        auto run = [&](QByteArray& forced) {
            width = size.width;
            height = size.height;
            char* encodingPtr = forced.isEmpty() ? nullptr : forced.data();
            char* const given = encodingPtr;
            grid.reset(iec16022ecc200(&width, &height, &encodingPtr, n,
                                      reinterpret_cast<unsigned char*>(bytes.data()), &encoded,
                                      &capacity, &ecc));
            if (encodingPtr != given) {
                std::free(encodingPtr); // chosen by the library
            }
        };
        if (n > 0 && n <= MAXBARCODE && width >= 0 && height >= 0) {
            run(encoding);
            if (!grid && !encoding.isEmpty() && encoding.front() == 'B') {
                // The library refuses every forced Base256 encodation: its
                // own choice holds the same bytes in a symbol that decodes
                // to the value.
                encoding.clear();
                run(encoding);
            }
            if (!grid && encoding.isEmpty()) {
                // The library's own choice fails on some values with bytes
                // from 0x80 that plain ASCII encodation holds.
                QByteArray ascii(n, 'A');
                run(ascii);
            }
        }
        if (grid && width > 0 && height > 0) {
            result.width = width;
            result.height = height;
            result.eps = makeEPS_Data_Matrix(bytes, width, height, grid.get());
            result.picture = dataMatrixPicture(width, height, grid.get(), moduleSize, dpi);
            return result;
        }
        std::fprintf(stderr, "No barcode produced\n");
        std::printf("Size    : %dx%d\n", width, height);
        std::printf("Encoded : %d of %d bytes with %d bytes of ecc\n", encoded, capacity, ecc);
        std::printf("Barcode : %s\n", bytes.constData());
        std::printf("Encoding: %s\n", encoding.constData());
        std::fflush(stdout);
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
    return {};
}
