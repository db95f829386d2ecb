#include "platform/RectStrings.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace RectStrings {
namespace {

// Appends the shortest text of a number; "0" also for -0.
template <typename T> char* appendShortest(char* out, char* end, T value) {
    if (value == 0) {
        *out = '0';
        return out + 1;
    }
    return std::to_chars(out, end, value).ptr;
}

template <typename T> QString shortest(T value) {
    char buffer[64];
    const char* end = appendShortest(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, end - buffer);
}

// Numbers and the fixed text around them, e.g. {"{{", ", ", "}, {", ", ", "}}"}.
template <size_t N> QString joined(const char* const (&parts)[N + 1], const double (&values)[N]) {
    char buffer[64 * (N + 1)];
    char* out = buffer;
    char* const end = buffer + sizeof buffer;
    for (size_t i = 0; i <= N; ++i) {
        for (const char* p = parts[i]; *p; ++p) {
            *out++ = *p;
        }
        if (i < N) {
            out = appendShortest(out, end, values[i]);
        }
    }
    return QString::fromLatin1(buffer, out - buffer);
}

// The numbers of a text whose separators are braces, commas and spaces; none
// when a token is not a finite number or the count differs.
std::optional<std::vector<double>> numbers(const QString& text, size_t expected) {
    std::vector<double> values;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'{' || c == u'}' || c == u',' || c.isSpace()) {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < n) {
            const QChar d = text.at(j);
            if (d == u'{' || d == u'}' || d == u',' || d.isSpace()) {
                break;
            }
            ++j;
        }
        const std::optional<double> value = parseNumber(QStringView(text).mid(i, j - i));
        if (!value || values.size() == expected) {
            return std::nullopt;
        }
        values.push_back(*value);
        i = j;
    }
    if (values.size() != expected) {
        return std::nullopt;
    }
    return values;
}

} // namespace

QString number(double value) {
    return shortest(value);
}
QString number(float value) {
    return shortest(value);
}

std::optional<double> parseNumber(QStringView token) {
    if (token.isEmpty() || token.size() > 64) {
        return std::nullopt;
    }
    char ascii[64];
    for (qsizetype i = 0; i < token.size(); ++i) {
        const char16_t c = token[i].unicode();
        ascii[i] = c < 0x100 ? static_cast<char>(c) : '?';
    }
    return parseNumber(ascii, token.size());
}

std::optional<double> parseNumber(const char* token, qsizetype size) {
    if (size <= 0 || size > 64) {
        return std::nullopt;
    }
    const char* begin = token;
    const char* end = token + size;
    if (*begin == '+') {
        ++begin; // from_chars takes no plus sign
    }
    double value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QString fromRect(const QRectF& rect) {
    return joined<4>({"{{", ", ", "}, {", ", ", "}}"},
                     {rect.x(), rect.y(), rect.width(), rect.height()});
}

QString fromPoint(const QPointF& point) {
    return joined<2>({"{", ", ", "}"}, {point.x(), point.y()});
}

QString fromSize(const QSizeF& size) {
    return joined<2>({"{", ", ", "}"}, {size.width(), size.height()});
}

std::optional<QRectF> toRect(const QString& text) {
    const auto v = numbers(text, 4);
    if (!v) {
        return std::nullopt;
    }
    return QRectF((*v)[0], (*v)[1], (*v)[2], (*v)[3]);
}

std::optional<QPointF> toPoint(const QString& text) {
    const auto v = numbers(text, 2);
    if (!v) {
        return std::nullopt;
    }
    return QPointF((*v)[0], (*v)[1]);
}

std::optional<QSizeF> toSize(const QString& text) {
    const auto v = numbers(text, 2);
    if (!v) {
        return std::nullopt;
    }
    return QSizeF((*v)[0], (*v)[1]);
}

} // namespace RectStrings
