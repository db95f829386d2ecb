#pragma once
// Rectangles, points and sizes as text: "{{x, y}, {w, h}}", "{x, y}" and
// "{w, h}". Numbers are written as the shortest text that reads back to the
// same double, with '.' whatever the locale; reading accepts any spacing
// and needs exactly the expected count of finite numbers.

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>

namespace RectStrings {

QString number(double value); // shortest exact, '.' decimal point, "0" for -0
QString number(float value);  // shortest text of the 32-bit value

QString fromRect(const QRectF& rect);
QString fromPoint(const QPointF& point);
QString fromSize(const QSizeF& size);

std::optional<QRectF> toRect(const QString& text);
std::optional<QPointF> toPoint(const QString& text);
std::optional<QSizeF> toSize(const QString& text);

// Locale-independent number reading shared by the archive readers: a whole
// token must be a finite number.
std::optional<double> parseNumber(QStringView token);
std::optional<double> parseNumber(const char* token, qsizetype size); // Latin-1

} // namespace RectStrings
