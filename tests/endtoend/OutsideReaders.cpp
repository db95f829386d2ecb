#include "OutsideReaders.h"

#include "../common/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace outside {

QList<Symbol> zbarSymbols(const QString& zbarimg, const QString& png) {
    const auto result = testsupport::runProcess(zbarimg, {QStringLiteral("-q"), png});
    QList<Symbol> symbols;
    // One line per symbol: "FORMAT:data". Exit code 4 means none found.
    for (const QByteArray& line : result.out.split('\n')) {
        const int colon = line.indexOf(':');
        if (colon > 0) {
            symbols.append(
                {QString::fromUtf8(line.left(colon)), QString::fromUtf8(line.mid(colon + 1))});
        }
    }
    return symbols;
}

std::optional<QString> zxingSymbol(const QString& zxing, const QString& png,
                                   const QString& format) {
    // The picture at its own size: ZXingReader 1.4 also tries smaller
    // copies first, and then misses a Code 128 that it reads at full size.
    const auto result =
        testsupport::runProcess(zxing, {QStringLiteral("-noscale"), QStringLiteral("-bytes"),
                                        QStringLiteral("-format"), format, png});
    if (!result.started || result.exitCode != 0 || result.out.isEmpty()) {
        return std::nullopt;
    }
    return QString::fromUtf8(result.out);
}

std::optional<PdfInfo> pdfInfo(const QString& pdfinfo, const QString& pdf) {
    const auto result = testsupport::runProcess(pdfinfo, {pdf});
    if (result.exitCode != 0) {
        return std::nullopt;
    }
    const QString text = QString::fromUtf8(result.out);
    PdfInfo info;
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text);
    const auto size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(text);
    if (!pages.hasMatch() || !size.hasMatch()) {
        return std::nullopt;
    }
    info.pages = pages.captured(1).toInt();
    info.pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    return info;
}

QString rasterPage(const QString& pdftoppm, const QString& pdf, int dpi, const QString& base) {
    const auto result = testsupport::runProcess(
        pdftoppm, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"),
                   QStringLiteral("-l"), QStringLiteral("1"), pdf, base});
    const QString png = base + QStringLiteral(".png");
    return result.exitCode == 0 && QFileInfo::exists(png) ? png : QString();
}

QList<Word> pdfWords(const QString& pdftotext, const QString& pdf) {
    const auto result =
        testsupport::runProcess(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QList<Word> words;
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(QString::fromUtf8(result.out)); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        QString text = m.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.append({text, QRectF(topLeft, bottomRight)});
    }
    return words;
}

QString sniffImageFormat(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray head = file.read(8);
    if (head.startsWith("\x89PNG\r\n\x1a\n")) {
        return QStringLiteral("png");
    }
    if (head.startsWith("\xff\xd8\xff")) {
        return QStringLiteral("jpeg");
    }
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4))) {
        return QStringLiteral("tiff");
    }
    if (head.startsWith("BM")) {
        return QStringLiteral("bmp");
    }
    if (head.startsWith("GIF8")) {
        return QStringLiteral("gif");
    }
    return {};
}

} // namespace outside
