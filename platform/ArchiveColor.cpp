#include "platform/ArchiveColor.h"

#include "platform/RectStrings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace ArchiveColor {

namespace {

// The shortest decimal that reads back to the same 16-bit component (QColor
// keeps 16 bits), so half is "0.5" and not "0.500007629".
void appendComponent(QByteArray& out, quint16 value) {
    if (value == 0 || value == 65535) {
        out.append(value == 0 ? '0' : '1');
        return;
    }
    const double exact = value / 65535.0;
    char buffer[32];
    for (int digits = 1; digits < 17; ++digits) {
        const char* end =
            std::to_chars(buffer, buffer + sizeof buffer, exact, std::chars_format::fixed, digits)
                .ptr;
        double back = 0;
        const auto read = std::from_chars(buffer, end, back);
        if (read.ec == std::errc() && read.ptr == end && std::isfinite(back) &&
            qRound(back * 65535.0) == value) {
            while (end > buffer && end[-1] == '0') {
                --end;
            }
            out.append(buffer, end - buffer);
            return;
        }
    }
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, exact).ptr;
    out.append(buffer, end - buffer);
}

// White space as Qt takes it in Latin-1 text.
bool isBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u == 0x20 || (u >= 0x09 && u <= 0x0d) || u == 0x85 || u == 0xa0;
}

} // namespace

QByteArray rgbText(const QColor& color) {
    const QRgba64 rgb = color.rgba64();
    QByteArray text;
    text.reserve(48);
    appendComponent(text, rgb.red());
    text.append(' ');
    appendComponent(text, rgb.green());
    text.append(' ');
    appendComponent(text, rgb.blue());
    if (rgb.alpha() != 65535) {
        text.append(' ');
        appendComponent(text, rgb.alpha());
    }
    text.append('\0');
    return text;
}

std::optional<std::vector<double>> components(const QByteArray& text) {
    const qsizetype nul = text.indexOf('\0');
    const char* p = text.constData();
    const char* const end = p + (nul >= 0 ? nul : text.size());
    std::vector<double> values;
    while (p < end) {
        if (isBlank(*p)) {
            ++p;
            continue;
        }
        const char* token = p;
        while (p < end && !isBlank(*p)) {
            ++p;
        }
        if (values.size() == 8) {
            return std::nullopt; // more than 8 numbers
        }
        const std::optional<double> value = RectStrings::parseNumber(token, p - token);
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
