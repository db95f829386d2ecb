#include "platform/RectStrings.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace RectStrings {
namespace {

template <typename T> QString shortest(T value) {
    if (value == 0) {
        return QStringLiteral("0"); // also for -0
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
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
    QByteArray ascii = token.toLatin1();
    const char* begin = ascii.constData();
    if (*begin == '+') {
        ++begin; // from_chars takes no plus sign
    }
    double value = 0;
    const char* end = ascii.constData() + ascii.size();
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QString fromRect(const QRectF& rect) {
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(number(rect.x()), number(rect.y()), number(rect.width()), number(rect.height()));
}

QString fromPoint(const QPointF& point) {
    return QStringLiteral("{%1, %2}").arg(number(point.x()), number(point.y()));
}

QString fromSize(const QSizeF& size) {
    return QStringLiteral("{%1, %2}").arg(number(size.width()), number(size.height()));
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
