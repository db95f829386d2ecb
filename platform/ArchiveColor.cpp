#include "platform/ArchiveColor.h"

#include "platform/RectStrings.h"

#include <algorithm>
#include <charconv>

namespace ArchiveColor {

namespace {

// The shortest decimal that reads back to the same 16-bit component (QColor
// keeps 16 bits), so half is "0.5" and not "0.500007629".
QString component(quint16 value) {
    if (value == 0 || value == 65535) {
        return value == 0 ? QStringLiteral("0") : QStringLiteral("1");
    }
    const double exact = value / 65535.0;
    for (int digits = 1; digits < 17; ++digits) {
        char buffer[32];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, exact, std::chars_format::fixed, digits)
                .ptr;
        const std::optional<double> back =
            RectStrings::parseNumber(QString::fromLatin1(buffer, end - buffer));
        if (back && qRound(*back * 65535.0) == value) {
            QByteArray text(buffer, end - buffer);
            while (text.endsWith('0')) {
                text.chop(1);
            }
            return QString::fromLatin1(text);
        }
    }
    return RectStrings::number(exact);
}

} // namespace

QByteArray rgbText(const QColor& color) {
    const QRgba64 rgb = color.rgba64();
    QString text =
        component(rgb.red()) + u' ' + component(rgb.green()) + u' ' + component(rgb.blue());
    if (rgb.alpha() != 65535) {
        text += u' ' + component(rgb.alpha());
    }
    QByteArray bytes = text.toLatin1();
    bytes.append('\0');
    return bytes;
}

std::optional<std::vector<double>> components(const QByteArray& text) {
    const qsizetype nul = text.indexOf('\0');
    const QString ascii = QString::fromLatin1(nul >= 0 ? text.left(nul) : text).simplified();
    const QList<QStringView> tokens = QStringView(ascii).split(u' ', Qt::SkipEmptyParts);
    if (tokens.size() > 8) {
        return std::nullopt;
    }
    std::vector<double> values;
    for (QStringView token : tokens) {
        const std::optional<double> value = RectStrings::parseNumber(token);
        if (!value) {
            return std::nullopt;
        }
        values.push_back(std::clamp(*value, 0.0, 1.0));
    }
    return values;
}

namespace {
quint16 c16(double v) {
    return static_cast<quint16>(qRound(v * 65535.0));
}
float f(double v) {
    return static_cast<float>(v);
}
} // namespace

QColor fromRgb(const std::vector<double>& c) {
    if (c.size() != 3 && c.size() != 4) {
        return {};
    }
    return QColor::fromRgba64(c16(c[0]), c16(c[1]), c16(c[2]), c.size() == 4 ? c16(c[3]) : 65535);
}

QColor fromWhite(const std::vector<double>& c) {
    if (c.size() != 1 && c.size() != 2) {
        return {};
    }
    return QColor::fromRgba64(c16(c[0]), c16(c[0]), c16(c[0]), c.size() == 2 ? c16(c[1]) : 65535);
}

QColor fromCmyk(const std::vector<double>& c) {
    if (c.size() != 4 && c.size() != 5) {
        return {};
    }
    return QColor::fromCmykF(f(c[0]), f(c[1]), f(c[2]), f(c[3]), c.size() == 5 ? f(c[4]) : 1.0f)
        .toRgb();
}

QColor fromComponents(const std::vector<double>& c) {
    switch (c.size()) {
    case 1:
    case 2:
        return fromWhite(c);
    case 3:
    case 4:
        return fromRgb(c);
    case 5:
        return fromCmyk(c);
    default:
        return {};
    }
}

} // namespace ArchiveColor
