#include "core/TimePatterns.h"

#include <QLocale>

namespace TimePatterns {

QString qtPattern(const QString& pattern) {
    QString result;
    result.reserve(pattern.size() + 4);
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            // Literal text runs between single quotes; '' is a quote itself
            // and toggles twice, so it needs no case of its own.
            quoted = !quoted;
            result += c;
        } else if (c == u'a' && !quoted) {
            while (i + 1 < pattern.size() && pattern.at(i + 1) == u'a') {
                ++i;
            }
            result += QLatin1String("AP");
        } else {
            result += c;
        }
    }
    return result;
}

QString timeText(const QTime& time, const QString& pattern) {
    return QLocale::c().toString(time, qtPattern(pattern));
}

} // namespace TimePatterns
